#pragma once

#include <QString>

class QWidget;

// Shared routines that work on windows.

// True when an open window with this component (object) name exists; case-sensitive.
bool FormExists(const QString &name);
// The live window of that name, or nullptr.
QWidget *FindForm(const QString &name);

// Shows account set, period and operator in the main window's status bar.
void RefreshStatusBar();
