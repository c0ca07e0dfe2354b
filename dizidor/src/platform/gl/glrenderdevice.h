// GLRenderDevice: the RenderDevice on OpenGL 1.3 fixed function, in the context of an SDL
// OpenGL window (GLRenderDisplay makes it).
//
// How the layer's semantics map:
// - transforms: world x view is applied to the vertices as they are gathered (OpenGL's
//   model-view matrix stays the identity), so that sprites turned and placed each by their own
//   view still go to OpenGL together. The projection loads unchanged into OpenGL (the row-vector
//   matrix read column by column is OpenGL's), followed by a shift of half a pixel right and
//   down, so that pixel centres lie at whole coordinates (renderdevice.h), and by a remap of
//   depth 0..1 to OpenGL's -1..1;
// - viewport: measured from the picture's top-left corner, turned to OpenGL's bottom-left one;
// - the texture stage: OpenGL's texture combiner (modulate, select), texturing off without a
//   texture or with the colour operation TEXOP_DISABLE; filtering and addressing are set on the
//   texture drawn with, never with mipmaps, clamping to the edge texels;
// - the stencil test and clears of the stencil only with a stencil buffer, the depth test and
//   depth clears only with a depth buffer; clears are limited to the viewport;
// - a strip of four corners over a rectangle of its texture (a sprite's quad) is cut to the
//   texels that can show, when the states make transparent texels change nothing (quadtrim.h);
// - vertices are gathered into one batch of triangles (strips and fans taken apart in
//   OpenGL's own order of their corners) while the texture and every state that OpenGL sees
//   stay the same; the batch goes to OpenGL in one call from client vertex arrays (OpenGL 1.1),
//   their colour 0xAARRGGBB split into bytes R, G, B, A.
// The batch is sent (flush) before anything that OpenGL would otherwise see out of order: a
// change of a render or stage state, of the texture, the projection or the viewport, a clear,
// a texture made, filled, read or deleted, a read of the picture, the scene's end, the present
// and the device's end. Setting a state to the value it has already changes nothing and keeps
// the batch. So OpenGL draws the same triangles in the same order with the same states as one
// call per draw would.
// States are sent lazily: render states, the stage and the projection go to OpenGL before the
// first draw of a batch that follows a change.
//
// Main thread only; its GL context must be current (SDL 1.2 has only one).
#ifndef DIZIDOR_PLATFORM_GL_GLRENDERDEVICE_H
#define DIZIDOR_PLATFORM_GL_GLRENDERDEVICE_H

#include "platform/gl/quadtrim.h"
#include "platform/gl/renderdevicebase.h"

#include <cstdint>
#include <vector>

class GLRenderTexture;

class GLRenderDevice : public RenderDeviceBase
{
public:
    // For the current GL context, whose picture is nWidth x nHeight with the buffers named.
    // Sends every default state.
    GLRenderDevice(int nWidth, int nHeight, bool bDepthBuffer, bool bStencilBuffer,
                   int nMaxTextureSize);
    // Deletes every texture object (the textures still held become lost); the context must
    // still exist.
    ~GLRenderDevice() override;

    // The picture's pixels of the rectangle (from its top-left corner) into panPixels, nWidth x
    // nHeight words 0x00RRGGBB, row by row from the top. It reads the picture being drawn:
    // call it before present. RENDER_ERR_BAD_ARGUMENT for a rectangle not inside the picture.
    RenderResult readPixels(int nX, int nY, int nWidth, int nHeight, uint32_t* panPixels);

    // Sends the vertices gathered so far to OpenGL; the display calls it before presenting.
    void flush();

    // ---- for GLRenderTexture -----------------------------------------------------------------

    // Sends the whole texture's texels (bytes R, G, B, A); RENDER_ERR_FAILED when OpenGL
    // refuses.
    RenderResult uploadTexture(GLRenderTexture& texture, const void* pPixels);
    // Reads the whole texture's texels back as bytes R, G, B, A.
    RenderResult downloadTexture(GLRenderTexture& texture, void* pPixels);
    // The texture object nName is being deleted.
    void forgetTextureName(unsigned nName);

protected:
    RenderResult onEndScene() override;
    RenderResult onClear(uint32_t nFlags, uint32_t nColor, float fDepth,
                         uint32_t nStencil) override;
    RenderResult onRenderState(RenderState eState, uint32_t nValue) override;
    RenderResult onStageState(StageState eState, uint32_t nValue) override;
    RenderResult onTexture(RenderTexture* pTexture) override;
    RenderResult onTransform(TransformKind eKind, const RenderMatrix& matrix) override;
    RenderResult onViewport(const RenderViewport& viewport) override;
    RenderResult onDraw(PrimitiveKind eKind, const RenderVertex* pVertices, int nCount) override;
    RenderResult onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                 RenderTexture** ppTexture) override;

private:
    // One gathered vertex as the client arrays read it: the position after world x view
    // (x, y, z, w), the colour's bytes R, G, B, A, the texture coordinates.
    struct BatchVertex
    {
        float afPosition[4];
        uint8_t abColor[4];
        float afTexCoord[2];
    };

    // Sends what changed since the last draw.
    void applyPending();
    void applyRenderStates();
    void applyStage();
    void applyProjection();
    void applyViewport(const RenderViewport& viewport);
    void bindTexture(unsigned nName);
    // The quad cut to what its texture can show, when the texture and the states allow it.
    QuadTrim trimDrawnQuad(const RenderVertex aQuad[4], RenderVertex aTrimmed[4]);
    // Adds the vertex, transformed by world x view, to the batch's vertices.
    void gatherVertex(const RenderVertex& vertex);

    bool m_bRenderStatesDirty;
    bool m_bStageDirty;    // texture, texturing or stage states changed
    bool m_bCombinerDirty; // the operations or arguments of the stage changed
    bool m_bProjectionDirty;
    bool m_bModelViewDirty;            // world or view changed since m_modelView was made
    RenderMatrix m_modelView;          // world x view, applied to the vertices gathered
    bool m_bTrimStatesDirty;           // a state changed since m_bTrimAllowed was found
    bool m_bTrimAllowed;               // transparent texels change nothing under the states
    // What is not yet sent to OpenGL: each vertex of a draw once, and the triangles as indices
    // into it, so that corners shared by a primitive's triangles are transformed once.
    std::vector<BatchVertex> m_aBatch;
    std::vector<uint16_t> m_anIndices;
    bool m_bTexturing;                 // GL_TEXTURE_2D is on
    unsigned m_nBoundName;             // the texture object bound now; 0 for none
    std::vector<uint8_t> m_abZeros;    // zero texels for new textures, grown as needed
};

#endif
