#include "ui/masterdata/dictionaryscreens.h"

#include "ui/app/tmainform.h"

void registerDictionaryScreens(Tmainform &main)
{
    Q_UNUSED(main);
}
