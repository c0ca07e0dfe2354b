#include "shell/kit/fakestatssource.h"

#include "rir2/exception.h"

FakeStatsSource::FakeStatsSource(int nGameType, int nLevel) : m_rules(nGameType, 180, 1, nLevel)
{
}

void FakeStatsSource::setStats(const std::vector<int>& values)
{
    int n = 0;
    for (int nValue : values)
    {
        RIR_ASSERT(n < STAT_COUNT);
        m_anStats[n++] = nValue;
    }
}

int FakeStatsSource::getStat(int nIndex)
{
    RIR_ASSERT(nIndex >= 0 && nIndex < STAT_COUNT);
    return m_anStats[nIndex];
}
