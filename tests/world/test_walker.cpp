// The walker: step timing and its cap, diagonal legs and overshoot, the half-way switch of the held
// square, being held up and re-planning, the 2 s re-plan, paths through occupied squares,
// stepping off a blocked square (never onto another walker) and free steps.
//
// The synthetic floor: squares 72 x 30 from (4, 160); the centre of (i, j) is
// (40 + 72 i, 175 + 30 j).
#include "world/scene.h"
#include "world/walkingobj.h"

#include "world/kit/logcapture.h"
#include "worldtest.h"

#include <algorithm>
#include <cmath>

namespace
{

int centreX(int nI)
{
    return 40 + 72 * nI;
}

int centreY(int nJ)
{
    return 175 + 30 * nJ;
}

class WalkerTest : public WorldTest
{
protected:
    RIR::SmartPtr<WalkingObject> walker(int nI, int nJ, int nSpeedX = 140, int nSpeedY = 100)
    {
        RIR::SmartPtr<WalkingObject> pWalker = placeWalker(m_pScene.get(), nI, nJ);
        pWalker->setSpeed(nSpeedX, nSpeedY);
        return pWalker;
    }

    WalkingObject* occupant(int nI, int nJ) { return m_pScene->getSquare(nI, nJ)->pWalkObj.get(); }

    // Steps of fDt until the walk ends or nMax steps; the number of steps taken.
    static int walkOut(WalkingObject* pWalker, float fDt, int nMax = 2000)
    {
        int n = 0;
        while (pWalker->isWalking() && n < nMax)
        {
            pWalker->update(fDt);
            ++n;
        }
        return n;
    }

    // Every square of the grid held by pWalker, as "(i,j) ...".
    std::string heldBy(WalkingObject* pWalker)
    {
        std::string s;
        for (int j = 0; j < Scene::ROWS; ++j)
            for (int i = 0; i < Scene::COLUMNS; ++i)
                if (occupant(i, j) == pWalker)
                    s += (s.empty() ? "(" : " (") + std::to_string(i) + "," + std::to_string(j) + ")";
        return s;
    }
};

} // namespace

TEST_F(WalkerTest, AStepNeverCoversMoreThanAFifteenthOfASecond)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(centreX(6), centreY(3)));
    pW->update(0.5f);
    EXPECT_NEAR(184.0f + 140.0f / 15.0f, pW->getX(), 0.01f); // 9.33 pixels, not 70
    EXPECT_FLOAT_EQ(265.0f, pW->getY());
    int nDX = 0;
    int nDY = 0;
    pW->getHeading(&nDX, &nDY);
    EXPECT_EQ(72, nDX);
    EXPECT_EQ(0, nDY);
}

TEST_F(WalkerTest, UnusableTargetsAreRefusedAndChangeNothing)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    m_pScene->blockSquare(6, 6);
    EXPECT_FALSE(pW->walkTo(184, 265));                     // its own pixel
    EXPECT_FALSE(pW->walkTo(centreX(6), centreY(6)));       // a blocked square
    EXPECT_FALSE(pW->walkTo(centreX(2), 600));              // below the floor
    EXPECT_FALSE(pW->isWalking());
    EXPECT_EQ("(2,3)", heldBy(pW.get()));
    EXPECT_FLOAT_EQ(184.0f, pW->getX());
}

TEST_F(WalkerTest, AWalkInsideTheOwnSquareGoesStraightToThePixel)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(200, 270));
    EXPECT_EQ("(2,3)", pathText(pW->getPath()));
    walkOut(pW.get(), 1.0f / 60.0f);
    EXPECT_FALSE(pW->isWalking());
    EXPECT_FLOAT_EQ(200.0f, pW->getX());
    EXPECT_FLOAT_EQ(270.0f, pW->getY());
    EXPECT_EQ("(2,3)", heldBy(pW.get()));
}

TEST_F(WalkerTest, ADiagonalLegEndsOnOneAxisBeforeTheOther)
{
    // Leg (72, 30) at (140, 100): y is done after about 0.3 s, x after about 0.51 s, and in
    // between the walker moves horizontally only.
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(centreX(3), centreY(4)));
    const float fDt = 1.0f / 100.0f;
    float fT = 0.0f;
    float fYDone = -1.0f;
    while (pW->isWalking() && fT < 2.0f)
    {
        const float fY = pW->getY();
        pW->update(fDt);
        fT += fDt;
        if (fYDone < 0.0f && std::fabs(295.0f - pW->getY()) < 2.0f)
            fYDone = fT;
        if (fYDone >= 0.0f && pW->isWalking() && fT > fYDone + 2 * fDt)
        {
            EXPECT_FLOAT_EQ(fY, pW->getY()) << "y moves after its axis was done, t " << fT;
        }
    }
    EXPECT_NEAR(0.29f, fYDone, 0.02f);
    EXPECT_NEAR(0.51f, fT, 0.03f);
    EXPECT_FLOAT_EQ(256.0f, pW->getX());
    EXPECT_FLOAT_EQ(295.0f, pW->getY());
}

TEST_F(WalkerTest, AWaypointPassedOnOneAxisSnapsThatAxisOnly)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(190, 295)); // leg (6, 30) inside the column, one row down
    pW->update(1.0f / 15.0f);          // x passes 190 (9.3 pixels)
    EXPECT_GT(pW->getX(), 190.0f);
    pW->update(1.0f / 15.0f); // snapped back, while y goes on
    EXPECT_FLOAT_EQ(190.0f, pW->getX());
    EXPECT_NEAR(265.0f + 2 * 100.0f / 15.0f, pW->getY(), 0.01f);
    walkOut(pW.get(), 1.0f / 15.0f);
    EXPECT_FLOAT_EQ(190.0f, pW->getX());
    EXPECT_FLOAT_EQ(295.0f, pW->getY());
}

TEST_F(WalkerTest, TheHeldSquareChangesHalfWayAlongTheLeg)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(centreX(4), centreY(3)));
    EXPECT_EQ("(3,3) (4,3)", pathText(pW->getPath()));
    const float fDt = 1.0f / 100.0f;
    pW->update(fDt);
    EXPECT_EQ("(2,3) (3,3)", heldBy(pW.get())); // the next square is claimed before it is entered
    while (pW->getX() < 184.0f + 34.0f)
    {
        pW->update(fDt);
        EXPECT_EQ("(2,3) (3,3)", heldBy(pW.get())) << pW->getX();
    }
    while (pW->getX() < 184.0f + 38.0f)
        pW->update(fDt);
    EXPECT_EQ(pW->getSquare(), m_pScene->getSquare(3, 3)); // half-way: the old square is free
    EXPECT_EQ("(3,3)", heldBy(pW.get()));
    walkOut(pW.get(), fDt);
    EXPECT_EQ("(4,3)", heldBy(pW.get()));
    EXPECT_FLOAT_EQ(328.0f, pW->getX());
}

TEST_F(WalkerTest, HeldUpByAnotherWalkerItStandsThenPlansAround)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(centreX(4), centreY(3)));
    RIR::SmartPtr<WalkingObject> pOther = walker(3, 3); // steps in after the plan was made
    pW->update(0.05f);
    EXPECT_TRUE(pW->isBlocked());
    EXPECT_TRUE(pW->isWalking());
    EXPECT_EQ("(2,3)", heldBy(pW.get())); // the taken square was never claimed
    EXPECT_EQ(pOther.get(), occupant(3, 3));
    int nDX = 1;
    int nDY = 1;
    pW->getHeading(&nDX, &nDY);
    EXPECT_EQ(0, nDX);
    EXPECT_EQ(0, nDY);
    for (int n = 0; n < 2; ++n) // still standing: 0.1 s
    {
        pW->update(0.04f);
        EXPECT_TRUE(pW->isBlocked());
        EXPECT_FLOAT_EQ(184.0f, pW->getX());
    }
    pW->update(0.04f); // plans again from where it stands
    EXPECT_FALSE(pW->isBlocked());
    EXPECT_TRUE(pW->isWalking());
    EXPECT_EQ(std::string::npos, pathText(pW->getPath()).find("(3,3)"));
    walkOut(pW.get(), 1.0f / 60.0f);
    EXPECT_EQ("(4,3)", heldBy(pW.get()));
    EXPECT_EQ(pOther.get(), occupant(3, 3));
}

TEST_F(WalkerTest, AGoalHemmedInIsApproachedThroughTheFewestTakenSquares)
{
    // Every neighbour of (5, 6) taken: the path admits the taken squares from the goal end.
    RIR::List<RIR::SmartPtr<WalkingObject>> lRing;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj)
            if (di != 0 || dj != 0)
                lRing.append(walker(5 + di, 6 + dj));
    RIR::SmartPtr<WalkingObject> pW = walker(5, 2);
    ASSERT_TRUE(pW->walkTo(centreX(5), centreY(6)));
    EXPECT_EQ("(5,3) (5,4) (5,5) (5,6)", pathText(pW->getPath()));
    for (int n = 0; n < 200 && !pW->isBlocked(); ++n)
        pW->update(1.0f / 60.0f);
    EXPECT_TRUE(pW->isBlocked()); // stops before the first taken square
    EXPECT_EQ("(5,4)", heldBy(pW.get()));
}

TEST_F(WalkerTest, ThePathIsPlannedAgainAfterEveryTwoSecondsOfWalking)
{
    RIR::SmartPtr<WalkingObject> pW = walker(0, 1, 40, 20);
    ASSERT_TRUE(pW->walkTo(centreX(10), centreY(1)));
    ASSERT_NE(std::string::npos, pathText(pW->getPath()).find("(6,1)"));
    for (int n = 0; n < 150; ++n) // 1.5 s
        pW->update(0.01f);
    EXPECT_NEAR(1.5f, pW->getPlanTime(), 0.01f);
    // The plan time carries over to a new walk.
    ASSERT_TRUE(pW->walkTo(centreX(10), centreY(1) + 1));
    EXPECT_NEAR(1.5f, pW->getPlanTime(), 0.01f);
    // A walker steps onto the row ahead; the re-plan at 2 s goes round it before it is reached.
    RIR::SmartPtr<WalkingObject> pOther = walker(6, 1);
    for (int n = 0; n < 60; ++n)
        pW->update(0.01f);
    EXPECT_LT(pW->getPlanTime(), 0.15f);
    EXPECT_FALSE(pW->isBlocked());
    EXPECT_EQ(std::string::npos, pathText(pW->getPath()).find("(6,1)"));
    walkOut(pW.get(), 0.01f, 10000);
    EXPECT_EQ("(10,1)", heldBy(pW.get()));
    EXPECT_EQ(pOther.get(), occupant(6, 1));
}

TEST_F(WalkerTest, LeavingABlockedSquareTakesTheNearestEdgeOfAUsableNeighbour)
{
    const int TAKE_ABOVE = 1; // (5, 4) held by another walker
    const int TAKE_RIGHT = 2; // (6, 5) held by another walker
    struct Case
    {
        int nX, nY;       // position inside (5, 5): x 364..435, y 310..339
        int nTaken;
        int nExpX, nExpY; // where it lands
    } const cases[] = {
        {400, 312, 0, 400, 309},                       // near the top: the bottom row of (5, 4)
        {400, 337, 0, 400, 340},                       // near the bottom: the top row of (5, 6)
        {366, 325, 0, 363, 325},                       // near the left: the right column of (4, 5)
        {433, 325, 0, 436, 325},                       // near the right: the left column of (6, 5)
        {400, 312, TAKE_ABOVE, 400, 340},              // never onto another walker
        {433, 311, TAKE_ABOVE | TAKE_RIGHT, 436, 309}, // (6, 4)'s bottom-left corner
    };
    for (const Case& c : cases)
    {
        m_pScene.release();
        m_pScene = makeFloorScene();
        RIR::SmartPtr<WalkingObject> pW = new WalkingObject;
        pW->setPos((float)c.nX, (float)c.nY);
        RIR::SmartPtr<WalkingObject> pAbove;
        RIR::SmartPtr<WalkingObject> pRight;
        if (c.nTaken & TAKE_ABOVE)
            pAbove = walker(5, 4);
        if (c.nTaken & TAKE_RIGHT)
            pRight = walker(6, 5);
        ASSERT_TRUE(pW->leaveBlockedSquare(false));
        EXPECT_FLOAT_EQ((float)c.nExpX, pW->getX()) << c.nX << "," << c.nY;
        EXPECT_FLOAT_EQ((float)c.nExpY, pW->getY()) << c.nX << "," << c.nY;
        const std::string sHeld = heldBy(pW.get());
        EXPECT_EQ(1, std::count(sHeld.begin(), sHeld.end(), '(')) << sHeld;
        if (pAbove)
        {
            EXPECT_EQ(pAbove.get(), occupant(5, 4));
        }
        if (pRight)
        {
            EXPECT_EQ(pRight.get(), occupant(6, 5));
        }
    }
}

TEST_F(WalkerTest, AWalkFromABlockedSquareStepsOffItFirstNeverOntoAnotherWalker)
{
    RIR::SmartPtr<WalkingObject> pW = new WalkingObject;
    pW->setPos(400.0f, 312.0f); // (5, 5), near (5, 4)
    pW->setSpeed(140, 100);
    RIR::SmartPtr<WalkingObject> pOther = walker(5, 4);
    m_pScene->blockSquare(5, 5);
    ASSERT_TRUE(pW->walkTo(centreX(8), centreY(8)));
    EXPECT_EQ(pOther.get(), occupant(5, 4));
    EXPECT_EQ(pW.get(), occupant(5, 6));
    walkOut(pW.get(), 1.0f / 60.0f);
    EXPECT_EQ("(8,8)", heldBy(pW.get()));
}

TEST_F(WalkerTest, HemmedInOnAllSidesItGoesToTheNearestUsableSquare)
{
    RIR::SmartPtr<WalkingObject> pW = walker(5, 5);
    RIR::List<RIR::SmartPtr<WalkingObject>> lRing;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj)
            if (di != 0 || dj != 0)
            {
                if (di == 0)
                    m_pScene->blockSquare(5, 5 + dj);
                else
                    lRing.append(walker(5 + di, 5 + dj));
            }
    m_pScene->blockSquare(5, 5);
    LogCapture log;
    ASSERT_TRUE(pW->leaveBlockedSquare(true));
    int nI = 0;
    int nJ = 0;
    ASSERT_TRUE(m_pScene->pixelToSquare((int)pW->getX(), (int)pW->getY(), &nI, &nJ));
    EXPECT_TRUE(std::abs(nI - 5) == 2 || std::abs(nJ - 5) == 2) << nI << "," << nJ;
    EXPECT_EQ(pW.get(), occupant(nI, nJ));
    EXPECT_NE(std::string::npos, log.text().find("W: WRN WO::lBS"));
}

TEST_F(WalkerTest, FreeSteps)
{
    struct Case
    {
        int nI, nJ;    // start square (centre)
        int nDir, nSide;
        float fDt;
        bool bMoves;
        float fDX, fDY; // expected movement when it moves
    } const cases[] = {
        {2, 3, 0, 2, 0.1f, true, 10.0f, -5.0f},  // right drifting up: (100, -50) px/s
        {2, 3, 1, 4, 0.1f, true, -10.0f, 0.0f},  // left, no drift
        {2, 3, 3, 0, 0.1f, true, 5.0f, 10.0f},   // down drifting right
        {2, 3, 0, 4, 0.4f, false, 0, 0},         // into (3, 3), blocked below
        {4, 1, 2, 4, 0.2f, false, 0, 0},         // from row 1 into row 0 beside the door: no link
        {5, 1, 2, 4, 0.2f, true, 0.0f, -20.0f},  // through the door column: linked
        {2, 3, 1, 4, 0.6f, false, 0, 0},         // into (1, 3), held by another walker
    };
    m_pScene->blockSquare(3, 3);
    RIR::SmartPtr<WalkingObject> pOther = walker(1, 3);
    for (const Case& c : cases)
    {
        RIR::SmartPtr<WalkingObject> pW = walker(c.nI, c.nJ, 100, 100);
        const float fX = pW->getX();
        const float fY = pW->getY();
        EXPECT_EQ(c.bMoves, pW->moveStraight(c.nDir, c.nSide, c.fDt)) << c.nDir << "/" << c.nSide;
        EXPECT_NEAR(fX + c.fDX, pW->getX(), 0.01f);
        EXPECT_NEAR(fY + c.fDY, pW->getY(), 0.01f);
        int nDX = 0;
        int nDY = 0;
        pW->getHeading(&nDX, &nDY);
        EXPECT_EQ(c.nDir == 0 ? 1 : c.nDir == 1 ? -1 : 0, nDX);
        EXPECT_EQ(c.nDir == 2 ? -1 : c.nDir == 3 ? 1 : 0, nDY);
        pW->unmarkSquares();
    }
}

TEST_F(WalkerTest, AFreeStepEndsAWalk)
{
    RIR::SmartPtr<WalkingObject> pW = walker(2, 3);
    ASSERT_TRUE(pW->walkTo(centreX(6), centreY(3)));
    pW->update(1.0f / 60.0f);
    ASSERT_EQ("(2,3) (3,3)", heldBy(pW.get()));
    EXPECT_TRUE(pW->moveStraight(3, 4, 0.01f));
    EXPECT_FALSE(pW->isWalking());
    EXPECT_EQ("(2,3)", heldBy(pW.get()));
}

TEST_F(WalkerTest, StoppingOffTheGridIsLoggedAndSettlesOnTheGrid)
{
    LogCapture log;
    RIR::SmartPtr<WalkingObject> pW = walker(0, 5);
    pW->unmarkSquares();
    pW->setRawPos(2.0f, 330.0f); // left of the grid
    pW->stopWalking();
    EXPECT_NE(std::string::npos, log.text().find("W: WRN WO::sFP Bad source 2, 330\n"));
    EXPECT_EQ(pW.get(), occupant(0, 5));
    EXPECT_FLOAT_EQ(4.0f, pW->getX());
}
