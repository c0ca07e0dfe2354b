// ProxyActionSpot: forwarding to the target spot.
#include "world/proxyspot.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

ProxyActionSpot::ProxyActionSpot(const Rect& rect, const RIR::SmartPtr<ActionSpot>& pTarget)
    : ActionSpot(rect), m_pTarget(pTarget)
{
}

ProxyActionSpot::~ProxyActionSpot()
{
}

ActionSpot* ProxyActionSpot::target() const
{
    RIR_ASSERT(m_pTarget);
    return m_pTarget.get();
}

bool ProxyActionSpot::canDoAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("ProxyActionSpot::canDoAction");
    return target()->canDoAction(pChar, nHand);
}

void ProxyActionSpot::doAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("ProxyActionSpot::doAction");
    target()->doAction(pChar, nHand);
}

void ProxyActionSpot::getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir)
{
    RIR_TRACE("ProxyActionSpot::getActionPos");
    target()->getActionPos(pChar, nHand, pX, pY, pDir);
}

void ProxyActionSpot::getActionAnim(RIR::String& sName, Dolly* pChar, int nHand)
{
    RIR_TRACE("ProxyActionSpot::getActionAnim");
    target()->getActionAnim(sName, pChar, nHand);
}

int ProxyActionSpot::getActionSound(Dolly* /*pChar*/, int /*nHand*/)
{
    // An action started on a mug's picture makes no action sound of its own.
    return -1;
}

int ProxyActionSpot::getDepth()
{
    RIR_TRACE("ProxyActionSpot::getDepth");
    return target()->getDepth();
}

bool ProxyActionSpot::acceptsThrownMug()
{
    RIR_TRACE("ProxyActionSpot::acceptsThrownMug");
    return target()->acceptsThrownMug();
}

void ProxyActionSpot::setReserved(bool bReserved)
{
    RIR_TRACE("ProxyActionSpot::setReserved");
    target()->setReserved(bReserved);
}

bool ProxyActionSpot::isReserved()
{
    RIR_TRACE("ProxyActionSpot::isReserved");
    return target()->isReserved();
}

void ProxyActionSpot::takeMugTK(RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("ProxyActionSpot::takeMugTK");
    target()->takeMugTK(pMug);
}

void ProxyActionSpot::setMugTK(const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("ProxyActionSpot::setMugTK");
    target()->setMugTK(pMug);
}

void ProxyActionSpot::getMugPos(int* pX, int* pY)
{
    RIR_TRACE("ProxyActionSpot::getMugPos");
    target()->getMugPos(pX, pY);
}
