#pragma once

#include <QDialog>
#include <QPrinter>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QSpinBox;
class ReportRenderer;

// The engine's preview of a prepared report: page navigation, zoom, find, page setup, print,
// and export to PDF and to a spreadsheet file (CSV).
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(ReportRenderer &renderer, QWidget *parent = nullptr);
    ~ReportPreview() override;

    QPrintPreviewWidget *view() const { return m_view; }
    int currentPage() const; // 1-based

    // Finds the next page after the current one holding the text; false when none does.
    bool findNext(const QString &text);

    // Prints without preview: the printer dialog, then the pages. False when cancelled.
    static bool printDirect(ReportRenderer &renderer, QWidget *parent);

private:
    void paintPages(QPrinter *printer);
    void refreshNavigation();
    void goToPage(int page);
    void setZoomText(const QString &text);
    void pageSetup();
    void printPages();
    void exportPdf();
    void exportSheet();
    void applyPrinterLayout();

    ReportRenderer &m_renderer;
    QPrinter m_printer;
    QPrintPreviewWidget *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    QComboBox *m_zoom = nullptr;
    QLineEdit *m_find = nullptr;
};
