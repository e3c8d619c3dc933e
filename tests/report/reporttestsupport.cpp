#include "reporttestsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

namespace ReportTestSupport {

const QStringList &families()
{
    static const QStringList names = {
        "rpt01", "rpt02", "rpt03", "rpt04", "rpt05", "rpt06", "rpt08", "rpt09",
        "rpt11", "rpt12", "rpt13", "rpt15", "rpt16", "rpt18", "rpt19", "rpt21",
        "rpt44", "rpt45", "rpt46", "rpt47", "rpt48", "rpt51", "rpt52", "rpt53",
        "rpt55", "rpt56", "rpt58", "rpt59", "rpt61", "rpt62", "rpt66", "rpt68"};
    return names;
}

QList<ReportTemplate> shippedTemplates(const QString &family)
{
    QList<ReportTemplate> result;
    QFile file(QStringLiteral(":/lanx/db/reports/%1.json").arg(family));
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonArray objects = document.isArray() ? document.array()
                                                  : QJsonArray{document.object()};
    for (const QJsonValue &object : objects) {
        QString error;
        if (auto report = ReportTemplate::fromJson(object.toObject(), &error))
            result << *report;
    }
    return result;
}

int pdfPageCount(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    if (!process.waitForFinished(30000))
        return -1;
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfText(const QString &path, int first, int last)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first),
                   QStringLiteral("-l"), QString::number(last), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace ReportTestSupport
