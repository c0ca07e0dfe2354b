#include "platform/video3d/texturecell.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

DeviceTexture::~DeviceTexture() {}

TextureCell::TextureCell(const RIR::SmartPtr<TextureRegistry>& pRegistry)
    : m_pRegistry(pRegistry), m_pNode(nullptr), m_pTexture(nullptr)
{
    RIR_TRACE("TextureCell::TextureCell");
    RIR_ASSERT(pRegistry && pRegistry->isOpen());
    m_pNode = m_pRegistry->m_lCells.append(this);
}

TextureCell::~TextureCell()
{
    RIR_TRACE("TextureCell::~TextureCell");
    releaseTexture();
    m_pRegistry->m_lCells.removeNode(m_pNode);
    m_pNode = nullptr;
}

void TextureCell::setTexture(DeviceTexture* pTexture)
{
    RIR_TRACE("TextureCell::setTexture");
    if (pTexture == m_pTexture)
        return;
    releaseTexture();
    m_pTexture = pTexture;
}

void TextureCell::releaseTexture()
{
    RIR_TRACE("TextureCell::releaseTexture");
    DeviceTexture* pTexture = m_pTexture;
    m_pTexture = nullptr;
    delete pTexture;
}

TextureRegistry::TextureRegistry() : m_bOpen(true)
{
    RIR_TRACE("TextureRegistry::TextureRegistry");
}

TextureRegistry::~TextureRegistry()
{
    RIR_TRACE("TextureRegistry::~TextureRegistry");
    // Every cell holds the registry, so none is left here.
    m_lCells.clear();
}

int TextureRegistry::getTextureCount() const
{
    RIR_TRACE("TextureRegistry::getTextureCount");
    int nCount = 0;
    for (int i = 0; i < m_lCells.getLength(); ++i)
    {
        if (!m_lCells.get(i)->isEmpty())
            ++nCount;
    }
    return nCount;
}

void TextureRegistry::releaseAll()
{
    RIR_TRACE("TextureRegistry::releaseAll");
    for (int i = 0; i < m_lCells.getLength(); ++i)
        m_lCells.get(i)->releaseTexture();
}

void TextureRegistry::close()
{
    RIR_TRACE("TextureRegistry::close");
    releaseAll();
    m_bOpen = false;
}
