// Dolly: starting an action, arriving at the spot, acting, and cancelling the walk.
#include "world/dolly.h"

#include "world/iplaymode.h"
#include "world/mugspot.h"
#include "world/proxyspot.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

bool Dolly::isDoingAction() const
{
    return m_bDoingAction || m_pFlyMug[0] != nullptr || m_pFlyMug[1] != nullptr;
}

bool Dolly::canThrowTo(ActionSpot* pSpot, int nHand) const
{
    if (isHandEmpty(nHand))
        return true;
    // A mug thrown at a seat that holds a mug would have to swap with it on landing, which a
    // flight cannot do: she walks there and swaps by hand.
    ActionSpot* pTarget = pSpot;
    if (ProxyActionSpot* pProxy = dynamic_cast<ProxyActionSpot*>(pSpot))
        pTarget = pProxy->getTarget().get();
    MugSpot* pMugSpot = dynamic_cast<MugSpot*>(pTarget);
    return !pMugSpot || !pMugSpot->hasMug();
}

bool Dolly::startAction(const RIR::SmartPtr<ActionSpot>& pSpot, int eHand)
{
    RIR_TRACE("Dolly::startAction");
    RIR_ASSERT(eHand >= 0 && eHand < HAND_COUNT);
    RIR_ASSERT(!isDoingAction());
    RIR_ASSERT(pSpot->canDoAction(this, eHand));
    clearQueuedStates();
    setState(ST_STAND);
    m_bDoingAction = true;
    m_nActionParts = 0;

    int nAX = 0;
    int nAY = 0;
    int nDir = 0;
    pSpot->getActionPos(this, eHand, &nAX, &nAY, &nDir);
    int nX = 0;
    int nY = 0;
    getPos(&nX, &nY);
    const bool bNear = std::abs(nAX - nX) + std::abs(nAY - nY) < TK_MIN_DISTANCE;
    const bool bTelekinesis = m_bTelekinesis && pSpot->acceptsThrownMug() && !bNear &&
                              canThrowTo(pSpot.get(), eHand);
    bool bAnimFailed = false;
    if (bTelekinesis)
    {
        RIR_ASSERT(m_pFlyMug[eHand] == NULL);
        FlyMug* pFly = new FlyMug;
        m_pFlyMug[eHand] = pFly;
        if (nAX > nX)
            setDirection(DIR_RIGHT);
        else if (nAX < nX)
            setDirection(DIR_LEFT);
        RIR::String sAnim;
        pSpot->getActionAnim(sAnim, this, eHand);
        bAnimFailed = !startActionAnim(eHand, sAnim, "");
        if (isHandEmpty(eHand))
        {
            pSpot->takeMugTK(m_pTKMug);
            m_bTKToHand = true;
            m_pTKMug->getSprite()->getPos(&pFly->nStartX, &pFly->nStartY);
        }
        else
        {
            pFly->pTarget = pSpot;
            pFly->bWaiting = true;
            m_pTKMug = removeHandMug(eHand);
            m_pTKMug->getSprite()->setVisible(false);
            m_bTKToHand = false;
            getHandPoint(&pFly->nStartX, &pFly->nStartY);
            pSpot->setReserved(true);
        }
        pFly->pMug = m_pTKMug;
        IPlayMode::getPlayMode()->playSound(TK_SOUND, nX);
    }
    else
    {
        m_pTKMug.release();
        pSpot->getActionPos(this, eHand, &nAX, &nAY, &nDir);
        if (walkTo(nAX, nAY))
            queueState(ST_GO_TO_ACTION);
        else
            setState(ST_GO_TO_ACTION);
    }
    m_eActionDir = nDir;
    m_pQueuedSpot = pSpot;
    m_eQueuedHand = eHand;
    m_pActionSprite = m_pHandSprite[eHand == 1 ? 1 : 0];
    if (bTelekinesis && bAnimFailed)
    {
        performAction();
        clearQueuedStates();
        setState(ST_STAND);
    }
    return bTelekinesis;
}

bool Dolly::arriveAtAction()
{
    RIR_TRACE("Dolly::arriveAtAction");
    if (m_pQueuedSpot.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pQueuedSpot)");
    setDirection(m_eActionDir);
    setState(ST_STAND);
    if (!m_pQueuedSpot->canDoAction(this, m_eQueuedHand))
    {
        // The spot changed while she walked (someone took the mug): the action ends quietly.
        dropAction();
        return false;
    }
    RIR::String sAnim;
    m_pQueuedSpot->getActionAnim(sAnim, this, m_eQueuedHand);
    bool bStarted = startActionAnim(m_eQueuedHand, sAnim, "");
    if (sAnim.find("stopfight") == 0)
    {
        const int nOther = 1 - m_eQueuedHand;
        RIR::String sOther;
        m_pQueuedSpot->getActionAnim(sOther, this, nOther);
        bStarted = startActionAnim(nOther, sOther, "") || bStarted;
        bStarted = startActionAnim(PART_LEGS, "stopfight_", "") || bStarted;
    }
    if (bStarted)
        setPlayToEnd();
    else
        performAction();
    return true;
}

void Dolly::performAction()
{
    RIR_TRACE("Dolly::performAction");
    if (m_pTKMug.isNull())
    {
        m_bDoingAction = false;
        // The spot may go with the handle: keep it while it acts.
        RIR::SmartPtr<ActionSpot> pSpot = m_pQueuedSpot;
        m_pQueuedSpot.release();
        if (pSpot && pSpot->canDoAction(this, m_eQueuedHand))
            pSpot->doAction(this, m_eQueuedHand);
    }
    else if (m_bTKToHand)
    {
        RIR::SmartPtr<Mug> pMug = m_pTKMug;
        m_pTKMug.release();
        m_pQueuedSpot.release();
        putMugInHand(m_eQueuedHand, pMug);
        pMug->getSprite()->setVisible(false);
        m_bDoingAction = false;
    }
    else
    {
        FlyMug* pFly = m_pFlyMug[m_eQueuedHand];
        if (pFly == NULL)
            RIR_THROW(AssertFailException, "Assertion failed : m_pFlyMug[m_eQueuedHand] != NULL");
        pFly->bWaiting = false;
        pFly->pMug->getSprite()->setVisible(true);
        // Busy until the mug lands.
    }
    m_pQueuedSpot.release();
    m_pTKMug.release();
}

void Dolly::dropAction()
{
    m_bDoingAction = false;
    m_pQueuedSpot.release();
    m_pTKMug.release();
    m_nActionParts = 0;
}

bool Dolly::cancelWalk()
{
    RIR_TRACE("Dolly::cancelWalk");
    if (!m_bDoingAction)
        return true;
    if (m_nState != ST_WALKING && m_nState != ST_HELD_UP)
        return false;
    dropAction();
    stopWalking();
    clearQueuedStates();
    return true;
}
