#include "ui/radiogroup.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

bool RadioGroup::select(int nId)
{
    RIR_TRACE("RadioGroup::select");
    bool bFound = false;
    for (int i = 0; i < getLength(); ++i)
    {
        const RIR::SmartPtr<RadioButton>& pOption = get(i);
        const bool bMatch = pOption->getCallbackId() == nId;
        pOption->setChecked(bMatch);
        bFound = bFound || bMatch;
    }
    return bFound;
}

int RadioGroup::getCheckedIndex() const
{
    for (int i = 0; i < getLength(); ++i)
        if (get(i)->isChecked())
            return i;
    return -1;
}

int RadioGroup::getCheckedId() const
{
    const int nIndex = getCheckedIndex();
    return nIndex < 0 ? -1 : get(nIndex)->getCallbackId();
}
