// Customer: construction, the chair, the state machine and state changes (customer.h).
#include "world/customer.h"

#include "world/headsitoffsets.h"
#include "world/iplaymode.h"
#include "world/scene.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <ctime>

namespace
{

const int STAT_NEW_CUSTOMER = 1;
const int STAT_UNHAPPY = 2;
const int TUTORIAL_SITS = 0;
const int TUTORIAL_ASKS = 1;
const int TUTORIAL_SIP = 4;
const int TUTORIAL_MUG_EMPTY = 5;
const int SOUND_UNDERTAKER = 11;
const int SOUND_WANTED = 13;
const int BALLOON_DY = -115;
const int SIT_SHIFT = 13;

} // namespace

Customer::Customer()
    : m_bSeated(false), m_nAsks(0), m_nDrinks(0), m_pLegsSprite(nullptr), m_pLeftArmSprite(nullptr),
      m_pDrinkArmSprite(nullptr), m_pOtherArmSprite(nullptr), m_bFighting(false),
      m_bFightStopped(false), m_nInsults(0), m_bFightStarter(false), m_nFightId(-1),
      m_bThrowing(false), m_bSitSoundPlayed(false), m_nLastSitFrame(-1), m_bLeaveRequested(false),
      m_fLeaveRetry(0.0f), m_fTimer(0.0f), m_bEmptyOnThrow(false), m_nLeaveTries(0),
      m_nStandTries(0)
{
    setEnterState(ST_TO_CHAIR);
    m_random.seed((unsigned int)std::time(nullptr));
    HeadSitOffsets::load();
}

Customer::~Customer()
{
    // Nothing here may throw: the sprites leave the screen they are on.
    if (m_pBalloon && m_pBalloon->getMode())
        m_pBalloon->getMode()->removeObject(m_pBalloon);
    for (int n = 0; n < m_lFadingBottles.getLength(); ++n)
    {
        const RIR::SmartPtr<AnimSprite>& pBottle = m_lFadingBottles.get(n);
        if (pBottle->getMode())
            pBottle->getMode()->removeObject(pBottle);
    }
    if (m_pThrowMug && m_pThrowMug->getSprite()->getMode())
        m_pThrowMug->getSprite()->getMode()->removeObject(m_pThrowMug->getSprite());
    if (m_pChair)
    {
        m_pChair->detach();
        m_pChair.release();
    }
    if (m_pSpot)
        m_pSpot->detach();
}

RIR::SmartPtr<Animation> Customer::loadAnimation(const char* pszName)
{
    RIR_ASSERT(GameApp::getInstance() != NULL);
    return GameApp::getInstance()->getAnimationByName(pszName);
}

void Customer::detach()
{
    RIR_TRACE("Customer::detach");
    Character::detach();
    if (m_pChair)
    {
        RIR::SmartPtr<TableSpot> pSpot = m_pChair->getTableSpot();
        if (pSpot && pSpot->getCustomer() == RIR::SmartPtr<Customer>(this))
            pSpot->setCustomer(RIR::SmartPtr<Customer>());
        m_pChair->detach();
        m_pChair.release();
    }
    if (m_pSpot)
    {
        if (Scene::getScene() &&
            Scene::getScene()->getSpots().indexOf(RIR::SmartPtr<ActionSpot>(m_pSpot.get())) >= 0)
            Scene::getScene()->removeSpot(RIR::SmartPtr<ActionSpot>(m_pSpot.get()));
        m_pSpot->detach();
        m_pSpot.release();
    }
    m_pThrowMug.release();
}

void Customer::start()
{
    RIR_TRACE("Customer::start");
    m_pBalloon = new AnimSprite(loadAnimation("balloons.anim"), 0, 0, 10000);
    m_pBalloon->setVisible(false);
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(m_pBalloon);
    m_pLegsSprite = getPartSprite(PART_LEGS).get();
    m_pLeftArmSprite = getPartSprite(PART_LEFT_ARM).get();
    m_pDrinkArmSprite = nullptr;
    m_pOtherArmSprite = nullptr;
    m_bFightStarter = false;
    setState(ST_GO_TO_DOOR);
    Character::start();
    chooseChair();
}

bool Customer::chooseChair()
{
    RIR_TRACE("Customer::chooseChair");
    RIR::List<RIR::SmartPtr<Chair>> lEmptyChairs = Scene::getScene()->getFreeChairs();
    RIR_ASSERT(!lEmptyChairs.isEmpty());
    // Each free chair is tried once: a chair whose stand squares are all taken right now must not
    // keep the choice going round for ever.
    while (!lEmptyChairs.isEmpty())
    {
        const int nIndex =
            getBool(CP_PICK_FIRST_CHAIR) ? 0 : m_random.range(0, lEmptyChairs.getLength() - 1);
        RIR::SmartPtr<Chair> pChair = lEmptyChairs.get(nIndex);
        lEmptyChairs.removeAt(nIndex);
        int nX = 0;
        int nY = 0;
        if (!pChair->findStandPos(&nX, &nY, false))
            continue;
        m_pChair = pChair;
        m_pChair->setCustomer(this);
        const bool bRight = m_pChair->isRight();
        m_pDrinkArmSprite = getPartSprite(bRight ? PART_RIGHT_ARM : PART_LEFT_ARM).get();
        m_pOtherArmSprite = getPartSprite(bRight ? PART_LEFT_ARM : PART_RIGHT_ARM).get();
        return true;
    }
    return false;
}

bool Customer::isLeaving()
{
    return Character::isLeaving() || m_nState == ST_LEAVE_TABLE || isStateQueued(ST_LEAVE_TABLE);
}

bool Customer::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    if (Character::getAnimNames(sPrefix, sSuffix))
        return true;
    if (m_nState == ST_SIT_DOWN)
    {
        sPrefix = "sitdown_";
        sSuffix = "";
    }
    else if (m_nState == ST_STAND_UP || m_nState == ST_FIGHT_STAND_UP)
    {
        sPrefix = "standup_";
        sSuffix = "";
    }
    else if (m_nState == ST_AWAIT_INSULT)
    {
        sPrefix = "stand_";
        sSuffix = "";
        return true;
    }
    return false;
}

void Customer::startAnim()
{
    Character::startAnim();
    updateCustomerSpot();
}

int Customer::getDepth()
{
    if (m_pChair && m_bSeated)
        return m_pChair->getDepth();
    return Character::getDepth();
}

void Customer::updateState(float fDt)
{
    RIR_TRACE("Customer::updateState");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    switch (m_nState)
    {
    case ST_TO_CHAIR:
        walkToChair();
        break;
    case ST_SIT_DOWN:
        m_bSeated = true;
        if (getCharacterClass() == CC_UNDERTAKER)
            setBool(CP_WANT_CLICKS, false);
        if (getBool(CP_IS_WANTED))
        {
            // A wanted man who reaches his seat is an ordinary customer from now on.
            setBool(CP_WANT_CLICKS, false);
            setBool(CP_IS_WANTED, false);
            setCharacterClass(CC_CUSTOMER);
            pPlay->replaceWantedPoster();
        }
        if (getBool(CP_EXCLUSIVE_ENTER))
            m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        clearQueuedStates();
        playAnimOnce("sitdown_", "");
        updateSitStand();
        queueState(ST_SEATED);
        break;
    case ST_SEATED:
    {
        clearQueuedStates();
        if (m_pMug && !m_pMug->isEmpty())
        {
            setState(ST_SERVED);
            break;
        }
        const bool bAbandon = getBool(CP_LEAVE_ON_ABANDON);
        const int nWait = m_nAsks > 3 ? 3 : m_nAsks;
        const RIR::String sKey = RIR::String::format(CP_TIME_ASK_FMT, nWait);
        playAnimFor(getFloat(sKey.c_str()), "sit_idle_", "");
        // From the fourth wait on, a customer who does not give up asks as after two asks.
        if (!bAbandon && m_nAsks > 2)
            m_nAsks = 2;
        if (m_nAsks >= 3 && bAbandon)
        {
            queueState(ST_GIVE_UP);
            queueState(ST_STAND_UP);
            queueState(ST_LEAVE_TABLE);
        }
        else
        {
            queueState(ST_ASK);
        }
        break;
    }
    case ST_ASK:
    {
        if (!(m_pChair))
            RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
        const char* pszSide = m_pChair->isRight() ? "r" : "l";
        const int nAsk = m_nAsks > 2 ? 2 : m_nAsks;
        showBalloon(RIR::String::format("ask_%d_%s", nAsk, pszSide).c_str(), BALLOON_DY);
        clearQueuedStates();
        playAnimOnce(RIR::String::format("ask_%d_", nAsk).c_str(), "");
        queueState(ST_SEATED);
        if (!getBool(CP_PATIENT))
            ++m_nAsks;
        break;
    }
    case ST_SERVED:
        if (getBool(CP_LAST_DRINK_LOCKED) && m_pMug && m_pMug->getContents() == 1)
        {
            playAnimFor(1.0f, "sit_idle_", "");
            queueState(ST_SERVED);
        }
        else
        {
            playAnimFor(getFloat(CP_TIME_BETWEEN_DRINK), "sit_idle_", "");
            queueState(ST_DRINK);
        }
        break;
    case ST_DRINK:
    {
        if (m_bLeaveRequested)
        {
            nextState();
            break;
        }
        RIR_ASSERT(hasMug());
        RIR_ASSERT(!getMug()->isEmpty());
        clearQueuedStates();
        const int nLeft = m_pMug->getContents();
        RIR::SmartPtr<Animation> pMugAnim = m_pMug->getSprite()->getAnimation();
        const RIR::String sVariant =
            pMugAnim->getFrameProp(RIR::String::format("%d", nLeft).c_str(), 0, "suffix") +
            pMugAnim->getFrameProp(RIR::String::format("%d", nLeft - 1).c_str(), 0, "suffix");
        setPartVariant(PART_RIGHT_ARM, sVariant.c_str(), "");
        setPartVariant(PART_LEFT_ARM, sVariant.c_str(), "");
        const bool bFast = getBool(CP_FAST_DRINK_NEXT) ||
                           getFloat(CP_FAST_DRINK_PROB) > (float)m_random.nextDouble();
        playAnimOnce(bFast ? "drink_fast_" : "drink_", "");
        setBool(CP_FAST_DRINK_NEXT, false);
        if (getFloat(CP_START_FIGHT_PROB) > (float)m_random.nextDouble())
        {
            if (nLeft == 1)
                queueState(ST_THROW);
            queueState(ST_FIGHT_CHECK);
        }
        else
        {
            queueState(nLeft == 1 ? ST_MUG_EMPTY : ST_SERVED);
        }
        break;
    }
    case ST_MUG_EMPTY:
    {
        RIR_ASSERT(hasMug());
        RIR_ASSERT(getMug()->isEmpty());
        pPlay->tutorialEvent(TUTORIAL_MUG_EMPTY);
        clearQueuedStates();
        const bool bThrow = pPlay->shouldThrowEmptyMug();
        if (m_nDrinks >= getInt(CP_MAX_DRINKS))
        {
            setState(bThrow ? ST_THROW : ST_STAND_UP);
            if (bThrow)
                queueState(ST_STAND_UP);
            queueState(ST_LEAVE_TABLE);
        }
        else
        {
            setState(bThrow ? ST_THROW : ST_SEATED);
            if (bThrow)
                queueState(ST_SEATED);
        }
        break;
    }
    case ST_FIGHT_CHECK:
        checkFight();
        break;
    case ST_FIGHT_STAND_UP:
        playAnimOnce("standup_", "");
        updateSitStand();
        break;
    case ST_INSULT:
        sayInsult();
        break;
    case ST_HAND_OVER:
        if (!handOverTurn())
            return; // he insults again at once: nothing else this frame
        break;
    case ST_GONE:
        onFighterGone();
        break;
    case ST_THROW:
        if (!m_pMug)
        {
            nextState();
            break;
        }
        if (m_bEmptyOnThrow)
            m_pMug->setContents(0);
        playAnimOnce("throw_", "");
        break;
    case ST_GIVE_UP:
        pPlay->incStat(STAT_UNHAPPY);
        nextState();
        break;
    case ST_LEAVE_DELAY:
        m_fTimer -= fDt;
        if (m_fTimer < 0.0f)
            nextState();
        break;
    case ST_STAND_UP:
        playAnimOnce("standup_", "");
        updateSitStand();
        break;
    case ST_LEAVE_TABLE:
        leaveTable();
        break;
    default:
        break;
    }

    if (m_bLeaveRequested)
    {
        m_fLeaveRetry -= fDt;
        if (m_fLeaveRetry < 0.0f)
        {
            m_fLeaveRetry = 0.75f;
            requestLeave();
        }
    }
    if (m_pBalloon && m_pBalloon->isVisible())
        m_pBalloon->update(fDt);
    Character::updateState(fDt);
}

void Customer::walkToChair()
{
    RIR_TRACE("Customer::walkToChair");
    m_pScene->setDoorOpen(false);
    if (!getBool(CP_EXCLUSIVE_ENTER))
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
    if (!m_pChair && !chooseChair())
    {
        // Every free chair lost its stand squares since the spawn: go back out rather than wait
        // at the door, which would keep the way out shut for the others.
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        clearQueuedStates();
        setState(ST_TURN_BACK);
        return;
    }
    if (!(m_pChair))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
    int nX = 0;
    int nY = 0;
    bool bFound = m_pChair->findStandPos(&nX, &nY, false);
    if (!bFound)
    {
        // A walker stands on the stand squares now. Waiting here on the door square could keep
        // him (a leaver) from getting out, so after a short while head for the square anyway;
        // the walk waits next to it until it is free, and the way in is given up meanwhile.
        ++m_nStandTries;
        if (m_nStandTries < 15)
            return;
        m_pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
        bFound = m_pChair->findStandPos(&nX, &nY, true);
    }
    if (!bFound)
    {
        // Neither stand square can be walked on: this chair cannot be reached.
        m_pChair->setCustomer(RIR::SmartPtr<Character>());
        m_pChair.release();
        return;
    }
    m_nStandTries = 0;
    clearQueuedStates();
    if (walkTo(nX, nY))
        queueState(ST_SIT_DOWN);
    else
        setState(ST_SIT_DOWN); // already standing there
    if (getCharacterClass() == CC_UNDERTAKER)
        IPlayMode::getPlayMode()->showFeatureTip("Undertaker", 400, 250, 2);
    else if (getCharacterClass() == CC_WANTED)
        IPlayMode::getPlayMode()->showFeatureTip("Wanted", 400, 250, 2);
}

void Customer::onStateChange(int nOld, int nNew)
{
    RIR_TRACE("Customer::onStateChange");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    switch (nOld)
    {
    case ST_DRINK:
        pPlay->tutorialEvent(TUTORIAL_SIP);
        if (m_pMug && m_pMug->isEmpty())
            ++m_nDrinks;
        break;
    case ST_SIT_DOWN:
        if (getBool(CP_SCARES_PEOPLE))
            pPlay->scareCustomers(this);
        pPlay->tutorialEvent(TUTORIAL_SITS);
        m_bSitSoundPlayed = false;
        break;
    case ST_ASK:
        hideBalloon();
        pPlay->tutorialEvent(TUTORIAL_ASKS);
        break;
    case ST_INSULT:
        hideBalloon();
        break;
    case ST_SEATED:
        if (hasAttachSprite())
            removeAttachSprite();
        break;
    case ST_STAND_UP:
    case ST_FIGHT_STAND_UP:
    {
        if (!(m_pChair))
            RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
        int nX = 0;
        int nY = 0;
        getPos(&nX, &nY);
        placeAt(m_pChair->isRight() ? nX - SIT_SHIFT : nX + SIT_SHIFT, nY);
        updateCustomerSpot();
        m_bSitSoundPlayed = false;
        syncSprites(true);
        break;
    }
    default:
        break;
    }

    if (nNew == ST_SIT_DOWN || nNew == ST_STAND_UP || nNew == ST_FIGHT_STAND_UP)
        m_nLastSitFrame = -1;
    switch (nNew)
    {
    case ST_SIT_DOWN:
    {
        if (!m_bSeated)
            pPlay->incStat(STAT_NEW_CUSTOMER);
        if (hasAttachSprite())
            removeAttachSprite();
        if (!(m_pChair))
            RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
        int nX = 0;
        int nY = 0;
        m_pChair->getSitPos(&nX, &nY);
        placeAt(nX, nY);
        setDirection(m_pChair->isRight() ? 1 : 0);
        m_bSeated = true;
        m_bFighting = false;
        takeTableSpot();
        updateCustomerSpot();
        break;
    }
    case ST_STAND_UP:
        leaveTableSpot();
        break;
    case ST_CHALLENGED:
        m_bFighting = true;
        m_bFightStopped = false;
        break;
    case ST_LEAVE_TABLE:
        leaveTableSpot();
        m_bFighting = false;
        break;
    case ST_GO_TO_DOOR:
        m_nDrinks = 0;
        m_nAsks = 0;
        break;
    case ST_ASK:
        if (m_bLeaveRequested)
            requestLeave();
        break;
    case ST_DRINK:
        if (m_bLeaveRequested)
            requestLeave();
        else
        {
            RIR_ASSERT(hasMug());
            RIR_ASSERT(!getMug()->isEmpty());
        }
        break;
    case ST_SEATED:
        if (m_bLeaveRequested)
            requestLeave();
        if (m_nAsks > 0 && m_nState == ST_SEATED)
        {
            RIR_ASSERT(!hasAttachSprite());
            RIR::SmartPtr<AnimSprite> pMark =
                new AnimSprite(loadAnimation("exclamation.anim"), m_pLegsSprite->getX(),
                               m_pLegsSprite->getY(), getDepth() + 5);
            const int nMark = (m_nAsks > 3 ? 3 : m_nAsks) - 1;
            pMark->play(RIR::String::format("excl_%d", nMark).c_str(), 0, -1);
            attachSprite(pMark);
        }
        break;
    case ST_COME_IN:
        if (m_bLeaveRequested)
            requestLeave();
        if (getCharacterClass() == CC_UNDERTAKER)
            pPlay->playSound(SOUND_UNDERTAKER, 400);
        else if (getCharacterClass() == CC_WANTED)
            pPlay->playSound(SOUND_WANTED, 400);
        break;
    default:
        break;
    }
    Character::onStateChange(nOld, nNew);
}
