#pragma once

#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

// Which menu entries an operator's rights enable. The entries are named by their component
// names; the main window applies the result to its actions.
namespace Rights {

struct Gate
{
    int right; // op_detail.bz<right>
    QStringList components;
};

// The gates in the order they are applied.
const QList<Gate> &gates();

// The entries only the administrator (operator id 1) may use.
const QStringList &administratorOnly();

// Enabled state of every gated entry for the operator row given (a right counts when its
// column holds 1). Entries not gated are not in the result.
QHash<QString, bool> menuStates(const QSqlRecord &operatorRow);

} // namespace Rights
