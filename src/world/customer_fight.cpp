// Customer: fights with the customer on the opposite chair (customer.h).
#include "world/customer.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "app/gameapp.h"
#include "gfx/color.h"
#include "gfx/image.h"
#include "gfx/rect.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int STAT_UNSTOPPED_FIGHT = 3;
const int SOUND_FIGHTERS_GONE = 10;
const int INSULT_BALLOON_DY = -150;
// How long the first insult is on before the one-time tip points at the fight.
const float FIGHT_TIP_DELAY = 0.75f;
const float TIP_SHOWN = 100000.0f;
// Insults a challenged customer says before both leave together.
const int LAST_INSULT = 3;
// Where the insult is written in the balloon, drawn twice 1 px apart for a bold line.
const int TEXT_LEFT = 8;
const int TEXT_TOP = 4;
const int TEXT_RIGHT = 146;
const int TEXT_BOTTOM = 34;

} // namespace

int Customer::s_nNextFightId = 1;

RIR::SmartPtr<Font> Customer::loadInsultFont()
{
    GameApp* pApp = GameApp::getInstance();
    if (!pApp || !pApp->getTheme())
        return RIR::SmartPtr<Font>();
    return pApp->getTheme()->getFont("Dolly::Insult");
}

RIR::SmartPtr<Customer> Customer::getOpponent() const
{
    if (!m_pChair)
        return RIR::SmartPtr<Customer>();
    RIR::SmartPtr<Chair> pOpposite = m_pChair->getOpposite();
    if (!pOpposite)
        return RIR::SmartPtr<Customer>();
    return RIR::SmartPtr<Customer>(dynamic_cast<Customer*>(pOpposite->getCustomer().get()));
}

void Customer::resetFightState()
{
    m_nInsults = 0;
    m_bFightStarter = false;
}

void Customer::checkFight()
{
    RIR_TRACE("Customer::checkFight");
    if (!(m_pChair))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair)");
    if (!(m_pChair->getOpposite()))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(m_pChair->getOpposite())");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    RIR::SmartPtr<Customer> pOpp = getOpponent();
    const bool bFight = pOpp && pOpp->acceptsFights() &&
                        (pOpp->getState() == ST_SEATED || pOpp->getState() == ST_SERVED) &&
                        pPlay->countFightingCustomers() / 2 < pPlay->getMaxFights();
    clearQueuedStates();
    if (!bFight)
    {
        // No fight: back to the mug, whatever is left of it.
        if (!m_pMug)
            setState(ST_SEATED);
        else if (m_pMug->isEmpty())
            setState(ST_MUG_EMPTY);
        else
            setState(ST_SERVED);
        return;
    }
    m_nInsults = 0;
    m_bFightStarter = true;
    m_bFighting = true;
    m_bFightStopped = false;
    queueState(ST_FIGHT_STAND_UP);
    queueState(ST_INSULT);
    nextState();
    pOpp->clearQueuedStates();
    pOpp->resetFightState();
    pOpp->setState(ST_CHALLENGED);
    m_nFightId = s_nNextFightId;
    pOpp->m_nFightId = s_nNextFightId;
    ++s_nNextFightId;
}

RIR::String Customer::insultBalloonName(int nInsult, const char* pszSide) const
{
    // The starter says another insult each time his opponent is still getting up, so the count
    // has no limit; past the balloons' last insult sequence the last one is shown again.
    RIR::SmartPtr<Animation> pAnim = m_pBalloon->getAnimation();
    for (int n = nInsult; n > 0; --n)
    {
        const RIR::String sName = RIR::String::format("insult_%d_%s", n, pszSide);
        if (pAnim && pAnim->hasSequence(sName.c_str()))
            return sName;
    }
    return RIR::String::format("insult_0_%s", pszSide);
}

void Customer::sayInsult()
{
    RIR_TRACE("Customer::sayInsult");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    if (m_nInsults == 0)
    {
        RIR::SmartPtr<Customer> pOpp = getOpponent();
        if (!(pOpp))
            RIR_THROW(AssertFailException, "Assertion failed : notNULL(pOpp)");
        if (pOpp->getState() == ST_CHALLENGED)
        {
            // The challenged customer stands up and waits for his turn.
            pOpp->clearQueuedStates();
            pOpp->setState(ST_FIGHT_STAND_UP);
            pOpp->queueState(ST_AWAIT_INSULT);
        }
    }
    const char* pszSide = m_pChair && m_pChair->isRight() ? "r" : "l";
    showBalloon(insultBalloonName(m_nInsults, pszSide).c_str(), INSULT_BALLOON_DY);
    writeInsult(pPlay->nextInsult().toLower().trim());
    ++m_nInsults;
    playAnimOnce("fight_", "");
    queueState(ST_HAND_OVER);
    m_fTimer = FIGHT_TIP_DELAY;
}

void Customer::writeInsult(const RIR::String& sText)
{
    RIR_TRACE("Customer::writeInsult");
    RIR::SmartPtr<Image> pPicture = m_pBalloon->getImage();
    if (!pPicture)
        return; // a balloon without a picture has nowhere to write
    RIR::SmartPtr<Font> pFont = loadInsultFont();
    if (!pFont)
        return;
    pFont->setColor(Color(0, 0, 0, 255));
    pFont->setShadow(false);
    RIR::SmartPtr<Image> pCopy = pPicture->clone(false);
    const Rect rect(TEXT_LEFT, TEXT_TOP, TEXT_RIGHT, TEXT_BOTTOM, true);
    pFont->drawText(pCopy, rect, sText.c_str());
    const Rect bold(TEXT_LEFT + 1, TEXT_TOP, TEXT_RIGHT + 1, TEXT_BOTTOM, true);
    pFont->drawText(pCopy, bold, sText.c_str());
    m_pBalloon->setImage(pCopy);
}

bool Customer::handOverTurn()
{
    RIR_TRACE("Customer::handOverTurn");
    RIR::SmartPtr<Customer> pOpp = getOpponent();
    if (!(pOpp))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(pOpp)");
    if (pOpp->getState() == ST_FIGHT_STAND_UP)
    {
        // He is still getting up: one more insult while he does.
        clearQueuedStates();
        setState(ST_INSULT);
        return false;
    }
    if (pOpp->getState() != ST_AWAIT_INSULT)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Opp state %d, exp WI or FSU", pOpp->getState()).c_str());
    if (m_nInsults == LAST_INSULT && !m_bFightStarter)
    {
        // Nobody stepped in: both leave the saloon together.
        if (!(m_pFighterExitCount.isNull()))
            RIR_THROW(AssertFailException, "Assertion failed : isNULL(m_pFighterExitCount)");
        m_pFighterExitCount = new Counter(2);
        clearQueuedStates();
        setState(ST_LEAVE_TABLE);
        IPlayMode::getPlayMode()->incStat(STAT_UNSTOPPED_FIGHT);
        pOpp->clearQueuedStates();
        pOpp->setState(ST_LEAVE_TABLE);
        if (!(pOpp->m_pFighterExitCount.isNull()))
            RIR_THROW(AssertFailException, "Assertion failed : isNULL(pOpp->m_pFighterExitCount)");
        pOpp->m_pFighterExitCount = m_pFighterExitCount;
        return true;
    }
    clearQueuedStates();
    setState(ST_AWAIT_INSULT);
    pOpp->clearQueuedStates();
    pOpp->setState(ST_INSULT);
    return true;
}

void Customer::onFighterGone()
{
    if (!m_pFighterExitCount)
        return;
    --m_pFighterExitCount->m_nValue;
    if (m_pFighterExitCount->m_nValue == 0)
    {
        const int nX = m_pLeftArmSprite ? m_pLeftArmSprite->getX() : (int)getX();
        IPlayMode::getPlayMode()->playSound(SOUND_FIGHTERS_GONE, nX);
    }
    m_pFighterExitCount.release();
}

void Customer::updateFightTip(float fDt)
{
    m_fTimer -= fDt;
    if (m_fTimer < 0.0f)
    {
        m_fTimer = TIP_SHOWN;
        showFightTip();
    }
}

void Customer::showFightTip()
{
    if (!m_pLeftArmSprite)
        return;
    int nX = 0;
    int nY = 0;
    m_pLeftArmSprite->getPos(&nX, &nY);
    const bool bRight = m_pChair && m_pChair->isRight();
    int nTipX = 0;
    int nDirection = 0;
    if (nX >= 400)
    {
        nTipX = nX - 30 - (bRight ? 90 : 0);
        nDirection = 0;
    }
    else
    {
        nTipX = nX + 30 + (bRight ? 0 : 90);
        nDirection = 1;
    }
    IPlayMode::getPlayMode()->showFeatureTip("Fight", nTipX, nY - 130, nDirection);
}

int Customer::getFightRounds(bool bBoth) const
{
    if (!isFighting())
        RIR_THROW(AssertFailException, "Assertion failed : isFighting()");
    if (!bBoth)
        return m_nInsults;
    RIR::SmartPtr<Customer> pOpp = getOpponent();
    if (!(pOpp))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(pOpp)");
    return pOpp->m_nInsults > m_nInsults ? pOpp->m_nInsults : m_nInsults;
}

void Customer::stopFight()
{
    RIR_TRACE("Customer::stopFight");
    if (m_bFightStopped)
        return;
    m_bFightStopped = true;
    m_bFightStarter = false;
    m_nAsks = 0;
    clearQueuedStates();
    setState(ST_SIT_DOWN);
    RIR::SmartPtr<Customer> pOpp = getOpponent();
    if (!(pOpp))
        RIR_THROW(AssertFailException, "Assertion failed : notNULL(pOpp)");
    pOpp->stopFight();
}
