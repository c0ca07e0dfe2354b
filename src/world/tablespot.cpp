// TableSpot: serving the seated customer and the mug left on a seat (tablespot.h).
#include "world/tablespot.h"

#include "world/customer.h"
#include "world/dolly.h"
#include "world/iplaymode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SOUND_SERVE = 2;

} // namespace

TableSpot::TableSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nDepth, int nSide)
    : MugSpot(rect, nI, nJ, nMugX, nMugY, nDepth), m_nDepth(nDepth), m_nSide(nSide)
{
    setSideOffsets(-1, 1, 1, -2);
}

TableSpot::~TableSpot() {}

bool TableSpot::canDoAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("TableSpot::canDoAction");
    if (isReserved())
        return false;
    if (m_pCustomer)
    {
        if (pChar->isHandEmpty(nHand))
            return m_pCustomer->hasMug() && m_pCustomer->canTakeMug();
        if (!pChar->getHandMug(nHand)->isFull())
            return false;
        if (!m_pCustomer->hasMug())
            return m_pCustomer->canServeMug();
        return m_pCustomer->canTakeMug();
    }
    if (pChar->isHandEmpty(nHand))
        return MugSpot::canDoAction(pChar, nHand);
    return false;
}

void TableSpot::detach()
{
    m_pCustomer.release();
    MugSpot::detach();
}

bool TableSpot::hasMug()
{
    if (m_pCustomer && m_pCustomer->hasMug())
        return true;
    return MugSpot::hasMug();
}

RIR::SmartPtr<Mug> TableSpot::getMug()
{
    RIR_ASSERT(hasMug());
    if (m_pCustomer && m_pCustomer->hasMug())
        return m_pCustomer->getMug();
    return MugSpot::getMug();
}

void TableSpot::takeMug(RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("TableSpot::takeMug");
    if (m_pCustomer)
    {
        pMug = m_pCustomer->takeMug();
        return;
    }
    MugSpot::takeMug(pMug);
}

void TableSpot::setMug(const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("TableSpot::setMug");
    if (m_pCustomer && m_pCustomer->canServeMug())
    {
        RIR::SmartPtr<Customer> pCustomer = m_pCustomer;
        pCustomer->serveMug(pMug);
        int nX = 0;
        int nY = 0;
        getMugPos(&nX, &nY);
        IPlayMode::getPlayMode()->playSound(SOUND_SERVE, nX);
        return;
    }
    MugSpot::setMug(pMug);
}

bool TableSpot::canTakeMug()
{
    RIR_ASSERT(hasMug());
    if (m_pCustomer)
        return m_pCustomer->canTakeMug();
    return true;
}

void TableSpot::setCustomer(const RIR::SmartPtr<Customer>& pCust)
{
    if (pCust.isNull() == m_pCustomer.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : isNULL(pCust) != isNULL(m_pCustomer)");
    m_pCustomer = pCust;
}

RIR::SmartPtr<Customer> TableSpot::getCustomer() const
{
    return m_pCustomer;
}
