// The end-of-day statistics: which rows and phases each kind of day gets, the phases in order
// with the digits they leave, the result text and colour, the buttons, and the try-again answer.
#include "shell/kit/dialogtest.h"
#include "shell/kit/fakestatssource.h"

#include "shell/dbdapp.h"
#include "shell/gamestatsdlg.h"

#include "level/gameresults.h"

#include "rir2/list_impl.h"

#include <string>
#include <vector>

namespace
{

typedef GameStatsDlg D;

std::vector<int> toVector(const RIR::List<int>& lList)
{
    std::vector<int> v;
    for (int n = 0; n < lList.getLength(); ++n)
        v.push_back(lList.get(n));
    return v;
}

class GameStatsDlgTest : public DialogTest
{
protected:
    GameStatsDlgTest() { start(); }

    GameStatsDlg* open(FakeStatsSource* pDay)
    {
        m_pDialog = push(new GameStatsDlg(pDay));
        return m_pDialog;
    }

    // Runs frames of dt until no phase is left (at most 200); the phases in the order they ran.
    std::vector<int> runToEnd(float fDt)
    {
        std::vector<int> ran;
        for (int n = 0; n < 200 && !m_pDialog->getPhases().isEmpty(); ++n)
        {
            const int nPhase = m_pDialog->getPhases().get(0);
            if (ran.empty() || ran.back() != nPhase)
                ran.push_back(nPhase);
            step(fDt);
        }
        step(fDt); // the frame that enables the buttons
        return ran;
    }

    std::vector<std::string> buttonTexts() const
    {
        std::vector<std::string> texts;
        for (int n = 0; n < m_pDialog->getButtons().getLength(); ++n)
            texts.push_back(std::string(m_pDialog->getButtons().get(n)->getText().c_str()) + " " +
                            std::to_string(m_pDialog->getButtonId(n)));
        return texts;
    }

    bool buttonsEnabled() const
    {
        bool bAll = true;
        for (int n = 0; n < m_pDialog->getButtons().getLength(); ++n)
            bAll = bAll && m_pDialog->getButtons().get(n)->isEnabled();
        return bAll;
    }

    GameStatsDlg* m_pDialog = nullptr;
};

// A kind of day and what its statistics must show.
struct DayCase
{
    const char* pszName;
    int nGameType;
    int nLevel;
    int nCashOverGoal; // the day's cash: the goal plus this (the goal is 0 outside the story)
    float fRemaining;
    std::vector<int> phases;
    bool bGoalRow, bBonusRow, bTotalRow, bResultLabel;
    bool bWon;
    const char* pszResult; // "" without a result label
    std::vector<std::string> buttons;
    int nExito; // how often "exito04" plays
};

} // namespace

TEST_F(GameStatsDlgTest, EachKindOfDayRunsItsPhasesAndEndsOnItsFiguresAndButtons)
{
    const std::vector<DayCase> cases = {
        {"timed", GT_TIMED, 5, 750, 30.0f, {D::PHASE_REVEAL, D::PHASE_CASH},
         false, false, false, false, true, "", {"continue 0"}, 0},
        {"campaign", GT_CAMPAIGN, 11, 320, 0.0f, {D::PHASE_REVEAL, D::PHASE_CASH},
         false, false, false, false, true, "", {"continue 0"}, 0},
        {"story won early", GT_STORY, 3, 100, 12.7f,
         {D::PHASE_REVEAL, D::PHASE_CASH, D::PHASE_RESULT, D::PHASE_PAUSE, D::PHASE_BONUS,
          D::PHASE_PAUSE, D::PHASE_TOTAL},
         true, true, true, true, true, "Goal reached!", {"continue 0"}, 1},
        {"story won on time", GT_STORY, 3, 0, 0.0f,
         {D::PHASE_REVEAL, D::PHASE_CASH, D::PHASE_RESULT, D::PHASE_PAUSE, D::PHASE_TOTAL},
         true, false, true, true, true, "Goal reached!", {"continue 0"}, 1},
        {"story lost", GT_STORY, 3, -1, 20.0f,
         {D::PHASE_REVEAL, D::PHASE_CASH, D::PHASE_RESULT},
         true, true, true, true, false, "Short of the goal", {"tryagain 1", "saveexit 0"}, 0},
        {"tutorial", GT_STORY, 0, 40, 0.0f,
         {D::PHASE_REVEAL, D::PHASE_CASH, D::PHASE_RESULT, D::PHASE_PAUSE, D::PHASE_TOTAL},
         false, false, true, false, true, "", {"continue 0"}, 1},
    };
    for (const DayCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        FakeStatsSource day(c.nGameType, c.nLevel);
        day.setStats({14, 9, 2});
        day.m_nCash = day.getGoal() + c.nCashOverGoal;
        day.m_nScoreTotal = c.nGameType == GT_STORY ? 2500 : 0;
        day.m_fRemaining = c.fRemaining;
        const int nExitoBefore = played("exito04");
        open(&day);

        EXPECT_EQ(c.phases, toVector(m_pDialog->getPhases()));
        EXPECT_EQ(c.bWon, m_pDialog->isWon());
        EXPECT_EQ(c.bGoalRow, m_pDialog->getGoalDigits() != nullptr);
        EXPECT_EQ(c.bBonusRow, m_pDialog->getBonusDigits() != nullptr);
        EXPECT_EQ(c.bTotalRow, m_pDialog->getTotalDigits() != nullptr);
        EXPECT_EQ(c.bResultLabel, m_pDialog->getResultLabel() != nullptr);
        EXPECT_EQ(c.buttons, buttonTexts());
        EXPECT_FALSE(buttonsEnabled());
        if (m_pDialog->getGoalDigits())
        {
            EXPECT_EQ(day.getGoal(), m_pDialog->getGoalDigits()->getValue());
        }

        EXPECT_EQ(c.phases, runToEnd(0.1f));
        EXPECT_TRUE(buttonsEnabled());
        EXPECT_EQ(c.nExito, played("exito04") - nExitoBefore);

        // What the digits show at the end: a won story day has moved cash and bonus into the
        // total; any other day leaves the cash standing.
        const int nBonus = (int)c.fRemaining * 10;
        const bool bMoved = c.nGameType == GT_STORY && c.bWon;
        EXPECT_EQ(bMoved ? 0 : day.m_nCash, m_pDialog->getCashDigits()->getValue());
        if (m_pDialog->getBonusDigits())
        {
            EXPECT_EQ(0, m_pDialog->getBonusDigits()->getValue());
        }
        if (m_pDialog->getTotalDigits())
        {
            EXPECT_EQ(bMoved ? 2500 + nBonus + day.m_nCash : 2500,
                      m_pDialog->getTotalDigits()->getValue());
        }
        if (m_pDialog->getResultLabel())
        {
            EXPECT_EQ(c.pszResult, std::string(m_pDialog->getResultLabel()->getText().c_str()));
            EXPECT_EQ(c.bWon ? D::SUCCESS_COLOR : D::FAILURE_COLOR,
                      m_pDialog->getResultLabel()->getFont()->getColor());
        }
        m_pDialog->onCallback(D::ID_CONTINUE, 0);
        EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    }
}

TEST_F(GameStatsDlgTest, TheBonusCountsUpBeforeTheTotalTakesBonusAndCash)
{
    FakeStatsSource day(GT_STORY, 3);
    day.m_nCash = day.getGoal() + 60;
    day.m_nScoreTotal = 1000;
    day.m_fRemaining = 30.0f;
    open(&day);
    // Reveal (two rows: one frame each, then the frame that finds none pending), then the cash.
    for (int n = 0; n < 4; ++n)
        step(0.25f);
    ASSERT_EQ(D::PHASE_CASH, m_pDialog->getPhases().get(0));
    step(0.75f);
    EXPECT_EQ(day.m_nCash / 2, m_pDialog->getCashDigits()->getValue());
    EXPECT_EQ(0, played("cajaregistradora1"));
    step(0.75f);
    EXPECT_EQ(day.m_nCash, m_pDialog->getCashDigits()->getValue());
    EXPECT_EQ(1, played("cajaregistradora1"));
    step(0.25f); // the result
    EXPECT_EQ(std::string("Goal reached!"), m_pDialog->getResultLabel()->getText().c_str());
    step(0.25f);
    step(0.3f); // the pause runs out below 0
    ASSERT_EQ(D::PHASE_BONUS, m_pDialog->getPhases().get(0));
    step(0.75f);
    EXPECT_EQ(150, m_pDialog->getBonusDigits()->getValue());
    step(0.75f);
    EXPECT_EQ(300, m_pDialog->getBonusDigits()->getValue());
    EXPECT_EQ(1000, m_pDialog->getTotalDigits()->getValue());
    step(0.3f);
    step(0.3f);
    ASSERT_EQ(D::PHASE_TOTAL, m_pDialog->getPhases().get(0));
    step(0.75f);
    EXPECT_EQ(1000 + 150 + day.m_nCash / 2, m_pDialog->getTotalDigits()->getValue());
    EXPECT_EQ(150, m_pDialog->getBonusDigits()->getValue());
    EXPECT_EQ(day.m_nCash / 2, m_pDialog->getCashDigits()->getValue());
    step(0.75f);
    EXPECT_EQ(1000 + 300 + day.m_nCash, m_pDialog->getTotalDigits()->getValue());
    EXPECT_EQ(2, played("cajaregistradora1"));
    EXPECT_TRUE(m_pDialog->getPhases().isEmpty());
}

TEST_F(GameStatsDlgTest, RowsAppearForWhatHappenedAndAreRevealedEveryHalfSecond)
{
    struct RowCase
    {
        std::vector<int> stats;
        std::vector<int> rows;
        std::vector<std::string> values;
    };
    const std::vector<RowCase> cases = {
        {{14, 9, 2}, {D::ROW_BOTTLES, D::ROW_HAPPY}, {"14", "7 of 9"}},
        {{20, 12, 3, 1, 2, 3, 2, 1, 1},
         {D::ROW_BOTTLES, D::ROW_HAPPY, D::ROW_FIGHTS, D::ROW_THIEVES, D::ROW_WANTED},
         {"20", "9 of 12", "2 of 3", "2 of 3", "1 of 1"}},
        // A fight that nobody stopped still shows the row; a wanted man who got away too.
        {{5, 4, 0, 1, 0, 0, 0, 1, 0}, {D::ROW_BOTTLES, D::ROW_HAPPY, D::ROW_FIGHTS, D::ROW_WANTED},
         {"5", "4 of 4", "0 of 1", "0 of 1"}},
    };
    for (const RowCase& c : cases)
    {
        FakeStatsSource day(GT_TIMED, 10);
        day.setStats(c.stats);
        open(&day);
        EXPECT_EQ(c.rows, toVector(m_pDialog->getRows()));
        const RIR::List<RIR::SmartPtr<Label>>& lValues = m_pDialog->getValueLabels();
        ASSERT_EQ((int)c.values.size(), lValues.getLength());
        // Every value is hidden until its turn: the first at once, then one each 0.5 s.
        for (size_t n = 0; n < c.values.size(); ++n)
        {
            EXPECT_EQ("", std::string(lValues.get((int)n).get()->getText().c_str()));
            step(0.25f);
            EXPECT_EQ(c.values[n], std::string(lValues.get((int)n).get()->getText().c_str()));
            if (n + 1 < c.values.size())
            {
                EXPECT_EQ("", std::string(lValues.get((int)n + 1)->getText().c_str()));
            }
            step(0.25f);
        }
        EXPECT_EQ(D::PHASE_CASH, m_pDialog->getPhases().get(0));
        m_pDialog->endMode();
    }
}

TEST_F(GameStatsDlgTest, TryAgainMarksThePendingResultsAndEndsTheDialog)
{
    FakeStatsSource day(GT_STORY, 3);
    day.m_nCash = 1;
    GameResults* pResults = new GameResults();
    pResults->nGameType = GT_STORY;
    m_pApp->setLastResults(pResults);
    open(&day);
    runToEnd(0.2f);
    m_pDialog->onCallback(7, 0); // not a button of the dialog
    EXPECT_EQ(m_pDialog, m_pApp->getTopMode());
    m_pDialog->onCallback(D::ID_TRY_AGAIN, 0);
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    ASSERT_TRUE(m_pApp->hasLastResults());
    EXPECT_TRUE(m_pApp->getLastResults()->bTryAgain);
}
