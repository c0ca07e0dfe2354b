// SquareData: a square of the floor grid and the teardown that breaks its reference cycles.
#include "world/squaredata.h"

#include "world/walkingobj.h"

#include "rir2/calltrace.h"

SquareData::SquareData()
    : nI(0), nJ(0), nIndex(0), bWalkable(true), nSearchStamp(0), nCost(0)
{
}

SquareData::~SquareData()
{
    clear();
}

void SquareData::clear()
{
    RIR_TRACE("SquareData::clear");
    // The occupant lets go of its squares first, so that dropping it here cannot reach back into
    // a half-cleared square.
    if (pWalkObj)
        pWalkObj->detach();
    pWalkObj.release();
    pParent.release();
    for (int k = 0; k < MAX_LINKS; ++k)
        apLinks[k].release();
}
