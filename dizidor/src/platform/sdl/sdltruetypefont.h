// SDLTrueTypeFont: the Font that draws UTF-8 text with SDL_ttf from a TrueType face resource.
//
// The face (SDLTTFData) is shared by all clones of a font; each clone has its own style. Every
// drawString renders new surfaces (shadow, then text) and blits them with their top-left corner
// at the point; nothing is cached. hasGlyph is true for every character (SDL_ttf draws a box for
// what the face lacks).
//
// Fonts are normally made by SDLTTFFactory from a theme's arguments; load opens a face directly.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLTRUETYPEFONT_H
#define DIZIDOR_PLATFORM_SDL_SDLTRUETYPEFONT_H

#include "gfx/font.h"
#include "platform/sdl/sdlttfdata.h"

#include <cstdint>

// Style bits of a face.
enum TrueTypeStyle
{
    TTF_STYLE_BIT_BOLD = 1,
    TTF_STYLE_BIT_ITALIC = 2,
    TTF_STYLE_BIT_UNDERLINE = 4
};

class SDLTrueTypeFont : public Font
{
public:
    // No face (measures 0, draws nothing) until load; point size and style 0.
    SDLTrueTypeFont();
    ~SDLTrueTypeFont() override;

    // A new font sharing the face, with this font's style, point size, style field, factory and
    // arguments.
    RIR::SmartPtr<Font> clone() override;
    // Nothing for null or "". Raises AssertFailException "Assertion failed : pSurf" when SDL_ttf
    // renders no surface.
    void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText) override;
    bool hasGlyph(char c) override;
    // The widest piece between line breaks (an empty last piece is not measured); 0 for "".
    // FatalErrorException "TTF_SizeUTF8 failed : ..." when SDL_ttf cannot measure.
    int getTextWidth(const char* pszText) override;
    int getLineHeight() override;

    // Font::copyStyleFrom, then the point size and the style field.
    virtual void copyFrom(const SDLTrueTypeFont* pOther);
    virtual int getPointSize() const;

    // Opens the face resource at the point size with the style bits (1 bold, 2 italic,
    // 4 underline) applied to the face, replacing the font's face. A missing resource raises the
    // resource lookup's ResourceException; bytes that are no face, or a point size below 1, raise
    // ResourceException "SDLTrueTypeFont::load : Can't open font '%s' at %d points : %s" and
    // leave the font as it was. The style field is not changed.
    void load(const char* pszResourceName, int nPointSize, int nStyle);
    // Only store and return the style field; the face is not restyled.
    void setStyle(int nStyle);
    int getStyle() const;

    // The shared face; null before load.
    RIR::SmartPtr<SDLTTFData> getData() const { return m_pData; }

private:
    // Renders the text in the colour and blits it with its top-left corner at (x, y).
    void renderAt(Image* pTarget, int x, int y, const char* pszText, const Color& color);

    RIR::SmartPtr<SDLTTFData> m_pData;
    int32_t m_nPointSize;
    int32_t m_nStyle;
};

#endif
