// The saloons of the built packs: every day's scene file ("scene0.scene" .. "scene44.scene") loads
// and keeps the layout the level relies on: the street squares and the door, the heroine's start,
// the guard's square, the table places for one, four and five tables with the squares their chairs
// are reached from, taps and sinks that can be reached, the till's stand square and heading, the
// poster on the wall above a square the sheriff can stand on; and every place the heroine and the
// customers must reach, and every other walkable square of the floor, is reachable from the door.
#include "world/kit/recordingplaymode.h"
#include "worldtest.h"

#include "world/chair.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"
#include "world/scene.h"
#include "world/tablespot.h"

#include "app/gameapp.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include "rir2/file.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

const char* const PACKS[] = {"misc", "dolly", "scenes", "scenes1"};
const int DAYS = 45;

// The level's table places (column, row of the left chair) for 1, 4 and 5 tables, in its placing
// order, and whether their chairs take customers (the one-table day has two more for show).
struct TablePlace
{
    int nI, nJ;
    bool bChairs;
};
const std::vector<std::vector<TablePlace>> TABLE_LAYOUTS = {
    {{1, 2, false}, {4, 5, true}, {7, 2, false}},
    {{1, 2, true}, {7, 2, true}, {2, 6, true}, {6, 6, true}},
    {{1, 2, true}, {7, 2, true}, {0, 6, true}, {4, 5, true}, {8, 6, true}},
};

// The game's packs in an application without a window; null and a message when they are missing.
class PackApp
{
public:
    PackApp()
    {
        FakePlatform* pPlatform = new FakePlatform();
        pPlatform->adoptImageFactory(new MemImageFactory());
        m_app.setPlatform(pPlatform);
        m_app.init(800, 600, 0, RIR::SmartPtr<Image>());
        for (const char* pszPack : PACKS)
        {
            const std::string sPath = std::string(DBD_TEST_GAME_DIR) + "/" + pszPack + ".dat";
            if (RIR::fileExists(sPath.c_str()))
                m_app.addResourceFile(sPath.c_str(), false);
            else if (std::string(pszPack) == "scenes")
                m_sError = sPath + " is missing: build the content first";
        }
    }
    GameApp m_app;
    std::string m_sError;
};

class SceneContentTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { ASSERT_EQ("", m_packs.m_sError); }
    void TearDown() override { m_pScene.release(); }

    void load()
    {
        m_pScene.release();
        m_pScene = new Scene;
        m_pScene->load(RIR::String::format("scene%d.scene", GetParam()));
    }
    bool walkable(int nI, int nJ) { return m_pScene->getSquare(nI, nJ)->bWalkable; }
    void checkFixedSquares();
    void checkBar();
    void checkPoster();
    void checkTables();
    // Whether a walker on the door square inside can walk to (i, j).
    bool reachable(int nI, int nJ)
    {
        if (nI == Scene::DOOR_COLUMN && nJ == 1)
            return true;
        return !m_pScene->findPath(1 * Scene::COLUMNS + Scene::DOOR_COLUMN, nJ * Scene::COLUMNS + nI,
                                   false)
                    .isEmpty();
    }

    PackApp m_packs;
    RecordingPlayMode m_play;
    RIR::SmartPtr<Scene> m_pScene;
};

void SceneContentTest::checkFixedSquares()
{
    EXPECT_GE(m_pScene->getSquareHeight(), 12);
    EXPECT_EQ(m_pScene->getFloorStart(), m_pScene->getTop() + m_pScene->getSquareHeight());
    EXPECT_LE(m_pScene->getFloorEnd(), 600);
    ASSERT_TRUE(m_pScene->getDoor()) << "every saloon has its swinging doors";
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());
    EXPECT_EQ(m_pScene->getDoor()->getFrameCount("open"), m_pScene->getDoor()->getFrameCount("close"));
    EXPECT_STRNE("", m_pScene->getBackground().c_str());
    // The street, the door column, the heroine's start and the guard's square.
    for (const auto& sq : std::vector<std::pair<int, int>>{
             {0, 0}, {10, 0}, {4, 0}, {1, 0}, {5, 0}, {5, 1}, {5, 11}, {1, 12}})
        EXPECT_TRUE(walkable(sq.first, sq.second)) << sq.first << "," << sq.second;
    EXPECT_TRUE(reachable(5, 11)) << "the heroine's start";
    EXPECT_TRUE(m_pScene->hasLink(5, 0, 5, 1));
}

void SceneContentTest::checkBar()
{
    int nSources = 0;
    int nSinks = 0;
    const RIR::List<RIR::SmartPtr<ActionSpot>>& lSpots = m_pScene->getSpots();
    for (int n = 0; n < lSpots.getLength(); ++n)
    {
        ActionSpot* pSpot = lSpots.get(n).get();
        int nI = -1;
        int nJ = -1;
        if (MugSourceSpot* pSource = dynamic_cast<MugSourceSpot*>(pSpot))
        {
            ++nSources;
            nI = pSource->getSquareI();
            nJ = pSource->getSquareJ();
        }
        else if (MugSinkSpot* pSink = dynamic_cast<MugSinkSpot*>(pSpot))
        {
            ++nSinks;
            nI = pSink->getSquareI();
            nJ = pSink->getSquareJ();
        }
        else
            ADD_FAILURE() << "a spot that is neither tap nor sink before the tables";
        SCOPED_TRACE(::testing::Message() << "spot on " << nI << "," << nJ);
        ASSERT_TRUE(validSquare(nI, nJ));
        EXPECT_FALSE(walkable(nI, nJ)) << "the counter blocks its square";
        EXPECT_TRUE((nJ > 1 && walkable(nI, nJ - 1) && reachable(nI, nJ - 1)) ||
                    (nJ < 12 && walkable(nI, nJ + 1) && reachable(nI, nJ + 1)))
            << "worked from the square above or below";
        // Over the counter: the square and barfloorheight + 20 pixels above it.
        const Rect square = m_pScene->getSquareRect(nI, nJ);
        const Rect& r = pSpot->getRect();
        EXPECT_EQ(square.left, r.left);
        EXPECT_EQ(square.left + m_pScene->getSquareWidth(), r.right);
        EXPECT_EQ(square.top + m_pScene->getSquareHeight(), r.bottom);
        EXPECT_EQ(square.top - m_pScene->getBarFloorHeight() - 20, r.top);
        EXPECT_GT(m_pScene->getBarFloorHeight(), 0);
    }
    EXPECT_GE(nSources, 1);
    EXPECT_GE(nSinks, 1);

    int nStandI, nStandJ, nHeading;
    m_pScene->getRegisterPlace(&nStandI, &nStandJ, &nHeading);
    ASSERT_TRUE(validSquare(nStandI, nStandJ));
    EXPECT_TRUE(walkable(nStandI, nStandJ));
    EXPECT_TRUE(reachable(nStandI, nStandJ)) << "the thief walks to the till";
    EXPECT_TRUE(nHeading >= 0 && nHeading <= 3);
    const int aDI[4] = {1, -1, 0, 0};
    const int aDJ[4] = {0, 0, -1, 1};
    EXPECT_TRUE(validSquare(nStandI + aDI[nHeading], nStandJ + aDJ[nHeading]));
}

void SceneContentTest::checkPoster()
{
    ASSERT_TRUE(m_pScene->getWantedPoster());
    int nX, nY, nDepth;
    m_pScene->getWantedPosterPlace(&nX, &nY, &nDepth);
    const RIR::SmartPtr<Image> pPoster = m_pScene->getWantedPoster();
    EXPECT_GE(nX, 0);
    EXPECT_GE(nY, 0);
    EXPECT_LE(nX + pPoster->getWidth(), 800);
    EXPECT_LE(nY + pPoster->getHeight(), m_pScene->getFloorStart()) << "on the wall";
    EXPECT_GT(nDepth, 106) << "in front of the wall pieces";
    int nPX, nPY, nI, nJ;
    m_pScene->getPosterStandPixel(&nPX, &nPY);
    ASSERT_TRUE(m_pScene->pixelToSquare(nPX, nPY, &nI, &nJ));
    EXPECT_EQ(1, nJ);
    EXPECT_TRUE(walkable(nI, nJ));
    EXPECT_TRUE(reachable(nI, nJ)) << "the sheriff pins the poster";
}

void SceneContentTest::checkTables()
{
    for (const std::vector<TablePlace>& layout : TABLE_LAYOUTS)
    {
        const int nTables = layout.size() == 3 ? 1 : (int)layout.size();
        SCOPED_TRACE(::testing::Message() << nTables << " tables");
        load();
        for (const TablePlace& t : layout)
            for (int c = t.nI; c <= t.nI + 2; ++c)
                for (int r = t.nJ; r <= t.nJ + 1; ++r)
                    EXPECT_TRUE(walkable(c, r)) << "table square " << c << "," << r;
        for (const TablePlace& t : layout)
            m_pScene->placeTables(t.nI, t.nJ, t.bChairs);

        // Right chair then left chair of every table that takes customers, in placing order.
        std::string sExpected;
        for (const TablePlace& t : layout)
            if (t.bChairs)
                sExpected += "(" + std::to_string(t.nI + 2) + "," + std::to_string(t.nJ) + ")(" +
                             std::to_string(t.nI) + "," + std::to_string(t.nJ) + ")";
        std::string sOrder;
        const RIR::List<RIR::SmartPtr<Chair>>& lChairs = m_pScene->getChairs();
        for (int n = 0; n < lChairs.getLength(); ++n)
        {
            Chair* pChair = lChairs.get(n).get();
            sOrder += "(" + std::to_string(pChair->getI()) + "," + std::to_string(pChair->getJ()) + ")";
            EXPECT_EQ(n % 2 == 0, pChair->isRight());
            EXPECT_TRUE(pChair->getTableSpot());
            // A customer walks to the square above or below the chair before sitting down.
            const int nI = pChair->getI();
            const int nJ = pChair->getJ();
            EXPECT_TRUE(walkable(nI, nJ - 1) && reachable(nI, nJ - 1)) << nI << "," << nJ - 1;
            EXPECT_TRUE(walkable(nI, nJ + 2) && reachable(nI, nJ + 2)) << nI << "," << nJ + 2;
        }
        EXPECT_EQ(sExpected, sOrder);
        // Two seat spots a table, over the two halves of its top.
        int nSeats = 0;
        for (int n = 0; n < m_pScene->getSpots().getLength(); ++n)
            if (dynamic_cast<TableSpot*>(m_pScene->getSpots().get(n).get()))
                ++nSeats;
        EXPECT_EQ(2 * (int)layout.size(), nSeats);
        // No pocket of floor: every square a walker may be sent to can be reached.
        std::string sPockets;
        for (int j = 1; j < Scene::ROWS; ++j)
            for (int i = 0; i < Scene::COLUMNS; ++i)
                if (walkable(i, j) && !reachable(i, j))
                    sPockets += " (" + std::to_string(i) + "," + std::to_string(j) + ")";
        EXPECT_EQ("", sPockets) << "walkable squares out of reach";
    }
}

// Each day's file is read once and checked; a day with a saloon of its own (not one it shares
// through an alias) is read again for each table count.
TEST_P(SceneContentTest, TheSaloonKeepsTheLayoutTheLevelNeeds)
{
    load();
    {
        SCOPED_TRACE("the floor, the door and the fixed squares");
        checkFixedSquares();
    }
    {
        SCOPED_TRACE("taps, sinks and the till");
        checkBar();
    }
    {
        SCOPED_TRACE("the poster");
        checkPoster();
    }
    const RIR::String sName = RIR::String::format("scene%d.scene", GetParam());
    const RIR::String sFile = m_packs.m_app.resolveResourceName(sName.c_str(), nullptr);
    if (sFile == sName)
        checkTables();
    else
        EXPECT_NE(std::string::npos, std::string(sFile.c_str()).find(".scene")) << sFile.c_str();
}

INSTANTIATE_TEST_SUITE_P(Days, SceneContentTest, ::testing::Range(0, DAYS),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "scene" + std::to_string(info.param);
                         });

} // namespace
