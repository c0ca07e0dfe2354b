#include "platform/sdl/picturedecoder.h"

#include "app/jpegcheck.h"
#include "app/pngreader.h"
#include "app/tgareader.h"

#include "rir2/calltrace.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>

namespace
{

// What SDL_image takes for a PNG picture: its first four bytes. Such data always goes to our
// reader, which refuses a damaged signature, so that SDL_image's PNG path never sees it.
bool looksLikePng(const uint8_t* pData, size_t nSize)
{
    return nSize >= 4 && pData[0] == 0x89 && pData[1] == 'P' && pData[2] == 'N' && pData[3] == 'G';
}

bool fail(RIR::String* psError, const RIR::String& sReason)
{
    if (psError)
        *psError = sReason;
    return false;
}

} // namespace

SDL_Surface* surfaceFromPicture(const DecodedPicture& picture, RIR::String* psError)
{
    RIR_TRACE("surfaceFromPicture");
    const int nBytes = picture.m_nBytesPerPixel;
    Uint32 nRed = 0;
    Uint32 nGreen = 0;
    Uint32 nBlue = 0;
    Uint32 nAlpha = 0;
    if (nBytes > 1)
    {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
        nRed = 0x000000FFu;
        nGreen = 0x0000FF00u;
        nBlue = 0x00FF0000u;
        nAlpha = nBytes == 4 ? 0xFF000000u : 0;
#else
        const int nShift = nBytes == 4 ? 0 : 8;
        nRed = 0xFF000000u >> nShift;
        nGreen = 0x00FF0000u >> nShift;
        nBlue = 0x0000FF00u >> nShift;
        nAlpha = nBytes == 4 ? 0x000000FFu : 0;
#endif
    }
    SDL_Surface* pSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, picture.m_nWidth, picture.m_nHeight,
                                                 nBytes * 8, nRed, nGreen, nBlue, nAlpha);
    if (!pSurface)
    {
        fail(psError, SDL_GetError());
        return nullptr;
    }
    const size_t nRowBytes = (size_t)picture.m_nWidth * (size_t)nBytes;
    for (int y = 0; y < picture.m_nHeight; ++y)
        std::memcpy((Uint8*)pSurface->pixels + (size_t)y * pSurface->pitch,
                    picture.m_abPixels.data() + (size_t)y * nRowBytes, nRowBytes);

    if (nBytes == 1 && pSurface->format->palette)
    {
        SDL_Color aColours[256];
        const int nColours = (int)std::min<size_t>(picture.m_abPalette.size() / 3, 256);
        for (int i = 0; i < nColours; ++i)
        {
            aColours[i].r = picture.m_abPalette[(size_t)i * 3];
            aColours[i].g = picture.m_abPalette[(size_t)i * 3 + 1];
            aColours[i].b = picture.m_abPalette[(size_t)i * 3 + 2];
            aColours[i].unused = 0;
        }
        // Indices past the palette read as black.
        for (int i = nColours; i < 256; ++i)
            aColours[i] = SDL_Color{0, 0, 0, 0};
        SDL_SetColors(pSurface, aColours, 0, 256);
    }
    if (picture.m_bColorKey)
    {
        const Uint32 nKey = nBytes == 1 ? (Uint32)picture.m_nKeyIndex
                                        : SDL_MapRGB(pSurface->format, picture.m_aKey[0],
                                                     picture.m_aKey[1], picture.m_aKey[2]);
        SDL_SetColorKey(pSurface, SDL_SRCCOLORKEY, nKey);
    }
    return pSurface;
}

SDL_Surface* decodePicture(const uint8_t* pData, size_t nSize, bool bTga, RIR::String* psError)
{
    RIR_TRACE("decodePicture");
    if (bTga || looksLikePng(pData, nSize))
    {
        DecodedPicture picture;
        RIR_TRACE_LINE();
        const bool bDecoded = bTga ? decodeTga(pData, nSize, &picture, psError)
                                   : decodePng(pData, nSize, &picture, psError);
        return bDecoded ? surfaceFromPicture(picture, psError) : nullptr;
    }
    if (hasJpegSignature(pData, nSize) && !isCompleteJpeg(pData, nSize, psError))
        return nullptr;

    SDL_RWops* pRW = SDL_RWFromConstMem(pData, (int)nSize);
    if (!pRW)
    {
        fail(psError, SDL_GetError());
        return nullptr;
    }
    RIR_TRACE_LINE();
    SDL_Surface* pLoaded = IMG_Load_RW(pRW, 0);
    SDL_FreeRW(pRW);
    if (!pLoaded)
        fail(psError, SDL_GetError());
    return pLoaded;
}
