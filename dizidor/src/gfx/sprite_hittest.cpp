// Sprite: transforms between the screen and the displayed image, bounds and hit tests.
//
// The sprite puts its displayed image's insertion point at its position, scales the image by its
// scale and turns it by its rotation about that point. The image's own scale factor
// (Image::getScale) shrinks the picture on the screen by that factor, as the video driver draws
// it: an image of scale 2 covers half as many screen pixels as it has pixels. The transforms and
// the bounds use all three, so that they agree with each other and with what is drawn.
#include "gfx/geometry.h"
#include "gfx/imagearith.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"

#include <cmath>

namespace
{

// The factor that turns image pixels into unscaled screen pixels: 1 / the image's scale factor,
// or 1 when the factor is 1 or cannot be divided by.
float screenPerImagePixel(const Image* pImage)
{
    if (!pImage)
        return 1.0f;
    const float fScale = pImage->getScale();
    if (fScale == 1.0f || !(fScale > 0.0f) || !std::isfinite(fScale))
        return 1.0f;
    return 1.0f / fScale;
}

} // namespace

Point Sprite::screenToLocal(const Point& screen) const
{
    RIR_TRACE("Sprite::screenToLocal");
    return screenToLocalIn(screen, m_pDisplayImage.get());
}

Point Sprite::screenToLocalIn(const Point& screen, Image* pImage) const
{
    RIR_TRACE("Sprite::screenToLocalIn");
    Point v = screen - Point(m_fX, m_fY);
    if (m_fRotation != 0.0f)
        v = rotatePoint(v, -m_fRotation);
    v.x /= m_fScaleX;
    v.y /= m_fScaleY;
    if (pImage)
    {
        const float fImageScale = pImage->getScale();
        v.x *= fImageScale;
        v.y *= fImageScale;
        v += pImage->getInsPoint();
    }
    return v;
}

Point Sprite::localToScreen(const Point& local) const
{
    RIR_TRACE("Sprite::localToScreen");
    Point w = local;
    const Image* pImage = m_pDisplayImage.get();
    if (pImage)
    {
        w -= pImage->getInsPoint();
        w *= screenPerImagePixel(pImage);
    }
    w.x *= m_fScaleX;
    w.y *= m_fScaleY;
    if (m_fRotation != 0.0f)
        w = rotatePoint(w, m_fRotation);
    return w + Point(m_fX, m_fY);
}

Rect Sprite::getTransformedBounds(const Rect& local) const
{
    RIR_TRACE("Sprite::getTransformedBounds");
    Point a = local.getTopLeft();
    Point b = local.getBottomRight();
    const float fImageFactor = screenPerImagePixel(m_pDisplayImage.get());
    if (fImageFactor != 1.0f)
    {
        a *= fImageFactor;
        b *= fImageFactor;
    }
    if (isScaled())
    {
        a.x *= m_fScaleX;
        b.x *= m_fScaleX;
        a.y *= m_fScaleY;
        b.y *= m_fScaleY;
    }

    // A turn by a whole number of full circles gives the unturned box.
    const float fAngle = normalizeAngle(m_fRotation);
    if (!std::isfinite(fAngle))
        return Rect();

    const Point pos(m_fX, m_fY);
    Rect result;
    if (fAngle != 0.0f)
    {
        Point topLeft;
        Point bottomRight;
        RIR_TRACE_LINE();
        getRotatedBounds(a, b, fAngle, topLeft, bottomRight);
        result.set(topLeft + pos, bottomRight + pos, true);
    }
    else
        result.set(a + pos, b + pos, true);
    return result;
}

Rect Sprite::getBounds()
{
    RIR_TRACE("Sprite::getBounds");
    if (!m_bVisible || !m_pDisplayImage)
        return Rect();
    return getTransformedBounds(m_pDisplayImage->getVirtualRect());
}

Rect Sprite::getPhysicalBounds()
{
    RIR_TRACE("Sprite::getPhysicalBounds");
    if (!m_bVisible || !m_pDisplayImage)
        return Rect();
    return getTransformedBounds(m_pDisplayImage->getPhysicalRect());
}

bool Sprite::hitTest(const Point& screen)
{
    RIR_TRACE("Sprite::hitTest");
    switch (m_nHitTestMode)
    {
    case SHT_BOUNDS:
        return hitTestBounds(screen);
    case SHT_STORED_PIXELS:
        return hitTestStoredPixels(screen);
    default:
        return hitTestPixels(screen, 0);
    }
}

bool Sprite::hitTestBounds(const Point& screen)
{
    RIR_TRACE("Sprite::hitTestBounds");
    if (!m_bVisible || !m_pDisplayImage)
        return false;
    const Point l = screenToLocal(screen);
    return 0.0f <= l.x && 0.0f <= l.y && l.x < (float)m_pDisplayImage->getWidth() &&
           l.y < (float)m_pDisplayImage->getHeight();
}

bool Sprite::hitTestStoredPixels(const Point& screen)
{
    RIR_TRACE("Sprite::hitTestStoredPixels");
    if (!m_bVisible || !m_pDisplayImage)
        return false;
    const Point l = screenToLocal(screen);
    const Point o = m_pDisplayImage->getCanvasOffset();
    const Point e = o + m_pDisplayImage->getPhysicalSize();
    return o.x <= l.x && l.x < e.x && o.y <= l.y && l.y < e.y;
}

bool Sprite::hitTestPixels(const Point& screen, int nAlphaThreshold)
{
    RIR_TRACE("Sprite::hitTestPixels");
    if (!hitTestStoredPixels(screen))
        return false;
    const Point l = screenToLocal(screen);
    RIR_TRACE_LINE();
    return !m_pDisplayImage->isTransparentAt(truncateToInt32(std::floor(l.x)),
                                             truncateToInt32(std::floor(l.y)), nAlphaThreshold);
}

bool Sprite::containsPoint(int nX, int nY)
{
    RIR_TRACE("Sprite::containsPoint");
    return hitTestBounds(Point((float)nX, (float)nY));
}

bool Sprite::collidesWith(RIR::SmartPtr<Sprite> pOther)
{
    RIR_TRACE("Sprite::collidesWith");
    return collidesWithRects(pOther.get(), true);
}

bool Sprite::collidesWithBounds(RIR::SmartPtr<Sprite> pOther)
{
    RIR_TRACE("Sprite::collidesWithBounds");
    return collidesWithRects(pOther.get(), false);
}

namespace
{

// The centre, size and turn of a sprite's image rectangle on the screen, for the turned-rectangle
// overlap test: the rectangle scaled (edges truncated toward zero), its integer centre turned by
// the sprite's rotation and moved by its position.
struct PlacedRect
{
    Point centre;
    Point size;
    float fAngle;
};

PlacedRect placeRect(Rect r, const Image* pImage, const Point& scale, float fRotation,
                     const Point& pos)
{
    RIR_TRACE("placeRect");
    const float fFactor = screenPerImagePixel(pImage);
    const float fScaleX = scale.x * fFactor;
    const float fScaleY = scale.y * fFactor;
    r.left = truncateToInt32((float)r.left * fScaleX);
    r.right = truncateToInt32((float)r.right * fScaleX);
    r.top = truncateToInt32((float)r.top * fScaleY);
    r.bottom = truncateToInt32((float)r.bottom * fScaleY);
    PlacedRect placed;
    placed.centre = rotatePoint(r.getCenter(), fRotation) + pos;
    placed.size = r.getSize();
    placed.fAngle = fRotation;
    return placed;
}

} // namespace

bool Sprite::collidesWithRects(Sprite* pOther, bool bPhysical)
{
    RIR_TRACE("Sprite::collidesWithRects");
    if (!pOther || !m_pDisplayImage || !pOther->m_pDisplayImage)
        return false;
    const Image* pMine = m_pDisplayImage.get();
    const Image* pTheirs = pOther->m_pDisplayImage.get();
    const PlacedRect a = placeRect(bPhysical ? pMine->getPhysicalRect() : pMine->getVirtualRect(),
                                   pMine, getScalePoint(), m_fRotation, Point(m_fX, m_fY));
    const PlacedRect b =
        placeRect(bPhysical ? pTheirs->getPhysicalRect() : pTheirs->getVirtualRect(), pTheirs,
                  pOther->getScalePoint(), pOther->m_fRotation, Point(pOther->m_fX, pOther->m_fY));
    RIR_TRACE_LINE();
    return rotatedRectsOverlap(a.centre, a.size, a.fAngle, b.centre, b.size, b.fAngle);
}
