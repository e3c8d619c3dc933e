#include "ui/voucher/voucherscreens.h"

#include "app/appcontext.h"
#include "ui/app/tmainform.h"
#include "ui/voucher/tzw_kjpz.h"

void registerVoucherScreens(Tmainform &main)
{
    main.setScreen(QStringLiteral("mnPzNew"), [&main] {
        AppContext.FormMode = 1;
        Tzw_kjpz form(&main);
        form.exec();
    });
}
