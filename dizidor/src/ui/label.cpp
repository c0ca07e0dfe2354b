#include "ui/label.h"

#include "app/gameapp.h"
#include "gfx/rect.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{

// Shows the display text in place of the text while a repaint runs, so that the overridable
// measurements (getTextWidth) see what is drawn; puts the text back on every way out.
class DisplayTextSwap
{
public:
    DisplayTextSwap(RIR::String& sText, const RIR::String& sDisplay)
        : m_sText(sText), m_sSaved(sText)
    {
        m_sText = sDisplay;
    }
    ~DisplayTextSwap() { m_sText = m_sSaved; }
    DisplayTextSwap(const DisplayTextSwap&) = delete;
    DisplayTextSwap& operator=(const DisplayTextSwap&) = delete;

private:
    RIR::String& m_sText;
    RIR::String m_sSaved;
};

} // namespace

Label::Label(const char* pszText) : Label(pszText, 0, 0, 0, 0, false) {}

Label::Label(const char* pszText, int nX, int nY, int nZOrder)
    : Label(pszText, nX, nY, nZOrder, 0, false)
{
}

Label::Label(const char* pszText, const Point& pos, int nZOrder)
    : Label(pszText, (int)pos.x, (int)pos.y, nZOrder, 0, false)
{
}

Label::Label(const char* pszText, int nX, int nY, int nZOrder, int nWidth, bool bEnabled)
    : Control(nX, nY, nZOrder, bEnabled), m_sText(pszText ? pszText : ""), m_nFixedWidth(nWidth),
      m_nMaxWidth(0), m_nLineCount(1), m_nAttribute(255), m_nMargin(-1), m_pApp(nullptr),
      m_bOpaque(false)
{
    RIR_TRACE("Label::Label");
    init();
}

Label::Label(const char* pszText, int nX, int nY, int nZOrder, RIR::SmartPtr<Image> pBackground,
             bool bEnabled)
    : Control(nX, nY, nZOrder, bEnabled), m_sText(pszText ? pszText : ""),
      m_pBackground(pBackground), m_nFixedWidth(0), m_nMaxWidth(0), m_nLineCount(1),
      m_nAttribute(255), m_nMargin(-1), m_pApp(nullptr), m_bOpaque(false)
{
    RIR_TRACE("Label::Label");
    init();
}

Label::~Label()
{
    RIR_TRACE("Label::~Label");
}

void Label::init()
{
    RIR_TRACE("Label::init");
    setHitTestMode(SHT_STORED_PIXELS);
    m_nAttribute = 255;
    m_bOpaque = false;
    m_pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = m_pApp ? m_pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (pTheme)
        m_pFont = pTheme->getFont("Theme::Default");
    m_nLineCount = 1;
    m_nMaxWidth = 0;
    m_nMargin = -1;
    setFocusable(false);
    refresh();
}

void Label::setText(const char* pszText)
{
    RIR_TRACE("Label::setText");
    const char* pszNew = pszText ? pszText : "";
    if (std::strcmp(pszNew, m_sText.c_str()) == 0)
        return;
    RIR_TRACE_LINE();
    m_sText = pszNew;
    refresh();
}

RIR::String Label::getDisplayText() const
{
    if (m_sMask == "")
        return m_sText;
    RIR::String sShown;
    const int nChars = m_sText.utf8Length();
    for (int i = 0; i < nChars; ++i)
        sShown += m_sMask;
    return sShown;
}

void Label::setFont(RIR::SmartPtr<Font> pFont)
{
    RIR_TRACE("Label::setFont");
    m_pFont = pFont;
    refresh();
}

void Label::setFontByName(const char* pszName)
{
    RIR_TRACE("Label::setFontByName");
    RIR::SmartPtr<Theme> pTheme = m_pApp ? m_pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (!pTheme)
        return;
    setFont(pTheme->getFont(pszName));
}

void Label::setAlignment(int nFlags)
{
    RIR_TRACE("Label::setAlignment");
    if (!m_pFont)
        return;
    RIR::SmartPtr<Font> pFont = m_pFont->clone();
    pFont->setAlignment(nFlags);
    setFont(pFont);
}

void Label::setTextColor(const Color& color)
{
    RIR_TRACE("Label::setTextColor");
    if (!m_pFont)
        return;
    RIR::SmartPtr<Font> pFont = m_pFont->clone();
    pFont->setColor(color);
    setFont(pFont);
}

void Label::setShadowColor(const Color& color)
{
    RIR_TRACE("Label::setShadowColor");
    if (!m_pFont)
        return;
    RIR::SmartPtr<Font> pFont = m_pFont->clone();
    pFont->setShadow(true);
    pFont->setShadowColor(color);
    setFont(pFont);
}

void Label::setWidth(int nWidth, bool bWrap)
{
    RIR_TRACE("Label::setWidth");
    m_nFixedWidth = nWidth;
    if (bWrap)
        wrapToWidth();
    refresh();
}

void Label::wrapToWidth()
{
    RIR_TRACE("Label::wrapToWidth");
    const int nWidth = m_nFixedWidth != 0 ? m_nFixedWidth : m_nMaxWidth;
    int nLines = 1;
    if (nWidth != 0 && m_pFont)
    {
        RIR_TRACE_LINE();
        nLines = m_pFont->wrapText(m_sText.c_str(), nWidth).getLength();
        if (nLines < 1)
            nLines = 1;
    }
    setLineCount(nLines);
}

void Label::setLineCount(int nLines)
{
    RIR_TRACE("Label::setLineCount");
    m_nLineCount = nLines;
    refresh();
}

void Label::setMaxWidth(int nWidth)
{
    RIR_TRACE("Label::setMaxWidth");
    m_nMaxWidth = nWidth;
    refresh();
}

void Label::setAttribute(int nValue)
{
    RIR_TRACE("Label::setAttribute");
    m_nAttribute = nValue;
    refresh();
}

void Label::setMargin(int nPixels)
{
    RIR_TRACE("Label::setMargin");
    m_nMargin = nPixels;
    refresh();
}

int Label::getMargin()
{
    if (m_nMargin >= 0)
        return m_nMargin;
    const int nLineHeight = m_pFont ? m_pFont->getLineHeight() : 0;
    if (m_pBackground)
    {
        const int nBackHeight = m_pBackground->getHeight();
        return nBackHeight < nLineHeight ? 0 : (nBackHeight - nLineHeight) / 2;
    }
    return nLineHeight / 6;
}

int Label::getTextWidth()
{
    if (m_nFixedWidth != 0)
        return m_nFixedWidth;
    return m_pFont ? m_pFont->getTextWidth(m_sText.c_str()) : 0;
}

void Label::setBackground(RIR::SmartPtr<Image> pBackground)
{
    RIR_TRACE("Label::setBackground");
    m_pBackground = pBackground;
    refresh();
}

void Label::setFrameBackground(int nWidth, int nHeight, const char* pszStyle, int nInsX, int nInsY)
{
    RIR_TRACE("Label::setFrameBackground");
    RIR::SmartPtr<Theme> pTheme = m_pApp ? m_pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (!pTheme)
        return;
    RIR::SmartPtr<Image> pFrame = pTheme->renderFrame(nWidth, nHeight, pszStyle);
    RIR::SmartPtr<Image> pBackground = pFrame ? pFrame->clone(false) : pFrame;
    if (pBackground)
        pBackground->setInsPoint(nInsX, nInsY);
    setBackground(pBackground);
}

void Label::refresh()
{
    RIR_TRACE("Label::refresh");
    if (!m_pFont || !m_pApp)
        return;
    RIR_TRACE_LINE();
    DisplayTextSwap swap(m_sText, getDisplayText());

    const int nMargin = getMargin();
    int nTextWidth = getTextWidth();
    const int nLineHeight = m_pFont->getLineHeight();
    if (m_nMaxWidth != 0 && nTextWidth > m_nMaxWidth)
        nTextWidth = m_nMaxWidth;

    // A text broken into lines by "\n" gets room for all of them even when the label was sized for
    // fewer: otherwise its last lines would be cut off the picture.
    int nLines = 1;
    for (const char* p = m_sText.c_str(); *p; ++p)
        nLines += *p == '\n' ? 1 : 0;
    nLines = std::max(nLines, m_nLineCount);
    int nWidth = nTextWidth + 2 * nMargin;
    int nHeight = nLines * nLineHeight + 2 * nMargin;
    if (m_pBackground)
    {
        nWidth = std::min(nWidth, m_pBackground->getWidth());
        nHeight = std::min(nHeight, m_pBackground->getHeight());
    }

    // The text area: the wrapped text's height within the label's height. A text without lines
    // has no height of its own (Font::getTextRect gives 0, never a lone line spacing) and keeps
    // the height of one line.
    Rect area = m_pFont->getTextRect(Rect(0, 0, nTextWidth, nHeight, true), m_sText.c_str());
    area.set(area.left + nMargin, area.top + nMargin, area.right + nMargin, area.bottom + nMargin);
    int nTextHeight = area.bottom - area.top;
    if (nTextHeight == 0)
        nTextHeight = nLineHeight;

    RIR::SmartPtr<Image> pImage;
    if (m_pBackground)
        pImage = m_pBackground->clone(false);
    else
        pImage = m_pApp->createImage(nWidth, nTextHeight + 2 * nMargin, !m_bOpaque);
    if (!pImage)
        return;
    RIR_TRACE_LINE();
    m_pFont->drawText(pImage, static_cast<const Rect&>(area), m_sText.c_str());
    setImage(pImage);
}
