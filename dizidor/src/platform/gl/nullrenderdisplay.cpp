#include "platform/gl/nullrenderdisplay.h"

#include "rir2/calltrace.h"

#include <SDL.h>

NullRenderDisplay::NullRenderDisplay() : m_mode()
{
    RIR_TRACE("NullRenderDisplay::NullRenderDisplay");
}

NullRenderDisplay::~NullRenderDisplay()
{
    RIR_TRACE("NullRenderDisplay::~NullRenderDisplay");
    release();
}

RenderResult NullRenderDisplay::setMode(const DisplayMode& mode)
{
    RIR_TRACE("NullRenderDisplay::setMode");
    release();
    if (mode.nWidth < 1 || mode.nHeight < 1 || mode.nDepth < 0)
        return RENDER_ERR_BAD_ARGUMENT;
    Uint32 nFlags = (Uint32)mode.nSDLFlags | (mode.bFullscreen ? SDL_FULLSCREEN : 0);
    RIR_TRACE_LINE();
    SDL_Surface* pScreen = SDL_SetVideoMode(mode.nWidth, mode.nHeight, mode.nDepth, nFlags);
    if (!pScreen)
        return RENDER_ERR_MODE_FAILED;
    m_mode = mode;
    m_mode.nDepth = pScreen->format->BitsPerPixel;
    m_pDevice.reset(new NullRenderDevice(mode.nWidth, mode.nHeight, mode.bStencil));
    return RENDER_OK;
}

RenderResult NullRenderDisplay::testCooperativeLevel()
{
    return m_pDevice ? RENDER_OK : RENDER_ERR_NO_DEVICE;
}

RenderResult NullRenderDisplay::present()
{
    return m_pDevice ? RENDER_OK : RENDER_ERR_NO_DEVICE;
}

RenderResult NullRenderDisplay::restore()
{
    return m_pDevice ? RENDER_OK : RENDER_ERR_NO_DEVICE;
}

void NullRenderDisplay::release()
{
    RIR_TRACE("NullRenderDisplay::release");
    m_pDevice.reset();
    m_mode = DisplayMode();
}
