#pragma once

#include "db/accountsetstore.h"
#include "db/connectionsettings.h"
#include "db/dbconnection.h"
#include "qtprinters.h"

#include <QTemporaryDir>

#include <memory>

// A fresh home folder on the backend this test run is for: SQLite files in a temporary folder,
// or the throwaway PostgreSQL server named by LANX_TEST_PG ("host:port"), from which the
// databases of earlier runs are removed first. LANX_TEST_PROVIDER picks the backend.
class TestBooks
{
public:
    TestBooks();
    ~TestBooks();

    static Provider provider();
    // lanx-cli connection options for this backend.
    QStringList cliConnectionOptions() const;

    const QString &home() const { return m_home; }
    const ConnectionSettings &settings() const { return m_settings; }

    // The master list, bootstrapped (the first set exists).
    AccountSetStore &store();
    // A new account set, fresh from the template.
    AccountSet createSet(const QString &name = QStringLiteral("测试帐套"));
    std::unique_ptr<DbConnection> open(const QString &code,
                                       const QString &connectionName = QStringLiteral("test-set"));

private:
    static void dropProgramDatabases(const ConnectionSettings &settings);

    QTemporaryDir m_dir;
    QString m_home;
    ConnectionSettings m_settings;
    std::unique_ptr<AccountSetStore> m_store;
};
