#include "app/datafolder.h"

#include "app/sysinfo.h"

#include "rir2/calltrace.h"
#include "rir2/file.h"
#include "rir2/list.h"
#include "rir2/random.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

// Creates the folder. An existing one is fine, and any other failure shows in the writability
// probe that follows every creation, so the result is not looked at.
void makeFolder(const char* pszPath, mode_t nMode)
{
    RIR_TRACE("makeFolder");
    (void)mkdir(pszPath, nMode);
}

// Creates every missing folder of an absolute path, like "mkdir -p".
void makeFolders(const RIR::String& sPath, mode_t nMode)
{
    RIR_TRACE("makeFolders");
    const RIR::List<RIR::String> lParts = sPath.split("/");
    RIR::String sSoFar;
    for (int i = 0; i < lParts.getLength(); ++i)
    {
        sSoFar += "/";
        sSoFar += lParts.get(i);
        makeFolder(sSoFar.c_str(), nMode);
    }
}

// The user's data home ending in "/": $XDG_DATA_HOME when it is an absolute path (relative
// values are not valid there and are ignored), else the home folder's ".local/share"; created
// when missing. "" when neither is known.
RIR::String getUserDataHome()
{
    RIR_TRACE("getUserDataHome");
    RIR::String sBase;
    const char* pszXdg = std::getenv("XDG_DATA_HOME");
    if (pszXdg && pszXdg[0] == '/')
        sBase = pszXdg;
    else
    {
        const RIR::String sHome = getHomeFolder();
        if (sHome.length() == 0)
            return "";
        sBase = sHome;
        if (*sBase.at(-1) != '/')
            sBase += "/";
        sBase += ".local/share";
    }
    // Private to the user, as a data home should be when it has to be made.
    makeFolders(sBase, 0700);
    if (*sBase.at(-1) != '/')
        sBase += "/";
    return sBase;
}

} // namespace

bool isFolderWritable(const char* pszFolder)
{
    RIR_TRACE("isFolderWritable");
    const char* pszPrefix = pszFolder ? pszFolder : "";
    RIR::Random random;
    RIR::String sProbe;
    do
    {
        const unsigned int nHigh = random.next32();
        const unsigned int nLow = random.next32();
        sProbe = RIR::String(pszPrefix) + RIR::String::format("%08X%08X", nHigh, nLow);
    } while (RIR::fileExists(sProbe.c_str()));

    RIR_TRACE_LINE();
    FILE* pFile = std::fopen(sProbe.c_str(), "wb");
    if (!pFile)
        return false;
    std::fclose(pFile);
    std::remove(sProbe.c_str());
    return true;
}

RIR::String getDataFolder(const char* pszSubPath)
{
    RIR_TRACE("getDataFolder");
    RIR::String sBase = getUserDataHome();
    if (isFolderWritable(sBase.c_str()))
    {
        if (!pszSubPath)
            return sBase;
        // The game names its folder with backslashes; both separators are accepted.
        const RIR::List<RIR::String> lParts = RIR::String(pszSubPath).split("\\/");
        for (int i = 0; i < lParts.getLength(); ++i)
        {
            sBase += lParts.get(i);
            RIR_TRACE_LINE();
            makeFolder(sBase.c_str(), 0777);
            sBase += "/";
            if (!isFolderWritable(sBase.c_str()))
                break;
        }
        if (isFolderWritable(sBase.c_str()))
            return sBase;
    }

    // Fall-back: the home folder itself, without the sub-path. Without a home folder the base
    // keeps its last value.
    RIR_TRACE_LINE();
    const RIR::String sHome = getHomeFolder();
    if (sHome.length() > 0)
    {
        sBase = sHome;
        if (*sBase.at(-1) != '/')
            sBase += "/";
    }
    return isFolderWritable(sBase.c_str()) ? sBase : RIR::String();
}

RIR::String getCurrentDir()
{
    RIR_TRACE("getCurrentDir");
    // No fixed limit: the buffer grows until the whole path fits.
    std::vector<char> aBuffer(4096);
    while (!getcwd(aBuffer.data(), aBuffer.size()))
    {
        if (errno != ERANGE)
            return "";
        aBuffer.resize(aBuffer.size() * 2);
    }
    RIR::String sDir = aBuffer.data();
    if (sDir.length() == 0 || *sDir.at(-1) != '/')
        sDir += "/";
    return sDir;
}

RIR::String getFullPath(const char* pszPath)
{
    RIR_TRACE("getFullPath");
    if (!pszPath || !pszPath[0])
        return "";
    RIR::String sWhole;
    if (pszPath[0] == '/')
        sWhole = pszPath;
    else
    {
        sWhole = getCurrentDir();
        if (sWhole.length() == 0)
            return "";
        sWhole += pszPath;
    }

    RIR_TRACE_LINE();
    const RIR::List<RIR::String> lParts = sWhole.split("/");
    RIR::List<RIR::String> lKept;
    for (int i = 0; i < lParts.getLength(); ++i)
    {
        const RIR::String sPart = lParts.get(i);
        if (sPart == ".")
            continue;
        if (sPart == "..")
        {
            if (lKept.getLength() > 0)
                lKept.removeAt(lKept.getLength() - 1);
            continue;
        }
        lKept.append(sPart);
    }

    RIR::String sResult;
    for (int i = 0; i < lKept.getLength(); ++i)
    {
        sResult += "/";
        sResult += lKept.get(i);
    }
    if (sResult.length() == 0)
        return "/";
    if (pszPath[std::strlen(pszPath) - 1] == '/')
        sResult += "/";
    return sResult;
}
