// SDLPlatform on SDL's dummy video driver: events are pushed into SDL's queue (or made by warping
// the pointer) and the calls that reach the application are recorded.
#include "platform/sdl/sdlplatform.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "app/videoflags.h"
#include "app/weblinks.h"
#include "testkit/eventtarget.h"
#include "testkit/recordingaudiodriver.h"
#include "testkit/recordinglog.h"
#include "testkit/recordingvideodriver.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>
#include <unistd.h>

static_assert(!std::is_copy_constructible_v<SDLPlatform>, "the platform owns its drivers");
static_assert(std::is_base_of_v<IPlatform, SDLPlatform>, "installed as the IPlatform");

namespace
{

const int ALL_APP_STATE = SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS | SDL_APPACTIVE;

// SDL's application state cannot be changed from outside SDL, so the tests script it.
class ScriptedPlatform : public SDLPlatform
{
public:
    int m_nAppState = ALL_APP_STATE;

protected:
    int readAppState() const override { return m_nAppState; }
};

// Hands the pump's calls to the test kit's recorder, which the fixture keeps (the platform deletes
// the target it was given).
class ToRecorder : public PlatformEventTarget
{
public:
    explicit ToRecorder(PlatformEventTarget& target) : m_target(target) {}

    bool dispatchKeyDown(int nKey, int nModifiers) override
    {
        return m_target.dispatchKeyDown(nKey, nModifiers);
    }
    void dispatchKeyUp(int nKey, int nModifiers) override
    {
        m_target.dispatchKeyUp(nKey, nModifiers);
    }
    void dispatchChar(int nChar) override { m_target.dispatchChar(nChar); }
    void dispatchMouseMove(int nX, int nY, bool bCallModes) override
    {
        m_target.dispatchMouseMove(nX, nY, bCallModes);
    }
    void dispatchMouseDown(int nMask, int nX, int nY) override
    {
        m_target.dispatchMouseDown(nMask, nX, nY);
    }
    void dispatchMouseUp(int nMask, int nX, int nY) override
    {
        m_target.dispatchMouseUp(nMask, nX, nY);
    }
    void dispatchQuitRequest() override { m_target.dispatchQuitRequest(); }
    void onAppActivated() override { m_target.onAppActivated(); }
    void onAppDeactivated() override { m_target.onAppDeactivated(); }
    void onMouseFocusGained() override { m_target.onMouseFocusGained(); }
    void onMouseFocusLost() override { m_target.onMouseFocusLost(); }
    IAudioDriver* getAudioDriver() override { return m_target.getAudioDriver(); }

private:
    PlatformEventTarget& m_target;
};

class SDLPlatformTest : public ::testing::Test
{
protected:
    SDLPlatformTest() : m_pLog(new RecordingLog()), m_recorder(m_pLog) {}

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        m_pPlatform = new ScriptedPlatform();
        m_pVideo = new RecordingVideoDriver(m_pLog);
        m_pAudio = new RecordingAudioDriver(m_pLog);
        m_pPlatform->setVideoDriver(m_pVideo);
        m_pPlatform->setAudioDriver(m_pAudio);
        m_recorder.setAudioDriver(m_pAudio);
        m_pPlatform->setEventTarget(new ToRecorder(m_recorder));
        m_pPlatform->init();
        // The video driver of the game starts SDL's video; the recorder does not.
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        ASSERT_NE(nullptr, SDL_SetVideoMode(800, 600, 0, SDL_SWSURFACE)) << SDL_GetError();
        m_pPlatform->pumpEvents();
        m_pLog->clear();
    }

    void TearDown() override { delete m_pPlatform; }

    // What reached the application since the last clear, as one text.
    std::string appCalls() const { return m_pLog->filter("app.").join("; ").c_str(); }

    static void push(SDL_Event& event) { ASSERT_EQ(0, SDL_PushEvent(&event)) << SDL_GetError(); }

    static void pushKey(Uint8 nType, int nKey, int nModifiers, int nUnicode)
    {
        SDL_Event event = {};
        event.type = nType;
        event.key.type = nType;
        event.key.state = nType == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = (SDLKey)nKey;
        event.key.keysym.mod = (SDLMod)nModifiers;
        event.key.keysym.unicode = (Uint16)nUnicode;
        push(event);
    }

    static void pushButton(Uint8 nType, int nButton, int nX = 0, int nY = 0)
    {
        SDL_Event event = {};
        event.type = nType;
        event.button.type = nType;
        event.button.button = (Uint8)nButton;
        event.button.state = nType == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = (Uint16)nX;
        event.button.y = (Uint16)nY;
        push(event);
    }

    static void pushActive(bool bGain, int nState)
    {
        SDL_Event event = {};
        event.type = SDL_ACTIVEEVENT;
        event.active.type = SDL_ACTIVEEVENT;
        event.active.gain = bGain ? 1 : 0;
        event.active.state = (Uint8)nState;
        push(event);
    }

    static void pushType(Uint8 nType)
    {
        SDL_Event event = {};
        event.type = nType;
        push(event);
    }

    // The window-relative pointer moves there; SDL queues the motion.
    static void movePointer(int nX, int nY) { SDL_WarpMouse((Uint16)nX, (Uint16)nY); }

    static void physicalPointer(int* pnX, int* pnY) { SDL_GetMouseState(pnX, pnY); }

    RIR::SmartPtr<RecordingLog> m_pLog;
    RecordingEventTarget m_recorder;
    ScriptedPlatform* m_pPlatform = nullptr;
    RecordingVideoDriver* m_pVideo = nullptr; // owned by the platform
    RecordingAudioDriver* m_pAudio = nullptr; // owned by the platform
};

// ---- keys, quit and resize --------------------------------------------------------------------

TEST_F(SDLPlatformTest, KeyPressesReachTheApplication)
{
    struct
    {
        const char* pszCase;
        int nKey;
        int nModifiers;
        int nUnicode;
        bool bHandled;
        const char* pszCalls;
    } const aCases[] = {
        {"Alt+F4 only quits", SDLK_F4, KMOD_LALT, 0, false, "app.quitRequest"},
        {"right Alt+F4 only quits", SDLK_F4, KMOD_RALT, 0, false, "app.quitRequest"},
        {"Alt+F4 with Ctrl still quits", SDLK_F4, KMOD_LALT | KMOD_LCTRL, 0, true,
         "app.quitRequest"},
        {"F4 alone is a key", SDLK_F4, 0, 0, false, "app.keyDown(285, 0x0)"},
        {"Ctrl+F4 is a key", SDLK_F4, KMOD_LCTRL, 0, false, "app.keyDown(285, 0x40)"},
        {"unhandled key with a character", SDLK_a, 0, 'a', false,
         "app.keyDown(97, 0x0); app.char(97)"},
        {"handled key sends no character", SDLK_a, 0, 'a', true, "app.keyDown(97, 0x0)"},
        {"unhandled key without a character", SDLK_LEFT, 0, 0, false, "app.keyDown(276, 0x0)"},
        {"character beyond Latin-1", SDLK_WORLD_0, KMOD_LSHIFT, 0x20AC, false,
         "app.keyDown(160, 0x1); app.char(8364)"},
    };
    for (const auto& c : aCases)
    {
        m_pLog->clear();
        m_recorder.setKeysHandled(c.bHandled);
        pushKey(SDL_KEYDOWN, c.nKey, c.nModifiers, c.nUnicode);
        m_pPlatform->pumpEvents();
        EXPECT_EQ(c.pszCalls, appCalls()) << c.pszCase;
    }
}

TEST_F(SDLPlatformTest, ReleasesCloseAndResize)
{
    pushKey(SDL_KEYUP, SDLK_F4, KMOD_LALT, 0);
    pushType(SDL_QUIT);
    pushType(SDL_VIDEORESIZE);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.keyUp(285, 0x100); app.quitRequest", appCalls());
    EXPECT_EQ(1, m_pLog->countCalls("video.invalidate"));
}

TEST_F(SDLPlatformTest, EventsInQueueOrderAndNothingWithoutTarget)
{
    pushKey(SDL_KEYDOWN, SDLK_b, 0, 0);
    pushType(SDL_QUIT);
    pushKey(SDL_KEYUP, SDLK_b, 0, 0);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.keyDown(98, 0x0); app.quitRequest; app.keyUp(98, 0x0)", appCalls());

    m_pLog->clear();
    m_pPlatform->setEventTarget(nullptr);
    pushType(SDL_QUIT);
    pushButton(SDL_MOUSEBUTTONDOWN, 1);
    movePointer(10, 20);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("", appCalls());
    // The queue was drained all the same, and the pointer followed.
    SDL_Event event;
    EXPECT_EQ(0, SDL_PollEvent(&event));
    int nX = -1;
    int nY = -1;
    m_pPlatform->getMousePos(&nX, &nY);
    EXPECT_EQ(10, nX);
    EXPECT_EQ(20, nY);
}

// ---- pointer and buttons ----------------------------------------------------------------------

TEST_F(SDLPlatformTest, ManyMovesInOnePumpGiveOneMoveWithTheLastPosition)
{
    movePointer(10, 10);
    movePointer(200, 150);
    movePointer(321, 123);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.mouseMove(321, 123, 1)", appCalls());

    m_pLog->clear();
    m_pPlatform->pumpEvents();
    EXPECT_EQ("", appCalls()) << "no motion, no move";
}

TEST_F(SDLPlatformTest, ButtonsCarryTheirMaskAndThePointerPosition)
{
    movePointer(30, 40);
    m_pPlatform->pumpEvents();
    m_pLog->clear();

    struct
    {
        int nButton;
        int nMask;
    } const aCases[] = {
        {SDL_BUTTON_LEFT, 1},
        {SDL_BUTTON_MIDDLE, 2},
        {SDL_BUTTON_RIGHT, 4},
        {SDL_BUTTON_WHEELUP, 8},
        {SDL_BUTTON_WHEELDOWN, 16},
        {6, 0},
        {7, 0},
        {0, 0},
        {255, 0},
    };
    for (const auto& c : aCases)
    {
        m_pLog->clear();
        pushButton(SDL_MOUSEBUTTONDOWN, c.nButton, 999, 999);
        pushButton(SDL_MOUSEBUTTONUP, c.nButton, 999, 999);
        m_pPlatform->pumpEvents();
        // The position is the pointer's, not the event's.
        const std::string sMask = std::to_string(c.nMask);
        EXPECT_EQ("app.mouseDown(" + sMask + ", 30, 40); app.mouseUp(" + sMask + ", 30, 40)",
                  appCalls())
            << "button " << c.nButton;
    }
}

TEST_F(SDLPlatformTest, ClickAfterMoveInTheSamePump)
{
    movePointer(50, 60);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    movePointer(70, 80);
    m_pPlatform->pumpEvents();
    // SDL moved the pointer before the button event was queued, so the click sees the last
    // position already; the move follows once the queue is empty.
    EXPECT_EQ("app.mouseDown(1, 70, 80); app.mouseMove(70, 80, 1)", appCalls());
}

TEST_F(SDLPlatformTest, LetterboxOffsetAndScaleMapToLogicalCoordinates)
{
    struct
    {
        const char* pszCase;
        float fOffsetX, fOffsetY, fScaleX, fScaleY, fWindowScale;
        int nPhysicalX, nPhysicalY;
        int nLogicalX, nLogicalY;
    } const aCases[] = {
        {"no letterbox, scale 1", 0, 0, 1, 1, 1, 123, 456, 123, 456},
        {"offset 80: physical 80 is logical 0", 80, 0, 1, 1, 1, 80, 10, 0, 10},
        {"offset in both axes", 80, 60, 1, 1, 1, 380, 360, 300, 300},
        {"stretched picture", 80, 60, 2, 2, 1, 181, 161, 50, 50},
        {"uneven scale truncates", 0, 0, 1.5f, 1.25f, 1, 100, 100, 66, 80},
        {"fractional offset truncates first", 10.9f, 20.9f, 1, 1, 1, 15, 25, 5, 5},
        {"left of the picture (windowed)", 80, 0, 1, 1, 1, 77, 10, -3, 10},
        {"window scale divides too", 0, 0, 2, 2, 2, 400, 200, 100, 50},
    };
    for (const auto& c : aCases)
    {
        m_pLog->clear();
        m_pPlatform->setScale(c.fWindowScale);
        m_pPlatform->setPointerMapping(Point(c.fOffsetX, c.fOffsetY), Point(c.fScaleX, c.fScaleY));
        movePointer(c.nPhysicalX, c.nPhysicalY);
        m_pPlatform->pumpEvents();
        const std::string sExpected = "app.mouseMove(" + std::to_string(c.nLogicalX) + ", " +
                                      std::to_string(c.nLogicalY) + ", 1)";
        EXPECT_EQ(sExpected, appCalls()) << c.pszCase;
        int nX = 0;
        int nY = 0;
        m_pPlatform->getMousePos(&nX, &nY);
        EXPECT_EQ(c.nLogicalX, nX) << c.pszCase;
        EXPECT_EQ(c.nLogicalY, nY) << c.pszCase;
    }
}

TEST(SDLPlatformMappingTest, StartsWithoutOffsetAtScaleOne)
{
    SDLPlatform platform;
    EXPECT_EQ(Point(0.0f, 0.0f), platform.getMouseOffset());
    EXPECT_EQ(Point(1.0f, 1.0f), platform.getMouseScale());
    int nX = -1;
    int nY = -1;
    platform.getMousePos(&nX, &nY);
    EXPECT_EQ(0, nX);
    EXPECT_EQ(0, nY);
    platform.getMousePos(nullptr, nullptr);
    EXPECT_TRUE(platform.isAppActive());
    EXPECT_STREQ("SDL Platform v1.0", platform.getName());
    EXPECT_EQ(nullptr, platform.getVideoDriver());
    EXPECT_EQ(nullptr, platform.getAudioDriver());
    EXPECT_NE(nullptr, platform.getImageFactory());
}

TEST_F(SDLPlatformTest, DriverWithoutPictureMappingKeepsTheMapping)
{
    m_pPlatform->setPointerMapping(Point(80, 60), Point(2, 2));
    m_pPlatform->onVideoModeSet();
    EXPECT_EQ(Point(80, 60), m_pPlatform->getMouseOffset());
    EXPECT_EQ(Point(2, 2), m_pPlatform->getMouseScale());
}

TEST_F(SDLPlatformTest, ZeroScaleFactorCountsAsOne)
{
    m_pPlatform->setPointerMapping(Point(0, 0), Point(0, 0));
    movePointer(40, 30);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.mouseMove(40, 30, 1)", appCalls());
}

TEST_F(SDLPlatformTest, FullScreenClampsAndWarpsBack)
{
    m_pVideo->setVideoMode(800, 600, VF_FULLSCREEN);
    m_pPlatform->setPointerMapping(Point(80, 60), Point(1, 1));
    m_pLog->clear();

    // Logical (-3, -10): clamped to the corner and the pointer put back on the picture's edge.
    movePointer(77, 50);
    EXPECT_FALSE(m_pPlatform->updateMouse());
    int nX = -1;
    int nY = -1;
    m_pPlatform->getMousePos(&nX, &nY);
    EXPECT_EQ(0, nX);
    EXPECT_EQ(0, nY);
    physicalPointer(&nX, &nY);
    EXPECT_EQ(80, nX);
    EXPECT_EQ(60, nY);

    // A click out there is dispatched at the clamped position, and no move reports a point off
    // the screen: the warp's own motion brings the clamped one.
    m_pPlatform->pumpEvents();
    m_pLog->clear();
    movePointer(77, 50);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.mouseDown(1, 0, 0); app.mouseMove(0, 0, 1)", appCalls());
}

TEST_F(SDLPlatformTest, FullScreenClampsAtTheFarEdges)
{
    m_pVideo->setVideoMode(800, 600, VF_FULLSCREEN);
    // A picture drawn at half size: the window's 799 is logical 1598.
    m_pPlatform->setPointerMapping(Point(0, 0), Point(0.5f, 0.5f));
    movePointer(799, 599);
    EXPECT_FALSE(m_pPlatform->updateMouse());
    int nX = -1;
    int nY = -1;
    m_pPlatform->getMousePos(&nX, &nY);
    EXPECT_EQ(799, nX);
    EXPECT_EQ(599, nY);
    physicalPointer(&nX, &nY);
    EXPECT_EQ(399, nX); // trunc(799 * 0.5)
    EXPECT_EQ(299, nY);
    // Inside the screen nothing is clamped.
    movePointer(100, 100);
    EXPECT_TRUE(m_pPlatform->updateMouse());
}

TEST_F(SDLPlatformTest, WindowedPointerIsNotClamped)
{
    m_pPlatform->setPointerMapping(Point(80, 60), Point(1, 1));
    movePointer(77, 50);
    EXPECT_TRUE(m_pPlatform->updateMouse());
    int nX = 0;
    int nY = 0;
    m_pPlatform->getMousePos(&nX, &nY);
    EXPECT_EQ(-3, nX);
    EXPECT_EQ(-10, nY);
    EXPECT_EQ(0, m_pLog->countCalls("video.invalidate"));
}

TEST_F(SDLPlatformTest, SetMousePosWarpsToThePhysicalPoint)
{
    struct
    {
        float fWindowScale, fOffsetX, fOffsetY, fScaleX, fScaleY;
        int nX, nY;
        int nPhysicalX, nPhysicalY;
    } const aCases[] = {
        {1, 0, 0, 1, 1, 100, 200, 100, 200},
        {1, 80, 60, 1.5f, 1.5f, 100, 101, 230, 211},
        // The window scale rounds y down before the pointer scale: 151 * 1.5 = 226.5, while x
        // is 1.5 * 101 * 1.5 = 227.25.
        {1.5f, 0, 0, 1.5f, 1.5f, 101, 101, 227, 226},
    };
    for (const auto& c : aCases)
    {
        m_pPlatform->setScale(c.fWindowScale);
        m_pPlatform->setPointerMapping(Point(c.fOffsetX, c.fOffsetY), Point(c.fScaleX, c.fScaleY));
        m_pPlatform->setMousePos(c.nX, c.nY);
        int nX = 0;
        int nY = 0;
        physicalPointer(&nX, &nY);
        EXPECT_EQ(c.nPhysicalX, nX);
        EXPECT_EQ(c.nPhysicalY, nY);
        m_pPlatform->getMousePos(&nX, &nY);
        EXPECT_EQ(c.nX, nX);
        EXPECT_EQ(c.nY, nY);
    }
}

TEST_F(SDLPlatformTest, PointerFromButtonEventsOnly)
{
    EXPECT_EQ(SDLPlatform::IF_POINTER_FROM_BUTTONS,
              m_pPlatform->setInputFlags(SDLPlatform::IF_POINTER_FROM_BUTTONS));
    m_pPlatform->setScale(2.0f);
    movePointer(300, 300);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 101, 51);
    m_pPlatform->pumpEvents();
    // The button's own position, divided by the window scale, goes first as a move.
    EXPECT_EQ("app.mouseMove(50, 25, 1); app.mouseDown(4, 50, 25); app.mouseMove(50, 25, 1)",
              appCalls());
    EXPECT_EQ(~SDLPlatform::IF_POINTER_FROM_BUTTONS,
              m_pPlatform->clearInputFlags(SDLPlatform::IF_POINTER_FROM_BUTTONS));
    EXPECT_EQ(0, m_pPlatform->getInputFlags());
}

// ---- activation -------------------------------------------------------------------------------

TEST_F(SDLPlatformTest, FocusLossPausesAudioOncePerChange)
{
    // Lost: the first event reports the change, a repeat changes nothing.
    m_pPlatform->m_nAppState = SDL_APPACTIVE | SDL_APPMOUSEFOCUS;
    pushActive(false, SDL_APPINPUTFOCUS);
    pushActive(false, SDL_APPINPUTFOCUS);
    m_pPlatform->pumpEvents();
    EXPECT_EQ(1, m_pLog->countCalls("audio.setPaused"));
    EXPECT_EQ(m_pLog->indexOf("audio.setPaused(1)") + 1, m_pLog->indexOf("app.deactivated"));
    EXPECT_EQ("app.deactivated", appCalls());
    EXPECT_EQ(2, m_pLog->countCalls("video.invalidate"));
    EXPECT_FALSE(m_pPlatform->isAppActive());

    // Regained.
    m_pLog->clear();
    m_pPlatform->m_nAppState = ALL_APP_STATE;
    pushActive(true, SDL_APPINPUTFOCUS);
    pushActive(true, SDL_APPINPUTFOCUS);
    m_pPlatform->pumpEvents();
    EXPECT_EQ(1, m_pLog->countCalls("audio.setPaused"));
    EXPECT_EQ(m_pLog->indexOf("audio.setPaused(0)") + 1, m_pLog->indexOf("app.activated"));
    EXPECT_EQ("app.activated", appCalls());
    EXPECT_TRUE(m_pPlatform->isAppActive());
}

TEST_F(SDLPlatformTest, IconifiedWindowCountsAsInactive)
{
    // Input focus kept, but no longer visible.
    m_pPlatform->m_nAppState = SDL_APPINPUTFOCUS;
    pushActive(false, SDL_APPACTIVE);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.deactivated", appCalls());
    EXPECT_EQ(1, m_pLog->countCalls("audio.setPaused(1)"));
}

TEST_F(SDLPlatformTest, PointerEnteringAndLeavingTheWindow)
{
    m_pPlatform->m_nAppState = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    pushActive(false, SDL_APPMOUSEFOCUS);
    m_pPlatform->m_nAppState = ALL_APP_STATE;
    m_pPlatform->pumpEvents();
    pushActive(true, SDL_APPMOUSEFOCUS);
    m_pPlatform->pumpEvents();
    // The application stays active; only the pointer comes and goes.
    EXPECT_EQ("app.mouseFocusLost; app.mouseFocusGained", appCalls());
    EXPECT_EQ(0, m_pLog->countCalls("audio.setPaused"));
    EXPECT_EQ(2, m_pLog->countCalls("video.invalidate"));
}

TEST_F(SDLPlatformTest, FocusChangeWithoutAudioDriver)
{
    m_recorder.setAudioDriver(nullptr);
    m_pPlatform->m_nAppState = 0;
    pushActive(false, SDL_APPINPUTFOCUS | SDL_APPACTIVE | SDL_APPMOUSEFOCUS);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("app.deactivated; app.mouseFocusLost", appCalls());
    EXPECT_EQ(0, m_pLog->countCalls("audio.setPaused"));
}

// ---- queries ----------------------------------------------------------------------------------

TEST_F(SDLPlatformTest, ButtonNumbersOutsideOneToEightAreUp)
{
    for (int nButton : {INT_MIN, -1, 0, 9, 31, 32, 40, INT_MAX})
        EXPECT_FALSE(m_pPlatform->isMouseButtonDown(nButton)) << nButton;
    for (int nButton = 1; nButton <= 8; ++nButton)
        EXPECT_FALSE(m_pPlatform->isMouseButtonDown(nButton)) << nButton;
}

TEST_F(SDLPlatformTest, KeysOutsideTheKeyTableAreUp)
{
    int nKeyCount = 0;
    SDL_GetKeyState(&nKeyCount);
    ASSERT_GT(nKeyCount, 0);
    for (int nKey : {INT_MIN, -1, nKeyCount, nKeyCount + 1, INT_MAX})
        EXPECT_FALSE(m_pPlatform->isKeyDown(nKey)) << nKey;
    EXPECT_FALSE(m_pPlatform->isKeyDown(SDLK_a));
    EXPECT_EQ(0, m_pPlatform->getKeyModifiers() & ~KMOD_NUM);
    EXPECT_EQ(500, m_pPlatform->getDoubleClickTime());
}

TEST_F(SDLPlatformTest, MissingJoysticksReadAsAbsent)
{
    const int nCount = m_pPlatform->getNumJoysticks();
    for (int nJoystick : {-1, nCount, nCount + 5})
    {
        EXPECT_STREQ("", m_pPlatform->getJoystickName(nJoystick));
        EXPECT_EQ(0, m_pPlatform->getJoystickNumAxes(nJoystick));
        EXPECT_EQ(0, m_pPlatform->getJoystickNumButtons(nJoystick));
        EXPECT_EQ(0.0f, m_pPlatform->getJoystickAxis(0, nJoystick));
        EXPECT_FALSE(m_pPlatform->isJoystickButtonDown(0, nJoystick));
        EXPECT_EQ(nullptr, m_pPlatform->getJoystick(nJoystick));
    }
}

std::string s_sOpenedURL;

TEST_F(SDLPlatformTest, OpenURLGoesToTheDesktopOpener)
{
    s_sOpenedURL.clear();
    setURLOpener([](const char* pszText) { s_sOpenedURL = pszText; });
    m_pPlatform->openURL("https://example.org/?a=1&b=2");
    setURLOpener(nullptr);
    EXPECT_EQ("https://example.org/?a=1&b=2", s_sOpenedURL);
}

// ---- set-up and shutdown ----------------------------------------------------------------------

TEST_F(SDLPlatformTest, SecondDriverFailsTheAssertion)
{
    RecordingVideoDriver* pVideo = new RecordingVideoDriver();
    try
    {
        m_pPlatform->setVideoDriver(pVideo);
        FAIL() << "no assertion";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : !m_pVideoDriver", e.getMessage());
    }
    delete pVideo;
    RecordingAudioDriver* pAudio = new RecordingAudioDriver();
    try
    {
        m_pPlatform->setAudioDriver(pAudio);
        FAIL() << "no assertion";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : !m_pAudioDriver", e.getMessage());
    }
    delete pAudio;
    EXPECT_EQ(m_pVideo, m_pPlatform->getVideoDriver());
    EXPECT_EQ(m_pAudio, m_pPlatform->getAudioDriver());
}

TEST(SDLPlatformSetUpTest, NewVideoDriverGetsThePlatformScale)
{
    SDLPlatform platform;
    platform.setScale(2.0f);
    RIR::SmartPtr<RecordingLog> pLog = new RecordingLog();
    platform.setVideoDriver(new RecordingVideoDriver(pLog));
    EXPECT_EQ(1, pLog->countCalls("video.setScale(2)"));
    EXPECT_EQ(2.0f, platform.getVideoDriver()->getScale());
}

TEST_F(SDLPlatformTest, ShutdownTwiceIsHarmless)
{
    m_pPlatform->shutdown();
    EXPECT_EQ(1, m_pLog->countCalls("video.shutdown"));
    EXPECT_LT(m_pLog->indexOf("video.shutdown"), m_pLog->indexOf("audio.shutdown"));
    EXPECT_LT(m_pLog->indexOf("audio.shutdown"), m_pLog->indexOf("video.destroyed"));
    EXPECT_EQ(1, m_pLog->countCalls("video.destroyed"));
    EXPECT_EQ(1, m_pLog->countCalls("audio.destroyed"));
    EXPECT_EQ(nullptr, m_pPlatform->getVideoDriver());
    EXPECT_EQ(nullptr, m_pPlatform->getAudioDriver());
    EXPECT_EQ(nullptr, m_pPlatform->getImageFactory());
    EXPECT_EQ(0u, SDL_WasInit(0)) << "SDL quit";

    const int nEntries = m_pLog->getLength();
    m_pPlatform->shutdown();
    m_pPlatform->pumpEvents(); // nothing to pump, nothing to call
    EXPECT_EQ(nEntries, m_pLog->getLength()) << m_pLog->toString().c_str();
}

TEST_F(SDLPlatformTest, InitCanRunAgainAfterShutdown)
{
    m_pPlatform->shutdown();
    m_pPlatform->init();
    EXPECT_NE(0u, SDL_WasInit(SDL_INIT_JOYSTICK));
    EXPECT_NE(0, m_pPlatform->getImageFormats() & 2) << "PNG support";
}

// ---- with the application ---------------------------------------------------------------------

std::string readFile(const std::string& sPath)
{
    std::ifstream in(sPath.c_str(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(SDLPlatformAppTest, ShutdownLogsTheFontCacheWhileTheApplicationExists)
{
    char szDir[] = "/tmp/dbd-sdlplatform-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(szDir));
    const std::string sLog = std::string(szDir) + "/test.log";
    openLog(sLog.c_str());
    {
        GameApp app;
        SDLPlatform* pPlatform = new SDLPlatform();
        EXPECT_EQ(&app, pPlatform->getApp());
        app.setPlatform(pPlatform); // the application deletes it, which shuts it down
    }
    // Without an application there is nobody to report to.
    {
        SDLPlatform platform;
        EXPECT_EQ(nullptr, platform.getApp());
    }
    closeLog();
    const std::string sText = readFile(sLog);
    EXPECT_NE(std::string::npos, sText.find("S: Font cache : 0 hits (0.0%), 0 misses\n")) << sText;
    EXPECT_EQ(sText.find("S: Font cache"), sText.rfind("S: Font cache")) << "logged once";
    std::remove(sLog.c_str());
    rmdir(szDir);
}

} // namespace
