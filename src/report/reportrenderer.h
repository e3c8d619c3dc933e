#pragma once

#include "report/reportdata.h"
#include "report/reporttemplate.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QPointF>
#include <QSet>
#include <QString>

class QAbstractItemModel;
class QPainter;
class QPrinter;

// The named texts a template shows through its variable elements. A value written as a string
// literal of the engine ('...', as the print preview passes the header texts) shows without
// its outer quotes and otherwise exactly as it is, quotes inside included.
class ReportVariables
{
public:
    void set(const QString &name, const QString &value);
    bool contains(const QString &name) const;
    QString raw(const QString &name) const;
    QString value(const QString &name) const; // the text shown
    QStringList names() const;

    // "帐套名称" and "公司名称" (both the account set's name), then the header variables: for
    // i = 1..kind the name names[i-1] with the value values[i-1] as a string literal.
    static ReportVariables forPrint(const QString &setName, int kind, const QStringList &names,
                                    const QStringList &values);

private:
    QList<QPair<QString, QString>> m_items;
};

// Lays a row set out into pages after a template and paints the pages: to the preview, a
// printer or a PDF file. The title prints once on the first page; the page header, the column
// header and the page footer on every page; a group header before each group (a new page when
// it asks for one), the detail band once per row, blank detail rows up to the band's minimum,
// a group footer after each group and the summary after the last row. Fields outside the
// detail band show the first row of the page (headers), of the group (group header), the last
// row of the group or page (footers) or of the report (summary); their sums run over the rows
// of that group, page or report.
class ReportRenderer
{
public:
    struct Placement
    {
        int band = 0;   // index into the template's bands
        double y = 0;   // millimetres from the top of the paper
        int row = -1;   // the row whose values the band shows; -1 none
        int first = 0;  // rows summed by the band's aggregates: first .. last
        int last = -1;
        bool blank = false; // a filler detail row
    };

    // Reads every row of the model (lazy SQL models are fetched in full first).
    ReportRenderer(ReportTemplate report, QAbstractItemModel *model,
                   ReportVariables variables = {});

    const ReportTemplate &reportTemplate() const { return m_template; }
    const ReportVariables &variables() const { return m_variables; }
    const ReportData &data() const { return m_data; }

    void setPrintDate(const QDate &date) { m_printDate = date; }
    // Paper, orientation and margins from the page setup; the elements keep their places.
    void setPage(const ReportPage &page);
    const ReportPage &page() const { return m_template.page; }

    int pageCount() const;
    // The rows whose detail bands stand on the page (filler rows left out).
    QList<int> detailRows(int page) const;
    const QList<Placement> &placements(int page) const;
    // Every text drawn on the page, in drawing order (for tests and searching).
    QStringList pageTexts(int page) const;

    // Paints one page with its top-left paper corner at `origin` (device pixels).
    // `pixelsPerMm` maps millimetres to device pixels; fonts are multiplied by `fontScale`
    // (1 on printers and PDF writers, which size fonts by their own resolution).
    void paintPage(QPainter &painter, int page, double pixelsPerMm, QPointF origin = {},
                   double fontScale = 1.0) const;

    // Writes the pages to a PDF file through a temporary file that replaces the target only
    // when complete. False with the reason in `error` on failure.
    bool exportPdf(const QString &path, QString *error = nullptr) const;
    // Prints the pages (within the printer's page range) on the printer, full-page.
    void print(QPrinter *printer) const;
    // Lays the printer out with the template's paper, orientation and margins.
    void preparePrinter(QPrinter *printer) const;

    // Paints one element as the designer shows it (fields as [column], variables as <name>),
    // its top-left corner at `topLeft`.
    static void paintDesignElement(QPainter &painter, const ReportTemplate &report,
                                   const ReportElement &element, QPointF topLeft,
                                   double pixelsPerMm, double fontScale);
    static QString designText(const ReportElement &element);

    class Sink;

    // The font families the template draws with.
    QStringList fontFamilies() const;

private:
    void layout() const;
    void paintPage(QPainter &painter, int page, double pixelsPerMm, QPointF origin,
                   double fontScale, QSet<char16_t> *drawn) const;
    void draw(Sink &sink, int page) const;

    ReportTemplate m_template;
    ReportData m_data;
    ReportVariables m_variables;
    QDate m_printDate = QDate::currentDate();
    mutable bool m_laidOut = false;
    mutable QList<QList<Placement>> m_pages;
};
