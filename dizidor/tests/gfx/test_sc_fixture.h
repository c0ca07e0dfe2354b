// Shared set-up of the tests of the sprite controller family: in-memory pictures, a sprite in a
// real screen mode (so that removal, second sprites and the update list are the mode's own), a
// controller that writes down what it hears, and a callback target that counts.
//
// Time is the controllers' own: every test advances them by set frame times, as the mode's frame
// step does, and reads the sprite at those times.
#ifndef DIZIDOR_TESTS_GFX_TEST_SC_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_SC_FIXTURE_H

#include "app/gamemode.h"
#include "app/icallbacktarget.h"
#include "gfx/spritecontroller.h"

#include "test_sprite_fixture.h"

#include <string>
#include <utility>
#include <vector>

typedef std::vector<std::string> ScJournal;

// Writes "attach NAME" and "NAME dt" into the journal; done at its nDoneAt-th update (0: never).
// Finishing writes "finish NAME" and reports done.
class ScRecorder : public SpriteController
{
public:
    ScRecorder(const char* pszName, ScJournal* pJournal, int nDoneAt)
        : m_sName(pszName), m_pJournal(pJournal), m_nDoneAt(nDoneAt)
    {
    }
    ~ScRecorder() override { m_pJournal->push_back("~" + m_sName); }

    void onAttach(RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_pJournal->push_back("attach " + m_sName);
    }
    bool update(float fDt, RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_pJournal->push_back(m_sName + " " + std::to_string(fDt).substr(0, 4));
        ++m_nUpdates;
        return m_nUpdates == m_nDoneAt;
    }
    bool finish(RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_pJournal->push_back("finish " + m_sName);
        return true;
    }

private:
    std::string m_sName;
    ScJournal* m_pJournal;
    int m_nDoneAt;
    int m_nUpdates = 0;
};

// Counts the callbacks it receives, with their id and parameter.
class CountingTarget : public ICallbackTarget
{
public:
    void onCallback(int nId, int nParam) override { m_lCalls.push_back(std::make_pair(nId, nParam)); }

    std::vector<std::pair<int, int>> m_lCalls;
};

// A sprite showing a 4 x 6 pattern picture at (10, 20), in a screen mode of its own.
class ScTestBase : public SpriteTestBase
{
protected:
    ScTestBase()
    {
        m_pSprite = new Sprite(patternImage(4, 6, 0, 0), 10, 20, 3);
        m_mode.addSprite(m_pSprite);
    }
    ~ScTestBase() override
    {
        if (m_pSprite)
            m_pSprite->removeAllControllers();
    }

    // Updates the sprite's controllers n times by dt, as the mode's frame step does.
    void run(float fDt, int nFrames = 1)
    {
        for (int i = 0; i < nFrames; ++i)
            m_pSprite->updateControllers(fDt);
    }

    bool inMode(const RIR::SmartPtr<Sprite>& pSprite) const
    {
        return pSprite->getMode() == &m_mode && GameMode::isAdded(pSprite);
    }

    GameMode m_mode;
    RIR::SmartPtr<Sprite> m_pSprite;
};

#endif
