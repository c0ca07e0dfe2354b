// Sheriff (sheriff.h).
#include "world/sheriff.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "rir2/calltrace.h"

namespace
{

const float PIN_TIME = 1.0f;
// The directions of the character's sequences.
enum
{
    DIR_RIGHT = 0,
    DIR_LEFT = 1,
    DIR_UP = 2
};

} // namespace

Sheriff::Sheriff()
{
    setEnterState(ST_TO_POSTER);
}

Sheriff::~Sheriff() {}

void Sheriff::start()
{
    setState(ST_GO_TO_DOOR);
    Character::start();
}

bool Sheriff::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    return Character::getAnimNames(sPrefix, sSuffix);
}

void Sheriff::updateState(float fDt)
{
    RIR_TRACE("Sheriff::updateState");
    switch (m_nState)
    {
    case ST_TO_POSTER:
    {
        m_pScene->setDoorOpen(false);
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        int nX = 0;
        int nY = 0;
        m_pScene->getPosterStandPixel(&nX, &nY);
        if (walkTo(nX, nY))
            queueState(ST_AT_POSTER);
        else
            setState(ST_AT_POSTER); // standing there already
        break;
    }
    case ST_AT_POSTER:
        setDirection(DIR_UP);
        if (getBool(CP_EXCLUSIVE_ENTER) &&
            m_pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        IPlayMode::getPlayMode()->newWantedPoster();
        playAnimFor(PIN_TIME, "stand_", "");
        queueState(ST_GO_OUT);
        break;
    case ST_GO_OUT:
    {
        setWaitingToLeave(false);
        setDirection(getX() > 400.0f ? DIR_LEFT : DIR_RIGHT);
        if (!headForDoor())
        {
            setWaitingToLeave(true);
            playAnimFor(getFloat(CP_TIME_RETRY_LEAVE), "stand_", "");
            queueState(ST_GO_OUT);
        }
        break;
    }
    default:
        break;
    }
    Character::updateState(fDt);
}

void Sheriff::onStateChange(int nOld, int nNew)
{
    Character::onStateChange(nOld, nNew);
}
