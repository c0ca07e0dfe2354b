// D3D7VideoDriver: setting a mode, the device's sprite states after it, and the projection.
#include "platform/d3d7/d3d7videodriver.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "app/videoflags.h"
#include "platform/sdl/sdlplatform.h"
#include "platform/sdl/videohost.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

bool D3D7VideoDriver::setVideoMode(int nWidth, int nHeight, int nFlags)
{
    RIR_TRACE("D3D7VideoDriver::setVideoMode");
    if (!SDL3DVideoDriverBase::setVideoMode(nWidth, nHeight, nFlags))
    {
        // Nothing is left to draw with: the user is told and the program ends.
        reportNoVideoMode();
        return false;
    }
    setSpriteStates();
    RIR::appendTraceParams("15)");
    notifyPlatform();
    return true;
}

void D3D7VideoDriver::reportNoVideoMode()
{
    RIR_TRACE("D3D7VideoDriver::reportNoVideoMode");
    showMessageBox("Initialization error",
                   "Can't set your video mode to the appropriate resolution.\r\n"
                   "Please update your video drivers and/or video card.");
    emergencyExit();
}

// The states every sprite is drawn with: no depth test, no culling, no lighting, texture x vertex
// colour in colour and alpha, blending on. The blend factors and the stencil follow each sprite
// (applyRenderStates).
void D3D7VideoDriver::setSpriteStates()
{
    RIR_TRACE("D3D7VideoDriver::setSpriteStates");
    RenderDevice* pDevice = getDevice();
    if (!pDevice)
        return;
    RIR::appendTraceParams("10)");
    checkResult(pDevice->setTransform(TRANSFORM_VIEW, RenderMatrix::identity()));
    RIR::appendTraceParams("11)");
    checkResult(pDevice->setRenderState(RS_DEPTH_TEST, 0));
    checkResult(pDevice->setRenderState(RS_CULL, CULL_NONE));
    checkResult(pDevice->setRenderState(RS_LIGHTING, 0));
    checkResult(pDevice->setRenderState(RS_PERSPECTIVE_TEXTURES, 0));
    RIR::appendTraceParams("13)");
    checkResult(pDevice->setStageState(TS_COLOR_ARG1, TEXARG_TEXTURE));
    checkResult(pDevice->setStageState(TS_COLOR_ARG2, TEXARG_DIFFUSE));
    checkResult(pDevice->setStageState(TS_COLOR_OP, TEXOP_MODULATE));
    checkResult(pDevice->setStageState(TS_ALPHA_ARG1, TEXARG_TEXTURE));
    checkResult(pDevice->setStageState(TS_ALPHA_ARG2, TEXARG_DIFFUSE));
    checkResult(pDevice->setStageState(TS_ALPHA_OP, TEXOP_MODULATE));
    RIR::appendTraceParams("14)");
    checkResult(pDevice->setRenderState(RS_BLEND, 1));
    m_spriteMatrix = RenderMatrix::identity();
}

void D3D7VideoDriver::notifyPlatform()
{
    RIR_TRACE("D3D7VideoDriver::notifyPlatform");
    SDLPlatform* pPlatform = dynamic_cast<SDLPlatform*>(getPlatform());
    if (pPlatform)
        pPlatform->onVideoModeSet();
}

bool D3D7VideoDriver::trySetMode(int nWidth, int nHeight, int nDepth, bool bFullscreen, int nFlags,
                                 int nSDLFlags)
{
    RIR_TRACE("D3D7VideoDriver::trySetMode");
    if (!m_pDisplay)
        return false;
    DisplayMode mode = DisplayMode();
    mode.nWidth = nWidth;
    mode.nHeight = nHeight;
    mode.nDepth = nDepth;
    mode.bFullscreen = bFullscreen;
    mode.nSDLFlags = nSDLFlags;
    mode.bStencil = (nFlags & VF_ZBUFFER) != 0;
    RIR_TRACE_LINE();
    RenderResult eResult = m_pDisplay->setMode(mode);
    if (eResult == RENDER_ERR_NO_STENCIL)
        logPrintf("D: Attach failed : 0x%08X\n", (unsigned)eResult);
    if (isRenderFailure(eResult) || !getDevice())
        return false;

    // The new window starts with SDL's own cursors.
    forgetCursors();
    readParentWindow();
    RenderDevice* pDevice = getDevice();
    RenderViewport viewport = {0, 0, pDevice->getWidth(), pDevice->getHeight(), 0.0f, 1.0f};
    checkResult(pDevice->setViewport(viewport));
    return true;
}

// "--pw a b" names a parent window (a the high, b the low half of its handle) to embed the
// game's window into. There is no such embedding here: the words are read and ignored, and
// missing or non-numeric words are no error.
void D3D7VideoDriver::readParentWindow()
{
    RIR_TRACE("D3D7VideoDriver::readParentWindow");
    IVideoHost* pHost = getHost();
    if (!pHost)
        return;
    RIR::List<RIR::String> lArguments = pHost->getArguments();
    for (int i = 0; i < lArguments.getLength(); ++i)
    {
        if (lArguments.get(i) != "--pw")
            continue;
        int nHigh =
            i + 1 < lArguments.getLength() ? RIR::String::toInt(lArguments.get(i + 1).c_str()) : 0;
        int nLow =
            i + 2 < lArguments.getLength() ? RIR::String::toInt(lArguments.get(i + 2).c_str()) : 0;
        logPrintf("D: Parent window %d %d ignored : no window embedding here\n", nHigh, nLow);
        return;
    }
}

void D3D7VideoDriver::setViewOrigin(int nX, int nY)
{
    RIR_TRACE("D3D7VideoDriver::setViewOrigin");
    RenderDevice* pDevice = getDevice();
    if (!pDevice || getHeight() <= 0)
        return;
    const int nScaledWidth = getPhysScaledWidth() > 0 ? getPhysScaledWidth() : getWidth();
    if (nScaledWidth <= 0)
        return;
    const float fLeft = (float)(nX - getLetterboxOffset());
    const float fRight = fLeft + (float)nScaledWidth;
    const float fTop = (float)nY;
    const float fBottom = (float)(nY + getHeight());
    checkResult(pDevice->setTransform(
        TRANSFORM_PROJECTION,
        RenderMatrix::orthoOffCenter(fLeft, fRight, fBottom, fTop, -1.0f, 1.0f)));
}
