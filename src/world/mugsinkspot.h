// MugSinkSpot: the place behind the bar where the heroine gets rid of empty mugs.
//
// The scene file's "sink" lines make one per square (Scene::load): the rectangle over the drawn
// counter a click must hit, and the square the spot stands on. Here the spot carries that place;
// the mug rules are built with the mugs, and until then it offers the heroine no action.
#ifndef DBD_WORLD_MUGSINKSPOT_H
#define DBD_WORLD_MUGSINKSPOT_H

#include "world/actionspot.h"

class MugSinkSpot : public ActionSpot
{
public:
    MugSinkSpot(const Rect& rect, int nI, int nJ);
    ~MugSinkSpot() override;

    bool canDoAction(Dolly* pChar, int nHand) override;
    void doAction(Dolly* pChar, int nHand) override;
    // The centre of the square below the spot's, facing up.
    void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) override;
    void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) override;
    // The row depth of the spot's square.
    int getDepth() override;

    int getI() const { return m_nI; }
    int getJ() const { return m_nJ; }

private:
    int m_nI;
    int m_nJ;
};

#endif
