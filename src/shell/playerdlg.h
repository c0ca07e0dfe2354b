// PlayerDlg: the profile screen, a modal dialog over the main menu.
//
// It lists profile slots 0 to SHOW_PLAYERS-1 as radio buttons (a slot's name, or the text of
// "UnusedPlayer"), the current player's slot checked, and offers "select" (make the checked slot's
// player the current one and close), "new" (a new player in the checked slot, after the
// "ConfirmOverwritePlayer" question when the slot is used; the new player is selected and the
// screen closes), "delete" (after "ConfirmDeletePlayer": the player's story saves are cleared, a
// deleted current player empties "PlayerUID", and the later players move up one slot) and
// "rename". Names are typed in an EditNameDlg. "select", "delete" and "rename" are enabled only on
// a used slot; there is no cancel, so the screen is left by selecting a player.
//
//     getApp()->pushMode(new PlayerDlg(MenuFrame::instance()));
#ifndef DBD_SHELL_PLAYERDLG_H
#define DBD_SHELL_PLAYERDLG_H

#include "shell/dbddialog.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class Button;
class EditNameDlg;
class MenuFrame;
class RadioButton;

class PlayerDlg : public DBDDialog
{
public:
    enum
    {
        SHOW_PLAYERS = 5
    };
    enum Command
    {
        ID_CLOSE = 0,
        ID_DELETE = 1,
        ID_NEW = 2,
        ID_SELECT = 3,
        ID_RENAME = 4,
        ID_DELETE_CONFIRMED = 5,
        ID_NEW_CONFIRMED = 6,
        ID_NAME_ENTERED = 7,
        ID_FIRST_SLOT = 8 // 8 .. 8 + SHOW_PLAYERS - 1: the slots' radio buttons
    };

    // pMenuFrame (may be null) refreshes its welcome line after a selection.
    explicit PlayerDlg(MenuFrame* pMenuFrame);
    ~PlayerDlg() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;

    // The checked slot, or -1.
    int getSelectedSlot() const;
    // The texts of the slots' radio buttons, slot 0 first.
    RIR::String getSlotText(int nSlot) const;
    RIR::SmartPtr<Button> getButton(int nId) const;
    // The name entry opened last (it may have ended).
    EditNameDlg* getEditNameDlg() const { return m_pEditNameDlg; }

private:
    void updateButtons();
    void refreshNames();
    void openNameEntry(bool bRename);

    RIR::List<RIR::SmartPtr<RadioButton>> m_lPlayerRadio;
    RIR::SmartPtr<Button> m_pSelectButton;
    RIR::SmartPtr<Button> m_pNewButton;
    RIR::SmartPtr<Button> m_pDeleteButton;
    RIR::SmartPtr<Button> m_pRenameButton;
    RIR::SmartPtr<Table> m_pSlotTable;
    EditNameDlg* m_pEditNameDlg; // not owned: the mode stack owns it
    bool m_bRename;
    MenuFrame* m_pMenuFrame;
};

#endif
