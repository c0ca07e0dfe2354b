// MugSpot: taking, putting and swapping mugs, and the proxy over a standing mug.
#include "world/mugspot.h"

#include "world/dolly.h"
#include "world/iplaymode.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SOUND_TAKE = 0;
const int SOUND_PUT = 2;
const int TUTORIAL_PUT_ON_TABLE = 6;

} // namespace

MugSpot::MugSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nMugDepth)
    : MugSpotBase(rect, nI, nJ), m_nMugX(nMugX), m_nMugY(nMugY), m_nMugDepth(nMugDepth)
{
}

MugSpot::~MugSpot()
{
}

bool MugSpot::canDoAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("MugSpot::canDoAction");
    if (isReserved())
        return false;
    if (pChar->isHandEmpty(nHand))
        return hasMug() && canTakeMug();
    return !hasMug();
}

void MugSpot::doAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("MugSpot::doAction");
    if (!canDoAction(pChar, nHand))
        return;
    const bool bHandEmpty = pChar->isHandEmpty(nHand);
    if (!bHandEmpty && pChar->getHandMug(nHand)->isFull() && hasMug() && !getMug()->isFull())
    {
        RIR::SmartPtr<Mug> pOld;
        takeMug(pOld);
        setMug(pChar->removeHandMug(nHand));
        pChar->putMugInHand(nHand, pOld);
    }
    else if (bHandEmpty && hasMug())
    {
        RIR::SmartPtr<Mug> pMug;
        takeMug(pMug);
        pChar->putMugInHand(nHand, pMug);
    }
    else if (!bHandEmpty && !hasMug())
    {
        setMug(pChar->removeHandMug(nHand));
    }
}

int MugSpot::getActionSound(Dolly* pChar, int nHand)
{
    return pChar->isHandEmpty(nHand) ? SOUND_TAKE : -1;
}

void MugSpot::takeMugTK(RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("MugSpot::takeMugTK");
    takeMug(pMug);
}

void MugSpot::setMugTK(const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("MugSpot::setMugTK");
    setMug(pMug);
}

void MugSpot::getMugPos(int* pX, int* pY)
{
    *pX = m_nMugX;
    *pY = m_nMugY;
}

void MugSpot::detach()
{
    m_pMugProxy.release();
    m_pMug.release();
}

bool MugSpot::hasMug()
{
    return !m_pMug.isNull();
}

RIR::SmartPtr<Mug> MugSpot::getMug()
{
    RIR_ASSERT(hasMug());
    return m_pMug;
}

void MugSpot::takeMug(RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("MugSpot::takeMug");
    pMug = getMug();
    m_pMug.release();
    if (m_pMugProxy.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pMugProxy)");
    Scene::getScene()->removeSpot(m_pMugProxy);
    m_pMugProxy.release();
}

void MugSpot::setMug(const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("MugSpot::setMug");
    if (pMug.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(pMug)");
    if (!m_pMug.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : isNULL(m_pMug)");
    if (!m_pMugProxy.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : isNULL(m_pMugProxy)");
    m_pMug = pMug;
    const RIR::SmartPtr<AnimSprite>& pSprite = pMug->getSprite();
    pSprite->setPos(m_nMugX, m_nMugY);
    pSprite->setZOrder(m_nMugDepth);
    m_pMugProxy = new ProxyActionSpot(pSprite->getBounds(), RIR::SmartPtr<ActionSpot>(this));
    Scene::getScene()->addSpot(m_pMugProxy);
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    pPlay->playSound(SOUND_PUT, m_nMugX);
    pPlay->tutorialEvent(TUTORIAL_PUT_ON_TABLE);
}

bool MugSpot::canTakeMug()
{
    RIR_ASSERT(hasMug());
    return true;
}
