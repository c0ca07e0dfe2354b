// RenderDisplay: the display the Direct3D 7 video driver draws on: the window or full-screen
// mode, the picture (back buffer) and its optional depth and stencil buffer, presenting, and
// notice of a lost display. It owns the RenderDevice that draws into the picture.
//
// Life: setMode makes the window or full-screen mode and a new device (the device of an earlier
// mode goes first, and every texture still held becomes lost); release lets go of the device and
// the mode's resources. The SDL video subsystem is the caller's: it must run before setMode, and
// the display must be released before it stops (a device's resources live in SDL's window).
//
// Presenting shows the picture drawn since the last present: a page flip in full screen, a copy
// into the window otherwise. Losing the display: testCooperativeLevel tells, before a frame,
// whether drawing can go on (RENDER_OK), the display mode was changed under a window
// (RENDER_ERR_WRONG_MODE: set the mode again), or a full-screen display is not ours for now
// (RENDER_ERR_DISPLAY_LOST: skip the frame); present may answer RENDER_ERR_SURFACE_LOST
// (restore, the frame is not shown) or RENDER_ERR_STILL_DRAWING (ask again).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RENDERDISPLAY_H
#define DIZIDOR_PLATFORM_GL_RENDERDISPLAY_H

#include "platform/gl/renderdevice.h"
#include "platform/gl/renderresult.h"

#include "rir2/rirstring.h"

#include <cstdint>

// One display mode, as asked for and as granted.
struct DisplayMode
{
    int32_t nWidth;
    int32_t nHeight;
    // Bits per pixel; 0 asks for the display's own. Granted: the display's.
    int32_t nDepth;
    bool bFullscreen;
    // Extra SDL video flags for the window (SDL_NOFRAME or 0).
    int32_t nSDLFlags;
    // A depth and stencil buffer is wanted. Granted: there is a stencil buffer.
    bool bStencil;

    // "800x600x32 window" / "... fullscreen", then " flags 0x%X" when there are extra SDL flags
    // and " stencil" when asked for.
    RIR::String toString() const;
};

class RenderDisplay
{
public:
    virtual ~RenderDisplay();

    // "OpenGL", "Null", "Recording".
    virtual const char* getName() const = 0;

    // Sets the mode (releasing the previous one first) and makes its device.
    // RENDER_ERR_MODE_FAILED when the mode cannot be had, RENDER_ERR_NO_STENCIL when a stencil
    // buffer was asked for and not granted; on failure there is no mode and no device.
    virtual RenderResult setMode(const DisplayMode& mode) = 0;
    virtual bool hasMode() const = 0;
    // The mode granted (all zero without a mode).
    virtual const DisplayMode& getMode() const = 0;
    // The display's bits per pixel; 0 without a mode.
    virtual int getBitsPerPixel() const = 0;
    // The device of the mode; null without a mode.
    virtual RenderDevice* getDevice() const = 0;

    // See the file comment. RENDER_ERR_NO_DEVICE without a mode.
    virtual RenderResult testCooperativeLevel() = 0;
    virtual RenderResult present() = 0;
    // Brings lost picture memory back after RENDER_ERR_SURFACE_LOST; its content is undefined.
    virtual RenderResult restore() = 0;

    // Lets go of the device (its textures become lost) and of the mode. Nothing without a mode.
    virtual void release() = 0;
};

#endif
