// Fights between the two customers of one table: who may start one, the turns of insults (the
// starter insults again while his opponent is still getting up), the end nobody stopped (both
// leave, statistic 3, one sound when the second is gone), the heroine stopping it (reward by
// the insults said, both back on their seats with their asks forgotten) and closing time in the
// middle of a fight.
#include "world/customer.h"
#include "world/headsitoffsets.h"
#include "world/scene.h"

#include "world/kit/recordingplaymode.h"
#include "world/kit/scenefilekit.h"
#include "world/kit/syntheticcustomer.h"
#include "world/kit/syntheticdolly.h"
#include "worldtest.h"

#include "app/gamemode.h"

#include <functional>
#include <string>

namespace
{

const float DT = 1.0f / 30.0f;

class FightTest : public ::testing::Test
{
protected:
    FightTest()
    {
        HeadSitOffsets::parse(syntheticHeadSitOffsetsText());
        m_kit.addStandardPictures();
        m_kit.addText("test.scene", SceneFileKit::minimalSceneText());
        m_play.setPlayScreen(&m_screen);
        m_play.setMaxFights(1);
        m_play.addInsult("  Your Horse Is Ashamed Of You!  ");
        m_level.setFloat(LP_STOPFIGHT_REWARD_0, 50.0f);
        m_level.setFloat(LP_STOPFIGHT_REWARD_1, 75.0f);
        m_level.setFloat(LP_STOPFIGHT_REWARD_2, 100.0f);
        m_play.setDifficultyManager(&m_level);
        build();
    }
    ~FightTest() override
    {
        clear();
        m_screen.removeObjects(m_screen.getSprites());
    }

    // One table, the heroine at (9, 11), and two customers seated face to face: the starter
    // (who fights after his first sip) and his opponent, who asked once and now waits long.
    void build()
    {
        m_pScene = new Scene;
        m_pScene->load("test.scene");
        m_pScene->placeTables(4, 5, true);
        m_pDolly = new SyntheticDolly;
        m_pDolly->startLevel(0);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(9, 11, &nX, &nY, 0x24);
        m_pDolly->placeAt(nX, nY);
        m_pStarter = customer(1);
        m_pStarter->setFloat(CP_START_FIGHT_PROB, 1.0f);
        m_pStarter->setFloat(CP_TIME_ASK_0, 100.0f);
        m_pOpp = customer(3);
        m_pOpp->setBool(CP_ACCEPT_FIGHTS, true);
        m_pOpp->setFloat(CP_TIME_ASK_1, 100.0f);
        m_pStarter->start();
        m_pOpp->start();
        ASSERT_TRUE(runUntil([&] { return seatedWaiting(m_pStarter.get(), 0) && seatedWaiting(m_pOpp.get(), 1); }));
        ASSERT_EQ(m_pStarter->getChair()->getOpposite(), m_pOpp->getChair());
        m_play.getLog()->clear();
    }
    void clear()
    {
        for (Customer* pCust : {m_pStarter.get(), m_pOpp.get()})
        {
            if (!pCust)
                continue;
            pCust->unmarkSquares();
            pCust->detach();
        }
        m_pStarter.release();
        m_pOpp.release();
        m_play.clearWatchedCustomers();
        m_lRemoved.clear();
        m_sSpeakers.clear();
        m_pDolly->unmarkSquares();
        m_pDolly.release();
        m_pScene.release();
    }
    void reset()
    {
        clear();
        build();
    }

    // A customer on the street at (nI, 0), not started.
    RIR::SmartPtr<SyntheticCustomer> customer(int nI)
    {
        RIR::SmartPtr<SyntheticCustomer> pCust = new SyntheticCustomer;
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(nI, 0, &nX, &nY, 0x24);
        pCust->placeAt(nX, nY);
        m_play.watchCustomer(pCust.get());
        return pCust;
    }
    static bool seatedWaiting(Customer* pCust, int nAsks)
    {
        return pCust->getState() == Customer::ST_SEATED && pCust->getAsks() == nAsks &&
               pCust->inWaitingState();
    }

    // Updates both customers (those not yet removed) until the condition holds; the speaker of
    // each insult is appended to m_sSpeakers ("S" the starter, "O" the opponent).
    bool runUntil(const std::function<bool()>& cond, int nMax = 6000)
    {
        try
        {
            for (int n = 0; n < nMax; ++n)
            {
                if (cond())
                    return true;
                for (Customer* pCust : {m_pStarter.get(), m_pOpp.get()})
                {
                    if (m_lRemoved.indexOf(pCust) >= 0)
                        continue;
                    const int nOld = pCust->getState();
                    const int nInsults = count("play.nextInsult");
                    pCust->update(DT);
                    // State 9 reports the character gone in the update it runs.
                    if (nOld == Character::ST_GONE)
                        m_lRemoved.append(pCust);
                    if (count("play.nextInsult") > nInsults)
                        m_sSpeakers += pCust == m_pStarter.get() ? "S" : "O";
                    checkBalloon(pCust);
                }
            }
        }
        catch (const RIR::Exception& e)
        {
            ADD_FAILURE() << e.getClassName() << ": " << e.getMessage();
            return false;
        }
        return cond();
    }
    // A shown balloon always plays a sequence the balloons have, with a picture.
    static void checkBalloon(Customer* pCust)
    {
        RIR::SmartPtr<AnimSprite> pBalloon = pCust->getBalloon();
        if (!pBalloon || !pBalloon->isVisible())
            return;
        EXPECT_TRUE(pBalloon->getAnimation()->hasSequence(pBalloon->getSequenceName().c_str()))
            << pBalloon->getSequenceName().c_str();
        EXPECT_TRUE(pBalloon->getImage()) << pBalloon->getSequenceName().c_str();
    }
    // The starter takes his first sip and has checked for a fight.
    void serveStarter()
    {
        m_pStarter->serveMug(m_play.createMug());
        // The end of the sip (tutorial event 4) and the check run in one update.
        ASSERT_TRUE(runUntil([&] { return count("play.tutorialEvent(4)") > 0; }));
    }
    int count(const char* pszPrefix) const
    {
        return m_play.getLog()->filter(pszPrefix).getLength();
    }

    SceneFileKit m_kit;
    RecordingPlayMode m_play;
    GameMode m_screen;
    ParamHolder m_level;
    RIR::SmartPtr<Scene> m_pScene;
    RIR::SmartPtr<SyntheticDolly> m_pDolly;
    RIR::SmartPtr<SyntheticCustomer> m_pStarter;
    RIR::SmartPtr<SyntheticCustomer> m_pOpp;
    RIR::List<Customer*> m_lRemoved;
    std::string m_sSpeakers;
};

} // namespace

TEST_F(FightTest, AFightStartsOnlyWithAWillingOpponentWhileFightsAreBelowTheLimit)
{
    struct Case
    {
        const char* pszName;
        bool bAccepts;
        int nOthersFighting;
        int nMaxFights;
        bool bFight;
    };
    const Case aCases[] = {
        {"willing, nobody else fighting", true, 0, 1, true},
        {"the opponent refuses fights", false, 0, 1, false},
        {"one fight going on already", true, 2, 1, false},
        {"one customer fighting is no whole fight", true, 1, 1, true},
        {"a second fight is allowed", true, 2, 2, true},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        reset();
        m_pOpp->setBool(CP_ACCEPT_FIGHTS, c.bAccepts);
        m_play.setFightingCustomers(c.nOthersFighting);
        m_play.setMaxFights(c.nMaxFights);
        const int nId = Customer::getNextFightId();
        serveStarter();
        EXPECT_EQ(c.bFight, m_pStarter->isFighting());
        EXPECT_EQ(c.bFight, m_pOpp->isFighting());
        if (c.bFight)
        {
            EXPECT_TRUE(m_pStarter->isFightStarter());
            EXPECT_FALSE(m_pOpp->isFightStarter());
            EXPECT_EQ(Customer::ST_CHALLENGED, m_pOpp->getState());
            EXPECT_EQ(nId, m_pStarter->getFightId());
            EXPECT_EQ(nId, m_pOpp->getFightId());
            EXPECT_EQ(nId + 1, Customer::getNextFightId()) << "one id per fight";
        }
        else
        {
            EXPECT_EQ(Customer::ST_SERVED, m_pStarter->getState()) << "back to his mug";
            EXPECT_EQ(nId, Customer::getNextFightId());
        }
    }
}

TEST_F(FightTest, NobodySteppingInBothLeaveAfterTheChallengedSaysHisThirdInsult)
{
    serveStarter();
    ASSERT_TRUE(runUntil([&] { return m_lRemoved.getLength() == 2; }));
    // The starter speaks first and once more while his opponent gets up; then they take turns
    // and the challenged customer has the last word.
    EXPECT_EQ("SSOSOSO", m_sSpeakers);
    EXPECT_EQ(7, count("play.nextInsult"));
    EXPECT_EQ(1, count("play.incStat(3)")) << "one unstopped fight";
    EXPECT_EQ(1, count("play.playSound(10,")) << "once, when the second fighter has gone";
    EXPECT_EQ(0, count("play.addStoppedFight"));
    EXPECT_FALSE(m_pStarter->isFighting());
    EXPECT_FALSE(m_pOpp->isFighting());
}

TEST_F(FightTest, TheStarterSaysMoreInsultsThanTheBalloonsHaveWithoutLosingThePicture)
{
    serveStarter();
    ASSERT_TRUE(runUntil([&] { return m_pStarter->isFighting() &&
                                      m_pStarter->getFightRounds(false) == 4; }));
    const std::string sLast = m_pStarter->getBalloon()->getSequenceName().c_str();
    const char* pszSide = m_pStarter->getChair()->isRight() ? "r" : "l";
    EXPECT_EQ(std::string("insult_") + std::to_string(INSULT_BALLOONS - 1) + "_" + pszSide, sLast);
    EXPECT_TRUE(m_pStarter->getBalloon()->getImage());
}

TEST_F(FightTest, TheHeroineStopsTheFightForARewardByTheInsultsSaid)
{
    struct Case
    {
        int nRounds;
        int nReward;
    };
    for (const Case& c : {Case{1, 50}, Case{2, 75}, Case{3, 100}, Case{4, 100}})
    {
        SCOPED_TRACE(c.nRounds);
        reset();
        serveStarter();
        ASSERT_TRUE(runUntil([&] { return m_pStarter->isFighting() &&
                                          m_pStarter->getFightRounds(true) == c.nRounds; }));
        const int nId = m_pStarter->getFightId();
        RIR::SmartPtr<CustomerSpot> pSpot =
            (c.nRounds % 2 ? m_pStarter : m_pOpp)->getCustomerSpot();
        ASSERT_TRUE(pSpot);
        ASSERT_TRUE(pSpot->canDoAction(m_pDolly.get(), 0));
        pSpot->doAction(m_pDolly.get(), 0);

        EXPECT_EQ(1, count(("play.addStoppedFight(" + std::to_string(nId) + ")").c_str()));
        ASSERT_EQ(1, count("play.flyImage(text_rew_bucks, "));
        RIR::List<RIR::String> lFlies = m_play.calls("flyImage");
        const std::string sFly = lFlies.get(lFlies.getLength() - 1).c_str();
        EXPECT_NE(std::string::npos, sFly.find(", " + std::to_string(c.nReward) + ", -1, -1)"))
            << sFly;
        EXPECT_EQ(1, count(RIR::String::format("play.addFadeText(text_pay_r%d,", c.nReward).c_str()));
        EXPECT_EQ(1, count("play.playSound(9,"));
        for (Customer* pCust : {m_pStarter.get(), m_pOpp.get()})
        {
            EXPECT_EQ(Customer::ST_SIT_DOWN, pCust->getState());
            EXPECT_EQ(0, pCust->getAsks());
            EXPECT_FALSE(pCust->isFightStarter());
        }
        m_pOpp->stopFight();
        EXPECT_EQ(Customer::ST_SIT_DOWN, m_pOpp->getState()) << "a fight is stopped once";
        ASSERT_TRUE(runUntil([&] { return m_pStarter->getState() == Customer::ST_SERVED &&
                                          m_pOpp->getState() == Customer::ST_SEATED; }));
        EXPECT_FALSE(m_pStarter->isFighting());
        EXPECT_FALSE(m_pOpp->isFighting());
        EXPECT_TRUE(m_pStarter->isSeated());
        EXPECT_TRUE(m_pOpp->isSeated());
        EXPECT_EQ(0, count("play.incStat(1)")) << "sitting down again is no new customer";
        EXPECT_EQ(0, count("play.incStat(3)"));
        EXPECT_TRUE(m_pStarter->getMug()) << "his mug waits for him";
    }
}

TEST_F(FightTest, ClosingTimeInAFightSitsBothDownAndSendsTheAskedOneOut)
{
    serveStarter();
    ASSERT_TRUE(runUntil([&] { return m_pOpp->getState() == Customer::ST_AWAIT_INSULT; }));
    m_pOpp->requestLeave();
    EXPECT_EQ(Customer::ST_SIT_DOWN, m_pStarter->getState());
    EXPECT_EQ(Customer::ST_LEAVE_DELAY, m_pOpp->getState());
    ASSERT_TRUE(runUntil([&] { return m_lRemoved.getLength() == 1; }));
    EXPECT_EQ(Character::ST_GONE, m_pOpp->getState());
    EXPECT_TRUE(m_pStarter->isSeated());
    EXPECT_FALSE(m_pStarter->isFighting());
    EXPECT_EQ(0, count("play.incStat(3)"));
    EXPECT_EQ(0, count("play.playSound(10,"));
}
