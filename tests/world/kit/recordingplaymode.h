// RecordingPlayMode: a stand-in for the running saloon day, for the world's tests.
//
// It registers itself as the play mode while it lives (restoring the previous registration when
// destroyed) and writes one entry per call into a RecordingLog of the engine's test kit, as
// "play.<call>(<arguments>)": "play.playSound(16, 400)", "play.incStat(3)",
// "play.addFadeText(bang_0, 10, 20, 356, 0.0, 1.0)". Pointers are written as "obj" or "null".
// Questions get the answers the test sets (cash, fight limit, insults, low-resources mode ...).
//
// Usage:
//     RecordingPlayMode play;
//     scene.setDoorOpen(true);
//     EXPECT_EQ(1, play.getLog()->countCalls("play.playSound"));
#ifndef DBD_TESTS_WORLD_KIT_RECORDINGPLAYMODE_H
#define DBD_TESTS_WORLD_KIT_RECORDINGPLAYMODE_H

#include "world/iplaymode.h"

#include "testkit/recordinglog.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class RecordingPlayMode : public IPlayMode
{
public:
    // Shares pLog when given, else keeps a log of its own.
    explicit RecordingPlayMode(const RIR::SmartPtr<RecordingLog>& pLog = RIR::SmartPtr<RecordingLog>());
    ~RecordingPlayMode() override;

    const RIR::SmartPtr<RecordingLog>& getLog() const { return m_pLog; }
    // The entries of one call ("playSound" gives every "play.playSound(...)"), in order.
    RIR::List<RIR::String> calls(const char* pszCall) const;

    // Answers to the level's questions.
    void setCash(int nCash) { m_nCash = nCash; }
    void setThrowEmptyMug(bool bThrow) { m_bThrowEmptyMug = bThrow; }
    // The insult lines nextInsult gives in turn (repeating); "" when none are set.
    void addInsult(const char* pszLine) { m_lInsults.append(pszLine); }
    void setMaxFights(int nMax) { m_nMaxFights = nMax; }
    void setGuardAwakeTime(float fSeconds) { m_fGuardAwakeTime = fSeconds; }
    void setLowResourcesMode(bool bLow) { m_bLowResources = bLow; }
    // countFightingCustomers answers this number plus the watched customers now fighting.
    void setFightingCustomers(int nCount) { m_nFightingCustomers = nCount; }
    // Customers whose fights countFightingCustomers counts (not owned; the test keeps them).
    void watchCustomer(Customer* pCustomer) { m_lWatched.append(pCustomer); }
    void clearWatchedCustomers() { m_lWatched.clear(); }
    void setCharacterIndex(int nIndex) { m_nCharacterIndex = nIndex; }
    void setThiefGuard(ThiefGuard* pGuard) { m_pThiefGuard = pGuard; }
    void setDifficultyManager(ParamHolder* pManager) { m_pDifficulty = pManager; }
    // The screen getPlayScreen answers (not owned); null by default.
    void setPlayScreen(GameMode* pScreen) { m_pScreen = pScreen; }
    // The fade texts handed out, in order (records only; no sprite).
    const RIR::List<RIR::SmartPtr<FadeText>>& getFadeTexts() const { return m_lFadeTexts; }
    int getStat(int nIndex) const;

    void playSound(int nGroup, int nX) override;
    void tutorialEvent(int nEvent) override;
    void showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection) override;
    void addCash(int nAmount) override;
    int getCash() override { return m_nCash; }
    int incStat(int nIndex) override;
    RIR::SmartPtr<FadeText> addFadeText(const char* pszImage, int nX, int nY, int nDepth,
                                        float fRiseSpeed, float fDuration) override;
    void showFadeText(const RIR::SmartPtr<FadeText>& pText, float fAmplitude, float fFrequency,
                      float fPhase) override;
    void flyImage(const char* pszImage, int nX, int nY, int nCash, int nTargetX,
                  int nTargetY) override;
    // Records "play.createMug()" and makes a full mug of the synthetic "mug.anim"
    // (syntheticdolly.h) on the play screen.
    RIR::SmartPtr<Mug> createMug() override;
    void showHandMug(int nHand, Mug* pMug) override;
    void scareCustomers(Customer* pScarer) override;
    bool shouldThrowEmptyMug() override;
    RIR::String nextInsult() override;
    void addStoppedFight(int nFightId) override;
    bool isFightStopped(int nFightId) override;
    void addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite) override;
    GameMode* getPlayScreen() override { return m_pScreen; }
    void removeCharacter(Character* pCharacter) override;
    int getCharacterIndex(const Character* pCharacter) override;
    int countFightingCustomers() override;
    void dumpCharacters() override;
    void replaceWantedPoster() override;
    void newWantedPoster() override;
    ThiefGuard* getThiefGuard() override;
    ParamHolder* getDifficultyManager() override;
    int getMaxFights() override;
    float getGuardAwakeTime() override;
    bool isLowResourcesMode() override;

private:
    RecordingPlayMode(const RecordingPlayMode&) = delete;
    RecordingPlayMode& operator=(const RecordingPlayMode&) = delete;

    IPlayMode* m_pPrevious;
    RIR::SmartPtr<RecordingLog> m_pLog;
    int m_nCash;
    int m_anStats[9];
    bool m_bThrowEmptyMug;
    RIR::List<RIR::String> m_lInsults;
    int m_nNextInsult;
    RIR::List<int> m_lStoppedFights;
    int m_nMaxFights;
    float m_fGuardAwakeTime;
    bool m_bLowResources;
    int m_nFightingCustomers;
    RIR::List<Customer*> m_lWatched; // not owned
    int m_nCharacterIndex;
    ThiefGuard* m_pThiefGuard;   // not owned
    ParamHolder* m_pDifficulty;  // not owned
    GameMode* m_pScreen = nullptr; // not owned
    RIR::List<RIR::SmartPtr<FadeText>> m_lFadeTexts;
};

#endif
