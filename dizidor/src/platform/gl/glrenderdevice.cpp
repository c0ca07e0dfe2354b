#include "platform/gl/glrenderdevice.h"

#include "platform/gl/glrendertexture.h"

#include "rir2/calltrace.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <new>

namespace
{

// The most vertices a batch gathers before it goes to OpenGL on its own; its indices are 16-bit.
const size_t MAX_BATCH_VERTICES = 4 * 4096;
const size_t MAX_BATCH_INDICES = 6 * 4096;

// Forgets errors of earlier calls, so that the next glGetError reports only what follows.
void clearGLErrors()
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
    {
    }
}

// The vertices of triangle nTriangle of a primitive, in the order OpenGL takes them: the odd
// triangles of a strip swap their first two corners, so that all keep the strip's winding.
void triangleCorners(PrimitiveKind eKind, int nTriangle, int anCorner[3])
{
    switch (eKind)
    {
    case PRIM_TRIANGLE_STRIP:
        anCorner[0] = (nTriangle & 1) ? nTriangle + 1 : nTriangle;
        anCorner[1] = (nTriangle & 1) ? nTriangle : nTriangle + 1;
        anCorner[2] = nTriangle + 2;
        break;
    case PRIM_TRIANGLE_FAN:
        anCorner[0] = 0;
        anCorner[1] = nTriangle + 1;
        anCorner[2] = nTriangle + 2;
        break;
    default:
        anCorner[0] = 3 * nTriangle;
        anCorner[1] = 3 * nTriangle + 1;
        anCorner[2] = 3 * nTriangle + 2;
        break;
    }
}

} // namespace

GLRenderDevice::GLRenderDevice(int nWidth, int nHeight, bool bDepthBuffer, bool bStencilBuffer,
                               int nMaxTextureSize)
    : RenderDeviceBase(nWidth, nHeight, bDepthBuffer, bStencilBuffer, nMaxTextureSize),
      m_bRenderStatesDirty(true), m_bStageDirty(true), m_bCombinerDirty(true),
      m_bProjectionDirty(true), m_bModelViewDirty(true), m_bTrimStatesDirty(true),
      m_bTrimAllowed(false), m_bTexturing(false), m_nBoundName(0)
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
    // The vertices arrive transformed by world x view.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    m_aBatch.reserve(MAX_BATCH_VERTICES);
    m_anIndices.reserve(MAX_BATCH_INDICES);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    applyViewport(getViewport());
    applyPending();
}

GLRenderDevice::~GLRenderDevice()
{
    RIR_TRACE("GLRenderDevice::~GLRenderDevice");
    flush();
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
    if (m_bProjectionDirty)
        applyProjection();
}

void GLRenderDevice::applyProjection()
{
    RIR_TRACE("GLRenderDevice::applyProjection");
    m_bProjectionDirty = false;
    // After the projection: half a pixel right and down (pixel centres on whole coordinates
    // instead of OpenGL's half-way points), and depth 0..1 onto OpenGL's -1..1.
    const RenderViewport& viewport = getViewport();
    RenderMatrix fixup;
    fixup.at(3, 0) = 1.0f / (float)viewport.nWidth;
    fixup.at(3, 1) = -1.0f / (float)viewport.nHeight;
    fixup.at(2, 2) = 2.0f;
    fixup.at(3, 2) = -1.0f;
    // The row-vector matrix read column by column is OpenGL's column-vector matrix.
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
    flush();
    if (m_nBoundName == nName)
        m_nBoundName = 0;
    m_bStageDirty = true;
}

RenderResult GLRenderDevice::onClear(uint32_t nFlags, uint32_t nColor, float fDepth,
                                     uint32_t nStencil)
{
    RIR_TRACE("GLRenderDevice::onClear");
    flush();
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
    // A clear covers the viewport, not the whole picture. A viewport over the whole picture
    // clears without the scissor, which lets the driver take its fast whole-buffer path.
    const bool bWhole = viewport.nX <= 0 && viewport.nY <= 0 &&
                        viewport.nX + viewport.nWidth >= getWidth() &&
                        viewport.nY + viewport.nHeight >= getHeight();
    if (bWhole)
    {
        glClear(nBits);
        return RENDER_OK;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport.nX, getHeight() - viewport.nY - viewport.nHeight, viewport.nWidth,
              viewport.nHeight);
    glClear(nBits);
    glDisable(GL_SCISSOR_TEST);
    return RENDER_OK;
}

// The state hooks run before the device stores the new value: a flush there still draws the
// batch with the states it was gathered under.
RenderResult GLRenderDevice::onRenderState(RenderState eState, uint32_t nValue)
{
    if (getState().anRenderState[eState] == nValue)
        return RENDER_OK;
    flush();
    m_bRenderStatesDirty = true;
    m_bTrimStatesDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onStageState(StageState eState, uint32_t nValue)
{
    if (getState().anStageState[eState] == nValue)
        return RENDER_OK;
    flush();
    m_bStageDirty = true;
    m_bTrimStatesDirty = true;
    if (eState < TS_MAG_FILTER)
        m_bCombinerDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onTexture(RenderTexture* pTexture)
{
    if (pTexture == getTexture())
        return RENDER_OK;
    flush();
    m_bStageDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onTransform(TransformKind eKind, const RenderMatrix& matrix)
{
    if (getTransform(eKind) == matrix)
        return RENDER_OK;
    if (eKind == TRANSFORM_PROJECTION)
    {
        flush();
        m_bProjectionDirty = true;
    }
    else
    {
        // World and view apply to the vertices as they are gathered: no flush.
        m_bModelViewDirty = true;
    }
    return RENDER_OK;
}

RenderResult GLRenderDevice::onViewport(const RenderViewport& viewport)
{
    RIR_TRACE("GLRenderDevice::onViewport");
    if (getViewport() == viewport)
        return RENDER_OK;
    flush();
    applyViewport(viewport);
    // The half-pixel shift depends on the viewport's size.
    m_bProjectionDirty = true;
    return RENDER_OK;
}

RenderResult GLRenderDevice::onEndScene()
{
    flush();
    return RENDER_OK;
}

RenderResult GLRenderDevice::onDraw(PrimitiveKind eKind, const RenderVertex* pVertices, int nCount)
{
    RIR_TRACE("GLRenderDevice::onDraw");
    const int nTriangles = eKind == PRIM_TRIANGLE_LIST ? nCount / 3 : nCount - 2;
    if (nTriangles <= 0)
        return RENDER_OK;
    // A sprite's quad draws only the part of its texture that can show.
    RenderVertex aTrimmed[4];
    if (eKind == PRIM_TRIANGLE_STRIP && nCount == 4)
    {
        const QuadTrim eTrim = trimDrawnQuad(pVertices, aTrimmed);
        if (eTrim == QUAD_HIDDEN)
            return RENDER_OK;
        if (eTrim == QUAD_TRIMMED)
            pVertices = aTrimmed;
    }
    // The base has checked the count: a list holds whole triangles, so every vertex is used.
    const int nUsed = nCount;
    if ((size_t)nUsed > MAX_BATCH_VERTICES || (size_t)nTriangles * 3 > MAX_BATCH_INDICES)
    {
        // Too big for one batch: drawn in pieces of whole triangles, each on its own.
        const RenderVertex* pNext = pVertices;
        for (int t = 0; t < nTriangles; ++t)
        {
            int anCorner[3];
            triangleCorners(eKind, t, anCorner);
            RenderVertex aTriangle[3] = {pNext[anCorner[0]], pNext[anCorner[1]],
                                         pNext[anCorner[2]]};
            onDraw(PRIM_TRIANGLE_LIST, aTriangle, 3);
        }
        return RENDER_OK;
    }
    if (m_aBatch.size() + (size_t)nUsed > MAX_BATCH_VERTICES ||
        m_anIndices.size() + (size_t)nTriangles * 3 > MAX_BATCH_INDICES)
        flush();
    // A batch begins with OpenGL in step with the states; they stay so until it is sent.
    if (m_aBatch.empty())
        applyPending();
    if (m_bModelViewDirty)
    {
        m_modelView = getTransform(TRANSFORM_WORLD) * getTransform(TRANSFORM_VIEW);
        m_bModelViewDirty = false;
    }
    const uint16_t nBase = (uint16_t)m_aBatch.size();
    for (int v = 0; v < nUsed; ++v)
        gatherVertex(pVertices[v]);
    for (int t = 0; t < nTriangles; ++t)
    {
        int anCorner[3];
        triangleCorners(eKind, t, anCorner);
        for (int c = 0; c < 3; ++c)
            m_anIndices.push_back((uint16_t)(nBase + anCorner[c]));
    }
    return RENDER_OK;
}

QuadTrim GLRenderDevice::trimDrawnQuad(const RenderVertex aQuad[4], RenderVertex aTrimmed[4])
{
    const GLRenderTexture* pTexture = static_cast<const GLRenderTexture*>(getTexture());
    if (!pTexture || pTexture->getName() == 0)
        return QUAD_UNCHANGED;
    if (m_bTrimStatesDirty)
    {
        m_bTrimAllowed = transparentTexelsChangeNothing(getState());
        m_bTrimStatesDirty = false;
    }
    if (!m_bTrimAllowed)
        return QUAD_UNCHANGED;
    return trimQuad(aQuad, pTexture->getShown(), pTexture->getWidth(), pTexture->getHeight(),
                    aTrimmed);
}

void GLRenderDevice::gatherVertex(const RenderVertex& vertex)
{
    m_aBatch.emplace_back();
    BatchVertex& out = m_aBatch.back();
    m_modelView.transform(vertex.x, vertex.y, vertex.z, out.afPosition);
    const uint32_t nColor = vertex.nColor;
    out.abColor[0] = (uint8_t)(nColor >> 16);
    out.abColor[1] = (uint8_t)(nColor >> 8);
    out.abColor[2] = (uint8_t)nColor;
    out.abColor[3] = (uint8_t)(nColor >> 24);
    out.afTexCoord[0] = vertex.u;
    out.afTexCoord[1] = vertex.v;
}

void GLRenderDevice::flush()
{
    if (m_aBatch.empty())
        return;
    RIR_TRACE("GLRenderDevice::flush");
    const GLsizei nStride = (GLsizei)sizeof(BatchVertex);
    const BatchVertex* pFirst = m_aBatch.data();
    glVertexPointer(4, GL_FLOAT, nStride, pFirst->afPosition);
    glColorPointer(4, GL_UNSIGNED_BYTE, nStride, pFirst->abColor);
    glTexCoordPointer(2, GL_FLOAT, nStride, pFirst->afTexCoord);
    glDrawElements(GL_TRIANGLES, (GLsizei)m_anIndices.size(), GL_UNSIGNED_SHORT,
                   m_anIndices.data());
    m_aBatch.clear();
    m_anIndices.clear();
}

RenderResult GLRenderDevice::onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                             RenderTexture** ppTexture)
{
    RIR_TRACE("GLRenderDevice::onCreateTexture");
    flush();
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
    flush();
    if (texture.getName() == 0 || !pPixels)
        return RENDER_ERR_BAD_ARGUMENT;
    clearGLErrors();
    m_bStageDirty = true;
    bindTexture(texture.getName());
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, texture.getWidth(), texture.getHeight(), GL_RGBA,
                    GL_UNSIGNED_BYTE, pPixels);
    if (glGetError() != GL_NO_ERROR)
        return RENDER_ERR_FAILED;
    texture.setShown(findShownTexels((const uint8_t*)pPixels, texture.getWidth(),
                                     texture.getHeight(), texture.hasAlpha()));
    return RENDER_OK;
}

RenderResult GLRenderDevice::downloadTexture(GLRenderTexture& texture, void* pPixels)
{
    RIR_TRACE("GLRenderDevice::downloadTexture");
    flush();
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
    flush();
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
