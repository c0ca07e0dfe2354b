// RenderDevice: the 3-D device of a RenderDisplay, as the Direct3D 7 video driver uses it.
//
// A fixed-function pipeline for 2-D sprites: vertices with a colour and one texture coordinate
// pair go through world x view x projection (row vectors, RenderMatrix) and the viewport, are
// coloured by one texture stage (texture x vertex colour by default), tested (alpha, stencil,
// depth) and blended into the picture, all as the render and stage states say
// (renderstates.h). The display owns its device; it lives until the display's next mode or its
// release.
//
// Rasterisation: pixel centres lie at whole coordinates. A vertex that the transforms put at
// (x, y) of the viewport, in pixels from its top-left corner, lands on the centre of pixel
// (x, y); a rectangle from (-0.5, -0.5) to (w - 0.5, h - 0.5) covers exactly w x h pixels, and a
// texture of that size drawn on it is sampled at its texel centres. Nothing is culled and
// nothing is depth-tested unless the states ask for it.
//
// Every call answers a RenderResult; a refused call changes nothing. Arguments out of range
// answer RENDER_ERR_BAD_ARGUMENT; drawing outside a scene, or a scene begun twice or ended
// unbegun, RENDER_ERR_BAD_STATE.
//
// The state getters answer what was last set successfully (the defaults at first).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RENDERDEVICE_H
#define DIZIDOR_PLATFORM_GL_RENDERDEVICE_H

#include "platform/gl/rendermatrix.h"
#include "platform/gl/renderresult.h"
#include "platform/gl/renderstates.h"
#include "platform/gl/rendertexture.h"
#include "platform/gl/rendervertex.h"

#include <cstdint>

enum TransformKind
{
    TRANSFORM_WORLD,
    TRANSFORM_VIEW,
    TRANSFORM_PROJECTION,
    TRANSFORM_KIND_COUNT
};

// "WORLD", "VIEW", "PROJECTION"; "?" out of range.
const char* transformKindName(TransformKind eKind);

// The part of the picture drawn into: pixels from its top-left corner, and the range that depth
// 0..1 of the projection maps to.
struct RenderViewport
{
    int32_t nX;
    int32_t nY;
    int32_t nWidth;
    int32_t nHeight;
    float fMinZ;
    float fMaxZ;

    bool operator==(const RenderViewport& other) const
    {
        return nX == other.nX && nY == other.nY && nWidth == other.nWidth &&
               nHeight == other.nHeight && fMinZ == other.fMinZ && fMaxZ == other.fMaxZ;
    }
    bool operator!=(const RenderViewport& other) const { return !(*this == other); }
};

class RenderDevice
{
public:
    // The buffers clear works on.
    enum ClearFlags
    {
        CLEAR_COLOR = 1,
        CLEAR_DEPTH = 2,
        CLEAR_STENCIL = 4,
        CLEAR_ALL = 7
    };

    virtual ~RenderDevice();

    // ---- scenes and clearing -----------------------------------------------------------------

    // Drawing happens between beginScene and endScene.
    virtual RenderResult beginScene() = 0;
    virtual RenderResult endScene() = 0;
    virtual bool isInScene() const = 0;
    // Clears the viewport's part of the buffers named by nFlags (ClearFlags, at least one):
    // the colour to nColor (0xAARRGGBB; the picture keeps no alpha), the depth buffer to fDepth
    // (0..1), the stencil buffer to nStencil. The colour is cleared whenever asked; the depth
    // and stencil parts only when the buffer exists, and a missing one is no failure. Allowed
    // inside and outside a scene.
    virtual RenderResult clear(uint32_t nFlags, uint32_t nColor, float fDepth,
                               uint32_t nStencil) = 0;

    // ---- states -------------------------------------------------------------------------------

    virtual RenderResult setRenderState(RenderState eState, uint32_t nValue) = 0;
    virtual RenderResult setStageState(StageState eState, uint32_t nValue) = 0;
    // The texture of the stage; null: none (the stage passes the vertex colour). The texture
    // must be one of this device's and not lost.
    virtual RenderResult setTexture(RenderTexture* pTexture) = 0;
    virtual RenderResult setTransform(TransformKind eKind, const RenderMatrix& matrix) = 0;
    // Inside the picture, at least 1 x 1, 0 <= fMinZ <= fMaxZ <= 1. The whole picture at first.
    virtual RenderResult setViewport(const RenderViewport& viewport) = 0;

    virtual uint32_t getRenderState(RenderState eState) const = 0;
    virtual uint32_t getStageState(StageState eState) const = 0;
    virtual RenderTexture* getTexture() const = 0;
    virtual const RenderMatrix& getTransform(TransformKind eKind) const = 0;
    virtual const RenderViewport& getViewport() const = 0;

    // ---- drawing ------------------------------------------------------------------------------

    // Draws nCount vertices as triangles of the given kind (rendervertex.h), in a scene.
    virtual RenderResult drawPrimitive(PrimitiveKind eKind, const RenderVertex* pVertices,
                                       int nCount) = 0;

    // ---- textures -----------------------------------------------------------------------------

    // A new all-zero texture of exactly nWidth x nHeight (powers of two, 1 to
    // getMaxTextureSize()), with an alpha channel when bAlpha, into *ppTexture (null on
    // failure); the caller owns it (rendertexture.h). RENDER_ERR_BAD_ARGUMENT for other sizes,
    // RENDER_ERR_OUT_OF_MEMORY when the device has no room.
    virtual RenderResult createTexture(int nWidth, int nHeight, bool bAlpha,
                                       RenderTexture** ppTexture) = 0;
    virtual int getMaxTextureSize() const = 0;

    // ---- the picture --------------------------------------------------------------------------

    // The picture's size in pixels.
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    virtual bool hasDepthBuffer() const = 0;
    virtual bool hasStencilBuffer() const = 0;
};

#endif
