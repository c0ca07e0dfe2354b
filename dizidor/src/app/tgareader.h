// decodeTga: reads a TGA picture.
//
// Takes uncompressed and run-length-encoded pictures of the three kinds (colour-mapped with an
// 8-bit index into a 15-, 16-, 24- or 32-bit colour map; true colour of 15, 16, 24 or 32 bits;
// 8-bit grey) and honours the origin bits of the image descriptor: rows stored bottom-up (the
// format's default) or top-down, columns left to right or right to left. Data that ends before
// the last pixel, a run that goes past the last pixel, or an index outside the colour map is an
// error: a picture is never returned in part. The result (app/decodedpicture.h) is r g b a for
// 32-bit pictures and colour maps, grey ramp indices for grey pictures, r g b otherwise.
//
// Usage:
//     DecodedPicture picture;
//     if (!decodeTga(pBytes, nSize, &picture, &sError)) ... sError says why
#ifndef DIZIDOR_APP_TGAREADER_H
#define DIZIDOR_APP_TGAREADER_H

#include "app/decodedpicture.h"

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>

// Pictures of more pixels than this are refused.
const int64_t MAX_TGA_PIXELS = (int64_t)1 << 25;

// Decodes the TGA bytes into *pResult. False, with the reason in *psError when given, for
// anything that is not a complete picture of the kinds above; *pResult is then unspecified.
bool decodeTga(const uint8_t* pData, size_t nSize, DecodedPicture* pResult, RIR::String* psError);

#endif
