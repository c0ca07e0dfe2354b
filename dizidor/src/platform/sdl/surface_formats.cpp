// The free functions of the pixel stores: the display formats, surfaces in a format,
// conversions, raw copies and pixel values.
#include "platform/sdl/surface.h"

#include "app/gameapp.h"
#include "app/iappservices.h"
#include "app/iplatform.h"
#include "app/ivideodriver.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// pSurf converted to the driver's alpha or opaque format.
SDL_Surface* convertToDriverFormat(SDL_Surface* pSurf, bool bAlpha)
{
    RIR_TRACE("convertToDriverFormat");
    RIR_ASSERT(pSurf);
    const PixelFormat format = getDisplayPixelFormat(bAlpha);
    SDL_Surface* pTemplate = createSurfaceInFormat(0, 0, format);
    SDL_Surface* pConverted = SDL_ConvertSurface(
        pSurf, pTemplate->format, SDL_SWSURFACE | (bAlpha ? (Uint32)SDL_SRCALPHA : 0u));
    const RIR::String sError = SDL_GetError();
    SDL_FreeSurface(pTemplate);
    if (!pConverted)
    {
        RIR::String sMessage =
            RIR::String::format("SDL_ConvertSurface failed : %s", sError.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    return pConverted;
}

} // namespace

Uint32 readPixelValue(const uint8_t* p, int nBytes)
{
    Uint32 nValue = 0;
    if (nBytes >= 1 && nBytes <= 4)
        for (int i = 0; i < nBytes; ++i)
            nValue |= (Uint32)p[i] << (8 * i);
    return nValue;
}

void writePixelValue(uint8_t* p, int nBytes, Uint32 nValue)
{
    if (nBytes >= 1 && nBytes <= 4)
        for (int i = 0; i < nBytes; ++i)
            p[i] = (uint8_t)(nValue >> (8 * i));
}

Color unmapPixelValue(const SDL_PixelFormat* pFormat, Uint32 nValue)
{
    if (pFormat->palette)
    {
        const SDL_Palette* pPalette = pFormat->palette;
        if (!pPalette->colors || nValue >= (Uint32)pPalette->ncolors)
            return Color(0, 0, 0, 255);
        const SDL_Color& c = pPalette->colors[nValue];
        return Color(c.r, c.g, c.b, 255);
    }
    Uint8 nR = 0;
    Uint8 nG = 0;
    Uint8 nB = 0;
    Uint8 nA = 0;
    SDL_GetRGBA(nValue, const_cast<SDL_PixelFormat*>(pFormat), &nR, &nG, &nB, &nA);
    return Color(nR, nG, nB, nA);
}

int getDriverChangeStamp()
{
    GameApp* pApp = GameApp::getInstance();
    return pApp ? pApp->getFrameCount() : 0;
}

PixelFormat getDisplayPixelFormat(bool bAlpha)
{
    RIR_TRACE("getDisplayPixelFormat");
    IAppServices* pApp = getAppServices();
    IPlatform* pPlatform = pApp ? pApp->getPlatform() : nullptr;
    IVideoDriver* pVideo = pPlatform ? pPlatform->getVideoDriver() : nullptr;
    if (!pVideo)
        RIR_THROW(BadStateException, "getDisplayPixelFormat : no video driver to ask");
    return bAlpha ? pVideo->getAlphaFormat() : pVideo->getOpaqueFormat();
}

SDL_Surface* createSurfaceInFormat(int nWidth, int nHeight, const PixelFormat& format)
{
    RIR_TRACE("createSurfaceInFormat");
    if (nWidth < 0 || nHeight < 0)
    {
        RIR::String sMessage =
            RIR::String::format("createSurfaceInFormat : bad size %dx%d", nWidth, nHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    const Uint32 nFlags = SDL_SWSURFACE | (format.m_nAlphaMask ? (Uint32)SDL_SRCALPHA : 0u);
    SDL_Surface* pSurf = SDL_CreateRGBSurface(nFlags, nWidth, nHeight, (int)format.m_nBitsPerPixel,
                                              format.m_nRedMask, format.m_nGreenMask,
                                              format.m_nBlueMask, format.m_nAlphaMask);
    if (!pSurf)
    {
        RIR::String sMessage = RIR::String::format(
            "SDL_CreateRGBSurface failed for %d BPP [%08X %08X %08X %08X] : %s",
            (int)format.m_nBitsPerPixel, (unsigned)format.m_nRedMask, (unsigned)format.m_nGreenMask,
            (unsigned)format.m_nBlueMask, (unsigned)format.m_nAlphaMask, SDL_GetError());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    return pSurf;
}

SDL_Surface* convertToAlphaFormat(SDL_Surface* pSurf)
{
    RIR_TRACE("convertToAlphaFormat");
    return convertToDriverFormat(pSurf, true);
}

SDL_Surface* convertToOpaqueFormat(SDL_Surface* pSurf)
{
    RIR_TRACE("convertToOpaqueFormat");
    return convertToDriverFormat(pSurf, false);
}

void copyPixelsRaw(SDL_Surface* pSrc, SDL_Surface* pDst, short sx, short sy, unsigned short w,
                   unsigned short h, short dx, short dy)
{
    RIR_TRACE("copyPixelsRaw");
    RIR_ASSERT(pSrc && pDst);
    const Uint32 nFlags = pSrc->flags;
    const Uint8 nAlpha = pSrc->format->alpha;
    const Uint32 nKey = pSrc->format->colorkey;
    SDL_SetAlpha(pSrc, 0, SDL_ALPHA_OPAQUE);
    SDL_SetColorKey(pSrc, 0, 0);

    SDL_Rect srcRect;
    srcRect.x = sx;
    srcRect.y = sy;
    srcRect.w = w;
    srcRect.h = h;
    SDL_Rect dstRect;
    dstRect.x = dx;
    dstRect.y = dy;
    dstRect.w = 0;
    dstRect.h = 0;
    const int nResult = SDL_UpperBlit(pSrc, &srcRect, pDst, &dstRect);
    const RIR::String sError = nResult < 0 ? RIR::String(SDL_GetError()) : RIR::String();

    if (nFlags & SDL_SRCALPHA)
        SDL_SetAlpha(pSrc, SDL_SRCALPHA, nAlpha);
    if (nFlags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(pSrc, SDL_SRCCOLORKEY, nKey);
    if (nResult < 0)
    {
        RIR::String sMessage = RIR::String::format("copyPixelsRaw : %s", sError.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
}

short toSDLCoord(int nValue)
{
    if (nValue < -32768 || nValue > 32767)
    {
        RIR::String sMessage =
            RIR::String::format("Surface : coordinate %d beyond what SDL can blit", nValue);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    return (short)nValue;
}

unsigned short toSDLSize(int nValue)
{
    if (nValue < 0 || nValue > 65535)
    {
        RIR::String sMessage =
            RIR::String::format("Surface : size %d beyond what SDL can blit", nValue);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    return (unsigned short)nValue;
}

PixelFormat pixelFormatOf(const SDL_PixelFormat* pFormat)
{
    return PixelFormat(pFormat->BitsPerPixel, pFormat->Amask, pFormat->Rmask, pFormat->Gmask,
                       pFormat->Bmask);
}

SDL_Surface* createSurfaceLike(const SDL_Surface* pModel, int nWidth, int nHeight)
{
    RIR_TRACE("createSurfaceLike");
    RIR_ASSERT(pModel);
    SDL_Surface* pSurf = createSurfaceInFormat(nWidth, nHeight, pixelFormatOf(pModel->format));
    const SDL_Palette* pPalette = pModel->format->palette;
    if (pPalette && pSurf->format->palette && pPalette->colors && pPalette->ncolors > 0)
        SDL_SetPalette(pSurf, SDL_LOGPAL, pPalette->colors, 0, pPalette->ncolors);
    return pSurf;
}
