// The class draw of spawning (level/spawndraw.h).
#include "level/spawndraw.h"

#include "level/diffmanager.h"
#include "level/spawnschedule.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/random.h"

namespace
{
const float MIN_WEIGHT = 0.001f;
}

void SpawnCandidates::add(int eClass, float fWeight)
{
    RIR_TRACE("SpawnCandidates::add");
    RIR_ASSERT(nCount < CC_COUNT);
    anClass[nCount] = eClass;
    afWeight[nCount] = fWeight;
    ++nCount;
}

double SpawnCandidates::getTotalWeight() const
{
    // The same sum, in the same order, as pickSpawnClass runs, so that any r below it picks.
    double fSum = 0.0;
    for (int i = 0; i < nCount; ++i)
    {
        if (afWeight[i] >= MIN_WEIGHT)
            fSum += afWeight[i];
    }
    return fSum;
}

bool isSpawnBlocked(const SpawnCensus& census)
{
    return census.bSomeoneWaitingToLeave || census.abInside[CC_THIEF] || census.abInside[CC_COW] ||
           census.bUndertakerWantsClicks;
}

bool canAddCustomer(const SpawnCensus& census, const DifficultyManager& rules)
{
    return census.bFreeChair && census.nCustomers < rules.getMaxCustomers();
}

bool isSpecialCharacterPresent(const SpawnCensus& census)
{
    return census.abInside[CC_SHERIFF] || census.abInside[CC_THIEF] || census.abInside[CC_WANTED] ||
           census.abInside[CC_UNDERTAKER] || census.abInside[CC_COW];
}

SpawnCandidates listSpawnCandidates(const SpawnCensus& census, const DifficultyManager& rules,
                                    int nCash)
{
    RIR_TRACE("listSpawnCandidates");
    SpawnCandidates list;
    const int n = census.nCustomers;
    const bool bCanAdd = canAddCustomer(census, rules);
    const bool* abIn = census.abInside;
    if (bCanAdd)
        list.add(CC_CUSTOMER, 1.0f);
    if (bCanAdd && !abIn[CC_UNDERTAKER] && n >= 7)
        list.add(CC_UNDERTAKER, rules.getUndertakerWeight(n));
    if (bCanAdd && !abIn[CC_WANTED] && !abIn[CC_SHERIFF] && n >= 5)
        list.add(CC_WANTED, rules.getWantedWeight());
    if (bCanAdd && !abIn[CC_PATIENT])
        list.add(CC_PATIENT, rules.getPatientWeight());
    if (bCanAdd && !abIn[CC_SPECIAL] && !rules.isLowResourcesMode())
        list.add(CC_SPECIAL, rules.getSpecialWeight());
    if (!abIn[CC_THIEF] && !abIn[CC_SHERIFF] && n >= 6)
        list.add(CC_THIEF, rules.getThiefWeight(nCash));
    if (!bCanAdd && !abIn[CC_COW] && !isSpecialCharacterPresent(census))
        list.add(CC_COW, rules.getCowWeight());
    return list;
}

int pickSpawnClass(const SpawnCandidates& candidates, double r)
{
    double fSum = 0.0;
    for (int i = 0; i < candidates.nCount; ++i)
    {
        if (candidates.afWeight[i] < MIN_WEIGHT)
            continue;
        fSum += candidates.afWeight[i];
        if (fSum > r)
            return candidates.anClass[i];
    }
    return CC_NONE;
}

int drawSpawnClass(const SpawnCensus& census, const DifficultyManager& rules, int nCash,
                   float fElapsed, SpawnSchedule& schedule, RIR::Random& random)
{
    RIR_TRACE("drawSpawnClass");
    SpawnCandidates list = listSpawnCandidates(census, rules, nCash);
    if (canAddCustomer(census, rules))
    {
        const int eDue = schedule.getDueFirstAppearance(fElapsed);
        if (eDue != CC_NONE)
        {
            list = SpawnCandidates();
            list.add(eDue, 1.0f);
            schedule.markFirstAppearanceDone(eDue);
        }
    }
    const double fTotal = list.getTotalWeight();
    if (fTotal <= 0.0)
        return CC_NONE;
    RIR_TRACE_LINE();
    return pickSpawnClass(list, random.rangeReal(0.0, fTotal));
}
