#include "platform/sdl/sdlimage.h"

#include "gfx/imagearith.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>

DrvImageData::~DrvImageData() {}

// ---- life --------------------------------------------------------------------------------------

SDLImage::SDLImage(const char* pszName, bool bConvert, bool bAlphaMask)
    : m_pPixels(nullptr), m_nPitch(0), m_nLockDepth(0), m_pDriverData(nullptr)
{
    RIR_TRACE("SDLImage::SDLImage");
    load(pszName, bConvert, bAlphaMask);
}

SDLImage::SDLImage() : m_pPixels(nullptr), m_nPitch(0), m_nLockDepth(0), m_pDriverData(nullptr) {}

SDLImage::SDLImage(SDL_Surface* pSurf)
    : m_pPixels(nullptr), m_nPitch(0), m_nLockDepth(0), m_pDriverData(nullptr)
{
    RIR_TRACE("SDLImage::SDLImage");
    RIR_ASSERT(pSurf);
    setSDLSurface(pSurf);
}

SDLImage::SDLImage(int nWidth, int nHeight, bool bAlpha, bool bClear)
    : m_pPixels(nullptr), m_nPitch(0), m_nLockDepth(0), m_pDriverData(nullptr)
{
    RIR_TRACE("SDLImage::SDLImage");
    nWidth = std::max(nWidth, 1);
    nHeight = std::max(nHeight, 1);
    const PixelFormat format = getDisplayPixelFormat(bAlpha);
    SDL_Surface* pSurf =
        SDL_CreateRGBSurface(SDL_SWSURFACE | (format.m_nAlphaMask ? (Uint32)SDL_SRCALPHA : 0u),
                             nWidth, nHeight, (int)format.m_nBitsPerPixel, format.m_nRedMask,
                             format.m_nGreenMask, format.m_nBlueMask, format.m_nAlphaMask);
    if (!pSurf)
    {
        RIR::String sMessage = RIR::String::format("SDLImage::SDLImage failed for %dx%d [%s]",
                                                   nWidth, nHeight, SDL_GetError());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    setSDLSurface(pSurf);
    // New SDL surfaces are zero-filled: the opaque case is already black.
    if (bAlpha && bClear)
        fill(Color(0, 0, 0, 0));
}

SDLImage::SDLImage(const RIR::SmartPtr<SDLImage>& pImage, const Rect& rect)
    : m_pPixels(nullptr), m_nPitch(0), m_nLockDepth(0), m_pDriverData(nullptr)
{
    RIR_TRACE("SDLImage::SDLImage");
    RIR_ASSERT(pImage);
    int nStoreW = 0;
    int nStoreH = 0;
    if (pImage->m_pSurface)
        pImage->m_pSurface->getSize(&nStoreW, &nStoreH);
    if (rect.left < 0 || rect.top < 0 || rect.left > rect.right || rect.top > rect.bottom ||
        rect.right > nStoreW || rect.bottom > nStoreH)
    {
        RIR::String sMessage =
            RIR::String::format("SDLImage::SDLImage : %s outside the %dx%d store",
                                rect.toString().c_str(), nStoreW, nStoreH);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    m_pSurface = pImage->m_pSurface;
    m_nSurfaceX = rect.left;
    m_nSurfaceY = rect.top;
    m_nPhysWidth = rect.right - rect.left;
    m_nPhysHeight = rect.bottom - rect.top;
    m_bSharedPixels = true;
    setVirtualCanvas(0, 0, m_nPhysWidth, m_nPhysHeight);
}

SDLImage::~SDLImage()
{
    if (m_nLockDepth > 0 && m_pLockedStore)
        m_pLockedStore->unlockRect();
    delete m_pDriverData;
}

void SDLImage::setDriverData(DrvImageData* pData)
{
    if (pData == m_pDriverData)
        return;
    delete m_pDriverData;
    m_pDriverData = pData;
}

SDLImage* SDLImage::asSDLImage(Image* pImage, const char* pszCaller)
{
    RIR_TRACE("SDLImage::asSDLImage");
    RIR_ASSERT(pImage);
    SDLImage* pSDLImage = dynamic_cast<SDLImage*>(pImage);
    if (!pSDLImage)
    {
        RIR::String sMessage =
            RIR::String::format("SDLImage::%s : the other image is no SDLImage", pszCaller);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    return pSDLImage;
}

// ---- the store ---------------------------------------------------------------------------------

void SDLImage::setSurface(const RIR::SmartPtr<Surface>& pSurface)
{
    RIR_TRACE("SDLImage::setSurface");
    m_pSurface = pSurface;
    m_nSurfaceX = 0;
    m_nSurfaceY = 0;
    int nWidth = 0;
    int nHeight = 0;
    if (pSurface)
        pSurface->getSize(&nWidth, &nHeight);
    m_nPhysWidth = nWidth;
    m_nPhysHeight = nHeight;
    setVirtualCanvas(0, 0, nWidth, nHeight);
}

void SDLImage::setSDLSurface(SDL_Surface* pSurf)
{
    RIR_TRACE("SDLImage::setSDLSurface");
    RIR_ASSERT(pSurf);
    setSurface(RIR::SmartPtr<Surface>(new Surface(pSurf)));
}

const SDL_PixelFormat* SDLImage::getFormat() const
{
    return m_pSurface ? m_pSurface->getFormat() : nullptr;
}

SDL_Surface* SDLImage::getSDLSurface()
{
    return m_pSurface ? m_pSurface->getSDLSurface() : nullptr;
}

void SDLImage::getPixelData(void** ppData, int* pnPitch)
{
    RIR_TRACE("SDLImage::getPixelData");
    RIR_ASSERT(ppData && pnPitch);
    if (!m_pSurface)
    {
        *ppData = nullptr;
        *pnPitch = 0;
        return;
    }
    m_pSurface->lockRect(
        Rect(m_nSurfaceX, m_nSurfaceY, m_nSurfaceX + m_nPhysWidth, m_nSurfaceY + m_nPhysHeight),
        ppData, pnPitch);
}

// ---- scale, formats, key and alpha -------------------------------------------------------------

void SDLImage::setScale(float fScale)
{
    RIR_TRACE("SDLImage::setScale");
    if (m_pSurface)
        m_pSurface->setScale(fScale);
}

float SDLImage::getScale() const
{
    return m_pSurface ? m_pSurface->getScale() : 1.0f;
}

PixelFormat SDLImage::getPixelFormat() const
{
    const SDL_PixelFormat* pFormat = getFormat();
    return pFormat ? pixelFormatOf(pFormat) : PixelFormat();
}

RIR::SmartPtr<Image> SDLImage::convertToFormat(const PixelFormat& format)
{
    RIR_TRACE("SDLImage::convertToFormat");
    RIR::SmartPtr<SDLImage> pImage;
    if (!m_pSurface)
        pImage = new SDLImage();
    else
    {
        SDL_Surface* pTemplate = createSurfaceInFormat(1, 1, format);
        SDL_Surface* pSurf = SDL_ConvertSurface(getSDLSurface(), pTemplate->format, 0);
        SDL_FreeSurface(pTemplate);
        pImage = new SDLImage(pSurf);
        // The whole store was converted: the new image shows the same part of it.
        pImage->m_nSurfaceX = m_nSurfaceX;
        pImage->m_nSurfaceY = m_nSurfaceY;
        pImage->m_nPhysWidth = m_nPhysWidth;
        pImage->m_nPhysHeight = m_nPhysHeight;
    }
    pImage->copyAttributesFrom(this);
    pImage->m_bHFlipPending = m_bHFlipPending;
    pImage->m_bVFlipPending = m_bVFlipPending;
    return RIR::SmartPtr<Image>(pImage);
}

bool SDLImage::hasAlpha() const
{
    return m_pSurface && m_pSurface->hasAlphaChannel();
}

bool SDLImage::hasColorKey() const
{
    return m_pSurface && m_pSurface->hasColorKey();
}

void SDLImage::setColorKey(const Color& key)
{
    RIR_TRACE("SDLImage::setColorKey");
    if (m_pSurface)
        m_pSurface->setColorKey(key);
}

Color SDLImage::getColorKey() const
{
    return m_pSurface ? m_pSurface->getColorKey() : Color();
}

void SDLImage::toDisplayFormatAlpha()
{
    RIR_TRACE("SDLImage::toDisplayFormatAlpha");
    applyPendingChanges();
    if (!m_pSurface)
        return;
    m_pSurface->convertToAlpha();
    m_pSurface->markChanged();
}

void SDLImage::toDisplayFormat()
{
    RIR_TRACE("SDLImage::toDisplayFormat");
    applyPendingChanges();
    if (!m_pSurface)
        return;
    m_pSurface->convertToOpaque();
    m_pSurface->markChanged();
}

void SDLImage::setAlpha(int nAlpha)
{
    RIR_TRACE("SDLImage::setAlpha");
    if (m_pSurface)
        m_pSurface->setAlpha(nAlpha);
}

int SDLImage::getAlpha() const
{
    return m_pSurface ? m_pSurface->getAlpha() : 255;
}

// ---- change notification -----------------------------------------------------------------------

void SDLImage::onChanged()
{
    RIR_TRACE("SDLImage::onChanged");
    if (m_pDriverData)
        m_pDriverData->setChangeStamp(getDriverChangeStamp());
}

void SDLImage::notifyChanged()
{
    RIR_TRACE("SDLImage::notifyChanged");
    if (m_pSurface)
        m_pSurface->markChanged();
}

// ---- pixel access ------------------------------------------------------------------------------

uint8_t* SDLImage::pixelAddress(int x, int y, const char* pszCaller) const
{
    if (m_nLockDepth <= 0)
    {
        RIR::String sMessage = RIR::String::format("SDLImage::%s : image not locked", pszCaller);
        RIR_THROW(BadStateException, sMessage.c_str());
    }
    if (x < 0 || y < 0 || x >= m_nPhysWidth || y >= m_nPhysHeight || !m_pPixels)
    {
        RIR::String sMessage =
            RIR::String::format("SDLImage::%s : (%d, %d) outside the stored %dx%d pixels",
                                pszCaller, x, y, m_nPhysWidth, m_nPhysHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    const int nBytes = m_pLockedStore->getFormat()->BytesPerPixel;
    return m_pPixels + (size_t)m_nPitch * y + (size_t)nBytes * x;
}

Color SDLImage::getPixel(int x, int y) const
{
    const uint8_t* p = pixelAddress(x, y, "getPixel");
    const SDL_PixelFormat* pFormat = m_pLockedStore->getFormat();
    return unmapPixelValue(pFormat, readPixelValue(p, pFormat->BytesPerPixel));
}

void SDLImage::setPixel(int x, int y, const Color& color)
{
    uint8_t* p = pixelAddress(x, y, "setPixel");
    // The store's SDL surface is present while it is locked.
    const SDL_PixelFormat* pFormat = m_pLockedStore->getSDLSurface()->format;
    writePixelValue(
        p, pFormat->BytesPerPixel,
        SDL_MapRGBA(const_cast<SDL_PixelFormat*>(pFormat), color.r, color.g, color.b, color.a));
}

void SDLImage::lock()
{
    RIR_TRACE("SDLImage::lock");
    if (m_nLockDepth == 0 && m_pSurface)
    {
        void* pData = nullptr;
        int nPitch = 0;
        getPixelData(&pData, &nPitch);
        m_pLockedStore = m_pSurface;
        m_pPixels = (uint8_t*)pData;
        m_nPitch = nPitch;
    }
    ++m_nLockDepth;
}

void SDLImage::unlock()
{
    RIR_TRACE("SDLImage::unlock");
    if (m_nLockDepth <= 0)
        RIR_THROW(BadStateException, "SDLImage::unlock : image not locked");
    if (--m_nLockDepth > 0)
        return;
    if (m_pLockedStore)
        m_pLockedStore->unlockRect();
    m_pLockedStore = nullptr;
    m_pPixels = nullptr;
    m_nPitch = 0;
}

void SDLImage::fill(const Color& color)
{
    RIR_TRACE("SDLImage::fill");
    // A view fills its own copy: the picture it shows is not changed through it.
    makePixelsOwnIfShared();
    if (!m_pSurface)
        return;
    SDL_Surface* pSurf = getSDLSurface();
    SDL_Rect rect;
    rect.x = toSDLCoord(m_nSurfaceX);
    rect.y = toSDLCoord(m_nSurfaceY);
    rect.w = toSDLSize(m_nPhysWidth);
    rect.h = toSDLSize(m_nPhysHeight);
    if (rect.w > 0 && rect.h > 0)
        SDL_FillRect(pSurf, &rect, SDL_MapRGBA(pSurf->format, color.r, color.g, color.b, color.a));
    m_pSurface->markChanged();
}
