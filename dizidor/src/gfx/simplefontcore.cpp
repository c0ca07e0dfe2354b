#include "gfx/simplefontcore.h"

#include "gfx/font.h"
#include "gfx/glyphsheet.h"
#include "gfx/imageenv.h"
#include "gfx/imagefactory.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <memory>

SimpleFontCore::SimpleFontCore()
    : m_apGlyphs(nullptr), m_nGlyphSpacing(0), m_nLineHeight(0), m_nSpaceWidth(0)
{
}

SimpleFontCore::~SimpleFontCore()
{
    clearColors();
    delete[] m_apGlyphs;
}

int SimpleFontCore::getLineHeight() const
{
    return m_nLineHeight;
}

int SimpleFontCore::getGlyphSpacing() const
{
    return m_nGlyphSpacing;
}

int SimpleFontCore::getSpaceWidth() const
{
    return m_nSpaceWidth;
}

void SimpleFontCore::drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText,
                                Font* pFont)
{
    RIR_TRACE("SimpleFontCore::drawString");
    if (!pszText || !*pszText)
        return;
    const RIR::SmartPtr<Image>* apText = getColoredGlyphs(pFont->getColor());
    if (pFont->getShadow())
    {
        const RIR::SmartPtr<Image>* apShadow = getColoredGlyphs(pFont->getShadowColor());
        const int d = pFont->getShadowOffset();
        for (const char* p = pszText; *p; ++p)
        {
            drawGlyph(pTarget.get(), apShadow, (unsigned char)*p, x + d, y + d);
            x += drawGlyph(pTarget.get(), apText, (unsigned char)*p, x, y);
        }
        return;
    }
    for (const char* p = pszText; *p; ++p)
        x += drawGlyph(pTarget.get(), apText, (unsigned char)*p, x, y);
}

int SimpleFontCore::drawGlyph(Image* pTarget, const RIR::SmartPtr<Image>* apTable,
                              unsigned char c, int x, int y) const
{
    Image* pGlyph = apTable ? apTable[c].get() : nullptr;
    if (!pGlyph)
        return m_nSpaceWidth;
    pTarget->blit(pGlyph, x, y);
    return m_nGlyphSpacing + pGlyph->getWidth();
}

void SimpleFontCore::load(RIR::SmartPtr<Image> pSheet)
{
    RIR_TRACE("SimpleFontCore::load");
    int nSpacing = 0;
    int nSpaceWidth = 0;
    int nLineHeight = 0;
    RIR::SmartPtr<Image>* apTable = readGlyphSheet(pSheet, &nSpacing, &nSpaceWidth, &nLineHeight);
    clearColors();
    delete[] m_apGlyphs;
    m_apGlyphs = apTable;
    m_nGlyphSpacing = nSpacing;
    m_nSpaceWidth = nSpaceWidth;
    m_nLineHeight = nLineHeight;
}

void SimpleFontCore::prepareColor(const Color& color)
{
    RIR_TRACE("SimpleFontCore::prepareColor");
    if (m_hColors.contains(color))
        return;
    std::unique_ptr<RIR::SmartPtr<Image>[]> apTable(new RIR::SmartPtr<Image>[GLYPH_TABLE_SIZE]);
    if (m_apGlyphs)
    {
        ImageFactory* pFactory = getImageEnvironment()->getImageFactory();
        for (int c = 0; c < GLYPH_TABLE_SIZE; ++c)
        {
            Image* pGlyph = m_apGlyphs[c].get();
            if (!pGlyph)
                continue;
            RIR::SmartPtr<Image> pColored(
                pFactory->createBlank(pGlyph->getWidth(), pGlyph->getHeight(), false));
            pColored->fill(color);
            pColored->applyAlphaMask(pGlyph, 0);
            pColored->setInsPoint(pGlyph->getInsPointX(), pGlyph->getInsPointY());
            apTable[c] = pColored;
        }
    }
    m_hColors.set(color, apTable.release());
}

const RIR::SmartPtr<Image>* SimpleFontCore::getColoredGlyphs(const Color& color)
{
    RIR_TRACE("SimpleFontCore::getColoredGlyphs");
    prepareColor(color);
    return m_hColors.get(color);
}

int SimpleFontCore::getColorCount() const
{
    return m_hColors.keys().getLength();
}

void SimpleFontCore::clearColors()
{
    RIR::List<RIR::SmartPtr<Image>*> lTables = m_hColors.values();
    for (lTables.iterBegin(); lTables.iterValid(); lTables.iterNext())
        delete[] lTables.iterCurrent();
    m_hColors.clear();
}
