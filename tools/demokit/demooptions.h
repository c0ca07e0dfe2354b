// The command-line options every demo takes.
#pragma once

#include <functional>
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

// Reads the words after the program's name: the common options (--frames N with N from 1 to
// 1000000, --screenshot FILE, --game-dir DIR, --log FILE, --fullscreen) into *pOptions, every
// other word through readOwn, which reads argv[*pI] (moving *pI onto the values it takes) and
// returns false when it is wrong or unknown. False on a wrong word, or a screenshot without
// --frames.
bool parseDemoArguments(int argc, char** argv, DemoCommonOptions* pOptions,
                        const std::function<bool(int* pI)>& readOwn);

} // namespace demokit
