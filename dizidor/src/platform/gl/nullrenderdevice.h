// NullRenderDevice: a device that accepts every well-formed call and draws nothing.
//
// For runs without OpenGL (SDL's dummy video driver): the driver above it works as usual, states
// and textures are checked and kept like on any device, and the picture stays as it is. Its
// textures do not keep their pixels (MemoryRenderTexture).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_NULLRENDERDEVICE_H
#define DIZIDOR_PLATFORM_GL_NULLRENDERDEVICE_H

#include "platform/gl/renderdevicebase.h"

class NullRenderDevice : public RenderDeviceBase
{
public:
    enum
    {
        MAX_TEXTURE_SIZE = 4096
    };

    NullRenderDevice(int nWidth, int nHeight, bool bStencil);
    ~NullRenderDevice() override;

protected:
    RenderResult onCreateTexture(int nWidth, int nHeight, bool bAlpha, int nId,
                                 RenderTexture** ppTexture) override;
};

#endif
