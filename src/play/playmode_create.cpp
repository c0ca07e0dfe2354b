// PlayMode: character creation, the clothes variants and the wanted poster.
#include "play/playmode.h"

#include "rir2/calltrace.h"

RIR::SmartPtr<Character> PlayMode::createCharacter(int eClass)
{
    RIR_TRACE("PlayMode::createCharacter");
    (void)eClass;
    return RIR::SmartPtr<Character>(new Customer);
}

void PlayMode::applyHeadLook(Character* pCharacter, const WantedLook& look, bool bHatAllowed)
{
    (void)pCharacter;
    (void)look;
    (void)bHatAllowed;
}

void PlayMode::newWantedPoster()
{
    m_bSheriffDue = false;
}

bool PlayMode::makeNextClothesVariant()
{
    if (m_nVariantStep >= CLOTHES_SUBSTEPS - 1)
        return false;
    ++m_nVariantStep;
    return true;
}

void PlayMode::makeTorsoVariant(int nA, int nB, const char* pszRemap, const char* pszName)
{
    (void)nA;
    (void)nB;
    (void)pszRemap;
    (void)pszName;
}

void PlayMode::makePantsVariant(int nC, const char* pszRemap, const char* pszName)
{
    (void)nC;
    (void)pszRemap;
    (void)pszName;
}

void PlayMode::makeBootsVariant(int nC, const char* pszRemap, const char* pszName)
{
    (void)nC;
    (void)pszRemap;
    (void)pszName;
}

void PlayMode::makeShawlVariant(int nD, int nC, const char* pszRemap, const char* pszName)
{
    (void)nD;
    (void)nC;
    (void)pszRemap;
    (void)pszName;
}

void PlayMode::makeArmsVariant(int nSkin, int nV)
{
    (void)nSkin;
    (void)nV;
}

void PlayMode::makeUndertakerClothes() {}

void PlayMode::makeSpecialArms() {}

void PlayMode::makePinkClothes() {}
