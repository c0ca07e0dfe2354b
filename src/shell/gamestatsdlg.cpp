#include "shell/gamestatsdlg.h"

#include "shell/dbdapp.h"
#include "shell/levelstats.h"
#include "shell/textformat.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

const Color GameStatsDlg::SUCCESS_COLOR(0, 128, 32, 255);
const Color GameStatsDlg::FAILURE_COLOR(192, 0, 0, 255);

namespace
{

// The width the result label reserves before its text is known.
const char* const RESULT_PLACEHOLDER = "XXXXXXXXXXXX";

// A value times a share of it, truncated.
int share(int nValue, float fShare)
{
    return (int)((float)nValue * fShare);
}

} // namespace

GameStatsDlg::GameStatsDlg(LevelStatsSource* pSource)
    : DBDDialog(true),
      m_pSource(pSource),
      m_fPhaseTime(0.0f),
      m_fPauseTime(PAUSE_SECONDS),
      m_bButtonsEnabled(false),
      m_bStory(false),
      m_bTutorial(false),
      m_bWon(false),
      m_nCash(0),
      m_nGoal(0),
      m_nBonus(0),
      m_nTotal(0)
{
    RIR_ASSERT(pSource != NULL);
}

GameStatsDlg::~GameStatsDlg()
{
}

void GameStatsDlg::onStart()
{
    RIR_TRACE("GameStatsDlg::onStart");
    // The base adds the dimmed background.
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    m_pStatsFont = getFont("Dolly::Stats");
    m_pCashSample = pApp->getSample("cajaregistradora1");

    const DifficultyManager& rules = m_pSource->getDifficultyManager();
    m_bStory = rules.getGameType() == GT_STORY;
    m_bTutorial = rules.isTutorial();
    m_nCash = m_pSource->getCash();
    m_nGoal = m_bStory ? rules.getCashGoal() : 0;
    m_nTotal = m_bStory ? m_pSource->getScoreTotal() : 0;
    // Ten points for every whole second left, as the day's results count it.
    const float fRemaining = m_pSource->getRemainingTime();
    m_nBonus = m_bStory && fRemaining > 0.0f ? (int)fRemaining * 10 : 0;
    const bool bBonusRow = m_bStory && fRemaining > 0.0f;
    m_bWon = !m_bStory || m_nCash >= m_nGoal;

    RIR::SmartPtr<Table> pTable = getTable();
    pTable->newRow();
    pTable->newCell(2);
    pTable->setVSpacing(-3);
    const RIR::String sTitle = m_bStory
        ? formatText(getString("WeekFmt"), {rules.getLevel() + 1})
        : RIR::String(getString("LevelStats"));
    RIR::SmartPtr<Label> pTitle = addLabel(sTitle.c_str(), 0x24);
    pTitle->setFont(getFont("Dolly::UI"));
    addSeparatorRow();

    addStatRow(ROW_BOTTLES);
    addStatRow(ROW_HAPPY);
    const int nFights = m_pSource->getStat(STAT_FIGHTS_NOT_STOPPED) +
                        m_pSource->getStat(STAT_FIGHTS_STOPPED);
    if (nFights > 0)
        addStatRow(ROW_FIGHTS);
    if (m_pSource->getStat(STAT_THIEVES) > 0)
        addStatRow(ROW_THIEVES);
    if (m_pSource->getStat(STAT_WANTED) > 0)
        addStatRow(ROW_WANTED);

    m_pCashDigits = addDigitsRow("StatCashEarned", 0);
    if (m_bStory && m_nGoal > 0)
    {
        m_pGoalDigits = addDigitsRow("StatCashGoal", m_nGoal);
        addSeparatorRow();
    }
    if (bBonusRow)
        m_pBonusDigits = addDigitsRow("StatTimeBonus", 0);
    if (m_bStory)
        m_pTotalDigits = addDigitsRow("StatCashTotal", m_nTotal);
    addSeparatorRow();
    if (m_bStory && m_nGoal > 0)
    {
        pTable->newRow();
        pTable->newCell(2);
        m_pResultLabel = addLabel(RESULT_PLACEHOLDER, 0x24);
        m_pResultLabel->setFont(getFont("Dolly::UI"));
    }

    m_lPhases.append(PHASE_REVEAL);
    m_lPhases.append(PHASE_CASH);
    if (m_bStory)
    {
        m_lPhases.append(PHASE_RESULT);
        if (m_nCash >= m_nGoal)
        {
            if (m_pBonusDigits)
            {
                m_lPhases.append(PHASE_PAUSE);
                m_lPhases.append(PHASE_BONUS);
            }
            m_lPhases.append(PHASE_PAUSE);
            m_lPhases.append(PHASE_TOTAL);
        }
    }

    RIR::SmartPtr<Table> pButtons = new Table(this);
    if (m_bWon)
        addButton(pButtons, "continue", ID_CONTINUE);
    else
    {
        addButton(pButtons, "tryagain", ID_TRY_AGAIN);
        addButton(pButtons, "saveexit", ID_CONTINUE);
    }
    pTable->newRow();
    pTable->newCell(2);
    pTable->add(pButtons.get(), 0x24);

    // Measured with their final texts; shown as the phases reveal them.
    layout(true);
    for (int n = 0; n < m_lValueLabels.getLength(); ++n)
        m_lValueLabels.get(n)->setText("");
    if (m_pResultLabel)
        m_pResultLabel->setText("");
    m_fPhaseTime = 0.0f;
}

void GameStatsDlg::addNameCell(const char* pszNameKey)
{
    RIR::SmartPtr<Table> pTable = getTable();
    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Label> pName = addLabel(getString(pszNameKey), 0x02);
    pName->setFont(m_pStatsFont);
    pTable->newCell(1);
}

RIR::SmartPtr<CashDigits> GameStatsDlg::addDigitsRow(const char* pszNameKey, int nValue)
{
    addNameCell(pszNameKey);
    RIR::SmartPtr<CashDigits> pDigits = new CashDigits(this, DIGITS);
    pDigits->setValue(nValue);
    getTable()->add(pDigits.get(), 0x24);
    return pDigits;
}

void GameStatsDlg::addSeparatorRow()
{
    RIR::SmartPtr<Table> pTable = getTable();
    pTable->newRow();
    pTable->newCell(2);
    addNamedImage("shortsep", 0x24);
}

void GameStatsDlg::addStatRow(int nRow)
{
    RIR_TRACE("GameStatsDlg::addStatRow");
    LevelStatsSource& source = *m_pSource;
    const char* pszXofY = getString("XofY");
    const char* pszName = NULL;
    RIR::String sValue;
    switch (nRow)
    {
    case ROW_BOTTLES:
        pszName = "StatBottlesSold";
        sValue = RIR::String::format("%d", source.getStat(STAT_BOTTLES_SOLD));
        break;
    case ROW_HAPPY:
        pszName = "StatHappyCustomers";
        sValue = formatText(pszXofY, {source.getStat(STAT_CUSTOMERS) -
                                          source.getStat(STAT_UNHAPPY_CUSTOMERS),
                                      source.getStat(STAT_CUSTOMERS)});
        break;
    case ROW_FIGHTS:
        pszName = "StatFightsStopped";
        sValue = formatText(pszXofY, {source.getStat(STAT_FIGHTS_STOPPED),
                                      source.getStat(STAT_FIGHTS_STOPPED) +
                                          source.getStat(STAT_FIGHTS_NOT_STOPPED)});
        break;
    case ROW_THIEVES:
        pszName = "StatThievesExpelled";
        sValue = formatText(pszXofY, {source.getStat(STAT_THIEVES_EXPELLED),
                                      source.getStat(STAT_THIEVES)});
        break;
    case ROW_WANTED:
        pszName = "StatWantedCaptured";
        sValue = formatText(pszXofY, {source.getStat(STAT_WANTED_CAUGHT),
                                      source.getStat(STAT_WANTED)});
        break;
    default:
        RIR_ASSERT(false);
    }
    addNameCell(pszName);
    RIR::SmartPtr<Label> pValue = addLabel(sValue.c_str(), 0x24);
    m_lRows.append(nRow);
    m_lValueLabels.append(pValue);
    m_lValueTexts.append(sValue);
    m_lPendingRows.append(nRow);
}

void GameStatsDlg::addButton(const RIR::SmartPtr<Table>& pButtons, const char* pszKey, int nId)
{
    RIR::SmartPtr<Button> pButton = new Button(pszKey, nId);
    addControl(pButton);
    pButton->setEnabled(false);
    pButtons->newCell(1);
    pButtons->add(pButton.get(), 0x24);
    m_lButtons.append(pButton);
    m_lButtonIds.append(nId);
    if (nId == ID_TRY_AGAIN)
        m_pTryAgainButton = pButton;
    else
        m_pContinueButton = pButton;
}

void GameStatsDlg::update(float fDt)
{
    RIR_TRACE("GameStatsDlg::update");
    if (m_lPhases.isEmpty())
    {
        if (!m_bButtonsEnabled)
        {
            m_bButtonsEnabled = true;
            for (int n = 0; n < m_lButtons.getLength(); ++n)
                m_lButtons.get(n)->setEnabled(true);
        }
        return;
    }
    const int nPhase = m_lPhases.get(0);
    bool bDone = false;
    switch (nPhase)
    {
    case PHASE_REVEAL:
        bDone = runReveal(fDt);
        break;
    case PHASE_CASH:
    case PHASE_BONUS:
    case PHASE_TOTAL:
        bDone = runCount(nPhase, fDt);
        break;
    case PHASE_RESULT:
        runResult();
        bDone = true;
        break;
    case PHASE_PAUSE:
        bDone = runPause(fDt);
        break;
    default:
        RIR_ASSERT(false);
    }
    if (bDone)
    {
        m_fPhaseTime = 0.0f;
        m_lPhases.removeAt(0);
    }
}

bool GameStatsDlg::runReveal(float fDt)
{
    if (m_lPendingRows.isEmpty())
        return true;
    m_fPhaseTime -= fDt;
    if (m_fPhaseTime <= 0.0f)
    {
        m_fPhaseTime = REVEAL_SECONDS;
        const int nIndex = m_lRows.getLength() - m_lPendingRows.getLength();
        m_lPendingRows.removeAt(0);
        m_lValueLabels.get(nIndex)->setText(m_lValueTexts.get(nIndex).c_str());
        layout(true);
    }
    return false;
}

bool GameStatsDlg::runCount(int nPhase, float fDt)
{
    m_fPhaseTime += fDt;
    float fShare = m_fPhaseTime / COUNT_SECONDS;
    if (fShare > 1.0f)
        fShare = 1.0f;
    const bool bDone = fShare >= 1.0f;
    if (nPhase == PHASE_CASH)
        m_pCashDigits->setValue(share(m_nCash, fShare));
    else if (nPhase == PHASE_BONUS)
        m_pBonusDigits->setValue(share(m_nBonus, fShare));
    else
    {
        m_pTotalDigits->setValue(m_nTotal + share(m_nBonus, fShare) + share(m_nCash, fShare));
        if (m_pBonusDigits)
            m_pBonusDigits->setValue(share(m_nBonus, 1.0f - fShare));
        m_pCashDigits->setValue(share(m_nCash, 1.0f - fShare));
    }
    if (bDone && nPhase != PHASE_BONUS)
        playCashSample();
    return bDone;
}

void GameStatsDlg::runResult()
{
    RIR_TRACE("GameStatsDlg::runResult");
    const int nGoalShown = m_pGoalDigits ? m_pGoalDigits->getValue() : 0;
    const bool bSuccess = m_bTutorial || m_pCashDigits->getValue() >= nGoalShown;
    if (bSuccess)
    {
        if (m_pResultLabel)
        {
            m_pResultLabel->setTextColor(SUCCESS_COLOR);
            m_pResultLabel->setText(getString("ResultSuccess"));
        }
        getApp()->playSample(getApp()->getSample("exito04"), false, -1);
    }
    else if (m_pResultLabel)
    {
        m_pResultLabel->setTextColor(FAILURE_COLOR);
        m_pResultLabel->setText(getString("ResultFailure"));
    }
    layout(true);
}

bool GameStatsDlg::runPause(float fDt)
{
    m_fPauseTime -= fDt;
    if (m_fPauseTime >= 0.0f)
        return false;
    m_fPauseTime = PAUSE_SECONDS;
    return true;
}

void GameStatsDlg::playCashSample()
{
    if (m_pCashSample)
        getApp()->playSample(m_pCashSample, false, -1);
}

void GameStatsDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("GameStatsDlg::onCallback");
    (void)nParam;
    if (nId == ID_CONTINUE)
        endMode();
    else if (nId == ID_TRY_AGAIN)
    {
        DBDApp* pApp = DBDApp::getInstance();
        RIR_ASSERT(pApp != NULL);
        RIR_ASSERT(pApp->hasLastResults());
        pApp->getLastResults()->bTryAgain = true;
        endMode();
    }
}
