#include "ui/login/loginsteps.h"

#include "ui/login/tfrmlogindb.h"
#include "ui/login/tfrmlogindbsel.h"

LoginSteps loginSteps(const QString &home)
{
    LoginSteps steps;
    steps.serverDialog = [home] {
        TfrmLoginDb dialog(home, Tmainform::instance());
        dialog.exec();
    };
    steps.accountSetDialog = [] {
        TfrmLoginDbSel dialog(Tmainform::instance());
        dialog.exec();
    };
    return steps;
}
