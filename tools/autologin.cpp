#include "autologin.h"

#include "app/appcontext.h"
#include "app/homefolder.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>

LoginSteps autoLoginSteps(const QString &home)
{
    LoginSteps steps;
    steps.serverDialog = [home] {
        ConnectionSettings settings;
        settings.dataFolder = HomeFolder::dataFolder(home);
        AppContext.ConnPrefix = settings.prefix();
        try {
            Tdm1::current().connectMaster(AppContext.ConnPrefix);
            AppContext.DialogResult = QStringLiteral("1");
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    };
    steps.accountSetDialog = [] {
        try {
            Tdm1 &dm = Tdm1::current();
            dm.accountSets().bootstrap();
            const AccountSet first = dm.accountSets().list().value(0);
            dm.connectSet(AppContext.ConnPrefix, first.code);
            if (!AccountSetSetup::isInitialised(dm.ADOConnection1())) {
                AccountSetSetup::Settings settings;
                settings.year = QDate::currentDate().year();
                settings.month = QDate::currentDate().month();
                AccountSetSetup::initialise(dm.ADOConnection1(), settings);
            }
            AppContext.SetCode = first.code;
            AppContext.SetName = first.name;
            QSqlQuery admin = Sql::exec(dm.ADOConnection1(),
                                        QStringLiteral("select * from op_detail where id=1"));
            if (!admin.next() || !admin.value(QStringLiteral("password")).toString().isEmpty()) {
                ShowInfo(QStringLiteral("密码不正确，不能打开财务系统！   "));
                return;
            }
            AppContext.OperatorId = 1;
            AppContext.OperatorName = admin.value(QStringLiteral("name")).toString();
            Tmainform::instance()->ApplyRights(admin.record());
            dm.LoadContext();
            RefreshStatusBar();
            AppContext.DialogResult = QStringLiteral("1");
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    };
    return steps;
}
