#pragma once

#include <QSqlDatabase>
#include <QString>

// What a lookup of an account, department, project or cash-flow code found. `kind` keeps the
// values of AppContext.AccountKind: 1 a code without sub-codes (a leaf), 2 a code with
// sub-codes, 3 not found.
struct CodeLookup
{
    enum Kind : quint8 { Leaf = 1, HasSubCodes = 2, NotFound = 3 };

    quint8 kind = NotFound;
    QString name;
    // Accounts only: zl, jhd, kmjc, bmhs, xmhs, wbhs and wbmc of the row.
    quint8 category = 0;
    quint8 direction = 0;
    quint8 level = 0;
    quint8 deptFlag = 0;
    quint8 projFlag = 0;
    quint8 fxFlag = 0;
    QString currency;

    bool found() const { return kind != NotFound; }
    bool isLeaf() const { return kind == Leaf; }
};

// The plain lookups: they read the open account set and change nothing else.
CodeLookup findAccount(const QSqlDatabase &db, const QString &code);
CodeLookup findDepartment(const QSqlDatabase &db, const QString &code);
CodeLookup findProject(const QSqlDatabase &db, const QString &code); // never HasSubCodes
CodeLookup findCashFlowCode(const QSqlDatabase &db, const QString &code); // no name

// The published lookups on ADOConnection1. Each sets AppContext.AccountKind (3 first) and, when
// the code exists, copies what it found into the AppContext fields (AccountName, and for
// accounts AccountCategory, AccountDirection, AccountDeptFlag, AccountProjFlag, AccountFxFlag,
// AccountCurrency, AccountLevel); a missing code leaves those fields as they were.

// True for a leaf account.
bool LookupAccount(const QString &code);
// True for a department without sub-departments.
bool LookupDepartment(const QString &code);
// True when the project exists.
bool LookupProject(const QString &code);
// True for a leaf cash-flow code; no name is returned.
bool LookupCashFlowCode(const QString &code);
