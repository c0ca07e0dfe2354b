// WalkingObject: placing a walker on the grid and the occupancy rules of its squares.
#include "world/walkingobj.h"

#include "world/iplaymode.h"
#include "world/objectid.h"
#include "world/scene.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

WalkingObject::WalkingObject()
    : m_fX(0.0f), m_fY(0.0f), m_bBlocked(false), m_pScene(Scene::getScene())
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
