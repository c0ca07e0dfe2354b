// RenderVertex and the primitive kinds: what RenderDevice::drawPrimitive takes.
//
// One vertex is 24 bytes: a position (x, y, z) in the units of the world transform, a colour
// 0xAARRGGBB (alpha in the top byte, not premultiplied) and one pair of texture coordinates
// (u, v), with (0, 0) the top-left corner of the texture's first texel and (1, 1) the
// bottom-right corner of its last.
#ifndef DIZIDOR_PLATFORM_GL_RENDERVERTEX_H
#define DIZIDOR_PLATFORM_GL_RENDERVERTEX_H

#include <cstdint>

struct RenderVertex
{
    float x;
    float y;
    float z;
    uint32_t nColor;
    float u;
    float v;
};

static_assert(sizeof(RenderVertex) == 24, "a vertex is 24 bytes");

enum PrimitiveKind
{
    // Triangles (0, 1, 2), (3, 4, 5), ...; a multiple of 3 vertices, at least 3.
    PRIM_TRIANGLE_LIST,
    // Triangles (0, 1, 2), (1, 2, 3), (2, 3, 4), ...; at least 3 vertices.
    PRIM_TRIANGLE_STRIP,
    // Triangles (0, 1, 2), (0, 2, 3), (0, 3, 4), ...; at least 3 vertices.
    PRIM_TRIANGLE_FAN,
    PRIMITIVE_KIND_COUNT
};

// "TRIANGLE_LIST", "TRIANGLE_STRIP", "TRIANGLE_FAN"; "?" out of range.
const char* primitiveKindName(PrimitiveKind eKind);

#endif
