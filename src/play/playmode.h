// PlayMode: the game mode of one saloon day.
//
// The screen that starts a day (timed games, the story, the campaign) builds a DifficultyManager
// and asks the application for the day's mode (DBDApp::createLevel, which the PlayModeFactory
// answers with a PlayMode). Pushed, the play mode puts up a LoadingDlg and builds the level in 17
// loader steps, one per frame (loadStep: HUD, scene, tables, heroine, sounds, clothes, guard,
// pianist, music). Then every frame it replays one queued click, runs the ambient sounds and the
// crowd murmur, spawns characters, counts the clock down and updates the heroine and every
// character. When the clock runs out (or a story day's cash goal was reached a second earlier)
// the saloon closes: customers are sent out, and when the saloon is empty (or "EndLevelTime"
// seconds later, or at once in the tutorial) the money still in the air is paid, a GameResults
// is handed to DBDApp::setLastResults and GameStatsDlg is pushed. When that dialog closes, the
// next activation ends the mode and the starting screen takes the results.
//
// At most one play mode exists; it registers itself as the world's IPlayMode from construction
// to onEnd (or destruction), and the saloon world calls back into it for sounds, cash, fade
// texts, flying images, statistics, tutorial events, tips and removals.
//
// The operations are spread over files by concern:
//     playmode.cpp        life, frame, clock, closing and results
//     pmload.cpp          the level loader (loadStep)
//     playmode_cash.cpp   cash, statistics, fade texts, flying images, mugs, insults
//     playmode_input.cpp  input, the click queue and telekinesis
//     playmode_spawn.cpp  spawning and the character list
//     playmode_sound.cpp  sound groups, crowd murmur, tutorial and tips
//     playmode_create.cpp character creation, clothes variants and the wanted poster
//
// Usage:
//     DifficultyManager* pDM = new DifficultyManager(GT_TIMED, 180, 1, 5);
//     app->pushMode(new PlayMode(pDM));   // owns pDM
//
// Failures: a second play mode while one exists is the fatal error "Prev PM %08X\n"; the loader's
// missing resources raise the application's resource error; an insult file without lines is the
// fatal error "insults.txt has no lines\n" at load. Main thread only.
#ifndef DBD_PLAY_PLAYMODE_H
#define DBD_PLAY_PLAYMODE_H

#include "shell/dbdmode.h"

#include "level/crowdmurmur.h"
#include "level/pausablelevel.h"
#include "level/spawndraw.h"
#include "level/spawnschedule.h"
#include "level/wantedlook.h"
#include "play/playstats.h"
#include "world/character.h"
#include "world/customer.h"
#include "world/dolly.h"
#include "world/fadetext.h"
#include "world/flything.h"
#include "world/iplaymode.h"
#include "world/mug.h"
#include "world/scene.h"

#include "app/iaudiodriver.h"
#include "gfx/animsprite.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "ui/custombutton.h"
#include "ui/label.h"

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class DifficultyManager;
class LoadingDlg;
#include "world/thiefguard.h"

// One queued click: where it was, and the numbered marker shown there.
struct ActionQueueItem
{
    int nX = 0;
    int nY = 0;
    RIR::SmartPtr<Sprite> pMarker;
};

class PlayMode : public DBDMode, public IPlayMode, public PausableLevel
{
public:
    enum
    {
        STAT_COUNT = 9,       // statistics counters (see incStat)
        LOAD_STEPS = 17,      // loader steps 0..16
        CLOTHES_SUBSTEPS = 40 // calls of makeNextClothesVariant in loader step 14
    };

    // Takes ownership of pDifficulty. Reads "EndLevelTime" (missing: 0), registers as the world's
    // play mode, draws the first ambient time and the first appearances of the rarer classes.
    // nSeed seeds the level's generator; 0 seeds it from the clock.
    explicit PlayMode(DifficultyManager* pDifficulty, unsigned int nSeed = 0);
    ~PlayMode() override;

    // The running play mode; "Assertion failed : s_pPlayMode != NULL" without one.
    static PlayMode* getPlayMode();

    DifficultyManager* getRules() { return m_pDifficultyManager; }
    bool isLoaded() const override { return m_bLoaded; }
    bool isTutorial() const { return m_bTutorial; }
    bool isClosed() const { return m_bClosed; }
    bool isEnded() const { return m_bEnded; }
    // The day's length minus the elapsed level time, truncated toward zero.
    int getRemainingTime() const;
    float getElapsed() const { return m_fElapsed; }
    Scene* getScene() const { return m_pScene.get(); }
    Dolly* getDolly() const { return m_pDolly.get(); }
    const RIR::List<RIR::SmartPtr<Character>>& getCharacters() const { return m_lCharacters; }
    // Lets a character into the day: it is updated every frame from now on.
    void addCharacter(const RIR::SmartPtr<Character>& pCharacter);

    // --- GameMode slots (life and frame: playmode.cpp) -------------------------------------
    // Pushes the LoadingDlg, loads the cursor, hides the mode and drops the frame delay.
    void onStart() override;
    // Saves the settings, stops the murmur channel, releases the level, unregisters, stops the
    // music.
    void onEnd() override;
    // Ends the mode once the statistics were shown; shows a story day's PreLevelDlg once after
    // loading; ends when a result is pending; refreshes the cursor.
    void onActivate() override;
    // Gives the covering mode the theme's default cursor.
    void onDeactivate(GameMode* pNewTop) override;
    // One frame: the loader while loading, else the day (nothing once the day has ended).
    void update(float fDt) override;

    // --- Input, click queue, telekinesis (playmode_input.cpp) --------------------------------
    // 1 leave the level (aborted results), 2 telekinesis on, 3 options.
    void onCallback(int nId, int nParam) override;
    // Escape opens the options; 'd' with exactly the left Alt (0x100) writes the characters and
    // scene dumps; the arrow keys are held until released.
    bool keyDown(int nKey, int nModifiers) override;
    // Releases the arrow keys.
    bool keyUp(int nKey, int nModifiers) override;
    // A click on the guard, a character or a spot; queued while the heroine is busy. Always true.
    bool mouseDown(int nButtonMask, int nX, int nY) override;
    // Pushes the options dialog over the level.
    void showOptions() override;
    // The topmost clickable character at (nX, nY) whose depth is below *pDepth (-1: any).
    void pickCharacterAt(int nX, int nY, RIR::SmartPtr<Character>& pOut, int* pDepth,
                         bool bIncludeFighting);
    // Queues a click (at most four) with its marker.
    void queueClick(int nX, int nY);
    void renumberQueueMarkers();
    void clearActionQueue();
    // Frame step: when the heroine is idle, replays the first queued click.
    void replayQueuedClick();
    // Idle help: hurries the customer who waited longest once the player is idle.
    void hurryWaitingCustomer(float fDt);
    void updateTelekinesisCharge(float fDt);
    void refreshTelekinesisBar(bool bForce);

    // --- Spawning and the character list (playmode_spawn.cpp) --------------------------------
    // Class -1 draws one from the weights; 5 sends the sheriff.
    void spawnCharacter(int eClass);
    // Frame step: helps a due first appearance of a rarer class.
    void updateFirstAppearance(float fDt);
    // Frame step: sends the sheriff after a wanted man was caught.
    void updateSheriff(float fDt);
    void removeCharacter(Character* pCharacter) override;
    int countCustomers() const;
    int countFightingCustomers() override;
    RIR::SmartPtr<Character> findCharacterOfClass(int eClass) const;
    bool isAnyCharacterWaitingToLeave() const;
    int getCharacterIndex(const Character* pCharacter) override;
    // Writes "*** Character dump ***" and a describeCharacter line per character to the log.
    void dumpCharacters() override;
    // "<address> (<class>) : <x>, <y> [<column>, <row>] St <state>" and a line feed.
    RIR::String describeCharacter(Character* pCharacter) const;
    void replaceWantedPoster() override;
    // The standing, right-facing picture of the character's head part (for the poster): its
    // layers composed, trimmed to the pixels they cover.
    RIR::SmartPtr<Image> renderStandingImage(Character* pCharacter);
    // The spawn bookkeeping and the sheriff's call, read by tests and tools.
    const SpawnSchedule& getSpawnSchedule() const { return m_spawnSchedule; }
    bool isSheriffDue() const { return m_bSheriffDue; }
    float getSheriffTimer() const { return m_fSheriffTimer; }
    // Who is inside, as spawning sees it.
    SpawnCensus takeCensus() const;
    // The entrance column (0 or 10, the first looked at drawn by a coin) whose street square is
    // free; -1 when both are taken.
    int findEntranceColumn();

    // --- Cash, statistics and effects (playmode_cash.cpp) ------------------------------------
    void addCash(int nAmount) override;
    int getCash() override { return m_nCash; }
    // Shows the bag's fill level and the cash text.
    void refreshCashBag();
    // Where money flies to: always (730, 440).
    void getCashBagPos(int* pX, int* pY) const;
    int incStat(int nIndex) override;
    int getStat(int nIndex) const;
    // The story's running score carried in from earlier days; a negative total fails
    // "Assertion failed : nTotal >= 0".
    void setScoreTotal(int nTotal);
    int getScoreTotal() const { return m_nScoreTotal; }
    RIR::SmartPtr<FadeText> addFadeText(const char* pszImage, int nX, int nY, int nDepth,
                                        float fRiseSpeed, float fDuration) override;
    void showFadeText(const RIR::SmartPtr<FadeText>& pText, float fAmplitude, float fFrequency,
                      float fPhase) override;
    // Advances a fade text by dt (bForce: redraw even without a change); false once expired.
    bool stepFadeText(const RIR::SmartPtr<FadeText>& pText, float fDt, bool bForce);
    void updateFadeTexts(float fDt);
    // A missing picture flies as a red 50 x 25 box (with a warning).
    void flyImage(const char* pszImage, int nX, int nY, int nCash, int nTargetX = -1,
                  int nTargetY = -1) override;
    // Lands what arrived: pays its value with the till's sound.
    void updateFlyThings(float fDt);
    // Pays every flying value at once (the end of the day); nothing is paid twice.
    void cashInFlyThings();
    void showHandMug(int nHand, Mug* pMug) override;
    RIR::SmartPtr<Mug> createMug() override;
    void scareCustomers(Customer* pScarer) override;
    bool shouldThrowEmptyMug() override;
    RIR::String nextInsult() override;
    void addStoppedFight(int nFightId) override;
    bool isFightStopped(int nFightId) override;
    void addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite) override;
    // Advances the animated sprites, then blinks the tutorial pointer.
    void updateAnimSprites(float fDt);

    // --- Sounds, tutorial and tips (playmode_sound.cpp) --------------------------------------
    // Registers a sample (from the application's cache) in a sound group.
    void addSound(int nGroup, const char* pszSample);
    void playSound(int nGroup, int nX) override;
    // The murmur follows the taken chairs (not in low-resource mode).
    void updateCrowdMurmur(float fDt);
    void tutorialEvent(int nEvent) override;
    // The actions of tutorial message nStep (0..7): pointer, what the customer does next, the
    // awaited event, which spots a click may use and whether clicks are taken.
    void runTutorialStep(int nStep);
    void resetTutorial();
    void showTutorialPointer(const char* pszImage, int nX, int nY);
    void hideTutorialPointer();
    // Frame step: blinks the pointer (after the animated sprites).
    void updateTutorialPointer(float fDt);
    // Frame step: releases a held tutorial event.
    void updateTutorialHold(float fDt);
    void showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection) override;

    // --- Character creation and the poster (playmode_create.cpp) -----------------------------
    // A new character of the class with its parameters and clothes (not yet in the saloon).
    RIR::SmartPtr<Character> createCharacter(int eClass);
    void applyHeadLook(Character* pCharacter, const WantedLook& look, bool bHatAllowed);
    void newWantedPoster() override;
    // One clothes sub-step per call; false at the last one.
    bool makeNextClothesVariant();
    void makeTorsoVariant(int nA, int nB, const char* pszRemap, const char* pszName);
    void makePantsVariant(int nC, const char* pszRemap, const char* pszName);
    void makeBootsVariant(int nC, const char* pszRemap, const char* pszName);
    void makeShawlVariant(int nD, int nC, const char* pszRemap, const char* pszName);
    void makeArmsVariant(int nSkin, int nV);
    void makeUndertakerClothes();
    void makeSpecialArms();
    void makePinkClothes();
    // A variant name drawn from a clothes pool with the level's generator.
    RIR::String drawVariant(const RIR::List<RIR::String>& lPool);
    // The clothes pools (variant 1 or 2 for torsos and shawls) and the poster's look (null
    // before the first poster), read by tests and tools.
    const RIR::List<RIR::String>& getTorsoPool(int nVariant) const { return m_lTorsos[nVariant]; }
    const RIR::List<RIR::String>& getPantsPool() const { return m_lPants; }
    const RIR::List<RIR::String>& getShawlPool(int nVariant) const { return m_lShawls[nVariant]; }
    const RIR::List<RIR::String>& getBootsPool() const { return m_lBoots; }
    const RIR::List<RIR::String>& getSpecialTorsoPool() const { return m_lSpecialTorsos; }
    const WantedLook* getWantedLook() const { return m_pWantedLook; }
    int getVariantStep() const { return m_nVariantStep; }

    // --- The level loader (pmload.cpp) -------------------------------------------------------
    // Performs loader step m_nLoadStep; true only for the call that performs the last step.
    bool loadStep();
    // Reads "insults.txt" into m_lInsults and shuffles it.
    void loadInsults();
    int getLoadStep() const { return m_nLoadStep; }
    const RIR::String& getMusicName() const { return m_sMusic; }

    // --- The world's questions (IPlayMode) ---------------------------------------------------
    GameMode* getPlayScreen() override { return this; }
    ThiefGuard* getThiefGuard() override { return m_pThiefGuard.get(); }
    ParamHolder* getDifficultyManager() override;
    int getMaxFights() override;
    float getGuardAwakeTime() override;
    bool isLowResourcesMode() override;

    // --- Frame parts (playmode.cpp) ----------------------------------------------------------
    // The clock hand, the last 15 seconds' warning and bell, the elapsed time.
    void updateClock(float fDt);
    // Chooses the cursor from the character under the mouse every 0.1 s.
    void updateHoverCursor(float fDt);
    // Restarts the clock at 0 and draws it once (the loader).
    void resetClock();

    // Read by tests and tools.
    int getClockIndex() const { return m_nClockIndex; }
    int getBellCount() const { return m_nBellCount; }
    float getEndLevelTime() const { return m_fEndLevelTime; }
    float getGoalTimer() const { return m_fGoalTimer; }
    const RIR::SmartPtr<Sprite>& getBigText() const { return m_pBigText; }
    const RIR::SmartPtr<Sprite>& getCashBag() const { return m_pCashBag; }
    int getMurmurChannel() const { return m_nMurmurChannel; }
    const RIR::List<RIR::SmartPtr<FlyThing>>& getFlyThings() const { return m_lFlyThings; }
    const RIR::List<RIR::SmartPtr<FadeText>>& getFadeTexts() const { return m_lFadeTexts; }
    const RIR::List<RIR::String>& getInsults() const { return m_lInsults; }
    RIR::Random& getRandom() { return m_Random; }
    // Input, telekinesis and tutorial state, read by tests and tools.
    const RIR::List<ActionQueueItem*>& getActionQueue() const { return m_lActionQueue; }
    const RIR::SmartPtr<Sprite>& getCurrentMarker() const { return m_pCurrentMarker; }
    float getIdleTime() const { return m_fIdleTime; }
    float getTelekinesisCharge() const { return m_fTelekinesisCharge; }
    int getTelekinesisShots() const { return m_nTelekinesisShots; }
    bool isTelekinesisOn() const { return m_bTelekinesis; }
    const RIR::SmartPtr<CustomButton>& getTelekinesisButton() const { return m_pTelekinesisButton; }
    const RIR::SmartPtr<Sprite>& getTelekinesisChargeSprite() const { return m_pTelekinesisCharge; }
    bool isInputLocked() const { return m_bInputLocked; }
    int getTutorialStep() const { return m_nTutorialStep; }
    int getTutorialExpected() const { return m_nTutorialExpected; }
    int getTutorialRestriction() const { return m_nTutorialRestriction; }
    const RIR::SmartPtr<Sprite>& getTutorialPointer() const { return m_pTutorialPointer; }
    const RIR::SmartPtr<Sample>& getMurmurSample() const { return m_pMurmurSample; }

private:
    // Ends the day: pays what is in the air, hands the results over, shows the statistics.
    void endDay();
    // Drops the scene, the characters, the heroine, the rules, the guard and the click queue.
    void releaseLevel();
    // Puts a sprite of the picture, with its insertion point set by nAlign, on the level.
    RIR::SmartPtr<Sprite> addHudSprite(const char* pszImage, int nAlign, int nX, int nY,
                                       int nDepth);
    // The big centred text ("text_hurryup", ...), made when missing.
    void showBigText(const char* pszImage);
    // Loader step helpers (pmload.cpp).
    void loadHudCash();
    void loadHudFrame();
    void loadBorders();
    void loadTables();
    void loadHeroine();
    void loadSampleList();
    bool loadNextSample();
    void registerSoundGroups();
    void loadPianist();
    void finishLoading();

    static PlayMode* s_pPlayMode;

    bool m_abArrowHeld[4];                          // up, down, left, right
    float m_fSpawnTimer;                            // seconds until the next spawn attempt
    // Per class: last spawn (m_anLastSpawnTime), minimum gap (m_anMinSpawnGap), first
    // appearance (m_afFirstAppearance) and whether it needs help (m_abFirstAppearanceDone).
    SpawnSchedule m_spawnSchedule;
    DifficultyManager* m_pDifficultyManager;        // owned
    RIR::Random m_Random;                           // the level's generator
    RIR::List<RIR::String> m_lInsults;              // shuffled insult lines
    RIR::SmartPtr<Label> m_pCashLabel;              // HUD cash text
    RIR::SmartPtr<Sprite> m_pCashBag;               // HUD cash bag
    int m_nCash;                                    // never negative
    RIR::List<RIR::SmartPtr<FlyThing>> m_lFlyThings;
    RIR::List<RIR::SmartPtr<FadeText>> m_lFadeTexts;
    RIR::SmartPtr<Sprite> m_pHandSprite[2];         // what each hand holds
    RIR::SmartPtr<Sprite> m_pWantedPosterSprite;
    RIR::List<RIR::SmartPtr<AnimSprite>> m_lAnimSprites;
    bool m_bSheriffDue;
    float m_fSheriffTimer;
    RIR::SmartPtr<Scene> m_pScene;
    RIR::SmartPtr<Dolly> m_pDolly;
    RIR::List<RIR::SmartPtr<Character>> m_lCharacters;
    RIR::List<RIR::SmartPtr<Character>> m_lRemovedCharacters;
    WantedLook* m_pWantedLook;                      // owned; the poster's look, null before one
    RIR::SmartPtr<ThiefGuard> m_pThiefGuard;        // the level's guard, or null
    RIR::List<int> m_lStoppedFights;
    LoadingDlg* m_pLoadingDlg;                      // owned by the application once pushed
    bool m_bLoaded;
    int m_nLoadStep;
    RIR::List<RIR::String> m_lPreloadSamples;
    RIR::SmartPtr<Sprite> m_pClock;                 // the clock hand
    float m_fClockTimer;                            // seconds until the hand is redrawn
    int m_nClockIndex;                              // the "clock_%d" shown, -1 before the first
    float m_fHurryBlinkTimer;
    float m_fElapsed;                               // level time in seconds
    int m_anStats[STAT_COUNT];
    bool m_bTutorial;
    // Tutorial state.
    int m_nTutorialStep;
    int m_nTutorialExpected;
    int m_nTutorialRestriction;                     // 1 the mug source only, 2 table seats only
    bool m_bInputLocked;
    float m_fTutorialDelay;
    int m_nTutorialPending;
    RIR::SmartPtr<Sprite> m_pTutorialPointer;
    float m_fPointerBlink;
    float m_fIdleTime;                              // seconds since the heroine was sent
    RIR::Hash<int, RIR::List<RIR::SmartPtr<Sample>>> m_hSoundGroups;
    // Telekinesis state.
    bool m_bTelekinesis;
    float m_fTelekinesisCharge;
    int m_nTelekinesisShots;
    RIR::SmartPtr<Sprite> m_pTelekinesisCharge;
    RIR::SmartPtr<Sprite> m_pTelekinesisBar;
    RIR::SmartPtr<CustomButton> m_pTelekinesisButton;
    bool m_bEnded;                                  // the results are out
    bool m_bPreLevelShown;
    bool m_bStatsShown;
    float m_fGoalTimer;                             // below 0 when not running
    RIR::SmartPtr<Sprite> m_pBigText;
    int m_nBellCount;                               // blinks since the last bell
    bool m_bClosed;
    bool m_bNoMoreSpawns;
    // Clothes variants.
    RIR::List<RIR::String> m_lTorsos[3];            // [1], [2] used
    RIR::List<RIR::String> m_lPants;
    RIR::List<RIR::String> m_lShawls[3];            // [1], [2] used
    RIR::List<RIR::String> m_lBoots;
    RIR::List<RIR::String> m_lSpecialTorsos;
    int m_nVariantStep;
    // Crowd murmur state: the channel (-1 before it starts), the sample, and the loudness with
    // its target and timer.
    int m_nMurmurChannel;
    RIR::SmartPtr<Sample> m_pMurmurSample;
    CrowdMurmur m_murmur;
    RIR::SmartPtr<Image> m_pCursorImage;            // "cursor_sight"
    float m_fHoverTimer;
    float m_fSinceClosing;
    int m_nScoreTotal;
    float m_fAmbientTimer;
    RIR::String m_sMusic;
    float m_fEndLevelTime;
    RIR::List<ActionQueueItem*> m_lActionQueue;     // owned records
    bool m_bReplaying;
    int m_nLastClickX;
    int m_nLastClickY;
    RIR::SmartPtr<Sprite> m_pCurrentMarker;
    PlayStats m_stats;                              // the day as the statistics dialog reads it
};

#endif
