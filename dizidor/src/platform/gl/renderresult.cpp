#include "platform/gl/renderresult.h"

#include "rir2/calltrace.h"

#include <cstdio>

const char* renderResultName(RenderResult eResult)
{
    RIR_TRACE("renderResultName");
    switch (eResult)
    {
    case RENDER_OK:
        return "OK";
    case RENDER_ERR_FAILED:
        return "FAILED";
    case RENDER_ERR_BAD_ARGUMENT:
        return "BAD_ARGUMENT";
    case RENDER_ERR_BAD_STATE:
        return "BAD_STATE";
    case RENDER_ERR_OUT_OF_MEMORY:
        return "OUT_OF_MEMORY";
    case RENDER_ERR_NO_DEVICE:
        return "NO_DEVICE";
    case RENDER_ERR_MODE_FAILED:
        return "MODE_FAILED";
    case RENDER_ERR_NO_STENCIL:
        return "NO_STENCIL";
    case RENDER_ERR_WRONG_MODE:
        return "WRONG_MODE";
    case RENDER_ERR_DISPLAY_LOST:
        return "DISPLAY_LOST";
    case RENDER_ERR_SURFACE_LOST:
        return "SURFACE_LOST";
    case RENDER_ERR_STILL_DRAWING:
        return "STILL_DRAWING";
    }
    static char s_szOther[16];
    snprintf(s_szOther, sizeof(s_szOther), "0x%08X", (unsigned)eResult);
    return s_szOther;
}
