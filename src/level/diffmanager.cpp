// DifficultyManager: the level's rules, goals and character setups (level/diffmanager.h).
#include "level/diffmanager.h"

#include "level/isetuptarget.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/animsprite.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// Story cash goals by day (0..44) and difficulty (easy, medium, hard); day 0 is the tutorial.
const int s_aanStoryGoals[DifficultyManager::STORY_LEVELS][DifficultyManager::DIFFICULTIES] = {
    {0, 0, 0},          {1500, 1500, 2500}, {2000, 2750, 3500}, {2500, 3000, 4500},
    {2500, 3250, 5000}, {3000, 3500, 6000}, {3250, 4000, 7000}, {3250, 4250, 7000},
    {3500, 4250, 7500}, {3500, 4250, 7500}, {3750, 4500, 7500}, {3750, 4500, 7500},
    {3750, 4500, 7500}, {3750, 4500, 7500}, {3750, 4500, 7500}, {4000, 4500, 7600},
    {4000, 4500, 7600}, {4000, 4500, 7600}, {4000, 4500, 7600}, {4000, 4500, 7600},
    {4250, 4750, 7700}, {4250, 4750, 7700}, {4250, 4750, 7700}, {4250, 4750, 7700},
    {4250, 4750, 7700}, {4500, 5000, 7800}, {4500, 5000, 7800}, {4500, 5000, 7800},
    {4500, 5000, 7800}, {4500, 5000, 7800}, {4750, 5250, 7800}, {4750, 5250, 7800},
    {4750, 5250, 7800}, {4750, 5250, 7800}, {4750, 5250, 7800}, {5000, 5250, 7900},
    {5000, 5250, 7900}, {5000, 5250, 7900}, {5000, 5250, 7900}, {5000, 5250, 7900},
    {5250, 5500, 8000}, {5250, 5500, 8000}, {5500, 5500, 8500}, {5500, 5500, 8500},
    {6000, 6000, 9000}};

bool readLowResourcesSetting()
{
    const GameApp* pApp = GameApp::getInstance();
    return pApp && pApp->getSetting("LowResourcesMode") == "TRUE";
}

} // namespace

DifficultyManager::DifficultyManager(int nGameType, int nLevelLength, int nDifficulty, int nLevel)
    : m_nLevelLength(nLevelLength), m_nDifficulty(clampDifficulty(nDifficulty)),
      m_nGameType(nGameType), m_nLevel(nLevel), m_nCashGoal(0),
      m_bLowResources(readLowResourcesSetting())
{
    RIR_TRACE("DifficultyManager::DifficultyManager");
    // The difficulty comes from settings and stored games; every rule below needs it in range.
    if (m_nDifficulty != nDifficulty)
        logPrintf("W: Bad difficulty %d, playing %d\n", nDifficulty, m_nDifficulty);

    setFloat(LP_STOPFIGHT_REWARD_0, 100.0f);
    setFloat(LP_STOPFIGHT_REWARD_1, 75.0f);
    setFloat(LP_STOPFIGHT_REWARD_2, 50.0f);
    setFloat(LP_WANTED_REWARD, 250.0f);
    setFloat(LP_STOPTHIEF_REWARD, 100.0f);
    setFloat(LP_COW_REWARD, 50.0f);

    if (m_nGameType == GT_STORY)
    {
        RIR_TRACE_LINE();
        m_nCashGoal = getStoryCashGoal(m_nLevel, m_nDifficulty);
        if (m_nLevelLength == LONG_DAY_LENGTH)
            m_nCashGoal *= 3;
    }
}

DifficultyManager::~DifficultyManager()
{
    RIR_TRACE("DifficultyManager::~DifficultyManager");
}

int DifficultyManager::clampDifficulty(int nDifficulty)
{
    if (nDifficulty < 0)
        return 0;
    if (nDifficulty >= DIFFICULTIES)
        return DIFFICULTIES - 1;
    return nDifficulty;
}

int DifficultyManager::getStoryCashGoal(int nLevel, int nDifficulty)
{
    RIR_TRACE("DifficultyManager::getStoryCashGoal");
    if (nLevel < 0 || nLevel >= STORY_LEVELS)
        RIR_THROW(BadParmException,
                  RIR::String::format("Story level %d out of range", nLevel).c_str());
    if (nDifficulty < 0 || nDifficulty >= DIFFICULTIES)
        RIR_THROW(BadParmException,
                  RIR::String::format("Difficulty %d out of range", nDifficulty).c_str());
    return s_aanStoryGoals[nLevel][nDifficulty];
}

// ---- the level ------------------------------------------------------------------------------

int DifficultyManager::getCashGoal() const
{
    return m_nGameType == GT_STORY ? m_nCashGoal : 0;
}

int DifficultyManager::getStoryLevel() const
{
    RIR_TRACE("DifficultyManager::getStoryLevel");
    RIR_ASSERT(getGameType() == GT_STORY);
    return m_nLevel;
}

int DifficultyManager::getLevel() const
{
    RIR_TRACE("DifficultyManager::getLevel");
    switch (m_nGameType)
    {
    case GT_TIMED:
    case GT_STORY:
    case GT_CAMPAIGN:
        return m_nLevel;
    default:
        RIR_ASSERT(false);
    }
    return 0;
}

bool DifficultyManager::isTutorial() const
{
    return m_nGameType == GT_STORY && m_nLevel == 0;
}

bool DifficultyManager::isLevelAtLeast(int n) const
{
    return m_nGameType != GT_STORY || m_nLevel >= n;
}

bool DifficultyManager::isLevelBelow(int n) const
{
    return m_nGameType != GT_STORY || m_nLevel < n;
}

// ---- the saloon -----------------------------------------------------------------------------

int DifficultyManager::getTableCount() const
{
    if (m_nGameType == GT_STORY && m_nLevel == 0)
        return 1;
    if (m_nGameType == GT_STORY && m_nLevel == 1)
        return 4;
    return 5;
}

int DifficultyManager::getMaxCustomers() const
{
    return isTutorial() ? 1 : getTableCount() * 2;
}

float DifficultyManager::getSpawnInterval() const
{
    RIR_TRACE("DifficultyManager::getSpawnInterval");
    switch (m_nDifficulty)
    {
    case 0:
        return 3.5f;
    case 1:
        return 3.0f;
    case 2:
        return 2.0f;
    default:
        RIR_ASSERT(false);
    }
    return 3.0f;
}

// Below hard, the first story days calm the fights down: days 0..2 one at a time, days 3..5 two.
// Otherwise easy 1, medium 2, hard 4; outside the story isLevelBelow always holds, so timed and
// campaign games allow one fight on easy and medium and four on hard.
int DifficultyManager::getMaxFights() const
{
    RIR_TRACE("DifficultyManager::getMaxFights");
    if (m_nDifficulty != 2)
    {
        if (isLevelBelow(3))
            return 1;
        if (isLevelBelow(6))
            return 2;
    }
    switch (m_nDifficulty)
    {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 4;
    default:
        RIR_ASSERT(false);
    }
    return 1;
}

bool DifficultyManager::shouldThrowEmptyMug(int /*nEmptyMugsOnTables*/) const
{
    return true;
}

bool DifficultyManager::isTelekinesisEnabled() const
{
    return getLevel() > 24;
}

float DifficultyManager::getTelekinesisChargeRate() const
{
    RIR_TRACE("DifficultyManager::getTelekinesisChargeRate");
    switch (m_nDifficulty)
    {
    case 0:
        return 1.0f / 20.0f;
    case 1:
        return 1.0f / 30.0f;
    case 2:
        return 1.0f / 45.0f;
    default:
        RIR_ASSERT(false);
    }
    return 1.0f / 30.0f;
}

int DifficultyManager::getTelekinesisShots() const
{
    return 10;
}

float DifficultyManager::getGuardAwakeTime() const
{
    return 120.0f;
}

RIR::String DifficultyManager::getThiefGuardName() const
{
    RIR_TRACE("DifficultyManager::getThiefGuardName");
    const int nLevel = getLevel();
    if (nLevel >= 15 && nLevel <= 19)
        return "dog";
    if (nLevel >= 20 && nLevel <= 29)
        return "mariachi";
    return "";
}

bool DifficultyManager::hasPianist() const
{
    return getLevel() > 29;
}

// ---- who may come in ------------------------------------------------------------------------

bool DifficultyManager::isFightingEnabled() const
{
    return isLevelAtLeast(2);
}

bool DifficultyManager::isThiefEnabled() const
{
    return isLevelAtLeast(5);
}

bool DifficultyManager::isWantedEnabled() const
{
    return isLevelAtLeast(8);
}

bool DifficultyManager::canCowSit() const
{
    return isLevelAtLeast(13);
}

bool DifficultyManager::isUndertakerEnabled() const
{
    return isLevelAtLeast(23);
}

bool DifficultyManager::isPatientEnabled() const
{
    return getLevel() > 26;
}

bool DifficultyManager::isSpecialEnabled() const
{
    return !m_bLowResources && isLevelAtLeast(33);
}

bool DifficultyManager::isCowEnabled() const
{
    return true;
}

float DifficultyManager::getCowSitChance() const
{
    switch (m_nDifficulty)
    {
    case 0:
        return 0.5f;
    case 1:
        return 0.75f;
    default:
        return 0.8f;
    }
}

float DifficultyManager::getThiefWeight(int nCash) const
{
    return isThiefEnabled() && nCash >= 500 ? 0.2f : 0.0f;
}

float DifficultyManager::getWantedWeight() const
{
    return isWantedEnabled() ? 0.15f : 0.0f;
}

float DifficultyManager::getUndertakerWeight(int nCustomers) const
{
    if (!isUndertakerEnabled() || nCustomers < 6)
        return 0.0f;
    // The undertaker's own story day calls him more often.
    return m_nGameType == GT_STORY && m_nLevel == 23 ? 0.3f : 0.2f;
}

float DifficultyManager::getPatientWeight() const
{
    return isPatientEnabled() ? 0.05f : 0.0f;
}

float DifficultyManager::getCowWeight() const
{
    return 0.1f;
}

float DifficultyManager::getSpecialWeight() const
{
    return isSpecialEnabled() ? 0.05f : 0.0f;
}

// ---- character setups -----------------------------------------------------------------------

float DifficultyManager::getPatienceFactor() const
{
    static const float s_afFactor[DIFFICULTIES] = {1.5f, 1.1f, 0.7f};
    return 1.25f * s_afFactor[m_nDifficulty];
}

void DifficultyManager::setupCustomer(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupCustomer");
    ParamHolder& params = target.getParams();
    const float g = getPatienceFactor();

    if (isTutorial())
        target.setSpeed(220.0f, 120.0f);
    else
    {
        const int nHorizontal = m_random.range(180, 220);
        const int nVertical = m_random.range(80, 120);
        target.setSpeed((float)nHorizontal, (float)nVertical);
    }
    // Kept unrounded: the reader truncates (easy 5..11, medium 4..8, hard 2..5 drinks).
    params.setFloat(CP_MAX_DRINKS, (float)m_random.range(3, 6) * g);
    params.setFloat(CP_TIME_BETWEEN_DRINK, g * (float)m_random.rangeReal(2.0, 3.5));
    params.setFloat(CP_START_FIGHT_PROB, (float)m_random.rangeReal(0.2, 0.6));
    params.setFloat(CP_TIME_ASK_0, g * (float)m_random.rangeReal(0.5, 1.0));
    params.setFloat(CP_TIME_ASK_1, g * (float)m_random.rangeReal(2.0, 3.0));
    params.setFloat(CP_TIME_ASK_2, g * (float)m_random.rangeReal(3.0, 4.0));
    params.setFloat(CP_TIME_ASK_3, g * (float)m_random.rangeReal(4.0, 5.0));
    params.setFloat(CP_PAY_0, 120.0f);
    params.setFloat(CP_PAY_1, 110.0f);
    params.setFloat(CP_PAY_2, 100.0f);
    params.setFloat(CP_PAY_3, 90.0f);
    params.setFloat(CP_FAST_DRINK_PROB, (float)(getLevel() / 5) * 0.1f);

    params.setBool(CP_LEAVE_ON_REMOVE, true);
    params.setBool(CP_LEAVE_ON_ABANDON, true);
    params.setBool(CP_ACCEPT_FIGHTS, isFightingEnabled());
    params.setBool(CP_ACCEPT_PARTNERS, true);
    params.setBool(CP_SCARES_PEOPLE, false);
    params.setBool(CP_SCARES_THIEVES, false);
    params.setBool(CP_CAN_BE_STOPPED, false);
    params.setBool(CP_CAN_BE_SCARED, true);
    params.setFloat(CP_EXPELL_COUNT, 0.0f);
    params.setBool(CP_WANT_CLICKS, false);
    params.setFloat(CP_TIME_RETRY_LEAVE, 0.2f);
    params.setBool(CP_EXCLUSIVE_ENTER, false);
    params.setBool(CP_IS_WANTED, false);
    params.setBool(CP_PICK_FIRST_CHAIR, false);
    params.setBool(CP_LAST_DRINK_LOCKED, false);
    params.setBool(CP_FAST_DRINK_NEXT, false);
    params.setBool(CP_PATIENT, false);

    if (isTutorial())
    {
        // One slow, peaceful customer who waits for the lessons.
        params.setBool(CP_LEAVE_ON_ABANDON, false);
        params.setFloat(CP_TIME_BETWEEN_DRINK, 1.0f);
        params.setFloat(CP_START_FIGHT_PROB, -1.0f);
        params.setFloat(CP_TIME_ASK_0, 1.5f);
        params.setFloat(CP_TIME_ASK_1, 4.0f);
        params.setFloat(CP_TIME_ASK_2, 8.0f);
        params.setFloat(CP_TIME_ASK_3, 10.0f);
        params.setBool(CP_PICK_FIRST_CHAIR, true);
        params.setBool(CP_LAST_DRINK_LOCKED, true);
        params.setFloat(CP_MAX_DRINKS, 2.0f);
    }
    if (isLevelBelow(3))
        params.setFloat(CP_FAST_DRINK_PROB, 1.0f);
}

void DifficultyManager::setupPatientCustomer(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupPatientCustomer");
    setupCustomer(target);
    ParamHolder& params = target.getParams();
    params.setFloat(CP_START_FIGHT_PROB, 0.0f);
    params.setBool(CP_ACCEPT_FIGHTS, false);
    params.setBool(CP_PATIENT, true);
    params.setFloat(CP_TIME_ASK_0, 10.0f);
}

void DifficultyManager::setupUndertaker(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupUndertaker");
    setupCustomer(target);
    target.setSpeed(150.0f, 60.0f);
    target.setWalkAnimScale(0.75f);
    ParamHolder& params = target.getParams();
    setExpelCount(params);
    params.setBool(CP_ACCEPT_PARTNERS, false);
    params.setBool(CP_SCARES_PEOPLE, true);
    params.setBool(CP_CAN_BE_STOPPED, true);
    params.setBool(CP_CAN_BE_SCARED, false);
    params.setBool(CP_ACCEPT_FIGHTS, false);
    params.setFloat(CP_START_FIGHT_PROB, 0.0f);
    params.setBool(CP_WANT_CLICKS, true);
    params.setBool(CP_EXCLUSIVE_ENTER, true);
    RIR_TRACE_LINE();
    attachShootHint(target, "FirstTimeUndertaker");
}

void DifficultyManager::setupWanted(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupWanted");
    setupCustomer(target);
    const int nHorizontal = m_random.range(160, 200);
    const int nVertical = m_random.range(60, 100);
    target.setSpeed((float)nHorizontal, (float)nVertical);
    ParamHolder& params = target.getParams();
    setExpelCount(params);
    params.setBool(CP_WANT_CLICKS, true);
    params.setBool(CP_EXCLUSIVE_ENTER, true);
    params.setBool(CP_CAN_BE_STOPPED, true);
    params.setBool(CP_IS_WANTED, true);
    RIR_TRACE_LINE();
    if (m_nGameType == GT_STORY)
        attachShootHint(target, "FirstWanted");
    else if (m_nDifficulty == 0)
        attachShootHint(target, nullptr);
}

void DifficultyManager::setupThief(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupThief");
    ParamHolder& params = target.getParams();
    int nHorizontal;
    int nVertical;
    switch (m_nDifficulty)
    {
    case 0:
        nHorizontal = m_random.range(150, 200);
        nVertical = m_random.range(50, 100);
        params.setFloat(CP_THIEF_RETURN_AMOUNT, 100.0f);
        params.setFloat(CP_THIEF_STEAL_AMOUNT, 100.0f);
        break;
    case 1:
        nHorizontal = m_random.range(160, 200);
        nVertical = m_random.range(60, 100);
        params.setFloat(CP_THIEF_RETURN_AMOUNT, 100.0f);
        params.setFloat(CP_THIEF_STEAL_AMOUNT, 200.0f);
        break;
    default:
        nHorizontal = m_random.range(200, 220);
        nVertical = m_random.range(100, 120);
        params.setFloat(CP_THIEF_RETURN_AMOUNT, 90.0f);
        params.setFloat(CP_THIEF_STEAL_AMOUNT, 200.0f);
        break;
    }
    target.setSpeed((float)nHorizontal, (float)nVertical);
    params.setFloat(CP_TIME_RETRY_LEAVE, 0.2f);
    params.setBool(CP_CAN_BE_STOPPED, true);
    params.setBool(CP_WANT_CLICKS, true);
    params.setBool(CP_EXCLUSIVE_ENTER, true);
    params.setBool(CP_IS_WANTED, false);
    setExpelCount(params);
    RIR_TRACE_LINE();
    attachShootHint(target, "FirstTimeThief");
}

void DifficultyManager::setupCow(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupCow");
    target.setSpeed(60.0f, 160.0f);
    ParamHolder& params = target.getParams();
    params.setFloat(CP_TIME_RETRY_LEAVE, 0.2f);
    params.setBool(CP_EXCLUSIVE_ENTER, true);
    params.setBool(CP_ALWAYS_EXIT_RIGHT, true);
    params.setBool(CP_CAN_BE_STOPPED, false);
    params.setBool(CP_WANT_CLICKS, false);
    params.setFloat(CP_COW_SIT_TIME, (float)m_random.rangeReal(3.0, 7.0));
    params.setBool(CP_DO_SIT, canCowSit() && m_random.nextDouble() < getCowSitChance());
    setExpelCount(params);
}

void DifficultyManager::setupWalker(ISetupTarget& target)
{
    RIR_TRACE("DifficultyManager::setupWalker");
    target.setSpeed(240.0f, 150.0f);
    ParamHolder& params = target.getParams();
    params.setFloat(CP_TIME_RETRY_LEAVE, 0.2f);
    params.setBool(CP_EXCLUSIVE_ENTER, false);
    params.setBool(CP_CAN_BE_STOPPED, false);
    params.setBool(CP_WANT_CLICKS, false);
}

void DifficultyManager::setExpelCount(ParamHolder& params) const
{
    RIR_TRACE("DifficultyManager::setExpelCount");
    params.setFloat(CP_EXPELL_COUNT, (float)(m_nDifficulty + 1));
}

void DifficultyManager::attachShootHint(ISetupTarget& target, const char* pszKey)
{
    RIR_TRACE("DifficultyManager::attachShootHint");
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    if (pszKey)
    {
        bool bShow = true;
        if (m_nDifficulty == 2)
            bShow = false;
        else if (m_nDifficulty == 1 && pApp->getSetting(pszKey) == "FALSE")
            bShow = false;
        pApp->setSetting(pszKey, "FALSE");
        if (!bShow)
            return;
    }
    RIR_TRACE_LINE();
    RIR::SmartPtr<AnimSprite> pHint =
        new AnimSprite(pApp->getAnimationByName("shoothim.anim"), 0, 0, 0);
    target.attachSprite(pHint);
}
