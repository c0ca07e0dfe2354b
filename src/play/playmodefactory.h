// PlayModeFactory: the game's LevelFactory, which makes the real saloon day.
//
// The game's main installs one on the application before the menu can start a day; the shell's
// screens then get a PlayMode for every DifficultyManager they hand to DBDApp::createLevel.
//
//     static PlayModeFactory s_levels;
//     pApp->setLevelFactory(&s_levels);
#ifndef DBD_PLAY_PLAYMODEFACTORY_H
#define DBD_PLAY_PLAYMODEFACTORY_H

#include "shell/levelfactory.h"

class PlayModeFactory : public LevelFactory
{
public:
    // A new PlayMode owning pDifficulty, carrying the story's running score.
    GameMode* createLevel(DifficultyManager* pDifficulty, int nScoreTotal) override;
};

#endif
