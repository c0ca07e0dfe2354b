// SyntheticAnimation: animations built in memory for the world's tests, so no pack is needed.
//
// Every frame shows a 1 x 1 blank picture from an in-memory image factory and lasts one frame
// unit; sequences, loop flags, speeds and frame properties ("doaction", "take", "isshadow" ...) are
// chosen by the test.
//
// Usage:
//     RIR::SmartPtr<Animation> pAnim = SyntheticAnimation(10.0f)
//                                          .sequence("take_r", 6, false)
//                                          .frameProp("take_r", 3, "doaction", "1")
//                                          .build();
#ifndef DBD_TESTS_WORLD_KIT_SYNTHETICANIMATION_H
#define DBD_TESTS_WORLD_KIT_SYNTHETICANIMATION_H

#include "gfx/animation.h"

#include "rir2/refcount.h"

class SyntheticAnimation
{
public:
    // An empty animation playing at fFPS frame units per second.
    explicit SyntheticAnimation(float fFPS = 10.0f);

    // Adds a sequence of nFrames frames; fFPS 0 takes the animation's speed. The first sequence
    // added is the default one.
    SyntheticAnimation& sequence(const char* pszName, int nFrames, bool bLoop, float fFPS = 0.0f);
    // Sets a property of one frame of a sequence added before.
    SyntheticAnimation& frameProp(const char* pszSequence, int nFrame, const char* pszKey,
                                  const char* pszValue);
    RIR::SmartPtr<Animation> build() const { return m_pAnim; }

private:
    RIR::SmartPtr<Animation> m_pAnim;
    bool m_bHasDefault;
};

// The saloon door: non-looping sequences "open" and "close" of nOpenFrames and nCloseFrames
// frames at 10 frames per second; "close" is the default.
RIR::SmartPtr<Animation> makeDoorAnimation(int nOpenFrames = 8, int nCloseFrames = 8);

#endif

// A body part for the characters' tests: for each of the four facings the walk cycle
// "walk_<code>_1s" and "walk_<code>_2s" (non-looping, nWalkFrames frames) and "stand_<code>"
// (looping, 2 frames), <code> being the part's direction code ("r_r".. for the right arm, "l_r".. for
// the left arm, "r".. for the others), at 10 frames per second.
RIR::SmartPtr<Animation> makeBodyPartAnimation(int nPart, int nWalkFrames = 4);
