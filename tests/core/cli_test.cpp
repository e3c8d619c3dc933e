#include "clirun.h"
#include "testbooks.h"

#include <gtest/gtest.h>

#include "db/sql.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>

TEST(CliSets, CreatesListsAndDropsSets)
{
    TestBooks books;
    const QStringList connection = books.cliConnectionOptions();
    const QString name = QStringLiteral("甲 'x' \"y\" \\ 50% a_b");

    CliRun created = runCli(connection + QStringList{"sets", "create", "--name", name});
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    EXPECT_EQ(created.out, QStringLiteral("id\tcode\tztmc\n2\tlanx2\t") + name + u'\n');

    CliRun listed = runCli(connection + QStringList{"sets", "list"});
    ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, QStringLiteral("id\tcode\tztmc\n1\tV8_URU_ZEZ\t企业财务帐套\n2\tlanx2\t")
                              + name + u'\n');

    EXPECT_EQ(runCli(connection + QStringList{"sets", "drop", "lanx2"}).status, 0);
    CliRun refused = runCli(connection + QStringList{"sets", "drop", "V8_URU_ZEZ"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.err.isEmpty());
    CliRun blank = runCli(connection + QStringList{"sets", "create", "--name", " "});
    EXPECT_EQ(blank.status, 1);
    EXPECT_EQ(blank.err, QStringLiteral("请输入帐套名称。   \n"));
    EXPECT_EQ(runCli(connection + QStringList{"sets", "create"}).status, 2);
    EXPECT_EQ(runCli(connection + QStringList{"sets", "frobnicate"}).status, 2);
}

TEST(CliSets, ConnectionProblemsGiveOneMessageAndStatusThree)
{
    if (TestBooks::provider() != Provider::SQLite)
        GTEST_SKIP() << "checks the connection options themselves; once is enough";
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    const QStringList list = {"sets", "list"};
    const QList<QStringList> cases = {
        QStringList{"--provider", "oracle"} + list,
        QStringList{"--home", notAFolder.fileName() + "/home"} + list,
        // Nothing listens on port 1: refused at once, or given up after the connect timeout.
        QStringList{"--provider", "postgresql", "--server", "127.0.0.1:1", "--user", "x"} + list,
    };
    for (const QStringList &arguments : cases) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 3) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.trimmed().isEmpty());
        EXPECT_FALSE(run.err.contains(QStringLiteral("Segmentation")));
    }
}

TEST(CliSets, InitialisesAndShowsASetAndLogsOperatorsIn)
{
    TestBooks books;
    const QStringList connection = books.cliConnectionOptions();
    ASSERT_EQ(runCli(connection + QStringList{"sets", "create", "--name", "乙"}).status, 0);
    const CliRun init = runCli(connection + QStringList{"sets", "init", "lanx2", "--year", "2008",
                                                        "--month", "3", "--levels", "4-3-3-2-2-2",
                                                        "--same-reviewer"});
    ASSERT_EQ(init.status, 0) << init.err.toStdString();
    EXPECT_EQ(runCli(connection + QStringList{"sets", "init", "lanx2", "--year", "2009", "--month", "1"}).status, 1);

    const QStringList admin = {"--set", "lanx2", "--operator", "管理员"};
    const CliRun info = runCli(connection + QStringList{"sets", "info"} + admin);
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_EQ(info.out, QStringLiteral("code\tztmc\tqykjnf\tqykjyf\tkjnf\tkjyf\tkmcd\tbz1\tbz2\tbz3\n"
                                       "lanx2\t乙\t2008\t3\t2008\t3\t4-3-3-2-2-2\t1\t0\t0\n"));
    EXPECT_TRUE(info.err.contains(QStringLiteral("当前密码为空，请尽快修改用户密码")));

    const CliRun added = runCli(connection + QStringList{"operators", "add", "会计", "--new-password",
                                                         "p'w\"1", "--rights", "bz1,bz2"} + admin);
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    EXPECT_EQ(added.out, QStringLiteral("id\tname\n2\t会计\n"));

    const QStringList clerk = {"--set", "lanx2", "--operator", "会计", "--password", "p'w\"1"};
    const CliRun wrong = runCli(connection + QStringList{"sets", "info", "--set", "lanx2",
                                                         "--operator", "会计", "--password", "pw"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, QStringLiteral("密码不正确，不能打开财务系统！   \n"));
    const CliRun noRight = runCli(connection + QStringList{"operators", "list"} + clerk);
    EXPECT_EQ(noRight.status, 1);
    EXPECT_EQ(noRight.err, QStringLiteral("您没有使用授权！若需要请与管理员协商\n"));

    const CliRun passwd = runCli(connection + QStringList{"operators", "passwd", "--new", "新密码 "} + clerk);
    ASSERT_EQ(passwd.status, 0) << passwd.err.toStdString();
    const CliRun relogin = runCli(connection + QStringList{"sets", "info", "--set", "lanx2",
                                                           "--operator", "会计", "--password", "新密码"});
    EXPECT_EQ(relogin.status, 0) << "the new password is stored trimmed";

    const CliRun listed = runCli(connection + QStringList{"operators", "list"} + admin);
    ASSERT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.startsWith(QStringLiteral("id\tname\tbz1\tbz2\tbz3")));
    EXPECT_TRUE(listed.out.contains(QStringLiteral("\n2\t会计\t1\t1\t0\t0")));
}

TEST(CliSets, BacksUpAndRestoresASet)
{
    TestBooks books;
    const QStringList connection = books.cliConnectionOptions();
    const QString file = books.home() + QStringLiteral("/out/备份.bak");
    QDir().mkpath(books.home() + QStringLiteral("/out"));
    const QStringList admin = {"--operator", "管理员"};
    const CliRun backup = runCli(connection + QStringList{"sets", "backup", "--file", file} + admin);
    ASSERT_EQ(backup.status, 0) << backup.err.toStdString();
    const CliRun restored = runCli(connection + QStringList{"sets", "restore", "--file", file,
                                                            "--name", "副本"});
    ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(restored.out, QStringLiteral("id\tcode\tztmc\n2\tlanx2\t副本\n"));
    // The log entry is written once the backup is complete, so it is not in the copy.
    auto original = books.open(QStringLiteral("V8_URU_ZEZ"), QStringLiteral("original"));
    EXPECT_EQ(Sql::scalar(original->db(), QStringLiteral("select title from Oplog")).toString(),
              QStringLiteral("完成备份"));
    auto copy = books.open(QStringLiteral("lanx2"));
    EXPECT_EQ(Sql::scalar(copy->db(), QStringLiteral("select count(*) from Oplog")).toInt(), 0);
    const CliRun junk = runCli(connection + QStringList{"sets", "restore", "--file", LANX_CLI_PATH,
                                                        "--name", "坏"});
    EXPECT_EQ(junk.status, 1);
}
