// RecordingSetupTarget: a stand-in character for the difficulty manager's setups.
//
// It holds a real parameter set and records the speeds, the walk-animation scale and the sprites
// a setup hands it, so tests can read a whole setup back without the world's characters.
#ifndef DBD_TESTS_LEVEL_KIT_RECORDINGSETUPTARGET_H
#define DBD_TESTS_LEVEL_KIT_RECORDINGSETUPTARGET_H

#include "level/isetuptarget.h"
#include "world/paramholder.h"

#include "rir2/refcount.h"

#include <vector>

class RecordingSetupTarget : public ISetupTarget
{
public:
    RecordingSetupTarget();
    ~RecordingSetupTarget() override;

    ParamHolder& getParams() override { return m_params; }
    void setSpeed(float fHorizontal, float fVertical) override;
    void setWalkAnimScale(float fScale) override { m_fWalkAnimScale = fScale; }
    void attachSprite(const RIR::SmartPtr<AnimSprite>& pSprite) override;

    ParamHolder m_params;
    float m_fSpeedH = -1.0f; // -1: never set
    float m_fSpeedV = -1.0f;
    float m_fWalkAnimScale = 1.0f;
    std::vector<RIR::SmartPtr<AnimSprite>> m_vSprites;
};

#endif
