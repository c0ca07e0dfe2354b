// ParamHolder: named float parameters over the foundation's hash (world/paramholder.h).
#include "world/paramholder.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"

ParamHolder::ParamHolder() : m_hParams(RIR::Hash<RIR::String, float>::DEFAULT_BUCKETS)
{
    RIR_TRACE("ParamHolder::ParamHolder");
}

ParamHolder::~ParamHolder()
{
    RIR_TRACE("ParamHolder::~ParamHolder");
}

void ParamHolder::setFloat(const char* pszKey, float fValue)
{
    RIR_TRACE("ParamHolder::setFloat");
    m_hParams.set(RIR::String(pszKey), fValue);
}

float ParamHolder::getFloat(const char* pszKey) const
{
    RIR_TRACE("ParamHolder::getFloat");
    return m_hParams.get(RIR::String(pszKey));
}

int ParamHolder::getInt(const char* pszKey) const
{
    RIR_TRACE("ParamHolder::getInt");
    return (int)getFloat(pszKey);
}

void ParamHolder::setBool(const char* pszKey, bool bValue)
{
    RIR_TRACE("ParamHolder::setBool");
    setFloat(pszKey, bValue ? 1.0f : 0.0f);
}

bool ParamHolder::getBool(const char* pszKey) const
{
    RIR_TRACE("ParamHolder::getBool");
    return getFloat(pszKey) > 0.5f;
}

bool ParamHolder::has(const char* pszKey) const
{
    RIR_TRACE("ParamHolder::has");
    return m_hParams.contains(RIR::String(pszKey));
}
