// LevelStatsSource: what the end-of-day statistics dialog reads from the finished saloon day.
//
// The play mode stands above the shell, so the statistics dialog (GameStatsDlg) does not know it;
// the play mode implements this interface and hands itself to the dialog it pushes at the end of
// the day. The dialog reads every figure once, when it starts, so the values must be final by
// then (the play mode has stopped counting). The source must outlive the dialog's start; it lies
// under the dialog on the mode stack, so it does.
//
//     class PlayMode : public DBDMode, public IPlayMode, public LevelStatsSource { ... };
//     getApp()->pushMode(new GameStatsDlg(this));
//
// Main thread only.
#ifndef DBD_SHELL_LEVELSTATS_H
#define DBD_SHELL_LEVELSTATS_H

class DifficultyManager;

// The day's counters, as the play mode numbers them (getStat).
enum LevelStat
{
    STAT_BOTTLES_SOLD = 0,
    STAT_CUSTOMERS = 1,
    STAT_UNHAPPY_CUSTOMERS = 2,
    STAT_FIGHTS_NOT_STOPPED = 3,
    STAT_FIGHTS_STOPPED = 4,
    STAT_THIEVES = 5,
    STAT_THIEVES_EXPELLED = 6,
    STAT_WANTED = 7,
    STAT_WANTED_CAUGHT = 8,
    STAT_COUNT = 9
};

class LevelStatsSource
{
public:
    virtual ~LevelStatsSource() {}

    // Counter nIndex (a LevelStat, 0..8) of the day.
    virtual int getStat(int nIndex) = 0;
    // The day's cash.
    virtual int getCash() = 0;
    // The story's running total before this day (0 outside the story).
    virtual int getScoreTotal() = 0;
    // Seconds left on the clock when the day ended (0 when it ran out).
    virtual float getRemainingTime() = 0;
    // The rules of the day: game type, level, cash goal, tutorial.
    virtual const DifficultyManager& getDifficultyManager() = 0;
};

#endif
