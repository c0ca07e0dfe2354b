// The level's dialogs over the running saloon, for screenshots and a look by eye.
//
//     saloon-demo --window --scene N --customers K --dialog NAME [--screenshot FILE]
//
// At the end of the run (--seconds) the saloon pushes the dialog NAME with made-up figures:
// "loading" the loading clock, "stats-timed" the statistics of a timed day, "stats-won" and
// "stats-lost" those of a story week won early and lost, "stats-tutorial" the tutorial's,
// "prelevel" the page before week 4, "prelevel-tutorial" the first week's with its skip,
// "prelevel-campaign" the campaign's page, "tip" a one-time tip pointing at the till. The dialog
// runs for its own while (the statistics until every phase has run), then the frame is taken
// when a screenshot was asked for and the demo ends; without one the dialog stays until Escape.
#ifndef DBD_TOOLS_SALOONDEMO_DIALOGDEMO_H
#define DBD_TOOLS_SALOONDEMO_DIALOGDEMO_H

#include <string>

class D3D7VideoDriver;
class GameApp;

// Whether NAME is one of the dialogs above.
bool isDemoDialog(const std::string& sName);
// The text tables and the theme the dialogs need, from the packs already opened.
void prepareDemoDialogs(GameApp* pApp);
// Pushes the dialog and, above it, the timer that ends the demo (taking the screenshot with
// pVideo when bScreenshot).
void pushDemoDialog(GameApp* pApp, const std::string& sName, D3D7VideoDriver* pVideo,
                    bool bScreenshot);

#endif
