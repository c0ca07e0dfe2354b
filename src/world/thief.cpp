// Thief (thief.h).
#include "world/thief.h"

#include "world/iplaymode.h"
#include "world/reward.h"
#include "world/scene.h"
#include "world/thiefguard.h"

#include "rir2/calltrace.h"

namespace
{

const int STAT_THIEF_EXPELLED = 6;
const int SOUND_THIEF_ENTERS = 12;
const int SOUND_TILL = 15;
enum
{
    DIR_RIGHT = 0 // the direction of the character's sequences facing right
};
const int TEXT_RISE = 150;
const int TEXT_RISE_AMOUNT = 185;
const int AMOUNT_DY = 35;

} // namespace

Thief::Thief() : m_nStolen(0), m_bAtRegister(false), m_nShotSound(SHOT_SOUND)
{
    setEnterState(ST_INSIDE);
}

Thief::~Thief() {}

void Thief::start()
{
    setState(ST_GO_TO_DOOR);
    Character::start();
}

void Thief::setShotSound(int nGroup)
{
    m_nShotSound = nGroup;
}

void Thief::onClick(int nX, int nY)
{
    RIR_TRACE("Thief::onClick");
    showShot(nX, nY, m_nShotSound);
    m_nShotSound = SHOT_SOUND;
    setFloat(CP_EXPELL_COUNT, (float)(getInt(CP_EXPELL_COUNT) - 1));
    if (getInt(CP_EXPELL_COUNT) > 0)
        return;
    if (m_nStolen > 0)
        giveBack(nX, nY);
    if (m_nStolen <= 0)
    {
        if (hasAttachSprite())
            removeAttachSprite();
        setBool(CP_WANT_CLICKS, false);
    }
    if (isLeaving())
        return;
    expel();
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    pPlay->incStat(STAT_THIEF_EXPELLED);
    const int nReward = pPlay->getDifficultyManager()->getInt(LP_STOPTHIEF_REWARD);
    showReward(nReward, nX, nY, nY - AMOUNT_DY, getDepth() + 10);
}

void Thief::giveBack(int nX, int nY)
{
    int nReturn = getInt(CP_THIEF_RETURN_AMOUNT);
    // He hands back what he took, in portions, and never more than that.
    if (nReturn <= 0 || nReturn > m_nStolen)
        nReturn = m_nStolen;
    m_nStolen -= nReturn;
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    pPlay->flyImage("text_pay_bucks", nX, nY, nReturn, -1, -1);
    pPlay->addFadeText(RIR::String::format("text_pay_%d", nReturn).c_str(), nX, nY - AMOUNT_DY,
                       getDepth() + 10, 50.0f, 2.0f);
}

bool Thief::expel()
{
    RIR_TRACE("Thief::expel");
    if (!Character::expel())
    {
        clearQueuedStates();
        setState(m_bAtRegister ? ST_GIVE_UP : ST_LEAVE_ROOM);
    }
    if (getBool(CP_EXCLUSIVE_ENTER) && m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    setSpeed(EXPEL_SPEED_X, EXPEL_SPEED_Y);
    return true;
}

bool Thief::isLeaving()
{
    // Giving up the theft (105) leads out as well: a second click before his next update must
    // not pay the reward again.
    return Character::isLeaving() || m_nState == ST_LEAVE_ROOM || isStateQueued(ST_LEAVE_ROOM) ||
           m_nState == ST_GIVE_UP || isStateQueued(ST_GIVE_UP);
}

bool Thief::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    return Character::getAnimNames(sPrefix, sSuffix);
}

void Thief::updateState(float fDt)
{
    RIR_TRACE("Thief::updateState");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    switch (m_nState)
    {
    case ST_INSIDE:
    {
        pPlay->showFeatureTip("Thief", 400, 250, 2);
        m_pScene->setDoorOpen(false);
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        // The square in front of the register: the register itself stands on the bar.
        int nI = 0;
        int nJ = 0;
        int nHeading = 0;
        m_pScene->getRegisterPlace(&nI, &nJ, &nHeading);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(nI, nJ, &nX, &nY, 0x24);
        if (walkTo(nX, nY))
            queueState(ST_AT_REGISTER);
        else
            setState(ST_AT_REGISTER); // standing there already
        break;
    }
    case ST_AT_REGISTER:
        m_bAtRegister = true;
        setDirection(DIR_RIGHT);
        if (getBool(CP_EXCLUSIVE_ENTER) &&
            m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        if (pPlay->getThiefGuard())
            pPlay->getThiefGuard()->setTarget(this);
        playAnimOnce("startsteal_", "");
        queueState(ST_STEAL);
        break;
    case ST_STEAL:
        playAnimOnce("steal_", "");
        queueState(ST_TAKE);
        break;
    case ST_TAKE:
        takeMoney();
        break;
    case ST_GIVE_UP:
        playAnimOnce("endsteal_", "");
        queueState(ST_LEAVE_ROOM);
        break;
    case ST_LEAVE_ROOM:
        leaveRoom();
        break;
    default:
        break;
    }
    Character::updateState(fDt);
}

void Thief::takeMoney()
{
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    const int nAmount = getInt(CP_THIEF_STEAL_AMOUNT);
    if (pPlay->getCash() < nAmount)
    {
        setState(ST_GIVE_UP); // never a part of an amount
        return;
    }
    m_nStolen += nAmount;
    int nX = 0;
    int nY = 0;
    getPos(&nX, &nY);
    const int nDepth = getDepth() + 10;
    pPlay->addFadeText("text_rob_robbery", nX, nY - TEXT_RISE, nDepth, 50.0f, 2.0f);
    pPlay->addFadeText(RIR::String::format("text_rob_%d", nAmount).c_str(), nX,
                       nY - TEXT_RISE_AMOUNT, nDepth, 50.0f, 2.0f);
    pPlay->addCash(-nAmount);
    pPlay->playSound(SOUND_TILL, nX);
    setState(ST_STEAL);
}

void Thief::leaveRoom()
{
    setWaitingToLeave(false);
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    if (pPlay->getThiefGuard())
        pPlay->getThiefGuard()->setTarget(nullptr);
    if (m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    if (!headForDoor())
    {
        setWaitingToLeave(true);
        playAnimFor(getFloat(CP_TIME_RETRY_LEAVE), "stand_", "");
        queueState(ST_LEAVE_ROOM);
    }
}

void Thief::onStateChange(int nOld, int nNew)
{
    if (nNew == ST_AT_REGISTER)
        setSpriteDx(REGISTER_DX);
    else if (nNew == ST_LEAVE_ROOM)
        setSpriteDx(0);
    else if (nNew == ST_COME_IN)
        IPlayMode::getPlayMode()->playSound(SOUND_THIEF_ENTERS, 400);
    Character::onStateChange(nOld, nNew);
}
