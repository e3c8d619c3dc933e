#pragma once

#include <QString>
#include <QStringList>

class SqlDialect;

// The DDL of every table of an account set, kept as one readable file (schema.sql) and mapped
// to the backend at hand.
namespace Schema {

QStringList accountSetStatements(const SqlDialect &dialect);

// The account-set list of the master database.
QString setListStatement();

// The raw text of a bundled data file (":/lanx/db/<name>").
QString resourceText(const QString &name);

} // namespace Schema
