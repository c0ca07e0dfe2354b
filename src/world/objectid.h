// objectId: how the world names an object in its log texts (dumps, warnings).
//
// The identity is the object's full address in upper-case hexadecimal, zero-padded to the width
// of a pointer (16 digits on 64-bit systems), so two objects never print alike and nothing of the
// address is cut off. A null pointer prints as all zeros.
#ifndef DBD_WORLD_OBJECTID_H
#define DBD_WORLD_OBJECTID_H

#include "rir2/rirstring.h"

RIR::String objectId(const void* p);

#endif
