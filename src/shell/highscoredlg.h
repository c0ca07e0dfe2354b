// HighScoreDlg: the high-score screen, a full screen over the main menu (and the timed-game
// screen), showing the local and the online table of one game length and difficulty side by
// side, ranks 0 to 7 (the eight best; ranks 8 and 9 are kept but not shown).
//
// Opened to browse (show tabs), it has radio buttons for the difficulty and the game length and
// remembers the choice in "HighscoreDifficulty" and "HighscoreTime". Opened after a timed game
// (no tabs), it shows that game's length and difficulty and marks the new local rank in red. In
// both, the current player's own online entries (key = "PlayerUID") are red. "clear" empties the
// local tables after the "ConfirmClearHighscore" question; "online" exchanges the tables with the
// online service (a DownloadDlg on top; a valid reply replaces the online tables and the
// last-update line); "back" ends the screen.
//
//     getApp()->pushMode(new HighScoreDlg(true, -1, -1, -1));      // browse
//     getApp()->pushMode(new HighScoreDlg(false, nTime, nDiff, nRank)); // after a game
//
// The screen lets updates and unconsumed input through to the modes below; the opener clears its
// own active flag while the screen is on top, so that clicks cannot reach its hidden controls.
#ifndef DBD_SHELL_HIGHSCOREDLG_H
#define DBD_SHELL_HIGHSCOREDLG_H

#include "shell/dbdmode.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class DownloadDlg;
class Font;
class Label;
class RadioButton;
class Table;

// The date part of the last-update line for a date given as seconds since 1970: the text of
// "HighScoreDateFmt" with every "(D)" replaced by the day, "(Y)" by the year and "(M)" by the
// month's name, word month-1 of "HighScoreMonths" (split at blanks). When the list has no such
// word (a short or missing text) the month's number stands in its place.
RIR::String formatHighScoreDate(int32_t nTimestamp);
// The whole last-update line: "HighscoreLastUpdated" followed by the date of
// "HighscoreLastUpdate", or by the text of "HighScoreUpdNever" when it is 0 or missing.
RIR::String highScoreLastUpdateLine();

class HighScoreDlg : public DBDMode
{
public:
    enum
    {
        SHOWN_RANKS = 8
    };
    enum Command
    {
        ID_CLEAR = 1,
        ID_BACK = 2,
        ID_EXCHANGE = 3,
        ID_EASY = 4, // 4 .. 6: the difficulties
        ID_3MIN = 7, // 7, 8: the game lengths
        ID_10MIN = 8,
        ID_CLEAR_CONFIRMED = 9,
        ID_REPLY_IN = 10
    };

    HighScoreDlg(bool bShowTabs, int nTime, int nDifficulty, int nHighlightRank);
    ~HighScoreDlg() override;

    void onStart() override;
    void onActivate() override;
    void onCallback(int nId, int nParam) override;

    // Fills the labels from the stored tables.
    void refresh();

    // What the screen shows now (column 0 local, 1 online; row 0..7).
    RIR::String getNameText(int nColumn, int nRow) const;
    RIR::String getScoreText(int nColumn, int nRow) const;
    bool isRowRed(int nColumn, int nRow) const;
    RIR::String getLastUpdateText() const;
    int getShownTime() const;
    int getShownDifficulty() const;
    bool areTabsShown() const { return m_bShowTabs; }
    DownloadDlg* getDownloadDlg() const { return m_pDLMode; }

private:
    bool m_bShowTabs;
    int m_nTime;
    int m_nDifficulty;
    int m_nHighlightRank;
    RIR::List<RIR::SmartPtr<RadioButton>> m_lTimeRadio;
    RIR::List<RIR::SmartPtr<RadioButton>> m_lDiffRadio;
    RIR::SmartPtr<Label> m_pNameLabel[2][SHOWN_RANKS];
    RIR::SmartPtr<Label> m_pScoreLabel[2][SHOWN_RANKS];
    bool m_bRed[2][SHOWN_RANKS];
    RIR::SmartPtr<Label> m_pLastUpdateLabel;
    DownloadDlg* m_pDLMode; // not owned: the mode stack owns it
    RIR::SmartPtr<Table> m_pTable;
    RIR::SmartPtr<Font> m_pFont;
};

#endif
