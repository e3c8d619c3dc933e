#include "masterdata/openingbalances.h"

#include "app/appcontext.h"
#include "db/sql.h"

#include <QSqlQuery>

#include <algorithm>

namespace OpeningBalances {

namespace {

constexpr int AssetCategory = 1;

const QString SelectRows = QStringLiteral(
    "select y.itembm, y.ncye, y.ljjf, y.ljdf, y.wbncye, y.wbljjf, y.wbljdf, i.itemmc, i.zl, "
    "i.jhd, i.wbhs, i.bmhs, i.xmhs "
    "from account_ye y left join iteminfo i on i.itembm = y.itembm where y.kjnf = ?");

Row readRow(const QSqlQuery &query)
{
    Row row;
    row.itembm = query.value(0).toString();
    row.ncye = Money::fromSqlValue(query.value(1));
    row.ljjf = Money::fromSqlValue(query.value(2));
    row.ljdf = Money::fromSqlValue(query.value(3));
    row.wbncye = Money::fromSqlValue(query.value(4));
    row.wbljjf = Money::fromSqlValue(query.value(5));
    row.wbljdf = Money::fromSqlValue(query.value(6));
    row.itemmc = query.value(7).toString();
    row.zl = query.value(8).toInt();
    row.jhd = query.value(9).toInt();
    row.wbhs = query.value(10).toInt() == 1;
    row.bmhs = query.value(11).toInt() == 1;
    row.xmhs = query.value(12).toInt() == 1;
    return row;
}

Money signedFor(Money amount, bool sameSide)
{
    return sameSide ? amount : -amount;
}

} // namespace

Period Period::fromContext()
{
    return {AppContext.StartYear, AppContext.StartMonth, AppContext.CurYear};
}

Result<Access> chooseYear(const Period &period, int year)
{
    if (year < period.startYear)
        return Refusal{QStringLiteral("年份不能小于开帐年份")};
    if (year > period.currentYear)
        return Refusal{QStringLiteral("年份不能大于当前会计年份")};
    Access access;
    if (year == period.currentYear) {
        access.ncye = true;
        access.accumulated = !(year == period.startYear && period.startMonth == 1);
    }
    return access;
}

Money Row::opening() const
{
    return jhd == 1 ? ncye + ljjf - ljdf : ncye - ljjf + ljdf;
}

Money Row::foreignOpening() const
{
    return jhd == 1 ? wbncye + wbljjf - wbljdf : wbncye - wbljjf + wbljdf;
}

QString Row::direction() const
{
    return jhd == 1 ? QStringLiteral("借") : QStringLiteral("贷");
}

QString Row::auxiliary() const
{
    QStringList kinds;
    if (wbhs)
        kinds << QStringLiteral("外币核算");
    if (bmhs)
        kinds << QStringLiteral("部门核算");
    if (xmhs)
        kinds << QStringLiteral("项目核算");
    return kinds.join(u',');
}

QList<Row> load(const QSqlDatabase &db, int year)
{
    QList<Row> rows;
    QSqlQuery query = Sql::exec(db, SelectRows, {year});
    while (query.next())
        rows.append(readRow(query));
    // Code order decides which rows are children of which; sorted here so that it does not
    // depend on the collation of the server.
    std::sort(rows.begin(), rows.end(),
              [](const Row &a, const Row &b) { return a.itembm < b.itembm; });
    return rows;
}

void write(const QSqlDatabase &db, int year, const Row &row)
{
    Sql::exec(db,
              QStringLiteral("update account_ye set ncye = ?, ljjf = ?, ljdf = ? "
                             "where kjnf = ? and itembm = ?"),
              {row.ncye.toSqlValue(), row.ljjf.toSqlValue(), row.ljdf.toSqlValue(), year,
               row.itembm});
}

Result<Row> set(const QSqlDatabase &db, const Period &period, int year, const QString &code,
                const Amounts &amounts)
{
    const Result<Access> access = chooseYear(period, year);
    if (!access)
        return Refusal{access.message()};
    if (amounts.ncye && !access->ncye)
        return Refusal{QStringLiteral("以前年度的期初数据只能查看，不能修改。")};
    if ((amounts.ljjf || amounts.ljdf) && !access->accumulated) {
        return Refusal{access->ncye ? QStringLiteral("年初启用的帐套没有累计借方、贷方金额。")
                                    : QStringLiteral("以前年度的期初数据只能查看，不能修改。")};
    }
    QSqlQuery query = Sql::exec(db, SelectRows + QStringLiteral(" and y.itembm = ?"),
                                {year, code});
    if (!query.next())
        return Refusal{QStringLiteral("科目编码不存在。")};
    Row row = readRow(query);
    row.ncye = amounts.ncye.value_or(row.ncye);
    row.ljjf = amounts.ljjf.value_or(row.ljjf);
    row.ljdf = amounts.ljdf.value_or(row.ljdf);
    write(db, year, row);
    return row;
}

Check check(const QList<Row> &rows, const CodeLevels &levels)
{
    if (rows.isEmpty())
        return {};
    Money assets;
    Money others;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &account = rows.at(i);
        const Money own = account.opening();
        if (account.itembm.size() == levels.codeLength(1)) {
            if (account.zl == AssetCategory)
                assets += signedFor(own, account.jhd == 1);
            else
                others += signedFor(own, account.jhd != 1);
        }
        const int childLength = ChildCodeLength(int(account.itembm.size()), levels);
        Money children;
        bool hasChild = false;
        for (int j = i + 1; j < rows.size() && rows.at(j).itembm.startsWith(account.itembm); ++j) {
            const Row &child = rows.at(j);
            if (child.itembm.size() != childLength)
                continue;
            hasChild = true;
            children += signedFor(child.opening(), child.jhd == account.jhd);
        }
        if (hasChild && own != children) {
            return {Check::ParentMismatch,
                    account.itembm + QStringLiteral("科目期初余额与下一级科目期初余额汇总不符,相差")
                        + (own - children).toPlain(),
                    i};
        }
    }
    if (assets != others)
        return {Check::Unbalanced, QStringLiteral("期初余额不平,相差") + (assets - others).toPlain(), 0};
    return {Check::Balanced, QStringLiteral("期初余额已经平衡"), 0};
}

} // namespace OpeningBalances
