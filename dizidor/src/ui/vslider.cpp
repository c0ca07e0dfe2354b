#include "ui/vslider.h"

#include "rir2/calltrace.h"

VSlider::VSlider(int nId, int nMin, int nMax, int nValue)
    : SliderBase(SA_VERTICAL, nId, nMin, nMax, nValue)
{
    RIR_TRACE("VSlider::VSlider");
    buildParts();
}

VSlider::VSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
                 RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue)
    : SliderBase(SA_VERTICAL, pEmpty, pFull, pThumb, nId, nMin, nMax, nValue)
{
    RIR_TRACE("VSlider::VSlider");
    buildParts();
}

VSlider::~VSlider()
{
    RIR_TRACE("VSlider::~VSlider");
}
