// The cow in the doorway (clicked out for a reward, or sitting out her time without one, or not
// sitting at all) and the sheriff who pins up the next wanted poster.
#include "guesttest.h"

#include <string>

namespace
{

using CowTest = GuestTest;
using SheriffTest = GuestTest;

} // namespace

TEST_F(CowTest, ClickedOutOfTheDoorwaySheMoosPaysOnceAndHurriesAway)
{
    RIR::SmartPtr<SyntheticCow> pCow = new SyntheticCow;
    pCow->setBool(CP_EXCLUSIVE_ENTER, true);
    bringIn(pCow);
    EXPECT_FALSE(pCow->wantsClicks()) << "no clicks on the way";
    ASSERT_TRUE(runUntilState(pCow.get(), Cow::ST_SITTING));
    EXPECT_TRUE(pCow->wantsClicks());
    EXPECT_EQ(1, count("play.playSound(14, 400)")) << "a moo as she sits down";
    EXPECT_EQ(1, count("play.showFeatureTip(Cow, 400, 150, 2)"));
    ASSERT_TRUE(runUntil(pCow.get(), [&] { return pCow->getSitTime() > 3.0f; }));
    EXPECT_TRUE(m_pScene->hasCorridorReservation(pCow.get(), Scene::CORRIDOR_IN))
        << "nobody comes in while she sits";

    pCow->onClick(300, 150);
    pCow->onClick(300, 150);
    EXPECT_EQ(2, count("play.playSound(7,"));
    EXPECT_EQ(0, count("play.flyImage"));
    EXPECT_EQ(Cow::ST_SITTING, pCow->getState());
    pCow->onClick(310, 160);
    const int nDepth = m_pScene->getRowDepth(0, 1) + 10;
    EXPECT_EQ(1, count("play.flyImage(text_rew_bucks, 310, 160, 50, -1, -1)"));
    EXPECT_EQ(1, count(("play.addFadeText(text_pay_r, 310, 160, " + std::to_string(nDepth)).c_str()));
    EXPECT_EQ(1,
              count(("play.addFadeText(text_pay_r50, 310, 125, " + std::to_string(nDepth)).c_str()));
    EXPECT_FALSE(pCow->wantsClicks());
    EXPECT_EQ(Cow::ST_GET_UP, pCow->getState());
    EXPECT_FALSE(m_pScene->hasCorridorReservation(pCow.get(), Scene::CORRIDOR_IN));
    int nSX = 0;
    int nSY = 0;
    pCow->getSpeed(&nSX, &nSY);
    EXPECT_EQ(std::make_pair(240, 150), std::make_pair(nSX, nSY));
    pCow->onClick(310, 160);
    EXPECT_EQ(1, count("play.flyImage")) << "a click while she leaves pays nothing";

    ASSERT_TRUE(runUntilGone(pCow.get()));
    EXPECT_EQ(2, count("play.playSound(14, 400)")) << "and a moo as she sets off";
}

TEST_F(CowTest, SittingOutHerTimeSheLeavesWithoutAReward)
{
    RIR::SmartPtr<SyntheticCow> pCow = new SyntheticCow;
    pCow->setFloat(CP_COW_SIT_TIME, 3.0f);
    bringIn(pCow);
    ASSERT_TRUE(runUntilState(pCow.get(), Cow::ST_GET_UP));
    EXPECT_GE(pCow->getSitTime(), 3.0f);
    ASSERT_TRUE(runUntil(pCow.get(), [&] { return pCow->isStateQueued(Character::ST_LEAVE); }));
    EXPECT_TRUE(m_pScene->hasCorridorReservation(pCow.get(), Scene::CORRIDOR_OUT))
        << "up again she shares the way out";
    ASSERT_TRUE(runUntilGone(pCow.get()));
    EXPECT_EQ(0, count("play.flyImage"));
    EXPECT_EQ(0, count("play.addFadeText"));
    EXPECT_EQ(2, count("play.playSound(14, 400)"));
}

TEST_F(CowTest, ACowThatDoesNotSitTurnsRoundAtTheDoor)
{
    RIR::SmartPtr<SyntheticCow> pCow = new SyntheticCow;
    pCow->setBool(CP_DO_SIT, false);
    bringIn(pCow);
    ASSERT_TRUE(runUntilGone(pCow.get()));
    EXPECT_EQ(0, count("play.showFeatureTip"));
    EXPECT_EQ(1, count("play.playSound(14, 400)")) << "only as she sets off";
    EXPECT_FALSE(pCow->wantsClicks());
}

TEST_F(SheriffTest, TheSheriffPinsUpTheNextPosterOnArrivalAndLeaves)
{
    RIR::SmartPtr<SyntheticSheriff> pSheriff = bringIn(RIR::SmartPtr<SyntheticSheriff>(new SyntheticSheriff));
    int nPX = 0;
    int nPY = 0;
    m_pScene->getPosterStandPixel(&nPX, &nPY);
    ASSERT_TRUE(runUntilState(pSheriff.get(), Sheriff::ST_TO_POSTER));
    ASSERT_TRUE(runUntil(pSheriff.get(), [&] { return pSheriff->getState() == Sheriff::ST_AT_POSTER; }));
    EXPECT_EQ(0, count("play.newWantedPoster")) << "not before he reaches the poster";
    pSheriff->update(DT);
    EXPECT_EQ(1, count("play.newWantedPoster"));
    EXPECT_EQ(std::make_pair(nPX, nPY), std::make_pair((int)pSheriff->getX(), (int)pSheriff->getY()));
    EXPECT_EQ(2, pSheriff->getDirection()) << "facing the wall";

    // Another leaver holds the way out: he waits in "stand_" and tries again.
    RIR::SmartPtr<WalkingObject> pOther = new WalkingObject;
    ASSERT_TRUE(m_pScene->reserveCorridor(pOther, Scene::CORRIDOR_IN, true));
    ASSERT_TRUE(runUntil(pSheriff.get(), [&] { return pSheriff->isWaitingToLeave(); }));
    EXPECT_EQ(1, pSheriff->getDirection()) << "at x 560 he turns left, to the room";
    EXPECT_TRUE(pSheriff->inWaitingState());
    m_pScene->unreserveCorridor(pOther, Scene::CORRIDOR_IN);
    ASSERT_TRUE(runUntilGone(pSheriff.get()));
    EXPECT_EQ(1, count("play.newWantedPoster"));
    EXPECT_FALSE(pSheriff->isWaitingToLeave());
}
