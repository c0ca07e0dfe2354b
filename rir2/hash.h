// RIR::Hash<K,V>: the foundation library's one associative container.
//
// A reference-counted, chained hash table. The bucket count is fixed when the table is built
// (97 throughout the system) and never grows as keys are added; lookups walk one bucket, so a
// table filled in bulk is rebuilt once with rehashToFit, which picks the first of 5, 11, 23, 47,
// 97, 197, 397, 797, 1597, 3203, 6421 buckets that is not smaller than the key count.
//
// Each bucket is a List of node pointers in the order the nodes were added. keys() and values()
// list the entries from the last bucket down to the first, each bucket first to last; clear,
// deleteValues, rehashToFit and merge visit them in that order too.
//
// Key kinds (HashKeyTraits below): String keys hash as h = h * 31 + c over the bytes taken as
// signed values, plus one step for the terminating zero; integer keys hash to their value,
// pointer and SmartPtr keys to the address of their object (its low 32 bits), and a key class
// with getPackedValue() (the colour) to that value. The key's text in the missing-key message is
// the String between double quotes, the integer as "%d", the address as "0x%08X", or the key
// class's toString().
//
// get of a missing key raises FatalErrorException "Hash key not found : " followed by the key's
// text, leaving the table unchanged; code for which a missing key is normal tests contains first.
// References returned by get and operator[] stay valid until their node goes (remove, clear,
// deleteValues, destruction).
//
// A table is never copied. It takes no lock and belongs to the main thread.
#ifndef RIR2_HASH_H
#define RIR2_HASH_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>
#include <type_traits>
#include <utility>

namespace RIR
{

// ---- key functions ----------------------------------------------------------------------------

// h = h * 31 + c over the bytes of pszText taken as signed values, in wrapping 32-bit
// arithmetic, with one more step for the terminating zero: "" gives 0, "a" 3007, "\xE9" -713.
inline int32_t hashString(const char* pszText)
{
    uint32_t h = 0;
    const signed char* p = reinterpret_cast<const signed char*>(pszText);
    for (;; ++p)
    {
        h = h * 31u + (uint32_t)(int32_t)*p;
        if (!*p)
            break;
    }
    return (int32_t)h;
}

// An integer key hashes to itself (wider types to their low 32 bits).
inline int32_t hashInt(int32_t nValue)
{
    return nValue;
}

// A pointer key hashes to its address, folded to the low 32 bits.
inline int32_t hashPointer(const void* pAddress)
{
    return (int32_t)(uint32_t)(uintptr_t)pAddress;
}

// The key texts of the missing-key message: a String between double quotes, an integer as
// "%d", an address as "0x%08X" of its low 32 bits.
String keyToString(const String& sKey);
String keyToString(int32_t nKey);
String keyToString(const void* pKey);

// How a key type is hashed, compared and shown. The kinds below cover String, the integer
// types, plain pointers, SmartPtr and any key class with a const getPackedValue(), operator== and
// toString() (the colour). Another key type needs a specialization of its own.
template <class K, class Enable = void> struct HashKeyTraits;

template <> struct HashKeyTraits<String>
{
    static int32_t hash(const String& sKey) { return hashString(sKey.c_str()); }
    static bool equal(const String& a, const String& b) { return a == b; }
    static String toString(const String& sKey) { return keyToString(sKey); }
};

// int, unsigned long and the other integer types: the value is the hash; wider values hash to
// their low 32 bits and print as a signed 32-bit number, so 4294967295 shows as -1.
template <class K> struct HashKeyTraits<K, std::enable_if_t<std::is_integral<K>::value>>
{
    static int32_t hash(K nKey) { return hashInt((int32_t)(uint32_t)nKey); }
    static bool equal(K a, K b) { return a == b; }
    static String toString(K nKey) { return keyToString((int32_t)(uint32_t)nKey); }
};

template <class T> struct HashKeyTraits<T*>
{
    static int32_t hash(const T* pKey) { return hashPointer(pKey); }
    static bool equal(const T* a, const T* b) { return a == b; }
    static String toString(const T* pKey) { return keyToString((const void*)pKey); }
};

// The same object is the same key.
template <class T> struct HashKeyTraits<SmartPtr<T>>
{
    static int32_t hash(const SmartPtr<T>& pKey) { return hashPointer(pKey.get()); }
    static bool equal(const SmartPtr<T>& a, const SmartPtr<T>& b) { return a.get() == b.get(); }
    static String toString(const SmartPtr<T>& pKey) { return keyToString((const void*)pKey.get()); }
};

// Key classes that pack themselves into 32 bits (the colour): the packed value is the hash,
// equality is the class's own, and the text is its toString().
template <class K>
struct HashKeyTraits<K, std::void_t<decltype(std::declval<const K&>().getPackedValue())>>
{
    static int32_t hash(const K& key) { return (int32_t)(uint32_t)key.getPackedValue(); }
    static bool equal(const K& a, const K& b) { return a == b; }
    static String toString(const K& key) { return String(key.toString()); }
};

// ---- the table --------------------------------------------------------------------------------

// One entry, allocated and deleted by its table. The value is destroyed before the key.
template <class K, class V> class HashNode
{
public:
    HashNode() : m_key(), m_value() {}

    K m_key;
    V m_value;
};

template <class K, class V> class Hash : public RefCountedObject
{
public:
    typedef HashNode<K, V> Node;
    typedef List<Node*> Bucket;

    enum
    {
        DEFAULT_BUCKETS = 97
    };

    // An empty table of nBuckets buckets (at least 1; an assertion fails otherwise).
    explicit Hash(int nBuckets = DEFAULT_BUCKETS);
    // Clears the table (keys and values destroyed; plain pointer values are not deleted).
    ~Hash() override;

    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;

    // The key under which key is looked up: key itself here. A derived table that normalises
    // keys returns a key it keeps (valid until its next call); returning a reference keeps the
    // lookups free of key copies.
    virtual const K& adjustKey(const K& key) const { return key; }
    // The value of key. A missing key raises FatalErrorException "Hash key not found : " with
    // the key's text, and the table stays as it was.
    virtual V& get(const K& key);
    const V& get(const K& key) const;
    // Assigns the value of an existing key in place (the node keeps its place in its bucket), or
    // adds a node at the end of the key's bucket.
    virtual void set(const K& key, const V& value);
    // Called by operator[] after it added a node; does nothing here.
    virtual void keyAdded(const K& key);
    // The value of key, adding a node with a default value (zero for numbers and pointers) first
    // when the key is missing.
    virtual V& operator[](const K& key);
    virtual bool contains(const K& key) const;
    // Removes the key's node and returns its value. For a missing key the table stays unchanged
    // and the result is a copy of the first value of bucket 0, or a default value when that
    // bucket is empty; callers remove only keys they have just found.
    virtual V remove(const K& key);

    // Copies of every key / every value in table order; position i of both belongs to one node.
    List<K> keys() const;
    List<V> values() const;
    // True when no bucket holds a node.
    bool isEmpty() const;
    // Deletes every node in table order; the bucket count stays.
    void clear();
    // For tables whose values are owned object pointers: deletes every value object in table
    // order (an object held under several keys only once), then clears the table.
    void deleteValues();
    // Sets every key of other here with other's value, in other's table order.
    void merge(const Hash& other);
    // Rebuilds the table with chooseBucketCount(key count) buckets when that differs from the
    // current count; it may grow or shrink. Entries keep their table order of re-insertion.
    void rehashToFit();
    // The first of 5, 11, 23, 47, 97, 197, 397, 797, 1597, 3203, 6421 that is not smaller than
    // n; 6421 for anything larger.
    static int chooseBucketCount(int n);

    // Writes / reads the table in the object streamer's hash form; defined for the String to
    // String table only (rir2/hash_persist.h).
    void persistTo(ObjectStreamer& streamer);
    void persistFrom(ObjectStreamer& streamer);

    int getBucketCount() const { return m_nBuckets; }
    // The key's bucket, 0 .. getBucketCount() - 1: its hash as an unsigned number, modulo the
    // bucket count.
    int bucketIndex(const K& key) const
    {
        return (int)((uint32_t)HashKeyTraits<K>::hash(key) % (uint32_t)m_nBuckets);
    }
    // The key's node, or null. The key is taken as given (no adjustKey).
    Node* findNode(const K& key) const;

protected:
    // Drops every node and the bucket array; the table then has nBuckets empty buckets. The
    // array itself is made by the first insertion, so that an empty table (most property
    // tables, for one) costs no bucket memory and its whole-table operations no bucket walk.
    void allocateBuckets(int nBuckets);
    // Append a node {key, value} / {key, default} at the end of the key's bucket, without
    // testing whether the key is present.
    Node* add(const K& key, const V& value);
    Node* addDefault(const K& key);

private:
    // Raises the missing-key error for key.
    [[noreturn]] void throwKeyNotFound(const K& key) const;
    // The key's bucket / bucket nBucket (0 .. getBucketCount() - 1), making the bucket array
    // first when the table has none yet.
    Bucket& bucketFor(const K& key) { return bucketAt(bucketIndex(key)); }
    Bucket& bucketAt(int nBucket);

    Bucket* m_pBuckets;
    int32_t m_nBuckets;
};

} // namespace RIR

#include "rir2/hash_impl.h"

#endif
