// The special guests for the world's tests, without the game's packs: a cow, a sheriff and a
// thief dressed in synthetic body parts, and the thief guard's animations.
//
// makeGuestPartAnimation gives one body part at 10 frames per second: for each facing the walk
// and stand sequences of makeBodyPartAnimation plus the non-looping "sitdown_", "standup_" and
// "startsteal_", "steal_", "endsteal_" (4 frames each) and "sitting_" (5 frames). Each guest gets
// the parameters its class reads, changeable by the test:
// - the cow: sits down ("CP_DO_SIT"), sits 10 s, three clicks;
// - the sheriff: retry to leave after 0.5 s;
// - the thief: steals 100, gives back all at once (return amount 0), three clicks.
// None of them holds the corridor exclusively, and all leave by the right-hand exit.
//
// addGuardAnimations stores in the kit's application "mariachi.anim" and "dog.anim" with the
// guard's sequences ("idle" looping; "sleep", "sleeping" looping, "wakeup", "start", "fire",
// "end"; "fire" of 6 frames has "playsound" on 1, "bang" on 2 and "doaction" on 3; the dog's
// "start" shows his gun on frame 1 and "end" hides it on frame 1) and the pictures "bang_hor"
// and "perro_gun".
//
//     RIR::SmartPtr<SyntheticThief> pThief = new SyntheticThief;
//     pThief->placeAt(112, 175);     // on the street
//     pThief->start();
#ifndef DBD_TESTS_WORLD_KIT_SYNTHETICGUESTS_H
#define DBD_TESTS_WORLD_KIT_SYNTHETICGUESTS_H

#include "world/cow.h"
#include "world/sheriff.h"
#include "world/thief.h"

#include "gfx/animation.h"
#include "rir2/refcount.h"

class SceneFileKit;

RIR::SmartPtr<Animation> makeGuestPartAnimation(int nPart);
void addGuardAnimations(SceneFileKit& kit);

class SyntheticCow : public Cow
{
public:
    SyntheticCow();
};

class SyntheticSheriff : public Sheriff
{
public:
    SyntheticSheriff();
};

class SyntheticThief : public Thief
{
public:
    SyntheticThief();
};

#endif
