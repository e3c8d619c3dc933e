#pragma once

#include "cli/cliargs.h"

#include <QTextStream>

// lanx-cli vouchers add --date D [--number N] [--attachments N] [--yes]
//                       --line "摘要|科目|借方|贷方[|部门|项目|外币|汇率]" ...
//                   import FILE [--yes]
//                   list --year Y --month M
//                   show Y M N
//                   delete Y M N --yes
// Vouchers go through the checks, numbering and messages of the voucher entry screen; --yes
// answers the screen's questions (a foreign amount that does not match its rate, deleting).
int runVouchersCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
