// Scene: the path search over the squares' links.
//
// A best-first search whose rank is the distance to the goal in squares (not scaled to the step
// costs) plus the cost of the square's parent. The bookkeeping lives in the squares; a new search
// stamp reopens every square at once instead of clearing them.
#include "world/scene.h"

#include "rir2/calltrace.h"

#include <cstdlib>

namespace
{

const int STRAIGHT_COST = 100;
const int DIAGONAL_COST = 141;

} // namespace

void Scene::getNeighbours(int nI, int nJ, bool bAllowOccupied,
                          const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed,
                          RIR::List<RIR::SmartPtr<SquareData>>& lOut) const
{
    RIR_TRACE("Scene::getNeighbours");
    RIR::SmartPtr<SquareData> pSq = getSquare(nI, nJ);
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
    {
        const RIR::SmartPtr<SquareData>& pLinked = pSq->apLinks[k];
        if (!pLinked || pLinked->nSearchStamp == m_nSearchCounter)
            continue;
        if (pLinked->pWalkObj && !bAllowOccupied && lAllowed.indexOf(pLinked) < 0)
            continue;
        lOut.append(pLinked);
    }
}

RIR::List<RIR::SmartPtr<SquareData>>
Scene::findPath(int nStartIndex, int nGoalIndex, bool bAllowOccupied,
                const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed)
{
    RIR_TRACE("Scene::findPath");
    RIR::List<RIR::SmartPtr<SquareData>> lOpen;
    RIR::SmartPtr<SquareData> pStart = getSquareByIndex(nStartIndex);
    RIR::SmartPtr<SquareData> pGoal = getSquareByIndex(nGoalIndex);
    pStart->pParent.release();
    pStart->nCost = 0;
    lOpen.append(pStart);
    ++m_nSearchCounter;

    bool bFound = false;
    RIR::List<RIR::SmartPtr<SquareData>> lNeighbours;
    while (!lOpen.isEmpty())
    {
        int nBest = -1;
        int nBestValue = 0;
        for (int n = 0; n < lOpen.getLength(); ++n)
        {
            const RIR::SmartPtr<SquareData>& pSq = lOpen.get(n);
            int nValue = std::abs(pSq->nJ - pGoal->nJ) + std::abs(pSq->nI - pGoal->nI);
            if (pSq->pParent)
                nValue += pSq->pParent->nCost;
            if (nBest < 0 || nValue < nBestValue)
            {
                nBest = n;
                nBestValue = nValue;
            }
        }
        RIR::SmartPtr<SquareData> pSel = lOpen.get(nBest);
        if (pSel == pGoal)
        {
            bFound = true;
            break;
        }
        pSel->nSearchStamp = m_nSearchCounter;
        lOpen.removeAt(nBest);

        lNeighbours.clear();
        getNeighbours(pSel->nI, pSel->nJ, bAllowOccupied, lAllowed, lNeighbours);
        for (int n = 0; n < lNeighbours.getLength(); ++n)
        {
            RIR::SmartPtr<SquareData> pNext = lNeighbours.get(n);
            const bool bDiagonal = pNext->nI != pSel->nI && pNext->nJ != pSel->nJ;
            const int nCost = pSel->nCost + (bDiagonal ? DIAGONAL_COST : STRAIGHT_COST);
            if (lOpen.indexOf(pNext) < 0)
            {
                pNext->pParent = pSel;
                pNext->nCost = nCost;
                lOpen.append(pNext);
            }
            else if (nCost < pNext->nCost)
            {
                pNext->nCost = nCost;
                pNext->pParent = pSel;
            }
        }
    }
    lOpen.clear();

    if (bFound)
    {
        for (RIR::SmartPtr<SquareData> pSq = pGoal; pSq; pSq = pSq->pParent)
        {
            lOpen.prepend(pSq);
            if (pSq == pStart)
                break;
        }
    }
    return lOpen;
}

RIR::List<RIR::SmartPtr<SquareData>> Scene::findPath(int nStartIndex, int nGoalIndex,
                                                     bool bAllowOccupied)
{
    return findPath(nStartIndex, nGoalIndex, bAllowOccupied,
                    RIR::List<RIR::SmartPtr<SquareData>>());
}

RIR::List<RIR::SmartPtr<SquareData>>
Scene::findPath(int nStartIndex, int nGoalIndex,
                const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed)
{
    return findPath(nStartIndex, nGoalIndex, false, lAllowed);
}
