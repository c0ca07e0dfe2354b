#include "platform/gl/rendertexture.h"

#include "platform/gl/renderdevicebase.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// The texel bytes are R, G, B, A in memory whatever the machine's byte order.
constexpr bool isLittleEndian()
{
    return __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
}

} // namespace

RenderTexture::RenderTexture(RenderDeviceBase* pDevice, int nId, int nWidth, int nHeight,
                             bool bAlpha)
    : m_pDevice(pDevice), m_nId(nId), m_nWidth(nWidth), m_nHeight(nHeight), m_bAlpha(bAlpha),
      m_bLocked(false)
{
    RIR_TRACE("RenderTexture::RenderTexture");
    RIR_ASSERT(pDevice);
    m_pDevice->addTexture(this);
}

RenderTexture::~RenderTexture()
{
    RIR_TRACE("RenderTexture::~RenderTexture");
    if (m_pDevice)
        m_pDevice->forgetTexture(this);
}

RenderDevice* RenderTexture::getDevice() const
{
    return m_pDevice;
}

RenderResult RenderTexture::lock(TextureLock* pLock)
{
    RIR_TRACE("RenderTexture::lock");
    if (!pLock)
        return RENDER_ERR_BAD_ARGUMENT;
    if (m_bLocked)
        return RENDER_ERR_BAD_STATE;
    if (!m_pDevice)
        return RENDER_ERR_NO_DEVICE;
    pLock->pPixels = nullptr;
    pLock->nPitch = 0;
    pLock->nWidth = m_nWidth;
    pLock->nHeight = m_nHeight;
    pLock->nBitsPerPixel = 32;
    pLock->nRedMask = redMask();
    pLock->nGreenMask = greenMask();
    pLock->nBlueMask = blueMask();
    pLock->nAlphaMask = m_bAlpha ? alphaMask() : 0;
    RIR_TRACE_LINE();
    RenderResult eResult = onLock(pLock);
    if (isRenderFailure(eResult))
    {
        pLock->pPixels = nullptr;
        return eResult;
    }
    m_bLocked = true;
    return RENDER_OK;
}

RenderResult RenderTexture::unlock()
{
    RIR_TRACE("RenderTexture::unlock");
    if (!m_bLocked)
        return RENDER_ERR_BAD_STATE;
    m_bLocked = false;
    RIR_TRACE_LINE();
    RenderResult eResult = onUnlock(m_pDevice == nullptr);
    if (!m_pDevice && !isRenderFailure(eResult))
        eResult = RENDER_ERR_NO_DEVICE;
    return eResult;
}

uint32_t RenderTexture::redMask()
{
    return isLittleEndian() ? 0x000000FFu : 0xFF000000u;
}

uint32_t RenderTexture::greenMask()
{
    return isLittleEndian() ? 0x0000FF00u : 0x00FF0000u;
}

uint32_t RenderTexture::blueMask()
{
    return isLittleEndian() ? 0x00FF0000u : 0x0000FF00u;
}

uint32_t RenderTexture::alphaMask()
{
    return isLittleEndian() ? 0xFF000000u : 0x000000FFu;
}
