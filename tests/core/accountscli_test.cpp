// lanx-cli accounts: setting up a chart of accounts from a script, with the screens' rules.

#include "clirun.h"
#include "testbooks.h"

#include "db/sql.h"

#include <gtest/gtest.h>

#include <QProcess>

class AccountsCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connection = m_books.cliConnectionOptions();
        ASSERT_EQ(cli({"sets", "create", "--name", "丙"}).status, 0);
        const CliRun init = cli({"sets", "init", "lanx2", "--year", "2024", "--month", "1",
                                 "--levels", "4-3-3-2-2-2"});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
        m_conn = m_books.open(QStringLiteral("lanx2"));
    }

    CliRun cli(const QStringList &arguments) const
    {
        return runCli(m_connection + arguments);
    }
    CliRun accounts(const QStringList &arguments) const
    {
        return cli(QStringList{"accounts"} + arguments
                   + QStringList{"--set", "lanx2", "--operator", "管理员"});
    }
    // The refusal on standard error, without the login's reminder of the empty password.
    static QString refusal(const CliRun &run)
    {
        QString text = run.err;
        text.remove(QStringLiteral("当前密码为空，请尽快修改用户密码\n"));
        return text.trimmed();
    }
    QSqlDatabase db() const { return m_conn->db(); }

    TestBooks m_books;
    QStringList m_connection;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(AccountsCliTest, SetsUpAChartFromAScript)
{
    Sql::exec(db(), QStringLiteral("insert into moneyhl (name,hl) values ('美元',7.1)"));
    const QList<QStringList> script = {
        {"add", "1003", "存放'同业'款项 100%"},
        {"add", "1003001", "工商银行", "--cash", "--dept", "--erp", "E1003"},
        {"add", "1003002", "美元户", "--currency", "美元", "--cash", "--cashflow"},
        {"add", "1003002001", "花旗", "--project", "--direction", "贷"},
        {"add", "6999", "其他", "--category", "5"},
    };
    for (const QStringList &step : script) {
        const CliRun run = accounts(step);
        ASSERT_EQ(run.status, 0) << step.join(u' ').toStdString() << refusal(run).toStdString();
    }
    const CliRun edited = accounts({"edit", "1003001", "--name", "工行", "--dept", "0",
                                    "--code", "1003009"});
    ASSERT_EQ(edited.status, 0) << refusal(edited).toStdString();

    const CliRun listed = accounts({"list", "--level", "3"});
    ASSERT_EQ(listed.status, 0);
    const QStringList lines = listed.out.split(u'\n');
    EXPECT_EQ(lines.first(),
              QStringLiteral("itembm\titemmc\tzl\tjhd\tbmhs\txmhs\twbhs\twbmc\txjyh\t"
                             "xjll\tljzj\tkmjc\terpKmcode"));
    auto line = [&](const QString &code) {
        for (const QString &l : lines) {
            if (l.startsWith(code + u'\t'))
                return l;
        }
        return QString();
    };
    EXPECT_EQ(line("1003"), QStringLiteral("1003\t存放'同业'款项 100%\t1\t1\t0\t0\t0\t\t0\t0\t0\t1\t"));
    EXPECT_EQ(line("1003009"), QStringLiteral("1003009\t工行\t1\t1\t0\t0\t0\t\t1\t0\t0\t2\tE1003"));
    EXPECT_EQ(line("1003002"), QStringLiteral("1003002\t美元户\t1\t1\t0\t0\t1\t美元\t1\t1\t0\t2\t"));
    EXPECT_EQ(line("1003002001"),
              QStringLiteral("1003002001\t花旗\t1\t0\t0\t1\t0\t\t0\t0\t0\t3\t"));
    EXPECT_EQ(line("6999"), QStringLiteral("6999\t其他\t5\t1\t0\t0\t0\t\t0\t0\t0\t1\t"));
    EXPECT_TRUE(accounts({"list", "--level", "1"}).out.contains(QStringLiteral("\n1003\t")));
    EXPECT_FALSE(accounts({"list", "--level", "1"}).out.contains(QStringLiteral("\n1003009\t")));
    EXPECT_EQ(
        Sql::scalar(db(), QStringLiteral("select count(*) from account_ye where kjnf=2024 and "
                                         "itembm like '1003%'"))
            .toInt(),
        4);
}

TEST_F(AccountsCliTest, RefusesBadInputWithTheSystemsMessages)
{
    ASSERT_EQ(accounts({"add", "1003", "存放款项"}).status, 0);
    ASSERT_EQ(accounts({"add", "1003001", "甲", "--erp", "E1"}).status, 0);
    struct Case
    {
        QStringList arguments;
        int status;
        const char *message;
    };
    const QList<Case> cases = {
        {{"add", "10031", "短"}, 1, "科目编码的长度有错误"},
        {{"add", "10030a1", "字母"}, 1, "科目编码的长度有错误"},
        {{"add", "1003001", "重复"}, 1, "科目已经被使用"},
        {{"add", "1003002", " "}, 1, "请输入科目名称"},
        {{"add", "1003001001010101010", "七级"}, 1, "科目最多6级。"},
        {{"add", "1999001", "无上级"}, 1, "上级科目不存在"},
        {{"add", "1003002", "重复映射", "--erp", "E1"}, 1, "D8AZO的科目：,E1重复设置！"},
        {{"add", "1003002", "币", "--currency", "英镑"}, 1, "外币种类不存在：英镑"},
        {{"add", "1003002", "方向", "--direction", "左"}, 2, nullptr},
        {{"add", "1003002", "类别", "--category", "2"}, 2, nullptr},
        {{"add", "1003002", "选项", "--frob"}, 2, nullptr},
        {{"edit", "1003", "--erp", "E9"}, 1, "汇总科目不能设置对应ERP科目编码"},
        {{"edit", "1003001", "--code", "1004001"}, 1, "只能修改本级科目编码"},
        {{"edit", "1009"}, 1, "科目不存在：1009"},
        {{"delete", "1003"}, 1, "不能删除汇总科目。"},
        {{"delete", "1003001"}, 1, "科目删除后不可恢复，确认要删除？"},
        {{"list", "--level", "7"}, 2, nullptr},
    };
    const QString before = accounts({"list"}).out;
    for (const Case &c : cases) {
        const CliRun run = accounts(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(u' ').toStdString();
        if (c.message) {
            EXPECT_EQ(refusal(run), QString::fromUtf8(c.message))
                << c.arguments.join(u' ').toStdString();
        }
    }
    EXPECT_EQ(accounts({"list"}).out, before);

    const CliRun noRight = cli({"accounts", "list", "--set", "lanx2", "--operator", "记帐员"});
    EXPECT_EQ(noRight.status, 1);
    EXPECT_EQ(accounts({"delete", "1003001", "--yes"}).status, 0);
    EXPECT_FALSE(accounts({"list"}).out.contains(QStringLiteral("\n1003001\t")));
}

TEST_F(AccountsCliTest, ASubAccountUnderAUsedAccountNeedsYesAndTakesTheLines)
{
    Sql::exec(db(), QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,itembm,jfje) values "
                                   "(2024,1,1,1,'1001',12.5)"));
    Sql::exec(db(), QStringLiteral("update account_ye set jf1=12.5 where itembm='1001'"));
    const CliRun asked = accounts({"add", "1001001", "人民币"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(refusal(asked), QStringLiteral("科目已使用，若增加下级科目则系统会在退出模块时自动复制凭证至下级科目！"));
    const CliRun added = accounts({"add", "1001001", "人民币", "--yes"});
    ASSERT_EQ(added.status, 0) << refusal(added).toStdString();
    EXPECT_EQ(
        Sql::scalar(db(), QStringLiteral("select count(*) from account where itembm='1001001'"))
            .toInt(),
        1);
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account_ye where "
                                               "itembm='1001001' and jf1 > 12"))
                  .toInt(),
              1);
    EXPECT_EQ(refusal(accounts({"delete", "1001001", "--yes"})), QStringLiteral("科目已使用不能删除。"));
}
