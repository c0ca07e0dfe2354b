#include "app/pngwriter.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace
{

// Colour types by channel count: grey, grey and alpha, RGB, RGBA.
const int COLOUR_TYPES[5] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                             PNG_COLOR_TYPE_RGB_ALPHA};
// Pictures larger than this many bytes of rows are refused (the program's own are small).
const int64_t MAX_RAW_BYTES = 1 << 28;

// What libpng's callbacks share with encodePng: the bytes written and the first error.
struct WriteState
{
    std::vector<uint8_t>* m_pOut;
    char m_acError[200];
};

void onWrite(png_structp pPng, png_bytep pData, png_size_t nSize)
{
    WriteState* pState = static_cast<WriteState*>(png_get_io_ptr(pPng));
    pState->m_pOut->insert(pState->m_pOut->end(), pData, pData + nSize);
}

void onFlush(png_structp) {}

void onError(png_structp pPng, png_const_charp pszMessage)
{
    WriteState* pState = static_cast<WriteState*>(png_get_error_ptr(pPng));
    std::snprintf(pState->m_acError, sizeof(pState->m_acError), "%s", pszMessage);
    png_longjmp(pPng, 1);
}

void onWarning(png_structp, png_const_charp) {}

// libpng's part; false with the reason in the state when libpng failed. Only plain data lives in
// this frame across the jump back.
bool writeWithLibpng(WriteState* pState, int nWidth, int nHeight, int nChannels, png_bytep* ppRows)
{
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, pState, onError, onWarning);
    if (!pPng)
    {
        std::snprintf(pState->m_acError, sizeof(pState->m_acError), "out of memory");
        return false;
    }
    png_infop pInfo = png_create_info_struct(pPng);
    if (!pInfo || setjmp(png_jmpbuf(pPng)))
    {
        if (!pInfo)
            std::snprintf(pState->m_acError, sizeof(pState->m_acError), "out of memory");
        png_destroy_write_struct(&pPng, pInfo ? &pInfo : nullptr);
        return false;
    }
    png_set_write_fn(pPng, pState, onWrite, onFlush);
    png_set_IHDR(pPng, pInfo, (png_uint_32)nWidth, (png_uint_32)nHeight, 8, COLOUR_TYPES[nChannels],
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(pPng, pInfo, ppRows);
    png_write_png(pPng, pInfo, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&pPng, &pInfo);
    return true;
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
    if (nRowBytes * nHeight > MAX_RAW_BYTES)
        RIR_THROW(BadParmException, "encodePng : picture too large");

    // libpng only reads the rows it is given.
    std::vector<png_bytep> lRows((size_t)nHeight);
    for (int y = 0; y < nHeight; ++y)
        lRows[(size_t)y] = const_cast<png_bytep>(pData + (size_t)y * (size_t)nRowBytes);

    std::vector<uint8_t> abPng;
    WriteState state;
    state.m_pOut = &abPng;
    state.m_acError[0] = 0;
    RIR_TRACE_LINE();
    if (!writeWithLibpng(&state, nWidth, nHeight, nChannels, lRows.data()))
    {
        const RIR::String sMessage = RIR::String::format("encodePng : %s", state.m_acError);
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    return abPng;
}
