#pragma once

#include "report/reportrenderer.h"
#include "report/reporttemplate.h"

#include <QDialog>

class QAbstractItemModel;
class QComboBox;
class QScrollArea;
class QToolBar;
class ReportDesignCanvas;
class ReportPropertyPanel;

// The report designer: the canvas of bands and elements, a tool bar to add and remove
// elements, columns and bands, a property panel, zoom and a preview over the caller's rows.
// The title bar shows the report title handed in (the template's comment). Closing it (完成
// or the window's close button) leaves the edited template in reportTemplate(); whether it is
// kept is the caller's question.
class ReportDesigner : public QDialog
{
    Q_OBJECT

public:
    ReportDesigner(const ReportTemplate &report, QAbstractItemModel *rows,
                   const ReportVariables &variables, const QString &title,
                   QWidget *parent = nullptr);

    const ReportTemplate &reportTemplate() const { return m_report; }
    bool isModified() const { return m_modified; }

    ReportDesignCanvas *canvas() const { return m_canvas; }
    ReportPropertyPanel *properties() const { return m_properties; }

    // The tool bar's operations, also for tests.
    void addElement(ReportElementKind kind);
    void addColumn(const QString &column, const QString &caption);
    void removeSelectedColumn();
    void removeSelection();
    void duplicateSelection();
    void addBand(ReportBandKind kind);
    void preview();

private:
    void sortBands();
    void buildToolBar(QToolBar *bar);
    void selectionChanged();
    void templateChanged();
    int targetBand() const;
    int bandIndex(ReportBandKind kind) const;
    void chooseAndAddColumn();

    ReportTemplate m_report;
    QAbstractItemModel *m_rows;
    ReportVariables m_variables;
    QStringList m_columns;
    ReportDesignCanvas *m_canvas = nullptr;
    ReportPropertyPanel *m_properties = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    bool m_modified = false;
};
