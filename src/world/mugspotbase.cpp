// MugSpotBase: approach sides and the action position.
#include "world/mugspotbase.h"

#include "world/dolly.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

namespace
{

// Where on the side square she stands: centre, middle of the top edge, middle of the bottom edge.
const int SIDE_FLAGS[MugSpotBase::SIDE_COUNT] = {0x24, 0x24, 0x0C, 0x14};
// A hand reaches this far sideways at the spots served from below or above.
const int HAND_REACH = 25;

} // namespace

MugSpotBase::MugSpotBase(const Rect& rect, int nI, int nJ)
    : ActionSpot(rect), m_nSquareI(nI), m_nSquareJ(nJ), m_aSideDI(), m_aSideDJ(), m_abSideOpen()
{
    setSideOffsets(-1, 1, 1, -1);
    for (int s = 0; s < SIDE_COUNT; ++s)
        m_abSideOpen[s] = true;
}

MugSpotBase::~MugSpotBase()
{
}

void MugSpotBase::setSideOffsets(int nDI0, int nDI1, int nDJ2, int nDJ3)
{
    m_aSideDI[0] = nDI0;
    m_aSideDJ[0] = 0;
    m_aSideDI[1] = nDI1;
    m_aSideDJ[1] = 0;
    m_aSideDI[2] = 0;
    m_aSideDJ[2] = nDJ2;
    m_aSideDI[3] = 0;
    m_aSideDJ[3] = nDJ3;
}

void MugSpotBase::setSideOpen(int nSide, bool bOpen)
{
    RIR_ASSERT(nSide >= 0 && nSide < SIDE_COUNT);
    m_abSideOpen[nSide] = bOpen;
}

bool MugSpotBase::isSideOpen(int nSide) const
{
    RIR_ASSERT(nSide >= 0 && nSide < SIDE_COUNT);
    return m_abSideOpen[nSide];
}

void MugSpotBase::getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir)
{
    RIR_TRACE("MugSpotBase::getActionPos");
    Scene* pScene = Scene::getScene();
    int nCI = 0;
    int nCJ = 0;
    int nX = 0;
    int nY = 0;
    pChar->getPos(&nX, &nY);
    pScene->pixelToSquare(nX, nY, &nCI, &nCJ);
    int nBest = 10000;
    int nSide = -1;
    for (int s = 0; s < SIDE_COUNT; ++s)
    {
        if (!m_abSideOpen[s])
            continue;
        const int nSI = m_nSquareI + m_aSideDI[s];
        const int nSJ = m_nSquareJ + m_aSideDJ[s];
        if (!validSquare(nSI, nSJ) || !pScene->getSquare(nSI, nSJ)->bWalkable)
            continue;
        const int nDist = std::abs(nSI - nCI) + std::abs(nSJ - nCJ);
        if (nDist < nBest)
        {
            nBest = nDist;
            nSide = s;
        }
    }
    if (nSide < 0)
    {
        pScene->squareToPixel(m_nSquareI, m_nSquareJ, pX, pY, 0x24);
        *pDir = 0;
        return;
    }
    pScene->squareToPixel(m_nSquareI + m_aSideDI[nSide], m_nSquareJ + m_aSideDJ[nSide], pX, pY,
                          SIDE_FLAGS[nSide]);
    switch (nSide)
    {
    case 0:
        *pX += 10;
        break;
    case 1:
        *pX -= 10;
        break;
    case 2:
        *pX += nHand == 1 ? HAND_REACH : -HAND_REACH;
        break;
    default:
        *pX += nHand == 1 ? -HAND_REACH : HAND_REACH;
        break;
    }
    if (nSide == 0 || nSide == 1)
        *pY -= nHand == 1 ? 7 : 5;
    *pDir = nSide;
}

void MugSpotBase::getActionAnim(RIR::String& sName, Dolly* pChar, int nHand)
{
    sName = pChar->isHandEmpty(nHand) ? "take_" : "leave_";
}

int MugSpotBase::getDepth()
{
    return Scene::getScene()->getRowDepth(m_nSquareI, m_nSquareJ);
}

bool MugSpotBase::acceptsThrownMug()
{
    return true;
}

void MugSpotBase::getMugPos(int* pX, int* pY)
{
    Scene::getScene()->squareToPixel(m_nSquareI, m_nSquareJ, pX, pY, 0x24);
    *pY -= 50;
}
