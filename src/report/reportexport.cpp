#include "report/reportexport.h"

#include "db/money.h"
#include "report/reportformat.h"
#include "report/reportrenderer.h"

#include <QSaveFile>

#include <algorithm>

namespace {

struct CsvColumn
{
    double x = 0;
    int column = -1;
    QString caption;
    QString format;
};

QString quoted(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    QString escaped = text;
    escaped.replace(u'"', QLatin1String("\"\""));
    return u'"' + escaped + u'"';
}

// The label of the column header above the middle of a field, if any.
QString headerCaption(const ReportTemplate &report, double middle)
{
    const ReportBand *header = report.band(ReportBandKind::ColumnHeader);
    if (!header)
        return QString();
    QString best;
    double bestHeight = -1;
    for (const ReportElement &element : header->elements) {
        if (element.kind != ReportElementKind::Label)
            continue;
        // The lowest label over the field: the sub-caption of a two-line header.
        if (middle >= element.x && middle <= element.x + element.width && element.y > bestHeight) {
            best = element.text;
            bestHeight = element.y;
        }
    }
    return best;
}

} // namespace

namespace ReportExport {

bool toCsv(const ReportRenderer &renderer, const QString &path, QString *error)
{
    const ReportTemplate &report = renderer.reportTemplate();
    const ReportData &data = renderer.data();
    QList<CsvColumn> columns;
    if (const ReportBand *detail = report.band(ReportBandKind::Detail)) {
        for (const ReportElement &element : detail->elements) {
            if (element.kind == ReportElementKind::Field) {
                CsvColumn column{element.x, data.column(element.column),
                                 headerCaption(report, element.x + element.width / 2),
                                 element.format};
                if (column.caption.isEmpty())
                    column.caption = element.column;
                columns.append(column);
            } else if (element.kind == ReportElementKind::FieldSet) {
                const QList<int> matches = data.matchingColumns(element.column);
                for (int i = 0; i < matches.size(); ++i)
                    columns.append({element.x + i * 0.001, matches.at(i),
                                    data.caption(matches.at(i)), element.format});
            }
        }
    }
    std::stable_sort(columns.begin(), columns.end(),
                     [](const CsvColumn &a, const CsvColumn &b) { return a.x < b.x; });

    QString text;
    QStringList line;
    for (const CsvColumn &column : columns)
        line << quoted(column.caption);
    text += line.join(u',') + QLatin1String("\r\n");
    for (int row = 0; row < data.rowCount(); ++row) {
        line.clear();
        for (const CsvColumn &column : columns) {
            const QVariant value = data.value(row, column.column);
            QString cell;
            if (column.format == ReportFormat::Amount || column.format == ReportFormat::Capitals)
                cell = value.isNull() || Money::fromSqlValue(value).isZero()
                           ? QString()
                           : Money::fromSqlValue(value).toFixed();
            else
                cell = ReportFormat::apply(value, column.format);
            line << quoted(cell);
        }
        text += line.join(u',') + QLatin1String("\r\n");
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("不能写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("不能写入文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace ReportExport
