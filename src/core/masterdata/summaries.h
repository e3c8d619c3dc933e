#pragma once

#include "common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The stock phrases offered as voucher summaries (account_zy): a two-level tree of groups
// (parent -1) and the phrases within them.
namespace Summaries {

constexpr int GroupParent = -1;
constexpr int InfoMaxLength = 80;

struct Summary
{
    int id = 0;
    int parent = GroupParent;
    QString info;

    bool isGroup() const { return parent == GroupParent; }
};

// Every row, groups and phrases, in the order they were added.
QList<Summary> list(const QSqlDatabase &db);

// A new group (parent -1) or a phrase within the group `parent`. Returns its id.
Result<int> add(const QSqlDatabase &db, int parent, const QString &info);
Status update(const QSqlDatabase &db, int id, const QString &info);

// Whether a row may get a phrase below it: only a group may.
Status canAddChild(const QSqlDatabase &db, int id);

// Whether the row may be deleted: a group that still holds phrases may not.
Status checkRemove(const QSqlDatabase &db, int id);
Status remove(const QSqlDatabase &db, int id);

} // namespace Summaries
