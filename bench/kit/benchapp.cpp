// BenchApp: the game's application on the recording or the GL device (kit/benchapp.h).
#include "kit/benchapp.h"

#include "game/gameplatform.h"

#include "app/log.h"
#include "gfx/fontfactorytable.h"
#include "platform/sdl/sdlttffactory.h"
#include "rir2/exception.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/modeframedrawer.h"
#include "testkit/recordingvideodriver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

FakePlatform* s_pFake = nullptr;
// The fonts of the fake platform (the SDL platform registers its own).
RIR::SmartPtr<SDLTTFFactory> s_pFonts;

IPlatform* makeRecordingPlatform(GameApp* pApp, int)
{
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    // Every drawn sprite of the modes is walked, as a real driver walks them.
    pPlatform->getRecordingVideoDriver()->setFrameDrawer(modeFrameDrawer(pApp));
    s_pFake = pPlatform;
    return pPlatform;
}

// The game's own platform, without a script, a fixed step or a frame limit.
IPlatform* makeGLPlatform(GameApp* pApp, int nAudioFrequency)
{
    return makeGamePlatform(pApp, nAudioFrequency, GamePlatform::Options());
}

bool fileExists(const std::string& sPath)
{
    struct stat st;
    return stat(sPath.c_str(), &st) == 0;
}

} // namespace

BenchApp::BenchApp(Device eDevice, const FirstModes& modes)
    : m_eDevice(eDevice), m_modes(modes), m_nLastTime(0), m_nNextTime(0)
{
    char szFolder[] = "/tmp/dbd_bench_XXXXXX";
    if (mkdtemp(szFolder) != nullptr)
        m_sFolder = szFolder;
}

BenchApp::~BenchApp()
{
    m_pApp.reset();
    s_pFake = nullptr;
    if (s_pFonts)
    {
        FontFactoryTable::unregisterFactory("TrueType");
        s_pFonts->clearCache();
        s_pFonts.release();
    }
    if (!m_sOldFolder.empty() && chdir(m_sOldFolder.c_str()) != 0)
        std::perror("chdir");
    closeLog();
    if (!m_sFolder.empty())
    {
        std::error_code error;
        std::filesystem::remove_all(m_sFolder, error);
    }
}

std::string BenchApp::gameFolder()
{
    return DBD_BENCH_GAME_DIR;
}

std::string BenchApp::tempPath(const char* pszName) const
{
    return m_sFolder + "/" + pszName;
}

FakePlatform* BenchApp::fakePlatform() const
{
    return m_eDevice == DEVICE_RECORDING && m_pApp ? s_pFake : nullptr;
}

bool BenchApp::start()
{
    if (m_sFolder.empty())
    {
        m_sError = "no temporary folder";
        return false;
    }
    if (!fileExists(gameFolder() + "/misc.dat") || !fileExists(gameFolder() + "/sound1.dat"))
    {
        m_sError = "the game's packs are not built in " + gameFolder() + " (target content)";
        return false;
    }
    openLog(tempPath("dbd.log").c_str());
    GameApp::setConfigPath(tempPath("dbdconfig.dat").c_str());
    char szOld[4096];
    if (getcwd(szOld, sizeof(szOld)) != nullptr)
        m_sOldFolder = szOld;
    if (chdir(gameFolder().c_str()) != 0)
    {
        m_sError = "cannot enter " + gameFolder();
        return false;
    }
    if (m_eDevice == DEVICE_RECORDING)
    {
        s_pFonts = new SDLTTFFactory();
        FontFactoryTable::registerFactory("TrueType", s_pFonts.get());
    }
    m_pApp.reset(new DBDApp(m_eDevice == DEVICE_RECORDING ? &makeRecordingPlatform : &makeGLPlatform,
                            m_modes));
    try
    {
        m_pApp->onInit();
    }
    catch (const RIR::Exception& e)
    {
        m_sError = std::string(e.getClassName()) + ": " + e.getMessage();
        return false;
    }
    m_pApp->setFPS(0);
    m_nLastTime = m_pApp->getTicks();
    m_nNextTime = m_nLastTime;
    return true;
}

double BenchApp::frame(int nGameMs)
{
    if (FakePlatform* pFake = fakePlatform())
    {
        // The recording log would keep every call of the whole run; a real device keeps none.
        pFake->getLog()->clear();
        pFake->advance((unsigned int)nGameMs);
    }
    const auto tStart = std::chrono::steady_clock::now();
    m_pApp->stepFrame(&m_nLastTime, &m_nNextTime, false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - tStart)
        .count();
}

int BenchApp::lastFrameDraws() const
{
    FakePlatform* pFake = fakePlatform();
    return pFake ? pFake->getRecordingVideoDriver()->getFrameDraws().getLength() : -1;
}

void readResidentMemory(double* pfRssMB, double* pfPeakMB)
{
    *pfRssMB = -1.0;
    *pfPeakMB = -1.0;
    FILE* pFile = std::fopen("/proc/self/status", "r");
    if (!pFile)
        return;
    char szLine[256];
    while (std::fgets(szLine, sizeof(szLine), pFile))
    {
        long nKB = 0;
        if (std::sscanf(szLine, "VmRSS: %ld kB", &nKB) == 1)
            *pfRssMB = nKB / 1024.0;
        else if (std::sscanf(szLine, "VmHWM: %ld kB", &nKB) == 1)
            *pfPeakMB = nKB / 1024.0;
    }
    std::fclose(pFile);
}
