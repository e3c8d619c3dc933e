#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Reading and deleting the usage log (table Oplog) by operator and date, for the viewer of
// the usage-log viewer and the command line.
namespace OpLog {

// The first entry of the operator list, which stands for every operator.
inline const QString AllOperators = QStringLiteral("全体人员");

struct Filter
{
    QString operatorName; // empty or AllOperators: every operator
    QDate from;           // null: no lower bound; otherwise rq >= the start of that day
    QDate to;             // null: no upper bound; otherwise rq <= the START of that day, so the
                          // entries of the last day after 00:00 are outside (as the Part says)
};

// The middle line of the viewer's query: " where  1=1 " and the conditions of the filter, with
// the values for its placeholders appended to `values`.
QString condition(const Filter &filter, QVariantList *values);

// "select * from Oplog <condition> order by rq desc" (newest first).
QString listStatement(const Filter &filter, QVariantList *values);

// Deletes the entries the filter selects, without asking; returns how many went. Throws DbError.
int deleteMatching(const QSqlDatabase &db, const Filter &filter);

// The operator names in id order ("select id,name from op_detail order by id"). Throws DbError.
QStringList operatorNames(const QSqlDatabase &db);

} // namespace OpLog
