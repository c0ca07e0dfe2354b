// Glyph sheets made in code for the tests of the glyph-sheet reader and the bitmap fonts.
//
// SheetPainter paints an RGBA picture: marker pixels in column 0 and solid glyph blocks; the
// fixture stores it as a PNG picture in an in-memory image environment and loads it back.
#ifndef DIZIDOR_TESTS_GFX_TEST_GLYPHSHEET_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_GLYPHSHEET_FIXTURE_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class SheetPainter
{
public:
    SheetPainter(int nWidth, int nHeight)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_abPixels((size_t)nWidth * nHeight * 4, 0)
    {
    }

    void pixel(int x, int y, const Color& c)
    {
        uint8_t* p = &m_abPixels[((size_t)y * m_nWidth + x) * 4];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = c.a;
    }
    void marker(int y) { pixel(0, y, Color(0, 0, 0, 255)); }
    // A solid block: columns x .. x + w - 1, pixel rows y .. y + h - 1.
    void block(int x, int y, int w, int h, const Color& c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                pixel(i, j, c);
    }

    int getWidth() const { return m_nWidth; }
    int getHeight() const { return m_nHeight; }
    const uint8_t* data() const { return m_abPixels.data(); }

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<uint8_t> m_abPixels;
};

class GlyphSheetTest : public ::testing::Test
{
protected:
    GlyphSheetTest() : m_env(&m_factory) {}

    RIR::SmartPtr<Image> store(const char* pszName, const SheetPainter& painter)
    {
        m_env.addPicture(pszName, painter.getWidth(), painter.getHeight(), 4, painter.data());
        return m_env.getImage(pszName);
    }

    // Seven bands of 5 pixel rows: markers at 7r and 7r + 6, the band at 7r + 1 .. 7r + 5.
    static SheetPainter sevenBands(int nWidth)
    {
        SheetPainter painter(nWidth, 49);
        for (int r = 0; r < 7; ++r)
        {
            painter.marker(7 * r);
            painter.marker(7 * r + 6);
        }
        return painter;
    }
    static int bandTop(int nRow) { return 7 * nRow + 1; }

    MemImageFactory m_factory;
    MemImageEnvironment m_env;
};

#endif
