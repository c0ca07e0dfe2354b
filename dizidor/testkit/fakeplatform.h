// FakePlatform: a headless IPlatform with a virtual clock and scripted input.
//
// The clock is a millisecond counter that only moves when told: delay(ms) advances it by ms (and
// returns at once), advance and setTicks move it from the test. A frame loop that waits with
// delay therefore runs at full speed and sees exactly the frame times it asked for.
//
// Input is a script of events queued by the test (queueKeyDown, queueMouseMove, ...), each due
// at a tick (at(ticks) sets it for the events queued after; 0 at first). pumpEvents delivers the
// events that are due, in queue order, to the PlatformEventTarget with the rules of the SDL
// platform's pump:
// - a key press of F4 (285) with an Alt modifier (0x300) is a quit request and nothing else;
//   otherwise dispatchKeyDown, and when that answers false and the press carries a character,
//   dispatchChar;
// - motion only moves the pointer; after the due events, one dispatchMouseMove(x, y, true) with
//   the last position follows when any motion came;
// - a button press or release moves the pointer to its position, then dispatchMouseDown or
//   dispatchMouseUp with the mask of the button number (1 left -> 1, 2 middle -> 2, 3 right -> 4,
//   4 wheel up -> 8, 5 wheel down -> 16, others -> 0);
// - activation and mouse-focus events invalidate the video driver first; a change of activation
//   pauses (inactive) or resumes the target's audio driver, then calls onAppDeactivated or
//   onAppActivated; a repeat of the current state changes nothing;
// - quit is dispatchQuitRequest; resize invalidates the video driver.
// Events also update the input state the queries answer (keys, modifiers, buttons, pointer).
// Positions are logical coordinates, taken as given (no scaling, no clamping).
//
// Drivers: by default the platform makes a RecordingVideoDriver and a RecordingAudioDriver that
// write to the platform's own RecordingLog; setVideoDriver and setAudioDriver replace them (the
// platform owns what it is given). shutdown mirrors the SDL platform: it shuts the video and
// audio drivers down, then deletes the image factory and both drivers; a second shutdown does
// nothing. The destructor runs shutdown.
//
// The platform writes "platform.<call>" entries to its log for init, shutdown, openURL,
// setMousePos, createMutexImpl and createVideoSpriteImpl.
#ifndef DIZIDOR_TESTKIT_FAKEPLATFORM_H
#define DIZIDOR_TESTKIT_FAKEPLATFORM_H

#include "app/iplatform.h"
#include "app/platformeventtarget.h"
#include "testkit/recordinglog.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <deque>
#include <functional>
#include <vector>

class RecordingVideoDriver;
class RecordingAudioDriver;

class FakePlatform : public IPlatform
{
public:
    enum
    {
        KEY_COUNT = 323, // size of the key table (SDL 1.2 key symbols)
        KEY_F4 = 285,    // with an Alt modifier: quit
        MOD_ALT = 0x300  // either Alt key
    };

    // Clock at 0, no events, pointer at (0, 0), application active, double-click time 500 ms.
    // With bWithDrivers, a recording video and audio driver writing to the platform's log.
    explicit FakePlatform(bool bWithDrivers = true);
    // Runs shutdown.
    ~FakePlatform() override;

    // ---- IPlatform -------------------------------------------------------------------------

    // FatalErrorException while told to fail.
    void init() override;
    void shutdown() override;
    // "Fake Platform v1.0".
    const char* getName() const override;
    void pumpEvents() override;
    unsigned int getTicks() const override { return m_nTicks; }
    // Advances the clock by nMs and returns at once.
    void delay(unsigned int nMs) override;
    bool isMouseButtonDown(int nButton) const override;
    bool isKeyDown(int nKey) const override;
    int getKeyModifiers() const override { return m_nModifiers; }
    int getDoubleClickTime() const override { return m_nDoubleClickTime; }
    void getMousePos(int* pnX, int* pnY) const override;
    void setMousePos(int nX, int nY) override;
    int getNumJoysticks() override { return (int)m_joysticks.size(); }
    const char* getJoystickName(int nJoystick) override;
    int getJoystickNumAxes(int nJoystick) override;
    int getJoystickNumButtons(int nJoystick) override;
    float getJoystickAxis(int nAxis, int nJoystick) override;
    bool isJoystickButtonDown(int nButton, int nJoystick) override;
    // Records the address; opens nothing.
    void openURL(const char* pszUrl) override;
    // A new FakeMutexImpl, or null while mutexes are switched off.
    MutexImpl* createMutexImpl() override;
    // What the video-sprite factory makes; null without one.
    IVideoSpriteImpl* createVideoSpriteImpl() override;
    IVideoDriver* getVideoDriver() const override { return m_pVideoDriver; }
    IAudioDriver* getAudioDriver() const override { return m_pAudioDriver; }
    ImageFactory* getImageFactory() const override { return m_pImageFactory; }

    // ---- owned objects ---------------------------------------------------------------------

    // Deletes the current driver and owns the new one (null: none); a new video driver gets the
    // platform's scale.
    void setVideoDriver(IVideoDriver* pDriver);
    void setAudioDriver(IAudioDriver* pDriver);
    // Deletes the current factory and owns the new one (F is the concrete factory class).
    template <class F> void adoptImageFactory(F* pFactory)
    {
        releaseImageFactory();
        m_pImageFactory = pFactory;
        m_deleteImageFactory = [pFactory]() { delete pFactory; };
    }
    // The drivers as the recording classes; null when they are of another class or absent.
    RecordingVideoDriver* getRecordingVideoDriver() const;
    RecordingAudioDriver* getRecordingAudioDriver() const;
    const RIR::SmartPtr<RecordingLog>& getLog() const { return m_pLog; }

    // ---- clock -----------------------------------------------------------------------------

    void setTicks(unsigned int nTicks) { m_nTicks = nTicks; }
    void advance(unsigned int nMs) { m_nTicks += nMs; }
    int getDelayCount() const { return m_nDelayCount; }
    // The sum of every delay, in milliseconds.
    unsigned int getTotalDelay() const { return m_nTotalDelay; }
    unsigned int getLastDelay() const { return m_nLastDelay; }

    // ---- scripted input --------------------------------------------------------------------

    // The receiver of the pump's calls (not owned); without one, events only change the state.
    void setEventTarget(PlatformEventTarget* pTarget) { m_pTarget = pTarget; }
    // Events queued from now on become due at that tick.
    void at(unsigned int nTicks) { m_nScriptTime = nTicks; }
    void queueKeyDown(int nKey, int nModifiers = 0, int nChar = 0);
    void queueKeyUp(int nKey, int nModifiers = 0);
    void queueMouseMove(int nX, int nY);
    // nButton: the platform's button number (1 left, 2 middle, 3 right, 4/5 wheel).
    void queueMouseDown(int nButton, int nX, int nY);
    void queueMouseUp(int nButton, int nX, int nY);
    // The window gains (true) or loses (false) input focus and visibility.
    void queueActivation(bool bActive);
    // The pointer enters (true) or leaves (false) the window.
    void queueMouseFocus(bool bGained);
    // The window's close button.
    void queueQuit();
    void queueResize();
    int getPendingEventCount() const { return (int)m_events.size(); }
    int getPumpCount() const { return m_nPumpCount; }
    bool isAppActive() const { return m_bAppActive; }

    // ---- input state and settings ----------------------------------------------------------

    void setKeyDown(int nKey, bool bDown);
    void setKeyModifiers(int nModifiers) { m_nModifiers = nModifiers; }
    void setMouseButtonDown(int nButton, bool bDown);
    void setDoubleClickTime(int nMs) { m_nDoubleClickTime = nMs; }
    // A joystick with that name and numbers of axes and buttons, all at rest; returns its index.
    int addJoystick(const char* pszName, int nAxes, int nButtons);
    void setJoystickAxis(int nJoystick, int nAxis, float fValue);
    void setJoystickButton(int nJoystick, int nButton, bool bDown);
    // The addresses openURL was given, in order.
    const RIR::List<RIR::String>& getOpenedURLs() const { return m_lOpenedURLs; }

    // ---- other controls --------------------------------------------------------------------

    void failInit(bool bFail) { m_bFailInit = bFail; }
    bool isInitialized() const { return m_bInitialized; }
    bool isShutDown() const { return m_bShutDown; }
    // Off: createMutexImpl answers null.
    void setMutexSupport(bool bOn) { m_bMutexSupport = bOn; }
    int getMutexImplCount() const { return m_nMutexImpls; }
    void setVideoSpriteFactory(const std::function<IVideoSpriteImpl*()>& factory)
    {
        m_videoSpriteFactory = factory;
    }

private:
    enum EventType
    {
        EV_KEY_DOWN,
        EV_KEY_UP,
        EV_MOUSE_MOVE,
        EV_MOUSE_DOWN,
        EV_MOUSE_UP,
        EV_ACTIVATION,
        EV_MOUSE_FOCUS,
        EV_QUIT,
        EV_RESIZE
    };

    struct Event
    {
        EventType eType;
        unsigned int nAt;
        int nA; // key or button number or x
        int nB; // modifiers or y
        int nC; // character or x
        int nD; // y
        bool bFlag;
    };

    struct Joystick
    {
        RIR::String sName;
        std::vector<float> afAxes;
        std::vector<bool> abButtons;
    };

    void queue(EventType eType, int nA, int nB, int nC, int nD, bool bFlag);
    void deliver(const Event& event, bool* pbMoved);
    void invalidateVideo();
    void releaseImageFactory();
    const Joystick* findJoystick(int nJoystick) const;
    static int buttonMask(int nButton);

    RIR::SmartPtr<RecordingLog> m_pLog;
    IVideoDriver* m_pVideoDriver;  // owned
    IAudioDriver* m_pAudioDriver;  // owned
    ImageFactory* m_pImageFactory; // owned, deleted through m_deleteImageFactory
    std::function<void()> m_deleteImageFactory;
    std::function<IVideoSpriteImpl*()> m_videoSpriteFactory;
    PlatformEventTarget* m_pTarget; // not owned

    bool m_bFailInit;
    bool m_bInitialized;
    bool m_bShutDown;
    bool m_bMutexSupport;
    int m_nMutexImpls;

    unsigned int m_nTicks;
    int m_nDelayCount;
    unsigned int m_nTotalDelay;
    unsigned int m_nLastDelay;

    std::deque<Event> m_events;
    unsigned int m_nScriptTime;
    int m_nPumpCount;
    bool m_bAppActive;
    bool m_abKeys[KEY_COUNT];
    int m_nModifiers;
    int m_nButtons; // bit n-1 for button n
    int m_nMouseX;
    int m_nMouseY;
    int m_nDoubleClickTime;
    std::vector<Joystick> m_joysticks;
    RIR::List<RIR::String> m_lOpenedURLs;
};

#endif
