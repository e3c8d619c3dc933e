#pragma once

#include "ui/app/tmainform.h"

// Login steps for taking pictures of the windows without a person at the dialogs: the SQLite
// books of the home folder, the first account set (initialised for the current month), and
// its administrator when he has no password.
LoginSteps autoLoginSteps(const QString &home);
