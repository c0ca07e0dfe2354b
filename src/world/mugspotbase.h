// MugSpotBase: a spot tied to one floor square, worked on from one of four sides.
//
// The tap (MugSourceSpot), the sink (MugSinkSpot) and the table seats (MugSpot and its table
// subclass) share it. The heroine stands on a square next to the spot's square: side 0 left of it
// (she faces right), 1 right (faces left), 2 below (faces up), 3 above (faces down), so the side
// index doubles as her facing. A side may be closed (the tap and the sink are served only from
// below or above) or moved further out (a table is approached two rows above). She uses the open,
// walkable side square nearest to where she stands, and stands on it a little towards the hand
// that acts.
//
// The action animation is "take_" for an empty hand and "leave_" for a hand with a mug; a mug
// thrown by telekinesis may land on every mug spot.
#ifndef DBD_WORLD_MUGSPOTBASE_H
#define DBD_WORLD_MUGSPOTBASE_H

#include "world/actionspot.h"

class MugSpotBase : public ActionSpot
{
public:
    static constexpr int SIDE_COUNT = 4;

    // The spot's rectangle (screen pixels) and square; sides at (-1, 0), (+1, 0), (0, +1),
    // (0, -1), all open, not reserved.
    MugSpotBase(const Rect& rect, int nI, int nJ);
    ~MugSpotBase() override;

    // The open, valid and walkable side square nearest (in squares, |di| + |dj|) to the square
    // under the character; the first side wins a tie. The pixel is that square's centre (sides
    // 0, 1), the middle of its top edge (side 2) or of its bottom edge (side 3), moved towards
    // the hand: on side 2 hand 1 25 px right and hand 0 25 px left, on side 3 the other way
    // round; on side 0 10 px right, on side 1 10 px left, and there 7 px (hand 1) or 5 px
    // (hand 0) up. The direction is the side. When no side can be used she stands on the spot's
    // own square, centred, facing right, so that a walk there fails quietly rather than going
    // somewhere unrelated.
    void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) override;
    // "take_" when the hand is empty, else "leave_".
    void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) override;
    // The row depth of the spot's square.
    int getDepth() override;
    bool acceptsThrownMug() override;
    // The centre of the square, 50 px higher.
    void getMugPos(int* pX, int* pY) override;

    void setSideOpen(int nSide, bool bOpen);
    bool isSideOpen(int nSide) const;
    // Sides at (di0, 0), (di1, 0), (0, dj2), (0, dj3).
    void setSideOffsets(int nDI0, int nDI1, int nDJ2, int nDJ3);
    int getSquareI() const { return m_nSquareI; }
    int getSquareJ() const { return m_nSquareJ; }

protected:
    int m_nSquareI;
    int m_nSquareJ;
    int m_aSideDI[SIDE_COUNT];
    int m_aSideDJ[SIDE_COUNT];
    bool m_abSideOpen[SIDE_COUNT];
};

#endif
