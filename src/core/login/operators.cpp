#include "login/operators.h"

#include "app/scramble.h"
#include "db/sql.h"
#include "db/transaction.h"
#include "login/passwordhash.h"

#include <QSqlQuery>

namespace Operators {

namespace {

const QString NameEmpty = QStringLiteral("用户名不能为空！   ");
const QString NameUnknown = QStringLiteral("用户名不正确，不能打开财务系统！   ");
const QString PasswordWrong = QStringLiteral("密码不正确，不能打开财务系统！   ");

// True when the typed password opens the stored one: a hash, the empty text, or the
// scrambled form an earlier version wrote.
bool passwordMatches(const QString &typed, const QString &stored, quint16 legacyKey)
{
    if (stored.isEmpty())
        return typed.isEmpty();
    if (PasswordHash::isHash(stored))
        return PasswordHash::verify(typed, stored);
    return Unscramble(stored, legacyKey) == typed;
}

QString rightColumns()
{
    QStringList columns;
    for (int i = 1; i <= RightCount; ++i)
        columns << QStringLiteral("bz%1").arg(i);
    return columns.join(u',');
}

QVariantList rightValues(const QList<int> &rights)
{
    QVariantList values;
    for (int i = 1; i <= RightCount; ++i)
        values << (i < rights.size() && rights.at(i) == 1 ? 1 : 0);
    return values;
}

std::optional<Refusal> checkName(const QSqlDatabase &db, const QString &name, int ownId)
{
    if (name.isEmpty())
        return Refusal{QStringLiteral("请输入姓名。   ")};
    if (name.size() > NameMaxLength)
        return Refusal{QStringLiteral("操作员姓名不能超过%1个字符。   ").arg(NameMaxLength)};
    // Names are matched without regard to letter case at login, so two operators may not
    // share one.
    for (const Operator &other : list(db)) {
        if (other.id != ownId && other.name.compare(name, Qt::CaseInsensitive) == 0)
            return Refusal{QStringLiteral("操作员姓名已存在。   ")};
    }
    return std::nullopt;
}

} // namespace

QList<Operator> list(const QSqlDatabase &db)
{
    QList<Operator> operators;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select id, name from op_detail order by id"));
    while (query.next())
        operators.append({query.value(0).toInt(), query.value(1).toString()});
    return operators;
}

QList<int> rightsOf(const QSqlRecord &row)
{
    QList<int> rights(RightCount + 1, 0);
    for (int i = 1; i <= RightCount; ++i) {
        const QVariant value = row.value(QStringLiteral("bz%1").arg(i));
        rights[i] = !value.isNull() && value.toInt() == 1 ? 1 : 0;
    }
    return rights;
}

Result<Login> logIn(const QSqlDatabase &db, const QString &typedName, const QString &typedPassword,
                    quint16 legacyKey, const QString &onlyId)
{
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return Refusal{NameEmpty};
    QString sql = QStringLiteral("select * from op_detail");
    QVariantList values;
    if (!onlyId.isEmpty()) {
        sql += QStringLiteral(" where id = ?");
        values << onlyId.toInt();
    }
    QSqlQuery query = Sql::exec(db, sql + QStringLiteral(" order by id"), values);
    while (query.next()) {
        if (query.value(QStringLiteral("name")).toString().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QString stored = query.value(QStringLiteral("password")).toString();
        if (!passwordMatches(typedPassword, stored, legacyKey))
            return Refusal{PasswordWrong};
        Login login{query.value(QStringLiteral("id")).toInt(),
                    query.value(QStringLiteral("name")).toString(), query.record(),
                    stored.isEmpty()};
        query.finish();
        if (!stored.isEmpty() && !PasswordHash::isHash(stored)) {
            Sql::exec(db, QStringLiteral("update op_detail set password=? where id=?"),
                      {PasswordHash::hash(typedPassword), login.id});
        }
        return login;
    }
    return Refusal{NameUnknown};
}

void ensureAdministrator(const QSqlDatabase &db)
{
    if (Sql::scalar(db, QStringLiteral("select count(*) from op_detail")).toInt() > 0)
        return;
    QList<int> all(RightCount + 1, 1);
    Sql::exec(db,
              QStringLiteral("insert into op_detail (id,name,password,%1) values (?,?,?%2)")
                  .arg(rightColumns(), QStringLiteral(",?").repeated(RightCount)),
              QVariantList{AdministratorId, QStringLiteral("管理员"), QString()} + rightValues(all));
}

Result<int> add(const QSqlDatabase &db, const QString &name, const QString &password,
                const QList<int> &rights)
{
    const QString trimmed = name.trimmed();
    if (Sql::scalar(db, QStringLiteral("select count(*) from op_detail")).toInt() >= MaxOperators)
        return Refusal{QStringLiteral("操作员最多10000个。  ")};
    if (const auto refusal = checkName(db, trimmed, 0))
        return *refusal;
    Transaction transaction(db);
    const int id = Sql::scalar(db, QStringLiteral("select max(id) from op_detail")).toInt() + 1;
    Sql::exec(db,
              QStringLiteral("insert into op_detail (id,name,password,%1) values (?,?,?%2)")
                  .arg(rightColumns(), QStringLiteral(",?").repeated(RightCount)),
              QVariantList{id, trimmed, PasswordHash::hash(password.trimmed())} + rightValues(rights));
    transaction.commit();
    return id;
}

Status update(const QSqlDatabase &db, int id, const QString &name, const QList<int> &rights)
{
    if (id == AdministratorId)
        return Refusal{QStringLiteral("管理员不能修改。   ")};
    const QString trimmed = name.trimmed();
    if (const auto refusal = checkName(db, trimmed, id))
        return *refusal;
    QStringList assignments = {QStringLiteral("name=?")};
    for (int i = 1; i <= RightCount; ++i)
        assignments << QStringLiteral("bz%1=?").arg(i);
    Sql::exec(db,
              QStringLiteral("update op_detail set %1 where id=?").arg(assignments.join(u',')),
              QVariantList{trimmed} + rightValues(rights) + QVariantList{id});
    return Done{};
}

Status remove(const QSqlDatabase &db, int id)
{
    if (id == AdministratorId)
        return Refusal{QStringLiteral("管理员不能删除。   ")};
    Sql::exec(db, QStringLiteral("delete from op_detail where id=?"), {id});
    return Done{};
}

Status clearPassword(const QSqlDatabase &db, int id)
{
    if (id == AdministratorId)
        return Refusal{QStringLiteral("管理员密码不能取消。   ")};
    Sql::exec(db, QStringLiteral("update op_detail set password='' where id=?"), {id});
    return Done{};
}

Status changePassword(const QSqlDatabase &db, int id, const QString &oldPassword,
                      const QString &newPassword, const QString &confirmation, quint16 legacyKey)
{
    const QVariant row =
        Sql::scalar(db, QStringLiteral("select password from op_detail where id=?"), {id});
    // An operator deleted meanwhile from another workstation has no password to change.
    if (!row.isValid())
        return Refusal{QStringLiteral("操作员不存在。   ")};
    if (!passwordMatches(oldPassword, row.toString(), legacyKey))
        return Refusal{QStringLiteral("原密码不正确！   ")};
    if (newPassword != confirmation)
        return Refusal{QStringLiteral("两次输入不一致，请重新输入新密码！   ")};
    if (newPassword.trimmed().isEmpty())
        return Refusal{QStringLiteral("密码不能为空，请修改！   ")};
    Sql::exec(db, QStringLiteral("update op_detail set password=? where id=?"),
              {PasswordHash::hash(newPassword.trimmed()), id});
    return Done{};
}

} // namespace Operators
