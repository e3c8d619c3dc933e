#include "report/reportrenderer.h"

#include "db/money.h"
#include "report/pdfunicoderepair.h"
#include "report/reportformat.h"

#include <QAbstractItemModel>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace {

constexpr double Epsilon = 1e-6;
constexpr double TextPaddingMm = 0.6;
constexpr double MinimumShrink = 0.6;

QAbstractItemModel *fetched(QAbstractItemModel *model)
{
    ReportData::fetchAll(model);
    return model;
}

QString applyPattern(const QString &pattern, const QString &value)
{
    if (pattern.isEmpty())
        return value;
    if (!pattern.contains(QLatin1String("%1")))
        return pattern + value;
    QString result = pattern;
    return result.replace(QLatin1String("%1"), value);
}

bool looksNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

// Where the renderer's drawing goes: a painter, or a collector of the texts.
class ReportRenderer::Sink
{
public:
    virtual ~Sink() = default;
    virtual void fill(const QRectF &rectMm, const QColor &color) = 0;
    virtual void line(const QPointF &fromMm, const QPointF &toMm, double widthMm) = 0;
    virtual void box(const QRectF &rectMm, double widthMm) = 0;
    virtual void text(const QRectF &rectMm, int flags, const ReportFont &font,
                      const QString &text) = 0;
};

namespace {

class PainterSink : public ReportRenderer::Sink
{
public:
    PainterSink(QPainter &painter, double pixelsPerMm, QPointF origin, double fontScale,
                QSet<char16_t> *drawn = nullptr)
        : m_painter(painter), m_scale(pixelsPerMm), m_origin(origin), m_fontScale(fontScale),
          m_drawn(drawn)
    {
        m_painter.setBrush(Qt::NoBrush);
    }

    void fill(const QRectF &rectMm, const QColor &color) override
    {
        m_painter.fillRect(toDevice(rectMm), color);
    }
    void line(const QPointF &fromMm, const QPointF &toMm, double widthMm) override
    {
        setPen(widthMm);
        m_painter.drawLine(toDevice(fromMm), toDevice(toMm));
    }
    void box(const QRectF &rectMm, double widthMm) override
    {
        setPen(widthMm);
        m_painter.drawRect(toDevice(rectMm));
    }
    void text(const QRectF &rectMm, int flags, const ReportFont &font, const QString &text) override
    {
        if (text.isEmpty())
            return;
        setFont(font);
        setPen(-1);
        if (m_drawn) {
            for (QChar c : text)
                m_drawn->insert(c.unicode());
        }
        const QRectF rect = toDevice(rectMm);
        if (flags & Qt::TextWordWrap) {
            m_painter.drawText(rect, flags, text);
            return;
        }
        // One line: placed by hand on its baseline, which spares the painter a text layout
        // and a clip per cell. A text wider than its cell is drawn smaller, down to
        // MinimumShrink of its size, and only then cut short with an ellipsis.
        QFontMetricsF metrics = m_painter.fontMetrics();
        QString shown = text;
        double width = runsWidth(metrics, shown);
        if (width > rect.width() + 0.5) {
            const double factor = qMax(MinimumShrink, rect.width() / width * 0.98);
            QFont smaller = m_painter.font();
            smaller.setPointSizeF(smaller.pointSizeF() * factor);
            m_painter.setFont(smaller);
            m_fontSet = false; // the next text sets its own font again
            metrics = m_painter.fontMetrics();
            width = runsWidth(metrics, shown);
            if (width > rect.width() + 0.5) {
                shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
                width = runsWidth(metrics, shown);
            }
        }
        double x = rect.left();
        if (flags & Qt::AlignRight)
            x = rect.right() - width;
        else if (flags & Qt::AlignHCenter)
            x = rect.left() + (rect.width() - width) / 2;
        double baseline;
        if (flags & Qt::AlignTop)
            baseline = rect.top() + metrics.ascent();
        else if (flags & Qt::AlignBottom)
            baseline = rect.bottom() - metrics.descent();
        else
            baseline = rect.top() + (rect.height() - metrics.ascent() - metrics.descent()) / 2
                       + metrics.ascent();
        drawRuns(QPointF(x, baseline), shown);
    }

private:
    // Latin letters and digits side by side make the CJK fonts draw the digits with contextual
    // alternates that no character maps to, and PDF readers then lose those digits ("D8AZO"
    // reads "D AZO"). Such texts are drawn in runs that never put a letter next to a digit.
    static int kind(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') ? 1 : ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) ? 2 : 0;
    }
    static bool mixed(const QString &text)
    {
        for (qsizetype i = 1; i < text.size(); ++i) {
            const int before = kind(text.at(i - 1));
            const int after = kind(text.at(i));
            if (before && after && before != after)
                return true;
        }
        return false;
    }
    static QStringList runs(const QString &text)
    {
        QStringList parts;
        qsizetype start = 0;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const int before = kind(text.at(i - 1));
            const int after = kind(text.at(i));
            if (before && after && before != after) {
                parts << text.mid(start, i - start);
                start = i;
            }
        }
        parts << text.mid(start);
        return parts;
    }
    static double runsWidth(const QFontMetricsF &metrics, const QString &text)
    {
        if (!mixed(text))
            return metrics.horizontalAdvance(text);
        double width = 0;
        for (const QString &part : runs(text))
            width += metrics.horizontalAdvance(part);
        return width;
    }
    void drawRuns(QPointF at, const QString &text)
    {
        if (!mixed(text)) {
            m_painter.drawText(at, text);
            return;
        }
        const QStringList parts = runs(text);
        const QFontMetricsF metrics = m_painter.fontMetrics();
        for (const QString &part : parts) {
            m_painter.drawText(at, part);
            at.rx() += metrics.horizontalAdvance(part);
        }
    }

    QPointF toDevice(const QPointF &mm) const { return m_origin + mm * m_scale; }
    QRectF toDevice(const QRectF &mm) const
    {
        return QRectF(toDevice(mm.topLeft()), mm.size() * m_scale);
    }
    // widthMm < 0: the pen of texts.
    void setPen(double widthMm)
    {
        if (m_penSet && widthMm == m_penWidth)
            return;
        m_penSet = true;
        m_penWidth = widthMm;
        QPen pen(Qt::black);
        pen.setWidthF(widthMm < 0 ? 0 : qMax(widthMm * m_scale, 0.5));
        pen.setCapStyle(Qt::SquareCap);
        m_painter.setPen(pen);
    }
    void setFont(const ReportFont &font)
    {
        if (m_fontSet && font == m_font)
            return;
        m_fontSet = true;
        m_font = font;
        QFont made(font.family);
        made.setPointSizeF(font.size * m_fontScale);
        made.setBold(font.bold);
        made.setItalic(font.italic);
        made.setUnderline(font.underline);
        m_painter.setFont(made);
    }

    QPainter &m_painter;
    double m_scale;
    QPointF m_origin;
    double m_fontScale;
    bool m_penSet = false;
    double m_penWidth = 0;
    bool m_fontSet = false;
    ReportFont m_font;
    QSet<char16_t> *m_drawn;
};

class TextSink : public ReportRenderer::Sink
{
public:
    void fill(const QRectF &, const QColor &) override {}
    void line(const QPointF &, const QPointF &, double) override {}
    void box(const QRectF &, double) override {}
    void text(const QRectF &, int, const ReportFont &, const QString &text) override
    {
        if (!text.isEmpty())
            texts << text;
    }
    QStringList texts;
};

void drawCell(ReportRenderer::Sink &sink, const ReportElement &element, const ReportFont &font,
              const QRectF &r, const QString &text, bool numeric)
{
    if (!element.background.isEmpty())
        sink.fill(r, QColor(element.background));
    const QString &borders = element.borders;
    if (borders.contains(u'L'))
        sink.line(r.topLeft(), r.bottomLeft(), element.borderWidth);
    if (borders.contains(u'T'))
        sink.line(r.topLeft(), r.topRight(), element.borderWidth);
    if (borders.contains(u'R'))
        sink.line(r.topRight(), r.bottomRight(), element.borderWidth);
    if (borders.contains(u'B'))
        sink.line(r.bottomLeft(), r.bottomRight(), element.borderWidth);
    if (text.isEmpty())
        return;
    Qt::Alignment alignment = element.alignment;
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= numeric ? Qt::AlignRight : Qt::AlignLeft;
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    const int flags = int(alignment)
                      | (element.wordWrap ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
    const double padding = qMin(TextPaddingMm, r.width() / 4);
    sink.text(r.adjusted(padding, 0, -padding, 0), flags, font, text);
}

} // namespace

// --- variables -------------------------------------------------------------------------------

void ReportVariables::set(const QString &name, const QString &value)
{
    for (auto &item : m_items) {
        if (item.first == name) {
            item.second = value;
            return;
        }
    }
    m_items.append({name, value});
}

bool ReportVariables::contains(const QString &name) const
{
    for (const auto &item : m_items) {
        if (item.first == name)
            return true;
    }
    return false;
}

QString ReportVariables::raw(const QString &name) const
{
    for (const auto &item : m_items) {
        if (item.first == name)
            return item.second;
    }
    return QString();
}

QString ReportVariables::value(const QString &name) const
{
    const QString text = raw(name);
    if (text.size() >= 2 && text.startsWith(u'\'') && text.endsWith(u'\''))
        return text.mid(1, text.size() - 2);
    return text;
}

QStringList ReportVariables::names() const
{
    QStringList result;
    for (const auto &item : m_items)
        result << item.first;
    return result;
}

ReportVariables ReportVariables::forPrint(const QString &setName, int kind,
                                          const QStringList &names, const QStringList &values)
{
    ReportVariables variables;
    variables.set(QStringLiteral("帐套名称"), setName);
    variables.set(QStringLiteral("公司名称"), setName);
    for (int i = 0; i < kind && i < names.size(); ++i)
        variables.set(names.at(i), u'\'' + values.value(i) + u'\'');
    return variables;
}

// --- layout ----------------------------------------------------------------------------------

ReportRenderer::ReportRenderer(ReportTemplate report, QAbstractItemModel *model,
                               ReportVariables variables)
    : m_template(std::move(report)), m_data(fetched(model)), m_variables(std::move(variables))
{
}

void ReportRenderer::setPage(const ReportPage &page)
{
    m_template.page = page;
    m_laidOut = false;
}

int ReportRenderer::pageCount() const
{
    layout();
    return int(m_pages.size());
}

const QList<ReportRenderer::Placement> &ReportRenderer::placements(int page) const
{
    layout();
    return m_pages.at(page);
}

QList<int> ReportRenderer::detailRows(int page) const
{
    QList<int> rows;
    for (const Placement &placement : placements(page)) {
        if (m_template.bands.at(placement.band).kind == ReportBandKind::Detail && !placement.blank)
            rows << placement.row;
    }
    return rows;
}

void ReportRenderer::layout() const
{
    if (m_laidOut)
        return;
    m_laidOut = true;
    m_pages.clear();

    auto indexOf = [this](ReportBandKind kind) {
        for (int i = 0; i < m_template.bands.size(); ++i) {
            if (m_template.bands.at(i).kind == kind)
                return i;
        }
        return -1;
    };
    const int title = indexOf(ReportBandKind::Title);
    const int pageHeader = indexOf(ReportBandKind::PageHeader);
    const int columnHeader = indexOf(ReportBandKind::ColumnHeader);
    const int groupHeader = indexOf(ReportBandKind::GroupHeader);
    const int detail = indexOf(ReportBandKind::Detail);
    const int groupFooter = indexOf(ReportBandKind::GroupFooter);
    const int summary = indexOf(ReportBandKind::Summary);
    const int pageFooter = indexOf(ReportBandKind::PageFooter);
    auto height = [this](int band) { return band < 0 ? 0.0 : m_template.bands.at(band).height; };

    QStringList groupColumns;
    if (groupHeader >= 0)
        groupColumns = m_template.bands.at(groupHeader).groupColumns;
    if (groupColumns.isEmpty() && groupFooter >= 0)
        groupColumns = m_template.bands.at(groupFooter).groupColumns;
    QList<int> groupIndexes;
    for (const QString &name : groupColumns)
        groupIndexes << m_data.column(name);
    const bool grouped = !groupColumns.isEmpty() && (groupHeader >= 0 || groupFooter >= 0);
    auto groupKey = [&](int row) {
        QStringList key;
        for (int column : groupIndexes)
            key << m_data.value(row, column).toString();
        return key;
    };

    const QSizeF paper = m_template.page.sizeMm();
    const double top = m_template.page.marginTop;
    const double footerTop = paper.height() - m_template.page.marginBottom - height(pageFooter);
    const int rows = m_data.rowCount();
    const int minRows = detail >= 0 ? m_template.bands.at(detail).minRows : 0;

    double y = 0;
    double bodyStart = 0;
    int firstOnPage = -1;
    int lastOnPage = -1;
    int lastPlaced = rows > 0 ? 0 : -1;

    auto place = [&](int band, int row, int first = 0, int last = -1, bool blank = false) {
        m_pages.last().append({band, y, row, first, last, blank});
        y += height(band);
    };
    auto startPage = [&] {
        m_pages.append(QList<Placement>());
        y = top;
        firstOnPage = lastOnPage = -1;
        if (m_pages.size() == 1 && title >= 0)
            place(title, rows > 0 ? 0 : -1);
        if (pageHeader >= 0)
            place(pageHeader, -2);
        if (columnHeader >= 0)
            place(columnHeader, -2);
        bodyStart = y;
    };
    auto finishPage = [&] {
        const int headerRow = firstOnPage >= 0 ? firstOnPage : lastPlaced;
        for (Placement &placement : m_pages.last()) {
            if (placement.row == -2)
                placement.row = headerRow;
        }
        if (pageFooter >= 0) {
            y = footerTop;
            place(pageFooter, lastOnPage >= 0 ? lastOnPage : lastPlaced, firstOnPage, lastOnPage);
        }
    };
    // Starts a new page unless the band fits; a band taller than an empty page goes anyway.
    auto ensure = [&](double needed) {
        if (y + needed > footerTop + Epsilon && y > bodyStart + Epsilon) {
            finishPage();
            startPage();
        }
    };
    auto placeDetail = [&](int row) {
        ensure(height(detail));
        place(detail, row);
        if (firstOnPage < 0)
            firstOnPage = row;
        lastOnPage = row;
        lastPlaced = row;
    };
    auto fillBlanks = [&](int count, int row) {
        for (int i = count; i < minRows; ++i) {
            ensure(height(detail));
            place(detail, row, 0, -1, true);
        }
    };

    startPage();
    int groupStart = 0;
    int rowsInGroup = 0;
    auto closeGroup = [&](int last) {
        if (detail >= 0)
            fillBlanks(rowsInGroup, last);
        if (groupFooter >= 0) {
            ensure(height(groupFooter));
            place(groupFooter, last, groupStart, last);
        }
    };
    for (int row = 0; row < rows; ++row) {
        const bool newGroup = grouped && (row == 0 || groupKey(row) != groupKey(row - 1));
        if (newGroup) {
            if (row > 0)
                closeGroup(row - 1);
            const bool newPage =
                groupHeader >= 0 && m_template.bands.at(groupHeader).startNewPage;
            if (newPage && row > 0 && y > bodyStart + Epsilon) {
                finishPage();
                startPage();
            }
            groupStart = row;
            rowsInGroup = 0;
            if (groupHeader >= 0) {
                ensure(height(groupHeader) + height(detail));
                place(groupHeader, row, row, row);
            }
        }
        if (detail >= 0) {
            placeDetail(row);
            ++rowsInGroup;
        } else {
            lastPlaced = row;
        }
    }
    if (grouped && rows > 0)
        closeGroup(rows - 1);
    else if (detail >= 0)
        fillBlanks(rows, -1);
    if (summary >= 0) {
        ensure(height(summary));
        place(summary, rows - 1, 0, rows - 1);
    }
    finishPage();
}

// --- drawing ---------------------------------------------------------------------------------

QStringList ReportRenderer::pageTexts(int page) const
{
    TextSink sink;
    draw(sink, page);
    return sink.texts;
}

void ReportRenderer::paintPage(QPainter &painter, int page, double pixelsPerMm, QPointF origin,
                               double fontScale) const
{
    paintPage(painter, page, pixelsPerMm, origin, fontScale, nullptr);
}

void ReportRenderer::paintPage(QPainter &painter, int page, double pixelsPerMm, QPointF origin,
                               double fontScale, QSet<char16_t> *drawn) const
{
    PainterSink sink(painter, pixelsPerMm, origin, fontScale, drawn);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    draw(sink, page);
    painter.restore();
}

void ReportRenderer::draw(Sink &sink, int page) const
{
    layout();
    if (page < 0 || page >= m_pages.size())
        return;
    const double left = m_template.page.marginLeft;
    QHash<QString, QList<int>> columnSets;
    auto matching = [&](const QString &pattern) -> const QList<int> & {
        auto it = columnSets.find(pattern);
        if (it == columnSets.end())
            it = columnSets.insert(pattern, m_data.matchingColumns(pattern));
        return *it;
    };
    auto aggregate = [&](const ReportElement &element, int column, const Placement &placement) {
        if (element.aggregate == ReportAggregate::Count)
            return QVariant(qMax(0, placement.last - placement.first + 1));
        Money sum;
        for (int row = placement.first; row <= placement.last && row >= 0; ++row)
            sum += Money::fromSqlValue(m_data.value(row, column));
        return QVariant(sum.toFixed());
    };

    for (const Placement &placement : m_pages.at(page)) {
        const ReportBand &band = m_template.bands.at(placement.band);
        for (const ReportElement &element : band.elements) {
            const QRectF box(left + element.x, placement.y + element.y, element.width,
                             element.height);
            if (element.kind == ReportElementKind::Line) {
                sink.line(box.topLeft(), box.bottomRight(), element.borderWidth);
                continue;
            }
            if (element.kind == ReportElementKind::Rect) {
                sink.box(box, element.borderWidth);
                continue;
            }

            // The cells an element draws: one, or one per column of a column set.
            struct Cell
            {
                QRectF box;
                QString text;
                bool numeric = false;
            };
            QList<Cell> cells;
            const bool showValues = !placement.blank;
            const bool numericFormat = ReportFormat::isNumeric(element.format);
            auto fieldText = [&](int column, bool *numeric) {
                QVariant value;
                if (element.aggregate != ReportAggregate::None)
                    value = aggregate(element, column, placement);
                else
                    value = m_data.value(placement.row, column);
                *numeric = numericFormat || looksNumeric(value)
                           || element.aggregate != ReportAggregate::None;
                return applyPattern(element.text, ReportFormat::apply(value, element.format));
            };
            switch (element.kind) {
            case ReportElementKind::Label:
                cells.append({box, showValues ? element.text : QString()});
                break;
            case ReportElementKind::Field: {
                bool numeric = numericFormat;
                QString text;
                if (showValues) {
                    const int column = m_data.column(element.column);
                    text = column < 0 ? QString() : fieldText(column, &numeric);
                }
                cells.append({box, text, numeric});
                break;
            }
            case ReportElementKind::Variable:
                cells.append({box, showValues ? applyPattern(element.text,
                                                             m_variables.value(element.variable))
                                              : QString()});
                break;
            case ReportElementKind::PageNumber:
                cells.append({box, applyPattern(element.text, QString::number(page + 1))});
                break;
            case ReportElementKind::PageCount:
                cells.append({box, applyPattern(element.text, QString::number(m_pages.size()))});
                break;
            case ReportElementKind::PrintDate:
                cells.append({box, applyPattern(element.text,
                                                m_printDate.toString(element.format.isEmpty()
                                                                         ? QStringLiteral("yyyy-MM-dd")
                                                                         : element.format))});
                break;
            case ReportElementKind::FieldSet:
            case ReportElementKind::CaptionSet: {
                const QList<int> &columns = matching(element.column);
                const double width = columns.isEmpty() ? 0 : element.width / columns.size();
                for (int i = 0; i < columns.size(); ++i) {
                    const QRectF part(box.x() + i * width, box.y(), width, box.height());
                    if (element.kind == ReportElementKind::CaptionSet) {
                        cells.append({part, applyPattern(element.text, m_data.caption(columns.at(i)))});
                    } else {
                        bool numeric = numericFormat;
                        const QString text = showValues ? fieldText(columns.at(i), &numeric)
                                                        : QString();
                        cells.append({part, text, numeric});
                    }
                }
                break;
            }
            case ReportElementKind::Line:
            case ReportElementKind::Rect:
                break;
            }

            const ReportFont font = m_template.effectiveFont(element);
            for (const Cell &cell : cells)
                drawCell(sink, element, font, cell.box, cell.text, cell.numeric);
        }
    }
}

void ReportRenderer::paintDesignElement(QPainter &painter, const ReportTemplate &report,
                                        const ReportElement &element, QPointF topLeft,
                                        double pixelsPerMm, double fontScale)
{
    PainterSink sink(painter, pixelsPerMm, topLeft, fontScale);
    const QRectF box(0, 0, element.width, element.height);
    if (element.kind == ReportElementKind::Line) {
        sink.line(box.topLeft(), box.bottomRight(), element.borderWidth);
        return;
    }
    if (element.kind == ReportElementKind::Rect) {
        sink.box(box, element.borderWidth);
        return;
    }
    const QString sample = designText(element);
    drawCell(sink, element, report.effectiveFont(element), box, sample,
             ReportFormat::isNumeric(element.format) || element.aggregate != ReportAggregate::None);
}

QString ReportRenderer::designText(const ReportElement &element)
{
    QString value;
    switch (element.kind) {
    case ReportElementKind::Label:
        return element.text;
    case ReportElementKind::Field:
        value = element.aggregate == ReportAggregate::Sum     ? QStringLiteral("Σ[%1]")
                : element.aggregate == ReportAggregate::Count ? QStringLiteral("#[%1]")
                                                              : QStringLiteral("[%1]");
        value = value.arg(element.column);
        break;
    case ReportElementKind::Variable:
        value = QStringLiteral("<%1>").arg(element.variable);
        break;
    case ReportElementKind::PageNumber:
        value = QStringLiteral("#");
        break;
    case ReportElementKind::PageCount:
        value = QStringLiteral("##");
        break;
    case ReportElementKind::PrintDate:
        value = QStringLiteral("<日期>");
        break;
    case ReportElementKind::FieldSet:
        return QStringLiteral("[%1 …]").arg(element.column);
    case ReportElementKind::CaptionSet:
        return QStringLiteral("<%1 的标题 …>").arg(element.column);
    case ReportElementKind::Line:
    case ReportElementKind::Rect:
        return QString();
    }
    return applyPattern(element.text, value);
}

// --- output ----------------------------------------------------------------------------------

QStringList ReportRenderer::fontFamilies() const
{
    QStringList families;
    auto add = [&families](const QString &family) {
        if (!family.isEmpty() && !families.contains(family))
            families << family;
    };
    add(m_template.effectiveFont(ReportElement()).family);
    for (const ReportBand &band : m_template.bands) {
        for (const ReportElement &element : band.elements)
            add(m_template.effectiveFont(element).family);
    }
    return families;
}

bool ReportRenderer::exportPdf(const QString &path, QString *error) const
{
    QByteArray pdf;
    QSet<char16_t> drawn;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(m_template.page.pageLayout());
        writer.setTitle(m_template.title);
        writer.setCreator(QStringLiteral("澜序财务"));
        const double pixelsPerMm = writer.resolution() / 25.4;
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("不能生成PDF文件 %1").arg(path);
            return false;
        }
        const int pages = pageCount();
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            paintPage(painter, page, pixelsPerMm, {}, 1.0, &drawn);
        }
        painter.end();
    }
    PdfUnicodeRepair::repair(pdf, drawn, fontFamilies());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("不能写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void ReportRenderer::preparePrinter(QPrinter *printer) const
{
    printer->setFullPage(true);
    printer->setPageLayout(m_template.page.pageLayout());
    printer->setDocName(m_template.title);
}

void ReportRenderer::print(QPrinter *printer) const
{
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double pixelsPerMm = printer->resolution() / 25.4;
    const int pages = pageCount();
    int from = 1;
    int to = pages;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = qMax(1, printer->fromPage());
        to = qMin(pages, printer->toPage() > 0 ? printer->toPage() : pages);
    }
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer->newPage();
        paintPage(painter, page - 1, pixelsPerMm);
    }
    painter.end();
}
