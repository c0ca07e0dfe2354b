// SquareData: one square of the saloon floor grid (see scene.h).
//
// A square knows its column and row, whether walkers may stand on it, the walker standing on it,
// the up to eight squares a walker may step to next (link slots, filled from slot 0; after
// removals null slots may lie between used ones) and the path search's bookkeeping (parent, cost
// and the stamp that marks it closed in the current search).
//
// Squares, their links, their parents and their occupants refer to each other through handles;
// clear breaks those cycles, and the scene calls it on every square when it is torn down.
#ifndef DBD_WORLD_SQUAREDATA_H
#define DBD_WORLD_SQUAREDATA_H

#include "rir2/refcount.h"

#include <cstdint>

class WalkingObject;

class SquareData : public RIR::RefCountedObject
{
public:
    static constexpr int MAX_LINKS = 8;

    SquareData();
    // Runs clear before the members go.
    ~SquareData() override;

    // Detaches the occupant first (WalkingObject::detach), then drops the occupant, the parent
    // and every link.
    void clear();

    int32_t nI;
    int32_t nJ;
    int32_t nIndex; // nJ * 11 + nI
    bool bWalkable;
    RIR::SmartPtr<WalkingObject> pWalkObj;
    RIR::SmartPtr<SquareData> pParent;
    int32_t nSearchStamp;
    int32_t nCost;
    RIR::SmartPtr<SquareData> apLinks[MAX_LINKS];

private:
    SquareData(const SquareData&) = delete;
    SquareData& operator=(const SquareData&) = delete;
};

#endif
