#include "shell/preleveldlg.h"

#include "shell/dbdapp.h"
#include "shell/textformat.h"

#include "level/gameresults.h"

#include "app/gameapp.h"
#include "ui/button.h"
#include "ui/label.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <memory>

namespace
{

const int KEY_RETURN = 13;

} // namespace

PreLevelDlg::PreLevelDlg(int nWeek, int nCashGoal)
    : DBDDialog(true), m_nWeek(nWeek), m_sDayText(RIR::String::format("%d", nWeek)),
      m_bSkip(false), m_bPicture(false)
{
    (void)nCashGoal;
}

PreLevelDlg::PreLevelDlg(const char* pszText)
    : DBDDialog(true), m_nWeek(-1), m_sDayText(pszText ? pszText : ""), m_bSkip(false),
      m_bPicture(false)
{
}

PreLevelDlg::~PreLevelDlg()
{
}

void PreLevelDlg::onStart()
{
    RIR_TRACE("PreLevelDlg::onStart");
    // The base adds the dimmed background.
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Table> pTable = getTable();

    pTable->newRow();
    pTable->newCell(1);
    const RIR::String sTitle =
        m_nWeek >= 0 ? formatText(getString("WeekFmt"), {m_nWeek + 1})
                     : RIR::String(getString((RIR::String("PrelevelTitle") + m_sDayText).c_str()));
    RIR::SmartPtr<Label> pTitle = addLabel(sTitle.c_str(), 0x24);
    pTitle->setFont(getFont("Dolly::UI"));

    const RIR::String sKey = RIR::String("prelevel") + m_sDayText;
    RIR::SmartPtr<Table> pInner = new Table(this);
    m_bPicture = pApp->canLoadImage(sKey.c_str());
    if (m_bPicture)
    {
        RIR::SmartPtr<Sprite> pPicture = new Sprite(getImage(sKey.c_str()), 0, 0, 0);
        addSprite(pPicture);
        pInner->newCell(1);
        pInner->add(pPicture.get(), 0x24);
    }
    RIR::SmartPtr<Label> pText = new Label(getString(sKey.c_str()));
    pText->setWidth(TEXT_WIDTH, true);
    addSprite(pText.get());
    pInner->newCell(1);
    pInner->add(pText.get(), 0x24);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pInner.get(), 0x24);
    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("separator", 0x24);

    RIR::SmartPtr<Table> pButtons = new Table(this);
    RIR::SmartPtr<Button> pContinue = new Button("continue", ID_CONTINUE);
    addControl(pContinue);
    pButtons->newCell(1);
    pButtons->add(pContinue.get(), 0x24);
    m_bSkip = m_nWeek == 0 && pApp->getSetting("DoneTutorial") == "TRUE";
    if (m_bSkip)
    {
        RIR::SmartPtr<Button> pSkip = new Button("skip", ID_SKIP);
        addControl(pSkip);
        pButtons->newCell(1);
        pButtons->add(pSkip.get(), 0x24);
    }
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pButtons.get(), 0x24);
    layout(true);
}

void PreLevelDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("PreLevelDlg::onCallback");
    (void)nParam;
    if (nId == ID_CONTINUE)
        endMode();
    else if (nId == ID_SKIP)
    {
        DBDApp* pApp = DBDApp::getInstance();
        RIR_ASSERT(pApp != NULL);
        // Kept by the application once it takes it; freed here when it refuses it.
        std::unique_ptr<GameResults> pResults(new GameResults());
        pResults->nGameType = GT_STORY;
        pResults->bAborted = false;
        pResults->nCash = 0;
        pResults->nTimeBonus = 0;
        pResults->bWon = true;
        pResults->bTryAgain = false;
        pApp->setLastResults(pResults.get());
        pResults.release();
        endMode();
    }
}

bool PreLevelDlg::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("PreLevelDlg::keyDown");
    if (nKey == KEY_RETURN)
    {
        onCallback(ID_CONTINUE, 0);
        return true;
    }
    return DBDDialog::keyDown(nKey, nModifiers);
}
