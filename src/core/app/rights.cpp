#include "app/rights.h"

#include <QVariant>

namespace Rights {

const QList<Gate> &gates()
{
    static const QList<Gate> table = {
        {1, {"mnPzNew", "N73"}},
        {2, {"N71", "N85", "N86", "N87", "N88"}},
        {3, {"mnPzFuhe", "N4", "N6"}},
        {4, {"mnPzDengzhang", "N83", "mnPzMonthReC", "N84"}},
        {5, {"mnPzKmTatal", "mnPzPingHeng"}},
        {12, {"N3", "N90", "N91"}},
        {17, {"mnOutReport"}},
        {6, {"N93", "N94", "N95", "N96", "N98", "N99", "N100", "N101"}},
        {7, {"MenuItem45", "MenuItem46", "MenuItem40", "MenuItem41"}},
        {8, {"MenuItem42", "MenuItem43", "MenuItem44"}},
        {9, {"MenuItem59", "MenuItem61", "MenuItem62", "MenuItem53", "MenuItem54", "MenuItem52",
             "MenuItem48", "MenuItem49", "MenuItem50"}},
        {11, {"MenuItem55", "MenuItem56", "MenuItem57", "MenuItem58", "MenuItem60"}},
        {13, {"MenuItem18", "MenuItem20", "MenuItem17", "MenuItem19", "MenuItem21", "MenuItem22"}},
        {14, {"MenuItem63", "MenuItem64"}},
        {15, {"MenuItem65"}},
        {16, {"MenuItem67"}},
    };
    return table;
}

const QStringList &administratorOnly()
{
    static const QStringList entries = {QStringLiteral("mnNewZt"), QStringLiteral("mnDelZt")};
    return entries;
}

QHash<QString, bool> menuStates(const QSqlRecord &operatorRow)
{
    QHash<QString, bool> states;
    for (const Gate &gate : gates()) {
        const QVariant value = operatorRow.value(QStringLiteral("bz%1").arg(gate.right));
        const bool granted = !value.isNull() && value.toInt() == 1;
        for (const QString &component : gate.components)
            states.insert(component, granted);
    }
    return states;
}

} // namespace Rights
