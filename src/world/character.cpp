// Character: the activity driver, the state queue, the base states of the way in and out, and
// expelling by clicks. The body (sprites, names, depths, facing) is in character_body.cpp.
#include "world/character.h"

#include "world/iplaymode.h"
#include "world/scene.h"
#include "world/worldrandom.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

Character::Character()
    : m_fWalkAnimScale(1.0f), m_nDir(1), m_nVDir(4), m_bStepToggle(false), m_nEnterState(0),
      m_nActivity(ACT_START), m_nState(ST_NONE), m_fWaitTime(0.0f), m_aBodyDy(), m_nSpriteDx(0),
      m_aShadowDy(), m_nLastX(-100), m_nLastY(-100), m_eClass(CC_CUSTOMER), m_bWaitingToLeave(false)
{
    setBodyOffsets(21, 44, 15);
    setShadowOffsets(5, -10, 0);
}

Character::~Character()
{
    // Nothing here may throw: sprites leave the screen they are on, whoever owns it.
    for (int n = 0; n < m_lSprites.getLength(); ++n)
    {
        const RIR::SmartPtr<AnimSprite>& pSprite = m_lSprites.get(n);
        if (pSprite->getMode())
            pSprite->getMode()->removeObject(pSprite);
    }
    if (m_pAttachSprite && m_pAttachSprite->getMode())
        m_pAttachSprite->getMode()->removeObject(m_pAttachSprite);
    if (m_sHeadName.length() > 0 && GameApp::getInstance())
        GameApp::getInstance()->removeAnimation(m_sHeadName.c_str());
}

void Character::detach()
{
    RIR_TRACE("Character::detach");
    WalkingObject::detach();
}

void Character::update(float fDt)
{
    RIR_TRACE("Character::update");
    switch (m_nActivity)
    {
    case ACT_START:
        m_nActivity = ACT_STATES;
        startAnim();
        syncSprites(true);
        break;
    case ACT_TIMED:
        m_fWaitTime -= fDt;
        if (m_fWaitTime < 0.0f)
            nextState();
        break;
    case ACT_TO_END:
        if (isAnimDone())
        {
            nextState();
            updateState(fDt);
        }
        break;
    default:
        updateState(fDt);
        break;
    }
    RIR_TRACE_LINE();
    animate(fDt);
}

bool Character::walkTo(int nX, int nY)
{
    RIR_TRACE("Character::walkTo");
    if (!WalkingObject::walkTo(nX, nY))
        return false;
    setState(ST_WALKING);
    return true;
}

void Character::start()
{
    m_nActivity = ACT_START;
}

void Character::onClick(int nX, int nY)
{
    RIR_TRACE("Character::onClick");
    if (!getBool(CP_CAN_BE_STOPPED) || isLeaving())
        return;
    showShot(nX, nY);
    setFloat(CP_EXPELL_COUNT, (float)(getInt(CP_EXPELL_COUNT) - 1));
    if (getInt(CP_EXPELL_COUNT) < 1)
        expel();
}

void Character::placeAt(int nX, int nY)
{
    RIR_TRACE("Character::placeAt");
    setPos((float)nX, (float)nY);
    syncSprites(true);
}

bool Character::expel()
{
    RIR_TRACE("Character::expel");
    if (m_pAttachSprite)
        removeAttachSprite();
    if (m_nState == ST_COME_IN)
    {
        clearQueuedStates();
        setState(ST_TURN_BACK);
        return true;
    }
    return m_nState == ST_LEAVE;
}

bool Character::isWaitingToLeave()
{
    return m_bWaitingToLeave;
}

bool Character::isLeaving()
{
    return m_nState == ST_LEAVE || m_nState == ST_TURN_BACK || isStateQueued(ST_LEAVE) ||
           isStateQueued(ST_TURN_BACK) || isStateQueued(ST_GONE);
}

void Character::walkThroughDoor(bool bAtDoor, int nFlags, int nThenState)
{
    const int nDoor = m_pScene->getDoorState();
    if (nDoor == Scene::DOOR_CLOSED || nDoor == Scene::DOOR_CLOSING)
        m_pScene->setDoorOpen(true);
    int nX = 0;
    int nY = 0;
    m_pScene->getDoorPixel(&nX, &nY, bAtDoor, nFlags);
    walkTo(nX, nY);
    queueState(nThenState);
}

bool Character::headForDoor()
{
    if (!m_pScene->reserveCorridor(this, Scene::CORRIDOR_OUT, false))
        return false;
    int nX = 0;
    int nY = 0;
    m_pScene->getDoorPixel(&nX, &nY, false, 0x14);
    if (nX == (int)getX() && nY == (int)getY())
    {
        setState(ST_TURN_BACK);
        return true;
    }
    if (walkTo(nX, nY))
    {
        queueState(ST_TURN_BACK);
        return true;
    }
    // Holding the way out while standing here would keep the others from the door.
    m_pScene->unreserveCorridor(this, Scene::CORRIDOR_OUT);
    return false;
}

void Character::updateState(float fDt)
{
    RIR_TRACE("Character::updateState");
    switch (m_nState)
    {
    case ST_GO_TO_DOOR:
    {
        int nX = 0;
        int nY = 0;
        m_pScene->getDoorPixel(&nX, &nY, true, 0x24);
        walkTo(nX, nY);
        queueState(ST_COME_IN);
        break;
    }
    case ST_COME_IN:
        walkThroughDoor(false, 0x14, m_nEnterState);
        break;
    case ST_TURN_BACK:
        walkThroughDoor(true, 0x14, ST_LEAVE);
        break;
    case ST_LEAVE:
    {
        m_pScene->setDoorOpen(false);
        // The C runtime's generator decides the side, so a seeded run repeats.
        const int nColumn = has(CP_ALWAYS_EXIT_RIGHT) ? 10 : ((std::rand() & 1) ? 1 : 10);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(nColumn, 0, &nX, &nY, 0x24);
        clearQueuedStates();
        walkTo(nX, nY);
        queueState(ST_GONE);
        break;
    }
    case ST_GONE:
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_OUT);
        unmarkSquares();
        IPlayMode::getPlayMode()->removeCharacter(this);
        break;
    case ST_WALKING:
    case ST_HELD_UP:
        WalkingObject::update(fDt);
        if (!isWalking())
            nextState();
        else if (isBlocked() && m_nState != ST_HELD_UP)
            setState(ST_HELD_UP);
        else if (!isBlocked() && m_nState == ST_HELD_UP)
            setState(ST_WALKING);
        if (isAnimDone())
            startAnim(); // the walk cycle again, with the other step
        break;
    default:
        break;
    }
}

void Character::setState(int nState)
{
    RIR_TRACE("Character::setState");
    const int nOld = m_nState;
    m_nState = nState;
    m_nActivity = ACT_STATES;
    onStateChange(nOld, nState);
    startAnim();
}

void Character::nextState()
{
    RIR_TRACE("Character::nextState");
    if (m_lQueuedStates.isEmpty())
        RIR_THROW(AssertFailException, "Assertion failed : false");
    setState(m_lQueuedStates.takeFirst());
}

void Character::onStateChange(int /*nOld*/, int /*nNew*/)
{
}

void Character::queueState(int nState)
{
    m_lQueuedStates.append(nState);
}

void Character::clearQueuedStates()
{
    m_lQueuedStates.clear();
}

bool Character::isStateQueued(int nState) const
{
    return m_lQueuedStates.indexOf(nState) >= 0;
}

float Character::getWaitTime() const
{
    RIR_ASSERT(inWaitingState());
    return m_fWaitTime;
}

void Character::setWaitTime(float fSeconds)
{
    RIR_ASSERT(inWaitingState());
    m_fWaitTime = fSeconds;
}

void Character::setWaitTimeIfWaiting(float fSeconds)
{
    if (inWaitingState())
        m_fWaitTime = fSeconds;
}

void Character::playAnimFor(float fSeconds, const char* pszPrefix, const char* pszSuffix)
{
    RIR_TRACE("Character::playAnimFor");
    m_fWaitTime = fSeconds;
    m_sAnimPrefix = pszPrefix;
    m_sAnimSuffix = pszSuffix;
    m_nActivity = ACT_TIMED;
    startAnim();
}

void Character::playAnimOnce(const char* pszPrefix, const char* pszSuffix)
{
    RIR_TRACE("Character::playAnimOnce");
    m_sAnimPrefix = pszPrefix;
    m_sAnimSuffix = pszSuffix;
    m_nActivity = ACT_TO_END;
    startAnim();
}

bool Character::wantsClicks() const
{
    return getBool(CP_WANT_CLICKS);
}

void Character::attachSprite(const RIR::SmartPtr<AnimSprite>& pAS)
{
    RIR_TRACE("Character::attachSprite");
    RIR_ASSERT(pAS);
    RIR_ASSERT(!m_pAttachSprite);
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(pAS);
    m_pAttachSprite = pAS;
}

void Character::removeAttachSprite()
{
    RIR_TRACE("Character::removeAttachSprite");
    RIR_ASSERT(m_pAttachSprite);
    if (m_pAttachSprite->getMode())
        m_pAttachSprite->getMode()->removeObject(m_pAttachSprite);
    m_pAttachSprite.release();
}

void Character::showShot(int nX, int nY, int nSoundGroup)
{
    RIR_TRACE("Character::showShot");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    const int nDepth = getDepth() + 10;
    static const char* const LOW[] = {"bang_0"};
    static const char* const FULL[] = {"bang_1", "bang_0", "bang_1"};
    const bool bLow = pPlay->isLowResourcesMode();
    const char* const* ppszNames = bLow ? LOW : FULL;
    const int nCount = bLow ? 1 : 3;
    for (int n = 0; n < nCount; ++n)
    {
        const int nDX = worldRandom().range(-30, 30);
        const int nDY = worldRandom().range(-30, 30);
        pPlay->addFadeText(ppszNames[n], nX + nDX, nY + nDY, nDepth, 0.0f, 1.0f);
    }
    pPlay->playSound(nSoundGroup, nX);
}
