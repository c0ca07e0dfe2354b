// StoryManager: the invisible mode that drives one story game in one save slot.
//
// It lies under the story's days and scenes. Every time it becomes the top mode (its push, and
// each time the mode above it ends) it takes the result of the day just played, if any, updates
// the save slot and goes on:
// - won: the day's cash and time bonus join the score, the slot moves on to the next day and is
//   saved; the next day follows (behind its chapter scene or newspaper page);
// - lost with "try again": the same day again, with the same score; the slot is not written;
// - lost: the lost-game scene, then the manager ends;
// - aborted (left from the day's menu): the manager ends at once;
// - after the last day (44) is won: the slot holds 45 (finished), the final scene plays, then the
//   credits, then the manager ends. No day 45 is ever built.
// Each step also raises "LastInterlevel" (what the story viewer may show) to the day reached,
// never lowering it, and from day 4 on writes "ShowStoryModeWarning" = "FALSE".
//
// A new game (from the new-game dialog) creates the slot at level 0 and shows the chapter scene
// before its first day; a loaded game (from the slot screen, time flag and difficulty -1) starts
// the slot's day at once. Days come from the application's level factory
// (DBDApp::createLevel); scenes from the scene maker, InterLevelMode unless a test installs
// another.
//
//     pApp->pushMode(new StoryManager(nSlot, nTime, nDifficulty));  // a new game
//     pApp->pushMode(new StoryManager(nSlot, -1, -1));              // a loaded game
//
// A pending result of another kind of game is an AssertFailException "Assertion failed :
// pGR->nGameType == GT_STORY". Main thread only.
#ifndef DBD_SHELL_STORYMANAGER_H
#define DBD_SHELL_STORYMANAGER_H

#include "shell/dbdmode.h"

#include "rir2/rirstring.h"

// The call-trace note of a result being judged: its game kind and its address in full width
// ("nGT 1; PGR 00005600ABCD1230" on a 64-bit build).
RIR::String storyResultsNote(int nGameType, const void* pResults);

class StoryManager : public DBDMode
{
public:
    // Makes the mode of a scene: the story entry (0..45, or InterLevelMode's special entries)
    // and the day to push after it (null for none; the scene owns it).
    typedef GameMode* (*SceneMaker)(int nEntry, GameMode* pNextMode);

    // nTime and nDifficulty both other than -1: a new game, which creates the slot now.
    StoryManager(int nSlot, int nTime, int nDifficulty);
    ~StoryManager() override;

    // The story step described above.
    void onActivate() override;

    int getSlot() const { return m_nSlot; }
    bool isDone() const { return m_bDone; }

    // The scene for the entry (see SceneMaker), made by the installed maker.
    static GameMode* makeScene(int nEntry, GameMode* pNextMode);
    // Installs the maker of scenes; null restores InterLevelMode.
    static void setSceneMaker(SceneMaker pfnMaker);

private:
    // Raises "LastInterlevel" to nLevel and drops the warning from day 4 on.
    void noteProgress(int nLevel);

    int m_nSlot;
    bool m_bDone;
    bool m_bSkipInterLevel;
};

#endif
