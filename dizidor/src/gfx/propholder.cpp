#include "gfx/propholder.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

PropHolder::PropHolder()
    : m_pParent(nullptr), m_hProps(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS)
{
    RIR_TRACE("PropHolder::PropHolder");
}

PropHolder::~PropHolder()
{
    RIR_TRACE("PropHolder::~PropHolder");
}

void PropHolder::setParent(PropHolder* pParent)
{
    RIR_TRACE("PropHolder::setParent");
    m_pParent = pParent;
}

bool PropHolder::hasProp(const char* pszKey, bool bInherit) const
{
    RIR_TRACE("PropHolder::hasProp");
    const RIR::String sKey(pszKey);
    for (const PropHolder* pHolder = this; pHolder; pHolder = pHolder->m_pParent)
    {
        if (pHolder->m_hProps.contains(sKey))
            return true;
        if (!bInherit)
            break;
    }
    return false;
}

RIR::String PropHolder::getProp(const char* pszKey) const
{
    RIR_TRACE("PropHolder::getProp");
    const RIR::String sKey(pszKey);
    for (const PropHolder* pHolder = this; pHolder; pHolder = pHolder->m_pParent)
    {
        const RIR::Hash<RIR::String, RIR::String>::Node* pNode = pHolder->m_hProps.findNode(sKey);
        if (pNode)
            return pNode->m_value;
    }
    return RIR::String();
}

void PropHolder::setProp(const char* pszKey, const char* pszValue)
{
    RIR_TRACE("PropHolder::setProp");
    m_hProps.set(RIR::String(pszKey), RIR::String(pszValue));
}

RIR::List<RIR::String> PropHolder::getPropNames() const
{
    RIR_TRACE("PropHolder::getPropNames");
    return m_hProps.keys();
}
