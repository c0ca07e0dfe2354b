// FadeText: a picture that rises from a point on the play screen and fades out.
//
// The world asks the level for one (IPlayMode::addFadeText) and may switch its swaying on
// (IPlayMode::showFadeText); the level owns the list of live fade texts, steps them every frame
// and removes them when their time is up. This record is what both sides share.
#ifndef DBD_WORLD_FADETEXT_H
#define DBD_WORLD_FADETEXT_H

#include "gfx/sprite.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class FadeText : public RIR::RefCountedObject
{
public:
    FadeText()
        : fDuration(0.0f), fElapsed(0.0f), nAlphaLevel(250), fY(0.0f), fRiseSpeed(0.0f),
          bSway(false), nX(0), fSwayAmplitude(0.0f), fSwayFrequency(0.0f), fSwayPhase(0.0f)
    {
    }

    RIR::String sName;               // image name; also the base of its faded images
    RIR::SmartPtr<Sprite> pSprite;   // the sprite on the play screen
    float fDuration;                 // seconds it lives
    float fElapsed;                  // seconds lived
    int32_t nAlphaLevel;             // fade level of the image shown; 250 before the first step
    float fY;                        // current y in pixels
    float fRiseSpeed;                // pixels per second upwards
    bool bSway;                      // horizontal swaying on
    int32_t nX;                      // base x in pixels
    float fSwayAmplitude;            // pixels
    float fSwayFrequency;            // radians per second
    float fSwayPhase;                // radians
};

#endif
