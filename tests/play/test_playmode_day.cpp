// The saloon day's life on the game's packs: loading in its steps, the clock and its faces, the
// warning of the last seconds with its bell, closing time, "EndLevelTime", the story goal, the
// tutorial's end, the results, and what the end of the day leaves behind.
#include "play/kit/playkit.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "world/customer.h"

#include "testkit/fakeplatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// A customer who stays where he is whatever he is told (closing time cannot empty the saloon).
class StayingCustomer : public Customer
{
public:
    // The pointer's hover test asks every character whether it takes clicks.
    StayingCustomer() { setBool("CP_WANT_CLICKS", false); }
    void update(float) override {}
};

// Runs to the first frame after which the day is closed; the elapsed time then.
float runToClosing(PlayKit& kit)
{
    kit.runUntil([&] { return kit.day()->isClosed(); }, 100000.0f);
    return kit.day()->getElapsed();
}

class PlayDayTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

TEST_F(PlayDayTest, LoadTakesOneFramePerStepSamplePlusTheClothesFrames)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    struct Case
    {
        bool bLowResources;
        int nLevel;
        int nSamples; // preloaded samples of the level
    };
    // Level 5: 7 first samples, then 20 more (no doors, no dog, no undertaker, no telekinesis).
    // Low resources: only the first seven.
    const Case aCases[] = {{false, 5, 27}, {true, 5, 7}};
    for (const Case& c : aCases)
    {
        PlayKit kit;
        kit.setSetting("LowResourcesMode", c.bLowResources ? "TRUE" : "FALSE");
        PlayMode* pDay = kit.pushDay(GT_TIMED, 180, 1, c.nLevel);
        int nFrames = 0;
        int nFinishing = 0;
        while (!pDay->isLoaded() && nFrames < 1000)
        {
            if (pDay->loadStep())
                ++nFinishing;
            ++nFrames;
        }
        EXPECT_EQ(1, nFinishing) << "only the last step answers true";
        EXPECT_EQ(PlayMode::LOAD_STEPS + c.nSamples + PlayMode::CLOTHES_SUBSTEPS - 1, nFrames)
            << "low resources " << c.bLowResources;
        EXPECT_EQ(c.bLowResources ? 30 : 100, kit.app()->getFPS());
        EXPECT_EQ(RIR::String("st_saloon2"), pDay->getMusicName());
    }
}

TEST_F(PlayDayTest, ClockFaceFollowsTheDayAndNeverPassesTwenty)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 40, 1, 5);
    EXPECT_EQ(0, pDay->getClockIndex());
    // Face n is due once (elapsed + 0.1) x 20 / 40 reaches n, redrawn every 2 s.
    m_kit.run(2.0f);
    EXPECT_EQ(1, pDay->getClockIndex());
    m_kit.run(18.0f);
    EXPECT_EQ(10, pDay->getClockIndex());
    m_kit.run(19.9f);
    EXPECT_EQ(19, pDay->getClockIndex());
    runToClosing(m_kit);
    EXPECT_EQ(20, pDay->getClockIndex());
}

TEST_F(PlayDayTest, BellRingsAtTheFirstBlinkThenEveryTwoSeconds)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 30, 1, 5);
    m_kit.run(14.0f);
    EXPECT_FALSE(pDay->getBigText()) << "no warning before the last 15 seconds";
    // A ring puts the blink count back to 0.
    std::vector<float> lRings;
    int nLast = -1;
    const float fStep = 0.05f;
    while (!pDay->isClosed())
    {
        m_kit.frame(fStep);
        if (pDay->getBigText() && pDay->getBellCount() == 0 && nLast != 0)
            lRings.push_back(pDay->getElapsed());
        nLast = pDay->getBigText() ? pDay->getBellCount() : -1;
    }
    ASSERT_GE(lRings.size(), 7u);
    EXPECT_NEAR(15.05f, lRings[0], 0.06f) << "the first blink of the warning rings";
    for (size_t n = 1; n < lRings.size(); ++n)
        EXPECT_NEAR(2.0f, lRings[n] - lRings[n - 1], 0.06f) << "ring " << n;
}

TEST_F(PlayDayTest, ClosesOnTheFirstFrameAfterTheDaysLength)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 20, 1, 5);
    m_kit.run(20.0f, 0.5f);
    EXPECT_FALSE(pDay->isClosed()) << "20.0 is not past 20";
    m_kit.frame(0.5f);
    EXPECT_FALSE(pDay->isClosed()) << "closing is tested before the clock moves";
    m_kit.frame(0.5f);
    EXPECT_TRUE(pDay->isClosed());
}

TEST_F(PlayDayTest, EndLevelTimeBoundsTheWaitForLeavingCustomers)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    struct Case
    {
        const char* pszSetting;
        float fWait; // seconds from closing to the end of the day
    };
    const Case aCases[] = {{"0", 0.0f}, {"2", 2.0f}, {"", 0.0f}};
    for (const Case& c : aCases)
    {
        PlayKit kit;
        kit.setSetting("EndLevelTime", c.pszSetting);
        PlayMode* pDay = kit.startDay(GT_TIMED, 20, 1, 5);
        EXPECT_FLOAT_EQ(c.fWait, pDay->getEndLevelTime());
        pDay->addCharacter(new StayingCustomer);
        runToClosing(kit);
        // The clock stands still after closing: the wait is counted in frames of 0.01 s, the
        // closing frame included.
        float fWaited = 0.01f;
        while (!pDay->isEnded() && fWaited < 10.0f)
        {
            kit.frame(0.01f);
            fWaited += 0.01f;
        }
        ASSERT_TRUE(pDay->isEnded()) << "EndLevelTime \"" << c.pszSetting << "\"";
        EXPECT_NEAR(c.fWait < 0.01f ? 0.01f : c.fWait, fWaited, 0.011f)
            << "EndLevelTime \"" << c.pszSetting << "\"";
        EXPECT_EQ(1, pDay->countCustomers()) << "the day ended with the customer inside";
    }
}

TEST_F(PlayDayTest, EmptySaloonEndsTheDayAtClosingWithoutTimeBonus)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("EndLevelTime", "10");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 20, 1, 5);
    runToClosing(m_kit);
    ASSERT_TRUE(pDay->isEnded()) << "nobody inside: the day ends at once";
    GameResults* pResults = m_kit.app()->getLastResults();
    ASSERT_NE(nullptr, pResults);
    EXPECT_EQ(GT_TIMED, pResults->nGameType);
    EXPECT_FALSE(pResults->bAborted);
    EXPECT_EQ(0, pResults->nTimeBonus) << "the time ran out";
    EXPECT_FALSE(pResults->bWon);
    EXPECT_FALSE(pResults->bTryAgain);
    EXPECT_EQ(RIR::String("text_saloonclosed"), pDay->getBigText()->getImage()->getName());
}

TEST_F(PlayDayTest, StoryGoalClosesOneSecondLaterWithTimeBonus)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("EndLevelTime", "0");
    PlayMode* pDay = m_kit.startDay(GT_STORY, 180, 1, 3);
    const int nGoal = m_kit.app() ? DifficultyManager::getStoryCashGoal(3, 1) : 0;
    m_kit.run(60.0f, 0.05f);
    EXPECT_LT(pDay->getGoalTimer(), 0.0f) << "not running before the goal";
    pDay->addCash(nGoal);
    m_kit.frame(0.05f);
    EXPECT_NEAR(0.95f, pDay->getGoalTimer(), 1e-4f);
    m_kit.run(0.90f, 0.05f);
    EXPECT_FALSE(pDay->isClosed());
    m_kit.frame(0.05f);
    EXPECT_TRUE(pDay->isClosed()) << "one second after the goal";
    EXPECT_EQ(RIR::String("text_goalreached"), pDay->getBigText()->getImage()->getName());
    m_kit.frame(0.05f);
    ASSERT_TRUE(pDay->isEnded());
    GameResults* pResults = m_kit.app()->getLastResults();
    ASSERT_NE(nullptr, pResults);
    EXPECT_TRUE(pResults->bWon);
    EXPECT_EQ(nGoal, pResults->nCash);
    EXPECT_EQ(10 * (180 - 61), pResults->nTimeBonus);
}

TEST_F(PlayDayTest, StoryDayShortOfItsGoalIsLost)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("EndLevelTime", "0");
    PlayMode* pDay = m_kit.startDay(GT_STORY, 20, 1, 3);
    pDay->addCash(DifficultyManager::getStoryCashGoal(3, 1) - 1);
    runToClosing(m_kit);
    m_kit.frame(0.01f);
    ASSERT_TRUE(pDay->isEnded());
    EXPECT_FALSE(m_kit.app()->getLastResults()->bWon);
    EXPECT_EQ(GT_STORY, m_kit.app()->getLastResults()->nGameType);
}

TEST_F(PlayDayTest, TutorialEndsOnTheFrameAfterClosingAndIsWon)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("EndLevelTime", "10");
    PlayMode* pDay = m_kit.startDay(GT_STORY, 180, 1, 0);
    ASSERT_TRUE(pDay->isTutorial());
    pDay->addCharacter(new StayingCustomer);
    runToClosing(m_kit);
    EXPECT_TRUE(pDay->isEnded()) << "the tutorial does not wait for its customer";
    ASSERT_NE(nullptr, m_kit.app()->getLastResults());
    EXPECT_TRUE(m_kit.app()->getLastResults()->bWon);
}

TEST_F(PlayDayTest, NothingRunsAfterTheDayEnded)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 20, 1, 5);
    runToClosing(m_kit);
    ASSERT_TRUE(pDay->isEnded());
    const float fElapsed = pDay->getElapsed();
    const int nCash = pDay->getCash();
    m_kit.run(5.0f);
    EXPECT_EQ(fElapsed, pDay->getElapsed());
    EXPECT_EQ(nCash, pDay->getCash());
}

TEST_F(PlayDayTest, EndOfTheDayStopsOnlyTheMurmursOwnChannel)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    // The murmur never started (low resources; or a day left while loading): channel -1, which
    // would stop every channel.
    m_kit.setSetting("LowResourcesMode", "TRUE");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 20, 1, 5);
    m_kit.run(1.0f);
    ASSERT_EQ(-1, pDay->getMurmurChannel());
    m_kit.audioLog()->clear();
    pDay->endMode();
    EXPECT_EQ(0, m_kit.audioLog()->countCalls("audio.stopChannel"));
    EXPECT_FALSE(IPlayMode::hasPlayMode());
}

TEST_F(PlayDayTest, SecondDayWhileOneRunsIsRefusedNamingTheFirstInFull)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.pushDay(GT_TIMED, 20, 1, 5);
    try
    {
        PlayMode second(new DifficultyManager(GT_TIMED, 20, 1, 5));
        FAIL() << "a second play mode was made";
    }
    catch (const RIR::FatalErrorException& e)
    {
        const std::string sMessage = e.getMessage();
        EXPECT_EQ(0u, sMessage.find("Prev PM "));
        // Every hex digit of the address, as wide as a pointer.
        EXPECT_EQ(std::string("Prev PM ").size() + 2 * sizeof(void*) + 1, sMessage.size());
    }
    EXPECT_EQ(pDay, PlayMode::getPlayMode());
}

} // namespace
