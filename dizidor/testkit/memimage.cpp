#include "testkit/memimage.h"

#include "gfx/imagearith.h"
#include "gfx/imageenv.h"
#include "gfx/imagelock.h"
#include "gfx/pixelblend.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/resource.h"
#include "testkit/testpng.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{

// Stores beyond this many pixels are refused: a size from bad data must not exhaust memory.
const int64_t MAX_STORE_PIXELS = (int64_t)1 << 26;

// The formats pictures decode to: 32-bit with alpha, 24-bit without, red in the lowest byte.
const PixelFormat DECODED_ALPHA_FORMAT(32, 0xFF000000u, 0x000000FFu, 0x0000FF00u, 0x00FF0000u);
const PixelFormat DECODED_OPAQUE_FORMAT(24, 0, 0x000000FFu, 0x0000FF00u, 0x00FF0000u);

int lowestBit(uint32_t nMask)
{
    int n = 0;
    while (!(nMask & 1u))
    {
        nMask >>= 1;
        ++n;
    }
    return n;
}

int bitCount(uint32_t nMask)
{
    int n = 0;
    for (; nMask; nMask &= nMask - 1)
        ++n;
    return n;
}

// An 8-bit channel from the masked bits; -1 for a channel the format lacks.
template <class Channel> int channelFromBits(uint32_t nValue, const Channel& c)
{
    if (!c.nMask)
        return -1;
    const uint32_t n = (nValue & c.nMask) >> c.nShift;
    if (c.nBits >= 8)
        return (int)(n >> (c.nBits - 8));
    return (int)(n * 255u / c.nMax);
}

template <class Channel> uint32_t bitsFromChannel(uint8_t nChannel, const Channel& c)
{
    if (!c.nMask)
        return 0;
    const uint32_t n = c.nBits >= 8 ? (uint32_t)nChannel << (c.nBits - 8)
                                    : ((uint32_t)nChannel * c.nMax + 127u) / 255u;
    return (n << c.nShift) & c.nMask;
}

// The stored bits of the pixel at p, little-endian as getRaw reads them.
inline uint32_t loadRaw(const uint8_t* p, int nBytes)
{
    uint32_t nValue = 0;
    for (int i = 0; i < nBytes; ++i)
        nValue |= (uint32_t)p[i] << (8 * i);
    return nValue;
}

inline void storeRaw(uint8_t* p, int nBytes, uint32_t nValue)
{
    for (int i = 0; i < nBytes; ++i)
        p[i] = (uint8_t)(nValue >> (8 * i));
}

// Whether the two stores keep pixels alike, so that bits copied verbatim read back the same.
bool sameVerbatimFormat(const MemPixelStore& a, const MemPixelStore& b)
{
    const PixelFormat& fa = a.getFormat();
    const PixelFormat& fb = b.getFormat();
    return a.isVerbatimCopyExact() && fa.m_nBitsPerPixel == fb.m_nBitsPerPixel &&
           fa.m_nRedMask == fb.m_nRedMask && fa.m_nGreenMask == fb.m_nGreenMask &&
           fa.m_nBlueMask == fb.m_nBlueMask && fa.m_nAlphaMask == fb.m_nAlphaMask;
}

// Where a store keeps red, green, blue and alpha when each is a byte of the pixel and the
// channels fill it (8-bit channels copied verbatim): the byte of each in a pixel, nA -1 without
// alpha. Between such stores a colour moves byte by byte, as unmapColor and mapColor move it.
struct ChannelBytes
{
    int nR = 0;
    int nG = 0;
    int nB = 0;
    int nA = -1;
    int nBytes = 0;

    // False for a store without red, green and blue bytes filling the pixel (with alpha).
    bool init(const MemPixelStore& store)
    {
        const PixelFormat& f = store.getFormat();
        if (!store.isVerbatimCopyExact() || !f.m_nRedMask || !f.m_nGreenMask || !f.m_nBlueMask)
            return false;
        nR = lowestBit(f.m_nRedMask) / 8;
        nG = lowestBit(f.m_nGreenMask) / 8;
        nB = lowestBit(f.m_nBlueMask) / 8;
        nA = f.m_nAlphaMask ? lowestBit(f.m_nAlphaMask) / 8 : -1;
        nBytes = store.getBytesPerPixel();
        return true;
    }
};

// A new store holding the decoded PNG resource. Raises ResourceException when it is no picture.
RIR::SmartPtr<MemPixelStore> decodePicture(const char* pszResourceName)
{
    RIR_TRACE("decodePicture");
    RIR::SmartPtr<RIR::Resource> pResource = getImageEnvironment()->getResource(pszResourceName);
    DecodedPng png;
    RIR::String sError;
    if (!decodeTestPng(pResource->getData(), (size_t)pResource->getSize(), &png, &sError))
    {
        RIR::String sMessage = RIR::String::format("MemImage::loadFromFile : Can't load %s [%s]",
                                                   pszResourceName, sError.c_str());
        RIR_THROW(ResourceException, sMessage.c_str());
    }
    RIR::SmartPtr<MemPixelStore> pStore = new MemPixelStore(
        png.m_nWidth, png.m_nHeight, png.m_bAlpha ? DECODED_ALPHA_FORMAT : DECODED_OPAQUE_FORMAT);
    // The decoded formats keep red, green, blue (and alpha) in that byte order: the decoded
    // bytes are the stored ones, less the alpha byte in the opaque format.
    for (int y = 0; y < png.m_nHeight; ++y)
    {
        const uint8_t* pFrom = &png.m_abRGBA[(size_t)y * png.m_nWidth * 4];
        uint8_t* pTo = pStore->rowAddress(y);
        if (png.m_bAlpha)
            std::memcpy(pTo, pFrom, (size_t)png.m_nWidth * 4);
        else
            for (int x = 0; x < png.m_nWidth; ++x, pFrom += 4, pTo += 3)
            {
                pTo[0] = pFrom[0];
                pTo[1] = pFrom[1];
                pTo[2] = pFrom[2];
            }
    }
    return pStore;
}

} // namespace

// ---- MemPixelStore -----------------------------------------------------------------------------

MemPixelStore::MemPixelStore(int nWidth, int nHeight, const PixelFormat& format)
    : m_pPixels(nullptr), m_bOwnsPixels(true), m_nWidth(nWidth), m_nHeight(nHeight), m_nPitch(0),
      m_nBytesPerPixel(0), m_format(format), m_bVerbatimExact(false), m_bColorKey(false),
      m_nColorKey(0), m_nAlpha(255), m_fScale(1.0f), m_nChangeCount(0)
{
    RIR_TRACE("MemPixelStore::MemPixelStore");
    if (nWidth < 0 || nHeight < 0 || (int64_t)nWidth * nHeight > MAX_STORE_PIXELS)
    {
        RIR::String sMessage =
            RIR::String::format("MemPixelStore : bad size %d x %d", nWidth, nHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    checkFormat();
    m_nPitch = nWidth * m_nBytesPerPixel;
    const size_t nBytes = (size_t)m_nPitch * nHeight;
    m_pPixels = new uint8_t[nBytes ? nBytes : 1]();
}

MemPixelStore::MemPixelStore(void* pPixels, int nWidth, int nHeight, int nPitch,
                             const PixelFormat& format)
    : m_pPixels((uint8_t*)pPixels), m_bOwnsPixels(false), m_nWidth(nWidth), m_nHeight(nHeight),
      m_nPitch(nPitch), m_nBytesPerPixel(0), m_format(format), m_bVerbatimExact(false),
      m_bColorKey(false), m_nColorKey(0), m_nAlpha(255), m_fScale(1.0f), m_nChangeCount(0)
{
    RIR_TRACE("MemPixelStore::MemPixelStore");
    checkFormat();
    if (nWidth < 0 || nHeight < 0 || (int64_t)nWidth * nHeight > MAX_STORE_PIXELS ||
        (int64_t)nPitch < (int64_t)nWidth * m_nBytesPerPixel ||
        (!pPixels && nWidth > 0 && nHeight > 0))
    {
        RIR::String sMessage = RIR::String::format(
            "MemPixelStore : bad pixel memory %d x %d, pitch %d", nWidth, nHeight, nPitch);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
}

MemPixelStore::~MemPixelStore()
{
    if (m_bOwnsPixels)
        delete[] m_pPixels;
}

void MemPixelStore::checkFormat()
{
    RIR_TRACE("MemPixelStore::checkFormat");
    const uint32_t nBits = m_format.m_nBitsPerPixel;
    if (nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
    {
        RIR::String sMessage =
            RIR::String::format("MemPixelStore : unsupported depth %u", (unsigned)nBits);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    m_nBytesPerPixel = (int32_t)(nBits / 8);
    const uint32_t anMasks[4] = {m_format.m_nRedMask, m_format.m_nGreenMask, m_format.m_nBlueMask,
                                 m_format.m_nAlphaMask};
    for (int n = 0; n < 4; ++n)
    {
        ChannelBits& c = m_aChannels[n];
        c.nMask = anMasks[n];
        c.nShift = c.nMask ? lowestBit(c.nMask) : 0;
        c.nMax = c.nMask >> c.nShift;
        c.nBits = bitCount(c.nMax);
    }
    const uint32_t nPixelBits = nBits == 32 ? 0xFFFFFFFFu : ((1u << nBits) - 1u);
    m_bVerbatimExact = (anMasks[0] | anMasks[1] | anMasks[2] | anMasks[3]) == nPixelBits &&
                       (anMasks[0] & anMasks[1]) == 0 && (anMasks[0] & anMasks[2]) == 0 &&
                       (anMasks[0] & anMasks[3]) == 0 && (anMasks[1] & anMasks[2]) == 0 &&
                       (anMasks[1] & anMasks[3]) == 0 && (anMasks[2] & anMasks[3]) == 0;
    for (int n = 0; n < 4; ++n)
        m_bVerbatimExact =
            m_bVerbatimExact && (m_aChannels[n].nMask == 0 || m_aChannels[n].nMax == 0xFFu);
}

uint8_t* MemPixelStore::rowAddress(int y) const
{
    if (y < 0 || y >= m_nHeight)
    {
        RIR::String sMessage =
            RIR::String::format("MemPixelStore : row %d outside %d rows", y, m_nHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    return m_pPixels + (size_t)y * m_nPitch;
}

uint8_t* MemPixelStore::address(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
    {
        RIR::String sMessage = RIR::String::format("MemPixelStore : pixel (%d, %d) outside %d x %d",
                                                   x, y, m_nWidth, m_nHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    return m_pPixels + (size_t)y * m_nPitch + (size_t)x * m_nBytesPerPixel;
}

uint32_t MemPixelStore::getRaw(int x, int y) const
{
    const uint8_t* p = address(x, y);
    uint32_t nValue = 0;
    for (int i = 0; i < m_nBytesPerPixel; ++i)
        nValue |= (uint32_t)p[i] << (8 * i);
    return nValue;
}

void MemPixelStore::setRaw(int x, int y, uint32_t nValue)
{
    uint8_t* p = address(x, y);
    for (int i = 0; i < m_nBytesPerPixel; ++i)
        p[i] = (uint8_t)(nValue >> (8 * i));
}

uint32_t MemPixelStore::mapColor(const Color& color) const
{
    return bitsFromChannel(color.r, m_aChannels[0]) | bitsFromChannel(color.g, m_aChannels[1]) |
           bitsFromChannel(color.b, m_aChannels[2]) | bitsFromChannel(color.a, m_aChannels[3]);
}

Color MemPixelStore::unmapColor(uint32_t nValue) const
{
    const int nR = channelFromBits(nValue, m_aChannels[0]);
    const int nG = channelFromBits(nValue, m_aChannels[1]);
    const int nB = channelFromBits(nValue, m_aChannels[2]);
    const int nA = channelFromBits(nValue, m_aChannels[3]);
    return Color(nR < 0 ? 0 : nR, nG < 0 ? 0 : nG, nB < 0 ? 0 : nB, nA < 0 ? 255 : nA);
}

Color MemPixelStore::getPixel(int x, int y) const
{
    return unmapColor(getRaw(x, y));
}

void MemPixelStore::setPixel(int x, int y, const Color& color)
{
    setRaw(x, y, mapColor(color));
}

void MemPixelStore::setColorKey(const Color& key)
{
    m_bColorKey = true;
    m_nColorKey = mapColor(Color(key.r, key.g, key.b, 255));
}

Color MemPixelStore::getColorKey() const
{
    Color key = unmapColor(m_nColorKey);
    key.a = 255;
    return key;
}

int MemPixelStore::getAlpha() const
{
    return hasAlphaChannel() ? 255 : m_nAlpha;
}

// ---- MemImage ----------------------------------------------------------------------------------

MemImage::MemImage(const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat)
    : m_opaqueFormat(opaqueFormat), m_alphaFormat(alphaFormat), m_nLockDepth(0),
      m_nGeometryChanges(0)
{
}

MemImage::~MemImage() {}

void MemImage::setStore(const RIR::SmartPtr<MemPixelStore>& pStore)
{
    RIR_TRACE("MemImage::setStore");
    m_pStore = pStore;
    m_nSurfaceX = 0;
    m_nSurfaceY = 0;
    m_nPhysWidth = pStore ? pStore->getWidth() : 0;
    m_nPhysHeight = pStore ? pStore->getHeight() : 0;
    setVirtualCanvas(0, 0, m_nPhysWidth, m_nPhysHeight);
}

void MemImage::setScale(float fScale)
{
    RIR_TRACE("MemImage::setScale");
    if (m_pStore)
        m_pStore->setScale(fScale);
}

float MemImage::getScale() const
{
    return m_pStore ? m_pStore->getScale() : 1.0f;
}

namespace
{

// The source rectangle read out first, so that drawing an image into itself reads the old pixels.
std::vector<Color> readRect(Image* pSrc, int sx, int sy, int w, int h)
{
    RIR_TRACE("readRect");
    std::vector<Color> aPixels((size_t)w * h);
    ImageLock lock(pSrc);
    MemImage* pMem = dynamic_cast<MemImage*>(pSrc);
    RIR::SmartPtr<MemPixelStore> pStore = pMem ? pMem->getStore() : RIR::SmartPtr<MemPixelStore>();
    if (pStore && w > 0 && h > 0)
    {
        // The stored pixels straight from their rows (the clipped rectangle lies inside them).
        int nSurfaceX = 0;
        int nSurfaceY = 0;
        pMem->getSurfaceOffset(&nSurfaceX, &nSurfaceY);
        const int nBytes = pStore->getBytesPerPixel();
        // The corners as getPixel checks them: locked, inside the stored area and the store.
        pSrc->getPixel(sx, sy);
        pSrc->getPixel(sx + w - 1, sy + h - 1);
        Color* pTo = aPixels.data();
        for (int j = 0; j < h; ++j)
        {
            const uint8_t* p =
                pStore->rowAddress(nSurfaceY + sy + j) + (size_t)(nSurfaceX + sx) * nBytes;
            for (int i = 0; i < w; ++i, p += nBytes)
                *pTo++ = pStore->unmapColor(loadRaw(p, nBytes));
        }
        return aPixels;
    }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            aPixels[(size_t)j * w + i] = pSrc->getPixel(sx + i, sy + j);
    return aPixels;
}

uint8_t mix(int nSrc, int nDst, int nAlpha)
{
    return (uint8_t)((nSrc * nAlpha + nDst * (255 - nAlpha) + 127) / 255);
}

} // namespace

void MemImage::blendRect(Image* pSrc, const Rect& srcRect, int x, int y)
{
    RIR_TRACE("MemImage::blendRect");
    RIR_ASSERT(pSrc);
    int sx, sy, w, h, dx, dy;
    if (!clipBlitAt(pSrc, srcRect, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;

    const bool bSrcAlpha = pSrc->hasAlpha();
    const bool bKey = pSrc->hasColorKey();
    const Color key = bKey ? pSrc->getColorKey() : Color();
    const int nSurfaceAlpha = pSrc->getAlpha();
    MemImage* pMem = dynamic_cast<MemImage*>(pSrc);
    ChannelBytes from;
    ChannelBytes to;
    if (pMem && pMem->m_pStore && m_pStore && pMem->m_pStore != m_pStore &&
        from.init(*pMem->m_pStore) && to.init(*m_pStore))
    {
        // Another store, both with a byte per channel: the same blend, byte by byte.
        ImageLock srcLock(pSrc);
        ImageLock lock(this);
        // The corners as getPixel checks them: locked, inside the stored area and the store.
        pMem->checkRect(sx, sy, w, h, "getPixel");
        checkRect(dx, dy, w, h, "getPixel");
        const bool bDstAlpha = to.nA >= 0;
        // The corners are checked: the rows between lie in both stores.
        const uint8_t* pFromRow = pMem->pixelAddress(sx, sy);
        uint8_t* pToRow = pixelAddress(dx, dy);
        const size_t nFromPitch = (size_t)pMem->m_pStore->getPitch();
        const size_t nToPitch = (size_t)m_pStore->getPitch();
        for (int j = 0; j < h; ++j, pFromRow += nFromPitch, pToRow += nToPitch)
        {
            const uint8_t* pFrom = pFromRow;
            uint8_t* pTo = pToRow;
            for (int i = 0; i < w; ++i, pFrom += from.nBytes, pTo += to.nBytes)
            {
                const uint8_t nR = pFrom[from.nR];
                const uint8_t nG = pFrom[from.nG];
                const uint8_t nB = pFrom[from.nB];
                if (bKey && nR == key.r && nG == key.g && nB == key.b)
                    continue;
                if (bSrcAlpha)
                {
                    // Blended by the source's alpha; the destination keeps its own alpha.
                    const uint8_t nBy = pFrom[from.nA];
                    pTo[to.nR] = mix(nR, pTo[to.nR], nBy);
                    pTo[to.nG] = mix(nG, pTo[to.nG], nBy);
                    pTo[to.nB] = mix(nB, pTo[to.nB], nBy);
                }
                else
                {
                    // By the image-wide alpha; the pixels drawn become opaque.
                    pTo[to.nR] = mix(nR, pTo[to.nR], nSurfaceAlpha);
                    pTo[to.nG] = mix(nG, pTo[to.nG], nSurfaceAlpha);
                    pTo[to.nB] = mix(nB, pTo[to.nB], nSurfaceAlpha);
                    if (bDstAlpha)
                        pTo[to.nA] = 255;
                }
            }
        }
        notifyChanged();
        return;
    }

    const std::vector<Color> aSrc = readRect(pSrc, sx, sy, w, h);
    {
        ImageLock lock(this);
        checkRect(dx, dy, w, h, "getPixel");
        MemPixelStore& store = *m_pStore;
        const int nBytes = store.getBytesPerPixel();
        for (int j = 0; j < h; ++j)
        {
            uint8_t* p =
                store.rowAddress(m_nSurfaceY + dy + j) + (size_t)(m_nSurfaceX + dx) * nBytes;
            for (int i = 0; i < w; ++i, p += nBytes)
            {
                const Color& s = aSrc[(size_t)j * w + i];
                if (bKey && Color(s.r, s.g, s.b, 255) == key)
                    continue;
                Color d = store.unmapColor(loadRaw(p, nBytes));
                if (bSrcAlpha)
                {
                    // Blended by the source's alpha; the destination keeps its own alpha.
                    d = Color(mix(s.r, d.r, s.a), mix(s.g, d.g, s.a), mix(s.b, d.b, s.a), d.a);
                }
                else
                {
                    // By the image-wide alpha; the pixels drawn become opaque.
                    d = Color(mix(s.r, d.r, nSurfaceAlpha), mix(s.g, d.g, nSurfaceAlpha),
                              mix(s.b, d.b, nSurfaceAlpha), 255);
                }
                storeRaw(p, nBytes, store.mapColor(d));
            }
        }
    }
    notifyChanged();
}

void MemImage::copyRect(Image* pSrc, const Rect& srcRect, int x, int y)
{
    RIR_TRACE("MemImage::copyRect");
    RIR_ASSERT(pSrc);
    int sx, sy, w, h, dx, dy;
    if (!clipBlitAt(pSrc, srcRect, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;

    MemImage* pMem = dynamic_cast<MemImage*>(pSrc);
    if (pMem && pMem->m_pStore && m_pStore && pMem->m_pStore != m_pStore &&
        !sameVerbatimFormat(*pMem->m_pStore, *m_pStore))
    {
        // Another store in another format: each pixel converted on its way.
        ImageLock srcLock(pSrc);
        ImageLock lock(this);
        // The corners as getPixel checks them: locked, inside the stored area and the store.
        pMem->checkRect(sx, sy, w, h, "getPixel");
        checkRect(dx, dy, w, h, "setPixel");
        const MemPixelStore& from = *pMem->m_pStore;
        MemPixelStore& to = *m_pStore;
        const int nFromBytes = from.getBytesPerPixel();
        const int nToBytes = to.getBytesPerPixel();
        // Both with red, green and blue bytes: the bytes moved, alpha 255 where the source has
        // none.
        ChannelBytes fromBytes;
        ChannelBytes toBytes;
        const bool bBytes = fromBytes.init(from) && toBytes.init(to);
        const bool bToAlpha = toBytes.nA >= 0;
        const bool bFromAlpha = fromBytes.nA >= 0;
        const uint8_t* pFromRow = pMem->pixelAddress(sx, sy);
        uint8_t* pToRow = pixelAddress(dx, dy);
        for (int j = 0; j < h; ++j, pFromRow += from.getPitch(), pToRow += to.getPitch())
        {
            const uint8_t* pFrom = pFromRow;
            uint8_t* pTo = pToRow;
            if (bBytes)
                for (int i = 0; i < w; ++i, pFrom += nFromBytes, pTo += nToBytes)
                {
                    pTo[toBytes.nR] = pFrom[fromBytes.nR];
                    pTo[toBytes.nG] = pFrom[fromBytes.nG];
                    pTo[toBytes.nB] = pFrom[fromBytes.nB];
                    if (bToAlpha)
                        pTo[toBytes.nA] = bFromAlpha ? pFrom[fromBytes.nA] : (uint8_t)255;
                }
            else
                for (int i = 0; i < w; ++i, pFrom += nFromBytes, pTo += nToBytes)
                    storeRaw(pTo, nToBytes,
                             to.mapColor(from.unmapColor(loadRaw(pFrom, nFromBytes))));
        }
    }
    else if (pMem && pMem->m_pStore && m_pStore && sameVerbatimFormat(*pMem->m_pStore, *m_pStore))
    {
        // The stored bits row by row, through a copy of the source rows when both share a store.
        ImageLock srcLock(pSrc);
        ImageLock lock(this);
        // The corners as getPixel checks them: locked, inside the stored area and the store.
        pMem->checkRect(sx, sy, w, h, "getPixel");
        checkRect(dx, dy, w, h, "setPixel");
        const int nBytes = m_pStore->getBytesPerPixel();
        const size_t nRowBytes = (size_t)w * nBytes;
        const size_t nFromPitch = (size_t)pMem->m_pStore->getPitch();
        const size_t nToPitch = (size_t)m_pStore->getPitch();
        const uint8_t* pFromRow = pMem->pixelAddress(sx, sy);
        uint8_t* pToRow = pixelAddress(dx, dy);
        std::vector<uint8_t> abRows;
        if (pMem->m_pStore == m_pStore)
        {
            abRows.resize(nRowBytes * h);
            for (int j = 0; j < h; ++j)
                std::memcpy(&abRows[nRowBytes * j], pFromRow + nFromPitch * j, nRowBytes);
            pFromRow = abRows.data();
        }
        const size_t nFromStep = abRows.empty() ? nFromPitch : nRowBytes;
        for (int j = 0; j < h; ++j, pFromRow += nFromStep, pToRow += nToPitch)
            std::memcpy(pToRow, pFromRow, nRowBytes);
    }
    else
    {
        const std::vector<Color> aSrc = readRect(pSrc, sx, sy, w, h);
        ImageLock lock(this);
        checkRect(dx, dy, w, h, "setPixel");
        MemPixelStore& store = *m_pStore;
        const int nBytes = store.getBytesPerPixel();
        for (int j = 0; j < h; ++j)
        {
            uint8_t* p =
                store.rowAddress(m_nSurfaceY + dy + j) + (size_t)(m_nSurfaceX + dx) * nBytes;
            for (int i = 0; i < w; ++i, p += nBytes)
                storeRaw(p, nBytes, store.mapColor(aSrc[(size_t)j * w + i]));
        }
    }
    notifyChanged();
}

void MemImage::composeRect(Image* pSrc, int sx, int sy, int w, int h, int x, int y)
{
    RIR_TRACE("MemImage::composeRect");
    RIR_ASSERT(pSrc);
    int dx = 0;
    int dy = 0;
    if (!clipBlitAt(pSrc, x, y, &sx, &sy, &w, &h, &dx, &dy))
        return;

    const std::vector<Color> aSrc = readRect(pSrc, sx, sy, w, h);
    {
        ImageLock lock(this);
        checkRect(dx, dy, w, h, "getPixel");
        MemPixelStore& store = *m_pStore;
        const int nBytes = store.getBytesPerPixel();
        for (int j = 0; j < h; ++j)
        {
            uint8_t* p =
                store.rowAddress(m_nSurfaceY + dy + j) + (size_t)(m_nSurfaceX + dx) * nBytes;
            for (int i = 0; i < w; ++i, p += nBytes)
            {
                const Color& s = aSrc[(size_t)j * w + i];
                if (s.a == 0)
                    continue;
                storeRaw(p, nBytes,
                         store.mapColor(blendPixel(store.unmapColor(loadRaw(p, nBytes)), s)));
            }
        }
    }
    notifyChanged();
}

void MemImage::fill(const Color& color)
{
    RIR_TRACE("MemImage::fill");
    if (!m_pStore)
        return;
    if (m_nPhysWidth > 0 && m_nPhysHeight > 0)
    {
        // The corners as setPixel checks them, then the colour's bits row by row.
        const uint32_t nValue = m_pStore->mapColor(color);
        m_pStore->setRaw(m_nSurfaceX, m_nSurfaceY, nValue);
        m_pStore->setRaw(m_nSurfaceX + m_nPhysWidth - 1, m_nSurfaceY + m_nPhysHeight - 1, nValue);
        const int nBytes = m_pStore->getBytesPerPixel();
        const size_t nRowBytes = (size_t)m_nPhysWidth * nBytes;
        uint8_t* pFirst = m_pStore->rowAddress(m_nSurfaceY) + (size_t)m_nSurfaceX * nBytes;
        for (int x = 0; x < m_nPhysWidth; ++x)
            storeRaw(pFirst + (size_t)x * nBytes, nBytes, nValue);
        for (int y = 1; y < m_nPhysHeight; ++y)
            std::memcpy(m_pStore->rowAddress(m_nSurfaceY + y) + (size_t)m_nSurfaceX * nBytes,
                        pFirst, nRowBytes);
    }
    m_pStore->markChanged();
}

PixelFormat MemImage::getPixelFormat() const
{
    return m_pStore ? m_pStore->getFormat() : PixelFormat();
}

RIR::SmartPtr<Image> MemImage::convertToFormat(const PixelFormat& format)
{
    RIR_TRACE("MemImage::convertToFormat");
    RIR::SmartPtr<MemImage> pImage = new MemImage(m_opaqueFormat, m_alphaFormat);
    if (m_pStore)
    {
        // The whole store is converted, as the SDL back-end does for a view.
        RIR::SmartPtr<MemPixelStore> pStore =
            new MemPixelStore(m_pStore->getWidth(), m_pStore->getHeight(), format);
        const MemPixelStore& old = *m_pStore;
        const int nOldBytes = old.getBytesPerPixel();
        const int nNewBytes = pStore->getBytesPerPixel();
        const bool bVerbatim = sameVerbatimFormat(old, *pStore);
        for (int y = 0; y < old.getHeight(); ++y)
        {
            const uint8_t* pFrom = old.rowAddress(y);
            uint8_t* pTo = pStore->rowAddress(y);
            if (bVerbatim)
                std::memcpy(pTo, pFrom, (size_t)old.getWidth() * nOldBytes);
            else
                for (int x = 0; x < old.getWidth(); ++x, pFrom += nOldBytes, pTo += nNewBytes)
                    storeRaw(pTo, nNewBytes,
                             pStore->mapColor(old.unmapColor(loadRaw(pFrom, nOldBytes))));
        }
        pImage->setStore(pStore);
    }
    pImage->copyAttributesFrom(this);
    return RIR::SmartPtr<Image>(pImage);
}

bool MemImage::hasAlpha() const
{
    return m_pStore && m_pStore->hasAlphaChannel();
}

bool MemImage::hasColorKey() const
{
    return m_pStore && m_pStore->hasColorKey();
}

void MemImage::setColorKey(const Color& key)
{
    RIR_TRACE("MemImage::setColorKey");
    if (m_pStore)
        m_pStore->setColorKey(key);
}

Color MemImage::getColorKey() const
{
    return m_pStore ? m_pStore->getColorKey() : Color();
}

void MemImage::convertStore(const PixelFormat& format)
{
    RIR_TRACE("MemImage::convertStore");
    if (!m_pStore)
        return;
    const MemPixelStore& old = *m_pStore;
    // Going to an alpha format turns the colour key into transparent pixels; going to an opaque
    // one keeps the key.
    const bool bKeyToAlpha = format.m_nAlphaMask != 0 && old.hasColorKey();
    RIR::SmartPtr<MemPixelStore> pStore =
        new MemPixelStore(old.getWidth(), old.getHeight(), format);
    const Color key = old.getColorKey();
    const int nOldBytes = old.getBytesPerPixel();
    const int nNewBytes = pStore->getBytesPerPixel();
    const bool bVerbatim = !bKeyToAlpha && sameVerbatimFormat(old, *pStore);
    for (int y = 0; y < old.getHeight(); ++y)
    {
        const uint8_t* pFrom = old.rowAddress(y);
        uint8_t* pTo = pStore->rowAddress(y);
        if (bVerbatim)
        {
            std::memcpy(pTo, pFrom, (size_t)old.getWidth() * nOldBytes);
            continue;
        }
        for (int x = 0; x < old.getWidth(); ++x, pFrom += nOldBytes, pTo += nNewBytes)
        {
            Color c = old.unmapColor(loadRaw(pFrom, nOldBytes));
            if (bKeyToAlpha && Color(c.r, c.g, c.b, 255) == key)
                c.a = 0;
            storeRaw(pTo, nNewBytes, pStore->mapColor(c));
        }
    }
    if (old.hasColorKey() && !bKeyToAlpha)
        pStore->setColorKey(key);
    pStore->setAlpha(old.getAlpha());
    pStore->setScale(old.getScale());
    pStore->markChanged();
    m_pStore = pStore;
}

void MemImage::toDisplayFormatAlpha()
{
    RIR_TRACE("MemImage::toDisplayFormatAlpha");
    applyPendingChanges();
    convertStore(m_alphaFormat);
}

void MemImage::toDisplayFormat()
{
    RIR_TRACE("MemImage::toDisplayFormat");
    applyPendingChanges();
    convertStore(m_opaqueFormat);
}

void MemImage::setAlpha(int nAlpha)
{
    RIR_TRACE("MemImage::setAlpha");
    if (m_pStore)
        m_pStore->setAlpha(nAlpha);
}

int MemImage::getAlpha() const
{
    return m_pStore ? m_pStore->getAlpha() : 255;
}

void MemImage::onChanged()
{
    RIR_TRACE("MemImage::onChanged");
    ++m_nGeometryChanges;
}

void MemImage::notifyChanged()
{
    RIR_TRACE("MemImage::notifyChanged");
    if (m_pStore)
        m_pStore->markChanged();
}

void MemImage::checkPixel(int x, int y, const char* pszWhat) const
{
    if (m_nLockDepth <= 0)
    {
        RIR::String sMessage = RIR::String::format("MemImage::%s : image not locked", pszWhat);
        RIR_THROW(BadStateException, sMessage.c_str());
    }
    if (x < 0 || y < 0 || x >= m_nPhysWidth || y >= m_nPhysHeight || !m_pStore)
    {
        RIR::String sMessage =
            RIR::String::format("MemImage::%s : (%d, %d) outside the stored %d x %d pixels",
                                pszWhat, x, y, m_nPhysWidth, m_nPhysHeight);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
}

void MemImage::checkRect(int x, int y, int w, int h, const char* pszWhat) const
{
    checkPixel(x, y, pszWhat);
    checkPixel(x + w - 1, y + h - 1, pszWhat);
    m_pStore->getRaw(m_nSurfaceX + x, m_nSurfaceY + y);
    m_pStore->getRaw(m_nSurfaceX + x + w - 1, m_nSurfaceY + y + h - 1);
}

uint8_t* MemImage::pixelAddress(int x, int y) const
{
    return m_pStore->rowAddress(m_nSurfaceY + y) +
           (size_t)(m_nSurfaceX + x) * m_pStore->getBytesPerPixel();
}

Color MemImage::getPixel(int x, int y) const
{
    checkPixel(x, y, "getPixel");
    return m_pStore->getPixel(m_nSurfaceX + x, m_nSurfaceY + y);
}

void MemImage::setPixel(int x, int y, const Color& color)
{
    checkPixel(x, y, "setPixel");
    m_pStore->setPixel(m_nSurfaceX + x, m_nSurfaceY + y, color);
}

void MemImage::lock()
{
    ++m_nLockDepth;
}

void MemImage::unlock()
{
    if (m_nLockDepth <= 0)
        RIR_THROW(BadStateException, "MemImage::unlock : image not locked");
    --m_nLockDepth;
}

void MemImage::sharePixels(Image* pOther)
{
    RIR_TRACE("MemImage::sharePixels");
    MemImage* pMem = dynamic_cast<MemImage*>(pOther);
    if (!pMem)
        RIR_THROW(BadParmException, "MemImage::sharePixels : the other image is no MemImage");
    m_pStore = pMem->m_pStore;
}

void MemImage::setStoredArea(int x, int y, int w, int h)
{
    RIR_TRACE("MemImage::setStoredArea");
    RIR::SmartPtr<MemPixelStore> pStore =
        new MemPixelStore(w, h, hasAlpha() ? m_alphaFormat : m_opaqueFormat);
    if (m_pStore)
    {
        // The old pixels keep their canvas positions; what falls outside the new area is dropped.
        const int64_t nOffX = (int64_t)m_nCanvasX - x;
        const int64_t nOffY = (int64_t)m_nCanvasY - y;
        for (int j = 0; j < m_nPhysHeight; ++j)
            for (int i = 0; i < m_nPhysWidth; ++i)
            {
                const int64_t nX = nOffX + i;
                const int64_t nY = nOffY + j;
                if (nX >= 0 && nY >= 0 && nX < w && nY < h)
                    pStore->setPixel((int)nX, (int)nY,
                                     m_pStore->getPixel(m_nSurfaceX + i, m_nSurfaceY + j));
            }
    }
    pStore->markChanged();
    const int nWidth = m_nWidth;
    const int nHeight = m_nHeight;
    setStore(pStore);
    setVirtualCanvas(x, y, nWidth, nHeight);
}

void MemImage::loadFromFile(const char* pszName, bool bConvert, bool bAlphaMask)
{
    RIR_TRACE("MemImage::loadFromFile");
    RIR_ASSERT(pszName);
    ImageEnvironment* pEnv = getImageEnvironment();
    static const char* const s_apszPictureExtensions[] = {"", ".jpg", ".png", ".tga", nullptr};
    static const char* const s_apszMaskExtensions[] = {".jpg", ".png", nullptr};

    const RIR::String sResolved = pEnv->resolveResourceName(pszName, s_apszPictureExtensions);
    if (sResolved.length() == 0)
    {
        RIR::String sMessage =
            RIR::String::format("MemImage::loadFromFile : resource %s not found", pszName);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    RIR::String sMask;
    if (bAlphaMask && !std::strstr(pszName, ".alpha"))
        sMask = pEnv->resolveResourceName((RIR::String(pszName) + ".alpha").c_str(),
                                          s_apszMaskExtensions);

    RIR::SmartPtr<MemPixelStore> pStore = decodePicture(sResolved.c_str());

    // "door.png" has the marker "door.colorkey": the name without its last four characters.
    const int nLength = sResolved.length();
    const RIR::String sMarker =
        (nLength > 4 ? RIR::String(sResolved.c_str(), nLength - 4) : RIR::String()) + ".colorkey";
    if (pEnv->hasResource(sMarker.c_str()) && pStore->getWidth() > 0 && pStore->getHeight() > 0)
        pStore->setColorKey(pStore->getPixel(0, pStore->getHeight() - 1));

    m_pStore = pStore;
    if (bConvert && !pStore->hasColorKey())
        convertStore((pStore->hasAlphaChannel() || sMask.length() > 0) ? m_alphaFormat
                                                                       : m_opaqueFormat);

    if (sMask.length() > 0)
    {
        RIR::appendTraceParams("; ");
        RIR::appendTraceParams(sMask.c_str());
        RIR::SmartPtr<MemPixelStore> pMask = decodePicture(sMask.c_str());
        if (!m_pStore->hasAlphaChannel())
            convertStore(m_alphaFormat);
        // A mask smaller than the picture masks what it covers.
        const int nW = std::min(m_pStore->getWidth(), pMask->getWidth());
        const int nH = std::min(m_pStore->getHeight(), pMask->getHeight());
        const bool bMaskAlpha = pMask->hasAlphaChannel();
        for (int y = 0; y < nH; ++y)
            for (int x = 0; x < nW; ++x)
            {
                const Color m = pMask->getPixel(x, y);
                Color c = m_pStore->getPixel(x, y);
                c.a = bMaskAlpha ? m.a : m.r;
                m_pStore->setPixel(x, y, c);
            }
    }
    setStore(m_pStore);
}

void MemImage::makePixelsOwn()
{
    RIR_TRACE("MemImage::makePixelsOwn");
    const PixelFormat format = m_pStore ? m_pStore->getFormat() : m_opaqueFormat;
    RIR::SmartPtr<MemPixelStore> pStore = new MemPixelStore(m_nPhysWidth, m_nPhysHeight, format);
    if (m_pStore)
    {
        if (m_nPhysWidth > 0 && m_nPhysHeight > 0)
        {
            // The stored area must lie in the old store, as getRaw would check pixel by pixel.
            m_pStore->getRaw(m_nSurfaceX, m_nSurfaceY);
            m_pStore->getRaw(m_nSurfaceX + m_nPhysWidth - 1, m_nSurfaceY + m_nPhysHeight - 1);
            const int nBytes = pStore->getBytesPerPixel();
            for (int y = 0; y < m_nPhysHeight; ++y)
                std::memcpy(pStore->rowAddress(y),
                            m_pStore->rowAddress(m_nSurfaceY + y) + (size_t)m_nSurfaceX * nBytes,
                            (size_t)m_nPhysWidth * nBytes);
        }
        pStore->setAlpha(m_pStore->getAlpha());
        if (m_pStore->hasColorKey())
            pStore->setColorKey(m_pStore->getColorKey());
    }
    pStore->markChanged();
    const int nCanvasX = m_nCanvasX;
    const int nCanvasY = m_nCanvasY;
    const int nWidth = m_nWidth;
    const int nHeight = m_nHeight;
    setStore(pStore);
    setVirtualCanvas(nCanvasX, nCanvasY, nWidth, nHeight);
}

void MemImage::applyHorizontalFlip()
{
    RIR_TRACE("MemImage::applyHorizontalFlip");
    if (!m_pStore)
        return;
    for (int y = 0; y < m_nPhysHeight; ++y)
        for (int i = 0; i < m_nPhysWidth / 2; ++i)
        {
            const int nX1 = m_nSurfaceX + i;
            const int nX2 = m_nSurfaceX + m_nPhysWidth - 1 - i;
            const int nY = m_nSurfaceY + y;
            const uint32_t n = m_pStore->getRaw(nX1, nY);
            m_pStore->setRaw(nX1, nY, m_pStore->getRaw(nX2, nY));
            m_pStore->setRaw(nX2, nY, n);
        }
    m_pStore->markChanged();
}

void MemImage::applyVerticalFlip()
{
    RIR_TRACE("MemImage::applyVerticalFlip");
    if (!m_pStore)
        return;
    for (int j = 0; j < m_nPhysHeight / 2; ++j)
        for (int x = 0; x < m_nPhysWidth; ++x)
        {
            const int nX = m_nSurfaceX + x;
            const int nY1 = m_nSurfaceY + j;
            const int nY2 = m_nSurfaceY + m_nPhysHeight - 1 - j;
            const uint32_t n = m_pStore->getRaw(nX, nY1);
            m_pStore->setRaw(nX, nY1, m_pStore->getRaw(nX, nY2));
            m_pStore->setRaw(nX, nY2, n);
        }
    m_pStore->markChanged();
}
