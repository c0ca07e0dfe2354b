#include "gfx/rect.h"

#include "rir2/calltrace.h"

#include <algorithm>
#include <cmath>

namespace
{

// Float to int32, truncating toward zero. Values beyond the int32 range saturate and nan gives
// 0, where a plain conversion would be undefined.
int32_t truncToInt32(float f)
{
    if (std::isnan(f))
        return 0;
    if (f >= 2147483648.0f)
        return INT32_MAX;
    if (f <= -2147483648.0f)
        return INT32_MIN;
    return (int32_t)f;
}

} // namespace

Rect::Rect(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom, bool bNormalize)
{
    RIR_TRACE("Rect::Rect");
    set(nLeft, nTop, nRight, nBottom, bNormalize);
}

void Rect::set(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom, bool bNormalize)
{
    RIR_TRACE("Rect::set");
    if (bNormalize)
    {
        setNormalized(nLeft, nTop, nRight, nBottom);
        return;
    }
    left = nLeft;
    top = nTop;
    right = nRight;
    bottom = nBottom;
}

void Rect::set(const Point& topLeft, const Point& bottomRight, bool bNormalize)
{
    RIR_TRACE("Rect::set");
    set(truncToInt32(topLeft.x), truncToInt32(topLeft.y), truncToInt32(bottomRight.x),
        truncToInt32(bottomRight.y), bNormalize);
}

void Rect::setNormalized(int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom)
{
    RIR_TRACE("Rect::setNormalized");
    if (nLeft < nRight)
    {
        left = nLeft;
        right = nRight;
    }
    else
    {
        left = nRight;
        right = nLeft;
    }
    if (nTop < nBottom)
    {
        top = nTop;
        bottom = nBottom;
    }
    else
    {
        top = nBottom;
        bottom = nTop;
    }
}

// Sizes and sums are taken in 64 bits so that extreme edges cannot overflow.
Point Rect::getSize() const
{
    RIR_TRACE("Rect::getSize");
    return Point((float)((int64_t)right - left), (float)((int64_t)bottom - top));
}

Point Rect::getCenter() const
{
    RIR_TRACE("Rect::getCenter");
    return Point((float)(((int64_t)left + right) / 2), (float)(((int64_t)top + bottom) / 2));
}

bool Rect::overlaps(const Rect& other) const
{
    RIR_TRACE("Rect::overlaps");
    return other.left < right && left < other.right && other.top < bottom && top < other.bottom;
}

Rect Rect::intersect(const Rect& other) const
{
    RIR_TRACE("Rect::intersect");
    if (!overlaps(other))
        return Rect();
    return Rect(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom), true);
}

Rect Rect::getUnion(const Rect& other) const
{
    RIR_TRACE("Rect::getUnion");
    if (isEmpty())
        return other;
    if (other.isEmpty())
        return *this;
    return Rect(std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom), true);
}

void Rect::include(const Rect& other)
{
    RIR_TRACE("Rect::include");
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

void Rect::clampTo(const Rect& other)
{
    RIR_TRACE("Rect::clampTo");
    // Each edge is raised first and lowered last, so when the other's edges are out of order the
    // lowering wins.
    if (top < other.top)
        top = other.top;
    if (top > other.bottom)
        top = other.bottom;
    if (bottom < other.top)
        bottom = other.top;
    if (bottom > other.bottom)
        bottom = other.bottom;
    if (left < other.left)
        left = other.left;
    if (left > other.right)
        left = other.right;
    if (right < other.left)
        right = other.left;
    if (right > other.right)
        right = other.right;
}

RIR::String Rect::toString() const
{
    RIR_TRACE("Rect::toString");
    return RIR::String::format("(%d, %d - %d, %d)", (int)left, (int)top, (int)right, (int)bottom);
}
