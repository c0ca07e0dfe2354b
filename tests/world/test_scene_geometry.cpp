// The floor grid's geometry: pixel and square conversions, rectangles, depths, square lookup and
// the one-scene rule.
#include "world/scene.h"

#include "worldtest.h"

#include <type_traits>

static_assert(!std::is_copy_constructible_v<Scene>, "the one scene is shared through handles");
static_assert(std::is_base_of_v<RIR::RefCountedObject, SquareData>, "squares are shared");

namespace
{

struct PixelCase
{
    int nX, nY;
    bool bInside;
    int nI, nJ;
};

// Floor 190..550: square height 30, row 0 spans y 160..189.
const PixelCase kPixelCases[] = {
    {400, 200, true, 5, 1},    // worked example
    {3, 200, false, -1, 1},    // left of the grid
    {796, 200, false, 11, 1},  // the right limit itself is outside
    {795, 200, true, 10, 1},   // last column
    {400, 551, false, 5, 13},  // below the floor end
    {400, 550, false, 5, 13},  // the floor end itself lies below row 12
    {400, 549, true, 5, 12},   // last pixel row of row 12
    {4, 160, true, 0, 0},      // top-left pixel of the grid
    {400, 159, false, 5, -1},  // above row 0
    {400, 189, true, 5, 0},    // last pixel row of row 0
    {400, 190, true, 5, 1},    // the floor starts with row 1
    {75, 219, true, 0, 1},     // last pixel of square (0, 1)
    {76, 220, true, 1, 2},     // first pixel of square (1, 2)
    {-5, 600, false, -1, 13},  // both outside
};

class PixelToSquareTest : public WorldTest, public ::testing::WithParamInterface<PixelCase>
{
};

} // namespace

TEST_P(PixelToSquareTest, WritesBothOutputsAndTellsWhetherInside)
{
    const PixelCase& c = GetParam();
    int nI = 99;
    int nJ = 99;
    EXPECT_EQ(c.bInside, m_pScene->pixelToSquare(c.nX, c.nY, &nI, &nJ));
    EXPECT_EQ(c.nI, nI);
    EXPECT_EQ(c.nJ, nJ);
}

INSTANTIATE_TEST_SUITE_P(Floor190To550, PixelToSquareTest, ::testing::ValuesIn(kPixelCases));

TEST_F(WorldTest, SquareToPixelFollowsTheFlags)
{
    struct Case
    {
        int nI, nJ, nFlags, nX, nY;
    } const cases[] = {
        {5, 1, 0x24, 400, 205}, // centre (worked example)
        {5, 1, 0x12, 435, 219}, // right edge, bottom edge (worked example)
        {5, 1, 0, 364, 190},    // top-left
        {5, 1, 0x14, 400, 219}, // bottom edge at the centre column
        {5, 1, 0x06, 435, 190}, // right edge wins over centre
        {5, 1, 0x30, 364, 219}, // bottom edge wins over centre row
        {5, 1, 0x09, 364, 190}, // bits 1 and 8 do nothing
        {0, 0, 0x24, 40, 175},
        {-1, 13, 0, -68, 550},  // not validated
    };
    for (const Case& c : cases)
    {
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(c.nI, c.nJ, &nX, &nY, c.nFlags);
        EXPECT_EQ(c.nX, nX) << c.nI << "," << c.nJ << " flags " << c.nFlags;
        EXPECT_EQ(c.nY, nY) << c.nI << "," << c.nJ << " flags " << c.nFlags;
    }
}

TEST_F(WorldTest, GeometryOfTheFloor)
{
    EXPECT_EQ(72, m_pScene->getSquareWidth());
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    EXPECT_EQ(160, m_pScene->getTop());

    const Rect rect = m_pScene->getSquareRect(5, 1);
    EXPECT_EQ(364, rect.getLeft());
    EXPECT_EQ(190, rect.getTop());
    EXPECT_EQ(435, rect.getRight());
    EXPECT_EQ(219, rect.getBottom());

    EXPECT_EQ(6, m_pScene->getRowDepth(3, 0));
    EXPECT_EQ(106, m_pScene->getRowDepth(0, 1));
    EXPECT_EQ(1206, m_pScene->getRowDepth(10, 12));
    EXPECT_EQ(1, m_pScene->getShadowDepth());

    // The square height is truncated: 190..560 gives 370 / 12 = 30.
    m_pScene->setFloorEnd(560);
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    m_pScene->setFloorStart(200);
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    EXPECT_EQ(170, m_pScene->getTop());
}

TEST_F(WorldTest, SquaresByPositionAndIndex)
{
    RIR::SmartPtr<SquareData> pSq = m_pScene->getSquareByIndex(60);
    EXPECT_EQ(5, pSq->nI);
    EXPECT_EQ(5, pSq->nJ);
    EXPECT_EQ(60, pSq->nIndex);
    EXPECT_EQ(142, m_pScene->getSquare(10, 12)->nIndex);
    EXPECT_TRUE(m_pScene->getSquare(3, 4)->bWalkable);

    EXPECT_EQ("FatalErrorException: Invalid square : 11, 0",
              messageOf([&] { m_pScene->getSquare(11, 0); }));
    EXPECT_EQ("FatalErrorException: Invalid square : 0, -1",
              messageOf([&] { m_pScene->getSquare(0, -1); }));
    EXPECT_EQ("FatalErrorException: Invalid square : 0, 13",
              messageOf([&] { m_pScene->getSquareByIndex(143); }));
    EXPECT_EQ("AssertFailException: Assertion failed : validSquare(nI, nJ)",
              messageOf([&] { m_pScene->getSquareChecked(-1, 3); }));

    EXPECT_TRUE(validSquare(0, 0));
    EXPECT_TRUE(validSquare(10, 12));
    EXPECT_FALSE(validSquare(-1, 0));
    EXPECT_FALSE(validSquare(0, 13));
}

TEST_F(WorldTest, OneSceneAtATime)
{
    EXPECT_EQ(m_pScene.get(), Scene::getScene());
    EXPECT_EQ("AssertFailException: Assertion failed : s_pScene == NULL",
              messageOf([] { RIR::SmartPtr<Scene> pSecond = new Scene; }));
    m_pScene.release();
    EXPECT_EQ("AssertFailException: Assertion failed : s_pScene != NULL",
              messageOf([] { Scene::getScene(); }));
    m_pScene = makeFloorScene();
    EXPECT_EQ(m_pScene.get(), Scene::getScene());
}

TEST(SceneFloorTest, AFloorLessThanARowHighIsRefusedNotDividedByZero)
{
    RIR::SmartPtr<Scene> pScene = makeFloorScene(190, 200);
    EXPECT_EQ(0, pScene->getSquareHeight());
    int nI = 0;
    int nJ = 0;
    EXPECT_EQ("AssertFailException: Assertion failed : m_nSquareH > 0",
              messageOf([&] { pScene->pixelToSquare(400, 195, &nI, &nJ); }));
}
