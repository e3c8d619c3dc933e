#pragma once

#include "common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The departments (bmbm): a tree of at most three levels whose codes are built of two-digit
// segments, the parent's code followed by the child's own segment. `parent` holds the parent's
// code read as a number (-1 at the top); the tree itself is told by the codes.
namespace Departments {

constexpr int SegmentLength = 2;
constexpr int MaxLevels = 3;
constexpr int NameMaxLength = 40;

struct Department
{
    QString bmbm;
    QString bmmc;
    int parent = -1;
};

QList<Department> list(const QSqlDatabase &db); // by code
// The departments without sub-departments, the only ones a voucher line may name.
QList<Department> leaves(const QSqlDatabase &db);

// The code without its last segment; empty at the top.
QString parentCode(const QString &code);
// The parent column of a department below `parentCode`.
int parentValue(const QString &parentCode);

bool hasChildren(const QSqlDatabase &db, const QString &code);
bool usedOnVouchers(const QSqlDatabase &db, const QString &code);
// Whether a sub-department may be added: not below the third level, not below a department
// that voucher lines name.
Status canAddChild(const QSqlDatabase &db, const QString &code);
// The code of a department may change only while nothing refers to it.
bool codeChangeable(const QSqlDatabase &db, const QString &code);

// The editor's save: the code is `parentCode` followed by the trimmed segment. A null `oldCode`
// adds a department, otherwise the department of that code is changed. Returns the code saved.
Result<QString> save(const QSqlDatabase &db, const QString &parentCode, const QString &segment,
                     const QString &name, const QString &oldCode = QString());
// A new department given by its whole code.
Result<QString> add(const QSqlDatabase &db, const QString &code, const QString &name);

// The deletion rules, in the order the user is told them.
Status checkRemove(const QSqlDatabase &db, const QString &code);
Status remove(const QSqlDatabase &db, const QString &code);

} // namespace Departments
