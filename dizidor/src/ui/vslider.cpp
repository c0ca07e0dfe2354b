#include "ui/vslider.h"

#include "app/gameapp.h"
#include "ui/sliderthumb.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

#include <algorithm>

VSlider::VSlider(int nId, int nMin, int nMax, int nValue)
    : VSlider(SliderImages::fromTheme(), nId, nMin, nMax, nValue)
{
}

VSlider::VSlider(const SliderImages& images, int nId, int nMin, int nMax, int nValue)
    : VSlider(images.pEmpty, images.pFull, images.pThumb, nId, nMin, nMax, nValue)
{
}

VSlider::VSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
                 RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue)
    : SliderBase(pEmpty, pFull, pThumb, nId, nMin, nMax, nValue)
{
    RIR_TRACE("VSlider::VSlider");
    buildParts();
}

VSlider::~VSlider()
{
    RIR_TRACE("VSlider::~VSlider");
}

void VSlider::buildParts()
{
    RIR_TRACE("VSlider::buildParts");
    SliderBase::buildParts();
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    int nStart = -1;
    int nEnd = -1;
    if (!pTheme || !pTheme->getSliderTrack(&nStart, &nEnd) || nStart == -1)
    {
        RIR_TRACE_LINE();
        nStart = 0;
        nEnd = m_pFull ? m_pFull->getHeight() : 0;
    }
    m_nTrackStart = nStart;
    m_nTrackEnd = nEnd;
    refresh();
}

void VSlider::refresh()
{
    RIR_TRACE("VSlider::refresh");
    GameApp* pApp = GameApp::getInstance();
    if (!m_pEmpty || !m_pFull || !pApp)
        return;
    if (m_nStyle == SS_FRONTBACK)
    {
        RIR_TRACE_LINE();
        setImage(m_pFull);
        if (m_pFront && m_pFront->getHeight() > 0)
        {
            const int nHeight = m_pFront->getHeight();
            const int nAt =
                std::max(0, std::min(truncate((double)nHeight * getFraction()), nHeight - 1));
            setColor(m_pFront->getPixelAt(0, nAt));
        }
    }
    else
    {
        RIR_TRACE_LINE();
        const int nThumbHeight = m_pThumbImage ? m_pThumbImage->getHeight() : 0;
        RIR::SmartPtr<Image> pBody =
            pApp->createImage(m_pEmpty->getWidth(), m_pEmpty->getHeight() + nThumbHeight, true);
        pBody->copyImage(m_pEmpty.get(), 0, nThumbHeight / 2);
        const int nFill = std::min(getFill(), m_pFull->getHeight());
        if (nFill > 0)
        {
            RIR_TRACE_LINE();
            pBody->copyRect(m_pFull.get(), Rect(0, 0, m_pFull->getWidth(), nFill), 0,
                            nThumbHeight / 2);
        }
        setImage(pBody);
    }
    if (m_pThumb)
        placeThumb();
}

int VSlider::trackPosFromPoint(const Point& point)
{
    const int nThumbHeight = m_pThumbImage ? m_pThumbImage->getHeight() : 0;
    return truncate((double)point.y - getY() - nThumbHeight / 2);
}

void VSlider::placeThumb()
{
    RIR_TRACE("VSlider::placeThumb");
    const int nThumbHeight = m_pThumbImage ? m_pThumbImage->getHeight() : 0;
    RIR::SmartPtr<Image> pBody = getImage();
    const int nBodyWidth = pBody ? pBody->getWidth() : 0;
    const int nAlong = truncate((double)(m_nTrackEnd - m_nTrackStart) * getFraction());
    m_pThumb->setPos(getX() + nBodyWidth / 2, getY() + m_nTrackStart + nAlong + nThumbHeight / 2);
    adjustThumb();
}
