#include "db/sqlitedialect.h"

#include "db/dberror.h"
#include "db/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

#include <cstdio>
#include <exception>

namespace {

// How long a statement waits for another process's write lock before it gives up.
constexpr int BusyTimeoutMs = 30000;

const QString FileSuffix = QStringLiteral(".db");

void removeWithCompanions(const QString &path)
{
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                  QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

} // namespace

QString SqliteDialect::mapDdl(const QString &statement) const
{
    static const QRegularExpression identity(QStringLiteral("\\bint\\s+IDENTITY\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString mapped = statement;
    return mapped.replace(identity, QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
}

QString SqliteDialect::sumCents(const QString &expression) const
{
    // SQLite keeps decimals as doubles: round each amount to whole cents before adding, so the
    // sum is an exact integer however many rows there are.
    return QStringLiteral("coalesce(sum(cast(round((%1)*100) as integer)),0)").arg(expression);
}

QString SqliteDialect::beginTransaction() const
{
    // Take the write lock at once, so that two writers queue on the busy timeout instead of
    // one of them failing when it upgrades a read lock.
    return QStringLiteral("BEGIN IMMEDIATE");
}

QString SqliteDialect::fileOf(const QString &dataFolder, const QString &catalog)
{
    const QString name = catalog == QLatin1String("template") ? catalog : catalog + FileSuffix;
    return QDir(dataFolder).filePath(name);
}

QString SqliteDialect::folderOf(const QSqlDatabase &master)
{
    return QFileInfo(master.databaseName()).absolutePath();
}

QSqlDatabase SqliteDialect::open(const QString &connectionName, const ConnectionSettings &settings,
                                 const QString &catalog, bool create) const
{
    requirePlainName(catalog);
    const QString path = fileOf(settings.dataFolder, catalog);
    if (create) {
        if (!QDir().mkpath(settings.dataFolder))
            throw DbError(QStringLiteral("无法建立数据文件夹：%1").arg(settings.dataFolder));
    } else if (!QFileInfo::exists(path)) {
        throw DbError(QStringLiteral("数据库连接失败！    \n找不到数据库文件：%1").arg(path));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QString why = db.lastError().text();
        throw DbError(QStringLiteral("数据库连接失败！    \n%1：%2").arg(path, why));
    }
    try {
        // The first statement touches the file: an unwritable folder fails here, not later.
        Sql::exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (const DbError &error) {
        db.close();
        throw DbError(QStringLiteral("数据库连接失败！    \n%1：%2").arg(path, error.message()));
    }
    return db;
}

bool SqliteDialect::databaseExists(const QSqlDatabase &master, const QString &catalog) const
{
    requirePlainName(catalog);
    return QFileInfo::exists(fileOf(folderOf(master), catalog));
}

void SqliteDialect::copyDatabase(const QSqlDatabase &master, const QString &from,
                                 const QString &to) const
{
    requirePlainName(from);
    requirePlainName(to);
    const QString folder = folderOf(master);
    readFile(fileOf(folder, from), [&](const QSqlDatabase &source) {
        vacuumInto(source, fileOf(folder, to));
    });
}

void SqliteDialect::vacuumInto(const QSqlDatabase &source, const QString &target)
{
    // VACUUM INTO writes a consistent copy even while others have the source open; the copy
    // gets its final name only when it is complete.
    const QString partial = target + QStringLiteral(".part");
    removeWithCompanions(partial);
    try {
        Sql::exec(source, QStringLiteral("VACUUM INTO ?"), {partial});
    } catch (...) {
        removeWithCompanions(partial);
        throw;
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData())
        != 0) {
        removeWithCompanions(partial);
        throw DbError(QStringLiteral("无法写入文件：%1").arg(target));
    }
}

void SqliteDialect::readFile(const QString &path,
                             const std::function<void(const QSqlDatabase &)> &work)
{
    const QString name = QStringLiteral("lanx-file-%1").arg(quintptr(&work));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
        std::exception_ptr failure;
        if (!db.open()) {
            failure = std::make_exception_ptr(
                DbError(QStringLiteral("无法打开文件：%1\n%2").arg(path, db.lastError().text())));
        } else {
            try {
                work(db);
            } catch (...) {
                failure = std::current_exception();
            }
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        if (failure)
            std::rethrow_exception(failure);
    }
}

void SqliteDialect::backupDatabase(const QSqlDatabase &db, const ConnectionSettings &,
                                   const QString &file) const
{
    vacuumInto(db, file);
}

bool SqliteDialect::isBackupFile(const QString &file, const ConnectionSettings &) const
{
    QFile probe(file);
    if (!probe.open(QIODevice::ReadOnly) || probe.read(16) != QByteArray("SQLite format 3\0", 16))
        return false;
    probe.close();
    bool ours = false;
    try {
        readFile(file, [&ours](const QSqlDatabase &db) {
            const QStringList tables = db.tables();
            ours = tables.contains(QStringLiteral("schema_version"))
                   && tables.contains(QStringLiteral("ztInfo"))
                   && tables.contains(QStringLiteral("account"));
        });
    } catch (const DbError &) {
        return false;
    }
    return ours;
}

void SqliteDialect::restoreDatabase(const QSqlDatabase &master, const ConnectionSettings &,
                                    const QString &file, const QString &catalog) const
{
    requirePlainName(catalog);
    const QString target = fileOf(folderOf(master), catalog);
    if (QFileInfo::exists(target))
        throw DbError(QStringLiteral("数据库已存在：%1").arg(catalog));
    readFile(file, [&target](const QSqlDatabase &backup) { vacuumInto(backup, target); });
}

void SqliteDialect::dropDatabase(const QSqlDatabase &master, const QString &catalog) const
{
    requirePlainName(catalog);
    const QString path = fileOf(folderOf(master), catalog);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw DbError(QStringLiteral("无法删除数据库文件：%1").arg(path));
    removeWithCompanions(path);
}

void SqliteDialect::renameDatabase(const QSqlDatabase &master, const QString &from,
                                   const QString &to) const
{
    requirePlainName(from);
    requirePlainName(to);
    const QString folder = folderOf(master);
    const QString target = fileOf(folder, to);
    removeWithCompanions(target);
    if (std::rename(QFile::encodeName(fileOf(folder, from)).constData(),
                    QFile::encodeName(target).constData())
        != 0)
        throw DbError(QStringLiteral("无法写入数据库文件：%1").arg(target));
}

void SqliteDialect::lockSetList(const QSqlDatabase &master) const
{
    Sql::exec(master, beginTransaction());
}

void SqliteDialect::unlockSetList(const QSqlDatabase &master, bool keepChanges) const
{
    Sql::exec(master, keepChanges ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
}
