// The heroine at work: walking to the tap, a seat and the sink, taking and leaving mugs at the
// "doaction" marker, the carried look of her arms, refusals on arrival, fights stopped with both
// arms, cancelling a walk, the arrow keys, and actions whose animation has no marker.
#include "dollytest.h"

#include <string>

namespace
{

// A spot that always lets her act with the fight-stopping animation at a fixed place.
class FightSpot : public ActionSpot
{
public:
    FightSpot() : ActionSpot(Rect(0, 0, 10, 10)) {}
    bool canDoAction(Dolly*, int) override { return true; }
    void doAction(Dolly*, int nHand) override { m_sActions += std::to_string(nHand); }
    void getActionPos(Dolly*, int, int* pX, int* pY, int* pDir) override
    {
        *pX = 400;
        *pY = 505;
        *pDir = 0;
    }
    void getActionAnim(RIR::String& sName, Dolly*, int) override { sName = "stopfight_fast_"; }
    int getDepth() override { return 0; }
    std::string m_sActions;
};

} // namespace

TEST_F(DollyTest, StartsTheLevelStandingWithEmptyHands)
{
    EXPECT_EQ(0, m_pDolly->getOutfit());
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());
    EXPECT_FALSE(m_pDolly->isDoingAction());
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));
    EXPECT_TRUE(m_pDolly->isHandEmpty(1));
    EXPECT_FALSE(m_pDolly->isTelekinesisMode());
    EXPECT_EQ("stand_l", sequence(Character::PART_LEGS));
    EXPECT_TRUE(m_pDolly->cancelWalk()); // nothing under way
}

TEST_F(DollyTest, DrawsABeerCarriesItToASeatAndTakesItBack)
{
    // The tap: she walks below it, faces up and takes a full mug at the marker.
    EXPECT_FALSE(m_pDolly->startAction(m_pTap, 0));
    EXPECT_TRUE(m_pDolly->isDoingAction());
    EXPECT_EQ(Character::ST_WALKING, m_pDolly->getState());
    EXPECT_TRUE(m_pDolly->isStateQueued(Dolly::ST_GO_TO_ACTION));
    for (int n = 0; n < 600 && m_pDolly->getActivity() != Character::ACT_TO_END; ++n)
        m_pDolly->update(DT);
    int nX = 0;
    int nY = 0;
    m_pDolly->getPos(&nX, &nY);
    EXPECT_EQ(159, nX); // below the tap, hand 0 25 px to the left
    EXPECT_EQ(280, nY);
    EXPECT_EQ(2, m_pDolly->getDirection());
    EXPECT_EQ("take_r_u", sequence(Character::PART_RIGHT_ARM));
    EXPECT_TRUE(m_pDolly->isHandEmpty(0)); // not before the marker
    ASSERT_TRUE(runUntilIdle());
    ASSERT_FALSE(m_pDolly->isHandEmpty(0));
    RIR::SmartPtr<Mug> pMug = m_pDolly->getHandMug(0);
    EXPECT_TRUE(pMug->isFull());
    EXPECT_FALSE(pMug->getSprite()->isVisible());
    EXPECT_TRUE(logged("play.playSound(1, 159)")); // the tap, at the "actionsound" frame
    EXPECT_TRUE(logged("play.createMug()"));
    EXPECT_TRUE(logged("play.showHandMug(0, obj)"));
    EXPECT_TRUE(logged("play.tutorialEvent(2)"));
    run(10);
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());
    EXPECT_EQ("stand_r_u_carry_3", sequence(Character::PART_RIGHT_ARM));
    EXPECT_EQ("stand_l_u", sequence(Character::PART_LEFT_ARM));

    // The seat: she walks there carrying it and leaves it at the marker.
    m_pDolly->startAction(m_pSeat, 0);
    run(2);
    EXPECT_EQ("walk_r_r_1s_carry_3", sequence(Character::PART_RIGHT_ARM));
    for (int n = 0; n < 600 && m_pDolly->getActivity() != Character::ACT_TO_END; ++n)
        m_pDolly->update(DT);
    EXPECT_EQ("leave_r_r_carry_3", sequence(Character::PART_RIGHT_ARM));
    m_play.getLog()->clear();
    ASSERT_TRUE(runUntilIdle());
    run(10);
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));
    ASSERT_TRUE(m_pSeat->hasMug());
    EXPECT_EQ(pMug.get(), m_pSeat->getMug().get());
    EXPECT_TRUE(pMug->getSprite()->isVisible());
    EXPECT_TRUE(m_pSeat->getMugProxy());
    EXPECT_TRUE(logged("play.playSound(2, 472)"));
    EXPECT_TRUE(logged("play.tutorialEvent(6)"));
    EXPECT_TRUE(logged("play.showHandMug(0, null)"));
    EXPECT_EQ("stand_r_r", sequence(Character::PART_RIGHT_ARM));

    // A click on the mug acts through its proxy: the left hand takes it back.
    RIR::SmartPtr<ActionSpot> pClicked = m_pScene->getSpotAt(MUG_X, MUG_Y - 25);
    ASSERT_EQ(m_pSeat->getMugProxy().get(), pClicked.get());
    act(pClicked, 1);
    EXPECT_FALSE(m_pSeat->hasMug());
    EXPECT_FALSE(m_pSeat->getMugProxy());
    EXPECT_EQ(pMug.get(), m_pDolly->getHandMug(1).get());
    EXPECT_EQ("stand_l_r_carry_3", sequence(Character::PART_LEFT_ARM));

    // The sink refuses the full mug; once a customer had sips it takes it.
    EXPECT_FALSE(m_pSink->canDoAction(m_pDolly.get(), 1));
    pMug->setContents(0);
    RIR::SmartPtr<AnimSprite> pSprite = pMug->getSprite();
    pMug.release();
    act(m_pSink, 1);
    EXPECT_TRUE(m_pDolly->isHandEmpty(1));
    EXPECT_EQ(nullptr, pSprite->getMode());
    EXPECT_TRUE(logged("play.tutorialEvent(7)"));
}

TEST_F(DollyTest, ASpotThatChangedDuringTheWalkEndsTheActionQuietly)
{
    m_pSeat->setMug(m_play.createMug());
    m_pDolly->startAction(m_pSeat, 0);
    run(5);
    RIR::SmartPtr<Mug> pTaken;
    m_pSeat->takeMug(pTaken); // someone else took it meanwhile
    ASSERT_TRUE(runUntilIdle());
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));
    EXPECT_FALSE(m_pDolly->getQueuedSpot());
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());
}

TEST_F(DollyTest, StartingWhileBusyOrOnARefusingSpotFails)
{
    EXPECT_EQ("AssertFailException: Assertion failed : pSpot->canDoAction(this, eHand)",
              messageOf([&] { m_pDolly->startAction(m_pSink, 0); }));
    m_pDolly->startAction(m_pTap, 0);
    EXPECT_EQ("AssertFailException: Assertion failed : !isDoingAction()",
              messageOf([&] { m_pDolly->startAction(m_pTap, 1); }));
}

TEST_F(DollyTest, StoppingAFightPlaysBothArmsAndTheLegs)
{
    RIR::SmartPtr<FightSpot> pSpot = new FightSpot;
    m_pDolly->startAction(pSpot, 1);
    run(2);
    EXPECT_EQ("stopfight_fast_r_r", sequence(Character::PART_RIGHT_ARM));
    EXPECT_EQ("stopfight_fast_l_r", sequence(Character::PART_LEFT_ARM));
    EXPECT_EQ("stopfight_r", sequence(Character::PART_LEGS));
    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ("1", pSpot->m_sActions);
    run(10);
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());
    EXPECT_EQ(Character::ACT_STATES, m_pDolly->getActivity());
    EXPECT_EQ("stand_r", sequence(Character::PART_LEGS));
}

TEST_F(DollyTest, CancelWalkStopsOnlyTheWalk)
{
    m_pDolly->startAction(m_pTap, 0);
    run(5);
    ASSERT_TRUE(m_pDolly->isWalking());
    EXPECT_TRUE(m_pDolly->cancelWalk());
    EXPECT_FALSE(m_pDolly->isDoingAction());
    EXPECT_FALSE(m_pDolly->isWalking());
    EXPECT_FALSE(m_pDolly->getQueuedSpot());
    EXPECT_TRUE(m_pDolly->hasNoQueuedState());
    run(2);
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));

    // During the action animation the action goes on.
    m_pDolly->startAction(m_pTap, 0);
    for (int n = 0; n < 600 && m_pDolly->getActivity() != Character::ACT_TO_END; ++n)
        m_pDolly->update(DT);
    EXPECT_FALSE(m_pDolly->cancelWalk());
    EXPECT_TRUE(m_pDolly->isDoingAction());
    EXPECT_EQ(m_pTap.get(), m_pDolly->getQueuedSpot().get());
    ASSERT_TRUE(runUntilIdle());
    EXPECT_FALSE(m_pDolly->isHandEmpty(0));
}

TEST_F(DollyTest, ArrowKeysCancelAWalkAndWaitForAnAction)
{
    m_pDolly->startAction(m_pTap, 0);
    run(5);
    int nX0 = 0;
    int nY0 = 0;
    m_pDolly->getPos(&nX0, &nY0);
    m_pDolly->setHeldArrows(false, false, false, true);
    run(3);
    int nX = 0;
    int nY = 0;
    m_pDolly->getPos(&nX, &nY);
    EXPECT_GT(nX, nX0);
    EXPECT_EQ(Dolly::ST_FREE_STEP, m_pDolly->getState());
    EXPECT_FALSE(m_pDolly->isDoingAction()); // the walk is off: she is not busy for ever
    m_pDolly->setHeldArrows(false, false, false, false);
    run(1);
    EXPECT_EQ(Dolly::ST_STAND, m_pDolly->getState());

    // Held during the action animation, the keys wait until the mug is in the hand.
    m_pDolly->startAction(m_pTap, 0);
    for (int n = 0; n < 600 && m_pDolly->getActivity() != Character::ACT_TO_END; ++n)
        m_pDolly->update(DT);
    m_pDolly->getPos(&nX0, &nY0);
    m_pDolly->setHeldArrows(false, true, false, false);
    m_pDolly->update(DT);
    m_pDolly->getPos(&nX, &nY);
    EXPECT_EQ(nY0, nY);
    ASSERT_TRUE(runUntilIdle());
    EXPECT_FALSE(m_pDolly->isHandEmpty(0));
    run(20);
    m_pDolly->getPos(&nX, &nY);
    EXPECT_GT(nY, nY0);
    EXPECT_EQ(Dolly::ST_FREE_STEP, m_pDolly->getState());
}

namespace
{

// The heroine's action sequences without the "doaction" marker, or with it on frame 0 where no
// update ever reads it.
class DollyWithoutMarkerTest : public DollyTest, public ::testing::WithParamInterface<int>
{
protected:
    DollyWithoutMarkerTest() : DollyTest(GetParam()) {}
};

} // namespace

TEST_P(DollyWithoutMarkerTest, TheActionHappensWhenItsAnimationEnds)
{
    act(m_pTap, 0);
    EXPECT_FALSE(m_pDolly->isDoingAction());
    EXPECT_FALSE(m_pDolly->isHandEmpty(0));
    EXPECT_EQ(Character::ACT_STATES, m_pDolly->getActivity());
    act(m_pSeat, 0);
    EXPECT_TRUE(m_pSeat->hasMug());
    // And she takes the next click.
    act(m_pSeat, 1);
    EXPECT_FALSE(m_pDolly->isHandEmpty(1));
}

INSTANTIATE_TEST_SUITE_P(Markers, DollyWithoutMarkerTest, ::testing::Values(-1, 0));

TEST_F(DollyTest, SheFacesEverySpotSheWorksOn)
{
    const struct
    {
        MugSpotBase* pSpot;
        int nHand;
        int nDir;
    } steps[] = {{m_pTap.get(), 0, 2}, {m_pSeat.get(), 0, 0}, {m_pSeat.get(), 0, 0},
                 {m_pSink.get(), 0, 2}, {m_pTap.get(), 0, 2}};
    for (const auto& step : steps)
    {
        if (step.pSpot == m_pSink.get())
            m_pDolly->getHandMug(0)->setContents(1);
        act(step.pSpot, step.nHand);
        EXPECT_EQ(step.nDir, m_pDolly->getDirection());
        run(30);
        EXPECT_EQ(step.nDir, m_pDolly->getDirection());
    }
}
