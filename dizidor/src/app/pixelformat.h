// PixelFormat: the layout of a pixel as a video driver wants images converted to.
//
// Bits per pixel and four channel masks; a mask of 0 means the format has no such channel (an
// opaque format has alpha mask 0). Drivers answer one for opaque images and one for images with
// alpha (IVideoDriver::getOpaqueFormat, IVideoDriver::getAlphaFormat); the image back-end
// converts pictures to whatever they answer. A plain value: copied, compared, owns nothing.
#ifndef DIZIDOR_APP_PIXELFORMAT_H
#define DIZIDOR_APP_PIXELFORMAT_H

#include <cstdint>

struct PixelFormat
{
    // All fields 0: no format.
    PixelFormat()
        : m_nBitsPerPixel(0), m_nAlphaMask(0), m_nRedMask(0), m_nGreenMask(0), m_nBlueMask(0)
    {
    }
    PixelFormat(uint32_t nBitsPerPixel, uint32_t nAlphaMask, uint32_t nRedMask, uint32_t nGreenMask,
                uint32_t nBlueMask)
        : m_nBitsPerPixel(nBitsPerPixel), m_nAlphaMask(nAlphaMask), m_nRedMask(nRedMask),
          m_nGreenMask(nGreenMask), m_nBlueMask(nBlueMask)
    {
    }

    bool operator==(const PixelFormat& other) const
    {
        return m_nBitsPerPixel == other.m_nBitsPerPixel && m_nAlphaMask == other.m_nAlphaMask &&
               m_nRedMask == other.m_nRedMask && m_nGreenMask == other.m_nGreenMask &&
               m_nBlueMask == other.m_nBlueMask;
    }
    bool operator!=(const PixelFormat& other) const { return !(*this == other); }

    // The fields in their stored order.
    uint32_t m_nBitsPerPixel;
    uint32_t m_nAlphaMask;
    uint32_t m_nRedMask;
    uint32_t m_nGreenMask;
    uint32_t m_nBlueMask;
};

#endif
