// lanx-cli vouchers: entering, importing, listing and deleting vouchers from a script, with the
// checks and messages of the voucher entry screen.

#include "clirun.h"
#include "testbooks.h"

#include "db/sql.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

class VouchersCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connection = m_books.cliConnectionOptions();
        ASSERT_EQ(cli({"sets", "create", "--name", "凭证"}).status, 0);
        const CliRun init = cli({"sets", "init", "lanx2", "--year", "2024", "--month", "5",
                                 "--levels", "4-3-2-2-2-2"});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
        m_conn = m_books.open(QStringLiteral("lanx2"));
    }

    CliRun cli(const QStringList &arguments) const
    {
        CliRun run = runCli(m_connection + arguments);
        run.err.remove(QStringLiteral("当前密码为空，请尽快修改用户密码\n"));
        return run;
    }
    CliRun vouchers(const QStringList &arguments) const
    {
        return cli(QStringList{"vouchers"} + arguments
                   + QStringList{"--set", "lanx2", "--operator", "管理员"});
    }
    int count(const char *where = "1=1") const
    {
        return Sql::scalar(db(), QStringLiteral("select count(*) from account where %1")
                                     .arg(QLatin1String(where)))
            .toInt();
    }
    QSqlDatabase db() const { return m_conn->db(); }

    TestBooks m_books;
    QStringList m_connection;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(VouchersCliTest, AddsListsShowsAndDeletesVouchers)
{
    CliRun add = vouchers({"add", "--date", "2024-05-10", "--attachments", "2", "--line",
                           "提现 'A' \"B\"|1001|1,000.50|", "--line", "提现|1002001||1000.50"});
    ASSERT_EQ(add.status, 0) << add.err.toStdString();
    EXPECT_EQ(add.out, QStringLiteral("kjnf\tkjyf\tpzbh\n2024\t5\t1\n"));
    // A used number becomes the month's maximum + 1; a free one stays.
    add = vouchers({"add", "--date", "2024-05-11", "--number", "1", "--line", "a|1001|5|",
                    "--line", "a|1122||5"});
    EXPECT_EQ(add.out.split('\n').value(1), QStringLiteral("2024\t5\t2"));
    add = vouchers({"add", "--date", "2024-05-11", "--number", "7", "--line", "a|1001|5|",
                    "--line", "a|1122||5"});
    EXPECT_EQ(add.out.split('\n').value(1), QStringLiteral("2024\t5\t7"));

    const CliRun list = vouchers({"list", "--year", "2024", "--month", "5"});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList rows = list.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("kjnf\tkjyf\tpzbh\trq\tfjs\tlinecount\tjfje")));
    EXPECT_TRUE(rows[1].startsWith(
        QStringLiteral("2024\t5\t1\t2024-05-10\t2\t2\t1000.50\t1000.50\t管理员")));

    const CliRun show = vouchers({"show", "2024", "5", "1"});
    ASSERT_EQ(show.status, 0) << show.err.toStdString();
    const QStringList lines = show.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QStringList second = lines[2].split('\t');
    EXPECT_EQ(second.value(6), QStringLiteral("提现"));
    EXPECT_EQ(second.value(8), QStringLiteral("银行存款/基本户"));
    EXPECT_EQ(second.value(10), QStringLiteral("1000.50"));
    EXPECT_EQ(second.value(15), QStringLiteral("1001")); // dfkm
    EXPECT_EQ(lines[1].split('\t').value(6), QStringLiteral("提现 'A' \"B\""));

    // Deleting asks; without --yes the question is the refusal.
    CliRun del = vouchers({"delete", "2024", "5", "2"});
    EXPECT_EQ(del.status, 1);
    EXPECT_EQ(del.err, QStringLiteral("是否删除当前凭证? \n"));
    del = vouchers({"delete", "--yes", "2024", "5", "2"});
    EXPECT_EQ(del.status, 0) << del.err.toStdString();
    EXPECT_EQ(count("pzbh=2"), 0);
    Sql::exec(db(), QStringLiteral("update account set fhbz=1 where pzbh=7"));
    del = vouchers({"delete", "2024", "5", "7", "--yes"});
    EXPECT_EQ(del.status, 1);
    EXPECT_EQ(del.err, QStringLiteral("已复核或登帐的凭证不能删除 \n"));
}

TEST_F(VouchersCliTest, RefusesBadInputWithTheScreensMessages)
{
    struct Case
    {
        QStringList arguments;
        int status;
        QString err; // the last line of standard error
    };
    const QList<Case> cases = {
        {{"--date", "2024-05-10", "--line", "a|1001|1|", "--line", "a|1122||2"}, 1,
         QStringLiteral("借方和贷方金额不平")},
        {{"--date", "2024-04-30", "--line", "a|1001|1|", "--line", "a|1122||1"}, 1,
         QStringLiteral("不能录入当前会计月份之前的凭证")},
        {{"--date", "2024-05-10", "--line", "a|1002|1|", "--line", "a|1122||1"}, 1,
         QStringLiteral("第1行 必须是明细科目")},
        {{"--date", "2024-05-10", "--line", "a|1001|1|", "--line", "|1122||1"}, 1,
         QStringLiteral("第2行 必须填写摘要")},
        {{"--date", "2024-05-10", "--line", "a|1001|1|1", "--line", "a|1122||1"}, 1,
         QStringLiteral("第1行 借方和贷方只能有一方不为0")},
        {{"--date", "2024-05-10", "--line", "a|1001|1||||10|6.5", "--line", "a|1122||1"}, 1,
         QStringLiteral("第1行 外币金额乘汇率不等于本位币金额,是否继续？")},
        {{"--date", "2024-05-10", "--number", "0", "--line", "a|1001|1|", "--line", "a|1122||1"},
         1, QStringLiteral("凭证号必须大于0")},
        {{"--date", "2024-02-30", "--line", "a|1001|1|", "--line", "a|1122||1"}, 2,
         QStringLiteral("日期无效：2024-02-30")},
        {{"--date", "2024-05-10", "--line", "a|1001|1.005|", "--line", "a|1122||1.005"}, 2, {}},
        {{"--date", "2024-05-10", "--line", "a|1001|99999999999999999|", "--line",
          "a|1122||99999999999999999"}, 2, {}},
        {{"--date", "2024-05-10", "--line", QString(41, QChar(0x6458)) + "|1001|1|", "--line",
          "a|1122||1"}, 2, {}},
    };
    for (const Case &c : cases) {
        const CliRun run = vouchers(QStringList{"add"} + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        if (!c.err.isEmpty())
            EXPECT_TRUE(run.err.endsWith(c.err + '\n')) << run.err.toStdString();
    }
    EXPECT_EQ(count(), 0);

    // The foreign-amount question answered yes.
    const CliRun yes = vouchers({"add", "--date", "2024-05-10", "--line", "a|1001|1||||10|6.5",
                                 "--line", "a|1122||1", "--yes"});
    EXPECT_EQ(yes.status, 0) << yes.err.toStdString();
}

TEST_F(VouchersCliTest, ImportsAWholeFileOrNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vouchers.csv"));
    const auto write = [&path](const QString &text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    };
    write(QStringLiteral("rq,pzbh,pzzy,itembm,jfje,dfje\n"
                         "2024-05-03,1,\"购料, 含\"\"运费\"\"\",1403,300,\n"
                         "2024-05-03,1,购料,2202,,300\n"
                         "2024-05-04,2,收款,1001,50,\n"
                         "2024-05-04,2,收款,1122,,50\n"
                         "2024-06-01,1,预收,1002001,10,\n"
                         "2024-06-01,1,预收,2203,,10\n"));
    CliRun run = vouchers({"import", path});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("vouchers\tlines\n3\t6\n"));
    EXPECT_EQ(count("kjyf=5"), 4);
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select pzzy from account where pzfl=1 and "
                                               "kjyf=5 and pzbh=1"))
                  .toString(),
              QStringLiteral("购料, 含\"运费\""));

    // Numbers already used move above the month; a refused voucher stops the whole file.
    write(QStringLiteral("2024-05-05,1,再购,1403,1,\n2024-05-05,1,再购,2202,,1\n"
                         "2024-05-06,9,错,1001,1,\n2024-05-06,9,错,1122,,2\n"));
    run = vouchers({"import", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("借方和贷方金额不平\n"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("第3行起"))) << run.err.toStdString();
    EXPECT_EQ(count(), 6);

    write(QStringLiteral("2024-05-05,1,再购,1403,1,\n2024-05-05,1,再购,2202,,1\n"));
    run = vouchers({"import", path});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(count("kjyf=5 and pzbh=3"), 2);

    write(QStringLiteral("2024-05-05,1,再购,1403,1.001,\n"));
    EXPECT_EQ(vouchers({"import", path}).status, 2);
    write(QStringLiteral("rq,pzbh\n2024-13-05,1,再购,1403,1,\n"));
    run = vouchers({"import", path});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("第2行"))) << run.err.toStdString();
}
