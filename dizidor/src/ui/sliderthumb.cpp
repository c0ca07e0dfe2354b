#include "ui/sliderthumb.h"

#include "ui/sliderbase.h"

#include "rir2/calltrace.h"

SliderThumb::SliderThumb(RIR::SmartPtr<Image> pImage, SliderBase* pSlider)
    : Control(0, 0, 0, true), m_pSlider(pSlider)
{
    RIR_TRACE("SliderThumb::SliderThumb");
    setImage(pImage);
}

SliderThumb::~SliderThumb()
{
    RIR_TRACE("SliderThumb::~SliderThumb");
}

bool SliderThumb::onMouseDown(int nButtonMask)
{
    RIR_TRACE("SliderThumb::onMouseDown");
    setFocusable(true);
    setFocus();
    return m_pSlider ? m_pSlider->onMouseDown(nButtonMask) : false;
}

bool SliderThumb::onMouseUp(int nButtonMask)
{
    RIR_TRACE("SliderThumb::onMouseUp");
    dropFocus();
    setFocusable(false);
    return m_pSlider ? m_pSlider->onMouseUp(nButtonMask) : false;
}

void SliderThumb::onMouseMove(int nX, int nY)
{
    RIR_TRACE("SliderThumb::onMouseMove");
    if (m_pSlider)
        m_pSlider->onMouseMove(nX, nY);
}
