// SDLImage: the Image of the SDL back-end.
//
// The pixels live in a reference-counted Surface (platform/sdl/surface.h); an image addresses its
// part of it by its surface offset and stored size, so sub-images and clones are views that share
// one Surface until they change their pixels. Every pixel operation of Image is implemented here
// with SDL 1.2: pixel reads and writes in the store's own format, blits through SDL's blitter
// (the source's alpha blending and colour key apply; the destination keeps its alpha), verbatim
// copies, per-pixel alpha composition, conversions to the video driver's formats, re-laying the
// stored area and mirroring.
//
// Images are made by SDLImageFactory (platform/sdl/sdlimagefactory.h); a loaded image reads its
// picture and side files through the installed ImageEnvironment.
//
// Locking: lock and unlock pair up within one operation and may nest (the store stays locked
// until the outermost unlock); pixel access outside a lock, and an unlock without a lock, raise
// BadStateException, a pixel outside the stored area BadParmException. Drawing a store into
// itself (an image into itself, a view into its parent) reads the pixels as they were before.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLIMAGE_H
#define DIZIDOR_PLATFORM_SDL_SDLIMAGE_H

#include "gfx/image.h"
#include "platform/sdl/surface.h"
#include "rir2/refcount.h"

#include <SDL.h>

#include <cstdint>

// Per-image state of the video driver (tile geometry). The driver derives its own class and
// attaches it with SDLImage::setDriverData; the image deletes it with itself. The change stamp
// is the frame count at which the image's geometry last changed.
class DrvImageData
{
public:
    DrvImageData() : m_nChangeStamp(0) {}
    virtual ~DrvImageData();

    int getChangeStamp() const { return m_nChangeStamp; }
    void setChangeStamp(int nStamp) { m_nChangeStamp = nStamp; }

private:
    int32_t m_nChangeStamp;
};

class SDLImage : public Image
{
public:
    // Loads the named picture with its side files (Image::load).
    SDLImage(const char* pszName, bool bConvert, bool bAlphaMask);
    // No pixels; made into a sub-image afterwards.
    SDLImage();
    // Takes ownership of the SDL surface as its own store (AssertFailException
    // "Assertion failed : pSurf" for null).
    explicit SDLImage(SDL_Surface* pSurf);
    // A blank image of at least 1 x 1 pixels in the video driver's alpha (bAlpha) or opaque
    // format, zero-filled; with bAlpha and bClear filled with transparent black.
    // FatalErrorException "SDLImage::SDLImage failed for %dx%d [%s]" when SDL refuses it.
    SDLImage(int nWidth, int nHeight, bool bAlpha, bool bClear);
    // A view of the rectangle (store coordinates) of the other image's store, its canvas exactly
    // that rectangle. AssertFailException "Assertion failed : pImage" for null, BadParmException
    // for a rectangle outside the store.
    SDLImage(const RIR::SmartPtr<SDLImage>& pImage, const Rect& rect);
    // Deletes the driver data and releases the store.
    ~SDLImage() override;

    // ---- the store -----------------------------------------------------------------------------

    // Takes the store: surface offset (0, 0), stored size and canvas the store's size; the
    // insertion point stays.
    void setSurface(const RIR::SmartPtr<Surface>& pSurface);
    // setSurface of a new Surface owning the SDL surface.
    void setSDLSurface(SDL_Surface* pSurf);
    RIR::SmartPtr<Surface> getSurface() const { return m_pSurface; }
    // The store's format copy; null without a store.
    const SDL_PixelFormat* getFormat() const;
    // The store's SDL surface (reloaded when purged); null without a store.
    SDL_Surface* getSDLSurface();

    DrvImageData* getDriverData() const { return m_pDriverData; }
    // Owns the data from now on; the previous data is deleted.
    void setDriverData(DrvImageData* pData);

    // Locks the store and gives the address of this image's first stored pixel and the pitch.
    virtual void getPixelData(void** ppData, int* pnPitch);

    // ---- Image ---------------------------------------------------------------------------------

    void setScale(float fScale) override;
    float getScale() const override;
    void blendRect(Image* pSrc, const Rect& srcRect, int x, int y) override;
    void copyRect(Image* pSrc, const Rect& srcRect, int x, int y) override;
    void fill(const Color& color) override;
    PixelFormat getPixelFormat() const override;
    // A new image over a converted copy of the whole store, showing the same part of it with
    // the same geometry and pending flips.
    RIR::SmartPtr<Image> convertToFormat(const PixelFormat& format) override;
    bool hasAlpha() const override;
    bool hasColorKey() const override;
    void setColorKey(const Color& key) override;
    Color getColorKey() const override;
    void toDisplayFormatAlpha() override;
    void toDisplayFormat() override;
    void setAlpha(int nAlpha) override;
    int getAlpha() const override;
    void onChanged() override;
    void notifyChanged() override;
    Color getPixel(int x, int y) const override;
    void setPixel(int x, int y, const Color& color) override;
    void lock() override;
    void unlock() override;
    void composeRect(Image* pSrc, int sx, int sy, int w, int h, int x, int y) override;
    // BadParmException when the other image is not an SDLImage.
    void sharePixels(Image* pOther) override;
    void setStoredArea(int x, int y, int w, int h) override;
    void loadFromFile(const char* pszName, bool bConvert, bool bAlphaMask) override;
    void makePixelsOwn() override;
    void applyHorizontalFlip() override;
    void applyVerticalFlip() override;

private:
    // The source as an SDLImage (BadParmException for another kind of image).
    static SDLImage* asSDLImage(Image* pImage, const char* pszCaller);
    // Address of stored pixel (x, y) while locked; raises outside a lock or the stored area.
    uint8_t* pixelAddress(int x, int y, const char* pszCaller) const;

    RIR::SmartPtr<Surface> m_pSurface;
    uint8_t* m_pPixels; // while locked: the first stored pixel; null otherwise
    int32_t m_nPitch;
    int32_t m_nLockDepth;                  // nested locks; the store is locked once
    RIR::SmartPtr<Surface> m_pLockedStore; // the store locked by the outermost lock
    DrvImageData* m_pDriverData;           // owned, may be null
};

#endif
