// Cow (cow.h).
#include "world/cow.h"

#include "world/iplaymode.h"
#include "world/reward.h"
#include "world/scene.h"

#include "rir2/calltrace.h"

namespace
{

const int SOUND_MOO = 14;
// Each cycle of the sitting animation counts as one second more than its frame's time.
const float SIT_CYCLE = 1.0f;

} // namespace

Cow::Cow() : m_fSitTime(0.0f)
{
    setBodyOffsets(0, 0, -5);
}

Cow::~Cow() {}

void Cow::start()
{
    setState(ST_GO_TO_DOOR);
    Character::start();
}

void Cow::onClick(int nX, int nY)
{
    RIR_TRACE("Cow::onClick");
    showShot(nX, nY);
    setFloat(CP_EXPELL_COUNT, (float)(getInt(CP_EXPELL_COUNT) - 1));
    if (getInt(CP_EXPELL_COUNT) > 0)
        return;
    if (hasAttachSprite())
        removeAttachSprite();
    setBool(CP_WANT_CLICKS, false);
    if (isLeaving())
        return;
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    const int nReward = pPlay->getDifficultyManager()->getInt(LP_COW_REWARD);
    const int nDepth = m_pScene->getRowDepth(0, 1) + 10;
    showReward(nReward, nX, nY, nY - 35, nDepth);
    expel();
}

bool Cow::expel()
{
    RIR_TRACE("Cow::expel");
    if (!Character::expel())
    {
        clearQueuedStates();
        setState(ST_GET_UP);
    }
    if (getBool(CP_EXCLUSIVE_ENTER) && m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    setSpeed(EXPEL_SPEED_X, EXPEL_SPEED_Y);
    return true;
}

bool Cow::isLeaving()
{
    return Character::isLeaving() || m_nState == ST_LEAVE || m_nState == ST_GET_UP ||
           isStateQueued(ST_LEAVE) || isStateQueued(ST_GET_UP);
}

bool Cow::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    return Character::getAnimNames(sPrefix, sSuffix);
}

void Cow::updateState(float fDt)
{
    RIR_TRACE("Cow::updateState");
    switch (m_nState)
    {
    case ST_COME_IN:
        if (getBool(CP_DO_SIT))
        {
            clearQueuedStates();
            playAnimOnce("sitdown_", "");
            queueState(ST_SAT_DOWN);
        }
        else
        {
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
            m_pScene->reserveCorridor(this, Scene::CORRIDOR_OUT, false);
            setState(ST_LEAVE);
        }
        return; // the door square is her place: no walk inside
    case ST_SAT_DOWN:
        setBool(CP_WANT_CLICKS, true);
        setBool(CP_CAN_BE_STOPPED, true);
        setState(ST_SITTING);
        IPlayMode::getPlayMode()->showFeatureTip("Cow", 400, 150, 2);
        break;
    case ST_SITTING:
        clearQueuedStates();
        playAnimOnce("sitting_", "");
        m_fSitTime += fDt + SIT_CYCLE;
        if (getFloat(CP_COW_SIT_TIME) <= m_fSitTime)
            expel();
        else
            queueState(ST_SITTING);
        break;
    case ST_GET_UP:
        clearQueuedStates();
        playAnimOnce("standup_", "");
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        m_pScene->reserveCorridor(this, Scene::CORRIDOR_OUT, false);
        queueState(ST_LEAVE);
        break;
    default:
        break;
    }
    Character::updateState(fDt);
}

void Cow::onStateChange(int nOld, int nNew)
{
    if (nNew == ST_LEAVE || nNew == ST_SAT_DOWN)
        IPlayMode::getPlayMode()->playSound(SOUND_MOO, 400);
    Character::onStateChange(nOld, nNew);
}
