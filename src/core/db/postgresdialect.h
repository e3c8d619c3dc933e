#pragma once

#include "db/sqldialect.h"

// PostgreSQL: every account set is a database on one server; the account-set list lives in the
// database "master"; the template is a database from which new sets are created.
class PostgresDialect : public SqlDialect
{
public:
    Provider provider() const override { return Provider::PostgreSQL; }
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
    QString templateCatalog() const override { return QStringLiteral("lanx_template"); }

private:
    static QSqlDatabase connect(const QString &connectionName, const ConnectionSettings &settings,
                                const QString &catalog);
    static void createEmpty(const ConnectionSettings &settings, const QString &catalog);
};
