// D3D7VideoDriver: beginning and presenting a scene, and recovering a lost display.
#include "platform/d3d7/d3d7videodriver.h"

#include "platform/gl/glrenderdevice.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>

namespace
{

// The application state in which a scene that cannot begin calls for a new mode rather than a
// skipped frame: pointer inside, keyboard focus, not iconified.
const int FULLY_ACTIVE = SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS | SDL_APPACTIVE;

// Presenting is asked again while the previous frame is still being drawn; a device that never
// finishes drops the frame instead of hanging the program.
const int MAX_PRESENT_TRIES = 1000;

} // namespace

bool D3D7VideoDriver::beginScene()
{
    RIR_TRACE("D3D7VideoDriver::beginScene");
    if (!m_pDisplay || !getDevice())
        return false;
    RenderResult eLevel = m_pDisplay->testCooperativeLevel();
    bool bRecover = false;
    if (isRenderFailure(eLevel))
    {
        // A window whose display mode changed is rebuilt at once; anything else (a full-screen
        // display that is not ours) skips frames until it is ours again.
        if (eLevel != RENDER_ERR_WRONG_MODE || isFullscreen())
            return false;
        bRecover = true;
    }
    else if (isRenderFailure(getDevice()->beginScene()))
    {
        if ((readAppState() & FULLY_ACTIVE) != FULLY_ACTIVE)
            return false;
        bRecover = true;
    }
    if (bRecover)
    {
        RIR_TRACE_LINE();
        recoverDevice();
    }

    if (isStencilUsed())
    {
        checkResult(getDevice()->clear(RenderDevice::CLEAR_STENCIL, 0, 0.0f, 0));
        setStencilUsed(false);
    }
    return true;
}

// Sets the whole mode again (a new display and device; every texture is rebuilt on use) and
// begins the scene on it.
void D3D7VideoDriver::recoverDevice()
{
    RIR_TRACE("D3D7VideoDriver::recoverDevice");
    RIR_TRACE_LINE();
    setVideoMode(getWidth(), getHeight(), getFlags());
    RenderDevice* pDevice = getDevice();
    if (!pDevice || checkResult(pDevice->beginScene()))
        RIR_THROW(FatalErrorException, "Couldn't reset video mode");
}

void D3D7VideoDriver::present()
{
    RIR_TRACE("D3D7VideoDriver::present");
    RenderDevice* pDevice = getDevice();
    if (!m_pDisplay || !pDevice)
        return;
    RIR_TRACE_LINE();
    drawBorders();
    checkResult(pDevice->endScene());
    if (m_bCaptureRequested)
        captureFrame();

    RIR_TRACE_LINE();
    RenderResult eResult = m_pDisplay->present();
    for (int nTry = 1; eResult == RENDER_ERR_STILL_DRAWING && nTry < MAX_PRESENT_TRIES; ++nTry)
        eResult = m_pDisplay->present();
    // The picture's memory went away: it is brought back, and this frame is not shown. The next
    // beginScene decides whether the mode must be set again.
    if (eResult == RENDER_ERR_SURFACE_LOST)
        checkResult(m_pDisplay->restore());
}

// Reads the frame just drawn, before it is shown (only a display that keeps pixels can).
void D3D7VideoDriver::captureFrame()
{
    RIR_TRACE("D3D7VideoDriver::captureFrame");
    m_bCaptureRequested = false;
    GLRenderDevice* pDevice = dynamic_cast<GLRenderDevice*>(getDevice());
    if (!pDevice)
        return;
    FrameCapture capture;
    capture.nWidth = pDevice->getWidth();
    capture.nHeight = pDevice->getHeight();
    capture.lPixels.resize((size_t)capture.nWidth * (size_t)capture.nHeight);
    RIR_TRACE_LINE();
    if (checkResult(
            pDevice->readPixels(0, 0, capture.nWidth, capture.nHeight, capture.lPixels.data())))
        return;
    m_capture = std::move(capture);
    m_bCaptureDone = true;
}

bool D3D7VideoDriver::takeFrameCapture(FrameCapture* pCapture)
{
    RIR_TRACE("D3D7VideoDriver::takeFrameCapture");
    if (!m_bCaptureDone || !pCapture)
        return false;
    *pCapture = std::move(m_capture);
    m_capture = FrameCapture();
    m_bCaptureDone = false;
    return true;
}
