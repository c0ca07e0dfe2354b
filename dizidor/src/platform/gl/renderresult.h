// RenderResult: what a call of the device layer (RenderDisplay, RenderDevice, RenderTexture)
// answers.
//
// RENDER_OK is 0; every failure has the top bit set, so that a result read as a signed 32-bit
// number is negative exactly when the call failed, and the driver can log any result with
// "0x%08X". The codes are this layer's own.
#ifndef DIZIDOR_PLATFORM_GL_RENDERRESULT_H
#define DIZIDOR_PLATFORM_GL_RENDERRESULT_H

#include <cstdint>

enum RenderResult : uint32_t
{
    RENDER_OK = 0,
    // The call failed for a reason not listed below.
    RENDER_ERR_FAILED = 0x80DD0001u,
    // An argument is out of range (an unknown state or value, a texture of another device, a
    // size that is not a power of two, too few vertices, ...). Nothing changed.
    RENDER_ERR_BAD_ARGUMENT = 0x80DD0002u,
    // The call does not fit the object's state (a draw outside a scene, a scene begun twice, a
    // texture locked twice or unlocked unlocked). Nothing changed.
    RENDER_ERR_BAD_STATE = 0x80DD0003u,
    // The device could not get the memory.
    RENDER_ERR_OUT_OF_MEMORY = 0x80DD0004u,
    // There is no device: no mode is set, or the texture's device is gone.
    RENDER_ERR_NO_DEVICE = 0x80DD0005u,
    // The display mode cannot be set.
    RENDER_ERR_MODE_FAILED = 0x80DD0010u,
    // A depth and stencil buffer was asked for and cannot be had.
    RENDER_ERR_NO_STENCIL = 0x80DD0011u,
    // A windowed display: the display mode was changed under it; set the mode again.
    RENDER_ERR_WRONG_MODE = 0x80DD0012u,
    // A full-screen display is not ours for now (the program is not in the foreground).
    RENDER_ERR_DISPLAY_LOST = 0x80DD0013u,
    // Presenting found the picture's memory lost; restore it, the frame is not shown.
    RENDER_ERR_SURFACE_LOST = 0x80DD0014u,
    // Presenting must wait for the previous frame; ask again.
    RENDER_ERR_STILL_DRAWING = 0x80DD0015u
};

// Whether the result reports a failure.
inline bool isRenderFailure(RenderResult eResult)
{
    return (eResult & 0x80000000u) != 0;
}

// The result's name without its prefix: "OK", "FAILED", "BAD_ARGUMENT", ...; "0x%08X" text for a
// code that is not listed (in a buffer shared by all calls).
const char* renderResultName(RenderResult eResult);

#endif
