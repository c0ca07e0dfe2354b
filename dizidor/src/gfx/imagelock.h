// ImageLock: holds an image locked for the lifetime of a scope.
//
// Pixel access (Image::getPixel, Image::setPixel) is valid only while the image is locked; the
// guard unlocks on every way out of the scope, exceptions included.
#ifndef DIZIDOR_GFX_IMAGELOCK_H
#define DIZIDOR_GFX_IMAGELOCK_H

#include "gfx/image.h"

class ImageLock
{
public:
    // Locks pImage; a null image is allowed and locks nothing.
    explicit ImageLock(Image* pImage) : m_pImage(pImage)
    {
        if (m_pImage)
            m_pImage->lock();
    }
    ~ImageLock()
    {
        if (m_pImage)
            m_pImage->unlock();
    }
    ImageLock(const ImageLock&) = delete;
    ImageLock& operator=(const ImageLock&) = delete;

private:
    Image* m_pImage;
};

#endif
