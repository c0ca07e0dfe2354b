// SDLPlatform: the event pump and the mapping between physical and logical pointer positions.
#include "platform/sdl/sdlplatform.h"

#include "app/iaudiodriver.h"
#include "app/ivideodriver.h"
#include "app/platformeventtarget.h"
#include "platform/sdl/sdlvideodriver.h"

#include "rir2/calltrace.h"

#include <SDL.h>

namespace
{

// SDL button numbers 0 to 5 as the application's button masks.
const int BUTTON_MASKS[] = {0, 1, 2, 4, 8, 16};
const int BUTTON_MASK_COUNT = (int)(sizeof(BUTTON_MASKS) / sizeof(BUTTON_MASKS[0]));

// Both parts of "active": the window has the keyboard and is not iconified.
const int ACTIVE_STATE = SDL_APPINPUTFOCUS | SDL_APPACTIVE;

// A mapping factor that cannot divide counts as 1.
float usableFactor(float fFactor)
{
    return fFactor > 0.0f ? fFactor : 1.0f;
}

} // namespace

void SDLPlatform::pumpEvents()
{
    RIR_TRACE("SDLPlatform::pumpEvents");
    bool bMoved = false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        RIR_TRACE_LINE();
        handleEvent(event, &bMoved);
    }

    // Motion goes out once, at the latest position; a clamped position has been warped back and
    // the warp's own motion reports it in the next pump.
    RIR_TRACE_LINE();
    const bool bUnclamped = updateMouse();
    if (bMoved && bUnclamped && m_pEventTarget)
        m_pEventTarget->dispatchMouseMove(m_nMouseX, m_nMouseY, true);

    if (SDL_WasInit(SDL_INIT_JOYSTICK))
        SDL_JoystickUpdate();
}

void SDLPlatform::handleEvent(const SDL_Event& event, bool* pbMoved)
{
    RIR_TRACE("SDLPlatform::handleEvent");
    switch (event.type)
    {
    case SDL_ACTIVEEVENT:
        handleActiveEvent(event);
        break;
    case SDL_KEYDOWN:
        handleKeyDown(event);
        break;
    case SDL_KEYUP:
        if (m_pEventTarget)
            m_pEventTarget->dispatchKeyUp(event.key.keysym.sym, event.key.keysym.mod);
        break;
    case SDL_MOUSEMOTION:
        updateMouse();
        *pbMoved = true;
        break;
    case SDL_MOUSEBUTTONDOWN:
        handleButton(event, true);
        break;
    case SDL_MOUSEBUTTONUP:
        handleButton(event, false);
        break;
    case SDL_QUIT:
        if (m_pEventTarget)
            m_pEventTarget->dispatchQuitRequest();
        break;
    case SDL_VIDEORESIZE:
        invalidateVideo();
        break;
    default:
        break;
    }
}

void SDLPlatform::handleActiveEvent(const SDL_Event& event)
{
    RIR_TRACE("SDLPlatform::handleActiveEvent");
    invalidateVideo();
    const bool bActive = (readAppState() & ACTIVE_STATE) == ACTIVE_STATE;
    if (bActive != m_bAppActive)
    {
        // The new state is taken first, so that a hook that pumps again sees no second change.
        m_bAppActive = bActive;
        if (m_pEventTarget)
        {
            IAudioDriver* pAudio = m_pEventTarget->getAudioDriver();
            if (pAudio)
                pAudio->setPaused(!bActive);
            RIR_TRACE_LINE();
            if (bActive)
                m_pEventTarget->onAppActivated();
            else
                m_pEventTarget->onAppDeactivated();
        }
    }
    if ((event.active.state & SDL_APPMOUSEFOCUS) && m_pEventTarget)
    {
        RIR_TRACE_LINE();
        if (event.active.gain)
            m_pEventTarget->onMouseFocusGained();
        else
            m_pEventTarget->onMouseFocusLost();
    }
}

void SDLPlatform::handleKeyDown(const SDL_Event& event)
{
    RIR_TRACE("SDLPlatform::handleKeyDown");
    if (!m_pEventTarget)
        return;
    const SDL_keysym& keysym = event.key.keysym;
    if (keysym.sym == SDLK_F4 && (keysym.mod & KMOD_ALT) != 0)
    {
        m_pEventTarget->dispatchQuitRequest();
        return;
    }
    RIR_TRACE_LINE();
    if (!m_pEventTarget->dispatchKeyDown(keysym.sym, keysym.mod) && keysym.unicode != 0)
        m_pEventTarget->dispatchChar(keysym.unicode);
}

void SDLPlatform::handleButton(const SDL_Event& event, bool bDown)
{
    RIR_TRACE("SDLPlatform::handleButton");
    // A click is always preceded by the position it happened at.
    if (m_nInputFlags & IF_POINTER_FROM_BUTTONS)
    {
        const float fScale = usableFactor(getScale());
        m_nMouseX = (int)(event.button.x / fScale);
        m_nMouseY = (int)(event.button.y / fScale);
        if (m_pEventTarget)
            m_pEventTarget->dispatchMouseMove(m_nMouseX, m_nMouseY, true);
    }
    else
    {
        updateMouse();
    }
    if (!m_pEventTarget)
        return;
    RIR_TRACE_LINE();
    const int nMask = buttonMask(event.button.button);
    if (bDown)
        m_pEventTarget->dispatchMouseDown(nMask, m_nMouseX, m_nMouseY);
    else
        m_pEventTarget->dispatchMouseUp(nMask, m_nMouseX, m_nMouseY);
}

void SDLPlatform::invalidateVideo()
{
    RIR_TRACE("SDLPlatform::invalidateVideo");
    if (m_pVideoDriver)
        m_pVideoDriver->invalidate();
}

int SDLPlatform::buttonMask(int nButton)
{
    // SDL's extra buttons (6 and up) have no mask of their own.
    if (nButton < 0 || nButton >= BUTTON_MASK_COUNT)
        return 0;
    return BUTTON_MASKS[nButton];
}

bool SDLPlatform::updateMouse()
{
    RIR_TRACE("SDLPlatform::updateMouse");
    if (m_nInputFlags & IF_POINTER_FROM_BUTTONS)
        return true;

    // The desktop's view of the pointer (IF_POINTER_FROM_DESKTOP) is the window's own here: the
    // window always receives the pointer's motion, wherever its decorations are.
    int nRawX = 0;
    int nRawY = 0;
    SDL_GetMouseState(&nRawX, &nRawY);
    nRawX -= (int)m_ptMouseOffset.x;
    nRawY -= (int)m_ptMouseOffset.y;
    const float fScale = getScale();
    m_nMouseX = (int)(nRawX / usableFactor(fScale * m_ptMouseScale.x));
    m_nMouseY = (int)(nRawY / usableFactor(fScale * m_ptMouseScale.y));

    if (!m_pVideoDriver || !m_pVideoDriver->isFullscreen())
        return true;

    int nWidth = 0;
    int nHeight = 0;
    m_pVideoDriver->getSize(&nWidth, &nHeight);
    int nX = m_nMouseX;
    int nY = m_nMouseY;
    if (nX >= nWidth)
        nX = nWidth - 1;
    if (nX < 0)
        nX = 0;
    if (nY >= nHeight)
        nY = nHeight - 1;
    if (nY < 0)
        nY = 0;
    if (nX == m_nMouseX && nY == m_nMouseY)
        return true;
    RIR_TRACE_LINE();
    setMousePos(nX, nY);
    return false;
}

void SDLPlatform::setMousePos(int nX, int nY)
{
    RIR_TRACE("SDLPlatform::setMousePos");
    int nPhysicalX = 0;
    int nPhysicalY = 0;
    toPhysicalPoint(nX, nY, &nPhysicalX, &nPhysicalY);
    SDL_WarpMouse((Uint16)nPhysicalX, (Uint16)nPhysicalY);
    m_nMouseX = nX;
    m_nMouseY = nY;
}

void SDLPlatform::toPhysicalPoint(int nX, int nY, int* pnX, int* pnY) const
{
    const float fScale = getScale();
    // The window scale rounds y down before the pointer scale applies, x only at the end.
    *pnX = (int)(fScale * nX * m_ptMouseScale.x + m_ptMouseOffset.x);
    *pnY = (int)((int)(fScale * nY) * m_ptMouseScale.y + m_ptMouseOffset.y);
}

void SDLPlatform::setPointerMapping(const Point& ptOffset, const Point& ptScale)
{
    RIR_TRACE("SDLPlatform::setPointerMapping");
    m_ptMouseOffset = ptOffset;
    m_ptMouseScale = ptScale;
}

void SDLPlatform::onVideoModeSet()
{
    RIR_TRACE("SDLPlatform::onVideoModeSet");
    // With IF_POINTER_FROM_BUTTONS the Windows build hooked the window to turn raw left-button
    // messages into SDL button events; SDL on X11 delivers those events itself, so there is
    // nothing to hook here.
    // A driver that does not scale the picture (a recorder in tests) leaves the mapping as it is.
    const SDLVideoDriverBase* pDriver = dynamic_cast<const SDLVideoDriverBase*>(m_pVideoDriver);
    if (pDriver)
        setPointerMapping(pDriver->getPictureOrigin(), pDriver->getMouseScale());
}
