// SimpleFont: a bitmap font drawn in its text and shadow colours.
//
// The glyphs live in a SimpleFontCore shared by the font and its clones, so the recoloured
// tables are made once per colour for all of them. The library's default font
// "System::DefaultFont" and every theme font of class "SimpleFont" are of this kind.
#ifndef DIZIDOR_GFX_SIMPLEFONT_H
#define DIZIDOR_GFX_SIMPLEFONT_H

#include "gfx/bitmapfontbase.h"
#include "gfx/simplefontcore.h"

class SimpleFont : public BitmapFontBase
{
public:
    SimpleFont();
    ~SimpleFont() override;

    // A new SimpleFont on the same core, with this font's style and metrics and no factory.
    RIR::SmartPtr<Font> clone() override;
    // Through the core, in the font's colours; nothing before a sheet is loaded.
    void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText) override;
    // A new core read from the sheet (the reader's failures pass through, the font unchanged).
    void loadFromImage(RIR::SmartPtr<Image> pSheet) override;
    // The core's uncoloured table; null before a sheet is loaded.
    const RIR::SmartPtr<Image>* getGlyphs() const override;

    // Replaces the core and takes its glyph spacing, space width and line height.
    void setCore(RIR::SmartPtr<SimpleFontCore> pCore);
    RIR::SmartPtr<SimpleFontCore> getCore() const { return m_pCore; }

private:
    RIR::SmartPtr<SimpleFontCore> m_pCore;
};

#endif
