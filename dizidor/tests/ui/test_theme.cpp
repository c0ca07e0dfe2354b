// Theme: the commands of a theme file, font blocks, the built-in defaults, the font and cursor
// look-ups with their reports and fallbacks, and the theme hook-up of the application.
#include "themefixture.h"

#include "gfx/simplefont.h"
#include "ui/control.h"

#include <type_traits>

static_assert(!std::is_copy_constructible_v<Theme>, "a theme is shared by reference");
static_assert(!std::is_copy_constructible_v<ButtonStyle>, "styles belong to their theme");

namespace
{

const char* const BUTTON_PICTURES = "buttonimage normal bn\n"
                                    "buttonimage pushed bp\n"
                                    "buttonimage highlight bh\n"
                                    "buttonimage disabled bd\n";

} // namespace

class ThemeLoadTest : public ThemeTest
{
protected:
    void SetUp() override
    {
        ThemeTest::SetUp();
        for (const char* pszName : {"bn", "bp", "bh", "bd", "img", "img2", "cur"})
            picture(pszName, 40, 20);
        picture("edge", 64, 7);
        picture("side", 9, 64);
    }
};

TEST_F(ThemeLoadTest, ButtonCommandsFillTheCurrentStyleAndNamedStylesContinue)
{
    RIR::SmartPtr<Theme> pTheme =
        load(std::string(BUTTON_PICTURES) + "buttoncap 7\n"
                                            "buttonfont Theme::Default\n"
                                            "buttonstyle Big   # a comment\n"
                                            "buttonfont pushed Fancy\n"
                                            "buttoncap 4 9\n"
                                            "buttontextoffset HIGHLIGHT -2 5\n"
                                            "resizebuttons yes\n"
                                            "tilecenter yes\n"
                                            "buttonsound CLICKED click1\n"
                                            "buttonstyle other\n"
                                            "resizebuttons FALSE\n"
                                            "tilecenter TRUE\n"
                                            "buttonstyle BIG\n"
                                            "buttonsound clicked click2\n");
    ButtonStyle* pPlain = pTheme->getButtonStyle("");
    EXPECT_EQ(pPlain, pTheme->getButtonStyle(nullptr));
    EXPECT_EQ(7, pPlain->nCapLeft);
    EXPECT_EQ(7, pPlain->nCapRight) << "one number gives both caps";
    for (int i = 0; i < BS_COUNT; ++i)
        EXPECT_STREQ("Theme::Default", pPlain->sFont[i].c_str()) << "one font sets every state";
    EXPECT_EQ(m_pApp->getImage("bp").get(), pPlain->pImage[BS_PRESSED].get());
    EXPECT_FALSE(pPlain->bResize);

    ButtonStyle* pBig = pTheme->getButtonStyle("bIg");
    EXPECT_STREQ("", pBig->sFont[BS_NORMAL].c_str());
    EXPECT_STREQ("Fancy", pBig->sFont[BS_PRESSED].c_str());
    EXPECT_EQ(4, pBig->nCapLeft);
    EXPECT_EQ(9, pBig->nCapRight);
    EXPECT_EQ(-2, pBig->nTextDX[BS_HIGHLIGHTED]);
    EXPECT_EQ(5, pBig->nTextDY[BS_HIGHLIGHTED]);
    EXPECT_EQ(3, pBig->nTextDX[BS_PRESSED]) << "the default pushed offset stays";
    EXPECT_EQ(0, pBig->nTextDY[BS_NORMAL]);
    EXPECT_EQ(20, pBig->nTextMargin);
    EXPECT_TRUE(pBig->bResize) << "anything but false turns resizing on";
    EXPECT_FALSE(pBig->bTileCenter) << "only true turns tile-centre on";
    EXPECT_EQ(2, pBig->hSounds.get("clicked").getLength()) << "the second line continued Big";
    EXPECT_TRUE(pBig->hSoundSet.get("clicked"));
    EXPECT_FALSE(pBig->hSoundSet.get("highlighted"));
    EXPECT_EQ(0, pBig->hSounds.get("highlighted").getLength());
    EXPECT_EQ(nullptr, pBig->pImage[BS_NORMAL].get()) << "a new style starts without pictures";

    ButtonStyle* pOther = pTheme->getButtonStyle("OTHER");
    EXPECT_FALSE(pOther->bResize);
    EXPECT_TRUE(pOther->bTileCenter);
    EXPECT_TRUE(pTheme->hasButtonStyle("Other"));
    EXPECT_FALSE(pTheme->hasButtonStyle("none"));
}

TEST_F(ThemeLoadTest, FrameCommandsAndBorders)
{
    RIR::SmartPtr<Theme> pTheme = load("frame top edge\n"
                                       "frame DOWN edge x FIXED\n"
                                       "frame left side\n"
                                       "frame top img\n"
                                       "frame top edge\n"
                                       "decoration ul img IgnoreSize\n"
                                       "decoration ul img2 x ignoresize\n"
                                       "framestyle Given\n"
                                       "border_udlr 1 2 3 4\n"
                                       "frame top edge\n"
                                       "framestyle BackOnly\n"
                                       "frame back img\n"
                                       "framestyle replaced\n"
                                       "frame top edge\n"
                                       "framestyle Replaced\n"
                                       "frame ul img\n");
    FrameStyle* pPlain = pTheme->getFrameStyle("");
    EXPECT_EQ(3, pPlain->lPartImages[FP_TOP].getLength()) << "every repeat is a variant";
    EXPECT_EQ(m_pApp->getImage("edge").get(), pPlain->lFramePart[FP_TOP].get()) << "the last";
    EXPECT_TRUE(pPlain->bFrameFixed[FP_BOTTOM]) << "fixed counts from the fourth token on";
    EXPECT_FALSE(pPlain->bFrameFixed[FP_TOP]);
    EXPECT_TRUE(pPlain->bHasBorderParts);
    EXPECT_TRUE(pPlain->bHasAlpha);
    ASSERT_EQ(2, pPlain->lDecorations[FP_UL].getLength());
    EXPECT_TRUE(pPlain->lDecorations[FP_UL].get(0)->bIgnoreSize);
    EXPECT_FALSE(pPlain->lDecorations[FP_UL].get(1)->bIgnoreSize) << "only the fourth token";
    // Borders from the middle pieces: top and bottom 7 high, left 9 wide, no right piece.
    EXPECT_EQ(7, pPlain->rBorder.top);
    EXPECT_EQ(7, pPlain->rBorder.bottom);
    EXPECT_EQ(9, pPlain->rBorder.left);
    EXPECT_EQ(0, pPlain->rBorder.right);

    FrameStyle* pGiven = pTheme->getFrameStyle("GIVEN");
    EXPECT_EQ(1, pGiven->rBorder.top) << "border_udlr wins over the pieces";
    EXPECT_EQ(2, pGiven->rBorder.bottom);
    EXPECT_EQ(3, pGiven->rBorder.left);
    EXPECT_EQ(4, pGiven->rBorder.right);

    EXPECT_FALSE(pTheme->getFrameStyle("backonly")->bHasBorderParts);
    FrameStyle* pReplaced = pTheme->getFrameStyle("replaced");
    EXPECT_EQ(nullptr, pReplaced->lFramePart[FP_TOP].get()) << "a repeated name starts over";
    EXPECT_NE(nullptr, pReplaced->lFramePart[FP_UL].get());
    EXPECT_EQ("Assertion failed : m_hFrmStyle.hasKey(sKey)",
              failure([&] { pTheme->getFrameStyle("nothing"); }));
}

TEST_F(ThemeLoadTest, CursorsSeparatorsSlidersRadiosAndPictureCommands)
{
    picture("dot", 8, 6);
    RIR::SmartPtr<Theme> pTheme = load("defaultcursor cur 3 4\n"
                                       "cursor Sight img 5 6\n"
                                       "cursor Plain img2 5\n"
                                       "longseparator img\n"
                                       "shortseparator img2\n"
                                       "textprefix Pre::\n"
                                       "sliderimages bn bp bh\n"
                                       "sliderstyle frontback FrontStrip\n"
                                       "sliderrange 6 194\n"
                                       "sliderscale 0.5 2\n"
                                       "radiobuttonimages bd cur\n"
                                       "imagecopy dot DotCopy\n"
                                       "imageinspos dot right-1 center\n");
    RIR::SmartPtr<Image> pCursor = pTheme->getDefaultCursor();
    EXPECT_EQ(m_pApp->getImage("cur").get(), pCursor.get());
    EXPECT_EQ(3, pCursor->getInsPointX());
    EXPECT_EQ(4, pCursor->getInsPointY());
    EXPECT_EQ(5, pTheme->getCursor("SIGHT")->getInsPointX());
    EXPECT_EQ(0, pTheme->getCursor("plain")->getInsPointX()) << "four tokens set no hot spot";
    EXPECT_EQ(m_pApp->getImage("img").get(), pTheme->getLongSeparator().get());
    EXPECT_EQ(m_pApp->getImage("img2").get(), pTheme->getShortSeparator().get());

    RIR::SmartPtr<Image> apSlider[3];
    pTheme->getSliderImages(&apSlider[0], &apSlider[1], &apSlider[2]);
    EXPECT_EQ(m_pApp->getImage("bh").get(), apSlider[2].get());
    EXPECT_EQ(SS_FRONTBACK, pTheme->getSliderStyle());
    EXPECT_STREQ("FrontStrip", pTheme->getSliderFrontImage().c_str());
    int nStart = 0, nEnd = 0;
    EXPECT_TRUE(pTheme->getSliderTrack(&nStart, &nEnd));
    EXPECT_EQ(6, nStart);
    EXPECT_EQ(194, nEnd);
    float fX = 0, fY = 0;
    pTheme->getSliderThumbScale(&fX, &fY);
    EXPECT_FLOAT_EQ(0.5f, fX);
    EXPECT_FLOAT_EQ(2.0f, fY);
    RIR::SmartPtr<Image> pOff, pOn;
    pTheme->getRadioButtonImages(&pOff, &pOn);
    EXPECT_EQ(m_pApp->getImage("cur").get(), pOn.get());

    ASSERT_TRUE(m_pApp->isImageCached("dotcopy"));
    RIR::SmartPtr<Image> pDot = m_pApp->getImage("dot");
    EXPECT_NE(pDot.get(), m_pApp->getImage("DotCopy").get()) << "a copy of its own";
    EXPECT_EQ(7, pDot->getInsPointX());
    EXPECT_EQ(3, pDot->getInsPointY());
}

TEST_F(ThemeLoadTest, BuiltInDefaultsAndStandInPictures)
{
    RIR::SmartPtr<Theme> pTheme = new Theme();
    EXPECT_FALSE(pTheme->hasButtonStyle("")) << "the \"\" styles come with a load";
    EXPECT_FALSE(pTheme->hasFrameStyle(""));
    EXPECT_TRUE(pTheme->hasFont("System::DefaultFont"));
    EXPECT_EQ(16, pTheme->getFont("System::DefaultFont")->getLineHeight());
    // The built-in sheet is read once per application: another theme's default font has the
    // same glyph pictures in a core of its own, whose recoloured glyphs stay with that theme.
    RIR::SmartPtr<Theme> pOther = new Theme();
    const RIR::SmartPtr<Font> pMine = pTheme->getFont("System::DefaultFont");
    const RIR::SmartPtr<Font> pTheirs = pOther->getFont("System::DefaultFont");
    const SimpleFont* pMineSimple = dynamic_cast<const SimpleFont*>(pMine.get());
    const SimpleFont* pTheirsSimple = dynamic_cast<const SimpleFont*>(pTheirs.get());
    ASSERT_TRUE(pMineSimple && pTheirsSimple);
    EXPECT_NE(pMineSimple->getCore().get(), pTheirsSimple->getCore().get());
    EXPECT_EQ(pMineSimple->getGlyphs()['A'].get(), pTheirsSimple->getGlyphs()['A'].get());
    pMine->drawString(m_pApp->createImage(40, 20, true), 0, 0, "A");
    EXPECT_EQ(0, pTheirsSimple->getCore()->getColorCount());

    FrameStyle* pFrame = pTheme->getFrameStyle("SYSTEM::DEFAULTFRAME");
    EXPECT_EQ(5, pFrame->rBorder.top);
    EXPECT_EQ(5, pFrame->rBorder.bottom);
    EXPECT_EQ(5, pFrame->rBorder.left);
    EXPECT_EQ(5, pFrame->rBorder.right);
    EXPECT_EQ(100, pFrame->lFramePart[FP_BACK]->getWidth());
    EXPECT_EQ(5, pFrame->lFramePart[FP_UL]->getWidth());
    EXPECT_EQ(Color(128, 128, 128, 255), pFrame->lFramePart[FP_TOP]->getPixelAt(50, 2));
    EXPECT_FALSE(pFrame->bFrameFixed[FP_TOP]);
    EXPECT_TRUE(pFrame->bHasBorderParts);
    EXPECT_TRUE(pTheme->isFrameCaching());

    RIR::SmartPtr<Image> pLong = pTheme->getLongSeparator();
    EXPECT_EQ(10, pLong->getWidth());
    EXPECT_EQ(pLong.get(), pTheme->getShortSeparator().get()) << "short falls back to long";
    RIR::SmartPtr<Image> apSlider[3];
    pTheme->getSliderImages(&apSlider[0], &apSlider[1], &apSlider[2]);
    EXPECT_EQ(100, apSlider[1]->getWidth());
    EXPECT_EQ(25, apSlider[2]->getWidth());
    EXPECT_FALSE(pTheme->getSliderTrack(nullptr, nullptr));
    EXPECT_EQ(SS_EMPTYFULL, pTheme->getSliderStyle());
    RIR::SmartPtr<Image> pOff, pOn;
    pTheme->getRadioButtonImages(&pOff, &pOn);
    EXPECT_EQ(25, pOff->getWidth());
    EXPECT_EQ(35, pOn->getHeight());
    RIR::SmartPtr<Image> pAgain;
    pTheme->getRadioButtonImages(&pAgain, nullptr);
    EXPECT_EQ(pOff.get(), pAgain.get()) << "made once and kept";
}

TEST_F(ThemeLoadTest, ErrorsOfTheFile)
{
    struct Case
    {
        const char* pszText;
        const char* pszMessage;
    };
    const Case cases[] = {
        {"buttonimage normal\n", "List index out of range : 2 (have 2)"},
        {"buttonimage up bn\n", "Hash key not found : \"up\""},
        {"frame middle img\n", "Hash key not found : \"middle\""},
        {"buttonstyle A\nBUTTONWIDTH 4\n", "Theme::load : Unknown command buttonwidth"},
        {"sliderstyle Wavy\n", "Unknown slider style 'Wavy'"},
        {"font F\nclass NoSuchClass x\n}\n", "Can't find factory for font class 'nosuchclass'"},
        {"font F {\nclass SimpleFont DiziDor::SystemFont\nBlink yes\n}\n",
         "Theme::loadFontSpec : Unknown command blink"},
        {"# top\nfont F {\nclass SimpleFont DiziDor::SystemFont\ntextcolor 1 2 3\n",
         "Theme::loadFontSpec : font 'F' (line 2) has no closing '}' before the end of the file"},
        {"font G\n{\ntextcolor 1 2 3\n}\n", "Theme::loadFontSpec : font 'G' is styled or closed "
                                            "before class or copy made it (line 3)"},
        {"font H {\n}\n", "Theme::loadFontSpec : font 'H' is styled or closed before class or "
                          "copy made it (line 2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszMessage, failure([&] { load(c.pszText); })) << c.pszText;
}

TEST_F(ThemeLoadTest, FontBlocksMakeStyleAndStoreTheirFonts)
{
    RIR::SmartPtr<Theme> pTheme = load("font Base {\n"
                                       "  class SimpleFont DiziDor::SystemFont\n"
                                       "  textcolor 10 20 30\n"
                                       "  shadowcolor 40 50 60\n"
                                       "  shadowoffset 3\n"
                                       "  textalign bottom hcenter other\n"
                                       "  extralinespacing 4\n"
                                       "  drawshadow TRUE\n"
                                       "}\n"
                                       "font Copy\n"
                                       "{\n"
                                       "  copy Base\n"
                                       "  textalign middle\n"
                                       "  drawshadow yes\n"
                                       "}\n"
                                       "font Just {\n"
                                       "  class BitmapFont DiziDor::SystemFont\n"
                                       "  copysettings Base\n"
                                       "  textalign left justify\n"
                                       "}\n");
    RIR::SmartPtr<Font> pBase = pTheme->getFont("Base");
    EXPECT_EQ(Color(10, 20, 30, 255), pBase->getColor());
    EXPECT_EQ(Color(40, 50, 60, 255), pBase->getShadowColor());
    EXPECT_EQ(3, pBase->getShadowOffset());
    EXPECT_EQ(0x14, pBase->getAlignment()) << "words add up; others add nothing";
    EXPECT_EQ(4, pBase->getLineSpacing());
    EXPECT_TRUE(pBase->getShadow());

    RIR::SmartPtr<Font> pCopy = pTheme->getFont("Copy");
    EXPECT_EQ(Color(10, 20, 30, 255), pCopy->getColor());
    EXPECT_EQ(0x24, pCopy->getAlignment());
    EXPECT_FALSE(pCopy->getShadow()) << "drawshadow wants true";
    EXPECT_EQ(0x14, pTheme->getFont("Base")->getAlignment()) << "the copy is a font of its own";

    RIR::SmartPtr<Font> pJust = pTheme->getFont("Just");
    EXPECT_EQ(7, pJust->getAlignment());
    EXPECT_EQ(4, pJust->getLineSpacing());
    EXPECT_TRUE(m_pApp->m_reports.empty());
}

TEST_F(ThemeLoadTest, FontAndCursorLookUpsReportAndFallBack)
{
    RIR::SmartPtr<Theme> pTheme = load("defaultcursor cur\n"
                                       "cursor Hand img\n"
                                       "font Title {\nclass SimpleFont DiziDor::SystemFont\n"
                                       "textcolor 1 1 1\n}\n"
                                       "font Title.big {\nclass SimpleFont DiziDor::SystemFont\n"
                                       "textcolor 2 2 2\n}\n");
    RIR::SmartPtr<Font> pFirst = pTheme->getFont("Title");
    EXPECT_NE(pFirst.get(), pTheme->getFont("Title").get()) << "each look-up is a copy";
    EXPECT_EQ(Color(1, 1, 1, 255), pFirst->getColor());
    pTheme->setFontSuffix(".big");
    EXPECT_EQ(Color(2, 2, 2, 255), pTheme->getFont("Title")->getColor());
    EXPECT_TRUE(pTheme->hasFont("System::DefaultFont")) << "the name alone still counts";

    RIR::SmartPtr<Font> pMissing = pTheme->getFont("Nowhere");
    ASSERT_TRUE(pMissing);
    EXPECT_EQ(16, pMissing->getLineHeight()) << "the default font stands in";
    EXPECT_FALSE(pTheme->hasFont("title")) << "font names keep their case";

    EXPECT_EQ(m_pApp->getImage("img").get(), pTheme->getCursor("HAND").get());
    EXPECT_EQ(m_pApp->getImage("cur").get(), pTheme->getCursor("Arrow").get());
    EXPECT_EQ((std::vector<std::string>{"[font] Nowhere", "[cursor] Arrow"}), m_pApp->m_reports);

    RIR::SmartPtr<Theme> pBare = new Theme();
    EXPECT_EQ(nullptr, pBare->getCursor("").get()) << "no default cursor: null, no report";
    EXPECT_EQ(nullptr, pBare->getCursor("gone").get());
    EXPECT_EQ("[cursor] gone", m_pApp->m_reports.back());
}

// ---- the application's side -------------------------------------------------------------------

class RestyledControl : public Control
{
public:
    explicit RestyledControl(int* pnCount) : Control(0, 0, 0, true), m_pnCount(pnCount) {}
    void refresh() override { ++*m_pnCount; }
    int* m_pnCount;
};

TEST_F(ThemeLoadTest, LoadThemeInstallsItsCursorAndRestylesTheStackOnlyOnSuccess)
{
    RIR::SmartPtr<Theme> pDefault = m_pApp->getTheme();
    ASSERT_TRUE(pDefault) << "init installs the built-in theme";
    EXPECT_TRUE(pDefault->hasFrameStyle("System::DefaultFrame"));

    int nTop = 0, nBelow = 0, nOff = 0;
    GameMode* pBelow = new GameMode();
    GameMode* pTop = new GameMode();
    GameMode* pOffStack = new GameMode();
    m_pApp->pushMode(pBelow);
    m_pApp->pushMode(pTop);
    pBelow->addControl(new RestyledControl(&nBelow));
    pTop->addControl(new RestyledControl(&nTop));
    // A control among the sprites only, as a disabled button is.
    pTop->addSprite(RIR::SmartPtr<Sprite>(new RestyledControl(&nTop)));
    pOffStack->addControl(new RestyledControl(&nOff));
    clearLog();

    file("first.theme", "defaultcursor cur\nfont Only.First {\n"
                        "class SimpleFont DiziDor::SystemFont\n}\n");
    m_pApp->loadTheme("first.theme");
    EXPECT_EQ(2, nTop);
    EXPECT_EQ(1, nBelow);
    EXPECT_EQ(0, nOff);
    EXPECT_EQ(1, m_pPlatform->getLog()->countCalls("video.setCursorImage(image)"));
    RIR::SmartPtr<Theme> pFirst = m_pApp->getTheme();
    EXPECT_NE(pDefault.get(), pFirst.get());
    EXPECT_TRUE(pFirst->hasFont("Only.First"));

    file("broken.theme", "nonsense\n");
    EXPECT_EQ("Theme::load : Unknown command nonsense",
              failure([&] { m_pApp->loadTheme("broken.theme"); }));
    EXPECT_EQ(pFirst.get(), m_pApp->getTheme().get()) << "a failed load changes nothing";
    EXPECT_EQ(2, nTop);

    file("second.theme", "buttonstyle Two\n");
    m_pApp->loadTheme("second.theme");
    RIR::SmartPtr<Theme> pSecond = m_pApp->getTheme();
    EXPECT_FALSE(pSecond->hasFont("Only.First")) << "themes never merge";
    EXPECT_TRUE(pSecond->hasButtonStyle("two"));
    EXPECT_EQ(1, m_pPlatform->getLog()->countCalls("video.setCursorImage(null)"));

    clearLog();
    m_pApp->setTheme(pSecond);
    EXPECT_EQ(1, m_pPlatform->getLog()->countCalls("video.setCursorImage")) << "re-installed";
    delete pOffStack;
}

TEST_F(ThemeLoadTest, ModeLookUpsAndFitFont)
{
    file("fit.theme", "font Sheet {\nclass SimpleFont DiziDor::SystemFont\n}\n");
    m_pApp->loadTheme("fit.theme");
    GameMode mode;
    EXPECT_EQ(16, mode.getFont("Sheet")->getLineHeight());
    EXPECT_EQ(nullptr, mode.getCursor("").get());
    mode.getFont("Missing");
    EXPECT_EQ("[font] Missing", m_pApp->m_reports.back());

    // A font without sizes comes back as a copy of the theme font, the text not wrapped.
    RIR::String sWrapped("untouched");
    RIR::SmartPtr<Font> pFit = mode.fitFont("Sheet", 50, 50, "A long text", &sWrapped);
    ASSERT_TRUE(pFit);
    EXPECT_STREQ("untouched", sWrapped.c_str());
}
