#include "platform/gl/renderdevicebase.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <vector>

namespace
{

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

bool isTransformKind(TransformKind eKind)
{
    return (int)eKind >= 0 && (int)eKind < TRANSFORM_KIND_COUNT;
}

} // namespace

RenderDeviceBase::RenderDeviceBase(int nWidth, int nHeight, bool bDepthBuffer, bool bStencilBuffer,
                                   int nMaxTextureSize)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_bDepthBuffer(bDepthBuffer),
      m_bStencilBuffer(bStencilBuffer), m_nMaxTextureSize(nMaxTextureSize), m_pTexture(nullptr),
      m_nLastTextureId(0)
{
    RIR_TRACE("RenderDeviceBase::RenderDeviceBase");
    RIR_ASSERT(nWidth > 0 && nHeight > 0 && nMaxTextureSize > 0);
    for (int i = 0; i < RS_COUNT; ++i)
        m_state.anRenderState[i] = renderStateDefault((RenderState)i);
    for (int i = 0; i < TS_COUNT; ++i)
        m_state.anStageState[i] = stageStateDefault((StageState)i);
    m_state.viewport = RenderViewport{0, 0, nWidth, nHeight, 0.0f, 1.0f};
    m_state.nTextureId = 0;
    m_state.bInScene = false;
}

RenderDeviceBase::~RenderDeviceBase()
{
    RIR_TRACE("RenderDeviceBase::~RenderDeviceBase");
    loseAllTextures();
}

void RenderDeviceBase::loseAllTextures()
{
    RIR_TRACE("RenderDeviceBase::loseAllTextures");
    std::vector<RenderTexture*> lTextures(m_setTextures.begin(), m_setTextures.end());
    m_setTextures.clear();
    m_pTexture = nullptr;
    m_state.nTextureId = 0;
    for (RenderTexture* pTexture : lTextures)
    {
        pTexture->onDeviceGone();
        pTexture->m_pDevice = nullptr;
    }
}

void RenderDeviceBase::addTexture(RenderTexture* pTexture)
{
    m_setTextures.insert(pTexture);
}

void RenderDeviceBase::forgetTexture(RenderTexture* pTexture)
{
    RIR_TRACE("RenderDeviceBase::forgetTexture");
    if (m_pTexture == pTexture)
    {
        m_pTexture = nullptr;
        m_state.nTextureId = 0;
        onTexture(nullptr);
    }
    m_setTextures.erase(pTexture);
}

RenderResult RenderDeviceBase::beginScene()
{
    RIR_TRACE("RenderDeviceBase::beginScene");
    if (m_state.bInScene)
        return RENDER_ERR_BAD_STATE;
    RenderResult eResult = onBeginScene();
    if (!isRenderFailure(eResult))
        m_state.bInScene = true;
    return eResult;
}

RenderResult RenderDeviceBase::endScene()
{
    RIR_TRACE("RenderDeviceBase::endScene");
    if (!m_state.bInScene)
        return RENDER_ERR_BAD_STATE;
    RenderResult eResult = onEndScene();
    // The scene is over whatever the device says: the next frame begins afresh.
    m_state.bInScene = false;
    return eResult;
}

RenderResult RenderDeviceBase::clear(uint32_t nFlags, uint32_t nColor, float fDepth,
                                     uint32_t nStencil)
{
    RIR_TRACE("RenderDeviceBase::clear");
    if (nFlags == 0 || (nFlags & ~(uint32_t)CLEAR_ALL) != 0 || !(fDepth >= 0.0f && fDepth <= 1.0f))
        return RENDER_ERR_BAD_ARGUMENT;
    // Only the buffers that exist: the colour is cleared even when a missing stencil or depth
    // buffer was named too.
    if (!m_bDepthBuffer)
        nFlags &= ~(uint32_t)CLEAR_DEPTH;
    if (!m_bStencilBuffer)
        nFlags &= ~(uint32_t)CLEAR_STENCIL;
    if (nFlags == 0)
        return RENDER_OK;
    return onClear(nFlags, nColor, fDepth, nStencil);
}

RenderResult RenderDeviceBase::setRenderState(RenderState eState, uint32_t nValue)
{
    RIR_TRACE("RenderDeviceBase::setRenderState");
    if (!isValidRenderState(eState, nValue))
        return RENDER_ERR_BAD_ARGUMENT;
    RenderResult eResult = onRenderState(eState, nValue);
    if (!isRenderFailure(eResult))
        m_state.anRenderState[eState] = nValue;
    return eResult;
}

RenderResult RenderDeviceBase::setStageState(StageState eState, uint32_t nValue)
{
    RIR_TRACE("RenderDeviceBase::setStageState");
    if (!isValidStageState(eState, nValue))
        return RENDER_ERR_BAD_ARGUMENT;
    RenderResult eResult = onStageState(eState, nValue);
    if (!isRenderFailure(eResult))
        m_state.anStageState[eState] = nValue;
    return eResult;
}

RenderResult RenderDeviceBase::setTexture(RenderTexture* pTexture)
{
    RIR_TRACE("RenderDeviceBase::setTexture");
    if (pTexture && pTexture->m_pDevice != this)
        return RENDER_ERR_BAD_ARGUMENT;
    RenderResult eResult = onTexture(pTexture);
    if (!isRenderFailure(eResult))
    {
        m_pTexture = pTexture;
        m_state.nTextureId = pTexture ? pTexture->getId() : 0;
    }
    return eResult;
}

RenderResult RenderDeviceBase::setTransform(TransformKind eKind, const RenderMatrix& matrix)
{
    RIR_TRACE("RenderDeviceBase::setTransform");
    if (!isTransformKind(eKind))
        return RENDER_ERR_BAD_ARGUMENT;
    RenderResult eResult = onTransform(eKind, matrix);
    if (!isRenderFailure(eResult))
        m_state.aTransform[eKind] = matrix;
    return eResult;
}

RenderResult RenderDeviceBase::setViewport(const RenderViewport& viewport)
{
    RIR_TRACE("RenderDeviceBase::setViewport");
    if (viewport.nX < 0 || viewport.nY < 0 || viewport.nWidth < 1 || viewport.nHeight < 1 ||
        viewport.nWidth > m_nWidth - viewport.nX || viewport.nHeight > m_nHeight - viewport.nY ||
        !(viewport.fMinZ >= 0.0f && viewport.fMinZ <= viewport.fMaxZ && viewport.fMaxZ <= 1.0f))
        return RENDER_ERR_BAD_ARGUMENT;
    RenderResult eResult = onViewport(viewport);
    if (!isRenderFailure(eResult))
        m_state.viewport = viewport;
    return eResult;
}

uint32_t RenderDeviceBase::getRenderState(RenderState eState) const
{
    return ((int)eState >= 0 && (int)eState < RS_COUNT) ? m_state.anRenderState[eState] : 0;
}

uint32_t RenderDeviceBase::getStageState(StageState eState) const
{
    return ((int)eState >= 0 && (int)eState < TS_COUNT) ? m_state.anStageState[eState] : 0;
}

const RenderMatrix& RenderDeviceBase::getTransform(TransformKind eKind) const
{
    static const RenderMatrix s_identity;
    return isTransformKind(eKind) ? m_state.aTransform[eKind] : s_identity;
}

RenderResult RenderDeviceBase::drawPrimitive(PrimitiveKind eKind, const RenderVertex* pVertices,
                                             int nCount)
{
    RIR_TRACE("RenderDeviceBase::drawPrimitive");
    if ((int)eKind < 0 || (int)eKind >= PRIMITIVE_KIND_COUNT || !pVertices || nCount < 3 ||
        (eKind == PRIM_TRIANGLE_LIST && nCount % 3 != 0))
        return RENDER_ERR_BAD_ARGUMENT;
    if (!m_state.bInScene)
        return RENDER_ERR_BAD_STATE;
    return onDraw(eKind, pVertices, nCount);
}

RenderResult RenderDeviceBase::createTexture(int nWidth, int nHeight, bool bAlpha,
                                             RenderTexture** ppTexture)
{
    RIR_TRACE("RenderDeviceBase::createTexture");
    if (!ppTexture)
        return RENDER_ERR_BAD_ARGUMENT;
    *ppTexture = nullptr;
    if (!isPowerOfTwo(nWidth) || !isPowerOfTwo(nHeight) || nWidth > m_nMaxTextureSize ||
        nHeight > m_nMaxTextureSize)
        return RENDER_ERR_BAD_ARGUMENT;
    RIR_TRACE_LINE();
    RenderTexture* pTexture = nullptr;
    RenderResult eResult =
        onCreateTexture(nWidth, nHeight, bAlpha, m_nLastTextureId + 1, &pTexture);
    if (isRenderFailure(eResult))
    {
        delete pTexture;
        return eResult;
    }
    RIR_ASSERT(pTexture);
    ++m_nLastTextureId;
    *ppTexture = pTexture;
    return eResult;
}
