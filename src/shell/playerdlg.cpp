#include "shell/playerdlg.h"

#include "shell/appstore.h"
#include "shell/editnamedlg.h"
#include "shell/menuframe.h"
#include "shell/playerio.h"
#include "shell/savegameio.h"
#include "shell/screenwidgets.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "ui/button.h"
#include "ui/dlgyesno.h"
#include "ui/label.h"
#include "ui/radiobutton.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

PlayerDlg::PlayerDlg(MenuFrame* pMenuFrame)
    : DBDDialog(true), m_pEditNameDlg(nullptr), m_bRename(false), m_pMenuFrame(pMenuFrame)
{
}

PlayerDlg::~PlayerDlg()
{
}

void PlayerDlg::onStart()
{
    RIR_TRACE("PlayerDlg::onStart");
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Table> pTable = getTable();

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Label> pTitle = addLabelTo(pTable, getText("PlayerDlgTitle").c_str(), 0x24);
    pTitle->setFont(pApp->getTheme()->getFont("Dolly::UI"));
    pTable->newRow();
    pTable->newCell(1);
    addLabel(getText("PlayerDlgUpperText").c_str(), 0x24);
    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("shortsep", 0x24);

    m_pSlotTable = new Table(this);
    m_pSlotTable->setVSpacing(-5);
    const RIR::String sCurrent = getStoredValue("PlayerUID");
    PlayerList players;
    loadPlayerList(players);
    for (int i = 0; i < SHOW_PLAYERS; ++i)
    {
        RIR::SmartPtr<RadioButton> pRadio = new RadioButton(this, "", ID_FIRST_SLOT + i);
        pRadio->setChecked(sCurrent.length() > 0 && players.uid[i] == sCurrent);
        m_pSlotTable->newRow();
        m_pSlotTable->newCell(1);
        m_pSlotTable->add(pRadio, 0x21);
        m_lPlayerRadio.append(pRadio);
    }
    // With no current player among the shown slots the first one is checked, so that "new"
    // always has a slot to work on.
    if (getSelectedSlot() < 0)
        m_lPlayerRadio.get(0)->setChecked(true);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(m_pSlotTable, 0x21);

    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("separator", 0x24);

    const RIR::List<RIR::SmartPtr<Button>> lButtons = addButtonRow(
        this, pTable,
        {{"select", ID_SELECT}, {"new", ID_NEW}, {"delete", ID_DELETE}, {"rename", ID_RENAME}});
    m_pSelectButton = lButtons.get(0);
    m_pNewButton = lButtons.get(1);
    m_pDeleteButton = lButtons.get(2);
    m_pRenameButton = lButtons.get(3);

    updateButtons();
    refreshNames();
    layout(true);
}

int PlayerDlg::getSelectedSlot() const
{
    const int nId = checkedRadioId(m_lPlayerRadio);
    return nId == -1 ? -1 : nId - ID_FIRST_SLOT;
}

RIR::String PlayerDlg::getSlotText(int nSlot) const
{
    return m_lPlayerRadio.get(nSlot)->getText();
}

RIR::SmartPtr<Button> PlayerDlg::getButton(int nId) const
{
    switch (nId)
    {
    case ID_SELECT:
        return m_pSelectButton;
    case ID_NEW:
        return m_pNewButton;
    case ID_DELETE:
        return m_pDeleteButton;
    case ID_RENAME:
        return m_pRenameButton;
    default:
        return RIR::SmartPtr<Button>();
    }
}

void PlayerDlg::updateButtons()
{
    RIR_TRACE("PlayerDlg::updateButtons");
    const int nIdx = getSelectedSlot();
    RIR_ASSERT(nIdx != -1);
    const bool bUsed = isPlayerSlotUsed(nIdx);
    m_pSelectButton->setEnabled(bUsed);
    m_pDeleteButton->setEnabled(bUsed);
    m_pRenameButton->setEnabled(bUsed);
    m_pNewButton->setEnabled(true);
}

void PlayerDlg::refreshNames()
{
    RIR_TRACE("PlayerDlg::refreshNames");
    RIR_ASSERT(m_lPlayerRadio.getLength() == SHOW_PLAYERS);
    PlayerList players;
    loadPlayerList(players);
    const RIR::String sUnused = getText("UnusedPlayer");
    for (int i = 0; i < SHOW_PLAYERS; ++i)
    {
        const RIR::String& sName = players.sName[i];
        m_lPlayerRadio.get(i)->setText(sName.length() > 0 ? sName.c_str() : sUnused.c_str());
    }
    if (m_pSlotTable)
        m_pSlotTable->relayout();
    layout(true);
}

void PlayerDlg::openNameEntry(bool bRename)
{
    RIR_TRACE("PlayerDlg::openNameEntry");
    m_bRename = bRename;
    RIR::String sName;
    if (bRename)
    {
        PlayerList players;
        loadPlayerList(players);
        sName = players.sName[getSelectedSlot()];
    }
    m_pEditNameDlg = new EditNameDlg(sName.c_str(), this, ID_NAME_ENTERED);
    getApp()->pushMode(m_pEditNameDlg);
}

void PlayerDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("PlayerDlg::onCallback");
    (void)nParam;
    GameApp* pApp = getApp();
    switch (nId)
    {
    case ID_SELECT:
    {
        const int nIdx = getSelectedSlot();
        // A free slot cannot be selected: its button is disabled.
        if (nIdx < 0 || !isPlayerSlotUsed(nIdx))
            break;
        selectPlayer(nIdx);
        if (m_pMenuFrame)
            m_pMenuFrame->showWelcome();
        endMode();
        break;
    }
    case ID_CLOSE:
        endMode();
        break;
    case ID_DELETE:
        if (isPlayerSlotUsed(getSelectedSlot()))
            pApp->pushMode(
                new DlgYesNo(this, getText("ConfirmDeletePlayer").c_str(), ID_DELETE_CONFIRMED, -1));
        break;
    case ID_DELETE_CONFIRMED:
    {
        const int nIdx = getSelectedSlot();
        if (nIdx < 0 || !isPlayerSlotUsed(nIdx))
            break;
        PlayerList players;
        loadPlayerList(players);
        const RIR::String sUID = players.uid[nIdx];
        for (int i = 0; i < SAVE_SLOTS; ++i)
            clearSaveSlot(i, sUID.c_str());
        if (sUID == getStoredValue("PlayerUID"))
            setStoredValue("PlayerUID", "");
        deletePlayer(nIdx);
        refreshNames();
        updateButtons();
        break;
    }
    case ID_NEW:
        if (isPlayerSlotUsed(getSelectedSlot()))
            pApp->pushMode(new DlgYesNo(this, getText("ConfirmOverwritePlayer").c_str(),
                                        ID_NEW_CONFIRMED, -1));
        else
            onCallback(ID_NEW_CONFIRMED, 0);
        break;
    case ID_NEW_CONFIRMED:
        openNameEntry(false);
        break;
    case ID_RENAME:
        if (isPlayerSlotUsed(getSelectedSlot()))
            openNameEntry(true);
        break;
    case ID_NAME_ENTERED:
    {
        RIR_ASSERT(m_pEditNameDlg);
        const int nIdx = getSelectedSlot();
        const RIR::String sName = m_pEditNameDlg->getName();
        if (!m_bRename)
            addPlayer(sName.c_str(), nIdx);
        renamePlayer(nIdx, sName.c_str());
        refreshNames();
        updateButtons();
        if (!m_bRename)
            onCallback(ID_SELECT, 0);
        break;
    }
    default:
        if (nId >= ID_FIRST_SLOT && nId < ID_FIRST_SLOT + SHOW_PLAYERS)
        {
            checkRadio(m_lPlayerRadio, nId);
            updateButtons();
        }
        break;
    }
}
