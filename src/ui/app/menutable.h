#pragma once

#include <QList>
#include <QString>

// The main menu as data: what each entry is called, what it writes to the usage log before its
// screen opens, and the name of the window that it opens only once.
struct MenuEntry
{
    QString component; // object name of the action; empty for a separator line
    QString caption;
    QString logText;   // empty: nothing is logged
    QString openOnce;  // component name of a non-modal window opened once; empty: modal or none
    bool hidden = false;
};

struct MenuDefinition
{
    QString component;
    QString caption;
    QList<MenuEntry> entries;
    bool hidden = false;
};

const QList<MenuDefinition> &mainMenu();
// The entry of that component, or nullptr.
const MenuEntry *findMenuEntry(const QString &component);
