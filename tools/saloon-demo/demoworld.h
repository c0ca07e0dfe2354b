// DemoWorld: the saloon floor of saloon-demo, with test characters coming in through the door,
// wandering from square to square, standing a while and leaving by a side exit.
//
// It stands in for the running saloon day (IPlayMode): it spawns a character every 1.5 s of
// virtual time while fewer than the given number are inside and the entrance corridor lets
// newcomers in, steps every character with a fixed time step, and removes the ones that have
// gone. After closing time nobody comes in any more and everybody heads for the exit; the run is
// over when the saloon is empty. Visitors wander from square to square, and customers and cows
// also take a chair at one of the tables, sit down, ask, drink and get up again. With a screen,
// the floor, the door, tables and chairs are drawn on it as coloured blocks and the visitors are
// the game's generated characters from the built packs (customers dressed from the body
// templates as the level dresses them, cows, the thief, the sheriff; DemoCast); without a screen,
// or without the packs, the visitors are plain test bodies and only the logic matters.
#ifndef DBD_TOOLS_SALOONDEMO_DEMOWORLD_H
#define DBD_TOOLS_SALOONDEMO_DEMOWORLD_H

#include "world/character.h"
#include "world/iplaymode.h"
#include "world/scene.h"

#include "gfx/imagefactory.h"

#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/refcount.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class DemoCast;

class DemoWorld : public IPlayMode
{
public:
    // pScreen may be null (headless); pFactory makes the pictures of the bodies and the door.
    // nScene >= 0 loads "scene<nScene>.scene" from the application's packs with nTables tables
    // instead of the synthetic floor (scenedemo.h).
    DemoWorld(unsigned int nSeed, int nWalkers, GameMode* pScreen, ImageFactory* pFactory,
              int nScene = -1, int nTables = 0);
    ~DemoWorld() override;

    // One step of fDt seconds of virtual time.
    void step(float fDt);
    // No more newcomers; everybody leaves.
    void close() { m_bClosing = true; }
    bool isClosing() const { return m_bClosing; }
    bool isEmpty() const { return m_lCharacters.isEmpty(); }
    int getCameIn() const { return m_nCameIn; }
    int getGone() const { return m_nGone; }
    int getInside() const { return m_lCharacters.getLength(); }
    RIR::Random& random() { return m_random; }
    // The generated cast of the built packs; null when the demo draws plain test bodies.
    DemoCast* getCast() { return m_pCast.get(); }
    // Takes a character made elsewhere (the demo's customers) into the world, counted as come in.
    void addCharacter(const RIR::SmartPtr<Character>& pChar)
    {
        m_lCharacters.append(pChar);
        ++m_nCameIn;
    }
    // "" when every square is free and the corridor is empty, else what is left.
    std::string checkEmptyFloor() const;

    // A chair beside a table: its square (blocked; the sitter stands on the square below it),
    // the side of the table it is on, its pictures and who took it.
    struct Chair
    {
        int nI = 0;
        int nJ = 0;
        bool bRight = false;
        int nBaseX = 0;
        RIR::List<RIR::SmartPtr<Sprite>> lSprites;
        Character* pSitter = nullptr; // not owned
    };
    // A free chair whose front square is free, now taken by the sitter; null when none is.
    Chair* takeFreeChair(Character* pSitter);
    // Where a sitter's feet go on the chair.
    void getSitPos(const Chair& chair, int* pnX, int* pnY) const;
    // Slides the chair away from its table: 0 in, 1 fully out.
    void pullChair(Chair& chair, float fPull);
    // The head's offset from the legs in frame n (0..8) of sitting down; 0, 0 without the packs.
    void headSitOffset(int nFrame, int* pnDx, int* pnDy) const;

    // IPlayMode.
    void playSound(int, int) override {}
    void tutorialEvent(int) override {}
    void showFeatureTip(const char*, int, int, int) override {}
    void addCash(int nAmount) override { m_nCash += nAmount; }
    int getCash() override { return m_nCash; }
    int incStat(int nIndex) override { return nIndex; }
    RIR::SmartPtr<FadeText> addFadeText(const char*, int, int, int, float, float) override;
    void showFadeText(const RIR::SmartPtr<FadeText>&, float, float, float) override {}
    // The money flown to the cash bag is paid at once.
    void flyImage(const char*, int, int, int nCash, int, int) override { m_nCash += nCash; }
    void showHandMug(int, Mug*) override {}
    void scareCustomers(Customer*) override {}
    bool shouldThrowEmptyMug() override { return true; }
    // The lines of the packs' "insults.txt" in turn ("" without it).
    RIR::String nextInsult() override;
    void addStoppedFight(int) override {}
    bool isFightStopped(int) override { return false; }
    void addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite) override;
    GameMode* getPlayScreen() override { return m_pScreen; }
    void removeCharacter(Character* pCharacter) override;
    int getCharacterIndex(const Character* pCharacter) override;
    int countFightingCustomers() override;
    void dumpCharacters() override;
    void replaceWantedPoster() override {}
    void newWantedPoster() override {}
    ThiefGuard* getThiefGuard() override { return m_pGuard; }
    // The rewards of the level: cow 50, thief 100, stopped fights 50/75/100, wanted man 250.
    ParamHolder* getDifficultyManager() override { return &m_level; }
    int getMaxFights() override { return 1; }
    float getGuardAwakeTime() override { return 120.0f; }
    // The guard getThiefGuard answers (not owned; null: none).
    void setThiefGuard(ThiefGuard* pGuard) { m_pGuard = pGuard; }
    bool isLowResourcesMode() override { return false; }

private:
    void spawn();
    void buildFloorPictures();
    RIR::SmartPtr<Animation> bodyPart(int nPart, int nLook);
    RIR::SmartPtr<Image> block(int nW, int nH, int nR, int nG, int nB, int nInsX, int nInsY);
    void readHeadSitOffsets();

    IPlayMode* m_pPrevious;
    GameMode* m_pScreen;     // not owned
    ImageFactory* m_pFactory; // not owned
    RIR::Random m_random;
    RIR::SmartPtr<Scene> m_pScene;
    RIR::SmartPtr<AnimSprite> m_pDoor;
    RIR::List<RIR::SmartPtr<Character>> m_lCharacters;
    RIR::List<Character*> m_lRemoved;
    int m_nMaxWalkers;
    float m_fSpawnTimer;
    bool m_bClosing;
    int m_nCameIn;
    int m_nGone;
    std::vector<Chair> m_lChairs;
    std::unique_ptr<DemoCast> m_pCast; // null: plain test bodies
    std::vector<std::pair<int, int>> m_lHeadSitOffsets;
    int m_nCash = 0;
    ThiefGuard* m_pGuard = nullptr; // not owned
    ParamHolder m_level;
    RIR::List<RIR::String> m_lInsults;
    int m_nNextInsult = 0;
};

#endif
