// Spawning's pure rules: the blockers, the candidate table in its order and conditions, the
// weighted pick at its edges, the first-appearance override, the minimum gaps and the schedule
// of first appearances.
#include "level/diffmanager.h"
#include "level/spawndraw.h"
#include "level/spawnschedule.h"

#include "rir2/random.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{

SpawnCensus census(int nCustomers, bool bFreeChair, std::vector<int> inside = {})
{
    SpawnCensus c;
    c.nCustomers = nCustomers;
    c.bFreeChair = bFreeChair;
    for (int eClass : inside)
        c.abInside[eClass] = true;
    return c;
}

std::vector<int> classesOf(const SpawnCandidates& list)
{
    return std::vector<int>(list.anClass, list.anClass + list.nCount);
}

} // namespace

TEST(SpawnDrawTest, Blockers)
{
    EXPECT_FALSE(isSpawnBlocked(census(3, true, {CC_WANTED, CC_SHERIFF, CC_UNDERTAKER})));
    EXPECT_TRUE(isSpawnBlocked(census(3, true, {CC_THIEF})));
    EXPECT_TRUE(isSpawnBlocked(census(3, true, {CC_COW})));
    SpawnCensus waiting = census(3, true);
    waiting.bSomeoneWaitingToLeave = true;
    EXPECT_TRUE(isSpawnBlocked(waiting));
    SpawnCensus undertaker = census(3, true, {CC_UNDERTAKER});
    undertaker.bUndertakerWantsClicks = true;
    EXPECT_TRUE(isSpawnBlocked(undertaker));
}

TEST(SpawnDrawTest, CandidateTable)
{
    // A timed game on level 40: every class is enabled.
    DifficultyManager rules(GT_TIMED, 180, 1, 40);
    rules.setLowResourcesMode(false);
    const struct
    {
        const char* pszCase;
        SpawnCensus census;
        std::vector<int> classes;
    } aCases[] = {
        {"empty saloon", census(0, true), {CC_CUSTOMER, CC_PATIENT, CC_SPECIAL}},
        {"4 customers: no wanted man yet", census(4, true), {CC_CUSTOMER, CC_PATIENT, CC_SPECIAL}},
        {"5 customers: wanted man",
         census(5, true),
         {CC_CUSTOMER, CC_WANTED, CC_PATIENT, CC_SPECIAL}},
        {"6 customers: thief",
         census(6, true),
         {CC_CUSTOMER, CC_WANTED, CC_PATIENT, CC_SPECIAL, CC_THIEF}},
        {"7 customers: undertaker",
         census(7, true),
         {CC_CUSTOMER, CC_UNDERTAKER, CC_WANTED, CC_PATIENT, CC_SPECIAL, CC_THIEF}},
        {"one of each inside already",
         census(7, true, {CC_UNDERTAKER, CC_WANTED, CC_PATIENT, CC_SPECIAL}),
         {CC_CUSTOMER, CC_THIEF}},
        {"sheriff inside: no wanted man, no thief",
         census(7, true, {CC_SHERIFF}),
         {CC_CUSTOMER, CC_UNDERTAKER, CC_PATIENT, CC_SPECIAL}},
        {"no free chair: thief and cow", census(7, false), {CC_THIEF, CC_COW}},
        {"saloon full: thief and cow", census(10, true), {CC_THIEF, CC_COW}},
        {"no chair, few customers: cow", census(2, false), {CC_COW}},
        {"no chair, wanted man inside: no cow", census(6, false, {CC_WANTED}), {CC_THIEF}},
        {"no chair, undertaker inside: nothing", census(3, false, {CC_UNDERTAKER}), {}},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.classes, classesOf(listSpawnCandidates(c.census, rules, 1000))) << c.pszCase;

    // Weights follow the rules; disabled classes stay in the list with weight 0.
    const SpawnCandidates list = listSpawnCandidates(census(7, true), rules, 400);
    const std::vector<float> weights(list.afWeight, list.afWeight + list.nCount);
    EXPECT_EQ((std::vector<float>{1.0f, 0.2f, 0.15f, 0.05f, 0.05f, 0.0f}), weights);

    // Low-resource mode drops the special customer from the list.
    rules.setLowResourcesMode(true);
    EXPECT_EQ((std::vector<int>{CC_CUSTOMER, CC_PATIENT}),
              classesOf(listSpawnCandidates(census(0, true), rules, 0)));

    // Story day 1 has eight seats: the eighth customer fills the saloon.
    const DifficultyManager day1(GT_STORY, 180, 0, 1);
    EXPECT_EQ(
        (std::vector<int>{CC_CUSTOMER, CC_UNDERTAKER, CC_WANTED, CC_PATIENT, CC_SPECIAL, CC_THIEF}),
        classesOf(listSpawnCandidates(census(7, true), day1, 0)));
    EXPECT_EQ((std::vector<int>{CC_THIEF, CC_COW}),
              classesOf(listSpawnCandidates(census(8, true), day1, 0)));
}

TEST(SpawnDrawTest, WeightedPickEdges)
{
    SpawnCandidates list;
    list.add(CC_CUSTOMER, 1.0f);
    list.add(CC_UNDERTAKER, 0.25f);
    list.add(CC_PATIENT, 0.0005f); // below 0.001: never picked
    list.add(CC_WANTED, 0.125f);
    EXPECT_EQ(1.375, list.getTotalWeight());
    const struct
    {
        double r;
        int eClass;
    } aCases[] = {{0.0, CC_CUSTOMER},      {0.999, CC_CUSTOMER}, {1.0, CC_UNDERTAKER},
                  {1.2499, CC_UNDERTAKER}, {1.25, CC_WANTED},    {1.3749, CC_WANTED},
                  {1.375, CC_NONE}};
    for (const auto& c : aCases)
        EXPECT_EQ(c.eClass, pickSpawnClass(list, c.r)) << c.r;
    EXPECT_EQ(CC_NONE, pickSpawnClass(SpawnCandidates(), 0.0));
}

TEST(SpawnDrawTest, DrawFollowsTheWeights)
{
    DifficultyManager rules(GT_TIMED, 180, 1, 40);
    rules.setLowResourcesMode(false);
    SpawnSchedule schedule;
    RIR::Random random;
    random.seed(42);
    std::map<int, int> counts;
    const int nDraws = 20000;
    for (int i = 0; i < nDraws; ++i)
        ++counts[drawSpawnClass(census(7, true), rules, 400, 50.0f, schedule, random)];
    // 1.0 : 0.2 : 0.15 : 0.05 : 0.05, and the thief (weight 0 at 400 cash) never.
    const double fTotal = 1.45;
    const struct
    {
        int eClass;
        double fWeight;
    } aShares[] = {{CC_CUSTOMER, 1.0},
                   {CC_UNDERTAKER, 0.2},
                   {CC_WANTED, 0.15},
                   {CC_PATIENT, 0.05},
                   {CC_SPECIAL, 0.05}};
    for (const auto& s : aShares)
        EXPECT_NEAR(s.fWeight / fTotal, (double)counts[s.eClass] / nDraws, 0.015) << s.eClass;
    EXPECT_EQ(0, counts[CC_THIEF]);
    EXPECT_EQ(0, counts[CC_NONE]);

    // An empty list draws nothing.
    EXPECT_EQ(CC_NONE,
              drawSpawnClass(census(3, false, {CC_UNDERTAKER}), rules, 0, 0.0f, schedule, random));
}

TEST(SpawnDrawTest, DueFirstAppearanceTakesOverUntilItSpawns)
{
    DifficultyManager rules(GT_STORY, 180, 1, 44);
    rules.setLowResourcesMode(false);
    RIR::Random random;
    random.seed(9);
    SpawnSchedule schedule(rules, random);
    const float fWanted = schedule.getFirstAppearance(CC_WANTED); // 36 + 0..20
    const float fUndertaker = schedule.getFirstAppearance(CC_UNDERTAKER);

    // Before its time the draw is the normal one.
    EXPECT_EQ(CC_NONE, schedule.getDueFirstAppearance(fWanted - 0.5f));
    // With no free chair the rule does not apply.
    const int eNoChair = drawSpawnClass(census(2, false), rules, 0, fWanted, schedule, random);
    EXPECT_EQ(CC_COW, eNoChair);
    EXPECT_FALSE(schedule.isFirstAppearanceDone(CC_WANTED));

    // Due with a free chair: the wanted man alone, even with too few customers for his weight.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(CC_WANTED, drawSpawnClass(census(0, true), rules, 0, fWanted, schedule, random));
    EXPECT_TRUE(schedule.isFirstAppearanceDone(CC_WANTED));
    EXPECT_EQ(CC_NONE, schedule.getFirstAppearanceNeedingHelp(fWanted));

    // Once he came, the next due class takes over.
    schedule.markSpawned(CC_WANTED, 40000);
    const float fLater = std::max(fWanted, fUndertaker);
    EXPECT_EQ(CC_UNDERTAKER, drawSpawnClass(census(0, true), rules, 0, fLater, schedule, random));
}

TEST(SpawnDrawTest, MinimumGaps)
{
    SpawnSchedule schedule;
    const struct
    {
        int eClass;
        int nGap;
    } aGaps[] = {{CC_CUSTOMER, 0}, {CC_THIEF, 25},  {CC_WANTED, 15}, {CC_UNDERTAKER, 45},
                 {CC_PATIENT, 0},  {CC_SHERIFF, 0}, {CC_COW, 60},    {CC_SPECIAL, 0}};
    for (const auto& g : aGaps)
    {
        EXPECT_EQ(g.nGap, schedule.getMinSpawnGap(g.eClass));
        // Never spawned: open at once, even in the first seconds of the clock.
        EXPECT_FALSE(schedule.hasSpawned(g.eClass));
        EXPECT_TRUE(schedule.isGapOpen(g.eClass, 0));
        EXPECT_TRUE(schedule.isGapOpen(g.eClass, 1000));
        schedule.markSpawned(g.eClass, 100000);
        EXPECT_EQ(g.nGap == 0, schedule.isGapOpen(g.eClass, 100000)) << g.eClass;
        if (g.nGap > 0)
        {
            EXPECT_FALSE(schedule.isGapOpen(g.eClass, 100000 + g.nGap * 1000 - 1)) << g.eClass;
        }
        EXPECT_TRUE(schedule.isGapOpen(g.eClass, 100000 + g.nGap * 1000)) << g.eClass;
    }
    // A thief that came 10 s ago draws but may not come in.
    EXPECT_FALSE(schedule.isGapOpen(CC_THIEF, 110000));
}

TEST(SpawnDrawTest, FirstAppearanceSchedule)
{
    const struct
    {
        int nType;
        int nLength;
        int nLevel;
        bool abEnabled[4]; // wanted, undertaker, patient, special
    } aCases[] = {{GT_STORY, 180, 7, {false, false, false, false}},
                  {GT_STORY, 180, 8, {true, false, false, false}},
                  {GT_STORY, 180, 23, {true, true, false, false}},
                  {GT_STORY, 180, 27, {true, true, true, false}},
                  {GT_STORY, 180, 33, {true, true, true, true}},
                  {GT_TIMED, 600, 40, {true, true, true, true}}};
    const int aeClass[4] = {CC_WANTED, CC_UNDERTAKER, CC_PATIENT, CC_SPECIAL};
    for (const auto& c : aCases)
    {
        DifficultyManager rules(c.nType, c.nLength, 0, c.nLevel);
        rules.setLowResourcesMode(false);
        const float L = (float)c.nLength;
        const float afBase[4] = {L / 5.0f, L * 0.25f, L / 3.0f, L * 0.5f};
        for (unsigned nSeed = 1; nSeed <= 50; ++nSeed)
        {
            RIR::Random random;
            random.seed(nSeed);
            const SpawnSchedule schedule(rules, random);
            for (int i = 0; i < 4; ++i)
            {
                const float fAt = schedule.getFirstAppearance(aeClass[i]);
                const std::string sWhere =
                    "level " + std::to_string(c.nLevel) + " class " + std::to_string(aeClass[i]);
                if (c.abEnabled[i])
                {
                    EXPECT_GE(fAt, afBase[i]) << sWhere;
                    EXPECT_LE(fAt, afBase[i] + 20.0f) << sWhere;
                    EXPECT_EQ(fAt - afBase[i], (float)(int)(fAt - afBase[i])) << sWhere;
                }
                else
                {
                    EXPECT_EQ(SpawnSchedule::NO_FIRST_APPEARANCE, fAt) << sWhere;
                }
                EXPECT_EQ(!c.abEnabled[i], schedule.isFirstAppearanceDone(aeClass[i])) << sWhere;
            }
            for (int eClass : {CC_CUSTOMER, CC_THIEF, CC_SHERIFF, CC_COW})
            {
                EXPECT_EQ(SpawnSchedule::NO_FIRST_APPEARANCE, schedule.getFirstAppearance(eClass));
                EXPECT_TRUE(schedule.isFirstAppearanceDone(eClass));
            }
        }
    }
}

TEST(SpawnDrawTest, HelpGoesToTheFirstDueClassNotDone)
{
    DifficultyManager rules(GT_TIMED, 180, 0, 40);
    rules.setLowResourcesMode(false);
    RIR::Random random;
    random.seed(2);
    SpawnSchedule schedule(rules, random);
    // At the end of the day every first appearance is due; class order decides.
    EXPECT_EQ(CC_WANTED, schedule.getFirstAppearanceNeedingHelp(1000.0f));
    schedule.markFirstAppearanceDone(CC_WANTED);
    EXPECT_EQ(CC_UNDERTAKER, schedule.getFirstAppearanceNeedingHelp(1000.0f));
    schedule.markSpawned(CC_UNDERTAKER, 5000);
    EXPECT_EQ(CC_PATIENT, schedule.getFirstAppearanceNeedingHelp(1000.0f));
    // Nothing is due at the start of the day.
    EXPECT_EQ(CC_NONE, schedule.getFirstAppearanceNeedingHelp(0.0f));
}
