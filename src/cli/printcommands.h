#pragma once

#include "cli/cliargs.h"

#include <QCoreApplication>
#include <QTextStream>

#include <memory>

// lanx-cli print <family> --out FILE.pdf|FILE.csv [--set CODE] [--template N]
//                         [--var 名称=值 ...] [family options]
// Renders a printable list with a template of its family from the account set to a PDF file
// (or the spreadsheet export, CSV). Lists that can be printed so far: "rpt61" (chart of
// accounts; --level N, default 6: every level) and "rpt66" (usage log; --czy NAME,
// --from yyyy-mm-dd, --to yyyy-mm-dd as the viewer's condition dialog).

// True when the command line asks for the print group; decided before the application object
// exists, since that group needs a GUI application.
bool isPrintCommandLine(int argc, char **argv);

// The application object of the print group: a QGuiApplication on the "offscreen" platform
// unless QT_QPA_PLATFORM names another, so that it runs without a display.
std::unique_ptr<QCoreApplication> makePrintApplication(int &argc, char **argv);

int runPrintCommand(const CliArgs &args, QTextStream &out, QTextStream &err);
