// The built-in glyph sheet "DiziDor::SystemFont.png": the picture of the default font.
//
// GameApp::addSystemResources registers these bytes in the built-in resource provider, so the
// theme's default font finds its picture even when no pack is installed. The sheet is a PNG of
// SYSTEM_FONT_WIDTH x SYSTEM_FONT_HEIGHT pixels, 8-bit grey with alpha.
//
// Until the glyphs are drawn, the sheet is a placeholder of the right form without any glyph:
// fully transparent, made in code on first use. It carries no glyph rows, so a font built from it
// shows nothing.
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

// The PNG bytes of the sheet; *pnSize receives their count. The bytes live until the program
// ends, so a resource may view them without copying.
const uint8_t* getSystemFontPng(int* pnSize);

#endif
