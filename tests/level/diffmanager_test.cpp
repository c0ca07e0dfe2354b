// DifficultyManager's queries: the story's cash goals (45 days x 3 difficulties, tripled on a
// 600-second day), every predicate on both sides of its boundary in story and timed games, the
// maximum fights, the per-difficulty numbers, the spawn weights, and the checks of what enters
// the constructor.
#include "level/diffmanager.h"

#include "app/gameapp.h"
#include "kit/levelapp.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// The story's goals by day and difficulty (easy, medium, hard) for a 180-second day.
const int s_aanGoals[45][3] = {
    {0, 0, 0},          {1500, 1500, 2500}, {2000, 2750, 3500}, {2500, 3000, 4500},
    {2500, 3250, 5000}, {3000, 3500, 6000}, {3250, 4000, 7000}, {3250, 4250, 7000},
    {3500, 4250, 7500}, {3500, 4250, 7500}, {3750, 4500, 7500}, {3750, 4500, 7500},
    {3750, 4500, 7500}, {3750, 4500, 7500}, {3750, 4500, 7500}, {4000, 4500, 7600},
    {4000, 4500, 7600}, {4000, 4500, 7600}, {4000, 4500, 7600}, {4000, 4500, 7600},
    {4250, 4750, 7700}, {4250, 4750, 7700}, {4250, 4750, 7700}, {4250, 4750, 7700},
    {4250, 4750, 7700}, {4500, 5000, 7800}, {4500, 5000, 7800}, {4500, 5000, 7800},
    {4500, 5000, 7800}, {4500, 5000, 7800}, {4750, 5250, 7800}, {4750, 5250, 7800},
    {4750, 5250, 7800}, {4750, 5250, 7800}, {4750, 5250, 7800}, {5000, 5250, 7900},
    {5000, 5250, 7900}, {5000, 5250, 7900}, {5000, 5250, 7900}, {5000, 5250, 7900},
    {5250, 5500, 8000}, {5250, 5500, 8000}, {5500, 5500, 8500}, {5500, 5500, 8500},
    {6000, 6000, 9000}};

} // namespace

TEST(DifficultyManagerTest, StoryGoalsForEveryDayAndDifficulty)
{
    for (int nDay = 0; nDay < 45; ++nDay)
    {
        for (int nDiff = 0; nDiff < 3; ++nDiff)
        {
            const DifficultyManager shortDay(GT_STORY, 180, nDiff, nDay);
            const DifficultyManager longDay(GT_STORY, 600, nDiff, nDay);
            EXPECT_EQ(s_aanGoals[nDay][nDiff], shortDay.getCashGoal()) << nDay << "/" << nDiff;
            EXPECT_EQ(3 * s_aanGoals[nDay][nDiff], longDay.getCashGoal()) << nDay << "/" << nDiff;
        }
    }
    // Only a day of exactly 600 seconds triples.
    EXPECT_EQ(1500, DifficultyManager(GT_STORY, 599, 0, 1).getCashGoal());
    EXPECT_EQ(1500, DifficultyManager(GT_STORY, 601, 0, 1).getCashGoal());
    EXPECT_EQ(4500, DifficultyManager(GT_STORY, 600, 0, 1).getCashGoal());
    EXPECT_EQ(7500, DifficultyManager(GT_STORY, 600, 2, 1).getCashGoal());
}

TEST(DifficultyManagerTest, OtherGamesHaveNoGoalAndNoStoryLevel)
{
    for (int nType : {GT_TIMED, GT_CAMPAIGN})
    {
        for (int nLength : {90, 180, 600})
        {
            const DifficultyManager dm(nType, nLength, 2, 44);
            EXPECT_EQ(0, dm.getCashGoal());
            EXPECT_EQ(44, dm.getLevel());
            EXPECT_FALSE(dm.isTutorial());
            EXPECT_EQ("Assertion failed : getGameType() == GT_STORY",
                      messageOf<RIR::AssertFailException>([&] { dm.getStoryLevel(); }));
        }
    }
    // Level 0 outside the story is no tutorial: five tables, ten customers.
    const DifficultyManager campaign(GT_CAMPAIGN, 90, 0, 0);
    EXPECT_EQ(5, campaign.getTableCount());
    EXPECT_EQ(10, campaign.getMaxCustomers());
}

TEST(DifficultyManagerTest, FirstStoryDaysHaveFewerTables)
{
    const struct
    {
        int nDay;
        bool bTutorial;
        int nTables;
        int nMaxCustomers;
    } aCases[] = {{0, true, 1, 1}, {1, false, 4, 8}, {2, false, 5, 10}, {44, false, 5, 10}};
    for (const auto& c : aCases)
    {
        const DifficultyManager dm(GT_STORY, 180, 1, c.nDay);
        EXPECT_EQ(c.bTutorial, dm.isTutorial()) << c.nDay;
        EXPECT_EQ(c.nTables, dm.getTableCount()) << c.nDay;
        EXPECT_EQ(c.nMaxCustomers, dm.getMaxCustomers()) << c.nDay;
        EXPECT_EQ(c.nDay, dm.getStoryLevel());
    }
}

// Each predicate on both sides of its boundary. Story rules follow the day; in timed games they
// always hold, while telekinesis, pianist, patient customer and guard follow the level number.
TEST(DifficultyManagerTest, PredicatesAtTheirBoundaries)
{
    struct Row
    {
        int nLevel;
        bool bFight, bThief, bWanted, bCowSit, bUndertaker, bSpecial; // story rules
        bool bTelekinesis, bPatient, bPianist;                        // by level number
        const char* pszGuard;
    };
    const Row aRows[] = {
        // lvl fight thief wanted cowsit undert special  tk     patient pianist guard
        {1, false, false, false, false, false, false, false, false, false, ""},
        {2, true, false, false, false, false, false, false, false, false, ""},
        {4, true, false, false, false, false, false, false, false, false, ""},
        {5, true, true, false, false, false, false, false, false, false, ""},
        {7, true, true, false, false, false, false, false, false, false, ""},
        {8, true, true, true, false, false, false, false, false, false, ""},
        {12, true, true, true, false, false, false, false, false, false, ""},
        {13, true, true, true, true, false, false, false, false, false, ""},
        {14, true, true, true, true, false, false, false, false, false, ""},
        {15, true, true, true, true, false, false, false, false, false, "dog"},
        {19, true, true, true, true, false, false, false, false, false, "dog"},
        {20, true, true, true, true, false, false, false, false, false, "mariachi"},
        {22, true, true, true, true, false, false, false, false, false, "mariachi"},
        {23, true, true, true, true, true, false, false, false, false, "mariachi"},
        {24, true, true, true, true, true, false, false, false, false, "mariachi"},
        {25, true, true, true, true, true, false, true, false, false, "mariachi"},
        {26, true, true, true, true, true, false, true, false, false, "mariachi"},
        {27, true, true, true, true, true, false, true, true, false, "mariachi"},
        {29, true, true, true, true, true, false, true, true, false, "mariachi"},
        {30, true, true, true, true, true, false, true, true, true, ""},
        {32, true, true, true, true, true, false, true, true, true, ""},
        {33, true, true, true, true, true, true, true, true, true, ""},
    };
    for (const Row& r : aRows)
    {
        for (int nType : {GT_STORY, GT_TIMED})
        {
            const bool bStory = nType == GT_STORY;
            DifficultyManager dm(nType, 180, 1, r.nLevel);
            dm.setLowResourcesMode(false);
            const std::string sWhere =
                std::string(bStory ? "story " : "timed ") + std::to_string(r.nLevel);
            EXPECT_EQ(bStory ? r.bFight : true, dm.isFightingEnabled()) << sWhere;
            EXPECT_EQ(bStory ? r.bThief : true, dm.isThiefEnabled()) << sWhere;
            EXPECT_EQ(bStory ? r.bWanted : true, dm.isWantedEnabled()) << sWhere;
            EXPECT_EQ(bStory ? r.bCowSit : true, dm.canCowSit()) << sWhere;
            EXPECT_EQ(bStory ? r.bUndertaker : true, dm.isUndertakerEnabled()) << sWhere;
            EXPECT_EQ(bStory ? r.bSpecial : true, dm.isSpecialEnabled()) << sWhere;
            EXPECT_TRUE(dm.isCowEnabled()) << sWhere;
            EXPECT_EQ(r.bTelekinesis, dm.isTelekinesisEnabled()) << sWhere;
            EXPECT_EQ(r.bPatient, dm.isPatientEnabled()) << sWhere;
            EXPECT_EQ(r.bPianist, dm.hasPianist()) << sWhere;
            EXPECT_STREQ(r.pszGuard, dm.getThiefGuardName().c_str()) << sWhere;
            // Low-resource mode never has the special customer.
            dm.setLowResourcesMode(true);
            EXPECT_FALSE(dm.isSpecialEnabled()) << sWhere;
        }
    }
}

TEST(DifficultyManagerTest, LowResourcesModeComesFromTheSetting)
{
    LevelTestApp app;
    app.app().setSetting("LowResourcesMode", "TRUE");
    EXPECT_TRUE(DifficultyManager(GT_TIMED, 180, 0, 40).isLowResourcesMode());
    EXPECT_FALSE(DifficultyManager(GT_TIMED, 180, 0, 40).isSpecialEnabled());
    app.app().setSetting("LowResourcesMode", "true"); // exactly "TRUE" only
    EXPECT_FALSE(DifficultyManager(GT_TIMED, 180, 0, 40).isLowResourcesMode());
    app.app().setSetting("LowResourcesMode", "FALSE");
    EXPECT_TRUE(DifficultyManager(GT_TIMED, 180, 0, 40).isSpecialEnabled());
}

TEST(DifficultyManagerTest, MaximumFights)
{
    // Story days 0..2 and 3..5 below hard are calmer; hard allows four everywhere.
    const struct
    {
        int nType;
        int nLevel;
        int anFights[3]; // easy, medium, hard
    } aCases[] = {
        {GT_STORY, 0, {1, 1, 4}},  {GT_STORY, 1, {1, 1, 4}},    {GT_STORY, 2, {1, 1, 4}},
        {GT_STORY, 3, {2, 2, 4}},  {GT_STORY, 4, {2, 2, 4}},    {GT_STORY, 5, {2, 2, 4}},
        {GT_STORY, 6, {1, 2, 4}},  {GT_STORY, 10, {1, 2, 4}},   {GT_STORY, 44, {1, 2, 4}},
        {GT_TIMED, 40, {1, 1, 4}}, {GT_CAMPAIGN, 0, {1, 1, 4}},
    };
    for (const auto& c : aCases)
    {
        for (int nDiff = 0; nDiff < 3; ++nDiff)
            EXPECT_EQ(c.anFights[nDiff],
                      DifficultyManager(c.nType, 180, nDiff, c.nLevel).getMaxFights())
                << "type " << c.nType << " level " << c.nLevel << " difficulty " << nDiff;
    }
}

TEST(DifficultyManagerTest, NumbersByDifficulty)
{
    const struct
    {
        float fSpawn;
        float fCharge;
        float fCowSit;
    } aCases[] = {{3.5f, 0.05f, 0.5f}, {3.0f, 0.033333335f, 0.75f}, {2.0f, 0.022222223f, 0.8f}};
    for (int nDiff = 0; nDiff < 3; ++nDiff)
    {
        const DifficultyManager dm(GT_TIMED, 180, nDiff, 30);
        EXPECT_EQ(aCases[nDiff].fSpawn, dm.getSpawnInterval());
        EXPECT_EQ(aCases[nDiff].fCharge, dm.getTelekinesisChargeRate());
        EXPECT_EQ(aCases[nDiff].fCowSit, dm.getCowSitChance());
        EXPECT_EQ(10, dm.getTelekinesisShots());
        EXPECT_EQ(120.0f, dm.getGuardAwakeTime());
        EXPECT_TRUE(dm.shouldThrowEmptyMug(0));
        EXPECT_TRUE(dm.shouldThrowEmptyMug(7));
    }
}

TEST(DifficultyManagerTest, LevelRewardsAreTheSameEverywhere)
{
    for (int nType : {GT_TIMED, GT_STORY, GT_CAMPAIGN})
    {
        for (int nDiff = 0; nDiff < 3; ++nDiff)
        {
            const DifficultyManager dm(nType, 180, nDiff, 12);
            EXPECT_EQ(100, dm.getInt(LP_STOPFIGHT_REWARD_0));
            EXPECT_EQ(75, dm.getInt(LP_STOPFIGHT_REWARD_1));
            EXPECT_EQ(50, dm.getInt(RIR::String::format(LP_STOPFIGHT_REWARD_FMT, 2).c_str()));
            EXPECT_EQ(250, dm.getInt(LP_WANTED_REWARD));
            EXPECT_EQ(100, dm.getInt(LP_STOPTHIEF_REWARD));
            EXPECT_EQ(50, dm.getInt(LP_COW_REWARD));
        }
    }
}

TEST(DifficultyManagerTest, SpawnWeights)
{
    const DifficultyManager day4(GT_STORY, 180, 1, 4);
    const DifficultyManager day5(GT_STORY, 180, 1, 5);
    EXPECT_EQ(0.0f, day4.getThiefWeight(5000)); // thieves come from day 5
    EXPECT_EQ(0.0f, day5.getThiefWeight(499));  // and only to a till of 500 or more
    EXPECT_EQ(0.2f, day5.getThiefWeight(500));

    EXPECT_EQ(0.0f, DifficultyManager(GT_STORY, 180, 1, 7).getWantedWeight());
    EXPECT_EQ(0.15f, DifficultyManager(GT_STORY, 180, 1, 8).getWantedWeight());

    const DifficultyManager day22(GT_STORY, 180, 1, 22);
    const DifficultyManager day23(GT_STORY, 180, 1, 23);
    const DifficultyManager day24(GT_STORY, 180, 1, 24);
    const DifficultyManager timed23(GT_TIMED, 180, 1, 23);
    EXPECT_EQ(0.0f, day22.getUndertakerWeight(10));
    EXPECT_EQ(0.0f, day23.getUndertakerWeight(5));
    EXPECT_EQ(0.3f, day23.getUndertakerWeight(6)); // his own day
    EXPECT_EQ(0.2f, day24.getUndertakerWeight(6));
    EXPECT_EQ(0.2f, timed23.getUndertakerWeight(6)); // level 23 counts in the story only

    EXPECT_EQ(0.0f, DifficultyManager(GT_TIMED, 180, 1, 26).getPatientWeight());
    EXPECT_EQ(0.05f, DifficultyManager(GT_TIMED, 180, 1, 27).getPatientWeight());
    EXPECT_EQ(0.1f, DifficultyManager(GT_STORY, 180, 1, 0).getCowWeight());

    DifficultyManager day33(GT_STORY, 180, 1, 33);
    day33.setLowResourcesMode(false);
    EXPECT_EQ(0.05f, day33.getSpecialWeight());
    day33.setLowResourcesMode(true);
    EXPECT_EQ(0.0f, day33.getSpecialWeight());
    EXPECT_EQ(0.0f, DifficultyManager(GT_STORY, 180, 1, 32).getSpecialWeight());
}

// A damaged difficulty setting plays the nearest difficulty instead of failing at the first
// spawn; everything that depends on it then works.
TEST(DifficultyManagerTest, DifficultyOutOfRangeIsClampedAtConstruction)
{
    const struct
    {
        int nGiven;
        int nPlayed;
    } aCases[] = {{-1, 0}, {-1000, 0}, {3, 2}, {99, 2}, {0, 0}, {2, 2}};
    for (const auto& c : aCases)
    {
        DifficultyManager dm(GT_STORY, 180, c.nGiven, 10);
        EXPECT_EQ(c.nPlayed, dm.getDifficulty()) << c.nGiven;
        EXPECT_EQ(s_aanGoals[10][c.nPlayed], dm.getCashGoal()) << c.nGiven;
        EXPECT_GT(dm.getSpawnInterval(), 0.0f);
        EXPECT_GT(dm.getTelekinesisChargeRate(), 0.0f);
        EXPECT_GT(dm.getMaxFights(), 0);
        ParamHolder params;
        dm.setExpelCount(params);
        EXPECT_EQ(c.nPlayed + 1, params.getInt(CP_EXPELL_COUNT)) << c.nGiven;
    }
    EXPECT_EQ(0, DifficultyManager::clampDifficulty(-5));
    EXPECT_EQ(1, DifficultyManager::clampDifficulty(1));
    EXPECT_EQ(2, DifficultyManager::clampDifficulty(3));
}

TEST(DifficultyManagerTest, BadStoryDayOrGameTypeIsRefused)
{
    EXPECT_EQ("Story level 45 out of range",
              messageOf<RIR::BadParmException>([] { DifficultyManager(GT_STORY, 180, 0, 45); }));
    EXPECT_EQ("Story level -1 out of range",
              messageOf<RIR::BadParmException>([] { DifficultyManager(GT_STORY, 180, 0, -1); }));
    const DifficultyManager odd(7, 180, 0, 3);
    EXPECT_EQ("Assertion failed : false",
              messageOf<RIR::AssertFailException>([&] { odd.getLevel(); }));
    EXPECT_EQ(0, odd.getCashGoal());
}
