#include "app/gameappeventtarget.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

GameAppEventTarget::GameAppEventTarget(GameApp* pApp) : m_pApp(pApp)
{
    RIR_TRACE("GameAppEventTarget::GameAppEventTarget");
    RIR_ASSERT(pApp);
}

GameAppEventTarget::~GameAppEventTarget()
{
    RIR_TRACE("GameAppEventTarget::~GameAppEventTarget");
    m_pApp = nullptr;
}

bool GameAppEventTarget::dispatchKeyDown(int nKey, int nModifiers)
{
    RIR_TRACE("GameAppEventTarget::dispatchKeyDown");
    return m_pApp->dispatchKeyDown(nKey, nModifiers);
}

void GameAppEventTarget::dispatchKeyUp(int nKey, int nModifiers)
{
    RIR_TRACE("GameAppEventTarget::dispatchKeyUp");
    m_pApp->dispatchKeyUp(nKey, nModifiers);
}

void GameAppEventTarget::dispatchChar(int nChar)
{
    RIR_TRACE("GameAppEventTarget::dispatchChar");
    m_pApp->dispatchChar(nChar);
}

void GameAppEventTarget::dispatchMouseMove(int nX, int nY, bool bCallModes)
{
    RIR_TRACE("GameAppEventTarget::dispatchMouseMove");
    m_pApp->dispatchMouseMove(nX, nY, bCallModes);
}

void GameAppEventTarget::dispatchMouseDown(int nMask, int nX, int nY)
{
    RIR_TRACE("GameAppEventTarget::dispatchMouseDown");
    m_pApp->dispatchMouseDown(nMask, nX, nY);
}

void GameAppEventTarget::dispatchMouseUp(int nMask, int nX, int nY)
{
    RIR_TRACE("GameAppEventTarget::dispatchMouseUp");
    m_pApp->dispatchMouseUp(nMask, nX, nY);
}

void GameAppEventTarget::dispatchQuitRequest()
{
    RIR_TRACE("GameAppEventTarget::dispatchQuitRequest");
    m_pApp->dispatchQuitRequest();
}

void GameAppEventTarget::onAppActivated()
{
    RIR_TRACE("GameAppEventTarget::onAppActivated");
    m_pApp->onAppActivated();
}

void GameAppEventTarget::onAppDeactivated()
{
    RIR_TRACE("GameAppEventTarget::onAppDeactivated");
    m_pApp->onAppDeactivated();
}

void GameAppEventTarget::onMouseFocusGained()
{
    RIR_TRACE("GameAppEventTarget::onMouseFocusGained");
    m_pApp->onMouseFocusGained();
}

void GameAppEventTarget::onMouseFocusLost()
{
    RIR_TRACE("GameAppEventTarget::onMouseFocusLost");
    m_pApp->onMouseFocusLost();
}

IAudioDriver* GameAppEventTarget::getAudioDriver()
{
    return m_pApp->getAudioDriver();
}
