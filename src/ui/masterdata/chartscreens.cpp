#include "ui/masterdata/chartscreens.h"

#include "ui/app/tmainform.h"
#include "ui/masterdata/tzw_kmzd.h"

void registerChartScreens(Tmainform &main)
{
    main.setScreen(QStringLiteral("MenuItem18"), [&main] { Tzw_kmzd::Execute(1, &main); });
}
