// Scene: the scene dump, written to the log when the grid's occupancy or the corridor is found
// broken (and on the developer's key).
#include "world/scene.h"

#include "world/objectid.h"

#include "app/log.h"

#include "rir2/calltrace.h"

void Scene::dump() const
{
    RIR_TRACE("Scene::dump");
    logPrintf("*** Scene dump ***\n");
    for (int i = 0; i < COLUMNS; ++i)
    {
        for (int j = 0; j < ROWS; ++j)
        {
            RIR::SmartPtr<SquareData> pSq = getSquareChecked(i, j);
            if (!pSq || !pSq->pWalkObj)
                continue;
            logPrintf("[%2d, %2d] : %s, WO = %s\n", i, j, pSq->bWalkable ? "W " : "NW",
                      objectId(pSq->pWalkObj.get()).c_str());
        }
    }
    logPrintf("** Corridor reserves **\n");
    if (!m_lCorridor.isEmpty())
    {
        logPrintf("Mode %d, res : ", m_nCorridorMode);
        for (int n = 0; n < m_lCorridor.getLength(); ++n)
            logPrintf("%s ", objectId(m_lCorridor.get(n).get()).c_str());
        logPrintf("\n");
    }
    else
        logPrintf("Corridor not reserved\n");
    logPrintf("\n");
}
