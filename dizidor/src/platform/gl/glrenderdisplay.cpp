#include "platform/gl/glrenderdisplay.h"

#include "rir2/calltrace.h"

#include <SDL.h>

#include <GL/gl.h>

#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstring>

namespace
{

// Whether the current context offers at least OpenGL 1.3 (the texture combiner).
bool hasOpenGL13()
{
    const char* pszVersion = (const char*)glGetString(GL_VERSION);
    int nMajor = 0;
    int nMinor = 0;
    if (!pszVersion || sscanf(pszVersion, "%d.%d", &nMajor, &nMinor) != 2)
        return false;
    return nMajor > 1 || (nMajor == 1 && nMinor >= 3);
}

int pinDriverModule(struct dl_phdr_info* pInfo, size_t /*nSize*/, void* /*pData*/)
{
    // Another reference that is never given back, and the module stays even then.
    if (pInfo->dlpi_name && strstr(pInfo->dlpi_name, "_dri.so"))
        dlopen(pInfo->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

// SDL unloads the OpenGL library whenever its video stops, as it does at every mode set, and
// the OpenGL driver modules (with the shader compiler of a software renderer) would load and
// start again for the next mode. Once loaded they stay: mode changes are quicker, and what the
// driver keeps allocated to the end of the process stays its own.
void pinDriverModules()
{
    dl_iterate_phdr(pinDriverModule, nullptr);
}

} // namespace

GLRenderDisplay::GLRenderDisplay() : m_mode()
{
    RIR_TRACE("GLRenderDisplay::GLRenderDisplay");
}

GLRenderDisplay::~GLRenderDisplay()
{
    RIR_TRACE("GLRenderDisplay::~GLRenderDisplay");
    release();
}

RenderResult GLRenderDisplay::setMode(const DisplayMode& mode)
{
    RIR_TRACE("GLRenderDisplay::setMode");
    release();
    if (mode.nWidth < 1 || mode.nHeight < 1 || mode.nDepth < 0)
        return RENDER_ERR_BAD_ARGUMENT;

    // A minimum of 1 bit asks for the largest colour buffer there is.
    const int nRed = mode.nDepth == 16 ? 5 : (mode.nDepth == 0 ? 1 : 8);
    const int nGreen = mode.nDepth == 16 ? 6 : nRed;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, nRed);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, nGreen);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, nRed);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, mode.bStencil ? 16 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, mode.bStencil ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, mode.bFullscreen ? 1 : 0);

    Uint32 nFlags = SDL_OPENGL | (Uint32)mode.nSDLFlags | (mode.bFullscreen ? SDL_FULLSCREEN : 0);
    RIR_TRACE_LINE();
    SDL_Surface* pScreen = SDL_SetVideoMode(mode.nWidth, mode.nHeight, mode.nDepth, nFlags);
    if (!pScreen || !(pScreen->flags & SDL_OPENGL))
        return RENDER_ERR_MODE_FAILED;
    return makeDevice(mode, pScreen->w, pScreen->h, pScreen->format->BitsPerPixel,
                      (pScreen->flags & SDL_FULLSCREEN) != 0);
}

RenderResult GLRenderDisplay::attachToCurrentWindow(bool bStencil)
{
    RIR_TRACE("GLRenderDisplay::attachToCurrentWindow");
    release();
    SDL_Surface* pScreen = SDL_GetVideoSurface();
    if (!pScreen || !(pScreen->flags & SDL_OPENGL))
        return RENDER_ERR_MODE_FAILED;
    DisplayMode asked = DisplayMode();
    asked.nWidth = pScreen->w;
    asked.nHeight = pScreen->h;
    asked.nDepth = pScreen->format->BitsPerPixel;
    asked.bFullscreen = (pScreen->flags & SDL_FULLSCREEN) != 0;
    asked.nSDLFlags = (int32_t)(pScreen->flags & SDL_NOFRAME);
    asked.bStencil = bStencil;
    return makeDevice(asked, pScreen->w, pScreen->h, pScreen->format->BitsPerPixel,
                      asked.bFullscreen);
}

RenderResult GLRenderDisplay::makeDevice(const DisplayMode& asked, int nWidth, int nHeight,
                                         int nDepth, bool bFullscreen)
{
    RIR_TRACE("GLRenderDisplay::makeDevice");
    if (!hasOpenGL13())
        return RENDER_ERR_MODE_FAILED;
    int nStencilBits = 0;
    int nDepthBits = 0;
    if (SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &nStencilBits) < 0)
        nStencilBits = 0;
    if (SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &nDepthBits) < 0)
        nDepthBits = 0;
    // Depth and stencil are the mode's only when asked for, whatever the window happens to have.
    if (asked.bStencil && nStencilBits <= 0)
        return RENDER_ERR_NO_STENCIL;
    GLint nMaxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &nMaxTexture);
    if (nMaxTexture < 64)
        return RENDER_ERR_MODE_FAILED;

    m_mode = asked;
    m_mode.nWidth = nWidth;
    m_mode.nHeight = nHeight;
    m_mode.nDepth = nDepth;
    m_mode.bFullscreen = bFullscreen;
    const char* pszRenderer = (const char*)glGetString(GL_RENDERER);
    const char* pszVersion = (const char*)glGetString(GL_VERSION);
    m_sRenderer = RIR::String::format("%s / %s", pszRenderer ? pszRenderer : "?",
                                      pszVersion ? pszVersion : "?");
    pinDriverModules();
    RIR_TRACE_LINE();
    m_pDevice.reset(new GLRenderDevice(nWidth, nHeight, asked.bStencil && nDepthBits > 0,
                                       asked.bStencil, (int)nMaxTexture));
    return RENDER_OK;
}

RenderResult GLRenderDisplay::testCooperativeLevel()
{
    RIR_TRACE("GLRenderDisplay::testCooperativeLevel");
    if (!m_pDevice)
        return RENDER_ERR_NO_DEVICE;
    if (m_mode.bFullscreen && !(SDL_GetAppState() & SDL_APPACTIVE))
        return RENDER_ERR_DISPLAY_LOST;
    return RENDER_OK;
}

RenderResult GLRenderDisplay::present()
{
    RIR_TRACE("GLRenderDisplay::present");
    if (!m_pDevice)
        return RENDER_ERR_NO_DEVICE;
    // What the device has gathered belongs to this picture.
    m_pDevice->flush();
    SDL_GL_SwapBuffers();
    return RENDER_OK;
}

RenderResult GLRenderDisplay::restore()
{
    return m_pDevice ? RENDER_OK : RENDER_ERR_NO_DEVICE;
}

void GLRenderDisplay::release()
{
    RIR_TRACE("GLRenderDisplay::release");
    m_pDevice.reset();
    m_mode = DisplayMode();
    m_sRenderer = "";
}
