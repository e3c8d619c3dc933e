#include "ui/login/loginscreens.h"

#include "ui/app/tmainform.h"
#include "ui/login/backupactions.h"
#include "app/appcontext.h"
#include "app/homefolder.h"
#include "ui/app/syspublicui.h"
#include "ui/login/tfrmdblelete.h"
#include "ui/login/tlogin2.h"
#include "ui/login/tlogin3.h"
#include "ui/login/tztxx.h"

void registerLoginScreens(Tmainform &main)
{
    main.setScreen(QStringLiteral("MenuItem63"), [&main] { BackupActions::backup(&main); });
    main.setScreen(QStringLiteral("MenuItem64"), [&main] { BackupActions::restore(&main); });
    main.setScreen(QStringLiteral("MenuItem68"), [&main] {
        Tztxx dialog(&main);
        dialog.exec();
    });
    main.setScreen(QStringLiteral("MenuItem69"), [&main] {
        AppContext.DialogResult = QStringLiteral("0");
        Tlogin2 dialog(HomeFolder::current(), &main);
        dialog.exec();
        if (AppContext.DialogResult == QLatin1String("1"))
            RefreshStatusBar();
    });
    main.setScreen(QStringLiteral("mnNewZt"), [&main] {
        Tlogin3 dialog(QString(), QString(), &main);
        dialog.exec();
    });
    main.setScreen(QStringLiteral("mnDelZt"), [&main] {
        TfrmDbLelete dialog(&main);
        dialog.exec();
    });
}
