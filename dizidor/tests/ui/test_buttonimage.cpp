// Theme::getButtonImage: the caption's source, the composition of resized and plain styles, the
// cache keys, the disabled fade and pushed offset, the faults it refuses, and the button sounds.
#include "themefixture.h"

namespace
{

const Color RED(200, 0, 0, 255);
const Color GREEN(0, 200, 0, 255);
const Color BLUE(0, 0, 200, 255);
const Color CAPTION(250, 250, 250, 255);

} // namespace

class ButtonImageTest : public ThemeTest
{
protected:
    // A 50 x 20 background: left cap red (10), middle green (30), right cap blue (10).
    void SetUp() override
    {
        ThemeTest::SetUp();
        RIR::SmartPtr<Image> pBack = picture("back", 50, 20, GREEN);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 10; ++x)
            {
                pBack->setPixelAt(x, y, RED);
                pBack->setPixelAt(40 + x, y, BLUE);
            }
        picture("t.theme::wide", 62, 6, CAPTION);
        picture("t.theme::tiny", 4, 2, CAPTION);
    }
    static const char* styles()
    {
        return "buttonimage normal back\nbuttonimage pushed back\n"
               "buttonimage highlight back\nbuttonimage disabled back\n"
               "buttonstyle Tiled\n"
               "buttonimage normal back\nbuttonimage pushed back\n"
               "buttonimage highlight back\nbuttonimage disabled back\n"
               "resizebuttons true\nbuttoncap 10\ntilecenter true\n"
               "buttonstyle Stretch\n"
               "buttonimage normal back\nbuttonimage disabled back\n"
               "resizebuttons true\nbuttoncap 10 10\n";
    }
};

TEST_F(ButtonImageTest, TileCentreRoundsToWholeMiddlesAroundTheCaption)
{
    RIR::SmartPtr<Theme> pTheme = load(styles());
    // Caption 62: W = 102, mid 30, n = ceil(82 / 30) = 3, 60 < 62 keeps 3: 3 x 30 + 20 = 110.
    RIR::SmartPtr<Image> pImage = pTheme->getButtonImage("Wide", BS_NORMAL, -1, "Tiled");
    EXPECT_EQ(110, pImage->getWidth());
    EXPECT_EQ(20, pImage->getHeight());
    EXPECT_EQ(RED, pImage->getPixelAt(0, 0));
    EXPECT_EQ(RED, pImage->getPixelAt(9, 19));
    EXPECT_EQ(GREEN, pImage->getPixelAt(10, 0));
    EXPECT_EQ(GREEN, pImage->getPixelAt(99, 0));
    EXPECT_EQ(BLUE, pImage->getPixelAt(100, 0));
    EXPECT_EQ(BLUE, pImage->getPixelAt(109, 19));
    EXPECT_EQ(CAPTION, pImage->getPixelAt(55, 10)) << "the caption sits in the middle";

    // A tiny caption needs one middle: 4 + 40 = 44 -> n = ceil(24 / 30) = 1.
    EXPECT_EQ(50, pTheme->getButtonImage("Tiny", BS_NORMAL, -1, "tiled")->getWidth());
    // Without tile-centre the asked width stays, the middle repeating and the cap on top.
    RIR::SmartPtr<Image> pStretch = pTheme->getButtonImage("Tiny", BS_NORMAL, 75, "Stretch");
    EXPECT_EQ(75, pStretch->getWidth());
    EXPECT_EQ(GREEN, pStretch->getPixelAt(64, 0));
    EXPECT_EQ(BLUE, pStretch->getPixelAt(65, 0));
    EXPECT_EQ(44, pTheme->getButtonImage("Tiny", BS_NORMAL, -1, "Stretch")->getWidth())
        << "the caption and a margin of 20 on each side";
}

TEST_F(ButtonImageTest, PlainStylesCentreTheBackgroundAndShareOneImageForEveryWidth)
{
    RIR::SmartPtr<Theme> pTheme = load(styles());
    RIR::SmartPtr<Image> p80 = pTheme->getButtonImage("Wide", BS_NORMAL, 80, "");
    RIR::SmartPtr<Image> p120 = pTheme->getButtonImage("Wide", BS_NORMAL, 120, "");
    EXPECT_EQ(p80.get(), p120.get()) << "the key holds -1 for a style that does not resize";
    EXPECT_TRUE(m_pApp->isImageCached("t.theme::btn::::^wide_-1_0"));
    EXPECT_TRUE(m_pApp->isImageCached("txt::t.theme::btn::::^wide_-1_0"));
    EXPECT_EQ(62, p80->getWidth()) << "the wider of background and caption";
    EXPECT_EQ(RED, p80->getPixelAt(6, 0)) << "the background centred: (62 - 50) / 2";
    EXPECT_EQ(BLUE, p80->getPixelAt(55, 0));

    RIR::SmartPtr<Image> pS80 = pTheme->getButtonImage("Tiny", BS_NORMAL, 80, "stretch");
    EXPECT_NE(pS80.get(), pTheme->getButtonImage("Tiny", BS_NORMAL, 81, "stretch").get());
    EXPECT_TRUE(m_pApp->isImageCached("t.theme::btn::stretch::^tiny_80_0"));
    EXPECT_EQ(pS80.get(), pTheme->getButtonImage("Tiny", BS_NORMAL, 80, "stretch").get());
}

TEST_F(ButtonImageTest, CaptionsComeFromThePrefixPictureThenTheTextPictureThenTheFont)
{
    picture("t.theme::named", 12, 4, RED);
    picture("Pictured", 14, 4, BLUE);
    picture("t.theme::translated", 16, 4, GREEN);
    file("strings.txt", "KEY_Named Translated\nGo Named\n");
    m_pApp->loadStrings("strings.txt");
    RIR::SmartPtr<Theme> pTheme = load(styles() + std::string("textprefix t.theme::\n"));

    EXPECT_EQ(RED, pTheme->getButtonImage("Named", BS_NORMAL, -1, "")->getPixelAt(25, 10));
    EXPECT_EQ(BLUE, pTheme->getButtonImage("Pictured", BS_NORMAL, -1, "")->getPixelAt(25, 10));
    EXPECT_EQ(GREEN, pTheme->getButtonImage("KEY_Named", BS_NORMAL, -1, "")->getPixelAt(25, 10))
        << "the string table's text names the prefix picture";

    // Drawn text: the caption font's width, two lines high, centred on the background.
    RIR::SmartPtr<Font> pFont = pTheme->getFont("Theme::Button");
    const int nWidth = pFont->getTextWidth("Drawn Words");
    RIR::SmartPtr<Image> pDrawn = pTheme->getButtonImage("Drawn Words", BS_NORMAL, -1, "Tiled");
    RIR::SmartPtr<Image> pCaption =
        m_pApp->getImage("Txt::t.theme::Btn::Tiled::^drawn ^words_-1_0");
    EXPECT_EQ(nWidth, pCaption->getWidth());
    EXPECT_EQ(2 * pFont->getLineHeight(), pCaption->getHeight());
    EXPECT_EQ(nWidth / 2, pCaption->getInsPointX());
    EXPECT_EQ(pCaption->getHeight() / 2, pCaption->getInsPointY());
    EXPECT_EQ("[font] Theme::Button", m_pApp->m_reports.front()) << "the default font drew it";
}

TEST_F(ButtonImageTest, CaptionsDifferingOnlyInCaseKeepImagesOfTheirOwn)
{
    picture("t.theme::ok", 8, 4, RED);
    RIR::SmartPtr<Theme> pTheme = load(styles());
    RIR::SmartPtr<Image> pUpper = pTheme->getButtonImage("OK", BS_NORMAL, -1, "");
    RIR::SmartPtr<Image> pLower = pTheme->getButtonImage("ok", BS_NORMAL, -1, "");
    RIR::SmartPtr<Image> pMixed = pTheme->getButtonImage("Ok", BS_NORMAL, -1, "");
    EXPECT_NE(pUpper.get(), pLower.get());
    EXPECT_NE(pUpper.get(), pMixed.get());
    EXPECT_NE(pTheme->getButtonImage("^ok", BS_NORMAL, -1, "").get(), pMixed.get())
        << "a caret in the text does not pass for a capital";
    EXPECT_EQ(pLower.get(), pTheme->getButtonImage("ok", BS_NORMAL, -1, "").get());
}

TEST_F(ButtonImageTest, DisabledFadesAndPushedMovesTheCaption)
{
    RIR::SmartPtr<Theme> pTheme = load(styles());
    // Caption "tiny" is 4 x 2 with its centre (2, 1); plain 50 x 20: drawn at (25, 10) - (2, 1).
    RIR::SmartPtr<Image> pNormal = pTheme->getButtonImage("Tiny", BS_NORMAL, -1, "");
    EXPECT_EQ(CAPTION, pNormal->getPixelAt(23, 9));
    EXPECT_EQ(GREEN, pNormal->getPixelAt(22, 9));
    RIR::SmartPtr<Image> pPushed = pTheme->getButtonImage("Tiny", BS_PRESSED, -1, "");
    EXPECT_EQ(GREEN, pPushed->getPixelAt(23, 9));
    EXPECT_EQ(CAPTION, pPushed->getPixelAt(26, 12)) << "moved by the default (3, 3)";
    EXPECT_EQ(CAPTION, pTheme->getButtonImage("Tiny", BS_HIGHLIGHTED, -1, "")->getPixelAt(23, 9));

    RIR::SmartPtr<Image> pDisabled = pTheme->getButtonImage("Tiny", BS_DISABLED, -1, "");
    const Color faded = pDisabled->getPixelAt(23, 9);
    EXPECT_NEAR((250 + 0) / 2, faded.r, 3) << "half the caption over the background";
    EXPECT_NEAR((250 + 200) / 2, faded.g, 3);
    EXPECT_EQ(CAPTION, m_pApp->getImage("t.theme::tiny")->getPixelAt(0, 0))
        << "the fade works on a copy";

    pTheme->setButtonTextOffset(-5, 2, BS_COUNT, "tiled");
    pTheme->setButtonTextColor(RED, BS_PRESSED, "tiled");
    ButtonStyle* pTiled = pTheme->getButtonStyle("Tiled");
    EXPECT_EQ(-5, pTiled->nTextDX[BS_NORMAL]);
    EXPECT_EQ(2, pTiled->nTextDY[BS_DISABLED]);
    EXPECT_EQ(RED, pTiled->cTextColor[BS_PRESSED]);
    EXPECT_EQ(Color(255, 255, 255, 255), pTiled->cTextColor[BS_NORMAL]);
}

TEST_F(ButtonImageTest, StylesThatCannotBeComposedFailWithTheirNames)
{
    RIR::SmartPtr<Theme> pTheme =
        load(styles() + std::string("buttonstyle Capped\nbuttonimage normal back\n"
                                    "resizebuttons true\nbuttoncap 25\ntilecenter true\n"
                                    "buttonstyle Wider\nbuttonimage normal back\n"
                                    "resizebuttons true\nbuttoncap 30 40\n"));
    EXPECT_EQ("Unknown button style 'Nope'",
              failure([&] { pTheme->getButtonImage("x", BS_NORMAL, -1, "Nope"); }));
    EXPECT_EQ("Button style 'Stretch' has no picture for the state pushed",
              failure([&] { pTheme->getButtonImage("x", BS_PRESSED, -1, "Stretch"); }));
    EXPECT_EQ("Button style 'Capped': caps 25 and 25 leave no middle in its 50 pixel wide picture",
              failure([&] { pTheme->getButtonImage("x", BS_NORMAL, -1, "Capped"); }));
    EXPECT_EQ("Button style 'Wider': caps 30 and 40 leave no middle in its 50 pixel wide picture",
              failure([&] { pTheme->getButtonImage("x", BS_NORMAL, 300, "Wider"); }));
}

TEST_F(ButtonImageTest, SoundsComeFromTheStyleOrElseFromThePlainStyle)
{
    RIR::SmartPtr<Theme> pTheme = load("buttonsound clicked plain_click\n"
                                       "buttonsound highlighted plain_hover\n"
                                       "buttonstyle Quiet\n"
                                       "buttonstyle Own\n"
                                       "buttonsound Clicked own_click\n"
                                       "buttonstyle Muted\n"
                                       "buttonsound clicked own_click\n");
    pTheme->getButtonStyle("muted")->hSounds.get("clicked").clear();
    clearLog();
    pTheme->playClickedSound("quiet");
    pTheme->playHighlightedSound("quiet");
    EXPECT_EQ(1, played("plain_click"));
    EXPECT_EQ(1, played("plain_hover"));
    pTheme->playClickedSound("Own");
    pTheme->playHighlightedSound("Own");
    EXPECT_EQ(1, played("own_click"));
    EXPECT_EQ(2, played("plain_hover")) << "no hover sound of its own: the plain one";
    clearLog();
    pTheme->playClickedSound("Muted");
    EXPECT_EQ(0, playedAny()) << "a style that set its clicks to none stays silent";
    EXPECT_EQ("Hash key not found : \"none\"", failure([&] { pTheme->playClickedSound("None"); }));
}
