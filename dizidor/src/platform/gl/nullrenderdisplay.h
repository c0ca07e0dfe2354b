// NullRenderDisplay: a display for SDL video drivers without OpenGL (the dummy driver of
// headless runs).
//
// setMode sets a plain SDL video mode of the size, depth and flags asked for (full screen with
// SDL_FULLSCREEN), so that SDL's window, events and mode queries work as usual; its device is a
// NullRenderDevice, which draws nothing. The display is never lost; presenting does nothing.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_NULLRENDERDISPLAY_H
#define DIZIDOR_PLATFORM_GL_NULLRENDERDISPLAY_H

#include "platform/gl/nullrenderdevice.h"
#include "platform/gl/renderdisplay.h"

#include <memory>

class NullRenderDisplay : public RenderDisplay
{
public:
    NullRenderDisplay();
    ~NullRenderDisplay() override;

    NullRenderDisplay(const NullRenderDisplay&) = delete;
    NullRenderDisplay& operator=(const NullRenderDisplay&) = delete;

    const char* getName() const override { return "Null"; }
    // RENDER_ERR_MODE_FAILED when SDL refuses the mode. A stencil buffer is always granted.
    RenderResult setMode(const DisplayMode& mode) override;
    bool hasMode() const override { return m_pDevice != nullptr; }
    const DisplayMode& getMode() const override { return m_mode; }
    int getBitsPerPixel() const override { return m_mode.nDepth; }
    RenderDevice* getDevice() const override { return m_pDevice.get(); }
    RenderResult testCooperativeLevel() override;
    RenderResult present() override;
    RenderResult restore() override;
    void release() override;

private:
    DisplayMode m_mode;
    std::unique_ptr<NullRenderDevice> m_pDevice;
};

#endif
