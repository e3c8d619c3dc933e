#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli accounts list [--level N]
//                   add CODE NAME [--category 1..5] [--direction 借|贷] [--dept] [--project]
//                       [--currency NAME] [--cash] [--cashflow] [--erp CODE] [--yes]
//                   edit CODE [--name NAME] [--code NEWCODE] [--direction 借|贷] [--dept 1|0]
//                       [--project 1|0] [--currency NAME|""] [--cash 1|0] [--cashflow 1|0]
//                       [--erp CODE]
//                   delete CODE [--yes]
int runAccountsCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
