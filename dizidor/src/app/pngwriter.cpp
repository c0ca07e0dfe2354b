#include "app/pngwriter.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <zlib.h>

#include <cstddef>

namespace
{

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Colour types by channel count: grey, grey and alpha, RGB, RGBA.
const uint8_t COLOUR_TYPES[5] = {0, 0, 4, 2, 6};
// Pictures larger than this many bytes of rows are refused (the program's own are small).
const int64_t MAX_RAW_BYTES = 1 << 28;

void putBigEndian32(std::vector<uint8_t>& ab, uint32_t n)
{
    ab.push_back((uint8_t)(n >> 24));
    ab.push_back((uint8_t)(n >> 16));
    ab.push_back((uint8_t)(n >> 8));
    ab.push_back((uint8_t)n);
}

// Length, type, data and the CRC of type and data.
void putChunk(std::vector<uint8_t>& ab, const char* pszType, const std::vector<uint8_t>& abData)
{
    putBigEndian32(ab, (uint32_t)abData.size());
    const size_t nTypeAt = ab.size();
    ab.insert(ab.end(), pszType, pszType + 4);
    ab.insert(ab.end(), abData.begin(), abData.end());
    const uLong nCrc = crc32(0L, ab.data() + nTypeAt, (uInt)(4 + abData.size()));
    putBigEndian32(ab, (uint32_t)nCrc);
}

} // namespace

std::vector<uint8_t> encodePng(int nWidth, int nHeight, int nChannels, const uint8_t* pData)
{
    RIR_TRACE("encodePng");
    if (nWidth < 1 || nHeight < 1 || nChannels < 1 || nChannels > 4 || !pData)
    {
        const RIR::String sMessage =
            RIR::String::format("encodePng : bad picture %d x %d x %d", nWidth, nHeight, nChannels);
        RIR_THROW(BadParmException, sMessage.c_str());
    }
    const int64_t nRowBytes = (int64_t)nWidth * nChannels;
    const int64_t nRawBytes = (nRowBytes + 1) * nHeight;
    if (nRawBytes > MAX_RAW_BYTES)
        RIR_THROW(BadParmException, "encodePng : picture too large");

    // Every row starts with filter type 0 (none).
    std::vector<uint8_t> abRaw;
    abRaw.reserve((size_t)nRawBytes);
    for (int y = 0; y < nHeight; ++y)
    {
        abRaw.push_back(0);
        const uint8_t* pRow = pData + (size_t)y * (size_t)nRowBytes;
        abRaw.insert(abRaw.end(), pRow, pRow + nRowBytes);
    }

    uLongf nPacked = compressBound((uLong)abRaw.size());
    std::vector<uint8_t> abPacked(nPacked);
    RIR_TRACE_LINE();
    if (compress2(abPacked.data(), &nPacked, abRaw.data(), (uLong)abRaw.size(), 9) != Z_OK)
        RIR_THROW(FatalErrorException, "encodePng : compression failed");
    abPacked.resize(nPacked);

    std::vector<uint8_t> abHeader;
    putBigEndian32(abHeader, (uint32_t)nWidth);
    putBigEndian32(abHeader, (uint32_t)nHeight);
    abHeader.push_back(8); // bits per channel
    abHeader.push_back(COLOUR_TYPES[nChannels]);
    abHeader.push_back(0); // deflate
    abHeader.push_back(0); // adaptive filtering
    abHeader.push_back(0); // no interlace

    std::vector<uint8_t> abPng(PNG_SIGNATURE, PNG_SIGNATURE + sizeof(PNG_SIGNATURE));
    putChunk(abPng, "IHDR", abHeader);
    putChunk(abPng, "IDAT", abPacked);
    putChunk(abPng, "IEND", std::vector<uint8_t>());
    return abPng;
}
