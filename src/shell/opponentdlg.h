// OpponentDlg: the page on which the player chooses the computer opponent of a new campaign.
//
// It shows one of the five opponents at a time (portrait "ai_opp<n>", name, difficulty in its
// colour, description); "previous" and "next" browse them, wrapping around. "start" empties the
// campaign slot given to it, ends the page and pushes the campaign map with a new campaign
// against the shown opponent; "cancel" only ends the page.
//
//     pApp->pushMode(new OpponentDlg(nSlot));
#ifndef DBD_SHELL_OPPONENTDLG_H
#define DBD_SHELL_OPPONENTDLG_H

#include "shell/dbddialog.h"

#include "rir2/refcount.h"

class Label;
class Sprite;

class OpponentDlg : public DBDDialog
{
public:
    // Callback ids.
    enum
    {
        ID_NEXT = 1,
        ID_PREVIOUS = 2,
        ID_START = 3,
        ID_CANCEL = 4
    };

    explicit OpponentDlg(int nSlot);
    ~OpponentDlg() override;

    void onStart() override;
    void onCallback(int nId, int nParam) override;

    // Shows the current opponent and centres the page again.
    void refreshOpponent();

    int getOpponent() const { return m_nOpponent; }
    int getSlot() const { return m_nSlot; }
    RIR::SmartPtr<Label> getNameLabel() const { return m_pNameLabel; }
    RIR::SmartPtr<Label> getDifficultyLabel() const { return m_pDifficultyLabel; }
    RIR::SmartPtr<Label> getDescLabel() const { return m_pDescLabel; }
    RIR::SmartPtr<Sprite> getPortrait() const { return m_pPortrait; }

private:
    int m_nOpponent;
    RIR::SmartPtr<Sprite> m_pPortrait;
    RIR::SmartPtr<Label> m_pNameLabel;
    RIR::SmartPtr<Label> m_pDifficultyLabel;
    RIR::SmartPtr<Label> m_pDescLabel;
    int m_nSlot;
};

#endif
