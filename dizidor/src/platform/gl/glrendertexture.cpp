#include "platform/gl/glrendertexture.h"

#include "platform/gl/glrenderdevice.h"

#include "rir2/calltrace.h"

#include <GL/gl.h>

#include <new>

GLRenderTexture::GLRenderTexture(GLRenderDevice* pDevice, int nId, int nWidth, int nHeight,
                                 bool bAlpha, unsigned nName)
    : RenderTexture(pDevice, nId, nWidth, nHeight, bAlpha), m_nName(nName), m_bUploaded(false),
      m_shown(findShownTexels(nullptr, nWidth, nHeight, false))
{
    RIR_TRACE("GLRenderTexture::GLRenderTexture");
    m_anApplied[0] = TEXFILTER_LINEAR;
    m_anApplied[1] = TEXFILTER_LINEAR;
    m_anApplied[2] = TEXADDR_CLAMP;
    m_anApplied[3] = TEXADDR_CLAMP;
    if (bAlpha)
        m_shown = ShownTexels{0, 0, 0, 0};
}

GLRenderTexture::~GLRenderTexture()
{
    RIR_TRACE("GLRenderTexture::~GLRenderTexture");
    GLRenderDevice* pDevice = getGLDevice();
    if (pDevice && m_nName)
    {
        pDevice->forgetTextureName(m_nName);
        GLuint nName = m_nName;
        glDeleteTextures(1, &nName);
    }
    m_nName = 0;
}

GLRenderDevice* GLRenderTexture::getGLDevice() const
{
    return static_cast<GLRenderDevice*>(getDeviceBase());
}

RenderResult GLRenderTexture::onLock(TextureLock* pLock)
{
    RIR_TRACE("GLRenderTexture::onLock");
    try
    {
        m_abLocked.assign((size_t)getWidth() * (size_t)getHeight() * 4, 0);
    }
    catch (const std::bad_alloc&)
    {
        return RENDER_ERR_OUT_OF_MEMORY;
    }
    if (m_bUploaded)
    {
        RIR_TRACE_LINE();
        RenderResult eResult = getGLDevice()->downloadTexture(*this, m_abLocked.data());
        if (isRenderFailure(eResult))
        {
            std::vector<uint8_t>().swap(m_abLocked);
            return eResult;
        }
    }
    pLock->pPixels = m_abLocked.data();
    pLock->nPitch = getWidth() * 4;
    return RENDER_OK;
}

RenderResult GLRenderTexture::onUnlock(bool bLost)
{
    RIR_TRACE("GLRenderTexture::onUnlock");
    RenderResult eResult = RENDER_OK;
    if (!bLost)
    {
        RIR_TRACE_LINE();
        eResult = getGLDevice()->uploadTexture(*this, m_abLocked.data());
        if (!isRenderFailure(eResult))
            m_bUploaded = true;
    }
    std::vector<uint8_t>().swap(m_abLocked);
    return eResult;
}

void GLRenderTexture::onDeviceGone()
{
    RIR_TRACE("GLRenderTexture::onDeviceGone");
    if (m_nName)
    {
        GLuint nName = m_nName;
        glDeleteTextures(1, &nName);
        m_nName = 0;
    }
}
