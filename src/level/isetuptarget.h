// ISetupTarget: what the difficulty manager's setups write into a new character.
//
// A setup (DifficultyManager::setupCustomer and its siblings) fills the character's parameter set,
// sets its walking speeds and the time scale of its walk animations, and may attach a sprite over
// it (the shoot hint). The character classes live in the world below the level, so the level
// reaches them through this interface: character creation hands each new character over through
// a small adapter, and tests hand over a recording one.
#ifndef DBD_LEVEL_ISETUPTARGET_H
#define DBD_LEVEL_ISETUPTARGET_H

#include "rir2/refcount.h"

class AnimSprite;
class ParamHolder;

class ISetupTarget
{
public:
    virtual ~ISetupTarget();

    // The character's parameter set ("CP_" keys).
    virtual ParamHolder& getParams() = 0;
    // Walking speeds in pixels per second.
    virtual void setSpeed(float fHorizontal, float fVertical) = 0;
    // The time scale of the walk animations (1.0 normal).
    virtual void setWalkAnimScale(float fScale) = 0;
    // A sprite that follows the character and is drawn over it.
    virtual void attachSprite(const RIR::SmartPtr<AnimSprite>& pSprite) = 0;
};

#endif
