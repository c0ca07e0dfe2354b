// DBDApp: start-up, exit, the default settings, the results slot and the switches.
#include "shell/dbdapp.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "level/pausablelevel.h"
#include "shell/curl/curlhttpclient.h"
#include "shell/exitconfirmmode.h"
#include "shell/gamescreens.h"
#include "shell/intromode.h"
#include "shell/levelfactory.h"
#include "shell/menuframe.h"

#include "app/gamemode.h"
#include "app/iplatform.h"
#include "app/ivideodriver.h"
#include "app/log.h"
#include "app/weblinks.h"
#include "gfx/imagefactory.h"
#include "ui/splashscreen.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace
{

// The packs of the first resource set, in the order they are added (the language pack first).
const char* const FIRST_PACKS[] = {"misc.dat",  "characters.dat", "dolly.dat",
                                   "scenes.dat", "sound.dat",      "story.dat"};
// The second set, added once per run.
const char* const EXTRA_PACKS[] = {"characters1.dat", "dolly1.dat", "scenes1.dat", "sound1.dat",
                                   "story1.dat"};
const char* const TEXT_TABLES[] = {"messages.txt", "credits.txt", "story.txt", "private.txt"};

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const float LOGO_SECONDS = 3.0f;

GameMode* makeMenu()
{
    return new MenuFrame();
}

GameMode* makeIntro()
{
    return new IntroMode();
}

// The splash screen: the optional third-party logo without music, then the publisher's logo
// with the intro music, each 3 s between its fades.
GameMode* makeSplash(bool bThirdPartyLogo)
{
    SplashScreen* pSplash = new SplashScreen();
    if (bThirdPartyLogo)
        pSplash->addStandardLogo("3p_splash", LOGO_SECONDS, nullptr);
    pSplash->addStandardLogo("splash_quillmoor", LOGO_SECONDS, "intro");
    return pSplash;
}

} // namespace

FirstModes DBDApp::gameModes()
{
    FirstModes modes;
    modes.pfnMenu = &makeMenu;
    modes.pfnIntro = &makeIntro;
    modes.pfnSplash = &makeSplash;
    return modes;
}

DBDApp::DBDApp(PlatformMaker pfnMakePlatform) : DBDApp(pfnMakePlatform, gameModes())
{
    MenuFrame::setScreens(gameMenuScreens());
}

DBDApp::DBDApp(PlatformMaker pfnMakePlatform, const FirstModes& modes)
    : m_pfnMakePlatform(pfnMakePlatform),
      m_firstModes(modes),
      m_bIntroDone(false),
      m_bExtraResourcesLoaded(false),
      m_pGameResults(nullptr),
      m_pLevelFactory(nullptr)
{
}

DBDApp::~DBDApp()
{
    delete m_pGameResults;
}

std::shared_ptr<IHttpClient> DBDApp::getHttpClient()
{
    // Made on first use, so that a run without an online exchange never sets libcurl up.
    if (!m_pHttpClient)
        m_pHttpClient = std::make_shared<CurlHttpClient>();
    return m_pHttpClient;
}

DBDApp* DBDApp::getInstance()
{
    return dynamic_cast<DBDApp*>(GameApp::getInstance());
}

void DBDApp::onInit()
{
    RIR_TRACE("DBDApp::onInit");
    logPrintf("W: >oIA\n");
    logPrintf("W: DBD %d.%d.%d %s [%s]\n", DBD_VERSION_MAJOR, DBD_VERSION_MINOR, DBD_VERSION_BUILD,
              "", "QUIL/WIN");

    RIR_TRACE_LINE();
    loadConfig();
    logPrintf("W: CFG OK\n");
    logPrintf("W: Init FULL\n");
    logPrintf(isVersionA() ? "W: ABTest 'A'\n" : "W: ABTest 'B'\n");

    RIR_TRACE_LINE();
    loadResourceFiles();

    // "FullScreenFailed" is "TRUE" on disk only while a switch to full screen is under way: a
    // start that finds it so died during the last attempt and opens windowed.
    bool bFullscreen = isFullscreenSetting();
    if (bFullscreen)
    {
        if (getSetting("FullScreenFailed") == "TRUE")
            bFullscreen = false;
        else
        {
            setSetting("FullScreenFailed", "TRUE");
            saveSettings();
        }
    }
    int nFlags = IVideoDriver::flagsFromBpp(atoi(getSetting("BPP").c_str()));
    if (bFullscreen)
        nFlags |= VF_FULLSCREEN;

    RIR_TRACE_LINE();
    RIR_ASSERT(m_pfnMakePlatform != NULL);
    setPlatform(m_pfnMakePlatform(this, isLowResourcesMode() ? 22050 : 44100));

    // The icon is read through the platform's image factory, which exists from here on (the
    // application's caches load only after init).
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pIcon;
    if (getPlatform()->getImageFactory())
        pIcon = getPlatform()->getImageFactory()->loadWithFlags("icon", false);
    init(SCREEN_WIDTH, SCREEN_HEIGHT, nFlags, pIcon);
    if (bFullscreen)
    {
        setSetting("FullScreenFailed", "FALSE");
        saveSettings();
    }

    RIR_TRACE_LINE();
    setCaption(getString("CaptionLoading"));
    setMusicVolume(atoi(getSetting("MusicVolume").c_str()));
    setSoundVolume(atoi(getSetting("SoundVolume").c_str()));
    loadTheme("dolly.theme");
    setCaption(getString("Caption"));
    showCursor(true);

    RIR_TRACE_LINE();
    if (m_firstModes.pfnMenu)
    {
        GameMode* pMenu = m_firstModes.pfnMenu();
        if (pMenu)
            pushMode(pMenu);
    }
    if (m_firstModes.pfnIntro)
    {
        GameMode* pIntro = m_firstModes.pfnIntro();
        if (pIntro)
            pushMode(pIntro);
    }
    if (m_firstModes.pfnSplash)
    {
        GameMode* pSplash = m_firstModes.pfnSplash(canLoadImage("3p_splash"));
        if (pSplash)
            pushMode(pSplash);
    }

    delete m_pGameResults;
    m_pGameResults = nullptr;
    logPrintf("W: <oIA\n");
}

void DBDApp::loadResourceFiles()
{
    RIR_TRACE("DBDApp::loadResourceFiles");
    addResourceFile(RIR::String::format("lang_%s.dat", "en").c_str(), false);
    for (const char* pszPack : FIRST_PACKS)
    {
        RIR_TRACE_LINE();
        addResourceFile(pszPack, false);
    }
    addResourceFolder("3rdparty", false);
    loadExtraResourceFiles();
    for (const char* pszTable : TEXT_TABLES)
    {
        RIR_TRACE_LINE();
        loadStrings(pszTable);
    }
    if (getEnvVariable("DBD_LIST_RESOURCES") == "TRUE")
    {
        dumpResourceNames();
        dumpStringNames();
    }
}

void DBDApp::loadExtraResourceFiles()
{
    RIR_TRACE("DBDApp::loadExtraResourceFiles");
    if (m_bExtraResourcesLoaded)
        return;
    for (const char* pszPack : EXTRA_PACKS)
    {
        RIR_TRACE_LINE();
        addResourceFile(pszPack, false);
    }
    m_bExtraResourcesLoaded = true;
}

void DBDApp::onExit()
{
    RIR_TRACE("DBDApp::onExit");
    if (isFullscreen())
        setSetting("FullScreenFailed", "FALSE");
    // The link file is optional: a build that ships none opens nothing.
    if (access("play.url", R_OK) == 0)
        openURL("play.url");
    GameApp::onExit();
}

void DBDApp::onAppDeactivated()
{
    RIR_TRACE("DBDApp::onAppDeactivated");
    GameApp::onAppDeactivated();
    PausableLevel* pLevel = dynamic_cast<PausableLevel*>(getTopMode());
    if (pLevel && pLevel->isLoaded())
    {
        RIR_TRACE_LINE();
        pLevel->showOptions();
    }
}

void DBDApp::askQuitConfirmation()
{
    RIR_TRACE("DBDApp::askQuitConfirmation");
    pushMode(new ExitConfirmMode());
}

void DBDApp::setDefaultSettings()
{
    RIR_TRACE("DBDApp::setDefaultSettings");
    setSetting("Fullscreen", "TRUE");
    srand((unsigned)time(nullptr));
    setSetting("ABTestingVersionB", rand() % 2 == 0 ? "TRUE" : "FALSE");
    setSetting("SoundVolume", "255");
    setSetting("MusicVolume", "36");
    setSetting("LastInterlevel", "0");
    setSetting("StoryDiff", "1");
    setSetting("TimedDifficulty", "1");
    setSetting("HighscoreDifficulty", "1");
    setSetting("EndLevelTime", isVersionA() ? "10" : "2");
}

void DBDApp::reportMissingResource(const char* pszText)
{
    logPrintf("W: Missing resource %s\n", pszText ? pszText : "");
}

void DBDApp::setLastResults(GameResults* pResults)
{
    RIR_TRACE("DBDApp::setLastResults");
    RIR_ASSERT(m_pGameResults == NULL);
    m_pGameResults = pResults;
    RIR_ASSERT(m_pGameResults != NULL);
}

GameResults* DBDApp::takeLastResults()
{
    RIR_TRACE("DBDApp::takeLastResults");
    RIR_ASSERT(m_pGameResults != NULL);
    GameResults* pResults = m_pGameResults;
    m_pGameResults = nullptr;
    return pResults;
}

GameMode* DBDApp::createLevel(DifficultyManager* pDifficulty, int nScoreTotal)
{
    RIR_TRACE("DBDApp::createLevel");
    if (m_pLevelFactory == nullptr)
    {
        delete pDifficulty;
        RIR_ASSERT(m_pLevelFactory != NULL);
    }
    return m_pLevelFactory->createLevel(pDifficulty, nScoreTotal);
}

GameResults* DBDApp::getLastResults()
{
    RIR_TRACE("DBDApp::getLastResults");
    RIR_ASSERT(m_pGameResults != NULL);
    return m_pGameResults;
}

bool DBDApp::isLowResourcesMode() const
{
    return getSetting("LowResourcesMode") == "TRUE";
}

void DBDApp::setLowResourcesMode(bool bOn)
{
    RIR_TRACE("DBDApp::setLowResourcesMode");
    setSetting("LowResourcesMode", bOn ? "TRUE" : "FALSE");
}

bool DBDApp::isVersionA() const
{
    return getSetting("ABTestingVersionB") != "TRUE";
}
