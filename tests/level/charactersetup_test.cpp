// DifficultyManager's character setups: the parameter set of every class on every difficulty
// (ranges over many seeded draws, fixed values, flags), the tutorial's overrides, the truncated
// "CP_MAX_DRINKS", and the shoot hint's first-time rule.
#include "level/diffmanager.h"

#include "app/gameapp.h"
#include "kit/levelapp.h"
#include "kit/recordingsetuptarget.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

namespace
{

const int DRAWS = 300;
const float PATIENCE[3] = {1.875f, 1.375f, 0.875f};

// Range of a number over many setups.
struct Span
{
    float fMin = 1e30f;
    float fMax = -1e30f;
    void add(float f)
    {
        fMin = std::min(fMin, f);
        fMax = std::max(fMax, f);
    }
};

// Checks every setup-time flag of a character against the expected true set; the other listed
// flags must read false.
void expectFlags(const ParamHolder& p, const std::set<std::string>& trueFlags,
                 const std::set<std::string>& allFlags, const std::string& sWhere)
{
    for (const std::string& sKey : allFlags)
        EXPECT_EQ(trueFlags.count(sKey) > 0, p.getBool(sKey.c_str())) << sWhere << " " << sKey;
}

const std::set<std::string> CUSTOMER_FLAGS = {
    CP_LEAVE_ON_REMOVE,   CP_LEAVE_ON_ABANDON, CP_ACCEPT_FIGHTS,  CP_ACCEPT_PARTNERS,
    CP_SCARES_PEOPLE,     CP_SCARES_THIEVES,   CP_CAN_BE_STOPPED, CP_CAN_BE_SCARED,
    CP_WANT_CLICKS,       CP_EXCLUSIVE_ENTER,  CP_IS_WANTED,      CP_PICK_FIRST_CHAIR,
    CP_LAST_DRINK_LOCKED, CP_FAST_DRINK_NEXT,  CP_PATIENT};

} // namespace

TEST(CharacterSetupTest, CustomerRangesByDifficulty)
{
    for (int nDiff = 0; nDiff < 3; ++nDiff)
    {
        DifficultyManager dm(GT_STORY, 180, nDiff, 12);
        dm.getRandom().seed(1000 + nDiff);
        const float g = PATIENCE[nDiff];
        Span speedH, speedV, between, fight, ask0, ask1, ask2, ask3;
        std::set<float> drinks;
        std::set<int> drinksRead;
        for (int i = 0; i < DRAWS; ++i)
        {
            RecordingSetupTarget t;
            dm.setupCustomer(t);
            const ParamHolder& p = t.m_params;
            speedH.add(t.m_fSpeedH);
            speedV.add(t.m_fSpeedV);
            EXPECT_EQ(t.m_fSpeedH, (float)(int)t.m_fSpeedH); // whole pixels per second
            drinks.insert(p.getFloat(CP_MAX_DRINKS));
            drinksRead.insert(p.getInt(CP_MAX_DRINKS));
            between.add(p.getFloat(CP_TIME_BETWEEN_DRINK));
            fight.add(p.getFloat(CP_START_FIGHT_PROB));
            ask0.add(p.getFloat(CP_TIME_ASK_0));
            ask1.add(p.getFloat(CP_TIME_ASK_1));
            ask2.add(p.getFloat(CP_TIME_ASK_2));
            ask3.add(p.getFloat(CP_TIME_ASK_3));
            EXPECT_TRUE(t.m_vSprites.empty());
        }
        const std::string sWhere = "difficulty " + std::to_string(nDiff);
        EXPECT_EQ(180.0f, speedH.fMin) << sWhere;
        EXPECT_EQ(220.0f, speedH.fMax) << sWhere;
        EXPECT_EQ(80.0f, speedV.fMin) << sWhere;
        EXPECT_EQ(120.0f, speedV.fMax) << sWhere;
        // range(3, 6) x g, stored unrounded.
        EXPECT_EQ((std::set<float>{3 * g, 4 * g, 5 * g, 6 * g}), drinks) << sWhere;
        for (auto span : {std::make_pair(between, std::make_pair(2.0f, 3.5f)),
                          std::make_pair(ask0, std::make_pair(0.5f, 1.0f)),
                          std::make_pair(ask1, std::make_pair(2.0f, 3.0f)),
                          std::make_pair(ask2, std::make_pair(3.0f, 4.0f)),
                          std::make_pair(ask3, std::make_pair(4.0f, 5.0f))})
        {
            EXPECT_GE(span.first.fMin, g * span.second.first) << sWhere;
            EXPECT_LE(span.first.fMax, g * span.second.second) << sWhere;
            // The draws cover the range, not one point of it.
            EXPECT_GT(span.first.fMax - span.first.fMin,
                      0.8f * g * (span.second.second - span.second.first))
                << sWhere;
        }
        EXPECT_GE(fight.fMin, 0.2f);
        EXPECT_LE(fight.fMax, 0.6f);
        EXPECT_GT(fight.fMax - fight.fMin, 0.3f);
    }
}

// "CP_MAX_DRINKS" is stored unrounded and read truncated: easy 5..11, medium 4..8, hard 2..5.
TEST(CharacterSetupTest, MaxDrinksReadTruncated)
{
    const struct
    {
        int nDiff;
        std::set<int> reads;
    } aCases[] = {{0, {5, 7, 9, 11}}, {1, {4, 5, 6, 8}}, {2, {2, 3, 4, 5}}};
    for (const auto& c : aCases)
    {
        DifficultyManager dm(GT_TIMED, 180, c.nDiff, 40);
        dm.getRandom().seed(7);
        std::set<int> reads;
        for (int i = 0; i < 100; ++i)
        {
            RecordingSetupTarget t;
            dm.setupCustomer(t);
            reads.insert(t.m_params.getInt(CP_MAX_DRINKS));
        }
        EXPECT_EQ(c.reads, reads) << c.nDiff;
    }
}

TEST(CharacterSetupTest, CustomerFixedValuesAndFlags)
{
    const struct
    {
        int nType;
        int nLevel;
        float fFastDrink;
        bool bAcceptFights;
    } aCases[] = {
        {GT_STORY, 1, 1.0f, false}, {GT_STORY, 2, 1.0f, true},  {GT_STORY, 3, 0.0f, true},
        {GT_STORY, 4, 0.0f, true},  {GT_STORY, 5, 0.1f, true},  {GT_STORY, 12, 0.2f, true},
        {GT_STORY, 44, 0.8f, true}, {GT_TIMED, 40, 1.0f, true}, {GT_CAMPAIGN, 0, 1.0f, true},
    };
    for (const auto& c : aCases)
    {
        for (int nDiff = 0; nDiff < 3; ++nDiff)
        {
            DifficultyManager dm(c.nType, 180, nDiff, c.nLevel);
            RecordingSetupTarget t;
            dm.setupCustomer(t);
            const ParamHolder& p = t.m_params;
            const std::string sWhere = "type " + std::to_string(c.nType) + " level " +
                                       std::to_string(c.nLevel) + " diff " + std::to_string(nDiff);
            EXPECT_FLOAT_EQ(c.fFastDrink, p.getFloat(CP_FAST_DRINK_PROB)) << sWhere;
            EXPECT_EQ(120, p.getInt(CP_PAY_0));
            EXPECT_EQ(110, p.getInt(CP_PAY_1));
            EXPECT_EQ(100, p.getInt(CP_PAY_2));
            EXPECT_EQ(90, p.getInt(RIR::String::format(CP_PAY_FMT, 3).c_str()));
            EXPECT_EQ(0, p.getInt(CP_EXPELL_COUNT));
            EXPECT_EQ(0.2f, p.getFloat(CP_TIME_RETRY_LEAVE));
            std::set<std::string> trueFlags = {CP_LEAVE_ON_REMOVE, CP_LEAVE_ON_ABANDON,
                                               CP_ACCEPT_PARTNERS, CP_CAN_BE_SCARED};
            if (c.bAcceptFights)
                trueFlags.insert(CP_ACCEPT_FIGHTS);
            expectFlags(p, trueFlags, CUSTOMER_FLAGS, sWhere);
            EXPECT_FALSE(p.has(CP_ALWAYS_EXIT_RIGHT));
            EXPECT_FALSE(p.has(CP_THIEF_STEAL_AMOUNT));
        }
    }
}

TEST(CharacterSetupTest, TutorialCustomerOverrides)
{
    for (int nDiff = 0; nDiff < 3; ++nDiff)
    {
        DifficultyManager dm(GT_STORY, 180, nDiff, 0);
        RecordingSetupTarget t;
        dm.setupCustomer(t);
        const ParamHolder& p = t.m_params;
        EXPECT_EQ(220.0f, t.m_fSpeedH);
        EXPECT_EQ(120.0f, t.m_fSpeedV);
        EXPECT_EQ(2.0f, p.getFloat(CP_MAX_DRINKS));
        EXPECT_EQ(2, p.getInt(CP_MAX_DRINKS));
        EXPECT_EQ(1.0f, p.getFloat(CP_TIME_BETWEEN_DRINK));
        EXPECT_EQ(-1.0f, p.getFloat(CP_START_FIGHT_PROB));
        EXPECT_EQ(1.5f, p.getFloat(CP_TIME_ASK_0));
        EXPECT_EQ(4.0f, p.getFloat(CP_TIME_ASK_1));
        EXPECT_EQ(8.0f, p.getFloat(CP_TIME_ASK_2));
        EXPECT_EQ(10.0f, p.getFloat(CP_TIME_ASK_3));
        EXPECT_EQ(1.0f, p.getFloat(CP_FAST_DRINK_PROB));
        expectFlags(p,
                    {CP_LEAVE_ON_REMOVE, CP_ACCEPT_PARTNERS, CP_CAN_BE_SCARED, CP_PICK_FIRST_CHAIR,
                     CP_LAST_DRINK_LOCKED},
                    CUSTOMER_FLAGS, "tutorial " + std::to_string(nDiff));
    }
}

TEST(CharacterSetupTest, PatientCustomer)
{
    DifficultyManager dm(GT_STORY, 180, 1, 30);
    RecordingSetupTarget t;
    dm.setupPatientCustomer(t);
    const ParamHolder& p = t.m_params;
    EXPECT_EQ(0.0f, p.getFloat(CP_START_FIGHT_PROB));
    EXPECT_EQ(10.0f, p.getFloat(CP_TIME_ASK_0));
    EXPECT_FLOAT_EQ(0.6f, p.getFloat(CP_FAST_DRINK_PROB)); // day 30: (30 / 5) x 0.1
    expectFlags(
        p,
        {CP_LEAVE_ON_REMOVE, CP_LEAVE_ON_ABANDON, CP_ACCEPT_PARTNERS, CP_CAN_BE_SCARED, CP_PATIENT},
        CUSTOMER_FLAGS, "patient");
    EXPECT_GE(p.getFloat(CP_TIME_ASK_1), 2.0f * 1.375f); // the rest stays a customer's
}

class ShootHintTest : public ::testing::Test
{
protected:
    LevelTestApp m_app;
};

TEST_F(ShootHintTest, UndertakerByDifficulty)
{
    for (int nDiff = 0; nDiff < 3; ++nDiff)
    {
        m_app.app().setSetting("FirstTimeUndertaker", "");
        DifficultyManager dm(GT_STORY, 180, nDiff, 23);
        RecordingSetupTarget t;
        dm.setupUndertaker(t);
        const ParamHolder& p = t.m_params;
        EXPECT_EQ(150.0f, t.m_fSpeedH);
        EXPECT_EQ(60.0f, t.m_fSpeedV);
        EXPECT_EQ(0.75f, t.m_fWalkAnimScale);
        EXPECT_EQ(nDiff + 1, p.getInt(CP_EXPELL_COUNT));
        EXPECT_EQ(0.0f, p.getFloat(CP_START_FIGHT_PROB));
        expectFlags(p,
                    {CP_LEAVE_ON_REMOVE, CP_LEAVE_ON_ABANDON, CP_SCARES_PEOPLE, CP_CAN_BE_STOPPED,
                     CP_WANT_CLICKS, CP_EXCLUSIVE_ENTER},
                    CUSTOMER_FLAGS, "undertaker " + std::to_string(nDiff));
        // The first one gets the hint except on hard; the setting is spent in every case.
        EXPECT_EQ(nDiff == 2 ? 0u : 1u, t.m_vSprites.size()) << nDiff;
        EXPECT_STREQ("FALSE", m_app.app().getSetting("FirstTimeUndertaker").c_str());
    }
}

TEST_F(ShootHintTest, FirstTimeRuleForRepeatedCharacters)
{
    // Hints shown to the first and the second character with the same key.
    const struct
    {
        int nDiff;
        const char* pszSetting; // before the first
        unsigned anShown[2];
    } aCases[] = {{0, "", {1, 1}},      {1, "", {1, 0}},      {2, "", {0, 0}},
                  {0, "FALSE", {1, 1}}, {1, "FALSE", {0, 0}}, {1, "TRUE", {1, 0}}};
    for (const auto& c : aCases)
    {
        m_app.app().setSetting("FirstTimeThief", c.pszSetting);
        DifficultyManager dm(GT_STORY, 180, c.nDiff, 5);
        for (int i = 0; i < 2; ++i)
        {
            RecordingSetupTarget t;
            dm.setupThief(t);
            EXPECT_EQ(c.anShown[i], t.m_vSprites.size())
                << "difficulty " << c.nDiff << " setting '" << c.pszSetting << "' thief " << i;
        }
        EXPECT_STREQ("FALSE", m_app.app().getSetting("FirstTimeThief").c_str());
    }
    // Without a key the hint is always shown and no setting is touched.
    DifficultyManager hard(GT_TIMED, 180, 2, 40);
    RecordingSetupTarget t;
    hard.attachShootHint(t, nullptr);
    ASSERT_EQ(1u, t.m_vSprites.size());
    EXPECT_TRUE(t.m_vSprites[0]);
}

TEST_F(ShootHintTest, WantedManHintByGameAndDifficulty)
{
    const struct
    {
        int nType;
        int nDiff;
        unsigned nShown;
    } aCases[] = {{GT_STORY, 0, 1}, {GT_STORY, 1, 1}, {GT_STORY, 2, 0},   {GT_TIMED, 0, 1},
                  {GT_TIMED, 1, 0}, {GT_TIMED, 2, 0}, {GT_CAMPAIGN, 0, 1}};
    for (const auto& c : aCases)
    {
        m_app.app().setSetting("FirstWanted", "");
        DifficultyManager dm(c.nType, 180, c.nDiff, 10);
        dm.getRandom().seed(3);
        Span speedH, speedV;
        unsigned nShown = 0;
        for (int i = 0; i < DRAWS; ++i)
        {
            RecordingSetupTarget t;
            dm.setupWanted(t);
            speedH.add(t.m_fSpeedH);
            speedV.add(t.m_fSpeedV);
            if (i == 0)
                nShown = (unsigned)t.m_vSprites.size();
            const ParamHolder& p = t.m_params;
            EXPECT_EQ(c.nDiff + 1, p.getInt(CP_EXPELL_COUNT));
            EXPECT_TRUE(p.getBool(CP_WANT_CLICKS) && p.getBool(CP_EXCLUSIVE_ENTER) &&
                        p.getBool(CP_CAN_BE_STOPPED) && p.getBool(CP_IS_WANTED));
            EXPECT_TRUE(p.getBool(CP_CAN_BE_SCARED)); // otherwise a customer
        }
        EXPECT_EQ(c.nShown, nShown) << c.nType << "/" << c.nDiff;
        // The story's key is spent; outside it no key is used.
        EXPECT_STREQ(c.nType == GT_STORY ? "FALSE" : "",
                     m_app.app().getSetting("FirstWanted").c_str());
        EXPECT_EQ(160.0f, speedH.fMin);
        EXPECT_EQ(200.0f, speedH.fMax);
        EXPECT_EQ(60.0f, speedV.fMin);
        EXPECT_EQ(100.0f, speedV.fMax);
    }
}

TEST_F(ShootHintTest, ThiefByDifficulty)
{
    const struct
    {
        float fMinH, fMaxH, fMinV, fMaxV;
        int nReturn, nSteal;
    } aCases[] = {{150, 200, 50, 100, 100, 100},
                  {160, 200, 60, 100, 100, 200},
                  {200, 220, 100, 120, 90, 200}};
    for (int nDiff = 0; nDiff < 3; ++nDiff)
    {
        DifficultyManager dm(GT_TIMED, 180, nDiff, 40);
        dm.getRandom().seed(11);
        Span speedH, speedV;
        for (int i = 0; i < DRAWS; ++i)
        {
            RecordingSetupTarget t;
            dm.setupThief(t);
            speedH.add(t.m_fSpeedH);
            speedV.add(t.m_fSpeedV);
            const ParamHolder& p = t.m_params;
            EXPECT_EQ(aCases[nDiff].nReturn, p.getInt(CP_THIEF_RETURN_AMOUNT));
            EXPECT_EQ(aCases[nDiff].nSteal, p.getInt(CP_THIEF_STEAL_AMOUNT));
            EXPECT_EQ(nDiff + 1, p.getInt(CP_EXPELL_COUNT));
            EXPECT_EQ(0.2f, p.getFloat(CP_TIME_RETRY_LEAVE));
            EXPECT_TRUE(p.getBool(CP_CAN_BE_STOPPED) && p.getBool(CP_WANT_CLICKS) &&
                        p.getBool(CP_EXCLUSIVE_ENTER));
            EXPECT_FALSE(p.getBool(CP_IS_WANTED));
            EXPECT_FALSE(p.has(CP_MAX_DRINKS)); // no customer values
        }
        EXPECT_EQ(aCases[nDiff].fMinH, speedH.fMin) << nDiff;
        EXPECT_EQ(aCases[nDiff].fMaxH, speedH.fMax) << nDiff;
        EXPECT_EQ(aCases[nDiff].fMinV, speedV.fMin) << nDiff;
        EXPECT_EQ(aCases[nDiff].fMaxV, speedV.fMax) << nDiff;
    }
}

TEST(CharacterSetupTest, CowSitsFromDayThirteenByChance)
{
    const struct
    {
        int nType;
        int nLevel;
        int nDiff;
        double fSitShare; // expected share of sitting cows
    } aCases[] = {{GT_STORY, 12, 2, 0.0},
                  {GT_STORY, 13, 0, 0.5},
                  {GT_STORY, 13, 1, 0.75},
                  {GT_TIMED, 1, 2, 0.8}};
    for (const auto& c : aCases)
    {
        DifficultyManager dm(c.nType, 180, c.nDiff, c.nLevel);
        dm.getRandom().seed(5);
        int nSits = 0;
        Span sitTime;
        const int nCows = 2000;
        for (int i = 0; i < nCows; ++i)
        {
            RecordingSetupTarget t;
            dm.setupCow(t);
            const ParamHolder& p = t.m_params;
            nSits += p.getBool(CP_DO_SIT) ? 1 : 0;
            sitTime.add(p.getFloat(CP_COW_SIT_TIME));
            EXPECT_EQ(60.0f, t.m_fSpeedH);
            EXPECT_EQ(160.0f, t.m_fSpeedV);
            EXPECT_TRUE(p.has(CP_ALWAYS_EXIT_RIGHT));
            EXPECT_TRUE(p.getBool(CP_EXCLUSIVE_ENTER));
            EXPECT_FALSE(p.getBool(CP_CAN_BE_STOPPED) || p.getBool(CP_WANT_CLICKS));
            EXPECT_EQ(c.nDiff + 1, p.getInt(CP_EXPELL_COUNT));
        }
        EXPECT_NEAR(c.fSitShare, (double)nSits / nCows, 0.04) << c.nType << "/" << c.nLevel;
        EXPECT_GE(sitTime.fMin, 3.0f);
        EXPECT_LE(sitTime.fMax, 7.0f);
        EXPECT_GT(sitTime.fMax - sitTime.fMin, 3.5f);
    }
}

TEST(CharacterSetupTest, SheriffWalksFastAndIsNoTrouble)
{
    DifficultyManager dm(GT_STORY, 180, 2, 20);
    RecordingSetupTarget t;
    dm.setupWalker(t);
    const ParamHolder& p = t.m_params;
    EXPECT_EQ(240.0f, t.m_fSpeedH);
    EXPECT_EQ(150.0f, t.m_fSpeedV);
    EXPECT_EQ(0.2f, p.getFloat(CP_TIME_RETRY_LEAVE));
    EXPECT_FALSE(p.getBool(CP_EXCLUSIVE_ENTER) || p.getBool(CP_CAN_BE_STOPPED) ||
                 p.getBool(CP_WANT_CLICKS));
    EXPECT_FALSE(p.has(CP_ALWAYS_EXIT_RIGHT));
    EXPECT_FALSE(p.has(CP_EXPELL_COUNT));
}

TEST(CharacterSetupTest, HintWithoutApplicationIsRefused)
{
    DifficultyManager dm(GT_STORY, 180, 0, 23);
    RecordingSetupTarget t;
    EXPECT_EQ("Assertion failed : pApp",
              messageOf<RIR::AssertFailException>([&] { dm.setupUndertaker(t); }));
}
