// The intro's phase clock under fixed frame times, its keys and clicks, and the fade that shows
// the main menu under it.
#include "shell/kit/shellapp.h"

#include "shell/intromode.h"

#include "app/gamemode.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"

#include <gtest/gtest.h>

namespace
{

class IntroTest : public ::testing::Test
{
protected:
    IntroTest()
    {
        m_fx.addPicture("black200x200", 200, 200, 0x000000FF);
        m_fx.addPicture("tapa", 800, 600, 0x806040FF);
        m_fx.addPicture("logo_white", 300, 100, 0xFFFFFFFF);
        m_fx.addPicture("logo", 300, 100, 0xC0A000FF);
        m_pApp = m_fx.start(plainMenuOnly());
        m_pIntro = new IntroMode();
        m_pApp->pushMode(m_pIntro);
    }

    // One frame of dt seconds for the modes.
    void step(float fDt) { m_pApp->updateModes(fDt); }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    IntroMode* m_pIntro = nullptr; // owned by the application
};

} // namespace

TEST_F(IntroTest, CoversTheScreenAndStartsInPhaseZero)
{
    EXPECT_EQ(0, m_pIntro->getPhase());
    // 4 x 3 tiles of 200 x 200 over 800 x 600.
    EXPECT_EQ(12, m_pIntro->getTileCount());
    EXPECT_FALSE(m_pApp->isCursorShown());
    EXPECT_EQ(0, m_pIntro->getFlags() & MF_SEE_THROUGH);
    EXPECT_FALSE(m_pApp->getConfirmQuit());
}

TEST_F(IntroTest, PhasesFollowTheTimelineOnePerFrame)
{
    // A huge frame enters only the next phase.
    step(100.0f);
    EXPECT_EQ(1, m_pIntro->getPhase());
    step(100.0f);
    EXPECT_EQ(2, m_pIntro->getPhase());
    EXPECT_FLOAT_EQ(IntroMode::LOGO_SECONDS, m_pIntro->getTimer());
    // The timer must fall strictly below 0.
    step(IntroMode::LOGO_SECONDS);
    EXPECT_EQ(2, m_pIntro->getPhase());
    step(0.001f);
    EXPECT_EQ(3, m_pIntro->getPhase());
    EXPECT_EQ(0, m_pIntro->getTileCount());
    // The fade starts in the frame phase 3 is entered, at 512 a second.
    EXPECT_NEAR(255.0f - 0.001f * 512.0f, m_pIntro->getFade(), 0.01f);
    // The menu under it shows through the fading cover.
    EXPECT_NE(0, m_pIntro->getFlags() & MF_SEE_THROUGH);

    step(0.25f);
    EXPECT_EQ(3, m_pIntro->getPhase());
    EXPECT_LT(m_pIntro->getFade(), 128.0f);
    step(0.25f); // below 0: the next frame finishes
    EXPECT_EQ(3, m_pIntro->getPhase());
    EXPECT_EQ(MS_RUNNING, m_pIntro->getState());
    step(0.016f);
    EXPECT_EQ(MS_ENDED, m_pIntro->getState());
    EXPECT_TRUE(m_pApp->isIntroDone());
    EXPECT_TRUE(m_pApp->getConfirmQuit());
    EXPECT_EQ(1, m_pApp->getModeCount());
}

TEST_F(IntroTest, EscapeReturnSpaceAndClicksEndIt)
{
    const struct
    {
        int nKey; // 0: a click
        bool bEnds;
    } aCases[] = {{27, true}, {13, true}, {32, true}, {0, true}, {'a', false}};
    for (const auto& c : aCases)
    {
        if (m_pApp->getTopMode() != m_pIntro)
        {
            m_pApp->setIntroDone(false);
            m_pApp->setConfirmQuit(false);
            m_pIntro = new IntroMode();
            m_pApp->pushMode(m_pIntro);
        }
        if (c.nKey)
            m_pApp->dispatchKeyDown(c.nKey, 0);
        else
            m_pApp->dispatchMouseDown(1, 10, 10);
        SCOPED_TRACE(c.nKey);
        EXPECT_EQ(c.bEnds, m_pIntro->getState() == MS_ENDED);
        EXPECT_EQ(c.bEnds, m_pApp->isIntroDone());
        EXPECT_EQ(c.bEnds, m_pApp->getConfirmQuit());
    }
}

TEST_F(IntroTest, AKeyAndAClickInOneFrameEndItOnce)
{
    m_pApp->dispatchKeyDown(27, 0);
    // The intro is no longer on top: nothing else reaches it; finishing again changes nothing.
    m_pIntro->finish();
    EXPECT_EQ(1, m_pApp->getModeCount());
}
