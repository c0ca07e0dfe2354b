// Color: an RGBA colour of four bytes.
//
// Tints, text colours and pixel values. Copied by value, owns nothing; alpha 255 is opaque.
// Colours compare by their packed value, which is also their hash when they key a RIR::Hash; the
// packed order is r, a, b, g from the highest byte down, not r, g, b, a.
//
// In an object stream a colour's own form is its four bytes r, g, b, a; RIR::writeObject,
// RIR::readObject, RIR::writeObjectPointer and RIR::readObjectPointer (rir2/objectstreamer.h)
// build the by-value and pointer forms from persistTo and persistFrom, which are defined in
// gfx/colorpersist.cpp so that plain users of Color do not pull in the streamer.
#ifndef DIZIDOR_GFX_COLOR_H
#define DIZIDOR_GFX_COLOR_H

#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{
class ObjectStreamer;
}

class Color
{
public:
    // Opaque black (0, 0, 0, 255).
    Color() : r(0), g(0), b(0), a(255) {}
    // Each channel keeps the low 8 bits of its argument (300 becomes 44).
    Color(int nR, int nG, int nB, int nA)
        : r((uint8_t)(nR & 0xFF)), g((uint8_t)(nG & 0xFF)), b((uint8_t)(nB & 0xFF)),
          a((uint8_t)(nA & 0xFF))
    {
    }
    Color(const Color& other) = default;
    Color& operator=(const Color& other) = default;
    virtual ~Color() {}

    // r << 24 | a << 16 | b << 8 | g.
    uint32_t getPackedValue() const
    {
        return ((uint32_t)r << 24) | ((uint32_t)a << 16) | ((uint32_t)b << 8) | (uint32_t)g;
    }

    bool operator==(const Color& other) const { return getPackedValue() == other.getPackedValue(); }
    bool operator!=(const Color& other) const { return !(*this == other); }

    // "(r, g, b, a)" in decimal.
    RIR::String toString() const;

    // The four bytes r, g, b, a through the streamer's unsigned-byte operations.
    void persistTo(RIR::ObjectStreamer& streamer) const;
    void persistFrom(RIR::ObjectStreamer& streamer);

    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t a;
};

#endif
