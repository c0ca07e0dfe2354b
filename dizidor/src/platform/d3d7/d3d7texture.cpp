#include "platform/d3d7/d3d7texture.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

D3D7Texture::D3D7Texture(RenderTexture* pTexture) : m_pTexture(pTexture)
{
    RIR_TRACE("D3D7Texture::D3D7Texture");
    RIR_ASSERT(pTexture);
}

D3D7Texture::~D3D7Texture()
{
    RIR_TRACE("D3D7Texture::~D3D7Texture");
    delete m_pTexture;
    m_pTexture = nullptr;
}
