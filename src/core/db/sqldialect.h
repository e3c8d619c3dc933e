#pragma once

#include "db/connectionsettings.h"

#include <QSqlDatabase>
#include <QString>

// Everything that differs between the two backends lives behind this interface: the SQL text
// that is not portable, and the work on whole databases (opening, creating from the template,
// copying, dropping). The rest of the program writes one statement for both.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    static const SqlDialect &forProvider(Provider provider);
    static const SqlDialect &of(const QSqlDatabase &db);

    virtual Provider provider() const = 0;

    // --- SQL text ---
    // Turns a statement of the schema file (neutral types, "int IDENTITY") into this backend's.
    virtual QString mapDdl(const QString &statement) const = 0;
    // An aggregate giving the exact sum of a decimal(18,2) expression in integer cents, 0 when
    // there are no rows.
    virtual QString sumCents(const QString &expression) const = 0;
    // The statement that opens a write transaction.
    virtual QString beginTransaction() const = 0;

    // --- databases ---
    // Opens the database `catalog` under the Qt connection name given. With `create`, a missing
    // database is created empty (the master list and the template under construction); without
    // it, a missing database is an error. Throws DbError.
    virtual QSqlDatabase open(const QString &connectionName, const ConnectionSettings &settings,
                              const QString &catalog, bool create) const = 0;
    virtual bool databaseExists(const QSqlDatabase &master, const QString &catalog) const = 0;
    // A consistent copy of database `from` under the name `to`, replacing nothing: `to` must
    // not exist. Nobody may be connected to `from` on PostgreSQL.
    virtual void copyDatabase(const QSqlDatabase &master, const QString &from,
                              const QString &to) const = 0;
    virtual void dropDatabase(const QSqlDatabase &master, const QString &catalog) const = 0;
    virtual void renameDatabase(const QSqlDatabase &master, const QString &from,
                                const QString &to) const = 0;

    // Writes a consistent backup of the open database `db` to `file`, replacing it; the file
    // appears under its name only when complete. Throws DbError.
    virtual void backupDatabase(const QSqlDatabase &db, const ConnectionSettings &settings,
                                const QString &file) const = 0;
    // True when the file is a backup of an account set of this system on this backend.
    virtual bool isBackupFile(const QString &file, const ConnectionSettings &settings) const = 0;
    // Makes the database `catalog`, which must not exist, from a backup file. Nothing is left
    // behind when it fails. Throws DbError.
    virtual void restoreDatabase(const QSqlDatabase &master, const ConnectionSettings &settings,
                                 const QString &file, const QString &catalog) const = 0;

    // Serialises the changes to the account-set list between workstations: creating, dropping
    // and the first-run bootstrap run between these two calls.
    virtual void lockSetList(const QSqlDatabase &master) const = 0;
    virtual void unlockSetList(const QSqlDatabase &master, bool keepChanges) const = 0;

    static QString masterCatalog() { return QStringLiteral("master"); }
    virtual QString templateCatalog() const = 0;

protected:
    // Database names come from the program (set codes), never from user text; still, only plain
    // identifiers reach a statement. Throws DbError otherwise.
    static void requirePlainName(const QString &catalog);
};
