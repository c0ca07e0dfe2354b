// A finished saloon day with chosen figures, for the end-of-day statistics dialog.
//
//     FakeStatsSource day(GT_STORY, 3);      // story week 4 (level 3), medium, 180 s
//     day.setStats({12, 9, 1});              // bottles, customers, unhappy customers, ...
//     day.m_nCash = day.getGoal() + 50;
//     pApp->pushMode(new GameStatsDlg(&day));
#ifndef DBD_TESTS_SHELL_KIT_FAKESTATSSOURCE_H
#define DBD_TESTS_SHELL_KIT_FAKESTATSSOURCE_H

#include "shell/levelstats.h"

#include "level/diffmanager.h"

#include <vector>

class FakeStatsSource : public LevelStatsSource
{
public:
    // A day of that game type and level, difficulty 1, 180 s; every counter 0, cash 0.
    FakeStatsSource(int nGameType, int nLevel);

    // Counters from 0 on, in LevelStat order; the rest stay as they are.
    void setStats(const std::vector<int>& values);
    // The story's cash goal of the day (0 outside the story and on the tutorial).
    int getGoal() const { return m_rules.getCashGoal(); }

    int getStat(int nIndex) override;
    int getCash() override { return m_nCash; }
    int getScoreTotal() override { return m_nScoreTotal; }
    float getRemainingTime() override { return m_fRemaining; }
    const DifficultyManager& getDifficultyManager() override { return m_rules; }

    int m_nCash = 0;
    int m_nScoreTotal = 0;
    float m_fRemaining = 0.0f;

private:
    DifficultyManager m_rules;
    int m_anStats[STAT_COUNT] = {};
};

#endif
