#include "db/connectionsettings.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(ConnectionSettings, PrefixEndsInTheCatalogAndRoundTripsAnyPassword)
{
    ConnectionSettings pg;
    pg.provider = Provider::PostgreSQL;
    pg.server = QStringLiteral("db.example");
    pg.port = 6543;
    pg.user = QStringLiteral("会计");
    pg.password = QStringLiteral(" a;b=\"c\" ");
    const QString prefix = pg.prefix();
    EXPECT_TRUE(prefix.endsWith(QStringLiteral(";Initial Catalog=")));
    EXPECT_TRUE(prefix.startsWith(QStringLiteral("Provider=PostgreSQL;Data Source=db.example;")));

    QString catalog;
    const std::optional<ConnectionSettings> back =
        ConnectionSettings::parse(prefix + QStringLiteral("lanx7"), &catalog);
    ASSERT_TRUE(back);
    EXPECT_EQ(catalog, QStringLiteral("lanx7"));
    EXPECT_EQ(back->provider, Provider::PostgreSQL);
    EXPECT_EQ(back->server, pg.server);
    EXPECT_EQ(back->port, 6543);
    EXPECT_EQ(back->user, pg.user);
    EXPECT_EQ(back->password, pg.password);
    EXPECT_FALSE(back->integrated);

    ConnectionSettings lite;
    lite.dataFolder = QStringLiteral("/tmp/a;b/data");
    const std::optional<ConnectionSettings> liteBack =
        ConnectionSettings::parse(lite.prefix() + QStringLiteral("master"), &catalog);
    ASSERT_TRUE(liteBack);
    EXPECT_EQ(liteBack->provider, Provider::SQLite);
    EXPECT_EQ(liteBack->dataFolder, lite.dataFolder);
    EXPECT_EQ(catalog, QStringLiteral("master"));
}

TEST(ConnectionSettings, RefusesForeignConnectionStrings)
{
    QString catalog;
    QString error;
    EXPECT_FALSE(ConnectionSettings::parse(
        QStringLiteral("Provider=SQLOLEDB.1;Data Source=x;Initial Catalog=y"), &catalog, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("SQLOLEDB.1")));
    EXPECT_FALSE(ConnectionSettings::parse(QStringLiteral("Data Source=x;Initial Catalog=y"),
                                           &catalog, &error));
    EXPECT_FALSE(ConnectionSettings::parse(QStringLiteral("Provider=SQLite;Port=abc;"), &catalog,
                                           &error));
}
