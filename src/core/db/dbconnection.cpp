#include "db/dbconnection.h"

#include "db/dberror.h"

namespace {

ConnectionSettings parsed(const QString &connectionString, QString *catalog)
{
    QString error;
    const std::optional<ConnectionSettings> settings =
        ConnectionSettings::parse(connectionString, catalog, &error);
    if (!settings)
        throw DbError(error);
    return *settings;
}

} // namespace

DbConnection::DbConnection(const QString &connectionName, const ConnectionSettings &settings,
                           const QString &catalog, bool create)
    : m_name(connectionName), m_settings(settings), m_catalog(catalog)
{
    m_db = dialect().open(connectionName, settings, catalog, create);
}

DbConnection::DbConnection(const QString &connectionName, const QString &connectionString)
    : m_name(connectionName)
{
    m_settings = parsed(connectionString, &m_catalog);
    m_db = dialect().open(connectionName, m_settings, m_catalog, false);
}

DbConnection::~DbConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}
