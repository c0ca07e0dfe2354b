// RecordingRenderDevice and RecordingRenderTexture: the device and textures of a
// RecordingRenderDisplay, for tests of the drivers above them.
//
// The device draws nothing; it checks and keeps states like every device of this layer
// (RenderDeviceBase) and writes every call, with its arguments and result, into the display's
// RecordingRenderLog; a draw record also copies the vertices and all states of the moment. A
// call that the log is told to fail answers that failure, changes nothing and is recorded too.
// While the display is lost (RecordingRenderDisplay::setDisplayLost), beginScene answers
// RENDER_ERR_DISPLAY_LOST.
//
// Its textures keep their pixels (MemoryRenderTexture::getTexel reads what was uploaded) and
// record lock, unlock and deletion while their device exists.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RECORDINGRENDERDEVICE_H
#define DIZIDOR_PLATFORM_GL_RECORDINGRENDERDEVICE_H

#include "platform/gl/memorytexture.h"
#include "platform/gl/recordingrenderlog.h"
#include "platform/gl/renderdevicebase.h"

class RecordingRenderDisplay;

class RecordingRenderDevice : public RenderDeviceBase
{
public:
    // The device of pDisplay's mode, recording into its log.
    RecordingRenderDevice(RecordingRenderDisplay* pDisplay, int nWidth, int nHeight, bool bStencil,
                          int nMaxTextureSize);
    ~RecordingRenderDevice() override;

    RenderResult beginScene() override;
    RenderResult endScene() override;
    RenderResult clear(uint32_t nFlags, uint32_t nColor, float fDepth, uint32_t nStencil) override;
    RenderResult setRenderState(RenderState eState, uint32_t nValue) override;
    RenderResult setStageState(StageState eState, uint32_t nValue) override;
    RenderResult setTexture(RenderTexture* pTexture) override;
    RenderResult setTransform(TransformKind eKind, const RenderMatrix& matrix) override;
    RenderResult setViewport(const RenderViewport& viewport) override;
    RenderResult drawPrimitive(PrimitiveKind eKind, const RenderVertex* pVertices,
                               int nCount) override;
    RenderResult createTexture(int nWidth, int nHeight, bool bAlpha,
                               RenderTexture** ppTexture) override;

    RecordingRenderLog& getLog() const;

protected:
    RenderResult onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                 RenderTexture** ppTexture) override;

private:
    RecordingRenderDisplay* m_pDisplay; // not owned: the display owns this device
};

class RecordingRenderTexture : public MemoryRenderTexture
{
public:
    RecordingRenderTexture(RecordingRenderDevice* pDevice, int nId, int nWidth, int nHeight,
                           bool bAlpha);
    // Records the deletion while the device exists.
    ~RecordingRenderTexture() override;

    RenderResult lock(TextureLock* pLock) override;
    RenderResult unlock() override;

private:
    // The device while it exists; null when lost.
    RecordingRenderDevice* getRecordingDevice() const;
};

#endif
