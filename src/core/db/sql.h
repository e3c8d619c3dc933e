#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <QVariantList>

// Running statements: every value is bound as a positional parameter ("?"), never joined into
// the text. Each call throws DbError with the server's message when the statement fails.
namespace Sql {

QSqlQuery exec(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {});

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {});

// Runs a statement prepared once with the rows of values given, one execution per row.
void execBatch(const QSqlDatabase &db, const QString &statement,
               const QList<QVariantList> &rows);

} // namespace Sql
