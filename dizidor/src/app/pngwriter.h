// encodePng: the PNG bytes of a picture held in memory, written with libpng.
//
// The one PNG writer of the program: the application's own pictures made in code (the
// placeholder of the built-in glyph sheet), screenshots, the test kit's pictures and the
// generated demo content all go through it. It writes 8-bit, non-interlaced pictures.
//
// Usage:
//     std::vector<uint8_t> abPng = encodePng(377, 108, 2, abGreyAlpha.data());
#ifndef DIZIDOR_APP_PNGWRITER_H
#define DIZIDOR_APP_PNGWRITER_H

#include <cstdint>
#include <vector>

// pData holds nHeight rows of nWidth pixels of nChannels bytes each (1 grey, 2 grey and alpha,
// 3 RGB, 4 RGBA), without padding. Raises BadParmException for a size below 1 x 1, a channel
// count outside 1..4, a null pixel pointer or a picture of more than 256 MiB of pixels, and
// FatalErrorException naming libpng's reason when libpng fails.
std::vector<uint8_t> encodePng(int nWidth, int nHeight, int nChannels, const uint8_t* pData);

#endif
