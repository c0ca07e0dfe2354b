// PlayStats: the finished saloon day as the statistics dialog reads it.
//
// GameStatsDlg (a dialog of the shell) reads the day through the shell's LevelStatsSource. The
// play mode keeps one PlayStats on itself and hands it to the dialog it pushes at the end of the
// day; every answer comes from the play mode at the time it is asked.
//
//     getApp()->pushMode(new GameStatsDlg(&m_stats));   // m_stats: PlayStats(*this)
#ifndef DBD_PLAY_PLAYSTATS_H
#define DBD_PLAY_PLAYSTATS_H

#include "shell/levelstats.h"

class PlayMode;

class PlayStats : public LevelStatsSource
{
public:
    explicit PlayStats(PlayMode& day) : m_day(day) {}

    int getStat(int nIndex) override;
    int getCash() override;
    int getScoreTotal() override;
    // The whole seconds left on the clock, 0 once it ran out.
    float getRemainingTime() override;
    const DifficultyManager& getDifficultyManager() override;

private:
    PlayMode& m_day;
};

#endif
