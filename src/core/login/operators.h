#pragma once

#include "common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>

// The operators of one account set (table op_detail): login, maintenance and passwords.
// Operator 1, the administrator, cannot be changed, deleted or stripped of his password.
namespace Operators {

constexpr int AdministratorId = 1;
constexpr int MaxOperators = 10000;
constexpr int NameMaxLength = 10; // names are stored on vouchers in 10 characters
// The rights an operator can be given, bz1..bz9 and bz11..bz17; bz10 and bz18..bz20 exist,
// are set together with them, and grant nothing.
constexpr int RightCount = 20;

struct Operator
{
    int id = 0;
    QString name;
};

struct Login
{
    int id = 0;
    QString name;
    QSqlRecord row;        // the op_detail row, for the rights
    bool emptyPassword = false; // the operator must be asked to set one
};

QList<Operator> list(const QSqlDatabase &db);

// Checks a login typed in the operator dialog: the name in any letter case, the password
// exactly as typed. A password stored by an earlier version (scrambled with `legacyKey`) is
// accepted once and replaced by its hash.
Result<Login> logIn(const QSqlDatabase &db, const QString &typedName, const QString &typedPassword,
                    quint16 legacyKey, const QString &onlyId = {});

// The administrator row when the table is empty.
void ensureAdministrator(const QSqlDatabase &db);

// A new operator with the next id (max + 1) and the rights given (index 1..20; missing = 0).
Result<int> add(const QSqlDatabase &db, const QString &name, const QString &password,
                const QList<int> &rights);
Status update(const QSqlDatabase &db, int id, const QString &name, const QList<int> &rights);
Status remove(const QSqlDatabase &db, int id);
Status clearPassword(const QSqlDatabase &db, int id);
// The password dialog: the old password, the new one twice.
Status changePassword(const QSqlDatabase &db, int id, const QString &oldPassword,
                      const QString &newPassword, const QString &confirmation,
                      quint16 legacyKey);

// The rights of an operator row as a list indexed 1..20 (index 0 unused).
QList<int> rightsOf(const QSqlRecord &row);

} // namespace Operators
