#include "masterdata/projects.h"

#include "db/sql.h"

#include <QSqlQuery>

namespace Projects {

QList<Project> list(const QSqlDatabase &db)
{
    QList<Project> projects;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select xmbm, xmmc from xmbm order by xmbm"));
    while (query.next())
        projects.append({query.value(0).toString(), query.value(1).toString()});
    return projects;
}

bool isUsed(const QSqlDatabase &db, const QString &code)
{
    return Sql::scalar(db, QStringLiteral("select xmbm from account where xmbm = ?"), {code}).isValid()
           || Sql::scalar(db, QStringLiteral("select xmbm from xmqc where xmbm = ?"), {code}).isValid();
}

Result<QString> save(const QSqlDatabase &db, const QString &code, const QString &name,
                     const QString &oldCode)
{
    const QString typed = code.trimmed();
    if (typed.isEmpty())
        return Refusal{QStringLiteral("请输入编码。")};
    if (typed.size() > CodeMaxLength)
        return Refusal{QStringLiteral("项目编码最多%1位。").arg(CodeMaxLength)};
    if (name.trimmed().size() > NameMaxLength)
        return Refusal{QStringLiteral("项目名称不能超过%1个字符。").arg(NameMaxLength)};
    const bool adding = oldCode.isNull();
    const QVariant taken =
        adding ? Sql::scalar(db, QStringLiteral("select xmbm from xmbm where xmbm = ?"), {typed})
               : Sql::scalar(db, QStringLiteral("select xmbm from xmbm where xmbm = ? and xmbm <> ?"),
                             {typed, oldCode});
    if (taken.isValid())
        return Refusal{QStringLiteral("编码重复,请重新输入。")};
    if (adding) {
        Sql::exec(db, QStringLiteral("insert into xmbm (xmbm, xmmc) values (?, ?)"),
                  {typed, name.trimmed()});
        return typed;
    }
    // Voucher lines and openings name a project by its code.
    if (typed != oldCode && isUsed(db, oldCode))
        return Refusal{QStringLiteral("编码已用不能修改。")};
    Sql::exec(db, QStringLiteral("update xmbm set xmbm = ?, xmmc = ? where xmbm = ?"),
              {typed, name.trimmed(), oldCode});
    return typed;
}

Status checkRemove(const QSqlDatabase &db, const QString &code)
{
    if (isUsed(db, code))
        return Refusal{QStringLiteral("已使用不能删除。")};
    return Done{};
}

Status remove(const QSqlDatabase &db, const QString &code)
{
    const Status allowed = checkRemove(db, code);
    if (allowed)
        Sql::exec(db, QStringLiteral("delete from xmbm where xmbm = ?"), {code});
    return allowed;
}

} // namespace Projects
