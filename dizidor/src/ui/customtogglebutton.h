// CustomToggleButton: a ToggleButton that shows four pictures of its own, one per ButtonState,
// as CustomButton does (ui/custombutton.h). Built from a prefix, it tries only prefix +
// "normal", "pushed", "highlight" and "disabled"; a missing state takes the normal picture.
#ifndef DIZIDOR_UI_CUSTOMTOGGLEBUTTON_H
#define DIZIDOR_UI_CUSTOMTOGGLEBUTTON_H

#include "ui/buttonstyle.h"
#include "ui/togglebutton.h"

class CustomToggleButton : public ToggleButton
{
public:
    CustomToggleButton(int nId, RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                       RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled);
    CustomToggleButton(int nId, const char* pszNormal, const char* pszPushed,
                       const char* pszHighlight, const char* pszDisabled);
    CustomToggleButton(int nId, const char* pszPrefix);
    ~CustomToggleButton() override;

    void setImages(RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                   RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled);
    RIR::SmartPtr<Image> render() override;

    static void findImageNames(const char* pszPrefix, RIR::String asNames[BS_COUNT]);

private:
    RIR::SmartPtr<Image> m_pStateImage[BS_COUNT];
};

#endif
