// Chairs: pulling out, sit and stand positions, who may take one; the head-sit table.
#include "world/chair.h"
#include "world/headsitoffsets.h"
#include "world/tablespot.h"

#include "world/kit/syntheticanimation.h"
#include "world/kit/syntheticcustomer.h"
#include "worldtest.h"

#include <cstdlib>
#include <string>

namespace
{

class ChairTest : public WorldTest
{
protected:
    ChairTest() { HeadSitOffsets::parse(syntheticHeadSitOffsetsText()); }
    // A chair at (i, j) whose three pictures stand at x nBaseX.
    RIR::SmartPtr<Chair> chair(int nI, int nJ, bool bRight, int nBaseX = 100)
    {
        RIR::SmartPtr<Animation> pAnim = SyntheticAnimation().sequence("a", 1, false).build();
        RIR::SmartPtr<TableSpot> pSpot =
            new TableSpot(Rect(0, 0, 10, 10), nI + 1, nJ + 1, 5, 5, 50, 0);
        RIR::SmartPtr<Chair> pChair = new Chair(
            nI, nJ, 556, bRight, new AnimSprite(pAnim, nBaseX, 300, 1),
            new AnimSprite(pAnim, nBaseX, 280, 1), new AnimSprite(pAnim, nBaseX, 320, 1), pSpot);
        m_lChairs.append(pChair);
        return pChair;
    }
    ~ChairTest() override
    {
        for (int n = 0; n < m_lChairs.getLength(); ++n)
            m_lChairs.get(n)->detach();
    }
    RIR::List<RIR::SmartPtr<Chair>> m_lChairs;
};

} // namespace

TEST_F(ChairTest, PullingOutClampsAndSlidesThePicturesAwayFromTheTable)
{
    const struct
    {
        bool bRight;
        float fPull;
        float fStored;
        int nX;
    } cases[] = {{false, -0.5f, 0.0f, 100},
                 {true, 1.7f, 1.0f, 123},
                 {false, 1.0f, 1.0f, 77},
                 {false, 0.5f, 0.5f, 88},
                 {true, 0.5f, 0.5f, 111}};
    for (const auto& c : cases)
    {
        RIR::SmartPtr<Chair> pChair = chair(3, 5, c.bRight);
        pChair->setPullOut(c.fPull);
        EXPECT_FLOAT_EQ(c.fStored, pChair->getPullOut()) << c.fPull;
        for (int n = 0; n < pChair->getSprites().getLength(); ++n)
            EXPECT_EQ(c.nX, pChair->getSprites().get(n)->getX()) << c.bRight << " " << c.fPull;
    }
    EXPECT_EQ("AssertFailException: Assertion failed : validSquare(nI, nJ)",
              messageOf([&] { chair(11, 5, false); }));
}

TEST_F(ChairTest, SitAndStandPositionsFollowTheSide)
{
    // Squares are 72 x 30 from x 4, row 1 from y 190: (3, 5) has its top-left pixel at (220, 310).
    RIR::SmartPtr<Chair> pRight = chair(3, 5, true);
    RIR::SmartPtr<Chair> pLeft = chair(3, 5, false);
    int nX = 0;
    int nY = 0;
    pRight->getSitPos(&nX, &nY);
    EXPECT_EQ(std::make_pair(245, 340), std::make_pair(nX, nY));
    pLeft->getSitPos(&nX, &nY);
    EXPECT_EQ(std::make_pair(266, 340), std::make_pair(nX, nY));

    // rand() parity decides the row tried first; both rows are found over the draws.
    bool bBelow = false;
    bool bAbove = false;
    for (int n = 0; n < 40; ++n)
    {
        ASSERT_TRUE(pLeft->findStandPos(&nX, &nY, false));
        EXPECT_EQ(291, nX) << "a left chair stands at the square's right edge";
        bBelow = bBelow || nY == 370; // (3, 7), top edge
        bAbove = bAbove || nY == 309; // (3, 4), bottom edge
        EXPECT_TRUE(nY == 370 || nY == 309) << nY;
    }
    EXPECT_TRUE(bBelow && bAbove);
    ASSERT_TRUE(pRight->findStandPos(&nX, &nY, false));
    EXPECT_EQ(220, nX);

    // Both rows taken by walkers: refused unless occupied squares are allowed; unwalkable ones
    // are refused either way, and a refusal writes nothing.
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), 3, 7);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), 3, 4);
    nX = -7;
    nY = -7;
    EXPECT_FALSE(pLeft->findStandPos(&nX, &nY, false));
    EXPECT_EQ(std::make_pair(-7, -7), std::make_pair(nX, nY));
    EXPECT_TRUE(pLeft->findStandPos(&nX, &nY, true));
    pA->unmarkSquares();
    pB->unmarkSquares();
    m_pScene->getSquare(3, 7)->bWalkable = false;
    m_pScene->getSquare(3, 4)->bWalkable = false;
    EXPECT_FALSE(pLeft->findStandPos(&nX, &nY, true));
    // A chair in the top rows has no row above.
    RIR::SmartPtr<Chair> pTop = chair(2, 0, false);
    for (int n = 0; n < 10; ++n)
    {
        ASSERT_TRUE(pTop->findStandPos(&nX, &nY, false));
        EXPECT_EQ(220, nY);
    }
}

TEST_F(ChairTest, ANewcomerTakesNoChairFacingSomeoneWhoWantsToBeAlone)
{
    RIR::SmartPtr<Chair> pRight = chair(5, 5, true);
    RIR::SmartPtr<Chair> pLeft = chair(3, 5, false);
    pRight->setOpposite(pLeft);
    pLeft->setOpposite(pRight);
    EXPECT_TRUE(pLeft->isFreeForNewcomer());
    RIR::SmartPtr<Character> pLoner = new SyntheticCustomer;
    pLoner->setBool(CP_ACCEPT_PARTNERS, false);
    pRight->setCustomer(pLoner);
    EXPECT_FALSE(pRight->isFreeForNewcomer()) << "taken";
    EXPECT_FALSE(pLeft->isFreeForNewcomer()) << "he wants no partner";
    pLoner->setBool(CP_ACCEPT_PARTNERS, true);
    EXPECT_TRUE(pLeft->isFreeForNewcomer());
    pRight->setCustomer(RIR::SmartPtr<Character>());
}

TEST(HeadSitOffsetsTest, NineEntriesAreReadAndLookupsStayInsideThem)
{
    HeadSitOffsets::parse("  3   -4\n\n\r\n5 6 7\n1 1\n2 2\n3 3\n4 4\n5 5\n6 6\n8 -9\n99 99\n");
    int nDX = 0;
    int nDY = 0;
    const struct
    {
        int nFrame;
        int nDX;
        int nDY;
    } cases[] = {{0, 3, -4}, {1, 5, 6}, {8, 8, -9}, {9, 8, -9}, {40, 8, -9}, {-3, 3, -4}};
    for (const auto& c : cases)
    {
        HeadSitOffsets::get(c.nFrame, &nDX, &nDY);
        EXPECT_EQ(std::make_pair(c.nDX, c.nDY), std::make_pair(nDX, nDY)) << c.nFrame;
    }
    // Too few lines, or a line with one number: refused, and the table kept stays as it was.
    EXPECT_EQ("FatalErrorException: head_sit_offsets.txt: 8 entries, need 9",
              messageOf([] { HeadSitOffsets::parse("1 1\n1 1\n1 1\n1 1\n1 1\n1 1\n1 1\n1 1\n"); }));
    EXPECT_EQ("FatalErrorException: List index out of range : 1 (have 1)",
              messageOf([] { HeadSitOffsets::parse("1 1\n7\n"); }));
    HeadSitOffsets::get(0, &nDX, &nDY);
    EXPECT_EQ(std::make_pair(3, -4), std::make_pair(nDX, nDY));
    HeadSitOffsets::parse(syntheticHeadSitOffsetsText());
}
