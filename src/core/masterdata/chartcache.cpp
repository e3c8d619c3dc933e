#include "masterdata/chartcache.h"

#include "app/appcontext.h"
#include "db/sql.h"

#include <QSqlQuery>

void ChartCache::open(const QSqlDatabase &db)
{
    QHash<QString, CodeLookup> accounts;
    QSqlQuery rows = Sql::exec(db,
                               QStringLiteral("select itembm, itemmc, zl, jhd, bmhs, xmhs, wbhs, "
                                              "wbmc, kmjc from iteminfo order by itembm"));
    while (rows.next()) {
        CodeLookup account;
        account.name = rows.value(1).toString();
        account.category = quint8(rows.value(2).toInt());
        account.direction = quint8(rows.value(3).toInt());
        account.deptFlag = quint8(rows.value(4).toInt());
        account.projFlag = quint8(rows.value(5).toInt());
        account.fxFlag = quint8(rows.value(6).toInt());
        account.currency = rows.value(7).toString();
        account.level = quint8(rows.value(8).toInt());
        accounts.insert(rows.value(0).toString(), account);
    }
    m_accounts = std::move(accounts);
    m_open = true;
}

void ChartCache::close()
{
    m_accounts.clear();
    m_open = false;
}

const CodeLookup *ChartCache::find(const QString &code) const
{
    const auto it = m_accounts.constFind(code);
    return it == m_accounts.constEnd() ? nullptr : &it.value();
}

ChartCache &CachedChart()
{
    static ChartCache chart;
    return chart;
}

bool LookupAccountCached(const QString &code)
{
    AppContext.AccountKind = CodeLookup::NotFound;
    const CodeLookup *account = CachedChart().find(code);
    if (!account)
        return false;
    AppContext.AccountName = account->name;
    AppContext.AccountCategory = account->category;
    AppContext.AccountDirection = account->direction;
    AppContext.AccountDeptFlag = account->deptFlag;
    AppContext.AccountProjFlag = account->projFlag;
    AppContext.AccountFxFlag = account->fxFlag;
    AppContext.AccountCurrency = account->currency;
    AppContext.AccountLevel = account->level;
    return true;
}
