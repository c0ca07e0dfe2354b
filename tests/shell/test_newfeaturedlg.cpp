// The one-time tips: shown once per feature name through its setting, clicks swallowed for the
// first half second, the pointer and balloon placed by direction, and contents built once however
// often the tip is uncovered.
#include "shell/kit/dialogtest.h"

#include "shell/newfeaturedlg.h"

#include "rir2/list_impl.h"

namespace
{

class NewFeatureDlgTest : public DialogTest
{
protected:
    NewFeatureDlgTest() { start(); }

    NewFeatureDlg* top() { return dynamic_cast<NewFeatureDlg*>(m_pApp->getTopMode()); }
};

} // namespace

TEST_F(NewFeatureDlgTest, ATipIsShownOncePerFeatureUntilItsSettingIsCleared)
{
    EXPECT_EQ("FeatureFirstTimeThief", std::string(NewFeatureDlg::settingKey("Thief").c_str()));
    ASSERT_TRUE(NewFeatureDlg::showOnce(m_pApp, "Thief", 400, 300, 3));
    NewFeatureDlg* pTip = top();
    ASSERT_NE(nullptr, pTip);
    EXPECT_EQ(std::string("Thief"), pTip->getName().c_str());
    EXPECT_EQ("FALSE", std::string(m_pApp->getSetting("FeatureFirstTimeThief").c_str()));
    pTip->endMode();

    EXPECT_FALSE(NewFeatureDlg::showOnce(m_pApp, "Thief", 400, 300, 3));
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    // Another feature has a key of its own.
    EXPECT_TRUE(NewFeatureDlg::showOnce(m_pApp, "Cow", 100, 100, 1));
    top()->endMode();
    // Any value but "FALSE" counts as not shown.
    m_pApp->setSetting("FeatureFirstTimeThief", "TRUE");
    EXPECT_TRUE(NewFeatureDlg::showOnce(m_pApp, "Thief", 400, 300, 3));
}

TEST_F(NewFeatureDlgTest, ClicksInTheFirstHalfSecondAreSwallowed)
{
    NewFeatureDlg::showOnce(m_pApp, "Thief", 400, 300, 2);
    NewFeatureDlg* pTip = top();
    // The level under the tip stands still, and gets no input.
    EXPECT_EQ(0, pTip->getFlags() & (MF_UPDATE_THROUGH | MF_INPUT_THROUGH));
    EXPECT_NE(0, pTip->getFlags() & MF_SEE_THROUGH);
    step(0.25f);
    EXPECT_TRUE(pTip->mouseDown(1, 10, 10));
    EXPECT_EQ(pTip, m_pApp->getTopMode());
    step(0.25f); // exactly 0.5 s: not yet below 0
    m_pApp->dispatchMouseDown(1, 10, 10);
    EXPECT_EQ(pTip, m_pApp->getTopMode());
    step(0.05f);
    m_pApp->dispatchMouseDown(1, 10, 10);
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
}

TEST_F(NewFeatureDlgTest, PointerAndBalloonArePlacedByDirection)
{
    struct Case
    {
        int nDirection;
        int nBalloonX, nBalloonY;
    };
    for (const Case& c : {Case{0, 350, 300}, Case{1, 450, 300}, Case{2, 400, 350},
                          Case{3, 400, 250}, Case{7, 400, 300}})
    {
        SCOPED_TRACE(c.nDirection);
        NewFeatureDlg* pTip = push(new NewFeatureDlg("Thief", 400, 300, c.nDirection));
        ASSERT_TRUE(pTip->getPointer());
        EXPECT_EQ(400, pTip->getPointer()->getX());
        EXPECT_EQ(300, pTip->getPointer()->getY());
        EXPECT_EQ(NewFeatureDlg::DEPTH, pTip->getPointer()->getZOrder());
        EXPECT_EQ(c.nBalloonX, pTip->getBalloon()->getX());
        EXPECT_EQ(c.nBalloonY, pTip->getBalloon()->getY());
        // The pointer's picture is the mark for up and down, the arrow otherwise.
        const int nPointerW = pTip->getPointer()->getImage()->getWidth();
        EXPECT_EQ(c.nDirection == 2 || c.nDirection == 3 ? 20 : 40, nPointerW);
        pTip->endMode();
    }
}

TEST_F(NewFeatureDlgTest, UncoveringTheTipKeepsItsContents)
{
    NewFeatureDlg::showOnce(m_pApp, "Thief", 400, 300, 1);
    NewFeatureDlg* pTip = top();
    const int nSprites = pTip->getSprites().getLength();
    EXPECT_EQ(3, nSprites); // dimmer, pointer, balloon
    // An exit question, or a second tip, pushed over it and closed again.
    for (int n = 0; n < 3; ++n)
    {
        push(new GameMode());
        m_pApp->getTopMode()->endMode();
        EXPECT_EQ(pTip, m_pApp->getTopMode());
    }
    EXPECT_EQ(nSprites, pTip->getSprites().getLength());
}
