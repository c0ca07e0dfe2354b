#include "shell/opponentdlg.h"

#include "shell/appstore.h"
#include "shell/campaign.h"
#include "shell/campaignio.h"
#include "shell/campaignmode.h"
#include "shell/campaignstate.h"

#include "app/gameapp.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

namespace
{

struct DifficultyLook
{
    const char* pszKey;
    Color color;
};

const DifficultyLook DIFFICULTY_LOOKS[3] = {{"DiffEasy", Color(0, 96, 0, 255)},
                                            {"DiffMedium", Color(255, 192, 48, 255)},
                                            {"DiffHard", Color(192, 0, 0, 255)}};

} // namespace

OpponentDlg::OpponentDlg(int nSlot) : DBDDialog(true), m_nOpponent(0), m_nSlot(nSlot)
{
}

OpponentDlg::~OpponentDlg()
{
}

void OpponentDlg::onStart()
{
    RIR_TRACE("OpponentDlg::onStart");
    GameApp* pApp = getApp();
    RIR::SmartPtr<Font> pUIFont = pApp->getTheme()->getFont("Dolly::UI");
    m_nOpponent = 0;
    RIR::SmartPtr<Table> pTable = getTable();

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Label> pTitle = addLabel(getText("SelectOpponent").c_str(), 0x24);
    pTitle->setFont(pUIFont);
    pTable->newRow();
    pTable->newCell(1);
    addImage(pApp->getTheme()->getShortSeparator(), 0x24);

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Table> pChoice = new Table(this);
    pChoice->newRow();
    pChoice->newCell(1);
    RIR::SmartPtr<Button> pPrevious = new Button("previous", ID_PREVIOUS);
    addControl(pPrevious);
    pChoice->add(pPrevious, 0x24);

    pChoice->newCell(1);
    RIR::SmartPtr<Table> pPortrait = new Table(this);
    pPortrait->newRow();
    pPortrait->newCell(1);
    m_pPortrait = addSprite(new Sprite("ai_opp0", 0, 0, 0));
    pPortrait->add(m_pPortrait, 0x24);
    pPortrait->newRow();
    pPortrait->newCell(1);
    m_pNameLabel = new Label("", 0, 0, 0, 300, false);
    m_pNameLabel->setFont(pUIFont);
    m_pNameLabel->setAlignment(0x24);
    addSprite(m_pNameLabel);
    pPortrait->add(m_pNameLabel, 0x24);
    pPortrait->newRow();
    pPortrait->newCell(1);
    m_pDifficultyLabel = new Label("", 0, 0, 0);
    addSprite(m_pDifficultyLabel);
    pPortrait->add(m_pDifficultyLabel, 0x24);
    pChoice->add(pPortrait, 0x24);

    pChoice->newCell(1);
    RIR::SmartPtr<Button> pNext = new Button("next", ID_NEXT);
    addControl(pNext);
    pChoice->add(pNext, 0x24);
    pTable->add(pChoice, 9);

    pTable->newRow();
    pTable->newCell(1);
    m_pDescLabel = addLabel("", 9);
    m_pDescLabel->setWidth(450, true);
    m_pDescLabel->setLineCount(5);

    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("separator", 0x24);

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Table> pButtons = new Table(this);
    pButtons->setHSpacing(20);
    pButtons->newRow();
    RIR::SmartPtr<Button> pStart = new Button("start", ID_START);
    RIR::SmartPtr<Button> pCancel = new Button("cancel", ID_CANCEL);
    for (const RIR::SmartPtr<Button>& pButton : {pStart, pCancel})
    {
        addControl(pButton);
        pButtons->newCell(1);
        pButtons->add(pButton, 0x24);
    }
    pTable->add(pButtons, 9);

    refreshOpponent();
    DBDDialog::onStart();
}

void OpponentDlg::refreshOpponent()
{
    RIR_TRACE("OpponentDlg::refreshOpponent");
    GameApp* pApp = getApp();
    const RIR::String sKey = RIR::String::format("AIOpp%d", m_nOpponent);
    m_pPortrait->setImage(RIR::String::format("ai_opp%d", m_nOpponent).c_str());
    m_pNameLabel->setText(getText((sKey + "Name").c_str()).c_str());
    m_pDescLabel->setText(getText((sKey + "Desc").c_str()).c_str());
    const DifficultyLook& look = DIFFICULTY_LOOKS[getOpponentDifficulty(m_nOpponent)];
    RIR::SmartPtr<Font> pFont = pApp->getTheme()->getFont("Dolly::UI")->clone();
    pFont->setColor(look.color);
    m_pDifficultyLabel->setFont(pFont);
    m_pDifficultyLabel->setText(getText(look.pszKey).c_str());
    layout(true);
}

void OpponentDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("OpponentDlg::onCallback");
    switch (nId)
    {
    case ID_NEXT:
        m_nOpponent = (m_nOpponent + 1) % OPPONENT_COUNT;
        refreshOpponent();
        break;
    case ID_PREVIOUS:
        m_nOpponent = (m_nOpponent + OPPONENT_COUNT - 1) % OPPONENT_COUNT;
        refreshOpponent();
        break;
    case ID_START:
    {
        GameApp* pApp = getApp();
        deleteCampaignSlot(m_nSlot);
        endMode();
        pApp->pushMode(new CampaignMode(m_nSlot, m_nOpponent));
        break;
    }
    case ID_CANCEL:
        endMode();
        break;
    default:
        DBDDialog::onCallback(nId, nParam);
        break;
    }
}
