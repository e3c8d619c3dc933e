#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

// One print template as table `report` of the account set keeps it.
struct ReportRecord
{
    QString rptname; // the family, e.g. "rpt08"
    QString comment; // the title shown in the list (报表类型)
    int typeId = 0;  // order within the family
    QString report;  // the template's JSON; empty for NULL

    bool operator==(const ReportRecord &) const = default;
};

// Reading and writing the templates of one family (table `report`).
namespace ReportStore {

// "select * from report where rptname=:form order by typeid". Throws DbError.
QList<ReportRecord> load(const QSqlDatabase &db, const QString &family);

// Writes the family's list as it stands: the rows are renumbered 1..n in their order, and the
// family's rows in the table are replaced by them in one transaction (updates, insertions and
// deletions of the in-memory list all reach the table). Throws DbError; nothing changes then.
void save(const QSqlDatabase &db, const QString &family, QList<ReportRecord> &rows);

} // namespace ReportStore
