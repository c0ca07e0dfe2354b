// Tooltips of a mode: the rest before one shows, following the pointer, the choice among
// overlapping areas, clamping to the screen, and the records' life.
#include "test_mode_fixture.h"

#include <cstdint>
#include <cstring>

namespace
{

// What the renderer was last asked for.
std::string g_sLastStyle;

// A picture 10 pixels wide per character and 20 high.
RIR::SmartPtr<Image> renderTooltip(const char* pszText, const char* pszStyle)
{
    g_sLastStyle = pszStyle;
    return GameApp::getInstance()->createImage(10 * (int)std::strlen(pszText), 20, true);
}

class TooltipTest : public ModeTestBase
{
protected:
    void SetUp() override
    {
        ModeTestBase::SetUp();
        GameMode::setTooltipRenderer(renderTooltip);
        g_sLastStyle = "-";
    }
    void TearDown() override
    {
        GameMode::setTooltipRenderer(nullptr);
        ModeTestBase::TearDown();
    }

    // Frames of 16 ms until the given number of milliseconds has passed.
    void rest(int nMs)
    {
        for (int i = 0; i < nMs / 16; ++i)
            frame();
    }
    static bool shown(GameMode* pMode)
    {
        Tooltip* pTooltip = pMode->getCurrentTooltip();
        return pTooltip && pTooltip->m_pSprite->isVisible();
    }
    static Point placeOf(GameMode* pMode)
    {
        return pMode->getCurrentTooltip()->m_pSprite->getPosPoint();
    }
};

TEST_F(TooltipTest, ShowsAfterTheRestAndFollowsThePointer)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<Sprite> pDoor = pMode->addSprite(new Sprite(picture(50, 50), 100, 100, 0));
    pDoor->setTooltip("Door");
    TooltipHandle hTooltip = pDoor->getTooltipHandle();
    ASSERT_TRUE(hTooltip);
    EXPECT_EQ(Rect(100, 100, 150, 150), hTooltip->m_value->m_area) << "the sprite's bounds";
    RIR::SmartPtr<Sprite> pTip = hTooltip->m_value->m_pSprite;
    EXPECT_FALSE(pTip->isVisible());
    EXPECT_EQ(INT32_MAX, pTip->getZOrder());
    EXPECT_EQ(40, pTip->getImage()->getWidth());
    EXPECT_EQ("", g_sLastStyle) << "no theme: the default look";

    moveTo(110, 110);
    rest(240);
    EXPECT_FALSE(shown(pMode)) << "not before a quarter of a second";
    rest(16);
    ASSERT_TRUE(shown(pMode));
    EXPECT_FLOAT_EQ(135.0f, placeOf(pMode).x);
    EXPECT_FLOAT_EQ(135.0f, placeOf(pMode).y);

    moveTo(120, 112);
    ASSERT_TRUE(shown(pMode)) << "it follows at once";
    EXPECT_FLOAT_EQ(145.0f, placeOf(pMode).x);
    EXPECT_FLOAT_EQ(137.0f, placeOf(pMode).y);

    moveTo(200, 200);
    EXPECT_FALSE(pMode->getCurrentTooltip()) << "gone at once outside its area";
    EXPECT_FALSE(pTip->isVisible());
    rest(400);
    EXPECT_FALSE(pMode->getCurrentTooltip());

    // The owner's moves and visibility keep the record up to date.
    pDoor->setPos(180, 180);
    EXPECT_EQ(Rect(180, 180, 230, 230), hTooltip->m_value->m_area);
    rest(16);
    EXPECT_FALSE(shown(pMode)) << "one search per rest: the pointer has not moved since";
    moveTo(201, 201);
    rest(272);
    EXPECT_TRUE(shown(pMode));
    pDoor->setVisible(false);
    EXPECT_FALSE(hTooltip->m_value->m_bEnabled);
}

TEST_F(TooltipTest, FirstFrameSearchesBeforeAnyMove)
{
    m_pPlatform->setMousePos(10, 10);
    RecMode* pMode = push("m");
    pMode->addTooltip(Rect(0, 0, 100, 100), "Hi");
    frame();
    EXPECT_TRUE(shown(pMode)) << "the countdown starts at 0";
}

TEST_F(TooltipTest, PlacementStaysOnTheScreen)
{
    struct Case
    {
        const char* pszName;
        int nX;
        int nY;
        Point offset;
        float fX;
        float fY;
    };
    const Case cases[] = {
        {"plain", 400, 300, Point(25, 25), 425, 325},
        {"right edge", 790, 300, Point(25, 25), 760, 325}, // 40 wide: touches the right edge
        {"bottom edge", 400, 590, Point(25, 25), 425, 580},
        {"corner", 799, 599, Point(25, 25), 760, 580},
        {"left and top", 10, 5, Point(-50, -50), 0, 0},
        {"exactly fits", 735, 555, Point(25, 25), 760, 580},
        {"one pixel over", 736, 556, Point(25, 25), 760, 580},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        restart();
        RecMode* pMode = push("m");
        pMode->addTooltip(Rect(0, 0, 800, 600), "Tips");
        pMode->setTooltipOffset(c.offset);
        moveTo(c.nX, c.nY);
        rest(272);
        ASSERT_TRUE(shown(pMode));
        EXPECT_FLOAT_EQ(c.fX, placeOf(pMode).x);
        EXPECT_FLOAT_EQ(c.fY, placeOf(pMode).y);
    }
}

TEST_F(TooltipTest, FirstEnabledAreaWinsAndTheCurrentOneStays)
{
    RecMode* pMode = push("m");
    pMode->setTooltipDelay(0.1f);
    TooltipHandle hWide = pMode->addTooltip(Rect(0, 0, 200, 200), "Wide");
    TooltipHandle hSmall = pMode->addTooltip(Rect(50, 50, 100, 100), "Small");
    pMode->setTooltipEnabled(hWide, false);
    moveTo(60, 60);
    rest(112);
    ASSERT_EQ(hSmall->m_value, pMode->getCurrentTooltip()) << "the disabled one is passed over";

    pMode->setTooltipEnabled(hWide, true);
    moveTo(70, 70);
    EXPECT_EQ(hSmall->m_value, pMode->getCurrentTooltip()) << "stays while the pointer is in it";
    pMode->setTooltipEnabled(hSmall, false);
    moveTo(71, 71);
    EXPECT_EQ(hSmall->m_value, pMode->getCurrentTooltip())
        << "the current one is not dropped for being disabled";
    moveTo(150, 150);
    EXPECT_EQ(hWide->m_value, pMode->getCurrentTooltip()) << "the next one shows at once";
    EXPECT_TRUE(shown(pMode));
    EXPECT_FALSE(hSmall->m_value->m_pSprite->isVisible());

    // A new text keeps the sprite's visibility; the style reaches the renderer.
    pMode->setTooltipStyle("Tooltip");
    pMode->setTooltipText(hWide, "Wider");
    EXPECT_TRUE(shown(pMode));
    EXPECT_EQ(50, pMode->getCurrentTooltip()->m_pSprite->getImage()->getWidth());
    EXPECT_EQ("Tooltip", g_sLastStyle);
    pMode->setTooltipText(hSmall, "Tiny");
    EXPECT_FALSE(hSmall->m_value->m_pSprite->isVisible());

    // Removing the current tooltip leaves none current; the next rest searches again.
    pMode->removeTooltip(hWide);
    EXPECT_EQ(nullptr, pMode->getCurrentTooltip());
    pMode->setTooltipEnabled(hSmall, true);
    moveTo(60, 60);
    rest(112);
    EXPECT_EQ(hSmall->m_value, pMode->getCurrentTooltip());
    EXPECT_EQ(1, pMode->getSprites().getLength()) << "one tooltip sprite is left";
}

TEST_F(TooltipTest, CoveringAndUncoveringHideButKeepTheCurrentTooltip)
{
    RecMode* pLevel = push("level");
    pLevel->addTooltip(Rect(0, 0, 100, 100), "Bar");
    moveTo(10, 10);
    rest(272);
    ASSERT_TRUE(shown(pLevel));
    Tooltip* pCurrent = pLevel->getCurrentTooltip();

    RecMode* pDialog = push("dialog", MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH | MF_INPUT_THROUGH);
    EXPECT_FALSE(pCurrent->m_pSprite->isVisible()) << "hidden when covered";
    EXPECT_EQ(pCurrent, pLevel->getCurrentTooltip());
    pDialog->endMode();
    EXPECT_FALSE(pCurrent->m_pSprite->isVisible()) << "still hidden when uncovered";
    moveTo(11, 11);
    EXPECT_TRUE(pCurrent->m_pSprite->isVisible()) << "the next move shows it again";
}

TEST_F(TooltipTest, RecordsGoWithTheirSpritesAndTheirMode)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<Sprite> pOwner = pMode->addSprite(new Sprite(picture(10, 10), 0, 0, 0));
    pOwner->setTooltip("Gone");
    RIR::SmartPtr<Sprite> pTip = pOwner->getTooltipHandle()->m_value->m_pSprite;
    EXPECT_EQ(2, pMode->getSprites().getLength());
    pOwner->setTooltip("Again"); // the same record, a new text
    EXPECT_EQ(2, pMode->getSprites().getLength());

    pMode->removeObject(pOwner);
    EXPECT_EQ(0, pMode->getSprites().getLength()) << "its tooltip sprite went with it";
    EXPECT_EQ(nullptr, pOwner->getTooltipHandle());
    EXPECT_EQ(nullptr, pTip->getMode());

    pMode->addSprite(pOwner);
    pOwner->setTooltip("Back");
    pTip = pOwner->getTooltipHandle()->m_value->m_pSprite;
    m_pApp.reset(); // deletes the mode with its records
    EXPECT_EQ(nullptr, pTip->getMode());
    EXPECT_EQ(nullptr, pOwner->getMode());
    EXPECT_EQ(nullptr, pOwner->getTooltipHandle());
    pOwner->setPos(5, 5); // reaches no deleted mode
}

} // namespace
