// Theme: the composed button pictures, the button sounds, and the separator, slider and radio
// pictures that widgets read.
#include "ui/theme.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

namespace
{

const char* const STATE_NAMES[BS_COUNT] = {"normal", "pushed", "highlight", "disabled"};

// The caption as it goes into a cache key. The image cache lower-cases its keys, so every
// capital letter is marked with "^" (and "^" itself doubled): captions that differ only in case
// keep keys of their own.
RIR::String keyText(const char* pszText)
{
    RIR::String sOut;
    for (const char* p = pszText; *p; ++p)
    {
        if (*p == '^' || (*p >= 'A' && *p <= 'Z'))
            sOut += '^';
        sOut += *p;
    }
    return sOut;
}

// Copies the columns [nFrom, nTo) of the picture, full height, so that column nFrom lands at x
// (a copied rectangle's corner lands at the point less the source's insertion point).
void copyColumns(Image* pTarget, Image* pSource, int nFrom, int nTo, int x)
{
    pTarget->copyRect(pSource, Rect(nFrom, 0, nTo, pSource->getHeight()),
                      x + pSource->getInsPointX(), pSource->getInsPointY());
}

} // namespace

RIR::SmartPtr<Image> Theme::getButtonImage(const char* pszText, int nState, int nWidth,
                                           const char* pszStyle)
{
    RIR_TRACE("Theme::getButtonImage");
    const char* pszStyleName = pszStyle ? pszStyle : "";
    const char* pszCaption = pszText ? pszText : "";
    if (!hasButtonStyle(pszStyleName))
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Unknown button style '%s'", pszStyleName).c_str());
    RIR_ASSERT(nState >= 0 && nState < BS_COUNT);
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    ButtonStyle* pStyle = getButtonStyle(pszStyleName);

    RIR::String sCaption = RIR::String(pszCaption).toLower();
    if (pApp->hasString(sCaption.c_str()))
        sCaption = pApp->getString(sCaption.c_str());

    const RIR::String sKey =
        RIR::String::format("%s::Btn::%s::%s_%d_%d", m_sThemeFile.c_str(), pszStyleName,
                            keyText(pszCaption).c_str(), pStyle->bResize ? nWidth : -1, nState);
    if (pApp->isImageCached(sKey.c_str()))
        return pApp->getImage(sKey.c_str());

    RIR::SmartPtr<Image> pBack = pStyle->pImage[nState];
    if (!pBack)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Button style '%s' has no picture for the state %s",
                                      pszStyleName, STATE_NAMES[nState])
                      .c_str());

    const RIR::String sTextKey = RIR::String("Txt::") + sKey;
    RIR::SmartPtr<Image> pStored;
    if (pApp->isImageCached(sTextKey.c_str()))
    {
        pStored = pApp->getImage(sTextKey.c_str());
    }
    else
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<Image> pMade = makeCaption(pszCaption, sCaption, nState, pStyle);
        pStored = pMade->clone(false);
        pStored->setInsPoint(pStored->getWidth() / 2, pStored->getHeight() / 2);
        pApp->addImage(sTextKey.c_str(), pStored, false);
    }

    RIR::SmartPtr<Image> pCaption = pStored->clone(false);
    if (nState == BS_DISABLED)
    {
        if (pCaption->hasAlpha())
            pCaption->multiplyAlpha(128);
        else
            pCaption->setAlpha(128);
    }

    const int nBackW = pBack->getWidth();
    const int nBackH = pBack->getHeight();
    const int nCaptionW = pCaption->getWidth();
    RIR::SmartPtr<Image> pResult;
    int nW = 0;
    if (pStyle->bResize)
    {
        const int nCapL = pStyle->nCapLeft;
        const int nCapR = pStyle->nCapRight;
        const int nMid = nBackW - nCapL - nCapR;
        // The middle column is repeated between the caps: it must have a width.
        if (nMid <= 0 || nCapL < 0 || nCapR < 0)
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Button style '%s': caps %d and %d leave no middle in "
                                          "its %d pixel wide picture",
                                          pszStyleName, nCapL, nCapR, nBackW)
                          .c_str());
        nW = nWidth == -1 ? nCaptionW + 2 * pStyle->nTextMargin : nWidth;
        if (pStyle->bTileCenter)
        {
            const int nInner = nW - nCapL - nCapR;
            int n = nInner > 0 ? (nInner + nMid - 1) / nMid : 0;
            if (n > 0 && (n - 1) * nMid >= nCaptionW)
                n = n - 1;
            nW = n * nMid + nCapL + nCapR;
        }
        // A width below the caps still shows both caps.
        if (nW < nCapL + nCapR)
            nW = nCapL + nCapR;
        pResult = pApp->createImage(nW, nBackH, pBack->hasAlpha());
        for (int x = nCapL; x < nW - nCapR; x += nMid)
            copyColumns(pResult.get(), pBack.get(), nCapL, nBackW - nCapR, x);
        copyColumns(pResult.get(), pBack.get(), 0, nCapL, 0);
        copyColumns(pResult.get(), pBack.get(), nBackW - nCapR, nBackW, nW - nCapR);
    }
    else
    {
        nW = nBackW > nCaptionW ? nBackW : nCaptionW;
        pResult = pApp->createImage(nW, nBackH, pBack->hasAlpha());
        pResult->copyImage(pBack.get(), (nW - nBackW) / 2 + pBack->getInsPointX(),
                           pBack->getInsPointY());
    }
    pResult->blit(pCaption.get(), nW / 2 + pStyle->nTextDX[nState],
                  pResult->getHeight() / 2 + pStyle->nTextDY[nState]);

    pApp->addImage(sKey.c_str(), pResult, false);
    return pApp->getImage(sKey.c_str());
}

RIR::SmartPtr<Image> Theme::makeCaption(const RIR::String& sText, const RIR::String& sCaption,
                                        int nState, ButtonStyle* pStyle)
{
    RIR_TRACE("Theme::makeCaption");
    GameApp* pApp = GameApp::getInstance();
    const RIR::String sPrefixed = m_sTextPrefix + sCaption;
    if (pApp->canLoadImage(sPrefixed.c_str()))
        return pApp->getImage(sPrefixed.c_str());
    if (sText.length() > 0 && pApp->canLoadImage(sText.c_str()))
        return pApp->getImage(sText.c_str());

    const RIR::String& sFont = pStyle->sFont[nState];
    RIR::SmartPtr<Font> pFont = getFont(sFont.length() > 0 ? sFont.c_str() : "Theme::Button");
    const RIR::String sShown =
        pApp->hasString(sText.c_str()) ? RIR::String(pApp->getString(sText.c_str())) : sText;
    // An empty caption still gets a picture (of one transparent column) to centre.
    int nTextW = pFont->getTextWidth(sShown.c_str());
    if (nTextW < 1)
        nTextW = 1;
    RIR::SmartPtr<Image> pImage = pApp->createImage(nTextW, 2 * pFont->getLineHeight(), true);
    if (pStyle->bUseTextColor[nState])
        pFont->setColor(pStyle->cTextColor[nState]);
    pFont->drawText(pImage, pImage->getVirtualRect(), sShown.c_str());
    return pImage;
}

// ---- sounds ------------------------------------------------------------------------------------

void Theme::playSound(const char* pszEvent, const char* pszStyle)
{
    RIR_TRACE("Theme::playSound");
    ButtonStyle* pStyle = getButtonStyle(pszStyle);
    const RIR::String sEvent(pszEvent);
    if (!pStyle->hSoundSet.contains(sEvent) || !pStyle->hSoundSet.get(sEvent))
        pStyle = getButtonStyle("");
    if (!pStyle->hSounds.contains(sEvent))
        return;
    const RIR::List<RIR::SmartPtr<Sample>>& lSounds = pStyle->hSounds.get(sEvent);
    if (lSounds.getLength() == 0)
        return;
    GameApp* pApp = GameApp::getInstance();
    RIR_TRACE_LINE();
    pApp->playSample(RIR::randomElement(lSounds), false, -1);
}

void Theme::playClickedSound(const char* pszStyle)
{
    playSound("clicked", pszStyle);
}

void Theme::playHighlightedSound(const char* pszStyle)
{
    playSound("highlighted", pszStyle);
}

void Theme::setButtonTextColor(const Color& color, int nState, const char* pszStyle)
{
    RIR_TRACE("Theme::setButtonTextColor");
    ButtonStyle* pStyle = getButtonStyle(pszStyle);
    for (int i = 0; i < BS_COUNT; ++i)
        if (nState == BS_COUNT || nState == i)
            pStyle->cTextColor[i] = color;
}

void Theme::setButtonTextOffset(int nDX, int nDY, int nState, const char* pszStyle)
{
    RIR_TRACE("Theme::setButtonTextOffset");
    ButtonStyle* pStyle = getButtonStyle(pszStyle);
    for (int i = 0; i < BS_COUNT; ++i)
        if (nState == BS_COUNT || nState == i)
        {
            pStyle->nTextDX[i] = nDX;
            pStyle->nTextDY[i] = nDY;
        }
}

// ---- widget pictures ---------------------------------------------------------------------------

RIR::SmartPtr<Image> Theme::getLongSeparator()
{
    RIR_TRACE("Theme::getLongSeparator");
    if (!m_pLongSeparator)
        m_pLongSeparator = GameApp::getInstance()->createImage(10, 10, false);
    return m_pLongSeparator;
}

RIR::SmartPtr<Image> Theme::getShortSeparator()
{
    RIR_TRACE("Theme::getShortSeparator");
    if (!m_pShortSeparator)
        m_pShortSeparator = getLongSeparator();
    return m_pShortSeparator;
}

void Theme::getSliderImages(RIR::SmartPtr<Image>* ppEmpty, RIR::SmartPtr<Image>* ppFull,
                            RIR::SmartPtr<Image>* ppThumb)
{
    RIR_TRACE("Theme::getSliderImages");
    static const int s_anSize[3][2] = {{100, 25}, {100, 25}, {25, 25}};
    for (int i = 0; i < 3; ++i)
        if (!m_pSliderImage[i])
            m_pSliderImage[i] =
                GameApp::getInstance()->createImage(s_anSize[i][0], s_anSize[i][1], false);
    if (ppEmpty)
        *ppEmpty = m_pSliderImage[0];
    if (ppFull)
        *ppFull = m_pSliderImage[1];
    if (ppThumb)
        *ppThumb = m_pSliderImage[2];
}

bool Theme::getSliderTrack(int* pnStart, int* pnEnd) const
{
    if (pnStart)
        *pnStart = m_nSliderTrack[0];
    if (pnEnd)
        *pnEnd = m_nSliderTrack[1];
    return m_nSliderTrack[0] != -1;
}

void Theme::getSliderThumbScale(float* pfX, float* pfY) const
{
    if (pfX)
        *pfX = m_fSliderScale[0];
    if (pfY)
        *pfY = m_fSliderScale[1];
}

void Theme::getRadioButtonImages(RIR::SmartPtr<Image>* ppUnchecked, RIR::SmartPtr<Image>* ppChecked)
{
    RIR_TRACE("Theme::getRadioButtonImages");
    if (!m_pRadioImage[0])
        m_pRadioImage[0] = GameApp::getInstance()->createImage(25, 25, false);
    if (!m_pRadioImage[1])
        m_pRadioImage[1] = GameApp::getInstance()->createImage(35, 35, false);
    if (ppUnchecked)
        *ppUnchecked = m_pRadioImage[0];
    if (ppChecked)
        *ppChecked = m_pRadioImage[1];
}
