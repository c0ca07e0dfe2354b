// CustomButton: a Button that shows four pictures of its own, one per ButtonState (normal,
// pushed, highlight, disabled), instead of the theme's composed images. Mouse states, the "" style's sounds, the trigger and enabling are those of
// the base. A null picture shows nothing in its state.
//
// Built from a prefix, a CustomButton looks for each state's picture under the prefix and the
// state's words (normal: "", "up", "normal"; pushed: "dn", "down", "pressed", "pushed";
// highlight: "o", "high", "highlighted", "highlight"; disabled: "grey", "gray", "disabled"), each
// word first after "_" and then directly: "ok" tries ok_, ok, ok_up, okup, ok_normal, oknormal
// for its normal picture. A missing state takes the normal picture; a missing normal picture is
// the image cache's error naming prefix + "normal".
#ifndef DIZIDOR_UI_CUSTOMBUTTON_H
#define DIZIDOR_UI_CUSTOMBUTTON_H

#include "ui/button.h"
#include "ui/buttonstyle.h"

class CustomButton : public Button
{
public:
    CustomButton(int nId, RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                 RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled);
    // The pictures of those names from the application's image cache.
    CustomButton(int nId, const char* pszNormal, const char* pszPushed, const char* pszHighlight,
                 const char* pszDisabled);
    // The pictures found from the prefix (see above).
    CustomButton(int nId, const char* pszPrefix);
    ~CustomButton() override;

    // Stores the four pictures, then refreshes.
    void setImages(RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                   RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled);
    // The current state's picture (may be null).
    RIR::SmartPtr<Image> render() override;

    // The four picture names a prefix gives, in state order.
    static void findImageNames(const char* pszPrefix, RIR::String asNames[BS_COUNT]);

private:
    RIR::SmartPtr<Image> m_pStateImage[BS_COUNT];
};

#endif
