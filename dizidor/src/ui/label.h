// Label: the control that shows a text.
//
// A label draws its text with a Font into an image of its own, optionally on a background
// picture, and shows that image as its sprite image. It repaints whenever a setting that changes
// the picture changes, and when the theme changes (Control::onThemeChanged). It is never
// focusable; only the constructors with an enabled flag make it enabled.
//
// Geometry of the image: without a background it is (text width + 2 margins) x (text height +
// 2 margins), the text area starting at (margin, margin); with a background it is the
// background's picture (shared, copied on write) with the text drawn at (margin, margin). The
// text height is that of the text wrapped at the text width, at most line count lines; an empty
// text keeps the height of one line (never the spacing between lines it does not have).
//
// The font starts as a copy of the theme's "Theme::Default". The colour, shadow and alignment
// setters replace the font by a copy before changing it, so a font shared with other labels is
// never changed. The mask, when set, is shown once per UTF-8 character instead of the text
// (password display); getText still answers the real text.
//
// Usage:
//     RIR::SmartPtr<Label> pTitle = new Label("Saloon", 20, 10, 5, 0, false);
//     pTitle->setTextColor(Color(255, 220, 120, 255));
//     pMode->addSprite(pTitle);
//
// Without a theme (or font) the label shows no image. Nothing here raises. Main thread only.
#ifndef DIZIDOR_UI_LABEL_H
#define DIZIDOR_UI_LABEL_H

#include "gfx/color.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/point.h"
#include "ui/control.h"

#include "rir2/rirstring.h"

class GameApp;

class Label : public Control
{
public:
    // At (0, 0), z 0 / at (x, y) / at the point's truncated coordinates; disabled; no background;
    // text width of its own.
    explicit Label(const char* pszText);
    Label(const char* pszText, int nX, int nY, int nZOrder);
    Label(const char* pszText, const Point& pos, int nZOrder);
    // A fixed text width (0: the text's own width) and the enabled flag.
    Label(const char* pszText, int nX, int nY, int nZOrder, int nWidth, bool bEnabled);
    // A background picture under the text (null for none) and the enabled flag.
    Label(const char* pszText, int nX, int nY, int nZOrder, RIR::SmartPtr<Image> pBackground,
          bool bEnabled);
    ~Label() override;

    // Repaints when the bytes differ from the current text; the same text changes nothing.
    virtual void setText(const char* pszText);
    RIR::String getText() const { return m_sText; }
    // The text, or the mask once per UTF-8 character of the text when a mask is set.
    RIR::String getDisplayText() const;
    // Stored; shown from the next repaint. "" shows the text itself.
    void setMask(const RIR::String& sMask) { m_sMask = sMask; }
    const RIR::String& getMask() const { return m_sMask; }

    // Stores and repaints.
    void setFont(RIR::SmartPtr<Font> pFont);
    RIR::SmartPtr<Font> getFont() const { return m_pFont; }
    // A copy of the current theme's font of that name (with the theme's fallback); repaints.
    void setFontByName(const char* pszName);
    // Each works on a copy of the font and installs it (repaints). The shadow colour also turns
    // the shadow on. AlignFlags for the alignment.
    void setAlignment(int nFlags);
    void setTextColor(const Color& color);
    void setShadowColor(const Color& color);

    // The fixed text width (0: the text's own); with bWrap the line count becomes the number of
    // lines the text wraps to at that width. Repaints.
    void setWidth(int nWidth, bool bWrap);
    int getFixedWidth() const { return m_nFixedWidth; }
    // Line count = the wrapped lines at the fixed width (or the maximum width when the fixed
    // width is 0), at least 1; 1 when neither width is set.
    void wrapToWidth();
    void setLineCount(int nLines);
    int getLineCount() const { return m_nLineCount; }
    // Upper bound of the text area (0: none).
    void setMaxWidth(int nWidth);
    int getMaxWidth() const { return m_nMaxWidth; }
    // A stored attribute no drawing reads; repaints.
    void setAttribute(int nValue);
    int getAttribute() const { return m_nAttribute; }

    // Pixels around the text; -1 for automatic. Repaints.
    virtual void setMargin(int nPixels);
    // The margin when set; automatic: with a background (background height - line height) / 2,
    // or 0 when the background is lower than a line; without, line height / 6.
    virtual int getMargin();
    // The fixed width when set, else the font's width of the text (its widest line).
    virtual int getTextWidth();

    // Stores the background (null for none) and repaints.
    void setBackground(RIR::SmartPtr<Image> pBackground);
    RIR::SmartPtr<Image> getBackground() const { return m_pBackground; }
    // Stored; the label's own image is made without alpha from the next repaint.
    void setOpaque(bool bOpaque) { m_bOpaque = bOpaque; }
    bool isOpaque() const { return m_bOpaque; }

    // The repaint.
    void refresh() override;

protected:
    GameApp* getApp() const { return m_pApp; }

private:
    void init();

    RIR::String m_sText;
    RIR::SmartPtr<Font> m_pFont;
    RIR::SmartPtr<Image> m_pBackground;
    int m_nFixedWidth;
    int m_nMaxWidth;
    int m_nLineCount;
    int m_nAttribute;
    int m_nMargin;
    GameApp* m_pApp;
    bool m_bOpaque;
    RIR::String m_sMask;
};

#endif
