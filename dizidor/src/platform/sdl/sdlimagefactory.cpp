#include "platform/sdl/sdlimagefactory.h"

#include "gfx/imageenv.h"
#include "platform/sdl/sdlimage.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>

SDLImageFactory::SDLImageFactory() {}

SDLImageFactory::~SDLImageFactory() {}

Image* SDLImageFactory::load(const char* pszName)
{
    RIR_TRACE("SDLImageFactory::load");
    return new SDLImage(pszName, true, true);
}

bool SDLImageFactory::exists(const char* pszName)
{
    RIR_TRACE("SDLImageFactory::exists");
    if (!pszName)
        return false;
    static const char* const s_apszExtensions[] = {".jpg", ".png", ".subimage", nullptr};
    return getImageEnvironment()->resolveResourceName(pszName, s_apszExtensions).length() > 0;
}

Image* SDLImageFactory::loadWithFlags(const char* pszName, bool bConvert)
{
    RIR_TRACE("SDLImageFactory::loadWithFlags");
    return new SDLImage(pszName, bConvert, true);
}

Image* SDLImageFactory::createFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth,
                                         int nPitch, unsigned nRMask, unsigned nGMask,
                                         unsigned nBMask, unsigned nAMask)
{
    RIR_TRACE("SDLImageFactory::createFromPixels");
    // SDL takes the buffer as it is described; a description that does not fit it would make
    // every later access read or write outside the caller's memory.
    const bool bDepthOK = nDepth == 8 || nDepth == 16 || nDepth == 24 || nDepth == 32;
    if (!bDepthOK || nWidth < 0 || nHeight < 0 ||
        (bDepthOK && (int64_t)nPitch < (int64_t)nWidth * (nDepth / 8)) ||
        (!pPixels && nWidth > 0 && nHeight > 0))
    {
        RIR::String sMessage = RIR::String::format(
            "SDLImageFactory::createFromPixels : bad pixel memory %dx%d, %d bits, pitch %d", nWidth,
            nHeight, nDepth, nPitch);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    SDL_Surface* pSurf = SDL_CreateRGBSurfaceFrom(pPixels, nWidth, nHeight, nDepth, nPitch, nRMask,
                                                  nGMask, nBMask, nAMask);
    return new SDLImage(pSurf);
}

Image* SDLImageFactory::createBlank(int nWidth, int nHeight, bool bAlpha)
{
    RIR_TRACE("SDLImageFactory::createBlank");
    return new SDLImage(nWidth, nHeight, bAlpha, true);
}

Image* SDLImageFactory::createEmpty()
{
    RIR_TRACE("SDLImageFactory::createEmpty");
    return new SDLImage();
}
