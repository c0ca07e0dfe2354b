// The cash bag's fill level (level/cashbag.h).
#include "level/cashbag.h"

#include "level/diffmanager.h"

int cashBagGoal(const DifficultyManager& rules)
{
    return rules.getGameType() == GT_STORY ? rules.getCashGoal() : 5000;
}

int cashBagLevel(int nCash, int nGoal)
{
    const int nStep = nGoal / 10;
    if (nStep <= 0)
        return 0;
    const int nLevel = nCash / nStep;
    return nLevel < 0 ? 0 : nLevel > 9 ? 9 : nLevel;
}
