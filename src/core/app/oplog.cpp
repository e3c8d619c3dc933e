#include "app/oplog.h"

#include "db/sql.h"

namespace OpLog {

bool write(const QSqlDatabase &db, const QString &operatorName, const QString &text,
           const QDateTime &when)
{
    const QVariant highest = Sql::scalar(db, QStringLiteral("select max(id) from Oplog"));
    const int id = highest.isNull() ? 1 : highest.toInt() + 1;
    if (id > MaxId)
        return false;
    QDateTime minute = when;
    minute.setTime(QTime(when.time().hour(), when.time().minute()));
    Sql::exec(db, QStringLiteral("insert into Oplog (id,czy,title,rq) values (?,?,?,?)"),
              {id, operatorName, text, minute});
    return true;
}

} // namespace OpLog
