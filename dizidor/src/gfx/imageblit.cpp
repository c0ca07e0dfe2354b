// The blit front-end of Image: whole-canvas blits, the choice between blending and composing, and
// the clipping that every back-end's blit runs before it touches pixels.
#include "gfx/image.h"

#include "gfx/imagearith.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>

namespace
{

// A rectangle with 64-bit edges (left <= right, top <= bottom where built normalised), so that
// a request near the ends of the int range cannot overflow while it is clipped.
struct ClipRect
{
    int64_t l;
    int64_t t;
    int64_t r;
    int64_t b;

    static ClipRect normalized(int64_t nL, int64_t nT, int64_t nR, int64_t nB)
    {
        return ClipRect{std::min(nL, nR), std::min(nT, nB), std::max(nL, nR), std::max(nT, nB)};
    }
    int64_t getLeft() const { return l; }
    int64_t getTop() const { return t; }
    int64_t getRight() const { return r; }
    int64_t getBottom() const { return b; }
    int64_t width() const { return r - l; }
    int64_t height() const { return b - t; }
    bool isEmpty() const { return l == r || t == b; }
    // Strict: rectangles that only touch do not overlap.
    bool overlaps(const ClipRect& o) const { return o.l < r && l < o.r && o.t < b && t < o.b; }
    ClipRect intersect(const ClipRect& o) const
    {
        if (!overlaps(o))
            return ClipRect{0, 0, 0, 0};
        return ClipRect{std::max(l, o.l), std::max(t, o.t), std::min(r, o.r), std::min(b, o.b)};
    }
    ClipRect unite(const ClipRect& o) const
    {
        return ClipRect{std::min(l, o.l), std::min(t, o.t), std::max(r, o.r), std::max(b, o.b)};
    }
    bool operator==(const ClipRect& o) const
    {
        return l == o.l && t == o.t && r == o.r && b == o.b;
    }
};

} // namespace

void Image::blendImage(Image* pSrc, int x, int y)
{
    RIR_TRACE("Image::blendImage");
    RIR_ASSERT(pSrc);
    blendRect(pSrc, Rect(0, 0, pSrc->getWidth(), pSrc->getHeight()), x, y);
}

void Image::copyImage(Image* pSrc, int x, int y)
{
    RIR_TRACE("Image::copyImage");
    RIR_ASSERT(pSrc);
    copyRect(pSrc, Rect(0, 0, pSrc->getWidth(), pSrc->getHeight()), x, y);
}

void Image::blitRect(Image* pSrc, const Rect& srcRect, int x, int y)
{
    RIR_TRACE("Image::blitRect");
    RIR_ASSERT(pSrc);
    if (hasAlpha() && pSrc->hasAlpha())
        composeRect(pSrc, srcRect.left, srcRect.top,
                    saturateToInt32((int64_t)srcRect.right - srcRect.left),
                    saturateToInt32((int64_t)srcRect.bottom - srcRect.top), x, y);
    else
        blendRect(pSrc, srcRect, x, y);
}

void Image::blit(Image* pSrc, int x, int y)
{
    RIR_TRACE("Image::blit");
    RIR_ASSERT(pSrc);
    blitRect(pSrc, Rect(0, 0, pSrc->getWidth(), pSrc->getHeight()), x, y);
}

bool Image::clipBlitAt(Image* pSrc, int x, int y, int* pnSX, int* pnSY, int* pnW, int* pnH,
                       int* pnDX, int* pnDY)
{
    RIR_TRACE("Image::clipBlitAt");
    *pnDX = saturateToInt32((int64_t)x - pSrc->getInsPointX());
    *pnDY = saturateToInt32((int64_t)y - pSrc->getInsPointY());
    return clipBlitRects(pSrc, pnSX, pnSY, pnW, pnH, pnDX, pnDY);
}

bool Image::clipBlitAt(Image* pSrc, const Rect& srcRect, int x, int y, int* pnSX, int* pnSY,
                       int* pnW, int* pnH, int* pnDX, int* pnDY)
{
    *pnSX = srcRect.left;
    *pnSY = srcRect.top;
    *pnW = saturateToInt32((int64_t)srcRect.right - srcRect.left);
    *pnH = saturateToInt32((int64_t)srcRect.bottom - srcRect.top);
    return clipBlitAt(pSrc, x, y, pnSX, pnSY, pnW, pnH, pnDX, pnDY);
}

bool Image::clipBlitRects(Image* pSrcImage, int* pnSX, int* pnSY, int* pnW, int* pnH, int* pnDX,
                          int* pnDY)
{
    RIR_TRACE("Image::clipBlitRects");
    RIR_ASSERT(pSrcImage && pnSX && pnSY && pnW && pnH && pnDX && pnDY);

    // A shared or mirrored source is made private and mirrored before it is read, and so is this
    // image before it is written.
    applyPendingChanges();
    pSrcImage->applyPendingChanges();

    // The request in the source's stored coordinates, against its stored pixels.
    const int64_t nSrcCX = pSrcImage->m_nCanvasX;
    const int64_t nSrcCY = pSrcImage->m_nCanvasY;
    const ClipRect pSrc =
        ClipRect::normalized((int64_t)*pnSX - nSrcCX, (int64_t)*pnSY - nSrcCY,
                             (int64_t)*pnSX + *pnW - nSrcCX, (int64_t)*pnSY + *pnH - nSrcCY);
    const ClipRect pSrcData{0, 0, pSrcImage->m_nPhysWidth, pSrcImage->m_nPhysHeight};
    if (!pSrc.overlaps(pSrcData))
        return false;

    const ClipRect pSrcPhys = pSrc.intersect(pSrcData);
    int64_t nDX = (int64_t)*pnDX + (pSrcPhys.l - pSrc.l);
    int64_t nDY = (int64_t)*pnDY + (pSrcPhys.t - pSrc.t);
    int64_t nSX = pSrcPhys.l;
    int64_t nSY = pSrcPhys.t;
    int64_t nW = pSrcPhys.width();
    int64_t nH = pSrcPhys.height();
    RIR_ASSERT(pSrcPhys.getLeft() >= pSrc.getLeft());
    RIR_ASSERT(pSrcPhys.getTop() >= pSrc.getTop());
    RIR_ASSERT(pSrcPhys.getLeft() + nW <= pSrcData.getRight());
    RIR_ASSERT(pSrcPhys.getTop() + nH <= pSrcData.getBottom());

    // The destination, against this image's canvas.
    ClipRect pDst{nDX, nDY, nDX + nW, nDY + nH};
    const ClipRect pDstVirt{0, 0, m_nWidth, m_nHeight};
    if (!pDst.overlaps(pDstVirt))
        return false;
    const ClipRect visible = pDst.intersect(pDstVirt);
    const int64_t nOffX = visible.l - pDst.l;
    const int64_t nOffY = visible.t - pDst.t;
    nDX += nOffX;
    nDY += nOffY;
    nSX += nOffX;
    nSY += nOffY;
    nW = visible.width();
    nH = visible.height();
    pDst = ClipRect{nDX, nDY, nDX + nW, nDY + nH};
    RIR_ASSERT(pDst.intersect(pDstVirt) == pDst);

    // Whatever lands inside the canvas is kept: the stored area grows to hold it.
    const ClipRect stored{m_nCanvasX, m_nCanvasY, (int64_t)m_nCanvasX + m_nPhysWidth,
                          (int64_t)m_nCanvasY + m_nPhysHeight};
    if (!(stored.intersect(pDst) == pDst))
    {
        const ClipRect grown = stored.isEmpty() ? pDst : stored.unite(pDst);
        if (grown.width() > INT32_MAX || grown.height() > INT32_MAX)
            RIR_THROW(BadStateException, "Image::clipBlitRects : stored area too large");
        const int32_t nOldCX = m_nCanvasX;
        const int32_t nOldCY = m_nCanvasY;
        RIR_TRACE_LINE();
        setStoredArea((int)grown.l, (int)grown.t, (int)grown.width(), (int)grown.height());
        // Drawing an image into itself: the source's stored pixels moved with the new area.
        if (pSrcImage == this)
        {
            nSX += (int64_t)nOldCX - m_nCanvasX;
            nSY += (int64_t)nOldCY - m_nCanvasY;
        }
    }

    *pnSX = (int)nSX;
    *pnSY = (int)nSY;
    *pnW = (int)nW;
    *pnH = (int)nH;
    *pnDX = (int)(nDX - m_nCanvasX);
    *pnDY = (int)(nDY - m_nCanvasY);
    return true;
}
