#include "report/reporttemplate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSize>

namespace {

constexpr int FormatVersion = 1;
const QString FormatName = QStringLiteral("lanx-report");

struct NamedBand
{
    ReportBandKind kind;
    const char *name;
    const char *caption;
};

const NamedBand BandNames[] = {
    {ReportBandKind::Title, "title", "报表标题"},
    {ReportBandKind::PageHeader, "pageHeader", "页眉"},
    {ReportBandKind::ColumnHeader, "columnHeader", "栏目标题"},
    {ReportBandKind::GroupHeader, "groupHeader", "分组头"},
    {ReportBandKind::Detail, "detail", "明细"},
    {ReportBandKind::GroupFooter, "groupFooter", "分组尾"},
    {ReportBandKind::Summary, "summary", "报表合计"},
    {ReportBandKind::PageFooter, "pageFooter", "页脚"},
};

struct NamedElement
{
    ReportElementKind kind;
    const char *name;
    const char *caption;
};

const NamedElement ElementNames[] = {
    {ReportElementKind::Label, "label", "文字"},
    {ReportElementKind::Field, "field", "数据字段"},
    {ReportElementKind::Variable, "variable", "变量"},
    {ReportElementKind::PageNumber, "pageNumber", "页码"},
    {ReportElementKind::PageCount, "pageCount", "总页数"},
    {ReportElementKind::PrintDate, "printDate", "打印日期"},
    {ReportElementKind::Line, "line", "直线"},
    {ReportElementKind::Rect, "rect", "方框"},
    {ReportElementKind::FieldSet, "fieldSet", "多列字段"},
    {ReportElementKind::CaptionSet, "captionSet", "多列标题"},
};

struct NamedPaper
{
    const char *name;
    QPageSize::PageSizeId id;
};

const NamedPaper Papers[] = {
    {"A4", QPageSize::A4}, {"A5", QPageSize::A5},         {"A3", QPageSize::A3},
    {"B5", QPageSize::B5}, {"Letter", QPageSize::Letter},
};

QString alignmentName(Qt::Alignment alignment)
{
    QStringList parts;
    if (alignment & Qt::AlignLeft)
        parts << QStringLiteral("left");
    else if (alignment & Qt::AlignHCenter)
        parts << QStringLiteral("center");
    else if (alignment & Qt::AlignRight)
        parts << QStringLiteral("right");
    if (alignment & Qt::AlignTop)
        parts << QStringLiteral("top");
    else if (alignment & Qt::AlignBottom)
        parts << QStringLiteral("bottom");
    else if (alignment & Qt::AlignVCenter)
        parts << QStringLiteral("middle");
    return parts.join(u' ');
}

std::optional<Qt::Alignment> alignmentFromName(const QString &text)
{
    Qt::Alignment alignment;
    for (const QString &part : text.split(u' ', Qt::SkipEmptyParts)) {
        if (part == QLatin1String("left"))
            alignment |= Qt::AlignLeft;
        else if (part == QLatin1String("center"))
            alignment |= Qt::AlignHCenter;
        else if (part == QLatin1String("right"))
            alignment |= Qt::AlignRight;
        else if (part == QLatin1String("top"))
            alignment |= Qt::AlignTop;
        else if (part == QLatin1String("middle"))
            alignment |= Qt::AlignVCenter;
        else if (part == QLatin1String("bottom"))
            alignment |= Qt::AlignBottom;
        else
            return std::nullopt;
    }
    return alignment;
}

QString aggregateName(ReportAggregate aggregate)
{
    switch (aggregate) {
    case ReportAggregate::Sum:
        return QStringLiteral("sum");
    case ReportAggregate::Count:
        return QStringLiteral("count");
    case ReportAggregate::None:
        break;
    }
    return QString();
}

QJsonObject fontToJson(const ReportFont &font)
{
    QJsonObject object;
    if (!font.family.isEmpty())
        object.insert(QStringLiteral("family"), font.family);
    if (font.size > 0)
        object.insert(QStringLiteral("size"), font.size);
    if (font.bold)
        object.insert(QStringLiteral("bold"), true);
    if (font.italic)
        object.insert(QStringLiteral("italic"), true);
    if (font.underline)
        object.insert(QStringLiteral("underline"), true);
    return object;
}

ReportFont fontFromJson(const QJsonObject &object)
{
    ReportFont font;
    font.family = object.value(QStringLiteral("family")).toString();
    font.size = object.value(QStringLiteral("size")).toDouble();
    font.bold = object.value(QStringLiteral("bold")).toBool();
    font.italic = object.value(QStringLiteral("italic")).toBool();
    font.underline = object.value(QStringLiteral("underline")).toBool();
    return font;
}

// Reads the JSON of one template; throws the reason as a QString.
class Reader
{
public:
    ReportTemplate read(const QJsonObject &root)
    {
        const QString format = root.value(QStringLiteral("format")).toString();
        if (format != FormatName)
            throw QStringLiteral("不是本系统的报表模版");
        if (root.value(QStringLiteral("version")).toInt() > FormatVersion)
            throw QStringLiteral("报表模版的版本太新，请升级程序");
        ReportTemplate result;
        result.title = root.value(QStringLiteral("title")).toString();
        result.note = root.value(QStringLiteral("note")).toString();
        result.page = readPage(root.value(QStringLiteral("page")).toObject());
        if (root.contains(QStringLiteral("font")))
            result.font = fontFromJson(root.value(QStringLiteral("font")).toObject());
        for (const QJsonValue &band : root.value(QStringLiteral("bands")).toArray())
            result.bands.append(readBand(band.toObject()));
        return result;
    }

private:
    static double number(const QJsonObject &object, const char *key, double fallback)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            return fallback;
        if (!value.isDouble())
            throw QStringLiteral("报表模版的数值项 %1 有错误").arg(QLatin1String(key));
        return value.toDouble();
    }

    ReportPage readPage(const QJsonObject &object)
    {
        ReportPage page;
        page.paper = object.value(QStringLiteral("paper")).toString(page.paper);
        page.width = number(object, "width", page.width);
        page.height = number(object, "height", page.height);
        page.landscape = object.value(QStringLiteral("orientation")).toString()
                         == QLatin1String("landscape");
        const QJsonArray margins = object.value(QStringLiteral("margins")).toArray();
        if (margins.size() == 4) {
            page.marginLeft = margins.at(0).toDouble();
            page.marginTop = margins.at(1).toDouble();
            page.marginRight = margins.at(2).toDouble();
            page.marginBottom = margins.at(3).toDouble();
        }
        page.normalize();
        const QSizeF size = page.sizeMm();
        if (size.width() <= 0 || size.height() <= 0)
            throw QStringLiteral("报表模版的纸张大小有错误");
        return page;
    }

    ReportBand readBand(const QJsonObject &object)
    {
        ReportBand band;
        const std::optional<ReportBandKind> kind =
            bandKindFromName(object.value(QStringLiteral("kind")).toString());
        if (!kind)
            throw QStringLiteral("报表模版有未知的报表区：%1")
                .arg(object.value(QStringLiteral("kind")).toString());
        band.kind = *kind;
        band.height = number(object, "height", band.height);
        if (band.height < 0)
            throw QStringLiteral("报表区的高度有错误");
        const QString group = object.value(QStringLiteral("group")).toString();
        band.groupColumns = group.split(u',', Qt::SkipEmptyParts);
        for (QString &column : band.groupColumns)
            column = column.trimmed();
        band.startNewPage = object.value(QStringLiteral("newPage")).toBool();
        band.minRows = object.value(QStringLiteral("minRows")).toInt();
        for (const QJsonValue &element : object.value(QStringLiteral("elements")).toArray())
            band.elements.append(readElement(element.toObject()));
        return band;
    }

    ReportElement readElement(const QJsonObject &object)
    {
        ReportElement element;
        const std::optional<ReportElementKind> kind =
            elementKindFromName(object.value(QStringLiteral("kind")).toString());
        if (!kind)
            throw QStringLiteral("报表模版有未知的元素：%1")
                .arg(object.value(QStringLiteral("kind")).toString());
        element.kind = *kind;
        element.x = number(object, "x", 0);
        element.y = number(object, "y", 0);
        element.width = number(object, "w", 0);
        element.height = number(object, "h", 0);
        element.text = object.value(QStringLiteral("text")).toString();
        element.column = object.value(QStringLiteral("column")).toString();
        element.variable = object.value(QStringLiteral("variable")).toString();
        element.format = object.value(QStringLiteral("format")).toString();
        const QString aggregate = object.value(QStringLiteral("aggregate")).toString();
        if (aggregate == QLatin1String("sum"))
            element.aggregate = ReportAggregate::Sum;
        else if (aggregate == QLatin1String("count"))
            element.aggregate = ReportAggregate::Count;
        else if (!aggregate.isEmpty())
            throw QStringLiteral("报表模版有未知的汇总方式：%1").arg(aggregate);
        if (object.contains(QStringLiteral("font")))
            element.font = fontFromJson(object.value(QStringLiteral("font")).toObject());
        const std::optional<Qt::Alignment> alignment =
            alignmentFromName(object.value(QStringLiteral("align")).toString());
        if (!alignment)
            throw QStringLiteral("报表模版有未知的对齐方式：%1")
                .arg(object.value(QStringLiteral("align")).toString());
        element.alignment = *alignment;
        element.borders = object.value(QStringLiteral("border")).toString();
        element.borderWidth = number(object, "borderWidth", element.borderWidth);
        element.background = object.value(QStringLiteral("background")).toString();
        element.wordWrap = object.value(QStringLiteral("wrap")).toBool();
        return element;
    }
};

QJsonObject elementToJson(const ReportElement &element)
{
    QJsonObject object;
    object.insert(QStringLiteral("kind"), elementKindName(element.kind));
    object.insert(QStringLiteral("x"), element.x);
    object.insert(QStringLiteral("y"), element.y);
    object.insert(QStringLiteral("w"), element.width);
    object.insert(QStringLiteral("h"), element.height);
    auto text = [&object](const char *key, const QString &value) {
        if (!value.isEmpty())
            object.insert(QLatin1String(key), value);
    };
    text("text", element.text);
    text("column", element.column);
    text("variable", element.variable);
    text("format", element.format);
    text("aggregate", aggregateName(element.aggregate));
    if (element.font)
        object.insert(QStringLiteral("font"), fontToJson(*element.font));
    text("align", alignmentName(element.alignment));
    text("border", element.borders);
    if (element.borderWidth != 0.2)
        object.insert(QStringLiteral("borderWidth"), element.borderWidth);
    text("background", element.background);
    if (element.wordWrap)
        object.insert(QStringLiteral("wrap"), true);
    return object;
}

} // namespace

bool ReportElement::isText() const
{
    return kind != ReportElementKind::Line && kind != ReportElementKind::Rect;
}

QSizeF ReportPage::sizeMm() const
{
    QSizeF size(width, height);
    for (const NamedPaper &known : Papers) {
        if (paper == QLatin1String(known.name))
            size = QPageSize(known.id).size(QPageSize::Millimeter);
    }
    return landscape ? size.transposed() : size;
}

void ReportPage::normalize()
{
    for (const NamedPaper &known : Papers) {
        if (paper == QLatin1String(known.name)) {
            const QSizeF size = QPageSize(known.id).size(QPageSize::Millimeter);
            width = size.width();
            height = size.height();
        }
    }
}

QPageLayout ReportPage::pageLayout() const
{
    QSizeF portrait = sizeMm();
    if (landscape)
        portrait.transpose();
    QPageSize size(portrait, QPageSize::Millimeter);
    for (const NamedPaper &known : Papers) {
        if (paper == QLatin1String(known.name))
            size = QPageSize(known.id);
    }
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}

ReportPage ReportPage::fromPageLayout(const QPageLayout &layout)
{
    ReportPage page;
    page.paper = QStringLiteral("Custom");
    for (const NamedPaper &known : Papers) {
        if (layout.pageSize().id() == known.id)
            page.paper = QString::fromLatin1(known.name);
    }
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    page.width = size.width();
    page.height = size.height();
    page.landscape = layout.orientation() == QPageLayout::Landscape;
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    page.marginLeft = margins.left();
    page.marginTop = margins.top();
    page.marginRight = margins.right();
    page.marginBottom = margins.bottom();
    page.normalize();
    return page;
}

const ReportBand *ReportTemplate::band(ReportBandKind kind) const
{
    for (const ReportBand &candidate : bands) {
        if (candidate.kind == kind)
            return &candidate;
    }
    return nullptr;
}

ReportBand *ReportTemplate::band(ReportBandKind kind)
{
    for (ReportBand &candidate : bands) {
        if (candidate.kind == kind)
            return &candidate;
    }
    return nullptr;
}

double ReportTemplate::contentWidth() const
{
    return page.sizeMm().width() - page.marginLeft - page.marginRight;
}

ReportFont ReportTemplate::effectiveFont(const ReportElement &element) const
{
    ReportFont result = element.font.value_or(font);
    if (result.family.isEmpty())
        result.family = font.family.isEmpty() ? DefaultFamily : font.family;
    if (result.size <= 0)
        result.size = font.size > 0 ? font.size : 9;
    return result;
}

QStringList ReportTemplate::fieldColumns() const
{
    QStringList columns;
    for (ReportBandKind kind : allBandKinds()) {
        const ReportBand *found = band(kind);
        if (!found)
            continue;
        for (const ReportElement &element : found->elements) {
            if (element.kind == ReportElementKind::Field && !columns.contains(element.column))
                columns << element.column;
        }
    }
    return columns;
}

QJsonObject ReportTemplate::toJson() const
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), FormatName);
    root.insert(QStringLiteral("version"), FormatVersion);
    root.insert(QStringLiteral("title"), title);
    if (!note.isEmpty())
        root.insert(QStringLiteral("note"), note);

    QJsonObject pageObject;
    pageObject.insert(QStringLiteral("paper"), page.paper);
    if (page.paper == QLatin1String("Custom")) {
        pageObject.insert(QStringLiteral("width"), page.width);
        pageObject.insert(QStringLiteral("height"), page.height);
    }
    pageObject.insert(QStringLiteral("orientation"),
                      page.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    pageObject.insert(QStringLiteral("margins"),
                      QJsonArray{page.marginLeft, page.marginTop, page.marginRight,
                                 page.marginBottom});
    root.insert(QStringLiteral("page"), pageObject);
    root.insert(QStringLiteral("font"), fontToJson(font));

    QJsonArray bandArray;
    for (const ReportBand &band : bands) {
        QJsonObject object;
        object.insert(QStringLiteral("kind"), bandKindName(band.kind));
        object.insert(QStringLiteral("height"), band.height);
        if (!band.groupColumns.isEmpty())
            object.insert(QStringLiteral("group"), band.groupColumns.join(u','));
        if (band.startNewPage)
            object.insert(QStringLiteral("newPage"), true);
        if (band.minRows > 0)
            object.insert(QStringLiteral("minRows"), band.minRows);
        QJsonArray elements;
        for (const ReportElement &element : band.elements)
            elements.append(elementToJson(element));
        object.insert(QStringLiteral("elements"), elements);
        bandArray.append(object);
    }
    root.insert(QStringLiteral("bands"), bandArray);
    return root;
}

QByteArray ReportTemplate::toJsonText(bool indented) const
{
    return QJsonDocument(toJson()).toJson(indented ? QJsonDocument::Indented
                                                   : QJsonDocument::Compact);
}

std::optional<ReportTemplate> ReportTemplate::fromJson(const QJsonObject &object, QString *error)
{
    try {
        return Reader().read(object);
    } catch (const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
}

std::optional<ReportTemplate> ReportTemplate::fromJsonText(const QByteArray &text, QString *error)
{
    if (text.trimmed().isEmpty())
        return ReportTemplate();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (document.isNull() || !document.isObject()) {
        if (error)
            *error = QStringLiteral("报表模版已损坏：%1").arg(parseError.errorString());
        return std::nullopt;
    }
    return fromJson(document.object(), error);
}

QString bandKindName(ReportBandKind kind)
{
    for (const NamedBand &named : BandNames) {
        if (named.kind == kind)
            return QString::fromLatin1(named.name);
    }
    return QString();
}

QString bandKindCaption(ReportBandKind kind)
{
    for (const NamedBand &named : BandNames) {
        if (named.kind == kind)
            return QString::fromUtf8(named.caption);
    }
    return QString();
}

std::optional<ReportBandKind> bandKindFromName(const QString &name)
{
    for (const NamedBand &named : BandNames) {
        if (name == QLatin1String(named.name))
            return named.kind;
    }
    return std::nullopt;
}

QString elementKindName(ReportElementKind kind)
{
    for (const NamedElement &named : ElementNames) {
        if (named.kind == kind)
            return QString::fromLatin1(named.name);
    }
    return QString();
}

QString elementKindCaption(ReportElementKind kind)
{
    for (const NamedElement &named : ElementNames) {
        if (named.kind == kind)
            return QString::fromUtf8(named.caption);
    }
    return QString();
}

std::optional<ReportElementKind> elementKindFromName(const QString &name)
{
    for (const NamedElement &named : ElementNames) {
        if (name == QLatin1String(named.name))
            return named.kind;
    }
    return std::nullopt;
}

const QList<ReportBandKind> &allBandKinds()
{
    static const QList<ReportBandKind> kinds = {
        ReportBandKind::Title,       ReportBandKind::PageHeader, ReportBandKind::ColumnHeader,
        ReportBandKind::GroupHeader, ReportBandKind::Detail,     ReportBandKind::GroupFooter,
        ReportBandKind::Summary,     ReportBandKind::PageFooter,
    };
    return kinds;
}
