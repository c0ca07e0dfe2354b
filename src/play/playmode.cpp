// PlayMode: the life of a saloon day, its frame, the clock, closing time and the results.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "shell/dbdapp.h"
#include "shell/gamestatsdlg.h"
#include "shell/loadingdlg.h"
#include "shell/preleveldlg.h"
#include "world/objectid.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

PlayMode* PlayMode::s_pPlayMode = nullptr;

namespace
{

const int SOUND_GROUPS_BUCKETS = 97;
const int BIG_TEXT_X = 400;
const int BIG_TEXT_Y = 500;
const int BIG_TEXT_DEPTH = 10002;
const float HURRY_SECONDS = 15.0f; // the last seconds: no spawning, the warning blinks
const float HURRY_BLINK = 0.25f;   // seconds between two blinks of the warning
const int BELL_EVERY = 8;          // blinks between two rings of the bell
const int SOUND_BELL = 21;
const int SOUND_AMBIENT = 20;
const int CLOCK_FACES = 20; // "clock_0" .. "clock_20"

const char* gameTypeShortName(int nGameType)
{
    switch (nGameType)
    {
    case GT_TIMED:
        return "TA";
    case GT_STORY:
        return "ST";
    case GT_CAMPAIGN:
        return "CP";
    default:
        return "??";
    }
}

} // namespace

PlayMode::PlayMode(DifficultyManager* pDifficulty, unsigned int nSeed)
    : DBDMode(1), m_fSpawnTimer(0.0f), m_pDifficultyManager(pDifficulty), m_nCash(0),
      m_bSheriffDue(false), m_fSheriffTimer(0.0f), m_pWantedLook(nullptr), m_pThiefGuard(nullptr),
      m_pLoadingDlg(nullptr), m_bLoaded(false), m_nLoadStep(0), m_fClockTimer(0.0f),
      m_nClockIndex(-1), m_fHurryBlinkTimer(0.0f), m_fElapsed(0.0f), m_bTutorial(false),
      m_nTutorialStep(0), m_nTutorialExpected(-1), m_nTutorialRestriction(0), m_bInputLocked(false),
      m_fTutorialDelay(-1.0f), m_nTutorialPending(-1), m_fPointerBlink(0.33f), m_fIdleTime(0.0f),
      m_hSoundGroups(SOUND_GROUPS_BUCKETS), m_bTelekinesis(false), m_fTelekinesisCharge(0.0f),
      m_nTelekinesisShots(0), m_bEnded(false), m_bPreLevelShown(true), m_bStatsShown(false),
      m_fGoalTimer(-1.0f), m_nBellCount(0), m_bClosed(false), m_bNoMoreSpawns(false),
      m_nVariantStep(0), m_nMurmurChannel(-1), m_fHoverTimer(0.0f), m_fSinceClosing(0.0f),
      m_nScoreTotal(0), m_fAmbientTimer(0.0f), m_fEndLevelTime(10.0f), m_bReplaying(false),
      m_nLastClickX(0), m_nLastClickY(0), m_stats(*this)
{
    RIR_TRACE("PlayMode::PlayMode");
    RIR_ASSERT(pDifficulty != NULL);
    for (int n = 0; n < 4; ++n)
        m_abArrowHeld[n] = false;
    for (int n = 0; n < STAT_COUNT; ++n)
        m_anStats[n] = 0;

    // A missing setting reads as 0: the day then ends on the first frame after closing.
    m_fEndLevelTime = (float)std::atof(getApp()->getSetting("EndLevelTime").c_str());

    logPrintf("W: >PM %s %d\n", gameTypeShortName(pDifficulty->getGameType()),
              pDifficulty->getLevel());
    if (s_pPlayMode != nullptr)
    {
        // The other play mode is named by its full address.
        const RIR::String sText =
            RIR::String::format("Prev PM %s\n", objectId(s_pPlayMode).c_str());
        delete m_pDifficultyManager;
        m_pDifficultyManager = nullptr;
        RIR_THROW(FatalErrorException, sText.c_str());
    }
    s_pPlayMode = this;
    IPlayMode::setPlayMode(this);
    if (nSeed != 0)
        m_Random.seed(nSeed);

    m_fAmbientTimer = (float)m_Random.rangeReal(3.0, 15.0);
    m_bTutorial = pDifficulty->isTutorial();
    if (m_bTutorial)
        m_bInputLocked = true;
    m_spawnSchedule = SpawnSchedule(*pDifficulty, m_Random);
}

PlayMode::~PlayMode()
{
    logPrintf("W: <PM\n");
    releaseLevel();
    if (s_pPlayMode == this)
        s_pPlayMode = nullptr;
}

PlayMode* PlayMode::getPlayMode()
{
    RIR_ASSERT(s_pPlayMode != NULL);
    return s_pPlayMode;
}

int PlayMode::getRemainingTime() const
{
    return (int)((float)m_pDifficultyManager->getLevelLength() - m_fElapsed);
}

void PlayMode::addCharacter(const RIR::SmartPtr<Character>& pCharacter)
{
    RIR_ASSERT(pCharacter);
    m_lCharacters.append(pCharacter);
}

ParamHolder* PlayMode::getDifficultyManager()
{
    return m_pDifficultyManager;
}

int PlayMode::getMaxFights()
{
    return m_pDifficultyManager->getMaxFights();
}

float PlayMode::getGuardAwakeTime()
{
    return m_pDifficultyManager->getGuardAwakeTime();
}

bool PlayMode::isLowResourcesMode()
{
    return getDBDApp()->isLowResourcesMode();
}

void PlayMode::onStart()
{
    RIR_TRACE("PlayMode::onStart");
    m_bLoaded = false;
    m_pLoadingDlg = new LoadingDlg();
    getApp()->pushMode(m_pLoadingDlg);
    m_pCursorImage = getImage("cursor_sight");
    m_pCursorImage->setInsPointByAlign(0x24);
    m_nLoadStep = 0;
    removeFlags(MF_VISIBLE);
    addFlags(MF_SEE_THROUGH);
    getApp()->setFPS(0);
}

void PlayMode::onEnd()
{
    RIR_TRACE("PlayMode::onEnd");
    GameApp* pApp = getApp();
    pApp->saveSettings();
    // -1 would stop every channel: the murmur never started (low resources, left while loading).
    if (m_nMurmurChannel >= 0)
        pApp->stopChannel(m_nMurmurChannel);
    m_nMurmurChannel = -1;
    releaseLevel();
    RIR_ASSERT(s_pPlayMode == this);
    s_pPlayMode = nullptr;
    if (IPlayMode::hasPlayMode() && IPlayMode::getPlayMode() == this)
        IPlayMode::setPlayMode(nullptr);
    pApp->stopMusic();
    if (m_sMusic.length() > 0)
        pApp->removeSample(m_sMusic.c_str());
}

void PlayMode::releaseLevel()
{
    m_lRemovedCharacters.clear();
    m_lCharacters.clear();
    delete m_pWantedLook;
    m_pWantedLook = nullptr;
    m_pDolly = nullptr;
    delete m_pDifficultyManager;
    m_pDifficultyManager = nullptr;
    m_pThiefGuard = nullptr;
    m_pScene = nullptr;
    clearActionQueue();
}

void PlayMode::onActivate()
{
    RIR_TRACE("PlayMode::onActivate");
    if (m_bStatsShown)
    {
        endMode();
        return;
    }
    if (!m_bPreLevelShown && m_pDifficultyManager->getGameType() == GT_STORY)
    {
        m_bPreLevelShown = true;
        getApp()->pushMode(new PreLevelDlg(m_pDifficultyManager->getStoryLevel(),
                                           m_pDifficultyManager->getCashGoal()));
    }
    if (getDBDApp()->hasLastResults())
    {
        // Nothing of the ended level may run after this, not even the cursor.
        endMode();
        return;
    }
    updateHoverCursor(1000.0f);
}

void PlayMode::onDeactivate(GameMode* pNewTop)
{
    (void)pNewTop;
    GameApp* pApp = getApp();
    if (pApp->isCursorShown())
        pApp->setCursorImage(pApp->getTheme()->getDefaultCursor());
}

void PlayMode::update(float fDt)
{
    RIR_TRACE("PlayMode::update");
    if (!m_bLoaded)
    {
        loadStep();
        return;
    }
    if (m_bEnded)
        return;
    updateHoverCursor(fDt);
    if (!m_pDolly->isDoingAction())
        replayQueuedClick();

    m_fAmbientTimer -= fDt;
    if (m_fAmbientTimer < 0.0f)
    {
        m_fAmbientTimer = (float)m_Random.rangeReal(5.0, 15.0);
        playSound(SOUND_AMBIENT, m_Random.range(10, 790));
    }
    updateCrowdMurmur(fDt);
    updateFirstAppearance(fDt);
    if (!m_bTutorial)
        hurryWaitingCustomer(fDt);

    const float fLength = (float)m_pDifficultyManager->getLevelLength();
    bool bGoalDue = false;
    if (!m_bTutorial && m_pDifficultyManager->getGameType() == GT_STORY &&
        m_nCash >= m_pDifficultyManager->getCashGoal() && m_fGoalTimer < 0.0f)
        m_fGoalTimer = 1.0f;
    if (m_fGoalTimer > 0.0f)
    {
        m_fGoalTimer -= fDt;
        bGoalDue = m_fGoalTimer <= 0.0f;
    }

    if ((bGoalDue || m_fElapsed > fLength) && !m_bClosed)
    {
        m_fSinceClosing = 0.0f;
        m_bClosed = true;
        for (int n = 0; n < m_lCharacters.getLength(); ++n)
        {
            Customer* pCustomer = dynamic_cast<Customer*>(m_lCharacters.get(n).get());
            if (pCustomer != nullptr)
                pCustomer->requestLeave();
        }
        RIR::SmartPtr<Image> pFace = getImage("clock_20");
        pFace->setInsPointByAlign(0x24);
        m_pClock->setImage(pFace);
        m_nClockIndex = CLOCK_FACES;
        showBigText(m_fElapsed > fLength ? "text_saloonclosed" : "text_goalreached");
    }

    m_fSinceClosing += fDt;
    if (m_bClosed && (countCustomers() == 0 || m_fSinceClosing >= m_fEndLevelTime || m_bTutorial))
        endDay();

    updateAnimSprites(fDt);
    updateFlyThings(fDt);
    updateFadeTexts(fDt);
    updateClock(fDt);
    m_pScene->update(fDt);
    updateTelekinesisCharge(fDt);
    m_pDolly->setHeldArrows(m_abArrowHeld[0], m_abArrowHeld[1], m_abArrowHeld[2], m_abArrowHeld[3]);
    m_pDolly->update(fDt);

    if (!m_bClosed && !m_bNoMoreSpawns)
    {
        m_fSpawnTimer -= fDt;
        if (m_fSpawnTimer < 0.0f)
        {
            spawnCharacter(-1);
            m_fSpawnTimer = m_pDifficultyManager->getSpawnInterval();
        }
        updateSheriff(fDt);
    }

    // Characters may end (and ask for removal) during their update; the list is walked on a copy
    // of its handles so that a removal cannot skip anyone.
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        RIR::SmartPtr<Character> pCharacter = m_lCharacters.get(n);
        pCharacter->update(fDt);
    }
    for (int n = 0; n < m_lRemovedCharacters.getLength(); ++n)
    {
        const int nIdx = getCharacterIndex(m_lRemovedCharacters.get(n).get());
        RIR_ASSERT(nIdx != -1);
        m_lCharacters.removeAt(nIdx);
    }
    m_lRemovedCharacters.clear();

    updateTutorialHold(fDt);
}

void PlayMode::endDay()
{
    RIR_TRACE("PlayMode::endDay");
    cashInFlyThings();
    GameResults* pResults = new GameResults;
    pResults->nGameType = m_pDifficultyManager->getGameType();
    pResults->bAborted = false;
    pResults->nCash = m_nCash;
    const int nLeft = getRemainingTime();
    pResults->nTimeBonus = nLeft > 0 ? 10 * nLeft : 0;
    if (pResults->nGameType == GT_STORY)
        pResults->bWon = m_bTutorial || m_nCash >= m_pDifficultyManager->getCashGoal();
    getDBDApp()->setLastResults(pResults);
    m_bEnded = true;
    getApp()->pushMode(new GameStatsDlg(&m_stats));
    m_bStatsShown = true;
}

void PlayMode::showBigText(const char* pszImage)
{
    RIR::SmartPtr<Image> pImage = getImage(pszImage);
    pImage->setInsPointByAlign(0x24);
    if (!m_pBigText)
    {
        m_pBigText = new Sprite(pImage, BIG_TEXT_X, BIG_TEXT_Y, BIG_TEXT_DEPTH);
        addSprite(m_pBigText);
    }
    else
        m_pBigText->setImage(pImage);
    m_pBigText->setVisible(true);
}

void PlayMode::updateClock(float fDt)
{
    if (m_bClosed)
        return;
    const float fLength = (float)m_pDifficultyManager->getLevelLength();
    if (fLength - m_fElapsed < HURRY_SECONDS)
    {
        m_bNoMoreSpawns = true;
        if (!m_pBigText)
        {
            showBigText("text_hurryup");
            m_nBellCount = BELL_EVERY;
        }
        m_fHurryBlinkTimer -= fDt;
        if (m_fHurryBlinkTimer < 0.0f)
        {
            m_fHurryBlinkTimer += HURRY_BLINK;
            m_pClock->setVisible(!m_pClock->isVisible());
            m_pBigText->setVisible(!m_pBigText->isVisible());
            // The count starts at the ring level, so the first blink rings, then every eighth.
            if (++m_nBellCount >= BELL_EVERY)
            {
                m_nBellCount = 0;
                playSound(SOUND_BELL, 400);
            }
        }
    }
    m_fElapsed += fDt;
    m_fClockTimer -= fDt;
    if (m_fClockTimer <= 0.0f)
    {
        m_fClockTimer += fLength / CLOCK_FACES;
        int nFace = (int)((m_fElapsed + 0.1f) * CLOCK_FACES / fLength);
        if (nFace > CLOCK_FACES)
            nFace = CLOCK_FACES;
        RIR::SmartPtr<Image> pFace = getImage(RIR::String::format("clock_%d", nFace).c_str());
        pFace->setInsPointByAlign(0x24);
        m_pClock->setImage(pFace);
        m_nClockIndex = nFace;
    }
}

void PlayMode::resetClock()
{
    m_fElapsed = 0.0f;
    m_fHurryBlinkTimer = 0.0f;
    m_fClockTimer = -0.01f;
    updateClock(0.0f);
    m_fIdleTime = 0.0f;
    m_fHoverTimer = 0.0f;
}

void PlayMode::updateHoverCursor(float fDt)
{
    m_fHoverTimer -= fDt;
    if (m_fHoverTimer > 0.0f)
        return;
    m_fHoverTimer = 0.1f;
    GameApp* pApp = getApp();
    int nX = 0;
    int nY = 0;
    pApp->getMousePosition(&nX, &nY);
    RIR::SmartPtr<Character> pUnder;
    int nDepth = -1;
    if (m_pScene)
        pickCharacterAt(nX, nY, pUnder, &nDepth, true);
    if (pUnder)
        pApp->setCursorImage(m_pCursorImage);
    else
        pApp->setCursorImage(pApp->getTheme()->getDefaultCursor());
}

RIR::SmartPtr<Sprite> PlayMode::addHudSprite(const char* pszImage, int nAlign, int nX, int nY,
                                             int nDepth)
{
    RIR::SmartPtr<Image> pImage = getImage(pszImage);
    pImage->setInsPointByAlign(nAlign);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, nX, nY, nDepth);
    addSprite(pSprite);
    return pSprite;
}
