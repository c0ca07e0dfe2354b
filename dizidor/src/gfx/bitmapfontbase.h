// BitmapFontBase: the common base of the fonts drawn from a table of 256 glyph images.
//
// A glyph table holds one image per byte value (code page 1252), null where the sheet has no
// glyph; the glyphs come from a glyph sheet (gfx/glyphsheet.h) and carry insertion points that
// line them up on the cap line. A byte with a glyph advances by the glyph's width + the glyph
// spacing; a byte without one (a blank, a line break, a character the sheet lacks) by the space
// width. Subclasses: SimpleFont (glyphs recoloured in the text and shadow colours) and BitmapFont
// (the sheet's own pixels).
//
// A font is unusable until loadFromImage has run: until then it has no table, measures every
// byte as a space and draws nothing.
#ifndef DIZIDOR_GFX_BITMAPFONTBASE_H
#define DIZIDOR_GFX_BITMAPFONTBASE_H

#include "gfx/font.h"
#include "gfx/image.h"

#include <cstdint>

class BitmapFontBase : public Font
{
public:
    // Metrics 0 until a sheet is loaded.
    BitmapFontBase();
    ~BitmapFontBase() override;

    // Whether the table has a glyph for the character's unsigned byte value.
    bool hasGlyph(char c) override;
    // The widest line; carriage return and line feed without a glyph end a line. A line's width
    // includes the glyph spacing after its last glyph, as drawing advances.
    int getTextWidth(const char* pszText) override;
    int getLineHeight() override;

    // Reads the sheet's glyphs and metrics (gfx/glyphsheet.h), replacing earlier ones.
    virtual void loadFromImage(RIR::SmartPtr<Image> pSheet) = 0;
    virtual int getGlyphSpacing() const;
    virtual void setGlyphSpacing(int nSpacing);
    virtual void setSpaceWidth(int nWidth);
    virtual int getSpaceWidth() const;
    // Font::copyStyleFrom, then space width, glyph spacing and line height.
    virtual void copyFrom(const BitmapFontBase* pOther);
    // The 256-entry table the font measures with; null until loaded.
    virtual const RIR::SmartPtr<Image>* getGlyphs() const = 0;

    // Draws the byte's glyph from the table with its insertion point at (x, y) and returns the
    // advance: the glyph's width + the font's glyph spacing, or the font's space width when the
    // table (or its entry) is null.
    static int drawGlyph(Image* pTarget, unsigned char c, int x, int y, const BitmapFontBase* pFont,
                         const RIR::SmartPtr<Image>* apTable);
    // drawGlyph for every byte of the text, advancing x.
    static void drawGlyphs(Image* pTarget, int x, int y, const char* pszText,
                           const BitmapFontBase* pFont, const RIR::SmartPtr<Image>* apTable);

protected:
    int32_t m_nGlyphSpacing;
    int32_t m_nLineHeight;
    int32_t m_nSpaceWidth;
};

#endif
