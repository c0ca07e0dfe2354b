// DifficultyManager: the rules of one level.
//
// How long the day lasts, what cash the story demands, which kinds of characters may appear and
// how often, how many fights may run at once, how fast the telekinesis recharges, and the
// parameters every new character receives. The screen that starts a level makes one and hands it
// to the play mode, which owns it for the level and asks it everywhere. It is itself a
// ParamHolder holding the level's rewards ("LP_" keys), and it owns a random generator of its
// own (seeded from the clock; tests seed it through getRandom).
//
// The level number is the story day 0..44 in the story (0 is the tutorial) and the number the
// creator passes in timed games and the campaign. "Story" rules (isLevelAtLeast, isLevelBelow)
// look at the story day and hold always in the other kinds of game; telekinesis, the pianist,
// the patient customer and the thief guard look at the level number in every kind.
//
// Input checks at construction (the values come from settings, save files and campaign data):
// - a difficulty outside 0..2 is clamped into it, with a log line, so a damaged setting plays
//   the nearest difficulty instead of failing at the first spawn;
// - a story day outside 0..44 raises BadParmException "Story level %d out of range".
//
// Usage:
//     DifficultyManager* pDM = new DifficultyManager(GT_STORY, 180, 1, nDay);
//     int nGoal = pDM->getCashGoal();
//     pDM->setupCustomer(target);   // a new customer's parameters and speeds
//
// Main thread only.
#ifndef DBD_LEVEL_DIFFMANAGER_H
#define DBD_LEVEL_DIFFMANAGER_H

#include "level/gametype.h"
#include "world/paramholder.h"

#include "rir2/random.h"
#include "rir2/rirstring.h"

class ISetupTarget;

class DifficultyManager : public ParamHolder
{
public:
    enum
    {
        STORY_LEVELS = 45,    // story days 0..44
        DIFFICULTIES = 3,     // 0 easy, 1 medium, 2 hard
        LONG_DAY_LENGTH = 600 // a day of exactly this many seconds triples the story goal
    };

    // Stores the rules and the six level rewards; in the story also the cash goal of the day.
    // Note the argument order: game type, day length in seconds, difficulty, level.
    DifficultyManager(int nGameType, int nLevelLength, int nDifficulty, int nLevel);
    ~DifficultyManager() override;

    // The difficulty nearest to nDifficulty within 0..2.
    static int clampDifficulty(int nDifficulty);
    // The story table's cash goal of a day before the tripling; 0 for day 0. Raises
    // BadParmException for a day or difficulty out of range.
    static int getStoryCashGoal(int nLevel, int nDifficulty);

    // ---- the level ------------------------------------------------------------------------

    int getLevelLength() const { return m_nLevelLength; }
    int getGameType() const { return m_nGameType; }
    int getDifficulty() const { return m_nDifficulty; }
    // The story's cash goal (tripled on a 600-second day); 0 in other kinds of game.
    int getCashGoal() const;
    // The story day; any other kind of game raises "Assertion failed : getGameType() == GT_STORY".
    int getStoryLevel() const;
    // The level number; a game type outside the three raises "Assertion failed : false".
    int getLevel() const;
    // Story day 0.
    bool isTutorial() const;
    // Story: the day compared with n; other kinds of game: always true.
    bool isLevelAtLeast(int n) const;
    bool isLevelBelow(int n) const;

    // ---- the saloon -----------------------------------------------------------------------

    // Story day 0: 1; story day 1: 4; otherwise 5.
    int getTableCount() const;
    // Tutorial: 1; otherwise two per table.
    int getMaxCustomers() const;
    // Seconds between spawn attempts: 3.5, 3.0, 2.0 by difficulty.
    float getSpawnInterval() const;
    // Fights that may run at once (see the .cpp for the table).
    int getMaxFights() const;
    // Whether a customer throws his empty bottle away; always true.
    bool shouldThrowEmptyMug(int nEmptyMugsOnTables) const;

    bool isTelekinesisEnabled() const;      // level > 24
    float getTelekinesisChargeRate() const; // per second: a full charge in 20, 30, 45 s
    int getTelekinesisShots() const;        // 10 throws per full charge
    float getGuardAwakeTime() const;        // 120 s
    // "dog" for levels 15..19, "mariachi" for 20..29, "" otherwise.
    RIR::String getThiefGuardName() const;
    bool hasPianist() const; // level > 29

    // ---- who may come in ------------------------------------------------------------------

    bool isFightingEnabled() const;   // isLevelAtLeast(2)
    bool isThiefEnabled() const;      // isLevelAtLeast(5)
    bool isWantedEnabled() const;     // isLevelAtLeast(8)
    bool canCowSit() const;           // isLevelAtLeast(13)
    bool isUndertakerEnabled() const; // isLevelAtLeast(23)
    bool isPatientEnabled() const;    // level > 26
    // Not in low-resource mode, and isLevelAtLeast(33).
    bool isSpecialEnabled() const;
    bool isCowEnabled() const; // always
    // The chance that a cow sits down: 0.5, 0.75, 0.8 by difficulty.
    float getCowSitChance() const;

    // Spawn weights of the rarer classes (the plain customer's is 1.0). The level passes its
    // cash and its count of customers.
    float getThiefWeight(int nCash) const;
    float getWantedWeight() const;
    float getUndertakerWeight(int nCustomers) const;
    float getPatientWeight() const;
    float getCowWeight() const;
    float getSpecialWeight() const;

    // Low-resource mode: read from the setting "LowResourcesMode" (exactly "TRUE") when the
    // manager is made and an application exists; false otherwise.
    bool isLowResourcesMode() const { return m_bLowResources; }
    void setLowResourcesMode(bool bLowResources) { m_bLowResources = bLowResources; }

    // ---- character setups -----------------------------------------------------------------
    // Each writes the complete parameter set its class's behaviour reads. The ones that attach a
    // shoot hint need the application (settings and the animation "shoothim.anim").

    void setupCustomer(ISetupTarget& target);
    void setupPatientCustomer(ISetupTarget& target);
    void setupUndertaker(ISetupTarget& target);
    void setupWanted(ISetupTarget& target);
    void setupThief(ISetupTarget& target);
    void setupCow(ISetupTarget& target);
    // The sheriff.
    void setupWalker(ISetupTarget& target);
    // "CP_EXPELL_COUNT" 1, 2, 3 by difficulty.
    void setExpelCount(ParamHolder& params) const;
    // With a key (a first-time setting): shown on easy always, on medium only while the setting
    // is not "FALSE", on hard never, and the setting becomes "FALSE". Without a key (null):
    // always shown. Shown means an AnimSprite of "shoothim.anim" attached to the target. Needs
    // the application: without one, "Assertion failed : pApp".
    void attachShootHint(ISetupTarget& target, const char* pszKey);

    // The manager's own generator (every draw of the setups).
    RIR::Random& getRandom() { return m_random; }

private:
    // 1.25 x (1.5, 1.1, 0.7) by difficulty: how patient customers are.
    float getPatienceFactor() const;

    RIR::Random m_random;
    int m_nLevelLength;
    int m_nDifficulty;
    int m_nGameType;
    int m_nLevel;
    int m_nCashGoal;
    bool m_bLowResources;
};

#endif
