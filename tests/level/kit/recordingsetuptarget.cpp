// RecordingSetupTarget: a stand-in character for setups (recordingsetuptarget.h).
#include "recordingsetuptarget.h"

#include "gfx/animsprite.h"

RecordingSetupTarget::RecordingSetupTarget() {}

RecordingSetupTarget::~RecordingSetupTarget() {}

void RecordingSetupTarget::setSpeed(float fHorizontal, float fVertical)
{
    m_fSpeedH = fHorizontal;
    m_fSpeedV = fVertical;
}

void RecordingSetupTarget::attachSprite(const RIR::SmartPtr<AnimSprite>& pSprite)
{
    m_vSprites.push_back(pSprite);
}
