// The player's input in a saloon day on the game's packs: clicks on spots and the queue of four
// with its numbered markers, the right button, the idle help, the options and leaving the day,
// and the telekinesis gauge of the later levels (charge time by difficulty, ten throws, the tips).
#include "play/kit/playkit.h"
#include "play/spotpoint.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "shell/dbdgameoptions.h"
#include "shell/newfeaturedlg.h"
#include "world/customer.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"

#include "ui/custombutton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A customer standing still in a timed wait of the given length.
class WaitingCustomer : public Customer
{
public:
    explicit WaitingCustomer(float fWait)
    {
        setBool("CP_WANT_CLICKS", false);
        m_nActivity = ACT_TIMED;
        m_fWaitTime = fWait;
    }
    void update(float) override {}
};

// The one-time tips on the application's stack.
int tipsShown(DBDApp* pApp)
{
    int nTips = 0;
    for (int n = 0; n < pApp->getModeCount(); ++n)
        nTips += dynamic_cast<NewFeatureDlg*>(pApp->getMode(n)) != nullptr ? 1 : 0;
    return nTips;
}

std::string imageName(const RIR::SmartPtr<Sprite>& pSprite)
{
    return pSprite && pSprite->getImage() ? pSprite->getImage()->getName().c_str() : "";
}

std::vector<std::string> markerNames(PlayMode* pDay)
{
    std::vector<std::string> names;
    for (int n = 0; n < pDay->getActionQueue().getLength(); ++n)
        names.push_back(imageName(pDay->getActionQueue().get(n)->pMarker));
    return names;
}

class PlayInputTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

} // namespace

TEST_F(PlayInputTest, BusyHeroineQueuesFourClicksWithNumberedMarkersAndDropsTheFifth)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    int nX = 0;
    int nY = 0;
    ASSERT_TRUE(spotCentre<MugSourceSpot>(pDay, &nX, &nY));
    // The first click sends her to the tap; the next ones wait.
    pDay->mouseDown(1, nX, nY);
    ASSERT_TRUE(pDay->getDolly()->isDoingAction());
    for (int n = 0; n < 5; ++n)
        pDay->mouseDown(1, nX + n, nY);
    EXPECT_EQ((std::vector<std::string>{"queued_2", "queued_3", "queued_4", "queued_5"}),
              markerNames(pDay));
    EXPECT_EQ(nX + 3, pDay->getActionQueue().get(3)->nX) << "the fifth click was dropped";
    EXPECT_EQ("queued_1", imageName(pDay->getCurrentMarker()));
    EXPECT_EQ(nX, pDay->getCurrentMarker()->getX()) << "marks the click she is acting on";

    // Once she is free the clicks are replayed, never more than one per frame, and the
    // markers move up.
    int nLeft = pDay->getActionQueue().getLength();
    bool bRenumbered = false;
    for (int nFrame = 0; nFrame < 3000 && nLeft > 0; ++nFrame)
    {
        m_kit.frame(0.01f);
        const int nNow = pDay->getActionQueue().getLength();
        ASSERT_GE(1, nLeft - nNow) << "frame " << nFrame;
        if (nNow == 3 && nLeft == 4)
        {
            EXPECT_EQ((std::vector<std::string>{"queued_2", "queued_3", "queued_4"}),
                      markerNames(pDay));
            bRenumbered = true;
        }
        nLeft = nNow;
    }
    EXPECT_EQ(0, nLeft);
    EXPECT_TRUE(bRenumbered);
}

TEST_F(PlayInputTest, RightButtonClearsEveryMarkerAndTheQueue)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    int nX = 0;
    int nY = 0;
    ASSERT_TRUE(spotCentre<MugSourceSpot>(pDay, &nX, &nY));
    pDay->mouseDown(1, nX, nY);
    pDay->mouseDown(1, nX, nY);
    pDay->mouseDown(1, nX, nY);
    ASSERT_EQ(2, pDay->getActionQueue().getLength());
    ASSERT_TRUE(pDay->getCurrentMarker());

    pDay->mouseDown(4, 100, 100);
    EXPECT_EQ(0, pDay->getActionQueue().getLength());
    EXPECT_FALSE(pDay->getCurrentMarker()) << "queued_1 goes too";
    EXPECT_FALSE(pDay->getDolly()->isDoingAction()) << "the walk to the tap was cancelled";
    // A new click is taken at once.
    pDay->mouseDown(1, nX, nY);
    EXPECT_TRUE(pDay->getDolly()->isDoingAction());
}

TEST_F(PlayInputTest, IdleHelpHurriesTheMostUrgentCustomerAfterThreeThenEveryOneAndAHalfSeconds)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    RIR::SmartPtr<WaitingCustomer> pLong = new WaitingCustomer(50.0f);
    RIR::SmartPtr<WaitingCustomer> pShort = new WaitingCustomer(40.0f);
    RIR::SmartPtr<WaitingCustomer> pEqual = new WaitingCustomer(40.0f);
    pDay->addCharacter(pLong.get());
    pDay->addCharacter(pShort.get());
    pDay->addCharacter(pEqual.get());

    // Driven alone, so that nothing else of the day changes the waits.
    std::vector<float> hurries;
    float fTime = 0.0f;
    for (int n = 0; n < 700; ++n)
    {
        const float fBefore = pDay->getIdleTime();
        pDay->hurryWaitingCustomer(0.01f);
        fTime += 0.01f;
        if (pDay->getIdleTime() < fBefore)
            hurries.push_back(fTime);
        if (hurries.size() == 1 && pShort->getWaitTime() == 0.1f)
            pShort->setWaitTime(45.0f); // a new wait in between: the other 40 s wait is next
    }
    ASSERT_EQ(3u, hurries.size());
    // Each hurry comes on the first step past its time.
    EXPECT_NEAR(3.0f, hurries[0], 0.035f);
    EXPECT_NEAR(4.5f, hurries[1], 0.035f);
    EXPECT_NEAR(6.0f, hurries[2], 0.035f);
    EXPECT_FLOAT_EQ(50.0f, pLong->getWaitTime());
    EXPECT_FLOAT_EQ(0.1f, pEqual->getWaitTime())
        << "of two equal waits the earlier customer won first, the other one next";
}

TEST_F(PlayInputTest, TutorialHasNoIdleHelp)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pTutorial = m_kit.startDay(GT_STORY, 180, 1, 0);
    RIR::SmartPtr<WaitingCustomer> pOnly = new WaitingCustomer(30.0f);
    pTutorial->addCharacter(pOnly.get());
    m_kit.run(5.0f);
    EXPECT_FLOAT_EQ(30.0f, pOnly->getWaitTime());
}

TEST_F(PlayInputTest, EscapeAndTheMenuButtonOpenTheOptionsAndLeavingGivesAnAbortedRecord)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_STORY, 180, 1, 7);
    DBDApp* pApp = m_kit.app();
    const int nModes = pApp->getModeCount();

    EXPECT_TRUE(pDay->keyDown(27, 0));
    ASSERT_EQ(nModes + 1, pApp->getModeCount());
    EXPECT_NE(nullptr, dynamic_cast<DBDGameOptions*>(pApp->getTopMode()));
    pApp->getTopMode()->endMode();
    ASSERT_EQ(nModes, pApp->getModeCount());

    pDay->onCallback(3, 0); // the menu button
    ASSERT_NE(nullptr, dynamic_cast<DBDGameOptions*>(pApp->getTopMode()));
    pApp->getTopMode()->endMode();

    pDay->addCash(70);
    pDay->onCallback(1, 0); // Exit in the options
    ASSERT_TRUE(pApp->hasLastResults());
    const GameResults* pResults = pApp->getLastResults();
    EXPECT_EQ(GT_STORY, pResults->nGameType);
    EXPECT_TRUE(pResults->bAborted);
    EXPECT_EQ(70, pResults->nCash);
    EXPECT_EQ(0, pResults->nTimeBonus);
    EXPECT_FALSE(pResults->bWon);
    EXPECT_FALSE(pResults->bTryAgain);
    EXPECT_EQ(nModes - 1, pApp->getModeCount()) << "the day ended itself";
}

// One application at a time: each difficulty gets its own kit, one after the other.
TEST(PlayTelekinesisTest, ChargesIn20_30_45SecondsByDifficultyAndTheReadyTipShowsOnce)
{
    const float afSeconds[] = {20.0f, 30.0f, 45.0f};
    for (int nDifficulty = 0; nDifficulty < 3; ++nDifficulty)
    {
        PlayKit kit;
        PLAYKIT_REQUIRE_PACKS(kit);
        PlayMode* pDay = kit.startDay(GT_TIMED, 180, nDifficulty, 25);
        EXPECT_FALSE(pDay->getTelekinesisButton()->isEnabled());
        float fFull = -1.0f;
        for (float fT = 0.0f; fT < 60.0f && fFull < 0.0f; fT += 0.01f)
        {
            pDay->updateTelekinesisCharge(0.01f);
            if (pDay->getTelekinesisShots() > 0)
                fFull = fT + 0.01f;
        }
        EXPECT_NEAR(afSeconds[nDifficulty], fFull, 0.05f) << "difficulty " << nDifficulty;
        EXPECT_EQ(1.0f, pDay->getTelekinesisCharge());
        EXPECT_EQ(10, pDay->getTelekinesisShots());
        EXPECT_TRUE(pDay->getTelekinesisButton()->isEnabled());
        EXPECT_EQ(RIR::String("FALSE"), kit.app()->getSetting("FeatureFirstTimeTKReady"));
        EXPECT_EQ(1, tipsShown(kit.app()));
    }
}

TEST_F(PlayInputTest, NothingChargesBelowLevel25)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 0, 24);
    m_kit.run(30.0f);
    EXPECT_EQ(0.0f, pDay->getTelekinesisCharge());
    EXPECT_EQ(0, pDay->getTelekinesisShots());
    EXPECT_FALSE(pDay->getTelekinesisButton()->isEnabled());
}

TEST_F(PlayInputTest, ChargeLandingExactlyOnFullMakesTheGaugeReady)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 0, 25);
    // 0.05 per second for 20 s is exactly 1.0 in float arithmetic.
    pDay->updateTelekinesisCharge(20.0f);
    EXPECT_EQ(1.0f, pDay->getTelekinesisCharge());
    EXPECT_EQ(10, pDay->getTelekinesisShots());
    EXPECT_TRUE(pDay->getTelekinesisButton()->isEnabled());
}

TEST_F(PlayInputTest, TenThrowsEmptyTheGaugeWhichThenChargesAgain)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 0, 25);
    DBDApp* pApp = m_kit.app();
    // The button does nothing before the gauge is full.
    pDay->onCallback(2, 0);
    EXPECT_FALSE(pDay->isTelekinesisOn());
    pDay->updateTelekinesisCharge(25.0f);
    ASSERT_EQ(10, pDay->getTelekinesisShots());

    pDay->onCallback(2, 0);
    EXPECT_TRUE(pDay->isTelekinesisOn());
    EXPECT_TRUE(pDay->getDolly()->isTelekinesisMode());
    EXPECT_FALSE(pDay->getTelekinesisButton()->isEnabled());
    EXPECT_EQ(RIR::String("FALSE"), pApp->getSetting("FeatureFirstTimeTKActive"));
    const int nFullWidth = pDay->getTelekinesisChargeSprite()->getImage()->getWidth();

    int nTapX = 0;
    int nTapY = 0;
    ASSERT_TRUE(spotCentre<MugSourceSpot>(pDay, &nTapX, &nTapY));
    int nSinkX = 0;
    int nSinkY = 0;
    ASSERT_TRUE(spotCentre<MugSinkSpot>(pDay, &nSinkX, &nSinkY));
    // Mugs fly from the tap into her hands; with both hands full they are emptied (as if
    // drunk) and go to the sink, thrown or carried, and the tap is used again.
    int nThrows = 0;
    for (int nFrame = 0; nFrame < 20000 && pDay->isTelekinesisOn(); ++nFrame)
    {
        Dolly* pDolly = pDay->getDolly();
        if (!pDolly->isDoingAction())
        {
            const int nBefore = pDay->getTelekinesisShots();
            if (pDolly->isHandEmpty(0) || pDolly->isHandEmpty(1))
                pDay->mouseDown(1, nTapX, nTapY);
            else
            {
                pDolly->getHandMug(0)->setContents(0);
                pDolly->getHandMug(1)->setContents(0);
                pDay->mouseDown(1, nSinkX, nSinkY);
            }
            if (pDay->getTelekinesisShots() != nBefore || !pDay->isTelekinesisOn())
            {
                ++nThrows;
                if (pDay->isTelekinesisOn())
                {
                    EXPECT_EQ(nFullWidth * (10 - nThrows) / 10,
                              pDay->getTelekinesisChargeSprite()->getImage()->getWidth());
                }
            }
        }
        m_kit.frame(0.01f);
    }
    EXPECT_EQ(10, nThrows);
    EXPECT_FALSE(pDay->isTelekinesisOn());
    EXPECT_FALSE(pDay->getDolly()->isTelekinesisMode());
    EXPECT_EQ(0, pDay->getTelekinesisShots());
    EXPECT_EQ(RIR::String("FALSE"), pApp->getSetting("FeatureFirstTimeTKEmpty"));
    EXPECT_LT(pDay->getTelekinesisCharge(), 0.1f) << "charging again from empty";
    EXPECT_FALSE(pDay->getTelekinesisButton()->isEnabled());
    EXPECT_EQ(3, tipsShown(pApp)) << "ready, active, empty";
    // Full again: the same tips are not shown twice.
    pDay->updateTelekinesisCharge(25.0f);
    ASSERT_EQ(10, pDay->getTelekinesisShots());
    pDay->onCallback(2, 0);
    EXPECT_TRUE(pDay->isTelekinesisOn());
    EXPECT_EQ(3, tipsShown(pApp));
}
