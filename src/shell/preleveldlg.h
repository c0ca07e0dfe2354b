// PreLevelDlg: the page that introduces a day before it starts.
//
// A title, the day's picture (when the packs have one) beside its text, and the button
// "continue". The story shows it with the week (its level 0..44) when a level is first
// activated: the title is "WeekFmt" with week + 1, the picture and text are "prelevel<week>".
// On week 0 (the tutorial), a player who has finished the tutorial before ("DoneTutorial" is
// "TRUE") also gets "skip", which hands the application a won story result, so the story moves
// on without playing the lesson. The campaign shows the text form with its own name: the title
// is the text of "PrelevelTitle<name>", picture and text "prelevel<name>".
//
//     getApp()->pushMode(new PreLevelDlg(nLevel, nCashGoal));
//     getApp()->pushMode(PreLevelDlg::withText("campaign"));
//
// Continue (and Enter) ends the dialog; skip ends it after DBDApp::setLastResults, which raises
// its assertion when a result is pending already. Main thread only.
#ifndef DBD_SHELL_PRELEVELDLG_H
#define DBD_SHELL_PRELEVELDLG_H

#include "shell/dbddialog.h"

#include "rir2/rirstring.h"

class PreLevelDlg : public DBDDialog
{
public:
    enum
    {
        ID_CONTINUE = 0,
        ID_SKIP = 1
    };
    enum
    {
        TEXT_WIDTH = 400
    };

    // The week form; the goal is the story's, not shown.
    PreLevelDlg(int nWeek, int nCashGoal);
    // The text form (week -1).
    explicit PreLevelDlg(const char* pszText);
    static PreLevelDlg* withText(const char* pszText) { return new PreLevelDlg(pszText); }
    ~PreLevelDlg() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;
    // Enter continues.
    bool keyDown(int nKey, int nModifiers) override;

    int getWeek() const { return m_nWeek; }
    const RIR::String& getDayText() const { return m_sDayText; }
    // Whether the skip button is shown; false before onStart.
    bool hasSkip() const { return m_bSkip; }
    // Whether the day's picture is shown; false before onStart.
    bool hasPicture() const { return m_bPicture; }

private:
    int m_nWeek;
    RIR::String m_sDayText;
    bool m_bSkip;
    bool m_bPicture;
};

#endif
