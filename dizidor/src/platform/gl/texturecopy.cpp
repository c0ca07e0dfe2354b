#include "platform/gl/texturecopy.h"

#include "rir2/calltrace.h"

#include <SDL.h>

namespace
{

// Whether the area lies inside the source and fits a texture of nWidth x nHeight.
bool isCopyArea(const SDL_Surface* pSource, const Rect& area, int nWidth, int nHeight)
{
    const int nAreaWidth = area.getRight() - area.getLeft();
    const int nAreaHeight = area.getBottom() - area.getTop();
    return pSource && nAreaWidth > 0 && nAreaHeight > 0 && area.getLeft() >= 0 &&
           area.getTop() >= 0 && area.getRight() <= pSource->w && area.getBottom() <= pSource->h &&
           nAreaWidth <= nWidth && nAreaHeight <= nHeight;
}

} // namespace

RenderResult copySurfaceToLock(SDL_Surface* pSource, const Rect& area, const TextureLock& lock)
{
    RIR_TRACE("copySurfaceToLock");
    if (!lock.pPixels || lock.nBitsPerPixel != 32 ||
        !isCopyArea(pSource, area, lock.nWidth, lock.nHeight))
        return RENDER_ERR_BAD_ARGUMENT;
    const int nWidth = area.getRight() - area.getLeft();
    const int nHeight = area.getBottom() - area.getTop();

    RIR_TRACE_LINE();
    SDL_Surface* pTarget =
        SDL_CreateRGBSurfaceFrom(lock.pPixels, lock.nWidth, lock.nHeight, 32, lock.nPitch,
                                 lock.nRedMask, lock.nGreenMask, lock.nBlueMask, lock.nAlphaMask);
    if (!pTarget)
        return RENDER_ERR_OUT_OF_MEMORY;

    SDL_Rect src;
    src.x = (Sint16)area.getLeft();
    src.y = (Sint16)area.getTop();
    src.w = (Uint16)nWidth;
    src.h = (Uint16)nHeight;
    SDL_Rect dst;
    dst.x = 0;
    dst.y = 0;
    dst.w = (Uint16)nWidth;
    dst.h = (Uint16)nHeight;

    // The blit skips key pixels, so what lies under them must be transparent black already.
    if (pSource->flags & SDL_SRCCOLORKEY)
    {
        SDL_Rect fill = dst;
        SDL_FillRect(pTarget, &fill, 0);
    }

    const Uint32 nOldFlags = pSource->flags & (SDL_SRCALPHA | SDL_RLEACCEL);
    const Uint8 nOldAlpha = pSource->format->alpha;
    if (nOldFlags & SDL_SRCALPHA)
        SDL_SetAlpha(pSource, 0, nOldAlpha);
    RIR_TRACE_LINE();
    int nBlit = SDL_UpperBlit(pSource, &src, pTarget, &dst);
    if (nOldFlags & SDL_SRCALPHA)
        SDL_SetAlpha(pSource, nOldFlags, nOldAlpha);
    SDL_FreeSurface(pTarget);
    return nBlit < 0 ? RENDER_ERR_FAILED : RENDER_OK;
}

RenderResult copySurfaceToTexture(SDL_Surface* pSource, const Rect& area, RenderTexture& texture)
{
    RIR_TRACE("copySurfaceToTexture");
    if (!isCopyArea(pSource, area, texture.getWidth(), texture.getHeight()))
        return RENDER_ERR_BAD_ARGUMENT;
    TextureLock lock;
    RenderResult eResult = texture.lock(&lock);
    if (isRenderFailure(eResult))
        return eResult;
    RIR_TRACE_LINE();
    RenderResult eCopy = copySurfaceToLock(pSource, area, lock);
    RenderResult eUnlock = texture.unlock();
    return isRenderFailure(eCopy) ? eCopy : eUnlock;
}
