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
// other word through readOwn, given the word and the one after it (nullptr at the end); it
// returns how many of the two it took: 1 or 2, 0 when the word is wrong or unknown. False on a
// wrong word, or a screenshot without --frames.
bool parseDemoArguments(int argc, char** argv, DemoCommonOptions* pOptions,
                        const std::function<int(const std::string& sArg, const char* pszValue)>&
                            readOwn);

// Prints pszUsage on standard error and returns 2, the exit status of wrong arguments.
int wrongArguments(const char* pszUsage);

} // namespace demokit
