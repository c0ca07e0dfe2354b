#include "platform/gl/renderdisplay.h"

#include "rir2/calltrace.h"

RenderDisplay::~RenderDisplay() {}

RIR::String DisplayMode::toString() const
{
    RIR_TRACE("DisplayMode::toString");
    RIR::String sText = RIR::String::format("%dx%dx%d %s", (int)nWidth, (int)nHeight, (int)nDepth,
                                            bFullscreen ? "fullscreen" : "window");
    if (nSDLFlags != 0)
        sText += RIR::String::format(" flags 0x%X", (unsigned)nSDLFlags);
    if (bStencil)
        sText += " stencil";
    return sText;
}
