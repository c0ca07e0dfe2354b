// BitmapFont: a bitmap font that draws the sheet's own pixels.
//
// Colour and shadow settings have no effect on it: every glyph is drawn as the sheet shows it.
// Clones share the glyph table. Made by BitmapFontFactory (class "BitmapFont"); bitmap fonts carry
// no factory.
#ifndef DIZIDOR_GFX_BITMAPFONT_H
#define DIZIDOR_GFX_BITMAPFONT_H

#include "gfx/bitmapfontbase.h"
#include "gfx/imageptrarraywrapper.h"

class BitmapFont : public BitmapFontBase
{
public:
    BitmapFont();
    ~BitmapFont() override;

    // A new BitmapFont sharing the glyphs, with this font's style and metrics and no factory.
    RIR::SmartPtr<Font> clone() override;
    // Every byte through drawGlyph; no shadow, no colour.
    void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText) override;
    // Replaces the glyphs and metrics by the sheet's; the reader's failures pass through and leave
    // the font as it was.
    void loadFromImage(RIR::SmartPtr<Image> pSheet) override;
    const RIR::SmartPtr<Image>* getGlyphs() const override;

private:
    RIR::SmartPtr<ImagePtrArrayWrapper> m_pGlyphs;
};

#endif
