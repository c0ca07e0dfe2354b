// GuestTest: the fixture of the special guests' tests: a saloon read from the minimal scene file
// with a register (stand square (8, 3), the register at (8, 2)) and a wanted poster at x 560, a
// recording play mode with a screen and a level holding the guests' rewards, and helpers that
// bring a guest in from the street and run it frame by frame.
#ifndef DBD_TESTS_WORLD_GUESTTEST_H
#define DBD_TESTS_WORLD_GUESTTEST_H

#include "world/character.h"
#include "world/scene.h"

#include "world/kit/recordingplaymode.h"
#include "world/kit/scenefilekit.h"
#include "world/kit/syntheticguests.h"

#include "app/gamemode.h"

#include <gtest/gtest.h>

#include <functional>

class GuestTest : public ::testing::Test
{
protected:
    static constexpr float DT = 1.0f / 30.0f;

    GuestTest()
    {
        m_kit.addStandardPictures();
        addGuardAnimations(m_kit);
        m_kit.addText("test.scene", SceneFileKit::minimalSceneText() +
                                        "register caja 8 2 8 3 600 240\n"
                                        "wantedposter cartel 560 120 wall 0\n");
        m_play.setPlayScreen(&m_screen);
        m_level.setFloat(LP_COW_REWARD, 50.0f);
        m_level.setFloat(LP_STOPTHIEF_REWARD, 100.0f);
        m_play.setDifficultyManager(&m_level);
        m_play.setGuardAwakeTime(120.0f);
        m_pScene = new Scene;
        m_pScene->load("test.scene");
    }
    ~GuestTest() override
    {
        for (int n = 0; n < m_lGuests.getLength(); ++n)
        {
            m_lGuests.get(n)->unmarkSquares();
            m_lGuests.get(n)->detach();
        }
        m_lGuests.clear();
        m_screen.removeObjects(m_screen.getSprites());
        m_pScene.release();
    }

    // The guest on the street at (1, 0), holding the way in as the play mode gives it, started.
    template <class T> RIR::SmartPtr<T> bringIn(const RIR::SmartPtr<T>& pGuest)
    {
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(1, 0, &nX, &nY, 0x24);
        pGuest->placeAt(nX, nY);
        m_pScene->reserveCorridor(pGuest.get(), Scene::CORRIDOR_IN,
                                  pGuest->getBool(CP_EXCLUSIVE_ENTER));
        m_lGuests.append(RIR::SmartPtr<Character>(pGuest.get()));
        pGuest->start();
        return pGuest;
    }
    // Updates the guest (and pEach every frame) until the condition holds; true when it held.
    bool runUntil(Character* pGuest, const std::function<bool()>& cond, int nMax = 4000,
                  const std::function<void()>& each = std::function<void()>())
    {
        try
        {
            for (int n = 0; n < nMax; ++n)
            {
                if (cond())
                    return true;
                pGuest->update(DT);
                if (each)
                    each();
            }
        }
        catch (const RIR::Exception& e)
        {
            ADD_FAILURE() << e.getClassName() << ": " << e.getMessage() << " in state "
                          << pGuest->getState();
            return false;
        }
        return cond();
    }
    bool runUntilState(Character* pGuest, int nState)
    {
        return runUntil(pGuest, [&] { return pGuest->getState() == nState; });
    }
    bool runUntilGone(Character* pGuest)
    {
        return runUntil(pGuest, [&] { return count("play.removeCharacter") > 0; });
    }
    int count(const char* pszPrefix) const
    {
        return m_play.getLog()->filter(pszPrefix).getLength();
    }

    SceneFileKit m_kit;
    RecordingPlayMode m_play;
    GameMode m_screen;
    ParamHolder m_level;
    RIR::SmartPtr<Scene> m_pScene;
    RIR::List<RIR::SmartPtr<Character>> m_lGuests;
};

#endif
