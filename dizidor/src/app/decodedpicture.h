// DecodedPicture: the pixels of a picture file after decoding, before any back-end holds them.
//
// The picture readers (app/pngreader.h, app/tgareader.h) fill it; an image back-end turns it into
// its own pixel store. Rows run top-down and are packed (no padding). A pixel is one palette index
// (m_nBytesPerPixel 1), r g b (3) or r g b a (4). Grey pictures come as palette indices into a
// grey ramp, so that every 1-byte picture has its palette.
#ifndef DIZIDOR_APP_DECODEDPICTURE_H
#define DIZIDOR_APP_DECODEDPICTURE_H

#include <cstdint>
#include <vector>

struct DecodedPicture
{
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nBytesPerPixel = 0;
    // r g b of every palette entry, for 1-byte pixels; empty otherwise.
    std::vector<uint8_t> m_abPalette;
    // A single transparent colour: the palette index m_nKeyIndex for 1-byte pixels, the colour
    // m_aKey (r g b) for 3-byte pixels.
    bool m_bColorKey = false;
    int32_t m_nKeyIndex = -1;
    uint8_t m_aKey[3] = {0, 0, 0};
    std::vector<uint8_t> m_abPixels;

    // The picture as r g b a bytes, palette looked up, the key colour transparent.
    std::vector<uint8_t> toRGBA() const;
};

#endif
