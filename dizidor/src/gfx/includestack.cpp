#include "gfx/includestack.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

void IncludeStack::clear()
{
    m_asNames.clear();
    m_anParents.clear();
    m_abOpen.clear();
    m_anOpen.clear();
    m_hOpenNames.clear();
}

int IncludeStack::addSource(const RIR::String& sName, int nParent)
{
    RIR_TRACE("IncludeStack::addSource");
    RIR_ASSERT(nParent >= -1 && nParent < (int)m_asNames.size());
    m_asNames.push_back(sName.c_str());
    m_anParents.push_back(nParent);
    m_abOpen.push_back(false);
    return (int)m_asNames.size() - 1;
}

void IncludeStack::enter(int nSource)
{
    RIR_TRACE("IncludeStack::enter");
    RIR_ASSERT(nSource >= 0 && nSource < (int)m_asNames.size());
    if (m_abOpen[(size_t)nSource])
    {
        while (m_anOpen.back() != nSource)
            leaveTop();
        return;
    }
    const int nParent = m_anParents[(size_t)nSource];
    while (!m_anOpen.empty() && m_anOpen.back() != nParent)
        leaveTop();
    RIR_ASSERT(nParent == -1 || !m_anOpen.empty());
    m_anOpen.push_back(nSource);
    m_abOpen[(size_t)nSource] = true;
    ++m_hOpenNames[m_asNames[(size_t)nSource]];
}

bool IncludeStack::isOpen(const RIR::String& sName) const
{
    return m_hOpenNames.count(sName.c_str()) != 0;
}

void IncludeStack::leaveTop()
{
    const int nSource = m_anOpen.back();
    m_anOpen.pop_back();
    m_abOpen[(size_t)nSource] = false;
    const auto it = m_hOpenNames.find(m_asNames[(size_t)nSource]);
    if (--it->second == 0)
        m_hOpenNames.erase(it);
}
