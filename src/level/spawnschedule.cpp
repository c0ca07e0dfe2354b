// SpawnSchedule: last spawns, minimum gaps and first appearances (level/spawnschedule.h).
#include "level/spawnschedule.h"

#include "level/diffmanager.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/random.h"

SpawnSchedule::SpawnSchedule()
{
    RIR_TRACE("SpawnSchedule::SpawnSchedule");
    for (int i = 0; i < CC_COUNT; ++i)
    {
        m_anLastSpawnTime[i] = NEVER_SPAWNED;
        m_anMinSpawnGap[i] = 0;
        m_afFirstAppearance[i] = NO_FIRST_APPEARANCE;
        m_abFirstAppearanceDone[i] = true;
    }
    m_anMinSpawnGap[CC_THIEF] = 25;
    m_anMinSpawnGap[CC_WANTED] = 15;
    m_anMinSpawnGap[CC_UNDERTAKER] = 45;
    m_anMinSpawnGap[CC_COW] = 60;
}

SpawnSchedule::SpawnSchedule(const DifficultyManager& rules, RIR::Random& random) : SpawnSchedule()
{
    RIR_TRACE("SpawnSchedule::SpawnSchedule");
    const float L = (float)rules.getLevelLength();
    const struct
    {
        int eClass;
        bool bEnabled;
        float fBase;
    } aPlan[] = {{CC_WANTED, rules.isWantedEnabled(), L / 5.0f},
                 {CC_UNDERTAKER, rules.isUndertakerEnabled(), L * 0.25f},
                 {CC_PATIENT, rules.isPatientEnabled(), L / 3.0f},
                 {CC_SPECIAL, rules.isSpecialEnabled(), L * 0.5f}};
    for (const auto& plan : aPlan)
    {
        if (plan.bEnabled)
            m_afFirstAppearance[plan.eClass] = plan.fBase + (float)random.range(0, 20);
        m_abFirstAppearanceDone[plan.eClass] = !plan.bEnabled;
    }
}

void SpawnSchedule::checkClass(int eClass)
{
    RIR_TRACE("SpawnSchedule::checkClass");
    RIR_ASSERT(eClass >= 0 && eClass < CC_COUNT);
}

bool SpawnSchedule::hasSpawned(int eClass) const
{
    checkClass(eClass);
    return m_anLastSpawnTime[eClass] != NEVER_SPAWNED;
}

bool SpawnSchedule::isGapOpen(int eClass, int nTicks) const
{
    checkClass(eClass);
    if (!hasSpawned(eClass))
        return true;
    // In 64 bits: the tick counter may be anywhere in its range.
    const int64_t nSince = (int64_t)nTicks - m_anLastSpawnTime[eClass];
    return nSince >= (int64_t)m_anMinSpawnGap[eClass] * 1000;
}

void SpawnSchedule::markSpawned(int eClass, int nTicks)
{
    checkClass(eClass);
    m_anLastSpawnTime[eClass] = nTicks;
}

int SpawnSchedule::getDueFirstAppearance(float fElapsed) const
{
    for (int i = 0; i < CC_COUNT; ++i)
    {
        if (!hasSpawned(i) && m_afFirstAppearance[i] != NO_FIRST_APPEARANCE &&
            fElapsed >= m_afFirstAppearance[i])
            return i;
    }
    return CC_NONE;
}

int SpawnSchedule::getFirstAppearanceNeedingHelp(float fElapsed) const
{
    for (int i = 0; i < CC_COUNT; ++i)
    {
        if (!m_abFirstAppearanceDone[i] && !hasSpawned(i) &&
            m_afFirstAppearance[i] != NO_FIRST_APPEARANCE && fElapsed >= m_afFirstAppearance[i])
            return i;
    }
    return CC_NONE;
}

void SpawnSchedule::markFirstAppearanceDone(int eClass)
{
    checkClass(eClass);
    m_abFirstAppearanceDone[eClass] = true;
}

int SpawnSchedule::getLastSpawnTime(int eClass) const
{
    checkClass(eClass);
    return m_anLastSpawnTime[eClass];
}

int SpawnSchedule::getMinSpawnGap(int eClass) const
{
    checkClass(eClass);
    return m_anMinSpawnGap[eClass];
}

float SpawnSchedule::getFirstAppearance(int eClass) const
{
    checkClass(eClass);
    return m_afFirstAppearance[eClass];
}

bool SpawnSchedule::isFirstAppearanceDone(int eClass) const
{
    checkClass(eClass);
    return m_abFirstAppearanceDone[eClass];
}
