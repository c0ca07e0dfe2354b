// Scene: the entrance corridor, the reservation that keeps walkers coming in and walkers going
// out of the one door apart.
#include "world/scene.h"

#include "world/objectid.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

bool Scene::isCorridorFree(int nMode) const
{
    return m_lCorridor.isEmpty() || (nMode == m_nCorridorMode && !m_bCorridorExclusive);
}

bool Scene::reserveCorridor(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode,
                            bool bExclusive)
{
    RIR_TRACE("Scene::reserveCorridor");
    if (!m_lCorridor.isEmpty() && (nMode != m_nCorridorMode || m_bCorridorExclusive))
        return false;
    if (m_lCorridor.indexOf(pWalker) < 0)
        m_lCorridor.append(pWalker);
    m_bCorridorExclusive = m_bCorridorExclusive || bExclusive;
    m_nCorridorMode = nMode;
    return true;
}

bool Scene::hasCorridorReservation(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode) const
{
    return m_lCorridor.indexOf(pWalker) >= 0 && nMode == m_nCorridorMode;
}

void Scene::unreserveCorridor(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode)
{
    RIR_TRACE("Scene::unreserveCorridor");
    const int nIdx = m_lCorridor.indexOf(pWalker);
    if (nIdx < 0)
        return;
    if (nMode != m_nCorridorMode)
    {
        logPrintf("W: Wrong unreserve! Un %d, Res %d by %s\n", nMode, m_nCorridorMode,
                  objectId(pWalker.get()).c_str());
        dump();
        RIR_THROW(FatalErrorException, "Wrong corridor unreserve");
    }
    m_lCorridor.removeAt(nIdx);
    if (m_lCorridor.isEmpty())
        m_bCorridorExclusive = false;
}
