#include "fakelevel.h"

#include "level/diffmanager.h"
#include "shell/dbdapp.h"

FakeLevel::FakeLevel(const FakeLevelDay& day, const GameResults* pResult)
    : m_day(day), m_bHasResult(pResult != nullptr), m_bDone(false)
{
    if (pResult)
        m_result = *pResult;
}

void FakeLevel::finish(const GameResults& result)
{
    m_bDone = true;
    getDBDApp()->setLastResults(new GameResults(result));
    endMode();
}

void FakeLevel::update(float fDt)
{
    DBDMode::update(fDt);
    if (m_bHasResult && !m_bDone)
        finish(m_result);
}

GameMode* FakeLevelFactory::createLevel(DifficultyManager* pDifficulty, int nScoreTotal)
{
    FakeLevelDay day;
    day.nGameType = pDifficulty->getGameType();
    day.nLevelLength = pDifficulty->getLevelLength();
    day.nDifficulty = pDifficulty->getDifficulty();
    day.nLevel = pDifficulty->getLevel();
    day.nScoreTotal = nScoreTotal;
    delete pDifficulty;
    m_started.push_back(day);
    const GameResults* pResult = nullptr;
    GameResults next;
    if (!m_queue.empty())
    {
        next = m_queue.front();
        m_queue.pop_front();
        pResult = &next;
    }
    m_pLast = new FakeLevel(day, pResult);
    return m_pLast;
}
