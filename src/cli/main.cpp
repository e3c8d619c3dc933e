// lanx-cli: the command-line face of the books. Every command goes through the same core code
// as the screens, with the same checks and messages.

#include "cli/accountscommands.h"
#include "cli/cliargs.h"
#include "cli/dictcommands.h"
#include "cli/openingscommands.h"
#include "cli/operatorscommands.h"
#include "cli/printcommands.h"
#include "cli/setscommands.h"
#include "cli/voucherscommands.h"
#include "db/dberror.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The print group needs a GUI application (fonts, PDF); the others stay without one.
    const std::unique_ptr<QCoreApplication> app = isPrintCommandLine(argc, argv)
                                                      ? makePrintApplication(argc, argv)
                                                      : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QString error;
    ExitStatus status = ExitOk;
    const std::optional<CliArgs> args = CliArgs::parse(app->arguments(), &error, &status);
    if (!args) {
        err << error << '\n';
        return status;
    }
    try {
        if (args->group() == QLatin1String("sets"))
            return runSetsCommand(*args, out, err);
        if (args->group() == QLatin1String("accounts"))
            return runAccountsCommand(*args, out, err);
        if (args->group() == QLatin1String("openings"))
            return runOpeningsCommand(*args, out, err);
        if (args->group() == QLatin1String("dict"))
            return runDictCommand(*args, out, err);
        if (args->group() == QLatin1String("operators"))
            return runOperatorsCommand(*args, out, err);
        if (args->group() == QLatin1String("vouchers"))
            return runVouchersCommand(*args, out, err);
        if (args->group() == QLatin1String("print"))
            return runPrintCommand(*args, out, err);
        err << "未知的命令组：" << args->group() << '\n';
        return ExitUsage;
    } catch (const DbError &failure) {
        out.flush();
        err << failure.message() << '\n';
        return ExitFailure;
    }
}
