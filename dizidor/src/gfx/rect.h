// Rect: an integer rectangle held as top, left, bottom, right.
//
// Screen and image areas, clipping, bounds and layout. A rectangle spans the columns left to
// right and the rows top to bottom: its width is right - left and its height bottom - top. It is
// empty when top equals bottom or left equals right. The edges are not kept in order unless a
// member normalises them; the overlap and intersection tests are strict, so rectangles that only
// touch along an edge do not overlap.
//
// Constructors and set take the edges in the order left, top, right, bottom; the fields are
// stored vertical first.
#ifndef DIZIDOR_GFX_RECT_H
#define DIZIDOR_GFX_RECT_H

#include "gfx/point.h"
#include "rir2/rirstring.h"

#include <cstdint>

class Rect
{
public:
    // All four edges 0.
    Rect() : top(0), left(0), bottom(0), right(0) {}
    // The four edges as given, or ordered (setNormalized) when bNormalize is true.
    Rect(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom, bool bNormalize = false);

    void set(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom, bool bNormalize = false);
    // Each coordinate truncated toward zero (out-of-range values saturate, nan gives 0), then
    // as the integer form.
    void set(const Point& topLeft, const Point& bottomRight, bool bNormalize = false);
    // Stores the edges so that left <= right and top <= bottom.
    void setNormalized(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom);

    int32_t getLeft() const { return left; }
    int32_t getTop() const { return top; }
    int32_t getRight() const { return right; }
    int32_t getBottom() const { return bottom; }

    Point getTopLeft() const { return Point((float)left, (float)top); }
    Point getBottomRight() const { return Point((float)right, (float)bottom); }
    // (right - left, bottom - top).
    Point getSize() const;
    // ((left + right) / 2, (top + bottom) / 2), integer quotients truncated toward zero.
    Point getCenter() const;

    bool isEmpty() const { return top == bottom || right == left; }

    bool operator==(const Rect& other) const
    {
        return top == other.top && left == other.left && bottom == other.bottom &&
               right == other.right;
    }
    bool operator!=(const Rect& other) const { return !(*this == other); }

    // Strict overlap: a shared edge alone is no overlap.
    bool overlaps(const Rect& other) const;
    // The common area, normalised; the all-zero rectangle when the two do not overlap.
    Rect intersect(const Rect& other) const;
    // The bounding rectangle of both, normalised; an empty operand is ignored.
    Rect getUnion(const Rect& other) const;
    // Grows this rectangle in place to contain the other (no emptiness test).
    void include(const Rect& other);
    // Moves each edge into the range of the other, in place: top, bottom, then left, right. A
    // rectangle wholly outside becomes a degenerate one on the nearest edge of the other.
    void clampTo(const Rect& other);

    // "(left, top - right, bottom)".
    RIR::String toString() const;

    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

#endif
