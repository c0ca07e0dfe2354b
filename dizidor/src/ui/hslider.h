// HSlider: the horizontal slider (ui/sliderbase.h): the track runs left to right, the thumb sits
// on the body's middle row.
#ifndef DIZIDOR_UI_HSLIDER_H
#define DIZIDOR_UI_HSLIDER_H

#include "ui/sliderbase.h"

class HSlider : public SliderBase
{
public:
    // The pictures of the current theme (Theme::getSliderImages).
    HSlider(int nId, int nMin, int nMax, int nValue);
    HSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull, RIR::SmartPtr<Image> pThumb,
            int nId, int nMin, int nMax, int nValue);
    ~HSlider() override;
};

#endif
