// PlatformEventTarget: the application side of a platform's event pump.
//
// The platform's pump (SDLPlatform::pumpEvents, the test kit's FakePlatform) turns its event
// queue into these calls: the application's input dispatch, its activation and pointer-focus
// hooks, and the audio driver it pauses while the window is in the background. The application
// is handed to the platform (setEventTarget) rather than reached through a global, so a pump can
// be driven and checked without a whole application: GameAppEventTarget forwards every call to a
// GameApp, tests put a recorder in its place.
//
// All calls come from the main thread, inside the platform's pumpEvents.
#ifndef DIZIDOR_APP_PLATFORMEVENTTARGET_H
#define DIZIDOR_APP_PLATFORMEVENTTARGET_H

class IAudioDriver;

class PlatformEventTarget
{
public:
    virtual ~PlatformEventTarget();

    // A key press (key symbol and modifier bits); true when something took it, and then the
    // pump sends no character for it.
    virtual bool dispatchKeyDown(int nKey, int nModifiers) = 0;
    virtual void dispatchKeyUp(int nKey, int nModifiers) = 0;
    // The UTF-16 character of a key press that nothing took.
    virtual void dispatchChar(int nChar) = 0;
    // Logical pointer position; bCallModes: the modes' own handlers see the move too.
    virtual void dispatchMouseMove(int nX, int nY, bool bCallModes) = 0;
    // nMask: 1 left, 2 middle, 4 right, 8 wheel up, 16 wheel down (0 for other buttons).
    virtual void dispatchMouseDown(int nMask, int nX, int nY) = 0;
    virtual void dispatchMouseUp(int nMask, int nX, int nY) = 0;
    // The window's close button or Alt+F4.
    virtual void dispatchQuitRequest() = 0;
    virtual void onAppActivated() = 0;
    virtual void onAppDeactivated() = 0;
    virtual void onMouseFocusGained() = 0;
    virtual void onMouseFocusLost() = 0;
    // The audio driver the application plays through (paused while it is inactive); may be null.
    virtual IAudioDriver* getAudioDriver() = 0;
};

#endif
