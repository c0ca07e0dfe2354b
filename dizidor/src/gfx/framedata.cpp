#include "gfx/framedata.h"

#include "rir2/calltrace.h"

FrameData::FrameData(RIR::SmartPtr<Image> pImage) : m_pImage(pImage), m_nDuration(1)
{
    RIR_TRACE("FrameData::FrameData");
}

FrameData::~FrameData()
{
    RIR_TRACE("FrameData::~FrameData");
}

void FrameData::setDuration(int nDuration)
{
    RIR_TRACE("FrameData::setDuration");
    m_nDuration = nDuration;
}
