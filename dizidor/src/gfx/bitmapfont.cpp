#include "gfx/bitmapfont.h"

#include "gfx/glyphsheet.h"

#include "rir2/calltrace.h"

BitmapFont::BitmapFont() {}

BitmapFont::~BitmapFont() {}

RIR::SmartPtr<Font> BitmapFont::clone()
{
    RIR_TRACE("BitmapFont::clone");
    RIR::SmartPtr<BitmapFont> pClone = new BitmapFont();
    pClone->m_pGlyphs = m_pGlyphs;
    pClone->copyFrom(this);
    pClone->m_nLineHeight = m_nLineHeight;
    return RIR::SmartPtr<Font>(pClone.get());
}

void BitmapFont::drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText)
{
    RIR_TRACE("BitmapFont::drawString");
    drawGlyphs(pTarget.get(), x, y, pszText, this, getGlyphs());
}

void BitmapFont::loadFromImage(RIR::SmartPtr<Image> pSheet)
{
    RIR_TRACE("BitmapFont::loadFromImage");
    int nSpacing = 0;
    int nSpaceWidth = 0;
    int nLineHeight = 0;
    RIR::SmartPtr<Image>* apTable = readGlyphSheet(pSheet, &nSpacing, &nSpaceWidth, &nLineHeight);
    m_pGlyphs = new ImagePtrArrayWrapper(apTable);
    m_nGlyphSpacing = nSpacing;
    m_nSpaceWidth = nSpaceWidth;
    m_nLineHeight = nLineHeight;
}

const RIR::SmartPtr<Image>* BitmapFont::getGlyphs() const
{
    return m_pGlyphs ? m_pGlyphs->getImages() : nullptr;
}
