// LevelFactory: how the game's screens start a saloon day.
//
// The timed-game screen, the story and the campaign each build a DifficultyManager for the day and
// ask the application for the day's mode (DBDApp::createLevel), which they push. The play mode
// itself stands above the shell (it is a DBDMode), so the shell reaches it only through this
// interface: the game's main installs the real factory, tests install one that makes a scripted
// stand-in level which posts a chosen GameResults.
//
//     DifficultyManager* pDM = new DifficultyManager(GT_TIMED, 180, 1, nLevel);
//     getApp()->pushMode(getDBDApp()->createLevel(pDM, 0));
#ifndef DBD_SHELL_LEVELFACTORY_H
#define DBD_SHELL_LEVELFACTORY_H

class DifficultyManager;
class GameMode;

class LevelFactory
{
public:
    virtual ~LevelFactory() {}
    // A new mode playing the day pDifficulty describes; the mode owns pDifficulty. nScoreTotal is
    // the story's running total shown by the end-of-day statistics (0 outside the story).
    virtual GameMode* createLevel(DifficultyManager* pDifficulty, int nScoreTotal) = 0;
};

#endif
