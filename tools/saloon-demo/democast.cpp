// DemoCast: the demo's characters dressed from the built packs (democast.h).
#include "democast.h"
#include "scenedemo.h"

#include "app/gameapp.h"
#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdlib>
#include <sys/stat.h>

#ifndef DBD_DEMO_GAME_DIR
#define DBD_DEMO_GAME_DIR "game"
#endif

namespace
{

bool s_bOpen = false;

// The level's clothes pools: torso (a, b, colour) per variant, trousers and boots (c, colour),
// shawls (d, c, colour) per variant.
struct Cloth
{
    const char* pszA;
    const char* pszB;
    const char* pszColour;
};
const Cloth TORSOS[2][4] = {{{"1", "1", ""}, {"2", "1", ""}, {"1", "1", "rrr"}, {"1", "1", "bbb"}},
                            {{"1", "2", ""}, {"1", "2", "rrr"}, {"2", "2", ""}, {"2", "2", ""}}};
const Cloth PANTS[] = {{"1", "", ""}, {"2", "", ""}, {"4", "", ""}, {"1", "", "ggg"}, {"2", "", "rrr"}};
const Cloth SHAWLS[2][3] = {{{"1", "1", ""}, {"2", "1", ""}, {"2", "1", "rbg"}},
                            {{"2", "2", ""}, {"1", "2", ""}, {"1", "2", ""}}};
const int HEAD_SKIN[13] = {1, 1, 2, 5, 1, 1, 3, 2, 1, 4, 1, 1, 5};

RIR::String remap(const char* pszColour)
{
    return *pszColour ? RIR::String::format("remap %s all", pszColour) : RIR::String();
}

RIR::List<RIR::String> words(std::initializer_list<RIR::String> l)
{
    RIR::List<RIR::String> lOut;
    for (const RIR::String& s : l)
        lOut.append(s);
    return lOut;
}

} // namespace

const char* DemoCast::gameDir()
{
    const char* psz = std::getenv("SALOON_DEMO_CONTENT");
    return psz && *psz ? psz : DBD_DEMO_GAME_DIR;
}

bool DemoCast::isOpen() { return s_bOpen; }

bool DemoCast::openPacks(const char* pszGameDir)
{
    RIR_TRACE("DemoCast::openPacks");
    if (s_bOpen)
        return true;
    GameApp* pApp = GameApp::getInstance();
    const RIR::String sDir = pszGameDir;
    struct stat info;
    if (!pApp || stat((sDir + "/characters.dat").c_str(), &info) != 0)
    {
        logPrintf("W: saloon-demo: no characters.dat in %s: plain test bodies\n", pszGameDir);
        return false;
    }
    try
    {
        addGamePacks(*pApp, sDir.c_str());
    }
    catch (const RIR::Exception& e)
    {
        logPrintf("W: saloon-demo: opening the packs: %s\n", e.getMessage());
        return false;
    }
    s_bOpen = true;
    return true;
}

DemoCast::Kind DemoCast::kindFor(int nCameIn)
{
    switch (nCameIn % 9)
    {
    case 3:
        return KIND_COW;
    case 5:
        return KIND_THIEF;
    case 7:
        return KIND_SHERIFF;
    default:
        return KIND_CUSTOMER;
    }
}

void DemoCast::dress(Character* pChar, Kind eKind)
{
    RIR_TRACE("DemoCast::dress");
    switch (eKind)
    {
    case KIND_COW:
        dressCow(pChar);
        break;
    case KIND_THIEF:
        dressThief(pChar);
        break;
    case KIND_SHERIFF:
        dressSheriff(pChar);
        break;
    default:
        dressCustomer(pChar);
        break;
    }
}

int DemoCast::addHead(Character* pChar, int nType, int nA, int nB, bool bC, bool bHat)
{
    if (nType == 10 && nB == 2)
        bHat = false;
    const int nHat = bHat ? m_random.range(0, 8) : -1;
    const RIR::String sKey =
        RIR::String::format("hx_head_%d_%d_%d_%d_%d", nType, nB, bC ? 1 : 0, nA, nHat);
    RIR::List<RIR::String> lParts =
        words({RIR::String::format("%d", nType), RIR::String::format("%d", nB),
               RIR::String::format("%d", bC ? 1 : 0), RIR::String::format("%d", nA),
               nHat < 0 ? RIR::String("-") : RIR::String::format("%c", 'a' + nHat)});
    pChar->addPartAnimParts(Character::PART_HEAD, "hx_head.template", sKey.c_str(), lParts);
    lParts.append(RIR::String::format("%d", nType));
    pChar->addPartAnimParts(Character::PART_HEAD, "hx_skin.template",
                            RIR::String::format("h1_skin_%d.anim", nType).c_str(), lParts);
    pChar->setHeadName(sKey.c_str());
    return nType >= 1 && nType <= 13 ? HEAD_SKIN[nType - 1] : 1;
}

void DemoCast::addArms(Character* pChar, int nSkin, int nAlt, const RIR::String& sSleeves,
                       const RIR::List<RIR::String>& lSleeveParts, bool bBottle)
{
    const RIR::String sArms = RIR::String::format("%d_%d_brazos.anim", nSkin, nAlt);
    const RIR::List<RIR::String> lArmParts =
        words({RIR::String::format("%d", nSkin), RIR::String::format("%d", nAlt + 1)});
    for (int nPart : {Character::PART_LEFT_ARM, Character::PART_RIGHT_ARM})
        pChar->addPartAnimParts(nPart, "hx_brazos.template", sArms.c_str(), lArmParts);
    for (int nPart : {Character::PART_LEFT_ARM, Character::PART_RIGHT_ARM})
    {
        if (lSleeveParts.isEmpty())
            pChar->addPartAnim(nPart, sSleeves.c_str());
        else
            pChar->addPartAnimParts(nPart, "hx_mangas.template", sSleeves.c_str(), lSleeveParts);
    }
    if (bBottle)
        for (int nPart : {Character::PART_LEFT_ARM, Character::PART_RIGHT_ARM})
            pChar->addPartAnim(nPart, "hx_bottle.anim");
}

void DemoCast::dressCustomer(Character* pChar)
{
    RIR_TRACE("DemoCast::dressCustomer");
    const int nAlt = m_random.chance() ? 1 : 0;
    const Cloth& torso = TORSOS[nAlt][m_random.range(0, nAlt ? 2 : 3)];
    const Cloth& pants = PANTS[m_random.range(0, 4)];
    const Cloth& shawl = SHAWLS[nAlt][m_random.range(0, nAlt ? 1 : 2)];
    const char* pszBoots = pants.pszA[0] == '1' ? "1" : (m_random.chance() ? "1" : "2");
    const RIR::String sT = RIR::String::format("%s_%s_%s", torso.pszA, torso.pszB, torso.pszColour);
    const RIR::String sP = RIR::String::format("%s_%s", pants.pszA, pants.pszColour);

    pChar->addPartAnimParts(Character::PART_LEGS, "hx_pant.template", (sP + "_pant.anim").c_str(),
                            words({pants.pszA, remap(pants.pszColour)}));
    pChar->addPartAnimParts(Character::PART_LEGS, "hx_botas.template",
                            RIR::String::format("%s__botas.anim", pszBoots).c_str(),
                            words({pszBoots, ""}));
    pChar->addPartAnim(Character::PART_LEGS, "hx_shadow.anim");
    const RIR::List<RIR::String> lTorso = words({torso.pszA, torso.pszB, remap(torso.pszColour)});
    pChar->addPartAnimParts(Character::PART_TORSO, "hx_torso.template",
                            (sT + "_torso.anim").c_str(), lTorso);
    if (nAlt && m_random.chance())
        pChar->addPartAnimParts(
            Character::PART_TORSO, "hx_chale.template",
            RIR::String::format("%s_%s_%s_chale.anim", shawl.pszA, shawl.pszB, shawl.pszColour).c_str(),
            words({shawl.pszA, shawl.pszB, remap(shawl.pszColour)}));
    pChar->addPartAnim(Character::PART_TORSO, "hx_cint.anim");
    pChar->addPartAnimParts(Character::PART_TORSO, "hx_cuello.template",
                            (sT + "_cuello.anim").c_str(), lTorso);

    const int nType = m_random.range(1, 13);
    int nB = nType == 13 ? 1 : m_random.range(1, 2);
    int nA = nType == 13 ? 0 : m_random.range(1, 2);
    const bool bC = nType != 13 && m_random.chance();
    if (m_random.range(0, 2) == 0)
        nB = 0;
    if (m_random.chance())
        nA = 0;
    const int nSkin = addHead(pChar, nType, nA, nB, bC, nAlt || m_random.chance());
    addArms(pChar, nSkin, nAlt, sT + "_mangas.anim", lTorso, true);
}

void DemoCast::dressCow(Character* pChar)
{
    RIR_TRACE("DemoCast::dressCow");
    const char* const PIECES[][3] = {{"cow_pata_i", "-1", "patai"}, {"cow_pata_d", "1", "patad"},
                                     {"cow_head", "3", "head"},     {"cow_neck", "2", "cuello"},
                                     {"cow_tail", "2", "cola"}};
    for (const auto& piece : PIECES)
        pChar->addPartAnimParts(Character::PART_LEGS, "cow_walk.template", piece[0],
                                words({piece[1], piece[2]}));
    pChar->addPartAnim(Character::PART_TORSO, "cow_torso.anim");
    pChar->addPartAnim(Character::PART_TORSO, "cow_shadow.anim");
}

void DemoCast::dressThief(Character* pChar)
{
    RIR_TRACE("DemoCast::dressThief");
    pChar->addPartAnimParts(Character::PART_LEGS, "hx_pant.template", "4__pant.anim",
                            words({"4", ""}));
    pChar->addPartAnimParts(Character::PART_LEGS, "hx_botas.template", "2__botas.anim",
                            words({"2", ""}));
    pChar->addPartAnim(Character::PART_LEGS, "hx_shadow.anim");
    pChar->addPartAnim(Character::PART_TORSO, "hl_torso.anim");
    pChar->addPartAnim(Character::PART_TORSO, "hl_cint.anim");
    pChar->addPartAnim(Character::PART_TORSO, "hl_cuello.anim");
    pChar->addPartAnim(Character::PART_HEAD, "hl_hat.anim");
    pChar->addPartAnim(Character::PART_HEAD, "hl_panu.anim");
    const int nSkin = addHead(pChar, 1, 0, 0, false, false);
    addArms(pChar, nSkin, 0, "hl_mangas.anim", RIR::List<RIR::String>(), false);
}

void DemoCast::dressSheriff(Character* pChar)
{
    RIR_TRACE("DemoCast::dressSheriff");
    pChar->addPartAnimParts(Character::PART_LEGS, "hx_pant.template", "2__pant.anim",
                            words({"2", ""}));
    pChar->addPartAnimParts(Character::PART_LEGS, "hx_botas.template", "2__botas.anim",
                            words({"2", ""}));
    pChar->addPartAnim(Character::PART_LEGS, "hx_shadow.anim");
    pChar->addPartAnim(Character::PART_TORSO, "hs_torso.anim");
    pChar->addPartAnim(Character::PART_TORSO, "hs_cuello.anim");
    for (int nPart : {Character::PART_LEFT_ARM, Character::PART_RIGHT_ARM})
        pChar->addPartAnim(nPart, "hs_mangas.anim");
}
