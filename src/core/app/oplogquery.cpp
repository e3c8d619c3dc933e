#include "app/oplogquery.h"

#include "db/sql.h"

#include <QDateTime>
#include <QSqlQuery>

namespace OpLog {

QString condition(const Filter &filter, QVariantList *values)
{
    QString text = QStringLiteral(" where  1=1 ");
    if (!filter.operatorName.isEmpty() && filter.operatorName != AllOperators) {
        text += QStringLiteral(" and czy=?");
        values->append(filter.operatorName);
    }
    if (filter.from.isValid()) {
        text += QStringLiteral(" and rq >= ?");
        values->append(QDateTime(filter.from, QTime(0, 0)));
    }
    if (filter.to.isValid()) {
        text += QStringLiteral(" and rq <= ?");
        values->append(QDateTime(filter.to, QTime(0, 0)));
    }
    return text;
}

QString listStatement(const Filter &filter, QVariantList *values)
{
    return QStringLiteral("select * from Oplog ") + condition(filter, values)
           + QStringLiteral(" order by rq desc, id desc");
}

int deleteMatching(const QSqlDatabase &db, const Filter &filter)
{
    QVariantList values;
    const QString statement = QStringLiteral("delete from Oplog ") + condition(filter, &values);
    return Sql::exec(db, statement, values).numRowsAffected();
}

QStringList operatorNames(const QSqlDatabase &db)
{
    QStringList names;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select id,name from op_detail order by id"));
    while (query.next())
        names << query.value(1).toString();
    return names;
}

} // namespace OpLog
