#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

struct ConnectionSettings;

// 数据备份: a full, consistent backup of the open account set to a file.
namespace Backup {

// "<code>-<year>-<month>-<day>.bak", numbers without leading zeros.
QString defaultFileName(const QString &setCode, const QDate &day);
// The home folder's bak folder, created when missing.
QString defaultFolder(const QString &home);

// Writes the backup, replacing an existing file; no half-written file is ever left under that
// name. Throws DbError with "备份出错！   " and the cause.
void write(const QSqlDatabase &set, const ConnectionSettings &settings, const QString &file);

} // namespace Backup
