// GameApp's mode stack: push and pop, the transition push, the nested modal loop, the queries the
// video driver's frame walk uses, the update walk, and where the shutdown and the exit reach the
// modes.
//
// A mode that ends goes to m_lEndedModes and lives until the end of the frame (of the next outer
// frame during a modal run), so that whatever is still running in it when it ends, its update, an
// input handler or a widget's callback, finishes on a valid object.
#include "app/gameapp.h"

#include "app/gamemode.h"
#include "app/ivideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdint>

void GameApp::pushMode(GameMode* pMode)
{
    RIR_TRACE("GameApp::pushMode");
    RIR_ASSERT(pMode);
    // An ended mode is waiting for deletion and a running one is on the stack already: either
    // pushed again would be deleted while still on the stack.
    RIR_ASSERT(pMode->getState() == MS_NEW || pMode->getState() == MS_SUSPENDED);
    if (!m_lModes.isEmpty() && !m_bSuppressActivation)
    {
        RIR_TRACE_LINE();
        m_lModes.get(0)->deactivate(pMode);
    }
    m_lModes.insertAt(0, pMode);
    m_bStackChanged = true;
    if (pMode->getState() == MS_NEW)
    {
        RIR_TRACE_LINE();
        pMode->onStart();
    }
    pMode->setState(MS_RUNNING);
    // onStart may have pushed a mode of its own over this one.
    if (getTopMode() == pMode && !m_bSuppressActivation)
    {
        RIR_TRACE_LINE();
        pMode->activate();
    }
    RIR_TRACE_LINE();
    refreshHover();
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->invalidate();
}

void GameApp::popMode()
{
    RIR_TRACE("GameApp::popMode");
    GameMode* pMode = m_lModes.takeFirst();
    m_bStackChanged = true;
    if (pMode->getState() == MS_ENDED)
        m_lEndedModes.append(pMode);
    if (m_lModes.isEmpty())
        return;
    if (!m_bSuppressActivation)
    {
        RIR_TRACE_LINE();
        m_lModes.get(0)->activate();
    }
    int nX = 0;
    int nY = 0;
    getMousePosition(&nX, &nY);
    RIR_TRACE_LINE();
    dispatchMouseMove(nX, nY, false);
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->invalidate();
}

void GameApp::pushModeWithTransition(GameMode* pMode, TransitionMode* pTransition)
{
    RIR_TRACE("GameApp::pushModeWithTransition");
    RIR_ASSERT(pTransition);
    RIR_TRACE_LINE();
    pTransition->leadIn(1, pMode, 0);
    RIR_TRACE_LINE();
    pushMode(pTransition);
}

void GameApp::runModal(GameMode* pMode)
{
    RIR_TRACE("GameApp::runModal");
    RIR_ASSERT(pMode);
    pMode->setFlags(MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH);
    RIR_TRACE_LINE();
    pushMode(pMode);
    int nLastTime = getTicks();
    int nNextTime = (int)(int32_t)((uint32_t)nLastTime + (uint32_t)m_nFrameDelay);
    // Only compared: the mode may have ended, and it is deleted by the outer loop.
    while (getTopMode() == pMode)
    {
        RIR_TRACE_LINE();
        stepFrame(&nLastTime, &nNextTime, true);
    }
}

// ---- queries -----------------------------------------------------------------------------------

GameMode* GameApp::getTopMode() const
{
    return m_lModes.isEmpty() ? nullptr : m_lModes.get(0);
}

GameMode* GameApp::getMode(int nIndex) const
{
    RIR_TRACE("GameApp::getMode");
    return m_lModes.get(nIndex);
}

int GameApp::getModeCount() const
{
    return m_lModes.getLength();
}

int GameApp::getFirstDrawnModeIndex() const
{
    RIR_TRACE("GameApp::getFirstDrawnModeIndex");
    const int nCount = m_lModes.getLength();
    for (int i = 0; i < nCount; ++i)
    {
        if ((m_lModes.get(i)->getFlags() & MF_SEE_THROUGH) == 0)
            return i;
    }
    return nCount - 1;
}

// ---- the update walk ---------------------------------------------------------------------------

void GameApp::updateModes(float fDt)
{
    RIR_TRACE("GameApp::updateModes");
    int nIndex = 0;
    while (nIndex < m_lModes.getLength())
    {
        GameMode* pMode = m_lModes.get(nIndex);
        // Read before the update, which may change the flags or the stack.
        const bool bThrough = (pMode->getFlags() & MF_UPDATE_THROUGH) != 0;
        if (pMode->isActive())
        {
            RIR_TRACE_LINE();
            pMode->frameUpdate(fDt);
        }
        if (!bThrough)
            break;
        // A mode that pushed another one during its update has moved down by one: it is not
        // updated twice.
        ++nIndex;
        while (nIndex < m_lModes.getLength() && m_lModes.get(nIndex) == pMode)
            ++nIndex;
    }
}

// ---- deletion and exit -------------------------------------------------------------------------

void GameApp::deleteEndedModes()
{
    RIR_TRACE("GameApp::deleteEndedModes");
    while (!m_lEndedModes.isEmpty())
    {
        GameMode* pMode = m_lEndedModes.takeFirst();
        RIR_TRACE_LINE();
        delete pMode;
    }
}

void GameApp::deleteAllModes()
{
    RIR_TRACE("GameApp::deleteAllModes");
    const RIR::List<GameMode*> lModes(m_lModes);
    m_lModes.clear();
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        delete lModes.get(i);
    }
    // Modes that ended in a frame that never finished.
    deleteEndedModes();
}

void GameApp::notifyModesOfExit()
{
    RIR_TRACE("GameApp::notifyModesOfExit");
    const RIR::List<GameMode*> lModes(m_lModes);
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        lModes.get(i)->onAppExit();
    }
}
