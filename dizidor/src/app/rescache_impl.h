// Member definitions of ResCache<T>; included by app/rescache.h only.
#ifndef DIZIDOR_APP_RESCACHE_IMPL_H
#define DIZIDOR_APP_RESCACHE_IMPL_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"

template <class T> RIR::SmartPtr<T> ResCache<T>::get(const char* pszName)
{
    RIR_TRACE("ResCache::get");
    const RIR::String sName(pszName);
    typename RIR::Hash<RIR::String, RIR::SmartPtr<T>>::Node* pNode = m_hCache.findNode(sName);
    if (pNode)
        return pNode->m_value;
    if (!m_pLoader)
    {
        const RIR::String sMessage =
            RIR::String::format("ResCache::get() : no loader for '%s'", sName.c_str());
        RIR_THROW(BadStateException, sMessage.c_str());
    }
    RIR_TRACE_LINE();
    RIR::SmartPtr<T> pObject(m_pLoader->load(sName.c_str()));
    // A loader reports a missing resource itself; a null answer is never stored, since an entry
    // without an object could not be removed again.
    if (pObject && !m_bNoStore)
        put(sName.c_str(), pObject, false);
    return pObject;
}

template <class T> void ResCache<T>::put(const char* pszName, RIR::SmartPtr<T> pObject, bool bKeep)
{
    RIR_TRACE("ResCache::put");
    m_hCache.set(RIR::String(pszName), pObject);
    if (bKeep)
        m_lKeep.append(pObject);
}

template <class T> bool ResCache<T>::remove(const char* pszName)
{
    RIR_TRACE("ResCache::remove");
    const RIR::String sName(pszName);
    typename RIR::Hash<RIR::String, RIR::SmartPtr<T>>::Node* pNode = m_hCache.findNode(sName);
    if (!pNode)
        return false;
    // The local handle adds exactly one reference to the table's own.
    RIR::SmartPtr<T> pObject(pNode->m_value);
    const int nRef = pObject ? pObject->getRefCount() : 0;
    RIR_ASSERT(nRef >= 2);
    if (nRef > 2)
        return false; // held elsewhere, or pinned by the keep list
    m_hCache.remove(sName);
    return true; // the local handle was the last: the object goes with it
}

template <class T> void ResCache<T>::purge()
{
    RIR_TRACE("ResCache::purge");
    const RIR::List<RIR::String> lNames = getNames();
    for (int i = 0; i < lNames.getLength(); ++i)
        remove(lNames.get(i).c_str());
}

template <class T> RIR::List<RIR::String> ResCache<T>::getNames() const
{
    RIR_TRACE("ResCache::getNames");
    return m_hCache.keys();
}

template <class T> bool ResCache<T>::contains(const char* pszName) const
{
    return m_hCache.findNode(RIR::String(pszName)) != nullptr;
}

#endif
