#include "gfx/simplefont.h"

#include "rir2/calltrace.h"

SimpleFont::SimpleFont() {}

SimpleFont::~SimpleFont() {}

RIR::SmartPtr<Font> SimpleFont::clone()
{
    RIR_TRACE("SimpleFont::clone");
    RIR::SmartPtr<SimpleFont> pClone = new SimpleFont();
    if (m_pCore)
        pClone->setCore(m_pCore);
    pClone->copyFrom(this);
    return RIR::SmartPtr<Font>(pClone.get());
}

void SimpleFont::drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText)
{
    RIR_TRACE("SimpleFont::drawString");
    if (m_pCore)
        m_pCore->drawString(pTarget, x, y, pszText, this);
}

void SimpleFont::loadFromImage(RIR::SmartPtr<Image> pSheet)
{
    RIR_TRACE("SimpleFont::loadFromImage");
    RIR::SmartPtr<SimpleFontCore> pCore = new SimpleFontCore();
    pCore->load(pSheet);
    setCore(pCore);
}

const RIR::SmartPtr<Image>* SimpleFont::getGlyphs() const
{
    return m_pCore ? m_pCore->getGlyphs() : nullptr;
}

void SimpleFont::setCore(RIR::SmartPtr<SimpleFontCore> pCore)
{
    RIR_TRACE("SimpleFont::setCore");
    m_pCore = pCore;
    if (!m_pCore)
        return;
    m_nGlyphSpacing = m_pCore->getGlyphSpacing();
    m_nSpaceWidth = m_pCore->getSpaceWidth();
    m_nLineHeight = m_pCore->getLineHeight();
}
