#include "ui/sliderbase.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "ui/sliderthumb.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

SliderBase::SliderBase(SliderAxis eAxis, RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
                       RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue)
    : Control(0, 0, 0, true), m_eAxis(eAxis), m_nStyle(SS_EMPTYFULL), m_pFull(pFull),
      m_pEmpty(pEmpty), m_pThumbImage(pThumb), m_nMin(nMin), m_nMax(nMax), m_nValue(nValue),
      m_nTrackStart(0), m_nTrackEnd(0), m_fScaleMin(1.0f), m_fScaleMax(1.0f), m_bDragging(false)
{
    RIR_TRACE("SliderBase::SliderBase");
    set(nullptr, nId, 0);
    // An empty range has one value.
    if (!hasRange())
        m_nValue = m_nMin;
}

SliderBase::SliderBase(SliderAxis eAxis, int nId, int nMin, int nMax, int nValue)
    : SliderBase(eAxis, SliderImages::fromTheme(), nId, nMin, nMax, nValue)
{
}

SliderBase::SliderBase(SliderAxis eAxis, const SliderImages& images, int nId, int nMin, int nMax,
                       int nValue)
    : SliderBase(eAxis, images.pEmpty, images.pFull, images.pThumb, nId, nMin, nMax, nValue)
{
}

SliderBase::~SliderBase()
{
    RIR_TRACE("SliderBase::~SliderBase");
    if (m_pThumb)
        m_pThumb->detach();
}

RIR::SmartPtr<SliderThumb> SliderBase::getThumb() const
{
    return m_pThumb;
}

void SliderBase::buildParts()
{
    RIR_TRACE("SliderBase::buildParts");
    setHitTestMode(SHT_STORED_PIXELS);
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (pTheme)
        pTheme->getSliderThumbScale(&m_fScaleMin, &m_fScaleMax);
    // The thumb is placed by its centre. The picture may be the theme's shared one: the centred
    // insertion point goes on a view of it.
    RIR::SmartPtr<Image> pThumbImage = m_pThumbImage ? m_pThumbImage->clone(false) : m_pThumbImage;
    if (pThumbImage)
        pThumbImage->setInsPointByAlign(ALIGN_HCENTER | ALIGN_VCENTER);
    m_pThumbImage = pThumbImage;
    if (m_pThumb)
        m_pThumb->detach();
    m_pThumb = new SliderThumb(m_pThumbImage, this);
    int nStyle = pTheme ? pTheme->getSliderStyle() : SS_EMPTYFULL;
    if (nStyle == SS_FRONTBACK)
    {
        RIR_TRACE_LINE();
        m_pFront = pApp->getImage(pTheme->getSliderFrontImage().c_str());
    }
    setStyle(nStyle);
    int nStart = -1;
    int nEnd = -1;
    if (!pTheme || !pTheme->getSliderTrack(&nStart, &nEnd) || nStart == -1)
    {
        RIR_TRACE_LINE();
        nStart = 0;
        nEnd = lengthAlong(m_pFull);
    }
    m_nTrackStart = nStart;
    m_nTrackEnd = nEnd;
    refresh();
}

void SliderBase::refresh()
{
    RIR_TRACE("SliderBase::refresh");
    GameApp* pApp = GameApp::getInstance();
    if (!m_pEmpty || !m_pFull || !pApp)
        return;
    const bool bHorizontal = m_eAxis == SA_HORIZONTAL;
    if (m_nStyle == SS_FRONTBACK)
    {
        RIR_TRACE_LINE();
        setImage(m_pFull);
        const int nLength = lengthAlong(m_pFront);
        if (nLength > 0)
        {
            const int nAt =
                std::max(0, std::min(truncate((double)nLength * getFraction()), nLength - 1));
            setColor(bHorizontal ? m_pFront->getPixelAt(nAt, 0) : m_pFront->getPixelAt(0, nAt));
        }
    }
    else
    {
        RIR_TRACE_LINE();
        // Half a thumb of room at each end of the track.
        const int nThumb = lengthAlong(m_pThumbImage);
        const int nOffsetX = bHorizontal ? nThumb / 2 : 0;
        const int nOffsetY = bHorizontal ? 0 : nThumb / 2;
        RIR::SmartPtr<Image> pBody =
            pApp->createImage(m_pEmpty->getWidth() + (bHorizontal ? nThumb : 0),
                              m_pEmpty->getHeight() + (bHorizontal ? 0 : nThumb), true);
        pBody->copyImage(m_pEmpty.get(), nOffsetX, nOffsetY);
        const int nFill = std::min(getFill(), lengthAlong(m_pFull));
        if (nFill > 0)
        {
            RIR_TRACE_LINE();
            const Rect filled = bHorizontal ? Rect(0, 0, nFill, m_pFull->getHeight())
                                            : Rect(0, 0, m_pFull->getWidth(), nFill);
            pBody->copyRect(m_pFull.get(), filled, nOffsetX, nOffsetY);
        }
        setImage(pBody);
    }
    if (m_pThumb)
        placeThumb();
}

int SliderBase::trackPosFromPoint(const Point& point)
{
    const int nThumb = lengthAlong(m_pThumbImage);
    if (m_eAxis == SA_HORIZONTAL)
        return truncate((double)point.x - getX() - nThumb / 2);
    return truncate((double)point.y - getY() - nThumb / 2);
}

void SliderBase::placeThumb()
{
    RIR_TRACE("SliderBase::placeThumb");
    const int nThumb = lengthAlong(m_pThumbImage);
    const int nAcross = lengthAcross(getImage()) / 2;
    const int nAlong = truncate((double)(m_nTrackEnd - m_nTrackStart) * getFraction());
    if (m_eAxis == SA_HORIZONTAL)
        m_pThumb->setPos(getX() + m_nTrackStart + nAlong + nThumb / 2, getY() + nAcross);
    else
        m_pThumb->setPos(getX() + nAcross, getY() + m_nTrackStart + nAlong + nThumb / 2);
    adjustThumb();
}

int SliderBase::lengthAlong(const RIR::SmartPtr<Image>& pImage) const
{
    if (!pImage)
        return 0;
    return m_eAxis == SA_HORIZONTAL ? pImage->getWidth() : pImage->getHeight();
}

int SliderBase::lengthAcross(const RIR::SmartPtr<Image>& pImage) const
{
    if (!pImage)
        return 0;
    return m_eAxis == SA_HORIZONTAL ? pImage->getHeight() : pImage->getWidth();
}

void SliderBase::setValue(int nValue)
{
    RIR_TRACE("SliderBase::setValue");
    if (!hasRange())
        nValue = m_nMin;
    if (nValue == m_nValue)
        return;
    RIR_TRACE_LINE();
    m_nValue = nValue;
    refresh();
    if (getMode())
    {
        RIR_TRACE_LINE();
        fire();
    }
}

void SliderBase::setTrack(int nStart, int nEnd)
{
    RIR_TRACE("SliderBase::setTrack");
    m_nTrackStart = nStart;
    m_nTrackEnd = nEnd;
    refresh();
}

void SliderBase::setStyle(int nStyle)
{
    RIR_TRACE("SliderBase::setStyle");
    m_nStyle = nStyle;
    refresh();
}

float SliderBase::getFraction() const
{
    if (!hasRange())
        return 0.0f;
    return (float)((double)m_nValue - m_nMin) / (float)((double)m_nMax - m_nMin);
}

int SliderBase::getFill() const
{
    if (!hasRange())
        return m_nTrackStart;
    // Product first, in 64 bits: a value far outside the range must not overflow.
    const long long nShare = ((long long)m_nValue - m_nMin) *
                             ((long long)m_nTrackEnd - m_nTrackStart) /
                             ((long long)m_nMax - m_nMin);
    return truncate((double)(nShare + m_nTrackStart));
}

int SliderBase::truncate(double fValue)
{
    if (std::isnan(fValue))
        return 0;
    if (fValue >= (double)std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (fValue <= (double)std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return (int)fValue;
}

void SliderBase::adjustThumb()
{
    if (!m_pThumb)
        return;
    if (m_pThumb->getMode())
        m_pThumb->setZOrder(getZOrder() + 1);
    m_pThumb->setScale(m_fScaleMin + (m_fScaleMax - m_fScaleMin) * getFraction());
}

void SliderBase::setValueFromPoint(const Point& point)
{
    RIR_TRACE("SliderBase::setValueFromPoint");
    const int nPos = trackPosFromPoint(point);
    const float fLength = (float)(m_nTrackEnd - m_nTrackStart);
    const float fRange = (float)((double)m_nMax - m_nMin);
    // No range or no track: every point means the minimum.
    if (!hasRange() || fLength == 0.0f)
    {
        RIR_TRACE_LINE();
        setValue(m_nMin);
        return;
    }
    const float fT = (float)(nPos - m_nTrackStart) + fLength / (2.0f * fRange);
    const float fU = fRange * fT;
    // Clamped before the conversion, so that a point far outside gives an end of the range.
    double fV = std::trunc((double)(fU / fLength) + m_nMin + 0.5);
    if (fV < m_nMin)
        fV = m_nMin;
    if (fV > m_nMax)
        fV = m_nMax;
    setValue((int)fV);
}

bool SliderBase::onMouseDown(int /*nButtonMask*/)
{
    RIR_TRACE("SliderBase::onMouseDown");
    m_bDragging = true;
    GameApp* pApp = GameApp::getInstance();
    const Point mouse = pApp ? pApp->getMousePoint() : Point(0.0f, 0.0f);
    m_dragOffset = Point(0.0f, 0.0f);
    if (m_pThumb && m_pThumb->hitTestBounds(mouse))
    {
        RIR_TRACE_LINE();
        m_dragOffset = mouse - m_pThumb->getPosPoint();
    }
    setValueFromPoint(mouse - m_dragOffset);
    if (m_pThumb)
    {
        RIR_TRACE_LINE();
        m_pThumb->setFocusable(true);
        m_pThumb->setFocus();
    }
    return true;
}

void SliderBase::onMouseMove(int nX, int nY)
{
    RIR_TRACE("SliderBase::onMouseMove");
    if (!m_bDragging)
        return;
    RIR_TRACE_LINE();
    setValueFromPoint(Point((float)nX, (float)nY) - m_dragOffset);
}

bool SliderBase::onMouseUp(int /*nButtonMask*/)
{
    RIR_TRACE("SliderBase::onMouseUp");
    if (m_pThumb)
    {
        RIR_TRACE_LINE();
        m_pThumb->dropFocus();
        m_pThumb->setFocusable(false);
    }
    m_bDragging = false;
    m_dragOffset = Point(0.0f, 0.0f);
    return true;
}

void SliderBase::onPositionChanged()
{
    RIR_TRACE("SliderBase::onPositionChanged");
    Control::onPositionChanged();
    if (m_pThumb)
        placeThumb();
}

void SliderBase::onAddedToMode()
{
    RIR_TRACE("SliderBase::onAddedToMode");
    Control::onAddedToMode();
    GameMode* pMode = getOwningMode();
    setTarget(pMode);
    if (pMode && m_pThumb)
    {
        RIR_TRACE_LINE();
        pMode->addControl(m_pThumb.get());
    }
    if (m_pThumb)
        placeThumb();
}

void SliderBase::removeFromMode()
{
    RIR_TRACE("SliderBase::removeFromMode");
    m_bDragging = false;
    GameMode* pMode = getOwningMode();
    if (pMode)
    {
        if (m_pThumb && m_pThumb->getMode() == pMode)
        {
            RIR_TRACE_LINE();
            pMode->removeObject(RIR::SmartPtr<Sprite>(m_pThumb.get()));
        }
        if (getTarget() == pMode)
            setTarget(nullptr);
    }
    // The sprite's own part: its tooltip and its record of the mode go, so that a later value
    // change fires nothing.
    Control::removeFromMode();
}
