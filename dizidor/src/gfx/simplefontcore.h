// SimpleFontCore: the glyphs of a SimpleFont, shared by the font and its clones, with one
// recoloured glyph table per colour used.
//
// The sheet's glyphs serve as alpha masks: a recoloured glyph shows the red, green and blue of
// the colour with the coverage of the sheet's glyph (the colour's own alpha only tells cache
// entries apart). Each glyph of a colour is recoloured once, when it is first drawn in that colour
// (or for all glyphs at once by prepareColor), and kept until the core goes: a caption of a few
// letters costs a few recoloured glyphs, not a whole table.
#ifndef DIZIDOR_GFX_SIMPLEFONTCORE_H
#define DIZIDOR_GFX_SIMPLEFONTCORE_H

#include "gfx/color.h"
#include "gfx/glyphsheet.h"
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
    // Takes the other core's glyph table and metrics, with no recoloured glyph: the glyph
    // pictures themselves are shared (nothing draws into them). The recoloured glyphs of the
    // previous glyphs are dropped.
    void shareGlyphs(const SimpleFontCore& other);
    // Makes every recoloured glyph of the colour not made yet; images come from the installed
    // image environment's factory.
    void prepareColor(const Color& color);
    // prepareColor, then the colour's table.
    const RIR::SmartPtr<Image>* getColoredGlyphs(const Color& color);
    // The recoloured glyph of byte c (made now when it is missing); null where the sheet has no
    // glyph. The colour counts as used from then on.
    Image* getColoredGlyph(const Color& color, unsigned char c);
    // The sheet's own glyphs; null until loaded.
    const RIR::SmartPtr<Image>* getGlyphs() const { return m_apGlyphs; }
    // How many colours have a recoloured table.
    int getColorCount() const;

private:
    // The recoloured glyphs of one colour; abMade says which entries are final (a made entry may
    // be null: the sheet has no glyph there).
    struct ColorTable
    {
        RIR::SmartPtr<Image> apGlyphs[GLYPH_TABLE_SIZE];
        bool abMade[GLYPH_TABLE_SIZE] = {};
    };

    void clearColors();
    // The colour's table, made empty on first use.
    ColorTable* colorTable(const Color& color);
    void makeColoredGlyph(ColorTable* pTable, const Color& color, unsigned char c);
    static void drawGlyph(Image* pTarget, Image* pGlyph, int x, int y);

    RIR::Hash<Color, ColorTable*> m_hColors;
    RIR::SmartPtr<Image>* m_apGlyphs;
    int32_t m_nGlyphSpacing;
    int32_t m_nLineHeight;
    int32_t m_nSpaceWidth;
};

#endif
