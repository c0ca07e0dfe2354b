// RenderDeviceBase: what every RenderDevice of this layer shares.
//
// It checks every call's arguments and state, keeps the current states (RenderDeviceState), and
// keeps the list of its live textures: a texture that is deleted is taken off the device first,
// and when the device goes every texture still held is told to release its device resources and
// becomes lost. A derived device only carries the calls out, through the on... hooks, which run
// after the checks and before the state is stored; a failing hook leaves the stored state as it
// was.
//
// The clear hook gets only the flags of buffers that exist (a stencil clear without a stencil
// buffer reaches it without CLEAR_STENCIL, and not at all when nothing is left).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RENDERDEVICEBASE_H
#define DIZIDOR_PLATFORM_GL_RENDERDEVICEBASE_H

#include "platform/gl/renderdevice.h"

#include <unordered_set>

// The states of a device at one moment.
struct RenderDeviceState
{
    uint32_t anRenderState[RS_COUNT];
    uint32_t anStageState[TS_COUNT];
    RenderMatrix aTransform[TRANSFORM_KIND_COUNT];
    RenderViewport viewport;
    // The id of the texture set; 0 for none.
    int32_t nTextureId;
    bool bInScene;
};

class RenderDeviceBase : public RenderDevice
{
public:
    // A picture of nWidth x nHeight (at least 1 x 1), with the buffers named; textures up to
    // nMaxTextureSize. The default states, identity transforms, the whole picture as viewport,
    // no texture, no scene.
    RenderDeviceBase(int nWidth, int nHeight, bool bDepthBuffer, bool bStencilBuffer,
                     int nMaxTextureSize);
    // Every texture still held becomes lost.
    ~RenderDeviceBase() override;

    RenderDeviceBase(const RenderDeviceBase&) = delete;
    RenderDeviceBase& operator=(const RenderDeviceBase&) = delete;

    RenderResult beginScene() override;
    RenderResult endScene() override;
    bool isInScene() const override { return m_state.bInScene; }
    RenderResult clear(uint32_t nFlags, uint32_t nColor, float fDepth, uint32_t nStencil) override;
    RenderResult setRenderState(RenderState eState, uint32_t nValue) override;
    RenderResult setStageState(StageState eState, uint32_t nValue) override;
    RenderResult setTexture(RenderTexture* pTexture) override;
    RenderResult setTransform(TransformKind eKind, const RenderMatrix& matrix) override;
    RenderResult setViewport(const RenderViewport& viewport) override;
    uint32_t getRenderState(RenderState eState) const override;
    uint32_t getStageState(StageState eState) const override;
    RenderTexture* getTexture() const override { return m_pTexture; }
    const RenderMatrix& getTransform(TransformKind eKind) const override;
    const RenderViewport& getViewport() const override { return m_state.viewport; }
    RenderResult drawPrimitive(PrimitiveKind eKind, const RenderVertex* pVertices,
                               int nCount) override;
    RenderResult createTexture(int nWidth, int nHeight, bool bAlpha,
                               RenderTexture** ppTexture) override;
    int getMaxTextureSize() const override { return m_nMaxTextureSize; }
    int getWidth() const override { return m_nWidth; }
    int getHeight() const override { return m_nHeight; }
    bool hasDepthBuffer() const override { return m_bDepthBuffer; }
    bool hasStencilBuffer() const override { return m_bStencilBuffer; }

    // All current states at once.
    const RenderDeviceState& getState() const { return m_state; }
    // The textures alive that this device made.
    int getLiveTextureCount() const { return (int)m_setTextures.size(); }

protected:
    virtual RenderResult onBeginScene() { return RENDER_OK; }
    virtual RenderResult onEndScene() { return RENDER_OK; }
    virtual RenderResult onClear(uint32_t /*nFlags*/, uint32_t /*nColor*/, float /*fDepth*/,
                                 uint32_t /*nStencil*/)
    {
        return RENDER_OK;
    }
    virtual RenderResult onRenderState(RenderState /*eState*/, uint32_t /*nValue*/)
    {
        return RENDER_OK;
    }
    virtual RenderResult onStageState(StageState /*eState*/, uint32_t /*nValue*/)
    {
        return RENDER_OK;
    }
    // Also called with null when the texture set is deleted.
    virtual RenderResult onTexture(RenderTexture* /*pTexture*/) { return RENDER_OK; }
    virtual RenderResult onTransform(TransformKind /*eKind*/, const RenderMatrix& /*matrix*/)
    {
        return RENDER_OK;
    }
    virtual RenderResult onViewport(const RenderViewport& /*viewport*/) { return RENDER_OK; }
    virtual RenderResult onDraw(PrimitiveKind /*eKind*/, const RenderVertex* /*pVertices*/,
                                int /*nCount*/)
    {
        return RENDER_OK;
    }
    // Makes the texture (its constructor registers it) with the id given; the sizes are checked.
    virtual RenderResult onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                         RenderTexture** ppTexture) = 0;

    // Tells every live texture that the device goes and makes it lost. A derived device whose
    // textures hold resources calls it in its destructor, while its resources still exist.
    void loseAllTextures();

private:
    friend class RenderTexture;

    void addTexture(RenderTexture* pTexture);
    // The texture is being deleted: taken off the stage when set, then forgotten.
    void forgetTexture(RenderTexture* pTexture);

    int32_t m_nWidth;
    int32_t m_nHeight;
    bool m_bDepthBuffer;
    bool m_bStencilBuffer;
    int32_t m_nMaxTextureSize;
    RenderDeviceState m_state;
    RenderTexture* m_pTexture; // not owned
    int32_t m_nLastTextureId;
    std::unordered_set<RenderTexture*> m_setTextures; // not owned
};

#endif
