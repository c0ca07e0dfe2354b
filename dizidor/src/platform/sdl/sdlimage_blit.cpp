// SDLImage: blits, verbatim copies and per-pixel composition.
#include "platform/sdl/sdlimage.h"

#include "gfx/imagearith.h"
#include "gfx/imagelock.h"
#include "gfx/pixelblend.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <vector>

namespace
{

// The rectangle (x, y, w, h) of pSrc in a surface of its own with the same format, blending and
// colour key, so that drawing a store into itself reads the pixels as they were.
SDL_Surface* copyOfRect(SDL_Surface* pSrc, int x, int y, int w, int h)
{
    RIR_TRACE("copyOfRect");
    SDLSurfaceHolder pCopy(createSurfaceLike(pSrc, w, h));
    copyPixelsRaw(pSrc, pCopy.get(), toSDLCoord(x), toSDLCoord(y), toSDLSize(w), toSDLSize(h), 0,
                  0);
    if (pSrc->flags & SDL_SRCALPHA)
        SDL_SetAlpha(pCopy.get(), SDL_SRCALPHA, pSrc->format->alpha);
    else
        SDL_SetAlpha(pCopy.get(), 0, SDL_ALPHA_OPAQUE);
    if (pSrc->flags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(pCopy.get(), SDL_SRCCOLORKEY, pSrc->format->colorkey);
    return pCopy.release();
}

// Draws (sx, sy, w, h) of pSrc at (dx, dy) of pDst: verbatim (bRaw) or with SDL's blending.
void blitSurfaces(SDL_Surface* pSrc, int sx, int sy, int w, int h, SDL_Surface* pDst, int dx,
                  int dy, bool bRaw)
{
    RIR_TRACE("blitSurfaces");
    SDLSurfaceHolder pCopy;
    if (pSrc == pDst)
    {
        pCopy.reset(copyOfRect(pSrc, sx, sy, w, h));
        pSrc = pCopy.get();
        sx = 0;
        sy = 0;
    }
    if (bRaw)
    {
        copyPixelsRaw(pSrc, pDst, toSDLCoord(sx), toSDLCoord(sy), toSDLSize(w), toSDLSize(h),
                      toSDLCoord(dx), toSDLCoord(dy));
        return;
    }
    SDL_Rect srcRect;
    srcRect.x = toSDLCoord(sx);
    srcRect.y = toSDLCoord(sy);
    srcRect.w = toSDLSize(w);
    srcRect.h = toSDLSize(h);
    SDL_Rect dstRect;
    dstRect.x = toSDLCoord(dx);
    dstRect.y = toSDLCoord(dy);
    dstRect.w = 0;
    dstRect.h = 0;
    if (SDL_UpperBlit(pSrc, &srcRect, pDst, &dstRect) < 0)
    {
        RIR::String sMessage = RIR::String::format("SDLImage : blit failed : %s", SDL_GetError());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
}

} // namespace

// ---- blits -------------------------------------------------------------------------------------

void SDLImage::blendRect(Image* pSrcImage, const Rect& srcRect, int x, int y)
{
    RIR_TRACE("SDLImage::blendRect");
    SDLImage* pSrc = asSDLImage(pSrcImage, "blendRect");
    int sx, sy, w, h, dx, dy;
    if (!clipBlitAt(pSrc, srcRect, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;
    RIR_ASSERT(m_pSurface && pSrc->m_pSurface);
    // SDL applies the source's per-pixel or image-wide alpha and its colour key; the
    // destination's alpha channel stays as it was.
    blitSurfaces(pSrc->getSDLSurface(), pSrc->m_nSurfaceX + sx, pSrc->m_nSurfaceY + sy, w, h,
                 getSDLSurface(), m_nSurfaceX + dx, m_nSurfaceY + dy, false);
    m_pSurface->markChanged();
}

void SDLImage::copyRect(Image* pSrcImage, const Rect& srcRect, int x, int y)
{
    RIR_TRACE("SDLImage::copyRect");
    SDLImage* pSrc = asSDLImage(pSrcImage, "copyRect");
    int sx, sy, w, h, dx, dy;
    if (!clipBlitAt(pSrc, srcRect, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;
    RIR_ASSERT(m_pSurface && pSrc->m_pSurface);
    blitSurfaces(pSrc->getSDLSurface(), pSrc->m_nSurfaceX + sx, pSrc->m_nSurfaceY + sy, w, h,
                 getSDLSurface(), m_nSurfaceX + dx, m_nSurfaceY + dy, true);
    m_pSurface->markChanged();
}

void SDLImage::composeRect(Image* pSrcImage, int sx, int sy, int w, int h, int x, int y)
{
    RIR_TRACE("SDLImage::composeRect");
    SDLImage* pSrc = asSDLImage(pSrcImage, "composeRect");
    int dx = 0;
    int dy = 0;
    if (!clipBlitAt(pSrc, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;
    RIR_ASSERT(m_pSurface && pSrc->m_pSurface);

    // The source is read first, so that composing an image into itself reads the old pixels.
    std::vector<Color> aSrc;
    aSrc.reserve((size_t)w * h);
    {
        ImageLock lock(pSrc);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                aSrc.push_back(pSrc->getPixel(sx + i, sy + j));
    }
    {
        ImageLock lock(this);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
            {
                const Color& s = aSrc[(size_t)j * w + i];
                if (s.a == 0)
                    continue;
                setPixel(dx + i, dy + j, blendPixel(getPixel(dx + i, dy + j), s));
            }
    }
    m_pSurface->markChanged();
}
