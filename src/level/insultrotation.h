// The insults of fighting customers: the lines read from "insults.txt" and which one comes next.
//
// readInsults cuts the text at every "\n" or "\r", trims each line and drops the blank ones (a
// fighter never says nothing), then shuffles the list with 1000 swaps of random lines, so that
// every day starts the rotation at another line. A text without a line is refused with a
// FatalErrorException: the fights draw their lines from here.
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

RIR::List<RIR::String> readInsults(const char* pszText, RIR::Random& random);

RIR::String nextInsult(RIR::List<RIR::String>& lInsults, RIR::Random& random);

#endif
