// SDLPlatform: the platform interface on SDL 1.2.
//
// Starts and stops SDL and SDL_image, owns the video driver, the audio driver and the image
// factory, turns SDL's event queue into calls on the application, maps the physical pointer
// position of a scaled or letterboxed window to logical screen coordinates, and answers the
// keyboard, mouse, joystick, clock and shell queries of IPlatform.
//
// Life: the game's start-up constructs it, hands it its drivers (setVideoDriver, setAudioDriver)
// and the receiver of its events (setEventTarget), and installs it in the application, which
// calls init and then pumpEvents once per frame. Video and audio are started by their drivers.
// shutdown (also run by the destructor, harmless when repeated) stops everything and restores the
// desktop.
//
//     SDLPlatform* pPlatform = new SDLPlatform();
//     pPlatform->setVideoDriver(pVideo);
//     pPlatform->setAudioDriver(pAudio);
//     pPlatform->setEventTarget(new GameAppEventTarget(this));
//     setPlatform(pPlatform);
//
// The event pump (pumpEvents):
// - a window activation change invalidates the video driver; becoming inactive (no input focus
//   or iconified) pauses the target's audio driver and calls onAppDeactivated, becoming active
//   again resumes it and calls onAppActivated, once per change; the pointer entering or leaving
//   the window calls onMouseFocusGained or onMouseFocusLost;
// - Alt+F4 and the window's close button are quit requests and nothing else; every other key
//   press goes to dispatchKeyDown, and when nothing took it and it carries a character, that
//   character goes to dispatchChar;
// - pointer motion is reported once per pump, after the queue is empty, at the latest position;
// - a button press or release first takes the pointer position, then dispatches the button's
//   mask (1 left, 2 middle, 4 right, 8 wheel up, 16 wheel down, 0 for other buttons);
// - last, the joysticks are updated.
// Without an event target the queue is still drained and the pointer and activation state are
// kept, but nothing is dispatched.
//
// Pointer mapping: logical = (physical - letterbox offset) / (window scale x pointer scale),
// truncated. In full screen a pointer outside the logical screen is clamped to its edge and
// warped back there; the motion of that pump is then not reported (the warp makes a fresh one).
// The offset and the pointer scale come from the video driver after every mode change
// (onVideoModeSet); they start at (0, 0) and (1, 1).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLPLATFORM_H
#define DIZIDOR_PLATFORM_SDL_SDLPLATFORM_H

#include "app/iplatform.h"
#include "gfx/point.h"

#include "rir2/hash.h"

#include <cstdint>

class GameApp;
class PlatformEventTarget;
struct _SDL_Joystick;
union SDL_Event;

class SDLPlatform : public IPlatform
{
public:
    enum
    {
        // The double-click interval: the desktop's usual default.
        DOUBLE_CLICK_TIME_MS = 500
    };

    // Input flags (see setInputFlags).
    enum InputFlags
    {
        IF_POINTER_FROM_BUTTONS = 1, // the pointer position is taken from button events only
        IF_POINTER_FROM_DESKTOP = 2  // the pointer is read as the desktop sees it
    };

    // Scale 1.0, no drivers, no event target, pointer at (0, 0), application active. Takes the
    // application (GameApp::getInstance, may be null) and makes the image factory.
    SDLPlatform();
    // shutdown, then deletes the event target.
    ~SDLPlatform() override;

    // ---- IPlatform -------------------------------------------------------------------------

    // Sets "SDL_VIDEO_ALLOW_SCREENSAVER=0" for SDL, starts SDL (no subsystem yet), the joystick
    // subsystem (a failure is ignored) and SDL_image for JPG and PNG. Raises FatalErrorException
    // "Could not initialize SDL : <SDL's error>" when SDL cannot start.
    void init() override;
    // Logs the font-cache line while the application exists, stops SDL_image, unregisters the
    // TrueType fonts, shuts the video and then the audio driver down, deletes the image factory
    // and both drivers, closes the joysticks and quits SDL. Harmless when repeated.
    void shutdown() override;
    // "SDL Platform v1.0".
    const char* getName() const override;
    void pumpEvents() override;
    unsigned int getTicks() const override;
    void delay(unsigned int nMs) override;
    // Buttons 1 to 8 from SDL's button state; false for any other number.
    bool isMouseButtonDown(int nButton) const override;
    // False for a negative key or one past SDL's key table; else whether its state byte is 1.
    bool isKeyDown(int nKey) const override;
    int getKeyModifiers() const override;
    // DOUBLE_CLICK_TIME_MS.
    int getDoubleClickTime() const override;
    void getMousePos(int* pnX, int* pnY) const override;
    // Warps the pointer to the physical position of the logical point and stores the point.
    void setMousePos(int nX, int nY) override;
    // The window pixel that setMousePos puts the pointer on for the logical point (nX, nY).
    void toPhysicalPoint(int nX, int nY, int* pnX, int* pnY) const;
    int getNumJoysticks() override;
    // "" for an index without a joystick; the joystick is not opened.
    const char* getJoystickName(int nJoystick) override;
    int getJoystickNumAxes(int nJoystick) override;
    int getJoystickNumButtons(int nJoystick) override;
    float getJoystickAxis(int nAxis, int nJoystick) override;
    bool isJoystickButtonDown(int nButton, int nJoystick) override;
    // Opens the address with the desktop's handler (app/weblinks.h); failures are ignored.
    void openURL(const char* pszUrl) override;
    // A new SDLMutexImpl, owned by the caller.
    MutexImpl* createMutexImpl() override;
    // A new SDLTheoraVideo, owned by the caller (sdlplatform_video.cpp).
    IVideoSpriteImpl* createVideoSpriteImpl() override;
    IVideoDriver* getVideoDriver() const override { return m_pVideoDriver; }
    IAudioDriver* getAudioDriver() const override { return m_pAudioDriver; }
    ImageFactory* getImageFactory() const override { return m_pImageFactory; }

    // ---- set-up ----------------------------------------------------------------------------

    // Installs and owns the video driver, tells an SDLVideoDriverBase its platform and gives the
    // driver the platform's scale. A second driver raises AssertFailException "Assertion
    // failed : !m_pVideoDriver".
    void setVideoDriver(IVideoDriver* pDriver);
    // Installs and owns the audio driver. A second one raises AssertFailException "Assertion
    // failed : !m_pAudioDriver".
    void setAudioDriver(IAudioDriver* pDriver);
    // The receiver of the pump's calls; owned (the previous one is deleted). Null: none.
    void setEventTarget(PlatformEventTarget* pTarget);
    PlatformEventTarget* getEventTarget() const { return m_pEventTarget; }
    // The application that existed when the platform was made; may be null.
    GameApp* getApp() const { return m_pApp; }
    // What SDL_image could start (IMG_INIT_* bits) at the last init.
    int getImageFormats() const { return m_nImageFormats; }

    // ---- pointer mapping -------------------------------------------------------------------

    // Called by the video driver after every successful mode change: takes the picture origin
    // and the pointer scale of the new mode from the driver when it is an SDLVideoDriverBase.
    void onVideoModeSet();
    // The physical position of the logical picture's top-left corner and the physical pixels per
    // logical pixel. A scale factor of 0 or less counts as 1 when mapping.
    void setPointerMapping(const Point& ptOffset, const Point& ptScale);
    const Point& getMouseOffset() const { return m_ptMouseOffset; }
    const Point& getMouseScale() const { return m_ptMouseScale; }
    // Reads the pointer, maps it to logical coordinates and stores them; in full screen clamps
    // and warps it back onto the screen. False when it had to clamp.
    bool updateMouse();

    // ---- input flags (0 unless set; nothing in the game sets them) -------------------------

    // ORs the bits in; returns nBits.
    int setInputFlags(int nBits);
    // Clears the bits; returns ~nBits.
    int clearInputFlags(int nBits);
    int getInputFlags() const { return m_nInputFlags; }

    // ---- joysticks -------------------------------------------------------------------------

    // The open joystick of that index, opened (and the joystick subsystem started) on first use;
    // null when it cannot be opened.
    _SDL_Joystick* getJoystick(int nJoystick);

    // Whether the application counted as active at the last activation event.
    bool isAppActive() const { return m_bAppActive; }

protected:
    // SDL's application state bits (SDL_GetAppState); tests script it.
    virtual int readAppState() const;

private:
    SDLPlatform(const SDLPlatform&) = delete;
    SDLPlatform& operator=(const SDLPlatform&) = delete;

    // One event of the queue; bMoved is set by pointer motion.
    void handleEvent(const SDL_Event& event, bool* pbMoved);
    void handleActiveEvent(const SDL_Event& event);
    void handleKeyDown(const SDL_Event& event);
    // The pointer position of a button event, then its dispatch.
    void handleButton(const SDL_Event& event, bool bDown);
    void invalidateVideo();
    // The mask of SDL button number nButton.
    static int buttonMask(int nButton);

    // The "TrueType" font factory in the font factory table, and its cache counters
    // (sdlplatform_fonts.cpp).
    void registerTrueTypeFonts();
    void unregisterTrueTypeFonts();
    void getFontCacheCounts(int* pnHits, int* pnMisses) const;

    GameApp* m_pApp;                     // not owned
    PlatformEventTarget* m_pEventTarget; // owned; may be null
    IVideoDriver* m_pVideoDriver;        // owned; may be null
    IAudioDriver* m_pAudioDriver;        // owned; may be null
    ImageFactory* m_pImageFactory;       // owned; null after shutdown
    Point m_ptMouseOffset;
    Point m_ptMouseScale;
    int32_t m_nMouseX;
    int32_t m_nMouseY;
    bool m_bAppActive;
    int32_t m_nInputFlags;
    int32_t m_nImageFormats;
    RIR::Hash<int, _SDL_Joystick*> m_hJoysticks;
};

#endif
