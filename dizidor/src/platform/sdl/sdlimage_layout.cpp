// SDLImage: re-laying the stored pixels (sharing, loading, a new stored area, trimming, private
// copies) and mirroring them.
#include "platform/sdl/sdlimage.h"

#include "gfx/imagelock.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <cstring>
#include <vector>

// ---- re-laying the pixels ----------------------------------------------------------------------

void SDLImage::sharePixels(Image* pOther)
{
    RIR_TRACE("SDLImage::sharePixels");
    m_pSurface = asSDLImage(pOther, "sharePixels")->m_pSurface;
}

void SDLImage::loadFromFile(const char* pszName, bool bConvert, bool bAlphaMask)
{
    RIR_TRACE("SDLImage::loadFromFile");
    setSurface(RIR::SmartPtr<Surface>(new Surface(pszName, bConvert, bAlphaMask)));
}

void SDLImage::setStoredArea(int x, int y, int w, int h)
{
    RIR_TRACE("SDLImage::setStoredArea");
    if (w < 0 || h < 0)
    {
        RIR::String sMessage =
            RIR::String::format("SDLImage::setStoredArea : bad size %dx%d", w, h);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    SDLSurfaceHolder pNew(createSurfaceInFormat(w, h, getDisplayPixelFormat(hasAlpha())));

    // The old pixels keep their canvas places; what falls outside the new area is dropped.
    const int64_t nLeft = std::max<int64_t>(m_nCanvasX, x);
    const int64_t nTop = std::max<int64_t>(m_nCanvasY, y);
    const int64_t nRight = std::min<int64_t>((int64_t)m_nCanvasX + m_nPhysWidth, (int64_t)x + w);
    const int64_t nBottom = std::min<int64_t>((int64_t)m_nCanvasY + m_nPhysHeight, (int64_t)y + h);
    if (m_pSurface && nLeft < nRight && nTop < nBottom)
        copyPixelsRaw(getSDLSurface(), pNew.get(),
                      toSDLCoord((int)(m_nSurfaceX + (nLeft - m_nCanvasX))),
                      toSDLCoord((int)(m_nSurfaceY + (nTop - m_nCanvasY))),
                      toSDLSize((int)(nRight - nLeft)), toSDLSize((int)(nBottom - nTop)),
                      toSDLCoord((int)(nLeft - x)), toSDLCoord((int)(nTop - y)));

    const int nWidth = m_nWidth;
    const int nHeight = m_nHeight;
    setSDLSurface(pNew.release());
    setVirtualCanvas(x, y, nWidth, nHeight);
}

void SDLImage::makePixelsOwn()
{
    RIR_TRACE("SDLImage::makePixelsOwn");
    if (!m_pSurface)
        return;
    SDL_Surface* pOld = getSDLSurface();
    SDLSurfaceHolder pNew(createSurfaceLike(pOld, m_nPhysWidth, m_nPhysHeight));
    if (m_nPhysWidth > 0 && m_nPhysHeight > 0)
        copyPixelsRaw(pOld, pNew.get(), toSDLCoord(m_nSurfaceX), toSDLCoord(m_nSurfaceY),
                      toSDLSize(m_nPhysWidth), toSDLSize(m_nPhysHeight), 0, 0);
    SDL_SetAlpha(pNew.get(), SDL_SRCALPHA, (Uint8)m_pSurface->getAlpha());
    if (pOld->flags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(pNew.get(), SDL_SRCCOLORKEY, pOld->format->colorkey);

    const int nCanvasX = m_nCanvasX;
    const int nCanvasY = m_nCanvasY;
    const int nWidth = m_nWidth;
    const int nHeight = m_nHeight;
    setSDLSurface(pNew.release());
    setVirtualCanvas(nCanvasX, nCanvasY, nWidth, nHeight);
}

void SDLImage::applyHorizontalFlip()
{
    RIR_TRACE("SDLImage::applyHorizontalFlip");
    if (!m_pSurface)
        return;
    {
        ImageLock lock(this);
        const int nBytes = m_pLockedStore->getFormat()->BytesPerPixel;
        uint8_t abPixel[4];
        for (int y = 0; y < m_nPhysHeight; ++y)
        {
            uint8_t* pRow = m_pPixels + (size_t)m_nPitch * y;
            for (int i = 0; i < m_nPhysWidth / 2; ++i)
            {
                uint8_t* pLeft = pRow + (size_t)nBytes * i;
                uint8_t* pRight = pRow + (size_t)nBytes * (m_nPhysWidth - 1 - i);
                std::memcpy(abPixel, pLeft, nBytes);
                std::memcpy(pLeft, pRight, nBytes);
                std::memcpy(pRight, abPixel, nBytes);
            }
        }
    }
    m_pSurface->markChanged();
}

void SDLImage::applyVerticalFlip()
{
    RIR_TRACE("SDLImage::applyVerticalFlip");
    if (!m_pSurface)
        return;
    {
        ImageLock lock(this);
        const size_t nRowBytes =
            (size_t)m_pLockedStore->getFormat()->BytesPerPixel * (size_t)m_nPhysWidth;
        std::vector<uint8_t> abRow(nRowBytes);
        for (int i = 0; i < m_nPhysHeight / 2; ++i)
        {
            uint8_t* pTop = m_pPixels + (size_t)m_nPitch * i;
            uint8_t* pBottom = m_pPixels + (size_t)m_nPitch * (m_nPhysHeight - 1 - i);
            std::memcpy(abRow.data(), pTop, nRowBytes);
            std::memcpy(pTop, pBottom, nRowBytes);
            std::memcpy(pBottom, abRow.data(), nRowBytes);
        }
    }
    m_pSurface->markChanged();
}
