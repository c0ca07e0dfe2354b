#include "platform/gl/nullrenderdevice.h"

#include "platform/gl/memorytexture.h"

#include "rir2/calltrace.h"

NullRenderDevice::NullRenderDevice(int nWidth, int nHeight, bool bStencil)
    : RenderDeviceBase(nWidth, nHeight, bStencil, bStencil, MAX_TEXTURE_SIZE)
{
    RIR_TRACE("NullRenderDevice::NullRenderDevice");
}

NullRenderDevice::~NullRenderDevice()
{
    RIR_TRACE("NullRenderDevice::~NullRenderDevice");
}

RenderResult NullRenderDevice::onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                               RenderTexture** ppTexture)
{
    RIR_TRACE("NullRenderDevice::onCreateTexture");
    *ppTexture = new MemoryRenderTexture(this, nId, nWidth, nHeight, bAlpha, false);
    return RENDER_OK;
}
