// SDLVideoDriverBase: life, the simple operations, the caption and the cursors. The mode choice
// is in sdlvideodriver_mode.cpp, the window placement in sdlvideodriver_window.cpp.
#include "platform/sdl/sdlvideodriver.h"

#include "app/iplatform.h"
#include "app/videoflags.h"
#include "platform/sdl/modechoice.h"
#include "platform/sdl/videohost.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <SDL.h>

SDLVideoDriverBase::SDLVideoDriverBase()
    : m_pPlatform(nullptr), m_nWidth(0), m_nHeight(0), m_nPhysWidth(0), m_nPhysHeight(0),
      m_nFlags(0), m_bSoftwareCursor(true), m_bCursorVisible(true), m_pBlankCursor(nullptr),
      m_pSavedCursor(nullptr), m_nLetterboxX(0), m_nPhysScaledWidth(0), m_pHost(nullptr),
      m_pIconSurface(nullptr), m_nVideoStartWaitMs(5000)
{
    RIR_TRACE("SDLVideoDriverBase::SDLVideoDriverBase");
}

SDLVideoDriverBase::~SDLVideoDriverBase()
{
    RIR_TRACE("SDLVideoDriverBase::~SDLVideoDriverBase");
    m_lBorders.clearAndDelete();
    forgetCursors();
    m_pCursorImage = nullptr;
    m_pIcon = nullptr;
    if (m_pIconSurface)
    {
        SDL_FreeSurface(m_pIconSurface);
        m_pIconSurface = nullptr;
    }
    delete m_pHost;
    m_pHost = nullptr;
}

bool SDLVideoDriverBase::isVideoUp()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

bool SDLVideoDriverBase::isFullscreen() const
{
    return (m_nFlags & VF_FULLSCREEN) != 0;
}

void SDLVideoDriverBase::setFullscreen(bool bFullscreen)
{
    RIR_TRACE("SDLVideoDriverBase::setFullscreen");
    if (bFullscreen != isFullscreen())
        toggleFullscreen();
    setSoftwareCursor(m_bSoftwareCursor);
}

void SDLVideoDriverBase::setBPP(int nBpp)
{
    RIR_TRACE("SDLVideoDriverBase::setBPP");
    setVideoMode(m_nWidth, m_nHeight, (m_nFlags & ~VF_DEPTH_MASK) | flagsFromBpp(nBpp));
}

void SDLVideoDriverBase::toggleFullscreen()
{
    RIR_TRACE("SDLVideoDriverBase::toggleFullscreen");
    setVideoMode(m_nWidth, m_nHeight, m_nFlags ^ VF_FULLSCREEN);
}

void SDLVideoDriverBase::setCaption(const char* pszText)
{
    RIR_TRACE("SDLVideoDriverBase::setCaption");
    m_sCaption = pszText;
    if (isVideoUp())
        SDL_WM_SetCaption(m_sCaption.c_str(), m_sCaption.c_str());
}

void SDLVideoDriverBase::iconify()
{
    RIR_TRACE("SDLVideoDriverBase::iconify");
    if (isVideoUp())
        SDL_WM_IconifyWindow();
}

void SDLVideoDriverBase::getSize(int* pnWidth, int* pnHeight) const
{
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

void SDLVideoDriverBase::setCursorImage(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("SDLVideoDriverBase::setCursorImage");
    m_pCursorImage = pImage;
}

void SDLVideoDriverBase::showCursor(bool bShow)
{
    RIR_TRACE("SDLVideoDriverBase::showCursor");
    m_bCursorVisible = bShow;
    if (isVideoUp())
        SDL_ShowCursor(bShow && !m_bSoftwareCursor ? 1 : 0);
}

void SDLVideoDriverBase::setSoftwareCursor(bool bSoftware)
{
    RIR_TRACE("SDLVideoDriverBase::setSoftwareCursor");
    m_bSoftwareCursor = bSoftware;
    if (isVideoUp())
    {
        if (bSoftware)
        {
            setBlankCursor();
            SDL_ShowCursor(0);
        }
        else
        {
            if (m_pSavedCursor)
                SDL_SetCursor(m_pSavedCursor);
            freeUnusedBlankCursor();
            SDL_ShowCursor(1);
        }
    }
    if (isFullscreen() && m_pPlatform)
    {
        int nX = 0;
        int nY = 0;
        m_pPlatform->getMousePos(&nX, &nY);
        m_pPlatform->setMousePos(nX, nY);
    }
}

void SDLVideoDriverBase::setBlankCursor()
{
    RIR_TRACE("SDLVideoDriverBase::setBlankCursor");
    if (!isVideoUp())
        return;
    if (!m_pBlankCursor)
    {
        Uint8 nData = 0;
        Uint8 nMask = 0;
        m_pBlankCursor = SDL_CreateCursor(&nData, &nMask, 1, 1, 0, 0);
    }
    if (m_pBlankCursor)
        SDL_SetCursor(m_pBlankCursor);
}

// SDL frees the cursor in use when its video stops, but not the others: a blank cursor that is
// not in use is freed at once, while SDL can still do it.
void SDLVideoDriverBase::freeUnusedBlankCursor()
{
    RIR_TRACE("SDLVideoDriverBase::freeUnusedBlankCursor");
    if (m_pBlankCursor && isVideoUp() && SDL_GetCursor() != m_pBlankCursor)
    {
        SDL_FreeCursor(m_pBlankCursor);
        m_pBlankCursor = nullptr;
    }
}

void SDLVideoDriverBase::forgetCursors()
{
    RIR_TRACE("SDLVideoDriverBase::forgetCursors");
    freeUnusedBlankCursor();
    m_pBlankCursor = nullptr;
    m_pSavedCursor = nullptr;
}

void SDLVideoDriverBase::onModeChanged()
{
    RIR_TRACE("SDLVideoDriverBase::onModeChanged");
}

void SDLVideoDriverBase::setHost(IVideoHost* pHost)
{
    RIR_TRACE("SDLVideoDriverBase::setHost");
    if (pHost == m_pHost)
        return;
    delete m_pHost;
    m_pHost = pHost;
}

void SDLVideoDriverBase::storePixelFormats(const PixelFormat& opaqueFormat,
                                           const PixelFormat& alphaFormat)
{
    RIR_TRACE("SDLVideoDriverBase::storePixelFormats");
    m_opaqueFormat = opaqueFormat;
    m_alphaFormat = alphaFormat;
}

bool SDLVideoDriverBase::isHiddenRun()
{
    RIR_TRACE("SDLVideoDriverBase::isHiddenRun");
    if (!m_pHost)
        return false;
    return m_pHost->getArguments().indexOf(RIR::String("--hidden")) >= 0;
}

Point SDLVideoDriverBase::getMouseScale() const
{
    RIR_TRACE("SDLVideoDriverBase::getMouseScale");
    if (m_nHeight <= 0 || m_nPhysHeight <= 0)
        return Point(1.0f, 1.0f);
    float fScale = (float)m_nPhysHeight / (float)m_nHeight;
    return Point(fScale, fScale);
}

Point SDLVideoDriverBase::getPictureOrigin() const
{
    RIR_TRACE("SDLVideoDriverBase::getPictureOrigin");
    float fScale = getMouseScale().x;
    int nX = (m_nPhysWidth - (int)((float)m_nWidth * fScale)) / 2;
    int nY = (m_nPhysHeight - (int)((float)m_nHeight * fScale)) / 2;
    return Point((float)nX, (float)nY);
}

bool SDLVideoDriverBase::compareModes(Point a, Point b, void* pContext)
{
    return ModeChoice::compareModes(a, b, pContext);
}

Point SDLVideoDriverBase::getDesktopSize()
{
    RIR_TRACE("SDLVideoDriverBase::getDesktopSize");
    return m_ptVideoDesktop;
}
