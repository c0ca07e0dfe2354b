// Theme: construction with the built-in defaults, and the look-ups of fonts, cursors, styles and
// frame parts. Loading is in theme_load.cpp, button images and widget pictures in
// theme_buttons.cpp.
#include "ui/theme.h"

#include "app/gameapp.h"
#include "gfx/fontfactorytable.h"
#include "gfx/simplefont.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

namespace
{

const int BUCKETS = 97;

// The words of the frame parts; "down" is another word for the bottom edge.
const RIR::Hash<RIR::String, int>& framePartWords()
{
    static RIR::Hash<RIR::String, int>* s_phParts = nullptr;
    if (!s_phParts)
    {
        static RIR::Hash<RIR::String, int> hParts(BUCKETS);
        static const struct
        {
            const char* pszWord;
            int nPart;
        } s_aWords[] = {{"top", FP_TOP},   {"bottom", FP_BOTTOM}, {"down", FP_BOTTOM},
                        {"left", FP_LEFT}, {"right", FP_RIGHT},   {"ul", FP_UL},
                        {"ur", FP_UR},     {"ll", FP_LL},         {"lr", FP_LR},
                        {"lt", FP_LT},     {"lb", FP_LB},         {"rt", FP_RT},
                        {"rb", FP_RB},     {"tl", FP_TL},         {"tr", FP_TR},
                        {"bl", FP_BL},     {"br", FP_BR},         {"back", FP_BACK}};
        for (const auto& word : s_aWords)
            hParts.set(word.pszWord, word.nPart);
        s_phParts = &hParts;
    }
    return *s_phParts;
}

RIR::SmartPtr<Image> greyPiece(GameApp* pApp, int nWidth, int nHeight)
{
    RIR::SmartPtr<Image> pImage = pApp->createImage(nWidth, nHeight, false);
    pImage->fill(Color(128, 128, 128, 255));
    return pImage;
}

} // namespace

Theme::Theme()
    : m_hBtnStyle(BUCKETS), m_hFrmStyle(BUCKETS), m_hFont(BUCKETS), m_hCursor(BUCKETS),
      m_bCacheFrames(true), m_nSliderStyle(SS_EMPTYFULL)
{
    RIR_TRACE("Theme::Theme");
    m_nSliderTrack[0] = m_nSliderTrack[1] = -1;
    m_fSliderScale[0] = m_fSliderScale[1] = 1.0f;
    framePartWords();
    addDefaults();
}

Theme::~Theme()
{
    RIR_TRACE("Theme::~Theme");
    if (IFramePanelBuilder::getInstalled() == this)
        IFramePanelBuilder::install(nullptr);
    m_hBtnStyle.deleteValues();
    m_hFrmStyle.deleteValues();
}

void Theme::addDefaults()
{
    RIR_TRACE("Theme::addDefaults");
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);

    // The built-in sheet is read once per application; each theme's default font gets a core of
    // its own (its own recoloured glyphs) over those glyphs.
    RIR::SmartPtr<SimpleFontCore> pCore = new SimpleFontCore();
    pCore->shareGlyphs(*pApp->getSystemFontGlyphs());
    RIR::SmartPtr<SimpleFont> pFont = new SimpleFont();
    pFont->setCore(pCore);
    addFont("System::DefaultFont", pFont.get());

    FrameStyle* pFrame = new FrameStyle();
    m_hFrmStyle.set(RIR::String("System::DefaultFrame").toLower(), pFrame);
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pCorner = greyPiece(pApp, 5, 5);
    RIR::SmartPtr<Image> pHorizontal = greyPiece(pApp, 100, 5);
    RIR::SmartPtr<Image> pVertical = greyPiece(pApp, 5, 100);
    RIR::SmartPtr<Image> pBack = pApp->createImage(100, 100, false);
    setFramePart(pFrame, "back", pBack, false);
    setFramePart(pFrame, "top", pHorizontal, false);
    setFramePart(pFrame, "bottom", pHorizontal, false);
    setFramePart(pFrame, "right", pVertical, false);
    setFramePart(pFrame, "left", pVertical, false);
    setFramePart(pFrame, "ul", pCorner, false);
    setFramePart(pFrame, "ur", pCorner, false);
    setFramePart(pFrame, "ll", pCorner, false);
    setFramePart(pFrame, "lr", pCorner, false);
    computeFrameBorders();
}

// ---- fonts -------------------------------------------------------------------------------------

void Theme::addFont(const char* pszName, RIR::SmartPtr<Font> pFont)
{
    RIR_TRACE("Theme::addFont");
    m_hFont.set(pszName ? pszName : "", pFont);
}

RIR::SmartPtr<Font> Theme::getFont(const char* pszName)
{
    RIR_TRACE("Theme::getFont");
    const RIR::String sName(pszName ? pszName : "");
    RIR::setTraceParams(sName.c_str());
    const RIR::String sSuffixed = sName + m_sFontSuffix;
    if (m_hFont.contains(sSuffixed))
        return m_hFont.get(sSuffixed)->clone();
    if (m_hFont.contains(sName))
        return m_hFont.get(sName)->clone();
    if (sName == "System::DefaultFont")
        RIR_ASSERT(false);
    RIR_TRACE_LINE();
    GameApp* pApp = GameApp::getInstance();
    if (pApp)
        pApp->reportMissingResource((RIR::String("[font] ") + sName).c_str());
    return getFont("System::DefaultFont");
}

bool Theme::hasFont(const char* pszName) const
{
    const RIR::String sName(pszName ? pszName : "");
    return m_hFont.contains(sName + m_sFontSuffix) || m_hFont.contains(sName);
}

void Theme::registerFontFactory(const RIR::String& sClass, RIR::SmartPtr<FontFactory> pFactory)
{
    RIR_TRACE("Theme::registerFontFactory");
    FontFactoryTable::registerFactory(sClass.c_str(), pFactory);
}

void Theme::unregisterFontFactory(const RIR::String& sClass)
{
    RIR_TRACE("Theme::unregisterFontFactory");
    FontFactoryTable::unregisterFactory(sClass.c_str());
}

RIR::SmartPtr<Font> Theme::createFont(const RIR::String& sClass,
                                      const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("Theme::createFont");
    return FontFactoryTable::createFont(sClass.c_str(), lArgs);
}

// ---- cursors -----------------------------------------------------------------------------------

void Theme::addCursor(const char* pszName, RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("Theme::addCursor");
    const RIR::String sName(pszName ? pszName : "");
    if (m_hCursor.contains(sName))
        m_hCursor.remove(sName);
    m_hCursor.set(sName, pImage);
}

void Theme::setDefaultCursor(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("Theme::setDefaultCursor");
    addCursor("", pImage);
}

RIR::SmartPtr<Image> Theme::getCursor(const char* pszName)
{
    RIR_TRACE("Theme::getCursor");
    // The file stores cursor names lower-cased, so a request in any case finds them.
    const RIR::String sName = RIR::String(pszName ? pszName : "").toLower();
    if (m_hCursor.contains(sName))
        return m_hCursor.get(sName);
    if (sName.length() == 0)
        return RIR::SmartPtr<Image>();
    RIR_TRACE_LINE();
    GameApp* pApp = GameApp::getInstance();
    if (pApp)
        pApp->reportMissingResource((RIR::String("[cursor] ") + (pszName ? pszName : "")).c_str());
    return getDefaultCursor();
}

RIR::SmartPtr<Image> Theme::getDefaultCursor()
{
    return getCursor("");
}

// ---- styles ------------------------------------------------------------------------------------

ButtonStyle* Theme::getButtonStyle(const char* pszName)
{
    RIR_TRACE("Theme::getButtonStyle");
    return m_hBtnStyle.get(RIR::String(pszName ? pszName : "").toLower());
}

bool Theme::hasButtonStyle(const char* pszName) const
{
    return m_hBtnStyle.contains(RIR::String(pszName ? pszName : "").toLower());
}

FrameStyle* Theme::getFrameStyle(const char* pszName)
{
    RIR_TRACE("Theme::getFrameStyle");
    const RIR::String sKey = RIR::String(pszName ? pszName : "").toLower();
    RIR::setTraceParams(sKey.c_str());
    if (!m_hFrmStyle.contains(sKey))
        RIR_THROW(AssertFailException, "Assertion failed : m_hFrmStyle.hasKey(sKey)");
    return m_hFrmStyle.get(sKey);
}

bool Theme::hasFrameStyle(const char* pszName) const
{
    return m_hFrmStyle.contains(RIR::String(pszName ? pszName : "").toLower());
}

int Theme::getFramePartIndex(const char* pszPart)
{
    return framePartWords().get(RIR::String(pszPart ? pszPart : "").toLower());
}

void Theme::setFramePart(FrameStyle* pStyle, const char* pszPart, RIR::SmartPtr<Image> pImage,
                         bool bFixed)
{
    RIR_TRACE("Theme::setFramePart");
    RIR_ASSERT(pStyle);
    const int nPart = getFramePartIndex(pszPart);
    // A piece without pixels would make no progress along its edge when frames are drawn.
    if (pImage && (pImage->getWidth() <= 0 || pImage->getHeight() <= 0))
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Theme : the frame piece '%s' (part %s) is %d x %d pixels; "
                                      "a frame piece needs at least 1 x 1",
                                      pImage->getName().c_str(), pszPart, pImage->getWidth(),
                                      pImage->getHeight())
                      .c_str());
    pStyle->lFramePart[nPart] = pImage;
    pStyle->lPartImages[nPart].append(pImage);
    if (pImage && pImage->hasAlpha())
        pStyle->bHasAlpha = true;
    if (nPart != FP_BACK)
        pStyle->bHasBorderParts = true;
    if (bFixed)
        pStyle->bFrameFixed[nPart] = true;
}

void Theme::computeFrameBorders()
{
    RIR_TRACE("Theme::computeFrameBorders");
    const RIR::List<FrameStyle*> lStyles = m_hFrmStyle.values();
    for (int i = 0; i < lStyles.getLength(); ++i)
    {
        FrameStyle* pStyle = lStyles.get(i);
        if (pStyle->bBorderSet)
            continue;
        const RIR::SmartPtr<Image>* pParts = pStyle->lFramePart;
        pStyle->rBorder.top = pParts[FP_TOP] ? pParts[FP_TOP]->getHeight() : 0;
        pStyle->rBorder.bottom = pParts[FP_BOTTOM] ? pParts[FP_BOTTOM]->getHeight() : 0;
        pStyle->rBorder.left = pParts[FP_LEFT] ? pParts[FP_LEFT]->getWidth() : 0;
        pStyle->rBorder.right = pParts[FP_RIGHT] ? pParts[FP_RIGHT]->getWidth() : 0;
    }
}
