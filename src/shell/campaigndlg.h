// CampaignDlg: the list of the current player's ten campaign slots, opened from the main menu.
//
// Each slot shows who leads and by how much, who has won, "EmptyCampaign" for a free slot, or
// "CampaignDamaged" for a stored value that cannot be read (it can still be deleted or
// overwritten). The player picks a slot with its radio button (remembered in "CampaignLast"),
// then loads it, starts a new campaign in it (after choosing an opponent in OpponentDlg; a used
// slot is overwritten only after a yes) or deletes it (after a yes). The list lies over the menu,
// which keeps drawing and updating below it, and refreshes its captions whenever it is uncovered.
//
//     pApp->pushMode(new CampaignDlg());
#ifndef DBD_SHELL_CAMPAIGNDLG_H
#define DBD_SHELL_CAMPAIGNDLG_H

#include "shell/dbdmode.h"

#include "ui/radiogroup.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Button;
class RadioButton;
class Table;
struct CampaignState;

// The caption of a stored campaign in the slot list: the leader, the turn and both star totals
// ("CampaignHumanWins", "CampaignComputerWins", "CampaignTie"; "CampaignHumanWon" or
// "CampaignComputerWon" when the loser has no stars left). The totals must be computed.
RIR::String campaignSlotCaption(const CampaignState& cs);

class CampaignDlg : public DBDMode
{
public:
    // Callback ids.
    enum
    {
        ID_LOAD = 1,
        ID_NEW = 2,
        ID_DELETE = 3,
        ID_BACK = 4,
        ID_DELETE_CONFIRMED = 5,
        ID_NEW_CONFIRMED = 6,
        ID_FIRST_SLOT = 7 // slot n has the id n + 7
    };

    CampaignDlg();
    ~CampaignDlg() override;

    void onStart() override;
    void onActivate() override;
    void onCallback(int nId, int nParam) override;

    // The slot of the checked radio button.
    int getSelectedSlot() const;
    // "load" is enabled for a readable used slot, "delete" for any used slot.
    void updateSlotButtons();
    // Every slot's caption, then updateSlotButtons.
    void refreshSlots();

    RIR::String getSlotCaption(int nSlot) const;
    RIR::SmartPtr<Button> getLoadButton() const { return m_pLoadButton; }
    RIR::SmartPtr<Button> getDeleteButton() const { return m_pDeleteButton; }

private:
    RadioGroup m_lSlotButtons;
    RIR::SmartPtr<Button> m_pDeleteButton;
    RIR::SmartPtr<Button> m_pLoadButton;
    RIR::SmartPtr<Table> m_pTable;
};

#endif
