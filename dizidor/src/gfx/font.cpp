#include "gfx/font.h"

#include "gfx/fontfactory.h"
#include "gfx/image.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <algorithm>

Font::Font()
    : m_bTrim(true), m_color(255, 255, 255, 255), m_bShadow(true), m_shadowColor(0, 0, 0, 255),
      m_nShadowOffset(1), m_nAlignment(ALIGN_LEFT), m_nLineSpacing(0)
{
}

Font::~Font() {}

void Font::drawText(RIR::SmartPtr<Image> pTarget, const Rect& rect, const char* pszText)
{
    RIR_TRACE("Font::drawText");
    Rect copy = rect;
    drawText(pTarget, copy, pszText);
}

void Font::drawText(RIR::SmartPtr<Image> pTarget, Rect& rect, const char* pszText)
{
    RIR_TRACE("Font::drawText");
    const int nWidth = rect.right - rect.left;
    RIR::List<RIR::String> lLines = wrapText(pszText, nWidth);
    const int nLines = lLines.getLength();
    const int nFlags = getAlignment();
    const bool bJustified = (nFlags & ALIGN_JUSTIFIED) == ALIGN_JUSTIFIED;
    const int nShadowExtent = getShadow() ? getShadowOffset() : 0;
    const int nSpacing = getLineSpacing();

    int y = rect.top;
    if (nFlags & ALIGN_VCENTER)
        y = rect.top +
            ((rect.bottom - rect.top) - nSpacing * (nLines - 1) - getLineHeight() * nLines) / 2;

    int nRightEdge = rect.left;
    for (lLines.iterBegin(); lLines.iterValid(); lLines.iterNext())
    {
        RIR::String sLine = lLines.iterCurrent();
        const bool bBreak = sLine.length() > 0 && *sLine.at(-1) == '\n';
        if (getTrim())
            sLine = sLine.trim();
        const int w = getTextWidth(sLine.c_str());
        int x = rect.left;
        if (!bJustified)
        {
            if (nFlags & ALIGN_HCENTER)
                x = rect.left + (rect.right - rect.left - w) / 2;
            else if (nFlags & ALIGN_RIGHT)
                x = rect.right - w;
        }
        if (bJustified && !bBreak)
            drawJustified(pTarget, x, y, nWidth, sLine.c_str());
        else
            drawString(pTarget, x, y, sLine.c_str());
        nRightEdge = std::max(nRightEdge, x + w + nShadowExtent);
        y += getLineHeight() + nSpacing;
    }
    if (bJustified)
        nRightEdge = rect.left + nWidth + nShadowExtent;
    rect.set(rect.left, rect.top, nRightEdge, y, true);
}

void Font::setTrim(bool bTrim)
{
    m_bTrim = bTrim;
}

bool Font::getTrim() const
{
    return m_bTrim;
}

void Font::setColor(const Color& color)
{
    m_color = Color(color.r, color.g, color.b, color.a);
}

Color Font::getColor() const
{
    return m_color;
}

void Font::setShadow(bool bShadow)
{
    m_bShadow = bShadow;
}

bool Font::getShadow() const
{
    return m_bShadow;
}

void Font::setShadowColor(const Color& color)
{
    m_shadowColor = Color(color.r, color.g, color.b, color.a);
}

Color Font::getShadowColor() const
{
    return m_shadowColor;
}

void Font::setShadowOffset(int nOffset)
{
    m_nShadowOffset = nOffset;
}

int Font::getShadowOffset() const
{
    return m_nShadowOffset;
}

void Font::setAlignment(int nFlags)
{
    m_nAlignment = nFlags;
}

int Font::getAlignment() const
{
    return m_nAlignment;
}

int Font::getLineSpacing() const
{
    return m_nLineSpacing;
}

void Font::setLineSpacing(int nSpacing)
{
    m_nLineSpacing = nSpacing;
}

void Font::copyStyleFrom(const Font* pOther)
{
    RIR_TRACE("Font::copyStyleFrom");
    setTrim(pOther->getTrim());
    setColor(pOther->getColor());
    setShadowColor(pOther->getShadowColor());
    setShadow(pOther->getShadow());
    setShadowOffset(pOther->getShadowOffset());
    setAlignment(pOther->getAlignment());
    setLineSpacing(pOther->getLineSpacing());
}

void Font::setFactory(RIR::SmartPtr<FontFactory> pFactory, const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("Font::setFactory");
    m_lFactoryArgs = lArgs;
    m_pFactory = pFactory;
}

RIR::List<RIR::String> Font::getFactoryArgs() const
{
    return m_lFactoryArgs;
}

RIR::SmartPtr<FontFactory> Font::getFactory() const
{
    return m_pFactory;
}

void Font::drawJustified(RIR::SmartPtr<Image> pTarget, int x, int y, int nWidth,
                         const char* pszText)
{
    RIR_TRACE("Font::drawJustified");
    RIR::List<RIR::String> lWords = RIR::String(pszText).split(" ");
    const int nWords = lWords.getLength();
    if (nWords == 0)
        return;
    if (nWords == 1)
    {
        drawString(pTarget, x, y, pszText);
        return;
    }
    RIR::List<int> lWidths;
    int nSum = 0;
    for (lWords.iterBegin(); lWords.iterValid(); lWords.iterNext())
    {
        const int w = getTextWidth(lWords.iterCurrent().c_str());
        lWidths.append(w);
        nSum += w;
    }
    const int nGap = (nWidth - nSum) / (nWords - 1);
    for (int i = 0; i < nWords; ++i)
    {
        drawString(pTarget, x, y, lWords.get(i).c_str());
        x += lWidths.get(i) + nGap;
    }
}

RIR::List<RIR::String> Font::wrapText(const char* pszText, int nWidth)
{
    RIR_TRACE("Font::wrapText");
    RIR::List<RIR::String> lLines;
    if (!pszText || !*pszText)
        return lLines;
    RIR::List<RIR::String> lClasses;
    lClasses.append(" ");
    RIR::List<RIR::String> lTokens = RIR::String(pszText).tokenize(lClasses, "\n");
    const int nTokens = lTokens.getLength();
    RIR::String sLine;
    int i = 0;
    for (lTokens.iterBegin(); lTokens.iterValid(); lTokens.iterNext(), ++i)
    {
        const RIR::String& sToken = lTokens.iterCurrent();
        const RIR::String sCandidate = sLine.length() == 0 ? sToken : sLine + sToken;
        if (getTextWidth(sCandidate.c_str()) > nWidth)
        {
            lLines.append(sLine);
            sLine = sToken;
        }
        else
            sLine = sCandidate;
        const bool bBreak = sLine.length() > 0 && *sLine.at(-1) == '\n';
        if (bBreak || i == nTokens - 1)
        {
            lLines.append(sLine);
            sLine = "";
        }
    }
    return lLines;
}

Rect Font::getTextRect(Rect bounds, const char* pszText)
{
    RIR_TRACE("Font::getTextRect");
    const int nLines = wrapText(pszText, bounds.right - bounds.left).getLength();
    // No line (an empty text) has no height: the spacing counts only between lines.
    const int nHeight = std::max(0, nLines * getLineHeight() + (nLines - 1) * getLineSpacing());
    Rect result;
    result.set(bounds.left, bounds.top, bounds.right, std::min(bounds.bottom, bounds.top + nHeight),
               true);
    return result;
}
