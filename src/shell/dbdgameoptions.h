// DBDGameOptions: the game's options dialog, the library's GameOptionsDialog with the game's test
// sound, its texts in the dialog-title font and, from the main menu, a check box for the
// low-resources mode.
//
// Opened by the main menu with no level (null, 0, 0: title, volumes, full screen and colour
// depth, one OK button) and by a level with itself (level, -1, 1: no colour depth, Continue and
// Exit reporting to the level).
#ifndef DBD_SHELL_DBDGAMEOPTIONS_H
#define DBD_SHELL_DBDGAMEOPTIONS_H

#include "ui/gameoptionsdialog.h"

#include "rir2/refcount.h"

class RadioButton;

class DBDGameOptions : public GameOptionsDialog
{
public:
    // The id of the low-resources check box.
    static constexpr int ID_LOW_RESOURCES = 2000;

    DBDGameOptions(GameMode* pLevel, int nContinueId, int nExitId);
    ~DBDGameOptions() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;

    // Null when the dialog belongs to a level.
    RIR::SmartPtr<RadioButton> getLowResourcesCheck() const { return m_pLowResCheck; }

private:
    bool m_bFromLevel;
    RIR::SmartPtr<RadioButton> m_pLowResCheck;
};

#endif
