#include "platform/gl/glrenderdevice.h"

#include "platform/gl/glrendertexture.h"

#include "rir2/calltrace.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>

namespace
{

// Forgets errors of earlier calls, so that the next glGetError reports only what follows.
void clearGLErrors()
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
    {
    }
}

GLenum primitiveMode(PrimitiveKind eKind)
{
    switch (eKind)
    {
    case PRIM_TRIANGLE_STRIP:
        return GL_TRIANGLE_STRIP;
    case PRIM_TRIANGLE_FAN:
        return GL_TRIANGLE_FAN;
    default:
        return GL_TRIANGLES;
    }
}

} // namespace

GLRenderDevice::GLRenderDevice(int nWidth, int nHeight, bool bDepthBuffer, bool bStencilBuffer,
                               int nMaxTextureSize)
    : RenderDeviceBase(nWidth, nHeight, bDepthBuffer, bStencilBuffer, nMaxTextureSize),
      m_bRenderStatesDirty(true), m_bStageDirty(true), m_bCombinerDirty(true),
      m_bTransformsDirty(true), m_bTexturing(false), m_nBoundName(0)
{
    RIR_TRACE("GLRenderDevice::GLRenderDevice");
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_DITHER);
    glDisable(GL_FOG);
    glShadeModel(GL_SMOOTH);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(~0u);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    GLfloat afNoAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, afNoAmbient);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    applyViewport(getViewport());
    applyPending();
}

GLRenderDevice::~GLRenderDevice()
{
    RIR_TRACE("GLRenderDevice::~GLRenderDevice");
    loseAllTextures();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void GLRenderDevice::applyPending()
{
    RIR_TRACE("GLRenderDevice::applyPending");
    if (m_bRenderStatesDirty)
        applyRenderStates();
    if (m_bStageDirty)
        applyStage();
    if (m_bTransformsDirty)
        applyTransforms();
}

void GLRenderDevice::applyTransforms()
{
    RIR_TRACE("GLRenderDevice::applyTransforms");
    m_bTransformsDirty = false;
    // The row-vector matrices read column by column are OpenGL's column-vector matrices.
    RenderMatrix modelView = getTransform(TRANSFORM_WORLD) * getTransform(TRANSFORM_VIEW);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView.data());

    // After the projection: half a pixel right and down (pixel centres on whole coordinates
    // instead of OpenGL's half-way points), and depth 0..1 onto OpenGL's -1..1.
    const RenderViewport& viewport = getViewport();
    RenderMatrix fixup;
    fixup.at(3, 0) = 1.0f / (float)viewport.nWidth;
    fixup.at(3, 1) = -1.0f / (float)viewport.nHeight;
    fixup.at(2, 2) = 2.0f;
    fixup.at(3, 2) = -1.0f;
    RenderMatrix projection = getTransform(TRANSFORM_PROJECTION) * fixup;
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.data());
    glMatrixMode(GL_MODELVIEW);
}

void GLRenderDevice::applyViewport(const RenderViewport& viewport)
{
    RIR_TRACE("GLRenderDevice::applyViewport");
    glViewport(viewport.nX, getHeight() - viewport.nY - viewport.nHeight, viewport.nWidth,
               viewport.nHeight);
    glDepthRange(viewport.fMinZ, viewport.fMaxZ);
}

void GLRenderDevice::bindTexture(unsigned nName)
{
    if (m_nBoundName != nName)
    {
        glBindTexture(GL_TEXTURE_2D, nName);
        m_nBoundName = nName;
    }
}

void GLRenderDevice::forgetTextureName(unsigned nName)
{
    if (m_nBoundName == nName)
        m_nBoundName = 0;
    m_bStageDirty = true;
}

RenderResult GLRenderDevice::onClear(uint32_t nFlags, uint32_t nColor, float fDepth,
                                     uint32_t nStencil)
{
    RIR_TRACE("GLRenderDevice::onClear");
    const RenderViewport& viewport = getViewport();
    GLbitfield nBits = 0;
    if (nFlags & CLEAR_COLOR)
    {
        glClearColor((float)((nColor >> 16) & 0xFF) / 255.0f,
                     (float)((nColor >> 8) & 0xFF) / 255.0f, (float)(nColor & 0xFF) / 255.0f,
                     (float)(nColor >> 24) / 255.0f);
        nBits |= GL_COLOR_BUFFER_BIT;
    }
    if (nFlags & CLEAR_DEPTH)
    {
        glClearDepth(fDepth);
        nBits |= GL_DEPTH_BUFFER_BIT;
    }
    if (nFlags & CLEAR_STENCIL)
    {
        glClearStencil((GLint)nStencil);
        nBits |= GL_STENCIL_BUFFER_BIT;
    }
    // A clear covers the viewport, not the whole picture.
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport.nX, getHeight() - viewport.nY - viewport.nHeight, viewport.nWidth,
              viewport.nHeight);
    glClear(nBits);
    glDisable(GL_SCISSOR_TEST);
    return RENDER_OK;
}

RenderResult GLRenderDevice::onRenderState(RenderState /*eState*/, uint32_t /*nValue*/)
{
    m_bRenderStatesDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onStageState(StageState eState, uint32_t /*nValue*/)
{
    m_bStageDirty = true;
    if (eState < TS_MAG_FILTER)
        m_bCombinerDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onTexture(RenderTexture* /*pTexture*/)
{
    m_bStageDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onTransform(TransformKind /*eKind*/, const RenderMatrix& /*matrix*/)
{
    m_bTransformsDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onViewport(const RenderViewport& viewport)
{
    RIR_TRACE("GLRenderDevice::onViewport");
    applyViewport(viewport);
    // The half-pixel shift depends on the viewport's size.
    m_bTransformsDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onDraw(PrimitiveKind eKind, const RenderVertex* pVertices, int nCount)
{
    RIR_TRACE("GLRenderDevice::onDraw");
    applyPending();
    glBegin(primitiveMode(eKind));
    for (int i = 0; i < nCount; ++i)
    {
        const RenderVertex& vertex = pVertices[i];
        const uint32_t nColor = vertex.nColor;
        glColor4ub((GLubyte)(nColor >> 16), (GLubyte)(nColor >> 8), (GLubyte)nColor,
                   (GLubyte)(nColor >> 24));
        glTexCoord2f(vertex.u, vertex.v);
        glVertex3f(vertex.x, vertex.y, vertex.z);
    }
    glEnd();
    return RENDER_OK;
}

RenderResult GLRenderDevice::onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                             RenderTexture** ppTexture)
{
    RIR_TRACE("GLRenderDevice::onCreateTexture");
    const size_t nBytes = (size_t)nWidth * (size_t)nHeight * 4;
    try
    {
        if (m_abZeros.size() < nBytes)
            m_abZeros.assign(nBytes, 0);
    }
    catch (const std::bad_alloc&)
    {
        return RENDER_ERR_OUT_OF_MEMORY;
    }
    clearGLErrors();
    GLuint nName = 0;
    glGenTextures(1, &nName);
    if (nName == 0)
        return RENDER_ERR_FAILED;
    m_bStageDirty = true;
    bindTexture(nName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    RIR_TRACE_LINE();
    glTexImage2D(GL_TEXTURE_2D, 0, bAlpha ? GL_RGBA8 : GL_RGB8, nWidth, nHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, m_abZeros.data());
    GLenum nError = glGetError();
    if (nError != GL_NO_ERROR)
    {
        forgetTextureName(nName);
        glDeleteTextures(1, &nName);
        return nError == GL_OUT_OF_MEMORY ? RENDER_ERR_OUT_OF_MEMORY : RENDER_ERR_FAILED;
    }
    *ppTexture = new GLRenderTexture(this, nId, nWidth, nHeight, bAlpha, nName);
    return RENDER_OK;
}

RenderResult GLRenderDevice::uploadTexture(GLRenderTexture& texture, const void* pPixels)
{
    RIR_TRACE("GLRenderDevice::uploadTexture");
    if (texture.getName() == 0 || !pPixels)
        return RENDER_ERR_BAD_ARGUMENT;
    clearGLErrors();
    m_bStageDirty = true;
    bindTexture(texture.getName());
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, texture.getWidth(), texture.getHeight(), GL_RGBA,
                    GL_UNSIGNED_BYTE, pPixels);
    return glGetError() == GL_NO_ERROR ? RENDER_OK : RENDER_ERR_FAILED;
}

RenderResult GLRenderDevice::downloadTexture(GLRenderTexture& texture, void* pPixels)
{
    RIR_TRACE("GLRenderDevice::downloadTexture");
    if (texture.getName() == 0 || !pPixels)
        return RENDER_ERR_BAD_ARGUMENT;
    clearGLErrors();
    m_bStageDirty = true;
    bindTexture(texture.getName());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pPixels);
    return glGetError() == GL_NO_ERROR ? RENDER_OK : RENDER_ERR_FAILED;
}

RenderResult GLRenderDevice::readPixels(int nX, int nY, int nWidth, int nHeight,
                                        uint32_t* panPixels)
{
    RIR_TRACE("GLRenderDevice::readPixels");
    if (!panPixels || nX < 0 || nY < 0 || nWidth < 1 || nHeight < 1 || nWidth > getWidth() - nX ||
        nHeight > getHeight() - nY)
        return RENDER_ERR_BAD_ARGUMENT;
    std::vector<uint8_t> abRows((size_t)nWidth * (size_t)nHeight * 4);
    clearGLErrors();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(nX, getHeight() - nY - nHeight, nWidth, nHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                 abRows.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    if (glGetError() != GL_NO_ERROR)
        return RENDER_ERR_FAILED;
    // OpenGL's rows run from the bottom up.
    for (int y = 0; y < nHeight; ++y)
    {
        const uint8_t* pRow = &abRows[(size_t)(nHeight - 1 - y) * (size_t)nWidth * 4];
        for (int x = 0; x < nWidth; ++x)
        {
            const uint8_t* p = pRow + x * 4;
            panPixels[(size_t)y * (size_t)nWidth + (size_t)x] =
                ((uint32_t)p[0] << 16) | ((uint32_t)p[1] << 8) | (uint32_t)p[2];
        }
    }
    return RENDER_OK;
}
