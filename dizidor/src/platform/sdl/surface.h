// Surface: the reference-counted pixel store behind every SDLImage.
//
// A Surface owns one SDL 1.2 surface. It loads it from a picture resource (the name tried with
// the image extensions "", ".jpg", ".png", ".tga"), merges an optional ".alpha" mask picture
// (".jpg" or ".png") into its alpha channel, honours an optional ".colorkey" marker (the
// bottom-left pixel becomes the colour key) and converts the pixels to the pixel formats the
// video driver asks for. Several images share one Surface when they are views into the same
// picture; each addresses its part by an offset.
//
// Purging: once the video driver has uploaded the pixels as textures it may drop them
// (purgePixels). A surface loaded from a resource and never changed since reloads them on the
// next access (getSDLSurface, lock, pixel reads), restoring its colour key and image-wide alpha,
// so the reload is invisible to callers. Surfaces made from an SDL surface, and every surface
// after markChanged, are "modified" and never purged. Format, key and alpha questions are
// answered from a private copy of the pixel format that survives a purge.
//
// Resources come through the installed ImageEnvironment (gfx/imageenv.h); the display formats
// from the application's video driver (IAppServices -> platform -> video driver).
//
// Usage:
//     RIR::SmartPtr<Surface> pDoor = new Surface("door", true, true);
//     pDoor->lock();
//     Color c = pDoor->getPixel(0, 0);
//     pDoor->unlock();
//
// Main thread only; SDL surface locks are taken and released within one call.
#ifndef DIZIDOR_PLATFORM_SDL_SURFACE_H
#define DIZIDOR_PLATFORM_SDL_SURFACE_H

#include "app/pixelformat.h"
#include "gfx/color.h"
#include "gfx/rect.h"
#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/rirstring.h"

#include <SDL.h>

#include <cstdint>
#include <memory>

// Per-surface state of the video driver (its textures). The driver derives its own class,
// attaches an object with Surface::setDriverData and the surface deletes it with itself. The
// change stamp is the frame count at which the pixels last changed; the driver rebuilds its
// textures when it is newer than they are.
class DrvSurfaceData
{
public:
    DrvSurfaceData() : m_nChangeStamp(0) {}
    virtual ~DrvSurfaceData();

    int getChangeStamp() const { return m_nChangeStamp; }
    void setChangeStamp(int nStamp) { m_nChangeStamp = nStamp; }

private:
    int32_t m_nChangeStamp;
};

class Surface : public RIR::RefCountedObject
{
public:
    // Loads the picture (loadFromFiles) and remembers how, so that it can be reloaded after a
    // purge. Raises what loadFromFiles raises.
    Surface(const char* pszName, bool bConvert, bool bAlphaMask);
    // Takes ownership of the SDL surface (AssertFailException "Assertion failed : pSurf" for
    // null). Such a surface is modified: it cannot be reloaded and is never purged.
    explicit Surface(SDL_Surface* pSurf);
    // Frees the SDL surface (when owned), the format copy and the driver data.
    ~Surface() override;

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // lock, getPixel / setPixel, unlock.
    virtual Color getPixelLocked(int x, int y);
    virtual void setPixelLocked(int x, int y, const Color& color);

    // ---- loading -------------------------------------------------------------------------------

    // Finds the picture, decodes it, converts it (bConvert: to the driver's alpha format when it
    // has alpha or a mask, else to its opaque format; a colour-keyed picture keeps its decoded
    // format) and applies the ".alpha" mask (bAlphaMask, and only when the name holds no
    // ".alpha" itself). BadParmException "Surface::loadFromFiles : resource %s not found" when no
    // picture resource exists.
    void loadFromFiles(const char* pszName, bool bConvert, bool bAlphaMask);
    // Decodes the resource's bytes (a name ending in ".tga" is decoded as TGA, which has no
    // signature to be recognised by) and takes the result; sets the colour key when the
    // ".colorkey" marker of the resource name exists. ResourceException
    // "Surface::loadFromResource : Can't load %s [%s]" with the reason when it cannot be decoded,
    // among them damaged or cut data (platform/sdl/picturedecoder.h).
    void loadFromResource(const RIR::SmartPtr<RIR::Resource>& pResource,
                          const char* pszResourceName);
    // Makes the mask's alpha (its alpha channel, else its first byte or its red) this surface's
    // alpha, converting this surface to the alpha format first when it has none. Only the area
    // both surfaces cover is changed; outside it the pixels keep their alpha.
    void applyAlphaMask(Surface* pMask);

    // ---- the pixel store -----------------------------------------------------------------------

    // Takes the SDL surface (freeing the current one when owned) and copies its format.
    void setSurface(SDL_Surface* pSurf);
    // Frees the SDL surface when owned, forgets it and the format copy.
    void releaseSurface();
    // The SDL surface, reloaded from the resource when it was purged (AssertFailException
    // "Assertion failed : m_bOwnSurface && m_sResourcePrefix != \"\"" when it cannot be).
    SDL_Surface* getSDLSurface();
    // Drops the pixels of an unmodified, loaded surface; anything else keeps them.
    void purgePixels();
    // Whether the pixels are in memory now (false after a purge, until the next access).
    bool hasPixels() const { return m_pSurface != nullptr; }
    void setOwnsSurface(bool bOwn) { m_bOwnSurface = bOwn; }
    // The copy of the pixel format; valid while the surface lives, also when purged.
    const SDL_PixelFormat* getFormat() const { return m_pFormat; }
    void getSize(int* pnWidth, int* pnHeight) const;
    int getWidth() const { return m_nWidth; }
    int getHeight() const { return m_nHeight; }
    // The resource the pixels were loaded from; empty for a surface made from an SDL surface.
    const RIR::String& getResourcePrefix() const { return m_sResourcePrefix; }
    bool isModified() const { return m_bModified; }

    // ---- format questions (answered from the format copy) --------------------------------------

    bool hasAlphaChannel() const;
    bool hasPalette() const;
    bool hasColorKey() const { return m_bColorKey; }
    // The key with alpha 255.
    Color getColorKey() const;
    // 255 for a format with an alpha channel, else the image-wide alpha.
    int getAlpha() const;

    // ---- changes -------------------------------------------------------------------------------

    void setColorKey(const Color& key);
    // Image-wide alpha, 0 .. 255.
    void setAlpha(int nAlpha);
    // The scale factor handed to the video driver; marks the surface changed.
    void setScale(float fScale);
    float getScale() const { return m_fScale; }
    // The pixels differ from the resource: never purged from now on, and the driver's textures
    // are stamped with the current frame count so that they are rebuilt.
    void markChanged();

    DrvSurfaceData* getDriverData() const { return m_pDriverData; }
    // Owns the data from now on; the previous data is deleted.
    void setDriverData(DrvSurfaceData* pData);

    // ---- conversions ---------------------------------------------------------------------------

    // Replace the pixels by a copy in the driver's alpha / opaque format (AssertFailException
    // "Assertion failed : pSurf" when there are none).
    void convertToAlpha();
    void convertToOpaque();
    // A new surface for texture upload: the alpha format when this one has an alpha channel or a
    // colour key, else the opaque format; with this surface's key, image-wide alpha and scale.
    RIR::SmartPtr<Surface> displayFormat();

    // ---- pixel access --------------------------------------------------------------------------

    void lock();
    void unlock();
    // Locks and gives the address of the rectangle's top-left pixel and the pitch in bytes.
    void lockRect(const Rect& rect, void** ppData, int* pnPitch);
    void unlockRect();
    // Pixel (x, y) of the locked surface. BadParmException outside the surface,
    // BadStateException "Surface::getPixel : Unknown surface bpp %d" for a pixel size other than
    // 1 to 4 bytes (setPixel then writes nothing).
    Color getPixel(int x, int y);
    void setPixel(int x, int y, const Color& color);

private:
    // The pixel size in bytes of an SDL surface's format.
    static int bytesPerPixel(const SDL_Surface* pSurf) { return pSurf->format->BytesPerPixel; }
    void copyFormat();
    void freeFormat();

    bool m_bColorKey;
    int32_t m_nWidth;
    int32_t m_nHeight;
    float m_fScale;
    SDL_Surface* m_pSurface;    // null while purged
    SDL_PixelFormat* m_pFormat; // owned deep copy, palette included
    bool m_bOwnSurface;
    bool m_bModified;
    RIR::String m_sResourcePrefix;
    bool m_bConvert;
    bool m_bAlphaMask;
    DrvSurfaceData* m_pDriverData; // owned, may be null
};

// The change stamp for driver data: the application's frame count, 0 without an application.
int getDriverChangeStamp();
// The video driver's pixel format for images with (bAlpha) or without an alpha channel.
// BadStateException when no application with a video driver is there to ask.
PixelFormat getDisplayPixelFormat(bool bAlpha);
// A new software surface of that size in the format (zero-filled; with SDL_SRCALPHA set when
// the format has alpha). FatalErrorException
// "SDL_CreateRGBSurface failed for %d BPP [%08X %08X %08X %08X] : %s" when SDL refuses it.
SDL_Surface* createSurfaceInFormat(int nWidth, int nHeight, const PixelFormat& format);
// New surfaces holding the pixels of pSurf in the driver's alpha or opaque format; pSurf is not
// changed. A colour-keyed surface converted to the alpha format has alpha 0 where the key
// matched. FatalErrorException "SDL_ConvertSurface failed : %s" when the conversion fails.
SDL_Surface* convertToAlphaFormat(SDL_Surface* pSurf);
SDL_Surface* convertToOpaqueFormat(SDL_Surface* pSurf);
// Frees an SDL surface when the holder goes, unless released.
struct SDLSurfaceDeleter
{
    void operator()(SDL_Surface* pSurf) const { SDL_FreeSurface(pSurf); }
};
typedef std::unique_ptr<SDL_Surface, SDLSurfaceDeleter> SDLSurfaceHolder;

// The layout of an SDL pixel format.
PixelFormat pixelFormatOf(const SDL_PixelFormat* pFormat);
// A new zero-filled software surface of that size in the format of pModel, palette included.
SDL_Surface* createSurfaceLike(const SDL_Surface* pModel, int nWidth, int nHeight);
// A position or size for SDL's 16-bit rectangles; BadParmException beyond their range.
short toSDLCoord(int nValue);
unsigned short toSDLSize(int nValue);
// Pixel values as stored: 1 to 4 bytes, the lowest byte first (other sizes read 0 and write
// nothing).
Uint32 readPixelValue(const uint8_t* p, int nBytes);
void writePixelValue(uint8_t* p, int nBytes, Uint32 nValue);
// A pixel value of the format as a colour; alpha 255 without an alpha channel. A palette index
// beyond the palette reads as opaque black.
Color unmapPixelValue(const SDL_PixelFormat* pFormat, Uint32 nValue);
// Copies the rectangle (sx, sy, w, h) of pSrc to (dx, dy) of pDst verbatim, alpha included: the
// source's blending and colour key are switched off for the copy and restored after it. SDL
// clips the rectangles to both surfaces. FatalErrorException when SDL refuses the blit.
void copyPixelsRaw(SDL_Surface* pSrc, SDL_Surface* pDst, short sx, short sy, unsigned short w,
                   unsigned short h, short dx, short dy);

#endif
