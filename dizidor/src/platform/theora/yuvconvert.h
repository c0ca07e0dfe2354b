// YUV to 32-bit pixel conversion of decoded Theora pictures.
//
// Four tables built once (int((i - 128) x factor), truncated, single-precision factors 1.37,
// -0.336, -0.698, 1.732) turn luma Y and chroma U, V into R = Y + TR[V],
// G = Y + TGU[U] + TGV[V], B = Y + TB[U], each clamped to 0..255, stored as the word
// 0xFF000000 | B << 16 | G << 8 | R (bytes R, G, B, A in memory, opaque).
//
// The conversions read the top-left width x height of the planes (picture offsets are not
// applied) and write every pixel of a width x height buffer with rows of width pixels: a last
// odd row or column of a subsampled picture takes the chroma of its own chroma position, so no
// pixel is left unwritten. The planes must cover that area (a decoded frame is always coded at
// least as large as its picture).
#ifndef DIZIDOR_PLATFORM_THEORA_YUVCONVERT_H
#define DIZIDOR_PLATFORM_THEORA_YUVCONVERT_H

#include <cstdint>

// The three planes of a decoded picture.
struct YuvPlanes
{
    const uint8_t* m_pY;
    const uint8_t* m_pU;
    const uint8_t* m_pV;
    int m_nYStride;
    int m_nUVStride;
};

// One pixel through the tables.
uint32_t yuvToPixel(int nY, int nU, int nV);

// 4:2:0: one chroma pair serves each 2 x 2 luma block.
void convertFrame420(const YuvPlanes& planes, uint32_t* pPixels, int nWidth, int nHeight);

// 4:2:2 and 4:4:4: the chroma row of row r is r / nChromaRowDiv; along a row the chroma advances
// after every pixel when bFullChroma, else after every odd column.
void convertFrame(const YuvPlanes& planes, uint32_t* pPixels, int nWidth, int nHeight,
                  int nChromaRowDiv, bool bFullChroma);

#endif
