// FrameData: one frame of an animation sequence.
//
// A frame shows one picture for a whole number of frame units (its duration); the sequence's speed
// says how long a unit lasts. Its properties inherit from the sequence it was added to (its
// parent), and through it from the animation. The picture may be shared by many frames.
//
// Frames are made by Animation::addFrame and are not changed once the animation is loaded.
#ifndef DIZIDOR_GFX_FRAMEDATA_H
#define DIZIDOR_GFX_FRAMEDATA_H

#include "gfx/image.h"
#include "gfx/propholder.h"
#include "rir2/refcount.h"

#include <cstdint>

class FrameData : public PropHolder
{
public:
    // Duration 1, no parent; the creator sets both.
    explicit FrameData(RIR::SmartPtr<Image> pImage);
    ~FrameData() override;

    RIR::SmartPtr<Image> getImage() const { return m_pImage; }
    // Frame units; 1 unless the script says otherwise.
    int getDuration() const { return m_nDuration; }
    void setDuration(int nDuration);

private:
    RIR::SmartPtr<Image> m_pImage;
    int32_t m_nDuration;
};

#endif
