// PlayModeFactory: the game's LevelFactory (play/playmodefactory.h).
#include "play/playmodefactory.h"

#include "play/playmode.h"

#include "rir2/calltrace.h"

GameMode* PlayModeFactory::createLevel(DifficultyManager* pDifficulty, int nScoreTotal)
{
    RIR_TRACE("PlayModeFactory::createLevel");
    PlayMode* pLevel = new PlayMode(pDifficulty);
    pLevel->setScoreTotal(nScoreTotal);
    return pLevel;
}
