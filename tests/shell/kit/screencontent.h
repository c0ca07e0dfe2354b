// The content the profile, timed-game and high-score screens look up, for headless tests on
// ShellApp: plain pictures, a theme with button pictures and a dialog frame, and short texts
// (the months "Jan" .. "Dec", dates as "(D) (M) (Y)", "Updated: " before the date).
//
//     ShellAppFixture fx;
//     addScreenContent(fx);
//     ShellApp* pApp = fx.start(FirstModes{});
#ifndef DBD_TESTS_SHELL_KIT_SCREENCONTENT_H
#define DBD_TESTS_SHELL_KIT_SCREENCONTENT_H

#include "shell/kit/shellapp.h"

class RadioButton;

// The theme "dolly.theme": plain button pictures for the four states and a plain dialog frame.
void addPlainTheme(ShellAppFixture& fx);
// The pictures and texts of the screens, and addPlainTheme.
void addScreenContent(ShellAppFixture& fx);

// Clicks the middle of the radio button's text through the application's mouse input, as a
// player would (the pointer moves there, the left button goes down and up).
void clickRadio(GameApp* pApp, RadioButton* pRadio);

#endif
