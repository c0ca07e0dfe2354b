#include "app/iplatform.h"

#include "app/ivideodriver.h"

#include "rir2/calltrace.h"

IPlatform::IPlatform() : m_fScale(1.0f)
{
    RIR_TRACE("IPlatform::IPlatform");
}

IPlatform::~IPlatform()
{
    RIR_TRACE("IPlatform::~IPlatform");
}

void IPlatform::setScale(float fScale)
{
    RIR_TRACE("IPlatform::setScale");
    m_fScale = fScale;
    IVideoDriver* pDriver = getVideoDriver();
    if (pDriver)
    {
        RIR_TRACE_LINE();
        pDriver->setScale(fScale);
    }
}
