// Link slots of the floor grid: after the build, the row cut and the door link; adding, removing
// and the holes removal leaves; blocking with its corner cuts.
#include "world/scene.h"

#include "worldtest.h"

TEST_F(WorldTest, LinkSlotsAfterTheBuild)
{
    struct Case
    {
        int nI, nJ;
        const char* pszLinks;
    } const cases[] = {
        // A full square: (i-1, j-1), (i-1, j), (i-1, j+1), (i, j-1), (i, j+1), (i+1, ...).
        {3, 3, "(2,2) (2,3) (2,4) (3,2) (3,4) (4,2) (4,3) (4,4)"},
        // Street row: sideways only, and the door square also into the saloon.
        {0, 0, "- (1,0)"},
        {5, 0, "(4,0) (5,1) - (6,0)"},
        {10, 0, "(9,0)"},
        // First row inside: nothing back to the street except through the door.
        {0, 1, "- (0,2) - (1,1) (1,2)"},
        {5, 1, "(5,0) (4,1) (4,2) - (5,2) - (6,1) (6,2)"},
        {4, 1, "- (3,1) (3,2) - (4,2) - (5,1) (5,2)"},
        // Corners and edges of the floor.
        {10, 12, "(9,11) (9,12) (10,11)"},
        {0, 12, "(0,11) (1,11) (1,12)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszLinks, linkText(m_pScene.get(), c.nI, c.nJ)) << c.nI << "," << c.nJ;

    // Square (0, 0) had 3 links before the row cut and keeps 1.
    int nLinks = 0;
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
        nLinks += m_pScene->getSquare(0, 0)->apLinks[k] ? 1 : 0;
    EXPECT_EQ(1, nLinks);
    EXPECT_TRUE(m_pScene->hasLink(5, 0, 5, 1));
    EXPECT_TRUE(m_pScene->hasLink(5, 1, 5, 0));
    EXPECT_FALSE(m_pScene->hasLink(4, 0, 4, 1));
    EXPECT_FALSE(m_pScene->hasLink(4, 1, 5, 0));
}

TEST_F(WorldTest, RemovedLinksLeaveHolesThatLaterLinksFill)
{
    m_pScene->removeLink(3, 3, 2, 3);
    m_pScene->removeLink(3, 3, 3, 2);
    EXPECT_EQ("(2,2) - (2,4) - (3,4) (4,2) (4,3) (4,4)", linkText(m_pScene.get(), 3, 3));
    // One direction only.
    EXPECT_TRUE(m_pScene->hasLink(2, 3, 3, 3));
    // Missing links are no error; present ones are not added twice.
    m_pScene->removeLink(3, 3, 2, 3);
    m_pScene->addLink(3, 3, 4, 4);
    EXPECT_EQ("(2,2) - (2,4) - (3,4) (4,2) (4,3) (4,4)", linkText(m_pScene.get(), 3, 3));
    // Re-added links take the first holes, so the slot order changes.
    m_pScene->addLink(3, 3, 3, 2);
    m_pScene->addLink(3, 3, 2, 3);
    EXPECT_EQ("(2,2) (3,2) (2,4) (2,3) (3,4) (4,2) (4,3) (4,4)", linkText(m_pScene.get(), 3, 3));
    // Any square may be linked, but a ninth link is a broken grid.
    EXPECT_EQ("AssertFailException: Assertion failed : false",
              messageOf([&] { m_pScene->addLink(3, 3, 9, 9); }));

    m_pScene->unlinkSquares(6, 6, 7, 7);
    EXPECT_FALSE(m_pScene->hasLink(6, 6, 7, 7));
    EXPECT_FALSE(m_pScene->hasLink(7, 7, 6, 6));
    m_pScene->linkSquares(6, 6, 7, 7);
    EXPECT_TRUE(m_pScene->hasLink(6, 6, 7, 7));
    EXPECT_TRUE(m_pScene->hasLink(7, 7, 6, 6));
}

TEST_F(WorldTest, BlockingCutsEveryLinkAndTheCorners)
{
    m_pScene->blockSquare(3, 3);
    EXPECT_FALSE(m_pScene->getSquare(3, 3)->bWalkable);
    EXPECT_EQ("", linkText(m_pScene.get(), 3, 3));
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj)
            EXPECT_FALSE(m_pScene->hasLink(3 + di, 3 + dj, 3, 3)) << di << "," << dj;
    // No diagonal step cuts a corner of the blocked square.
    EXPECT_FALSE(m_pScene->hasLink(3, 2, 2, 3));
    EXPECT_FALSE(m_pScene->hasLink(2, 3, 3, 2));
    EXPECT_FALSE(m_pScene->hasLink(3, 2, 4, 3));
    EXPECT_FALSE(m_pScene->hasLink(3, 4, 2, 3));
    EXPECT_FALSE(m_pScene->hasLink(4, 3, 3, 4));
    // Diagonals that do not pass the corner stay.
    EXPECT_TRUE(m_pScene->hasLink(2, 2, 3, 2));
    EXPECT_TRUE(m_pScene->hasLink(2, 4, 3, 4));
    EXPECT_EQ("(1,1) (1,2) (1,3) (2,1) (2,3) (3,1) (3,2)", linkText(m_pScene.get(), 2, 2));
    EXPECT_EQ("(2,1) (2,2) - (3,1) - (4,1) (4,2)", linkText(m_pScene.get(), 3, 2));

    // Blocking twice does no harm; a square at the floor's edge has fewer corners.
    m_pScene->blockSquare(3, 3);
    EXPECT_EQ("(2,1) (2,2) - (3,1) - (4,1) (4,2)", linkText(m_pScene.get(), 3, 2));
    m_pScene->blockSquare(0, 12);
    EXPECT_FALSE(m_pScene->hasLink(0, 11, 1, 12));
    EXPECT_FALSE(m_pScene->hasLink(1, 12, 0, 11));
    EXPECT_TRUE(m_pScene->hasLink(1, 11, 1, 12));
}
