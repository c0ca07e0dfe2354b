// Mug: sips and the picture that shows them.
#include "world/mug.h"

#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>

Mug::Mug(int nKind, int nCapacity, GameMode* pMode, const RIR::SmartPtr<AnimSprite>& pSprite)
    : m_nKind(nKind), m_nContents(0), m_nCapacity(nCapacity), m_pMode(pMode), m_pSprite(pSprite)
{
    RIR_ASSERT(pSprite);
}

Mug::~Mug()
{
    // The sprite's own screen: it may have been moved to another one since.
    if (m_pSprite && m_pSprite->getMode())
        m_pSprite->getMode()->removeObject(m_pSprite);
}

RIR::SmartPtr<Mug> Mug::create(GameMode* pMode, const RIR::SmartPtr<Animation>& pAnim)
{
    RIR_TRACE("Mug::create");
    RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pAnim, 0, 0, 0);
    if (pMode)
        pMode->addSprite(pSprite);
    RIR::SmartPtr<Mug> pMug = new Mug(0, FULL_SIPS, pMode, pSprite);
    pMug->setContents(pMug->getCapacity());
    return pMug;
}

void Mug::setContents(int nCont)
{
    RIR_TRACE("Mug::setContents");
    RIR_ASSERT(nCont >= 0);
    RIR_ASSERT(nCont <= getCapacity());
    m_nContents = nCont;
    showContents();
}

void Mug::showContents()
{
    RIR_TRACE("Mug::showContents");
    char szName[16];
    std::snprintf(szName, sizeof(szName), "%d", m_nContents);
    m_pSprite->play(szName, 0.0f, -1);
}

RIR::String Mug::getSpriteProp(const char* pszKey) const
{
    return m_pSprite->hasFrameProp(pszKey) ? m_pSprite->getFrameProp(pszKey) : RIR::String();
}
