#include "platform/gl/renderdevice.h"

RenderDevice::~RenderDevice() {}

const char* transformKindName(TransformKind eKind)
{
    switch (eKind)
    {
    case TRANSFORM_WORLD:
        return "WORLD";
    case TRANSFORM_VIEW:
        return "VIEW";
    case TRANSFORM_PROJECTION:
        return "PROJECTION";
    default:
        return "?";
    }
}
