#include "db/transaction.h"

#include "db/sql.h"
#include "db/sqldialect.h"

#include <QSqlQuery>

Transaction::Transaction(const QSqlDatabase &db) : m_db(db)
{
    Sql::exec(m_db, SqlDialect::of(m_db).beginTransaction());
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    m_open = false;
    try {
        Sql::exec(m_db, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}
