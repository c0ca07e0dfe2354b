// Telekinesis: mugs flying from a far spot into the heroine's hand and from her hand to a far
// spot, the distance from which a spot counts as far, and a seat that would have to swap mugs.
#include "dollytest.h"

#include <cstdlib>

namespace
{

// A seat whose action position is given by the test.
class PlacedSeat : public MugSpot
{
public:
    PlacedSeat(Scene* pScene, int nX, int nY)
        : MugSpot(pScene->getSquareRect(6, 6), 6, 6, 472, 350, 616), m_nX(nX), m_nY(nY)
    {
    }
    void getActionPos(Dolly*, int, int* pX, int* pY, int* pDir) override
    {
        *pX = m_nX;
        *pY = m_nY;
        *pDir = 0;
    }

private:
    int m_nX;
    int m_nY;
};

// A seat that, like a table with a customer, swaps a full mug for its mug that is not full.
class SwapSeat : public MugSpot
{
public:
    explicit SwapSeat(Scene* pScene) : MugSpot(pScene->getSquareRect(6, 6), 6, 6, 472, 350, 616) {}
    bool canDoAction(Dolly* pChar, int nHand) override
    {
        if (!pChar->isHandEmpty(nHand) && pChar->getHandMug(nHand)->isFull() && hasMug() &&
            !getMug()->isFull())
            return !isReserved();
        return MugSpot::canDoAction(pChar, nHand);
    }
};

class TelekinesisTest : public DollyTest
{
protected:
    TelekinesisTest() { m_pDolly->setTelekinesisMode(true); }

    void spritePos(Mug* pMug, int* pX, int* pY) { pMug->getSprite()->getPos(pX, pY); }
};

} // namespace

TEST_F(TelekinesisTest, AMugFliesFromTheTapIntoTheHandAtTheMarker)
{
    EXPECT_TRUE(m_pDolly->startAction(m_pTap, 0));
    EXPECT_TRUE(logged("play.playSound(18, 400)"));
    EXPECT_TRUE(logged("play.createMug()"));
    const FlyMug* pFly = m_pDolly->getFlyMug(0);
    ASSERT_NE(nullptr, pFly);
    EXPECT_FALSE(pFly->bWaiting);
    EXPECT_FALSE(pFly->pTarget);
    RIR::SmartPtr<Mug> pMug = pFly->pMug;
    EXPECT_EQ(184, pFly->nStartX); // the tap's mug position: its square's centre, 50 px up
    EXPECT_EQ(215, pFly->nStartY);
    EXPECT_EQ(10000, pMug->getSprite()->getZOrder());
    EXPECT_EQ(1, m_pDolly->getDirection()); // she turns to the tap and stays where she is
    EXPECT_EQ("take_r_l", sequence(Character::PART_RIGHT_ARM));

    m_pDolly->update(DT);
    int nHX = 0;
    int nHY = 0;
    m_pDolly->getHandPoint(&nHX, &nHY);
    EXPECT_EQ(400 - 35, nHX); // the left arm's sprite, 35 px towards her facing, 80 px up
    EXPECT_EQ(505 + 8 - 80, nHY);
    const float fT = DT * Dolly::FLIGHT_SPEED;
    int nX = 0;
    int nY = 0;
    spritePos(pMug.get(), &nX, &nY);
    EXPECT_EQ((int)((float)(nHX - 184) * fT + 184.0f), nX);
    EXPECT_EQ((int)((float)(nHY - 215) * fT + 215.0f), nY);
    int nI = 0;
    int nJ = 0;
    m_pScene->pixelToSquare(nX, nY + 80, &nI, &nJ);
    EXPECT_EQ(m_pScene->getRowDepth(nI, nJ), pMug->getSprite()->getZOrder());
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));

    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(pMug.get(), m_pDolly->getHandMug(0).get());
    EXPECT_FALSE(pMug->getSprite()->isVisible());
    EXPECT_EQ(nullptr, m_pDolly->getFlyMug(0));
    EXPECT_TRUE(logged("play.tutorialEvent(2)"));
    int nPX = 0;
    int nPY = 0;
    m_pDolly->getPos(&nPX, &nPY);
    EXPECT_EQ(400, nPX);
    EXPECT_EQ(505, nPY);
}

TEST_F(TelekinesisTest, AMugFliesFromTheHandToASeatOnceTheArmLetsGo)
{
    RIR::SmartPtr<Mug> pMug = m_play.createMug();
    m_pDolly->putMugInHand(0, pMug);
    EXPECT_TRUE(m_pDolly->startAction(m_pSeat, 0));
    EXPECT_TRUE(m_pDolly->isHandEmpty(0));
    EXPECT_TRUE(m_pSeat->isReserved());
    EXPECT_FALSE(m_pSeat->canDoAction(m_pDolly.get(), 1)); // nothing else lands there meanwhile
    EXPECT_EQ(0, m_pDolly->getDirection());
    const FlyMug* pFly = m_pDolly->getFlyMug(0);
    ASSERT_NE(nullptr, pFly);
    EXPECT_TRUE(pFly->bWaiting);
    EXPECT_EQ(m_pSeat.get(), pFly->pTarget.get());
    EXPECT_FALSE(pMug->getSprite()->isVisible());
    int nHX = 0;
    int nHY = 0;
    m_pDolly->getHandPoint(&nHX, &nHY);
    EXPECT_EQ(nHX, pFly->nStartX);
    EXPECT_EQ(nHY, pFly->nStartY);

    // Until the marker (frame 3 at 10 frames per second) the mug waits in the hand.
    int nX0 = 0;
    int nY0 = 0;
    pMug->getSprite()->getPos(&nX0, &nY0);
    run(5);
    ASSERT_NE(nullptr, m_pDolly->getFlyMug(0));
    EXPECT_TRUE(m_pDolly->getFlyMug(0)->bWaiting);
    int nX = 0;
    int nY = 0;
    pMug->getSprite()->getPos(&nX, &nY);
    EXPECT_EQ(nX0, nX);
    EXPECT_EQ(nY0, nY);
    EXPECT_FALSE(m_pDolly->cancelWalk()); // a throw is not a walk

    for (int n = 0; n < 30 && m_pDolly->getFlyMug(0) && m_pDolly->getFlyMug(0)->bWaiting; ++n)
        m_pDolly->update(DT);
    ASSERT_NE(nullptr, m_pDolly->getFlyMug(0));
    EXPECT_TRUE(pMug->getSprite()->isVisible());
    EXPECT_TRUE(m_pDolly->isDoingAction()); // busy until it lands
    EXPECT_TRUE(m_pSeat->isReserved());

    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(pMug.get(), m_pSeat->getMug().get());
    EXPECT_FALSE(m_pSeat->isReserved());
    EXPECT_TRUE(m_pSeat->getMugProxy());
    EXPECT_TRUE(logged("play.playSound(2, 472)"));
    EXPECT_TRUE(logged("play.tutorialEvent(6)"));
    pMug->getSprite()->getPos(&nX, &nY);
    EXPECT_EQ(472, nX);
    EXPECT_EQ(350, nY);
}

TEST_F(TelekinesisTest, ASpotCloserThan100PixelsIsWalkedTo)
{
    const struct
    {
        int nDX;
        int nDY;
        bool bFlies;
    } cases[] = {{99, 0, false}, {100, 0, true}, {-60, 39, false}, {-60, 40, true}};
    for (const auto& c : cases)
    {
        RIR::SmartPtr<PlacedSeat> pSeat = new PlacedSeat(m_pScene.get(), 400 + c.nDX, 505 - c.nDY);
        m_pDolly->putMugInHand(0, m_play.createMug());
        EXPECT_EQ(c.bFlies, m_pDolly->startAction(pSeat, 0)) << c.nDX << "," << c.nDY;
        ASSERT_TRUE(runUntilIdle());
        EXPECT_TRUE(pSeat->hasMug());
        // Back to the start for the next case.
        m_pDolly->placeAt(400, 505);
        RIR::SmartPtr<Mug> pOff;
        pSeat->takeMug(pOff);
    }
}

TEST_F(TelekinesisTest, AMugIsNotThrownWhereItWouldHaveToSwap)
{
    RIR::SmartPtr<SwapSeat> pSeat = new SwapSeat(m_pScene.get());
    m_pScene->addSpot(pSeat);
    RIR::SmartPtr<Mug> pEmpty = m_play.createMug();
    pEmpty->setContents(0);
    pSeat->setMug(pEmpty);
    RIR::SmartPtr<Mug> pFull = m_play.createMug();
    m_pDolly->putMugInHand(0, pFull);
    ASSERT_TRUE(pSeat->canDoAction(m_pDolly.get(), 0));
    EXPECT_FALSE(m_pDolly->startAction(pSeat, 0)); // she walks there instead
    EXPECT_EQ(nullptr, m_pDolly->getFlyMug(0));
    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(pFull.get(), pSeat->getMug().get());
    EXPECT_EQ(pEmpty.get(), m_pDolly->getHandMug(0).get());
    EXPECT_TRUE(pFull->getSprite()->isVisible());
    EXPECT_FALSE(pEmpty->getSprite()->isVisible());
    // A seat with nothing on it still takes a thrown mug from afar.
    m_pDolly->placeAt(400, 505);
    RIR::SmartPtr<Mug> pOff;
    pSeat->takeMug(pOff);
    m_pDolly->getHandMug(0)->setContents(3);
    EXPECT_TRUE(m_pDolly->startAction(pSeat, 0));
    ASSERT_TRUE(runUntilIdle());
    EXPECT_TRUE(pSeat->hasMug());
}

TEST_F(TelekinesisTest, BothHandsFlyAtOnce)
{
    EXPECT_TRUE(m_pDolly->startAction(m_pTap, 0));
    // The right hand's mug is in the hand at the marker; its flight may still be on its way.
    for (int n = 0; n < 60 && m_pDolly->isHandEmpty(0); ++n)
        m_pDolly->update(DT);
    ASSERT_FALSE(m_pDolly->isHandEmpty(0));
    ASSERT_TRUE(runUntilIdle());
    EXPECT_TRUE(m_pDolly->startAction(m_pTap, 1));
    ASSERT_TRUE(runUntilIdle());
    EXPECT_FALSE(m_pDolly->isHandEmpty(1));
    EXPECT_EQ("AssertFailException: Assertion failed : pSpot->canDoAction(this, eHand)",
              messageOf([&] { m_pDolly->startAction(m_pTap, 1); }));
}
