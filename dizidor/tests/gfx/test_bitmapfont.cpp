// The bitmap fonts: measuring, drawing with the sheet's pixels (BitmapFont) or recoloured with a
// shadow (SimpleFont), the shared recoloured tables, clones and the two factories.
#include "gfx/bitmapfont.h"

#include "app/systemfont.h"
#include "gfx/bitmapfontfactories.h"
#include "gfx/fontfactorytable.h"
#include "gfx/simplefont.h"
#include "test_glyphsheet_fixture.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <string>

namespace
{

const Color INK(20, 20, 20, 255);
const Color RED(200, 0, 0, 255);
const Color GREEN(0, 200, 0, 255);
const Color BLUE(0, 0, 255, 255);
const Color BLACK(0, 0, 0, 255);
const Color NONE(0, 0, 0, 0);

std::string colorText(const Color& c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a);
}

template <class E, class F> std::string messageOf(F f)
{
    try
    {
        f();
    }
    catch (const E& e)
    {
        return e.getMessage();
    }
    return "<nothing raised>";
}

class BitmapFontTest : public GlyphSheetTest
{
protected:
    // Every gap 2 (the space width); row 1's reference top 1; B red, C green; the inverted
    // exclamation mark (0xA1) of row 5; line height 5 + 5.
    BitmapFontTest()
    {
        SheetPainter painter = sevenBands(40);
        painter.block(1, bandTop(0) + 1, 2, 4, INK);
        painter.block(5, bandTop(0) + 1, 2, 4, RED);
        painter.block(9, bandTop(0) + 1, 1, 4, GREEN);
        painter.block(1, bandTop(1), 2, 5, INK);
        painter.block(5, bandTop(1) + 2, 3, 3, INK);
        for (int r : {2, 3, 5})
            painter.block(1, bandTop(r), 2, 5, INK);
        painter.block(1, bandTop(4), 2, 5, INK);
        painter.block(5, bandTop(4), 2, 5, INK);
        painter.block(1, bandTop(6), 4, 5, INK);
        painter.block(7, bandTop(6) + 2, 1, 1, INK);
        m_pSheet = store("sheet", painter);
    }

    RIR::SmartPtr<Image> target()
    {
        return RIR::SmartPtr<Image>(m_factory.createBlank(20, 20, true));
    }

    RIR::SmartPtr<Image> m_pSheet;
};

} // namespace

TEST_F(BitmapFontTest, MeasuresLinesWithSpacingAndSpaces)
{
    for (int nKind = 0; nKind < 2; ++nKind)
    {
        RIR::SmartPtr<BitmapFontBase> pFont;
        if (nKind == 0)
            pFont = new SimpleFont();
        else
            pFont = new BitmapFont();
        pFont->loadFromImage(m_pSheet);
        EXPECT_EQ(1, pFont->getGlyphSpacing());
        EXPECT_EQ(2, pFont->getSpaceWidth());
        EXPECT_EQ(10, pFont->getLineHeight());

        struct Case
        {
            const char* pszText;
            int nWidth;
        };
        const Case cases[] = {
            {"", 0},         {"B", 3},    // the glyph and one spacing
            {"BC", 5},       {"B C", 7},  // a blank advances by the space width
            {"x", 2},                     // so does a character the sheet lacks
            {"BC\nB\nC", 5},              // the widest of 5, 3 and 2
            {"C\r\nBC", 5},  {"\xA1", 3}, // a byte above 127 by its unsigned value
            {"B\n", 3},
        };
        for (const Case& c : cases)
            EXPECT_EQ(c.nWidth, pFont->getTextWidth(c.pszText)) << "\"" << c.pszText << "\"";
        EXPECT_EQ(0, pFont->getTextWidth(nullptr));
        EXPECT_TRUE(pFont->hasGlyph('B'));
        EXPECT_TRUE(pFont->hasGlyph('\xA1'));
        EXPECT_FALSE(pFont->hasGlyph('D'));
        EXPECT_FALSE(pFont->hasGlyph(' '));
    }
}

TEST_F(BitmapFontTest, BitmapFontDrawsTheSheetsOwnPixels)
{
    BitmapFont font;
    font.loadFromImage(m_pSheet);
    font.setColor(BLUE);
    font.setShadow(true);
    RIR::SmartPtr<Image> pTarget = target();
    // "B" then "C" one advance (2 + 1) later; the cap line (row 1 of the band) lands on y = 5.
    font.drawString(pTarget, 2, 5, "BC");
    EXPECT_EQ(colorText(RED), colorText(pTarget->getPixelAt(2, 5)));
    EXPECT_EQ(colorText(RED), colorText(pTarget->getPixelAt(3, 8)));
    EXPECT_EQ(colorText(GREEN), colorText(pTarget->getPixelAt(5, 5)));
    EXPECT_EQ(colorText(NONE), colorText(pTarget->getPixelAt(2, 4))) << "above the glyph";
    EXPECT_EQ(colorText(NONE), colorText(pTarget->getPixelAt(6, 9))) << "no shadow";
}

TEST_F(BitmapFontTest, SimpleFontDrawsInItsColoursWithAShadow)
{
    SimpleFont font;
    font.loadFromImage(m_pSheet);
    font.setColor(BLUE);
    RIR::SmartPtr<Image> pTarget = target();
    font.drawString(pTarget, 2, 5, "B");
    EXPECT_EQ(colorText(BLUE), colorText(pTarget->getPixelAt(2, 5)));
    EXPECT_EQ(colorText(BLUE), colorText(pTarget->getPixelAt(3, 8)));
    EXPECT_EQ(colorText(BLACK), colorText(pTarget->getPixelAt(4, 9))) << "the shadow, offset 1";
    EXPECT_EQ(colorText(NONE), colorText(pTarget->getPixelAt(2, 9)));

    SimpleFont plain;
    plain.loadFromImage(m_pSheet);
    plain.setShadow(false);
    plain.setColor(GREEN);
    RIR::SmartPtr<Image> pPlain = target();
    plain.drawString(pPlain, 2, 5, "B");
    EXPECT_EQ(colorText(GREEN), colorText(pPlain->getPixelAt(3, 8)));
    EXPECT_EQ(colorText(NONE), colorText(pPlain->getPixelAt(4, 9)));

    // Drawing advances as measuring does, by the font's own space width.
    plain.setSpaceWidth(6);
    EXPECT_EQ(3 + 6 + 2, plain.getTextWidth("B C"));
    RIR::SmartPtr<Image> pSpaced = target();
    plain.drawString(pSpaced, 2, 5, "B C");
    EXPECT_EQ(colorText(GREEN), colorText(pSpaced->getPixelAt(11, 5)));
    EXPECT_EQ(colorText(NONE), colorText(pSpaced->getPixelAt(7, 5)));
}

TEST_F(BitmapFontTest, RecolouredTablesAreMadeOncePerColourAndShared)
{
    SimpleFont font;
    font.loadFromImage(m_pSheet);
    font.setColor(BLUE);
    RIR::SmartPtr<SimpleFontCore> pCore = font.getCore();
    font.drawString(target(), 0, 0, "BC");
    EXPECT_EQ(2, pCore->getColorCount()) << "text and shadow";
    const Image* pBlueB = pCore->getColoredGlyphs(BLUE)['B'].get();

    RIR::SmartPtr<Font> pClone = font.clone();
    SimpleFont* pSimpleClone = dynamic_cast<SimpleFont*>(pClone.get());
    ASSERT_NE(nullptr, pSimpleClone);
    EXPECT_EQ(pCore.get(), pSimpleClone->getCore().get());
    EXPECT_EQ(colorText(BLUE), colorText(pClone->getColor()));
    EXPECT_EQ(10, pClone->getLineHeight());
    pClone->drawString(target(), 0, 0, "CB");
    font.drawString(target(), 3, 3, "B");
    EXPECT_EQ(2, pCore->getColorCount()) << "no new table for colours used before";
    EXPECT_EQ(pBlueB, pCore->getColoredGlyphs(BLUE)['B'].get());

    pClone->setColor(GREEN);
    pClone->drawString(target(), 0, 0, "B");
    EXPECT_EQ(3, pCore->getColorCount());
}

// Glyphs are recoloured as they are drawn: whatever the order (a glyph drawn, the whole table
// asked for, a core sharing another's glyphs), every recoloured glyph shows the same pixels.
TEST_F(BitmapFontTest, GlyphsRecolouredOnDemandMatchTheWholeTable)
{
    SimpleFontCore whole;
    whole.load(m_pSheet);
    const RIR::SmartPtr<Image>* apWhole = whole.getColoredGlyphs(RED);

    SimpleFont font;
    font.loadFromImage(m_pSheet);
    font.setColor(RED);
    font.setShadow(false);
    RIR::SmartPtr<SimpleFontCore> pCore = font.getCore();
    font.drawString(target(), 0, 0, "\xA1");
    Image* pDrawn = pCore->getColoredGlyph(RED, 0xA1);

    SimpleFontCore shared;
    shared.shareGlyphs(*pCore);
    EXPECT_EQ(0, shared.getColorCount()) << "the recoloured glyphs stay with their core";
    EXPECT_EQ(pCore->getLineHeight(), shared.getLineHeight());
    EXPECT_EQ(pCore->getSpaceWidth(), shared.getSpaceWidth());
    EXPECT_EQ(pCore->getGlyphs()['B'].get(), shared.getGlyphs()['B'].get());

    const RIR::SmartPtr<Image>* apLazy = pCore->getColoredGlyphs(RED);
    EXPECT_EQ(pDrawn, apLazy[0xA1].get()) << "a glyph drawn before stays";
    for (int c = 0; c < GLYPH_TABLE_SIZE; ++c)
    {
        Image* apCases[] = {apLazy[c].get(), shared.getColoredGlyph(RED, (unsigned char)c)};
        for (Image* pGlyph : apCases)
        {
            ASSERT_EQ(apWhole[c].get() == nullptr, pGlyph == nullptr) << c;
            if (!pGlyph)
                continue;
            ASSERT_EQ(apWhole[c]->getWidth(), pGlyph->getWidth()) << c;
            ASSERT_EQ(apWhole[c]->getInsPointY(), pGlyph->getInsPointY()) << c;
            for (int y = 0; y < pGlyph->getHeight(); ++y)
                for (int x = 0; x < pGlyph->getWidth(); ++x)
                    ASSERT_EQ(colorText(apWhole[c]->getPixelAt(x, y)),
                              colorText(pGlyph->getPixelAt(x, y)))
                        << c << " at " << x << "," << y;
        }
    }
    EXPECT_EQ(1, shared.getColorCount());
}

TEST_F(BitmapFontTest, ClonesShareGlyphsAndCarryNoFactory)
{
    BitmapFont font;
    font.loadFromImage(m_pSheet);
    font.setAlignment(4);
    RIR::SmartPtr<Font> pClone = font.clone();
    BitmapFont* pBitmapClone = dynamic_cast<BitmapFont*>(pClone.get());
    ASSERT_NE(nullptr, pBitmapClone);
    EXPECT_EQ(font.getGlyphs(), pBitmapClone->getGlyphs());
    EXPECT_EQ(4, pClone->getAlignment());
    EXPECT_EQ(10, pClone->getLineHeight());
    EXPECT_EQ(2, pBitmapClone->getSpaceWidth());
    EXPECT_FALSE(pClone->getFactory());

    // A font without a sheet measures spaces and draws nothing.
    SimpleFont empty;
    EXPECT_EQ(0, empty.getTextWidth("abc"));
    EXPECT_FALSE(empty.hasGlyph('A'));
    empty.drawString(target(), 0, 0, "abc");
}

TEST_F(BitmapFontTest, FactoriesLoadTheNamedSheet)
{
    registerBitmapFontFactory();
    registerSimpleFontFactory();
    RIR::List<RIR::String> lArgs("Sheet", "ignored");
    RIR::SmartPtr<Font> pSimple = FontFactoryTable::createFont("SIMPLEFONT", lArgs);
    ASSERT_NE(nullptr, dynamic_cast<SimpleFont*>(pSimple.get()));
    EXPECT_EQ(10, pSimple->getLineHeight());
    EXPECT_FALSE(pSimple->getFactory());
    RIR::SmartPtr<Font> pBitmap = FontFactoryTable::createFont("BitmapFont", lArgs);
    ASSERT_NE(nullptr, dynamic_cast<BitmapFont*>(pBitmap.get()));
    EXPECT_EQ(5, pBitmap->getTextWidth("BC"));

    EXPECT_EQ("List index out of range : 0 (have 0)",
              messageOf<RIR::FatalErrorException>(
                  [] { FontFactoryTable::createFont("simplefont", RIR::List<RIR::String>()); }));
    EXPECT_EQ(
        "Can't find factory for font class 'nope'",
        messageOf<RIR::FatalErrorException>([&] { FontFactoryTable::createFont("Nope", lArgs); }));
    FontFactoryTable::unregisterFactory("SimpleFont");
    EXPECT_FALSE(FontFactoryTable::findFactory("simplefont"));
    EXPECT_TRUE(FontFactoryTable::findFactory("bitmapfont"));
    FontFactoryTable::unregisterFactory("BitmapFont");
    FontFactoryTable::unregisterFactory("BitmapFont");
}

TEST_F(BitmapFontTest, TheDefaultFontDrawsFromTheBuiltInSheet)
{
    int nSize = 0;
    const uint8_t* pBytes = getSystemFontPng(&nSize);
    m_env.addResource("dizidor::systemfont.png", pBytes, nSize);
    registerSimpleFontFactory();
    RIR::SmartPtr<Font> pFont =
        FontFactoryTable::createFont("SimpleFont", RIR::List<RIR::String>("DiziDor::SystemFont"));
    const SimpleFont* pSimple = dynamic_cast<SimpleFont*>(pFont.get());
    ASSERT_NE(nullptr, pSimple);
    EXPECT_EQ(16, pFont->getLineHeight());
    // Every byte of a text advances by its glyph + 1, a blank by 4.
    const RIR::SmartPtr<Image>* apGlyphs = pSimple->getGlyphs();
    int nExpected = 4;
    for (const char* p = "Hello,World!"; *p; ++p)
        nExpected += apGlyphs[(unsigned char)*p]->getWidth() + 1;
    EXPECT_EQ(nExpected, pFont->getTextWidth("Hello, World!"));

    pFont->setColor(BLUE);
    pFont->setShadow(false);
    RIR::SmartPtr<Image> pTarget(m_factory.createBlank(120, 40, true));
    Rect area(0, 0, 120, 40);
    pFont->drawText(pTarget, area, "Hello, World!");
    int nInk = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
        {
            const Color c = pTarget->getPixelAt(x, y);
            if (c.a == 0)
                continue;
            ++nInk;
            EXPECT_EQ(colorText(Color(0, 0, 255, c.a)), colorText(c)) << x << "," << y;
        }
    EXPECT_GT(nInk, 60);
    EXPECT_EQ(nExpected, area.right);
    EXPECT_EQ(16, area.bottom);
    FontFactoryTable::unregisterFactory("SimpleFont");
}
