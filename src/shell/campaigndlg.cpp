#include "shell/campaigndlg.h"

#include "shell/appstore.h"
#include "shell/campaign.h"
#include "shell/campaignio.h"
#include "shell/campaignmode.h"
#include "shell/campaignstate.h"
#include "shell/menuframe.h"
#include "shell/opponentdlg.h"
#include "shell/panelimage.h"
#include "shell/textformat.h"

#include "app/gameapp.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/dlgyesno.h"
#include "ui/radiobutton.h"
#include "ui/table.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

RIR::String campaignSlotCaption(const CampaignState& cs)
{
    const int nP = cs.nTotalStars[PLAYER_HUMAN];
    const int nC = cs.nTotalStars[PLAYER_COMPUTER];
    const RIR::String sName = getText(RIR::String::format("AIOpp%dShortName", cs.nOpponent).c_str());
    if (nC > nP)
    {
        const char* pszKey = nP == 0 ? "CampaignComputerWon" : "CampaignComputerWins";
        return formatText(getText(pszKey).c_str(), {cs.nTurn, sName, nC, nP});
    }
    if (nP > nC)
    {
        const char* pszKey = nC == 0 ? "CampaignHumanWon" : "CampaignHumanWins";
        return formatText(getText(pszKey).c_str(), {cs.nTurn, nP, nC});
    }
    // Level, including the campaign in which both sides lost their last stars together.
    return formatText(getText("CampaignTie").c_str(), {cs.nTurn, nP, nC});
}

CampaignDlg::CampaignDlg() : DBDMode(MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH)
{
}

CampaignDlg::~CampaignDlg()
{
}

void CampaignDlg::onStart()
{
    RIR_TRACE("CampaignDlg::onStart");
    addSprite(new Sprite(getPanelImage(getApp()), 263, 20, 0));

    RIR::SmartPtr<Table> pTable = new Table(this);
    m_pTable = pTable;
    pTable->newRow();
    pTable->newCell(2);
    RIR::SmartPtr<Sprite> pTitle = addSprite(new Sprite("text_c_campaign", 0, 0, 1));
    pTable->add(pTitle, 0x24);
    pTable->newRow();
    pTable->newCell(2);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Table> pSlots = new Table(this);
    pSlots->setVSpacing(0);
    pSlots->setFlags(0);
    const int nLast = getStoredIndex("CampaignLast", CAMPAIGN_SLOTS, 0);
    for (int i = 0; i < CAMPAIGN_SLOTS; ++i)
    {
        RIR::SmartPtr<RadioButton> pSlot = new RadioButton(this, "", ID_FIRST_SLOT + i);
        pSlot->setChecked(i == nLast);
        pSlots->newRow();
        pSlots->newCell(1);
        pSlots->add(pSlot, 0x21);
        m_lSlotButtons.append(pSlot);
    }
    pTable->add(pSlots, 0x21);

    pTable->newCell(1);
    RIR::SmartPtr<Table> pButtons = new Table(this);
    pButtons->setVSpacing(10);
    // The buttons keep their own size however large the cell is.
    pButtons->setFlags(0);
    m_pLoadButton = new Button("load", ID_LOAD);
    RIR::SmartPtr<Button> pNew = new Button("new", ID_NEW);
    m_pDeleteButton = new Button("delete", ID_DELETE);
    for (const RIR::SmartPtr<Button>& pButton : {m_pLoadButton, pNew, m_pDeleteButton})
    {
        addControl(pButton);
        pButtons->newRow();
        pButtons->newCell(1);
        pButtons->add(pButton, 0x24);
    }
    pTable->add(pButtons, 0x24);

    pTable->newRow();
    pTable->newCell(2);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);
    pTable->newRow();
    pTable->newCell(2);
    RIR::SmartPtr<Button> pBack = new Button("back", ID_BACK);
    addControl(pBack);
    pTable->add(pBack, 0x24);

    pTable->setSize(485, 520);
    pTable->setZOrder(1);
    pTable->setPos(285, 40);
}

void CampaignDlg::onActivate()
{
    RIR_TRACE("CampaignDlg::onActivate");
    MenuFrame::onScreenAbove(getApp());
    refreshSlots();
}

int CampaignDlg::getSelectedSlot() const
{
    const int nId = m_lSlotButtons.getCheckedId();
    if (nId < 0)
        RIR_ASSERT(false);
    return nId - ID_FIRST_SLOT;
}

void CampaignDlg::updateSlotButtons()
{
    RIR_TRACE("CampaignDlg::updateSlotButtons");
    const int nSlot = getSelectedSlot();
    CampaignState cs;
    if (m_pLoadButton)
        m_pLoadButton->setEnabled(peekCampaign(&cs, nSlot));
    if (m_pDeleteButton)
        m_pDeleteButton->setEnabled(isCampaignSlotUsed(nSlot));
}

RIR::String CampaignDlg::getSlotCaption(int nSlot) const
{
    if (!isCampaignSlotUsed(nSlot))
        return getText("EmptyCampaign");
    CampaignState cs;
    if (!peekCampaign(&cs, nSlot))
        return getText("CampaignDamaged");
    return campaignSlotCaption(cs);
}

void CampaignDlg::refreshSlots()
{
    RIR_TRACE("CampaignDlg::refreshSlots");
    for (int i = 0; i < m_lSlotButtons.getLength(); ++i)
        m_lSlotButtons.get(i)->setText(getSlotCaption(i).c_str());
    // The captions' widths changed.
    if (m_pTable)
        m_pTable->relayout();
    updateSlotButtons();
}

void CampaignDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("CampaignDlg::onCallback");
    GameApp* pApp = getApp();
    switch (nId)
    {
    case ID_LOAD:
        pApp->pushMode(new CampaignMode(getSelectedSlot(), -1));
        break;
    case ID_NEW:
        if (isCampaignSlotUsed(getSelectedSlot()))
            pApp->pushMode(
                new DlgYesNo(this, getText("ConfirmOverwriteCampaign").c_str(), ID_NEW_CONFIRMED, -1));
        else
            onCallback(ID_NEW_CONFIRMED, 0);
        break;
    case ID_DELETE:
        pApp->pushMode(
            new DlgYesNo(this, getText("ConfirmDeleteCampaign").c_str(), ID_DELETE_CONFIRMED, -1));
        break;
    case ID_BACK:
        endMode();
        break;
    case ID_DELETE_CONFIRMED:
        deleteCampaignSlot(getSelectedSlot());
        refreshSlots();
        break;
    case ID_NEW_CONFIRMED:
        pApp->pushMode(new OpponentDlg(getSelectedSlot()));
        break;
    default:
        if (nId >= ID_FIRST_SLOT && nId < ID_FIRST_SLOT + CAMPAIGN_SLOTS)
        {
            for (int i = 0; i < m_lSlotButtons.getLength(); ++i)
                m_lSlotButtons.get(i)->setChecked(m_lSlotButtons.get(i)->getCallbackId() == nId);
            pApp->setSetting("CampaignLast",
                             RIR::String::format("%d", nId - ID_FIRST_SLOT).c_str());
            updateSlotButtons();
            break;
        }
        DBDMode::onCallback(nId, nParam);
        break;
    }
}
