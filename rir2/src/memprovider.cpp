#include "rir2/memprovider.h"

#include "rir2/calltrace.h"

namespace RIR
{

MemoryResourceProvider::MemoryResourceProvider() : m_hResources(97)
{
    RIR_TRACE("MemoryResourceProvider::MemoryResourceProvider");
}

void MemoryResourceProvider::add(const char* pszName, Resource* pResource)
{
    RIR_TRACE("MemoryResourceProvider::add");
    m_hResources.set(String(pszName).toLower(), SmartPtr<Resource>(pResource));
}

bool MemoryResourceProvider::exists(const char* pszName)
{
    RIR_TRACE("MemoryResourceProvider::exists");
    return m_hResources.contains(String(pszName).toLower());
}

Resource* MemoryResourceProvider::load(const char* pszName)
{
    RIR_TRACE("MemoryResourceProvider::load");
    setTraceParams(pszName);
    return m_hResources.get(String(pszName).toLower()).get();
}

List<String> MemoryResourceProvider::names()
{
    RIR_TRACE("MemoryResourceProvider::names");
    return m_hResources.keys();
}

String MemoryResourceProvider::mapName(const char* pszName)
{
    RIR_TRACE("MemoryResourceProvider::mapName");
    return String(pszName);
}

} // namespace RIR
