#include "gfx/ivisualobject.h"

#include "rir2/calltrace.h"

IVisualObject::~IVisualObject() {}

int IVisualObject::getWidth()
{
    RIR_TRACE("IVisualObject::getWidth");
    int nWidth = 0;
    getSize(&nWidth, nullptr);
    return nWidth;
}

int IVisualObject::getHeight()
{
    RIR_TRACE("IVisualObject::getHeight");
    int nHeight = 0;
    getSize(nullptr, &nHeight);
    return nHeight;
}
