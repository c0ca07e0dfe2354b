// SDLVideoDriverBase::setVideoMode: choosing, setting and recording the physical display mode.
#include "platform/sdl/sdlvideodriver.h"

#include "app/log.h"
#include "app/videoflags.h"
#include "platform/sdl/modechoice.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <SDL.h>

namespace
{

const char* modeName(bool bFullscreen)
{
    return bFullscreen ? "Full" : "Wnd";
}

} // namespace

bool SDLVideoDriverBase::setVideoMode(int nWidth, int nHeight, int nFlags)
{
    RIR_TRACE("SDLVideoDriverBase::setVideoMode");
    bool bHidden = isHiddenRun();
    ModeChoice choice(nWidth, nHeight, nFlags, getScale());
    logPrintf("D: Set %dx%d %s, %d BPP [log %dx%d]\n", choice.getPhysicalWidth(),
              choice.getPhysicalHeight(), modeName((nFlags & VF_FULLSCREEN) != 0),
              choice.getDepth(), nWidth, nHeight);

    int nSDLFlags = 0;
    if (!startVideo(nFlags, bHidden, &nSDLFlags))
        return false;

    int anDepths[ModeChoice::DEPTH_COUNT];
    ModeChoice::getDepthOrder(choice.getDepth(), anDepths);
    RIR_TRACE_LINE();
    choice.setDesktop(getDesktopSize());
    choice.logDesktop();
    RIR::List<Point> lListed;
    listFullscreenModes(lListed);
    choice.setListedModes(lListed);

    bool bFound = false;
    bool bFullscreenPass = false;
    int nModeWidth = 0;
    int nModeHeight = 0;
    for (int nPass = 0; nPass < choice.getPassCount() && !bFound; ++nPass)
    {
        bFullscreenPass = choice.isFullscreenPass(nPass);
        RIR::List<Point> lCandidates = choice.getPassCandidates(nPass);
        for (int i = 0; i < lCandidates.getLength() && !bFound; ++i)
        {
            Point ptSize = lCandidates.get(i);
            nModeWidth = (int)ptSize.x;
            nModeHeight = (int)ptSize.y;
            for (int d = 0; d < ModeChoice::DEPTH_COUNT && !bFound; ++d)
            {
                logPrintf("V: Trying %d x %d...", nModeWidth, nModeHeight);
                RIR_TRACE_LINE();
                if (trySetMode(nModeWidth, nModeHeight, anDepths[d], bFullscreenPass, nFlags,
                               nSDLFlags))
                    bFound = true;
                else
                    logPrintf("FAILED\n");
            }
        }
    }
    if (!bFound)
        return false;

    logPrintf("SUCCESS!\n");
    storeMode(nWidth, nHeight, nModeWidth, nModeHeight, nFlags, bFullscreenPass);
    setCaption(m_sCaption.c_str());

    int nDepth = getBPP();
    logPrintf("D: Got %dx%d %s, %d BPP\n", nModeWidth, nModeHeight, modeName(isFullscreen()),
              nDepth);
    if (nDepth != 16 && nDepth != 24 && nDepth != 32)
        RIR_THROW(
            FatalErrorException,
            RIR::String::format("Couldn't get a direct color video mode [actual BPP = %d]", nDepth)
                .c_str());

    if (!bHidden)
        centreWindow();
    SDL_EnableKeyRepeat(500, 30);
    SDL_EnableUNICODE(1);
    if (!m_pSavedCursor)
        m_pSavedCursor = SDL_GetCursor();
    setSoftwareCursor(m_bSoftwareCursor);
    setViewOrigin(0, 0);
    return true;
}

bool SDLVideoDriverBase::startSDLVideo()
{
    RIR_TRACE("SDLVideoDriverBase::startSDLVideo");
    // Stopping video closes the driver's connections to the display; an X server that resets
    // when its last client leaves (Xvfb without -noreset) refuses new ones until the reset is
    // over, which can take seconds on a busy machine.
    const int nPauseMs = 100;
    const int nAttempts = 1 + (m_nVideoStartWaitMs > 0 ? m_nVideoStartWaitMs / nPauseMs : 0);
    for (int nAttempt = 1; nAttempt <= nAttempts; ++nAttempt)
    {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
            return true;
        logPrintf("D: SDL video did not start (attempt %d of %d) : %s\n", nAttempt, nAttempts,
                  SDL_GetError());
        if (nAttempt < nAttempts)
            SDL_Delay(nPauseMs);
    }
    return false;
}

// Shuts the derived driver down, starts SDL video again, reads the desktop, and gives the window
// its icon, caption and device. *pnSDLFlags: the extra SDL flags of every attempt. False, with
// nothing else done, when SDL video does not start: SDL's window-manager calls must not run then.
bool SDLVideoDriverBase::startVideo(int nFlags, bool bHidden, int* pnSDLFlags)
{
    RIR_TRACE("SDLVideoDriverBase::startVideo");
    forgetCursors();
    shutdown();
    RIR_TRACE_LINE();
    *pnSDLFlags = 0;
    if (!startSDLVideo())
        return false;
    // Before any mode is set, SDL reports the desktop as the current display mode.
    m_ptVideoDesktop = Point(0.0f, 0.0f);
    const SDL_VideoInfo* pInfo = SDL_GetVideoInfo();
    if (pInfo)
        m_ptVideoDesktop = Point((float)pInfo->current_w, (float)pInfo->current_h);

    // A full-screen mode runs in a frameless window too.
    *pnSDLFlags =
        ((nFlags & VF_FULLSCREEN) != 0 || (nFlags & VF_NO_FRAME) != 0 || bHidden) ? SDL_NOFRAME : 0;
    applyIcon();
    setCaption(m_sCaption.c_str());
    RIR_TRACE_LINE();
    createDevice();
    return true;
}

// The icon's stored pixels as a 32-bit surface with alpha, handed to SDL without a mask (SDL
// makes the mask from the alpha channel). Only while SDL video runs: SDL_WM_SetIcon reads SDL's
// video device without checking that there is one.
void SDLVideoDriverBase::applyIcon()
{
    RIR_TRACE("SDLVideoDriverBase::applyIcon");
    if (m_pIconSurface)
    {
        SDL_FreeSurface(m_pIconSurface);
        m_pIconSurface = nullptr;
    }
    if (!isVideoUp() || !m_pIcon || m_pIcon->getPhysicalWidth() <= 0 ||
        m_pIcon->getPhysicalHeight() <= 0)
        return;
    int nWidth = m_pIcon->getPhysicalWidth();
    int nHeight = m_pIcon->getPhysicalHeight();
    SDL_Surface* pSurf = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, nWidth, nHeight, 32,
                                              0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!pSurf)
        return;
    m_pIcon->lock();
    SDL_LockSurface(pSurf);
    for (int y = 0; y < nHeight; ++y)
    {
        Uint32* pRow = (Uint32*)((Uint8*)pSurf->pixels + y * pSurf->pitch);
        for (int x = 0; x < nWidth; ++x)
        {
            Color c = m_pIcon->getPixel(x, y);
            pRow[x] = (Uint32)c.r | ((Uint32)c.g << 8) | ((Uint32)c.b << 16) | ((Uint32)c.a << 24);
        }
    }
    SDL_UnlockSurface(pSurf);
    m_pIcon->unlock();
    m_pIconSurface = pSurf;
    SDL_WM_SetIcon(m_pIconSurface, nullptr);
}

void SDLVideoDriverBase::storeMode(int nWidth, int nHeight, int nPhysWidth, int nPhysHeight,
                                   int nFlags, bool bFullscreenPass)
{
    RIR_TRACE("SDLVideoDriverBase::storeMode");
    // A full-screen pass keeps the flags of the mode before and only adds full screen; a
    // windowed pass takes the requested flags.
    if (bFullscreenPass)
        m_nFlags |= VF_FULLSCREEN;
    else
        m_nFlags = nFlags & ~VF_FULLSCREEN;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nPhysWidth = nPhysWidth;
    m_nPhysHeight = nPhysHeight;

    float fScaleY = 1.0f;
    int nScaledWidth = 0;
    int nOffsetX = 0;
    ModeChoice::getLetterbox(nWidth, nHeight, nPhysWidth, nPhysHeight, &fScaleY, &nScaledWidth,
                             &nOffsetX);
    m_nPhysScaledWidth = nScaledWidth;
    m_nLetterboxX = nOffsetX;
    logPrintf("V: ScaleY = %.3lf; Phys Scaled Width = %d; Phys Offset X = %d\n", (double)fScaleY,
              m_nPhysScaledWidth, m_nLetterboxX);
    makeBorders();
}

// Two border rectangles when the picture is letterboxed; the right one starts one pixel inside
// the logical screen. The logical height always fills the physical height, so there are no top
// or bottom borders.
void SDLVideoDriverBase::makeBorders()
{
    RIR_TRACE("SDLVideoDriverBase::makeBorders");
    m_lBorders.clearAndDelete();
    if (m_nLetterboxX > 0)
    {
        m_lBorders.append(new Rect(-m_nLetterboxX, 0, 0, m_nHeight, true));
        m_lBorders.append(new Rect(m_nWidth - 1, 0, m_nWidth + m_nLetterboxX, m_nHeight, true));
    }
    logPrintf("V: Letterbox borders : ");
    for (int i = 0; i < m_lBorders.getLength(); ++i)
    {
        const Rect* pBorder = m_lBorders.get(i);
        logPrintf("(%d, %d - %d, %d); ", (int)pBorder->left, (int)pBorder->top, (int)pBorder->right,
                  (int)pBorder->bottom);
    }
    logPrintf("\n");
}
