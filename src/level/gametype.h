// GameType: the three kinds of game a level is played in.
//
// Every level is started by one screen: the timed-game screen, the story or the campaign. The kind
// decides the length and goal rules of the level (DifficultyManager) and travels with the result
// (GameResults) back to that screen.
#ifndef DBD_LEVEL_GAMETYPE_H
#define DBD_LEVEL_GAMETYPE_H

enum GameType
{
    GT_TIMED = 0,
    GT_STORY = 1,
    GT_CAMPAIGN = 2
};

#endif
