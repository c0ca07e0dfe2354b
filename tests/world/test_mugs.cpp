// Mugs and the mug spots: sips, the tap, the sink, a seat with the proxy over its mug, the
// approach sides and the action positions.
#include "dollytest.h"

#include "world/proxyspot.h"

#include <string>

namespace
{

using MugSpotTest = DollyTest;

// A full mug handed to the heroine without an action.
RIR::SmartPtr<Mug> giveMug(Dolly* pDolly, int nHand, int nSips)
{
    RIR::SmartPtr<Mug> pMug = IPlayMode::getPlayMode()->createMug();
    pMug->setContents(nSips);
    pDolly->putMugInHand(nHand, pMug);
    return pMug;
}

} // namespace

TEST_F(MugSpotTest, ANewMugIsFullAndShowsItsSips)
{
    RIR::SmartPtr<Mug> pMug = m_play.createMug();
    EXPECT_EQ(3, pMug->getCapacity());
    EXPECT_EQ(0, pMug->getKind());
    EXPECT_TRUE(pMug->isFull());
    EXPECT_EQ("3", std::string(pMug->getSprite()->getSequenceName().c_str()));
    EXPECT_EQ(&m_screen, pMug->getSprite()->getMode());
    const struct
    {
        int nSips;
        bool bEmpty;
        bool bFull;
    } cases[] = {{0, true, false}, {1, false, false}, {2, false, false}, {3, false, true}};
    for (const auto& c : cases)
    {
        pMug->setContents(c.nSips);
        EXPECT_EQ(c.bEmpty, pMug->isEmpty()) << c.nSips;
        EXPECT_EQ(c.bFull, pMug->isFull()) << c.nSips;
        EXPECT_EQ(std::to_string(c.nSips), pMug->getSprite()->getSequenceName().c_str());
        EXPECT_EQ("_" + std::to_string(c.nSips), pMug->getSpriteProp("suffix").c_str());
    }
    EXPECT_EQ("AssertFailException: Assertion failed : nCont >= 0",
              messageOf([&] { pMug->setContents(-1); }));
    EXPECT_EQ("AssertFailException: Assertion failed : nCont <= getCapacity()",
              messageOf([&] { pMug->setContents(4); }));
    EXPECT_EQ(3, pMug->getContents()); // unchanged by the refused values
}

TEST_F(MugSpotTest, TheLastReferenceTakesTheMugOffTheScreen)
{
    RIR::SmartPtr<Mug> pMug = m_play.createMug();
    RIR::SmartPtr<AnimSprite> pSprite = pMug->getSprite();
    pMug.release();
    EXPECT_EQ(nullptr, pSprite->getMode());
}

TEST_F(MugSpotTest, TheTapServesOnlyAnEmptyHandAndTheSinkOnlyAMugThatIsNotFull)
{
    Dolly* pDolly = m_pDolly.get();
    EXPECT_TRUE(m_pTap->canDoAction(pDolly, 0));
    EXPECT_FALSE(m_pSink->canDoAction(pDolly, 0)); // empty hand
    giveMug(pDolly, 0, 3);
    EXPECT_FALSE(m_pTap->canDoAction(pDolly, 0));
    EXPECT_FALSE(m_pSink->canDoAction(pDolly, 0)); // a full mug is never poured away
    EXPECT_TRUE(m_pTap->canDoAction(pDolly, 1));   // the other hand is free
    pDolly->getHandMug(0)->setContents(2);
    EXPECT_TRUE(m_pSink->canDoAction(pDolly, 0));
    pDolly->getHandMug(0)->setContents(0);
    EXPECT_TRUE(m_pSink->canDoAction(pDolly, 0));
    // Neither looks at the reserved flag.
    m_pSink->setReserved(true);
    m_pTap->setReserved(true);
    EXPECT_TRUE(m_pSink->canDoAction(pDolly, 0));
    EXPECT_TRUE(m_pTap->canDoAction(pDolly, 1));
    EXPECT_EQ(1, m_pTap->getActionSound(pDolly, 1));
    EXPECT_EQ(4, m_pSink->getActionSound(pDolly, 0));
}

TEST_F(MugSpotTest, TheSinkDestroysTheMugAndTheTapDrawsAFullOne)
{
    Dolly* pDolly = m_pDolly.get();
    RIR::SmartPtr<AnimSprite> pSprite = giveMug(pDolly, 0, 1)->getSprite();
    m_pSink->doAction(pDolly, 0);
    EXPECT_TRUE(pDolly->isHandEmpty(0));
    EXPECT_EQ(nullptr, pSprite->getMode()); // gone with its last reference
    EXPECT_TRUE(logged("play.tutorialEvent(7)"));
    EXPECT_TRUE(logged("play.showHandMug(0, null)"));

    m_pTap->doAction(pDolly, 1);
    ASSERT_FALSE(pDolly->isHandEmpty(1));
    EXPECT_TRUE(pDolly->getHandMug(1)->isFull());
    EXPECT_FALSE(pDolly->getHandMug(1)->getSprite()->isVisible());
    EXPECT_TRUE(logged("play.showHandMug(1, obj)"));

    EXPECT_EQ("AssertFailException: Assertion failed : false",
              messageOf([&] { m_pTap->setMugTK(m_play.createMug()); }));
    RIR::SmartPtr<Mug> pNone;
    EXPECT_EQ("AssertFailException: Assertion failed : false",
              messageOf([&] { m_pSink->takeMugTK(pNone); }));
}

TEST_F(MugSpotTest, PuttingAMugOnASeatRegistersAProxyOverItsPicture)
{
    Dolly* pDolly = m_pDolly.get();
    RIR::SmartPtr<Mug> pMug = giveMug(pDolly, 0, 3);
    const int nSpots = m_pScene->getSpots().getLength();
    EXPECT_FALSE(m_pSeat->hasMug());
    EXPECT_TRUE(m_pSeat->canDoAction(pDolly, 0));
    EXPECT_EQ(-1, m_pSeat->getActionSound(pDolly, 0));
    m_play.getLog()->clear();
    m_pSeat->doAction(pDolly, 0);

    EXPECT_TRUE(pDolly->isHandEmpty(0));
    ASSERT_TRUE(m_pSeat->hasMug());
    EXPECT_EQ(pMug.get(), m_pSeat->getMug().get());
    int nX = 0;
    int nY = 0;
    pMug->getSprite()->getPos(&nX, &nY);
    EXPECT_EQ(MUG_X, nX);
    EXPECT_EQ(MUG_Y, nY);
    EXPECT_EQ(616, pMug->getSprite()->getZOrder());
    EXPECT_TRUE(pMug->getSprite()->isVisible());
    EXPECT_EQ(nSpots + 1, m_pScene->getSpots().getLength());
    EXPECT_TRUE(logged("play.playSound(2, 472)"));
    EXPECT_TRUE(logged("play.tutorialEvent(6)"));

    // A click on the mug's picture (20 x 30, standing on its bottom centre) finds the proxy,
    // which acts on the seat.
    RIR::SmartPtr<ProxyActionSpot> pProxy = m_pSeat->getMugProxy();
    ASSERT_TRUE(pProxy);
    EXPECT_EQ(pProxy.get(), m_pScene->getSpotAt(MUG_X, MUG_Y - 15).get());
    EXPECT_EQ(m_pSeat.get(), pProxy->getTarget().get());
    EXPECT_FALSE(pProxy->contains(MUG_X, MUG_Y + 5));

    // A seat holding a mug refuses a hand with a mug, full or not: a plain seat never swaps.
    giveMug(pDolly, 1, 3);
    EXPECT_FALSE(m_pSeat->canDoAction(pDolly, 1));
    pDolly->getHandMug(1)->setContents(1);
    EXPECT_FALSE(m_pSeat->canDoAction(pDolly, 1));

    // Taking it back removes the proxy again.
    EXPECT_TRUE(m_pSeat->canDoAction(pDolly, 0));
    EXPECT_EQ(0, m_pSeat->getActionSound(pDolly, 0));
    m_pSeat->doAction(pDolly, 0);
    EXPECT_FALSE(m_pSeat->hasMug());
    EXPECT_FALSE(m_pSeat->getMugProxy());
    EXPECT_EQ(nSpots, m_pScene->getSpots().getLength());
    EXPECT_EQ(pMug.get(), pDolly->getHandMug(0).get());
}

TEST_F(MugSpotTest, SeatRulesAndTheirFailures)
{
    Dolly* pDolly = m_pDolly.get();
    EXPECT_FALSE(m_pSeat->canDoAction(pDolly, 0)); // nothing to take
    EXPECT_EQ("AssertFailException: Assertion failed : hasMug()", messageOf([&] { m_pSeat->getMug(); }));
    EXPECT_EQ("AssertFailException: Assertion failed : hasMug()",
              messageOf([&] { m_pSeat->canTakeMug(); }));
    EXPECT_EQ("AssertFailException: Assertion failed : notNULL(pMug)",
              messageOf([&] { m_pSeat->setMug(RIR::SmartPtr<Mug>()); }));
    m_pSeat->setMug(m_play.createMug());
    EXPECT_EQ("AssertFailException: Assertion failed : isNULL(m_pMug)",
              messageOf([&] { m_pSeat->setMug(m_play.createMug()); }));
    // A reserved seat (a mug is flying to it) refuses everything.
    m_pSeat->setReserved(true);
    EXPECT_FALSE(m_pSeat->canDoAction(pDolly, 0));
    m_pSeat->setReserved(false);
    EXPECT_TRUE(m_pSeat->canDoAction(pDolly, 0));
    // The scene's teardown (the fixture's end) breaks the seat-proxy cycle: no leak is reported.
}

TEST_F(MugSpotTest, ActionPositions)
{
    // (i, j) of the heroine's square, hand, sides closed -> where she stands and faces. The spot
    // is at (5, 6); squares are 72 x 30 from (4, 160).
    const struct
    {
        int nI;
        int nJ;
        int nHand;
        bool bOnlyVertical;
        int nX;
        int nY;
        int nDir;
    } cases[] = {
        {1, 6, 0, false, 338, 350, 0},   // left: centre of (4, 6) + 10, 5 up
        {1, 6, 1, false, 338, 348, 0},   // the left hand: 7 up
        {9, 6, 0, false, 462, 350, 1},   // right: centre of (6, 6) - 10
        {9, 6, 1, false, 462, 348, 1},
        {5, 11, 0, false, 375, 370, 2},  // below: top edge of (5, 7), hand 0 25 left
        {5, 11, 1, false, 425, 370, 2},
        {5, 1, 0, false, 425, 339, 3},   // above: bottom edge of (5, 5), hand 0 25 right
        {5, 1, 1, false, 375, 339, 3},
        {4, 7, 0, false, 338, 350, 0},   // left and below tie at 1: the lower side wins
        {1, 6, 0, true, 375, 370, 2},    // tap and sink: left closed, below before above
        {5, 2, 1, true, 375, 339, 3},
    };
    for (const auto& c : cases)
    {
        RIR::SmartPtr<MugSpotBase> pSpot;
        if (c.bOnlyVertical)
            pSpot = new MugSourceSpot(m_pScene->getSquareRect(5, 6), 5, 6);
        else
            pSpot = new MugSpot(m_pScene->getSquareRect(5, 6), 5, 6, 0, 0, 0);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(c.nI, c.nJ, &nX, &nY, 0x24);
        m_pDolly->placeAt(nX, nY);
        int nAX = 0;
        int nAY = 0;
        int nDir = -1;
        pSpot->getActionPos(m_pDolly.get(), c.nHand, &nAX, &nAY, &nDir);
        EXPECT_EQ(c.nX, nAX) << c.nI << "," << c.nJ << " hand " << c.nHand;
        EXPECT_EQ(c.nY, nAY) << c.nI << "," << c.nJ << " hand " << c.nHand;
        EXPECT_EQ(c.nDir, nDir) << c.nI << "," << c.nJ << " hand " << c.nHand;
    }
}

TEST_F(MugSpotTest, BlockedAndMovedSides)
{
    m_pDolly->placeAt(400, 505);
    MugSpot seat(m_pScene->getSquareRect(5, 6), 5, 6, 0, 0, 0);
    seat.setSideOffsets(-1, 1, 1, -2); // a table: approached two rows above
    m_pScene->blockSquare(5, 7);        // below is not walkable
    int nX = 0;
    int nY = 0;
    int nDir = -1;
    seat.getActionPos(m_pDolly.get(), 0, &nX, &nY, &nDir);
    EXPECT_EQ(0, nDir); // (4, 6) at 1 + 5 ties (6, 6) and beats (5, 4) at 7
    seat.setSideOpen(0, false);
    seat.setSideOpen(1, false);
    seat.getActionPos(m_pDolly.get(), 0, &nX, &nY, &nDir);
    EXPECT_EQ(3, nDir);
    EXPECT_EQ(425, nX);
    EXPECT_EQ(160 + 4 * 30 + 29, nY); // bottom edge of (5, 4)
    // No usable side: her own spot's square, facing right (a walk there is refused quietly).
    seat.setSideOpen(3, false);
    seat.getActionPos(m_pDolly.get(), 1, &nX, &nY, &nDir);
    EXPECT_EQ(400, nX);
    EXPECT_EQ(355, nY);
    EXPECT_EQ(0, nDir);
    EXPECT_EQ(606, seat.getDepth());
    EXPECT_TRUE(seat.acceptsThrownMug());
    MugSinkSpot sink(m_pScene->getSquareRect(8, 3), 8, 3);
    sink.getMugPos(&nX, &nY);
    EXPECT_EQ(4 + 8 * 72 + 36, nX);
    EXPECT_EQ(160 + 3 * 30 + 15 - 50, nY);
}
