// decodePng: reads a PNG picture with libpng, checking everything libpng can check.
//
// Every chunk's CRC is checked (ancillary chunks too), and the data must run to its end: a
// picture that is cut short, has a damaged chunk or damaged compressed data is refused, never
// returned in part. The layout follows what the picture holds:
// - palette pictures keep their palette; a palette whose transparency table makes exactly one
//   entry transparent and the others opaque gives that entry as colour key, any other
//   transparency expands the picture to r g b a;
// - grey pictures become palette indices into a grey ramp; grey with transparency or alpha
//   becomes r g b a;
// - RGB pictures stay r g b, a transparent colour given as the colour key; RGBA stays r g b a;
// - 16-bit channels are cut to 8 bits, 1-, 2- and 4-bit pixels widened to bytes, interlaced
//   pictures put together.
//
// Usage:
//     DecodedPicture picture;
//     RIR::String sError;
//     if (!decodePng(pBytes, nSize, &picture, &sError)) ... sError says why
#ifndef DIZIDOR_APP_PNGREADER_H
#define DIZIDOR_APP_PNGREADER_H

#include "app/decodedpicture.h"

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>

// Pictures wider or higher than this, or of more pixels than MAX_PNG_PIXELS, are refused.
const int MAX_PNG_SIDE = 16384;
const int64_t MAX_PNG_PIXELS = (int64_t)1 << 25;

// The eight bytes every PNG file starts with.
bool hasPngSignature(const uint8_t* pData, size_t nSize);

// Decodes the PNG bytes into *pResult. False, with libpng's reason in *psError when given, for
// anything that is not a complete, undamaged PNG picture within the size limits; *pResult is
// then unspecified.
bool decodePng(const uint8_t* pData, size_t nSize, DecodedPicture* pResult, RIR::String* psError);

#endif
