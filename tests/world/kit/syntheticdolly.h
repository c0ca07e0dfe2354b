// The heroine and her mugs for the world's tests, without the game's packs.
//
// makeMugAnimation gives "mug.anim" as the game draws it: sequences "0".."3" (sips left), each
// frame 20 x 30 pixels with its insertion point at the bottom centre and the properties "suffix"
// ("_0".."_3") and "uiimage" ("mug_ui_0".."mug_ui_3").
//
// makeDollyPartAnimation gives one body part of the heroine at 10 frames per second: for each
// facing "stand_<code>" (looping, 2 frames), "walk_<code>_1s" and "_2s" (4 frames), the carried
// looks "stand_<code>_carry_<n>" and "walk_<code>_1s_carry_<n>" (n 0..3), and on the arms the
// action sequences "take_<code>", "leave_<code>", "leave_<code>_carry_<n>" and
// "stopfight_fast_<code>" (6 frames, not looping, "actionsound" on the frame before the
// "doaction" frame); on the legs "stopfight_<code>". nDoActionFrame -1 leaves the marker out.
//
// SyntheticDolly is a heroine dressed in those parts: startLevel works as in the game and records
// the outfit it was asked for.
//
// Usage:
//     RIR::SmartPtr<SyntheticDolly> pDolly = new SyntheticDolly;
//     pDolly->startLevel(0);
//     pDolly->placeAt(400, 205);
#ifndef DBD_TESTS_WORLD_KIT_SYNTHETICDOLLY_H
#define DBD_TESTS_WORLD_KIT_SYNTHETICDOLLY_H

#include "world/dolly.h"

#include "gfx/animation.h"

#include "rir2/refcount.h"

RIR::SmartPtr<Animation> makeMugAnimation();
RIR::SmartPtr<Animation> makeDollyPartAnimation(int nPart, int nDoActionFrame = 3);

class SyntheticDolly : public Dolly
{
public:
    // The "doaction" frame of her action sequences (-1: none).
    explicit SyntheticDolly(int nDoActionFrame = 3) : m_nDoActionFrame(nDoActionFrame) {}

    void dressUp(int nOutfit) override;
    int getOutfit() const { return m_nOutfit; }

private:
    int m_nDoActionFrame;
    int m_nOutfit = -1;
};

#endif
