// NewGameDlg: the small dialog that starts a new story game in a save slot.
//
// It asks for the difficulty (easy, medium, hard, each in its colour) and the day length (three
// or ten minutes). Each choice is written to the settings at once ("StoryDiff", "StoryTime") and
// is the default of the next new game, also when the dialog is cancelled. "play" ends the dialog
// and pushes a StoryManager for a new game in the slot (which creates the slot at day 0 and shows
// the first chapter scene); "cancel" only ends the dialog.
//
//     pApp->pushMode(new NewGameDlg(nSlot));
//
// Damaged values of the two settings read as the defaults (medium, three minutes).
#ifndef DBD_SHELL_NEWGAMEDLG_H
#define DBD_SHELL_NEWGAMEDLG_H

#include "shell/dbddialog.h"

#include "ui/radiogroup.h"

class NewGameDlg : public DBDDialog
{
public:
    // Callback ids: the buttons, then the difficulty radios (difficulty id - ID_EASY) and the
    // day-length radios (time flag id - ID_SHORT_DAYS).
    enum
    {
        ID_PLAY = 0,
        ID_CANCEL = 1,
        ID_EASY = 2,
        ID_MEDIUM = 3,
        ID_HARD = 4,
        ID_SHORT_DAYS = 5,
        ID_LONG_DAYS = 6
    };

    // The modal dialog for the save slot nSlot (0..9).
    explicit NewGameDlg(int nSlot);
    ~NewGameDlg() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;

    int getSlot() const { return m_nSlot; }
    // The checked difficulty (0..2) and time flag (0..1); -1 when none is checked.
    int getCheckedDifficulty() const;
    int getCheckedTime() const;

private:
    int m_nSlot;
    RadioGroup m_lDiffRadios;
    RadioGroup m_lTimeRadios;
};

#endif
