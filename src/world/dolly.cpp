// Dolly: level start, dressing, her hands, the arrow keys and the animation markers. Starting and
// finishing actions is in dolly_action.cpp, the telekinesis flights in dolly_flight.cpp.
#include "world/dolly.h"

#include "world/dollyoutfit.h"
#include "world/iplaymode.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

Dolly::Dolly()
    : m_abArrows(), m_bDoingAction(false), m_pFlyMug(), m_eActionDir(0), m_eQueuedHand(0),
      m_bTKToHand(false), m_pActionSprite(nullptr), m_pHandSprite(), m_bTelekinesis(false),
      m_nActionParts(0)
{
}

Dolly::~Dolly()
{
    for (int h = 0; h < HAND_COUNT; ++h)
        delete m_pFlyMug[h];
}

void Dolly::startLevel(int nOutfit)
{
    RIR_TRACE("Dolly::startLevel");
    setState(ST_STAND);
    start();
    setBodyOffsets(16, 23, 8);
    setShadowOffsets(10, 13, 5);
    dressUp(nOutfit);
    setPartVariant(PART_RIGHT_ARM, "", "");
    setPartVariant(PART_LEFT_ARM, "", "");
    for (int h = 0; h < HAND_COUNT; ++h)
        m_pHandSprite[h] = getPartSprite(h).get();
    for (int n = 0; n < 4; ++n)
        m_abArrows[n] = false;
    m_bTelekinesis = false;
}

void Dolly::dressUp(int nOutfit)
{
    RIR_TRACE("Dolly::dressUp");
    const RIR::List<DollyLayer> lLayers =
        getDollyOutfitLayers(nOutfit, IPlayMode::getPlayMode()->isLowResourcesMode());
    for (int n = 0; n < lLayers.getLength(); ++n)
    {
        const DollyLayer& layer = lLayers.get(n);
        if (layer.sCacheKey.length() == 0)
            addPartAnim(layer.nPart, layer.sFile.c_str());
        else
            addPartAnimParts(layer.nPart, layer.sFile.c_str(), layer.sCacheKey.c_str(),
                             layer.lParams);
    }
}

void Dolly::setHeldArrows(bool bUp, bool bDown, bool bLeft, bool bRight)
{
    m_abArrows[0] = bUp;
    m_abArrows[1] = bDown;
    m_abArrows[2] = bLeft;
    m_abArrows[3] = bRight;
}

bool Dolly::isHandEmpty(int nHand) const
{
    RIR_ASSERT(nHand >= 0 && nHand < HAND_COUNT);
    return m_pHandMug[nHand].isNull();
}

RIR::SmartPtr<Mug> Dolly::getHandMug(int nHand) const
{
    RIR_ASSERT(nHand >= 0 && nHand < HAND_COUNT);
    return m_pHandMug[nHand];
}

void Dolly::putMugInHand(int nHand, const RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("Dolly::putMugInHand");
    RIR_ASSERT(nHand >= 0 && nHand < HAND_COUNT);
    RIR_ASSERT(pMug);
    m_pHandMug[nHand] = pMug;
    pMug->getSprite()->setVisible(false);
    // The arm shows the mug in the movement under way, then carries it in the ones that follow.
    const RIR::String sSuffix = pMug->getSpriteProp("suffix");
    setPartVariant(nHand, "", sSuffix.c_str());
    refreshPartAnim(nHand);
    setPartVariant(nHand, "_carry", sSuffix.c_str());
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    pPlay->showHandMug(nHand, pMug.get());
    pPlay->tutorialEvent(TUTORIAL_MUG_IN_HAND);
}

RIR::SmartPtr<Mug> Dolly::removeHandMug(int nHand)
{
    RIR_TRACE("Dolly::removeHandMug");
    RIR_ASSERT(nHand >= 0 && nHand < HAND_COUNT);
    RIR::SmartPtr<Mug> pMug = m_pHandMug[nHand];
    if (pMug)
        pMug->getSprite()->setVisible(true);
    m_pHandMug[nHand].release();
    setPartVariant(nHand, "", "");
    IPlayMode::getPlayMode()->showHandMug(nHand, nullptr);
    return pMug;
}

const FlyMug* Dolly::getFlyMug(int nHand) const
{
    RIR_ASSERT(nHand >= 0 && nHand < HAND_COUNT);
    return m_pFlyMug[nHand];
}

void Dolly::detach()
{
    RIR_TRACE("Dolly::detach");
    // The scene is going: nothing she holds may keep a spot of it alive.
    m_pQueuedSpot.release();
    m_pTKMug.release();
    for (int h = 0; h < HAND_COUNT; ++h)
    {
        delete m_pFlyMug[h];
        m_pFlyMug[h] = nullptr;
    }
    m_bDoingAction = false;
    m_nActionParts = 0;
    Character::detach();
}

bool Dolly::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    if (Character::getAnimNames(sPrefix, sSuffix))
        return true;
    if (m_nState == ST_FREE_STEP)
    {
        // The arrow keys move her with the walk cycle, as a walk does.
        sPrefix = "walk_";
        sSuffix = m_bStepToggle ? "_2s" : "_1s";
        m_bStepToggle = !m_bStepToggle;
        return true;
    }
    if (m_nState == ST_STAND)
    {
        sPrefix = "stand_";
        sSuffix = "";
        return true;
    }
    return false;
}

void Dolly::setState(int nState)
{
    Character::setState(nState);
}

void Dolly::nextState()
{
    RIR_TRACE("Dolly::nextState");
    if (hasNoQueuedState())
        queueState(ST_STAND);
    Character::nextState();
}

bool Dolly::stepByArrows(float fDt)
{
    RIR_TRACE("Dolly::stepByArrows");
    const bool bUp = m_abArrows[0];
    const bool bDown = m_abArrows[1];
    const bool bLeft = m_abArrows[2];
    const bool bRight = m_abArrows[3];
    if (!bUp && !bDown && !bLeft && !bRight)
    {
        // The keys let go: she stands.
        if (m_nState == ST_FREE_STEP)
            setState(ST_STAND);
        return false;
    }
    // A walk to a spot gives way to the keys; the action itself finishes first, so the keys
    // never leave an action half done (and her busy for ever).
    if (m_bDoingAction && !cancelWalk())
        return false;
    const int nHorizontal = bRight ? DIR_RIGHT : bLeft ? DIR_LEFT : DIR_NONE;
    const int nVertical = bDown ? DIR_DOWN : bUp ? DIR_UP : DIR_NONE;
    const bool bMoved = nHorizontal != DIR_NONE ? moveStraight(nHorizontal, nVertical, fDt)
                                                : moveStraight(nVertical, DIR_NONE, fDt);
    if (!bMoved)
    {
        if (m_nState != ST_STAND)
            setState(ST_STAND);
    }
    else if (m_nState != ST_FREE_STEP)
        setState(ST_FREE_STEP);
    if (isAnimDone())
        startAnim();
    return true;
}

void Dolly::updateState(float fDt)
{
    RIR_TRACE("Dolly::updateState");
    if (!stepByArrows(fDt))
    {
        if (m_nState == ST_GO_TO_ACTION)
        {
            if (!arriveAtAction())
                return;
        }
        else
        {
            Character::updateState(fDt);
        }
    }
    updateFlyMugs(fDt);
}

bool Dolly::startActionAnim(int nPart, const RIR::String& sPrefix, const RIR::String& sSuffix)
{
    if (!setPartAnim(nPart, sPrefix, sSuffix))
        return false;
    m_nActionParts |= 1 << nPart;
    m_asActionPrefix[nPart] = sPrefix;
    return true;
}

bool Dolly::isActionAnimPlaying() const
{
    for (int nPart = 0; nPart < PART_COUNT; ++nPart)
    {
        if (!(m_nActionParts & (1 << nPart)))
            continue;
        // Still the action's sequence: a part made to play something else has ended it.
        const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites = getPartSprites(nPart);
        for (int n = 0; n < lSprites.getLength(); ++n)
        {
            const RIR::SmartPtr<AnimSprite>& pSprite = lSprites.get(n);
            const RIR::String& sName = pSprite->getSequenceName();
            if (pSprite->isPlaying() && sName.find(m_asActionPrefix[nPart].c_str()) == 0)
                return true;
        }
    }
    return false;
}

void Dolly::animate(float fDt)
{
    RIR_TRACE("Dolly::animate");
    Character::animate(fDt);
    if (m_pQueuedSpot && m_pActionSprite &&
        (m_pActionSprite->hasFrameChanged() || m_pActionSprite->isFinished()))
        onAnimEvent(m_pActionSprite);
    if (m_nActionParts != 0 && !isActionAnimPlaying())
    {
        // The action animation is over. Without a "doaction" marker the action happens now, so
        // that she is never left busy; the other arm and the legs play on no longer either.
        m_nActionParts = 0;
        if (m_pQueuedSpot)
            performAction();
        if (m_nActivity == ACT_TO_END)
            nextState();
    }
    for (int h = 0; h < HAND_COUNT; ++h)
    {
        AnimSprite* pArm = m_pHandSprite[h];
        if (!pArm || pArm->isPlaying())
            continue;
        const RIR::String& sName = pArm->getSequenceName();
        if (sName.find("take") >= 0 || sName.find("leave") >= 0)
            setPartAnim(h, "stand_", "");
    }
}

void Dolly::onAnimEvent(AnimSprite* pSprite)
{
    RIR_TRACE("Dolly::onAnimEvent");
    const int nFirst = pSprite->getPreviousFrame() + 1;
    const int nLast = pSprite->getFrame();
    RIR::SmartPtr<Animation> pAnim = pSprite->getAnimation();
    const RIR::String sSequence = pSprite->getSequenceName();
    for (int nFrame = nFirst; nFrame <= nLast; ++nFrame)
    {
        if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "actionsound") && m_pQueuedSpot &&
            !m_pTKMug)
        {
            int nX = 0;
            int nY = 0;
            if (m_pHandSprite[0])
                m_pHandSprite[0]->getPos(&nX, &nY);
            IPlayMode::getPlayMode()->playSound(
                m_pQueuedSpot->getActionSound(this, m_eQueuedHand), nX);
        }
        if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "doaction") && m_pQueuedSpot)
            performAction();
    }
}
