#include "world/kit/recordingplaymode.h"

#include "world/customer.h"

#include "world/kit/syntheticdolly.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const char* ptrText(const void* p)
{
    return p ? "obj" : "null";
}

} // namespace

RecordingPlayMode::RecordingPlayMode(const RIR::SmartPtr<RecordingLog>& pLog)
    : m_pPrevious(nullptr), m_pLog(pLog ? pLog : RIR::SmartPtr<RecordingLog>(new RecordingLog)),
      m_nCash(0), m_anStats(), m_bThrowEmptyMug(true), m_nNextInsult(0), m_nMaxFights(1),
      m_fGuardAwakeTime(120.0f), m_bLowResources(false), m_nFightingCustomers(0),
      m_nCharacterIndex(0), m_pThiefGuard(nullptr), m_pDifficulty(nullptr)
{
    m_pPrevious = IPlayMode::setPlayMode(this);
}

RecordingPlayMode::~RecordingPlayMode()
{
    IPlayMode::setPlayMode(m_pPrevious);
}

RIR::List<RIR::String> RecordingPlayMode::calls(const char* pszCall) const
{
    RIR::List<RIR::String> lOut;
    const RIR::String sCall = RIR::String::format("play.%s", pszCall);
    const RIR::List<RIR::String>& lAll = m_pLog->getEntries();
    for (int n = 0; n < lAll.getLength(); ++n)
    {
        const RIR::String& sEntry = lAll.get(n);
        if (sEntry == sCall || sEntry.find((sCall + "(").c_str()) == 0)
            lOut.append(sEntry);
    }
    return lOut;
}

int RecordingPlayMode::getStat(int nIndex) const
{
    RIR_ASSERT(nIndex >= 0 && nIndex < 9);
    return m_anStats[nIndex];
}

void RecordingPlayMode::playSound(int nGroup, int nX)
{
    m_pLog->addf("play.playSound(%d, %d)", nGroup, nX);
}

void RecordingPlayMode::tutorialEvent(int nEvent)
{
    m_pLog->addf("play.tutorialEvent(%d)", nEvent);
}

void RecordingPlayMode::showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection)
{
    m_pLog->addf("play.showFeatureTip(%s, %d, %d, %d)", pszFeature, nX, nY, nDirection);
}

void RecordingPlayMode::addCash(int nAmount)
{
    m_pLog->addf("play.addCash(%d)", nAmount);
    m_nCash += nAmount;
}

int RecordingPlayMode::incStat(int nIndex)
{
    m_pLog->addf("play.incStat(%d)", nIndex);
    RIR_ASSERT(nIndex >= 0 && nIndex < 9);
    ++m_anStats[nIndex];
    return nIndex;
}

RIR::SmartPtr<FadeText> RecordingPlayMode::addFadeText(const char* pszImage, int nX, int nY,
                                                       int nDepth, float fRiseSpeed,
                                                       float fDuration)
{
    m_pLog->addf("play.addFadeText(%s, %d, %d, %d, %.1f, %.1f)", pszImage, nX, nY, nDepth,
                 fRiseSpeed, fDuration);
    RIR::SmartPtr<FadeText> pText = new FadeText;
    pText->sName = pszImage;
    pText->nX = nX;
    pText->fY = (float)nY;
    pText->fRiseSpeed = fRiseSpeed;
    pText->fDuration = fDuration;
    m_lFadeTexts.append(pText);
    return pText;
}

void RecordingPlayMode::showFadeText(const RIR::SmartPtr<FadeText>& pText, float fAmplitude,
                                     float fFrequency, float fPhase)
{
    m_pLog->addf("play.showFadeText(%s, %.1f, %.1f, %.1f)", pText ? pText->sName.c_str() : "null",
                 fAmplitude, fFrequency, fPhase);
    RIR_ASSERT(pText);
    pText->bSway = true;
    pText->fSwayAmplitude = fAmplitude;
    pText->fSwayFrequency = fFrequency;
    pText->fSwayPhase = fPhase;
}

void RecordingPlayMode::flyImage(const char* pszImage, int nX, int nY, int nCash, int nTargetX,
                                 int nTargetY)
{
    m_pLog->addf("play.flyImage(%s, %d, %d, %d, %d, %d)", pszImage, nX, nY, nCash, nTargetX,
                 nTargetY);
}

RIR::SmartPtr<Mug> RecordingPlayMode::createMug()
{
    m_pLog->add("play.createMug()");
    return Mug::create(m_pScreen, makeMugAnimation());
}

void RecordingPlayMode::showHandMug(int nHand, Mug* pMug)
{
    m_pLog->addf("play.showHandMug(%d, %s)", nHand, ptrText(pMug));
}

void RecordingPlayMode::scareCustomers(Customer* pScarer)
{
    m_pLog->addf("play.scareCustomers(%s)", ptrText(pScarer));
}

bool RecordingPlayMode::shouldThrowEmptyMug()
{
    m_pLog->add("play.shouldThrowEmptyMug");
    return m_bThrowEmptyMug;
}

RIR::String RecordingPlayMode::nextInsult()
{
    m_pLog->add("play.nextInsult");
    if (m_lInsults.isEmpty())
        return "";
    RIR::String sLine = m_lInsults.get(m_nNextInsult % m_lInsults.getLength());
    ++m_nNextInsult;
    return sLine;
}

void RecordingPlayMode::addStoppedFight(int nFightId)
{
    m_pLog->addf("play.addStoppedFight(%d)", nFightId);
    m_lStoppedFights.append(nFightId);
    ++m_anStats[4];
}

bool RecordingPlayMode::isFightStopped(int nFightId)
{
    return m_lStoppedFights.indexOf(nFightId) >= 0;
}

void RecordingPlayMode::addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite)
{
    m_pLog->addf("play.addAnimSprite(%s)", ptrText(pSprite.get()));
}

void RecordingPlayMode::removeCharacter(Character* pCharacter)
{
    m_pLog->addf("play.removeCharacter(%s)", ptrText(pCharacter));
}

int RecordingPlayMode::getCharacterIndex(const Character* /*pCharacter*/)
{
    return m_nCharacterIndex;
}

int RecordingPlayMode::countFightingCustomers()
{
    int nCount = m_nFightingCustomers;
    for (int n = 0; n < m_lWatched.getLength(); ++n)
        if (m_lWatched.get(n)->isFighting())
            ++nCount;
    return nCount;
}

void RecordingPlayMode::dumpCharacters()
{
    m_pLog->add("play.dumpCharacters");
}

void RecordingPlayMode::replaceWantedPoster()
{
    m_pLog->add("play.replaceWantedPoster");
}

void RecordingPlayMode::newWantedPoster()
{
    m_pLog->add("play.newWantedPoster");
}

ThiefGuard* RecordingPlayMode::getThiefGuard()
{
    return m_pThiefGuard;
}

ParamHolder* RecordingPlayMode::getDifficultyManager()
{
    return m_pDifficulty;
}

int RecordingPlayMode::getMaxFights()
{
    return m_nMaxFights;
}

float RecordingPlayMode::getGuardAwakeTime()
{
    return m_fGuardAwakeTime;
}

bool RecordingPlayMode::isLowResourcesMode()
{
    return m_bLowResources;
}
