#include "testbooks.h"

#include "app/homefolder.h"
#include "db/sql.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

Provider TestBooks::provider()
{
    return qEnvironmentVariable("LANX_TEST_PROVIDER") == QLatin1String("postgresql")
               ? Provider::PostgreSQL
               : Provider::SQLite;
}

TestBooks::TestBooks()
{
    m_home = m_dir.path() + QStringLiteral("/home");
    m_settings.provider = provider();
    m_settings.dataFolder = HomeFolder::dataFolder(m_home);
    if (m_settings.provider == Provider::PostgreSQL) {
        const QString server = qEnvironmentVariable("LANX_TEST_PG");
        const qsizetype colon = server.lastIndexOf(u':');
        m_settings.server = server.left(colon);
        m_settings.port = server.mid(colon + 1).toInt();
        m_settings.user = qEnvironmentVariable("LANX_TEST_PG_USER", QStringLiteral("postgres"));
        dropProgramDatabases(m_settings);
    }
}

TestBooks::~TestBooks() = default;

void TestBooks::dropProgramDatabases(const ConnectionSettings &settings)
{
    DbConnection maintenance(QStringLiteral("test-maintenance"), settings,
                             QStringLiteral("postgres"));
    QSqlQuery names = Sql::exec(maintenance.db(),
                                QStringLiteral("select datname from pg_database where datname in "
                                               "('master','V8_URU_ZEZ') or datname like 'lanx%'"));
    QStringList databases;
    while (names.next())
        databases << names.value(0).toString();
    for (const QString &name : databases)
        Sql::exec(maintenance.db(),
                  QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(name));
}

QStringList TestBooks::cliConnectionOptions() const
{
    QStringList options = {QStringLiteral("--home"), m_home};
    if (m_settings.provider == Provider::PostgreSQL)
        options << QStringLiteral("--provider") << QStringLiteral("postgresql")
                << QStringLiteral("--server")
                << QStringLiteral("%1:%2").arg(m_settings.server).arg(m_settings.port)
                << QStringLiteral("--user") << m_settings.user;
    return options;
}

AccountSetStore &TestBooks::store()
{
    if (!m_store) {
        m_store = std::make_unique<AccountSetStore>(m_settings, QStringLiteral("test-master"));
        m_store->bootstrap();
    }
    return *m_store;
}

AccountSet TestBooks::createSet(const QString &name)
{
    const Result<AccountSet> created = store().create(name);
    EXPECT_TRUE(created.ok()) << created.message().toStdString();
    return created.value();
}

std::unique_ptr<DbConnection> TestBooks::open(const QString &code, const QString &connectionName)
{
    return std::make_unique<DbConnection>(connectionName, m_settings, code);
}
