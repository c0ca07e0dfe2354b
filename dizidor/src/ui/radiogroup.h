// RadioGroup: the options of one choice (ui/radiobutton.h), of which the dialog shows the one
// chosen by callback id.
//
// Usage:
//     RadioGroup group;
//     group.append(pEasy);
//     group.append(pHard);
//     group.select(nId);   // in the dialog's onCallback
#ifndef DIZIDOR_UI_RADIOGROUP_H
#define DIZIDOR_UI_RADIOGROUP_H

#include "ui/radiobutton.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class RadioGroup : public RIR::List<RIR::SmartPtr<RadioButton>>
{
public:
    // Checks every option whose callback id is nId and unchecks every other; true when any
    // option had that id (with none, every option ends unchecked).
    bool select(int nId);
    // The callback id of the first checked option; -1 when none is checked.
    int getCheckedId() const;
    // The index of the first checked option; -1 when none is checked.
    int getCheckedIndex() const;
};

#endif
