// CreditsMode: the whole-pixel scroll, the spawn rule and the gaps it leaves, done and close,
// the line counting of texts with "-" lines, the dark strength and the bands, an empty queue,
// and the end by releases whose press the screen saw.
#include "widgetkit.h"

#include "ui/creditsmode.h"

namespace
{

int yOf(const RIR::SmartPtr<IVisualObject>& pItem)
{
    int x = 0;
    int y = 0;
    pItem->getPos(&x, &y);
    return y;
}

} // namespace

class CreditsTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        picture("bg", 800, 600, Color(200, 150, 100, 255), false);
        m_pCredits = new CreditsMode();
        m_pCredits->setBackground("bg");
    }
    void push() { m_pApp->pushMode(m_pCredits); }
    bool running() const { return m_pApp->getTopMode() == m_pCredits; }
    // The sprites of the credits at z order 200 (bands and strips).
    RIR::List<RIR::SmartPtr<Sprite>> bands()
    {
        RIR::List<RIR::SmartPtr<Sprite>> lOut;
        RIR::List<RIR::SmartPtr<Sprite>> lAll = m_pCredits->getSprites();
        for (int i = 0; i < lAll.getLength(); ++i)
            if (lAll.get(i)->getZOrder() == 200)
                lOut.append(lAll.get(i));
        return lOut;
    }

    CreditsMode* m_pCredits = nullptr; // owned by the application once pushed
};

TEST_F(CreditsTest, ThirtyPixelsASecondAtSixtyFramesMoveOnePixelEverySecondFrame)
{
    m_pCredits->addSpace(40);
    push();
    ASSERT_EQ(1, m_pCredits->getActiveItems().getLength());
    RIR::SmartPtr<IVisualObject> pItem = m_pCredits->getActiveItems().get(0);
    EXPECT_EQ(550, yOf(pItem)); // entered on the bottom line, hidden behind the lower strip
    EXPECT_TRUE(pItem->isVisible());
    EXPECT_FALSE(m_pApp->isCursorShown());
    EXPECT_EQ(60, m_pApp->getFPS());
    const int aExpected[] = {550, 549, 549, 548, 548, 547};
    for (int nY : aExpected)
    {
        m_pCredits->update(1.0f / 60.0f);
        EXPECT_EQ(nY, yOf(pItem));
    }
}

TEST_F(CreditsTest, NextItemEntersWhenTheLastHasRisenAboveTheBottomLine)
{
    m_pCredits->addSpace(40);
    m_pCredits->addSpace(60);
    m_pCredits->setScrollSpeed(60.0f); // one pixel an update
    push();
    RIR::SmartPtr<IVisualObject> pFirst = m_pCredits->getActiveItems().get(0);
    for (int i = 0; i < 39; ++i)
        m_pCredits->update(1.0f / 60.0f);
    EXPECT_EQ(1, m_pCredits->getActiveItems().getLength());
    EXPECT_FALSE(m_pCredits->getQueuedItems().get(0)->isVisible());
    m_pCredits->update(1.0f / 60.0f);
    ASSERT_EQ(2, m_pCredits->getActiveItems().getLength());
    EXPECT_EQ(510, yOf(pFirst));
    EXPECT_EQ(550, yOf(m_pCredits->getActiveItems().get(1))); // directly below
}

TEST_F(CreditsTest, ALongStepOpensAGapOfTheExcess)
{
    m_pCredits->addSpace(40);
    m_pCredits->addSpace(60);
    push();
    RIR::SmartPtr<IVisualObject> pFirst = m_pCredits->getActiveItems().get(0);
    m_pCredits->update(1.0f); // 30 pixels: 520, bottom edge 560 still below the line
    EXPECT_EQ(1, m_pCredits->getActiveItems().getLength());
    m_pCredits->update(1.0f); // 490, bottom edge 530: 20 pixels above the line
    ASSERT_EQ(2, m_pCredits->getActiveItems().getLength());
    EXPECT_EQ(550, yOf(m_pCredits->getActiveItems().get(1)));
    EXPECT_EQ(20, 550 - (yOf(pFirst) + 40));
}

TEST_F(CreditsTest, DoneInTheUpdateWhenTheLastItemPassesTheTopLine)
{
    m_pCredits->addSpace(40);
    m_pCredits->setScrollSpeed(60.0f);
    push();
    // From 550 to y + 40 <= 50: 540 pixels.
    for (int i = 0; i < 539; ++i)
        m_pCredits->update(1.0f / 60.0f);
    EXPECT_FALSE(m_pCredits->isDone());
    EXPECT_TRUE(running());
    m_pCredits->update(1.0f / 60.0f);
    EXPECT_TRUE(m_pCredits->isDone());
    EXPECT_FALSE(running());
    EXPECT_TRUE(m_pApp->isCursorShown());
}

TEST_F(CreditsTest, WithoutCloseWhenDoneTheScreenStaysDoneAndStill)
{
    m_pCredits->addSpace(10);
    m_pCredits->setCloseWhenDone(false);
    m_pCredits->setLines(540, 550);
    push();
    m_pCredits->update(1.0f);
    EXPECT_TRUE(m_pCredits->isDone());
    EXPECT_TRUE(running());
    m_pCredits->update(1.0f);
    EXPECT_TRUE(running());
}

TEST_F(CreditsTest, AnEmptyQueueIsDoneAtTheFirstUpdate)
{
    push();
    EXPECT_EQ(0, m_pCredits->getActiveItems().getLength());
    m_pCredits->update(1.0f / 60.0f);
    EXPECT_TRUE(m_pCredits->isDone());
    EXPECT_FALSE(running());
}

TEST_F(CreditsTest, DashLinesCountButShowEmpty)
{
    file("credits.txt", "CredDolly Dolly\\n-\\nThe heroine\n");
    m_pApp->loadStrings("credits.txt");
    const struct
    {
        const char* pszText;
        int nLines;
        const char* pszShown;
    } aCases[] = {
        {"A\n-\nB", 3, "A\n\nB"},
        {"A\n\nB", 2, "A\n\nB"},          // an empty line does not count
        {"A\n-\n-\nB", 4, "A\n\n-\nB"},   // the search goes on after each replacement
        {"CredDolly", 3, "Dolly\n\nThe heroine"},
        {"Single", 1, "Single"},
    };
    for (const auto& c : aCases)
    {
        RIR::SmartPtr<Label> pLabel = m_pCredits->addText(c.pszText, false);
        EXPECT_EQ(c.nLines, pLabel->getLineCount()) << c.pszText;
        EXPECT_EQ(c.pszShown, std::string(pLabel->getText().c_str())) << c.pszText;
        EXPECT_EQ(10, pLabel->getZOrder());
        EXPECT_TRUE(GameMode::isAdded(pLabel));
    }
    EXPECT_EQ(0, m_pCredits->getQueuedItems().getLength());
    m_pCredits->addText("Queued", true);
    ASSERT_EQ(1, m_pCredits->getQueuedItems().getLength());
    EXPECT_FALSE(m_pCredits->getQueuedItems().get(0)->isVisible());
    EXPECT_EQ(700, yOf(m_pCredits->getQueuedItems().get(0))); // parked off the screen
    delete m_pCredits;
}

TEST_F(CreditsTest, DarkStrengthIsCheckedAndTintsBackgroundAndBandsAlike)
{
    EXPECT_EQ("Assertion failed : m_nDarkStrength <= 255",
              failure([&] { m_pCredits->setDarkStrength(300); }));
    EXPECT_EQ("Assertion failed : m_nDarkStrength >= 0",
              failure([&] { m_pCredits->setDarkStrength(-1); }));
    m_pCredits->addSpace(10);
    push();
    RIR::List<RIR::SmartPtr<Sprite>> lBands = bands();
    ASSERT_EQ(52, lBands.getLength()); // 25 at each edge and the two strips
    for (int i = 0; i < lBands.getLength(); ++i)
    {
        EXPECT_EQ(63, lBands.get(i)->getColor().r);
        const float fAlpha = lBands.get(i)->getAlpha() * 255.0f;
        EXPECT_TRUE(fAlpha > 4.0f && fAlpha < 255.5f);
    }
}

TEST_F(CreditsTest, StrengthZeroLeavesTheBackgroundUntintedAndManyBandsAreOpaque)
{
    m_pCredits->setDarkStrength(0);
    m_pCredits->setGradient(300, 1);
    m_pCredits->addSpace(10);
    push();
    RIR::List<RIR::SmartPtr<Sprite>> lAll = m_pCredits->getSprites();
    for (int i = 0; i < lAll.getLength(); ++i)
    {
        const RIR::SmartPtr<Sprite>& p = lAll.get(i);
        if (p->getZOrder() == -2000 || p->getZOrder() == 200)
        {
            EXPECT_EQ(255, p->getColor().r);
        }
        if (p->getZOrder() == 200)
        {
            EXPECT_EQ(1.0f, p->getAlpha());
        }
    }
}

TEST_F(CreditsTest, OnlyReleasesOfPressesItSawEndTheScreen)
{
    m_pCredits->addSpace(10);
    push();
    // Releases of presses another mode took (or made before the credits came).
    EXPECT_FALSE(m_pCredits->keyUp(27, 0));
    EXPECT_FALSE(m_pCredits->mouseUp(1, 5, 5));
    EXPECT_TRUE(running());
    // A press on the credits and a release of another button.
    EXPECT_FALSE(m_pCredits->mouseDown(4, 5, 5));
    EXPECT_FALSE(m_pCredits->mouseUp(1, 5, 5));
    EXPECT_TRUE(running());

    key(27); // down and up through the pump
    EXPECT_FALSE(running());
    EXPECT_TRUE(m_pApp->isCursorShown());
}

TEST_F(CreditsTest, AClickThroughThePumpEndsTheScreen)
{
    m_pCredits->addSpace(10);
    push();
    press(400, 300);
    EXPECT_TRUE(running());
    release(400, 300);
    EXPECT_FALSE(running());
}
