#include "ui/dlgmessage.h"

#include "ui/button.h"

#include "rir2/calltrace.h"

namespace
{

// Every message label is this wide, however short the text.
const int MESSAGE_WIDTH = 600;

} // namespace

DlgMessage::DlgMessage(ICallbackTarget* pTarget, const char* pszText, int nOkId)
    : CommonDialog(pTarget)
{
    RIR_TRACE("DlgMessage::DlgMessage");
    setOkId(nOkId);
    if (pszText && *pszText)
        m_sText = pszText;
}

DlgMessage::~DlgMessage()
{
    RIR_TRACE("DlgMessage::~DlgMessage");
}

void DlgMessage::onStart()
{
    RIR_TRACE("DlgMessage::onStart");
    if (m_sText.length() > 0)
    {
        RIR::SmartPtr<Label> pLabel = addLabelTo(getTextTable(), m_sText.c_str(), 0x01);
        pLabel->setWidth(MESSAGE_WIDTH, true);
    }
    RIR::SmartPtr<Control> pOk = new Button("ok", DLG_OK);
    addControl(pOk);
    addButton(pOk);
    layout(true);
    DialogMode::onStart();
}
