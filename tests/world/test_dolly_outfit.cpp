// The heroine's outfits: the layers of each outfit, in order, with their cache keys and script
// parameters, and what low-resource mode leaves out.
#include "world/dollyoutfit.h"

#include "worldtest.h"

#include <string>

namespace
{

// "part:file[key|p0,p1]" per layer, separated by blanks.
std::string layersText(int nOutfit, bool bLow)
{
    const RIR::List<DollyLayer> lLayers = getDollyOutfitLayers(nOutfit, bLow);
    std::string s;
    for (int n = 0; n < lLayers.getLength(); ++n)
    {
        const DollyLayer& layer = lLayers.get(n);
        if (!s.empty())
            s += " ";
        s += std::to_string(layer.nPart) + ":" + layer.sFile.c_str();
        if (layer.sCacheKey.length() > 0)
        {
            s += std::string("[") + layer.sCacheKey.c_str() + "|";
            for (int k = 0; k < layer.lParams.getLength(); ++k)
                s += (k ? "," : "") + std::string(layer.lParams.get(k).c_str());
            s += "]";
        }
    }
    return s;
}

std::string expected(const char* pszP, const char* pszB, const char* pszA, const char* pszC,
                     bool bBare)
{
    const std::string sP = pszP, sB = pszB, sA = pszA, sC = pszC;
    std::string s = "3:w1_pant.anim[_w_pant_" + sP + "|" + sP + "]";
    if (bBare)
        s += " 3:wx_legs.anim";
    s += " 3:w1_botas.anim[_w_boot_" + sB + "|" + sB + "] 3:hx_shadow.anim";
    s += " 2:w1_torso.anim[_w_shirt_" + sA + "_" + sC + "|" + sA + "," + sC + "] 2:wx_eye.anim";
    for (int nArm = 0; nArm < 2; ++nArm)
    {
        const std::string sArm = std::to_string(nArm);
        s += " " + sArm + ":wx_brazos.anim";
        s += " " + sArm + ":wx_hand.anim[_w_hand_" + sA + "|" + sA + "," + sC + "]";
        s += " " + sArm + ":w1_mangas.anim[_w_sleeve_" + sA + "|" + sA + "," + sC + "]";
    }
    return s;
}

} // namespace

TEST(DollyOutfit, EveryOutfitsLayers)
{
    const struct
    {
        const char* pszP;
        const char* pszB;
        const char* pszA;
        const char* pszC;
        bool bBare;
    } rows[DOLLY_OUTFIT_COUNT] = {
        {"1", "1", "1", "1", false}, {"3", "1", "3", "1", false}, {"3", "1", "3", "2", false},
        {"3", "1", "2", "2", false}, {"2", "1", "2", "3", false}, {"2", "1", "2", "3", false},
        {"4", "4", "4", "4", true},  {"4", "4", "4", "4", true},  {"5", "5", "5", "5", true},
    };
    for (int n = 0; n < DOLLY_OUTFIT_COUNT; ++n)
    {
        const auto& r = rows[n];
        EXPECT_EQ(expected(r.pszP, r.pszB, r.pszA, r.pszC, r.bBare), layersText(n, false))
            << "outfit " << n;
        EXPECT_EQ(r.bBare, getDollyOutfit(n).bBareLegs);
    }
}

TEST(DollyOutfit, LowResourceModeLeavesOutTheShadowAndTheEyes)
{
    EXPECT_EQ("3:w1_pant.anim[_w_pant_4|4] 3:wx_legs.anim 3:w1_botas.anim[_w_boot_4|4] "
              "2:w1_torso.anim[_w_shirt_4_4|4,4] "
              "0:wx_brazos.anim 0:wx_hand.anim[_w_hand_4|4,4] 0:w1_mangas.anim[_w_sleeve_4|4,4] "
              "1:wx_brazos.anim 1:wx_hand.anim[_w_hand_4|4,4] 1:w1_mangas.anim[_w_sleeve_4|4,4]",
              layersText(6, true));
}

TEST(DollyOutfit, AnOutfitOutsideTheTableFails)
{
    for (int nOutfit : {-1, DOLLY_OUTFIT_COUNT})
        EXPECT_EQ("AssertFailException: Assertion failed : nOutfit >= 0 && nOutfit < "
                  "DOLLY_OUTFIT_COUNT",
                  messageOf([&] { getDollyOutfitLayers(nOutfit, false); }));
}
