// Resources registered in memory at run time.
//
// Names are compared lower-cased: a resource added as "Logo.PNG" is found as "logo.png" and as
// "LOGO.PNG", and is listed as "logo.png". The provider holds a reference to every resource it
// stores; `load` hands out that same resource, shared, never a copy.
#ifndef RIR2_MEMPROVIDER_H
#define RIR2_MEMPROVIDER_H

#include "rir2/hash.h"
#include "rir2/resource.h"

namespace RIR
{

class MemoryResourceProvider : public ResourceProvider
{
public:
    // An empty table of 97 buckets.
    MemoryResourceProvider();

    // Whether the lower-cased name is registered.
    bool exists(const char* pszName) override;
    // The resource stored under the lower-cased name; a missing name raises
    // FatalErrorException "Hash key not found : " with the lower-cased key in double quotes.
    Resource* load(const char* pszName) override;
    // The lower-cased names, in the table's order.
    List<String> names() override;
    // The name unchanged.
    String mapName(const char* pszName) override;

    // Stores a reference to pResource under the lower-cased name, replacing the resource stored
    // under that name before.
    virtual void add(const char* pszName, Resource* pResource);

private:
    Hash<String, SmartPtr<Resource>> m_hResources;
};

} // namespace RIR

#endif
