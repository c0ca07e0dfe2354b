// MemoryRenderTexture: a texture held in plain memory, for the devices that draw nothing (the
// null device and the recording device).
//
// A texture that keeps its pixels holds its texels from creation (all zero) to deletion, and
// lock hands out that memory, so that tests can read what was uploaded (getTexel). One that does
// not keep them (the null device's, for long headless runs) lends zeroed memory for each lock
// and drops it at unlock.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_MEMORYTEXTURE_H
#define DIZIDOR_PLATFORM_GL_MEMORYTEXTURE_H

#include "platform/gl/rendertexture.h"

#include <cstdint>
#include <vector>

class MemoryRenderTexture : public RenderTexture
{
public:
    MemoryRenderTexture(RenderDeviceBase* pDevice, int nId, int nWidth, int nHeight, bool bAlpha,
                        bool bKeepPixels);
    ~MemoryRenderTexture() override;

    bool keepsPixels() const { return m_bKeepPixels; }
    // Texel (x, y) as 0xAARRGGBB (alpha 0xFF for a texture without alpha); 0 for a texture that
    // does not keep its pixels. BadParmException outside the texture.
    uint32_t getTexel(int nX, int nY) const;
    // How many times the texture was unlocked with its device alive.
    int getUploadCount() const { return m_nUploadCount; }

protected:
    RenderResult onLock(TextureLock* pLock) override;
    RenderResult onUnlock(bool bLost) override;

private:
    bool m_bKeepPixels;
    int32_t m_nUploadCount;
    std::vector<uint8_t> m_abPixels; // 4 bytes per texel, R, G, B, A; empty when not kept
    std::vector<uint8_t> m_abLent;   // the memory of the lock in progress when not kept
};

#endif
