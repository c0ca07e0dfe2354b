// The scene file reader: every command, the geometry it sets, the things it places, and its
// error texts; the backdrop's pieces and the tables built from the file's pictures.
#include "world/kit/recordingplaymode.h"
#include "world/kit/scenefilekit.h"
#include "worldtest.h"

#include "world/chair.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"
#include "world/scene.h"
#include "world/tablespot.h"
#include "world/worldrandom.h"

#include "app/gamemode.h"
#include "gfx/sprite.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace
{

// x, y, width, height of a sprite.
typedef std::tuple<int, int, int, int> Box;

class SceneFileTest : public ::testing::Test
{
protected:
    SceneFileTest()
    {
        m_kit.addStandardPictures();
        m_play.setPlayScreen(&m_screen);
    }
    ~SceneFileTest() override
    {
        m_pScene.release();
        m_screen.removeObjects(m_screen.getSprites());
    }

    // Loads the minimal scene with the lines added after it.
    void load(const std::string& sExtra, const std::string& sBase = SceneFileKit::minimalSceneText())
    {
        m_kit.addText("test.scene", sBase + sExtra);
        m_screen.removeObjects(m_screen.getSprites());
        m_pScene.release();
        m_pScene = new Scene;
        m_pScene->load("test.scene");
    }
    // The message of the failure loading that text, "<no exception>" when it loads.
    std::string loadError(const std::string& sText)
    {
        return messageOf([&] { load("", sText); });
    }

    std::multiset<Box> boxesAt(int nDepth)
    {
        std::multiset<Box> boxes;
        RIR::List<RIR::SmartPtr<Sprite>> lSprites = m_screen.getSprites();
        for (int n = 0; n < lSprites.getLength(); ++n)
        {
            Sprite* p = lSprites.get(n).get();
            if (p->getZOrder() == nDepth && p->getImage())
                boxes.insert(Box(p->getX(), p->getY(), p->getImage()->getWidth(),
                                 p->getImage()->getHeight()));
        }
        return boxes;
    }
    int countAt(int nDepth) { return (int)boxesAt(nDepth).size(); }

    SceneFileKit m_kit;
    RecordingPlayMode m_play;
    GameMode m_screen;
    RIR::SmartPtr<Scene> m_pScene;
};

std::string without(std::string sText, const std::string& sLine)
{
    const size_t n = sText.find(sLine + "\n");
    sText.erase(n, sLine.size() + 1);
    return sText;
}

TEST_F(SceneFileTest, TheMinimalFileSetsTheGeometryAndTheSeatValues)
{
    load("");
    EXPECT_EQ(190, m_pScene->getFloorStart());
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    EXPECT_EQ(160, m_pScene->getTop());
    EXPECT_EQ(550, m_pScene->getFloorEnd());
    EXPECT_EQ(40, m_pScene->getBarFloorHeight());
    int nDY, nW, nH, nMDX, nMDY;
    m_pScene->getTableSpotGeometry(&nDY, &nW, &nH, &nMDX, &nMDY);
    EXPECT_EQ(std::make_tuple(10, 50, 40, 20, -30), std::make_tuple(nDY, nW, nH, nMDX, nMDY));
    ASSERT_TRUE(m_pScene->getFloorImage());
    EXPECT_EQ(800, m_pScene->getFloorImage()->getWidth());
    EXPECT_EQ(410, m_pScene->getFloorImage()->getHeight());
    EXPECT_EQ(std::multiset<Box>({Box(0, 190, 800, 410)}), boxesAt(1));
    EXPECT_STREQ("", m_pScene->getBackground().c_str());
    EXPECT_FALSE(m_pScene->getDoor());
    EXPECT_EQ(0, countAt(0)) << "no outside picture without a background";
    EXPECT_TRUE(m_pScene->hasLink(5, 0, 5, 1)) << "the grid is built first";
}

TEST_F(SceneFileTest, KeywordsAreCaseInsensitiveUnknownOnesSkippedAndTheLastValueCounts)
{
    load("FLOORSTART 130\nFloorEnd 490\nwhatever 1 2 3\nfloortype 7\nfloortype 1\n");
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    EXPECT_EQ(100, m_pScene->getTop());
    EXPECT_EQ(490, m_pScene->getFloorEnd());
}

TEST_F(SceneFileTest, TheGeometryFollowsEachFloorLine)
{
    // Floor start 190 with floor end 551: 361 / 12 truncated.
    load("floorend 551\n");
    EXPECT_EQ(30, m_pScene->getSquareHeight());
    // Before its floor end line the floor counts 0 as its end: squares -15 high, top 205.
    load(SceneFileKit::minimalSceneText(), "floorstart 190\nsink <none> 0 1\n");
    const Rect& r = m_pScene->getSpots().get(0)->getRect();
    EXPECT_EQ(std::make_pair(170, 175), std::make_pair(r.top, r.bottom));
}

TEST_F(SceneFileTest, ShortLinesFailWithTheirTokenCount)
{
    const struct
    {
        const char* pszLine;
        const char* pszError;
    } cases[] = {
        {"sprite barra 10 20 wall", "FatalErrorException: Needed 6 tokens on sprite barra 10 20 wall"},
        {"wallimage barra 10", "FatalErrorException: Needed 4 tokens on wallimage barra 10"},
        {"floorimage barra", "FatalErrorException: Needed 4 tokens on floorimage barra"},
        {"window ventana 10", "FatalErrorException: Needed 4 tokens on window ventana 10"},
        {"floortype", "FatalErrorException: List index out of range : 1 (have 1)"},
        {"register caja 5 3 4", "FatalErrorException: List index out of range : 5 (have 5)"},
        {"bar barra 3", "FatalErrorException: List index out of range : 3 (have 3)"},
        {"tableimages mesa mesa_back silla silla_back",
         "FatalErrorException: List index out of range : 5 (have 5)"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszLine);
        EXPECT_EQ(c.pszError, loadError(SceneFileKit::minimalSceneText() + c.pszLine + "\n"));
    }
}

TEST_F(SceneFileTest, AFloorLessThanTwelvePixelsHighIsAnErrorNamingTheFile)
{
    const std::string sBase = without(SceneFileKit::minimalSceneText(), "floorend 550");
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the floor from 190 to 201 is less "
              "than 12 pixels high",
              loadError(sBase + "floorend 201\n"));
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the floor from 190 to 0 is less "
              "than 12 pixels high",
              loadError(sBase)) << "no floorend line: the end counts as 0";
    EXPECT_EQ("<no exception>", loadError(sBase + "floorend 202\n"));
    EXPECT_EQ(1, m_pScene->getSquareHeight());
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the floor from 190 to 700 does not lie "
              "on the screen (0 to 600)",
              loadError(sBase + "floorend 700\n"));
}

TEST_F(SceneFileTest, EveryValueWithoutAStartValueMustBeGiven)
{
    for (const char* pszLine : {"floorstart 190", "floortype 1", "floorcrossed 0", "floorfade 0",
                                "walltype 1", "doortype 1", "doorholew 120", "doorholeh 100",
                                "doorholedelta 10", "doordx 70", "doordy 120"})
    {
        SCOPED_TRACE(pszLine);
        const std::string sKey = std::string(pszLine).substr(0, std::string(pszLine).find(' '));
        EXPECT_EQ("FatalErrorException: Scene file test.scene: no \"" + sKey + "\" line",
                  loadError(without(SceneFileKit::minimalSceneText(), pszLine)));
    }
    // The door animation's offsets only with a door animation.
    EXPECT_EQ("FatalErrorException: Scene file test.scene: no \"dooropendy\" line",
              loadError(SceneFileKit::minimalSceneText() + "dooranim door.anim\ndooropendx 5\n"));
}

TEST_F(SceneFileTest, LayerWordsGiveDepths)
{
    const struct
    {
        const char* pszWord;
        int nDepth;
    } cases[] = {{"wall", 3}, {"row3", 306}, {"row12", 1206}, {"floor", 1},
                 {"Floor", 0}, {"Wall", 0},  {"rowx", 6},     {"bogus", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nDepth, Scene::parseDepth(c.pszWord)) << c.pszWord;

    load("sprite barra 10 20 row3 2\nsprite barra 30 40 wall 0\nsprite barra 50 60 Floor 0\n");
    EXPECT_EQ(std::multiset<Box>({Box(10, 20, 72, 50)}), boxesAt(308));
    EXPECT_EQ(std::multiset<Box>({Box(30, 40, 72, 50)}), boxesAt(3));
    EXPECT_EQ(std::multiset<Box>({Box(50, 60, 72, 50)}), boxesAt(0));
}

TEST_F(SceneFileTest, BarsSinksAndSourcesBlockTheirSquaresAndMakeSpotsOverTheCounter)
{
    load("bar barra 2 10\n"
         "source grifo 3 10\n"
         "sink fregadero 4 10\n"
         "sink <none> 6 10\n"
         "source grifo 7 10 nospot\n"
         "source grifo 11 10\n");
    for (int i : {2, 3, 4, 6, 7})
        EXPECT_FALSE(m_pScene->getSquare(i, 10)->bWalkable) << i;
    EXPECT_TRUE(m_pScene->getSquare(5, 10)->bWalkable);

    const RIR::List<RIR::SmartPtr<ActionSpot>>& lSpots = m_pScene->getSpots();
    ASSERT_EQ(4, lSpots.getLength()) << "sources, sinks and the one off the grid; no bar, no nospot";
    // Square (3, 10): top-left (220, 460); the spot reaches 40 + 20 above it.
    EXPECT_TRUE(dynamic_cast<MugSourceSpot*>(lSpots.get(0).get()));
    const Rect& r = lSpots.get(0)->getRect();
    EXPECT_EQ(std::make_tuple(220, 400, 292, 490), std::make_tuple(r.left, r.top, r.right, r.bottom));
    EXPECT_TRUE(dynamic_cast<MugSinkSpot*>(lSpots.get(1).get()));
    EXPECT_TRUE(dynamic_cast<MugSinkSpot*>(lSpots.get(2).get()));
    EXPECT_TRUE(dynamic_cast<MugSourceSpot*>(lSpots.get(3).get()));
    EXPECT_EQ(796, lSpots.get(3)->getRect().left) << "column 11 makes its spot, blocks nothing";

    // Pictures stand on the bottom centre of their square at its row depth: bar, tap, sink, the
    // nospot tap and the tap off the grid; "<none>" shows nothing.
    const std::multiset<Box> row10 = boxesAt(1006);
    EXPECT_EQ(5u, row10.size());
    EXPECT_EQ(1u, row10.count(Box(184, 489, 72, 50))) << "bar at (184, 489), inspoint 36, 49";
}

TEST_F(SceneFileTest, TheRegisterHeadingPointsFromTheStandSquare)
{
    const struct
    {
        int nSI, nSJ, nHeading;
    } cases[] = {{4, 3, 0}, {6, 3, 1}, {5, 4, 2}, {5, 2, 3}, {6, 4, 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nHeading);
        load("register caja 5 3 " + std::to_string(c.nSI) + " " + std::to_string(c.nSJ) + " 380 240\n");
        int nI, nJ, nHeading;
        m_pScene->getRegisterPlace(&nI, &nJ, &nHeading);
        EXPECT_EQ(std::make_tuple(c.nSI, c.nSJ, c.nHeading), std::make_tuple(nI, nJ, nHeading));
        EXPECT_TRUE(m_pScene->getSquare(5, 3)->bWalkable) << "the register line blocks nothing";
    }
    EXPECT_EQ(1, countAt(308)) << "the last register's picture at its row depth + 2";
    EXPECT_EQ("FatalErrorException: Can't determine register heading, (5, 5) -> (5, 3)\n",
              loadError(SceneFileKit::minimalSceneText() + "register caja 5 3 5 5 380 240\n"));
}

TEST_F(SceneFileTest, ThePosterLineSetsThePlaceWithoutShowingIt)
{
    load("wantedposter cartel 520 40 wall 2\n");
    int nX, nY, nDepth;
    m_pScene->getWantedPosterPlace(&nX, &nY, &nDepth);
    EXPECT_EQ(std::make_tuple(520, 40, 5), std::make_tuple(nX, nY, nDepth));
    ASSERT_TRUE(m_pScene->getWantedPoster());
    EXPECT_EQ(60, m_pScene->getWantedPoster()->getWidth());
    EXPECT_EQ(0, countAt(5));
    m_pScene->getPosterStandPixel(&nX, &nY);
    EXPECT_EQ(std::make_pair(520, 205), std::make_pair(nX, nY));
}

TEST_F(SceneFileTest, FloorTilesComeAsOnePictureOrAsLetteredVariants)
{
    m_kit.addPicture("piso_2_a", 60, 60, 0xff0000ffu);
    m_kit.addPicture("piso_2_b", 60, 60, 0x0000ffffu);
    m_kit.addPicture("piso_2_d", 60, 60, 0x00ff00ffu); // after the gap: never used
    worldRandom().seed(3);
    load("floortype 2\n");
    std::set<uint32_t> colours;
    RIR::SmartPtr<Image> pFloor = m_pScene->getFloorImage();
    for (int y = 0; y < 410; y += 60)
        for (int x = 0; x < 800; x += 60)
        {
            const Color c = pFloor->getPixelAt(x, y);
            colours.insert((uint32_t)c.r << 16 | (uint32_t)c.g << 8 | c.b);
        }
    EXPECT_EQ(std::set<uint32_t>({0xff0000u, 0x0000ffu}), colours);

    EXPECT_EQ("AssertFailException: Assertion failed : !lFloorTiles.isEmpty()",
              loadError(SceneFileKit::minimalSceneText() + "floortype 9\n"));
}

TEST_F(SceneFileTest, CrossedRowsStartHalfATileToTheLeftOnOddCounts)
{
    // A tile red on its left half, blue on its right: n starts at 6 for 410 / 60, so the rows at
    // y 60, 180 and 300 start at x -30 and show blue first.
    m_kit.addSplitPicture("piso_3", 60, 60, 0xff0000ffu, 0x0000ffffu);
    load("floortype 3\nfloorcrossed 1\n");
    RIR::SmartPtr<Image> pFloor = m_pScene->getFloorImage();
    for (int nRow = 0; nRow < 7; ++nRow)
    {
        const Color c = pFloor->getPixelAt(5, nRow * 60 + 5);
        const bool bShifted = nRow % 2 == 1;
        EXPECT_EQ(bShifted ? 255 : 0, (int)c.b) << "row " << nRow;
    }
}

TEST_F(SceneFileTest, EveryFloorPixelIsTheTilePixelThatLandsThere)
{
    // Tiles with alpha, every pixel its own colour, copied onto the opaque floor: one whose
    // pixels fill its 40 x 20 canvas, and one storing only (4, 3, 30, 14) of it with its
    // insertion point at (2, 1). Each tile's insertion point lands at (40 k, 0) of its row, so
    // that floor pixel (x, y) shows canvas pixel ((x + 2) % 40, y % 20 + 1) of the second; what no
    // tile covers stays black, as does the canvas outside the stored pixels.
    const struct
    {
        int nType;
        int nInsX, nInsY;
        bool bTrimmed;
    } cases[] = {{5, 0, 0, false}, {6, 2, 1, true}};
    for (const auto& c : cases)
    {
        RIR::SmartPtr<Image> pTile = m_kit.app().createImage(40, 20, true);
        if (c.bTrimmed)
            pTile->setStoredArea(4, 3, 30, 14);
        pTile->setInsPoint(c.nInsX, c.nInsY);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                pTile->setPixelAt(x, y, Color(x * 6, y * 12, (x + y) * 4, (x * 7 + y) % 256));
        m_kit.app().addImage(RIR::String::format("piso_%d", c.nType).c_str(), pTile, true);
        load(RIR::String::format("floortype %d\n", c.nType).c_str());
        RIR::SmartPtr<Image> pFloor = m_pScene->getFloorImage();
        ASSERT_EQ(410, pFloor->getHeight());
        int nWrong = 0;
        std::string sFirst;
        for (int y = 0; y < 410; ++y)
            for (int x = 0; x < 800; ++x)
            {
                const int cx = (x + c.nInsX) % 40;
                const int cy = y % 20 + c.nInsY;
                const bool bCovered = (x + c.nInsX) / 40 < 20 && cy < 20;
                const Color t = bCovered ? pTile->getPixelAt(cx, cy) : Color(0, 0, 0, 255);
                const Color f = pFloor->getPixelAt(x, y);
                if ((f.r != t.r || f.g != t.g || f.b != t.b) && nWrong++ == 0)
                    sFirst = std::to_string(x) + ", " + std::to_string(y);
            }
        EXPECT_EQ(0, nWrong) << "tile " << c.nType << ", first at " << sFirst;
    }
}

TEST_F(SceneFileTest, TheWallIsShownAroundTheDoorHole)
{
    load("");
    // W 120, H 100, D 10, S 190: the sides, the piece above the hole and the one below it.
    EXPECT_EQ(std::multiset<Box>({Box(0, 0, 340, 190), Box(460, 0, 340, 190), Box(340, 0, 120, 80),
                                  Box(340, 180, 120, 10)}),
              boxesAt(106));
    EXPECT_EQ(std::multiset<Box>({Box(330, 70, 140, 120)}), boxesAt(107)) << "the door frame";

    load("doorholedelta 0\nbackground fuera\n");
    EXPECT_EQ(0u, boxesAt(106).count(Box(340, 190, 120, 0)));
    EXPECT_EQ(3, countAt(106)) << "no piece below a hole standing on the floor";
    EXPECT_EQ(std::multiset<Box>({Box(340, 90, 120, 100)}), boxesAt(0)) << "the outside";
}

TEST_F(SceneFileTest, WallStripsAndPastedPicturesComposeTheWallAndTheFloor)
{
    m_kit.addPicture("pared_1t", 100, 20, 0x0000ffffu);
    m_kit.addPicture("pared_1b", 100, 30, 0x00ff00ffu);
    m_kit.addPicture("placa", 10, 10, 0xffffffffu);
    load("wallupper t\nwalllower b\nwallimage placa 10 30\nfloorimage placa 100 300\n");
    // The left piece shows the wall from (0, 0): the upper strip on top, the wall, the lower
    // strip standing on the floor line, and the pasted picture with its corner at (10, 30).
    RIR::SmartPtr<Image> pPiece;
    RIR::List<RIR::SmartPtr<Sprite>> lSprites = m_screen.getSprites();
    for (int n = 0; n < lSprites.getLength(); ++n)
        if (lSprites.get(n)->getZOrder() == 106 && lSprites.get(n)->getX() == 0)
            pPiece = lSprites.get(n)->getImage();
    ASSERT_TRUE(pPiece);
    const struct
    {
        int nX, nY;
        int nR, nG, nB;
    } cases[] = {{5, 5, 0, 0, 255},        {5, 19, 0, 0, 255},     {5, 20, 0x70, 0x40, 0x20},
                 {5, 159, 0x70, 0x40, 0x20}, {5, 160, 0, 255, 0},    {5, 189, 0, 255, 0},
                 {10, 30, 255, 255, 255},  {19, 39, 255, 255, 255}, {9, 30, 0x70, 0x40, 0x20}};
    for (const auto& c : cases)
    {
        const Color col = pPiece->getPixelAt(c.nX, c.nY);
        EXPECT_EQ(std::make_tuple(c.nR, c.nG, c.nB), std::make_tuple((int)col.r, (int)col.g, (int)col.b))
            << c.nX << "," << c.nY;
    }
    const Color floor = m_pScene->getFloorImage()->getPixelAt(100, 300 - 190);
    EXPECT_EQ(255, (int)floor.g) << "the floor picture's corner lands at (100, 300) on the screen";
}

TEST_F(SceneFileTest, WindowsOpenTheWallOnEachSideOfTheDoor)
{
    load("background fuera\nwindow ventana 100 40\nwindow ventana 600 50\n");
    // Left half [0, 340): the window at 100..180, 40..100.
    const std::multiset<Box> pieces = boxesAt(106);
    for (const Box& b : {Box(0, 0, 100, 190), Box(180, 0, 160, 190), Box(100, 0, 80, 40),
                         Box(100, 100, 80, 90), Box(460, 0, 140, 190), Box(680, 0, 120, 190),
                         Box(600, 0, 80, 50), Box(600, 110, 80, 80)})
        EXPECT_EQ(1u, pieces.count(b)) << std::get<0>(b) << "," << std::get<1>(b);
    EXPECT_EQ(10u, pieces.size()) << "eight around the windows, two above and below the hole";
    EXPECT_EQ(1u, boxesAt(107).count(Box(100, 40, 80, 60)));
    EXPECT_EQ(std::multiset<Box>({Box(100, 40, 80, 60), Box(600, 50, 80, 60),
                                  Box(340, 80, 120, 100)}),
              boxesAt(0));

    EXPECT_EQ("AssertFailException: Assertion failed : lWindowNames.getLength() == 2",
              loadError(SceneFileKit::minimalSceneText() + "window ventana 100 40\n"));
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the window ventana at (300, 40) does "
              "not fit in its half of the wall",
              loadError(SceneFileKit::minimalSceneText() +
                        "window ventana 300 40\nwindow ventana 600 40\n"));
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the two windows must stand on either "
              "side of the door",
              loadError(SceneFileKit::minimalSceneText() +
                        "window ventana 10 40\nwindow ventana 200 40\n"));
}

TEST_F(SceneFileTest, ADoorThatDoesNotFitTheWallIsAnError)
{
    EXPECT_EQ("FatalErrorException: Scene file test.scene: the door hole (120 x 185, 10 above the "
              "floor) does not fit in the wall",
              loadError(SceneFileKit::minimalSceneText() + "doorholeh 185\n"));
}

TEST_F(SceneFileTest, TheDoorAnimationStandsClosedInTheHole)
{
    load("dooranim door.anim\ndooropendx -30\ndooropendy -90\n");
    RIR::SmartPtr<AnimSprite> pDoor = m_pScene->getDoor();
    ASSERT_TRUE(pDoor);
    EXPECT_EQ(370, pDoor->getX());
    EXPECT_EQ(90, pDoor->getY()) << "S - D + dooropendy";
    EXPECT_EQ(107, pDoor->getZOrder());
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());
    EXPECT_STREQ("close", pDoor->getSequenceName().c_str());
    EXPECT_EQ(1, pDoor->getFrame());
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.addAnimSprite"));
}

TEST_F(SceneFileTest, AFourTableSaloonBlocksTheTablesAndOrdersTheChairs)
{
    load("");
    const int aTables[4][2] = {{1, 2}, {7, 2}, {2, 6}, {6, 6}};
    for (const auto& t : aTables)
        m_pScene->placeTables(t[0], t[1], true);
    std::set<std::pair<int, int>> blocked;
    for (int j = 0; j < Scene::ROWS; ++j)
        for (int i = 0; i < Scene::COLUMNS; ++i)
            if (!m_pScene->getSquare(i, j)->bWalkable)
                blocked.insert(std::make_pair(i, j));
    std::set<std::pair<int, int>> expected;
    for (const auto& t : aTables)
        for (int c = t[0]; c <= t[0] + 2; ++c)
            for (int r = t[1]; r <= t[1] + 1; ++r)
                expected.insert(std::make_pair(c, r));
    EXPECT_EQ(expected, blocked);

    const RIR::List<RIR::SmartPtr<Chair>>& lChairs = m_pScene->getChairs();
    ASSERT_EQ(8, lChairs.getLength());
    std::string sOrder;
    for (int n = 0; n < lChairs.getLength(); ++n)
        sOrder += "(" + std::to_string(lChairs.get(n)->getI()) + "," +
                  std::to_string(lChairs.get(n)->getJ()) + (lChairs.get(n)->isRight() ? "R" : "L") + ")";
    EXPECT_EQ("(3,2R)(1,2L)(9,2R)(7,2L)(4,6R)(2,6L)(8,6R)(6,6L)", sOrder);
    EXPECT_EQ(lChairs.get(1), lChairs.get(0)->getOpposite());
    EXPECT_EQ(lChairs.get(0), lChairs.get(1)->getOpposite());
    EXPECT_TRUE(m_pScene->hasFreeChair());
    EXPECT_EQ(8, m_pScene->getFreeChairs().getLength());
    EXPECT_EQ(0, m_pScene->getTakenChairs().getLength());
    EXPECT_EQ(8, m_pScene->getSpots().getLength()) << "two seat spots a table";
}

TEST_F(SceneFileTest, OneTablePlacesItsGeometryAndOnlyItsOwnChairsTakeCustomers)
{
    load("");
    m_pScene->placeTables(1, 2, false);
    m_pScene->placeTables(4, 5, true);
    m_pScene->placeTables(7, 2, false);
    ASSERT_EQ(2, m_pScene->getChairs().getLength());
    RIR::SmartPtr<Chair> pRight = m_pScene->getChairs().get(0);
    RIR::SmartPtr<Chair> pLeft = m_pScene->getChairs().get(1);
    EXPECT_EQ(std::make_tuple(6, 5, 556), std::make_tuple(pRight->getI(), pRight->getJ(), pRight->getDepth()));
    EXPECT_EQ(std::make_tuple(4, 5, 556), std::make_tuple(pLeft->getI(), pLeft->getJ(), pLeft->getDepth()));
    // Centre (400, 355); chairs at 333 and 467, pulled fully out by 23 pixels.
    EXPECT_EQ(467, pRight->getBaseX());
    EXPECT_EQ(333, pLeft->getBaseX());
    EXPECT_FLOAT_EQ(1.0f, pLeft->getPullOut());
    EXPECT_EQ(490, pRight->getSprites().get(0)->getX());
    EXPECT_EQ(310, pLeft->getSprites().get(0)->getX());
    EXPECT_EQ(3, pLeft->getSprites().getLength()) << "front, back and shadow";

    TableSpot* pLeftSpot = dynamic_cast<TableSpot*>(pLeft->getTableSpot().get());
    TableSpot* pRightSpot = dynamic_cast<TableSpot*>(pRight->getTableSpot().get());
    ASSERT_TRUE(pLeftSpot && pRightSpot);
    int nX, nY;
    pLeftSpot->getMugPos(&nX, &nY);
    EXPECT_EQ(std::make_pair(420, 325), std::make_pair(nX, nY));
    pRightSpot->getMugPos(&nX, &nY);
    EXPECT_EQ(std::make_pair(380, 325), std::make_pair(nX, nY));
    const Rect& r = pLeftSpot->getRect();
    EXPECT_EQ(std::make_tuple(350, 325, 400, 365), std::make_tuple(r.left, r.top, r.right, r.bottom));
    EXPECT_EQ(561, pLeftSpot->getDepth());
    EXPECT_EQ(std::make_pair(0, 1), std::make_pair(pLeftSpot->getSide(), pRightSpot->getSide()));

    EXPECT_EQ(std::multiset<Box>({Box(400, 355, 100, 50)}), boxesAt(559)) << "the table's front";
    EXPECT_EQ(std::multiset<Box>({Box(400, 355, 100, 20)}), boxesAt(550)) << "its back";
    EXPECT_EQ(4, countAt(558)) << "two chair fronts and two chair shadows";
    EXPECT_EQ(2, countAt(548));
}

TEST_F(SceneFileTest, LowResourcesModeDrawsNoChairShadowsAndNoTableShadow)
{
    load("");
    m_play.setLowResourcesMode(true);
    const Color before = m_pScene->getFloorImage()->getPixelAt(400, 355 - 190 + 15);
    m_pScene->placeTables(4, 5, true);
    EXPECT_EQ(2, m_pScene->getChairs().get(0)->getSprites().getLength());
    EXPECT_EQ(2, countAt(558));
    const Color after = m_pScene->getFloorImage()->getPixelAt(400, 355 - 190 + 15);
    EXPECT_EQ(before.r, after.r);

    m_play.setLowResourcesMode(false);
    m_pScene->placeTables(1, 8, true);
    int cx, cy;
    m_pScene->squareToPixel(2, 9, &cx, &cy, 0x24);
    const Color shaded = m_pScene->getFloorImage()->getPixelAt(cx, cy - 190 + 15);
    EXPECT_LT(shaded.r, before.r) << "the shadow darkens the floor under the table";
}

TEST_F(SceneFileTest, TablesNeedTheirPictures)
{
    load("", without(SceneFileKit::minimalSceneText(),
                     "tableimages mesa mesa_back silla silla_back silla_shadow"));
    EXPECT_EQ("FatalErrorException: Scene::placeTables: the scene file named no table pictures",
              messageOf([&] { m_pScene->placeTables(4, 5, true); }));
}

TEST_F(SceneFileTest, AMissingFileOrPictureIsTheResourceError)
{
    m_pScene = new Scene;
    EXPECT_NE(std::string::npos, messageOf([&] { m_pScene->load("nothere.scene"); }).find("nothere.scene"));
    EXPECT_NE("<no exception>", loadError(SceneFileKit::minimalSceneText() + "bar nopicture 1 1\n"));
}

} // namespace
