#include "login/backup.h"

#include "db/dberror.h"
#include "db/sqldialect.h"

#include <QDir>

namespace Backup {

QString defaultFileName(const QString &setCode, const QDate &day)
{
    return QStringLiteral("%1-%2-%3-%4.bak").arg(setCode).arg(day.year()).arg(day.month()).arg(day.day());
}

QString defaultFolder(const QString &home)
{
    const QString folder = QDir(home).filePath(QStringLiteral("bak"));
    QDir().mkpath(folder);
    return folder;
}

void write(const QSqlDatabase &set, const ConnectionSettings &settings, const QString &file)
{
    try {
        SqlDialect::of(set).backupDatabase(set, settings, file);
    } catch (const DbError &error) {
        throw DbError(QStringLiteral("备份出错！   \n") + error.message());
    }
}

} // namespace Backup
