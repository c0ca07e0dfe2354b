// ImageFactory: the platform's maker of images.
//
// The platform owns one factory and hands it out; the image cache loads named pictures through
// it (it is the cache's IResourceLoader<Image>), and fonts, theme and video code make blank images
// and images over pixel buffers with it. Each back-end supplies its own factory. Every operation
// returns a new image that the caller takes into a RIR::SmartPtr<Image>.
#ifndef DIZIDOR_GFX_IMAGEFACTORY_H
#define DIZIDOR_GFX_IMAGEFACTORY_H

#include "app/resourceloader.h"
#include "gfx/image.h"

class ImageFactory : public IResourceLoader<Image>
{
public:
    ~ImageFactory() override;

    // The named picture with its side files, converted to the display format; raises when it
    // cannot be found or decoded.
    Image* load(const char* pszName) override = 0;
    // Whether a picture of that name can be loaded.
    bool exists(const char* pszName) override = 0;
    // As load, with or without the conversion.
    virtual Image* loadWithFlags(const char* pszName, bool bConvert) = 0;
    // An image over the caller's pixel memory (depth in bits, pitch in bytes, channel masks),
    // which must outlive the image.
    virtual Image* createFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth, int nPitch,
                                    unsigned nRMask, unsigned nGMask, unsigned nBMask,
                                    unsigned nAMask) = 0;
    // A blank image of at least 1 x 1 pixels in the display format: black without alpha, fully
    // transparent black with alpha.
    virtual Image* createBlank(int nWidth, int nHeight, bool bAlpha) = 0;
    // An image without pixels, to be made a sub-image.
    virtual Image* createEmpty() = 0;
};

#endif
