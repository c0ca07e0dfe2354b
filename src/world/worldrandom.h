// worldRandom: the one program-wide random generator of the saloon world.
//
// The shot effect of a click on a character scatters its bang pictures with it, and the cash
// digits share it. It is seeded from the clock when first used; tests and the demo seed it
// themselves (worldRandom().seed(n)) to make a run repeatable. Main thread only.
#ifndef DBD_WORLD_WORLDRANDOM_H
#define DBD_WORLD_WORLDRANDOM_H

#include "rir2/random.h"

RIR::Random& worldRandom();

#endif
