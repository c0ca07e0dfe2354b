// The character: the activity driver, the road in through the door and out by a side exit,
// sequence names and their fallbacks, the walk cycle and its scale, depths, facing and placement,
// expelling by clicks, the shot effect, and the body leaving the screen with the character.
#include "world/character.h"
#include "world/scene.h"
#include "world/worldrandom.h"

#include "world/kit/syntheticanimation.h"
#include "worldtest.h"

#include "app/gamemode.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{

const int ST_INSIDE = 100;

// A character whose class state 100 only stands; it records its state changes.
class TestCharacter : public Character
{
public:
    TestCharacter() { setEnterState(ST_INSIDE); }

    // As every class does: activity 0 and the road from the street.
    void start() override
    {
        setState(ST_GO_TO_DOOR);
        Character::start();
    }

    void updateState(float fDt) override
    {
        if (m_nState != ST_INSIDE)
            Character::updateState(fDt);
    }
    void onStateChange(int nOld, int nNew) override
    {
        m_sChanges += std::to_string(nOld) + ">" + std::to_string(nNew) + " ";
    }
    std::string m_sChanges;
};

class CharacterTest : public WorldTest
{
protected:
    CharacterTest() { m_play.setPlayScreen(&m_screen); }
    ~CharacterTest() override
    {
        for (int n = 0; n < m_lChars.getLength(); ++n)
            m_lChars.get(n)->unmarkSquares();
    }

    // A character with every part dressed in the synthetic body, placed at the centre of (i, j).
    RIR::SmartPtr<TestCharacter> character(int nI, int nJ)
    {
        RIR::SmartPtr<TestCharacter> pChar = new TestCharacter;
        for (int nPart = 0; nPart < Character::PART_COUNT; ++nPart)
            pChar->addPartAnimation(nPart, makeBodyPartAnimation(nPart));
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(nI, nJ, &nX, &nY, 0x24);
        pChar->placeAt(nX, nY);
        pChar->setSpeed(140, 100);
        m_lChars.append(pChar);
        return pChar;
    }

    // Updates of fDt until the state is nState (or nMax updates); true when it was reached.
    static bool runUntilState(Character* pChar, int nState, float fDt = 1.0f / 30.0f, int nMax = 3000)
    {
        for (int n = 0; n < nMax; ++n)
        {
            if (pChar->getState() == nState)
                return true;
            pChar->update(fDt);
        }
        return pChar->getState() == nState;
    }

    static std::string sequence(Character* pChar, int nPart)
    {
        return pChar->getPartSprite(nPart)->getSequenceName().c_str();
    }

    GameMode m_screen;
    RIR::List<RIR::SmartPtr<TestCharacter>> m_lChars;
};

} // namespace

TEST_F(CharacterTest, TheDriverStartsFirstAndRunsTheStatesFromTheNextFrame)
{
    RIR::SmartPtr<TestCharacter> pChar = character(0, 0);
    pChar->start();
    pChar->update(0.02f); // activity 0: the body starts, the state machine does not run
    EXPECT_EQ(Character::ACT_STATES, pChar->getActivity());
    EXPECT_EQ(Character::ST_GO_TO_DOOR, pChar->getState());
    EXPECT_FALSE(pChar->isWalking());
    pChar->update(0.02f);
    EXPECT_EQ(Character::ST_WALKING, pChar->getState());
    EXPECT_TRUE(pChar->isStateQueued(Character::ST_COME_IN));
    EXPECT_EQ("walk_l_1s", sequence(pChar.get(), Character::PART_LEGS)); // turns at the first step
}

TEST_F(CharacterTest, ATimedWaitEndsOnlyBelowZero)
{
    RIR::SmartPtr<TestCharacter> pChar = character(3, 3);
    pChar->queueState(42);
    pChar->playAnimFor(0.5f, "stand_", "");
    EXPECT_TRUE(pChar->inWaitingState());
    EXPECT_EQ("stand_l", sequence(pChar.get(), Character::PART_TORSO));
    EXPECT_EQ("stand_r_l", sequence(pChar.get(), Character::PART_RIGHT_ARM));
    pChar->update(0.25f);
    pChar->update(0.25f); // exactly 0 left
    EXPECT_TRUE(pChar->inWaitingState());
    EXPECT_FLOAT_EQ(0.0f, pChar->getWaitTime());
    pChar->update(0.001f);
    EXPECT_EQ(42, pChar->getState());
    EXPECT_FALSE(pChar->inWaitingState());
    EXPECT_EQ("AssertFailException: Assertion failed : inWaitingState()",
              messageOf([&] { pChar->getWaitTime(); }));
    EXPECT_EQ("AssertFailException: Assertion failed : false",
              messageOf([&] { pChar->nextState(); }));
}

TEST_F(CharacterTest, PlayedToTheEndTheNextStateRunsInTheSameFrame)
{
    RIR::SmartPtr<TestCharacter> pChar = character(3, 3);
    pChar->queueState(Character::ST_LEAVE);
    pChar->playAnimOnce("walk_", "_1s"); // 4 frames at 10 per second, not looping
    int nUpdates = 0;
    while (pChar->getActivity() == Character::ACT_TO_END && nUpdates < 100)
    {
        pChar->update(0.05f);
        ++nUpdates;
    }
    EXPECT_NEAR(8, nUpdates, 1);
    // State 8 ran at once: the walk out along the street started in the same update.
    EXPECT_EQ(Character::ST_WALKING, pChar->getState());
    EXPECT_TRUE(pChar->isStateQueued(Character::ST_GONE));
}

TEST_F(CharacterTest, TheRoadInThroughTheDoorAndOutByASideExit)
{
    addSyntheticDoor(m_pScene.get());
    RIR::SmartPtr<TestCharacter> pChar = character(0, 0);
    ASSERT_TRUE(m_pScene->reserveCorridor(pChar, Scene::CORRIDOR_IN, false));
    pChar->start();
    ASSERT_TRUE(runUntilState(pChar.get(), ST_INSIDE));
    int nX = 0;
    int nY = 0;
    pChar->getPos(&nX, &nY);
    EXPECT_EQ(400, nX); // the first square inside, bottom edge
    EXPECT_EQ(219, nY);
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.playSound(16, 400)"));
    std::string sChanges = pChar->m_sChanges; // without the re-plans of long walks
    for (size_t n = sChanges.find("2>2 "); n != std::string::npos; n = sChanges.find("2>2 "))
        sChanges.erase(n, 4);
    EXPECT_EQ("0>10 10>2 2>5 5>2 2>100 ", sChanges);

    // Out: back to the door, then along the street to column 10 (the key exists, value 0).
    m_pScene->unreserveCorridor(pChar, Scene::CORRIDOR_IN);
    ASSERT_TRUE(m_pScene->reserveCorridor(pChar, Scene::CORRIDOR_OUT, false));
    pChar->setFloat(CP_ALWAYS_EXIT_RIGHT, 0.0f);
    pChar->setState(Character::ST_TURN_BACK);
    EXPECT_TRUE(pChar->isLeaving());
    ASSERT_TRUE(runUntilState(pChar.get(), Character::ST_GONE));
    pChar->getPos(&nX, &nY);
    EXPECT_EQ(760, nX);
    EXPECT_EQ(175, nY);
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.playSound(17, 400)"));
    EXPECT_EQ(0, m_play.getLog()->countCalls("play.removeCharacter(obj)"));
    pChar->update(0.02f);
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.removeCharacter(obj)"));
    EXPECT_TRUE(m_pScene->getCorridor().isEmpty());
    EXPECT_TRUE(pChar->getSquare().isNull());
    EXPECT_TRUE(m_pScene->getSquare(10, 0)->pWalkObj.isNull());
}

TEST_F(CharacterTest, TheExitSideFollowsTheRuntimeGeneratorWithoutTheKey)
{
    // Odd draws leave by column 1, even ones by column 10.
    for (unsigned int nSeed = 1; nSeed <= 6; ++nSeed)
    {
        std::srand(nSeed);
        const int nExpected = (std::rand() & 1) ? 112 : 760;
        std::srand(nSeed);
        RIR::SmartPtr<TestCharacter> pChar = character(5, 0);
        pChar->setState(Character::ST_LEAVE);
        pChar->update(0.01f);
        int nX = 0;
        int nY = 0;
        pChar->getTarget(&nX, &nY);
        EXPECT_EQ(nExpected, nX) << nSeed;
        pChar->stopWalking();
        pChar->unmarkSquares();
    }
}

TEST_F(CharacterTest, SequenceNamesFallBackToFewerVariants)
{
    struct Case
    {
        const char* pszSequences; // of the torso animation, blank-separated
        const char* pszPlays;     // "" when nothing plays
    } const cases[] = {
        {"sit_l_a_b sit_l_a sit_l", "sit_l_a_b"},
        {"sit_l_a sit_l", "sit_l_a"},
        {"sit_l", "sit_l"},
        {"sit_l_b sit_l", "sit_l"}, // never the second variant alone
        {"sit_l_b", ""},
        {"sit_r", ""},
    };
    for (const Case& c : cases)
    {
        SyntheticAnimation anim;
        anim.sequence("idle", 1, true);
        const RIR::List<RIR::String> lNames = RIR::String(c.pszSequences).split();
        for (int n = 0; n < lNames.getLength(); ++n)
            anim.sequence(lNames.get(n).c_str(), 2, true);
        RIR::SmartPtr<TestCharacter> pChar = new TestCharacter;
        RIR::SmartPtr<AnimSprite> pTorso = pChar->addPartAnimation(Character::PART_TORSO, anim.build());
        pChar->setPartVariant(Character::PART_TORSO, "_a", "_b");
        const bool bPlays = pChar->setPartAnim(Character::PART_TORSO, "sit_", "");
        EXPECT_EQ(c.pszPlays[0] != '\0', bPlays) << c.pszSequences;
        EXPECT_EQ(bPlays, pTorso->isPlaying());
        if (bPlays)
        {
            EXPECT_EQ(c.pszPlays, std::string(pTorso->getSequenceName().c_str()));
        }
        else
        {
            EXPECT_TRUE(pTorso->getImage().isNull()); // stopped, shows nothing
        }
    }
}

TEST_F(CharacterTest, WithoutANameTheSpritesKeepTheirSequences)
{
    RIR::SmartPtr<TestCharacter> pChar = character(3, 3);
    pChar->playAnimFor(1.0f, "stand_", "");
    pChar->setState(ST_INSIDE); // neither walking nor an explicit activity
    EXPECT_EQ("stand_l", sequence(pChar.get(), Character::PART_TORSO));
    EXPECT_EQ("stand_l_l", sequence(pChar.get(), Character::PART_LEFT_ARM));
}

TEST_F(CharacterTest, TheWalkCycleAlternatesItsStepsAndFollowsTheScale)
{
    RIR::SmartPtr<TestCharacter> pChar = character(2, 3);
    ASSERT_TRUE(pChar->walkTo(40 + 72 * 9, 265));
    pChar->queueState(ST_INSIDE);
    EXPECT_EQ("walk_l_1s", sequence(pChar.get(), Character::PART_LEGS));
    // It turns right at the first step; 4 frames at 10 per second: the cycle restarts after 0.4 s,
    // with the other step.
    std::vector<std::string> lSeen(1, sequence(pChar.get(), Character::PART_LEGS));
    for (int n = 0; n < 50; ++n)
    {
        pChar->update(0.02f);
        const std::string s = sequence(pChar.get(), Character::PART_LEGS);
        if (s != lSeen.back())
            lSeen.push_back(s);
    }
    const std::vector<std::string> lExpected = {"walk_l_1s", "walk_r_2s", "walk_r_1s", "walk_r_2s"};
    EXPECT_EQ(lExpected, lSeen);

    // At three quarters of the speed a frame lasts 0.133 s instead of 0.1 s.
    for (float fScale : {1.0f, 0.75f})
    {
        const int nRow = fScale == 1.0f ? 8 : 10;
        RIR::SmartPtr<TestCharacter> pSlow = character(2, nRow);
        pSlow->setWalkAnimScale(fScale);
        ASSERT_TRUE(pSlow->walkTo(40 + 72 * 9, 175 + 30 * nRow));
        pSlow->queueState(ST_INSIDE);
        pSlow->update(0.001f); // the first update shows frame 0
        pSlow->update(0.115f);
        EXPECT_EQ(fScale == 1.0f ? 1 : 0, pSlow->getPartSprite(Character::PART_LEGS)->getFrame())
            << fScale;
    }
}

TEST_F(CharacterTest, DepthsFollowTheRowZDeltaAndShadows)
{
    RIR::SmartPtr<Animation> pPlain = SyntheticAnimation().sequence("stand_l", 1, true).build();
    RIR::SmartPtr<Animation> pRaised = SyntheticAnimation()
                                           .sequence("stand_l", 1, true)
                                           .frameProp("stand_l", 0, "zdelta", "3")
                                           .build();
    RIR::SmartPtr<Animation> pLowered = SyntheticAnimation()
                                            .sequence("stand_l", 1, true)
                                            .frameProp("stand_l", 0, "zdelta", "-2")
                                            .build();
    RIR::SmartPtr<Animation> pShadow = SyntheticAnimation()
                                           .sequence("stand_l", 1, true)
                                           .frameProp("stand_l", 0, "isshadow", "1")
                                           .build();
    RIR::SmartPtr<TestCharacter> pChar = new TestCharacter;
    m_lChars.append(pChar);
    RIR::SmartPtr<AnimSprite> apSprites[4] = {
        pChar->addPartAnimation(Character::PART_TORSO, pPlain),
        pChar->addPartAnimation(Character::PART_TORSO, pRaised),
        pChar->addPartAnimation(Character::PART_TORSO, pLowered),
        pChar->addPartAnimation(Character::PART_LEGS, pShadow),
    };
    RIR::SmartPtr<AnimSprite> pMarker = new AnimSprite(pPlain, 0, 0, 0);
    pChar->attachSprite(pMarker);
    pChar->placeAt(400, 295); // row 4: row depth 406
    pChar->playAnimFor(1.0f, "stand_", "");
    EXPECT_EQ(456, pChar->getDepth());
    EXPECT_EQ(456, apSprites[0]->getZOrder());
    EXPECT_EQ(459, apSprites[1]->getZOrder());
    EXPECT_EQ(454, apSprites[2]->getZOrder());
    EXPECT_EQ(2, apSprites[3]->getZOrder());
    EXPECT_EQ(466, pMarker->getZOrder());
    // One row down, the next frame's sync moves them all.
    pChar->placeAt(400, 325);
    pChar->update(0.01f);
    EXPECT_EQ(556, apSprites[0]->getZOrder());
    EXPECT_EQ(559, apSprites[1]->getZOrder());
    EXPECT_EQ(2, apSprites[3]->getZOrder());
    pChar->removeAttachSprite();
    EXPECT_EQ("AssertFailException: Assertion failed : m_pAttachSprite",
              messageOf([&] { pChar->removeAttachSprite(); }));
}

TEST_F(CharacterTest, FacingFollowsTheMotionAndHorizontalMotionWins)
{
    struct Case
    {
        int nStartDir;
        int nDX, nDY;
        int nDir;
    } const cases[] = {
        {1, 72, 0, 0},    // right
        {0, -72, 0, 1},   // left
        {1, 0, 30, 3},    // straight down
        {1, 0, -30, 2},   // straight up
        {0, -72, 30, 1},  // down-left faces left
        {1, 72, -30, 0},  // up-right faces right
        {2, 0, 0, 2},     // standing: unchanged
    };
    RIR::SmartPtr<TestCharacter> pChar = character(3, 3);
    for (const Case& c : cases)
    {
        pChar->setDirection(c.nStartDir);
        pChar->setHeading(c.nDX, c.nDY);
        pChar->updateFacing();
        EXPECT_EQ(c.nDir, pChar->getDirection()) << c.nDX << "," << c.nDY;
    }
    // setDirection also sets the heading and places the body by the facing's offsets.
    RIR::SmartPtr<Animation> pShadow = SyntheticAnimation()
                                           .sequence("stand_d", 1, true)
                                           .frameProp("stand_d", 0, "isshadow", "1")
                                           .build();
    RIR::SmartPtr<AnimSprite> pShadowSprite = pChar->addPartAnimation(Character::PART_LEGS, pShadow);
    const int anBodyDy[4] = {15, 15, 21, 44};
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        pChar->setDirection(nDir);
        int nDX = 0;
        int nDY = 0;
        pChar->getHeading(&nDX, &nDY);
        EXPECT_EQ(nDir == 0 ? 1 : nDir == 1 ? -1 : 0, nDX);
        EXPECT_EQ(nDir == 2 ? -1 : nDir == 3 ? 1 : 0, nDY);
        EXPECT_EQ(256, pChar->getPartSprite(Character::PART_TORSO)->getX());
        EXPECT_EQ(265 + anBodyDy[nDir], pChar->getPartSprite(Character::PART_TORSO)->getY());
    }
    pChar->playAnimFor(1.0f, "stand_", ""); // facing down: the shadow frame
    pChar->syncSprites(true);
    EXPECT_EQ(265 + 44 - 10, pShadowSprite->getY());
    pChar->setSpriteDx(7);
    EXPECT_EQ(263, pShadowSprite->getX());
}

TEST_F(CharacterTest, ClicksExpelAfterTheCountAndTurnANewcomerBack)
{
    worldRandom().seed(5);
    RIR::SmartPtr<TestCharacter> pChar = character(5, 0);
    pChar->setBool(CP_CAN_BE_STOPPED, true);
    pChar->setFloat(CP_EXPELL_COUNT, 2.0f);
    pChar->setState(Character::ST_COME_IN); // on the door square, about to come in
    pChar->queueState(ST_INSIDE);

    pChar->onClick(410, 150);
    EXPECT_EQ(1, pChar->getInt(CP_EXPELL_COUNT));
    EXPECT_EQ(Character::ST_COME_IN, pChar->getState());
    const RIR::List<RIR::String> lShots = m_play.calls("addFadeText");
    ASSERT_EQ(3, lShots.getLength());
    const char* const apszNames[3] = {"bang_1", "bang_0", "bang_1"};
    for (int n = 0; n < 3; ++n)
    {
        char acName[16] = {};
        int nX = 0;
        int nY = 0;
        int nDepth = 0;
        ASSERT_EQ(4, std::sscanf(lShots.get(n).c_str(), "play.addFadeText(%15[^,], %d, %d, %d",
                                 acName, &nX, &nY, &nDepth));
        EXPECT_STREQ(apszNames[n], acName);
        EXPECT_LE(std::abs(nX - 410), 30);
        EXPECT_LE(std::abs(nY - 150), 30);
        EXPECT_EQ(pChar->getDepth() + 10, nDepth);
    }
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.playSound(7, 410)"));

    pChar->onClick(410, 150); // the second click expels: back at the door
    EXPECT_EQ(Character::ST_TURN_BACK, pChar->getState());
    EXPECT_TRUE(pChar->isLeaving());
    EXPECT_FALSE(pChar->isStateQueued(ST_INSIDE));

    m_play.getLog()->clear();
    pChar->onClick(410, 150); // leaving: nothing
    EXPECT_EQ(0, m_play.getLog()->countCalls("play.addFadeText"));
    EXPECT_EQ(0, pChar->getInt(CP_EXPELL_COUNT));
    pChar->update(1.0f / 30.0f);
    EXPECT_TRUE(pChar->isStateQueued(Character::ST_LEAVE));
}

TEST_F(CharacterTest, ShotsAndExpellingRules)
{
    RIR::SmartPtr<TestCharacter> pChar = character(4, 4);
    m_play.setLowResourcesMode(true);
    pChar->showShot(100, 200, 8);
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.addFadeText"));
    EXPECT_EQ(0, m_play.calls("addFadeText").get(0).find("play.addFadeText(bang_0, "));
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.playSound(8, 100)"));

    // Not stoppable: a click does nothing; a missing count is never read then.
    pChar->setBool(CP_CAN_BE_STOPPED, false);
    pChar->onClick(1, 1);
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.addFadeText"));
    // Stoppable without a count: the missing key is fatal.
    pChar->setBool(CP_CAN_BE_STOPPED, true);
    EXPECT_NE(std::string::npos,
              messageOf([&] { pChar->onClick(1, 1); }).find("Hash key not found : "));
    // Expelling inside the saloon is left to the class: the base answers false.
    pChar->setState(ST_INSIDE);
    EXPECT_FALSE(pChar->expel());
    pChar->setState(Character::ST_LEAVE);
    EXPECT_TRUE(pChar->expel());
    pChar->setState(ST_INSIDE);
    pChar->queueState(Character::ST_GONE);
    EXPECT_TRUE(pChar->isLeaving());
    pChar->setBool(CP_WANT_CLICKS, true);
    EXPECT_TRUE(pChar->wantsClicks());
}

TEST_F(CharacterTest, ALookChangeKeepsTheMovementAndTheBodyLeavesTheScreen)
{
    SyntheticAnimation anim;
    anim.sequence("walk_r_l_1s", 6, false).sequence("walk_r_l_1s_carry", 6, false);
    RIR::SmartPtr<TestCharacter> pChar = new TestCharacter;
    RIR::SmartPtr<AnimSprite> pArm = pChar->addPartAnimation(Character::PART_RIGHT_ARM, anim.build());
    pChar->placeAt(400, 295);
    ASSERT_TRUE(pChar->setPartAnim(Character::PART_RIGHT_ARM, "walk_", "_1s"));
    pArm->update(0.001f);
    pArm->update(0.25f); // frame 2
    ASSERT_EQ(2, pArm->getFrame());
    pChar->setPartVariant(Character::PART_RIGHT_ARM, "_carry", "");
    pChar->refreshPartAnim(Character::PART_RIGHT_ARM);
    EXPECT_EQ("walk_r_l_1s_carry", std::string(pArm->getSequenceName().c_str()));
    EXPECT_EQ(2, pArm->getFrame());

    EXPECT_EQ(1, m_screen.getSprites().getLength());
    pChar->unmarkSquares();
    pChar.release();
    pArm.release();
    EXPECT_EQ(0, m_screen.getSprites().getLength());
}
