#include "app/pngreader.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace
{

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// What libpng's callbacks share with the decoder: the input, the output and the first error.
struct ReadState
{
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nAt;
    DecodedPicture* m_pResult;
    std::vector<png_bytep>* m_pRows;
    char m_acError[200];
};

void onRead(png_structp pPng, png_bytep pOut, png_size_t nWanted)
{
    ReadState* pState = static_cast<ReadState*>(png_get_io_ptr(pPng));
    // A short read is an error: libpng would otherwise go on with whatever its buffer held.
    if (nWanted > pState->m_nSize - pState->m_nAt)
        png_error(pPng, "the picture data ends early");
    std::memcpy(pOut, pState->m_pData + pState->m_nAt, nWanted);
    pState->m_nAt += nWanted;
}

void onError(png_structp pPng, png_const_charp pszMessage)
{
    ReadState* pState = static_cast<ReadState*>(png_get_error_ptr(pPng));
    std::snprintf(pState->m_acError, sizeof(pState->m_acError), "%s", pszMessage);
    png_longjmp(pPng, 1);
}

void onWarning(png_structp, png_const_charp) {}

void setError(ReadState* pState, const char* pszMessage)
{
    std::snprintf(pState->m_acError, sizeof(pState->m_acError), "%s", pszMessage);
}

// Chooses libpng's transformations for the layout of the file comment and records palette and
// key; false when the picture is too large.
bool chooseLayout(png_structp pPng, png_infop pInfo, ReadState* pState)
{
    DecodedPicture* pResult = pState->m_pResult;
    const png_uint_32 nWidth = png_get_image_width(pPng, pInfo);
    const png_uint_32 nHeight = png_get_image_height(pPng, pInfo);
    if ((int64_t)nWidth * (int64_t)nHeight > MAX_PNG_PIXELS)
    {
        setError(pState, "the picture is too large");
        return false;
    }
    const int nColourType = png_get_color_type(pPng, pInfo);
    const int nDepth = png_get_bit_depth(pPng, pInfo);
    png_set_strip_16(pPng);
    png_set_packing(pPng);
    const bool bTransparency = png_get_valid(pPng, pInfo, PNG_INFO_tRNS) != 0;

    pResult->m_bColorKey = false;
    pResult->m_nKeyIndex = -1;
    pResult->m_abPalette.clear();
    if (nColourType == PNG_COLOR_TYPE_PALETTE)
    {
        bool bExpand = false;
        if (bTransparency)
        {
            png_bytep pAlpha = nullptr;
            int nAlpha = 0;
            png_get_tRNS(pPng, pInfo, &pAlpha, &nAlpha, nullptr);
            int nKey = -1;
            for (int i = 0; i < nAlpha && !bExpand; ++i)
            {
                if (pAlpha[i] == 0 && nKey < 0)
                    nKey = i;
                else if (pAlpha[i] != 255)
                    bExpand = true;
            }
            if (!bExpand && nKey >= 0)
            {
                pResult->m_bColorKey = true;
                pResult->m_nKeyIndex = nKey;
            }
        }
        if (bExpand)
            png_set_expand(pPng);
        else
        {
            png_colorp pPalette = nullptr;
            int nColours = 0;
            png_get_PLTE(pPng, pInfo, &pPalette, &nColours);
            for (int i = 0; i < nColours; ++i)
            {
                pResult->m_abPalette.push_back(pPalette[i].red);
                pResult->m_abPalette.push_back(pPalette[i].green);
                pResult->m_abPalette.push_back(pPalette[i].blue);
            }
        }
    }
    else if (nColourType == PNG_COLOR_TYPE_GRAY)
    {
        png_set_expand_gray_1_2_4_to_8(pPng);
        if (bTransparency)
        {
            png_set_tRNS_to_alpha(pPng);
            png_set_gray_to_rgb(pPng);
        }
        else
        {
            for (int i = 0; i < 256; ++i)
                pResult->m_abPalette.insert(pResult->m_abPalette.end(), 3, (uint8_t)i);
        }
    }
    else if (nColourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    {
        png_set_gray_to_rgb(pPng);
    }
    else if (nColourType == PNG_COLOR_TYPE_RGB && bTransparency)
    {
        png_color_16p pKey = nullptr;
        png_get_tRNS(pPng, pInfo, nullptr, nullptr, &pKey);
        if (pKey)
        {
            const int nShift = nDepth > 8 ? nDepth - 8 : 0;
            pResult->m_bColorKey = true;
            pResult->m_aKey[0] = (uint8_t)(pKey->red >> nShift);
            pResult->m_aKey[1] = (uint8_t)(pKey->green >> nShift);
            pResult->m_aKey[2] = (uint8_t)(pKey->blue >> nShift);
        }
    }
    png_set_interlace_handling(pPng);
    png_read_update_info(pPng, pInfo);

    const int nChannels = png_get_channels(pPng, pInfo);
    if (png_get_bit_depth(pPng, pInfo) != 8 ||
        (nChannels != 1 && nChannels != 3 && nChannels != 4) ||
        png_get_rowbytes(pPng, pInfo) != (size_t)nWidth * (size_t)nChannels)
    {
        setError(pState, "unsupported PNG layout");
        return false;
    }
    pResult->m_nWidth = (int32_t)nWidth;
    pResult->m_nHeight = (int32_t)nHeight;
    pResult->m_nBytesPerPixel = nChannels;
    return true;
}

// libpng's part. Only plain data lives in this frame across libpng's jump back: the vectors
// it fills belong to the caller.
bool readWithLibpng(ReadState* pState)
{
    png_structp pPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, pState, onError, onWarning);
    if (!pPng)
    {
        setError(pState, "out of memory");
        return false;
    }
    png_infop pInfo = png_create_info_struct(pPng);
    if (!pInfo)
    {
        setError(pState, "out of memory");
        png_destroy_read_struct(&pPng, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(pPng)))
    {
        png_destroy_read_struct(&pPng, &pInfo, nullptr);
        return false;
    }
    png_set_read_fn(pPng, pState, onRead);
    // Damage in any chunk is an error, not a warning to read on after.
    png_set_crc_action(pPng, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_user_limits(pPng, MAX_PNG_SIDE, MAX_PNG_SIDE);
    png_read_info(pPng, pInfo);
    if (!chooseLayout(pPng, pInfo, pState))
    {
        png_destroy_read_struct(&pPng, &pInfo, nullptr);
        return false;
    }
    DecodedPicture* pResult = pState->m_pResult;
    const size_t nRowBytes = (size_t)pResult->m_nWidth * (size_t)pResult->m_nBytesPerPixel;
    pResult->m_abPixels.assign(nRowBytes * (size_t)pResult->m_nHeight, 0);
    pState->m_pRows->resize((size_t)pResult->m_nHeight);
    for (size_t y = 0; y < pState->m_pRows->size(); ++y)
        (*pState->m_pRows)[y] = pResult->m_abPixels.data() + y * nRowBytes;
    png_read_image(pPng, pState->m_pRows->data());
    // Up to IEND, so that a picture cut after its pixels is refused too.
    png_read_end(pPng, nullptr);
    png_destroy_read_struct(&pPng, &pInfo, nullptr);
    return true;
}

} // namespace

bool hasPngSignature(const uint8_t* pData, size_t nSize)
{
    return pData && nSize >= sizeof(PNG_SIGNATURE) &&
           std::memcmp(pData, PNG_SIGNATURE, sizeof(PNG_SIGNATURE)) == 0;
}

bool decodePng(const uint8_t* pData, size_t nSize, DecodedPicture* pResult, RIR::String* psError)
{
    RIR_TRACE("decodePng");
    RIR_ASSERT(pResult);
    ReadState state;
    state.m_acError[0] = 0;
    if (!hasPngSignature(pData, nSize))
    {
        if (psError)
            *psError = "not a PNG picture";
        return false;
    }
    std::vector<png_bytep> lRows;
    state.m_pData = pData;
    state.m_nSize = nSize;
    state.m_nAt = 0;
    state.m_pResult = pResult;
    state.m_pRows = &lRows;
    RIR_TRACE_LINE();
    if (readWithLibpng(&state))
        return true;
    if (psError)
        *psError = state.m_acError;
    return false;
}
