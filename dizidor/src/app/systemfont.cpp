#include "app/systemfont.h"

#include "rir2/calltrace.h"

// Written by tools/fontsheet at build time (systemfont_png.cpp in the build folder).
extern const uint8_t g_abSystemFontPng[];
extern const int g_nSystemFontPngSize;

const char* const SYSTEM_FONT_RESOURCE = "DiziDor::SystemFont.png";

const uint8_t* getSystemFontPng(int* pnSize)
{
    RIR_TRACE("getSystemFontPng");
    if (pnSize)
        *pnSize = g_nSystemFontPngSize;
    return g_abSystemFontPng;
}
