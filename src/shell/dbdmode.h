// DBDMode: the base of the game's full screens and invisible controllers.
//
// It ties the mode to the one application (getApp answers the game's DBDApp) and, built with a
// flag word, makes the mode active and visible together with the flags given.
#ifndef DBD_SHELL_DBDMODE_H
#define DBD_SHELL_DBDMODE_H

#include "app/gamemode.h"

class DBDApp;

class DBDMode : public GameMode
{
public:
    // GameMode's flags (active and visible).
    DBDMode();
    // nFlags together with MF_ACTIVE | MF_VISIBLE.
    explicit DBDMode(int nFlags);
    ~DBDMode() override;

    GameApp* getApp() override;
    // The application as the game's; AssertFailException when it is another kind.
    DBDApp* getDBDApp();
};

#endif
