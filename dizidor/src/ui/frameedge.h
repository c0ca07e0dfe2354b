// The four edges of a frame: which parts make each edge, along which axis it runs, and how a
// piece is cut to the edge's thickness.
//
// An edge runs from its first corner over its first side pieces, its middle pieces and its
// second side pieces to its second corner. Along the edge means the x axis for the top and
// bottom edges and the y axis for the left and right ones; a piece's size along the edge is its
// width on a horizontal edge and its height on a vertical one, its size across the edge the
// other one. The top and left edges are the outer-first ones: their outside is at the start of
// the cross axis (the top rows, the left columns).
#ifndef DIZIDOR_UI_FRAMEEDGE_H
#define DIZIDOR_UI_FRAMEEDGE_H

#include "gfx/image.h"
#include "ui/framestyle.h"

#include "rir2/refcount.h"

enum FrameEdge
{
    FE_TOP = 0,
    FE_BOTTOM = 1,
    FE_LEFT = 2,
    FE_RIGHT = 3,
    FE_COUNT = 4
};

struct FrameEdgeParts
{
    bool bVertical;
    int nFirstCorner;
    int nFirstSide;
    int nMid;
    int nSecondSide;
    int nSecondCorner;
    // The outside of the edge is at the start of the cross axis (top and left edges).
    bool bOuterFirst;
};

// The parts of an edge (FrameEdge); an index outside the edges raises AssertFailException.
const FrameEdgeParts& getFrameEdgeParts(int nEdge);

// The piece itself when its size across the edge is at most the thickness; otherwise a view
// (no own pixels) of the piece that is the thickness across and keeps the edge's outside. A
// thickness below 0 counts as 0.
RIR::SmartPtr<Image> cropToThickness(RIR::SmartPtr<Image> pPiece, int nThickness, bool bVertical,
                                     bool bOuterFirst);

// A view (no own pixels) of nLength pixels along the edge from nFrom, at the piece's full size
// across the edge.
RIR::SmartPtr<Image> cutAlong(RIR::SmartPtr<Image> pPiece, int nFrom, int nLength, bool bVertical);

#endif
