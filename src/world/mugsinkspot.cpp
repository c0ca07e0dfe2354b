// MugSinkSpot (mugsinkspot.h).
#include "world/mugsinkspot.h"

#include "world/scene.h"

MugSinkSpot::MugSinkSpot(const Rect& rect, int nI, int nJ) : ActionSpot(rect), m_nI(nI), m_nJ(nJ)
{
}

MugSinkSpot::~MugSinkSpot()
{
}

bool MugSinkSpot::canDoAction(Dolly* /*pChar*/, int /*nHand*/)
{
    return false;
}

void MugSinkSpot::doAction(Dolly* /*pChar*/, int /*nHand*/)
{
}

void MugSinkSpot::getActionPos(Dolly* /*pChar*/, int /*nHand*/, int* pX, int* pY, int* pDir)
{
    Scene::getScene()->squareToPixel(m_nI, m_nJ + 1, pX, pY, 0x24);
    *pDir = 2;
}

void MugSinkSpot::getActionAnim(RIR::String& sName, Dolly* /*pChar*/, int /*nHand*/)
{
    sName = "take_";
}

int MugSinkSpot::getDepth()
{
    return Scene::getScene()->getRowDepth(m_nI, m_nJ);
}
