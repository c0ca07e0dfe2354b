#include "platform/gl/memorytexture.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <new>

MemoryRenderTexture::MemoryRenderTexture(RenderDeviceBase* pDevice, int nId, int nWidth,
                                         int nHeight, bool bAlpha, bool bKeepPixels)
    : RenderTexture(pDevice, nId, nWidth, nHeight, bAlpha), m_bKeepPixels(bKeepPixels),
      m_nUploadCount(0)
{
    RIR_TRACE("MemoryRenderTexture::MemoryRenderTexture");
    if (m_bKeepPixels)
        m_abPixels.assign((size_t)nWidth * (size_t)nHeight * 4, 0);
}

MemoryRenderTexture::~MemoryRenderTexture()
{
    RIR_TRACE("MemoryRenderTexture::~MemoryRenderTexture");
}

uint32_t MemoryRenderTexture::getTexel(int nX, int nY) const
{
    RIR_TRACE("MemoryRenderTexture::getTexel");
    if (nX < 0 || nY < 0 || nX >= getWidth() || nY >= getHeight())
        RIR_THROW(BadParmException,
                  RIR::String::format("MemoryRenderTexture::getTexel : (%d, %d) outside %dx%d", nX,
                                      nY, getWidth(), getHeight())
                      .c_str());
    if (!m_bKeepPixels)
        return 0;
    const uint8_t* pTexel = &m_abPixels[((size_t)nY * (size_t)getWidth() + (size_t)nX) * 4];
    uint32_t nAlpha = hasAlpha() ? pTexel[3] : 0xFFu;
    return (nAlpha << 24) | ((uint32_t)pTexel[0] << 16) | ((uint32_t)pTexel[1] << 8) | pTexel[2];
}

RenderResult MemoryRenderTexture::onLock(TextureLock* pLock)
{
    RIR_TRACE("MemoryRenderTexture::onLock");
    std::vector<uint8_t>* pMemory = &m_abPixels;
    if (!m_bKeepPixels)
    {
        try
        {
            m_abLent.assign((size_t)getWidth() * (size_t)getHeight() * 4, 0);
        }
        catch (const std::bad_alloc&)
        {
            return RENDER_ERR_OUT_OF_MEMORY;
        }
        pMemory = &m_abLent;
    }
    pLock->pPixels = pMemory->data();
    pLock->nPitch = getWidth() * 4;
    return RENDER_OK;
}

RenderResult MemoryRenderTexture::onUnlock(bool bLost)
{
    RIR_TRACE("MemoryRenderTexture::onUnlock");
    std::vector<uint8_t>().swap(m_abLent);
    if (!bLost)
        ++m_nUploadCount;
    return RENDER_OK;
}
