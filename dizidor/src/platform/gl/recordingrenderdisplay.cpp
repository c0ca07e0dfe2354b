#include "platform/gl/recordingrenderdisplay.h"

#include "rir2/calltrace.h"

RecordingRenderDisplay::RecordingRenderDisplay()
    : m_mode(), m_nDisplayBpp(32), m_bStencilAvailable(true),
      m_nMaxTextureSize(DEFAULT_MAX_TEXTURE_SIZE), m_bDisplayLost(false), m_bWrongMode(false)
{
    RIR_TRACE("RecordingRenderDisplay::RecordingRenderDisplay");
}

RecordingRenderDisplay::~RecordingRenderDisplay()
{
    RIR_TRACE("RecordingRenderDisplay::~RecordingRenderDisplay");
    m_pDevice.reset();
}

RenderResult RecordingRenderDisplay::setMode(const DisplayMode& mode)
{
    RIR_TRACE("RecordingRenderDisplay::setMode");
    RenderResult eResult = m_log.takeFailure(CALL_SET_MODE);
    // The previous mode goes in any case, as on a real display.
    m_pDevice.reset();
    m_mode = DisplayMode();
    if (!isRenderFailure(eResult))
    {
        if (mode.nWidth < 1 || mode.nHeight < 1 || mode.nDepth < 0)
            eResult = RENDER_ERR_BAD_ARGUMENT;
        else if (mode.bStencil && !m_bStencilAvailable)
            eResult = RENDER_ERR_NO_STENCIL;
    }
    if (!isRenderFailure(eResult))
    {
        m_mode = mode;
        if (m_mode.nDepth == 0)
            m_mode.nDepth = m_nDisplayBpp;
        m_bDisplayLost = false;
        m_bWrongMode = false;
        m_pDevice.reset(new RecordingRenderDevice(this, mode.nWidth, mode.nHeight, mode.bStencil,
                                                  m_nMaxTextureSize));
    }
    RenderRecord& record = m_log.add(CALL_SET_MODE);
    record.mode = mode;
    record.eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDisplay::testCooperativeLevel()
{
    RIR_TRACE("RecordingRenderDisplay::testCooperativeLevel");
    RenderResult eResult = m_log.takeFailure(CALL_TEST_COOPERATIVE_LEVEL);
    if (!isRenderFailure(eResult))
    {
        if (!m_pDevice)
            eResult = RENDER_ERR_NO_DEVICE;
        else if (m_bDisplayLost)
            eResult = RENDER_ERR_DISPLAY_LOST;
        else if (m_bWrongMode)
            eResult = RENDER_ERR_WRONG_MODE;
    }
    m_log.add(CALL_TEST_COOPERATIVE_LEVEL).eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDisplay::present()
{
    RIR_TRACE("RecordingRenderDisplay::present");
    RenderResult eResult = m_log.takeFailure(CALL_PRESENT);
    if (!isRenderFailure(eResult))
    {
        if (!m_pDevice)
            eResult = RENDER_ERR_NO_DEVICE;
        else if (m_bDisplayLost)
            eResult = RENDER_ERR_SURFACE_LOST;
    }
    m_log.add(CALL_PRESENT).eResult = eResult;
    return eResult;
}

RenderResult RecordingRenderDisplay::restore()
{
    RIR_TRACE("RecordingRenderDisplay::restore");
    RenderResult eResult = m_log.takeFailure(CALL_RESTORE);
    if (!isRenderFailure(eResult) && !m_pDevice)
        eResult = RENDER_ERR_NO_DEVICE;
    m_log.add(CALL_RESTORE).eResult = eResult;
    return eResult;
}

void RecordingRenderDisplay::release()
{
    RIR_TRACE("RecordingRenderDisplay::release");
    m_pDevice.reset();
    m_mode = DisplayMode();
    m_log.add(CALL_RELEASE);
}
