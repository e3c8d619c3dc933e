#pragma once

#include "ui/app/tmainform.h"

// Until the database-server, account-set and operator dialogs are built, the program logs in
// by itself: the SQLite books of the home folder, the first account set, and the
// administrator when he has no password.
LoginSteps provisionalLoginSteps(const QString &home);
