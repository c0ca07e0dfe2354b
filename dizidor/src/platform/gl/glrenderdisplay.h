// GLRenderDisplay: the display on an SDL 1.2 OpenGL window.
//
// setMode asks SDL for a double-buffered OpenGL mode (SDL_OPENGL, plus SDL_FULLSCREEN in full
// screen, where SDL changes the display mode, plus the extra SDL flags): colour bits from the
// depth (16: 5-6-5, else 8 per channel), no alpha, a depth and an 8-bit stencil buffer only when
// a stencil is asked for, swaps synchronised with the display in full screen. The device is a
// GLRenderDevice on the new context. attachToCurrentWindow takes an OpenGL window that SDL shows
// already instead.
//
// Presenting sends what the device has gathered and swaps the buffers. An SDL OpenGL context is
// lost only by a new mode, so the display reports no lost picture; a full-screen display whose
// window is iconified reports RENDER_ERR_DISPLAY_LOST, so that no frames are drawn while nobody
// sees them.
//
// Main thread only. SDL video must run; release (or a new mode) before SDL video stops.
#ifndef DIZIDOR_PLATFORM_GL_GLRENDERDISPLAY_H
#define DIZIDOR_PLATFORM_GL_GLRENDERDISPLAY_H

#include "platform/gl/glrenderdevice.h"
#include "platform/gl/renderdisplay.h"

#include "rir2/rirstring.h"

#include <memory>

class GLRenderDisplay : public RenderDisplay
{
public:
    GLRenderDisplay();
    ~GLRenderDisplay() override;

    GLRenderDisplay(const GLRenderDisplay&) = delete;
    GLRenderDisplay& operator=(const GLRenderDisplay&) = delete;

    const char* getName() const override { return "OpenGL"; }
    // RENDER_ERR_BAD_ARGUMENT for a size below 1 x 1 or a negative depth;
    // RENDER_ERR_MODE_FAILED when SDL refuses the mode or the context offers less than OpenGL
    // 1.3; RENDER_ERR_NO_STENCIL when a stencil was asked for and the window has none.
    RenderResult setMode(const DisplayMode& mode) override;
    // Makes SDL's current video surface, which must be an OpenGL one (RENDER_ERR_MODE_FAILED
    // otherwise), this display's mode, with a stencil buffer when bStencil and the window has
    // one (RENDER_ERR_NO_STENCIL when it has none).
    RenderResult attachToCurrentWindow(bool bStencil);
    bool hasMode() const override { return m_pDevice != nullptr; }
    const DisplayMode& getMode() const override { return m_mode; }
    int getBitsPerPixel() const override { return m_mode.nDepth; }
    RenderDevice* getDevice() const override { return m_pDevice.get(); }
    GLRenderDevice* getGLDevice() const { return m_pDevice.get(); }
    RenderResult testCooperativeLevel() override;
    RenderResult present() override;
    RenderResult restore() override;
    void release() override;

    // The OpenGL renderer and version of the mode ("llvmpipe (...) / 4.5 ..."); empty without a
    // mode.
    const RIR::String& getRendererName() const { return m_sRenderer; }

private:
    // The steps after the window exists: checks the context and makes the device.
    RenderResult makeDevice(const DisplayMode& asked, int nWidth, int nHeight, int nDepth,
                            bool bFullscreen);

    DisplayMode m_mode;
    RIR::String m_sRenderer;
    std::unique_ptr<GLRenderDevice> m_pDevice;
};

#endif
