#include "shell/gamemain.h"

#include "app/crashhooks.h"
#include "app/datafolder.h"
#include "app/gameapp.h"
#include "app/iplatform.h"
#include "app/log.h"
#include "app/weblinks.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

// The folder of the running program without its trailing "/"; the whole path when it has no
// "/"; "" when it cannot be read.
RIR::String programFolder()
{
    std::vector<char> acPath(PATH_MAX + 1, '\0');
    const ssize_t nLength = readlink("/proc/self/exe", acPath.data(), PATH_MAX);
    if (nLength <= 0)
        return "";
    std::string sPath(acPath.data(), (size_t)nLength);
    const size_t nSlash = sPath.rfind('/');
    if (nSlash == std::string::npos)
        return sPath.c_str();
    if (nSlash == 0)
        return "/";
    return sPath.substr(0, nSlash).c_str();
}

void logEnd()
{
    logPrintf("M: == END ==\n");
    logPrintf("\n");
}

void reportException(const RIR::Exception& e, GameApp* pApp)
{
    const RIR::String sText =
        RIR::String::format("Error : %s [%s:%d]\n", e.getMessage(), e.getFile(), e.getLine());
    const RIR::CallStackSnapshot snapshot(e.getSnapshot());
    logPrintf("\n");
    logPrintf("M: ******************** EXCEPTION ********************\n");
    logPrintf("M:\n");
    logPrintf("M: ");
    logPrintf("%s", sText.c_str());
    logPrintf("M:\n");
    dumpCallTrace(&snapshot);
    logPrintf("M:\n");
    logPrintf("M: ***************************************************\n");
    if (pApp && pApp->getPlatform())
        pApp->getPlatform()->shutdown();
    sendLogReport();
}

} // namespace

void trimLogFile(const char* pszPath, long nLimit)
{
    struct stat info;
    if (pszPath && stat(pszPath, &info) == 0 && (long long)info.st_size > (long long)nLimit)
        unlink(pszPath);
}

int gameMain(int argc, char** argv, AppFactory pfnMakeApp)
{
    initConfigPath(DBD_FILE_PREFIX, DBD_DATA_SUBFOLDER);
    initLogFile(DBD_FILE_PREFIX, DBD_DATA_SUBFOLDER);
    trimLogFile(getLogFileName().c_str(), DBD_LOG_SIZE_LIMIT);

    const RIR::String sFolder = programFolder();
    if (sFolder.length() > 0 && chdir(sFolder.c_str()) != 0)
    {
        // The packs are then looked for in the folder the game was started from.
    }
    logPrintf("\n");
    logPrintf("M: == STARTUP ==\n");
    logPrintf("M: chdir(%s)\n", sFolder.c_str());
    RIR::String sCwd = getCurrentDir();
    if (sCwd.length() > 1 && sCwd.c_str()[sCwd.length() - 1] == '/')
        sCwd = sCwd.substring(0, sCwd.length() - 2);
    logPrintf("M: CWD %s\n", sCwd.c_str());
    initSignals();
    logPrintf("M: initSignals\n");

    if (argc > 1)
    {
        logPrintf("M: Have args\n");
        if (RIR::String(argv[1]) == "-visit")
        {
            openVisitLink("");
            logPrintf("M: After launch [%s]\n", argv[1]);
            logEnd();
            return 0;
        }
    }

    GameApp* pApp = nullptr;
    int nExitCode = 0;
    try
    {
        pApp = pfnMakeApp();
        RIR::List<RIR::String> lWords;
        for (int i = 1; i < argc; ++i)
            lWords.append(argv[i]);
        pApp->setArguments(lWords);
        pApp->run();
        GameApp* pDone = pApp;
        pApp = nullptr;
        delete pDone;
    }
    catch (const RIR::Exception& e)
    {
        reportException(e, pApp ? pApp : GameApp::getInstance());
        // A game that could not run says so to whoever started it.
        nExitCode = 1;
    }
    logEnd();
    closeLog();
    return nExitCode;
}
