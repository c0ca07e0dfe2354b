// Customer: leaving the table, leaving on request (closing time, scared) and being expelled on
// the way in (customer.h).
#include "world/customer.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int STAT_WANTED_CAUGHT = 8;
const int TEXT_RISE = 150;
const int TEXT_RISE_AMOUNT = 185;

} // namespace

void Customer::leaveTable()
{
    RIR_TRACE("Customer::leaveTable");
    setWaitingToLeave(false);
    if (m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    bool bGone = false;
    if (m_pScene->reserveCorridor(this, Scene::CORRIDOR_OUT, false))
    {
        bool bStanding = true;
        if (m_bSeated && m_pChair)
        {
            int nX = 0;
            int nY = 0;
            if (m_pChair->findStandPos(&nX, &nY, false))
                placeAt(nX, nY);
            else if (m_nLeaveTries < RETRY_LIMIT)
                bStanding = false;
            // After RETRY_LIMIT tries he leaves from where he sits: the walk steps off the seat
            // onto the nearest free square, so walkers on both stand squares cannot keep him in
            // for ever.
        }
        if (bStanding)
        {
            if (m_pChair)
            {
                m_pChair->setCustomer(RIR::SmartPtr<Character>());
                m_pChair.release();
            }
            int nX = 0;
            int nY = 0;
            m_pScene->getDoorPixel(&nX, &nY, false, 0x14);
            int nDoorI = 0;
            int nDoorJ = 0;
            const bool bOnDoor = getSquare() && m_pScene->pixelToSquare(nX, nY, &nDoorI, &nDoorJ) &&
                                 getSquare()->nI == nDoorI && getSquare()->nJ == nDoorJ;
            if (bOnDoor)
            {
                m_bSeated = false;
                m_nLeaveTries = 0;
                setState(ST_TURN_BACK);
                bGone = true;
            }
            else if (walkTo(nX, nY))
            {
                m_bSeated = false;
                m_nLeaveTries = 0;
                queueState(ST_TURN_BACK);
                bGone = true;
            }
        }
        if (!bGone)
        {
            // Holding the way out while standing here would keep everybody else from using the
            // door: give it back until the next try.
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_OUT);
        }
    }
    if (!bGone)
    {
        ++m_nLeaveTries;
        setWaitingToLeave(true);
        playAnimFor(getFloat(CP_TIME_RETRY_LEAVE), "stand_", "");
        queueState(ST_LEAVE_TABLE);
    }
}

void Customer::requestLeave()
{
    RIR_TRACE("Customer::requestLeave");
    if (isLeaving())
        return;
    m_bEmptyOnThrow = true;
    m_fLeaveRetry = 0.75f;
    m_bLeaveRequested = true;

    const int nIndex = IPlayMode::getPlayMode()->getCharacterIndex(this);
    const float fDelay = nIndex >= 0 ? (float)nIndex + 0.5f + (float)m_random.rangeReal(-0.25, 0.25)
                                     : (float)m_random.rangeReal(2.0, 6.0);
    const bool bMug = hasMug();
    switch (m_nState)
    {
    case ST_LEAVE_TABLE:
    case ST_LEAVE:
    case ST_GONE:
    case ST_TURN_BACK:
    case ST_LEAVE_DELAY:
        return;
    case ST_THROW:
        clearQueuedStates();
        m_fTimer = fDelay;
        queueState(ST_LEAVE_DELAY);
        queueState(ST_STAND_UP);
        queueState(ST_LEAVE_TABLE);
        break;
    case ST_SERVED:
    case ST_SEATED:
    case ST_MUG_EMPTY:
    case ST_FIGHT_CHECK:
        clearQueuedStates();
        m_fTimer = fDelay;
        if (bMug)
            queueState(ST_THROW);
        queueState(ST_STAND_UP);
        queueState(ST_LEAVE_TABLE);
        setState(ST_LEAVE_DELAY);
        break;
    case ST_ASK:
    case ST_DRINK:
    case ST_SIT_DOWN:
        clearQueuedStates();
        m_fTimer = fDelay;
        queueState(ST_LEAVE_DELAY);
        if (bMug)
            queueState(ST_THROW);
        queueState(ST_STAND_UP);
        queueState(ST_LEAVE_TABLE);
        break;
    case ST_STAND_UP:
        clearQueuedStates();
        m_fTimer = fDelay;
        queueState(ST_LEAVE_DELAY);
        queueState(ST_LEAVE_TABLE);
        break;
    case ST_AWAIT_INSULT:
        // A fight at closing time ends where it stands: both sit down, then this one goes.
        stopFight();
        clearQueuedStates();
        m_fTimer = fDelay;
        setState(ST_LEAVE_DELAY);
        if (bMug)
            queueState(ST_THROW);
        queueState(ST_LEAVE_TABLE);
        break;
    case ST_INSULT:
    case ST_HAND_OVER:
        stopFight();
        clearQueuedStates();
        m_fTimer = fDelay;
        queueState(ST_LEAVE_DELAY);
        if (bMug)
            queueState(ST_THROW);
        queueState(ST_LEAVE_TABLE);
        break;
    default:
        // Not at a point where he can go yet; the update repeats the request every 0.75 s.
        return;
    }
    setSpeed(LEAVE_SPEED_X, LEAVE_SPEED_Y);
}

bool Customer::expel()
{
    RIR_TRACE("Customer::expel");
    if (Character::expel())
    {
        if (getBool(CP_EXCLUSIVE_ENTER) &&
            m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        return true;
    }
    if (m_nState != ST_TO_CHAIR && m_nState != ST_WALKING)
        return false;
    if (m_nState == ST_WALKING && !isStateQueued(ST_SIT_DOWN))
        return false; // walking somewhere else: not on the way in
    if (isWalking())
        stopWalking();
    clearQueuedStates();
    setState(ST_LEAVE_TABLE);
    if (m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    if (getBool(CP_IS_WANTED))
    {
        // The wanted man caught on his way in: the reward flies to the cash bag.
        IPlayMode* pPlay = IPlayMode::getPlayMode();
        pPlay->replaceWantedPoster();
        pPlay->incStat(STAT_WANTED_CAUGHT);
        const int nReward = pPlay->getDifficultyManager()->getInt(LP_WANTED_REWARD);
        int nX = 0;
        int nY = 0;
        getPos(&nX, &nY);
        const int nDepth = getDepth() + 10;
        pPlay->flyImage("text_rew_bucks", nX, nY - TEXT_RISE, nReward, -1, -1);
        pPlay->addFadeText("text_pay_r", nX, nY - TEXT_RISE, nDepth, 50.0f, 2.0f);
        pPlay->addFadeText(RIR::String::format("text_pay_r%d", nReward).c_str(), nX,
                           nY - TEXT_RISE_AMOUNT, nDepth, 50.0f, 2.0f);
    }
    return true;
}
