// PlayKit: a saloon day on the fake platform with the game's packs (play/kit/playkit.h).
#include "play/kit/playkit.h"

#include "level/diffmanager.h"
#include "shell/loadingdlg.h"
#include "world/worldrandom.h"

#include "app/log.h"
#include "gfx/fontfactorytable.h"
#include "platform/sdl/sdlttffactory.h"
#include "rir2/exception.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

FakePlatform* s_pPlatform = nullptr;

IPlatform* makeFakePlatform(GameApp*, int)
{
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    s_pPlatform = pPlatform;
    return pPlatform;
}

bool fileExists(const std::string& sPath)
{
    struct stat st;
    return stat(sPath.c_str(), &st) == 0;
}

} // namespace

std::string PlayKit::gameFolder()
{
    return DBD_TEST_GAME_DIR;
}

PlayKit::PlayKit() : m_bPacks(false), m_pDay(nullptr), m_nLoadFrames(0)
{
    openLog(m_folder.at("dbd.log").c_str());
    GameApp::setConfigPath(m_folder.at("dbdconfig.dat").c_str());
    if (!fileExists(gameFolder() + "/misc.dat") || !fileExists(gameFolder() + "/sound1.dat"))
        return;
    // The application opens its packs by name from the working folder, as the game does.
    char szOld[4096];
    if (getcwd(szOld, sizeof(szOld)) != nullptr)
        m_sOldFolder = szOld;
    if (chdir(gameFolder().c_str()) != 0)
        return;
    m_bPacks = true;
    // The theme's fonts are TrueType faces of the packs, as on the game's platform.
    m_pFonts = new SDLTTFFactory();
    FontFactoryTable::registerFactory("TrueType", m_pFonts.get());
    const FirstModes modes = {nullptr, nullptr, nullptr};
    m_pApp.reset(new DBDApp(&makeFakePlatform, modes));
    try
    {
        m_pApp->onInit();
    }
    catch (const RIR::Exception& e)
    {
        m_sError = std::string(e.getClassName()) + ": " + e.getMessage();
    }
}

PlayKit::~PlayKit()
{
    m_pApp.reset();
    s_pPlatform = nullptr;
    if (m_pFonts)
    {
        FontFactoryTable::unregisterFactory("TrueType");
        m_pFonts->clearCache();
    }
    if (!m_sOldFolder.empty() && chdir(m_sOldFolder.c_str()) != 0)
        std::abort();
    closeLog();
}

FakePlatform* PlayKit::platform() const
{
    return m_pApp ? s_pPlatform : nullptr;
}

RIR::SmartPtr<RecordingLog> PlayKit::audioLog() const
{
    return platform()->getLog();
}

void PlayKit::setSetting(const char* pszKey, const char* pszValue)
{
    m_pApp->setSetting(pszKey, pszValue);
}

PlayMode* PlayKit::pushDay(int nGameType, int nLength, int nDifficulty, int nLevel,
                           unsigned int nSeed)
{
    DifficultyManager* pRules = new DifficultyManager(nGameType, nLength, nDifficulty, nLevel);
    pRules->getRandom().seed(nSeed);
    worldRandom().seed(nSeed);
    std::srand(nSeed);
    m_pDay = new PlayMode(pRules, nSeed);
    m_pApp->pushMode(m_pDay);
    return m_pDay;
}

PlayMode* PlayKit::startDay(int nGameType, int nLength, int nDifficulty, int nLevel,
                            unsigned int nSeed)
{
    pushDay(nGameType, nLength, nDifficulty, nLevel, nSeed);
    m_nLoadFrames = 0;
    while (!m_pDay->isLoaded() && m_nLoadFrames < 10000)
    {
        m_pDay->update(0.01f);
        ++m_nLoadFrames;
    }
    // The loading dialog ends on its next update and uncovers the day (a story day then shows
    // its pre-level page over itself).
    if (dynamic_cast<LoadingDlg*>(m_pApp->getTopMode()) != nullptr)
        m_pApp->getTopMode()->update(0.0f);
    return m_pDay;
}

void PlayKit::frame(float fDt)
{
    m_pDay->update(fDt);
}

void PlayKit::run(float fSeconds, float fStep)
{
    float fLeft = fSeconds;
    while (fLeft > 1e-6f)
    {
        const float fDt = fLeft < fStep ? fLeft : fStep;
        frame(fDt);
        fLeft -= fDt;
    }
}
