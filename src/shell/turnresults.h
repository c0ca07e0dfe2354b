// TurnResults: the dialog that shows how a campaign turn went.
//
// The campaign map pushes it after each battle with the text of the turn (both sides' orders and
// their outcome); "ok" closes it and uncovers the map, which then shows the new state.
//
//     pApp->pushMode(new TurnResults(sText));
#ifndef DBD_SHELL_TURNRESULTS_H
#define DBD_SHELL_TURNRESULTS_H

#include "shell/dbddialog.h"

#include "rir2/rirstring.h"

class TurnResults : public DBDDialog
{
public:
    // The callback id of its "ok" button.
    static const int ID_OK = 1;

    explicit TurnResults(const char* pszText);
    ~TurnResults() override;

    // Title, separator, the text (500 pixels wide, 4 lines), separator, "ok"; laid out centred.
    void onStart() override;
    void onActivate() override;
    void onCallback(int nId, int nParam) override;

    const RIR::String& getText() const { return m_sText; }

private:
    // A new row of the main table with one cell spanning both columns.
    void newCenteredRow();

    RIR::String m_sText;
};

#endif
