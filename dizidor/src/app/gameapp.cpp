// GameApp's life: construction, start-up, shutdown and the emergency exit.
#include "app/gameapp.h"

#include "app/dummyaudiodriver.h"
#include "app/iplatform.h"
#include "app/ivideodriver.h"
#include "app/log.h"
#include "app/sysinfo.h"
#include "gfx/animation.h"
#include "gfx/imagefactory.h"
#include "gfx/particleemitter.h"
#include "gfx/simplefontcore.h"
#include "gfx/sprite.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace
{

const char* const LIBRARY_VERSION = "1.4.0";
// The log opened by an application whose program opened none.
const char* const DEFAULT_LOG_NAME = "dizidor.log";
// Environment values of this many bytes or more are not taken.
const size_t ENV_VALUE_LIMIT = 1024;

// Set by the first emergencyExit. Atomic because the crash handler may reach it.
std::atomic<bool> s_bEmergencyExitStarted(false);

void logMemoryLine()
{
    RIR_TRACE("logMemoryLine");
    int nAvailable = 0;
    int nTotal = 0;
    getMemoryStatus(&nAvailable, &nTotal);
    logPrintf("G: RAM %d/%d\n", nAvailable, nTotal);
}

} // namespace

GameApp* GameApp::s_pInstance = nullptr;

GameApp::GameApp()
    : m_pPlatform(nullptr), m_pAudioDriver(nullptr), m_bOwnsAudioDriver(false), m_bQuit(false),
      m_nExitCode(0), m_pSystemFontFactory(nullptr), m_bAudioOK(false),
      m_hStrings(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS),
      m_hImageAliases(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS),
      m_hResourceAliases(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS),
      m_hAnimations(RIR::Hash<RIR::String, RIR::SmartPtr<Animation>>::DEFAULT_BUCKETS),
      m_bAnimsPending(false), m_nSoundVolume(0), m_nMusicVolume(0), m_bAskingQuit(false),
      m_bConfirmQuit(false), m_bWasFullscreen(false), m_bSuppressActivation(false),
      m_bStackChanged(false), m_nConfigStatus(0), m_nFPS(0), m_nFrameDelay(0), m_nFrameCount(0),
      m_bRender(true), m_bSkipUpdate(false), m_fMaxFrameTime(100.0f), m_eFrameTimePolicy(0),
      m_hSettings(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS), m_servicesLink(this)
{
    RIR_TRACE("GameApp::GameApp");
    s_pInstance = this;
    setAppServices(&m_servicesLink);
    if (!getLogFile())
        openLog(DEFAULT_LOG_NAME);
    logPrintf("G: Init Quillmoor DiziDor %s\n", LIBRARY_VERSION);
    logPrintf("G: OS %s\n", getOSVersionText().c_str());
    logMemoryLine();
}

GameApp::~GameApp()
{
    RIR_TRACE("GameApp::~GameApp");
    logPrintf("\n");
    logPrintf("G: Shutdown\n");
    logMemoryLine();

    logPrintf("G: ...modes\n");
    deleteAllModes();

    logPrintf("G: ...resources\n");
    m_lProviders.clearAndDelete();

    logPrintf("G: ...platform\n");
    // What the caches and the animations hold is released while the drivers that made it still
    // exist; the loaders go with the drivers. The particle definitions hold pictures and
    // animations too.
    ParticleEmitter::destroyDefinitionCache();
    if (IFramePanelBuilder::getInstalled() == m_pTheme.get())
        IFramePanelBuilder::install(nullptr);
    m_pTheme.release();
    m_pSystemFontGlyphs.release();
    m_pSystemFontFactory = nullptr;
    m_pAnimLoader.release();
    m_hPendingAnimations.clear();
    m_hAnimations.clear();
    m_imageCache.clear();
    m_sampleCache.clear();
    m_musicCache.clear();
    m_imageCache.setLoader(nullptr);
    m_sampleCache.setLoader(nullptr);
    m_musicCache.setLoader(nullptr);
    delete m_pPlatform;
    m_pPlatform = nullptr;
    if (m_bOwnsAudioDriver)
        delete m_pAudioDriver;
    m_pAudioDriver = nullptr;
    m_bOwnsAudioDriver = false;
    m_bAudioOK = false;

    if (s_pInstance == this)
        s_pInstance = nullptr;
    if (getAppServices() == &m_servicesLink)
        setAppServices(nullptr);
    logPrintf("G: Quit\n");
    // The remaining members go in reverse order of declaration; the caches release what they
    // still hold.
}

GameApp* GameApp::getInstance()
{
    return s_pInstance;
}

void GameApp::setPlatform(IPlatform* pPlatform)
{
    RIR_TRACE("GameApp::setPlatform");
    m_pPlatform = pPlatform;
}

void GameApp::init(int nWidth, int nHeight, int nFlags, RIR::SmartPtr<Image> pIcon)
{
    RIR_TRACE("GameApp::init");
    if (nFlags == VF_FROM_SETTINGS)
        nFlags = flagsFromSettings();
    if (!m_pPlatform)
        RIR_THROW(FatalErrorException, "No platform specified");

    logPrintf("G: Init platform : %s\n", m_pPlatform->getName());
    RIR_TRACE_LINE();
    m_pPlatform->init();
    IVideoDriver* pVideo = m_pPlatform->getVideoDriver();
    if (!pVideo)
        RIR_THROW(FatalErrorException, "No video driver specified");

    logPrintf("G: Init video : %s\n", pVideo->getName());
    RIR_TRACE_LINE();
    pVideo->init(pIcon);
    // A driver that can set no mode at all tells the user and ends the program itself.
    pVideo->setVideoMode(nWidth, nHeight, nFlags);
    Sprite::setVideoDriver(pVideo);
    setCustomCursor(isCustomCursorSetting());

    IAudioDriver* pPlatformAudio =
        (nFlags & VF_NO_AUDIO) == 0 ? m_pPlatform->getAudioDriver() : nullptr;
    const bool bAudioWanted = pPlatformAudio != nullptr;
    if (bAudioWanted)
    {
        RIR_TRACE_LINE();
        m_bAudioOK = pPlatformAudio->init();
    }
    logPrintf("G: Init audio : %s\n", m_bAudioOK ? "OK" : bAudioWanted ? "FAIL" : "DISABLED");
    if (m_bAudioOK)
    {
        m_pAudioDriver = pPlatformAudio;
    }
    else
    {
        if (m_bOwnsAudioDriver)
            delete m_pAudioDriver; // an earlier init's silent driver
        DummyAudioDriver* pDummy = new DummyAudioDriver();
        m_pAudioDriver = pDummy;
        m_bOwnsAudioDriver = true;
        pDummy->init();
        logPrintf("G: Using dummy audio driver\n");
    }

    m_imageCache.setLoader(m_pPlatform->getImageFactory());
    m_sampleCache.setLoader(m_pAudioDriver->getSampleLoader());
    m_musicCache.setLoader(m_pAudioDriver->getMusicLoader());

    registerFontFactories();
    addSystemResources();
    installDefaultTheme();

    setMusicVolume(RIR::String::toInt(getSetting("MusicVolume").c_str()));
    setSoundVolume(RIR::String::toInt(getSetting("SoundVolume").c_str()));
    std::srand((unsigned)std::time(nullptr));
    setFPS(60);
    setMaxFrameTime(0.05f, FTP_CLAMP);
    logPrintf("G: Init done\n");
}

int GameApp::getTotalMemoryMB() const
{
    RIR_TRACE("GameApp::getTotalMemoryMB");
    int nAvailable = 0;
    int nTotal = 0;
    getMemoryStatus(&nAvailable, &nTotal);
    return nTotal;
}

int GameApp::getAvailableMemoryMB() const
{
    RIR_TRACE("GameApp::getAvailableMemoryMB");
    int nAvailable = 0;
    int nTotal = 0;
    getMemoryStatus(&nAvailable, &nTotal);
    return nAvailable;
}

void GameApp::reportMissingResource(const char* /*pszText*/)
{
    RIR_TRACE("GameApp::reportMissingResource");
}

void GameApp::onInit()
{
    RIR_TRACE("GameApp::onInit");
}

void GameApp::onVideoModeChanged()
{
    RIR_TRACE("GameApp::onVideoModeChanged");
}

// ---- the application as the drivers see it ----------------------------------------------------

IPlatform* GameApp::ServicesLink::getPlatform()
{
    RIR_TRACE("GameApp::ServicesLink::getPlatform");
    return m_pApp->getPlatform();
}

RIR::SmartPtr<Music> GameApp::ServicesLink::getMusic(const char* pszName)
{
    RIR_TRACE("GameApp::ServicesLink::getMusic");
    return m_pApp->getMusic(pszName);
}

RIR::String GameApp::ServicesLink::resolveResourceName(const char* pszName,
                                                       const char* const* ppszExtensions)
{
    RIR_TRACE("GameApp::ServicesLink::resolveResourceName");
    return m_pApp->resolveResourceName(pszName, ppszExtensions);
}

// ---- free functions ---------------------------------------------------------------------------

void emergencyExit()
{
    RIR_TRACE("emergencyExit");
    // A second call comes from a crash inside the first, possibly inside exit itself: running
    // exit again is not safe then, so it leaves at once.
    if (s_bEmergencyExitStarted.exchange(true))
        ::_exit(1);
    GameApp* pApp = GameApp::getInstance();
    if (pApp && pApp->getPlatform())
        pApp->getPlatform()->shutdown();
    std::exit(1);
}

RIR::String getEnvVariable(const char* pszName)
{
    RIR_TRACE("getEnvVariable");
    const char* pszValue = std::getenv(pszName ? pszName : "");
    if (!pszValue || std::strlen(pszValue) >= ENV_VALUE_LIMIT)
        return RIR::String();
    return RIR::String(pszValue);
}

void GameApp::setArguments(const RIR::List<RIR::String>& lArguments)
{
    RIR_TRACE("GameApp::setArguments");
    m_lArguments = lArguments;
}

RIR::List<RIR::String> GameApp::getArguments() const
{
    RIR_TRACE("GameApp::getArguments");
    return m_lArguments;
}
