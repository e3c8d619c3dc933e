#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli operators list | add NAME [--password PW] [--rights bz1,bz2,...] | passwd --new PW
int runOperatorsCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
