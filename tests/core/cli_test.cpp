#include "testbooks.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryFile>

namespace {

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LANX_CLI_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

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
