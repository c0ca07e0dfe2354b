// Sequence: the frames of one named clip of an animation, with its speed and loop flag.
//
// A sequence plays its frames in order at its speed (frame units per second) and, when it loops,
// starts again at its first frame after its last. Its parent is the animation that created it, so
// its frames inherit the animation's properties through it; registering the same sequence under a
// second name (Animation::addSequence) does not change that.
//
// Sequences are made by Animation::newSequence and Animation::addFrame and are not changed once
// the animation is loaded.
#ifndef DIZIDOR_GFX_SEQUENCE_H
#define DIZIDOR_GFX_SEQUENCE_H

#include "gfx/framedata.h"
#include "gfx/propholder.h"
#include "rir2/list.h"
#include "rir2/refcount.h"

class Sequence : public PropHolder
{
public:
    // No frames, no parent; the creator sets the parent.
    Sequence(float fSpeed, bool bLoop);
    ~Sequence() override;

    // Frame units per second.
    float getSpeed() const { return m_fSpeed; }
    void setSpeed(float fSpeed);
    // Whether the sequence starts again at its first frame after its last.
    bool getLoop() const { return m_bLoop; }
    void setLoop(bool bLoop);

    // The frames in playing order, indexed from 0.
    RIR::List<RIR::SmartPtr<FrameData>>& getFrames() { return m_lFrames; }
    const RIR::List<RIR::SmartPtr<FrameData>>& getFrames() const { return m_lFrames; }
    int getFrameCount() const { return m_lFrames.getLength(); }

private:
    float m_fSpeed;
    bool m_bLoop;
    RIR::List<RIR::SmartPtr<FrameData>> m_lFrames;
};

#endif
