#pragma once

#include "common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The foreign currencies (moneyhl) with their exchange rate to the home currency. Accounts name
// their currency in iteminfo.wbmc; renaming a currency leaves those names as they are.
namespace Currencies {

constexpr int NameMaxLength = 10;

struct Currency
{
    QString name;
    double hl = 0;
};

QList<Currency> list(const QSqlDatabase &db); // by name

// A new currency; the rate 0 stands for an empty one.
Status add(const QSqlDatabase &db, const QString &name, double rate);
// Changes the currency named `oldName`.
Status update(const QSqlDatabase &db, const QString &oldName, const QString &name, double rate);

// A currency named by an account may not be deleted.
Status checkRemove(const QSqlDatabase &db, const QString &name);
Status remove(const QSqlDatabase &db, const QString &name);

// The display form of a rate, "#.######": up to six decimals, ".5" for a half, nothing for 0.
QString formatRate(double rate);

} // namespace Currencies
