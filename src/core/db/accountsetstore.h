#pragma once

#include "common/result.h"
#include "db/dbconnection.h"

#include <QList>

#include <functional>
#include <QString>

struct AccountSet
{
    int id = 0;
    QString code;
    QString name;
};

// The list of account sets (table lxfs_ztmc of the master database) and the sets themselves as
// whole databases: the first-run bootstrap, creating a set from the template, dropping one.
// Changes to the list are serialised between workstations.
class AccountSetStore
{
public:
    static inline const QString FirstSetCode = QStringLiteral("V8_URU_ZEZ");
    static inline const QString FirstSetName = QStringLiteral("企业财务帐套");
    static inline const QString MasterConnectionName = QStringLiteral("ADOConnection2");

    // Opens (and if need be creates) the master database. Throws DbError.
    explicit AccountSetStore(const ConnectionSettings &settings,
                             const QString &connectionName = MasterConnectionName);

    // Creates lxfs_ztmc and the first account set when the list is missing; an existing
    // database of the first set is kept. Throws DbError.
    void bootstrap();

    QList<AccountSet> list() const;
    std::optional<AccountSet> find(const QString &code) const;

    // A new, uninitialised set with the next id (max + 1) and the code "lanx<id>".
    // Throws DbError with "建立帐套出现错误。   " when the database cannot be made; nothing
    // is left behind then.
    Result<AccountSet> create(const QString &name);

    // A new set with the next id and code made from a backup file of this system; other files
    // are refused. Throws DbError when the database cannot be made; nothing is left behind then.
    Result<AccountSet> restore(const QString &file, const QString &name);

    // Drops the set's database and its list row. The first set is never dropped. Nobody may be
    // connected to the set. Throws DbError with "删除出错！    " when the database stays.
    Status drop(const QString &code);

    // Renames a set, as typed over its name in the account-set dialog; an empty or over-long
    // name is refused.
    Status rename(int id, const QString &name);

    // Builds the template again when it is missing or was built by another version.
    void ensureTemplate();

    QSqlDatabase master() const { return m_master.db(); }
    const ConnectionSettings &settings() const { return m_master.settings(); }

private:
    const SqlDialect &dialect() const { return m_master.dialect(); }
    bool setListExists() const;
    void createFromTemplate(const QString &code);
    Result<AccountSet> addSet(const QString &name,
                              const std::function<void(const QString &code)> &makeDatabase);

    DbConnection m_master;
};
