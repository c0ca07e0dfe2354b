// MugSourceSpot: the beer tap on the bar, where every mug of the day begins.
//
// Served only from below or above, with an empty hand: each action draws a new full mug
// (IPlayMode::createMug) into that hand. By telekinesis the new mug starts its flight at the tap.
#ifndef DBD_WORLD_MUGSOURCESPOT_H
#define DBD_WORLD_MUGSOURCESPOT_H

#include "world/mugspotbase.h"

class MugSourceSpot : public MugSpotBase
{
public:
    // Sides 0 and 1 closed.
    MugSourceSpot(const Rect& rect, int nI, int nJ);
    ~MugSourceSpot() override;

    // The hand is empty (the reserved flag is not looked at).
    bool canDoAction(Dolly* pChar, int nHand) override;
    // A new full mug into the hand.
    void doAction(Dolly* pChar, int nHand) override;
    // Group 1.
    int getActionSound(Dolly* pChar, int nHand) override;
    // A new full mug at the mug position, drawn at depth 10000.
    void takeMugTK(RIR::SmartPtr<Mug>& pMug) override;
    // A tap takes no mug: "Assertion failed : false".
    void setMugTK(const RIR::SmartPtr<Mug>& pMug) override;
};

#endif
