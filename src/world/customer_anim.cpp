// Customer: the animation markers: sips, sitting and standing, the asking sound, the attached
// marker and the thrown bottle (customer.h).
#include "world/customer.h"

#include "world/headsitoffsets.h"
#include "world/iplaymode.h"

#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

const int SOUND_MUG_DOWN = 2;
const int SOUND_BOTTLE = 3;
const int SOUND_CHAIR = 5;
const int SOUND_ASK = 6;
const int TUTORIAL_BOTTLE_LANDED = 8;
const float BOTTLE_SPEED = 1.5f;

int intProp(const Animation* pAnim, const RIR::String& sSequence, int nFrame, const char* pszKey)
{
    return std::atoi(pAnim->getFrameProp(sSequence.c_str(), nFrame, pszKey).c_str());
}

} // namespace

bool Customer::advanced(const AnimSprite* pSprite)
{
    return pSprite && (pSprite->hasFrameChanged() || pSprite->isFinished());
}

void Customer::animate(float fDt)
{
    RIR_TRACE("Customer::animate");
    Character::animate(fDt);
    if (m_nState == ST_DRINK && m_pMug && advanced(m_pDrinkArmSprite))
        updateDrinkMarkers();
    updateSitStand();
    updateAttachedMarker();
    updateThrow(fDt);
    if (m_nState == ST_ASK)
        updateAskSound();
    if (m_nState == ST_INSULT)
        updateFightTip(fDt);
}

void Customer::updateDrinkMarkers()
{
    RIR_TRACE("Customer::updateDrinkMarkers");
    RIR::SmartPtr<Animation> pAnim = m_pDrinkArmSprite->getAnimation();
    const RIR::String sSequence = m_pDrinkArmSprite->getSequenceName();
    const RIR::SmartPtr<AnimSprite>& pMugSprite = m_pMug->getSprite();
    for (int nFrame = m_pDrinkArmSprite->getPreviousFrame() + 1;
         nFrame <= m_pDrinkArmSprite->getFrame(); ++nFrame)
    {
        if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "take") && pMugSprite->isVisible())
        {
            RIR_ASSERT(!getMug()->isEmpty());
            // A customer told to leave gulps the rest of the mug.
            m_pMug->setContents(m_bLeaveRequested ? 0 : m_pMug->getContents() - 1);
            pMugSprite->setVisible(false);
        }
        if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "leave") && !pMugSprite->isVisible())
        {
            pMugSprite->setVisible(true);
            m_pMug->showContents();
            IPlayMode::getPlayMode()->playSound(SOUND_MUG_DOWN, pMugSprite->getX());
        }
    }
}

void Customer::updateSitStand()
{
    if (!m_pChair || !m_pLegsSprite)
        return;
    const RIR::String& sSequence = m_pLegsSprite->getSequenceName();
    if (!std::strstr(sSequence.c_str(), "sitdown_") && !std::strstr(sSequence.c_str(), "standup_"))
        return;
    const int nFrame = m_pLegsSprite->getFrame();
    if (nFrame == m_nLastSitFrame)
        return;
    m_nLastSitFrame = nFrame;
    RIR::SmartPtr<Animation> pAnim = m_pLegsSprite->getAnimation();
    if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "chairpos"))
    {
        const float fPull =
            (float)std::atof(pAnim->getFrameProp(sSequence.c_str(), nFrame, "chairpos").c_str());
        if (fPull != m_pChair->getPullOut())
            m_pChair->setPullOut(fPull);
    }
    if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "playsound") && !m_bSitSoundPlayed)
    {
        m_bSitSoundPlayed = true;
        IPlayMode::getPlayMode()->playSound(SOUND_CHAIR, (int)getX());
    }
    int nIndex = nFrame;
    if (m_nState == ST_STAND_UP || m_nState == ST_FIGHT_STAND_UP)
        nIndex = HeadSitOffsets::COUNT - 1 - nFrame;
    else if (m_nState != ST_SIT_DOWN && m_nState != ST_LEAVE_DELAY)
        std::printf("-----> Sit/stand animation in state %d\n", m_nState);
    // The lookup clamps the index: a longer animation never reads outside the table.
    int nDX = 0;
    int nDY = 0;
    HeadSitOffsets::get(nIndex, &nDX, &nDY);
    const int nSign = m_pChair->isRight() ? -1 : 1;
    const RIR::List<RIR::SmartPtr<AnimSprite>>& lHeads = getPartSprites(PART_HEAD);
    for (int n = 0; n < lHeads.getLength(); ++n)
        lHeads.get(n)->setPos(m_pLegsSprite->getX() + nDX * nSign, m_pLegsSprite->getY() + nDY);
}

void Customer::updateAttachedMarker()
{
    RIR::SmartPtr<AnimSprite> pMark = getAttachSprite();
    if (!pMark || !m_pLegsSprite || !pMark->hasFrameChanged() || !pMark->hasFrameProp("ydelta"))
        return;
    pMark->setPos(m_pLegsSprite->getX(),
                  m_pLegsSprite->getY() + std::atoi(pMark->getFrameProp("ydelta").c_str()));
}

void Customer::updateAskSound()
{
    if (!advanced(m_pOtherArmSprite))
        return;
    RIR::SmartPtr<Animation> pAnim = m_pOtherArmSprite->getAnimation();
    const RIR::String sSequence = m_pOtherArmSprite->getSequenceName();
    for (int nFrame = m_pOtherArmSprite->getPreviousFrame() + 1;
         nFrame <= m_pOtherArmSprite->getFrame(); ++nFrame)
        if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "sound"))
            IPlayMode::getPlayMode()->playSound(SOUND_ASK, m_pOtherArmSprite->getX());
}

void Customer::updateThrow(float fDt)
{
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    if (m_pThrowMug)
    {
        m_pThrowMug->update(fDt);
        AnimSprite* pBottle = static_cast<AnimSprite*>(m_pThrowMug->getSprite().get());
        if (m_pThrowMug->getCashValue() == 0 && advanced(pBottle))
        {
            RIR::SmartPtr<Animation> pAnim = pBottle->getAnimation();
            const RIR::String sSequence = pBottle->getSequenceName();
            for (int nFrame = pBottle->getPreviousFrame() + 1; nFrame <= pBottle->getFrame();
                 ++nFrame)
            {
                if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "playsound"))
                {
                    pPlay->playSound(SOUND_BOTTLE, pBottle->getX());
                    m_pThrowMug->setCashValue(1); // the sound has been played
                    break;
                }
            }
        }
        if (m_pThrowMug->isDone())
        {
            const bool bRight = std::strstr(pBottle->getSequenceName().c_str(), "_r") != nullptr;
            pBottle->play(bRight ? "fade_r" : "fade_l", 0, -1);
            m_lFadingBottles.append(RIR::SmartPtr<AnimSprite>(pBottle));
            m_pThrowMug.release();
            pPlay->tutorialEvent(TUTORIAL_BOTTLE_LANDED);
        }
    }

    if (m_nState == ST_THROW && m_pMug && !m_pThrowMug && advanced(m_pDrinkArmSprite))
    {
        m_bThrowing = true;
        RIR::SmartPtr<Animation> pAnim = m_pDrinkArmSprite->getAnimation();
        const RIR::String sSequence = m_pDrinkArmSprite->getSequenceName();
        const int nAX = m_pDrinkArmSprite->getX();
        const int nAY = m_pDrinkArmSprite->getY();
        for (int nFrame = m_pDrinkArmSprite->getPreviousFrame() + 1;
             nFrame <= m_pDrinkArmSprite->getFrame(); ++nFrame)
        {
            if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "doaction") && m_pMug)
            {
                if (m_pThrowMug)
                    RIR_THROW(AssertFailException, "Assertion failed : isNULL(m_pThrowMug)");
                RIR::SmartPtr<Mug> pMug = takeMug();
                pMug->getSprite()->setVisible(false);
                const bool bRight = m_pChair && m_pChair->isRight();
                RIR::SmartPtr<AnimSprite> pBottle =
                    new AnimSprite(loadAnimation("botella_trash.anim"), nAX, nAY, getDepth() + 10);
                pBottle->play(bRight ? "throw_r" : "throw_l", 0, -1);
                GameMode* pScreen = pPlay->getPlayScreen();
                if (pScreen)
                    pScreen->addSprite(pBottle);
                m_pThrowMug = new FlyThing(pBottle, BOTTLE_SPEED);
                m_pThrowMug->setCashValue(0);
                m_pThrowMug->setPath(nAX + intProp(pAnim.get(), sSequence, nFrame, "mugx"),
                                     nAY + intProp(pAnim.get(), sSequence, nFrame, "mugy"),
                                     nAX + intProp(pAnim.get(), sSequence, nFrame, "landx"),
                                     nAY + intProp(pAnim.get(), sSequence, nFrame, "landy"),
                                     nAY + intProp(pAnim.get(), sSequence, nFrame, "miny"));
            }
            if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "take") && m_pMug &&
                m_pMug->getSprite()->isVisible())
                m_pMug->getSprite()->setVisible(false);
        }
        m_bThrowing = false;
    }

    for (int n = m_lFadingBottles.getLength() - 1; n >= 0; --n)
    {
        RIR::SmartPtr<AnimSprite> pBottle = m_lFadingBottles.get(n);
        pBottle->update(fDt);
        if (!pBottle->isPlaying())
        {
            if (pBottle->getMode())
                pBottle->getMode()->removeObject(pBottle);
            m_lFadingBottles.removeAt(n);
        }
    }
}
