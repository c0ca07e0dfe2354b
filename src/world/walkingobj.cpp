// WalkingObject: placing a walker on the grid, the occupancy rules of its squares, stopping and
// stepping off a blocked square. The walk along a path is in walkingobj_walk.cpp.
#include "world/walkingobj.h"

#include "world/iplaymode.h"
#include "world/objectid.h"
#include "world/scene.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <cstdlib>

WalkingObject::WalkingObject()
    : m_bWalking(false), m_nTargetX(0), m_nTargetY(0), m_nWaypointX(0), m_nWaypointY(0),
      m_nLegDX(0), m_nLegDY(0), m_nHeadingX(0), m_nHeadingY(0), m_nSpeedX(0), m_nSpeedY(0),
      m_fX(0.0f), m_fY(0.0f), m_bBlocked(false), m_pScene(Scene::getScene()), m_fPlanTime(0.0f),
      m_fDelay(0.0f)
{
}

WalkingObject::~WalkingObject()
{
    // A square that still names this walker would hold a reference to it, so none does by now;
    // only the handles are left to drop. Nothing here may throw.
    if (m_pSquare && m_pSquare->pWalkObj.get() == this)
        m_pSquare->pWalkObj.release();
    if (m_pNextSquare && m_pNextSquare->pWalkObj.get() == this)
        m_pNextSquare->pWalkObj.release();
}

void WalkingObject::detach()
{
    RIR_TRACE("WalkingObject::detach");
    m_pSquare.release();
    m_pNextSquare.release();
    m_lPath.clear();
}

void WalkingObject::setPos(float fX, float fY)
{
    RIR_TRACE("WalkingObject::setPos");
    if (m_pSquare)
    {
        unmarkSquare(m_pSquare);
        m_pSquare.release();
    }
    m_fX = fX;
    m_fY = fY;
    int nI = 0;
    int nJ = 0;
    m_pScene->pixelToSquare((int)fX, (int)fY, &nI, &nJ);
    RIR_TRACE_LINE();
    RIR::SmartPtr<SquareData> pSq = m_pScene->getSquare(nI, nJ);
    m_pSquare = pSq;
    markSquare(pSq);
}

void WalkingObject::getPos(int* pX, int* pY) const
{
    *pX = (int)m_fX;
    *pY = (int)m_fY;
}

void WalkingObject::setRawPos(float fX, float fY)
{
    m_fX = fX;
    m_fY = fY;
}

void WalkingObject::setSpeed(int nX, int nY)
{
    m_nSpeedX = nX;
    m_nSpeedY = nY;
}

void WalkingObject::getSpeed(int* pX, int* pY) const
{
    *pX = m_nSpeedX;
    *pY = m_nSpeedY;
}

void WalkingObject::getHeading(int* pDX, int* pDY) const
{
    *pDX = m_nHeadingX;
    *pDY = m_nHeadingY;
}

void WalkingObject::setHeading(int nDX, int nDY)
{
    m_nHeadingX = nDX;
    m_nHeadingY = nDY;
}

void WalkingObject::getTarget(int* pX, int* pY) const
{
    *pX = m_nTargetX;
    *pY = m_nTargetY;
}

void WalkingObject::markSquare(const RIR::SmartPtr<SquareData>& pSq)
{
    RIR_TRACE("WalkingObject::markSquare");
    RIR_ASSERT(pSq);
    if (pSq->pWalkObj)
    {
        logPrintf("***** Error in markSquare() *****\n");
        logPrintf("this = %s\n", objectId(this).c_str());
        logPrintf("Square = %d, %d, occ = %s\n", pSq->nI, pSq->nJ,
                  objectId(pSq->pWalkObj.get()).c_str());
        m_pScene->dump();
        if (IPlayMode::hasPlayMode())
            IPlayMode::getPlayMode()->dumpCharacters();
        RIR_THROW(AssertFailException, "Assertion failed : isNULL(pSq->pWalkObj)");
    }
    pSq->pWalkObj = this;
}

void WalkingObject::unmarkSquare(const RIR::SmartPtr<SquareData>& pSq)
{
    RIR_TRACE("WalkingObject::unmarkSquare");
    RIR_ASSERT(pSq);
    // Compared by address: a temporary handle to this walker could delete one nobody holds yet.
    if (pSq->pWalkObj.get() != this)
        RIR_THROW(AssertFailException, "Assertion failed : pSq->pWalkObj == WalkingObjectPtr(this)");
    pSq->pWalkObj.release();
}

void WalkingObject::unmarkSquares()
{
    RIR_TRACE("WalkingObject::unmarkSquares");
    RIR::SmartPtr<SquareData> pFreed = m_pSquare;
    if (m_pSquare)
    {
        unmarkSquare(m_pSquare);
        m_pSquare.release();
    }
    if (m_pNextSquare && m_pNextSquare != pFreed && !m_bBlocked)
        unmarkSquare(m_pNextSquare);
    m_pNextSquare.release();
}

void WalkingObject::stopWalking()
{
    RIR_TRACE("WalkingObject::stopWalking");
    m_bWalking = false;
    unmarkSquares();
    m_lPath.clear();
    int nI = 0;
    int nJ = 0;
    if (m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nI, &nJ))
    {
        RIR::SmartPtr<SquareData> pSq = m_pScene->getSquare(nI, nJ);
        if (!pSq->bWalkable || pSq->pWalkObj)
            leaveBlockedSquare(true);
    }
    else
    {
        logPrintf("W: WRN WO::sFP Bad source %d, %d\n", (int)m_fX, (int)m_fY);
        leaveBlockedSquare(true);
    }
    RIR_TRACE_LINE();
    setPos(m_fX, m_fY);
}

bool WalkingObject::isUsableSquare(int nI, int nJ) const
{
    if (!validSquare(nI, nJ))
        return false;
    RIR::SmartPtr<SquareData> pSq = m_pScene->getSquare(nI, nJ);
    return pSq->bWalkable && (!pSq->pWalkObj || pSq->pWalkObj.get() == this);
}

bool WalkingObject::findNearestUsableSquare(int nI, int nJ, int* pX, int* pY) const
{
    RIR_TRACE("WalkingObject::findNearestUsableSquare");
    for (int nRing = 1; nRing < Scene::COLUMNS + Scene::ROWS; ++nRing)
        for (int nDI = -nRing; nDI <= nRing; ++nDI)
            for (int nDJ = -nRing; nDJ <= nRing; ++nDJ)
            {
                if (std::abs(nDI) != nRing && std::abs(nDJ) != nRing)
                    continue; // inside the ring: looked at before
                if (!isUsableSquare(nI + nDI, nJ + nDJ))
                    continue;
                m_pScene->squareToPixel(nI + nDI, nJ + nDJ, pX, pY, 0x24);
                return true;
            }
    return false;
}

bool WalkingObject::leaveBlockedSquare(bool /*bAvoidOthers*/)
{
    RIR_TRACE("WalkingObject::leaveBlockedSquare");
    int nSI = 0;
    int nSJ = 0;
    m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nSI, &nSJ);
    const int nX = (int)m_fX;
    const int nY = (int)m_fY;
    int nBest = 10000;
    int nPX = 0;
    int nPY = 0;
    bool bFound = false;
    for (int nDI = -1; nDI <= 1; ++nDI)
        for (int nDJ = -1; nDJ <= 1; ++nDJ)
        {
            if (nDI == 0 && nDJ == 0)
                continue;
            const int nI = nSI + nDI;
            const int nJ = nSJ + nDJ;
            // A square held by another walker would fail the claim below, so it is never usable.
            if (!isUsableSquare(nI, nJ))
                continue;
            const Rect r = m_pScene->getSquareRect(nI, nJ);
            if (nDI == 0)
            {
                for (int nE : {r.top, r.bottom})
                    if (std::abs(nE - nY) < nBest)
                    {
                        nBest = std::abs(nE - nY);
                        nPX = nX;
                        nPY = nE;
                        bFound = true;
                    }
            }
            else if (nDJ == 0)
            {
                for (int nE : {r.left, r.right})
                    if (std::abs(nE - nX) < nBest)
                    {
                        nBest = std::abs(nE - nX);
                        nPX = nE;
                        nPY = nY;
                        bFound = true;
                    }
            }
            else
            {
                const int anCX[4] = {r.left, r.left, r.right, r.right};
                const int anCY[4] = {r.top, r.bottom, r.top, r.bottom};
                for (int k = 0; k < 4; ++k)
                {
                    const int nD = std::abs(anCX[k] - nX) + std::abs(anCY[k] - nY);
                    if (nD < nBest)
                    {
                        nBest = nD;
                        nPX = anCX[k];
                        nPY = anCY[k];
                        bFound = true;
                    }
                }
            }
        }
    if (!bFound)
    {
        // Hemmed in on all sides: the nearest usable square further away, or stay.
        const int nCI = std::min(std::max(nSI, 0), Scene::COLUMNS - 1);
        const int nCJ = std::min(std::max(nSJ, 0), Scene::ROWS - 1);
        bFound = findNearestUsableSquare(nCI, nCJ, &nPX, &nPY);
        if (bFound)
            logPrintf("W: WRN WO::lBS no free neighbour of %d, %d; moved to %d, %d\n", nSI, nSJ,
                      nPX, nPY);
    }
    if (!bFound)
        return false;
    RIR_TRACE_LINE();
    setPos((float)nPX, (float)nPY);
    return true;
}
