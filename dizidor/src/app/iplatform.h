// IPlatform: the application's one door to the operating system.
//
// The application core never touches the window system, the input devices or the clock itself;
// it asks the platform. A back-end (SDLPlatform, or the fake of the test kit) implements every
// operation below in this slot order. The platform owns its video driver, its audio driver and
// its image factory: the getters lend them out, and the pointers stay valid until shutdown.
//
// Lifecycle: the game shell constructs the back-end, hands it its drivers (operations of the
// back-end class) and installs it with GameApp::setPlatform; GameApp::init calls init, then every
// frame getTicks, delay and pumpEvents; GameApp deletes the platform through the virtual
// destructor, which runs the back-end's shutdown first. main and the emergency exit may call
// shutdown earlier; a back-end's shutdown must be harmless when run twice.
//
// Key codes and modifier bits are those of the platform layer (SDL 1.2 key symbols and modifier
// masks); mouse buttons are numbered 1 left, 2 middle, 3 right. All calls come from the main
// thread.
#ifndef DIZIDOR_APP_IPLATFORM_H
#define DIZIDOR_APP_IPLATFORM_H

class IVideoDriver;
class IAudioDriver;
class ImageFactory;
class MutexImpl;
class IVideoSpriteImpl;

class IPlatform
{
public:
    // Scale 1.0.
    IPlatform();
    // The back-end's destructor runs its shutdown, then deletes what it owns.
    virtual ~IPlatform();

    // Stores the window scale factor (windowed size = logical size x scale) and passes it on to
    // the video driver, when getVideoDriver returns one.
    virtual void setScale(float fScale);
    virtual float getScale() const { return m_fScale; }

    // Starts the platform layer and the joystick subsystem (video and audio are started by their
    // drivers). Raises FatalErrorException with the layer's error text when it cannot start.
    virtual void init() = 0;
    // Stops the drivers, the image factory, open joysticks and the platform layer, which restores
    // the desktop display. Harmless when repeated.
    virtual void shutdown() = 0;
    // The display name for the log ("G: Init platform : ...").
    virtual const char* getName() const = 0;
    // Reads every pending window and input event and hands each to the application.
    virtual void pumpEvents() = 0;
    // Milliseconds since the platform started; wraps after 2^32.
    virtual unsigned int getTicks() const = 0;
    // Sleeps nMs milliseconds.
    virtual void delay(unsigned int nMs) = 0;
    // Whether mouse button nButton (1 left, 2 middle, 3 right) is held now.
    virtual bool isMouseButtonDown(int nButton) const = 0;
    // Whether the key is held now; false for a code outside the key table.
    virtual bool isKeyDown(int nKey) const = 0;
    // The current modifier-key bits.
    virtual int getKeyModifiers() const = 0;
    // The system double-click interval in milliseconds.
    virtual int getDoubleClickTime() const = 0;
    // The last pointer position seen by the pump, in logical screen coordinates. Either pointer
    // may be null.
    virtual void getMousePos(int* pnX, int* pnY) const = 0;
    // Moves the pointer to the window position of that logical point and stores it as the last
    // position.
    virtual void setMousePos(int nX, int nY) = 0;
    virtual int getNumJoysticks() = 0;
    // The device name; "" for an index without a joystick.
    virtual const char* getJoystickName(int nJoystick) = 0;
    // 0 when the joystick cannot be opened.
    virtual int getJoystickNumAxes(int nJoystick) = 0;
    // 0 when the joystick cannot be opened.
    virtual int getJoystickNumButtons(int nJoystick) = 0;
    // The raw axis value as a float (-32768 to 32767, not normalised); 0.0 when the joystick
    // cannot be opened. The axis comes first, the joystick second.
    virtual float getJoystickAxis(int nAxis, int nJoystick) = 0;
    // False when the joystick cannot be opened. The button comes first, the joystick second.
    virtual bool isJoystickButtonDown(int nButton, int nJoystick) = 0;
    // Opens a web address or a document with the system's default handler.
    virtual void openURL(const char* pszUrl) = 0;
    // A new mutex implementation, owned by the caller; null when the platform has none.
    virtual MutexImpl* createMutexImpl() = 0;
    // A new movie decoder for VideoSprite, owned by the caller.
    virtual IVideoSpriteImpl* createVideoSpriteImpl() = 0;
    // Lent out; null only while the back-end has not been given a driver.
    virtual IVideoDriver* getVideoDriver() const = 0;
    // Lent out; null means no audio device (the application then uses DummyAudioDriver).
    virtual IAudioDriver* getAudioDriver() const = 0;
    // Lent out; the application's image loader and the source of new images.
    virtual ImageFactory* getImageFactory() const = 0;

private:
    IPlatform(const IPlatform&) = delete;
    IPlatform& operator=(const IPlatform&) = delete;

    float m_fScale;
};

#endif
