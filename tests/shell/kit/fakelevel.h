// A scripted stand-in for the saloon day, for tests of the screens that start levels.
//
// FakeLevelFactory is installed in the application (DBDApp::setLevelFactory). Every level it makes
// records the day it was asked for; when first updated it posts the next queued GameResults
// (DBDApp::setLastResults) and ends itself, as a real day does after its statistics dialog. With
// nothing queued, the level stays on the stack until the test ends it (FakeLevel::finish).
//
//     FakeLevelFactory levels;
//     pApp->setLevelFactory(&levels);
//     GameResults won; won.nGameType = GT_STORY; won.nCash = 900; won.bWon = true;
//     levels.queueResult(won);
//     ... click "play"; step frames ...
//     EXPECT_EQ(levels.started().at(0).nLevel, 1);
#ifndef DBD_TESTS_SHELL_KIT_FAKELEVEL_H
#define DBD_TESTS_SHELL_KIT_FAKELEVEL_H

#include "level/gameresults.h"
#include "shell/dbdmode.h"
#include "shell/levelfactory.h"

#include <deque>
#include <vector>

// The day a level was made for.
struct FakeLevelDay
{
    int nGameType = -1;
    int nLevelLength = 0;
    int nDifficulty = 0;
    int nLevel = 0;
    int nScoreTotal = 0;
};

class FakeLevel : public DBDMode
{
public:
    // pResult: posted at the first update (copied); null: waits for finish.
    FakeLevel(const FakeLevelDay& day, const GameResults* pResult);

    const FakeLevelDay& getDay() const { return m_day; }
    // Posts the result and ends the level (it must be on top).
    void finish(const GameResults& result);

    void update(float fDt) override;

private:
    FakeLevelDay m_day;
    bool m_bHasResult;
    GameResults m_result;
    bool m_bDone;
};

class FakeLevelFactory : public LevelFactory
{
public:
    // The next level made posts this result.
    void queueResult(const GameResults& result) { m_queue.push_back(result); }
    // Days asked for, in order.
    const std::vector<FakeLevelDay>& started() const { return m_started; }
    // The last level made (it may have ended and been deleted since: use while on the stack).
    FakeLevel* lastLevel() const { return m_pLast; }

    GameMode* createLevel(DifficultyManager* pDifficulty, int nScoreTotal) override;

private:
    std::deque<GameResults> m_queue;
    std::vector<FakeLevelDay> m_started;
    FakeLevel* m_pLast = nullptr;
};

#endif
