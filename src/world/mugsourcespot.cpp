// MugSourceSpot (mugsourcespot.h).
#include "world/mugsourcespot.h"

#include "world/scene.h"

MugSourceSpot::MugSourceSpot(const Rect& rect, int nI, int nJ) : ActionSpot(rect), m_nI(nI), m_nJ(nJ)
{
}

MugSourceSpot::~MugSourceSpot()
{
}

bool MugSourceSpot::canDoAction(Dolly* /*pChar*/, int /*nHand*/)
{
    return false;
}

void MugSourceSpot::doAction(Dolly* /*pChar*/, int /*nHand*/)
{
}

void MugSourceSpot::getActionPos(Dolly* /*pChar*/, int /*nHand*/, int* pX, int* pY, int* pDir)
{
    Scene::getScene()->squareToPixel(m_nI, m_nJ + 1, pX, pY, 0x24);
    *pDir = 2;
}

void MugSourceSpot::getActionAnim(RIR::String& sName, Dolly* /*pChar*/, int /*nHand*/)
{
    sName = "take_";
}

int MugSourceSpot::getDepth()
{
    return Scene::getScene()->getRowDepth(m_nI, m_nJ);
}
