// The headless application the sheet tools draw the game's theme with.
#pragma once

#include "app/gameapp.h"
#include "platform/sdl/sdlttffactory.h"

#include "rir2/refcount.h"

#include <string>

namespace demokit
{

// Starts a sheet tool's run: makes the folder sOut, opens the log sOut/<pszTool>.log and starts
// SDL's video (on the dummy driver unless SDL_VIDEODRIVER names another). Raises
// FatalErrorException with SDL's message when SDL does not start.
void beginSheetRun(const std::string& sOut, const char* pszTool);

// Ends the run begun by beginSheetRun: closes the log and stops SDL.
void endSheetRun();

// A GameApp on a fake platform with SDL's image factory, 800 x 600, with the game's packs
// "lang_en", "misc" and "sound" from sGame, its text table "messages.txt", TrueType fonts and
// theme "dolly.theme". Leaving puts a blank theme in and takes the TrueType fonts away again.
class SheetApp
{
public:
    explicit SheetApp(const std::string& sGame);
    ~SheetApp();
    SheetApp(const SheetApp&) = delete;
    SheetApp& operator=(const SheetApp&) = delete;

    GameApp& app() { return m_app; }

private:
    GameApp m_app;
    RIR::SmartPtr<SDLTTFFactory> m_pFonts;
};

} // namespace demokit
