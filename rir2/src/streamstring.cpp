// The tagged string form of Stream: tag 0x12, the length as a variable-length integer, the
// bytes. The reader also takes the legacy form 01 'r' 't' 'S' with a 32-bit length.
#include "rir2/exception.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"
#include "rir2/stream.h"

#include <cstring>
#include <vector>

namespace RIR
{

namespace
{

// Bytes read per step: a damaged length never makes the reader allocate more than the data
// that actually arrives, plus one step.
const int STRING_READ_STEP = 65536;

} // namespace

String Stream::readString()
{
    RIR_TRACE("Stream::readString");
    const uint8_t nTag = readByte();
    int32_t nLength = 0;
    if (nTag == STT_LEGACY)
    {
        uint8_t abType[3] = {0, 0, 0};
        readFully(3, abType);
        if (abType[0] != 0x72 || abType[1] != 0x74 || abType[2] != 0x53)
        {
            // The bytes as they were read, last one in the top byte.
            const uint32_t nGot = ((uint32_t)abType[2] << 24) | ((uint32_t)abType[1] << 16) |
                                  ((uint32_t)abType[0] << 8);
            RIR_THROW(BadStreamFormatException,
                      String::format("Stream::readString : bad stream format : %08X, got %08X",
                                     0x727453u, nGot)
                          .c_str());
        }
        nLength = readInt32();
    }
    else
    {
        if ((nTag & 0x0F) != STT_STRING)
            RIR_THROW(BadStreamFormatException, "Stream::readString : bad stream format\n");
        if ((nTag & 0xF0) != STT_VERSION)
            RIR_THROW(BadStreamFormatException, "Stream::readString : unknown format version\n");
        nLength = (int32_t)readVarUInt();
    }

    // The length comes from stored data: refuse what no writer produces instead of reserving it.
    if (nLength < 0 || nLength > STRING_MAX_LENGTH)
        RIR_THROW(
            BadStreamFormatException,
            String::format("Stream::readString : bad string length %d\n", (int)nLength).c_str());
    if (nLength == 0)
        return String();

    std::vector<char> acText;
    int nDone = 0;
    while (nDone < nLength)
    {
        const int nStep = nLength - nDone < STRING_READ_STEP ? nLength - nDone : STRING_READ_STEP;
        acText.resize((size_t)nDone + (size_t)nStep + 1);
        RIR_TRACE_LINE();
        if (!readFully(nStep, acText.data() + nDone))
            return String(); // a cut string reads as the empty one
        nDone += nStep;
    }
    acText[(size_t)nLength] = 0;
    // A zero byte inside ends the text.
    return String(acText.data());
}

bool Stream::writeString(const char* pszText)
{
    RIR_TRACE("Stream::writeString");
    if (!writeByte((uint8_t)STT_STRING_TAG))
        return false;
    const size_t nLength = pszText ? strlen(pszText) : 0;
    if (!writeVarUInt((unsigned)nLength))
        return false;
    if (nLength == 0)
        return true;
    return writeFully((int)nLength, pszText);
}

} // namespace RIR
