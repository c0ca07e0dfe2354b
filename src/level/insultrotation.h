// The insults of fighting customers: which line comes next.
//
// With more than 14 lines the list rotates: the answer is line 0, which then swaps places with a
// random line from index 10 on, so a line just used waits at least ten turns. With 14 lines or
// fewer a random line is the answer and the list stays as it is. An empty list answers "" (a
// content pack without insults keeps the fights going, silently).
#ifndef DBD_LEVEL_INSULTROTATION_H
#define DBD_LEVEL_INSULTROTATION_H

#include "rir2/list.h"
#include "rir2/rirstring.h"

namespace RIR
{
class Random;
}

RIR::String nextInsult(RIR::List<RIR::String>& lInsults, RIR::Random& random);

#endif
