#include "testkit/testpng.h"

#include "app/pngwriter.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace
{

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Pictures beyond this many pixels are refused (test pictures are small).
const int64_t MAX_PIXELS = 1 << 24;

uint32_t getBigEndian32(const uint8_t* p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

int channelsOfColourType(int nType)
{
    switch (nType)
    {
    case 0:
        return 1;
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 0;
    }
}

uint8_t paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return (uint8_t)a;
    if (pb <= pc)
        return (uint8_t)b;
    return (uint8_t)c;
}

bool fail(RIR::String* psError, const char* pszReason)
{
    if (psError)
        *psError = pszReason;
    return false;
}

} // namespace

std::vector<uint8_t> encodeTestPng(int nWidth, int nHeight, int nChannels, const uint8_t* pData)
{
    RIR_TRACE("encodeTestPng");
    return encodePng(nWidth, nHeight, nChannels, pData);
}

bool decodeTestPng(const uint8_t* pData, size_t nSize, DecodedPng* pResult, RIR::String* psError)
{
    RIR_TRACE("decodeTestPng");
    RIR_ASSERT(pResult);
    if (!pData || nSize < 8 || std::memcmp(pData, PNG_SIGNATURE, 8) != 0)
        return fail(psError, "not a PNG picture");

    int64_t nWidth = 0;
    int64_t nHeight = 0;
    int nColourType = -1;
    bool bHeader = false;
    bool bEnd = false;
    std::vector<uint8_t> abPacked;
    size_t nAt = 8;
    while (!bEnd)
    {
        if (nSize - nAt < 12)
            return fail(psError, "truncated chunk");
        const uint32_t nLength = getBigEndian32(pData + nAt);
        const uint8_t* pType = pData + nAt + 4;
        if (nLength > nSize - nAt - 12)
            return fail(psError, "truncated chunk");
        const uint8_t* pChunk = pData + nAt + 8;
        const uint32_t nCrc = getBigEndian32(pChunk + nLength);
        if ((uint32_t)crc32(0L, pType, nLength + 4) != nCrc)
            return fail(psError, "bad chunk checksum");

        if (std::memcmp(pType, "IHDR", 4) == 0)
        {
            if (nLength != 13 || bHeader)
                return fail(psError, "bad header");
            nWidth = getBigEndian32(pChunk);
            nHeight = getBigEndian32(pChunk + 4);
            const int nDepth = pChunk[8];
            nColourType = pChunk[9];
            if (nDepth != 8 || channelsOfColourType(nColourType) == 0 || pChunk[10] != 0 ||
                pChunk[11] != 0 || pChunk[12] != 0)
                return fail(psError, "unsupported PNG layout");
            if (nWidth <= 0 || nHeight <= 0 || nWidth * nHeight > MAX_PIXELS)
                return fail(psError, "unsupported picture size");
            bHeader = true;
        }
        else if (std::memcmp(pType, "IDAT", 4) == 0)
        {
            if (!bHeader)
                return fail(psError, "data before header");
            abPacked.insert(abPacked.end(), pChunk, pChunk + nLength);
        }
        else if (std::memcmp(pType, "IEND", 4) == 0)
            bEnd = true;
        else if (std::memcmp(pType, "PLTE", 4) == 0)
            return fail(psError, "unsupported PNG layout");
        nAt += 12 + (size_t)nLength;
    }
    if (!bHeader)
        return fail(psError, "no header");

    const int nChannels = channelsOfColourType(nColourType);
    const size_t nRowBytes = (size_t)nWidth * nChannels;
    std::vector<uint8_t> abRaw((nRowBytes + 1) * (size_t)nHeight);
    uLongf nRawSize = (uLongf)abRaw.size();
    if (uncompress(abRaw.data(), &nRawSize, abPacked.data(), (uLong)abPacked.size()) != Z_OK ||
        nRawSize != abRaw.size())
        return fail(psError, "bad picture data");

    // Undo the row filters in place; a row's filter byte is followed by its filtered bytes.
    std::vector<uint8_t> abPixels(nRowBytes * (size_t)nHeight);
    for (int64_t y = 0; y < nHeight; ++y)
    {
        const uint8_t nFilter = abRaw[(size_t)y * (nRowBytes + 1)];
        const uint8_t* pIn = &abRaw[(size_t)y * (nRowBytes + 1) + 1];
        uint8_t* pOut = &abPixels[(size_t)y * nRowBytes];
        const uint8_t* pUp = y > 0 ? pOut - nRowBytes : nullptr;
        for (size_t i = 0; i < nRowBytes; ++i)
        {
            const int a = i >= (size_t)nChannels ? pOut[i - nChannels] : 0;
            const int b = pUp ? pUp[i] : 0;
            const int c = (pUp && i >= (size_t)nChannels) ? pUp[i - nChannels] : 0;
            switch (nFilter)
            {
            case 0:
                pOut[i] = pIn[i];
                break;
            case 1:
                pOut[i] = (uint8_t)(pIn[i] + a);
                break;
            case 2:
                pOut[i] = (uint8_t)(pIn[i] + b);
                break;
            case 3:
                pOut[i] = (uint8_t)(pIn[i] + ((a + b) >> 1));
                break;
            case 4:
                pOut[i] = (uint8_t)(pIn[i] + paeth(a, b, c));
                break;
            default:
                return fail(psError, "bad row filter");
            }
        }
    }

    pResult->m_nWidth = (int32_t)nWidth;
    pResult->m_nHeight = (int32_t)nHeight;
    pResult->m_bAlpha = nColourType == 4 || nColourType == 6;
    pResult->m_abRGBA.assign((size_t)(nWidth * nHeight) * 4, 0);
    for (size_t n = 0; n < (size_t)(nWidth * nHeight); ++n)
    {
        const uint8_t* p = &abPixels[n * nChannels];
        uint8_t* q = &pResult->m_abRGBA[n * 4];
        switch (nChannels)
        {
        case 1:
            q[0] = q[1] = q[2] = p[0];
            q[3] = 255;
            break;
        case 2:
            q[0] = q[1] = q[2] = p[0];
            q[3] = p[1];
            break;
        case 3:
            q[0] = p[0];
            q[1] = p[1];
            q[2] = p[2];
            q[3] = 255;
            break;
        default:
            std::memcpy(q, p, 4);
            break;
        }
    }
    return true;
}
