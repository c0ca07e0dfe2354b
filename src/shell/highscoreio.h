// High-score tables: a local and an online set, ten ranks for each game length and difficulty,
// kept in the settings store.
//
// An entry (name, score, key) of list l (0 local, 1 online), time t (0: 3 minutes, 1: 10),
// difficulty d (0..2) and rank r (0 best .. 9) lives under the keys
// "CachedHighScore_<l>_<t>_<d>_<r>_" + "Name", "Score" ("%d"; read with atoi) and "Key". A free
// entry has an empty name and score 0. A local entry's key is made like a player id
// (makeTimeId); online keys are what the service sent.
//
// None of these functions writes the settings file; the store's own save does.
#ifndef DBD_SHELL_HIGHSCOREIO_H
#define DBD_SHELL_HIGHSCOREIO_H

#include "rir2/rirstring.h"

#include <cstdint>

enum
{
    HS_LISTS = 2,
    HS_TIMES = 2,
    HS_DIFFICULTIES = 3,
    HS_RANKS = 10,
    HS_ENTRIES = HS_LISTS * HS_TIMES * HS_DIFFICULTIES * HS_RANKS, // 120
    HS_LOCAL = 0,
    HS_ONLINE = 1
};

// All 120 entries as three parallel arrays, indexed by highScoreIndex.
struct HighScoreTable
{
    RIR::String sName[HS_ENTRIES];
    int32_t nScore[HS_ENTRIES] = {};
    RIR::String sKey[HS_ENTRIES];
};

// ((list x 2 + time) x 3 + difficulty) x 10 + rank. The arguments must lie in their ranges
// (AssertFailException otherwise).
int highScoreIndex(int nList, int nTime, int nDifficulty, int nRank);

// Fills the record from the store; missing keys read as "", 0 and "".
void loadHighScores(HighScoreTable& table);
// Writes all 120 entries (list, time, difficulty, rank; rank innermost).
void saveHighScores(const HighScoreTable& table);
// Writes "" under the three keys of every local entry; the online list stays.
void clearLocalHighScores();
// Puts the score into the local table of the time and difficulty at the lowest rank whose score
// is strictly lower, moving the entries below it down one (rank 9 drops out), with a new entry
// key; saves the record and returns the rank. Returns -1 and writes nothing when no rank is
// lower (so a score of 0 or less never enters). A time other than 0 counts as the 10-minute
// game and a difficulty outside 0..2 is clamped into it, as the game plays them.
int insertHighScore(RIR::String sName, int nTime, int nDifficulty, int nScore);

#endif
