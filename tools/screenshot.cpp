// Saves pictures of the program's windows for a look by eye: the main window after the login,
// the login dialogs, and each window that the menu entries named on the command line open.
//   lanx-screenshot OUT_DIR [menu-component ...]
// Runs on the platform Qt is given (offscreen or an X server) in a fresh home folder.

#include "app/tdm1.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"
#include "ui/login/tfrmlogindb.h"
#include "ui/login/tfrmlogindbsel.h"
#include "ui/login/tlogin2.h"
#include "ui/login/tlogin3.h"
#include "ui/login/tztxx.h"
#include "autologin.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: lanx-screenshot OUT_DIR [menu-component ...]\n");
        return 2;
    }
    const QDir out(args.first());
    QDir().mkpath(out.path());
    QTemporaryDir home;
    QApplication::setApplicationDisplayName(Tmainform::Title);

    Tdm1 dataModule;
    Tmainform form;
    form.setLoginSteps(autoLoginSteps(home.path()));
    form.show();
    QTimer::singleShot(300, [&] {
        form.grab().save(out.filePath(QStringLiteral("mainform.png")));
        ScriptedMessages quiet;
        // The login dialogs, which the automatic login skips.
        const QList<QDialog *> dialogs = {new TfrmLoginDb(home.path()), new TfrmLoginDbSel,
                                          new Tlogin3(QString(), QString()), new Tztxx,
                                          new Tlogin2(home.path())};
        for (QDialog *dialog : dialogs) {
            dialog->show();
            dialog->grab().save(out.filePath(dialog->metaObject()->className() + QStringLiteral(".png")));
            delete dialog;
        }
        for (const QString &component : args.mid(1)) {
            if (QAction *action = form.action(component))
                action->trigger();
        }
        QTimer::singleShot(300, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window != &form && window->isVisible() && !window->objectName().isEmpty())
                    window->grab().save(out.filePath(window->objectName() + QStringLiteral(".png")));
            }
            app.quit();
        });
    });
    return app.exec();
}
