// CustomerSpot: clicks on a seated customer, and stopping his fight (custspot.h).
#include "world/custspot.h"

#include "world/customer.h"
#include "world/dolly.h"
#include "world/iplaymode.h"
#include "world/paramholder.h"
#include "world/scene.h"
#include "world/tablespot.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SOUND_STOP_FIGHT = 9;
const int TEXT_RISE = 150;
const int TEXT_RISE_AMOUNT = 185;

} // namespace

CustomerSpot::CustomerSpot(const Rect& rect, const RIR::SmartPtr<Customer>& pCustomer,
                           const RIR::SmartPtr<TableSpot>& pTableSpot)
    : ProxyActionSpot(rect, pTableSpot), m_pCustomer(pCustomer)
{
    if (m_pCustomer.isNull())
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pCustomer)");
}

CustomerSpot::~CustomerSpot() {}

RIR::SmartPtr<Customer> CustomerSpot::getCustomer() const
{
    return m_pCustomer;
}

bool CustomerSpot::isUnstoppedFight() const
{
    return m_pCustomer && m_pCustomer->isFighting() &&
           !IPlayMode::getPlayMode()->isFightStopped(m_pCustomer->getFightId());
}

bool CustomerSpot::canDoAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("CustomerSpot::canDoAction");
    if (isReserved())
        return false;
    if (isUnstoppedFight())
        return true;
    return ProxyActionSpot::canDoAction(pChar, nHand);
}

void CustomerSpot::doAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("CustomerSpot::doAction");
    if (!isUnstoppedFight())
    {
        ProxyActionSpot::doAction(pChar, nHand);
        return;
    }
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    int nRounds = m_pCustomer->getFightRounds(true) - 1;
    if (nRounds < 0)
        nRounds = 0;
    if (nRounds > 2)
        nRounds = 2;
    const RIR::String sKey = RIR::String::format(LP_STOPFIGHT_REWARD_FMT, nRounds);
    const int nReward = pPlay->getDifficultyManager()->getInt(sKey.c_str());
    pPlay->addStoppedFight(m_pCustomer->getFightId());
    RIR::SmartPtr<Customer> pCustomer = m_pCustomer;
    pCustomer->stopFight();

    int nX = 0;
    int nY = 0;
    pCustomer->getPos(&nX, &nY);
    int nI = 0;
    int nJ = 0;
    Scene* pScene = Scene::getScene();
    pScene->pixelToSquare(nX, nY, &nI, &nJ);
    const int nDepth = pScene->getRowDepth(nI, nJ) + 10;
    pPlay->flyImage("text_rew_bucks", nX, nY - TEXT_RISE, nReward, -1, -1);
    pPlay->addFadeText("text_pay_r", nX, nY - TEXT_RISE, nDepth, 50.0f, 2.0f);
    const RIR::String sAmount = RIR::String::format("text_pay_r%d", nReward);
    pPlay->addFadeText(sAmount.c_str(), nX, nY - TEXT_RISE_AMOUNT, nDepth, 50.0f, 2.0f);
    pPlay->playSound(SOUND_STOP_FIGHT, nX);
}

void CustomerSpot::getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir)
{
    ProxyActionSpot::getActionPos(pChar, nHand, pX, pY, pDir);
}

void CustomerSpot::getActionAnim(RIR::String& sName, Dolly* pChar, int nHand)
{
    if (!isUnstoppedFight())
    {
        ProxyActionSpot::getActionAnim(sName, pChar, nHand);
        return;
    }
    if (!pChar->isHandEmpty(nHand))
        sName = "stopfight_swap_";
    else if (pChar->isHandEmpty(1 - nHand))
        sName = "stopfight_fast_";
    else
        sName = "stopfight_wait_";
}

int CustomerSpot::getActionSound(Dolly* /*pChar*/, int /*nHand*/)
{
    return -1;
}

bool CustomerSpot::acceptsThrownMug()
{
    if (m_pCustomer && m_pCustomer->isFighting())
        return false;
    return ProxyActionSpot::acceptsThrownMug();
}

bool CustomerSpot::contains(int nX, int nY)
{
    return ActionSpot::contains(nX, nY);
}

void CustomerSpot::detach()
{
    m_pCustomer.release();
    ProxyActionSpot::detach();
}
