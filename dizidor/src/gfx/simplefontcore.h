// SimpleFontCore: the glyphs of a SimpleFont, shared by the font and its clones, with one
// recoloured glyph table per colour used.
//
// The sheet's glyphs serve as alpha masks: a recoloured glyph shows the red, green and blue of
// the colour with the coverage of the sheet's glyph (the colour's own alpha only tells cache
// entries apart). A colour is prepared once, on first use, and kept until the core goes.
#ifndef DIZIDOR_GFX_SIMPLEFONTCORE_H
#define DIZIDOR_GFX_SIMPLEFONTCORE_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "rir2/hash.h"
#include "rir2/refcount.h"

#include <cstdint>

class Font;

class SimpleFontCore : public RIR::RefCountedObject
{
public:
    // No glyphs, metrics 0, empty colour cache.
    SimpleFontCore();
    // Deletes the glyph table and every recoloured table.
    ~SimpleFontCore() override;

    SimpleFontCore(const SimpleFontCore&) = delete;
    SimpleFontCore& operator=(const SimpleFontCore&) = delete;

    virtual int getLineHeight() const;
    virtual int getGlyphSpacing() const;
    virtual int getSpaceWidth() const;
    // Draws the text in the font's colour with its cap line at y; with the font's shadow on, each
    // character's shadow (shadow colour, at the shadow offset) comes just before the character.
    // Advances use the font's glyph spacing and space width when it is a bitmap font, else this
    // core's.
    virtual void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText,
                            Font* pFont);

    // Reads the sheet (gfx/glyphsheet.h) into the glyph table and metrics; the recoloured tables
    // of the previous glyphs are dropped. The reader's failures pass through, nothing changed.
    void load(RIR::SmartPtr<Image> pSheet);
    // Makes the recoloured table of the colour unless it exists; images come from the installed
    // image environment's factory.
    void prepareColor(const Color& color);
    // prepareColor, then the colour's table.
    const RIR::SmartPtr<Image>* getColoredGlyphs(const Color& color);
    // The sheet's own glyphs; null until loaded.
    const RIR::SmartPtr<Image>* getGlyphs() const { return m_apGlyphs; }
    // How many colours have a recoloured table.
    int getColorCount() const;

private:
    void clearColors();
    static void drawGlyph(Image* pTarget, Image* pGlyph, int x, int y);

    RIR::Hash<Color, RIR::SmartPtr<Image>*> m_hColors;
    RIR::SmartPtr<Image>* m_apGlyphs;
    int32_t m_nGlyphSpacing;
    int32_t m_nLineHeight;
    int32_t m_nSpaceWidth;
};

#endif
