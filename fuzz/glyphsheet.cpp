// Fuzz target: the glyph-sheet reader (readGlyphSheet) and the bitmap fonts over what it reads.
//
// The input is a sheet in a compact form, so that the fuzzer works on markers, bands and glyph
// runs rather than on picture compression: byte 0 and bit 0 of byte 1 give the width - 1 (1 to
// 512), byte 2 the height - 1 (1 to 256); bit 1 of byte 1 chooses a colour-keyed sheet without
// alpha instead of one with alpha; every following byte is one pixel, row by row (its alpha, or
// in the keyed sheet 0 for the key colour and any other value for an opaque grey); missing
// pixels are empty. The sheet is read, then a SimpleFont and a BitmapFont made from it measure
// and draw a text of every byte value.
// Invariant: a sheet that reads gives spacing 1, a space width within the sheet, an 'A' glyph,
// the line height of 'A' plus 5, and glyphs that fit inside the sheet.
#include "gfx/glyphsheet.h"
#include "fuzzcheck.h"
#include "gfx/bitmapfont.h"
#include "gfx/image.h"
#include "gfx/simplefont.h"
#include "rir2/exception.h"
#include "rir2/refcount.h"
#include "testkit/memimage.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

const Color KEY(255, 0, 255, 255);

RIR::SmartPtr<Image> makeSheet(const uint8_t* pData, size_t nSize)
{
    const int nWidth = 1 + pData[0] + ((pData[1] & 1) << 8);
    const int nHeight = 1 + pData[2];
    const bool bKeyed = (pData[1] & 2) != 0;
    RIR::SmartPtr<Image> pSheet(factory().createBlank(nWidth, nHeight, !bKeyed));
    if (bKeyed)
        pSheet->setColorKey(KEY);
    // The pixels written into the store row by row, each byte's colour mapped once.
    MemPixelStore& store = *static_cast<MemImage*>(pSheet.get())->getStore();
    uint32_t anValues[256];
    for (int b = 0; b < 256; ++b)
        anValues[b] = store.mapColor(bKeyed ? (b == 0 ? KEY : Color(b, b, b, 255))
                                            : Color(0, 0, 0, (uint8_t)b));
    const int nBytes = store.getBytesPerPixel();
    size_t nAt = 3;
    for (int y = 0; y < nHeight; ++y)
    {
        uint8_t* p = store.rowAddress(y);
        for (int x = 0; x < nWidth; ++x, ++nAt, p += nBytes)
        {
            const uint32_t nValue = anValues[nAt < nSize ? pData[nAt] : 0];
            for (int i = 0; i < nBytes; ++i)
                p[i] = (uint8_t)(nValue >> (8 * i));
        }
    }
    pSheet->notifyChanged();
    return pSheet;
}

void readSheet(RIR::SmartPtr<Image> pSheet)
{
    int nSpacing = -1;
    int nSpace = -1;
    int nLineHeight = -1;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apGlyphs;
    try
    {
        apGlyphs.reset(readGlyphSheet(pSheet, &nSpacing, &nSpace, &nLineHeight));
    }
    catch (const RIR::Exception&)
    {
        return;
    }
    // The broken reader measures the line without its gap.
    if (fuzzBrokenReader())
        nLineHeight -= 5;
    FUZZ_CHECK(nSpacing == 1);
    // The space is a mean gap between glyphs of the sheet, or 6 when no two glyphs stand side by
    // side (so it may be wider than a sheet narrower than 6 pixels).
    FUZZ_CHECK(nSpace >= 0 && nSpace <= std::max(pSheet->getWidth(), 6));
    FUZZ_CHECK(apGlyphs['A']);
    FUZZ_CHECK(nLineHeight == apGlyphs['A']->getHeight() + 5);
    for (int c = 0; c < GLYPH_TABLE_SIZE; ++c)
    {
        const RIR::SmartPtr<Image>& pGlyph = apGlyphs[c];
        if (!pGlyph)
            continue;
        FUZZ_CHECK(pGlyph->getWidth() >= 1 && pGlyph->getWidth() < pSheet->getWidth());
        FUZZ_CHECK(pGlyph->getHeight() >= 0 && pGlyph->getHeight() <= pSheet->getHeight() - 2);
        FUZZ_CHECK(pGlyph->getInsPointY() >= 0);
    }
}

void drawWith(BitmapFontBase* pFont, RIR::SmartPtr<Image> pSheet)
{
    try
    {
        pFont->loadFromImage(pSheet);
    }
    catch (const RIR::Exception&)
    {
        return;
    }
    std::string sText;
    for (int c = 1; c < 256; ++c)
        sText += (char)c;
    FUZZ_CHECK(pFont->getTextWidth(sText.c_str()) >= 0);
    RIR::SmartPtr<Image> pTarget(factory().createBlank(64, 32, true));
    Rect area(0, 0, 64, 32);
    pFont->drawText(pTarget, area, sText.c_str());
    pFont->drawString(pTarget, -5, 20, "AZaz09");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 3)
        return 0;
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    MemImageEnvironment env(&factory());
    try
    {
        RIR::SmartPtr<Image> pSheet = makeSheet(pData, nSize);
        readSheet(pSheet);
        SimpleFont simple;
        drawWith(&simple, pSheet);
        BitmapFont bitmap;
        drawWith(&bitmap, pSheet);
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
