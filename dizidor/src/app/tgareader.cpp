#include "app/tgareader.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstring>

namespace
{

const size_t HEADER_SIZE = 18;
// Image descriptor bits: columns stored right to left, rows stored top-down.
const uint8_t RIGHT_TO_LEFT = 0x10;
const uint8_t TOP_DOWN = 0x20;

unsigned getLittleEndian16(const uint8_t* p)
{
    return (unsigned)p[0] | ((unsigned)p[1] << 8);
}

bool fail(RIR::String* psError, const RIR::String& sReason)
{
    if (psError)
        *psError = sReason;
    return false;
}

// One stored colour of 2, 3 or 4 bytes (b g r a order, 5-5-5 in 16 bits) as r g b a.
void readColour(const uint8_t* p, int nBytes, uint8_t* pRGBA)
{
    if (nBytes == 2)
    {
        const unsigned n = getLittleEndian16(p);
        const unsigned aChannels[3] = {(n >> 10) & 31, (n >> 5) & 31, n & 31};
        for (int i = 0; i < 3; ++i)
            pRGBA[i] = (uint8_t)((aChannels[i] << 3) | (aChannels[i] >> 2));
        pRGBA[3] = 255;
        return;
    }
    pRGBA[0] = p[2];
    pRGBA[1] = p[1];
    pRGBA[2] = p[0];
    pRGBA[3] = nBytes == 4 ? p[3] : 255;
}

} // namespace

bool decodeTga(const uint8_t* pData, size_t nSize, DecodedPicture* pResult, RIR::String* psError)
{
    RIR_TRACE("decodeTga");
    RIR_ASSERT(pResult);
    if (!pData || nSize < HEADER_SIZE)
        return fail(psError, "the TGA header is cut short");
    const size_t nIdLength = pData[0];
    const int nMapType = pData[1];
    const int nType = pData[2];
    const unsigned nMapFirst = getLittleEndian16(pData + 3);
    const unsigned nMapLength = getLittleEndian16(pData + 5);
    const int nMapDepth = pData[7];
    const int nWidth = (int)getLittleEndian16(pData + 12);
    const int nHeight = (int)getLittleEndian16(pData + 14);
    const int nDepth = pData[16];
    const uint8_t nDescriptor = pData[17];

    const int nKind = nType & ~8; // 1 colour-mapped, 2 true colour, 3 grey; +8 run-length
    const bool bRunLength = (nType & 8) != 0;
    if ((nKind != 1 && nKind != 2 && nKind != 3) || (nType & ~11) != 0 || nMapType > 1)
        return fail(psError, RIR::String::format("unsupported TGA type %d", nType));
    if (nWidth == 0 || nHeight == 0)
        return fail(psError, "the TGA picture is empty");
    if ((int64_t)nWidth * nHeight > MAX_TGA_PIXELS)
        return fail(psError, "the TGA picture is too large");

    size_t nAt = HEADER_SIZE + nIdLength;
    // The colour map: present (type 1) for colour-mapped pictures, skipped for the others.
    const int nMapBytes = (nMapDepth + 7) / 8;
    const uint8_t* pMap = nullptr;
    if (nMapType == 1)
    {
        if (nMapDepth != 15 && nMapDepth != 16 && nMapDepth != 24 && nMapDepth != 32)
            return fail(psError,
                        RIR::String::format("unsupported TGA colour map depth %d", nMapDepth));
        pMap = pData + nAt;
        nAt += (size_t)nMapLength * (size_t)nMapBytes;
    }
    if (nAt > nSize)
        return fail(psError, "the TGA data ends early");

    int nPixelBytes = 0;
    int nOutBytes = 0;
    if (nKind == 1 && nMapType == 1 && nDepth == 8)
    {
        nPixelBytes = 1;
        nOutBytes = nMapDepth == 32 ? 4 : 3;
    }
    else if (nKind == 2 && (nDepth == 15 || nDepth == 16 || nDepth == 24 || nDepth == 32))
    {
        nPixelBytes = (nDepth + 7) / 8;
        nOutBytes = nDepth == 32 ? 4 : 3;
    }
    else if (nKind == 3 && nDepth == 8)
    {
        nPixelBytes = 1;
        nOutBytes = 1;
    }
    else
        return fail(psError,
                    RIR::String::format("unsupported TGA layout: type %d, %d bits", nType, nDepth));

    // Data too short for the pixels it announces is refused before room is made for them: a
    // stored pixel takes nPixelBytes, a run-length packet (a count byte and at least one pixel)
    // stands for at most 128 pixels.
    const size_t nPixels = (size_t)nWidth * (size_t)nHeight;
    const size_t nLeast = bRunLength ? (nPixels + 127) / 128 * (1 + (size_t)nPixelBytes)
                                     : nPixels * (size_t)nPixelBytes;
    if (nSize - nAt < nLeast)
        return fail(psError, "the TGA data ends early");

    pResult->m_nWidth = nWidth;
    pResult->m_nHeight = nHeight;
    pResult->m_nBytesPerPixel = nOutBytes;
    pResult->m_bColorKey = false;
    pResult->m_nKeyIndex = -1;
    pResult->m_abPalette.clear();
    if (nOutBytes == 1)
        for (int i = 0; i < 256; ++i)
            pResult->m_abPalette.insert(pResult->m_abPalette.end(), 3, (uint8_t)i);
    pResult->m_abPixels.assign(nPixels * (size_t)nOutBytes, 0);

    const bool bTopDown = (nDescriptor & TOP_DOWN) != 0;
    const bool bRightToLeft = (nDescriptor & RIGHT_TO_LEFT) != 0;
    size_t nPixel = 0;
    while (nPixel < nPixels)
    {
        // A run-length packet: one stored pixel repeated, or a number of stored pixels.
        size_t nCount = nPixels - nPixel;
        bool bRepeat = false;
        if (bRunLength)
        {
            if (nAt >= nSize)
                return fail(psError, "the TGA data ends early");
            const uint8_t nPacket = pData[nAt++];
            nCount = (size_t)(nPacket & 0x7F) + 1;
            bRepeat = (nPacket & 0x80) != 0;
            if (nCount > nPixels - nPixel)
                return fail(psError, "a TGA run goes past the last pixel");
        }
        const size_t nStored = bRepeat ? 1 : nCount;
        if ((nSize - nAt) / (size_t)nPixelBytes < nStored)
            return fail(psError, "the TGA data ends early");
        for (size_t i = 0; i < nCount; ++i, ++nPixel)
        {
            const uint8_t* pIn = pData + nAt + (bRepeat ? 0 : i * (size_t)nPixelBytes);
            const size_t nRow = nPixel / (size_t)nWidth;
            const size_t nColumn = nPixel % (size_t)nWidth;
            const size_t y = bTopDown ? nRow : (size_t)nHeight - 1 - nRow;
            const size_t x = bRightToLeft ? (size_t)nWidth - 1 - nColumn : nColumn;
            uint8_t* pOut = &pResult->m_abPixels[(y * (size_t)nWidth + x) * (size_t)nOutBytes];
            uint8_t aRGBA[4];
            if (nKind == 3)
            {
                pOut[0] = pIn[0];
                continue;
            }
            if (nKind == 1)
            {
                if (pIn[0] < nMapFirst || pIn[0] - nMapFirst >= nMapLength)
                    return fail(psError, "a TGA colour index is outside the colour map");
                readColour(pMap + (size_t)(pIn[0] - nMapFirst) * (size_t)nMapBytes, nMapBytes,
                           aRGBA);
            }
            else
                readColour(pIn, nPixelBytes, aRGBA);
            std::memcpy(pOut, aRGBA, (size_t)nOutBytes);
        }
        nAt += nStored * (size_t)nPixelBytes;
    }
    return true;
}
