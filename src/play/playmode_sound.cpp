// PlayMode: sound groups, the crowd murmur, the tutorial and the one-time tips.
#include "play/playmode.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

void PlayMode::addSound(int nGroup, const char* pszSample)
{
    RIR_TRACE("PlayMode::addSound");
    m_hSoundGroups[nGroup].append(getApp()->getSample(pszSample));
}

void PlayMode::playSound(int nGroup, int nX)
{
    (void)nGroup;
    (void)nX;
}

void PlayMode::updateCrowdMurmur(float fDt)
{
    (void)fDt;
}

void PlayMode::tutorialEvent(int nEvent)
{
    (void)nEvent;
}

void PlayMode::resetTutorial()
{
    m_fTutorialDelay = -1.0f;
    m_nTutorialExpected = 0;
    m_nTutorialPending = -1;
    m_nTutorialRestriction = 1;
}

void PlayMode::showTutorialPointer(const char* pszImage, int nX, int nY)
{
    (void)pszImage;
    (void)nX;
    (void)nY;
}

void PlayMode::hideTutorialPointer()
{
    if (m_pTutorialPointer)
    {
        removeObject(m_pTutorialPointer);
        m_pTutorialPointer = nullptr;
    }
}

void PlayMode::updateTutorialPointer(float fDt)
{
    (void)fDt;
}

void PlayMode::updateTutorialHold(float fDt)
{
    (void)fDt;
}

void PlayMode::showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection)
{
    (void)pszFeature;
    (void)nX;
    (void)nY;
    (void)nDirection;
}
