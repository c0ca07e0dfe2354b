#include "ui/callbacktrigger.h"

#include "rir2/calltrace.h"

CallbackTrigger::CallbackTrigger() : m_pTarget(nullptr), m_nId(0), m_nParam(0)
{
    RIR_TRACE("CallbackTrigger::CallbackTrigger");
}

CallbackTrigger::CallbackTrigger(ICallbackTarget* pTarget, int nId, int nParam)
    : m_pTarget(pTarget), m_nId(nId), m_nParam(nParam)
{
    RIR_TRACE("CallbackTrigger::CallbackTrigger");
}

CallbackTrigger::~CallbackTrigger() {}

void CallbackTrigger::get(ICallbackTarget** ppTarget, int* pnId, int* pnParam) const
{
    if (ppTarget)
        *ppTarget = m_pTarget;
    if (pnId)
        *pnId = m_nId;
    if (pnParam)
        *pnParam = m_nParam;
}

void CallbackTrigger::set(ICallbackTarget* pTarget, int nId, int nParam)
{
    m_pTarget = pTarget;
    m_nId = nId;
    m_nParam = nParam;
}

ICallbackTarget* CallbackTrigger::getTarget() const
{
    return m_pTarget;
}

int CallbackTrigger::getId() const
{
    return m_nId;
}

int CallbackTrigger::getParam() const
{
    return m_nParam;
}

void CallbackTrigger::setTarget(ICallbackTarget* pTarget)
{
    m_pTarget = pTarget;
}

void CallbackTrigger::setId(int nId)
{
    m_nId = nId;
}

void CallbackTrigger::setParam(int nParam)
{
    m_nParam = nParam;
}

bool CallbackTrigger::fire()
{
    RIR_TRACE("CallbackTrigger::fire");
    if (!m_pTarget)
        return false;
    RIR_TRACE_LINE();
    m_pTarget->onCallback(m_nId, m_nParam);
    return true;
}
