// Chair: placement, partner, pull-out and occupancy (chair.h).
#include "world/chair.h"

#include "world/paramholder.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

namespace
{

// How far a fully pulled-out chair stands from its place at the table, in pixels.
const float PULL_OUT_PIXELS = 23.0f;
// How far a seated customer sits in from the outer edge of the chair's square.
const int SIT_INSET = 25;

} // namespace

Chair::Chair(int nI, int nJ, int nDepth, bool bRight, const RIR::SmartPtr<Sprite>& pFront,
             const RIR::SmartPtr<Sprite>& pBack, const RIR::SmartPtr<Sprite>& pShadow,
             const RIR::SmartPtr<TableSpot>& pTableSpot)
    : m_nI(nI), m_nJ(nJ), m_bRight(bRight), m_nBaseX(0), m_nDepth(nDepth), m_fPullOut(0.0f),
      m_pTableSpot(pTableSpot)
{
    RIR_TRACE("Chair::Chair");
    RIR_ASSERT(validSquare(nI, nJ));
    RIR_ASSERT(pFront);
    m_lSprites.append(pFront);
    if (pBack)
        m_lSprites.append(pBack);
    if (pShadow)
        m_lSprites.append(pShadow);
    m_nBaseX = pFront->getX();
    updateSprites();
}

Chair::~Chair() {}

void Chair::setPullOut(float fPullOut)
{
    RIR_TRACE("Chair::setPullOut");
    if (fPullOut < 0.0f)
        fPullOut = 0.0f;
    if (fPullOut > 1.0f)
        fPullOut = 1.0f;
    m_fPullOut = fPullOut;
    updateSprites();
}

void Chair::updateSprites()
{
    const float fSign = m_bRight ? -1.0f : 1.0f;
    const int nX = (int)((float)m_nBaseX - m_fPullOut * PULL_OUT_PIXELS * fSign);
    for (int n = 0; n < m_lSprites.getLength(); ++n)
    {
        Sprite* pSprite = m_lSprites.get(n).get();
        if (pSprite->getX() != nX)
            pSprite->setPos(nX, pSprite->getY());
    }
}

void Chair::getSitPos(int* pX, int* pY) const
{
    RIR_TRACE("Chair::getSitPos");
    Scene* pScene = Scene::getScene();
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(m_nI, m_nJ, &nX, &nY, 0);
    if (m_bRight)
        nX += SIT_INSET;
    else
        nX = nX + pScene->getSquareWidth() - 1 - SIT_INSET;
    *pX = nX;
    *pY = nY + pScene->getSquareHeight();
}

bool Chair::findStandPos(int* pX, int* pY, bool bAllowOccupied) const
{
    RIR_TRACE("Chair::findStandPos");
    Scene* pScene = Scene::getScene();
    const bool bBelowFirst = (std::rand() & 1) == 0;
    const int anOffsets[2] = {bBelowFirst ? 2 : -1, bBelowFirst ? -1 : 2};
    for (int nOffset : anOffsets)
    {
        const int nJ = m_nJ + nOffset;
        if (!validSquare(m_nI, nJ))
            continue;
        RIR::SmartPtr<SquareData> pSq = pScene->getSquare(m_nI, nJ);
        if (!pSq->bWalkable)
            continue;
        if (!bAllowOccupied && pSq->pWalkObj)
            continue;
        int nX = 0;
        int nY = 0;
        pScene->squareToPixel(m_nI, nJ, &nX, &nY, 0);
        if (!m_bRight)
            nX += pScene->getSquareWidth() - 1;
        if (nOffset == -1)
            nY += pScene->getSquareHeight() - 1;
        *pX = nX;
        *pY = nY;
        return true;
    }
    return false;
}

bool Chair::isFreeForNewcomer() const
{
    if (m_pCustomer)
        return false;
    if (m_pOpposite && m_pOpposite->m_pCustomer &&
        !m_pOpposite->m_pCustomer->getBool(CP_ACCEPT_PARTNERS))
        return false;
    return true;
}

void Chair::detach()
{
    m_pOpposite.release();
    m_pCustomer.release();
    m_pTableSpot.release();
}
