#pragma once

#include "db/sqldialect.h"

#include <functional>

// SQLite: every database is one file in the data folder (master.db, template, <code>.db),
// opened in WAL mode with a busy timeout, so that a second process waits instead of failing.
class SqliteDialect : public SqlDialect
{
public:
    Provider provider() const override { return Provider::SQLite; }
    QString mapDdl(const QString &statement) const override;
    QString sumCents(const QString &expression) const override;
    QString beginTransaction() const override;

    QSqlDatabase open(const QString &connectionName, const ConnectionSettings &settings,
                      const QString &catalog, bool create) const override;
    bool databaseExists(const QSqlDatabase &master, const QString &catalog) const override;
    void copyDatabase(const QSqlDatabase &master, const QString &from,
                      const QString &to) const override;
    void dropDatabase(const QSqlDatabase &master, const QString &catalog) const override;
    void renameDatabase(const QSqlDatabase &master, const QString &from,
                        const QString &to) const override;
    void backupDatabase(const QSqlDatabase &db, const ConnectionSettings &settings,
                        const QString &file) const override;
    bool isBackupFile(const QString &file, const ConnectionSettings &settings) const override;
    void restoreDatabase(const QSqlDatabase &master, const ConnectionSettings &settings,
                         const QString &file, const QString &catalog) const override;
    void lockSetList(const QSqlDatabase &master) const override;
    void unlockSetList(const QSqlDatabase &master, bool keepChanges) const override;
    QString templateCatalog() const override { return QStringLiteral("template"); }

    static QString fileOf(const QString &dataFolder, const QString &catalog);

private:
    static QString folderOf(const QSqlDatabase &master);
    static void vacuumInto(const QSqlDatabase &source, const QString &target);
    // Runs work on a read-only connection of its own to any SQLite file.
    static void readFile(const QString &path,
                         const std::function<void(const QSqlDatabase &)> &work);
};
