// WalkingObject: planning a walk, walking it square by square, and free steps. Placing and the
// occupancy rules are in walkingobj.cpp.
#include "world/walkingobj.h"

#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <cstdlib>

namespace
{

// Direction vectors of free steps: right, left, up, down, none.
const int DIR_DX[5] = {1, -1, 0, 0, 0};
const int DIR_DY[5] = {0, 0, -1, 1, 0};

} // namespace

void WalkingObject::update(float fDt)
{
    RIR_TRACE("WalkingObject::update");
    if (m_bWalking)
        walkStep(fDt);
}

bool WalkingObject::walkTo(int nX, int nY)
{
    RIR_TRACE("WalkingObject::walkTo");
    if (nX == (int)m_fX && nY == (int)m_fY)
        return false;
    int nI = 0;
    int nJ = 0;
    m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nI, &nJ);
    RIR::SmartPtr<SquareData> pSrc = m_pScene->getSquare(nI, nJ);
    if (!pSrc->bWalkable)
    {
        leaveBlockedSquare(false);
        m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nI, &nJ);
        pSrc = m_pScene->getSquare(nI, nJ);
        if (!pSrc->bWalkable)
            RIR_THROW(AssertFailException, "Assertion failed : false");
    }
    int nDI = 0;
    int nDJ = 0;
    if (!m_pScene->pixelToSquare(nX, nY, &nDI, &nDJ))
        return false;
    RIR::SmartPtr<SquareData> pDst = m_pScene->getSquare(nDI, nDJ);
    if (!pDst->bWalkable)
        return false;
    if (m_bWalking)
    {
        stopWalking();
        // Stopping may have stepped the walker off a taken square: plan from where it stands.
        m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nI, &nJ);
        pSrc = m_pScene->getSquare(nI, nJ);
    }
    RIR_TRACE_LINE();
    chooseBestPath(pSrc, pDst);
    m_nTargetX = nX;
    m_nTargetY = nY;
    m_nLegDX = 0;
    m_nLegDY = 0;
    m_bWalking = true;
    m_bBlocked = false;
    m_nWaypointX = (int)m_fX;
    m_nWaypointY = (int)m_fY;
    return true;
}

void WalkingObject::chooseBestPath(const RIR::SmartPtr<SquareData>& pSrc,
                                   const RIR::SmartPtr<SquareData>& pDst)
{
    RIR_TRACE("WalkingObject::chooseBestPath");
    m_lPath = m_pScene->findPath(pSrc->nIndex, pDst->nIndex, false);
    if (m_lPath.isEmpty())
    {
        // Through as few occupied squares as possible: admit the squares of the best path one
        // by one from the goal end until a path is found.
        RIR::List<RIR::SmartPtr<SquareData>> lBestPath =
            m_pScene->findPath(pSrc->nIndex, pDst->nIndex, true);
        RIR_ASSERT(!lBestPath.isEmpty());
        RIR::List<RIR::SmartPtr<SquareData>> lAllowed;
        for (int k = lBestPath.getLength() - 1; k >= 0 && m_lPath.isEmpty(); --k)
        {
            lAllowed.append(lBestPath.get(k));
            m_lPath = m_pScene->findPath(pSrc->nIndex, pDst->nIndex, lAllowed);
        }
        RIR_ASSERT(!m_lPath.isEmpty());
    }
    if (pSrc != pDst)
        m_lPath.takeFirst();
}

void WalkingObject::endWalk()
{
    RIR_TRACE("WalkingObject::endWalk");
    setRawPos((float)m_nTargetX, (float)m_nTargetY);
    stopWalking();
}

void WalkingObject::walkStep(float fDt)
{
    RIR_TRACE("WalkingObject::walkStep");
    fDt = std::min(fDt, MAX_STEP);
    m_fDelay -= fDt;
    if (m_fDelay > 0.0f)
        return;
    m_fPlanTime += fDt;
    if (m_fPlanTime > REPLAN_TIME)
    {
        m_fPlanTime = 0.0f;
        stopWalking();
        walkTo(m_nTargetX, m_nTargetY); // through the override, so a character's state follows
        return;
    }

    int nDX = (int)((float)m_nWaypointX - m_fX);
    int nDY = (int)((float)m_nWaypointY - m_fY);
    m_nHeadingX = nDX;
    m_nHeadingY = nDY;

    // Half-way along the leg the square left behind is freed and the next one becomes the own.
    if (std::abs(nDX) <= std::abs(m_nLegDX / 2) && std::abs(nDY) <= std::abs(m_nLegDY / 2) &&
        m_pNextSquare && m_pNextSquare != m_pSquare)
    {
        if (m_pSquare)
            unmarkSquare(m_pSquare);
        m_pSquare = m_pNextSquare;
        m_pNextSquare.release();
    }

    // A waypoint passed on an axis: that axis is done.
    if (nDX * m_nLegDX < 0)
    {
        m_fX = (float)m_nWaypointX;
        nDX = 0;
    }
    if (nDY * m_nLegDY < 0)
    {
        m_fY = (float)m_nWaypointY;
        nDY = 0;
    }

    if (std::abs(nDX) < 2 && std::abs(nDY) < 2)
    {
        if (m_lPath.isEmpty())
        {
            endWalk();
            return;
        }
        RIR::SmartPtr<SquareData> pSq = m_lPath.takeFirst();
        if (m_lPath.isEmpty())
        {
            m_nWaypointX = m_nTargetX;
            m_nWaypointY = m_nTargetY;
        }
        else
        {
            m_pScene->squareToPixel(pSq->nI, pSq->nJ, &m_nWaypointX, &m_nWaypointY, 0x24);
        }
        nDX = (int)((float)m_nWaypointX - m_fX);
        nDY = (int)((float)m_nWaypointY - m_fY);
        m_nLegDX = nDX;
        m_nLegDY = nDY;
        m_nHeadingX = nDX;
        m_nHeadingY = nDY;
        if (m_pNextSquare)
        {
            // Never reached half-way: give it back (unless it is the own square).
            if (m_pNextSquare != m_pSquare && m_pNextSquare->pWalkObj.get() == this)
                unmarkSquare(m_pNextSquare);
            m_pNextSquare.release();
        }
        m_pNextSquare = pSq;
        if (pSq->pWalkObj && pSq->pWalkObj.get() != this)
        {
            m_bBlocked = true;
            m_fPlanTime = REPLAN_TIME + 1.0f;
            m_fDelay = BLOCKED_DELAY;
            m_nHeadingX = 0;
            m_nHeadingY = 0;
            return;
        }
        if (pSq->pWalkObj.get() != this)
            markSquare(pSq);
    }

    if (nDX == 0 && nDY == 0)
    {
        endWalk();
        return;
    }
    if (nDX > 0)
        m_fX += fDt * (float)m_nSpeedX;
    else if (nDX < 0)
        m_fX -= fDt * (float)m_nSpeedX;
    if (nDY > 0)
        m_fY += fDt * (float)m_nSpeedY;
    else if (nDY < 0)
        m_fY -= fDt * (float)m_nSpeedY;
}

bool WalkingObject::moveStraight(int nDir, int nSideDir, float fDt)
{
    RIR_TRACE("WalkingObject::moveStraight");
    RIR_ASSERT(nDir >= 0 && nDir <= DIR_NONE && nSideDir >= 0 && nSideDir <= DIR_NONE);
    if (m_bWalking)
        stopWalking();
    m_nHeadingX = DIR_DX[nDir];
    m_nHeadingY = DIR_DY[nDir];
    const float fVX = (float)m_nSpeedX * ((float)DIR_DX[nDir] + 0.5f * (float)DIR_DX[nSideDir]);
    const float fVY = (float)m_nSpeedY * ((float)DIR_DY[nDir] + 0.5f * (float)DIR_DY[nSideDir]);
    const float fNX = m_fX + fVX * fDt;
    const float fNY = m_fY + fVY * fDt;
    int nI = 0;
    int nJ = 0;
    if (!m_pScene->pixelToSquare((int)fNX, (int)fNY, &nI, &nJ) || !isUsableSquare(nI, nJ))
        return false;
    int nCI = 0;
    int nCJ = 0;
    m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nCI, &nCJ);
    if ((nCI != nI || nCJ != nJ) && !m_pScene->hasLink(nCI, nCJ, nI, nJ))
        return false;
    setPos(fNX, fNY);
    return true;
}
