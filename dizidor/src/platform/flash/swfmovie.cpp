// The SWF header and tag reader of the Flash-control stand-in (see swfmovie.h).
#include "platform/flash/swfmovie.h"

#include "rir2/calltrace.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// The first size of the buffer that compressed movie data is inflated into.
const size_t INFLATE_FIRST_BLOCK = 64 * 1024;

enum SwfTag
{
    TAG_END = 0,
    TAG_SHOW_FRAME = 1,
    TAG_SET_BACKGROUND_COLOR = 9,
    TAG_DO_ACTION = 12,
    TAG_FRAME_LABEL = 43
};

const uint8_t ACTION_STOP = 0x07;

// Bits of a byte string, most significant first; past the end they read as 0.
class BitReader
{
public:
    BitReader(const uint8_t* pb, size_t n) : m_pb(pb), m_n(n), m_nBit(0) {}
    uint32_t bits(int nCount)
    {
        uint32_t nValue = 0;
        for (int i = 0; i < nCount; ++i, ++m_nBit)
        {
            const size_t nByte = m_nBit / 8;
            const uint32_t nOne = nByte < m_n ? (m_pb[nByte] >> (7 - m_nBit % 8)) & 1u : 0u;
            nValue = (nValue << 1) | nOne;
        }
        return nValue;
    }
    int32_t signedBits(int nCount)
    {
        if (nCount <= 0)
            return 0;
        const uint32_t nValue = bits(nCount);
        if (nCount < 32 && (nValue & (1u << (nCount - 1))))
            return (int32_t)(nValue | ~((1u << nCount) - 1u));
        return (int32_t)nValue;
    }
    size_t bytesUsed() const { return (m_nBit + 7) / 8; }

private:
    const uint8_t* m_pb;
    size_t m_n;
    size_t m_nBit;
};

uint32_t le16(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8);
}

uint32_t le32(const uint8_t* p)
{
    return le16(p) | (le16(p + 2) << 16);
}

bool refuse(SwfMovie* pMovie, const char* pszWhy)
{
    pMovie->m_sError = pszWhy;
    return false;
}

// Whether the action records of a DoAction body hold Stop.
bool actionsStop(const uint8_t* pb, size_t n)
{
    size_t i = 0;
    while (i < n)
    {
        const uint8_t nCode = pb[i++];
        if (nCode == 0)
            return false;
        if (nCode == ACTION_STOP)
            return true;
        if (nCode >= 0x80)
        {
            if (i + 2 > n)
                return false;
            i += 2 + le16(pb + i);
        }
    }
    return false;
}

// The tags after the header.
bool walkTags(const uint8_t* pb, size_t n, SwfMovie* pMovie)
{
    size_t i = 0;
    int nFrame = 0;
    while (true)
    {
        if (i + 2 > n)
            return refuse(pMovie, "tags end without an End tag");
        const uint32_t nHeader = le16(pb + i);
        i += 2;
        const uint32_t nCode = nHeader >> 6;
        size_t nLength = nHeader & 0x3F;
        if (nLength == 0x3F)
        {
            if (i + 4 > n)
                return refuse(pMovie, "long tag header cut short");
            nLength = le32(pb + i);
            i += 4;
        }
        if (nLength > n - i)
            return refuse(pMovie, "tag runs past the end of the file");
        const uint8_t* pBody = pb + i;
        switch (nCode)
        {
        case TAG_END:
            return true;
        case TAG_SHOW_FRAME:
            ++nFrame;
            ++pMovie->m_nShownFrames;
            break;
        case TAG_SET_BACKGROUND_COLOR:
            if (nLength >= 3)
            {
                pMovie->m_nBackground =
                    ((uint32_t)pBody[0] << 16) | ((uint32_t)pBody[1] << 8) | pBody[2];
                pMovie->m_bHasBackground = true;
            }
            break;
        case TAG_FRAME_LABEL:
        {
            const void* pEnd = std::memchr(pBody, 0, nLength);
            const size_t nText = pEnd ? (size_t)((const uint8_t*)pEnd - pBody) : nLength;
            SwfFrameLabel label;
            label.m_nFrame = nFrame;
            label.m_sLabel = RIR::String(std::string((const char*)pBody, nText).c_str());
            pMovie->m_lLabels.push_back(label);
            break;
        }
        case TAG_DO_ACTION:
            if (pMovie->m_nStopFrame < 0 && actionsStop(pBody, nLength))
                pMovie->m_nStopFrame = nFrame;
            break;
        default:
            break;
        }
        i += nLength;
    }
}

} // namespace

int SwfMovie::getTotalFrames() const
{
    const int n = m_nFrameCount > 0 ? m_nFrameCount : m_nShownFrames;
    return n > 0 ? n : 1;
}

void readSwfRectSize(const uint8_t* pbData, size_t nBytes, int* pnWidth, int* pnHeight)
{
    BitReader reader(pbData, nBytes);
    const int nBits = (int)reader.bits(5);
    const int32_t nXMin = reader.signedBits(nBits);
    const int32_t nXMax = reader.signedBits(nBits);
    const int32_t nYMin = reader.signedBits(nBits);
    const int32_t nYMax = reader.signedBits(nBits);
    *pnWidth = nXMax / 20 - nXMin / 20;
    *pnHeight = nYMax / 20 - nYMin / 20;
}

size_t swfRectBytes(const uint8_t* pbData, size_t nBytes)
{
    BitReader reader(pbData, nBytes);
    const int nBits = (int)reader.bits(5);
    reader.bits(4 * nBits);
    return reader.bytesUsed();
}

bool parseSwf(const uint8_t* pbData, size_t nBytes, SwfMovie* pMovie)
{
    RIR_TRACE("parseSwf");
    *pMovie = SwfMovie();
    if (nBytes < 8)
        return refuse(pMovie, "file too short for an SWF header");
    const bool bPlain = std::memcmp(pbData, "FWS", 3) == 0;
    const bool bCompressed = std::memcmp(pbData, "CWS", 3) == 0;
    if (!bPlain && !bCompressed)
        return refuse(pMovie, "not an SWF movie (signature is neither FWS nor CWS)");
    pMovie->m_nVersion = pbData[3];
    pMovie->m_bCompressed = bCompressed;

    // The body after the 8-byte file header, inflated when compressed.
    std::vector<uint8_t> abInflated;
    const uint8_t* pBody = pbData + 8;
    size_t nBody = nBytes - 8;
    if (bCompressed)
    {
        const uint32_t nDeclared = le32(pbData + 4);
        if (nDeclared < 8 || nDeclared - 8 > (uint32_t)SwfMovie::MAX_SWF_BYTES)
            return refuse(pMovie, "compressed length out of range");
        // The buffer grows with what the stream gives, up to the declared length: a header may
        // declare far more than its data holds, and the data decides what is kept.
        const size_t nLimit = nDeclared - 8;
        abInflated.resize(nLimit < INFLATE_FIRST_BLOCK ? nLimit : INFLATE_FIRST_BLOCK);
        z_stream z;
        std::memset(&z, 0, sizeof(z));
        if (inflateInit(&z) != Z_OK)
            return refuse(pMovie, "compressed data cannot be inflated");
        z.next_in = const_cast<Bytef*>(pBody);
        z.avail_in = (uInt)nBody;
        int nResult = Z_OK;
        for (;;)
        {
            z.next_out = abInflated.data() + z.total_out;
            z.avail_out = (uInt)(abInflated.size() - z.total_out);
            nResult = inflate(&z, Z_NO_FLUSH);
            if (nResult != Z_OK && nResult != Z_BUF_ERROR)
                break;
            // A stream cut short (input used up, or the declared length reached) still gives
            // what it holds.
            if (z.avail_out > 0 || abInflated.size() >= nLimit)
                break;
            abInflated.resize(abInflated.size() * 2 < nLimit ? abInflated.size() * 2 : nLimit);
        }
        const size_t nOut = z.total_out;
        inflateEnd(&z);
        if (nResult != Z_OK && nResult != Z_BUF_ERROR && nResult != Z_STREAM_END)
            return refuse(pMovie, "compressed data cannot be inflated");
        abInflated.resize(nOut);
        pBody = abInflated.data();
        nBody = abInflated.size();
    }
    else if (nBody > (size_t)SwfMovie::MAX_SWF_BYTES)
        nBody = SwfMovie::MAX_SWF_BYTES;

    const size_t nRect = swfRectBytes(pBody, nBody);
    if (nBody < nRect + 4)
        return refuse(pMovie, "header cut short");
    readSwfRectSize(pBody, nBody, &pMovie->m_nWidth, &pMovie->m_nHeight);
    if (pMovie->m_nWidth <= 0 || pMovie->m_nHeight <= 0 ||
        pMovie->m_nWidth > SwfMovie::MAX_MOVIE_SIDE || pMovie->m_nHeight > SwfMovie::MAX_MOVIE_SIDE)
        return refuse(pMovie, "movie size out of range");
    pMovie->m_fFrameRate = (float)le16(pBody + nRect) / 256.0f;
    pMovie->m_nFrameCount = (int32_t)le16(pBody + nRect + 2);
    return walkTags(pBody + nRect + 4, nBody - nRect - 4, pMovie);
}

bool loadSwf(const char* pszPath, SwfMovie* pMovie)
{
    RIR_TRACE("loadSwf");
    *pMovie = SwfMovie();
    FILE* pFile = pszPath ? std::fopen(pszPath, "rb") : nullptr;
    if (!pFile)
        return refuse(pMovie, "file cannot be read");
    std::vector<uint8_t> abData;
    uint8_t abBlock[4096];
    size_t nRead;
    while ((nRead = std::fread(abBlock, 1, sizeof(abBlock), pFile)) > 0 &&
           abData.size() < (size_t)SwfMovie::MAX_SWF_BYTES)
        abData.insert(abData.end(), abBlock, abBlock + nRead);
    std::fclose(pFile);
    return parseSwf(abData.data(), abData.size(), pMovie);
}
