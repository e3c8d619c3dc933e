#include "masterdata/accountlookup.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"

#include <QSqlQuery>

namespace {

bool extends(const QString &next, const QString &code)
{
    return next.size() > code.size() && next.startsWith(code);
}

// Whether another code of the table extends `code`. Codes that start with a code sort right
// after it, before any code that does not, so the smallest code above it answers the question
// through the index instead of a scan of the table.
bool hasSubCodes(const QSqlDatabase &db, const QString &table, const QString &column,
                 const QString &code)
{
    const QString next =
        Sql::scalar(db, QStringLiteral("select min(%1) from %2 where %1 > ?").arg(column, table),
                    {code})
            .toString();
    return extends(next, code);
}

quint8 byte(const QSqlQuery &row, const char *column)
{
    return quint8(row.value(QLatin1String(column)).toInt());
}

void copyToContext(const CodeLookup &account)
{
    AppContext.AccountName = account.name;
    AppContext.AccountCategory = account.category;
    AppContext.AccountDirection = account.direction;
    AppContext.AccountDeptFlag = account.deptFlag;
    AppContext.AccountProjFlag = account.projFlag;
    AppContext.AccountFxFlag = account.fxFlag;
    AppContext.AccountCurrency = account.currency;
    AppContext.AccountLevel = account.level;
}

QSqlDatabase openSet()
{
    return Tdm1::current().ADOConnection1();
}

} // namespace

CodeLookup findAccount(const QSqlDatabase &db, const QString &code)
{
    CodeLookup result;
    // One statement finds the row and the code that follows it (see hasSubCodes).
    QSqlQuery row =
        Sql::exec(db,
                  QStringLiteral("select itemmc, zl, jhd, bmhs, xmhs, wbhs, wbmc, kmjc, "
                                 "(select min(itembm) from iteminfo where itembm > ?) "
                                 "as nextcode from iteminfo where itembm = ?"),
                  {code, code});
    if (!row.next())
        return result;
    result.name = row.value(0).toString();
    result.category = byte(row, "zl");
    result.direction = byte(row, "jhd");
    result.deptFlag = byte(row, "bmhs");
    result.projFlag = byte(row, "xmhs");
    result.fxFlag = byte(row, "wbhs");
    result.currency = row.value(QStringLiteral("wbmc")).toString();
    result.level = byte(row, "kmjc");
    result.kind = extends(row.value(8).toString(), code) ? CodeLookup::HasSubCodes
                                                          : CodeLookup::Leaf;
    return result;
}

CodeLookup findDepartment(const QSqlDatabase &db, const QString &code)
{
    CodeLookup result;
    QSqlQuery row = Sql::exec(db, QStringLiteral("select bmmc from bmbm where bmbm = ?"), {code});
    if (!row.next())
        return result;
    result.name = row.value(0).toString();
    result.kind = hasSubCodes(db, QStringLiteral("bmbm"), QStringLiteral("bmbm"), code)
                      ? CodeLookup::HasSubCodes
                      : CodeLookup::Leaf;
    return result;
}

CodeLookup findProject(const QSqlDatabase &db, const QString &code)
{
    CodeLookup result;
    QSqlQuery row = Sql::exec(db, QStringLiteral("select xmmc from xmbm where xmbm = ?"), {code});
    if (!row.next())
        return result;
    result.name = row.value(0).toString();
    result.kind = CodeLookup::Leaf;
    return result;
}

CodeLookup findCashFlowCode(const QSqlDatabase &db, const QString &code)
{
    CodeLookup result;
    if (!Sql::scalar(db, QStringLiteral("select 1 from xjll_code where bm = ?"), {code}).isValid())
        return result;
    result.kind = hasSubCodes(db, QStringLiteral("xjll_code"), QStringLiteral("bm"), code)
                      ? CodeLookup::HasSubCodes
                      : CodeLookup::Leaf;
    return result;
}

bool LookupAccount(const QString &code)
{
    AppContext.AccountKind = CodeLookup::NotFound;
    const CodeLookup account = findAccount(openSet(), code);
    if (!account.found())
        return false;
    copyToContext(account);
    AppContext.AccountKind = account.kind;
    return account.isLeaf();
}

bool LookupDepartment(const QString &code)
{
    AppContext.AccountKind = CodeLookup::NotFound;
    const CodeLookup department = findDepartment(openSet(), code);
    if (!department.found())
        return false;
    AppContext.AccountName = department.name;
    AppContext.AccountKind = department.kind;
    return department.isLeaf();
}

bool LookupProject(const QString &code)
{
    AppContext.AccountKind = CodeLookup::NotFound;
    const CodeLookup project = findProject(openSet(), code);
    if (!project.found())
        return false;
    AppContext.AccountName = project.name;
    AppContext.AccountKind = project.kind;
    return true;
}

bool LookupCashFlowCode(const QString &code)
{
    AppContext.AccountKind = CodeLookup::NotFound;
    const CodeLookup item = findCashFlowCode(openSet(), code);
    AppContext.AccountKind = item.kind;
    return item.isLeaf();
}
