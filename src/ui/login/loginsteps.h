#pragma once

#include "ui/app/tmainform.h"

// The login chain's dialogs: the database server, then the account set with its
// initialisation and the operator login.
LoginSteps loginSteps(const QString &home);
