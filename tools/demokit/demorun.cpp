#include "demorun.h"

#include "app/gameapp.h"
#include "app/log.h"

#include "rir2/exception.h"

#include <cstdio>

namespace demokit
{

int runDemo(const DemoRun& run)
{
    openLog(run.sLog.c_str());
    disableSaving();
    int nExit = 1;
    GameApp* pApp = nullptr;
    try
    {
        pApp = run.create();
        nExit = pApp->run();
        if (run.report)
            run.report(pApp);
        if (run.screenshot && !run.screenshot(pApp))
            nExit = 3;
        delete pApp;
        pApp = nullptr;
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "%s: %s : %s\n", run.pszProgram, e.getClassName(), e.getMessage());
        logPrintf("M: %s : %s\n", e.getClassName(), e.getMessage());
        delete pApp;
        nExit = 1;
    }
    std::fflush(stdout);
    closeLog();
    return nExit;
}

} // namespace demokit
