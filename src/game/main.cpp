// dbd: the game.
//
//     dbd [-visit] [--wndclass NAME] [engine switches]
//
// One game runs per user and window class ("Quillmoor::dbd", or NAME after --wndclass): a second
// start brings the running one to the front and ends with exit code 1, writing nothing to the
// log. Everything else is the game's main (shell/gamemain.h): the log "dbd.log" and the settings
// in the per-user folder, the packs beside this program.
//
// The test driver (game/gameplatform.h) is switched on by the environment: DBD_INPUT_SCRIPT
// (an input script), DBD_FIXED_STEP (milliseconds per frame on a clock of its own),
// DBD_MAX_FRAMES (end after that many frames). A bad value ends at once with exit code 2.
#include "game/gameplatform.h"

#include "play/playmodefactory.h"
#include "shell/dbdapp.h"
#include "shell/gamemain.h"
#include "shell/singleinstance.h"

#include "app/datafolder.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// The window class when no --wndclass names one; class names are cut to this many bytes.
const char* const DEFAULT_WINDOW_CLASS = "Quillmoor::dbd";
const size_t WINDOW_CLASS_MAX = 259;

GamePlatform::Options g_options;
// Makes the saloon days the menu's screens start.
PlayModeFactory g_levels;

IPlatform* makeSDLPlatform(GameApp* pApp, int nAudioFrequency)
{
    return makeGamePlatform(pApp, nAudioFrequency, g_options);
}

GameApp* makeGameApp()
{
    DBDApp* pApp = new DBDApp(&makeSDLPlatform);
    pApp->setLevelFactory(&g_levels);
    return pApp;
}

// The window class: the word after the first "--wndclass", cut to WINDOW_CLASS_MAX bytes; the
// default when "--wndclass" is the last word.
std::string windowClass(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--wndclass") == 0)
        {
            if (i + 1 >= argc)
                break;
            return std::string(argv[i + 1]).substr(0, WINDOW_CLASS_MAX);
        }
    }
    return DEFAULT_WINDOW_CLASS;
}

} // namespace

int main(int argc, char** argv)
{
    std::string sError;
    if (!GamePlatform::Options::fromEnvironment(&g_options, &sError))
    {
        std::fprintf(stderr, "dbd: %s\n", sError.c_str());
        return 2;
    }
    SingleInstance instance;
    if (!instance.acquire(getDataFolder(DBD_DATA_SUBFOLDER), windowClass(argc, argv).c_str()))
        return 1;
    return gameMain(argc, argv, &makeGameApp);
}
