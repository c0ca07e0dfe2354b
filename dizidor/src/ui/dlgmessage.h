// DlgMessage: a message with an "ok" button.
//
// The contents are built when the dialog starts: the text (when not empty) in a label always
// 600 pixels wide, wrapped, then the "ok" button (a string-table key the theme translates).
//
// Usage:
//     pApp->pushMode(new DlgMessage(this, getString("CantSave"), -1));
#ifndef DIZIDOR_UI_DLGMESSAGE_H
#define DIZIDOR_UI_DLGMESSAGE_H

#include "ui/commondialog.h"

#include "rir2/rirstring.h"

class DlgMessage : public CommonDialog
{
public:
    // nOkId is the answer the target hears (-1: none, and Return and Escape are not taken).
    DlgMessage(ICallbackTarget* pTarget, const char* pszText, int nOkId);
    ~DlgMessage() override;

    // The label and the button, the layout, then DialogMode::onStart (the dimmed background).
    void onStart() override;

    const RIR::String& getText() const { return m_sText; }

private:
    RIR::String m_sText;
};

#endif
