// The loading clock: one picture per 0.05 s however long the frame, the wrap after the last
// picture, and the end on the update after done.
#include "shell/kit/dialogtest.h"

#include "shell/loadingdlg.h"

#include "rir2/list_impl.h"

namespace
{

class LoadingDlgTest : public DialogTest
{
protected:
    LoadingDlgTest()
    {
        start();
        m_pDialog = push(new LoadingDlg());
    }

    LoadingDlg* m_pDialog = nullptr;
};

} // namespace

TEST_F(LoadingDlgTest, TheHandTurnsOncePerFrameAndWrapsAfterTheLastPicture)
{
    // Not modal: the level under it keeps updating while it loads.
    EXPECT_NE(0, m_pDialog->getFlags() & MF_UPDATE_THROUGH);
    EXPECT_EQ(0, m_pDialog->getFrame());
    // The timer starts at 0: the first frame turns the hand at once.
    step(0.01f);
    EXPECT_EQ(1, m_pDialog->getFrame());
    // Within the 0.05 s of a picture nothing moves.
    step(0.03f);
    EXPECT_EQ(1, m_pDialog->getFrame());
    step(0.03f);
    EXPECT_EQ(2, m_pDialog->getFrame());
    // A long frame turns it by one picture only.
    step(0.3f);
    EXPECT_EQ(3, m_pDialog->getFrame());
    for (int n = 4; n <= 20; ++n)
        step(0.06f);
    EXPECT_EQ(20, m_pDialog->getFrame());
    step(0.06f);
    EXPECT_EQ(0, m_pDialog->getFrame());
    step(0.06f);
    EXPECT_EQ(1, m_pDialog->getFrame());
    EXPECT_EQ(MS_RUNNING, m_pDialog->getState());
}

TEST_F(LoadingDlgTest, DoneEndsTheDialogOnItsNextUpdateWithoutTurningTheHand)
{
    m_pApp->showCursor(false);
    m_pDialog->done();
    EXPECT_TRUE(m_pApp->isCursorShown());
    EXPECT_EQ(MS_RUNNING, m_pDialog->getState());
    step(0.01f);
    EXPECT_EQ(0, m_pDialog->getFrame());
    EXPECT_EQ(MS_ENDED, m_pDialog->getState());
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
}

TEST_F(LoadingDlgTest, DoneAfterSomeLoadingStepsLetsOneMoreFrameRun)
{
    step(0.06f);
    step(0.06f);
    m_pDialog->done();
    step(0.06f);
    EXPECT_EQ(2, m_pDialog->getFrame());
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
}
