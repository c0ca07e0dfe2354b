// GameResults: the outcome of one saloon day, handed from the level to the screen that started it.
//
// The play mode makes one with new at the end of a day (or when it is left from its menu), and
// the pre-level dialog makes one when a story day is skipped; the application keeps it until the
// starting screen takes it and deletes it. A plain record: every field starts as 0 / false.
#ifndef DBD_LEVEL_GAMERESULTS_H
#define DBD_LEVEL_GAMERESULTS_H

#include "level/gametype.h"

struct GameResults
{
    int nGameType = GT_TIMED; // the GameType of the level
    bool bAborted = false;    // the player left the level from its menu
    int nCash = 0;            // the day's cash
    int nTimeBonus = 0;       // 10 per whole second left on the clock at the end, else 0
    bool bWon = false;        // story only: the cash goal was met
    bool bTryAgain = false;   // set by the statistics dialog when the day is to be played again
};

#endif
