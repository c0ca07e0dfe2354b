#include "testkit/eventtarget.h"

#include "rir2/calltrace.h"

RecordingEventTarget::RecordingEventTarget(const RIR::SmartPtr<RecordingLog>& pLog)
    : m_pLog(pLog ? pLog : RIR::SmartPtr<RecordingLog>(new RecordingLog())), m_bKeysHandled(false),
      m_pAudioDriver(nullptr)
{
    RIR_TRACE("RecordingEventTarget::RecordingEventTarget");
}

RecordingEventTarget::~RecordingEventTarget()
{
    RIR_TRACE("RecordingEventTarget::~RecordingEventTarget");
}

bool RecordingEventTarget::dispatchKeyDown(int nKey, int nModifiers)
{
    RIR_TRACE("RecordingEventTarget::dispatchKeyDown");
    m_pLog->addf("app.keyDown(%d, 0x%X)", nKey, (unsigned)nModifiers);
    return m_bKeysHandled;
}

void RecordingEventTarget::dispatchKeyUp(int nKey, int nModifiers)
{
    RIR_TRACE("RecordingEventTarget::dispatchKeyUp");
    m_pLog->addf("app.keyUp(%d, 0x%X)", nKey, (unsigned)nModifiers);
}

void RecordingEventTarget::dispatchChar(int nChar)
{
    RIR_TRACE("RecordingEventTarget::dispatchChar");
    m_pLog->addf("app.char(%d)", nChar);
}

void RecordingEventTarget::dispatchMouseMove(int nX, int nY, bool bCallModes)
{
    RIR_TRACE("RecordingEventTarget::dispatchMouseMove");
    m_pLog->addf("app.mouseMove(%d, %d, %d)", nX, nY, bCallModes ? 1 : 0);
}

void RecordingEventTarget::dispatchMouseDown(int nMask, int nX, int nY)
{
    RIR_TRACE("RecordingEventTarget::dispatchMouseDown");
    m_pLog->addf("app.mouseDown(%d, %d, %d)", nMask, nX, nY);
}

void RecordingEventTarget::dispatchMouseUp(int nMask, int nX, int nY)
{
    RIR_TRACE("RecordingEventTarget::dispatchMouseUp");
    m_pLog->addf("app.mouseUp(%d, %d, %d)", nMask, nX, nY);
}

void RecordingEventTarget::dispatchQuitRequest()
{
    RIR_TRACE("RecordingEventTarget::dispatchQuitRequest");
    m_pLog->add("app.quitRequest");
}

void RecordingEventTarget::onAppActivated()
{
    RIR_TRACE("RecordingEventTarget::onAppActivated");
    m_pLog->add("app.activated");
}

void RecordingEventTarget::onAppDeactivated()
{
    RIR_TRACE("RecordingEventTarget::onAppDeactivated");
    m_pLog->add("app.deactivated");
}

void RecordingEventTarget::onMouseFocusGained()
{
    RIR_TRACE("RecordingEventTarget::onMouseFocusGained");
    m_pLog->add("app.mouseFocusGained");
}

void RecordingEventTarget::onMouseFocusLost()
{
    RIR_TRACE("RecordingEventTarget::onMouseFocusLost");
    m_pLog->add("app.mouseFocusLost");
}
