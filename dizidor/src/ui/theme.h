// Theme: the skin of every widget, read from one theme text file.
//
// A theme holds named button styles and frame styles (names compared lower-cased), named fonts
// (case kept), cursors, the separator, slider and radio-button pictures and the slider values.
// It composes the finished picture of a button for a caption, state, width and style, caches it
// in the application's image cache and plays the styles' sounds. The application holds one
// current theme (GameApp::getTheme); every load fills a freshly built theme, which the
// application then swaps in whole (GameApp::loadTheme).
//
// The theme file has one command per line, tokens separated by blanks or tabs, "#" comments:
//     buttonimage normal button_up          # current button style, one state's background
//     buttonstyle Tooltip                   # continue or start a button style
//     frame ul frame_ul [fixed]             # a part of the current frame style
//     font Theme::Button {                  # a font block, up to a line "}"
//         class TrueType DejaVuSans.ttf 14
//         textcolor 255 240 200
//     }
// Lines before the first buttonstyle / framestyle line fill the "" styles.
//
// Built in, without any file: the font "System::DefaultFont" (a SimpleFont on the picture
// "DiziDor::SystemFont") and the frame style "System::DefaultFrame" (grey pieces, borders 5).
// The "" button and frame styles exist only after a load.
//
// Failures are exceptions of the RIR::Exception family; a load that fails leaves a theme that
// the application does not install. Main thread only.
#ifndef DIZIDOR_UI_THEME_H
#define DIZIDOR_UI_THEME_H

#include "gfx/color.h"
#include "gfx/font.h"
#include "gfx/fontfactory.h"
#include "gfx/image.h"
#include "ui/buttonstyle.h"
#include "ui/framepanelbuilder.h"
#include "ui/framestyle.h"

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

namespace RIR
{
class TokenFileReader;
}

// How the slider shows its value: an empty and a full picture, or a front picture over a back.
enum SliderStyle
{
    SS_EMPTYFULL = 0,
    SS_FRONTBACK = 1
};

class Theme : public RIR::RefCountedObject, public IFramePanelBuilder
{
public:
    // The built-in defaults only ("System::DefaultFont", "System::DefaultFrame").
    Theme();
    // Deletes every button and frame style; uninstalls the theme when it is the installed frame
    // builder.
    ~Theme() override;

    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;

    // ---- loading (ui/theme_load.cpp) -----------------------------------------------------------

    // Reads the theme file resource of that name into this theme; see the file's format above.
    // Failures: the resource lookup's error for a missing file; FatalErrorException "List index
    // out of range : %d (have %d)" for a missing argument, "Hash key not found : <key>" for an
    // unknown state, part or style word, "Unknown slider style '%s'", "Can't find factory for
    // font class '%s'"; BadStateException "Theme::load : Unknown command %s"; the caches' errors
    // for a missing picture or sound; the font block's errors (loadFontSpec).
    void load(const char* pszName);
    // Reads one font block, from the line after "font <name>" to its "}", and stores the font.
    // BadStateException "Theme::loadFontSpec : Unknown command %s"; FatalErrorException naming
    // the font and the line for a block that ends with the file or that changes or stores its
    // font before class or copy made it.
    void loadFontSpec(const RIR::String& sName, RIR::TokenFileReader* pReader);

    // ---- fonts ---------------------------------------------------------------------------------

    // Stores under the name as written, replacing.
    void addFont(const char* pszName, RIR::SmartPtr<Font> pFont);
    // A copy of the font stored under name + suffix, else under the name. A missing name is
    // reported ("[font] " + name, GameApp::reportMissingResource) and answered with a copy of
    // "System::DefaultFont"; a missing "System::DefaultFont" itself is AssertFailException
    // "Assertion failed : false".
    RIR::SmartPtr<Font> getFont(const char* pszName);
    bool hasFont(const char* pszName) const;
    void setFontSuffix(const char* pszSuffix) { m_sFontSuffix = pszSuffix ? pszSuffix : ""; }

    // The process-wide font factories, by class name (gfx/fontfactorytable.h).
    static void registerFontFactory(const RIR::String& sClass, RIR::SmartPtr<FontFactory> pFactory);
    static void unregisterFontFactory(const RIR::String& sClass);
    // FatalErrorException "Can't find factory for font class '%s'" for an unknown class.
    static RIR::SmartPtr<Font> createFont(const RIR::String& sClass,
                                          const RIR::List<RIR::String>& lArgs);

    // ---- cursors -------------------------------------------------------------------------------

    void addCursor(const char* pszName, RIR::SmartPtr<Image> pImage);
    void setDefaultCursor(RIR::SmartPtr<Image> pImage);
    // The cursor of that name (the file stores names lower-cased; so is the look-up). A missing
    // name is reported ("[cursor] " + name) and answered with the default cursor; the default
    // itself (name "") may be null.
    RIR::SmartPtr<Image> getCursor(const char* pszName);
    RIR::SmartPtr<Image> getDefaultCursor();

    // ---- styles --------------------------------------------------------------------------------

    // The style of the lower-cased name ("" for null); FatalErrorException "Hash key not found : "
    // for an unknown one.
    ButtonStyle* getButtonStyle(const char* pszName);
    bool hasButtonStyle(const char* pszName) const;
    // The lower-cased names of every button style, in no particular order.
    RIR::List<RIR::String> getButtonStyleNames() const { return m_hBtnStyle.keys(); }
    // AssertFailException "Assertion failed : m_hFrmStyle.hasKey(sKey)" for an unknown name.
    FrameStyle* getFrameStyle(const char* pszName);
    bool hasFrameStyle(const char* pszName) const;
    // Sets a part of the style from its word (top, bottom or down, left, right, ul, ur, ll, lr,
    // lt, lb, rt, rb, tl, tr, bl, br, back; any case): the part's current picture, one more
    // variant; fixed is never cleared again. "Hash key not found : " for another word;
    // FatalErrorException naming the picture for a picture 0 pixels wide or high.
    void setFramePart(FrameStyle* pStyle, const char* pszPart, RIR::SmartPtr<Image> pImage,
                      bool bFixed);
    // Every style not given border_udlr takes its borders from its middle pieces.
    void computeFrameBorders();
    // The index of a part word, as setFramePart reads it.
    static int getFramePartIndex(const char* pszPart);

    RIR::String getThemeFile() const { return m_sThemeFile; }
    void setFrameCaching(bool bCache) { m_bCacheFrames = bCache; }
    bool isFrameCaching() const { return m_bCacheFrames; }
    RIR::Random& getRandom() { return m_random; }

    // ---- frames (ui/theme_frames.cpp, ui/theme_framerender.cpp) ---------------------------------
    //
    // A frame style is four corners, for each edge a middle piece and optional side pieces next
    // to the corners, a tiled back and decorations. An edge none of whose middle and side pieces
    // is fixed stretches: whole middle pieces cover it, the last one cut (in a panel) or running
    // under the second corner (in an image). An edge with a fixed piece is made of whole pieces:
    // one middle piece, then pairs of side pieces, until it is at least the wanted length.
    // A style that breaks the rules of its pieces (both corners around fixed pieces, both side
    // pieces or neither, of one size and one fixed flag, a fixed or no middle between fixed
    // sides, a middle piece on an edge without sides, top and bottom, left and right of one
    // snapped length) raises AssertFailException "Assertion failed : <the rule>". An unknown
    // style raises what getFrameStyle raises.

    // The style's borders (top, left, bottom, right).
    Rect getFrameBorders(const char* pszStyle) override;
    // Replaces the size with the nearest size not below it that the style can draw.
    void snapFrameSize(int* pnWidth, int* pnHeight, const char* pszStyle) override;
    // A framed panel of the snapped size: a table of the edges (rows of piece sprites of pMode),
    // the tiled back between them and one decoration per part that has fitting ones, attached
    // to the panel. Not placed: the caller places it.
    RIR::SmartPtr<Table> buildFrameTable(GameMode* pMode, int nWidth, int nHeight,
                                         const char* pszStyle) override;
    // The frame of the snapped size as one picture, each piece a random variant of its part,
    // with the corner decorations. While frame caching is on, kept in the application's image
    // cache under "Frm::<style>::<W>x<H>" and served from there.
    RIR::SmartPtr<Image> renderFrame(int nWidth, int nHeight, const char* pszStyle);
    bool hasBorderParts(const char* pszStyle);
    // The back tile (null when the style has none).
    RIR::SmartPtr<Image> getFrameBack(const char* pszStyle);
    // No border part and a back tile.
    bool isBackOnlyFrame(const char* pszStyle);

    // ---- button images, sounds, widget pictures (ui/theme_buttons.cpp) -------------------------

    // The finished picture of a button: its caption (a picture, or the text drawn in the state's
    // font) on the state's background, resized to the width (or the caption's, for -1) when the
    // style resizes. Cached under "<theme file>::Btn::<style>::<caption>_<width>_<state>".
    // FatalErrorException "Unknown button style '%s'"; FatalErrorException naming the style and
    // state when the state has no background, and naming the style when its caps leave no
    // middle to repeat.
    RIR::SmartPtr<Image> getButtonImage(const char* pszText, int nState, int nWidth,
                                        const char* pszStyle);
    // One of the style's sounds of the event, or of the "" style's when the style sets none.
    void playClickedSound(const char* pszStyle);
    void playHighlightedSound(const char* pszStyle);
    // One state's caption colour or offset, or all four for state BS_COUNT.
    void setButtonTextColor(const Color& color, int nState, const char* pszStyle);
    void setButtonTextOffset(int nDX, int nDY, int nState, const char* pszStyle);

    // The separators; a blank 10 x 10 picture stands in for a missing long one, the long one for
    // a missing short one.
    RIR::SmartPtr<Image> getLongSeparator();
    RIR::SmartPtr<Image> getShortSeparator();
    // Empty, full and thumb pictures; blanks of 100 x 25, 100 x 25, 25 x 25 stand in.
    void getSliderImages(RIR::SmartPtr<Image>* ppEmpty, RIR::SmartPtr<Image>* ppFull,
                         RIR::SmartPtr<Image>* ppThumb);
    // True when the theme gave a track.
    bool getSliderTrack(int* pnStart, int* pnEnd) const;
    void getSliderThumbScale(float* pfX, float* pfY) const;
    int getSliderStyle() const { return m_nSliderStyle; }
    RIR::String getSliderFrontImage() const { return m_sSliderFront; }
    // Unchecked and checked pictures; blanks of 25 x 25 and 35 x 35 stand in.
    void getRadioButtonImages(RIR::SmartPtr<Image>* ppUnchecked, RIR::SmartPtr<Image>* ppChecked);

private:
    // The built-in font and frame style.
    void addDefaults();
    void playSound(const char* pszEvent, const char* pszStyle);
    // One command line of the file; false for "font", which the caller hands to loadFontSpec.
    void loadCommand(RIR::TokenFileReader* pReader, ButtonStyle*& pButtonStyle,
                     FrameStyle*& pFrameStyle);
    // The length an edge is drawn with and its counts of side and middle pieces (for an image).
    struct EdgeSnap
    {
        int nLength;
        int nSideCount;
        int nMidCount;
    };
    EdgeSnap snapFrameEdge(FrameStyle* pStyle, int nEdge, int nWanted);
    // One edge of a framed panel: a row (horizontal) or column (vertical) of piece sprites.
    RIR::SmartPtr<Table> buildFrameEdge(GameMode* pMode, int nEdge, int nLength, int nThickness,
                                        FrameStyle* pStyle);
    // The back tiled over a new picture of that size.
    RIR::SmartPtr<Image> createFrameBackground(int nWidth, int nHeight, FrameStyle* pStyle);
    // Draws an edge's side and middle pieces (random variants) onto the picture.
    void drawFrameEdge(FrameStyle* pStyle, int nEdge, Image* pTarget, const EdgeSnap& snap,
                       int nFixed);
    // The decoration of the part shown on a frame of that size: from a random start, the first
    // (wrapping round) that ignores the size or fits; null when none.
    Decoration* chooseDecoration(FrameStyle* pStyle, int nPart, int nWidth, int nHeight);
    RIR::SmartPtr<Image> makeCaption(const RIR::String& sText, const RIR::String& sCaption,
                                     int nState, ButtonStyle* pStyle);

    RIR::Hash<RIR::String, ButtonStyle*> m_hBtnStyle; // owned
    RIR::Hash<RIR::String, FrameStyle*> m_hFrmStyle;  // owned
    RIR::Hash<RIR::String, RIR::SmartPtr<Font>> m_hFont;
    RIR::String m_sFontSuffix;
    RIR::SmartPtr<Image> m_pLongSeparator;
    RIR::SmartPtr<Image> m_pShortSeparator;
    RIR::String m_sThemeFile;
    RIR::String m_sTextPrefix;
    RIR::Hash<RIR::String, RIR::SmartPtr<Image>> m_hCursor;
    bool m_bCacheFrames;
    RIR::SmartPtr<Image> m_pSliderImage[3];
    int m_nSliderTrack[2];
    float m_fSliderScale[2];
    int m_nSliderStyle;
    RIR::String m_sSliderFront;
    RIR::SmartPtr<Image> m_pRadioImage[2];
    RIR::Random m_random;
};

#endif
