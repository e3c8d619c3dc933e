#pragma once

#include <QJsonObject>
#include <QList>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// The banded print template: a page, a default font and bands (title, page header, column
// header, group header, detail, group footer, summary, page footer), each holding elements
// (text labels, data fields bound to a column name, variables, page number and count, print
// date, lines and boxes, and column sets that spread over the row set's matching columns).
// Geometry is in millimetres, font sizes in points. Stored as JSON in `report.report`.

struct ReportFont
{
    QString family; // empty: the template's default family
    double size = 0; // points; 0: the template's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const ReportFont &) const = default;
};

enum class ReportElementKind {
    Label,      // fixed text
    Field,      // value of a column of the row set
    Variable,   // a named text: "帐套名称", "公司名称" and the header variables of the caller
    PageNumber, // number of the page
    PageCount,  // number of pages
    PrintDate,  // the date of printing
    Line,       // from the top-left to the bottom-right corner of its box
    Rect,       // a box
    FieldSet,   // the values of every column whose name matches a pattern, side by side
    CaptionSet, // the captions of those columns
};

enum class ReportAggregate { None, Sum, Count };

struct ReportElement
{
    ReportElementKind kind = ReportElementKind::Label;
    double x = 0, y = 0, width = 20, height = 5; // millimetres within the band
    // Label: the text. Other text kinds: a pattern in which "%1" stands for the value (empty:
    // the value alone).
    QString text;
    QString column;   // Field: column name; FieldSet, CaptionSet: a regular expression
    QString variable; // Variable: its name
    QString format;   // display format, see ReportFormat
    ReportAggregate aggregate = ReportAggregate::None; // Field, FieldSet outside the detail
    std::optional<ReportFont> font; // nothing: the template's default font
    Qt::Alignment alignment = {};   // empty horizontal part: amounts right, the rest left
    QString borders;                // any of "L", "T", "R", "B"
    double borderWidth = 0.2;       // millimetres; also the pen of lines and boxes
    QString background;             // "#rrggbb" or empty
    bool wordWrap = false;

    bool isText() const;
    bool operator==(const ReportElement &) const = default;
};

enum class ReportBandKind {
    Title,        // once, at the top of the first page
    PageHeader,   // at the top of every page
    ColumnHeader, // below the page header on every page
    GroupHeader,  // before the rows of each group
    Detail,       // once per row
    GroupFooter,  // after the rows of each group; sums over the group
    Summary,      // once, after the last row; sums over all rows
    PageFooter,   // at the bottom of every page; sums over the rows of the page
};

struct ReportBand
{
    ReportBandKind kind = ReportBandKind::Detail;
    double height = 6; // millimetres
    QList<ReportElement> elements;
    QStringList groupColumns; // group bands: a group ends where one of these values changes
    bool startNewPage = false; // group header: each group after the first starts a page
    int minRows = 0; // detail: blank rows fill every group (or the report) up to this count

    bool operator==(const ReportBand &) const = default;
};

struct ReportPage
{
    // "A4", "A5", "B5", "A3", "Letter" or "Custom" (then width and height count).
    QString paper = QStringLiteral("A4");
    double width = 210, height = 297; // Custom only, portrait millimetres
    bool landscape = false;
    double marginLeft = 15, marginTop = 12, marginRight = 15, marginBottom = 12;

    QSizeF sizeMm() const; // oriented
    // For a named paper, sets width and height to its portrait size.
    void normalize();
    QPageLayout pageLayout() const; // margins zero: the template places everything itself
    static ReportPage fromPageLayout(const QPageLayout &layout);

    bool operator==(const ReportPage &) const = default;
};

class ReportTemplate
{
public:
    static inline const QString DefaultFamily = QStringLiteral("Noto Serif CJK SC");
    static inline const QString SansFamily = QStringLiteral("Noto Sans CJK SC");

    QString title; // shown by the designer; the print job's name
    QString note;  // free text, e.g. the columns the template expects
    ReportPage page;
    ReportFont font{DefaultFamily, 9};
    QList<ReportBand> bands;

    // The band of that kind, or nullptr.
    const ReportBand *band(ReportBandKind kind) const;
    ReportBand *band(ReportBandKind kind);
    // The printable width between the margins.
    double contentWidth() const;
    // The font an element is drawn with, the template's default filled in.
    ReportFont effectiveFont(const ReportElement &element) const;
    // Every column name that fields of the template refer to, in band order.
    QStringList fieldColumns() const;

    QJsonObject toJson() const;
    QByteArray toJsonText(bool indented = false) const;
    // Nothing, and a reason in `error`, when the text is no template of this engine. An empty
    // text gives an empty template (a NULL `report`).
    static std::optional<ReportTemplate> fromJson(const QJsonObject &object, QString *error);
    static std::optional<ReportTemplate> fromJsonText(const QByteArray &text, QString *error);

    bool operator==(const ReportTemplate &) const = default;
};

// Names used in the JSON text and by the designer.
QString bandKindName(ReportBandKind kind);
QString bandKindCaption(ReportBandKind kind); // 中文
std::optional<ReportBandKind> bandKindFromName(const QString &name);
QString elementKindName(ReportElementKind kind);
QString elementKindCaption(ReportElementKind kind);
std::optional<ReportElementKind> elementKindFromName(const QString &name);
// The order in which the designer shows the bands.
const QList<ReportBandKind> &allBandKinds();
