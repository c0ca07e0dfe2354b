// The command-line options every demo takes.
#pragma once

#include <string>

namespace demokit
{

struct DemoCommonOptions
{
    int nFrames = 0;         // --frames N: ends after N frames (0: runs until closed)
    std::string sScreenshot; // --screenshot FILE: the last frame's pixels go to FILE
    bool bFullscreen = false; // --fullscreen
    std::string sGameDir;    // --game-dir DIR: the folder of the game's packs
    std::string sLog;        // --log FILE: the application log
};

enum OptionMatch
{
    OPTION_TAKEN, // a common option, read
    OPTION_OTHER, // not a common option (or one without its value): the demo's own to read
    OPTION_BAD    // a common option with a wrong value
};

// Reads argv[*pI] when it is one of the common options (--frames N with N from 1 to 1000000,
// --screenshot FILE, --game-dir DIR, --log FILE, --fullscreen), moving *pI onto its value.
OptionMatch parseCommonOption(int argc, char** argv, int* pI, DemoCommonOptions* pOptions);

} // namespace demokit
