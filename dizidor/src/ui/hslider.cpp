#include "ui/hslider.h"

#include "app/gameapp.h"
#include "ui/sliderthumb.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

#include <algorithm>

HSlider::HSlider(int nId, int nMin, int nMax, int nValue)
    : HSlider(SliderImages::fromTheme(), nId, nMin, nMax, nValue)
{
}

HSlider::HSlider(const SliderImages& images, int nId, int nMin, int nMax, int nValue)
    : HSlider(images.pEmpty, images.pFull, images.pThumb, nId, nMin, nMax, nValue)
{
}

HSlider::HSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
                 RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue)
    : SliderBase(pEmpty, pFull, pThumb, nId, nMin, nMax, nValue)
{
    RIR_TRACE("HSlider::HSlider");
    buildParts();
}

HSlider::~HSlider()
{
    RIR_TRACE("HSlider::~HSlider");
}

void HSlider::buildParts()
{
    RIR_TRACE("HSlider::buildParts");
    SliderBase::buildParts();
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    int nStart = -1;
    int nEnd = -1;
    if (!pTheme || !pTheme->getSliderTrack(&nStart, &nEnd) || nStart == -1)
    {
        RIR_TRACE_LINE();
        nStart = 0;
        nEnd = m_pFull ? m_pFull->getWidth() : 0;
    }
    m_nTrackStart = nStart;
    m_nTrackEnd = nEnd;
    refresh();
}

void HSlider::refresh()
{
    RIR_TRACE("HSlider::refresh");
    GameApp* pApp = GameApp::getInstance();
    if (!m_pEmpty || !m_pFull || !pApp)
        return;
    if (m_nStyle == SS_FRONTBACK)
    {
        RIR_TRACE_LINE();
        setImage(m_pFull);
        if (m_pFront && m_pFront->getWidth() > 0)
        {
            const int nWidth = m_pFront->getWidth();
            const int nAt =
                std::max(0, std::min(truncate((double)nWidth * getFraction()), nWidth - 1));
            setColor(m_pFront->getPixelAt(nAt, 0));
        }
    }
    else
    {
        RIR_TRACE_LINE();
        const int nThumbWidth = m_pThumbImage ? m_pThumbImage->getWidth() : 0;
        RIR::SmartPtr<Image> pBody =
            pApp->createImage(m_pEmpty->getWidth() + nThumbWidth, m_pEmpty->getHeight(), true);
        pBody->copyImage(m_pEmpty.get(), nThumbWidth / 2, 0);
        const int nFill = std::min(getFill(), m_pFull->getWidth());
        if (nFill > 0)
        {
            RIR_TRACE_LINE();
            pBody->copyRect(m_pFull.get(), Rect(0, 0, nFill, m_pFull->getHeight()), nThumbWidth / 2,
                            0);
        }
        setImage(pBody);
    }
    if (m_pThumb)
        placeThumb();
}

int HSlider::trackPosFromPoint(const Point& point)
{
    const int nThumbWidth = m_pThumbImage ? m_pThumbImage->getWidth() : 0;
    return truncate((double)point.x - getX() - nThumbWidth / 2);
}

void HSlider::placeThumb()
{
    RIR_TRACE("HSlider::placeThumb");
    const int nThumbWidth = m_pThumbImage ? m_pThumbImage->getWidth() : 0;
    RIR::SmartPtr<Image> pBody = getImage();
    const int nBodyHeight = pBody ? pBody->getHeight() : 0;
    const int nAlong = truncate((double)(m_nTrackEnd - m_nTrackStart) * getFraction());
    m_pThumb->setPos(getX() + m_nTrackStart + nAlong + nThumbWidth / 2, getY() + nBodyHeight / 2);
    adjustThumb();
}
