#include "platform/gl/rendervertex.h"

const char* primitiveKindName(PrimitiveKind eKind)
{
    switch (eKind)
    {
    case PRIM_TRIANGLE_LIST:
        return "TRIANGLE_LIST";
    case PRIM_TRIANGLE_STRIP:
        return "TRIANGLE_STRIP";
    case PRIM_TRIANGLE_FAN:
        return "TRIANGLE_FAN";
    default:
        return "?";
    }
}
