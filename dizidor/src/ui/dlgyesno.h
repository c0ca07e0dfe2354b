// DlgYesNo: a question with a "yes" and a "no" button.
//
// The text is shown unchanged (callers pass a string-table text); the button captions are the
// string-table keys "yes" and "no", which the theme translates. Built and laid out at once.
//
// Usage:
//     pApp->pushMode(new DlgYesNo(this, getString("AskQuit"), ID_QUIT_YES, ID_QUIT_NO));
#ifndef DIZIDOR_UI_DLGYESNO_H
#define DIZIDOR_UI_DLGYESNO_H

#include "ui/commondialog.h"

class DlgYesNo : public CommonDialog
{
public:
    // A null or empty text gives no text row. nYesId and nNoId are the answers the target hears
    // (-1: none).
    DlgYesNo(ICallbackTarget* pTarget, const char* pszText, int nYesId, int nNoId);
    ~DlgYesNo() override;
};

#endif
