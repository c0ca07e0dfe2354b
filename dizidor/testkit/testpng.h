// A small PNG writer and reader for the headless test kit.
//
// Tests make their pictures in code and store them as PNG resources, so that every image
// back-end (the in-memory one here and the SDL one) loads the same bytes. The writer is the
// application's own (encodePng, app/pngwriter.h): 8-bit, non-interlaced pictures; the reader takes
// exactly that family: bit depth 8, colour types 0 (grey), 2 (RGB), 4 (grey and alpha) and 6
// (RGBA), no interlace, every row filter. Anything else is refused with a message, never read past
// its end.
#ifndef DIZIDOR_TESTKIT_TESTPNG_H
#define DIZIDOR_TESTKIT_TESTPNG_H

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The PNG bytes of a picture. pData holds nHeight rows of nWidth pixels, each nChannels bytes
// (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA), without padding. Bad sizes raise
// BadParmException, as encodePng does.
std::vector<uint8_t> encodeTestPng(int nWidth, int nHeight, int nChannels, const uint8_t* pData);

struct DecodedPng
{
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    // The picture has an alpha channel (colour types 4 and 6).
    bool m_bAlpha = false;
    // Width x height pixels of 4 bytes r, g, b, a; alpha 255 without an alpha channel.
    std::vector<uint8_t> m_abRGBA;
};

// Reads PNG bytes. False, with the reason in *psError when given, for anything that is not a
// picture of the family above or that is damaged.
bool decodeTestPng(const uint8_t* pData, size_t nSize, DecodedPng* pResult, RIR::String* psError);

#endif
