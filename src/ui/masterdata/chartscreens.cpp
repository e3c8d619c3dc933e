#include "ui/masterdata/chartscreens.h"

#include "ui/app/tmainform.h"

void registerChartScreens(Tmainform &main)
{
    Q_UNUSED(main);
}
