// The pixel operations Image implements on top of its back-end operations: transparency tests,
// whole-image colour operations and alpha masks. They read and write pixels only through
// getPixel / setPixel inside lock / unlock, so they run on every back-end.
#include "gfx/image.h"

#include "gfx/imagearith.h"
#include "gfx/imageenv.h"
#include "gfx/imagefactory.h"
#include "gfx/imagelock.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>

namespace
{

uint8_t clampToByte(int64_t nValue)
{
    return (uint8_t)(nValue < 0 ? 0 : (nValue > 255 ? 255 : nValue));
}

} // namespace

// ---- transparency ------------------------------------------------------------------------------

bool Image::isPixelTransparent(int x, int y, int nAlphaThreshold) const
{
    RIR_TRACE("Image::isPixelTransparent");
    if (hasAlpha())
        return getPixel(x, y).a <= nAlphaThreshold;
    if (hasColorKey())
        return getPixel(x, y) == getColorKey();
    return false;
}

bool Image::isRowTransparent(int y, int nAlphaThreshold)
{
    RIR_TRACE("Image::isRowTransparent");
    if (y < 0 || y >= m_nPhysHeight)
        return true;
    ImageLock lock(this);
    // isPixelTransparent for each pixel, with the image's kind of transparency asked once.
    if (hasAlpha())
    {
        for (int x = 0; x < m_nPhysWidth; ++x)
            if (getPixel(x, y).a > nAlphaThreshold)
                return false;
        return true;
    }
    if (hasColorKey())
    {
        const Color key = getColorKey();
        for (int x = 0; x < m_nPhysWidth; ++x)
            if (getPixel(x, y) != key)
                return false;
        return true;
    }
    return m_nPhysWidth <= 0;
}

bool Image::isColumnTransparent(int x, int nAlphaThreshold)
{
    RIR_TRACE("Image::isColumnTransparent");
    if (x < 0 || x >= m_nPhysWidth)
        return true;
    ImageLock lock(this);
    if (hasAlpha())
    {
        for (int y = 0; y < m_nPhysHeight; ++y)
            if (getPixel(x, y).a > nAlphaThreshold)
                return false;
        return true;
    }
    if (hasColorKey())
    {
        const Color key = getColorKey();
        for (int y = 0; y < m_nPhysHeight; ++y)
            if (getPixel(x, y) != key)
                return false;
        return true;
    }
    return m_nPhysHeight <= 0;
}

void Image::autoTrim()
{
    RIR_TRACE("Image::autoTrim");
    int nTop = 0;
    int nBottom = m_nPhysHeight - 1;
    while (nTop <= nBottom && isRowTransparent(nTop, 0))
        ++nTop;
    if (nTop <= nBottom)
        while (nBottom >= nTop && isRowTransparent(nBottom, 0))
            --nBottom;
    int nLeft = 0;
    int nRight = m_nPhysWidth - 1;
    while (nLeft <= nRight && isColumnTransparent(nLeft, 0))
        ++nLeft;
    if (nLeft <= nRight)
        while (nRight >= nLeft && isColumnTransparent(nRight, 0))
            --nRight;
    // The box is in stored coordinates and taken as canvas coordinates: the two agree for a
    // picture whose stored pixels start at the canvas origin, as loaded pictures do.
    setStoredArea(nLeft, nTop, std::max(nRight - nLeft + 1, 0), std::max(nBottom - nTop + 1, 0));
}

bool Image::isRowSpanTransparent(int y, int nFromX, int nToX) const
{
    RIR_TRACE("Image::isRowSpanTransparent");
    if (y < 0 || y >= m_nPhysHeight)
        return true;
    const int nFrom = std::max(nFromX, 0);
    const int nTo = std::min(nToX, (int)m_nPhysWidth);
    if (hasColorKey())
    {
        const Color key = getColorKey();
        for (int x = nFrom; x < nTo; ++x)
            if (getPixel(x, y) != key)
                return false;
        return true;
    }
    for (int x = nFrom; x < nTo; ++x)
        if (getPixel(x, y).a != 0)
            return false;
    return true;
}

bool Image::isColumnSpanTransparent(int x, int nFromY, int nToY) const
{
    RIR_TRACE("Image::isColumnSpanTransparent");
    if (x < 0 || x >= m_nPhysWidth)
        return true;
    const int nFrom = std::max(nFromY, 0);
    const int nTo = std::min(nToY, (int)m_nPhysHeight);
    if (hasColorKey())
    {
        const Color key = getColorKey();
        for (int y = nFrom; y < nTo; ++y)
            if (getPixel(x, y) != key)
                return false;
        return true;
    }
    for (int y = nFrom; y < nTo; ++y)
        if (getPixel(x, y).a != 0)
            return false;
    return true;
}

// ---- pixels by canvas coordinates --------------------------------------------------------------

Color Image::getPixelAt(int x, int y)
{
    RIR_TRACE("Image::getPixelAt");
    const int64_t nX = (int64_t)x - m_nCanvasX;
    const int64_t nY = (int64_t)y - m_nCanvasY;
    if (nX < 0 || nY < 0 || nX >= m_nPhysWidth || nY >= m_nPhysHeight)
        return Color(0, 0, 0, 255);
    ImageLock lock(this);
    return getPixel((int)nX, (int)nY);
}

void Image::setPixelAt(int x, int y, const Color& color)
{
    RIR_TRACE("Image::setPixelAt");
    const int64_t nX = (int64_t)x - m_nCanvasX;
    const int64_t nY = (int64_t)y - m_nCanvasY;
    if (nX < 0 || nY < 0 || nX >= m_nPhysWidth || nY >= m_nPhysHeight)
        return;
    ImageLock lock(this);
    setPixel((int)nX, (int)nY, color);
}

bool Image::isTransparentAt(int x, int y, int nAlphaThreshold)
{
    RIR_TRACE("Image::isTransparentAt");
    const int64_t nX = (int64_t)x - m_nCanvasX;
    const int64_t nY = (int64_t)y - m_nCanvasY;
    if (nX < 0 || nY < 0 || nX >= m_nPhysWidth || nY >= m_nPhysHeight)
        return true;
    if (!hasAlpha() && !hasColorKey())
        return false;
    ImageLock lock(this);
    return isPixelTransparent((int)nX, (int)nY, nAlphaThreshold);
}

bool Image::isTransparentAt(const Point& pt, int nAlphaThreshold)
{
    RIR_TRACE("Image::isTransparentAt");
    return isTransparentAt(truncateToInt32(pt.x), truncateToInt32(pt.y), nAlphaThreshold);
}

// ---- whole-image colour operations -------------------------------------------------------------

void Image::remapChannels(int nR, int nG, int nB)
{
    RIR_TRACE("Image::remapChannels");
    if (nR < 0 || nR > 2 || nG < 0 || nG > 2 || nB < 0 || nB > 2)
    {
        RIR::String sMessage = RIR::String::format(
            "Image::remapChannels : channel index out of range (%d, %d, %d)", nR, nG, nB);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    makePixelsOwnIfShared();
    {
        ImageLock lock(this);
        for (int y = 0; y < m_nPhysHeight; ++y)
            for (int x = 0; x < m_nPhysWidth; ++x)
            {
                const Color c = getPixel(x, y);
                const uint8_t aChannels[3] = {c.r, c.g, c.b};
                setPixel(x, y, Color(aChannels[nR], aChannels[nG], aChannels[nB], c.a));
            }
    }
    notifyChanged();
}

void Image::multiplyColor(const Color& tint)
{
    RIR_TRACE("Image::multiplyColor");
    makePixelsOwnIfShared();
    {
        ImageLock lock(this);
        for (int y = 0; y < m_nPhysHeight; ++y)
            for (int x = 0; x < m_nPhysWidth; ++x)
            {
                const Color c = getPixel(x, y);
                setPixel(x, y, Color(c.r * tint.r >> 8, c.g * tint.g >> 8, c.b * tint.b >> 8, c.a));
            }
    }
    notifyChanged();
}

void Image::multiplyAlpha(int nFactor)
{
    RIR_TRACE("Image::multiplyAlpha");
    if (nFactor == 255)
        return;
    makePixelsOwnIfShared();
    {
        ImageLock lock(this);
        for (int y = 0; y < m_nPhysHeight; ++y)
            for (int x = 0; x < m_nPhysWidth; ++x)
            {
                Color c = getPixel(x, y);
                if (c.a == 0)
                    continue;
                // A factor outside 0 .. 255 would carry the product out of the alpha byte.
                const int64_t nProduct = (int64_t)c.a * nFactor;
                c.a = clampToByte(nProduct < 0 ? 0 : nProduct >> 8);
                setPixel(x, y, c);
            }
    }
    notifyChanged();
}

void Image::applyAlphaMask(Image* pMask, int nMode)
{
    RIR_TRACE("Image::applyAlphaMask");
    RIR_ASSERT(pMask);
    // Both images are addressed by canvas position, so both need their pixels where their
    // geometry says: mirrored by their pending flips, and this one private before it changes.
    applyPendingChanges();
    if (pMask != this)
        pMask->applyPendingChanges();
    if (!hasAlpha())
        toDisplayFormatAlpha();

    // The canvas points where both images have stored pixels.
    const int64_t nLeft = std::max<int64_t>(m_nCanvasX, pMask->m_nCanvasX);
    const int64_t nTop = std::max<int64_t>(m_nCanvasY, pMask->m_nCanvasY);
    const int64_t nRight = std::min<int64_t>((int64_t)m_nCanvasX + m_nPhysWidth,
                                             (int64_t)pMask->m_nCanvasX + pMask->m_nPhysWidth);
    const int64_t nBottom = std::min<int64_t>((int64_t)m_nCanvasY + m_nPhysHeight,
                                              (int64_t)pMask->m_nCanvasY + pMask->m_nPhysHeight);
    if (nMode == 0 || nMode == 1)
    {
        ImageLock lock(this);
        ImageLock maskLock(pMask != this ? pMask : nullptr);
        const bool bMaskAlpha = pMask->hasAlpha();
        for (int64_t y = nTop; y < nBottom; ++y)
            for (int64_t x = nLeft; x < nRight; ++x)
            {
                const Color m =
                    pMask->getPixel((int)(x - pMask->m_nCanvasX), (int)(y - pMask->m_nCanvasY));
                const int nValue = bMaskAlpha ? m.a : m.r;
                const int nX = (int)(x - m_nCanvasX);
                const int nY = (int)(y - m_nCanvasY);
                Color c = getPixel(nX, nY);
                c.a = (uint8_t)(nMode == 0 ? nValue : (c.a * nValue) >> 8);
                setPixel(nX, nY, c);
            }
    }
    onChanged();
    // The pixels differ from what the picture's resource would give: the back-end must keep and
    // re-upload them.
    notifyChanged();
}

RIR::SmartPtr<Image> Image::createAlphaImage()
{
    RIR_TRACE("Image::createAlphaImage");
    ImageFactory* pFactory = getImageEnvironment()->getImageFactory();
    RIR::SmartPtr<Image> pAlpha = pFactory->createBlank(m_nPhysWidth, m_nPhysHeight, true);
    RIR_ASSERT(pAlpha);
    ImageLock lock(this);
    ImageLock alphaLock(pAlpha.get());
    for (int y = 0; y < m_nPhysHeight; ++y)
        for (int x = 0; x < m_nPhysWidth; ++x)
        {
            const uint8_t a = getPixel(x, y).a;
            pAlpha->setPixel(x, y, Color(a, a, a, 255));
        }
    return pAlpha;
}
