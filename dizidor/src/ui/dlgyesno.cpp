#include "ui/dlgyesno.h"

#include "ui/button.h"

#include "rir2/calltrace.h"

DlgYesNo::DlgYesNo(ICallbackTarget* pTarget, const char* pszText, int nYesId, int nNoId)
    : CommonDialog(pTarget)
{
    RIR_TRACE("DlgYesNo::DlgYesNo");
    setYesId(nYesId);
    setNoId(nNoId);
    if (pszText && *pszText)
        addLabelTo(getTextTable(), pszText, 0x01);
    RIR::SmartPtr<Control> pYes = new Button("yes", DLG_YES);
    addControl(pYes);
    addButton(pYes);
    RIR::SmartPtr<Control> pNo = new Button("no", DLG_NO);
    addControl(pNo);
    addButton(pNo);
    layout(true);
}

DlgYesNo::~DlgYesNo()
{
    RIR_TRACE("DlgYesNo::~DlgYesNo");
}
