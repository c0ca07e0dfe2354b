// MemImageFactory: the ImageFactory of the in-memory image back-end (MemImage).
//
// It plays the part of the platform's factory in headless tests: images load from PNG resources
// through the installed ImageEnvironment, blank images and conversions use the two display
// formats given at construction (by default what the Direct3D-style driver answers: 24-bit
// opaque and 32-bit with alpha, red in the lowest byte).
#ifndef DIZIDOR_TESTKIT_MEMIMAGEFACTORY_H
#define DIZIDOR_TESTKIT_MEMIMAGEFACTORY_H

#include "app/pixelformat.h"
#include "gfx/imagefactory.h"

class MemImageFactory : public ImageFactory
{
public:
    MemImageFactory();
    MemImageFactory(const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat);
    ~MemImageFactory() override;

    // Image::load with convert and alpha mask on; raises what loading raises (the new image is
    // freed).
    Image* load(const char* pszName) override;
    // Whether the name resolves with ".jpg", ".png" or ".subimage".
    bool exists(const char* pszName) override;
    Image* loadWithFlags(const char* pszName, bool bConvert) override;
    // Depth 8, 16, 24 or 32; BadParmException for other depths or an impossible pitch.
    Image* createFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth, int nPitch,
                            unsigned nRMask, unsigned nGMask, unsigned nBMask,
                            unsigned nAMask) override;
    Image* createBlank(int nWidth, int nHeight, bool bAlpha) override;
    Image* createEmpty() override;

    const PixelFormat& getOpaqueFormat() const { return m_opaqueFormat; }
    const PixelFormat& getAlphaFormat() const { return m_alphaFormat; }

private:
    PixelFormat m_opaqueFormat;
    PixelFormat m_alphaFormat;
};

#endif
