// Font: the abstract, reference-counted text renderer.
//
// A font holds the text style (colour, shadow, alignment, line spacing, trimming) and lays text
// out into rectangles once for every kind of font: word wrapping at blanks and line breaks,
// horizontal alignment (left, right, centre, justified) and vertical centring. The glyph work is
// the subclasses': draw one string at a point, tell whether a character has a glyph, measure a
// text and give the line height. Subclasses: the bitmap fonts (gfx/bitmapfontbase.h) and the
// TrueType font of the SDL back-end.
//
// A font remembers the factory and the arguments it was made from, so that a variant (the same
// face at another size) can be made without knowing the factory's argument format. Clones share
// the glyph data and copy the style, so a widget that restyles a shared font first clones it.
//
// Alignment (AlignFlags, shared with images and table cells): 1 left, 2 right, 4 horizontal
// centre, 8 top, 0x10 bottom, 0x20 vertical centre. For text: the low three bits all set mean
// justified; else 4 centres, else 2 aligns right, else left; 0x20 centres vertically; 8 and 0x10
// do nothing.
//
// Text is a plain byte string: bitmap fonts take one byte per character (code page 1252), the
// TrueType font UTF-8. Null and empty texts draw nothing and measure no line.
//
// Usage:
//     RIR::SmartPtr<Font> pFont = pThemeFont->clone();
//     pFont->setAlignment(ALIGN_HCENTER | ALIGN_VCENTER);
//     Rect area(0, 0, 200, 100);
//     pFont->drawText(pTarget, area, "Two words\nand a line");  // area becomes the drawn extent
//
// Main thread only.
#ifndef DIZIDOR_GFX_FONT_H
#define DIZIDOR_GFX_FONT_H

#include "gfx/alignflags.h"
#include "gfx/color.h"
#include "gfx/fontfactory.h"
#include "gfx/rect.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Image;

class Font : public RIR::RefCountedObject
{
public:
    // Trim on, white text, black shadow on at offset 1, left-aligned, line spacing 0, no factory.
    Font();
    ~Font() override;

    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // A new font of the same class sharing the glyph data, with a copy of the style.
    virtual RIR::SmartPtr<Font> clone() = 0;
    // Draws the text into a copy of the rectangle; the caller's rectangle is unchanged.
    virtual void drawText(RIR::SmartPtr<Image> pTarget, const Rect& rect, const char* pszText);
    // Wraps the text to the rectangle's width, aligns and draws it, then sets the rectangle to
    // the area drawn: left and top stay, right is the widest line with its shadow (for justified
    // text the full width with the shadow), bottom the y after the last line, one line spacing
    // included.
    virtual void drawText(RIR::SmartPtr<Image> pTarget, Rect& rect, const char* pszText);
    // Draws one string with its cap line at y, the shadow first when it is on.
    virtual void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText) = 0;
    virtual bool hasGlyph(char c) = 0;
    // The width in pixels of the widest line of the text; 0 for null or "".
    virtual int getTextWidth(const char* pszText) = 0;
    virtual int getLineHeight() = 0;

    // The style: stored and returned as given, no check, no redraw.
    virtual void setTrim(bool bTrim);
    virtual bool getTrim() const;
    virtual void setColor(const Color& color);
    virtual Color getColor() const;
    virtual void setShadow(bool bShadow);
    virtual bool getShadow() const;
    virtual void setShadowColor(const Color& color);
    virtual Color getShadowColor() const;
    virtual void setShadowOffset(int nOffset);
    virtual int getShadowOffset() const;
    // AlignFlags.
    virtual void setAlignment(int nFlags);
    virtual int getAlignment() const;
    virtual int getLineSpacing() const;
    virtual void setLineSpacing(int nSpacing);

    // Copies trim, colour, shadow colour, shadow on/off, shadow offset, alignment and line
    // spacing from the other font; never the factory, the arguments or glyph data.
    virtual void copyStyleFrom(const Font* pOther);
    // Remembers the factory (may be null) and a copy of the arguments.
    virtual void setFactory(RIR::SmartPtr<FontFactory> pFactory,
                            const RIR::List<RIR::String>& lArgs);
    // A copy of the remembered arguments (empty when none).
    virtual RIR::List<RIR::String> getFactoryArgs() const;
    // The remembered factory, or null.
    virtual RIR::SmartPtr<FontFactory> getFactory() const;
    // Draws one line stretched to nWidth: the words (split at blanks) spread with equal integer
    // gaps; one word is drawn unchanged at x; no word draws nothing.
    virtual void drawJustified(RIR::SmartPtr<Image> pTarget, int x, int y, int nWidth,
                               const char* pszText);

    // The lines of the text wrapped at nWidth pixels. Lines keep their blanks and their final
    // "\n"; a word wider than nWidth is never split but stands alone on its line (an empty line
    // comes first when it opens the text). Null or "" gives no line.
    RIR::List<RIR::String> wrapText(const char* pszText, int nWidth);
    // The bounds with the bottom pulled up to the wrapped text's height (lines x line height +
    // spacings between them); never below the given bottom, never above the top (a text with no
    // line gives height 0).
    Rect getTextRect(Rect bounds, const char* pszText);

protected:
    bool m_bTrim;
    Color m_color;
    bool m_bShadow;
    Color m_shadowColor;
    int32_t m_nShadowOffset;
    int32_t m_nAlignment;
    int32_t m_nLineSpacing;
    RIR::List<RIR::String> m_lFactoryArgs;
    RIR::SmartPtr<FontFactory> m_pFactory;
};

#endif
