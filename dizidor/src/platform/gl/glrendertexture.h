// GLRenderTexture: a texture of a GLRenderDevice, one OpenGL texture object.
//
// Made at exactly the size asked for and filled with zeros; its internal format has an alpha
// channel only when asked (without one, the texture reads alpha 1). lock lends a CPU copy of the
// texels (zeros until the first upload, read back from OpenGL after it), unlock uploads the copy
// whole and lets it go. The filtering and addressing of the texture stage are applied to the
// texture object when it is drawn with (GLRenderDevice keeps them in step).
//
// Main thread only; the GL context of its device must be current.
#ifndef DIZIDOR_PLATFORM_GL_GLRENDERTEXTURE_H
#define DIZIDOR_PLATFORM_GL_GLRENDERTEXTURE_H

#include "platform/gl/quadtrim.h"
#include "platform/gl/rendertexture.h"

#include <cstdint>
#include <vector>

class GLRenderDevice;

class GLRenderTexture : public RenderTexture
{
public:
    // Takes over the texture object nName, made by the device.
    GLRenderTexture(GLRenderDevice* pDevice, int nId, int nWidth, int nHeight, bool bAlpha,
                    unsigned nName);
    // Deletes the texture object while the device exists.
    ~GLRenderTexture() override;

    // The OpenGL texture name; 0 when lost.
    unsigned getName() const { return m_nName; }
    // The stage settings applied to the texture object last (StageState values of TS_MAG_FILTER,
    // TS_MIN_FILTER, TS_ADDRESS_U, TS_ADDRESS_V, in this order).
    uint32_t getApplied(int nIndex) const { return m_anApplied[nIndex]; }
    void setApplied(int nIndex, uint32_t nValue) { m_anApplied[nIndex] = nValue; }
    // The texels that can show (quadtrim.h), found at each upload: none while a texture with
    // alpha still holds its zeros, all of one without alpha.
    const ShownTexels& getShown() const { return m_shown; }
    void setShown(const ShownTexels& shown) { m_shown = shown; }

protected:
    RenderResult onLock(TextureLock* pLock) override;
    RenderResult onUnlock(bool bLost) override;
    void onDeviceGone() override;

private:
    GLRenderDevice* getGLDevice() const;

    unsigned m_nName;
    bool m_bUploaded;
    uint32_t m_anApplied[4];
    ShownTexels m_shown;
    std::vector<uint8_t> m_abLocked; // the copy lent by lock
};

#endif
