// Trimming textured quads to the part of their texture that can show.
//
// Sprites are drawn as quads over whole texture tiles, and most pictures have wide transparent
// borders (padding to powers of two, the space around a character). Under blending by the
// texture's alpha those texels change nothing, yet a software rasterizer shades every one of
// them. A quad whose texture has transparent borders, drawn under states where a transparent
// texel leaves the picture, the stencil and the depth exactly as they were, can therefore be cut
// down to the texels that may show without changing a pixel.
//
// The part kept reaches one texel beyond the last texel with alpha above 0 on every side, so
// that bilinear filtering never reads a texel that may show from outside it; a side whose
// visible texels reach the texture's edge is never cut (clamping repeats the edge texels beyond
// it).
#ifndef DIZIDOR_PLATFORM_GL_QUADTRIM_H
#define DIZIDOR_PLATFORM_GL_QUADTRIM_H

#include "platform/gl/renderdevicebase.h"

#include <cstdint>

// The texels of a texture that can show: [nLeft, nRight) x [nTop, nBottom), the margin
// included. Empty (nLeft >= nRight) for a texture whose every texel is transparent.
struct ShownTexels
{
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;

    bool isEmpty() const { return nLeft >= nRight || nTop >= nBottom; }
};

// The part of a nWidth x nHeight texture (bytes R, G, B, A, rows of nWidth * 4 bytes) that can
// show; the whole texture when bAlpha is false (it reads alpha 1 everywhere).
ShownTexels findShownTexels(const uint8_t* pTexels, int nWidth, int nHeight, bool bAlpha);

// Whether, under these states, a fragment whose texel has alpha 0 leaves colour, stencil and
// depth unchanged: the stage's alpha is the texture's times something (or the texture's alone),
// nothing writes depth, and either the alpha test drops alpha 0 or blending weighs the fragment
// by its alpha (or not at all) and keeps the picture by one minus it (or whole) without stencil
// writes.
bool transparentTexelsChangeNothing(const RenderDeviceState& state);

// What trimQuad made of a quad.
enum QuadTrim
{
    QUAD_UNCHANGED, // not a quad it can cut, or nothing to cut: draw it as it is
    QUAD_TRIMMED,   // aTrimmed holds the smaller quad to draw instead
    QUAD_HIDDEN     // nothing of it can show: draw nothing
};

// For a strip of four corners top-left, top-right, bottom-left, bottom-right whose positions
// and texture coordinates both form axis-aligned rectangles (mirrored ones too) with one colour
// and depth, on a nTexWidth x nTexHeight texture: the quad cut to the texels shown. Corners not
// moved keep their values exactly.
QuadTrim trimQuad(const RenderVertex aQuad[4], const ShownTexels& shown, int nTexWidth,
                  int nTexHeight, RenderVertex aTrimmed[4]);

#endif
