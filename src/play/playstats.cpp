// PlayStats: the finished saloon day as the statistics dialog reads it (play/playstats.h).
#include "play/playstats.h"

#include "play/playmode.h"

int PlayStats::getStat(int nIndex)
{
    return m_day.getStat(nIndex);
}

int PlayStats::getCash()
{
    return m_day.getCash();
}

int PlayStats::getScoreTotal()
{
    return m_day.getScoreTotal();
}

float PlayStats::getRemainingTime()
{
    const int nLeft = m_day.getRemainingTime();
    return nLeft > 0 ? (float)nLeft : 0.0f;
}

const DifficultyManager& PlayStats::getDifficultyManager()
{
    return *m_day.getRules();
}
