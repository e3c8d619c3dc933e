#pragma once

#include "db/connectionsettings.h"
#include "db/sqldialect.h"

#include <QSqlDatabase>
#include <QString>

// One named Qt SQL connection to one database, closed and unregistered when it goes out of
// scope. The account-set connection and the master connection of the data module are two of
// these ("ADOConnection1" and "ADOConnection2").
class DbConnection
{
public:
    // Throws DbError when the database cannot be opened.
    DbConnection(const QString &connectionName, const ConnectionSettings &settings,
                 const QString &catalog, bool create = false);
    // Opens "prefix + catalog" as the program stores it in its context. Throws DbError.
    DbConnection(const QString &connectionName, const QString &connectionString);
    ~DbConnection();

    DbConnection(const DbConnection &) = delete;
    DbConnection &operator=(const DbConnection &) = delete;

    QSqlDatabase db() const { return m_db; }
    const SqlDialect &dialect() const { return SqlDialect::forProvider(m_settings.provider); }
    const ConnectionSettings &settings() const { return m_settings; }
    const QString &catalog() const { return m_catalog; }

private:
    QString m_name;
    ConnectionSettings m_settings;
    QString m_catalog;
    QSqlDatabase m_db;
};
