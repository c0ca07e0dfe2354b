// PlayMode: cash, statistics, fade texts, flying images, mugs, insults and animated sprites.
#include "play/playmode.h"

#include "level/cashbag.h"
#include "level/diffmanager.h"
#include "level/fadealpha.h"
#include "level/insultrotation.h"
#include "world/chair.h"
#include "world/tablespot.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>
#include <cstdio>

namespace
{

const int CASH_BAG_X = 730;
const int CASH_BAG_Y = 440;
const int FLY_DEPTH = 10002;
const float FLY_SPEED = 1.5f;
const int FLY_ARC = 150; // the arc's control point lies this far above the start
const int SOUND_TILL = 15;

} // namespace

void PlayMode::addCash(int nAmount)
{
    m_nCash += nAmount;
    RIR_ASSERT(m_nCash >= 0);
    refreshCashBag();
}

void PlayMode::refreshCashBag()
{
    if (!m_pCashBag)
        return;
    const int nLevel = cashBagLevel(m_nCash, cashBagGoal(*m_pDifficultyManager));
    RIR::SmartPtr<Image> pBag = getImage(RIR::String::format("bolsa_%d", nLevel).c_str());
    pBag->setInsPointByAlign(0x24);
    m_pCashBag->setImage(pBag);
    m_pCashLabel->setText(RIR::String::format("$%d", m_nCash).c_str());
}

void PlayMode::getCashBagPos(int* pX, int* pY) const
{
    *pX = CASH_BAG_X;
    *pY = CASH_BAG_Y;
}

int PlayMode::incStat(int nIndex)
{
    RIR_ASSERT(nIndex >= 0 && nIndex < STAT_COUNT);
    ++m_anStats[nIndex];
    return nIndex;
}

int PlayMode::getStat(int nIndex) const
{
    RIR_ASSERT(nIndex >= 0 && nIndex < STAT_COUNT);
    return m_anStats[nIndex];
}

void PlayMode::setScoreTotal(int nTotal)
{
    RIR_TRACE("PlayMode::setScoreTotal");
    RIR::setTraceParams(RIR::String::format("%d ; %d", nTotal, m_nScoreTotal).c_str());
    RIR_ASSERT(nTotal >= 0);
    m_nScoreTotal = nTotal;
}

RIR::SmartPtr<FadeText> PlayMode::addFadeText(const char* pszImage, int nX, int nY, int nDepth,
                                              float fRiseSpeed, float fDuration)
{
    RIR_TRACE("PlayMode::addFadeText");
    RIR::SmartPtr<FadeText> pText = new FadeText;
    pText->sName = pszImage;
    pText->fY = (float)nY;
    pText->fDuration = fDuration;
    pText->fRiseSpeed = fRiseSpeed;
    pText->nX = nX;
    if (!getApp()->canLoadImage(pszImage))
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Image %s not found\n", pszImage).c_str());
    RIR::SmartPtr<Image> pImage = getImage(pszImage);
    pImage->setInsPointByAlign(0x24);
    pText->pSprite = new Sprite(pImage, nX, nY, nDepth);
    addSprite(pText->pSprite);
    m_lFadeTexts.append(pText);
    return pText;
}

void PlayMode::showFadeText(const RIR::SmartPtr<FadeText>& pText, float fAmplitude,
                            float fFrequency, float fPhase)
{
    RIR_ASSERT(pText);
    pText->bSway = true;
    pText->fSwayAmplitude = fAmplitude;
    pText->fSwayFrequency = fFrequency;
    pText->fSwayPhase = fPhase;
    stepFadeText(pText, 0.0f, true);
}

bool PlayMode::stepFadeText(const RIR::SmartPtr<FadeText>& pText, float fDt, bool bForce)
{
    FadeText& text = *pText;
    text.fElapsed += fDt;
    if (text.fElapsed >= text.fDuration)
        return false;
    int nX = text.nX;
    if (text.bSway)
        nX += (int)(std::sin(text.fSwayFrequency * text.fElapsed + text.fSwayPhase) *
                    text.fSwayAmplitude);
    text.fY -= text.fRiseSpeed * fDt;
    if (bForce || text.pSprite->getY() != (int)text.fY)
        text.pSprite->setPos(nX, (int)text.fY);

    const int nLevel = fadeAlphaLevel(text.fElapsed, text.fDuration);
    if (nLevel != text.nAlphaLevel)
    {
        GameApp* pApp = getApp();
        const RIR::String sName = RIR::String::format("%s_alpha%d", text.sName.c_str(), nLevel);
        RIR::SmartPtr<Image> pImage;
        if (pApp->canLoadImage(sName.c_str()))
            pImage = getImage(sName.c_str());
        else
        {
            // Made once from the base picture and kept in the cache under the faded name.
            pImage = getImage(text.sName.c_str())->clone(true);
            pImage->multiplyAlpha(nLevel);
            pApp->addImage(sName.c_str(), pImage);
        }
        text.pSprite->setImage(pImage);
        text.nAlphaLevel = nLevel;
    }
    return true;
}

void PlayMode::updateFadeTexts(float fDt)
{
    for (int n = 0; n < m_lFadeTexts.getLength();)
    {
        RIR::SmartPtr<FadeText> pText = m_lFadeTexts.get(n);
        if (stepFadeText(pText, fDt, false))
        {
            ++n;
            continue;
        }
        m_lFadeTexts.removeAt(n);
        removeObject(pText->pSprite);
    }
}

void PlayMode::flyImage(const char* pszImage, int nX, int nY, int nCash, int nTargetX, int nTargetY)
{
    RIR_TRACE("PlayMode::flyImage");
    if (nTargetX == -1 && nTargetY == -1)
        getCashBagPos(&nTargetX, &nTargetY);
    RIR::SmartPtr<Image> pImage;
    if (getApp()->canLoadImage(pszImage))
        pImage = getImage(pszImage);
    else
    {
        // A missing picture must not stop the money: a red box flies in its place.
        std::printf("WARNING : Image %s not found\n", pszImage);
        pImage = createImage(50, 25, false);
        pImage->fill(Color(255, 0, 0, 255));
        pImage->setInsPointByAlign(0x24);
        getApp()->addImage(pszImage, pImage);
    }
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, nX, nY, FLY_DEPTH);
    addSprite(pSprite);
    RIR::SmartPtr<FlyThing> pThing = new FlyThing(pSprite, FLY_SPEED);
    pThing->setCashValue(nCash);
    pThing->setPath(nX, nY, nTargetX, nTargetY, nY - FLY_ARC);
    m_lFlyThings.append(pThing);
}

void PlayMode::updateFlyThings(float fDt)
{
    for (int n = 0; n < m_lFlyThings.getLength(); ++n)
    {
        RIR::SmartPtr<FlyThing> pThing = m_lFlyThings.get(n);
        pThing->update(fDt);
        if (pThing->isDone() && pThing->getCashValue() != 0)
        {
            addCash(pThing->getCashValue());
            playSound(SOUND_TILL, pThing->getSprite()->getX());
        }
    }
    for (int n = 0; n < m_lFlyThings.getLength();)
    {
        RIR::SmartPtr<FlyThing> pThing = m_lFlyThings.get(n);
        if (!pThing->isDone())
        {
            ++n;
            continue;
        }
        removeObject(pThing->getSprite());
        m_lFlyThings.removeAt(n);
    }
}

void PlayMode::cashInFlyThings()
{
    for (int n = 0; n < m_lFlyThings.getLength(); ++n)
    {
        RIR::SmartPtr<FlyThing> pThing = m_lFlyThings.get(n);
        addCash(pThing->getCashValue());
        pThing->setCashValue(0);
    }
}

void PlayMode::showHandMug(int nHand, Mug* pMug)
{
    RIR_ASSERT(nHand == 0 || nHand == 1);
    RIR::SmartPtr<Sprite> pHand = m_pHandSprite[nHand];
    if (!pHand)
        return;
    if (pMug == nullptr)
    {
        pHand->setVisible(false);
        return;
    }
    const RIR::String sImage = pMug->getSprite()->getFrameProp("uiimage");
    pHand->setImage(getImage(sImage.c_str()));
    pHand->setVisible(true);
}

RIR::SmartPtr<Mug> PlayMode::createMug()
{
    // A full mug of "mug.anim" on this play screen.
    return IPlayMode::createMug();
}

void PlayMode::scareCustomers(Customer* pScarer)
{
    (void)pScarer;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        Customer* pCustomer = dynamic_cast<Customer*>(m_lCharacters.get(n).get());
        if (pCustomer != nullptr && pCustomer->canBeScared())
            pCustomer->requestLeave();
    }
}

bool PlayMode::shouldThrowEmptyMug()
{
    if (m_bTutorial)
        return true;
    int nEmpty = 0;
    const RIR::List<RIR::SmartPtr<Chair>>& lChairs = m_pScene->getChairs();
    for (int n = 0; n < lChairs.getLength(); ++n)
    {
        RIR::SmartPtr<TableSpot> pSpot = lChairs.get(n)->getTableSpot();
        // A table place without a mug has nothing to count (asking it for its mug is an error).
        if (!pSpot || !pSpot->hasMug())
            continue;
        if (pSpot->getMug()->isEmpty())
            ++nEmpty;
    }
    return m_pDifficultyManager->shouldThrowEmptyMug(nEmpty);
}

RIR::String PlayMode::nextInsult()
{
    return ::nextInsult(m_lInsults, m_Random);
}

void PlayMode::addStoppedFight(int nFightId)
{
    m_lStoppedFights.append(nFightId);
    incStat(4);
}

bool PlayMode::isFightStopped(int nFightId)
{
    return m_lStoppedFights.indexOf(nFightId) != -1;
}

void PlayMode::addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite)
{
    m_lAnimSprites.append(pSprite);
}

void PlayMode::updateAnimSprites(float fDt)
{
    for (int n = 0; n < m_lAnimSprites.getLength(); ++n)
        m_lAnimSprites.get(n)->update(fDt);
    updateTutorialPointer(fDt);
}
