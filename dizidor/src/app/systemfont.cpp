#include "app/systemfont.h"

#include "app/pngwriter.h"

#include "rir2/calltrace.h"

#include <cstddef>
#include <vector>

const char* const SYSTEM_FONT_RESOURCE = "DiziDor::SystemFont.png";

const uint8_t* getSystemFontPng(int* pnSize)
{
    RIR_TRACE("getSystemFontPng");
    // Grey 0, alpha 0 everywhere: the form of the sheet without its glyphs.
    static const std::vector<uint8_t> s_abPng = []()
    {
        const std::vector<uint8_t> abPixels((size_t)SYSTEM_FONT_WIDTH * SYSTEM_FONT_HEIGHT * 2, 0);
        return encodePng(SYSTEM_FONT_WIDTH, SYSTEM_FONT_HEIGHT, 2, abPixels.data());
    }();
    if (pnSize)
        *pnSize = (int)s_abPng.size();
    return s_abPng.data();
}
