// `lanx-cli print`: the chart of accounts and the usage log to PDF.

#include "reporttestsupport.h"
#include "clirun.h"
#include "testbooks.h"

#include "app/oplog.h"
#include "db/sql.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

TEST(CliPrint, PrintsTheChartOfAccountsAndTheUsageLog)
{
    TestBooks books;
    books.store(); // the first set
    const QStringList connection = books.cliConnectionOptions();
    const QStringList admin = {"--operator", "管理员"};
    QTemporaryDir dir;

    const QString chart = dir.filePath(QStringLiteral("科目字典.pdf"));
    CliRun run = runCli(connection + QStringList{"print", "rpt61", "--out", chart} + admin);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("rows\tpages\tfile\n")));
    ASSERT_TRUE(QFileInfo::exists(chart));
    EXPECT_GE(ReportTestSupport::pdfPageCount(chart), 2);
    const QString text = ReportTestSupport::pdfText(chart, 1, 1);
    for (const char *expected : {"科目字典", "科目编码", "D8AZO科目编码", "1001", "库存现金", "资产"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(text.contains(QStringLiteral("单位：企业财务帐套")));

    {
        auto set = books.open(QStringLiteral("V8_URU_ZEZ"));
        const QDateTime when(QDate(2024, 3, 5), QTime(9, 41));
        OpLog::write(set->db(), QStringLiteral("张三"), QStringLiteral("进入录入凭证"), when);
        OpLog::write(set->db(), QStringLiteral("O'Neil"), QStringLiteral("查看上机日志"), when.addDays(1));
        OpLog::write(set->db(), QStringLiteral("张三"), QStringLiteral("进入凭证登帐"), when.addDays(2));
    }
    const QString log = dir.filePath(QStringLiteral("log.pdf"));
    run = runCli(connection + QStringList{"print", "rpt66", "--out", log, "--from", "2024-03-06"} + admin);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n2\t1\t")));
    const QString logText = ReportTestSupport::pdfText(log, 1, 1);
    EXPECT_TRUE(logText.contains(QStringLiteral("O'Neil")));
    EXPECT_TRUE(logText.contains(QStringLiteral("2024-03-07 09:41")));
    EXPECT_FALSE(logText.contains(QStringLiteral("2024-03-05")));

    const QString csv = dir.filePath(QStringLiteral("log.csv"));
    ASSERT_EQ(runCli(connection + QStringList{"print", "rpt66", "--out", csv, "--czy", "O'Neil"} + admin).status, 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll().mid(3)),
              QStringLiteral("操作员,时间,内容\r\nO'Neil,2024-03-06 09:41,查看上机日志\r\n"));
}

TEST(CliPrint, RefusesWhatItCannotPrint)
{
    TestBooks books;
    books.store();
    const QStringList connection = books.cliConnectionOptions();
    const QStringList admin = {"--operator", "管理员"};
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.pdf"));
    EXPECT_EQ(runCli(connection + QStringList{"print", "rpt61"} + admin).status, 2) << "--out is needed";
    EXPECT_EQ(runCli(connection + QStringList{"print", "rpt99", "--out", out} + admin).status, 2);
    EXPECT_EQ(runCli(connection + QStringList{"print", "rpt61", "--out", out, "--set", "nope"} + admin).status, 1);
    EXPECT_EQ(runCli(connection + QStringList{"print", "rpt61", "--out", out, "--template", "2"} + admin).status, 2);
    {
        auto set = books.open(QStringLiteral("V8_URU_ZEZ"));
        Sql::exec(set->db(), QStringLiteral("delete from report where rptname='rpt66'"));
    }
    const CliRun none = runCli(connection + QStringList{"print", "rpt66", "--out", out} + admin);
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.endsWith(QStringLiteral("没有预设模版，若有需要请与软件开发商联系\n")))
        << none.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    const CliRun unwritable = runCli(connection + QStringList{"print", "rpt61", "--out", "/nonexistent/x.pdf"} + admin);
    EXPECT_EQ(unwritable.status, 3);

    // Printing needs the right of the screen that prints.
    ASSERT_EQ(runCli(connection + QStringList{"operators", "add", "出纳", "--rights", "bz16"} + admin).status, 0);
    const QStringList clerk = {"--operator", "出纳"};
    const CliRun noRight = runCli(connection + QStringList{"print", "rpt61", "--out", out} + clerk);
    EXPECT_EQ(noRight.status, 1);
    EXPECT_TRUE(noRight.err.endsWith(QStringLiteral("您没有使用授权！若需要请与管理员协商\n")));
    const CliRun wrong = runCli(connection + QStringList{"print", "rpt61", "--out", out, "--operator", "管理员", "--password", "x"});
    EXPECT_EQ(wrong.status, 1);
}
