#include "app/jpegcheck.h"

#include "rir2/calltrace.h"

namespace
{

const uint8_t MARK = 0xFF;
const uint8_t START_OF_IMAGE = 0xD8;
const uint8_t END_OF_IMAGE = 0xD9;
const uint8_t START_OF_SCAN = 0xDA;

// Marks that stand alone, without a length: restart marks and TEM.
bool standsAlone(uint8_t nMark)
{
    return (nMark >= 0xD0 && nMark <= 0xD7) || nMark == 0x01;
}

bool fail(RIR::String* psError, const char* pszReason)
{
    if (psError)
        *psError = pszReason;
    return false;
}

} // namespace

bool hasJpegSignature(const uint8_t* pData, size_t nSize)
{
    return pData && nSize >= 3 && pData[0] == MARK && pData[1] == START_OF_IMAGE &&
           pData[2] == MARK;
}

bool isCompleteJpeg(const uint8_t* pData, size_t nSize, RIR::String* psError)
{
    RIR_TRACE("isCompleteJpeg");
    if (!hasJpegSignature(pData, nSize))
        return fail(psError, "not a JPEG picture");
    size_t nAt = 2;
    bool bFrame = false;
    for (;;)
    {
        // A mark: FF, any number of fill bytes FF, then its code.
        if (nAt >= nSize || pData[nAt] != MARK)
            return fail(psError, nAt >= nSize ? "the JPEG data ends early"
                                              : "damaged JPEG data: a segment is missing");
        while (nAt < nSize && pData[nAt] == MARK)
            ++nAt;
        if (nAt >= nSize)
            return fail(psError, "the JPEG data ends early");
        const uint8_t nMark = pData[nAt++];
        if (nMark == END_OF_IMAGE)
            return bFrame ? true : fail(psError, "damaged JPEG data: no frame");
        if (standsAlone(nMark))
            continue;
        if (nMark == 0x00 || nMark == START_OF_IMAGE)
            return fail(psError, "damaged JPEG data: a segment is missing");
        if (nSize - nAt < 2)
            return fail(psError, "the JPEG data ends early");
        const size_t nLength = ((size_t)pData[nAt] << 8) | pData[nAt + 1];
        if (nLength < 2)
            return fail(psError, "damaged JPEG data: a segment is missing");
        if (nLength > nSize - nAt)
            return fail(psError, "the JPEG data ends early");
        // Start-of-frame marks: C0 to CF except DHT (C4), JPG (C8) and DAC (CC).
        if (nMark >= 0xC0 && nMark <= 0xCF && nMark != 0xC4 && nMark != 0xC8 && nMark != 0xCC)
            bFrame = true;
        nAt += nLength;
        if (nMark != START_OF_SCAN)
            continue;
        // Coded data: FF is followed by 00 (a stuffed byte), a restart mark or fill; anything
        // else is the next mark.
        for (;;)
        {
            if (nAt + 1 >= nSize)
                return fail(psError, "the JPEG data ends early");
            if (pData[nAt] == MARK && pData[nAt + 1] != 0x00 && pData[nAt + 1] != MARK &&
                !(pData[nAt + 1] >= 0xD0 && pData[nAt + 1] <= 0xD7))
                break;
            ++nAt;
        }
    }
}
