// A customer for the world's tests, without the game's packs.
//
// makeCustomerPartAnimation gives one body part at 10 frames per second: for each facing the walk
// and stand sequences of makeBodyPartAnimation's kind plus "sitdown_", "standup_" (9 frames; on the
// legs "chairpos" 0.5 on frame 3 and 1.0 on frame 6 of "sitdown_", the other way round on
// "standup_", and "playsound" on frame 4), "sit_idle_" (looping), "ask_0_".."ask_2_" (6 frames,
// "endseq" on frame 4, "sound" on frame 2), "drink_" (6 frames, "take" on 2, "leave" on 4),
// "drink_fast_" (4 frames, "take" on 1, "leave" on 2), "fight_" (5 frames) and "throw_" (6 frames, "take" on 1,
// "doaction" on 2 with "mugx" 5, "mugy" -20, "landx" 120, "landy" 40, "miny" -80).
//
// makeBalloonAnimation, makeExclamationAnimation and makeBottleAnimation stand in for
// "balloons.anim" ("ask_0_r".."ask_2_l", and only INSULT_BALLOONS insult sequences "insult_0_r"
// .. so that long fights run past them), "exclamation.anim" and "botella_trash.anim" ("throw_r"/"throw_l" of 6 frames
// with "playsound" on frame 2, "fade_r"/"fade_l" of 3 frames).
//
// SyntheticCustomer is a customer dressed in those parts that takes those animations; the
// parameters of a plain customer are set (setPlainCustomerParams), each changeable by the test:
// asks wait 1 s each, 0.5 s between sips, pays 120/110/100/90, two mugs, no fights, no fast sips.
//
//     RIR::SmartPtr<SyntheticCustomer> pCust = new SyntheticCustomer;
//     pCust->placeAt(112, 175);      // on the street
//     pCust->start();
#ifndef DBD_TESTS_WORLD_KIT_SYNTHETICCUSTOMER_H
#define DBD_TESTS_WORLD_KIT_SYNTHETICCUSTOMER_H

#include "world/customer.h"

#include "gfx/animation.h"

#include "rir2/refcount.h"

// The insult balloons the synthetic "balloons.anim" has per side.
const int INSULT_BALLOONS = 3;

RIR::SmartPtr<Animation> makeCustomerPartAnimation(int nPart);
RIR::SmartPtr<Animation> makeBalloonAnimation();
RIR::SmartPtr<Animation> makeExclamationAnimation();
RIR::SmartPtr<Animation> makeBottleAnimation();

// The nine head offsets of the tests: frame n gives (n, -n).
const char* syntheticHeadSitOffsetsText();

void setPlainCustomerParams(ParamHolder* pParams);

class SyntheticCustomer : public Customer
{
public:
    SyntheticCustomer();

protected:
    RIR::SmartPtr<Animation> loadAnimation(const char* pszName) override;
};

#endif
