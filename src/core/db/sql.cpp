#include "db/sql.h"

#include "db/dberror.h"

#include <QSqlError>

namespace {

[[noreturn]] void fail(const QSqlQuery &query, const QString &statement)
{
    throw DbError(QStringLiteral("数据库操作失败：%1\n%2")
                      .arg(query.lastError().text(), statement.simplified()));
}

void bindAll(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
}

} // namespace

namespace Sql {

QSqlQuery exec(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (values.isEmpty()) {
        if (!query.exec(statement))
            fail(query, statement);
        return query;
    }
    if (!query.prepare(statement))
        fail(query, statement);
    bindAll(query, values);
    if (!query.exec())
        fail(query, statement);
    return query;
}

QVariant scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query = exec(db, statement, values);
    return query.next() ? query.value(0) : QVariant();
}

void execBatch(const QSqlDatabase &db, const QString &statement, const QList<QVariantList> &rows)
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        fail(query, statement);
    for (const QVariantList &row : rows) {
        bindAll(query, row);
        if (!query.exec())
            fail(query, statement);
    }
}

} // namespace Sql
