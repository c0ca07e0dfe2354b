// PlayMode: sound groups, the crowd murmur, the tutorial and the one-time tips.
//
// Every saloon sound is a group number: a play picks one of the group's samples at random and
// pans it by the screen x of its source. The tutorial (story day 0) is a chain of messages, each
// shown 0.75 s after the world event that it waits for, with a blinking pointer and a limit on
// which spots a click may use; a tip is shown once per settings file.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/soundpan.h"
#include "shell/dbdapp.h"
#include "shell/newfeaturedlg.h"

#include "app/gameapp.h"
#include "ui/dlgmessage.h"

#include "rir2/calltrace.h"

namespace
{

const int SOUND_MURMUR = 19;

const float TUTORIAL_HOLD = 0.75f;   // seconds between an event and its message
const float POINTER_BLINK = 0.33f;
const int POINTER_DEPTH = 10003;
const char* const POINTER_IMAGE = "tutorial_dedo";
const int TAP_X = 460;               // where the pointer shows the beer tap
const int TAP_Y = 345;

// Tutorial events (reported by the world).
const int EV_SITS = 0;
const int EV_ASKS = 1;
const int EV_MUG_IN_HAND = 2;
const int EV_SERVED = 3;
const int EV_SIP = 4;
const int EV_BOTTLE_LANDED = 8;

const int RESTRICT_MUG_SOURCE = 1;
const int RESTRICT_TABLE_SEAT = 2;

} // namespace

void PlayMode::addSound(int nGroup, const char* pszSample)
{
    RIR_TRACE("PlayMode::addSound");
    m_hSoundGroups[nGroup].append(getApp()->getSample(pszSample));
}

void PlayMode::playSound(int nGroup, int nX)
{
    if (nGroup == -1 || !m_hSoundGroups.contains(nGroup))
        return;
    const RIR::List<RIR::SmartPtr<Sample>>& lSamples = m_hSoundGroups.get(nGroup);
    if (lSamples.isEmpty())
        return;
    GameApp* pApp = getApp();
    const RIR::SmartPtr<Sample> pSample =
        lSamples.get(m_Random.range(0, lSamples.getLength() - 1));
    const int nChannel = pApp->playSample(pSample, false, -1);
    if (nChannel != -1 && nX != NO_PANNING)
        pApp->setPanning(nChannel, panForX(nX));
}

void PlayMode::updateCrowdMurmur(float fDt)
{
    if (getDBDApp()->isLowResourcesMode())
        return;
    if (!m_pMurmurSample)
    {
        if (!m_hSoundGroups.contains(SOUND_MURMUR) ||
            m_hSoundGroups.get(SOUND_MURMUR).isEmpty())
            return;
        const RIR::List<RIR::SmartPtr<Sample>>& lSamples = m_hSoundGroups.get(SOUND_MURMUR);
        m_pMurmurSample = lSamples.get(m_Random.range(0, lSamples.getLength() - 1));
        m_nMurmurChannel = getApp()->playSample(m_pMurmurSample, true, -1);
        m_murmur = CrowdMurmur();
        m_pMurmurSample->setVolume(0.0f);
    }
    if (m_murmur.update(fDt, m_pScene->getTakenChairs().getLength()))
        m_pMurmurSample->setVolume(m_murmur.getVolume());
}

void PlayMode::tutorialEvent(int nEvent)
{
    RIR_TRACE("PlayMode::tutorialEvent");
    if (!m_bTutorial)
        return;
    if (m_fTutorialDelay < 0.0f)
    {
        // The message comes a moment after the event, once the player has seen it happen.
        m_nTutorialPending = nEvent;
        m_fTutorialDelay = TUTORIAL_HOLD;
        return;
    }
    if (nEvent != m_nTutorialExpected)
        return;
    m_nTutorialExpected = -1;
    const RIR::String sKey = RIR::String::format("TutorialStep%d", m_nTutorialStep);
    DlgMessage* pMessage = new DlgMessage(this, getString(sKey.c_str()), -1);
    pMessage->addNamedImage("shortsep", 0x24);
    getApp()->pushMode(pMessage);
    runTutorialStep(m_nTutorialStep);
    ++m_nTutorialStep;
}

void PlayMode::runTutorialStep(int nStep)
{
    RIR::SmartPtr<Character> pFirst;
    if (!m_lCharacters.isEmpty())
        pFirst = m_lCharacters.get(0);
    switch (nStep)
    {
    case 0:
        m_nTutorialExpected = EV_ASKS;
        break;
    case 1:
        showTutorialPointer(POINTER_IMAGE, TAP_X, TAP_Y);
        m_pTutorialPointer->setZOrder(m_pScene->getRowDepth(0, 10) + 5);
        m_nTutorialExpected = EV_MUG_IN_HAND;
        m_nTutorialRestriction = RESTRICT_MUG_SOURCE;
        m_bInputLocked = false;
        break;
    case 2:
        if (pFirst)
        {
            pFirst->setFloat("CP_FAST_DRINK_PROB", 1.0f);
            int nX = 0;
            int nY = 0;
            pFirst->getPos(&nX, &nY);
            showTutorialPointer(POINTER_IMAGE, nX - 10, nY - 180);
        }
        m_nTutorialExpected = EV_SERVED;
        m_nTutorialRestriction = RESTRICT_TABLE_SEAT;
        m_bInputLocked = false;
        break;
    case 3:
        hideTutorialPointer();
        if (pFirst)
            pFirst->setWaitTimeIfWaiting(0.5f);
        m_nTutorialExpected = EV_SIP;
        m_bInputLocked = true;
        break;
    case 4:
        showTutorialPointer(POINTER_IMAGE, TAP_X, TAP_Y);
        m_nTutorialExpected = EV_MUG_IN_HAND;
        m_nTutorialRestriction = RESTRICT_MUG_SOURCE;
        m_bInputLocked = false;
        break;
    case 5:
        m_nTutorialExpected = EV_MUG_IN_HAND;
        m_nTutorialRestriction = RESTRICT_MUG_SOURCE;
        m_bInputLocked = false;
        break;
    case 6:
        if (pFirst)
        {
            pFirst->setBool("CP_LAST_DRINK_LOCKED", false);
            pFirst->setFloat("CP_FAST_DRINK_PROB", 1.0f);
            pFirst->setWaitTimeIfWaiting(0.2f);
        }
        hideTutorialPointer();
        m_nTutorialExpected = EV_BOTTLE_LANDED;
        m_bInputLocked = true;
        break;
    case 7:
        hideTutorialPointer();
        // Closing comes on the next frame; the tutorial never has to be played again.
        m_fElapsed = (float)m_pDifficultyManager->getLevelLength();
        getApp()->setSetting("DoneTutorial", "TRUE");
        m_bInputLocked = true;
        break;
    default:
        break;
    }
}

void PlayMode::resetTutorial()
{
    m_fTutorialDelay = -1.0f;
    m_nTutorialExpected = EV_SITS;
    m_nTutorialPending = -1;
    m_nTutorialRestriction = RESTRICT_MUG_SOURCE;
}

void PlayMode::showTutorialPointer(const char* pszImage, int nX, int nY)
{
    RIR::SmartPtr<Image> pImage = getImage(pszImage);
    if (m_pTutorialPointer)
    {
        m_pTutorialPointer->setImage(pImage);
        m_pTutorialPointer->setPos(nX, nY);
    }
    else
    {
        m_pTutorialPointer = new Sprite(pImage, nX, nY, POINTER_DEPTH);
        addSprite(m_pTutorialPointer);
    }
    m_pTutorialPointer->setVisible(true);
    m_fPointerBlink = POINTER_BLINK;
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
    if (!m_bTutorial || !m_pTutorialPointer)
        return;
    m_fPointerBlink -= fDt;
    if (m_fPointerBlink < 0.0f)
    {
        m_fPointerBlink = POINTER_BLINK;
        m_pTutorialPointer->setVisible(!m_pTutorialPointer->isVisible());
    }
}

void PlayMode::updateTutorialHold(float fDt)
{
    if (m_fTutorialDelay <= 0.0f || m_nTutorialPending < 0)
        return;
    m_fTutorialDelay -= fDt;
    // Released at exactly 0 as well: a hold left at 0 would keep its event forever and let
    // every later event through at once.
    if (m_fTutorialDelay <= 0.0f)
    {
        m_fTutorialDelay = TUTORIAL_HOLD;
        tutorialEvent(m_nTutorialPending);
        m_fTutorialDelay = -1.0f;
        m_nTutorialPending = -1;
    }
}

void PlayMode::showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection)
{
    RIR_TRACE("PlayMode::showFeatureTip");
    NewFeatureDlg::showOnce(getApp(), pszFeature, nX, nY, nDirection);
}
