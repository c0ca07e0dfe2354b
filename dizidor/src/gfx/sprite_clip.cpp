// Sprite: the clip rectangle and the displayed image.
//
// Under a clip rectangle the sprite shows a sub-image of its source image that shares the
// source's pixels and covers only what lies inside the clip, placed (through its insertion point)
// exactly where that part of the source sat. The sub-image is cut at whole image pixels: its
// edges are those of the largest run of whole pixels inside the clip, so that nothing is ever
// drawn outside it. When sprite pixels and screen pixels line up (whole positions, scale 1) the
// sub-image covers the clip's part of the sprite exactly.
#include "gfx/imagearith.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"

#include <cmath>

namespace
{

// Local coordinates this close to a whole pixel count as on it: the transforms of a whole screen
// point carry float noise, which must not cost or add a pixel.
const double EDGE_SNAP = 1e-3;

double snapToWhole(double d)
{
    const double dWhole = std::nearbyint(d);
    return std::fabs(d - dWhole) < EDGE_SNAP ? dWhole : d;
}

// The first whole pixel edge at or after d.
int32_t edgeUp(double d)
{
    return saturateToInt32((int64_t)std::ceil(snapToWhole(d)));
}

// The last whole pixel edge at or before d.
int32_t edgeDown(double d)
{
    return saturateToInt32((int64_t)std::floor(snapToWhole(d)));
}

// Whether d fits the int64 conversion of edgeUp / edgeDown.
bool isUsableEdge(double d)
{
    return std::isfinite(d) && std::fabs(d) < 4.0e18;
}

} // namespace

void Sprite::setClipRect(const Rect& clip)
{
    RIR_TRACE("Sprite::setClipRect");
    if (!m_pClipRect)
        m_pClipRect = new Rect();
    *m_pClipRect = clip;
    RIR_TRACE_LINE();
    rebuildDisplayImage();
}

void Sprite::clearClipRect()
{
    RIR_TRACE("Sprite::clearClipRect");
    delete m_pClipRect;
    m_pClipRect = nullptr;
    RIR_TRACE_LINE();
    rebuildDisplayImage();
}

Rect Sprite::getClipRect() const
{
    RIR_TRACE("Sprite::getClipRect");
    return m_pClipRect ? *m_pClipRect : Rect();
}

void Sprite::rebuildDisplayImage()
{
    RIR_TRACE("Sprite::rebuildDisplayImage");
    // The bounds and transforms below read the displayed image, which is the source until the
    // clipped view replaces it.
    m_pDisplayImage = m_pImage;
    if (!m_pClipRect)
        return;

    RIR_TRACE_LINE();
    const Rect physical = getPhysicalBounds();
    const Rect inside = physical.intersect(*m_pClipRect);
    if (inside.isEmpty())
    {
        // Also the case of a hidden sprite or one without an image, whose bounds are all zero.
        m_pDisplayImage.release();
        return;
    }
    if (inside == physical)
        return;

    // The clipped screen area in the source canvas. The rectangle's right and bottom edges are
    // already exclusive, so the mapped corners are the sub-image's edges as they are.
    RIR_TRACE_LINE();
    const Point a = screenToLocal(inside.getTopLeft());
    const Point b = screenToLocal(inside.getBottomRight());
    if (!isUsableEdge(a.x) || !isUsableEdge(a.y) || !isUsableEdge(b.x) || !isUsableEdge(b.y))
    {
        m_pDisplayImage.release();
        return;
    }
    const int32_t nLeft = edgeUp(std::min(a.x, b.x));
    const int32_t nTop = edgeUp(std::min(a.y, b.y));
    const int32_t nRight = edgeDown(std::max(a.x, b.x));
    const int32_t nBottom = edgeDown(std::max(a.y, b.y));
    if (nRight <= nLeft || nBottom <= nTop)
    {
        // Not one whole image pixel lies inside the clip.
        m_pDisplayImage.release();
        return;
    }

    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pClipped =
        m_pImage->createSubImage(nLeft, nTop, saturateToInt32((int64_t)nRight - nLeft),
                                 saturateToInt32((int64_t)nBottom - nTop), false);
    pClipped->setInsPoint(saturateToInt32((int64_t)m_pImage->getInsPointX() - nLeft),
                          saturateToInt32((int64_t)m_pImage->getInsPointY() - nTop));
    m_pDisplayImage = pClipped;
}
