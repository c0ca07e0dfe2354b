// The current theme's three slider pictures (empty, full, thumb), for the slider constructors
// that take them from the theme; null pictures without a theme.
#ifndef DIZIDOR_UI_SLIDERIMAGES_H
#define DIZIDOR_UI_SLIDERIMAGES_H

#include "gfx/image.h"

struct SliderImages
{
    RIR::SmartPtr<Image> pEmpty;
    RIR::SmartPtr<Image> pFull;
    RIR::SmartPtr<Image> pThumb;

    static SliderImages fromTheme();
};

#endif
