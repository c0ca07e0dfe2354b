// MugSinkSpot: the sink behind the bar, where mugs that are not full end.
//
// Served only from below or above. The heroine leaves a mug with sips missing (an empty one or
// one a customer left half drunk) and it is gone; a full mug is refused, so a freshly drawn beer
// is never poured away by a stray click. A mug thrown by telekinesis lands here the same way.
#ifndef DBD_WORLD_MUGSINKSPOT_H
#define DBD_WORLD_MUGSINKSPOT_H

#include "world/mugspotbase.h"

class MugSinkSpot : public MugSpotBase
{
public:
    // Sides 0 and 1 closed.
    MugSinkSpot(const Rect& rect, int nI, int nJ);
    ~MugSinkSpot() override;

    // The hand holds a mug that is not full (the reserved flag is not looked at).
    bool canDoAction(Dolly* pChar, int nHand) override;
    // The hand's mug is dropped (its picture goes with it); tutorial event 7.
    void doAction(Dolly* pChar, int nHand) override;
    // Group 4.
    int getActionSound(Dolly* pChar, int nHand) override;
    // A sink gives no mug: "Assertion failed : false".
    void takeMugTK(RIR::SmartPtr<Mug>& pMug) override;
    // The thrown mug is dropped.
    void setMugTK(const RIR::SmartPtr<Mug>& pMug) override;
};

#endif
