// D3D7Texture: one texture of the Direct3D 7 video driver, as a texture cell holds it.
//
// It owns one RenderTexture of the device layer; deleting it releases that texture on the device
// (or only frees the object when the device is gone already: the texture is then lost).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_D3D7_D3D7TEXTURE_H
#define DIZIDOR_PLATFORM_D3D7_D3D7TEXTURE_H

#include "platform/gl/rendertexture.h"
#include "platform/video3d/texturecell.h"

class D3D7Texture : public DeviceTexture
{
public:
    // Owns pTexture (never null: AssertFailException "Assertion failed : pTexture").
    explicit D3D7Texture(RenderTexture* pTexture);
    ~D3D7Texture() override;

    D3D7Texture(const D3D7Texture&) = delete;
    D3D7Texture& operator=(const D3D7Texture&) = delete;

    RenderTexture* getRenderTexture() const { return m_pTexture; }

private:
    RenderTexture* m_pTexture; // owned
};

#endif
