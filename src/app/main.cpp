// The desktop program: one copy per computer, the data module, the main window, and the login
// chain that the main window runs once it is shown.

#include "app/homefolder.h"
#include "app/singleinstanceguard.h"
#include "app/tdm1.h"
#include "ui/app/startup.h"
#include "ui/app/tmainform.h"
#include "ui/login/loginsteps.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanx"));
    QApplication::setApplicationDisplayName(QStringLiteral("N8-ZIZ OF LANX SOFTWARE CO."));

    QCommandLineParser parser;
    const QCommandLineOption homeOption(QStringLiteral("home"), QStringLiteral("home folder"),
                                        QStringLiteral("DIR"));
    parser.addOption(homeOption);
    parser.process(app);

    const SingleInstanceGuard guard;
    if (AnotherCopyIsRunning(guard))
        return 0;

    const QString home = HomeFolder::resolve(parser.value(homeOption));
    HomeFolder::setCurrent(home);
    Tdm1 dataModule;
    Tmainform mainForm;
    mainForm.setLoginSteps(loginSteps(home));

    QApplication::setApplicationDisplayName(Tmainform::Title);
    mainForm.show();
    return app.exec();
}
