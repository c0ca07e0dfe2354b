// The test kit's PNG pictures: the library's own writer and reader (app/pngwriter.h,
// app/pngreader.h, both on libpng) under the names the tests use, with the reader's result seen
// as r g b a pixels.
//
// Tests make their pictures in code and store them as PNG resources, so that every image
// back-end (the in-memory one here and the SDL one) loads the same bytes.
#ifndef DIZIDOR_TESTKIT_TESTPNG_H
#define DIZIDOR_TESTKIT_TESTPNG_H

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The PNG bytes of a picture: encodePng. pData holds nHeight rows of nWidth pixels, each
// nChannels bytes (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA), without padding. Bad sizes raise
// BadParmException.
std::vector<uint8_t> encodeTestPng(int nWidth, int nHeight, int nChannels, const uint8_t* pData);

struct DecodedPng
{
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    // The picture has an alpha channel or a transparent colour.
    bool m_bAlpha = false;
    // Width x height pixels of 4 bytes r, g, b, a; alpha 255 without an alpha channel, 0 where
    // the transparent colour is.
    std::vector<uint8_t> m_abRGBA;
};

// Reads PNG bytes with decodePng. False, with the reason in *psError when given, for anything
// that is not a complete, undamaged PNG picture.
bool decodeTestPng(const uint8_t* pData, size_t nSize, DecodedPng* pResult, RIR::String* psError);

#endif
