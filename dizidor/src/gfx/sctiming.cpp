// Delay, random delay, delayed controller and follow-up controllers.
#include "gfx/sctiming.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

// ---- SCDelay -----------------------------------------------------------------------------------

SCDelay::SCDelay(float fDelay)
{
    RIR_TRACE("SCDelay::SCDelay");
    m_pTimer->setDuration(fDelay, true);
}

SCDelay::~SCDelay()
{
    RIR_TRACE("SCDelay::~SCDelay");
}

bool SCDelay::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SCDelay::apply");
    return m_pTimer->isDone();
}

// ---- SCRandomDelay -----------------------------------------------------------------------------

SCRandomDelay::SCRandomDelay(float fMin, float fMax) : m_fMin(fMin), m_fMax(fMax)
{
    RIR_TRACE("SCRandomDelay::SCRandomDelay");
}

SCRandomDelay::~SCRandomDelay()
{
    RIR_TRACE("SCRandomDelay::~SCRandomDelay");
}

void SCRandomDelay::onAttach(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SCRandomDelay::onAttach");
    m_pTimer->setDuration((float)m_random.rangeReal(m_fMin, m_fMax), true);
}

bool SCRandomDelay::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SCRandomDelay::apply");
    return m_pTimer->isDone();
}

// ---- SCDelayController -------------------------------------------------------------------------

SCDelayController::SCDelayController(float fDelay, SpriteController* pInner)
    : m_fDelay(fDelay), m_pInner(pInner), m_bInnerAttached(false)
{
    RIR_TRACE("SCDelayController::SCDelayController");
    RIR_ASSERT(pInner);
}

SCDelayController::~SCDelayController()
{
    RIR_TRACE("SCDelayController::~SCDelayController");
    delete m_pInner;
}

bool SCDelayController::runInner(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCDelayController::runInner");
    if (!m_pInner->update(fDt, pSprite))
        return false;
    delete m_pInner;
    m_pInner = nullptr;
    return true;
}

bool SCDelayController::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCDelayController::update");
    if (!m_pInner)
        return true;
    if (m_bInnerAttached)
        return runInner(fDt, pSprite);

    float fFirstDt = fDt;
    if (m_fDelay > 0.0f)
    {
        m_fDelay -= fDt;
        if (m_fDelay > 0.0f)
            return false;
        // The part of this frame after the delay ran out.
        fFirstDt = -m_fDelay;
    }
    m_bInnerAttached = true;
    RIR_TRACE_LINE();
    m_pInner->onAttach(pSprite);
    // The result of this first update counts: a one-shot inner controller acts here, and running
    // it again in the next frame would make it act twice.
    return runInner(fFirstDt, pSprite);
}

bool SCDelayController::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCDelayController::finish");
    if (!m_pInner)
        return true;
    if (!m_bInnerAttached)
    {
        m_bInnerAttached = true;
        RIR_TRACE_LINE();
        m_pInner->onAttach(pSprite);
    }
    return m_pInner->finish(pSprite);
}

// ---- SCWhenDone --------------------------------------------------------------------------------

SCWhenDone::SCWhenDone(SpriteController* pNext) : m_pNext(pNext)
{
    RIR_TRACE("SCWhenDone::SCWhenDone");
    RIR_ASSERT(pNext);
}

SCWhenDone::~SCWhenDone()
{
    RIR_TRACE("SCWhenDone::~SCWhenDone");
    delete m_pNext;
}

bool SCWhenDone::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCWhenDone::apply");
    if (!m_pNext)
        return true;
    if (pSprite->getControllerCount() != 1 || pSprite->getController(0) != this)
        return false;
    SpriteController* pNext = m_pNext;
    m_pNext = nullptr;
    RIR_TRACE_LINE();
    pSprite->addController(pNext);
    return true;
}

bool SCWhenDone::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCWhenDone::finish");
    if (m_pNext)
    {
        SpriteController* pNext = m_pNext;
        m_pNext = nullptr;
        RIR_TRACE_LINE();
        pSprite->addController(pNext);
    }
    return true;
}
