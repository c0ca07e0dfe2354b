// Resources and the abstract source of resources.
//
// A Resource is a named block of bytes (a picture, a sound, a font, a text table, a script),
// shared through SmartPtr<Resource>. An owning resource frees its bytes with delete[] when the
// last handle goes, so bytes handed to an owning resource must come from new uint8_t[] (or
// new char[]); a non-owning resource is a view over bytes that outlive it, such as data compiled
// into the program.
//
// A ResourceProvider answers for a set of resource names: whether a name exists, its bytes, the
// names it can list and its own name for a resource. The application keeps its providers in a
// list of plain pointers and deletes them at shut-down.
#ifndef RIR2_RESOURCE_H
#define RIR2_RESOURCE_H

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{

class MemStream;

class Resource : public RefCountedObject
{
public:
    // With pData null, a zero-filled buffer of nSize bytes is allocated and always owned, so it
    // goes with the resource whatever bOwns says. Otherwise the resource uses the bytes at pData
    // without copying them and frees them when bOwns is true. A negative size raises
    // BadParmException.
    Resource(int nSize, void* pData, bool bOwns);
    ~Resource() override;

    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    uint8_t* getData() const { return m_pData; }
    int getSize() const { return m_nSize; }
    bool ownsData() const { return m_bOwns; }

    // The bytes as text: exactly getSize() bytes, ended early by a zero byte.
    String asString() const;
    // A new read-only MemStream view over the bytes; the caller deletes it, before the resource
    // goes.
    MemStream* getStream() const;

private:
    uint8_t* m_pData;
    int32_t m_nSize;
    bool m_bOwns;
};

class ResourceProvider
{
public:
    virtual ~ResourceProvider();

    // Whether the name can be loaded; never raises.
    virtual bool exists(const char* pszName) = 0;
    // A new resource (or a shared one) that the caller takes into a SmartPtr<Resource>; raises
    // when the name cannot be loaded.
    virtual Resource* load(const char* pszName) = 0;
    // The names the provider can list (possibly none).
    virtual List<String> names() = 0;
    // The provider's own name for the resource, such as its path.
    virtual String mapName(const char* pszName) = 0;
};

} // namespace RIR

#endif
