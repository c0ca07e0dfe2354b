// SDLVideoDriverBase: the parts of a video driver on SDL 1.2 that do not depend on the 3-D
// interface.
//
// It chooses and sets the physical display mode for the logical screen the application asks for
// (800 x 600 in the game), windowed or full screen; letterboxes the logical picture inside a
// wider physical mode; keeps the window's caption and icon, centres the window and iconifies it;
// runs the system cursor and the software cursor (the system cursor hidden, the cursor picture
// drawn by the driver instead); and gives SDLPlatform the numbers that map pointer positions to
// logical coordinates (getPictureOrigin, getMouseScale).
//
// A derived driver creates the 3-D device (createDevice, once per mode set), sets one concrete
// mode (trySetMode) and implements the drawing; SDL3DVideoDriverBase is the next layer.
//
// Mode choice (setVideoMode; the order of candidates is ModeChoice's):
//   log "D: Set %dx%d %s, %d BPP [log %dx%d]", shut the derived driver down and start SDL video
//   again, give the window its icon and caption, create the device, log the desktop, then try
//   every candidate of each pass at each depth ("V: Trying %d x %d..." then "FAILED" or
//   "SUCCESS!") until one is accepted. On success the logical and physical sizes and the flags
//   are stored (a full-screen pass adds VF_FULLSCREEN to the flags stored before; a windowed
//   pass stores the requested flags without it), the letterbox and its border rectangles are
//   computed and logged, the depth is checked ("D: Got %dx%d %s, %d BPP"), the window centred
//   (unless "--hidden"), key repeat and Unicode input switched on, SDL's own cursor remembered
//   and the software-cursor setting applied again.
//
// Letterbox: logical 800 x 600 on a physical 1280 x 800 mode shows the picture 1066 pixels wide
// starting at physical x 107; in logical units the physical width is 960 and the picture starts
// 80 units in, with black borders (-80, 0 - 0, 600) and (799, 0 - 880, 600).
//
// Failure contract: setVideoMode answers false when SDL video does not start again (see
// startSDLVideo; then neither icon, caption nor device is touched) or when no candidate is
// accepted, and leaves the stored sizes and flags of the previous mode (the device is shut down
// all the same); a mode whose depth is not 16, 24 or 32 raises FatalErrorException "Couldn't get
// a direct color video mode [actual BPP = %d]".
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLVIDEODRIVER_H
#define DIZIDOR_PLATFORM_SDL_SDLVIDEODRIVER_H

#include "app/ivideodriver.h"
#include "app/pixelformat.h"
#include "gfx/image.h"
#include "gfx/point.h"
#include "gfx/rect.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class IPlatform;
class IVideoHost;
struct SDL_Cursor;
struct SDL_Surface;

class SDLVideoDriverBase : public IVideoDriver
{
public:
    // No platform, no host, no icon, empty caption, sizes 0, flags 0, no cursors, cursor shown,
    // software cursor on, no borders.
    SDLVideoDriverBase();
    // Releases the borders, the cursors, the icon, the caption and the host.
    ~SDLVideoDriverBase() override;

    // ---- IVideoDriver ----------------------------------------------------------------------

    // Mode choice; see the file comment.
    bool setVideoMode(int nWidth, int nHeight, int nFlags) override;
    bool isFullscreen() const override;
    void setFullscreen(bool bFullscreen) override;
    void setBPP(int nBpp) override;
    PixelFormat getOpaqueFormat() const override { return m_opaqueFormat; }
    PixelFormat getAlphaFormat() const override { return m_alphaFormat; }
    // Stores the text (UTF-8) and shows it as the window title.
    void setCaption(const char* pszText) override;
    void toggleFullscreen() override;
    void iconify() override;
    // The logical size of the last mode set.
    int getWidth() const override { return m_nWidth; }
    int getHeight() const override { return m_nHeight; }
    void getSize(int* pnWidth, int* pnHeight) const override;
    // Keeps the picture of the software cursor (null: none).
    void setCursorImage(RIR::SmartPtr<Image> pImage) override;
    // The system cursor shows only when bShow and the software cursor is off.
    void showCursor(bool bShow) override;
    bool isCursorShown() const override { return m_bCursorVisible; }
    // On: a blank system cursor, hidden; off: SDL's own cursor, shown whatever showCursor said.
    // In full screen the pointer is then warped to where it is, so that the platform's clamped
    // logical position and the physical pointer agree.
    void setSoftwareCursor(bool bSoftware) override;
    bool isSoftwareCursor() const override { return m_bSoftwareCursor; }

    // ---- operations of the SDL drivers -----------------------------------------------------

    // Windowed: moves a window that lies outside (0, 0) - (1280, 1024), or whose place cannot be
    // read, to the middle of the screen. Nothing in full screen.
    virtual void centreWindow();
    // Empty here; a 3-D driver drops its textures.
    virtual void onModeChanged();
    // Creates the 3-D interface objects; once per mode set, before the candidates are tried.
    virtual void createDevice() = 0;
    // Sets exactly this physical mode (depth 0: the display's choice; bFullscreen: the pass;
    // nFlags: the VF_* word asked for; nSDLFlags: extra SDL video flags, SDL_NOFRAME or 0).
    virtual bool trySetMode(int nWidth, int nHeight, int nDepth, bool bFullscreen, int nFlags,
                            int nSDLFlags) = 0;
    // The desktop size in pixels, (0, 0) when unknown. Here: what SDL reported when video was
    // started for this mode set, before any mode was set.
    virtual Point getDesktopSize();
    // Creates (once) a 1 x 1 transparent system cursor and selects it.
    virtual void setBlankCursor();

    // ---- set-up and queries ------------------------------------------------------------------

    // The platform whose pointer is warped (not owned; may be null).
    void setPlatform(IPlatform* pPlatform) { m_pPlatform = pPlatform; }
    IPlatform* getPlatform() const { return m_pPlatform; }
    // The application as the driver sees it; owned (the previous one is deleted). Null: none,
    // which counts as no command-line words, frame count 0, pointer at (0, 0) and no modes.
    void setHost(IVideoHost* pHost);
    IVideoHost* getHost() const { return m_pHost; }
    const RIR::String& getCaption() const { return m_sCaption; }
    RIR::SmartPtr<Image> getCursorImage() const { return m_pCursorImage; }
    RIR::SmartPtr<Image> getIcon() const { return m_pIcon; }
    // The flag word of the mode set.
    int getFlags() const { return m_nFlags; }
    int getPhysicalWidth() const { return m_nPhysWidth; }
    int getPhysicalHeight() const { return m_nPhysHeight; }
    // Logical pixels between the physical left edge and logical x = 0.
    int getLetterboxOffset() const { return m_nLetterboxX; }
    // The physical width in logical pixels.
    int getPhysScaledWidth() const { return m_nPhysScaledWidth; }
    // The letterbox border rectangles in logical coordinates (none without a letterbox).
    const RIR::List<Rect*>& getBorders() const { return m_lBorders; }

    // (s, s), s = physical height / logical height; (1, 1) before the first mode.
    Point getMouseScale() const;
    // The physical position of the logical picture's top-left corner.
    Point getPictureOrigin() const;
    // The order of full-screen candidates (ModeChoice::compareModes).
    static bool compareModes(Point a, Point b, void* pContext);

protected:
    // Stores the icon; the derived driver's init calls it.
    void setIcon(RIR::SmartPtr<Image> pIcon) { m_pIcon = pIcon; }
    // The derived driver fills the pixel formats it wants images in.
    void storePixelFormats(const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat);
    // Starts SDL's video subsystem, trying again every 100 ms while the display refuses, for up
    // to the video start wait; each failure is logged with SDL's reason. False when it never
    // starts.
    bool startSDLVideo();
    // How long startSDLVideo keeps trying, in milliseconds (5000 unless set; 0: one attempt).
    void setVideoStartWait(int nMs) { m_nVideoStartWaitMs = nMs; }
    // Whether "--hidden" is among the host's command-line words.
    bool isHiddenRun();
    // Frees the blank cursor when it is not in use (SDL frees the one in use when its video
    // stops) and forgets both cursors. Before SDL video is stopped.
    void forgetCursors();
    void freeUnusedBlankCursor();

    // ---- seams to the display (SDL and the window system); tests replace them -----------------

    // The display's full-screen modes, in its order; nothing when it lists none or accepts every
    // size.
    virtual void listFullscreenModes(RIR::List<Point>& lModes);
    // The window's outer rectangle on the screen; false when it cannot be read.
    virtual bool readWindowRect(Rect* pRect);
    // The screen size in pixels; false when it cannot be read.
    virtual bool readScreenSize(int* pnWidth, int* pnHeight);
    // Moves the window's top-left corner, keeping its size, and shows it.
    virtual void moveWindow(int nX, int nY);

private:
    SDLVideoDriverBase(const SDLVideoDriverBase&) = delete;
    SDLVideoDriverBase& operator=(const SDLVideoDriverBase&) = delete;

    // Steps of setVideoMode.
    bool startVideo(int nFlags, bool bHidden, int* pnSDLFlags);
    void applyIcon();
    void storeMode(int nWidth, int nHeight, int nPhysWidth, int nPhysHeight, int nFlags,
                   bool bFullscreenPass);
    void makeBorders();
    // Whether SDL's video subsystem runs.
    static bool isVideoUp();

    IPlatform* m_pPlatform; // not owned
    RIR::SmartPtr<Image> m_pIcon;
    RIR::String m_sCaption;
    int32_t m_nWidth;
    int32_t m_nHeight;
    int32_t m_nPhysWidth;
    int32_t m_nPhysHeight;
    int32_t m_nFlags;
    PixelFormat m_opaqueFormat;
    PixelFormat m_alphaFormat;
    bool m_bSoftwareCursor;
    bool m_bCursorVisible;
    RIR::SmartPtr<Image> m_pCursorImage;
    SDL_Cursor* m_pBlankCursor;
    SDL_Cursor* m_pSavedCursor;
    int32_t m_nLetterboxX;
    int32_t m_nPhysScaledWidth;
    RIR::List<Rect*> m_lBorders; // owned
    IVideoHost* m_pHost;         // owned; may be null
    SDL_Surface* m_pIconSurface; // the icon as SDL took it, kept until the next video start
    Point m_ptVideoDesktop;      // the desktop when video last started
    int32_t m_nVideoStartWaitMs;
};

#endif
