// The heroine's outfits: which layers dress her for each outfit number.
//
// The level / 5 picks one of nine outfits (0..8). Each names a trousers (skirt) look P, boots B,
// shirt looks A and C and whether her legs are bare. The layers are added per body part in a
// fixed order; a layer built from a template with parameters is cached under a key of its own, so
// that the heroine of every level in the run shares the built animations.
//
// Usage:
//     RIR::List<DollyLayer> lLayers = getDollyOutfitLayers(3, bLowResources);
#ifndef DBD_WORLD_DOLLYOUTFIT_H
#define DBD_WORLD_DOLLYOUTFIT_H

#include "rir2/list.h"
#include "rir2/rirstring.h"

struct DollyOutfit
{
    int nPants;
    int nBoots;
    int nShirtA;
    int nShirtC;
    bool bBareLegs;
};

// One layer: the animation file of a body part; with a cache key, built from the file with the
// parameters ("(0)", "(1)" of the script), else the whole file by its name.
struct DollyLayer
{
    int nPart;
    RIR::String sFile;
    RIR::String sCacheKey;           // "" for a whole animation
    RIR::List<RIR::String> lParams;
};

static constexpr int DOLLY_OUTFIT_COUNT = 9;

// The outfit's row; "Assertion failed : nOutfit >= 0 && nOutfit < DOLLY_OUTFIT_COUNT" outside.
const DollyOutfit& getDollyOutfit(int nOutfit);
// The layers in the order they are added: legs (skirt, bare legs, boots, shadow unless low
// resources), torso (dress, eyes unless low resources), then each arm (arm, hand, sleeve).
RIR::List<DollyLayer> getDollyOutfitLayers(int nOutfit, bool bLowResources);

#endif
