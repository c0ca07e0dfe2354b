// VSlider: the vertical slider (ui/sliderbase.h): the track runs top to bottom, the thumb sits on
// the body's middle column.
#ifndef DIZIDOR_UI_VSLIDER_H
#define DIZIDOR_UI_VSLIDER_H

#include "ui/sliderbase.h"

class VSlider : public SliderBase
{
public:
    // The pictures of the current theme (Theme::getSliderImages).
    VSlider(int nId, int nMin, int nMax, int nValue);
    VSlider(RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull, RIR::SmartPtr<Image> pThumb,
            int nId, int nMin, int nMax, int nValue);
    ~VSlider() override;
};

#endif
