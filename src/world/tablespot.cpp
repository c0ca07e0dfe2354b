// TableSpot: the seat place on a table (tablespot.h).
#include "world/tablespot.h"

TableSpot::TableSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nDepth, int nSide)
    : ActionSpot(rect), m_nI(nI), m_nJ(nJ), m_nMugX(nMugX), m_nMugY(nMugY), m_nDepth(nDepth),
      m_nSide(nSide)
{
}

TableSpot::~TableSpot()
{
}

bool TableSpot::canDoAction(Dolly* /*pChar*/, int /*nHand*/)
{
    return false;
}

void TableSpot::doAction(Dolly* /*pChar*/, int /*nHand*/)
{
}

void TableSpot::getActionPos(Dolly* /*pChar*/, int /*nHand*/, int* pX, int* pY, int* pDir)
{
    *pX = (m_rect.left + m_rect.right) / 2;
    *pY = (m_rect.top + m_rect.bottom) / 2;
    *pDir = 3;
}

void TableSpot::getActionAnim(RIR::String& sName, Dolly* /*pChar*/, int /*nHand*/)
{
    sName = "take_";
}

void TableSpot::getMugPos(int* pX, int* pY)
{
    *pX = m_nMugX;
    *pY = m_nMugY;
}
