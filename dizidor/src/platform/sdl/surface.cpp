#include "platform/sdl/surface.h"

#include "gfx/imageenv.h"
#include "platform/sdl/picturedecoder.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace
{

// The picture extensions tried after a name, in this order; the mask extensions after
// name + ".alpha".
const char* const s_apszPictureExtensions[] = {"", ".jpg", ".png", ".tga", nullptr};
const char* const s_apszMaskExtensions[] = {".jpg", ".png", nullptr};

// Whether the name ends in ".tga" (any case).
bool isTgaName(const char* pszName)
{
    const size_t nLength = std::strlen(pszName);
    return nLength >= 4 && strcasecmp(pszName + nLength - 4, ".tga") == 0;
}

// The name of the colour-key marker of a resolved picture name: the name without its last four
// characters (normally the extension), then ".colorkey". Names of four characters or fewer
// have an empty stem.
RIR::String colorKeyMarkerName(const char* pszResourceName)
{
    const int nLength = (int)std::strlen(pszResourceName);
    const RIR::String sStem =
        nLength > 4 ? RIR::String(pszResourceName).left(nLength - 4) : RIR::String();
    return sStem + ".colorkey";
}

// Unlocks a surface on every way out of a scope.
class SurfaceLock
{
public:
    explicit SurfaceLock(Surface* pSurface) : m_pSurface(pSurface) { m_pSurface->lock(); }
    ~SurfaceLock() { m_pSurface->unlock(); }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    Surface* m_pSurface;
};

} // namespace

DrvSurfaceData::~DrvSurfaceData() {}

// ---- Surface: life -----------------------------------------------------------------------------

Surface::Surface(const char* pszName, bool bConvert, bool bAlphaMask)
    : m_bColorKey(false), m_nWidth(0), m_nHeight(0), m_fScale(1.0f), m_pSurface(nullptr),
      m_pFormat(nullptr), m_bOwnSurface(true), m_bModified(false), m_bConvert(bConvert),
      m_bAlphaMask(bAlphaMask), m_pDriverData(nullptr)
{
    RIR_TRACE("Surface::Surface");
    RIR_ASSERT(pszName);
    try
    {
        loadFromFiles(pszName, bConvert, bAlphaMask);
    }
    catch (...)
    {
        // The destructor does not run for a constructor that fails.
        releaseSurface();
        throw;
    }
    m_bModified = false;
    m_sResourcePrefix = pszName;
}

Surface::Surface(SDL_Surface* pSurf)
    : m_bColorKey(false), m_nWidth(0), m_nHeight(0), m_fScale(1.0f), m_pSurface(nullptr),
      m_pFormat(nullptr), m_bOwnSurface(true), m_bModified(true), m_bConvert(false),
      m_bAlphaMask(false), m_pDriverData(nullptr)
{
    RIR_TRACE("Surface::Surface");
    RIR_ASSERT(pSurf);
    setSurface(pSurf);
}

Surface::~Surface()
{
    releaseSurface();
    delete m_pDriverData;
}

void Surface::setDriverData(DrvSurfaceData* pData)
{
    if (pData == m_pDriverData)
        return;
    delete m_pDriverData;
    m_pDriverData = pData;
}

void Surface::getSize(int* pnWidth, int* pnHeight) const
{
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

// ---- Surface: loading --------------------------------------------------------------------------

void Surface::loadFromFiles(const char* pszName, bool bConvert, bool bAlphaMask)
{
    RIR_TRACE("Surface::loadFromFiles");
    RIR_ASSERT(pszName);
    ImageEnvironment* pEnv = getImageEnvironment();

    RIR_TRACE_LINE();
    const RIR::String sResolved = pEnv->resolveResourceName(pszName, s_apszPictureExtensions);
    if (sResolved.length() == 0)
    {
        RIR::String sMessage =
            RIR::String::format("Surface::loadFromFiles : resource %s not found", pszName);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    RIR::String sMask;
    if (bAlphaMask && !std::strstr(pszName, ".alpha"))
        sMask = pEnv->resolveResourceName((RIR::String(pszName) + ".alpha").c_str(),
                                          s_apszMaskExtensions);
    const bool bMask = sMask.length() > 0;

    RIR_TRACE_LINE();
    loadFromResource(pEnv->getResource(sResolved.c_str()), sResolved.c_str());

    // A colour-keyed picture keeps the format it was decoded in.
    if (bConvert && !m_bColorKey)
    {
        RIR_TRACE_LINE();
        setSurface((hasAlphaChannel() || bMask) ? convertToAlphaFormat(m_pSurface)
                                                : convertToOpaqueFormat(m_pSurface));
    }

    if (bMask)
    {
        RIR::appendTraceParams("; ");
        RIR::appendTraceParams(sMask.c_str());
        RIR_TRACE_LINE();
        Surface mask(sMask.c_str(), false, false);
        applyAlphaMask(&mask);
    }
}

void Surface::loadFromResource(const RIR::SmartPtr<RIR::Resource>& pResource,
                               const char* pszResourceName)
{
    RIR_TRACE("Surface::loadFromResource");
    RIR_ASSERT(pResource && pszResourceName);

    // TGA has no signature, so the name says it; everything else is recognised by its contents.
    RIR::String sReason;
    RIR_TRACE_LINE();
    SDL_Surface* pLoaded =
        decodePicture(static_cast<const uint8_t*>(pResource->getData()),
                      (size_t)pResource->getSize(), isTgaName(pszResourceName), &sReason);
    if (!pLoaded)
    {
        RIR::String sMessage = RIR::String::format("Surface::loadFromResource : Can't load %s [%s]",
                                                   pszResourceName, sReason.c_str());
        RIR_THROW(ResourceException, sMessage.c_str());
    }
    setSurface(pLoaded);

    // Only the marker's existence counts; the key is the colour of the bottom-left pixel.
    const RIR::String sMarker = colorKeyMarkerName(pszResourceName);
    RIR_TRACE_LINE();
    if (getImageEnvironment()->hasResource(sMarker.c_str()) && m_nWidth > 0 && m_nHeight > 0)
        setColorKey(getPixelLocked(0, m_nHeight - 1));
}

void Surface::applyAlphaMask(Surface* pMask)
{
    RIR_TRACE("Surface::applyAlphaMask");
    RIR_ASSERT(pMask);
    if (!hasAlphaChannel())
        convertToAlpha();
    if (pMask == this)
        return; // its alpha is already its alpha

    SDL_Surface* pDst = getSDLSurface();
    SDL_Surface* pSrc = pMask->getSDLSurface();
    // A mask smaller than the picture masks the area it covers; the rest keeps its alpha.
    const int nW = std::min(pDst->w, pSrc->w);
    const int nH = std::min(pDst->h, pSrc->h);
    const int nMaskBytes = bytesPerPixel(pSrc);

    SurfaceLock lockDst(this);
    SurfaceLock lockMask(pMask);
    if (pMask->hasAlphaChannel())
    {
        for (int y = 0; y < nH; ++y)
            for (int x = 0; x < nW; ++x)
            {
                Color c = getPixel(x, y);
                c.a = pMask->getPixel(x, y).a;
                setPixel(x, y, c);
            }
    }
    else if ((nMaskBytes == 3 || nMaskBytes == 4) && bytesPerPixel(pDst) == 4 &&
             SDL_BYTEORDER == SDL_LIL_ENDIAN && pDst->format->Amask == 0xFF000000u)
    {
        // The mask's first byte goes straight into the alpha byte of each 32-bit pixel.
        for (int y = 0; y < nH; ++y)
        {
            const Uint8* pSrcRow = (const Uint8*)pSrc->pixels + (size_t)y * pSrc->pitch;
            Uint8* pDstRow = (Uint8*)pDst->pixels + (size_t)y * pDst->pitch;
            for (int x = 0; x < nW; ++x)
                pDstRow[(size_t)x * 4 + 3] = pSrcRow[(size_t)x * nMaskBytes];
        }
    }
    else
    {
        for (int y = 0; y < nH; ++y)
            for (int x = 0; x < nW; ++x)
            {
                Color c = getPixel(x, y);
                c.a = pMask->getPixel(x, y).r;
                setPixel(x, y, c);
            }
    }
}

// ---- Surface: the pixel store ------------------------------------------------------------------

void Surface::setSurface(SDL_Surface* pSurf)
{
    RIR_TRACE("Surface::setSurface");
    RIR_ASSERT(pSurf);
    if (pSurf != m_pSurface)
    {
        releaseSurface();
        m_pSurface = pSurf;
    }
    copyFormat();
    m_bColorKey = (pSurf->flags & SDL_SRCCOLORKEY) != 0;
    m_nWidth = pSurf->w;
    m_nHeight = pSurf->h;
}

void Surface::releaseSurface()
{
    if (m_pSurface && m_bOwnSurface)
        SDL_FreeSurface(m_pSurface);
    m_pSurface = nullptr;
    freeFormat();
}

void Surface::copyFormat()
{
    RIR_TRACE("Surface::copyFormat");
    freeFormat();
    const SDL_PixelFormat* pSource = m_pSurface->format;
    m_pFormat = new SDL_PixelFormat(*pSource);
    m_pFormat->palette = nullptr;
    if (pSource->palette)
    {
        SDL_Palette* pPalette = new SDL_Palette();
        const int nColors = pSource->palette->colors ? std::max(pSource->palette->ncolors, 0) : 0;
        pPalette->ncolors = nColors;
        pPalette->colors = nColors ? new SDL_Color[nColors] : nullptr;
        if (nColors)
            std::memcpy(pPalette->colors, pSource->palette->colors, sizeof(SDL_Color) * nColors);
        m_pFormat->palette = pPalette;
    }
}

void Surface::freeFormat()
{
    if (!m_pFormat)
        return;
    if (m_pFormat->palette)
    {
        delete[] m_pFormat->palette->colors;
        delete m_pFormat->palette;
    }
    delete m_pFormat;
    m_pFormat = nullptr;
}

SDL_Surface* Surface::getSDLSurface()
{
    if (m_pSurface)
        return m_pSurface;

    RIR_TRACE("Surface::getSDLSurface");
    // Purged: reload the picture and give it back its key and image-wide alpha.
    const bool bColorKey = m_bColorKey;
    const Color key = getColorKey();
    const int nAlpha = getAlpha();
    RIR_ASSERT(m_bOwnSurface && m_sResourcePrefix != "");
    const RIR::String sName = m_sResourcePrefix;
    loadFromFiles(sName.c_str(), m_bConvert, m_bAlphaMask);
    setAlpha(nAlpha);
    if (bColorKey)
        setColorKey(key);
    return m_pSurface;
}

void Surface::purgePixels()
{
    RIR_TRACE("Surface::purgePixels");
    // Only pixels that the resource gives back unchanged may go.
    if (m_bModified || m_sResourcePrefix.length() == 0 || !m_pSurface || !m_bOwnSurface)
        return;
    SDL_FreeSurface(m_pSurface);
    m_pSurface = nullptr;
}

// ---- Surface: format questions -----------------------------------------------------------------

bool Surface::hasAlphaChannel() const
{
    return m_pFormat && m_pFormat->Amask != 0;
}

bool Surface::hasPalette() const
{
    return m_pFormat && m_pFormat->palette != nullptr;
}

Color Surface::getColorKey() const
{
    if (!m_pFormat)
        return Color(0, 0, 0, 255);
    Color key = unmapPixelValue(m_pFormat, m_pFormat->colorkey);
    key.a = 255;
    return key;
}

int Surface::getAlpha() const
{
    if (!m_pFormat || hasAlphaChannel())
        return 255;
    return m_pFormat->alpha;
}

// ---- Surface: changes --------------------------------------------------------------------------

void Surface::setColorKey(const Color& key)
{
    RIR_TRACE("Surface::setColorKey");
    RIR_ASSERT(m_pFormat);
    m_bColorKey = true;
    const Uint32 nKey = SDL_MapRGB(m_pFormat, key.r, key.g, key.b);
    m_pFormat->colorkey = nKey;
    if (m_pSurface)
    {
        SDL_SetColorKey(m_pSurface, SDL_SRCCOLORKEY, nKey);
        copyFormat();
    }
}

void Surface::setAlpha(int nAlpha)
{
    RIR_TRACE("Surface::setAlpha");
    RIR_ASSERT(m_pFormat);
    const Uint8 nValue = (Uint8)std::clamp(nAlpha, 0, 255);
    m_pFormat->alpha = nValue;
    if (m_pSurface)
    {
        SDL_SetAlpha(m_pSurface, SDL_SRCALPHA, nValue);
        copyFormat();
    }
}

void Surface::setScale(float fScale)
{
    RIR_TRACE("Surface::setScale");
    m_fScale = fScale;
    markChanged();
}

void Surface::markChanged()
{
    RIR_TRACE("Surface::markChanged");
    m_bModified = true;
    if (m_pDriverData)
        m_pDriverData->setChangeStamp(getDriverChangeStamp());
}

// ---- Surface: conversions ----------------------------------------------------------------------

void Surface::convertToAlpha()
{
    RIR_TRACE("Surface::convertToAlpha");
    SDL_Surface* pSurf = convertToAlphaFormat(getSDLSurface());
    RIR_ASSERT(pSurf);
    setSurface(pSurf);
}

void Surface::convertToOpaque()
{
    RIR_TRACE("Surface::convertToOpaque");
    SDL_Surface* pSurf = convertToOpaqueFormat(getSDLSurface());
    RIR_ASSERT(pSurf);
    setSurface(pSurf);
}

RIR::SmartPtr<Surface> Surface::displayFormat()
{
    RIR_TRACE("Surface::displayFormat");
    SDL_Surface* pSrc = getSDLSurface();
    SDL_Surface* pConverted = (hasAlphaChannel() || m_bColorKey) ? convertToAlphaFormat(pSrc)
                                                                 : convertToOpaqueFormat(pSrc);
    if (!pConverted)
        RIR_THROW(FatalErrorException, "Surface::displayFormat() failed");
    RIR::SmartPtr<Surface> pSurface = new Surface(pConverted);
    if (m_bColorKey)
        pSurface->setColorKey(getColorKey());
    pSurface->setAlpha(getAlpha());
    pSurface->setScale(m_fScale);
    return pSurface;
}

// ---- Surface: pixel access ---------------------------------------------------------------------

void Surface::lock()
{
    RIR_TRACE("Surface::lock");
    SDL_LockSurface(getSDLSurface());
}

void Surface::unlock()
{
    RIR_TRACE("Surface::unlock");
    if (m_pSurface)
        SDL_UnlockSurface(m_pSurface);
}

void Surface::lockRect(const Rect& rect, void** ppData, int* pnPitch)
{
    RIR_TRACE("Surface::lockRect");
    RIR_ASSERT(ppData && pnPitch);
    lock();
    SDL_Surface* pSurf = m_pSurface;
    Uint8* pData = (Uint8*)pSurf->pixels;
    if (!rect.isEmpty())
    {
        if (rect.left < 0 || rect.top < 0 || rect.right > pSurf->w || rect.bottom > pSurf->h ||
            rect.left > rect.right || rect.top > rect.bottom)
        {
            unlock();
            RIR::String sMessage =
                RIR::String::format("Surface::lockRect : %s outside the %dx%d surface",
                                    rect.toString().c_str(), pSurf->w, pSurf->h);
            RIR_THROW(BadParmException, sMessage.c_str());
        }
        pData += (size_t)pSurf->pitch * rect.top + (size_t)bytesPerPixel(pSurf) * rect.left;
    }
    *ppData = pData;
    *pnPitch = pSurf->pitch;
}

void Surface::unlockRect()
{
    RIR_TRACE("Surface::unlockRect");
    unlock();
}

Color Surface::getPixel(int x, int y)
{
    SDL_Surface* pSurf = getSDLSurface();
    if (x < 0 || y < 0 || x >= pSurf->w || y >= pSurf->h)
    {
        RIR_TRACE("Surface::getPixel");
        RIR::String sMessage = RIR::String::format("Surface::getPixel : (%d, %d) outside %dx%d", x,
                                                   y, pSurf->w, pSurf->h);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    const int nBytes = bytesPerPixel(pSurf);
    if (nBytes < 1 || nBytes > 4)
    {
        RIR_TRACE("Surface::getPixel");
        RIR::String sMessage =
            RIR::String::format("Surface::getPixel : Unknown surface bpp %d", nBytes);
        RIR_THROW(BadStateException, sMessage.c_str());
    }
    const uint8_t* p =
        (const uint8_t*)pSurf->pixels + (size_t)pSurf->pitch * y + (size_t)nBytes * x;
    return unmapPixelValue(pSurf->format, readPixelValue(p, nBytes));
}

void Surface::setPixel(int x, int y, const Color& color)
{
    SDL_Surface* pSurf = getSDLSurface();
    if (x < 0 || y < 0 || x >= pSurf->w || y >= pSurf->h)
    {
        RIR_TRACE("Surface::setPixel");
        RIR::String sMessage = RIR::String::format("Surface::setPixel : (%d, %d) outside %dx%d", x,
                                                   y, pSurf->w, pSurf->h);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    const int nBytes = bytesPerPixel(pSurf);
    uint8_t* p = (uint8_t*)pSurf->pixels + (size_t)pSurf->pitch * y + (size_t)nBytes * x;
    writePixelValue(p, nBytes, SDL_MapRGBA(pSurf->format, color.r, color.g, color.b, color.a));
}

Color Surface::getPixelLocked(int x, int y)
{
    RIR_TRACE("Surface::getPixelLocked");
    SurfaceLock lock(this);
    return getPixel(x, y);
}

void Surface::setPixelLocked(int x, int y, const Color& color)
{
    RIR_TRACE("Surface::setPixelLocked");
    SurfaceLock lock(this);
    setPixel(x, y, color);
}
