#include "ui/hslider.h"

#include "rir2/calltrace.h"

HSlider::HSlider(int nId, int nMin, int nMax, int nValue)
    : SliderBase(SA_HORIZONTAL, nId, nMin, nMax, nValue)
{
    RIR_TRACE("HSlider::HSlider");
    buildParts();
}

HSlider::HSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
                 RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue)
    : SliderBase(SA_HORIZONTAL, pEmpty, pFull, pThumb, nId, nMin, nMax, nValue)
{
    RIR_TRACE("HSlider::HSlider");
    buildParts();
}

HSlider::~HSlider()
{
    RIR_TRACE("HSlider::~HSlider");
}
