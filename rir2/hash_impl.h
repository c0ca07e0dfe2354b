// Member definitions of RIR::Hash<K,V>; included by rir2/hash.h only.
//
// The missing-key errors name this file as their source.
#ifndef RIR2_HASH_IMPL_H
#define RIR2_HASH_IMPL_H

#include <unordered_set>

namespace RIR
{

template <class K, class V> Hash<K, V>::Hash(int nBuckets) : m_pBuckets(nullptr), m_nBuckets(0)
{
    allocateBuckets(nBuckets);
}

template <class K, class V> Hash<K, V>::~Hash()
{
    RIR_TRACE("Hash::~Hash");
    clear();
    delete[] m_pBuckets;
}

// ---- lookup ---------------------------------------------------------------------------------

template <class K, class V> typename Hash<K, V>::Node* Hash<K, V>::findNode(const K& key) const
{
    if (!m_pBuckets)
        return nullptr;
    const Bucket& bucket = m_pBuckets[bucketIndex(key)];
    if (bucket.isEmpty())
        return nullptr;
    for (const typename Bucket::Node* pEntry = bucket.getNode(0); pEntry; pEntry = pEntry->m_pNext)
    {
        if (HashKeyTraits<K>::equal(pEntry->m_value->m_key, key))
            return pEntry->m_value;
    }
    return nullptr;
}

template <class K, class V> void Hash<K, V>::throwKeyNotFound(const K& key) const
{
    RIR_TRACE("Hash::get");
    // The key's text may hold anything, "%" included, so it is never used as a format.
    const String sMessage = String("Hash key not found : ") + HashKeyTraits<K>::toString(key);
    RIR_THROW(FatalErrorException, sMessage.c_str());
}

template <class K, class V> V& Hash<K, V>::get(const K& key)
{
    Node* pNode = findNode(adjustKey(key));
    if (!pNode)
        throwKeyNotFound(key);
    return pNode->m_value;
}

template <class K, class V> const V& Hash<K, V>::get(const K& key) const
{
    const Node* pNode = findNode(adjustKey(key));
    if (!pNode)
        throwKeyNotFound(key);
    return pNode->m_value;
}

template <class K, class V> bool Hash<K, V>::contains(const K& key) const
{
    return findNode(adjustKey(key)) != nullptr;
}

// ---- changes ----------------------------------------------------------------------------------

template <class K, class V> typename Hash<K, V>::Node* Hash<K, V>::add(const K& key, const V& value)
{
    Node* pNode = new Node();
    pNode->m_key = key;
    pNode->m_value = value;
    bucketFor(key).append(pNode);
    return pNode;
}

template <class K, class V> typename Hash<K, V>::Node* Hash<K, V>::addDefault(const K& key)
{
    Node* pNode = new Node();
    pNode->m_key = key;
    bucketFor(key).append(pNode);
    return pNode;
}

template <class K, class V> void Hash<K, V>::set(const K& key, const V& value)
{
    const K& adjusted = adjustKey(key);
    Node* pNode = findNode(adjusted);
    if (pNode)
        pNode->m_value = value;
    else
        add(adjusted, value);
}

template <class K, class V> void Hash<K, V>::keyAdded(const K& key)
{
    (void)adjustKey(key);
}

template <class K, class V> V& Hash<K, V>::operator[](const K& key)
{
    Node* pNode = findNode(adjustKey(key));
    if (pNode)
        return pNode->m_value;
    addDefault(key);
    keyAdded(key);
    return get(key);
}

template <class K, class V> V Hash<K, V>::remove(const K& key)
{
    const K& adjusted = adjustKey(key);
    if (!m_pBuckets)
        return V();
    Bucket& bucket = m_pBuckets[bucketIndex(adjusted)];
    for (bucket.iterBegin(); bucket.iterValid(); bucket.iterNext())
    {
        Node* pNode = bucket.iterCurrent();
        if (HashKeyTraits<K>::equal(pNode->m_key, adjusted))
        {
            // The copy keeps a handle's object alive after the node has gone.
            V value(pNode->m_value);
            bucket.iterRemove();
            delete pNode;
            return value;
        }
    }
    // A missing key changes nothing. Nothing relies on this result; it is the first value of
    // bucket 0 when there is one.
    const Bucket& first = m_pBuckets[0];
    if (!first.isEmpty())
        return first.getNode(0)->m_value->m_value;
    return V();
}

// ---- whole-table operations -------------------------------------------------------------------

template <class K, class V> List<K> Hash<K, V>::keys() const
{
    RIR_TRACE("Hash::keys");
    List<K> lKeys;
    if (!m_pBuckets)
        return lKeys;
    for (int i = m_nBuckets - 1; i >= 0; --i)
    {
        const Bucket& bucket = m_pBuckets[i];
        if (bucket.isEmpty())
            continue;
        for (const typename Bucket::Node* pEntry = bucket.getNode(0); pEntry;
             pEntry = pEntry->m_pNext)
            lKeys.append(pEntry->m_value->m_key);
    }
    return lKeys;
}

template <class K, class V> List<V> Hash<K, V>::values() const
{
    RIR_TRACE("Hash::values");
    List<V> lValues;
    if (!m_pBuckets)
        return lValues;
    for (int i = m_nBuckets - 1; i >= 0; --i)
    {
        const Bucket& bucket = m_pBuckets[i];
        if (bucket.isEmpty())
            continue;
        for (const typename Bucket::Node* pEntry = bucket.getNode(0); pEntry;
             pEntry = pEntry->m_pNext)
            lValues.append(pEntry->m_value->m_value);
    }
    return lValues;
}

template <class K, class V> bool Hash<K, V>::isEmpty() const
{
    if (!m_pBuckets)
        return true;
    for (int i = 0; i < m_nBuckets; ++i)
    {
        if (!m_pBuckets[i].isEmpty())
            return false;
    }
    return true;
}

template <class K, class V> void Hash<K, V>::clear()
{
    if (!m_pBuckets)
        return;
    // Each node leaves its bucket before it is deleted, so that a value whose destruction
    // reaches back into this table finds it consistent.
    for (int i = m_nBuckets - 1; i >= 0; --i)
    {
        Bucket& bucket = m_pBuckets[i];
        while (!bucket.isEmpty())
            delete bucket.takeFirst();
    }
}

template <class K, class V> void Hash<K, V>::deleteValues()
{
    RIR_TRACE("Hash::deleteValues");
    static_assert(std::is_pointer<V>::value, "deleteValues deletes the objects of pointer values");
    if (!m_pBuckets)
        return;
    // An object held under several keys is deleted once, at its first place in table order.
    std::unordered_set<const void*> deleted;
    for (int i = m_nBuckets - 1; i >= 0; --i)
    {
        Bucket& bucket = m_pBuckets[i];
        if (bucket.isEmpty())
            continue;
        for (typename Bucket::Node* pEntry = bucket.getNode(0); pEntry; pEntry = pEntry->m_pNext)
        {
            V pObject = pEntry->m_value->m_value;
            pEntry->m_value->m_value = nullptr;
            if (pObject && deleted.insert(pObject).second)
                delete pObject;
        }
    }
    clear();
}

template <class K, class V> void Hash<K, V>::merge(const Hash& other)
{
    RIR_TRACE("Hash::merge");
    if (&other == this || !other.m_pBuckets)
        return;
    for (int i = other.m_nBuckets - 1; i >= 0; --i)
    {
        const Bucket& bucket = other.m_pBuckets[i];
        if (bucket.isEmpty())
            continue;
        for (const typename Bucket::Node* pEntry = bucket.getNode(0); pEntry;
             pEntry = pEntry->m_pNext)
            set(pEntry->m_value->m_key, pEntry->m_value->m_value);
    }
}

template <class K, class V> int Hash<K, V>::chooseBucketCount(int n)
{
    RIR_TRACE("Hash::chooseBucketCount");
    static const int s_anSteps[] = {5, 11, 23, 47, 97, 197, 397, 797, 1597, 3203, 6421};
    for (int nStep : s_anSteps)
    {
        if (n <= nStep)
            return nStep;
    }
    return 6421;
}

template <class K, class V> void Hash<K, V>::rehashToFit()
{
    RIR_TRACE("Hash::rehashToFit");
    if (!m_pBuckets)
    {
        // Nothing to move: only the count changes.
        m_nBuckets = chooseBucketCount(0);
        return;
    }
    int nKeys = 0;
    for (int i = 0; i < m_nBuckets; ++i)
        nKeys += m_pBuckets[i].getLength();
    const int nBuckets = chooseBucketCount(nKeys);
    if (nBuckets == m_nBuckets)
        return;

    // The nodes move into the new buckets in table order, each appended at the end of its new
    // bucket: the same table as setting every key again, without copying keys or values.
    RIR_TRACE_LINE();
    Bucket* pNew = new Bucket[nBuckets];
    try
    {
        for (int i = m_nBuckets - 1; i >= 0; --i)
        {
            Bucket& bucket = m_pBuckets[i];
            if (bucket.isEmpty())
                continue;
            for (typename Bucket::Node* pEntry = bucket.getNode(0); pEntry;
                 pEntry = pEntry->m_pNext)
            {
                Node* pNode = pEntry->m_value;
                const uint32_t nHash = (uint32_t)HashKeyTraits<K>::hash(pNode->m_key);
                pNew[nHash % (uint32_t)nBuckets].append(pNode);
            }
        }
    }
    catch (...)
    {
        // The old buckets still hold every node; the new lists hold only copies of pointers.
        delete[] pNew;
        throw;
    }
    Bucket* pOld = m_pBuckets;
    m_pBuckets = pNew;
    m_nBuckets = nBuckets;
    delete[] pOld;
}

template <class K, class V> void Hash<K, V>::allocateBuckets(int nBuckets)
{
    RIR_TRACE("Hash::allocateBuckets");
    RIR_ASSERT(nBuckets >= 1);
    if (m_pBuckets)
    {
        clear();
        delete[] m_pBuckets;
        m_pBuckets = nullptr;
    }
    m_nBuckets = nBuckets;
}

template <class K, class V> typename Hash<K, V>::Bucket& Hash<K, V>::bucketAt(int nBucket)
{
    if (!m_pBuckets)
        m_pBuckets = new Bucket[m_nBuckets];
    return m_pBuckets[nBucket];
}

} // namespace RIR

#include "rir2/hash_persist.h"

#endif
