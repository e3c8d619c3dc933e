#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli sets list | create --name NAME | drop CODE
int runSetsCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
