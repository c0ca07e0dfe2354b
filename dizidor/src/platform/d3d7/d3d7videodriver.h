// D3D7VideoDriver: the system's video driver.
//
// It supplies everything of a video driver that touches the display: the window or full-screen
// mode with its 3-D device, the render states, the drawing of a sprite (textured tiles or a
// polygon, tinted, faded, scaled, rotated about its insertion point), the letterbox borders,
// presenting a frame, and recovery when the display is lost. The frame walk, the texture tiles
// and the state cache are SDL3DVideoDriverBase's; the mode choice is SDLVideoDriverBase's.
//
// It draws through the device layer of platform/gl/ (RenderDisplay, RenderDevice,
// RenderTexture): the OpenGL display when SDL's video driver can do OpenGL, the null display
// (which draws nothing) on SDL's dummy driver (createRenderDisplay). The game's start-up makes
// the driver, gives it its host and hands it to SDLPlatform:
//
//     D3D7VideoDriver* pVideo = new D3D7VideoDriver();
//     pVideo->setHost(new GameAppVideoHost(this));
//     pPlatform->setVideoDriver(pVideo);
//
// Life: init starts SDL video once; every setVideoMode shuts the old display down (all textures
// are released while the device still runs, then SDL video stops), starts SDL video again, makes
// a new display and sets the first candidate mode it accepts; textures are rebuilt on use. On
// success the device gets the sprite states (no depth test, no culling, no lighting, texture x
// vertex colour, blending on) and SDLPlatform::onVideoModeSet maps the pointer anew. When no mode
// works at all the user is told ("Initialization error") and the program ends (emergencyExit).
//
// Frames: beginScene tests the display first. A windowed display whose display mode was changed
// under it is rebuilt at once (the whole mode is set again); a full-screen display that is not
// ours skips frames; a scene that cannot begin while the application is fully active (mouse
// focus, input focus, not iconified) rebuilds the mode, otherwise it skips the frame. A rebuild
// that cannot begin a scene either raises FatalErrorException "Couldn't reset video mode".
// present draws the letterbox borders black, ends the scene and shows it; a picture lost while
// presenting is restored and that frame dropped.
//
// Coordinates: logical pixels, y downward; the projection puts logical x = 0 one letterbox offset
// in from the physical left edge (setViewOrigin), so the borders at negative x and beyond the
// logical width stay visible. Sprites are moved half a pixel up and left, so that texels fall on
// pixel centres.
//
// Failures: SDL video that cannot start raises FatalErrorException "Could not initialize SDL
// video : %s"; a texture the device refuses logs "D: Error 0x%08X" and raises "D3DXCreateTexture",
// one that cannot be locked logs the same and raises "Lock failed".
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_D3D7_D3D7VIDEODRIVER_H
#define DIZIDOR_PLATFORM_D3D7_D3D7VIDEODRIVER_H

#include "platform/gl/renderdevice.h"
#include "platform/gl/renderdisplay.h"
#include "platform/gl/rendermatrix.h"
#include "platform/gl/rendervertex.h"
#include "platform/video3d/video3ddriver.h"

#include <cstdint>
#include <vector>

struct SDL_Surface;

// The pixels of one drawn frame, read back before it was shown.
struct FrameCapture
{
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    // nWidth x nHeight words 0x00RRGGBB, row by row from the top.
    std::vector<uint32_t> lPixels;
};

class D3D7VideoDriver : public SDL3DVideoDriverBase
{
public:
    // No display, no device; the sprite matrix is the identity.
    D3D7VideoDriver();
    // Lets go of the cursor, then shutdown.
    ~D3D7VideoDriver() override;

    // ---- IVideoDriver ----------------------------------------------------------------------

    // Starts SDL video, keeps the icon, empties the caption, logs "D: Drv '%s'" with SDL's
    // driver name.
    void init(RIR::SmartPtr<Image> pIcon) override;
    // Releases every texture (while the device still runs), the device and the display, then
    // stops SDL video. Harmless when repeated.
    void shutdown() override;
    // "Direct3D 7 Video Driver v1.0".
    const char* getName() const override;
    bool isAccelerated() const override { return true; }
    // Both make every texture stale and release them all; they are rebuilt on use.
    void suspend() override;
    void resume() override;
    // The mode choice, then the device's sprite states and SDLPlatform::onVideoModeSet. No mode
    // at all: "Initialization error" to the user and emergencyExit (see reportNoVideoMode).
    bool setVideoMode(int nWidth, int nHeight, int nFlags) override;
    // The display's bits per pixel; 0 without a mode.
    int getBPP() const override;
    // Nothing: renderFrame presents.
    void flip() override;
    // Clears the picture to the colour's red, green and blue (its alpha is not used); the stencil
    // buffer is cleared to 0 too when there is one. Nothing without a device.
    void clear(Color color) override;
    // The same as clear.
    void fillScreen(Color color) override;
    // The projection: logical x from nX - letterbox offset to that plus the physical width in
    // logical pixels, logical y from nY to nY + logical height, depth -1 to 1.
    void setViewOrigin(int nX, int nY) override;

    // ---- SDLVideoDriverBase ----------------------------------------------------------------

    // Like suspend.
    void onModeChanged() override;
    // Makes the display of this mode set (newDisplay); FatalErrorException "DirectDrawCreateEx
    // failed" when there is none.
    void createDevice() override;
    // Sets exactly this mode on the display (a depth and stencil buffer with VF_ZBUFFER), forgets
    // SDL's cursors, reads "--pw" (ignored: there is no parent window to embed into here) and
    // sets the viewport to the whole picture. False when the display refuses the mode.
    bool trySetMode(int nWidth, int nHeight, int nDepth, bool bFullscreen, int nFlags,
                    int nSDLFlags) override;

    // ---- SDL3DVideoDriverBase --------------------------------------------------------------

    // See the file comment.
    bool beginScene() override;
    void present() override;
    // Draws one sprite (see drawSprite in d3d7videodriver_draw.cpp).
    void drawSprite(Sprite* pSprite) override;
    // A texture of nTexWidth x nTexHeight holding the area of the store at its top-left, with
    // alpha when bAlpha. A colour-keyed store keeps its key: key pixels stay transparent.
    DeviceTexture* createTexture(Surface& surface, const Rect& area, int nTexWidth, int nTexHeight,
                                 bool bAlpha) override;
    // Sends the cached blend mode, state bits and stencil mask when they are dirty.
    void applyRenderStates() override;

    // ---- the driver's own ------------------------------------------------------------------

    // Copies the area of the SDL surface into the texture's top-left corner: alpha copied, not
    // blended; a colour key kept (key pixels transparent black). A texture that cannot be locked
    // logs "D: Error 0x%08X" and raises FatalErrorException "Lock failed"; texture memory SDL
    // cannot wrap raises AssertFailException "Assertion failed : pTexSurf".
    void copyToTexture(SDL_Surface* pSource, const Rect& area, RenderTexture& texture);
    // Logs "D: Error 0x%08X" for a failed result; true when it failed.
    bool checkResult(RenderResult eResult);
    // A new empty texture cell in the driver's registry.
    RIR::SmartPtr<TextureCell> registerTexture();

    // The display of the current mode set, and its device; null while there is none.
    RenderDisplay* getDisplay() const { return m_pDisplay; }
    RenderDevice* getDevice() const;
    // The view transform of sprites drawn without rotation or scale (the identity).
    const RenderMatrix& getSpriteMatrix() const { return m_spriteMatrix; }

    // Frame capture: the next frame presented is read back first (on a display that keeps
    // pixels: the OpenGL one); takeFrameCapture then hands it out once.
    void requestFrameCapture() { m_bCaptureRequested = true; }
    bool hasFrameCapture() const { return m_bCaptureDone; }
    // False when no frame was captured since the request (or the display keeps no pixels).
    bool takeFrameCapture(FrameCapture* pCapture);

protected:
    // ---- seams (tests replace them) --------------------------------------------------------

    // A new display for a mode set: the device layer's choice (createRenderDisplay).
    virtual RenderDisplay* newDisplay();
    // The display goes at shutdown: released and deleted here.
    virtual void deleteDisplay(RenderDisplay* pDisplay);
    // SDL's application state bits (SDL_GetAppState).
    virtual int readAppState() const;
    // No mode can be set at all: the message box "Initialization error" and emergencyExit.
    virtual void reportNoVideoMode();

private:
    // Steps of setVideoMode and trySetMode.
    void setSpriteStates();
    void notifyPlatform();
    void readParentWindow();
    // beginScene's rebuild of the whole mode.
    void recoverDevice();
    // Steps of drawSprite.
    void drawPolygon(Sprite* pSprite, const RenderMatrix& view, float fOffsetX, float fOffsetY,
                     uint32_t nColor);
    void drawTiles(const Drv3DTileData& tiles, float fOffsetX, float fOffsetY, uint32_t nColor);
    void setView(const RenderMatrix& view);
    void drawBorders();
    void captureFrame();

    RenderDisplay* m_pDisplay; // owned (through deleteDisplay); null between mode sets
    RenderMatrix m_spriteMatrix;
    RenderVertex m_aScratch[4];
    bool m_bCaptureRequested;
    bool m_bCaptureDone;
    FrameCapture m_capture;
};

#endif
