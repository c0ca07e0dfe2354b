#include "gfx/simplefontcore.h"

#include "gfx/bitmapfontbase.h"
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
    // A bitmap font advances by its own glyph spacing and space width (which its owner may have
    // changed); any other font by this core's.
    const BitmapFontBase* pBitmap = dynamic_cast<const BitmapFontBase*>(pFont);
    const int nSpacing = pBitmap ? pBitmap->getGlyphSpacing() : m_nGlyphSpacing;
    const int nSpaceWidth = pBitmap ? pBitmap->getSpaceWidth() : m_nSpaceWidth;
    const RIR::SmartPtr<Image>* apText = getColoredGlyphs(pFont->getColor());
    const RIR::SmartPtr<Image>* apShadow =
        pFont->getShadow() ? getColoredGlyphs(pFont->getShadowColor()) : nullptr;
    const int d = pFont->getShadowOffset();
    for (const char* p = pszText; *p; ++p)
    {
        const unsigned char c = (unsigned char)*p;
        if (apShadow)
            drawGlyph(pTarget.get(), apShadow[c].get(), x + d, y + d);
        Image* pGlyph = apText[c].get();
        drawGlyph(pTarget.get(), pGlyph, x, y);
        x += pGlyph ? pGlyph->getWidth() + nSpacing : nSpaceWidth;
    }
}

void SimpleFontCore::drawGlyph(Image* pTarget, Image* pGlyph, int x, int y)
{
    if (pGlyph)
        pTarget->blit(pGlyph, x, y);
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
