// The heroine's outfit table and layer lists.
#include "world/dollyoutfit.h"

#include "world/character.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const DollyOutfit OUTFITS[DOLLY_OUTFIT_COUNT] = {
    {1, 1, 1, 1, false}, {3, 1, 3, 1, false}, {3, 1, 3, 2, false},
    {3, 1, 2, 2, false}, {2, 1, 2, 3, false}, {2, 1, 2, 3, false},
    {4, 4, 4, 4, true},  {4, 4, 4, 4, true},  {5, 5, 5, 5, true},
};

RIR::String number(int n)
{
    return RIR::String::format("%d", n);
}

DollyLayer whole(int nPart, const char* pszFile)
{
    DollyLayer layer;
    layer.nPart = nPart;
    layer.sFile = pszFile;
    return layer;
}

DollyLayer built(int nPart, const char* pszFile, const RIR::String& sKey, int nParam0,
                 int nParam1 = -1)
{
    DollyLayer layer;
    layer.nPart = nPart;
    layer.sFile = pszFile;
    layer.sCacheKey = sKey;
    layer.lParams.append(number(nParam0));
    if (nParam1 >= 0)
        layer.lParams.append(number(nParam1));
    return layer;
}

} // namespace

const DollyOutfit& getDollyOutfit(int nOutfit)
{
    RIR_ASSERT(nOutfit >= 0 && nOutfit < DOLLY_OUTFIT_COUNT);
    return OUTFITS[nOutfit];
}

RIR::List<DollyLayer> getDollyOutfitLayers(int nOutfit, bool bLowResources)
{
    RIR_TRACE("getDollyOutfitLayers");
    const DollyOutfit& o = getDollyOutfit(nOutfit);
    const RIR::String sP = number(o.nPants);
    const RIR::String sB = number(o.nBoots);
    const RIR::String sA = number(o.nShirtA);
    const RIR::String sC = number(o.nShirtC);
    RIR::List<DollyLayer> lLayers;
    const int nLegs = Character::PART_LEGS;
    lLayers.append(built(nLegs, "w1_pant.anim", "_w_pant_" + sP, o.nPants));
    if (o.bBareLegs)
        lLayers.append(whole(nLegs, "wx_legs.anim"));
    lLayers.append(built(nLegs, "w1_botas.anim", "_w_boot_" + sB, o.nBoots));
    if (!bLowResources)
        lLayers.append(whole(nLegs, "hx_shadow.anim"));
    const int nTorso = Character::PART_TORSO;
    lLayers.append(built(nTorso, "w1_torso.anim", "_w_shirt_" + sA + "_" + sC, o.nShirtA, o.nShirtC));
    if (!bLowResources)
        lLayers.append(whole(nTorso, "wx_eye.anim"));
    // The hand and sleeve scripts use only their first parameter, so their key names only it.
    for (int nArm = Character::PART_RIGHT_ARM; nArm <= Character::PART_LEFT_ARM; ++nArm)
    {
        lLayers.append(whole(nArm, "wx_brazos.anim"));
        lLayers.append(built(nArm, "wx_hand.anim", "_w_hand_" + sA, o.nShirtA, o.nShirtC));
        lLayers.append(built(nArm, "w1_mangas.anim", "_w_sleeve_" + sA, o.nShirtA, o.nShirtC));
    }
    return lLayers;
}
