#pragma once

#include <QSqlDatabase>
#include <QString>

// Fills an empty database with everything a new account set starts from: the tables, the
// header row of an uninitialised set (opening year 1900), the administrator, and the starting
// chart of accounts for small enterprises with its balance rows under the placeholder year, and
// the print templates of every family (db/reports/*.json) in table `report`.
namespace TemplateBuilder {

// The placeholder year of the template's balance rows; initialisation replaces it.
constexpr int PlaceholderYear = 1900;

// A fingerprint of the schema and the starting data: a template holding another one is stale.
QString version();

// Creates every table and the starting rows in one transaction. Throws DbError.
void build(const QSqlDatabase &db);

// The fingerprint a database was built with, or an empty text when it has none.
QString versionOf(const QSqlDatabase &db);

} // namespace TemplateBuilder
