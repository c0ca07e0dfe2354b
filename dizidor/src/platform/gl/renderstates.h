// The render states and texture-stage states of a RenderDevice, their values, defaults and names.
//
// A device keeps one value per state; RenderDevice::setRenderState and setStageState change one
// at a time, and the value stays until it is set again or the device goes. Every device starts
// with the defaults below (renderStateDefault, stageStateDefault), which describe a 2-D sprite
// renderer: no depth test, no culling, no lighting, no blending, no alpha or stencil test; one
// texture stage that multiplies the texture by the vertex colour, filters bilinearly without
// mipmaps and clamps at the edges.
//
// Values are plain numbers of the enumerations named for each state; a value outside its
// enumeration is refused (RENDER_ERR_BAD_ARGUMENT). Boolean states take 0 and 1.
//
// Pixel arithmetic: colours are not premultiplied by alpha; the blend combines
//     result = source x source factor + destination x destination factor
// per channel, clamped to 1. The picture has no alpha channel of its own, so there are no
// destination-alpha factors. The alpha test compares the fragment's alpha (0..255) with the
// reference; the stencil test compares (reference & mask) with (stencil & mask).
#ifndef DIZIDOR_PLATFORM_GL_RENDERSTATES_H
#define DIZIDOR_PLATFORM_GL_RENDERSTATES_H

#include "rir2/rirstring.h"

#include <cstdint>

enum RenderState
{
    RS_DEPTH_TEST,            // bool, 0: the depth test (only with a depth buffer)
    RS_CULL,                  // CullMode, CULL_NONE
    RS_LIGHTING,              // bool, 0: 1 ignores the vertex colours (unlit black)
    RS_PERSPECTIVE_TEXTURES,  // bool, 0: a hint; 2-D drawing looks the same either way
    RS_BLEND,                 // bool, 0: blending with RS_BLEND_SRC and RS_BLEND_DEST
    RS_BLEND_SRC,             // BlendFactor, BF_ONE
    RS_BLEND_DEST,            // BlendFactor, BF_ZERO
    RS_ALPHA_TEST,            // bool, 0
    RS_ALPHA_TEST_REF,        // 0 .. 255, 0
    RS_ALPHA_TEST_FUNC,       // CompareFunc, CMP_ALWAYS: fragment alpha FUNC reference
    RS_STENCIL_TEST,          // bool, 0: without a stencil buffer the test always passes
    RS_STENCIL_READ_MASK,     // any 32-bit mask, 0xFFFFFFFF
    RS_STENCIL_REF,           // any 32-bit value, 0
    RS_STENCIL_FUNC,          // CompareFunc, CMP_ALWAYS: (ref & mask) FUNC (stencil & mask)
    RS_STENCIL_OP_FAIL,       // StencilOp, SOP_KEEP: the stencil test failed
    RS_STENCIL_OP_DEPTH_FAIL, // StencilOp, SOP_KEEP: stencil passed, depth test failed
    RS_STENCIL_OP_PASS,       // StencilOp, SOP_KEEP: both passed
    RS_COUNT
};

enum CullMode
{
    CULL_NONE,
    // Triangles whose corners run clockwise on the screen (y growing downward) are not drawn.
    CULL_CLOCKWISE,
    // Triangles whose corners run counter-clockwise on the screen are not drawn.
    CULL_COUNTER_CLOCKWISE,
    CULL_MODE_COUNT
};

enum BlendFactor
{
    BF_ZERO,
    BF_ONE,
    BF_SRC_COLOR,
    BF_INV_SRC_COLOR,
    BF_SRC_ALPHA,
    BF_INV_SRC_ALPHA,
    BF_DEST_COLOR,
    BF_INV_DEST_COLOR,
    BLEND_FACTOR_COUNT
};

enum CompareFunc
{
    CMP_NEVER,
    CMP_LESS,
    CMP_EQUAL,
    CMP_LESS_EQUAL,
    CMP_GREATER,
    CMP_NOT_EQUAL,
    CMP_GREATER_EQUAL,
    CMP_ALWAYS,
    COMPARE_FUNC_COUNT
};

enum StencilOp
{
    SOP_KEEP,
    SOP_ZERO,
    SOP_REPLACE,    // the reference value
    SOP_INCR_CLAMP, // + 1, at most the largest stencil value
    SOP_DECR_CLAMP, // - 1, at least 0
    SOP_INVERT,
    STENCIL_OP_COUNT
};

enum StageState
{
    TS_COLOR_OP,   // TextureOp, TEXOP_MODULATE
    TS_COLOR_ARG1, // TextureArg, TEXARG_TEXTURE
    TS_COLOR_ARG2, // TextureArg, TEXARG_DIFFUSE
    TS_ALPHA_OP,   // TextureOp, TEXOP_MODULATE
    TS_ALPHA_ARG1, // TextureArg, TEXARG_TEXTURE
    TS_ALPHA_ARG2, // TextureArg, TEXARG_DIFFUSE
    TS_MAG_FILTER, // TextureFilter, TEXFILTER_LINEAR
    TS_MIN_FILTER, // TextureFilter, TEXFILTER_LINEAR (never mipmaps)
    TS_ADDRESS_U,  // TextureAddress, TEXADDR_CLAMP
    TS_ADDRESS_V,  // TextureAddress, TEXADDR_CLAMP
    TS_COUNT
};

// What the texture stage makes of its two arguments. Without a texture set, or with the colour
// operation TEXOP_DISABLE, the stage passes the vertex colour and alpha unchanged; TEXOP_DISABLE
// as the alpha operation alone passes the vertex alpha.
enum TextureOp
{
    TEXOP_DISABLE,
    TEXOP_SELECT_ARG1,
    TEXOP_SELECT_ARG2,
    TEXOP_MODULATE, // arg1 x arg2
    TEXTURE_OP_COUNT
};

enum TextureArg
{
    TEXARG_DIFFUSE, // the interpolated vertex colour
    TEXARG_TEXTURE, // the filtered texel; a texture without alpha reads alpha 1
    TEXARG_CURRENT, // the stage's input: for the only stage, the vertex colour
    TEXTURE_ARG_COUNT
};

enum TextureFilter
{
    TEXFILTER_NEAREST,
    TEXFILTER_LINEAR,
    TEXTURE_FILTER_COUNT
};

enum TextureAddress
{
    TEXADDR_WRAP,  // coordinates repeat
    TEXADDR_CLAMP, // coordinates stop at the edge texels
    TEXTURE_ADDRESS_COUNT
};

// The defaults (see the file comment). A state out of range answers 0.
uint32_t renderStateDefault(RenderState eState);
uint32_t stageStateDefault(StageState eState);
// Whether the state exists and the value is one of its values.
bool isValidRenderState(RenderState eState, uint32_t nValue);
bool isValidStageState(StageState eState, uint32_t nValue);
// Names for logs and test messages: the state ("BLEND_SRC", "COLOR_OP", ...), and the value in
// the state's terms ("SRC_ALPHA", "GREATER", "REPLACE", "MODULATE", "LINEAR", "1", "0x000000FF";
// a value out of range as its number).
const char* renderStateName(RenderState eState);
const char* stageStateName(StageState eState);
RIR::String renderStateValueText(RenderState eState, uint32_t nValue);
RIR::String stageStateValueText(StageState eState, uint32_t nValue);

#endif
