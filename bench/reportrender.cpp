// Renders a detail ledger of 10,000 rows (the columns of the detail-ledger screen) with the shipped template
// "三栏明细帐" (rpt08) to a PDF and prints the time and the pages per second.
//   bench_report_render [ROWS] [OUT.pdf]
// Without OUT the PDF goes to a temporary folder and is removed afterwards.

#include "ledgerrows.h"
#include "reporttestsupport.h"

#include "report/reportrenderer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = args.size() > 1 ? args.at(1).toInt() : 10000;
    QTemporaryDir dir;
    const QString path = args.size() > 2 ? args.at(2) : dir.filePath(QStringLiteral("ledger.pdf"));

    const QList<ReportTemplate> templates = ReportTestSupport::shippedTemplates(QStringLiteral("rpt08"));
    if (templates.isEmpty()) {
        std::fprintf(stderr, "the template rpt08 is missing\n");
        return 1;
    }
    LedgerRows model(rows);
    const ReportVariables variables = ReportVariables::forPrint(
        QStringLiteral("澜序商贸有限公司"), 2, {QStringLiteral("会计年度"), QStringLiteral("期间")},
        {QStringLiteral("2024年"), QStringLiteral("1月--12月")});

    QElapsedTimer timer;
    timer.start();
    ReportRenderer renderer(templates.first(), &model, variables);
    const int pages = renderer.pageCount();
    const qint64 layoutMs = timer.elapsed();
    QString error;
    if (!renderer.exportPdf(path, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 totalMs = timer.elapsed();
    std::printf("report render: %d rows, %d pages, layout %lld ms, PDF %lld ms in all "
                "(%.0f pages/s, %.0f rows/s), %.1f MB\n",
                rows, pages, layoutMs, totalMs, pages * 1000.0 / qMax<qint64>(1, totalMs),
                rows * 1000.0 / qMax<qint64>(1, totalMs),
                QFileInfo(path).size() / 1048576.0);
    return 0;
}
