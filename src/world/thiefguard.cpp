// ThiefGuard (thiefguard.h).
#include "world/thiefguard.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const float BANG_TIME = 0.075f;
const float ZZZ_PERIOD = 1.0f;
const int SOUND_MISS = 7;
const int MISS_X = 750;
// The shot hits this far above the thief's feet.
const int HIT_DY = 100;

} // namespace

ThiefGuard::ThiefGuard(const char* pszKind)
    : m_fBangTime(0.0f), m_nShotSound(SOUND_MISS), m_sKind(pszKind ? pszKind : ""),
      m_eState(ST_IDLE), m_bShotDone(true), m_bSoundDone(true), m_nZzzX(0), m_nZzzY(0),
      m_nZzzDepth(0), m_fZzzTime(0.0f), m_fAwakeTime(0.0f), m_nBangX(0), m_nBangY(0)
{
    RIR_TRACE("ThiefGuard::ThiefGuard");
    Scene* pScene = Scene::getScene();
    RIR_ASSERT(pScene != NULL);
    const int nDepth = pScene->getRowDepth(SQUARE_I, SQUARE_J);
    GameApp* pApp = GameApp::getInstance();
    if (m_sKind == "mariachi")
    {
        RIR::SmartPtr<Animation> pAnim = pApp->getAnimationByName("mariachi.anim");
        addLayer(pAnim, "torso_", 50, 575, nDepth);
        addLayer(pAnim, "canana_", 50, 575, nDepth + 1);
        addLayer(pAnim, "lh_", 50, 575, nDepth + 1);
        addLayer(pAnim, "rh_", 50, 575, nDepth + 2);
        addLayer(pAnim, "ra_", 50, 575, nDepth + 3);
        m_nZzzX = 50;
        m_nZzzY = 425;
        m_nBangX = 96;
        m_nBangY = 452;
        m_nShotSound = 7;
    }
    else if (m_sKind == "dog")
    {
        addLayer(pApp->getAnimationByName("dog.anim"), "", 55, 575, nDepth);
        m_pGunSprite = new Sprite(pApp->getImage("perro_gun"), 35, 455, nDepth - 1);
        GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
        if (pScreen)
            pScreen->addSprite(m_pGunSprite);
        m_nZzzX = 155;
        m_nZzzY = 525;
        m_nBangX = 200;
        m_nBangY = 458;
        m_nShotSound = 8;
    }
    else
    {
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Unknown thief guard '%s'", m_sKind.c_str()).c_str());
    }
    m_nZzzDepth = nDepth + 10;
    // Walkers go round him: blocking also takes the square out of the paths.
    pScene->blockSquare(SQUARE_I, SQUARE_J);
    setState(ST_IDLE, "idle");
    m_fAwakeTime = IPlayMode::getPlayMode()->getGuardAwakeTime();
}

ThiefGuard::~ThiefGuard()
{
    for (int n = 0; n < m_lLayers.getLength(); ++n)
    {
        const RIR::SmartPtr<AnimSprite>& pLayer = m_lLayers.get(n);
        if (pLayer->getMode())
            pLayer->getMode()->removeObject(pLayer);
    }
    if (m_pGunSprite && m_pGunSprite->getMode())
        m_pGunSprite->getMode()->removeObject(m_pGunSprite);
    if (m_pBangSprite && m_pBangSprite->getMode())
        m_pBangSprite->getMode()->removeObject(m_pBangSprite);
}

void ThiefGuard::addLayer(const RIR::SmartPtr<Animation>& pAnim, const char* pszPrefix, int nX,
                          int nY, int nDepth)
{
    RIR::SmartPtr<AnimSprite> pLayer = new AnimSprite(pAnim, nX, nY, nDepth);
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(pLayer);
    m_lLayers.append(pLayer);
    m_lPrefixes.append(pszPrefix);
}

void ThiefGuard::play(const char* pszName)
{
    for (int n = 0; n < m_lLayers.getLength(); ++n)
        m_lLayers.get(n)->play((m_lPrefixes.get(n) + pszName).c_str(), 0, -1);
}

void ThiefGuard::setState(int nState, const char* pszAnim)
{
    m_eState = nState;
    play(pszAnim);
}

void ThiefGuard::update(float fDt)
{
    RIR_TRACE("ThiefGuard::update");
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    if (m_pBangSprite)
    {
        m_fBangTime -= fDt;
        if (m_fBangTime < 0.0f)
            removeFlash();
    }
    if (m_eState == ST_IDLE)
    {
        m_fAwakeTime -= fDt;
        if (m_fAwakeTime < 0.0f)
            setState(ST_FALL_ASLEEP, "sleep");
    }
    else if (m_eState == ST_ASLEEP)
    {
        m_fZzzTime -= fDt;
        if (m_fZzzTime < 0.0f)
        {
            RIR::SmartPtr<FadeText> pText =
                pPlay->addFadeText("zzz", m_nZzzX, m_nZzzY, m_nZzzDepth, 40.0f, 4.0f);
            pPlay->showFadeText(pText, 30.0f, 1.5f, 0.0f);
            m_fZzzTime = ZZZ_PERIOD;
        }
    }
    bool bPlaying = false;
    for (int n = 0; n < m_lLayers.getLength(); ++n)
    {
        AnimSprite* pLayer = m_lLayers.get(n).get();
        pLayer->update(fDt);
        if (pLayer->hasFrameChanged())
            readMarkers(pLayer);
        if (pLayer->isPlaying())
            bPlaying = true;
    }
    if (bPlaying)
        return;
    switch (m_eState)
    {
    case ST_RAISE:
    case ST_FIRE:
        // He keeps firing until the target is taken away.
        setState(ST_FIRE, "fire");
        m_bShotDone = false;
        m_bSoundDone = false;
        break;
    case ST_LOWER:
        setState(ST_END_FIRE, "end");
        break;
    case ST_FALL_ASLEEP:
        setState(ST_ASLEEP, "sleeping");
        m_fZzzTime = ZZZ_PERIOD;
        break;
    case ST_WAKE_UP:
    case ST_END_FIRE:
        setState(ST_IDLE, "idle");
        m_fAwakeTime = pPlay->getGuardAwakeTime();
        break;
    default:
        break;
    }
}

void ThiefGuard::readMarkers(AnimSprite* pLayer)
{
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    RIR::SmartPtr<Animation> pAnim = pLayer->getAnimation();
    const RIR::String sSequence = pLayer->getSequenceName();
    for (int nFrame = pLayer->getPreviousFrame() + 1; nFrame <= pLayer->getFrame(); ++nFrame)
    {
        const bool bFiring = m_eState == ST_FIRE || m_eState == ST_LOWER;
        if (bFiring && !(m_bShotDone && m_bSoundDone))
        {
            if (!m_bSoundDone && pAnim->hasFrameProp(sSequence.c_str(), nFrame, "playsound"))
            {
                pPlay->playSound(m_nShotSound, -1000);
                m_bSoundDone = true;
                if (m_pTarget)
                    m_pTarget->setShotSound(-1);
            }
            if (pAnim->hasFrameProp(sSequence.c_str(), nFrame, "bang"))
                showFlash();
            if (!m_bShotDone && pAnim->hasFrameProp(sSequence.c_str(), nFrame, "doaction"))
            {
                m_bShotDone = true;
                m_bSoundDone = true;
                if (m_pTarget)
                {
                    // Hold the thief: the hit may send him out and have the guard let go.
                    RIR::SmartPtr<Thief> pTarget = m_pTarget;
                    pTarget->onClick((int)pTarget->getX(), (int)pTarget->getY() - HIT_DY);
                }
                else
                {
                    pPlay->playSound(SOUND_MISS, MISS_X);
                }
            }
        }
        if (m_pGunSprite && pAnim->hasFrameProp(sSequence.c_str(), nFrame, "showweapon"))
            m_pGunSprite->setVisible(true);
        if (m_pGunSprite && pAnim->hasFrameProp(sSequence.c_str(), nFrame, "hideweapon"))
            m_pGunSprite->setVisible(false);
    }
}

void ThiefGuard::showFlash()
{
    removeFlash();
    m_pBangSprite = new Sprite(GameApp::getInstance()->getImage("bang_hor"), m_nBangX, m_nBangY,
                               m_nZzzDepth + 10);
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(m_pBangSprite);
    m_fBangTime = BANG_TIME;
}

void ThiefGuard::removeFlash()
{
    if (!m_pBangSprite)
        return;
    if (m_pBangSprite->getMode())
        m_pBangSprite->getMode()->removeObject(m_pBangSprite);
    m_pBangSprite.release();
}

void ThiefGuard::setTarget(Thief* pThief)
{
    if (!isAsleep())
    {
        if (!m_pTarget && pThief)
            setState(ST_RAISE, "start");
        else if (m_pTarget && !pThief)
            m_eState = ST_LOWER; // the round he is firing ends first
    }
    m_pTarget = pThief;
}

void ThiefGuard::wakeUp()
{
    setState(ST_WAKE_UP, "wakeup");
    if (m_pTarget)
    {
        RIR::SmartPtr<Thief> pTarget = m_pTarget;
        m_pTarget.release();
        setTarget(pTarget.get());
    }
}

bool ThiefGuard::containsPoint(int nX, int nY)
{
    for (int n = 0; n < m_lLayers.getLength(); ++n)
        if (m_lLayers.get(n)->containsPoint(nX, nY))
            return true;
    return false;
}
