#include "testkit/testpng.h"

#include "app/pngreader.h"
#include "app/pngwriter.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

std::vector<uint8_t> encodeTestPng(int nWidth, int nHeight, int nChannels, const uint8_t* pData)
{
    RIR_TRACE("encodeTestPng");
    return encodePng(nWidth, nHeight, nChannels, pData);
}

bool decodeTestPng(const uint8_t* pData, size_t nSize, DecodedPng* pResult, RIR::String* psError)
{
    RIR_TRACE("decodeTestPng");
    RIR_ASSERT(pResult);
    DecodedPicture picture;
    if (!decodePng(pData, nSize, &picture, psError))
        return false;
    pResult->m_nWidth = picture.m_nWidth;
    pResult->m_nHeight = picture.m_nHeight;
    pResult->m_bAlpha = picture.m_nBytesPerPixel == 4 || picture.m_bColorKey;
    pResult->m_abRGBA = picture.toRGBA();
    return true;
}
