// encodePng: the PNG bytes of a picture held in memory.
//
// The application makes a few pictures of its own in code (the placeholder of the built-in glyph
// sheet) and hands them to the image loaders as ordinary PNG resources. The writer produces
// 8-bit, non-interlaced pictures with every row unfiltered, compressed with zlib.
//
// Usage:
//     std::vector<uint8_t> abPng = encodePng(377, 108, 2, abGreyAlpha.data());
#ifndef DIZIDOR_APP_PNGWRITER_H
#define DIZIDOR_APP_PNGWRITER_H

#include <cstdint>
#include <vector>

// pData holds nHeight rows of nWidth pixels of nChannels bytes each (1 grey, 2 grey and alpha,
// 3 RGB, 4 RGBA), without padding. Raises BadParmException for a size below 1 x 1, a channel
// count outside 1..4 or a null pixel pointer, and FatalErrorException when zlib fails.
std::vector<uint8_t> encodePng(int nWidth, int nHeight, int nChannels, const uint8_t* pData);

#endif
