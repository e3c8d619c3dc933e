#include "ui/masterdata/dictionaryscreens.h"

#include "app/appcontext.h"
#include "ui/app/tmainform.h"
#include "ui/masterdata/tbmzdnew.h"
#include "ui/masterdata/tkmqc1.h"
#include "ui/masterdata/txmzd.h"
#include "ui/masterdata/tzw_wb.h"
#include "ui/masterdata/tzw_zy.h"

void registerDictionaryScreens(Tmainform &main)
{
    main.setScreen(QStringLiteral("MenuItem20"), [&main] {
        main.showOpenOnce(QStringLiteral("kmqc1"), [] { return new Tkmqc1; });
    });
    main.setScreen(QStringLiteral("MenuItem17"), [&main] {
        AppContext.FormMode = 1;
        Tzw_zy dialog(&main);
        dialog.exec();
    });
    main.setScreen(QStringLiteral("MenuItem19"), [&main] {
        Tzw_wb dialog(&main);
        dialog.exec();
    });
    main.setScreen(QStringLiteral("MenuItem21"), [&main] {
        Tbmzdnew dialog(&main);
        dialog.exec();
    });
    main.setScreen(QStringLiteral("MenuItem22"), [&main] {
        Txmzd dialog(&main);
        dialog.exec();
    });
}
