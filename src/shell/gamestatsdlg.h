// GameStatsDlg: the end-of-day statistics over the darkened saloon.
//
// The play mode pushes it at the end of every day, after handing its GameResults to the
// application, and passes itself as the LevelStatsSource. The dialog lists the day's counters
// (drinks, happy customers, and the fights, thieves and wanted men when there were any), counts
// the cash up on a row of digits and, in the story, compares it with the day's goal, shows the
// result, adds the time bonus and carries bonus and cash into the running total. Its buttons stay
// disabled until every phase has run: "continue" after a won day (and in timed and campaign
// games), "tryagain" and "saveexit" after a failed story day.
//
// Phases, in order (getPhases): PHASE_REVEAL shows one row every 0.5 s, PHASE_CASH counts the cash
// up over 1.5 s; in the story PHASE_RESULT judges the cash against the goal, and on a won day
// PHASE_PAUSE, PHASE_BONUS (only when seconds were left), PHASE_PAUSE and PHASE_TOTAL follow.
//
//     getApp()->pushMode(new GameStatsDlg(this));   // this: the play mode
//     ...                                           // the starting screen reads the results
//
// Button ids: ID_CONTINUE (0) ends the dialog; ID_TRY_AGAIN (1) sets bTryAgain of the pending
// GameResults and ends it ("Assertion failed : pApp->hasLastResults()" when none is pending).
// Main thread only.
#ifndef DBD_SHELL_GAMESTATSDLG_H
#define DBD_SHELL_GAMESTATSDLG_H

#include "shell/dbddialog.h"

#include "world/cashdigits.h"

#include "gfx/color.h"
#include "gfx/font.h"
#include "ui/button.h"
#include "ui/label.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class LevelStatsSource;
class Sample;

class GameStatsDlg : public DBDDialog
{
public:
    enum
    {
        ID_CONTINUE = 0,
        ID_TRY_AGAIN = 1
    };
    enum Phase
    {
        PHASE_REVEAL = 0,
        PHASE_CASH = 1,
        PHASE_BONUS = 2,
        PHASE_TOTAL = 3,
        PHASE_RESULT = 4,
        PHASE_PAUSE = 5
    };
    // The statistics rows, in the order shown.
    enum Row
    {
        ROW_BOTTLES = 0,
        ROW_HAPPY = 2,
        ROW_FIGHTS = 4,
        ROW_THIEVES = 6,
        ROW_WANTED = 7
    };
    enum
    {
        DIGITS = 7
    };
    // Seconds of each count (cash, bonus, total), between two revealed rows and of a pause.
    static constexpr float COUNT_SECONDS = 1.5f;
    static constexpr float REVEAL_SECONDS = 0.5f;
    static constexpr float PAUSE_SECONDS = 0.5f;
    // The colours of the result text.
    static const Color SUCCESS_COLOR;
    static const Color FAILURE_COLOR;

    // pSource: the finished day (not owned; it stays under the dialog).
    explicit GameStatsDlg(LevelStatsSource* pSource);
    ~GameStatsDlg() override;

    void onStart() override;
    void update(float fDt) override;
    void onCallback(int nId, int nParam) override;

    // ---- state, for the level's checks and tests -------------------------------------------

    // The phases still to run, in order (the running one first).
    const RIR::List<int>& getPhases() const { return m_lPhases; }
    bool isWon() const { return m_bWon; }
    // The digit rows; null when not shown.
    CashDigits* getCashDigits() const { return m_pCashDigits.get(); }
    CashDigits* getGoalDigits() const { return m_pGoalDigits.get(); }
    CashDigits* getBonusDigits() const { return m_pBonusDigits.get(); }
    CashDigits* getTotalDigits() const { return m_pTotalDigits.get(); }
    // The story's result text; null when the day has no goal.
    Label* getResultLabel() const { return m_pResultLabel.get(); }
    // The statistics rows shown (row ids) and their value labels, in order.
    const RIR::List<int>& getRows() const { return m_lRows; }
    const RIR::List<RIR::SmartPtr<Label>>& getValueLabels() const { return m_lValueLabels; }
    // The buttons, left to right (their ids through getButtonId).
    const RIR::List<RIR::SmartPtr<Button>>& getButtons() const { return m_lButtons; }
    int getButtonId(int nIndex) const { return m_lButtonIds.get(nIndex); }

private:
    // Adds a row of a name (stats font, right-aligned) and a value object.
    void addNameCell(const char* pszNameKey);
    // A digit row showing nValue, in its own row after the name.
    RIR::SmartPtr<CashDigits> addDigitsRow(const char* pszNameKey, int nValue);
    void addSeparatorRow();
    void addStatRow(int nRow);
    void addButton(const RIR::SmartPtr<Table>& pButtons, const char* pszKey, int nId);
    // One step of the running phase; true when it is done.
    bool runReveal(float fDt);
    bool runCount(int nPhase, float fDt);
    void runResult();
    bool runPause(float fDt);
    void playCashSample();

    LevelStatsSource* m_pSource; // not owned
    RIR::SmartPtr<Font> m_pStatsFont;
    RIR::SmartPtr<Sample> m_pCashSample;
    RIR::List<int> m_lRows;
    RIR::List<RIR::SmartPtr<Label>> m_lValueLabels;
    RIR::List<RIR::String> m_lValueTexts;
    RIR::List<int> m_lPendingRows;
    RIR::List<int> m_lPhases;
    float m_fPhaseTime;
    float m_fPauseTime;
    RIR::SmartPtr<CashDigits> m_pCashDigits;
    RIR::SmartPtr<CashDigits> m_pGoalDigits;
    RIR::SmartPtr<CashDigits> m_pBonusDigits;
    RIR::SmartPtr<CashDigits> m_pTotalDigits;
    RIR::SmartPtr<Label> m_pResultLabel;
    RIR::SmartPtr<Button> m_pContinueButton;
    RIR::SmartPtr<Button> m_pTryAgainButton;
    RIR::List<RIR::SmartPtr<Button>> m_lButtons;
    RIR::List<int> m_lButtonIds;
    bool m_bButtonsEnabled;
    // The day's figures, read once at the start.
    bool m_bStory;
    bool m_bTutorial;
    bool m_bWon;
    int m_nCash;
    int m_nGoal;
    int m_nBonus;
    int m_nTotal;
};

#endif
