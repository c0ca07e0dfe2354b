// The headless test kit itself: the fake platform's clock, its event pump with the rules of the
// SDL platform, the input state, joysticks and shutdown; the recording drivers' state, contracts
// and refusals; the fake application services. Later tests build on these behaviours.
#include "testkit/eventtarget.h"
#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/recordingaudiodriver.h"
#include "testkit/recordingvideodriver.h"

#include "app/mutex.h"
#include "app/videoflags.h"
#include "gfx/sprite.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

namespace
{

// A fake platform whose pump reports to a recording target sharing the platform's log.
class PumpTest : public ::testing::Test
{
protected:
    PumpTest() : m_target(m_platform.getLog())
    {
        m_platform.setEventTarget(&m_target);
        m_target.setAudioDriver(m_platform.getAudioDriver());
    }

    // The application-side calls of the last pump.
    RIR::String appCalls()
    {
        RIR::String s = m_platform.getLog()->filter("app.").join(RIR::String("; "));
        m_platform.getLog()->clear();
        return s;
    }

    FakePlatform m_platform;
    RecordingEventTarget m_target;
};

TEST(FakePlatformClockTest, DelayAdvancesTheVirtualClock)
{
    FakePlatform platform;
    EXPECT_EQ(0u, platform.getTicks());
    platform.delay(16);
    platform.delay(17);
    platform.advance(5);
    EXPECT_EQ(38u, platform.getTicks());
    EXPECT_EQ(2, platform.getDelayCount());
    EXPECT_EQ(33u, platform.getTotalDelay());
    EXPECT_EQ(17u, platform.getLastDelay());
    platform.setTicks(0xFFFFFFF0u);
    platform.delay(0x20);
    EXPECT_EQ(0x10u, platform.getTicks()); // wraps like a 32-bit millisecond counter
}

TEST_F(PumpTest, KeyPressRules)
{
    m_platform.queueKeyDown(FakePlatform::KEY_F4, 0x100); // Alt+F4: quit only
    m_platform.queueKeyDown(FakePlatform::KEY_F4, 0);     // plain F4 is a key
    m_platform.queueKeyDown(97, 0, 'a');                  // unhandled with a character
    m_platform.queueKeyDown(273, 0, 0);                   // unhandled without one
    m_platform.queueKeyUp(97, 0x40);
    m_platform.pumpEvents();
    EXPECT_STREQ("app.quitRequest; app.keyDown(285, 0x0); app.keyDown(97, 0x0); app.char(97); "
                 "app.keyDown(273, 0x0); app.keyUp(97, 0x40)",
                 appCalls().c_str());

    m_target.setKeysHandled(true);
    m_platform.queueKeyDown(98, 0, 'b'); // handled: no character
    m_platform.pumpEvents();
    EXPECT_STREQ("app.keyDown(98, 0x0)", appCalls().c_str());
}

TEST_F(PumpTest, MotionIsReportedOnceAfterTheOtherEvents)
{
    m_platform.queueMouseMove(10, 10);
    m_platform.queueMouseMove(20, 30);
    m_platform.queueKeyDown(97);
    m_platform.queueMouseMove(40, 50);
    m_platform.pumpEvents();
    EXPECT_STREQ("app.keyDown(97, 0x0); app.mouseMove(40, 50, 1)", appCalls().c_str());
    m_platform.pumpEvents();
    EXPECT_STREQ("", appCalls().c_str()); // no motion, no report
}

TEST_F(PumpTest, ButtonsCarryTheirPositionAndMask)
{
    const int anMasks[] = {0, 1, 2, 4, 8, 16, 0};
    for (int nButton = 1; nButton <= 6; ++nButton)
    {
        m_platform.queueMouseDown(nButton, nButton * 10, 7);
        m_platform.queueMouseUp(nButton, nButton * 10 + 1, 8);
        m_platform.pumpEvents();
        RIR::String sExpected =
            RIR::String::format("app.mouseDown(%d, %d, 7); app.mouseUp(%d, %d, 8)",
                                anMasks[nButton], nButton * 10, anMasks[nButton], nButton * 10 + 1);
        EXPECT_STREQ(sExpected.c_str(), appCalls().c_str()) << "button " << nButton;
    }
    int nX = 0, nY = 0;
    m_platform.getMousePos(&nX, &nY);
    EXPECT_EQ(61, nX);
    EXPECT_EQ(8, nY);
}

TEST_F(PumpTest, ActivationPausesAndResumesAudioOncePerChange)
{
    RecordingAudioDriver* pAudio = m_platform.getRecordingAudioDriver();
    RecordingVideoDriver* pVideo = m_platform.getRecordingVideoDriver();
    m_platform.queueActivation(false);
    m_platform.queueActivation(false); // already inactive: nothing more
    m_platform.queueMouseFocus(false);
    m_platform.pumpEvents();
    EXPECT_TRUE(pAudio->isPaused());
    EXPECT_FALSE(m_platform.isAppActive());
    EXPECT_EQ(3, pVideo->getInvalidateCount());
    EXPECT_EQ(1, m_platform.getLog()->countCalls("audio.setPaused(1)"));
    EXPECT_STREQ("app.deactivated; app.mouseFocusLost", appCalls().c_str());

    m_platform.queueActivation(true);
    m_platform.queueMouseFocus(true);
    m_platform.queueResize();
    m_platform.queueQuit();
    m_platform.pumpEvents();
    EXPECT_FALSE(pAudio->isPaused());
    EXPECT_EQ(6, pVideo->getInvalidateCount());
    EXPECT_STREQ("app.activated; app.mouseFocusGained; app.quitRequest", appCalls().c_str());
}

TEST_F(PumpTest, ScriptedEventsWaitForTheirTick)
{
    m_platform.queueKeyDown(1);
    m_platform.at(100);
    m_platform.queueKeyDown(2);
    m_platform.at(0);
    m_platform.queueKeyDown(3); // queued after a later one: waits behind it
    m_platform.pumpEvents();
    EXPECT_STREQ("app.keyDown(1, 0x0)", appCalls().c_str());
    EXPECT_EQ(2, m_platform.getPendingEventCount());
    m_platform.delay(99);
    m_platform.pumpEvents();
    EXPECT_STREQ("", appCalls().c_str());
    m_platform.delay(1);
    m_platform.pumpEvents();
    EXPECT_STREQ("app.keyDown(2, 0x0); app.keyDown(3, 0x0)", appCalls().c_str());
    EXPECT_EQ(3, m_platform.getPumpCount());
}

TEST_F(PumpTest, EventsUpdateTheInputState)
{
    m_platform.queueKeyDown(304, 0x1);
    m_platform.queueMouseDown(3, 5, 6);
    m_platform.pumpEvents();
    EXPECT_TRUE(m_platform.isKeyDown(304));
    EXPECT_EQ(0x1, m_platform.getKeyModifiers());
    EXPECT_TRUE(m_platform.isMouseButtonDown(3));
    EXPECT_FALSE(m_platform.isMouseButtonDown(1));
    m_platform.queueKeyUp(304, 0);
    m_platform.queueMouseUp(3, 5, 6);
    m_platform.pumpEvents();
    EXPECT_FALSE(m_platform.isKeyDown(304));
    EXPECT_EQ(0, m_platform.getKeyModifiers());
    EXPECT_FALSE(m_platform.isMouseButtonDown(3));
    // Outside the key table.
    m_platform.setKeyDown(FakePlatform::KEY_COUNT, true);
    EXPECT_FALSE(m_platform.isKeyDown(-1));
    EXPECT_FALSE(m_platform.isKeyDown(FakePlatform::KEY_COUNT));
}

TEST(FakePlatformTest, PumpWithoutTargetOnlyChangesState)
{
    FakePlatform platform;
    platform.queueKeyDown(65);
    platform.queueMouseMove(3, 4);
    platform.pumpEvents();
    EXPECT_TRUE(platform.isKeyDown(65));
    int nX = 0;
    platform.getMousePos(&nX, nullptr);
    EXPECT_EQ(3, nX);
}

TEST(FakePlatformTest, JoysticksAnswerZeroWhenAbsent)
{
    FakePlatform platform;
    EXPECT_EQ(0, platform.getNumJoysticks());
    EXPECT_FLOAT_EQ(0.0f, platform.getJoystickAxis(0, 5));
    const int nPad = platform.addJoystick("Pad", 2, 4);
    platform.setJoystickAxis(nPad, 1, -32768.0f);
    platform.setJoystickButton(nPad, 3, true);
    EXPECT_STREQ("Pad", platform.getJoystickName(nPad));
    EXPECT_STREQ("", platform.getJoystickName(5));
    EXPECT_EQ(2, platform.getJoystickNumAxes(nPad));
    EXPECT_EQ(4, platform.getJoystickNumButtons(nPad));
    EXPECT_EQ(0, platform.getJoystickNumAxes(5));
    EXPECT_FLOAT_EQ(-32768.0f, platform.getJoystickAxis(1, nPad)); // axis first
    EXPECT_FLOAT_EQ(0.0f, platform.getJoystickAxis(nPad, 1));
    EXPECT_FLOAT_EQ(0.0f, platform.getJoystickAxis(0, 5));
    EXPECT_TRUE(platform.isJoystickButtonDown(3, nPad)); // button first
    EXPECT_FALSE(platform.isJoystickButtonDown(3, 1));
    EXPECT_FALSE(platform.isJoystickButtonDown(9, nPad));
    EXPECT_THROW(platform.setJoystickAxis(nPad, 2, 1.0f), RIR::AssertFailException);
}

TEST(FakePlatformTest, InitFailureAndRecordedRequests)
{
    FakePlatform platform;
    EXPECT_STREQ("Fake Platform v1.0", platform.getName());
    platform.failInit(true);
    EXPECT_THROW(platform.init(), RIR::FatalErrorException);
    EXPECT_FALSE(platform.isInitialized());
    platform.failInit(false);
    platform.init();
    EXPECT_TRUE(platform.isInitialized());

    platform.openURL("https://example.org/?a=%d");
    ASSERT_EQ(1, platform.getOpenedURLs().getLength());
    EXPECT_STREQ("https://example.org/?a=%d", platform.getOpenedURLs().get(0).c_str());
    EXPECT_GE(platform.getLog()->indexOf("platform.openURL(https://example.org/?a=%d)"), 0);

    platform.setMousePos(12, 34);
    int nX = 0, nY = 0;
    platform.getMousePos(&nX, &nY);
    EXPECT_EQ(12, nX);
    EXPECT_EQ(34, nY);
    EXPECT_EQ(500, platform.getDoubleClickTime());
    EXPECT_EQ(nullptr, platform.createVideoSpriteImpl());
    MutexImpl* pImpl = platform.createMutexImpl();
    EXPECT_NE(nullptr, pImpl);
    delete pImpl;
}

TEST(FakePlatformTest, ShutdownStopsThenDeletesTheDriversOnce)
{
    RIR::SmartPtr<RecordingLog> pLog;
    {
        FakePlatform platform;
        pLog = platform.getLog();
        platform.init();
        platform.shutdown();
        EXPECT_EQ(nullptr, platform.getVideoDriver());
        EXPECT_EQ(nullptr, platform.getAudioDriver());
        EXPECT_EQ(nullptr, platform.getImageFactory());
        EXPECT_TRUE(platform.isShutDown());
        platform.shutdown();
    }
    EXPECT_EQ(1, pLog->countCalls("platform.shutdown"));
    EXPECT_EQ(1, pLog->countCalls("video.shutdown"));
    const int nVideo = pLog->indexOf("video.shutdown");
    const int nAudio = pLog->indexOf("audio.shutdown");
    EXPECT_LT(pLog->indexOf("platform.shutdown"), nVideo);
    EXPECT_LT(nVideo, nAudio);
    EXPECT_LT(nAudio, pLog->indexOf("video.destroyed"));
    EXPECT_LT(pLog->indexOf("audio.destroyed"), pLog->indexOf("platform.destroyed"));
}

TEST(FakePlatformTest, AdoptedImageFactoryLivesUntilShutdown)
{
    FakePlatform platform;
    MemImageFactory* pFactory = new MemImageFactory();
    platform.adoptImageFactory(pFactory);
    EXPECT_EQ(pFactory, platform.getImageFactory());
    platform.adoptImageFactory(new MemImageFactory()); // the first one is deleted
    EXPECT_NE(nullptr, platform.getImageFactory());
    platform.shutdown(); // deletes the second; the leak check sees any that stayed
    EXPECT_EQ(nullptr, platform.getImageFactory());
}

class RecordingVideoTest : public ::testing::Test
{
protected:
    RecordingVideoTest() { m_driver.setVideoMode(800, 600, VF_FULLSCREEN | 0x0C); }

    RecordingVideoDriver m_driver;
};

TEST_F(RecordingVideoTest, ModeState)
{
    EXPECT_EQ(800, m_driver.getWidth());
    EXPECT_EQ(600, m_driver.getHeight());
    int nW = 0, nH = 0;
    m_driver.getSize(&nW, &nH);
    EXPECT_EQ(800, nW);
    EXPECT_EQ(600, nH);
    EXPECT_TRUE(m_driver.isFullscreen());
    EXPECT_EQ(32, m_driver.getBPP());
    m_driver.setVideoMode(640, 480, 0);
    EXPECT_EQ(32, m_driver.getBPP()); // the driver's choice
    m_driver.setDefaultBPP(16);
    m_driver.setVideoMode(640, 480, 0);
    EXPECT_EQ(16, m_driver.getBPP());
    EXPECT_EQ(PixelFormat(24, 0, 0xFF, 0xFF00, 0xFF0000), m_driver.getOpaqueFormat());
    EXPECT_EQ(PixelFormat(32, 0xFF000000, 0xFF, 0xFF00, 0xFF0000), m_driver.getAlphaFormat());
}

TEST_F(RecordingVideoTest, SetFullscreenToTheCurrentStateOnlyReappliesTheCursor)
{
    m_driver.setSoftwareCursor(true);
    m_driver.getLog()->clear();
    m_driver.setFullscreen(true);
    EXPECT_EQ(0, m_driver.getLog()->countCalls("video.setVideoMode"));
    EXPECT_EQ(1, m_driver.getLog()->countCalls("video.setSoftwareCursor(1)"));

    m_driver.setFullscreen(false);
    EXPECT_EQ(1, m_driver.getLog()->countCalls("video.setVideoMode(800, 600, 0x0000000C)"));
    EXPECT_FALSE(m_driver.isFullscreen());
    EXPECT_EQ(2, m_driver.getLog()->countCalls("video.setSoftwareCursor(1)"));
}

TEST_F(RecordingVideoTest, SetBppReplacesOnlyTheDepthBits)
{
    m_driver.setVideoMode(800, 600, VF_FULLSCREEN | VF_ZBUFFER | 0x0C);
    m_driver.setBPP(24);
    EXPECT_EQ(VF_FULLSCREEN | VF_ZBUFFER | 0x08, m_driver.getFlags());
    EXPECT_EQ(24, m_driver.getBPP());
    EXPECT_TRUE(m_driver.isFullscreen());
    m_driver.toggleFullscreen();
    EXPECT_EQ(VF_ZBUFFER | 0x08, m_driver.getFlags());
    EXPECT_EQ(800, m_driver.getWidth());
}

TEST_F(RecordingVideoTest, RefusedModesChangeNothing)
{
    m_driver.refuseModes(true);
    EXPECT_FALSE(m_driver.setVideoMode(1024, 768, 0));
    m_driver.setFullscreen(false);
    m_driver.setBPP(16);
    EXPECT_EQ(800, m_driver.getWidth());
    EXPECT_TRUE(m_driver.isFullscreen());
    EXPECT_EQ(32, m_driver.getBPP());
    EXPECT_EQ(1, m_driver.getModeSetCount());
    m_driver.refuseModes(false);
    EXPECT_TRUE(m_driver.setVideoMode(1024, 768, 0));
}

TEST_F(RecordingVideoTest, InitFailureAndState)
{
    m_driver.failInit(true);
    EXPECT_THROW(m_driver.init(RIR::SmartPtr<Image>()), RIR::FatalErrorException);
    EXPECT_FALSE(m_driver.isInitialized());
    m_driver.failInit(false);
    m_driver.init(RIR::SmartPtr<Image>());
    EXPECT_TRUE(m_driver.isInitialized());
    EXPECT_STREQ("Recording Video Driver v1.0", m_driver.getName());
    m_driver.setCaption("Dolly 100%");
    EXPECT_STREQ("Dolly 100%", m_driver.getCaption().c_str());
    EXPECT_EQ(1, m_driver.getLog()->countCalls("video.setCaption(Dolly 100%)"));
    m_driver.shutdown();
    EXPECT_FALSE(m_driver.isInitialized());
}

TEST_F(RecordingVideoTest, CursorFlags)
{
    EXPECT_TRUE(m_driver.isCursorShown());
    EXPECT_TRUE(m_driver.isSystemCursorVisible());
    m_driver.setSoftwareCursor(true);
    EXPECT_FALSE(m_driver.isSystemCursorVisible());
    m_driver.showCursor(false);
    m_driver.setSoftwareCursor(false);
    EXPECT_FALSE(m_driver.isCursorShown());
    EXPECT_FALSE(m_driver.isSystemCursorVisible());
}

TEST_F(RecordingVideoTest, CursorImageMakesTheCursorSprite)
{
    EXPECT_FALSE(m_driver.getCursorSprite());
    MemImageFactory factory;
    RIR::SmartPtr<Image> pArrow = factory.createBlank(8, 8, true);
    m_driver.setCursorImage(pArrow);
    RIR::SmartPtr<Sprite> pFirst = m_driver.getCursorSprite();
    ASSERT_TRUE(pFirst);
    EXPECT_EQ(pArrow.get(), pFirst->getImage().get());
    EXPECT_EQ(0, pFirst->getZOrder());
    m_driver.setCursorImage(pArrow);
    EXPECT_NE(pFirst.get(), m_driver.getCursorSprite().get()); // a new sprite each time
    m_driver.setCursorImage(RIR::SmartPtr<Image>());
    EXPECT_FALSE(m_driver.getCursorSprite());
    EXPECT_EQ(1, m_driver.getLog()->countCalls("video.setCursorImage(null)"));
}

TEST_F(RecordingVideoTest, FramesDrawsAndCounts)
{
    int nDrawerRuns = 0;
    m_driver.setFrameDrawer(
        [&nDrawerRuns](RecordingVideoDriver& driver)
        {
            ++nDrawerRuns;
            driver.clear(Color(0, 0, 0, 255));
            driver.recordDraw("back");
            driver.recordDraw("front");
        });
    m_driver.renderFrame();
    m_driver.renderFrame();
    m_driver.invalidate();
    m_driver.fillScreen(Color(1, 2, 3, 4));
    m_driver.flip();
    EXPECT_EQ(2, m_driver.getFrameCount());
    EXPECT_EQ(2, nDrawerRuns);
    EXPECT_EQ(1, m_driver.getInvalidateCount());
    EXPECT_EQ(3, m_driver.getClearCount());
    EXPECT_EQ(1, m_driver.getFlipCount());
    EXPECT_EQ(Color(1, 2, 3, 4), m_driver.getLastClearColor());
    EXPECT_STREQ("back, front", m_driver.getFrameDraws().join(RIR::String(", ")).c_str());
    RIR::SmartPtr<RecordingLog> pLog = m_driver.getLog();
    const int nSecond = pLog->indexOf("video.renderFrame", pLog->indexOf("video.renderFrame") + 1);
    EXPECT_EQ(pLog->indexOf("video.clear(0, 0, 0, 255)", nSecond), nSecond + 1);
    EXPECT_EQ(pLog->indexOf("video.draw(back)", nSecond), nSecond + 2);
    EXPECT_EQ(pLog->indexOf("video.draw(front)", nSecond), nSecond + 3);
}

TEST(RecordingAudioTest, ChannelsAndRefusals)
{
    RecordingAudioDriver driver;
    EXPECT_TRUE(driver.init());
    RIR::SmartPtr<Sample> pBell = driver.getSampleLoader()->load("bell");
    EXPECT_EQ(0, driver.playSample(pBell, false, -1));
    EXPECT_EQ(1, driver.playSample(pBell, true, -1));
    EXPECT_EQ(7, driver.playSample(pBell, false, 7));
    EXPECT_EQ(-1, driver.playSample(pBell, false, 16));
    EXPECT_STREQ("bell", driver.getChannelSampleName(1).c_str());
    EXPECT_TRUE(driver.isChannelLooping(1));
    EXPECT_FALSE(driver.isChannelPlaying(-1));
    EXPECT_EQ(4, pBell->getRefCount()); // the test and three channels

    driver.finishChannel(0);
    EXPECT_FALSE(driver.isChannelPlaying(0));
    EXPECT_STREQ("bell", driver.getChannelSampleName(0).c_str()); // kept until stopped
    EXPECT_EQ(0, driver.playSample(pBell, false, -1));            // a finished channel is free
    driver.stopChannel(1, 0.0f);
    EXPECT_FALSE(driver.isChannelPlaying(1));
    EXPECT_STREQ("", driver.getChannelSampleName(1).c_str());
    driver.stopChannel(-1, 0.0f);
    EXPECT_EQ(1, pBell->getRefCount());

    driver.setPanning(2, 10, 245);
    EXPECT_EQ(10, driver.getPanLeft(2));
    EXPECT_EQ(245, driver.getPanRight(2));

    driver.setMuted(true);
    EXPECT_EQ(-1, driver.playSample(pBell, false, -1));
    driver.playMusic(driver.getMusicLoader()->load("theme"), false);
    EXPECT_FALSE(driver.isMusicPlaying());
    driver.setMuted(false);
    driver.noFreeChannel(true);
    EXPECT_EQ(-1, driver.playSample(pBell, false, -1));
    EXPECT_THROW(driver.playSample(RIR::SmartPtr<Sample>(), false, -1), RIR::AssertFailException);

    driver.failInit(true);
    EXPECT_FALSE(driver.init());
}

TEST(RecordingAudioTest, MissingNamesFailLikeMissingResources)
{
    RecordingAudioDriver driver;
    driver.markMissing("gone");
    EXPECT_FALSE(driver.getMusicLoader()->exists("gone"));
    EXPECT_TRUE(driver.getMusicLoader()->exists("here"));
    EXPECT_THROW(driver.getMusicLoader()->load("gone"), RIR::ResourceException);
    EXPECT_THROW(driver.getSampleLoader()->load("gone"), RIR::ResourceException);
    EXPECT_EQ(0, driver.getLiveObjectCount());
}

TEST(FakeAppServicesTest, RegistersWhileItLives)
{
    EXPECT_EQ(nullptr, getAppServices());
    {
        FakeAppServices outer;
        {
            FakeAppServices inner;
            EXPECT_EQ(&inner, getAppServices());
        }
        EXPECT_EQ(&outer, getAppServices());
    }
    EXPECT_EQ(nullptr, getAppServices());
}

TEST(FakeAppServicesTest, ResolvesNamesWithExtensionsInOrder)
{
    FakeAppServices app;
    app.addResource("song.wav");
    app.addResource("song.ogg");
    app.addResource("plain");
    static const char* const s_apszMusic[] = {".ogg", ".wav", ".xm", nullptr};
    static const char* const s_apszEmpty[] = {nullptr};
    EXPECT_STREQ("song.ogg", app.resolveResourceName("song", s_apszMusic).c_str());
    EXPECT_STREQ("", app.resolveResourceName("plain", s_apszMusic).c_str());
    EXPECT_STREQ("plain", app.resolveResourceName("plain", nullptr).c_str());
    EXPECT_STREQ("plain", app.resolveResourceName("plain", s_apszEmpty).c_str());
    EXPECT_STREQ("", app.resolveResourceName("song", nullptr).c_str());
}

TEST(FakeAppServicesTest, MusicIsCachedByName)
{
    FakePlatform platform;
    FakeAppServices app(&platform);
    EXPECT_EQ(&platform, app.getPlatform());
    RIR::SmartPtr<Music> pA = app.getMusic("a");
    EXPECT_EQ(pA.get(), app.getMusic("a").get());
    EXPECT_NE(pA.get(), app.getMusic("b").get());
    EXPECT_EQ(2, app.getCachedMusicCount());
    app.purgeMusic();
    EXPECT_NE(pA.get(), app.getMusic("a").get());

    FakePlatform bare(false);
    app.setPlatform(&bare);
    EXPECT_THROW(app.getMusic("c"), RIR::BadStateException);
}

} // namespace
