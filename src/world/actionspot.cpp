// ActionSpot: the base behaviour every spot shares.
#include "world/actionspot.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

ActionSpot::ActionSpot(const Rect& rect) : m_rect(rect), m_bReserved(false)
{
}

ActionSpot::~ActionSpot()
{
}

int ActionSpot::getActionSound(Dolly* /*pChar*/, int /*nHand*/)
{
    return -1;
}

bool ActionSpot::acceptsThrownMug()
{
    return false;
}

void ActionSpot::setReserved(bool bReserved)
{
    m_bReserved = bReserved;
}

bool ActionSpot::isReserved()
{
    return m_bReserved;
}

void ActionSpot::takeMugTK(RIR::SmartPtr<Mug>& /*pMug*/)
{
    RIR_TRACE("ActionSpot::takeMugTK");
    RIR_THROW(FatalErrorException, "ActionSpot::takeMugTK() called, need override");
}

void ActionSpot::setMugTK(const RIR::SmartPtr<Mug>& /*pMug*/)
{
    RIR_TRACE("ActionSpot::setMugTK");
    RIR_THROW(FatalErrorException, "ActionSpot::setMugTK() called, need override");
}

void ActionSpot::getMugPos(int* pX, int* pY)
{
    *pX = 0;
    *pY = 0;
}

bool ActionSpot::contains(int nX, int nY)
{
    return m_rect.getLeft() <= nX && nX < m_rect.getRight() && m_rect.getTop() <= nY &&
           nY < m_rect.getBottom();
}

void ActionSpot::detach()
{
}
