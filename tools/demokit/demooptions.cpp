#include "demooptions.h"

#include <cstdio>
#include <cstdlib>

namespace demokit
{

namespace
{

enum OptionMatch
{
    OPTION_TAKEN, // a common option, read
    OPTION_OTHER, // not a common option (or one without its value): the demo's own to read
    OPTION_BAD    // a common option with a wrong value
};

OptionMatch parseCommonOption(int argc, char** argv, int* pI, DemoCommonOptions* pOptions)
{
    const std::string sArg = argv[*pI];
    const bool bHasValue = *pI + 1 < argc;
    if (sArg == "--fullscreen")
    {
        pOptions->bFullscreen = true;
        return OPTION_TAKEN;
    }
    if (!bHasValue)
        return OPTION_OTHER;
    const char* pszValue = argv[*pI + 1];
    if (sArg == "--frames")
    {
        char* pszEnd = nullptr;
        const long nFrames = std::strtol(pszValue, &pszEnd, 10);
        if (!pszEnd || *pszEnd || nFrames < 1 || nFrames > 1000000)
            return OPTION_BAD;
        pOptions->nFrames = (int)nFrames;
    }
    else if (sArg == "--screenshot")
        pOptions->sScreenshot = pszValue;
    else if (sArg == "--game-dir")
        pOptions->sGameDir = pszValue;
    else if (sArg == "--log")
        pOptions->sLog = pszValue;
    else
        return OPTION_OTHER;
    ++*pI;
    return OPTION_TAKEN;
}

} // namespace

bool parseDemoArguments(int argc, char** argv, DemoCommonOptions* pOptions,
                        const std::function<int(const std::string& sArg, const char* pszValue)>&
                            readOwn)
{
    for (int i = 1; i < argc; ++i)
    {
        const OptionMatch eMatch = parseCommonOption(argc, argv, &i, pOptions);
        if (eMatch == OPTION_BAD)
            return false;
        if (eMatch == OPTION_TAKEN)
            continue;
        const int nTaken = readOwn(argv[i], i + 1 < argc ? argv[i + 1] : nullptr);
        if (nTaken < 1 || nTaken > 2)
            return false;
        i += nTaken - 1;
    }
    return pOptions->sScreenshot.empty() || pOptions->nFrames > 0;
}

int wrongArguments(const char* pszUsage)
{
    std::fputs(pszUsage, stderr);
    return 2;
}

} // namespace demokit
