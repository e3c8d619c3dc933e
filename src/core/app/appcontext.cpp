#include "app/appcontext.h"

AppContextRecord AppContext;

int AppContextRecord::levelLength(int level) const
{
    const int lengths[6] = {LevelLen1, LevelLen2, LevelLen3, LevelLen4, LevelLen5, LevelLen6};
    return level >= 1 && level <= 6 ? lengths[level - 1] : 0;
}
