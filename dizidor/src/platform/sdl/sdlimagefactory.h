// SDLImageFactory: the ImageFactory of the SDL platform.
//
// The SDL platform owns one and hands it out (IPlatform::getImageFactory); the image cache loads
// named pictures through it, and fonts, theme, video players and the Flash container make blank
// images and images over pixel buffers with it. Every image it makes is an SDLImage.
//
// A name "exists" when it resolves with ".jpg", ".png" or ".subimage": a TGA picture loads but
// does not count as existing, a ".subimage" definition does.
#ifndef DIZIDOR_PLATFORM_SDL_SDLIMAGEFACTORY_H
#define DIZIDOR_PLATFORM_SDL_SDLIMAGEFACTORY_H

#include "gfx/imagefactory.h"

class SDLImageFactory : public ImageFactory
{
public:
    SDLImageFactory();
    ~SDLImageFactory() override;

    SDLImageFactory(const SDLImageFactory&) = delete;
    SDLImageFactory& operator=(const SDLImageFactory&) = delete;

    // The picture with its side files, converted, with its ".alpha" mask.
    Image* load(const char* pszName) override;
    bool exists(const char* pszName) override;
    Image* loadWithFlags(const char* pszName, bool bConvert) override;
    // An image over the caller's memory. BadParmException for a depth other than 8, 16, 24 or
    // 32, a negative size, a pitch too small for the width, or no memory for a non-empty
    // picture; AssertFailException "Assertion failed : pSurf" when SDL cannot wrap the buffer.
    Image* createFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth, int nPitch,
                            unsigned nRMask, unsigned nGMask, unsigned nBMask,
                            unsigned nAMask) override;
    // Transparent black with alpha, black without.
    Image* createBlank(int nWidth, int nHeight, bool bAlpha) override;
    Image* createEmpty() override;
};

#endif
