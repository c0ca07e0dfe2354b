// RefCountedObject: the release that may delete the object.
#include "rir2/refcount.h"

namespace RIR
{

bool RefCountedObject::releaseRef()
{
    if (--m_nRefCount == 0)
    {
        delete this;
        return true;
    }
    return false;
}

} // namespace RIR
