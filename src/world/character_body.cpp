// Character: the body. Layered part sprites, the naming of their sequences, depths, facing and
// placement at the walker's position.
#include "world/character.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

namespace
{

// Direction codes per part group and facing (right, left, up, down).
const char* const RIGHT_ARM_CODES[4] = {"r_r", "r_l", "r_u", "r_d"};
const char* const LEFT_ARM_CODES[4] = {"l_r", "l_l", "l_u", "l_d"};
const char* const BODY_CODES[4] = {"r", "l", "u", "d"};

// Heading vectors of the four facings.
const int FACING_DX[4] = {1, -1, 0, 0};
const int FACING_DY[4] = {0, 0, -1, 1};

} // namespace

const char* Character::getDirectionCode(int nPart, int nDir)
{
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT && nDir >= 0 && nDir < 4);
    if (nPart == PART_RIGHT_ARM)
        return RIGHT_ARM_CODES[nDir];
    if (nPart == PART_LEFT_ARM)
        return LEFT_ARM_CODES[nDir];
    return BODY_CODES[nDir];
}

void Character::addPartAnim(int nPart, const char* pszAnimFile)
{
    RIR_TRACE("Character::addPartAnim");
    RIR_ASSERT(GameApp::getInstance() != NULL);
    addPartAnimation(nPart, GameApp::getInstance()->getAnimationByName(pszAnimFile));
}

void Character::addPartAnimParts(int nPart, const char* pszAnimFile, const char* pszCacheKey,
                                 const RIR::List<RIR::String>& lParts)
{
    RIR_TRACE("Character::addPartAnimParts");
    RIR_ASSERT(GameApp::getInstance() != NULL);
    addPartAnimation(nPart, GameApp::getInstance()->getAnimation(pszAnimFile, pszCacheKey, lParts));
}

RIR::SmartPtr<AnimSprite> Character::addPartAnimation(int nPart, const RIR::SmartPtr<Animation>& pAnim)
{
    RIR_TRACE("Character::addPartAnimation");
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pAnim, 0, 0, getDepth());
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(pSprite);
    m_lPartSprites[nPart].append(pSprite);
    m_lSprites.append(pSprite);
    if (nPart == PART_RIGHT_ARM || nPart == PART_LEFT_ARM || nPart == PART_LEGS)
        m_lEndSprites.append(pSprite);
    return pSprite;
}

const RIR::List<RIR::SmartPtr<AnimSprite>>& Character::getPartSprites(int nPart) const
{
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    return m_lPartSprites[nPart];
}

RIR::SmartPtr<AnimSprite> Character::getPartSprite(int nPart) const
{
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    return m_lPartSprites[nPart].isEmpty() ? RIR::SmartPtr<AnimSprite>()
                                           : m_lPartSprites[nPart].get(0);
}

bool Character::isAnimDone() const
{
    for (int n = 0; n < m_lEndSprites.getLength(); ++n)
        if (m_lEndSprites.get(n)->isPlaying())
            return false;
    return true;
}

bool Character::getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix)
{
    if (m_nActivity == ACT_TIMED || m_nActivity == ACT_TO_END)
    {
        sPrefix = m_sAnimPrefix;
        sSuffix = m_sAnimSuffix;
        return true;
    }
    if (m_nState == ST_WALKING)
    {
        sPrefix = "walk_";
        sSuffix = m_bStepToggle ? "_2s" : "_1s";
        m_bStepToggle = !m_bStepToggle;
        return true;
    }
    return false;
}

void Character::startAnim()
{
    RIR_TRACE("Character::startAnim");
    RIR::String sPrefix;
    RIR::String sSuffix;
    getAnimNames(sPrefix, sSuffix);
    if (sPrefix.length() == 0 && sSuffix.length() == 0)
        return;
    for (int nPart = 0; nPart < PART_COUNT; ++nPart)
        setPartAnim(nPart, sPrefix, sSuffix);
    updateDepths();
}

bool Character::setPartAnim(int nPart, const RIR::String& sPrefix, const RIR::String& sSuffix)
{
    RIR_TRACE("Character::setPartAnim");
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    m_sPartPrefix[nPart] = sPrefix;
    m_sPartSuffix[nPart] = sSuffix;
    const RIR::String sBase = sPrefix + getDirectionCode(nPart, m_nDir) + sSuffix;
    const RIR::String sWithVariant = sBase + m_sPartVariant[nPart];
    const RIR::String sFull = sWithVariant + m_sPartVariant2[nPart];
    bool bPlays = false;
    RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites = m_lPartSprites[nPart];
    for (int n = 0; n < lSprites.getLength(); ++n)
    {
        const RIR::SmartPtr<AnimSprite>& pSprite = lSprites.get(n);
        pSprite->play(sFull.c_str(), 0.0f, -1);
        if (!pSprite->isPlaying())
            pSprite->play(sWithVariant.c_str(), 0.0f, -1);
        if (!pSprite->isPlaying())
            pSprite->play(sBase.c_str(), 0.0f, -1);
        if (!pSprite->isPlaying())
            continue;
        bPlays = true;
        const RIR::String sName = pSprite->getSequenceName();
        if (sName.find("walk") == 0)
        {
            const float fSpeed =
                pSprite->getAnimation()->getSequenceSpeed(sName.c_str()) * m_fWalkAnimScale;
            pSprite->play(sName.c_str(), fSpeed, -1);
        }
    }
    setSpriteDepths(lSprites);
    return bPlays;
}

void Character::setPartVariant(int nPart, const char* pszVariant, const char* pszVariant2)
{
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    m_sPartVariant[nPart] = pszVariant;
    m_sPartVariant2[nPart] = pszVariant2;
}

void Character::refreshPartAnim(int nPart)
{
    RIR_TRACE("Character::refreshPartAnim");
    RIR_ASSERT(nPart >= 0 && nPart < PART_COUNT);
    RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites = m_lPartSprites[nPart];
    RIR::List<int> lFrames;
    RIR::List<float> lTimes;
    for (int n = 0; n < lSprites.getLength(); ++n)
    {
        lFrames.append(lSprites.get(n)->getFrame());
        lTimes.append(lSprites.get(n)->getFrameTimeLeft());
    }
    const RIR::String sPrefix = m_sPartPrefix[nPart];
    const RIR::String sSuffix = m_sPartSuffix[nPart];
    setPartAnim(nPart, sPrefix, sSuffix);
    for (int n = 0; n < lSprites.getLength(); ++n)
        lSprites.get(n)->setFrame(lFrames.get(n), lTimes.get(n));
}

void Character::setBodyOffsets(int nUp, int nDown, int nSide)
{
    m_aBodyDy[0] = nSide;
    m_aBodyDy[1] = nSide;
    m_aBodyDy[2] = nUp;
    m_aBodyDy[3] = nDown;
}

void Character::setShadowOffsets(int nUp, int nDown, int nSide)
{
    m_aShadowDy[0] = nSide;
    m_aShadowDy[1] = nSide;
    m_aShadowDy[2] = nUp;
    m_aShadowDy[3] = nDown;
}

void Character::setSpriteDx(int nDx)
{
    m_nSpriteDx = nDx;
    syncSprites(true);
}

int Character::getDepth()
{
    int nI = 0;
    int nJ = 0;
    m_pScene->pixelToSquare((int)m_fX, (int)m_fY, &nI, &nJ);
    return m_pScene->getRowDepth(nI, nJ) + 50;
}

void Character::setSpriteDepths(const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites)
{
    RIR_TRACE("Character::setSpriteDepths");
    const int nDepth = getDepth();
    for (int n = 0; n < lSprites.getLength(); ++n)
    {
        const RIR::SmartPtr<AnimSprite>& pSprite = lSprites.get(n);
        if (pSprite->hasFrameProp("zdelta"))
            pSprite->setZOrder(nDepth + std::atoi(pSprite->getFrameProp("zdelta").c_str()));
        else if (pSprite->hasFrameProp("isshadow"))
            pSprite->setZOrder(m_pScene->getShadowDepth() + 1);
        else
            pSprite->setZOrder(nDepth);
    }
    if (m_pAttachSprite)
        m_pAttachSprite->setZOrder(nDepth + 10);
}

void Character::updateFacing()
{
    int nDX = 0;
    int nDY = 0;
    getHeading(&nDX, &nDY);
    if (nDX == 0 && nDY == 0)
        return;
    if (nDX > 0)
        m_nDir = 0;
    else if (nDX < 0)
        m_nDir = 1;
    m_nVDir = nDY > 0 ? 3 : nDY < 0 ? 2 : 4;
    if (nDX == 0 && m_nVDir != 4)
    {
        m_nDir = m_nVDir;
        m_nVDir = 4;
    }
}

void Character::setDirection(int nDir)
{
    RIR_TRACE("Character::setDirection");
    RIR_ASSERT(nDir >= 0 && nDir < 4);
    m_nDir = nDir;
    setHeading(FACING_DX[nDir], FACING_DY[nDir]);
    updateDepths();
    startAnim();
    syncSprites(true);
}

void Character::syncSprites(bool bForce)
{
    RIR_TRACE("Character::syncSprites");
    const int nOldDir = m_nDir;
    updateFacing();
    int nX = 0;
    int nY = 0;
    getPos(&nX, &nY);
    bool bPlace = bForce;
    if (bForce)
    {
        startAnim();
        updateDepths();
    }
    else
    {
        const bool bMoved = nX != m_nLastX || nY != m_nLastY;
        bool bChanged = false;
        RIR::SmartPtr<AnimSprite> pTorso = getPartSprite(PART_TORSO);
        const int nDepth = getDepth();
        if (pTorso && pTorso->getZOrder() != nDepth)
        {
            pTorso->setZOrder(nDepth);
            bChanged = true;
        }
        if (m_nDir != nOldDir)
        {
            startAnim();
            bChanged = true;
        }
        if (bChanged)
            updateDepths();
        bPlace = bChanged || bMoved;
    }
    if (bPlace)
    {
        for (int n = 0; n < m_lSprites.getLength(); ++n)
        {
            const RIR::SmartPtr<AnimSprite>& pSprite = m_lSprites.get(n);
            const int nShadow = pSprite->hasFrameProp("isshadow") ? m_aShadowDy[m_nDir] : 0;
            pSprite->setPos(nX + m_nSpriteDx, nY + m_aBodyDy[m_nDir] + nShadow);
        }
        if (m_pAttachSprite)
            m_pAttachSprite->setPos(nX + m_nSpriteDx, nY);
    }
    m_nLastX = nX;
    m_nLastY = nY;
}

void Character::animate(float fDt)
{
    RIR_TRACE("Character::animate");
    syncSprites(false);
    for (int n = 0; n < m_lSprites.getLength(); ++n)
        m_lSprites.get(n)->update(fDt);
    if (m_pAttachSprite)
        m_pAttachSprite->update(fDt);
}

bool Character::containsPoint(int nX, int nY)
{
    for (int n = 0; n < m_lSprites.getLength(); ++n)
        if (m_lSprites.get(n)->containsPoint(nX, nY))
            return true;
    return false;
}
