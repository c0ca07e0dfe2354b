// The built-in glyph sheet "DiziDor::SystemFont.png": the picture of the default font.
//
// GameApp::addSystemResources registers these bytes in the built-in resource provider, so the
// theme's default font finds its picture even when no pack is installed. The sheet is a PNG of
// SYSTEM_FONT_WIDTH x SYSTEM_FONT_HEIGHT pixels, 8-bit grey with alpha, in the glyph-sheet form
// of gfx/glyphsheet.h: dark glyphs of a sans face about 9 pixels high at the capitals, marker rows
// 1/17, 18/32, 34/44, 49/62, 63/76, 78/92 and 94/106, space width 4, line height 16. Its third
// row holds only the reference A and the digits. The picture is drawn at build time by
// tools/fontsheet and compiled into the program.
#ifndef DIZIDOR_APP_SYSTEMFONT_H
#define DIZIDOR_APP_SYSTEMFONT_H

#include <cstdint>

// The resource name under which the sheet is registered.
extern const char* const SYSTEM_FONT_RESOURCE;

enum
{
    SYSTEM_FONT_WIDTH = 377,
    SYSTEM_FONT_HEIGHT = 108
};

// The PNG bytes of the sheet; *pnSize receives their count. The bytes are program data that
// live until the program ends, so a resource may view them without copying.
const uint8_t* getSystemFontPng(int* pnSize);

#endif
