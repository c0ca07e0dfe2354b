// IVideoDriver: the display, the window and the drawing of frames.
//
// One driver exists per platform; the platform owns it and GameApp borrows it. It keeps the
// logical screen size (what setVideoMode was given, 800 x 600 in the game) apart from the
// physical mode it chose, and draws the application's modes once per frame in renderFrame. A
// back-end implements every operation below in this slot order; the destructor, setScale,
// getScale, suspend and resume have bodies here.
//
// Lifecycle: constructed (scale 1.0) -> init (once, from GameApp::init) -> setVideoMode (any
// number of times: full-screen toggles and depth changes call it again) -> shutdown. All calls
// come from the main thread.
//
// Failure contract: init raises FatalErrorException when the video layer cannot start.
// setVideoMode answers false when a mode is refused and leaves the current mode in place; but
// GameApp::init does not look at the result, so a back-end that can set no mode at all must tell
// the user itself and end the program (the Direct3D back-end shows "Initialization error" and
// calls emergencyExit).
#ifndef DIZIDOR_APP_IVIDEODRIVER_H
#define DIZIDOR_APP_IVIDEODRIVER_H

#include "app/pixelformat.h"
#include "gfx/color.h"

#include "rir2/refcount.h"

class Image;
class Sprite;

class IVideoDriver
{
public:
    // Scale 1.0.
    IVideoDriver();
    virtual ~IVideoDriver();

    // The window scale factor (windowed size = logical size x scale).
    virtual void setScale(float fScale);
    virtual float getScale() const { return m_fScale; }

    // Starts the video layer and remembers the window icon; the caption is empty. Raises
    // FatalErrorException when the video layer cannot start.
    virtual void init(RIR::SmartPtr<Image> pIcon) = 0;
    // Releases every display resource and stops the video layer.
    virtual void shutdown() = 0;
    // The display name for the log ("G: Init video : ...").
    virtual const char* getName() const = 0;
    virtual bool isAccelerated() const = 0;
    // A back-end may drop its device data here; nothing here.
    virtual void suspend();
    // The counterpart of suspend; nothing here.
    virtual void resume();
    // Sets the logical size and a physical mode for the flag word (VF_*, app/videoflags.h); true
    // when a mode is set. See the failure contract above.
    virtual bool setVideoMode(int nWidth, int nHeight, int nFlags) = 0;
    virtual bool isFullscreen() const = 0;
    // Toggles only when the wish differs from the current state, then applies the software-cursor
    // setting again.
    virtual void setFullscreen(bool bFullscreen) = 0;
    // Bits per pixel of the display mode (16, 24 or 32).
    virtual int getBPP() const = 0;
    // setVideoMode with the current logical size and the current flags whose depth bits are
    // replaced by flagsFromBpp(nBpp).
    virtual void setBPP(int nBpp) = 0;
    // The format images without alpha must be converted to.
    virtual PixelFormat getOpaqueFormat() const = 0;
    // The format images with alpha must be converted to.
    virtual PixelFormat getAlphaFormat() const = 0;
    // The window title, UTF-8.
    virtual void setCaption(const char* pszText) = 0;
    // setVideoMode with the current logical size and the current flags with VF_FULLSCREEN
    // inverted.
    virtual void toggleFullscreen() = 0;
    // Minimises the window.
    virtual void iconify() = 0;
    // Draws the application's visible modes from the lowest one that must be drawn up to the
    // top, then the software cursor, and presents the frame.
    virtual void renderFrame() = 0;
    // Presents the back buffer; may be empty when renderFrame presents.
    virtual void flip() = 0;
    // Fills the whole back buffer with the colour.
    virtual void clear(Color color) = 0;
    // Same effect as clear.
    virtual void fillScreen(Color color) = 0;
    // The logical width.
    virtual int getWidth() const = 0;
    // The logical height.
    virtual int getHeight() const = 0;
    // The logical size; either pointer may be null.
    virtual void getSize(int* pnWidth, int* pnHeight) const = 0;
    // No effect in the provided back-ends.
    virtual void setParameter(int nValue) = 0;
    // The screen must be redrawn in full. A driver that redraws every frame in full may ignore it.
    virtual void invalidate() = 0;
    // The picture of the cursor; with a non-null image the driver builds its cursor sprite from
    // it.
    virtual void setCursorImage(RIR::SmartPtr<Image> pImage) = 0;
    // The cursor sprite; null without a cursor image.
    virtual RIR::SmartPtr<Sprite> getCursorSprite() const = 0;
    // The system cursor is shown only when the flag is set and the software cursor is off.
    virtual void showCursor(bool bShow) = 0;
    // The flag last given to showCursor.
    virtual bool isCursorShown() const = 0;
    // On: hide the system cursor and draw the cursor sprite instead; off: show the system cursor
    // again. In full screen the pointer is warped back to its last position.
    virtual void setSoftwareCursor(bool bSoftware) = 0;
    virtual bool isSoftwareCursor() const = 0;
    // The origin of the projection used for drawing.
    virtual void setViewOrigin(int nX, int nY) = 0;
    // Builds the driver's own data (textures) for an image before it is drawn.
    virtual void prepareImage(Image* pImage) = 0;

    // Bits per pixel of the depth code in the flag word; only the bits of VF_DEPTH_MASK count:
    // 4 -> 16, 8 -> 24, 12 -> 32, 0 -> 0 (the back-end's choice).
    static int bppFromFlags(int nFlags);
    // The depth code for a depth: 15 or 16 -> 4, 24 -> 8, 32 -> 12, anything else -> 0.
    static int flagsFromBpp(int nBpp);

private:
    IVideoDriver(const IVideoDriver&) = delete;
    IVideoDriver& operator=(const IVideoDriver&) = delete;

    float m_fScale;
};

#endif
