// TableTest: the fixture of the customers' tests: a one-table saloon read from the minimal scene
// file (right chair (6, 5), left chair (4, 5)) with the heroine at (9, 11), a recording play mode
// with a screen, and a level holding the wanted man's and the stopped fights' rewards (250;
// 50, 75, 100). buildTable makes the saloon, dropTable lets it go (the walkers leave their
// squares first).
#ifndef DBD_TESTS_WORLD_TABLETEST_H
#define DBD_TESTS_WORLD_TABLETEST_H

#include "world/headsitoffsets.h"
#include "world/scene.h"

#include "world/kit/recordingplaymode.h"
#include "world/kit/scenefilekit.h"
#include "world/kit/syntheticcustomer.h"
#include "world/kit/syntheticdolly.h"

#include "app/gamemode.h"

#include <gtest/gtest.h>

class TableTest : public ::testing::Test
{
protected:
    TableTest()
    {
        HeadSitOffsets::parse(syntheticHeadSitOffsetsText());
        m_kit.addStandardPictures();
        m_kit.addText("test.scene", SceneFileKit::minimalSceneText());
        m_play.setPlayScreen(&m_screen);
        m_level.setFloat(LP_WANTED_REWARD, 250.0f);
        m_level.setFloat(LP_STOPFIGHT_REWARD_0, 50.0f);
        m_level.setFloat(LP_STOPFIGHT_REWARD_1, 75.0f);
        m_level.setFloat(LP_STOPFIGHT_REWARD_2, 100.0f);
        m_play.setDifficultyManager(&m_level);
    }
    ~TableTest() override { m_screen.removeObjects(m_screen.getSprites()); }

    void buildTable()
    {
        m_pScene = new Scene;
        m_pScene->load("test.scene");
        m_pScene->placeTables(4, 5, true); // right chair (6, 5), left chair (4, 5)
        m_pDolly = new SyntheticDolly;
        m_pDolly->startLevel(0);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(9, 11, &nX, &nY, 0x24);
        m_pDolly->placeAt(nX, nY);
    }
    void dropTable()
    {
        m_pDolly->unmarkSquares();
        m_pDolly.release();
        m_pScene.release();
    }

    SceneFileKit m_kit;
    RecordingPlayMode m_play;
    GameMode m_screen;
    ParamHolder m_level;
    RIR::SmartPtr<Scene> m_pScene;
    RIR::SmartPtr<SyntheticDolly> m_pDolly;
};

#endif
