#include "testkit/memimageenv.h"

#include "gfx/image.h"
#include "gfx/imagefactory.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/resource.h"
#include "testkit/testpng.h"

#include <cstring>
#include <vector>

MemImageEnvironment::MemImageEnvironment(ImageFactory* pFactory)
    : m_pFactory(pFactory), m_pPrevious(findImageEnvironment()), m_nImageLoads(0)
{
    RIR_TRACE("MemImageEnvironment::MemImageEnvironment");
    RIR_ASSERT(pFactory);
    setImageEnvironment(this);
}

MemImageEnvironment::~MemImageEnvironment()
{
    clearImageCache();
    if (findImageEnvironment() == this)
        setImageEnvironment(m_pPrevious);
}

void MemImageEnvironment::addResource(const char* pszName, const void* pData, int nSize)
{
    RIR_TRACE("MemImageEnvironment::addResource");
    RIR::SmartPtr<RIR::Resource> pResource = new RIR::Resource(nSize, nullptr, true);
    if (nSize > 0)
        std::memcpy(pResource->getData(), pData, (size_t)nSize);
    m_provider.add(pszName, pResource.get());
}

void MemImageEnvironment::addText(const char* pszName, const char* pszText)
{
    RIR_TRACE("MemImageEnvironment::addText");
    addResource(pszName, pszText, (int)std::strlen(pszText));
}

void MemImageEnvironment::addPicture(const char* pszName, int nWidth, int nHeight, int nChannels,
                                     const uint8_t* pData)
{
    RIR_TRACE("MemImageEnvironment::addPicture");
    const std::vector<uint8_t> abPng = encodeTestPng(nWidth, nHeight, nChannels, pData);
    addResource((RIR::String(pszName) + ".png").c_str(), abPng.data(), (int)abPng.size());
}

bool MemImageEnvironment::hasResource(const char* pszName)
{
    RIR_TRACE("MemImageEnvironment::hasResource");
    return pszName && m_provider.exists(pszName);
}

RIR::SmartPtr<RIR::Resource> MemImageEnvironment::getResource(const char* pszName)
{
    RIR_TRACE("MemImageEnvironment::getResource");
    if (!hasResource(pszName))
    {
        RIR::String sMessage = RIR::String::format(
            "GameApp::getResource() : Resource '%s' not found", pszName ? pszName : "");
        RIR_THROW(ResourceException, sMessage.c_str());
    }
    return RIR::SmartPtr<RIR::Resource>(m_provider.load(pszName));
}

RIR::String MemImageEnvironment::resolveResourceName(const char* pszName,
                                                     const char* const* ppszExtensions)
{
    RIR_TRACE("MemImageEnvironment::resolveResourceName");
    if (!pszName)
        return RIR::String();
    if (!ppszExtensions)
        return hasResource(pszName) ? RIR::String(pszName) : RIR::String();
    for (const char* const* pp = ppszExtensions; *pp; ++pp)
    {
        const RIR::String sName = RIR::String(pszName) + *pp;
        if (hasResource(sName.c_str()))
            return sName;
    }
    return RIR::String();
}

RIR::SmartPtr<Image> MemImageEnvironment::getImage(const char* pszName)
{
    RIR_TRACE("MemImageEnvironment::getImage");
    const RIR::String sKey = RIR::String(pszName).toLower();
    if (m_hImages.contains(sKey))
        return m_hImages.get(sKey);
    RIR::SmartPtr<Image> pImage = m_pFactory->load(sKey.c_str());
    ++m_nImageLoads;
    m_hImages.set(sKey, pImage);
    return pImage;
}

bool MemImageEnvironment::isImageCached(const char* pszName)
{
    return m_hImages.contains(RIR::String(pszName).toLower());
}

void MemImageEnvironment::clearImageCache()
{
    RIR_TRACE("MemImageEnvironment::clearImageCache");
    m_hImages.clear();
}
