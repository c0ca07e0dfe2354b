// RadioCustomButton: the two-state picture button of a radio option (ui/radiobutton.h). It is
// linked to its partner, the other half of the option: whatever checks or unchecks one of them
// does the same to the other, in one step, without the partner firing.
#ifndef DIZIDOR_UI_RADIOCUSTOMBUTTON_H
#define DIZIDOR_UI_RADIOCUSTOMBUTTON_H

#include "ui/customtogglebutton.h"

class RadioCustomButton : public CustomToggleButton
{
public:
    // The four state pictures; the checked state is copied from the linked button (when there is
    // one) at once. The link is not owned.
    RadioCustomButton(ToggleButton* pLinked, int nId, RIR::SmartPtr<Image> pNormal,
                      RIR::SmartPtr<Image> pPushed, RIR::SmartPtr<Image> pHighlight,
                      RIR::SmartPtr<Image> pDisabled);
    // A partner that links back to this button forgets it.
    ~RadioCustomButton() override;

    // ToggleButton::setChecked, then the same on the linked button when its state differs.
    void setChecked(bool bChecked) override;
    ToggleButton* getLinked() const { return m_pLinked; }
    void setLinked(ToggleButton* pLinked) { m_pLinked = pLinked; }

private:
    ToggleButton* m_pLinked;
};

#endif
