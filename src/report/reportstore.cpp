#include "report/reportstore.h"

#include "db/sql.h"
#include "db/transaction.h"

#include <QSqlQuery>

namespace ReportStore {

QList<ReportRecord> load(const QSqlDatabase &db, const QString &family)
{
    QList<ReportRecord> rows;
    QSqlQuery query = Sql::exec(db,
                                QStringLiteral("select rptname,comment,typeid,report from report "
                                               "where rptname=? order by typeid"),
                                {family});
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString(),
                     query.value(2).toInt(), query.value(3).toString()});
    return rows;
}

void save(const QSqlDatabase &db, const QString &family, QList<ReportRecord> &rows)
{
    QList<ReportRecord> numbered = rows;
    QList<QVariantList> values;
    for (int i = 0; i < numbered.size(); ++i) {
        numbered[i].typeId = i + 1;
        const ReportRecord &row = numbered.at(i);
        values.append({row.rptname, row.comment, row.typeId,
                       row.report.isEmpty() ? QVariant(QMetaType(QMetaType::QString))
                                            : QVariant(row.report)});
    }
    Transaction transaction(db);
    Sql::exec(db, QStringLiteral("delete from report where rptname=?"), {family});
    Sql::execBatch(db,
                   QStringLiteral("insert into report (rptname,comment,typeid,report) "
                                  "values (?,?,?,?)"),
                   values);
    transaction.commit();
    rows = numbered;
}

} // namespace ReportStore
