// Customer: being served and paying, the mug, the seat, the balloon and the customer spot
// (customer.h).
#include "world/customer.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int STAT_SERVED = 0;
const int TUTORIAL_SERVED = 3;
const int MUG_DX = 40;
const int MUG_DY = 67;
const int BALLOON_DX = 35;

} // namespace

bool Customer::canServeMug()
{
    if (m_pMug)
        return false;
    return (m_nState >= ST_SIT_DOWN && m_nState <= ST_MUG_EMPTY) ||
           (m_nState >= 110 && m_nState <= ST_THROW);
}

void Customer::serveMug(const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("Customer::serveMug");
    if (!canServeMug())
        RIR_THROW(AssertFailException, "Assertion failed : false");
    m_pMug = pMug;
    RIR_ASSERT(!canServeMug());
    placeMug();
    if (m_pMug->isFull())
        onServed();
}

RIR::SmartPtr<Mug> Customer::getMug() const
{
    RIR_ASSERT(hasMug());
    return m_pMug;
}

bool Customer::canTakeMug()
{
    if (!m_pMug || m_nState == ST_DRINK)
        return false;
    if ((m_nState == ST_THROW || isStateQueued(ST_THROW)) && !m_bThrowing)
        return false;
    if (m_pChair && m_pChair->getTableSpot())
    {
        RIR::SmartPtr<TableSpot> pSpot = m_pChair->getTableSpot();
        if (pSpot->getCustomer() != RIR::SmartPtr<Customer>(this))
        {
            if (!(pSpot->getCustomer()).isNull())
                RIR_THROW(AssertFailException, "Assertion failed : isNULL(pSpot->getCustomer())");
            return true;
        }
    }
    return m_pMug->isEmpty();
}

RIR::SmartPtr<Mug> Customer::takeMug()
{
    RIR_TRACE("Customer::takeMug");
    RIR_ASSERT(hasMug());
    RIR_ASSERT(canTakeMug());
    RIR::SmartPtr<Mug> pMug = m_pMug;
    m_pMug.release();
    onMugRemoved();
    return pMug;
}

void Customer::onMugRemoved()
{
    if (m_nState == ST_ASK)
    {
        clearQueuedStates();
        queueState(ST_SEATED);
    }
    else if (m_nState == ST_SERVED)
    {
        clearQueuedStates();
        if (getBool(CP_LEAVE_ON_REMOVE))
        {
            setState(ST_STAND_UP);
            queueState(ST_LEAVE_TABLE);
        }
        else
        {
            setState(ST_SEATED);
        }
    }
}

void Customer::onServed()
{
    RIR_TRACE("Customer::onServed");
    RIR_ASSERT(hasMug());
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    int nX = 0;
    int nY = 0;
    m_pMug->getSprite()->getPos(&nX, &nY);
    const RIR::String sKey = RIR::String::format(CP_PAY_FMT, m_nAsks > 3 ? 3 : m_nAsks);
    const int nAmount = getInt(sKey.c_str());
    pPlay->flyImage("text_pay_bucks", nX, nY, nAmount, -1, -1);
    pPlay->addFadeText(RIR::String::format("text_pay_%d", nAmount).c_str(), nX, nY, getDepth() + 10,
                       50.0f, 2.0f);
    pPlay->tutorialEvent(TUTORIAL_SERVED);
    pPlay->incStat(STAT_SERVED);
    m_nAsks = 0;
    if (m_nState == ST_SEATED)
    {
        clearQueuedStates();
        setState(ST_SERVED);
    }
    else if (m_nState == ST_ASK)
    {
        clearQueuedStates();
        queueState(ST_SERVED);
        cutAskShort();
        hideBalloon();
    }
}

void Customer::cutAskShort()
{
    // Each arm jumps to just before the last "endseq" frame of its ask sequence, unless it is
    // past it already, so the gesture ends there instead of playing out.
    for (int nPart = PART_RIGHT_ARM; nPart <= PART_LEFT_ARM; ++nPart)
    {
        RIR::SmartPtr<AnimSprite> pFirst = getPartSprite(nPart);
        if (!pFirst)
            continue;
        RIR::SmartPtr<Animation> pAnim = pFirst->getAnimation();
        const RIR::String sSequence = pFirst->getSequenceName();
        const int nFrames = pAnim->getFrameCount(sSequence.c_str());
        int nEnd = -1;
        for (int nFrame = 0; nFrame < nFrames; ++nFrame)
            if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "endseq"))
                nEnd = nFrame;
        if (nEnd < 1)
            continue;
        const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites = getPartSprites(nPart);
        for (int n = 0; n < lSprites.getLength(); ++n)
            if (lSprites.get(n)->getFrame() < nEnd - 1)
                lSprites.get(n)->setFrame(nEnd - 1, -1.0f);
    }
}

void Customer::placeMug()
{
    if (!m_pMug || !m_pLeftArmSprite)
        return;
    int nX = 0;
    int nY = 0;
    m_pLeftArmSprite->getPos(&nX, &nY);
    const bool bRight = m_pChair && m_pChair->isRight();
    m_pMug->getSprite()->setPos(bRight ? nX - MUG_DX : nX + MUG_DX, nY - MUG_DY);
    m_pMug->getSprite()->setZOrder(getDepth() + 5);
}

void Customer::showBalloon(const char* pszName, int nDY)
{
    RIR_ASSERT(m_pBalloon);
    int nX = 0;
    int nY = 0;
    getPos(&nX, &nY);
    const bool bRight = m_pChair && m_pChair->isRight();
    m_pBalloon->setPos(bRight ? nX - BALLOON_DX : nX + BALLOON_DX, nY + nDY);
    m_pBalloon->setZOrder(10000);
    m_pBalloon->setVisible(true);
    m_pBalloon->play(pszName, 0, -1);
}

void Customer::hideBalloon()
{
    if (m_pBalloon && m_pBalloon->isVisible())
        m_pBalloon->setVisible(false);
}

void Customer::takeTableSpot()
{
    RIR_TRACE("Customer::takeTableSpot");
    if (!m_pChair)
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
    RIR::SmartPtr<TableSpot> pSpot = m_pChair->getTableSpot();
    RIR_ASSERT(pSpot);
    if (pSpot->getCustomer().isNull())
    {
        if (pSpot->MugSpot::hasMug())
        {
            // A mug left on the table goes to the new customer.
            RIR::SmartPtr<Mug> pMug;
            pSpot->MugSpot::takeMug(pMug);
            if (canServeMug())
                serveMug(pMug);
            else
                pSpot->MugSpot::setMug(pMug);
        }
        pSpot->setCustomer(this);
    }
    RIR_ASSERT(pSpot->getCustomer() == RIR::SmartPtr<Customer>(this));
}

void Customer::leaveTableSpot()
{
    RIR_TRACE("Customer::leaveTableSpot");
    if (!m_pChair)
        return;
    RIR::SmartPtr<TableSpot> pSpot = m_pChair->getTableSpot();
    RIR_ASSERT(pSpot);
    if (pSpot->getCustomer() == RIR::SmartPtr<Customer>(this))
    {
        pSpot->setCustomer(RIR::SmartPtr<Customer>());
        if (m_pMug)
        {
            // The heroine clears a mug left behind from the table.
            RIR::SmartPtr<Mug> pMug = m_pMug;
            m_pMug.release();
            if (pSpot->MugSpot::hasMug())
                pMug->getSprite()->setVisible(false); // the seat holds one already
            else
                pSpot->MugSpot::setMug(pMug);
        }
    }
    if (!(pSpot->getCustomer()).isNull())
        RIR_THROW(AssertFailException, "Assertion failed : isNULL(pSpot->getCustomer())");
}

void Customer::removeCustomerSpot()
{
    if (!m_pSpot)
        return;
    Scene* pScene = Scene::getScene();
    RIR::SmartPtr<ActionSpot> pOld(m_pSpot.get());
    if (pScene && pScene->getSpots().indexOf(pOld) >= 0)
        pScene->removeSpot(pOld);
    m_pSpot->detach();
    m_pSpot.release();
}

void Customer::updateCustomerSpot()
{
    removeCustomerSpot();
    if (m_nState < ST_SIT_DOWN || m_nState > ST_THROW)
        return;
    if (!m_pChair)
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
    RIR::SmartPtr<TableSpot> pTableSpot = m_pChair->getTableSpot();
    if (!pTableSpot)
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(pTableSpot)");
    Rect rect;
    bool bFirst = true;
    for (int n = 0; n < m_lSprites.getLength(); ++n)
    {
        const Rect bounds = m_lSprites.get(n)->getBounds();
        rect = bFirst ? bounds : rect.getUnion(bounds);
        bFirst = false;
    }
    m_pSpot = new CustomerSpot(rect, this, pTableSpot);
    Scene::getScene()->addSpot(RIR::SmartPtr<ActionSpot>(m_pSpot.get()));
}

bool Customer::canBeScared() const
{
    return getBool(CP_CAN_BE_SCARED);
}

bool Customer::acceptsPartners() const
{
    return getBool(CP_ACCEPT_PARTNERS);
}

bool Customer::acceptsFights() const
{
    return getBool(CP_ACCEPT_FIGHTS);
}

bool Customer::scaresPeople() const
{
    return getBool(CP_SCARES_PEOPLE);
}
