#include "db/accountsetstore.h"

#include "db/dberror.h"
#include "db/schema.h"
#include "db/sql.h"
#include "db/templatebuilder.h"

#include <QSqlQuery>

namespace {

const QString CreateFailed = QStringLiteral("建立帐套出现错误。   ");
const QString DropFailed = QStringLiteral("删除出错！    ");
const QString RestoreFailed = QStringLiteral("恢复帐套出现错误。   ");
const QString NameMissing = QStringLiteral("请输入帐套名称。   ");
constexpr int NameMaxLength = 50; // lxfs_ztmc.ztmc

// Holds the account-set list for one change; gives it up, keeping or discarding the change,
// when released or when the scope ends.
class SetListLock
{
public:
    SetListLock(const SqlDialect &dialect, const QSqlDatabase &master)
        : m_dialect(dialect), m_master(master)
    {
        m_dialect.lockSetList(m_master);
    }
    ~SetListLock()
    {
        if (m_held) {
            try {
                m_dialect.unlockSetList(m_master, false);
            } catch (const DbError &) {
                // The connection is gone; the server lets go of the lock with it.
            }
        }
    }
    void release()
    {
        m_held = false;
        m_dialect.unlockSetList(m_master, true);
    }

private:
    const SqlDialect &m_dialect;
    QSqlDatabase m_master;
    bool m_held = true;
};

DbError withContext(const QString &message, const DbError &cause)
{
    return DbError(message + u'\n' + cause.message());
}

} // namespace

AccountSetStore::AccountSetStore(const ConnectionSettings &settings, const QString &connectionName)
    : m_master(connectionName, settings, SqlDialect::masterCatalog(), true)
{
}

bool AccountSetStore::setListExists() const
{
    return master().tables().contains(QStringLiteral("lxfs_ztmc"), Qt::CaseInsensitive);
}

void AccountSetStore::bootstrap()
{
    SetListLock lock(dialect(), master());
    if (setListExists())
        return;
    Sql::exec(master(), Schema::setListStatement());
    if (!dialect().databaseExists(master(), FirstSetCode))
        createFromTemplate(FirstSetCode);
    Sql::exec(master(), QStringLiteral("insert into lxfs_ztmc (id,code,ztmc) values (?,?,?)"),
              {1, FirstSetCode, FirstSetName});
    lock.release();
}

QList<AccountSet> AccountSetStore::list() const
{
    QList<AccountSet> sets;
    QSqlQuery query =
        Sql::exec(master(), QStringLiteral("select id, code, ztmc from lxfs_ztmc order by id"));
    while (query.next())
        sets.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString()});
    return sets;
}

std::optional<AccountSet> AccountSetStore::find(const QString &code) const
{
    for (const AccountSet &set : list()) {
        if (set.code.compare(code, Qt::CaseInsensitive) == 0)
            return set;
    }
    return std::nullopt;
}

void AccountSetStore::ensureTemplate()
{
    const QString templateName = dialect().templateCatalog();
    if (dialect().databaseExists(master(), templateName)) {
        DbConnection existing(QStringLiteral("lanx-template-check"), settings(), templateName);
        if (TemplateBuilder::versionOf(existing.db()) == TemplateBuilder::version())
            return;
    }
    // Build under another name and swap it in complete, so that no set is ever made from a
    // half-built template.
    const QString buildName = templateName + QStringLiteral("_build");
    dialect().dropDatabase(master(), buildName);
    {
        DbConnection building(QStringLiteral("lanx-template-build"), settings(), buildName, true);
        TemplateBuilder::build(building.db());
    }
    dialect().renameDatabase(master(), buildName, templateName);
}

void AccountSetStore::createFromTemplate(const QString &code)
{
    try {
        ensureTemplate();
        // A database of this code without a list row is a leftover of an earlier failure.
        dialect().dropDatabase(master(), code);
        dialect().copyDatabase(master(), dialect().templateCatalog(), code);
    } catch (const DbError &error) {
        throw withContext(CreateFailed, error);
    }
}

Result<AccountSet> AccountSetStore::create(const QString &name)
{
    return addSet(name, [this](const QString &code) { createFromTemplate(code); });
}

Result<AccountSet> AccountSetStore::restore(const QString &file, const QString &name)
{
    if (!dialect().isBackupFile(file, settings()))
        return Refusal{QStringLiteral("所选文件不是本系统的帐套备份文件。   ")};
    return addSet(name, [this, &file](const QString &code) {
        try {
            dialect().dropDatabase(master(), code);
            dialect().restoreDatabase(master(), settings(), file, code);
        } catch (const DbError &error) {
            throw withContext(RestoreFailed, error);
        }
    });
}

Result<AccountSet> AccountSetStore::addSet(
    const QString &name, const std::function<void(const QString &code)> &makeDatabase)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refusal{NameMissing};
    if (trimmed.size() > NameMaxLength)
        return Refusal{QStringLiteral("帐套名称不能超过%1个字符。   ").arg(NameMaxLength)};

    SetListLock lock(dialect(), master());
    const int id =
        Sql::scalar(master(), QStringLiteral("select max(id) from lxfs_ztmc")).toInt() + 1;
    const AccountSet set{id, QStringLiteral("lanx%1").arg(id), trimmed};
    makeDatabase(set.code);
    try {
        Sql::exec(master(), QStringLiteral("insert into lxfs_ztmc (id,code,ztmc) values (?,?,?)"),
                  {set.id, set.code, set.name});
        lock.release();
    } catch (const DbError &error) {
        try {
            dialect().dropDatabase(master(), set.code);
        } catch (const DbError &) {
            // Left for the next creation of this code, which replaces it.
        }
        throw withContext(CreateFailed, error);
    }
    return set;
}

Status AccountSetStore::rename(int id, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refusal{NameMissing};
    if (trimmed.size() > NameMaxLength)
        return Refusal{QStringLiteral("帐套名称不能超过%1个字符。   ").arg(NameMaxLength)};
    Sql::exec(master(), QStringLiteral("update lxfs_ztmc set ztmc=? where id=?"), {trimmed, id});
    return Done{};
}

Status AccountSetStore::drop(const QString &code)
{
    const std::optional<AccountSet> set = find(code);
    if (!set)
        return Refusal{QStringLiteral("帐套不存在：%1").arg(code)};
    if (set->id == 1)
        return Refusal{QStringLiteral("第一个帐套不能删除！    ")};

    SetListLock lock(dialect(), master());
    try {
        dialect().dropDatabase(master(), set->code);
    } catch (const DbError &error) {
        throw withContext(DropFailed, error);
    }
    Sql::exec(master(), QStringLiteral("delete from lxfs_ztmc where id=?"), {set->id});
    lock.release();
    return Done{};
}
