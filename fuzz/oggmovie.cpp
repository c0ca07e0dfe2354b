// Fuzz target: the Ogg demultiplexer and the Theora and Vorbis header readers of the movie
// player. The input is a whole file read from memory: the headers are read, then every packet
// is decoded and every video frame converted, within a fixed budget of blocks. Damaged headers
// must end in the player's own FatalErrorException.
// Invariant: an opened movie with a picture has the frame size of a Theora identification header
// that stands whole in the input (found here by the target's own scan), within the size limit.
#include "fuzzcheck.h"
#include "platform/theora/oggmoviedecoder.h"
#include "platform/theora/yuvconvert.h"

#include "rir2/exception.h"
#include "rir2/memstream.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

// True when some whole Theora identification header in the input (0x80 "theora", the version,
// then the frame size in 16-pixel macroblocks, big-endian) gives nWidth x nHeight; also true when
// no header stands whole in the bytes (a packet split over pages cannot be checked here).
bool frameSizeMatchesAHeader(const uint8_t* pbData, size_t nSize, int nWidth, int nHeight)
{
    static const uint8_t s_abMark[7] = {0x80, 't', 'h', 'e', 'o', 'r', 'a'};
    bool bFound = false;
    for (size_t i = 0; i + 14 <= nSize; ++i)
    {
        if (std::memcmp(pbData + i, s_abMark, sizeof(s_abMark)) != 0)
            continue;
        bFound = true;
        const int nBlocksWide = (pbData[i + 10] << 8) | pbData[i + 11];
        const int nBlocksHigh = (pbData[i + 12] << 8) | pbData[i + 13];
        if (nBlocksWide * 16 == nWidth && nBlocksHigh * 16 == nHeight)
            return true;
    }
    return !bFound;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream stream(pbData, (int)nSize);
    OggMovieDecoder decoder;
    try
    {
        decoder.open(&stream);
    }
    catch (const RIR::FatalErrorException&)
    {
        return 0;
    }
    int nWidth = decoder.getWidth();
    const int nHeight = decoder.getHeight();
    // The broken reader takes one macroblock column too many.
    if (fuzzBrokenReader() && nWidth > 0)
        nWidth += 16;
    if (nWidth > 0)
        FUZZ_CHECK(frameSizeMatchesAHeader(pbData, nSize, nWidth, nHeight));
    nWidth = decoder.getWidth();
    FUZZ_CHECK(nWidth >= 0 && nWidth <= OggMovieDecoder::MAX_PICTURE_SIDE);
    FUZZ_CHECK(nHeight >= 0 && nHeight <= OggMovieDecoder::MAX_PICTURE_SIDE);
    std::vector<uint32_t> anPixels((size_t)nWidth * (size_t)(nHeight + 1));
    for (int nBlock = 0; nBlock < 64; ++nBlock)
    {
        for (int nPacket = 0; nPacket < 64; ++nPacket)
        {
            double dTime = 0.0;
            const int nResult = decoder.decodeVideoPacket(&dTime);
            if (nResult < 0)
                break;
            if (nResult == 1 && nWidth > 0)
            {
                YuvPlanes planes;
                decoder.getPlanes(&planes);
                if (decoder.getPixelFormat() == OggMovieDecoder::PF_444)
                    convertFrame(planes, anPixels.data(), nWidth, nHeight, 1, true);
                else if (decoder.getPixelFormat() == OggMovieDecoder::PF_422)
                    convertFrame(planes, anPixels.data(), nWidth, nHeight, 1, false);
                else
                    convertFrame420(planes, anPixels.data(), nWidth, nHeight);
            }
        }
        for (int nPacket = 0; nPacket < 64; ++nPacket)
        {
            float** ppfPcm = nullptr;
            const int nSamples = decoder.peekSamples(&ppfPcm);
            if (nSamples > 0)
                decoder.consumeSamples(nSamples);
            else if (!decoder.decodeAudioPacket())
                break;
        }
        const int nRead = decoder.bufferData();
        const int nPages = decoder.queuePages();
        if (nRead == 0 && nPages == 0)
            break;
    }
    return 0;
}
