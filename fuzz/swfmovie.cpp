// Fuzz target: the SWF header and tag reader of the Flash-control stand-in. The input is a whole
// file ("FWS", "CWS" or anything else); a refusal must carry a reason, an accepted movie must
// have a size in range and at least one frame.
// Invariant: an accepted uncompressed movie has the version, size and header frame count that its
// own header bytes give (read here with a bit reader of the target's own).
#include "fuzzcheck.h"
#include "platform/flash/swfmovie.h"

#include <cstddef>
#include <cstdint>

namespace
{

// Reads the header of an "FWS" file independently of the player's reader: the RECT at byte 8
// (five bits of field width, then Xmin, Xmax, Ymin, Ymax, signed, most significant bit first),
// then the 8.8 frame rate and the 16-bit frame count. False when the bytes end first.
bool readPlainHeader(const uint8_t* pbData, size_t nSize, int* pnWidth, int* pnHeight,
                     int* pnFrames)
{
    if (nSize < 9)
        return false;
    size_t nBit = 8 * 8;
    auto bits = [&](int nCount) {
        uint32_t nValue = 0;
        for (int i = 0; i < nCount; ++i, ++nBit)
            nValue = (nValue << 1) | ((pbData[nBit / 8] >> (7 - nBit % 8)) & 1);
        return nValue;
    };
    const int nField = (int)bits(5);
    const size_t nRectEnd = (8 * 8 + 5 + 4 * (size_t)nField + 7) / 8;
    if (nRectEnd + 4 > nSize)
        return false;
    int32_t anValues[4];
    for (int32_t& nValue : anValues)
    {
        const uint32_t nRaw = bits(nField);
        // Sign-extend an nField-bit value.
        nValue = (nField > 0 && (nRaw >> (nField - 1)) & 1)
                     ? (int32_t)(nRaw | ~((nField >= 32) ? 0u : ((1u << nField) - 1)))
                     : (int32_t)nRaw;
    }
    *pnWidth = anValues[1] / 20 - anValues[0] / 20;
    *pnHeight = anValues[3] / 20 - anValues[2] / 20;
    *pnFrames = pbData[nRectEnd + 2] | (pbData[nRectEnd + 3] << 8);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    SwfMovie movie;
    if (parseSwf(pbData, nSize, &movie))
    {
        FUZZ_CHECK(movie.m_nWidth > 0 && movie.m_nWidth <= SwfMovie::MAX_MOVIE_SIDE);
        FUZZ_CHECK(movie.m_nHeight > 0 && movie.m_nHeight <= SwfMovie::MAX_MOVIE_SIDE);
        FUZZ_CHECK(movie.getTotalFrames() >= 1);
        int nWidth = 0;
        int nHeight = 0;
        int nFrames = 0;
        if (!movie.m_bCompressed && readPlainHeader(pbData, nSize, &nWidth, &nHeight, &nFrames))
        {
            // The broken reader reads the RECT one bit late.
            if (fuzzBrokenReader())
                nWidth = movie.m_nWidth + 1;
            FUZZ_CHECK(movie.m_nVersion == pbData[3]);
            FUZZ_CHECK(movie.m_nWidth == nWidth && movie.m_nHeight == nHeight);
            FUZZ_CHECK(movie.m_nFrameCount == nFrames);
        }
    }
    else
        FUZZ_CHECK(movie.m_sError.length() > 0);
    int nWidth = 0;
    int nHeight = 0;
    readSwfRectSize(pbData, nSize, &nWidth, &nHeight);
    return 0;
}
