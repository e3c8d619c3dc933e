#include "app/scramble.h"
#include "appserverthread.h"
#include "db/sql.h"
#include "login/appserverlogin.h"
#include "login/dbserversettings.h"
#include "testbooks.h"

#include <gtest/gtest.h>

// The settings file of the database-server dialog leads to a working connection on this
// backend.
TEST(ServerLogin, SettingsFileConnectsToTheBooks)
{
    TestBooks books;
    books.store(); // the master list exists
    const ConnectionSettings &test = books.settings();

    DbServerSettings settings;
    settings.provider = test.provider;
    if (test.provider == Provider::PostgreSQL)
        settings.server = QStringLiteral("%1:%2").arg(test.server).arg(test.port);
    settings.user = test.user;
    settings.password = test.password;
    settings.integrated = false;
    ASSERT_TRUE(settings.write(books.home()));

    const Result<ConnectionSettings> read = DbServerSettings::read(books.home())
                                                .connectionSettings(books.home());
    ASSERT_TRUE(read.ok()) << read.message().toStdString();
    DbConnection master(QStringLiteral("settings-master"),
                        read->prefix() + QStringLiteral("master"));
    EXPECT_GE(Sql::scalar(master.db(), QStringLiteral("select count(*) from lxfs_ztmc")).toInt(),
              1);
}

// The database login handed out by the application server opens the books.
TEST(ServerLogin, ApplicationServerLoginOpensTheBooks)
{
    if (TestBooks::provider() != Provider::PostgreSQL)
        GTEST_SKIP() << "the application server hands out logins to a database server";
    TestBooks books;
    books.store();
    const ConnectionSettings &test = books.settings();
    AppServerThread server({{QStringLiteral("admin"), QStringLiteral("pw"), 1, test.user,
                             test.password, test.server, QString::number(test.port)}});

    AppServerLoginRequest request;
    request.hostText = QStringLiteral("localhost");
    request.portText = QString::number(server.port());
    request.userName = QStringLiteral("admin");
    request.password = QStringLiteral("pw");
    request.computerName = QStringLiteral("WS01");
    const AppServerLoginResult result = AppServerLogin::logIn(request);
    ASSERT_EQ(result.kind, AppServerLoginResult::Kind::LoggedIn);

    DbConnection set(QStringLiteral("appserver-set"),
                     result.connPrefix + QStringLiteral("V8_URU_ZEZ"));
    EXPECT_EQ(Sql::scalar(set.db(), QStringLiteral("select name from op_detail where id=?"),
                          {result.operatorId})
                  .toString(),
              QStringLiteral("管理员"));
}
