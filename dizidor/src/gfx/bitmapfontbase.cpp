#include "gfx/bitmapfontbase.h"

#include "rir2/calltrace.h"

#include <algorithm>

BitmapFontBase::BitmapFontBase() : m_nGlyphSpacing(0), m_nLineHeight(0), m_nSpaceWidth(0) {}

BitmapFontBase::~BitmapFontBase() {}

bool BitmapFontBase::hasGlyph(char c)
{
    RIR_TRACE("BitmapFontBase::hasGlyph");
    const RIR::SmartPtr<Image>* apGlyphs = getGlyphs();
    return apGlyphs && apGlyphs[(unsigned char)c];
}

int BitmapFontBase::getTextWidth(const char* pszText)
{
    RIR_TRACE("BitmapFontBase::getTextWidth");
    if (!pszText)
        return 0;
    const RIR::SmartPtr<Image>* apGlyphs = getGlyphs();
    int nWidest = 0;
    int nCurrent = 0;
    for (const char* p = pszText; *p; ++p)
    {
        const unsigned char c = (unsigned char)*p;
        const Image* pGlyph = apGlyphs ? apGlyphs[c].get() : nullptr;
        if (pGlyph)
            nCurrent += pGlyph->getWidth() + getGlyphSpacing();
        else if (c == '\r' || c == '\n')
        {
            nWidest = std::max(nWidest, nCurrent);
            nCurrent = 0;
        }
        else
            nCurrent += getSpaceWidth();
    }
    return std::max(nWidest, nCurrent);
}

int BitmapFontBase::getLineHeight()
{
    return m_nLineHeight;
}

int BitmapFontBase::getGlyphSpacing() const
{
    return m_nGlyphSpacing;
}

void BitmapFontBase::setGlyphSpacing(int nSpacing)
{
    m_nGlyphSpacing = nSpacing;
}

void BitmapFontBase::setSpaceWidth(int nWidth)
{
    m_nSpaceWidth = nWidth;
}

int BitmapFontBase::getSpaceWidth() const
{
    return m_nSpaceWidth;
}

void BitmapFontBase::copyFrom(const BitmapFontBase* pOther)
{
    RIR_TRACE("BitmapFontBase::copyFrom");
    copyStyleFrom(pOther);
    setSpaceWidth(pOther->getSpaceWidth());
    setGlyphSpacing(pOther->getGlyphSpacing());
    m_nLineHeight = pOther->m_nLineHeight;
}

int BitmapFontBase::drawGlyph(Image* pTarget, unsigned char c, int x, int y,
                              const BitmapFontBase* pFont, const RIR::SmartPtr<Image>* apTable)
{
    RIR_TRACE("BitmapFontBase::drawGlyph");
    Image* pGlyph = apTable ? apTable[c].get() : nullptr;
    if (!pGlyph)
        return pFont->getSpaceWidth();
    pTarget->blit(pGlyph, x, y);
    return pFont->getGlyphSpacing() + pGlyph->getWidth();
}

void BitmapFontBase::drawGlyphs(Image* pTarget, int x, int y, const char* pszText,
                                const BitmapFontBase* pFont, const RIR::SmartPtr<Image>* apTable)
{
    RIR_TRACE("BitmapFontBase::drawGlyphs");
    if (!pszText)
        return;
    for (const char* p = pszText; *p; ++p)
        x += drawGlyph(pTarget, (unsigned char)*p, x, y, pFont, apTable);
}
