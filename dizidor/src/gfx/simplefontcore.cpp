#include "gfx/simplefontcore.h"

#include "gfx/bitmapfontbase.h"
#include "gfx/font.h"
#include "gfx/glyphsheet.h"
#include "gfx/imageenv.h"
#include "gfx/imagefactory.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"


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
    const Color text = pFont->getColor();
    const bool bShadow = pFont->getShadow();
    const Color shadow = pFont->getShadowColor();
    // Both colours count as used even when the text has no glyph.
    colorTable(text);
    if (bShadow)
        colorTable(shadow);
    const int d = pFont->getShadowOffset();
    for (const char* p = pszText; *p; ++p)
    {
        const unsigned char c = (unsigned char)*p;
        if (bShadow)
            drawGlyph(pTarget.get(), getColoredGlyph(shadow, c), x + d, y + d);
        Image* pGlyph = getColoredGlyph(text, c);
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

void SimpleFontCore::shareGlyphs(const SimpleFontCore& other)
{
    RIR_TRACE("SimpleFontCore::shareGlyphs");
    if (&other == this)
        return;
    RIR::SmartPtr<Image>* apTable = nullptr;
    if (other.m_apGlyphs)
    {
        apTable = new RIR::SmartPtr<Image>[GLYPH_TABLE_SIZE];
        for (int c = 0; c < GLYPH_TABLE_SIZE; ++c)
            apTable[c] = other.m_apGlyphs[c];
    }
    clearColors();
    delete[] m_apGlyphs;
    m_apGlyphs = apTable;
    m_nGlyphSpacing = other.m_nGlyphSpacing;
    m_nSpaceWidth = other.m_nSpaceWidth;
    m_nLineHeight = other.m_nLineHeight;
}

SimpleFontCore::ColorTable* SimpleFontCore::colorTable(const Color& color)
{
    if (!m_hColors.contains(color))
        m_hColors.set(color, new ColorTable());
    return m_hColors.get(color);
}

void SimpleFontCore::makeColoredGlyph(ColorTable* pTable, const Color& color, unsigned char c)
{
    RIR_TRACE("SimpleFontCore::makeColoredGlyph");
    Image* pGlyph = m_apGlyphs ? m_apGlyphs[c].get() : nullptr;
    if (pGlyph)
    {
        ImageFactory* pFactory = getImageEnvironment()->getImageFactory();
        RIR::SmartPtr<Image> pColored(
            pFactory->createBlank(pGlyph->getWidth(), pGlyph->getHeight(), false));
        pColored->fill(color);
        pColored->applyAlphaMask(pGlyph, 0);
        pColored->setInsPoint(pGlyph->getInsPointX(), pGlyph->getInsPointY());
        pTable->apGlyphs[c] = pColored;
    }
    pTable->abMade[c] = true;
}

void SimpleFontCore::prepareColor(const Color& color)
{
    RIR_TRACE("SimpleFontCore::prepareColor");
    ColorTable* pTable = colorTable(color);
    for (int c = 0; c < GLYPH_TABLE_SIZE; ++c)
        if (!pTable->abMade[c])
            makeColoredGlyph(pTable, color, (unsigned char)c);
}

const RIR::SmartPtr<Image>* SimpleFontCore::getColoredGlyphs(const Color& color)
{
    RIR_TRACE("SimpleFontCore::getColoredGlyphs");
    prepareColor(color);
    return m_hColors.get(color)->apGlyphs;
}

Image* SimpleFontCore::getColoredGlyph(const Color& color, unsigned char c)
{
    ColorTable* pTable = colorTable(color);
    if (!pTable->abMade[c])
        makeColoredGlyph(pTable, color, c);
    return pTable->apGlyphs[c].get();
}

int SimpleFontCore::getColorCount() const
{
    return m_hColors.keys().getLength();
}

void SimpleFontCore::clearColors()
{
    RIR::List<ColorTable*> lTables = m_hColors.values();
    for (lTables.iterBegin(); lTables.iterValid(); lTables.iterNext())
        delete lTables.iterCurrent();
    m_hColors.clear();
}
