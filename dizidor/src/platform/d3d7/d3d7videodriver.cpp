// D3D7VideoDriver: life, the display, the simple operations and the textures. Mode setting is in
// d3d7videodriver_mode.cpp, the render states in d3d7videodriver_states.cpp, drawing in
// d3d7videodriver_draw.cpp, scenes and recovery in d3d7videodriver_recovery.cpp.
#include "platform/d3d7/d3d7videodriver.h"

#include "app/log.h"
#include "platform/d3d7/d3d7texture.h"
#include "platform/gl/glrenderdisplay.h"
#include "platform/gl/renderdisplayfactory.h"
#include "platform/gl/texturecopy.h"
#include "platform/sdl/surface.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>

#include <dlfcn.h>
#include <memory>

namespace
{

// Every mode set stops SDL video, which unloads the OpenGL library SDL loaded, and starts it
// again, which loads it anew. The driver keeps the library loaded for the life of the process
// instead: a mode change then does not pay for loading the GL driver again, and nothing of the
// driver is unloaded while allocations it made are still alive. The handle is never closed.
void keepOpenGLLoaded()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    s_bDone = true;
    dlopen("libGL.so.1", RTLD_NOW | RTLD_GLOBAL);
}

} // namespace

D3D7VideoDriver::D3D7VideoDriver()
    : m_pDisplay(nullptr), m_aScratch(), m_bCaptureRequested(false), m_bCaptureDone(false)
{
    RIR_TRACE("D3D7VideoDriver::D3D7VideoDriver");
}

D3D7VideoDriver::~D3D7VideoDriver()
{
    RIR_TRACE("D3D7VideoDriver::~D3D7VideoDriver");
    // The cursor image and sprite go first; their textures go with the rest in shutdown.
    setCursorImage(nullptr);
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_SetCursor(nullptr);
    forgetCursors();
    shutdown();
}

void D3D7VideoDriver::init(RIR::SmartPtr<Image> pIcon)
{
    RIR_TRACE("D3D7VideoDriver::init");
    RIR::appendTraceParams("1");
    if (!startSDLVideo())
        RIR_THROW(
            FatalErrorException,
            RIR::String::format("Could not initialize SDL video : %s", SDL_GetError()).c_str());
    RIR::appendTraceParams("2");
    setIcon(pIcon);
    RIR::appendTraceParams("3");
    setCaption("");
    char szDriver[129] = "";
    if (SDL_VideoDriverName(szDriver, 128))
        logPrintf("D: Drv '%s'\n", szDriver);
    RIR::appendTraceParams("4");
}

void D3D7VideoDriver::shutdown()
{
    RIR_TRACE("D3D7VideoDriver::shutdown");
    // Textures first, while the device that made them still runs.
    releaseAllTextures();
    if (m_pDisplay)
    {
        RenderDisplay* pDisplay = m_pDisplay;
        m_pDisplay = nullptr;
        RIR_TRACE_LINE();
        deleteDisplay(pDisplay);
    }
    if (SDL_WasInit(SDL_INIT_VIDEO))
    {
        RIR_TRACE_LINE();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

const char* D3D7VideoDriver::getName() const
{
    return "Direct3D 7 Video Driver v1.0";
}

void D3D7VideoDriver::suspend()
{
    RIR_TRACE("D3D7VideoDriver::suspend");
    markTexturesStale();
    releaseAllTextures();
}

void D3D7VideoDriver::resume()
{
    RIR_TRACE("D3D7VideoDriver::resume");
    markTexturesStale();
    releaseAllTextures();
}

void D3D7VideoDriver::onModeChanged()
{
    RIR_TRACE("D3D7VideoDriver::onModeChanged");
    markTexturesStale();
    releaseAllTextures();
}

int D3D7VideoDriver::getBPP() const
{
    return m_pDisplay ? m_pDisplay->getBitsPerPixel() : 0;
}

void D3D7VideoDriver::flip()
{
    RIR_TRACE("D3D7VideoDriver::flip");
}

RenderDevice* D3D7VideoDriver::getDevice() const
{
    return m_pDisplay ? m_pDisplay->getDevice() : nullptr;
}

void D3D7VideoDriver::createDevice()
{
    RIR_TRACE("D3D7VideoDriver::createDevice");
    if (m_pDisplay)
    {
        RenderDisplay* pDisplay = m_pDisplay;
        m_pDisplay = nullptr;
        deleteDisplay(pDisplay);
    }
    RIR_TRACE_LINE();
    m_pDisplay = newDisplay();
    if (!m_pDisplay)
        RIR_THROW(FatalErrorException, "DirectDrawCreateEx failed");
}

RenderDisplay* D3D7VideoDriver::newDisplay()
{
    RIR_TRACE("D3D7VideoDriver::newDisplay");
    RenderDisplay* pDisplay = createRenderDisplay();
    if (dynamic_cast<GLRenderDisplay*>(pDisplay))
        keepOpenGLLoaded();
    return pDisplay;
}

void D3D7VideoDriver::deleteDisplay(RenderDisplay* pDisplay)
{
    RIR_TRACE("D3D7VideoDriver::deleteDisplay");
    if (!pDisplay)
        return;
    pDisplay->release();
    delete pDisplay;
}

int D3D7VideoDriver::readAppState() const
{
    RIR_TRACE("D3D7VideoDriver::readAppState");
    return SDL_WasInit(SDL_INIT_VIDEO) ? (int)SDL_GetAppState() : 0;
}

bool D3D7VideoDriver::checkResult(RenderResult eResult)
{
    RIR_TRACE("D3D7VideoDriver::checkResult");
    if (!isRenderFailure(eResult))
        return false;
    logPrintf("D: Error 0x%08X\n", (unsigned)eResult);
    return true;
}

RIR::SmartPtr<TextureCell> D3D7VideoDriver::registerTexture()
{
    RIR_TRACE("D3D7VideoDriver::registerTexture");
    return new TextureCell(getRegistry());
}

// ---- textures ----------------------------------------------------------------------------------

DeviceTexture* D3D7VideoDriver::createTexture(Surface& surface, const Rect& area, int nTexWidth,
                                              int nTexHeight, bool bAlpha)
{
    RIR_TRACE("D3D7VideoDriver::createTexture");
    RenderDevice* pDevice = getDevice();
    RenderTexture* pTexture = nullptr;
    RIR_TRACE_LINE();
    RenderResult eResult = pDevice
                               ? pDevice->createTexture(nTexWidth, nTexHeight, bAlpha, &pTexture)
                               : RENDER_ERR_NO_DEVICE;
    if (checkResult(eResult) || !pTexture)
        RIR_THROW(FatalErrorException, "D3DXCreateTexture");
    std::unique_ptr<RenderTexture> pHolder(pTexture);
    // The store itself is the source (not a wrapper of its pixels), so that its colour key goes
    // through the copy: key pixels stay transparent.
    RIR_TRACE_LINE();
    SDL_Surface* pSource = surface.getSDLSurface();
    RIR_TRACE_LINE();
    copyToTexture(pSource, area, *pTexture);
    return new D3D7Texture(pHolder.release());
}

void D3D7VideoDriver::copyToTexture(SDL_Surface* pSource, const Rect& area, RenderTexture& texture)
{
    RIR_TRACE("D3D7VideoDriver::copyToTexture");
    TextureLock lock;
    RIR_TRACE_LINE();
    if (checkResult(texture.lock(&lock)))
        RIR_THROW(FatalErrorException, "Lock failed");
    RIR_TRACE_LINE();
    RenderResult eCopy = copySurfaceToLock(pSource, area, lock);
    RenderResult eUnlock = texture.unlock();
    if (eCopy == RENDER_ERR_OUT_OF_MEMORY)
        RIR_THROW(AssertFailException, "Assertion failed : pTexSurf");
    // A copy that SDL refuses leaves the texture as it was (transparent); the frame goes on.
    checkResult(eCopy);
    checkResult(eUnlock);
}
