// ResCache<T>: the application's cache of shared pictures, samples or music, by name.
//
// GameApp holds one cache per kind (Image, Sample, Music) by value. A cache loads through its
// loader on a miss and keeps what it loaded until asked to drop it; it never evicts on its own,
// and it drops an entry only when nobody else holds it. Objects put with keep are pinned by an
// extra reference on the keep list. Keys are stored exactly as given: GameApp lower-cases picture
// names before they reach the image cache.
//
// Reference counts decide removal: an entry goes only when the cache's own reference (the one
// the table holds) is the only one left, so nothing here may hold a hidden extra handle while it
// counts. Caching off (setNoStore) hands out objects loaded on a miss without storing them;
// objects already stored are still handed out.
//
// The loader is installed by GameApp::init; before that a cache must not be asked to load (get of
// a missing name then raises BadStateException).
//
// Usage:
//     ResCache<Sample> cache;
//     cache.setLoader(pDriver->getSampleLoader());
//     RIR::SmartPtr<Sample> pBang = cache.get("bang");  // loaded once, shared
//     ...
//     pBang = nullptr;
//     cache.remove("bang");                              // true: nobody else held it
//
// Main thread only; the counts are plain integers.
#ifndef DIZIDOR_APP_RESCACHE_H
#define DIZIDOR_APP_RESCACHE_H

#include "app/resourceloader.h"

#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

template <class T> class ResCache
{
public:
    // Empty (97 buckets), no loader, storing on.
    ResCache()
        : m_hCache(RIR::Hash<RIR::String, RIR::SmartPtr<T>>::DEFAULT_BUCKETS), m_pLoader(nullptr),
          m_bNoStore(false)
    {
    }
    // Clears the table, then the keep list: objects nobody else holds are destroyed.
    virtual ~ResCache() { clear(); }

    // Drops every entry and the keep list: objects nobody else holds are destroyed.
    void clear()
    {
        m_hCache.clear();
        m_lKeep.clear();
    }

    ResCache(const ResCache&) = delete;
    ResCache& operator=(const ResCache&) = delete;

    // The loader called on a miss; not owned (the platform or the audio driver owns it).
    void setLoader(IResourceLoader<T>* pLoader) { m_pLoader = pLoader; }
    IResourceLoader<T>* getLoader() const { return m_pLoader; }

    // Storing of objects loaded on a miss: off hands them out without keeping them.
    void setNoStore(bool bNoStore) { m_bNoStore = bNoStore; }
    bool isNoStore() const { return m_bNoStore; }

    // The stored object, or a new one from the loader (stored unless no-store); the loader's
    // error passes through.
    RIR::SmartPtr<T> get(const char* pszName);
    // Stores the object under the name (replacing the cache's hold on an earlier one); with
    // bKeep also pins it on the keep list.
    void put(const char* pszName, RIR::SmartPtr<T> pObject, bool bKeep);
    // Drops the entry when only the cache holds it; true when it was dropped.
    bool remove(const char* pszName);
    // remove for every name.
    void purge();
    // The names, in the table's order.
    RIR::List<RIR::String> getNames() const;
    // Whether the name is stored (exactly as given).
    bool contains(const char* pszName) const;

private:
    RIR::Hash<RIR::String, RIR::SmartPtr<T>> m_hCache;
    RIR::List<RIR::SmartPtr<T>> m_lKeep;
    IResourceLoader<T>* m_pLoader; // not owned
    bool m_bNoStore;
};

#include "app/rescache_impl.h"

#endif
