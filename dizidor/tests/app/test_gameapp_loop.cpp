// The application object on the fake platform: start-up and its log, the frame loop (waiting,
// dt, the frame-time policy, the audio driver's unclamped dt, the frame counter, the order of a
// frame, deletion of ended modes, the tick wrap), quitting, shutdown and the emergency exit.
#include "app/gameapp.h"

#include "app/dummyaudiodriver.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/tests/raises.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"
#include "testkit/recordingvideodriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<GameApp>, "one application object");
static_assert(std::has_virtual_destructor_v<GameApp>, "the game derives its application");

// ---- a recording screen mode --------------------------------------------------------------------

namespace
{
int g_nModesDeleted = 0;

// Records the dt of every update and runs an optional action in it.
class LoopMode : public GameMode
{
public:
    explicit LoopMode(const RIR::SmartPtr<RecordingLog>& pLog = nullptr,
                      int nFlags = MF_ACTIVE | MF_VISIBLE)
        : m_pLog(pLog), m_nExitCalls(0)
    {
        setFlags(nFlags);
    }
    ~LoopMode() override { ++g_nModesDeleted; }

    void update(float fDt) override
    {
        m_afDts.push_back(fDt);
        if (m_pLog)
            m_pLog->add("mode.update");
        if (m_onUpdate)
            m_onUpdate();
    }
    void onAppExit() override { ++m_nExitCalls; }

    RIR::SmartPtr<RecordingLog> m_pLog;
    int m_nExitCalls;
    std::vector<float> m_afDts;
    std::function<void()> m_onUpdate;
};

} // namespace

namespace
{

// ---- fixtures ----------------------------------------------------------------------------------

// A recording audio driver that also keeps the dt of every update.
class DtAudioDriver : public RecordingAudioDriver
{
public:
    explicit DtAudioDriver(const RIR::SmartPtr<RecordingLog>& pLog) : RecordingAudioDriver(pLog) {}
    void update(float fDt) override
    {
        m_afDts.push_back(fDt);
        getLog()->add("audio.update");
        RecordingAudioDriver::update(fDt);
    }
    std::vector<float> m_afDts;
};

// A video driver that cannot draw a software cursor.
class NoSoftwareCursorDriver : public RecordingVideoDriver
{
public:
    explicit NoSoftwareCursorDriver(const RIR::SmartPtr<RecordingLog>& pLog)
        : RecordingVideoDriver(pLog)
    {
    }
    void setSoftwareCursor(bool /*bSoftware*/) override
    {
        RecordingVideoDriver::setSoftwareCursor(false);
    }
};

// An application whose start-up installs the platform it is given and runs init, as the game's
// does, then runs an optional action.
class TestApp : public GameApp
{
public:
    void onInit() override
    {
        if (m_pPlatformToInstall)
        {
            setPlatform(m_pPlatformToInstall);
            init(800, 600, 0, RIR::SmartPtr<Image>());
        }
        if (m_onInit)
            m_onInit();
    }
    void askQuitConfirmation() override { ++m_nAsked; }

    IPlatform* m_pPlatformToInstall = nullptr;
    std::function<void()> m_onInit;
    int m_nAsked = 0;
};

class GameAppLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_nModesDeleted = 0;
        m_sLogPath = m_folder.at("app.log");
        openLog(m_sLogPath.c_str());
        GameApp::setConfigPath(m_folder.at("config.dat").c_str());
    }
    void TearDown() override
    {
        m_pApp.reset();
        closeLog();
    }

    // A fake platform whose audio driver keeps its dts; not yet installed.
    FakePlatform* makePlatform()
    {
        FakePlatform* pPlatform = new FakePlatform();
        m_pLog = pPlatform->getLog();
        m_pAudio = new DtAudioDriver(m_pLog);
        pPlatform->setAudioDriver(m_pAudio);
        return pPlatform;
    }

    // A TestApp on a fresh platform, initialised with nFlags; the loop's counters start now.
    TestApp& start(int nFlags = 0)
    {
        m_pApp.reset(new TestApp());
        m_pPlatform = makePlatform();
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, nFlags, RIR::SmartPtr<Image>());
        m_nLast = m_pApp->getTicks();
        m_nNext = m_nLast + 16;
        return *m_pApp;
    }

    // A mode pushed on the application's stack, recording to the platform's log.
    LoopMode* push(int nFlags = MF_ACTIVE | MF_VISIBLE)
    {
        LoopMode* pMode = new LoopMode(m_pLog, nFlags);
        m_pApp->pushMode(pMode);
        return pMode;
    }

    void frame(bool bModal = false) { m_pApp->stepFrame(&m_nLast, &m_nNext, bModal); }

    RecordingVideoDriver* video() const { return m_pPlatform->getRecordingVideoDriver(); }

    // The lines of the application log so far.
    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(TempFolder::readFile(m_sLogPath));
        for (std::string sLine; std::getline(in, sLine);)
            lines.push_back(sLine);
        return lines;
    }
    // The log lines that start with "G: ", in order.
    std::vector<std::string> coreLines() const
    {
        std::vector<std::string> lines;
        for (const std::string& sLine : logLines())
            if (sLine.compare(0, 3, "G: ") == 0)
                lines.push_back(sLine);
        return lines;
    }

    TempFolder m_folder;
    std::string m_sLogPath;
    std::unique_ptr<TestApp> m_pApp;
    FakePlatform* m_pPlatform = nullptr; // owned by the application
    DtAudioDriver* m_pAudio = nullptr;   // owned by the platform
    RIR::SmartPtr<RecordingLog> m_pLog;
    int m_nLast = 0;
    int m_nNext = 0;
};

// ---- start-up ----------------------------------------------------------------------------------

TEST_F(GameAppLoopTest, InstanceLivesWithTheObject)
{
    EXPECT_EQ(nullptr, GameApp::getInstance());
    {
        GameApp app;
        EXPECT_EQ(&app, GameApp::getInstance());
        EXPECT_EQ(&app, GameApp::getInstance());
    }
    EXPECT_EQ(nullptr, GameApp::getInstance());
}

TEST_F(GameAppLoopTest, InitLogsEachStepInOrder)
{
    struct Case
    {
        const char* pszName;
        int nFlags;
        int nAudio; // 0 the platform's driver, 1 its init fails, 2 no audio driver at all
        std::vector<std::string> expected;
        bool bAudioOK;
    };
    const std::string sPlatform = "G: Init platform : Fake Platform v1.0";
    const std::string sVideo = "G: Init video : Recording Video Driver v1.0";
    const std::string sDummy = "G: Using dummy audio driver";
    const Case cases[] = {
        {"audio", 0, 0, {sPlatform, sVideo, "G: Init audio : OK", "G: Init done"}, true},
        {"no audio flag",
         VF_NO_AUDIO,
         0,
         {sPlatform, sVideo, "G: Init audio : DISABLED", sDummy, "G: Init done"},
         false},
        {"failing driver",
         0,
         1,
         {sPlatform, sVideo, "G: Init audio : FAIL", sDummy, "G: Init done"},
         false},
        {"no driver",
         0,
         2,
         {sPlatform, sVideo, "G: Init audio : DISABLED", sDummy, "G: Init done"},
         false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        std::remove(m_sLogPath.c_str());
        {
            GameApp app;
            FakePlatform* pPlatform = makePlatform();
            if (c.nAudio == 1)
                m_pAudio->failInit(true);
            if (c.nAudio == 2)
                pPlatform->setAudioDriver(nullptr);
            app.setPlatform(pPlatform);
            app.init(800, 600, c.nFlags, RIR::SmartPtr<Image>());

            const std::vector<std::string> lines = coreLines();
            ASSERT_EQ(3u + c.expected.size(), lines.size());
            EXPECT_EQ("G: Init Quillmoor DiziDor 1.4.0", lines[0]);
            EXPECT_EQ(0u, lines[1].find("G: OS "));
            EXPECT_EQ(0u, lines[2].find("G: RAM "));
            EXPECT_EQ(c.expected, std::vector<std::string>(lines.begin() + 3, lines.end()));

            EXPECT_EQ(c.bAudioOK, app.isAudioOK());
            if (c.bAudioOK)
            {
                EXPECT_EQ(m_pAudio, app.getAudioDriver());
            }
            else
            {
                EXPECT_NE(nullptr, dynamic_cast<DummyAudioDriver*>(app.getAudioDriver()));
            }
            // The caches' loaders are the active driver's: the silent driver's when audio is off.
            EXPECT_NE(nullptr, app.getAudioDriver()->getSampleLoader());

            // The silent driver is never updated, and a driver that failed is not either.
            app.setFPS(60);
            int nLast = app.getTicks();
            int nNext = nLast + 16;
            app.stepFrame(&nLast, &nNext, false);
            if (c.nAudio != 2)
            {
                EXPECT_EQ(c.bAudioOK ? 1 : 0, m_pAudio->getUpdateCount());
            }
        }
    }
}

TEST_F(GameAppLoopTest, InitSetsTheVideoModeAndTiming)
{
    GameApp& app = start(VF_FULLSCREEN);
    EXPECT_TRUE(video()->isInitialized());
    EXPECT_EQ(800, app.getScreenWidth());
    EXPECT_EQ(600, app.getScreenHeight());
    EXPECT_EQ(VF_FULLSCREEN, video()->getFlags());
    EXPECT_TRUE(app.isFullscreen());
    EXPECT_EQ(60, app.getFPS());
    EXPECT_EQ(1, m_pLog->countCalls("platform.init"));
    EXPECT_LT(m_pLog->indexOf("platform.init"), m_pLog->indexOf("video.setVideoMode"));
}

TEST_F(GameAppLoopTest, InitFailsWithoutPlatformOrVideoDriver)
{
    {
        GameApp app;
        EXPECT_EQ("No platform specified",
                  messageOf<RIR::FatalErrorException>(
                      [&] { app.init(800, 600, 0, RIR::SmartPtr<Image>()); }));
    }
    {
        GameApp app;
        FakePlatform* pPlatform = new FakePlatform();
        pPlatform->setVideoDriver(nullptr);
        app.setPlatform(pPlatform);
        EXPECT_EQ("No video driver specified",
                  messageOf<RIR::FatalErrorException>(
                      [&] { app.init(800, 600, 0, RIR::SmartPtr<Image>()); }));
    }
    {
        TestApp app; // its start-up installs no platform
        EXPECT_EQ("Assertion failed : getPlatform() != NULL",
                  messageOf<RIR::AssertFailException>([&] { app.run(); }));
    }
}

TEST_F(GameAppLoopTest, VideoFlagsFromSettings)
{
    struct Case
    {
        const char* pszFullscreen;
        const char* pszBpp; // null: no setting
        int nFlags;
    };
    const Case cases[] = {
        {"true", "32", 0x0D}, {"TRUE", "15", 0x05}, {"TrUe", "16", 0x05}, {"FALSE", nullptr, 0},
        {"no", "24", 0x08},   {"1", "8", 0},        {"TRUE", "x", 0x01},
    };
    {
        GameApp app;
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.pszFullscreen) + " " + (c.pszBpp ? c.pszBpp : "-"));
            app.clearSettings();
            app.setSetting("Fullscreen", c.pszFullscreen);
            if (c.pszBpp)
                app.setSetting("BPP", c.pszBpp);
            EXPECT_EQ(c.nFlags, app.flagsFromSettings());
        }
    }

    // The whole word VF_FROM_SETTINGS makes init take the mode from the settings.
    m_pApp.reset(new TestApp());
    m_pApp->setSetting("Fullscreen", "TRUE");
    m_pApp->setSetting("BPP", "16");
    m_pPlatform = makePlatform();
    m_pApp->setPlatform(m_pPlatform);
    m_pApp->init(800, 600, VF_FROM_SETTINGS, RIR::SmartPtr<Image>());
    EXPECT_EQ(0x05, video()->getFlags());
}

TEST_F(GameAppLoopTest, InitAppliesCursorAndVolumeSettings)
{
    struct Case
    {
        const char* pszCursor; // null: no setting
        bool bRefusingDriver;
        bool bSoftware;
        const char* pszStored;
    };
    const Case cases[] = {
        {nullptr, false, true, "YES"}, // a missing setting counts as on
        {"no", false, true, "YES"},    // only the exact "NO" is off
        {"NO", false, false, "NO"},
        {"YES", true, false, "NO"}, // the driver refused: stored as it is
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszCursor ? c.pszCursor : "-");
        m_pApp.reset(new TestApp());
        if (c.pszCursor)
            m_pApp->setSetting("CustomCursor", c.pszCursor);
        m_pApp->setSetting("MusicVolume", "51");
        m_pApp->setSetting("SoundVolume", "loud");
        m_pPlatform = makePlatform();
        if (c.bRefusingDriver)
            m_pPlatform->setVideoDriver(new NoSoftwareCursorDriver(m_pLog));
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());

        EXPECT_EQ(c.bSoftware, video()->isSoftwareCursor());
        EXPECT_STREQ(c.pszStored, m_pApp->getSetting("CustomCursor").c_str());
        EXPECT_EQ(51, m_pApp->getMusicVolume());
        EXPECT_FLOAT_EQ(0.2f, m_pAudio->getMusicVolume());
        EXPECT_EQ(0, m_pApp->getSoundVolume()) << "non-numeric text reads as 0";
        EXPECT_FLOAT_EQ(0.0f, m_pAudio->getSoundVolume());
    }
}

// ---- the frame ---------------------------------------------------------------------------------

TEST_F(GameAppLoopTest, FrameWaitsForTheFrameDelay)
{
    struct Case
    {
        int nFPS;
        unsigned int nWait;
    };
    const Case cases[] = {{60, 16}, {30, 33}, {1000, 1}, {0, 0}, {-5, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nFPS);
        GameApp& app = start();
        app.setFPS(c.nFPS);
        frame(); // the first frame waits for the 16 ms the loop scheduled before it
        const unsigned int nBefore = m_pPlatform->getTicks();
        const int nDelays = m_pPlatform->getDelayCount();
        frame();
        EXPECT_EQ(c.nWait, m_pPlatform->getTicks() - nBefore);
        EXPECT_EQ(nDelays + (c.nWait > 0 ? 1 : 0), m_pPlatform->getDelayCount())
            << "no delay at all when nothing is left to wait";
    }
}

TEST_F(GameAppLoopTest, ScheduleCountsFromTheEndOfTheWait)
{
    start();
    LoopMode* pMode = push();
    frame();
    // A frame whose work takes 10 ms waits only for the rest of the delay ...
    pMode->m_onUpdate = [&] { m_pPlatform->advance(10); };
    frame();
    frame();
    EXPECT_EQ(6u, m_pPlatform->getLastDelay());
    // ... and a late frame is not made up: no wait, then a full delay from its start.
    pMode->m_onUpdate = [&] { m_pPlatform->advance(40); };
    frame();
    pMode->m_onUpdate = nullptr;
    const int nDelays = m_pPlatform->getDelayCount();
    frame();
    EXPECT_EQ(nDelays, m_pPlatform->getDelayCount());
    frame();
    EXPECT_EQ(16u, m_pPlatform->getLastDelay());
}

TEST_F(GameAppLoopTest, LongFrameFollowsTheFrameTimePolicy)
{
    struct Case
    {
        const char* pszName;
        int nPolicy;
        unsigned int nStallMs;
        bool bUpdated;
        float fModeDt;
    };
    const Case cases[] = {
        {"clamp", FTP_CLAMP, 200, true, 0.05f},
        {"skip", FTP_SKIP, 200, false, 0.0f},
        {"no limit", 0, 200, true, 0.2f},
        {"skip at the limit", FTP_SKIP, 50, true, 0.05f},
        {"clamp below the limit", FTP_CLAMP, 30, true, 0.03f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        GameApp& app = start();
        app.setFPS(0);
        app.setMaxFrameTime(0.05f, c.nPolicy);
        LoopMode* pMode = push();
        frame();
        pMode->m_afDts.clear();
        m_pAudio->m_afDts.clear();

        m_pPlatform->advance(c.nStallMs);
        frame();
        ASSERT_EQ(1u, m_pAudio->m_afDts.size());
        EXPECT_FLOAT_EQ(c.nStallMs / 1000.0f, m_pAudio->m_afDts[0]) << "audio sees the real time";
        ASSERT_EQ(c.bUpdated ? 1u : 0u, pMode->m_afDts.size());
        if (c.bUpdated)
        {
            EXPECT_FLOAT_EQ(c.fModeDt, pMode->m_afDts[0]);
        }
        EXPECT_EQ(2, video()->getFrameCount()) << "a skipped update still draws";
    }
}

TEST_F(GameAppLoopTest, InitClampsLongFramesToFiftyMilliseconds)
{
    start();
    LoopMode* pMode = push();
    frame();
    m_pPlatform->advance(200);
    frame();
    ASSERT_EQ(2u, pMode->m_afDts.size());
    EXPECT_FLOAT_EQ(0.016f, pMode->m_afDts[0]);
    EXPECT_FLOAT_EQ(0.05f, pMode->m_afDts[1]);
    EXPECT_FLOAT_EQ(0.2f, m_pAudio->m_afDts[1]);
}

TEST_F(GameAppLoopTest, EmptyStackWaitsAndPumpsButNeitherUpdatesNorDraws)
{
    GameApp& app = start();
    frame();
    frame();
    EXPECT_EQ(4, app.getFrameCount());
    EXPECT_EQ(2, m_pPlatform->getPumpCount());
    EXPECT_EQ(32u, m_pPlatform->getTotalDelay());
    EXPECT_EQ(0, video()->getFrameCount());
    EXPECT_EQ(2, m_pAudio->getUpdateCount()) << "the audio driver is updated regardless";

    LoopMode* pMode = push();
    frame();
    EXPECT_EQ(1u, pMode->m_afDts.size());
    EXPECT_EQ(1, video()->getFrameCount());
}

TEST_F(GameAppLoopTest, FrameRunsAudioUpdateEventsDrawInThatOrder)
{
    GameApp& app = start();
    push();
    int nStampWhileDrawing = -1;
    video()->setFrameDrawer([&](RecordingVideoDriver&)
                            { nStampWhileDrawing = app.getFrameCount(); });
    m_pPlatform->queueResize(); // the pump invalidates the video driver
    m_pLog->clear();
    frame();
    EXPECT_STREQ("audio.update; mode.update; video.invalidate; video.renderFrame",
                 m_pLog->toString().c_str());
    EXPECT_EQ(1, nStampWhileDrawing) << "the counter moves once before the drawing, once after";
    EXPECT_EQ(2, app.getFrameCount());
}

TEST_F(GameAppLoopTest, RenderSwitchAndSkippedUpdate)
{
    GameApp& app = start();
    LoopMode* pMode = push();
    app.setRenderEnabled(false);
    frame();
    EXPECT_EQ(0, video()->getFrameCount());
    EXPECT_EQ(2, app.getFrameCount());

    app.setRenderEnabled(true);
    app.setSkipNextUpdate(true);
    frame();
    EXPECT_EQ(1u, pMode->m_afDts.size()) << "only the next update is skipped";
    frame();
    EXPECT_EQ(2u, pMode->m_afDts.size());
    EXPECT_EQ(2, video()->getFrameCount());
}

TEST_F(GameAppLoopTest, EndedModesGoAtTheEndOfTheFrame)
{
    GameApp& app = start();
    LoopMode* pBelow = push();
    LoopMode* pTop = push();
    pTop->m_onUpdate = [&]
    {
        pTop->endMode();
        EXPECT_EQ(pBelow, app.getTopMode());
        EXPECT_EQ(0, g_nModesDeleted) << "an ended mode lives until the frame is over";
    };
    frame(true); // a modal frame keeps it for the outer loop
    EXPECT_EQ(0, g_nModesDeleted);
    frame();
    EXPECT_EQ(1, g_nModesDeleted);
    EXPECT_EQ(1u, pBelow->m_afDts.size()) << "the mode below took over";
}

TEST_F(GameAppLoopTest, TickWrapNeverStallsTheLoop)
{
    struct Case
    {
        const char* pszName;
        unsigned int nStart;
    };
    // The late frame's next frame time lies just before the int sign change (2^31 ms, about 24.8
    // days of uptime) while the clock is already past it; the same just before the wrap of the
    // unsigned clock (2^32 ms).
    const Case cases[] = {{"2^31", 0x7FFFFFC8u}, {"2^32", 0xFFFFFFC8u}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        start();
        LoopMode* pMode = push();
        m_pPlatform->setTicks(c.nStart);
        m_nLast = m_pApp->getTicks();
        m_nNext = (int)(c.nStart + 16u);
        // The frames cross the boundary: on time, then late by 30 ms, then on time again.
        for (int i = 0; i < 4; ++i)
        {
            pMode->m_onUpdate =
                i == 1 ? std::function<void()>([&] { m_pPlatform->advance(30); }) : nullptr;
            frame();
            ASSERT_LE(m_pPlatform->getLastDelay(), 16u) << "frame " << i;
        }
        EXPECT_EQ(c.nStart + 16u + 16u + 30u + 16u, m_pPlatform->getTicks());
        ASSERT_EQ(4u, pMode->m_afDts.size());
        EXPECT_FLOAT_EQ(0.016f, pMode->m_afDts[0]);
        EXPECT_FLOAT_EQ(0.016f, pMode->m_afDts[1]);
        EXPECT_FLOAT_EQ(0.030f, pMode->m_afDts[2])
            << "the late frame's dt, measured across the wrap";
        EXPECT_FLOAT_EQ(0.016f, pMode->m_afDts[3]);
    }
}

// ---- run, quit, shutdown -----------------------------------------------------------------------

TEST_F(GameAppLoopTest, RunReturnsTheCodeOfTheLastQuit)
{
    TestApp* pApp = new TestApp();
    m_pApp.reset(pApp);
    m_pPlatform = makePlatform();
    pApp->m_pPlatformToInstall = m_pPlatform;
    LoopMode* pMode = nullptr;
    int nFrames = 0;
    std::function<void()> update = [&]
    {
        if (++nFrames == 3)
        {
            pApp->quit(2);
            pApp->quit(7);
        }
    };
    pApp->m_onInit = [&]
    {
        pMode = new LoopMode(m_pLog);
        pMode->m_onUpdate = update;
        pApp->pushMode(pMode);
    };
    EXPECT_EQ(7, pApp->run());
    EXPECT_EQ(3, nFrames) << "the loop ends before the next frame";
    EXPECT_EQ(1, pMode->m_nExitCalls) << "the modes hear of the exit";
    EXPECT_EQ(3, m_pPlatform->getPumpCount());
    // The screen is left black.
    EXPECT_EQ(Color(0, 0, 0, 255), video()->getLastClearColor());
    EXPECT_LT(m_pLog->indexOf("video.clear"), m_pLog->indexOf("video.flip"));
}

TEST_F(GameAppLoopTest, QuitDuringStartUpRunsNoFrame)
{
    TestApp* pApp = new TestApp();
    m_pApp.reset(pApp);
    m_pPlatform = makePlatform();
    pApp->m_pPlatformToInstall = m_pPlatform;
    pApp->m_onInit = [&] { pApp->quit(4); };
    EXPECT_EQ(4, pApp->run());
    EXPECT_EQ(0, m_pPlatform->getPumpCount());
    EXPECT_EQ(0, m_pPlatform->getDelayCount());
}

TEST_F(GameAppLoopTest, UnhandledWindowCloseQuitsWithOneOrAsksOnce)
{
    TestApp* pApp = new TestApp();
    m_pApp.reset(pApp);
    m_pPlatform = makePlatform();
    pApp->m_pPlatformToInstall = m_pPlatform;
    pApp->m_onInit = [&]
    {
        pApp->setConfirmQuit(true);
        pApp->onQuit();
        pApp->onQuit(); // the confirmation is already up
        EXPECT_EQ(1, pApp->m_nAsked);
        pApp->endQuitConfirm();
        pApp->onQuit();
        EXPECT_EQ(2, pApp->m_nAsked);
        pApp->setConfirmQuit(false);
        pApp->onQuit();
    };
    EXPECT_EQ(1, pApp->run());
}

TEST_F(GameAppLoopTest, ShutdownDeletesModesThenProvidersThenPlatform)
{
    start();
    push();
    push();
    const RIR::SmartPtr<RecordingLog> pLog = m_pLog;
    std::remove(m_sLogPath.c_str());
    m_pApp.reset();
    EXPECT_EQ(2, g_nModesDeleted);
    EXPECT_EQ(1, pLog->countCalls("platform.shutdown"));
    const std::vector<std::string> expected = {"G: Shutdown", "G: ...modes", "G: ...resources",
                                               "G: ...platform", "G: Quit"};
    std::vector<std::string> lines = coreLines();
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ(0u, lines[1].find("G: RAM "));
    lines.erase(lines.begin() + 1);
    EXPECT_EQ(expected, lines);
    EXPECT_EQ("", logLines().at(0)) << "a blank line opens the shutdown";
}

// ---- facades, emergency exit, environment ------------------------------------------------------

TEST_F(GameAppLoopTest, FacadesReachTheDrivers)
{
    GameApp& app = start();
    app.setCaption("Dolly");
    EXPECT_EQ("Dolly", std::string(video()->getCaption().c_str()));
    app.setFullscreen(true);
    EXPECT_TRUE(app.isFullscreen());
    app.toggleFullscreen();
    EXPECT_FALSE(app.isFullscreen());
    GameApp::minimize();
    EXPECT_EQ(1, m_pLog->countCalls("video.iconify"));

    app.setSoundVolume(300); // stored as given
    EXPECT_EQ(300, app.getSoundVolume());
    EXPECT_FLOAT_EQ(300 / 255.0f, m_pAudio->getSoundVolume());

    m_pAudio->noFreeChannel(true);
    EXPECT_EQ(-1, app.playSample(new RecordingSample("click", m_pAudio), false, -1));
    EXPECT_EQ(0, m_pLog->countCalls("audio.setPanning")) << "no channel: panning untouched";
    m_pAudio->noFreeChannel(false);
    EXPECT_EQ(0, app.playSample(new RecordingSample("click", m_pAudio), false, -1));
    EXPECT_EQ(255, m_pAudio->getPanLeft(0));
    app.setPanning(0, 55);
    EXPECT_EQ(200, m_pAudio->getPanLeft(0));
    EXPECT_EQ(55, m_pAudio->getPanRight(0));
    app.stopAllAudio();
    EXPECT_FALSE(m_pAudio->isChannelPlaying(0));
}

TEST_F(GameAppLoopTest, FacadesWithoutPlatformDoNothing)
{
    GameApp app;
    app.setFullscreen(true);
    app.toggleFullscreen();
    app.setCaption("x");
    app.setSoundVolume(10);
    EXPECT_FALSE(app.isFullscreen());
    EXPECT_EQ(0, app.getScreenWidth());
    EXPECT_EQ(nullptr, app.getVideoDriver());
    EXPECT_EQ("", std::string(app.getCurrentMusic().c_str()));
}

TEST_F(GameAppLoopTest, EmergencyExitShutsThePlatformDownOnce)
{
    // A platform whose shutdown says so on standard error, where the death test can see it.
    class LoudPlatform : public FakePlatform
    {
    public:
        void shutdown() override
        {
            std::fputs("platform shutdown\n", stderr);
            if (m_bCrashInside)
                emergencyExit(); // a crash inside the first emergency exit
            FakePlatform::shutdown();
        }
        bool m_bCrashInside = false;
    };
    auto run = [](bool bCrashInside)
    {
        // The exit does not delete the application; held here it is not taken for a leak.
        static GameApp* s_pApp = nullptr;
        s_pApp = new GameApp();
        LoudPlatform* pPlatform = new LoudPlatform();
        pPlatform->m_bCrashInside = bCrashInside;
        s_pApp->setPlatform(pPlatform);
        emergencyExit();
    };
    EXPECT_EXIT(run(false), ::testing::ExitedWithCode(1), "platform shutdown");
    EXPECT_EXIT(run(true), ::testing::ExitedWithCode(1), "^platform shutdown\n$");
    EXPECT_EXIT(emergencyExit(), ::testing::ExitedWithCode(1), "") << "without an application";
}

TEST_F(GameAppLoopTest, EnvironmentVariables)
{
    const std::string sFits(1023, 'a');
    const std::string sTooLong(1024, 'b');
    ::setenv("DBD_TEST_FITS", sFits.c_str(), 1);
    ::setenv("DBD_TEST_LONG", sTooLong.c_str(), 1);
    ::setenv("DBD_TEST_EMPTY", "", 1);
    ::unsetenv("DBD_TEST_UNSET");
    EXPECT_EQ(sFits, getEnvVariable("DBD_TEST_FITS").c_str());
    EXPECT_STREQ("", getEnvVariable("DBD_TEST_LONG").c_str());
    EXPECT_STREQ("", getEnvVariable("DBD_TEST_EMPTY").c_str());
    EXPECT_STREQ("", getEnvVariable("DBD_TEST_UNSET").c_str());
    ::unsetenv("DBD_TEST_FITS");
    ::unsetenv("DBD_TEST_LONG");
    ::unsetenv("DBD_TEST_EMPTY");
}

} // namespace
