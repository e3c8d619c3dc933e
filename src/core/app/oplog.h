#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

// The usage log (table Oplog): who opened which function and when.
namespace OpLog {

// The log holds ids 1..MaxId; once the highest id reaches it, nothing more is written until
// the newest entries are deleted.
constexpr int MaxId = 20000;

// Appends an entry with the next id, the time to the minute. Returns false when the log is
// full. Throws DbError.
bool write(const QSqlDatabase &db, const QString &operatorName, const QString &text,
           const QDateTime &when);

} // namespace OpLog
