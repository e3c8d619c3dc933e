#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli openings set CODE [--ncye X] [--ljjf X] [--ljdf X] [--year Y] | list [--year Y] |
// check [--year Y]
int runOpeningsCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
