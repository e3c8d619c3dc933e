#include "masterdata/departments.h"

#include "app/syspublic.h"
#include "db/sql.h"

#include <QSqlQuery>

#include <optional>

namespace Departments {

namespace {

const QString SegmentWrong = QStringLiteral("每级编码长度为2位");
const QString TooDeep = QStringLiteral("代码最多3级。");

bool found(const QSqlDatabase &db, const QString &statement, const QString &code)
{
    return Sql::scalar(db, statement, {code}).isValid();
}

QList<Department> read(QSqlQuery query)
{
    QList<Department> departments;
    while (query.next()) {
        const QVariant parent = query.value(2);
        departments.append({query.value(0).toString(), query.value(1).toString(),
                            parent.isNull() ? -1 : parent.toInt()});
    }
    return departments;
}

std::optional<Refusal> checkNewParent(const QSqlDatabase &db, const QString &parent)
{
    if (parent.isEmpty())
        return std::nullopt;
    if (!found(db, QStringLiteral("select bmbm from bmbm where bmbm = ?"), parent))
        return Refusal{QStringLiteral("上级部门不存在。")};
    const Status allowed = canAddChild(db, parent);
    if (!allowed)
        return Refusal{allowed.message()};
    return std::nullopt;
}

} // namespace

QList<Department> list(const QSqlDatabase &db)
{
    return read(Sql::exec(db, QStringLiteral("select bmbm, bmmc, parent from bmbm order by bmbm")));
}

QList<Department> leaves(const QSqlDatabase &db)
{
    const QList<Department> all = list(db);
    QList<Department> result;
    for (qsizetype i = 0; i < all.size(); ++i) {
        // In code order the sub-departments of a department follow it directly.
        const bool parent = i + 1 < all.size() && all.at(i + 1).bmbm.size() > all.at(i).bmbm.size()
                            && all.at(i + 1).bmbm.startsWith(all.at(i).bmbm);
        if (!parent)
            result.append(all.at(i));
    }
    return result;
}

QString parentCode(const QString &code)
{
    return code.size() > SegmentLength ? code.left(code.size() - SegmentLength) : QString();
}

int parentValue(const QString &parentCode)
{
    return parentCode.isEmpty() ? -1 : parentCode.toInt();
}

bool hasChildren(const QSqlDatabase &db, const QString &code)
{
    return Sql::scalar(db,
                       QStringLiteral("select bmbm from bmbm where length(bmbm) > ? "
                                      "and substr(bmbm, 1, ?) = ?"),
                       {int(code.size()), int(code.size()), code})
        .isValid();
}

bool usedOnVouchers(const QSqlDatabase &db, const QString &code)
{
    return found(db, QStringLiteral("select bmbm from account where bmbm = ?"), code);
}

Status canAddChild(const QSqlDatabase &db, const QString &code)
{
    if (code.size() >= SegmentLength * MaxLevels)
        return Refusal{TooDeep};
    if (usedOnVouchers(db, code))
        return Refusal{QStringLiteral("编码已用不能增加下级。")};
    return Done{};
}

bool codeChangeable(const QSqlDatabase &db, const QString &code)
{
    return checkRemove(db, code).ok();
}

Result<QString> save(const QSqlDatabase &db, const QString &parentCode, const QString &segment,
                     const QString &name, const QString &oldCode)
{
    const QString own = segment.trimmed();
    const QString code = parentCode + own;
    const bool adding = oldCode.isNull();
    if (own.size() != SegmentLength)
        return Refusal{SegmentWrong};
    // The parent column holds the code as a number, so new codes are digits only.
    if ((adding || code != oldCode) && !IsAllDigits(own))
        return Refusal{QStringLiteral("部门编码只能由数字组成")};
    if (name.trimmed().isEmpty())
        return Refusal{QStringLiteral("请输入部门名称")};
    if (name.trimmed().size() > NameMaxLength)
        return Refusal{QStringLiteral("部门名称不能超过%1个字符。").arg(NameMaxLength)};
    if (adding) {
        if (const std::optional<Refusal> refusal = checkNewParent(db, parentCode))
            return *refusal;
    }
    const QVariant taken =
        adding ? Sql::scalar(db, QStringLiteral("select bmbm from bmbm where bmbm = ?"), {code})
               : Sql::scalar(db, QStringLiteral("select bmbm from bmbm where bmbm = ? and bmbm <> ?"),
                             {code, oldCode});
    if (taken.isValid())
        return Refusal{QStringLiteral("编码已经被使用")};
    if (adding) {
        Sql::exec(db, QStringLiteral("insert into bmbm (bmbm, bmmc, parent) values (?, ?, ?)"),
                  {code, name.trimmed(), parentValue(parentCode)});
        return code;
    }
    // Voucher lines, openings, employees and asset cards name a department by its code.
    if (code != oldCode && !codeChangeable(db, oldCode))
        return Refusal{QStringLiteral("编码已用不能修改。")};
    Sql::exec(db, QStringLiteral("update bmbm set bmbm = ?, bmmc = ? where bmbm = ?"),
              {code, name.trimmed(), oldCode});
    return code;
}

Result<QString> add(const QSqlDatabase &db, const QString &code, const QString &name)
{
    const QString typed = code.trimmed();
    if (typed.isEmpty() || typed.size() % SegmentLength != 0)
        return Refusal{SegmentWrong};
    if (typed.size() > SegmentLength * MaxLevels)
        return Refusal{TooDeep};
    return save(db, parentCode(typed), typed.right(SegmentLength), name);
}

Status checkRemove(const QSqlDatabase &db, const QString &code)
{
    if (hasChildren(db, code))
        return Refusal{QStringLiteral("     不能删除汇总编码。")};
    if (usedOnVouchers(db, code))
        return Refusal{QStringLiteral("     编码已用不能删除。")};
    if (found(db, QStringLiteral("select bmbm from bmqc where bmbm = ?"), code)
        || found(db, QStringLiteral("select bmbm from gz_YGInfo where bmbm = ?"), code))
        return Refusal{QStringLiteral("已用不能删除。")};
    if (found(db, QStringLiteral("select bmbm from gdzc_kp where bmbm = ?"), code))
        return Refusal{QStringLiteral("资产卡片已使用不能删除。  ")};
    if (found(db, QStringLiteral("select bmbm from gdzc_zjlist where bmbm = ?"), code))
        return Refusal{QStringLiteral("折旧已使用不能删除。  ")};
    return Done{};
}

Status remove(const QSqlDatabase &db, const QString &code)
{
    const Status allowed = checkRemove(db, code);
    if (allowed)
        Sql::exec(db, QStringLiteral("delete from bmbm where bmbm = ?"), {code});
    return allowed;
}

} // namespace Departments
