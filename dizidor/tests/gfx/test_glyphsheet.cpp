// The glyph-sheet reader: markers, bands, glyph runs, reference tops, the metrics, and the
// built-in sheet of the default font.
#include "gfx/glyphsheet.h"

#include "app/systemfont.h"
#include "test_glyphsheet_fixture.h"

#include "rir2/exception.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

struct Metrics
{
    int nSpacing = -1;
    int nSpace = -1;
    int nLineHeight = -1;
};

std::unique_ptr<RIR::SmartPtr<Image>[]> read(RIR::SmartPtr<Image> pSheet, Metrics* pMetrics)
{
    return std::unique_ptr<RIR::SmartPtr<Image>[]>(
        readGlyphSheet(pSheet, &pMetrics->nSpacing, &pMetrics->nSpace, &pMetrics->nLineHeight));
}

template <class F>
std::string fatalMessageOf(F f)
{
    try
    {
        f();
    }
    catch (const RIR::FatalErrorException& e)
    {
        return e.getMessage();
    }
    return "<nothing raised>";
}

const Color INK(20, 20, 20, 255);

} // namespace

TEST_F(GlyphSheetTest, CutsBandsIntoGlyphsWithTheirRowsReferenceTop)
{
    SheetPainter painter = sevenBands(40);
    // Row 1: the measured A (top 1), then B and C.
    painter.block(2, bandTop(0) + 1, 3, 4, INK);
    painter.block(7, bandTop(0) + 1, 2, 4, INK);
    painter.block(12, bandTop(0), 1, 5, INK);
    // Row 2: A starting 2 rows down, then a.
    painter.block(1, bandTop(1) + 2, 2, 3, INK);
    painter.block(5, bandTop(1) + 3, 3, 2, INK);
    // Rows 3 to 6: the reference A only.
    for (int r = 2; r < 6; ++r)
        painter.block(1, bandTop(r), 2, 5, INK);
    // Row 7: A, "+", then "-" touching the right edge: not read.
    painter.block(1, bandTop(6), 4, 5, INK);
    painter.block(30, bandTop(6) + 1, 3, 3, INK);
    painter.block(36, bandTop(6) + 2, 4, 1, INK);

    Metrics metrics;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apGlyphs = read(store("sheet", painter), &metrics);

    struct Expected
    {
        unsigned char c;
        int nWidth;
        int nInsY;
    };
    const Expected expected[] = {{'A', 4, 0}, {'B', 2, 1}, {'C', 1, 1}, {'a', 3, 2}, {'+', 3, 0}};
    for (const Expected& e : expected)
    {
        const RIR::SmartPtr<Image>& pGlyph = apGlyphs[e.c];
        ASSERT_TRUE(pGlyph) << e.c;
        EXPECT_EQ(e.nWidth, pGlyph->getWidth()) << e.c;
        EXPECT_EQ(5, pGlyph->getHeight()) << e.c << ": the band's full height";
        EXPECT_EQ(0, pGlyph->getInsPointX()) << e.c;
        EXPECT_EQ(e.nInsY, pGlyph->getInsPointY()) << e.c;
    }
    // The glyph is a view of the sheet: its pixels are the sheet's.
    EXPECT_FALSE(apGlyphs['B']->isTransparentAt(0, 1, 0));
    EXPECT_TRUE(apGlyphs['B']->isTransparentAt(0, 0, 0));
    // Characters beyond a row's last glyph, and the glyph touching the edge, get none.
    for (unsigned char c : {'D', 'Z', 'b', '0', ',', '-', '*'})
        EXPECT_FALSE(apGlyphs[c]) << c;

    EXPECT_EQ(1, metrics.nSpacing);
    // Gaps 2, 3 (row 1), 2 (row 2), 25 and 3 (row 7: the gap before the edge glyph counts).
    EXPECT_EQ(35 / 5, metrics.nSpace);
    EXPECT_EQ(5 + 5, metrics.nLineHeight);
}

TEST_F(GlyphSheetTest, ASheetWithoutGapsHasTheDefaultSpaceWidth)
{
    SheetPainter painter = sevenBands(10);
    for (int r = 0; r < 7; ++r)
        painter.block(1, bandTop(r), 2 + (r == 6), 5 - (r == 6), INK);
    Metrics metrics;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apGlyphs = read(store("tight", painter), &metrics);
    EXPECT_EQ(6, metrics.nSpace);
    EXPECT_EQ(5 + 5, metrics.nLineHeight) << "the height of row 7's band";
    EXPECT_EQ(3, apGlyphs['A']->getWidth());
}

TEST_F(GlyphSheetTest, AColourKeyedSheetReadsLikeOneWithAlpha)
{
    // An opaque picture on magenta, its ".colorkey" marker making the bottom-left pixel the key.
    SheetPainter painter(12, 50);
    for (int r = 0; r < 7; ++r)
    {
        painter.marker(7 * r);
        painter.marker(7 * r + 6);
        painter.block(1, bandTop(r), 2 + (r == 6), 5, INK);
    }
    painter.block(6, bandTop(6) + 1, 2, 3, INK); // "+"
    std::vector<uint8_t> abRGB;
    for (int i = 0; i < 12 * 50; ++i)
    {
        const uint8_t* p = painter.data() + 4 * i;
        const bool bEmpty = p[3] == 0;
        abRGB.push_back(bEmpty ? 255 : p[0]);
        abRGB.push_back(bEmpty ? 0 : p[1]);
        abRGB.push_back(bEmpty ? 255 : p[2]);
    }
    m_env.addPicture("keyed", 12, 50, 3, abRGB.data());
    m_env.addText("keyed.colorkey", "\n");
    RIR::SmartPtr<Image> pSheet = m_env.getImage("keyed");
    ASSERT_FALSE(pSheet->hasAlpha());
    ASSERT_TRUE(pSheet->hasColorKey());

    Metrics metrics;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apGlyphs = read(pSheet, &metrics);
    EXPECT_EQ(3, apGlyphs['A']->getWidth());
    ASSERT_TRUE(apGlyphs['+']);
    EXPECT_EQ(2, apGlyphs['+']->getWidth());
    EXPECT_EQ(2, metrics.nSpace) << "the one gap: A ends at column 4, + starts at 6";
    EXPECT_EQ(10, metrics.nLineHeight);
}

TEST_F(GlyphSheetTest, BadSheetsRaiseNamingTheSheet)
{
    // Six marker pairs only: the search stops at the bottom edge.
    SheetPainter short_(10, 49);
    for (int r = 0; r < 6; ++r)
    {
        short_.marker(7 * r);
        short_.marker(7 * r + 6);
    }
    RIR::SmartPtr<Image> pShort = store("short", short_);
    const std::string sShort = fatalMessageOf(
        [&]
        {
            Metrics m;
            read(pShort, &m);
        });
    EXPECT_NE(std::string::npos, sShort.find("short")) << sShort;
    EXPECT_NE(std::string::npos, sShort.find("row 6")) << sShort;

    // Markers but no glyph at all: no capital A, no line height.
    RIR::SmartPtr<Image> pEmpty = store("empty", sevenBands(10));
    const std::string sEmpty = fatalMessageOf(
        [&]
        {
            Metrics m;
            read(pEmpty, &m);
        });
    EXPECT_NE(std::string::npos, sEmpty.find("no glyph for 'A'")) << sEmpty;
}

TEST_F(GlyphSheetTest, TheBuiltInSheetHasEveryCharacterOfItsRows)
{
    int nSize = 0;
    const uint8_t* pBytes = getSystemFontPng(&nSize);
    m_env.addResource("systemfont.png", pBytes, nSize);
    RIR::SmartPtr<Image> pSheet = m_env.getImage("systemfont");
    ASSERT_EQ(377, pSheet->getWidth());
    ASSERT_EQ(108, pSheet->getHeight());
    ASSERT_TRUE(pSheet->hasAlpha());

    // Column 0: exactly the fourteen markers.
    const int anMarkers[14] = {1, 17, 18, 32, 34, 44, 49, 62, 63, 76, 78, 92, 94, 106};
    std::string sMarkers;
    for (int y = 0; y < 108; ++y)
        if (!pSheet->isTransparentAt(0, y, 0))
            sMarkers += std::to_string(y) + " ";
    std::string sExpected;
    for (int y : anMarkers)
        sExpected += std::to_string(y) + " ";
    EXPECT_EQ(sExpected, sMarkers);

    Metrics metrics;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apGlyphs = read(pSheet, &metrics);
    EXPECT_EQ(1, metrics.nSpacing);
    EXPECT_EQ(4, metrics.nSpace);
    EXPECT_EQ(16, metrics.nLineHeight);

    const int anBandHeights[7] = {15, 13, 9, 12, 12, 13, 11};
    const int anReferenceTops[7] = {3, 1, 0, 0, 1, 1, 0};
    for (int r = 0; r < GLYPH_SHEET_ROW_COUNT; ++r)
    {
        const char* pszRow = GLYPH_SHEET_ROWS[r];
        // Row 3 holds the reference A and the digits only.
        const int nHeld = r == 2 ? 11 : (int)std::strlen(pszRow);
        for (int k = 1; k < (int)std::strlen(pszRow); ++k)
        {
            const unsigned char c = (unsigned char)pszRow[k];
            const RIR::SmartPtr<Image>& pGlyph = apGlyphs[c];
            if (k >= nHeld)
            {
                EXPECT_FALSE(pGlyph) << "row " << r + 1 << " byte 0x" << std::hex << (int)c;
                continue;
            }
            ASSERT_TRUE(pGlyph) << "row " << r + 1 << " byte 0x" << std::hex << (int)c;
            EXPECT_GT(pGlyph->getWidth(), 0);
            EXPECT_LT(pGlyph->getWidth(), 16) << "one character, not two run together: " << c;
            EXPECT_EQ(anBandHeights[r], pGlyph->getHeight()) << "row " << r + 1 << " " << c;
            EXPECT_EQ(anReferenceTops[r], pGlyph->getInsPointY()) << "row " << r + 1 << " " << c;
        }
    }
    // The table's A is the one that opens row 7.
    EXPECT_EQ(11, apGlyphs['A']->getHeight());
    EXPECT_EQ(0, apGlyphs['A']->getInsPointY());
    // Capitals and digits stand on one cap line: their first visible row is the reference top.
    for (unsigned char c : {'A', 'E', 'H', '1', '4'})
    {
        const RIR::SmartPtr<Image>& pGlyph = apGlyphs[c];
        int nTop = 0;
        while (nTop < pGlyph->getHeight() && pGlyph->isRowTransparent(nTop, 0))
            ++nTop;
        EXPECT_EQ(pGlyph->getInsPointY(), nTop) << c;
    }
}
