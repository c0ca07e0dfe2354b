#include "rir2/resource.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"

namespace RIR
{

Resource::Resource(int nSize, void* pData, bool bOwns)
    : m_pData(static_cast<uint8_t*>(pData)), m_nSize(nSize), m_bOwns(bOwns)
{
    RIR_TRACE("Resource::Resource");
    if (nSize < 0)
        RIR_THROW(BadParmException,
                  String::format("Resource::Resource : bad size %d", nSize).c_str());
    if (!m_pData)
    {
        // The buffer made here has no other owner.
        m_pData = new uint8_t[(size_t)nSize]();
        m_bOwns = true;
    }
}

Resource::~Resource()
{
    RIR_TRACE("Resource::~Resource");
    if (m_bOwns)
        delete[] m_pData;
    m_pData = nullptr;
}

String Resource::asString() const
{
    RIR_TRACE("Resource::asString");
    return String(reinterpret_cast<const char*>(m_pData), m_nSize);
}

MemStream* Resource::getStream() const
{
    RIR_TRACE("Resource::getStream");
    return new MemStream(m_pData, m_nSize);
}

ResourceProvider::~ResourceProvider()
{
    RIR_TRACE("ResourceProvider::~ResourceProvider");
}

} // namespace RIR
