// The openers of the screens the main menu leads to in the game (MenuScreens, menuframe.h).
//
// The game's application installs them at start-up (MenuFrame::setScreens(gameMenuScreens()));
// tests install their own.
#ifndef DBD_SHELL_GAMESCREENS_H
#define DBD_SHELL_GAMESCREENS_H

#include "shell/menuframe.h"

// The game's openers: the yes/no question (DlgYesNo), the profile screen, the timed-game screen,
// the story's slot screen and new-game dialog, the campaign's slot list and opponent page.
MenuScreens gameMenuScreens();

#endif
