#include "ui/sliderimages.h"

#include "app/gameapp.h"
#include "ui/theme.h"

SliderImages SliderImages::fromTheme()
{
    SliderImages images;
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (pTheme)
        pTheme->getSliderImages(&images.pEmpty, &images.pFull, &images.pThumb);
    return images;
}
