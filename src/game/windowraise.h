// Brings the game's window to the front (X11, through SDL's window-manager information); does
// nothing on other video drivers (SDL's dummy driver) or when the window cannot be found.
#ifndef DBD_GAME_WINDOWRAISE_H
#define DBD_GAME_WINDOWRAISE_H

void raiseGameWindow();

#endif
