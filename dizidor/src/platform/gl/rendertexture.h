// RenderTexture: one texture of a RenderDevice.
//
// Made by RenderDevice::createTexture at exactly the size asked for (powers of two), with or
// without an alpha channel, and with every texel zero: transparent black, or opaque black for a
// texture without alpha (which reads alpha 1 everywhere). The caller owns it: deleting it
// releases it on the device, and a texture that is set on the device is taken off first.
//
// Pixels go in through lock and unlock: lock gives CPU memory holding the texture's texels, 32
// bits each with the bytes R, G, B, A in memory order (TextureLock gives the masks, the alpha
// mask 0 for a texture without alpha, whose alpha bytes are ignored); unlock hands the memory to
// the device. A lock of a texture that was never unlocked reads all zero.
//
// A texture can outlive its device (a new display mode, the display released): it is then lost.
// It holds no device resources any more, draws nothing, and lock answers RENDER_ERR_NO_DEVICE;
// it only waits to be deleted.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RENDERTEXTURE_H
#define DIZIDOR_PLATFORM_GL_RENDERTEXTURE_H

#include "platform/gl/renderresult.h"

#include <cstdint>

class RenderDevice;
class RenderDeviceBase;

// The memory of a locked texture.
struct TextureLock
{
    // The top-left texel; rows follow each other nPitch bytes apart.
    void* pPixels;
    int32_t nPitch;
    int32_t nWidth;
    int32_t nHeight;
    // Always 32.
    int32_t nBitsPerPixel;
    uint32_t nRedMask;
    uint32_t nGreenMask;
    uint32_t nBlueMask;
    // 0 for a texture without alpha.
    uint32_t nAlphaMask;
};

class RenderTexture
{
public:
    // Takes the texture off its device, when the device still exists, and releases it.
    virtual ~RenderTexture();

    RenderTexture(const RenderTexture&) = delete;
    RenderTexture& operator=(const RenderTexture&) = delete;

    int getWidth() const { return m_nWidth; }
    int getHeight() const { return m_nHeight; }
    bool hasAlpha() const { return m_bAlpha; }
    // A number unique among the textures of its device, from 1 on.
    int getId() const { return m_nId; }
    // The device that made it; null once that device is gone.
    RenderDevice* getDevice() const;
    bool isLost() const { return m_pDevice == nullptr; }
    bool isLocked() const { return m_bLocked; }

    // Fills *pLock with the texels' memory (see the file comment), valid until unlock.
    // RENDER_ERR_BAD_ARGUMENT for a null pLock, RENDER_ERR_BAD_STATE when already locked,
    // RENDER_ERR_NO_DEVICE when lost, RENDER_ERR_OUT_OF_MEMORY; on failure nothing is locked.
    virtual RenderResult lock(TextureLock* pLock);
    // Hands the locked memory to the device; the memory is not to be used any more.
    // RENDER_ERR_BAD_STATE when not locked; RENDER_ERR_NO_DEVICE when the device went while
    // the texture was locked (the lock ends all the same).
    virtual RenderResult unlock();

    // The masks of the texel bytes R, G, B, A in memory on this machine.
    static uint32_t redMask();
    static uint32_t greenMask();
    static uint32_t blueMask();
    static uint32_t alphaMask();

protected:
    // Registers the texture with its device (which must not be null).
    RenderTexture(RenderDeviceBase* pDevice, int nId, int nWidth, int nHeight, bool bAlpha);

    // The device's part of lock: set pLock->pPixels and pLock->nPitch (the rest is filled
    // here). Called only when the texture is not lost and not locked.
    virtual RenderResult onLock(TextureLock* pLock) = 0;
    // The device's part of unlock; bLost: the device is gone, only let go of the memory.
    virtual RenderResult onUnlock(bool bLost) = 0;
    // The device is about to go: release what the texture holds of it, while it still runs.
    virtual void onDeviceGone() {}

    RenderDeviceBase* getDeviceBase() const { return m_pDevice; }

private:
    friend class RenderDeviceBase;

    RenderDeviceBase* m_pDevice; // not owned; null when lost
    int32_t m_nId;
    int32_t m_nWidth;
    int32_t m_nHeight;
    bool m_bAlpha;
    bool m_bLocked;
};

#endif
