// GameApp's input: the dispatch of the platform's events to the controls and modes, the system
// keys, the quit request and the application's own quit, activation and pointer-focus handling,
// and the input-state queries.
//
// Every walk runs over a copy of the stack taken at its start, from the top down, because the
// handlers push and pop modes. A mode takes part only when it is active (and, for buttons, when
// it accepts the button); after a mode that did not consume the event the walk goes on only when
// that mode lets input through (MF_INPUT_THROUGH), active or not. The button walks pass over a
// mode that an earlier handler of the same event took off the stack. Ended modes are deleted
// only at the end of the frame, so every mode of a copy is still a valid object here.
//
// After a push or a pop, key and button releases are dropped until the next press, so that a
// release never reaches a mode that did not see its press.
#include "app/gameapp.h"

#include "app/gamemode.h"
#include "app/iplatform.h"
#include "app/ivideodriver.h"
#include "ui/control.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// Platform key symbols and modifier bits.
const int KEY_RETURN = 13;
const int KEY_F12 = 293;
const int MOD_ALT = 0x300;

// Whether input goes on from this mode to the one below.
bool passesInput(const GameMode* pMode)
{
    return (pMode->getFlags() & MF_INPUT_THROUGH) != 0;
}

bool acceptsButton(const GameMode* pMode, int nMask)
{
    return pMode->isActive() && (pMode->getMouseButtonMask() & nMask) != 0;
}

} // namespace

// ---- keys --------------------------------------------------------------------------------------

bool GameApp::handleSystemKey(int nKey, int nModifiers)
{
    RIR_TRACE("GameApp::handleSystemKey");
    if (nKey != KEY_F12 && !(nKey == KEY_RETURN && (nModifiers & MOD_ALT) != 0))
        return false;
    RIR_TRACE_LINE();
    toggleFullscreen();
    return true;
}

bool GameApp::dispatchKeyDown(int nKey, int nModifiers)
{
    RIR_TRACE("GameApp::dispatchKeyDown");
    if (handleSystemKey(nKey, nModifiers))
        return true;
    m_bStackChanged = false;
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (pMode->isActive())
        {
            const RIR::SmartPtr<Control> pFocus = pMode->getFocus();
            RIR_TRACE_LINE();
            if (pFocus && pFocus->onKeyDown(nKey, nModifiers))
                return true;
            RIR_TRACE_LINE();
            if (pMode->keyDown(nKey, nModifiers))
                return true;
        }
        if (!passesInput(pMode))
            break;
    }
    RIR_TRACE_LINE();
    return onUnhandledKeyDown(nKey, nModifiers);
}

void GameApp::dispatchChar(int nUnicode)
{
    RIR_TRACE("GameApp::dispatchChar");
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (pMode->isActive())
        {
            const RIR::SmartPtr<Control> pFocus = pMode->getFocus();
            RIR_TRACE_LINE();
            if (pFocus && pFocus->onChar(nUnicode))
                return;
            RIR_TRACE_LINE();
            if (pMode->charTyped(nUnicode))
                return;
        }
        if (!passesInput(pMode))
            return;
    }
}

void GameApp::dispatchKeyUp(int nKey, int nModifiers)
{
    RIR_TRACE("GameApp::dispatchKeyUp");
    if (m_bStackChanged)
        return;
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (pMode->isActive())
        {
            const RIR::SmartPtr<Control> pFocus = pMode->getFocus();
            RIR_TRACE_LINE();
            if (pFocus && pFocus->onKeyUp(nKey, nModifiers))
                return;
            RIR_TRACE_LINE();
            if (pMode->keyUp(nKey, nModifiers))
                return;
        }
        if (!passesInput(pMode))
            break;
    }
    RIR_TRACE_LINE();
    onUnhandledKeyUp(nKey, nModifiers);
}

// ---- the pointer -------------------------------------------------------------------------------

void GameApp::dispatchMouseMove(int nX, int nY, bool bCallModes)
{
    RIR_TRACE("GameApp::dispatchMouseMove");
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (pMode->isActive())
        {
            const RIR::SmartPtr<Control> pFocus = pMode->getFocus();
            if (pFocus)
            {
                RIR_TRACE_LINE();
                pFocus->onMouseMove(nX, nY);
            }
            RIR_TRACE_LINE();
            const RIR::SmartPtr<Control> pUnder = pMode->controlAt(nX, nY);
            const RIR::SmartPtr<Control> pHover = pMode->getHover();
            if (pUnder != pHover)
            {
                // Old control's leave, new control's enter, then the hover is stored.
                RIR_TRACE_LINE();
                pMode->changeHover(pUnder);
            }
            if (pUnder)
            {
                RIR_TRACE_LINE();
                pUnder->onMouseMove(nX, nY);
            }
            RIR_TRACE_LINE();
            if (bCallModes && pMode->handleMouseMove(nX, nY))
                return;
        }
        if (!passesInput(pMode))
            return;
    }
}

void GameApp::refreshHover()
{
    RIR_TRACE("GameApp::refreshHover");
    int nX = 0;
    int nY = 0;
    getMousePosition(&nX, &nY);
    RIR_TRACE_LINE();
    dispatchMouseMove(nX, nY, false);
}

void GameApp::dispatchMouseDown(int nMask, int nX, int nY)
{
    RIR_TRACE("GameApp::dispatchMouseDown");
    m_bStackChanged = false;
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (m_lModes.indexOf(pMode) < 0)
            continue;
        if (acceptsButton(pMode, nMask))
        {
            const RIR::SmartPtr<Control> pHover = pMode->getHover();
            if (pHover)
            {
                RIR_TRACE_LINE();
                if (pHover->onMouseDown(nMask))
                    return;
            }
            else
            {
                // A click beside every control takes the keyboard focus away.
                RIR_TRACE_LINE();
                pMode->setFocus(nullptr);
            }
            RIR_TRACE_LINE();
            if (pMode->mouseDown(nMask, nX, nY))
                return;
        }
        if (!passesInput(pMode))
            return;
    }
}

void GameApp::dispatchMouseUp(int nMask, int nX, int nY)
{
    RIR_TRACE("GameApp::dispatchMouseUp");
    if (m_bStackChanged)
        return;
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        if (m_lModes.indexOf(pMode) < 0)
            continue;
        if (acceptsButton(pMode, nMask))
        {
            // Both are asked, the hover control first; the focus control is read after the
            // hover control's answer, which may have changed it.
            bool bHandled = false;
            const RIR::SmartPtr<Control> pHover = pMode->getHover();
            if (pHover)
            {
                RIR_TRACE_LINE();
                bHandled = pHover->onMouseUp(nMask);
            }
            const RIR::SmartPtr<Control> pFocus = pMode->getFocus();
            if (pFocus)
            {
                RIR_TRACE_LINE();
                bHandled = pFocus->onMouseUp(nMask) || bHandled;
            }
            if (bHandled)
                return;
            RIR_TRACE_LINE();
            if (pMode->mouseUp(nMask, nX, nY))
                return;
        }
        if (!passesInput(pMode))
            return;
    }
}

// ---- quitting ----------------------------------------------------------------------------------

void GameApp::dispatchQuitRequest()
{
    RIR_TRACE("GameApp::dispatchQuitRequest");
    // Every active mode is asked, whatever lies above it.
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        GameMode* pMode = lModes.get(i);
        RIR_TRACE_LINE();
        if (pMode->isActive() && pMode->onQuitRequest())
            return;
    }
    RIR_TRACE_LINE();
    onQuit();
}

void GameApp::onQuit()
{
    RIR_TRACE("GameApp::onQuit");
    if (!m_bConfirmQuit)
    {
        quit(1);
        return;
    }
    if (m_bAskingQuit)
        return;
    m_bAskingQuit = true;
    RIR_TRACE_LINE();
    askQuitConfirmation();
}

void GameApp::askQuitConfirmation()
{
    RIR_TRACE("GameApp::askQuitConfirmation");
}

bool GameApp::onUnhandledKeyDown(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameApp::onUnhandledKeyDown");
    return false;
}

void GameApp::onUnhandledKeyUp(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameApp::onUnhandledKeyUp");
}

// ---- activation and pointer focus --------------------------------------------------------------

void GameApp::onAppActivated()
{
    RIR_TRACE("GameApp::onAppActivated");
    if (m_bWasFullscreen)
    {
        m_bWasFullscreen = false;
        RIR_TRACE_LINE();
        setFullscreen(true);
    }
    m_bStackChanged = false;
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->invalidate();
    RIR_TRACE_LINE();
    setCustomCursor(isCustomCursorSetting());
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        lModes.get(i)->onAppActivated();
    }
}

void GameApp::onAppDeactivated()
{
    RIR_TRACE("GameApp::onAppDeactivated");
    // The application stays in full screen; the next activation restores it should the system
    // have left it.
    if (isFullscreen())
        m_bWasFullscreen = true;
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->setSoftwareCursor(false);
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        lModes.get(i)->onAppDeactivated();
    }
}

void GameApp::onMouseFocusGained()
{
    RIR_TRACE("GameApp::onMouseFocusGained");
    setCustomCursor(isCustomCursorSetting());
}

void GameApp::onMouseFocusLost()
{
    RIR_TRACE("GameApp::onMouseFocusLost");
    // The system pointer while the pointer is outside; the setting stays as it is.
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->setSoftwareCursor(false);
}

// ---- input state (the platform's; neutral answers without one) ---------------------------------

void GameApp::getMousePosition(int* pnX, int* pnY) const
{
    RIR_TRACE("GameApp::getMousePosition");
    if (m_pPlatform)
    {
        m_pPlatform->getMousePos(pnX, pnY);
        return;
    }
    if (pnX)
        *pnX = 0;
    if (pnY)
        *pnY = 0;
}

Point GameApp::getMousePoint() const
{
    RIR_TRACE("GameApp::getMousePoint");
    int nX = 0;
    int nY = 0;
    getMousePosition(&nX, &nY);
    return Point((float)nX, (float)nY);
}

void GameApp::setMousePosition(int nX, int nY)
{
    RIR_TRACE("GameApp::setMousePosition");
    if (m_pPlatform)
        m_pPlatform->setMousePos(nX, nY);
}

bool GameApp::isMouseButtonDown(int nButton) const
{
    RIR_TRACE("GameApp::isMouseButtonDown");
    return m_pPlatform && m_pPlatform->isMouseButtonDown(nButton);
}

bool GameApp::isKeyDown(int nKey) const
{
    RIR_TRACE("GameApp::isKeyDown");
    return m_pPlatform && m_pPlatform->isKeyDown(nKey);
}

int GameApp::getKeyModifiers() const
{
    RIR_TRACE("GameApp::getKeyModifiers");
    return m_pPlatform ? m_pPlatform->getKeyModifiers() : 0;
}

int GameApp::getNumJoysticks() const
{
    RIR_TRACE("GameApp::getNumJoysticks");
    return m_pPlatform ? m_pPlatform->getNumJoysticks() : 0;
}

RIR::String GameApp::getJoystickName(int nJoystick) const
{
    RIR_TRACE("GameApp::getJoystickName");
    return m_pPlatform ? RIR::String(m_pPlatform->getJoystickName(nJoystick)) : RIR::String();
}

int GameApp::getJoystickNumAxes(int nJoystick) const
{
    RIR_TRACE("GameApp::getJoystickNumAxes");
    return m_pPlatform ? m_pPlatform->getJoystickNumAxes(nJoystick) : 0;
}

int GameApp::getJoystickNumButtons(int nJoystick) const
{
    RIR_TRACE("GameApp::getJoystickNumButtons");
    return m_pPlatform ? m_pPlatform->getJoystickNumButtons(nJoystick) : 0;
}

float GameApp::getJoystickAxis(int nAxis, int nJoystick) const
{
    RIR_TRACE("GameApp::getJoystickAxis");
    return m_pPlatform ? m_pPlatform->getJoystickAxis(nAxis, nJoystick) : 0.0f;
}

bool GameApp::isJoystickButtonDown(int nButton, int nJoystick) const
{
    RIR_TRACE("GameApp::isJoystickButtonDown");
    return m_pPlatform && m_pPlatform->isJoystickButtonDown(nButton, nJoystick);
}
