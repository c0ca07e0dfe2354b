// GLRenderDevice: the RenderDevice on OpenGL 1.3 fixed function, in the context of an SDL
// OpenGL window (GLRenderDisplay makes it).
//
// How the layer's semantics map:
// - transforms: the row-vector matrices load unchanged into OpenGL (the same sixteen numbers
//   read column by column); the model-view matrix is world x view. The projection is followed
//   by a shift of half a pixel right and down, so that pixel centres lie at whole coordinates
//   (renderdevice.h), and by a remap of depth 0..1 to OpenGL's -1..1;
// - viewport: measured from the picture's top-left corner, turned to OpenGL's bottom-left one;
// - the texture stage: OpenGL's texture combiner (modulate, select), texturing off without a
//   texture or with the colour operation TEXOP_DISABLE; filtering and addressing are set on the
//   texture drawn with, never with mipmaps, clamping to the edge texels;
// - the stencil test and clears of the stencil only with a stencil buffer, the depth test and
//   depth clears only with a depth buffer; clears are limited to the viewport;
// - vertices go in immediate mode, their colour 0xAARRGGBB split into bytes.
// States are sent lazily: render states, the stage and the transforms go to OpenGL before the
// next draw that follows a change.
//
// Main thread only; its GL context must be current (SDL 1.2 has only one).
#ifndef DIZIDOR_PLATFORM_GL_GLRENDERDEVICE_H
#define DIZIDOR_PLATFORM_GL_GLRENDERDEVICE_H

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

    // ---- for GLRenderTexture -----------------------------------------------------------------

    // Sends the whole texture's texels (bytes R, G, B, A); RENDER_ERR_FAILED when OpenGL
    // refuses.
    RenderResult uploadTexture(GLRenderTexture& texture, const void* pPixels);
    // Reads the whole texture's texels back as bytes R, G, B, A.
    RenderResult downloadTexture(GLRenderTexture& texture, void* pPixels);
    // The texture object nName is being deleted.
    void forgetTextureName(unsigned nName);

protected:
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
    // Sends what changed since the last draw.
    void applyPending();
    void applyRenderStates();
    void applyStage();
    void applyTransforms();
    void applyViewport(const RenderViewport& viewport);
    void bindTexture(unsigned nName);

    bool m_bRenderStatesDirty;
    bool m_bStageDirty;    // texture, texturing or stage states changed
    bool m_bCombinerDirty; // the operations or arguments of the stage changed
    bool m_bTransformsDirty;
    bool m_bTexturing;              // GL_TEXTURE_2D is on
    unsigned m_nBoundName;          // the texture object bound now; 0 for none
    std::vector<uint8_t> m_abZeros; // zero texels for new textures, grown as needed
};

#endif
