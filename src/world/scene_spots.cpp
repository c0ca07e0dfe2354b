// Scene: the registry of action spots and the spot under a click.
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

void Scene::addSpot(const RIR::SmartPtr<ActionSpot>& pSpot)
{
    RIR_TRACE("Scene::addSpot");
    m_lSpots.append(pSpot);
}

void Scene::removeSpot(const RIR::SmartPtr<ActionSpot>& pSpot)
{
    RIR_TRACE("Scene::removeSpot");
    int nIdx = m_lSpots.indexOf(pSpot);
    RIR_ASSERT(nIdx >= 0);
    m_lSpots.removeAt(nIdx);
}

RIR::SmartPtr<ActionSpot> Scene::getSpotAt(int nX, int nY) const
{
    RIR_TRACE("Scene::getSpotAt");
    RIR::SmartPtr<ActionSpot> pBest;
    int nBestDepth = 0;
    for (int n = 0; n < m_lSpots.getLength(); ++n)
    {
        RIR::SmartPtr<ActionSpot> pSpot = m_lSpots.get(n);
        if (!pSpot->contains(nX, nY))
            continue;
        const int nDepth = pSpot->getDepth();
        if (!pBest || nDepth > nBestDepth)
        {
            pBest = pSpot;
            nBestDepth = nDepth;
        }
    }
    return pBest;
}
