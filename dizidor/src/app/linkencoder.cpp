#include "app/linkencoder.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

const char* const LINK_TEXT_ALPHABET =
    "QWERTYUIOPasdfghjklZXCVBNMqwertyuiopLKJHGFDSAzxcvbnm0987654321_-";

namespace
{

// The digit value of every byte; 0xFFFFFFFF ("all bits set") for bytes outside the alphabet.
struct DigitTable
{
    uint32_t anValue[256];

    DigitTable()
    {
        for (uint32_t& n : anValue)
            n = 0xFFFFFFFFu;
        for (uint32_t i = 0; i < 64; ++i)
            anValue[(unsigned char)LINK_TEXT_ALPHABET[i]] = i;
    }
};

uint32_t digitValue(char c)
{
    static const DigitTable s_table;
    return s_table.anValue[(unsigned char)c];
}

} // namespace

RIR::String encode64(const unsigned char* pData, int nLength)
{
    RIR_TRACE("encode64");
    if (nLength <= 0)
        return RIR::String();
    const int64_t nGroups = ((int64_t)nLength + 2) / 3;
    if (nGroups * 4 >= INT_MAX)
        RIR_THROW(
            BadParmException,
            RIR::String::format("encode64 : %d bytes are too many to encode", nLength).c_str());

    std::vector<char> text((size_t)nGroups * 4);
    char* pszOut = text.data();
    for (int i = 0; i < nLength; i += 3)
    {
        const unsigned b0 = pData[i];
        const unsigned b1 = i + 1 < nLength ? pData[i + 1] : 0;
        const unsigned b2 = i + 2 < nLength ? pData[i + 2] : 0;
        *pszOut++ = LINK_TEXT_ALPHABET[b0 >> 2];
        *pszOut++ = LINK_TEXT_ALPHABET[((b0 & 3) << 4) | (b1 >> 4)];
        *pszOut++ = LINK_TEXT_ALPHABET[((b1 & 15) << 2) | (b2 >> 6)];
        *pszOut++ = LINK_TEXT_ALPHABET[b2 & 63];
    }
    return RIR::String(text.data(), (int)text.size());
}

RIR::MemStream* decode64(const char* pszText)
{
    RIR_TRACE("decode64");
    std::unique_ptr<RIR::MemStream> pOut(new RIR::MemStream());
    if (!pszText)
        return pOut.release();
    const size_t nLength = std::strlen(pszText);
    for (size_t i = 0; i < nLength; i += 4)
    {
        // A last group cut short reads its missing characters as the digit 0 rather than
        // whatever lies beyond the end of the text.
        uint32_t anV[4] = {0, 0, 0, 0};
        for (size_t k = 0; k < 4 && i + k < nLength; ++k)
            anV[k] = digitValue(pszText[i + k]);
        RIR_TRACE_LINE();
        pOut->writeByte((uint8_t)((anV[0] << 2) | ((anV[1] >> 4) & 3)));
        pOut->writeByte((uint8_t)((anV[1] << 4) | ((anV[2] >> 2) & 15)));
        pOut->writeByte((uint8_t)((anV[2] << 6) | (anV[3] & 63)));
    }
    return pOut.release();
}
