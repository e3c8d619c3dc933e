#include "masterdata/summaries.h"

#include "db/sql.h"

#include <QSqlQuery>

#include <optional>

namespace Summaries {

namespace {

const QString TwoLevelsOnly = QStringLiteral("摘要最多2级。");

std::optional<Refusal> checkInfo(const QString &info)
{
    if (info.trimmed().isEmpty())
        return Refusal{QStringLiteral("请输入摘要")};
    if (info.trimmed().size() > InfoMaxLength)
        return Refusal{QStringLiteral("摘要不能超过%1个字符。").arg(InfoMaxLength)};
    return std::nullopt;
}

std::optional<Summary> find(const QSqlDatabase &db, int id)
{
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("select id, parent, info from account_zy where id = ?"), {id});
    if (!query.next())
        return std::nullopt;
    return Summary{query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()};
}

} // namespace

QList<Summary> list(const QSqlDatabase &db)
{
    QList<Summary> rows;
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("select id, parent, info from account_zy order by id"));
    while (query.next())
        rows.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()});
    return rows;
}

Status canAddChild(const QSqlDatabase &db, int id)
{
    const std::optional<Summary> row = find(db, id);
    if (!row)
        return Refusal{QStringLiteral("摘要分类不存在。")};
    if (!row->isGroup())
        return Refusal{TwoLevelsOnly};
    return Done{};
}

Result<int> add(const QSqlDatabase &db, int parent, const QString &info)
{
    if (parent != GroupParent) {
        const Status allowed = canAddChild(db, parent);
        if (!allowed)
            return Refusal{allowed.message()};
    }
    if (const std::optional<Refusal> refusal = checkInfo(info))
        return *refusal;
    return Sql::scalar(db,
                       QStringLiteral("insert into account_zy (parent, info) values (?, ?) "
                                      "returning id"),
                       {parent, info.trimmed()})
        .toInt();
}

Status update(const QSqlDatabase &db, int id, const QString &info)
{
    if (const std::optional<Refusal> refusal = checkInfo(info))
        return *refusal;
    Sql::exec(db, QStringLiteral("update account_zy set info = ? where id = ?"), {info.trimmed(), id});
    return Done{};
}

Status checkRemove(const QSqlDatabase &db, int id)
{
    const QVariant phrase =
        Sql::scalar(db, QStringLiteral("select id from account_zy where parent = ?"), {id});
    if (phrase.isValid())
        return Refusal{QStringLiteral("此节点是分类不能删除，请先删除分类里的数据。")};
    return Done{};
}

Status remove(const QSqlDatabase &db, int id)
{
    const Status allowed = checkRemove(db, id);
    if (allowed)
        Sql::exec(db, QStringLiteral("delete from account_zy where id = ?"), {id});
    return allowed;
}

} // namespace Summaries
