#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli dict departments list | add CODE NAME | delete CODE
//               projects    list | add CODE [NAME] | delete CODE
//               currencies  list | add NAME [--rate X] | delete NAME
//               summaries   list | add TEXT [--parent ID] | delete ID
int runDictCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
