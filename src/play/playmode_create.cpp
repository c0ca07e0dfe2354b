// PlayMode: character creation, the clothes variants and the wanted poster.
//
// Every person is five layered body parts. The clothes are animations built from body templates
// with part strings (a cut, a look, a colour instruction) and cached under a variant name; the
// loader builds the variants one per frame (makeNextClothesVariant) and records the names in the
// pools the customers draw from. Heads are built per look from the head and skin templates.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/isetuptarget.h"
#include "world/cow.h"
#include "world/sheriff.h"
#include "world/thief.h"

#include "app/gameapp.h"
#include "gfx/image.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>
#include <cstdlib>

namespace
{

// Skin colour of the head types 1..13; the special customer's head 14 has the skin 99.
const int HEAD_SKIN[13] = {1, 1, 2, 5, 1, 1, 3, 2, 1, 4, 1, 1, 5};
const int SPECIAL_HEAD = 14;
const int SPECIAL_SKIN = 99;
const int UNDERTAKER_SKIN = 2;
const int HATS = 9;                  // hat letters 'a'.. 'i'
const int NO_HAT_HEAD = 10;          // head type 10 with feature B 2 wears no hat
const int NO_HAT_FEATURE_B = 2;
const int LAST_CLOTHES_SUBSTEP = 39; // the sub-step that only answers false

// How the difficulty manager's setups reach a new character.
class CharacterSetup : public ISetupTarget
{
public:
    explicit CharacterSetup(Character& character) : m_character(character) {}

    ParamHolder& getParams() override { return m_character; }
    void setSpeed(float fHorizontal, float fVertical) override
    {
        m_character.setSpeed((int)std::lround(fHorizontal), (int)std::lround(fVertical));
    }
    void setWalkAnimScale(float fScale) override { m_character.setWalkAnimScale(fScale); }
    void attachSprite(const RIR::SmartPtr<AnimSprite>& pSprite) override
    {
        m_character.attachSprite(pSprite);
    }

private:
    Character& m_character;
};

int skinOfHead(int nHeadType)
{
    if (nHeadType == SPECIAL_HEAD)
        return SPECIAL_SKIN;
    RIR_ASSERT(nHeadType >= 1 && nHeadType <= 13);
    return HEAD_SKIN[nHeadType - 1];
}

// The colour instruction of a template: "remap X all" for a colour code X, else nothing.
RIR::String remapPart(const char* pszRemap)
{
    if (pszRemap == nullptr || *pszRemap == '\0')
        return RIR::String("");
    return RIR::String::format("remap %s all", pszRemap);
}

RIR::List<RIR::String> partList(std::initializer_list<RIR::String> parts)
{
    RIR::List<RIR::String> lParts;
    for (const RIR::String& s : parts)
        lParts.append(s);
    return lParts;
}

RIR::String number(int n)
{
    return RIR::String::format("%d", n);
}

void buildAnimation(const char* pszTemplate, const RIR::String& sKey,
                    const RIR::List<RIR::String>& lParts)
{
    GameApp::getInstance()->getAnimation(pszTemplate, sKey.c_str(), lParts);
}

void loadAnimation(const char* pszName)
{
    GameApp::getInstance()->getAnimationByName(pszName);
}

// The cow's legs part: five sub-parts of her walking template, each cached under its key.
struct CowPart
{
    const char* pszKey;
    const char* pszSide;
    const char* pszPart;
};
const CowPart COW_PARTS[5] = {{"cow_pata_i", "-1", "patai"},
                              {"cow_pata_d", "1", "patad"},
                              {"cow_head", "3", "head"},
                              {"cow_neck", "2", "cuello"},
                              {"cow_tail", "2", "cola"}};
const char COW_TEMPLATE[] = "cow_walk.template";

} // namespace

RIR::String PlayMode::drawVariant(const RIR::List<RIR::String>& lPool)
{
    // Drawn with the level's generator, so that a seeded day dresses its guests the same way.
    return lPool.get(m_Random.range(0, lPool.getLength() - 1));
}

RIR::SmartPtr<Character> PlayMode::createCharacter(int eClass)
{
    RIR_TRACE("PlayMode::createCharacter");
    RIR::setTraceParams(RIR::String::format("Class = %d", eClass).c_str());
    RIR_ASSERT(eClass >= 0 && eClass < CC_COUNT);
    DifficultyManager& rules = *m_pDifficultyManager;

    RIR::SmartPtr<Character> pChar;
    switch (eClass)
    {
    case CC_THIEF:
        pChar = new Thief;
        break;
    case CC_SHERIFF:
        pChar = new Sheriff;
        break;
    case CC_COW:
        pChar = new Cow;
        break;
    default:
        pChar = new Customer;
        break;
    }
    RIR_ASSERT(pChar);
    CharacterSetup setup(*pChar);
    switch (eClass)
    {
    case CC_THIEF:
        rules.setupThief(setup);
        break;
    case CC_SHERIFF:
        rules.setupWalker(setup);
        break;
    case CC_COW:
        rules.setupCow(setup);
        break;
    case CC_UNDERTAKER:
        rules.setupUndertaker(setup);
        break;
    case CC_WANTED:
        rules.setupWanted(setup);
        break;
    case CC_PATIENT:
        rules.setupPatientCustomer(setup);
        break;
    default:
        rules.setupCustomer(setup);
        break;
    }
    pChar->setCharacterClass((CharacterClass)eClass);

    const bool bLowResources = isLowResourcesMode();
    if (eClass == CC_COW)
    {
        // The cow has a body of her own: none of the clothes below.
        for (const CowPart& part : COW_PARTS)
            pChar->addPartAnimParts(Character::PART_LEGS, COW_TEMPLATE, part.pszKey,
                                    partList({part.pszSide, part.pszPart}));
        pChar->addPartAnim(Character::PART_TORSO, "cow_torso.anim");
        if (!bLowResources)
            pChar->addPartAnim(Character::PART_TORSO, "cow_shadow.anim");
        pChar->start();
        return pChar;
    }

    bool bBelt = true;
    bool bCollar = true;
    bool bArms = true;
    bool bBottle = true;
    bool bShawl = false;
    int nSkin = -1;
    // The second look of the clothes, for plain customers and wanted men only.
    const bool bAlt = m_Random.chance() && !bLowResources &&
                      (eClass == CC_CUSTOMER || eClass == CC_WANTED);
    const int nVariant = bAlt ? 2 : 1;

    RIR::String sTorso = drawVariant(m_lTorsos[nVariant]);
    RIR::String sPants = drawVariant(m_lPants);
    const RIR::String sShawl = drawVariant(m_lShawls[nVariant]);
    RIR::String sBoots = drawVariant(m_lBoots);
    RIR::String sBelt = "hx";
    if (sPants.left(2) == "1_")
        sBoots = "1_";

    switch (eClass)
    {
    case CC_UNDERTAKER:
        // His coat carries his head, collar and hat.
        sPants = sTorso = "undertaker";
        bBelt = false;
        bCollar = false;
        nSkin = UNDERTAKER_SKIN;
        break;
    case CC_PATIENT:
    {
        sTorso = sPants = sBoots = "pink";
        sBelt = "hr";
        WantedLook look;
        look.nHeadType = 5;
        look.nFeatureA = 0;
        look.nFeatureB = 2;
        look.bFeatureC = false;
        applyHeadLook(pChar.get(), look, false);
        // The arms take the skin of the head, as everyone's do.
        nSkin = skinOfHead(look.nHeadType);
        break;
    }
    case CC_SHERIFF:
        // His torso carries his head and hat; he has no bare arms and no bottle.
        sTorso = "hs";
        bBelt = false;
        bArms = false;
        bBottle = false;
        break;
    case CC_THIEF:
    {
        sBelt = sTorso = "hl";
        sPants = "4_";
        bBottle = false;
        pChar->addPartAnim(Character::PART_HEAD, "hl_hat.anim");
        pChar->addPartAnim(Character::PART_HEAD, "hl_panu.anim");
        WantedLook look;
        look.nHeadType = 1;
        applyHeadLook(pChar.get(), look, false);
        // The arms take the skin of the head, as everyone's do.
        nSkin = skinOfHead(look.nHeadType);
        break;
    }
    case CC_SPECIAL:
    {
        sTorso = drawVariant(m_lSpecialTorsos);
        WantedLook look;
        look.nHeadType = SPECIAL_HEAD;
        applyHeadLook(pChar.get(), look, true);
        nSkin = SPECIAL_SKIN;
        bShawl = true;
        break;
    }
    case CC_WANTED:
    {
        // He wears the face on the poster.
        RIR_ASSERT(m_pWantedLook);
        applyHeadLook(pChar.get(), *m_pWantedLook, std::rand() % 2 == 0);
        nSkin = skinOfHead(m_pWantedLook->nHeadType);
        bShawl = bAlt;
        break;
    }
    default:
    {
        // Any face but the one on the poster.
        const WantedLook look = randomWantedLook(m_Random, m_pWantedLook);
        applyHeadLook(pChar.get(), look, bAlt && std::rand() % 2 == 0);
        nSkin = skinOfHead(look.nHeadType);
        bShawl = bAlt;
        break;
    }
    }

    // Legs.
    pChar->addPartAnim(Character::PART_LEGS, (sPants + "_pant.anim").c_str());
    pChar->addPartAnim(Character::PART_LEGS, (sBoots + "_botas.anim").c_str());
    if (!bLowResources)
        pChar->addPartAnim(Character::PART_LEGS, "hx_shadow.anim");
    // Torso.
    pChar->addPartAnim(Character::PART_TORSO, (sTorso + "_torso.anim").c_str());
    if (bShawl && m_Random.chance())
        pChar->addPartAnim(Character::PART_TORSO, (sShawl + "_chale.anim").c_str());
    if (bBelt)
        pChar->addPartAnim(Character::PART_TORSO, (sBelt + "_cint.anim").c_str());
    if (bCollar)
        pChar->addPartAnim(Character::PART_TORSO, (sTorso + "_cuello.anim").c_str());
    // Arms: the left one, then the right one, of each layer.
    if (bArms)
    {
        RIR_ASSERT(nSkin != -1);
        const RIR::String sArms = RIR::String::format("%d_%d_brazos.anim", nSkin, bAlt ? 1 : 0);
        pChar->addPartAnim(Character::PART_LEFT_ARM, sArms.c_str());
        pChar->addPartAnim(Character::PART_RIGHT_ARM, sArms.c_str());
    }
    const RIR::String sSleeves = sTorso + "_mangas.anim";
    pChar->addPartAnim(Character::PART_LEFT_ARM, sSleeves.c_str());
    pChar->addPartAnim(Character::PART_RIGHT_ARM, sSleeves.c_str());
    if (bBottle)
    {
        pChar->addPartAnim(Character::PART_LEFT_ARM, "hx_bottle.anim");
        pChar->addPartAnim(Character::PART_RIGHT_ARM, "hx_bottle.anim");
    }
    pChar->start();
    return pChar;
}

void PlayMode::applyHeadLook(Character* pCharacter, const WantedLook& look, bool bHatAllowed)
{
    RIR_TRACE("PlayMode::applyHeadLook");
    RIR_ASSERT(pCharacter);
    const bool bHat =
        bHatAllowed && !(look.nHeadType == NO_HAT_HEAD && look.nFeatureB == NO_HAT_FEATURE_B);
    const int nHat = bHat ? std::rand() % HATS : -1;
    const char szLetter[2] = {bHat ? (char)('a' + nHat) : '-', '\0'};
    const int nFeatureC = look.bFeatureC ? 1 : 0;
    const RIR::String sKey = RIR::String::format("hx_head_%d_%d_%d_%d_%d", look.nHeadType,
                                                 look.nFeatureB, nFeatureC, look.nFeatureA, nHat);
    RIR::List<RIR::String> lParts = partList({number(look.nHeadType), number(look.nFeatureB),
                                              number(nFeatureC), number(look.nFeatureA), szLetter});
    pCharacter->addPartAnimParts(Character::PART_HEAD, "hx_head.template", sKey.c_str(), lParts);
    // The face is the skin layer under the hair and hat; the skin depends on the head type only,
    // so one animation per type serves every look. The special customer's face (head 14) is a
    // skin layer as well.
    lParts.append(number(look.nHeadType));
    const RIR::String sSkin = RIR::String::format("h1_skin_%d.anim", look.nHeadType);
    pCharacter->addPartAnimParts(Character::PART_HEAD, "hx_skin.template", sSkin.c_str(), lParts);
    pCharacter->setHeadName(sKey.c_str());
}

void PlayMode::newWantedPoster()
{
    RIR_TRACE("PlayMode::newWantedPoster");
    if (!m_pDifficultyManager->isWantedEnabled())
        return;
    // The next face differs from the last poster's, so that the poster visibly changes.
    WantedLook* pLook = new WantedLook(randomWantedLook(m_Random, m_pWantedLook));
    delete m_pWantedLook;
    m_pWantedLook = pLook;

    RIR::SmartPtr<Image> pFace;
    {
        // A model wearing the look, never added to the saloon.
        RIR::SmartPtr<Customer> pModel = new Customer;
        applyHeadLook(pModel.get(), *m_pWantedLook, false);
        pFace = renderStandingImage(pModel.get());
    }
    pFace->setInsPointByAlign(0x24);

    RIR::SmartPtr<Image> pPosterImage = m_pScene->getWantedPoster();
    if (!pPosterImage)
        RIR_THROW(FatalErrorException, "The scene has no wanted poster\n");
    RIR::SmartPtr<Image> pPoster = pPosterImage->clone(true);
    pPoster->blit(pFace.get(), pPoster->getWidth() / 2, pPoster->getHeight() / 2);
    pPoster->setInsPointByAlign(0x0c);
    m_pWantedPosterSprite->setImage(pPoster);
    m_bSheriffDue = false;
}

bool PlayMode::makeNextClothesVariant()
{
    RIR_TRACE("PlayMode::makeNextClothesVariant");
    const int k = m_nVariantStep;
    RIR::setTraceParams(number(k).c_str());
    const bool bNormal = !isLowResourcesMode();
    const DifficultyManager& rules = *m_pDifficultyManager;
    switch (k)
    {
    case 0:
        makeTorsoVariant(1, 1, "", nullptr);
        m_lSpecialTorsos.append("1_1_");
        break;
    case 1:
        makeTorsoVariant(2, 1, "", nullptr);
        break;
    case 2:
    case 3:
        makePantsVariant(k - 1, "", nullptr);
        break;
    case 4:
    case 5:
        makeBootsVariant(k - 3, "", nullptr);
        break;
    case 6:
        makePantsVariant(4, "", nullptr);
        break;
    case 7:
    case 8:
        makeShawlVariant(k - 6, 1, "", nullptr);
        break;
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
        makeArmsVariant(k - 8, 1);
        break;
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
        if (bNormal)
            makeArmsVariant(k - 13, 2);
        break;
    case 19:
        if (bNormal)
        {
            makeTorsoVariant(1, 1, "rrr", nullptr);
            m_lSpecialTorsos.append("1_1_rrr");
        }
        break;
    case 20:
        if (bNormal)
        {
            makeTorsoVariant(1, 1, "bbb", nullptr);
            m_lSpecialTorsos.append("1_1_bbb");
        }
        break;
    case 21:
        if (bNormal)
            makePantsVariant(1, "ggg", nullptr);
        break;
    case 22:
        if (bNormal)
            makePantsVariant(2, "rrr", nullptr);
        break;
    case 23:
        if (bNormal)
        {
            makeShawlVariant(2, 1, "rbg", nullptr);
            makeShawlVariant(2, 2, "", nullptr);
        }
        break;
    case 24:
        if (bNormal)
            loadAnimation("hx_shadow.anim");
        break;
    case 25:
        if (rules.isUndertakerEnabled())
            makeUndertakerClothes();
        break;
    case 26:
        if (rules.isPatientEnabled())
            makePinkClothes();
        break;
    case 27:
        if (rules.isWantedEnabled() && bNormal)
        {
            loadAnimation("hs_torso.anim");
            loadAnimation("hs_cuello.anim");
            loadAnimation("hs_mangas.anim");
        }
        break;
    case 28:
        if (rules.isThiefEnabled())
        {
            loadAnimation("hl_torso.anim");
            loadAnimation("hl_mangas.anim");
            loadAnimation("hl_cuello.anim");
            loadAnimation("hl_panu.anim");
        }
        break;
    case 29:
    case 30:
    case 31:
    case 32:
    case 33:
        if (bNormal && rules.isCowEnabled())
        {
            const CowPart& part = COW_PARTS[k - 29];
            buildAnimation(COW_TEMPLATE, part.pszKey, partList({part.pszSide, part.pszPart}));
            if (k == 33)
                loadAnimation("cow_torso.anim");
        }
        break;
    case 34:
        if (rules.isSpecialEnabled() && bNormal)
            makeSpecialArms();
        break;
    case 35:
        if (bNormal)
        {
            makeTorsoVariant(1, 2, "", nullptr);
            m_lSpecialTorsos.append("1_2_");
        }
        break;
    case 36:
        if (bNormal)
            makeTorsoVariant(1, 2, "rrr", nullptr);
        break;
    case 37:
        if (bNormal)
            makeShawlVariant(1, 2, "", nullptr);
        break;
    case 38:
        if (bNormal)
            makeTorsoVariant(2, 2, "", nullptr);
        break;
    default:
        break;
    }
    if (k >= LAST_CLOTHES_SUBSTEP)
        return false;
    ++m_nVariantStep;
    return true;
}

void PlayMode::makeTorsoVariant(int nA, int nB, const char* pszRemap, const char* pszName)
{
    RIR_ASSERT(nB == 1 || nB == 2);
    const RIR::String sName =
        pszName ? RIR::String(pszName) : RIR::String::format("%d_%d_%s", nA, nB, pszRemap);
    const RIR::List<RIR::String> lParts = partList({number(nA), number(nB), remapPart(pszRemap)});
    buildAnimation("hx_torso.template", sName + "_torso.anim", lParts);
    buildAnimation("hx_cuello.template", sName + "_cuello.anim", lParts);
    buildAnimation("hx_mangas.template", sName + "_mangas.anim", lParts);
    if (!pszName)
        m_lTorsos[nB].append(sName);
}

void PlayMode::makePantsVariant(int nC, const char* pszRemap, const char* pszName)
{
    const RIR::String sName =
        pszName ? RIR::String(pszName) : RIR::String::format("%d_%s", nC, pszRemap);
    buildAnimation("hx_pant.template", sName + "_pant.anim",
                   partList({number(nC), remapPart(pszRemap)}));
    if (!pszName)
        m_lPants.append(sName);
}

void PlayMode::makeBootsVariant(int nC, const char* pszRemap, const char* pszName)
{
    const RIR::String sName =
        pszName ? RIR::String(pszName) : RIR::String::format("%d_%s", nC, pszRemap);
    buildAnimation("hx_botas.template", sName + "_botas.anim",
                   partList({number(nC), remapPart(pszRemap)}));
    if (!pszName)
        m_lBoots.append(sName);
}

void PlayMode::makeShawlVariant(int nD, int nC, const char* pszRemap, const char* pszName)
{
    RIR_ASSERT(nC == 1 || nC == 2);
    const RIR::String sName =
        pszName ? RIR::String(pszName) : RIR::String::format("%d_%d_%s", nD, nC, pszRemap);
    buildAnimation("hx_chale.template", sName + "_chale.anim",
                   partList({number(nD), number(nC), remapPart(pszRemap)}));
    if (!pszName)
        m_lShawls[nC].append(sName);
}

void PlayMode::makeArmsVariant(int nSkin, int nV)
{
    buildAnimation("hx_brazos.template",
                   RIR::String::format("%d_%d_brazos.anim", nSkin, nV - 1),
                   partList({number(nSkin), number(nV)}));
}

void PlayMode::makeUndertakerClothes()
{
    buildAnimation("hx_pant.template", "undertaker_pant.anim", partList({"f", ""}));
    const RIR::List<RIR::String> lParts = partList({"f", "x", ""});
    buildAnimation("hx_torso.template", "undertaker_torso.anim", lParts);
    buildAnimation("hx_mangas.template", "undertaker_mangas.anim", lParts);
}

void PlayMode::makeSpecialArms()
{
    buildAnimation("hx_brazos.template", "99_0_brazos.anim", partList({"i", "1"}));
}

void PlayMode::makePinkClothes()
{
    makeTorsoVariant(1, 1, "rgg", "pink");
    makePantsVariant(2, "rgr", "pink");
    makeBootsVariant(2, "rrr", "pink");
    loadAnimation("hr_cint.anim");
}
