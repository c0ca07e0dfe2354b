// WantedLook: the head look of the man on the wanted poster.
//
// A look is a head type 1..13 and three features (A and B 0..2, C a flag). The poster shows one;
// the wanted man wears it, and no other customer may: randomWantedLook never repeats the poster's
// look. Head type 13 has neither feature A nor feature C.
#ifndef DBD_LEVEL_WANTEDLOOK_H
#define DBD_LEVEL_WANTEDLOOK_H

namespace RIR
{
class Random;
}

struct WantedLook
{
    int nHeadType = 1;
    int nFeatureA = 0;
    int nFeatureB = 0;
    bool bFeatureC = false;
};

// All four fields equal.
bool sameWantedLook(const WantedLook& a, const WantedLook& b);
// A random look that differs from *pPoster (when given): head type 1..13; for 13, B 1, A 0 and
// no C, otherwise B 1..2, A 1..2 and C on a coin; then B loses its feature one time in three, and
// A one time in two.
WantedLook randomWantedLook(RIR::Random& random, const WantedLook* pPoster);

#endif
