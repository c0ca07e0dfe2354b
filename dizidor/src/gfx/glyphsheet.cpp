#include "gfx/glyphsheet.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <cstdio>
#include <cstring>
#include <memory>

const char* const GLYPH_SHEET_ROWS[GLYPH_SHEET_ROW_COUNT] = {
    "ABCDEFGHIJKLMN\xD1OPQRSTUVWXYZ\xC1\xC9\xCD\xD3\xDA",
    "Aabcdefghijklmn\xF1opqrstuvwxyz\xE1\xE9\xED\xF3\xFA",
    ("A0123456789\xE4\xF6\xC4\xD6\xE0\xE2\xC0\xC2\xE8\xEA\xC8\xCA\xEE\xEF\xCE\xCF\xF4\xD4"
     "\xF9\xFB\xD9\xDB"),
    "A,.;:=_'\"",
    "A\xA1!\xBF?(){}[]",
    "A@#$%&\\~|",
    "A+-*/<>\xAA\xBA",
};

namespace
{

const int GLYPH_SPACING = 1;
const int DEFAULT_SPACE_WIDTH = 6;
const int LINE_HEIGHT_EXTRA = 5;

// Whether canvas column x of the image holds no visible pixel (outside the stored pixels: yes).
bool isColumnEmpty(Image* pImage, int x)
{
    int nCanvasX = 0;
    pImage->getCanvasOffset(&nCanvasX, nullptr);
    return pImage->isColumnTransparent(x - nCanvasX, 0);
}

bool isRowEmpty(Image* pImage, int y)
{
    int nCanvasY = 0;
    pImage->getCanvasOffset(nullptr, &nCanvasY);
    return pImage->isRowTransparent(y - nCanvasY, 0);
}

// The next marker pixel of column 0 at or below y; raises when the sheet ends first.
int findMarker(Image* pSheet, int y, int nRow)
{
    const int nHeight = pSheet->getHeight();
    while (y < nHeight && pSheet->isTransparentAt(0, y, 0))
        ++y;
    if (y >= nHeight)
    {
        RIR::String sMessage =
            RIR::String::format("Glyph sheet '%s' : no marker pair for row %d in column 0",
                                pSheet->getName().c_str(), nRow);
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    return y;
}

// The index of the first non-empty pixel row of the glyph; 0 when it has none.
int findTop(Image* pGlyph)
{
    const int nHeight = pGlyph->getHeight();
    for (int y = 0; y < nHeight; ++y)
        if (!isRowEmpty(pGlyph, y))
            return y;
    return 0;
}

void addContext(RIR::Exception& e, int nRow, int k, unsigned char c, const char* pszWhat, int nFrom)
{
    RIR::String sMessage =
        RIR::String::format("%s\nWhen loading line %d, character %d [%c], looking for %s from %d",
                            e.getMessage(), nRow, k, c, pszWhat, nFrom);
    e.setMessage(sMessage.c_str());
}

struct GapStats
{
    int nSum = 0;
    int nCount = 0;
};

// Reads the glyphs of one row's band into the table.
void readRow(Image* pBand, int nRow, RIR::SmartPtr<Image>* apTable, GapStats* pGaps)
{
    const char* pszText = GLYPH_SHEET_ROWS[nRow];
    const int nLength = (int)std::strlen(pszText);
    const int nBandWidth = pBand->getWidth();
    const int nBandHeight = pBand->getHeight();
    int x = 0;
    if (!isColumnEmpty(pBand, 0))
        while (x < nBandWidth && !isColumnEmpty(pBand, x))
            ++x;

    int nPreviousEnd = 0;
    int nReferenceTop = 0;
    for (int k = 0; k < nLength; ++k)
    {
        const unsigned char c = (unsigned char)pszText[k];
        try
        {
            const int nSearchFrom = x;
            try
            {
                while (x < nBandWidth && isColumnEmpty(pBand, x))
                    ++x;
            }
            catch (RIR::Exception& e)
            {
                addContext(e, nRow, k, c, "start", nSearchFrom);
                throw;
            }
            if (x >= nBandWidth)
                return;
            if (k > 0)
            {
                pGaps->nSum += x - nPreviousEnd;
                ++pGaps->nCount;
            }
            int nEnd = x + 1;
            try
            {
                while (nEnd < nBandWidth && !isColumnEmpty(pBand, nEnd))
                    ++nEnd;
            }
            catch (RIR::Exception& e)
            {
                addContext(e, nRow, k, c, "end", x);
                throw;
            }
            if (nEnd >= nBandWidth)
                return;

            RIR::SmartPtr<Image> pGlyph = pBand->createSubImage(x, 0, nEnd - x, nBandHeight, false);
            const bool bMeasureOnly = nRow == 0 && k == 0;
            if (!bMeasureOnly)
                apTable[c] = pGlyph;
            if (k == 0)
                nReferenceTop = findTop(pGlyph.get());
            if (!bMeasureOnly)
                pGlyph->setInsPoint(0, nReferenceTop);
            nPreviousEnd = nEnd;
            x = nEnd;
        }
        catch (const RIR::Exception&)
        {
            RIR::String sWarning = RIR::String::format(
                "Loading font : line %d has %d chars, expecting %d\n", nRow, k, nLength);
            std::fprintf(stderr, "WARNING : %s\n", sWarning.c_str());
            return;
        }
    }
}

} // namespace

RIR::SmartPtr<Image>* readGlyphSheet(RIR::SmartPtr<Image> pSheet, int* pnGlyphSpacing,
                                     int* pnSpaceWidth, int* pnLineHeight)
{
    RIR_TRACE("readGlyphSheet");
    RIR_ASSERT(pSheet);
    std::unique_ptr<RIR::SmartPtr<Image>[]> apTable(new RIR::SmartPtr<Image>[GLYPH_TABLE_SIZE]);
    GapStats gaps;
    int y = -1;
    for (int nRow = 0; nRow < GLYPH_SHEET_ROW_COUNT; ++nRow)
    {
        const int nTop = findMarker(pSheet.get(), y + 1, nRow);
        const int nBottom = findMarker(pSheet.get(), nTop + 1, nRow);
        RIR::SmartPtr<Image> pBand =
            pSheet->createSubImage(0, nTop + 1, pSheet->getWidth(), nBottom - nTop - 1, false);
        readRow(pBand.get(), nRow, apTable.get(), &gaps);
        y = nBottom;
    }

    const RIR::SmartPtr<Image>& pA = apTable[(unsigned char)'A'];
    if (!pA)
    {
        RIR::String sMessage =
            RIR::String::format("Glyph sheet '%s' has no glyph for 'A'", pSheet->getName().c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    if (pnGlyphSpacing)
        *pnGlyphSpacing = GLYPH_SPACING;
    if (pnSpaceWidth)
        *pnSpaceWidth = gaps.nCount > 0 ? gaps.nSum / gaps.nCount : DEFAULT_SPACE_WIDTH;
    if (pnLineHeight)
        *pnLineHeight = pA->getHeight() + LINE_HEIGHT_EXTRA;
    return apTable.release();
}
