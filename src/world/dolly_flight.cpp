// Dolly: mugs flying by telekinesis between her hand and a spot.
#include "world/dolly.h"

#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// The hand point: this far to the side she faces and this far up from the left arm's sprite.
const int HAND_POINT_DX = 35;
const int HAND_POINT_DY = 80;

} // namespace

void Dolly::getHandPoint(int* pX, int* pY) const
{
    int nX = 0;
    int nY = 0;
    if (m_pHandSprite[1])
        m_pHandSprite[1]->getPos(&nX, &nY);
    else
        getPos(&nX, &nY);
    if (m_nDir == DIR_RIGHT)
        nX += HAND_POINT_DX;
    else if (m_nDir == DIR_LEFT)
        nX -= HAND_POINT_DX;
    *pX = nX;
    *pY = nY - HAND_POINT_DY;
}

void Dolly::updateFlyMugs(float fDt)
{
    RIR_TRACE("Dolly::updateFlyMugs");
    for (int h = 0; h < HAND_COUNT; ++h)
    {
        FlyMug* pFly = m_pFlyMug[h];
        if (!pFly || pFly->bWaiting)
            continue;
        pFly->fT += fDt * FLIGHT_SPEED;
        if (pFly->fT >= 1.0f)
        {
            // Keep the record alive while the spot takes the mug: landing may call back.
            m_pFlyMug[h] = nullptr;
            if (pFly->pTarget)
            {
                pFly->pTarget->setMugTK(pFly->pMug);
                pFly->pTarget->setReserved(false);
                m_bDoingAction = false;
            }
            delete pFly;
            continue;
        }
        int nEndX = 0;
        int nEndY = 0;
        if (pFly->pTarget)
            pFly->pTarget->getMugPos(&nEndX, &nEndY);
        else
            getHandPoint(&nEndX, &nEndY);
        const int nX = (int)((float)(nEndX - pFly->nStartX) * pFly->fT + (float)pFly->nStartX);
        const int nY = (int)((float)(nEndY - pFly->nStartY) * pFly->fT + (float)pFly->nStartY);
        const RIR::SmartPtr<AnimSprite>& pSprite = pFly->pMug->getSprite();
        int nOldX = 0;
        int nOldY = 0;
        pSprite->getPos(&nOldX, &nOldY);
        if (nX != nOldX || nY != nOldY)
        {
            pSprite->setPos(nX, nY);
            int nI = 0;
            int nJ = 0;
            m_pScene->pixelToSquare(nX, nY + HAND_POINT_DY, &nI, &nJ);
            pSprite->setZOrder(m_pScene->getRowDepth(nI, nJ));
        }
    }
}
