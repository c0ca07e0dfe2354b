#include "platform/gl/recordingrenderdevice.h"

#include "platform/gl/recordingrenderdisplay.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

RecordingRenderDevice::RecordingRenderDevice(RecordingRenderDisplay* pDisplay, int nWidth,
                                             int nHeight, bool bStencil, int nMaxTextureSize)
    : RenderDeviceBase(nWidth, nHeight, bStencil, bStencil, nMaxTextureSize), m_pDisplay(pDisplay)
{
    RIR_TRACE("RecordingRenderDevice::RecordingRenderDevice");
    RIR_ASSERT(pDisplay);
}

RecordingRenderDevice::~RecordingRenderDevice()
{
    RIR_TRACE("RecordingRenderDevice::~RecordingRenderDevice");
    // Textures still held stop recording now, while the log certainly exists.
    loseAllTextures();
}

RecordingRenderLog& RecordingRenderDevice::getLog() const
{
    return m_pDisplay->getLog();
}

RenderResult RecordingRenderDevice::beginScene()
{
    RIR_TRACE("RecordingRenderDevice::beginScene");
    RenderResult eResult = getLog().takeFailure(CALL_BEGIN_SCENE);
    if (!isRenderFailure(eResult) && m_pDisplay->isDisplayLost())
        eResult = RENDER_ERR_DISPLAY_LOST;
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::beginScene();
    getLog().add(CALL_BEGIN_SCENE).eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::endScene()
{
    RIR_TRACE("RecordingRenderDevice::endScene");
    RenderResult eResult = getLog().takeFailure(CALL_END_SCENE);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::endScene();
    getLog().add(CALL_END_SCENE).eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::clear(uint32_t nFlags, uint32_t nColor, float fDepth,
                                          uint32_t nStencil)
{
    RIR_TRACE("RecordingRenderDevice::clear");
    RenderResult eResult = getLog().takeFailure(CALL_CLEAR);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::clear(nFlags, nColor, fDepth, nStencil);
    RenderRecord& record = getLog().add(CALL_CLEAR);
    record.nClearFlags = nFlags;
    record.nColor = nColor;
    record.fDepth = fDepth;
    record.nStencil = nStencil;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::setRenderState(RenderState eState, uint32_t nValue)
{
    RIR_TRACE("RecordingRenderDevice::setRenderState");
    RenderResult eResult = getLog().takeFailure(CALL_SET_RENDER_STATE);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::setRenderState(eState, nValue);
    RenderRecord& record = getLog().add(CALL_SET_RENDER_STATE);
    record.nState = eState;
    record.nValue = nValue;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::setStageState(StageState eState, uint32_t nValue)
{
    RIR_TRACE("RecordingRenderDevice::setStageState");
    RenderResult eResult = getLog().takeFailure(CALL_SET_STAGE_STATE);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::setStageState(eState, nValue);
    RenderRecord& record = getLog().add(CALL_SET_STAGE_STATE);
    record.nState = eState;
    record.nValue = nValue;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::setTexture(RenderTexture* pTexture)
{
    RIR_TRACE("RecordingRenderDevice::setTexture");
    RenderResult eResult = getLog().takeFailure(CALL_SET_TEXTURE);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::setTexture(pTexture);
    RenderRecord& record = getLog().add(CALL_SET_TEXTURE);
    record.nTexture = pTexture ? pTexture->getId() : 0;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::setTransform(TransformKind eKind, const RenderMatrix& matrix)
{
    RIR_TRACE("RecordingRenderDevice::setTransform");
    RenderResult eResult = getLog().takeFailure(CALL_SET_TRANSFORM);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::setTransform(eKind, matrix);
    RenderRecord& record = getLog().add(CALL_SET_TRANSFORM);
    record.eTransform = eKind;
    record.matrix = matrix;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::setViewport(const RenderViewport& viewport)
{
    RIR_TRACE("RecordingRenderDevice::setViewport");
    RenderResult eResult = getLog().takeFailure(CALL_SET_VIEWPORT);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::setViewport(viewport);
    RenderRecord& record = getLog().add(CALL_SET_VIEWPORT);
    record.viewport = viewport;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::drawPrimitive(PrimitiveKind eKind,
                                                  const RenderVertex* pVertices, int nCount)
{
    RIR_TRACE("RecordingRenderDevice::drawPrimitive");
    RenderResult eResult = getLog().takeFailure(CALL_DRAW_PRIMITIVE);
    if (!isRenderFailure(eResult))
        eResult = RenderDeviceBase::drawPrimitive(eKind, pVertices, nCount);
    RenderRecord& record = getLog().add(CALL_DRAW_PRIMITIVE);
    record.ePrimitive = eKind;
    if (pVertices && nCount > 0)
        record.lVertices.assign(pVertices, pVertices + nCount);
    record.state = getState();
    record.nTexture = getState().nTextureId;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::createTexture(int nWidth, int nHeight, bool bAlpha,
                                                  RenderTexture** ppTexture)
{
    RIR_TRACE("RecordingRenderDevice::createTexture");
    RenderResult eResult = getLog().takeFailure(CALL_CREATE_TEXTURE);
    if (isRenderFailure(eResult))
    {
        if (ppTexture)
            *ppTexture = nullptr;
    }
    else
        eResult = RenderDeviceBase::createTexture(nWidth, nHeight, bAlpha, ppTexture);
    RenderRecord& record = getLog().add(CALL_CREATE_TEXTURE);
    record.nWidth = nWidth;
    record.nHeight = nHeight;
    record.bAlpha = bAlpha;
    record.nTexture = (ppTexture && *ppTexture) ? (*ppTexture)->getId() : 0;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDevice::onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                                    RenderTexture** ppTexture)
{
    RIR_TRACE("RecordingRenderDevice::onCreateTexture");
    *ppTexture = new RecordingRenderTexture(this, nId, nWidth, nHeight, bAlpha);
    return RENDER_OK;
}

RecordingRenderTexture::RecordingRenderTexture(RecordingRenderDevice* pDevice, int nId, int nWidth,
                                               int nHeight, bool bAlpha)
    : MemoryRenderTexture(pDevice, nId, nWidth, nHeight, bAlpha, true)
{
    RIR_TRACE("RecordingRenderTexture::RecordingRenderTexture");
}

RecordingRenderTexture::~RecordingRenderTexture()
{
    RIR_TRACE("RecordingRenderTexture::~RecordingRenderTexture");
    RecordingRenderDevice* pDevice = getRecordingDevice();
    if (pDevice)
        pDevice->getLog().add(CALL_DELETE_TEXTURE).nTexture = getId();
}

RecordingRenderDevice* RecordingRenderTexture::getRecordingDevice() const
{
    return static_cast<RecordingRenderDevice*>(getDeviceBase());
}

RenderResult RecordingRenderTexture::lock(TextureLock* pLock)
{
    RIR_TRACE("RecordingRenderTexture::lock");
    RecordingRenderDevice* pDevice = getRecordingDevice();
    RenderResult eResult = pDevice ? pDevice->getLog().takeFailure(CALL_LOCK_TEXTURE) : RENDER_OK;
    if (!isRenderFailure(eResult))
        eResult = MemoryRenderTexture::lock(pLock);
    if (pDevice)
    {
        RenderRecord& record = pDevice->getLog().add(CALL_LOCK_TEXTURE);
        record.nTexture = getId();
        record.eResult = eResult;
    }
    return eResult;
}

RenderResult RecordingRenderTexture::unlock()
{
    RIR_TRACE("RecordingRenderTexture::unlock");
    RecordingRenderDevice* pDevice = getRecordingDevice();
    RenderResult eResult = pDevice ? pDevice->getLog().takeFailure(CALL_UNLOCK_TEXTURE) : RENDER_OK;
    if (!isRenderFailure(eResult))
        eResult = MemoryRenderTexture::unlock();
    if (pDevice)
    {
        RenderRecord& record = pDevice->getLog().add(CALL_UNLOCK_TEXTURE);
        record.nTexture = getId();
        record.eResult = eResult;
    }
    return eResult;
}
