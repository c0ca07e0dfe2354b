// ExitConfirmMode: the question shown when the player wants to quit.
//
// One of five texts ("QueryExit_0" .. "QueryExit_4", chosen with rand) over Yes and No. Yes (and
// Return, Space, keypad Enter) ends the program with exit code 0; No closes the question and lets
// the application ask again later. Escape does not answer.
#ifndef DBD_SHELL_EXITCONFIRMMODE_H
#define DBD_SHELL_EXITCONFIRMMODE_H

#include "shell/dbddialog.h"

class ExitConfirmMode : public DBDDialog
{
public:
    enum
    {
        ID_YES = 0,
        ID_NO = 1
    };

    ExitConfirmMode();
    ~ExitConfirmMode() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;
    bool keyDown(int nKey, int nModifiers) override;

    // The key of the text shown; "" before onStart.
    const RIR::String& getTextKey() const { return m_sTextKey; }

private:
    RIR::String m_sTextKey;
};

#endif
