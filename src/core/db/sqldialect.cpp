#include "db/sqldialect.h"

#include "db/dberror.h"
#include "db/postgresdialect.h"
#include "db/sqlitedialect.h"

#include <QRegularExpression>

const SqlDialect &SqlDialect::forProvider(Provider provider)
{
    static const SqliteDialect sqlite;
    static const PostgresDialect postgres;
    if (provider == Provider::PostgreSQL)
        return postgres;
    return sqlite;
}

const SqlDialect &SqlDialect::of(const QSqlDatabase &db)
{
    return forProvider(db.driverName() == QLatin1String("QPSQL") ? Provider::PostgreSQL
                                                                 : Provider::SQLite);
}

void SqlDialect::requirePlainName(const QString &catalog)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    if (!plain.match(catalog).hasMatch())
        throw DbError(QStringLiteral("数据库名称不正确：%1").arg(catalog));
}
