// worldRandom: the program-wide generator, made on first use.
#include "world/worldrandom.h"

RIR::Random& worldRandom()
{
    static RIR::Random s_random;
    return s_random;
}
