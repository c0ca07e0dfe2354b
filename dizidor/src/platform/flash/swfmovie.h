// SwfMovie: what the Flash-control stand-in knows of an SWF file.
//
// Reads the header of an uncompressed ("FWS") or zlib-compressed ("CWS") movie: the frame
// RECT (in twips), the frame rate (8.8 fixed point) and the frame count, then walks the
// top-level tags (16-bit code and length, the long form when the length is 0x3F) up to End:
// ShowFrame tags count the frames, FrameLabel names a frame, SetBackgroundColor gives the
// background, and a top-level DoAction whose actions hold Stop (0x07) stops the timeline on its
// frame. Every other tag is skipped. No vector data is read.
//
// Failure contract: parseSwf and loadSwf answer false (with a reason) for any other signature
// ("ZWS", "FLV", ...), a header cut short, a tag running past the data, a size or rate out of
// range; they never raise. The reader stops at MAX_SWF_BYTES of (inflated) data.
#ifndef DIZIDOR_PLATFORM_FLASH_SWFMOVIE_H
#define DIZIDOR_PLATFORM_FLASH_SWFMOVIE_H

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct SwfFrameLabel
{
    int32_t m_nFrame;
    RIR::String m_sLabel;
};

struct SwfMovie
{
    enum
    {
        MAX_SWF_BYTES = 16 << 20,
        // Movies are at most this many pixels on a side.
        MAX_MOVIE_SIDE = 4096
    };

    int32_t m_nVersion = 0;
    bool m_bCompressed = false;
    int32_t m_nWidth = 0;  // pixels: Xmax / 20 - Xmin / 20
    int32_t m_nHeight = 0; // pixels: Ymax / 20 - Ymin / 20
    float m_fFrameRate = 0.0f;
    int32_t m_nFrameCount = 0;  // from the header
    int32_t m_nShownFrames = 0; // ShowFrame tags
    uint32_t m_nBackground = 0xFFFFFF; // 0xRRGGBB
    bool m_bHasBackground = false;
    int32_t m_nStopFrame = -1; // frame whose top-level actions stop the movie; -1 none
    std::vector<SwfFrameLabel> m_lLabels;
    RIR::String m_sError; // why a movie was refused

    // The frames the timeline plays: the header's count, else the ShowFrame count, at least 1.
    int getTotalFrames() const;
};

// The movie size of a frame RECT at the start of pbData (nBytes long): Nbits from the top five
// bits, then Xmin, Xmax, Ymin, Ymax as signed Nbits fields, most significant bit first. Bits past
// the end read as 0. Sizes in pixels, each quotient truncated.
void readSwfRectSize(const uint8_t* pbData, size_t nBytes, int* pnWidth, int* pnHeight);
// The number of bytes the RECT takes.
size_t swfRectBytes(const uint8_t* pbData, size_t nBytes);

// Parses a whole SWF file held in memory.
bool parseSwf(const uint8_t* pbData, size_t nBytes, SwfMovie* pMovie);
// Reads and parses the file at pszPath; false when it cannot be read.
bool loadSwf(const char* pszPath, SwfMovie* pMovie);

#endif
