// The cash bag's fill level: how full the HUD bag ("bolsa_0".."bolsa_9") looks.
//
// The bag fills in ten steps towards a goal: the story day's cash goal, or 5000 in the other
// kinds of game (and on a story day without a goal, the bag stays empty).
#ifndef DBD_LEVEL_CASHBAG_H
#define DBD_LEVEL_CASHBAG_H

class DifficultyManager;

// The story's cash goal in the story, else 5000.
int cashBagGoal(const DifficultyManager& rules);
// 0 when goal / 10 is 0, else cash / (goal / 10) (integer division) clamped to 0..9.
int cashBagLevel(int nCash, int nGoal);

#endif
