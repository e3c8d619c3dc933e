#include "masterdata/currencies.h"

#include "db/sql.h"

#include <QSqlQuery>

#include <cmath>
#include <optional>

namespace Currencies {

namespace {

std::optional<Refusal> checkName(const QSqlDatabase &db, const QString &name,
                                 const QString &oldName)
{
    if (name.isEmpty())
        return Refusal{QStringLiteral("请输入币种名称。")};
    if (name.size() > NameMaxLength)
        return Refusal{QStringLiteral("币种名称不能超过%1个字符。").arg(NameMaxLength)};
    const QVariant other =
        oldName.isNull()
            ? Sql::scalar(db, QStringLiteral("select name from moneyhl where name = ?"), {name})
            : Sql::scalar(db, QStringLiteral("select name from moneyhl where name = ? and name <> ?"),
                          {name, oldName});
    if (other.isValid())
        return Refusal{QStringLiteral("币种名称重复,请重新输入。")};
    return std::nullopt;
}

} // namespace

QList<Currency> list(const QSqlDatabase &db)
{
    QList<Currency> currencies;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select name, hl from moneyhl order by name"));
    while (query.next())
        currencies.append({query.value(0).toString(), query.value(1).toDouble()});
    return currencies;
}

Status add(const QSqlDatabase &db, const QString &name, double rate)
{
    if (const std::optional<Refusal> refusal = checkName(db, name.trimmed(), QString()))
        return *refusal;
    Sql::exec(db, QStringLiteral("insert into moneyhl (name, hl) values (?, ?)"),
              {name.trimmed(), rate});
    return Done{};
}

Status update(const QSqlDatabase &db, const QString &oldName, const QString &name, double rate)
{
    if (const std::optional<Refusal> refusal = checkName(db, name.trimmed(), oldName))
        return *refusal;
    Sql::exec(db, QStringLiteral("update moneyhl set name = ?, hl = ? where name = ?"),
              {name.trimmed(), rate, oldName});
    return Done{};
}

Status checkRemove(const QSqlDatabase &db, const QString &name)
{
    if (Sql::scalar(db, QStringLiteral("select wbmc from iteminfo where wbmc = ?"), {name}).isValid())
        return Refusal{QStringLiteral("已使用不能删除。")};
    return Done{};
}

Status remove(const QSqlDatabase &db, const QString &name)
{
    const Status allowed = checkRemove(db, name);
    if (allowed)
        Sql::exec(db, QStringLiteral("delete from moneyhl where name = ?"), {name});
    return allowed;
}

QString formatRate(double rate)
{
    if (std::abs(rate) < 0.0000005)
        return QString();
    QString text = QString::number(rate, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    // "#" before the point: a rate below 1 shows as ".5".
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

} // namespace Currencies
