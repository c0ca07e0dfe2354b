#include "app/ivideodriver.h"

#include "app/videoflags.h"

#include "rir2/calltrace.h"

IVideoDriver::IVideoDriver() : m_fScale(1.0f)
{
    RIR_TRACE("IVideoDriver::IVideoDriver");
}

IVideoDriver::~IVideoDriver()
{
    RIR_TRACE("IVideoDriver::~IVideoDriver");
}

void IVideoDriver::setScale(float fScale)
{
    RIR_TRACE("IVideoDriver::setScale");
    m_fScale = fScale;
}

void IVideoDriver::suspend()
{
    RIR_TRACE("IVideoDriver::suspend");
}

void IVideoDriver::resume()
{
    RIR_TRACE("IVideoDriver::resume");
}

int IVideoDriver::bppFromFlags(int nFlags)
{
    RIR_TRACE("IVideoDriver::bppFromFlags");
    switch (nFlags & VF_DEPTH_MASK)
    {
    case 4:
        return 16;
    case 8:
        return 24;
    case 12:
        return 32;
    default:
        return 0;
    }
}

int IVideoDriver::flagsFromBpp(int nBpp)
{
    RIR_TRACE("IVideoDriver::flagsFromBpp");
    switch (nBpp)
    {
    case 15:
    case 16:
        return 4;
    case 24:
        return 8;
    case 32:
        return 12;
    default:
        return 0;
    }
}
