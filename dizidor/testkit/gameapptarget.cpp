#include "testkit/gameapptarget.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

GameAppTarget::GameAppTarget(GameApp* pApp) : m_pApp(pApp)
{
    RIR_TRACE("GameAppTarget::GameAppTarget");
}

GameAppTarget::~GameAppTarget()
{
    RIR_TRACE("GameAppTarget::~GameAppTarget");
}

bool GameAppTarget::dispatchKeyDown(int nKey, int nModifiers)
{
    RIR_TRACE("GameAppTarget::dispatchKeyDown");
    return m_pApp->dispatchKeyDown(nKey, nModifiers);
}

void GameAppTarget::dispatchKeyUp(int nKey, int nModifiers)
{
    RIR_TRACE("GameAppTarget::dispatchKeyUp");
    m_pApp->dispatchKeyUp(nKey, nModifiers);
}

void GameAppTarget::dispatchChar(int nChar)
{
    RIR_TRACE("GameAppTarget::dispatchChar");
    m_pApp->dispatchChar(nChar);
}

void GameAppTarget::dispatchMouseMove(int nX, int nY, bool bCallModes)
{
    RIR_TRACE("GameAppTarget::dispatchMouseMove");
    m_pApp->dispatchMouseMove(nX, nY, bCallModes);
}

void GameAppTarget::dispatchMouseDown(int nMask, int nX, int nY)
{
    RIR_TRACE("GameAppTarget::dispatchMouseDown");
    m_pApp->dispatchMouseDown(nMask, nX, nY);
}

void GameAppTarget::dispatchMouseUp(int nMask, int nX, int nY)
{
    RIR_TRACE("GameAppTarget::dispatchMouseUp");
    m_pApp->dispatchMouseUp(nMask, nX, nY);
}

void GameAppTarget::dispatchQuitRequest()
{
    RIR_TRACE("GameAppTarget::dispatchQuitRequest");
    m_pApp->dispatchQuitRequest();
}

void GameAppTarget::onAppActivated()
{
    RIR_TRACE("GameAppTarget::onAppActivated");
    m_pApp->onAppActivated();
}

void GameAppTarget::onAppDeactivated()
{
    RIR_TRACE("GameAppTarget::onAppDeactivated");
    m_pApp->onAppDeactivated();
}

void GameAppTarget::onMouseFocusGained()
{
    RIR_TRACE("GameAppTarget::onMouseFocusGained");
    m_pApp->onMouseFocusGained();
}

void GameAppTarget::onMouseFocusLost()
{
    RIR_TRACE("GameAppTarget::onMouseFocusLost");
    m_pApp->onMouseFocusLost();
}

IAudioDriver* GameAppTarget::getAudioDriver()
{
    return m_pApp->getAudioDriver();
}
