// The customer's life on a one-table saloon: in through the door, to a chair, asking, served by
// the heroine through the table and customer spots, paying by ask count, three sips, the bottle,
// the next mug and out again; giving up, closing time, the wanted man, and the chair choice when
// no chair can be reached.
#include "world/customer.h"
#include "world/headsitoffsets.h"
#include "world/scene.h"

#include "world/kit/recordingplaymode.h"
#include "world/kit/scenefilekit.h"
#include "world/kit/syntheticcustomer.h"
#include "world/kit/syntheticdolly.h"
#include "tabletest.h"
#include "worldtest.h"

#include "app/gamemode.h"

#include <functional>
#include <string>

namespace
{

const float DT = 1.0f / 30.0f;

class CustomerTest : public TableTest
{
protected:
    CustomerTest() { buildSaloon(); }
    ~CustomerTest() override { clearSaloon(); }

    void buildSaloon() { buildTable(); }
    // Tears it down as the level does: the walkers leave their squares and the links break.
    void clearSaloon()
    {
        for (int n = 0; n < m_lCustomers.getLength(); ++n)
        {
            m_lCustomers.get(n)->unmarkSquares();
            m_lCustomers.get(n)->detach();
        }
        m_lCustomers.clear();
        dropTable();
    }
    // A fresh saloon and a fresh log for the next case of a table.
    void resetSaloon()
    {
        clearSaloon();
        buildSaloon();
        m_play.getLog()->clear();
    }

    // A plain customer on the street at (1, 0), not started.
    RIR::SmartPtr<SyntheticCustomer> customer()
    {
        RIR::SmartPtr<SyntheticCustomer> pCust = new SyntheticCustomer;
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(1, 0, &nX, &nY, 0x24);
        pCust->placeAt(nX, nY);
        m_lCustomers.append(pCust);
        return pCust;
    }

    // Updates the customer until the condition holds (at most nMax frames); true when it held.
    bool runUntil(Customer* pCust, const std::function<bool()>& cond, int nMax = 3000)
    {
        try
        {
            for (int n = 0; n < nMax; ++n)
            {
                if (cond())
                    return true;
                pCust->update(DT);
            }
        }
        catch (const RIR::Exception& e)
        {
            ADD_FAILURE() << e.getClassName() << ": " << e.getMessage() << " in state "
                          << pCust->getState();
            return false;
        }
        return cond();
    }
    bool runUntilState(Customer* pCust, int nState, int nMax = 3000)
    {
        return runUntil(
            pCust, [&] { return pCust->getState() == nState; }, nMax);
    }
    bool runUntilRemoved(Customer* pCust)
    {
        return runUntil(pCust,
                        [&] { return m_play.getLog()->countCalls("play.removeCharacter") > 0; });
    }
    // Runs until the customer sits waiting with nAsks asks behind him.
    bool runUntilWaiting(Customer* pCust, int nAsks)
    {
        return runUntil(pCust,
                        [&]
                        {
                            return pCust->getState() == Customer::ST_SEATED &&
                                   pCust->getAsks() == nAsks && pCust->inWaitingState();
                        });
    }

    // The heroine serves a full mug with hand 0 through the spot, as at her "doaction" marker.
    void serveThrough(const RIR::SmartPtr<ActionSpot>& pSpot, bool bSwap = false)
    {
        m_pDolly->putMugInHand(0, m_play.createMug());
        ASSERT_TRUE(pSpot->canDoAction(m_pDolly.get(), 0));
        pSpot->doAction(m_pDolly.get(), 0);
        EXPECT_EQ(!bSwap, m_pDolly->isHandEmpty(0));
    }

    // The entries that start with the text ("play.playSound(2" counts group 2's sounds).
    int count(const char* pszPrefix) const
    {
        return m_play.getLog()->filter(pszPrefix).getLength();
    }

    std::string lastFly() const
    {
        RIR::List<RIR::String> l = m_play.calls("flyImage");
        return l.isEmpty() ? "" : l.get(l.getLength() - 1).c_str();
    }
    std::string events(const char* pszCall) const
    {
        std::string s;
        RIR::List<RIR::String> l = m_play.calls(pszCall);
        for (int n = 0; n < l.getLength(); ++n)
        {
            std::string e = l.get(n).c_str();
            s += e.substr(e.find('(') + 1, e.find(')') - e.find('(') - 1) + " ";
        }
        return s;
    }

    RIR::List<RIR::SmartPtr<SyntheticCustomer>> m_lCustomers;
};

} // namespace

TEST_F(CustomerTest, ACustomerLivesFromTheStreetToHisRemoval)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->start();
    ASSERT_TRUE(pCust->getChair());
    RIR::SmartPtr<Chair> pChair = pCust->getChair();
    RIR::SmartPtr<TableSpot> pSeat = pChair->getTableSpot();
    EXPECT_EQ(pCust.get(), pChair->getCustomer().get());

    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
    EXPECT_TRUE(pCust->isSeated());
    EXPECT_EQ(pCust, pSeat->getCustomer());
    int nX = 0;
    int nY = 0;
    pChair->getSitPos(&nX, &nY);
    EXPECT_EQ(std::make_pair(nX, nY), std::make_pair((int)pCust->getX(), (int)pCust->getY()));
    EXPECT_EQ(pChair->getDepth(), pCust->getDepth());
    EXPECT_FLOAT_EQ(1.0f, pChair->getPullOut()) << "the sit-down animation pulled the chair out";
    ASSERT_TRUE(pCust->getCustomerSpot());
    EXPECT_GE(
        m_pScene->getSpots().indexOf(RIR::SmartPtr<ActionSpot>(pCust->getCustomerSpot().get())), 0);
    EXPECT_EQ("1 ", events("incStat")) << "a new customer";
    EXPECT_EQ(1, count("play.playSound(5"));

    // He asks once; served while waiting afterwards, through the customer spot, he pays 110.
    ASSERT_TRUE(runUntilWaiting(pCust.get(), 1));
    EXPECT_TRUE(pCust->hasAttachSprite()) << "the impatience marker";
    serveThrough(RIR::SmartPtr<ActionSpot>(pCust->getCustomerSpot().get()));
    ASSERT_TRUE(pCust->hasMug());
    EXPECT_EQ(Customer::ST_SERVED, pCust->getState());
    EXPECT_EQ(0, pCust->getAsks());
    EXPECT_NE(std::string::npos, lastFly().find("text_pay_bucks")) << lastFly();
    EXPECT_NE(std::string::npos, lastFly().find(", 110, -1, -1)")) << lastFly();
    EXPECT_EQ(1, count("play.addFadeText(text_pay_110"));
    EXPECT_EQ(1, count("play.playSound(2"));

    // A full mug in the hand cannot be swapped for his mug while he drinks it.
    m_pDolly->putMugInHand(1, m_play.createMug());
    EXPECT_FALSE(pSeat->canDoAction(m_pDolly.get(), 1));
    EXPECT_FALSE(pSeat->canDoAction(m_pDolly.get(), 0)) << "his mug is not empty";
    m_pDolly->removeHandMug(1);

    // Three sips, then the bottle flies and fades.
    RIR::SmartPtr<Mug> pMug = pCust->getMug();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_THROW));
    EXPECT_TRUE(pMug->isEmpty());
    EXPECT_EQ(1, pCust->getDrinks());
    EXPECT_EQ("0 1 2 3 2 4 4 4 5 ", events("tutorialEvent")) << "2: a mug in her hand";
    EXPECT_EQ(4, count("play.playSound(2")) << "each sip puts the mug down";
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return !pCust->getThrownBottle().isNull(); }));
    EXPECT_FALSE(pCust->hasMug());
    EXPECT_FALSE(pMug->getSprite()->isVisible());
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return !pCust->getThrownBottle(); }));
    EXPECT_EQ(1, count("play.playSound(3")) << "the bottle's sound once";
    EXPECT_EQ(1, pCust->getFadingBottleCount());
    EXPECT_EQ("8 ", events("tutorialEvent").substr(events("tutorialEvent").size() - 2));
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return pCust->getFadingBottleCount() == 0; }));

    // He asks again; served at once through the table he pays 120, and after the second mug
    // (CP_MAX_DRINKS 2) he stands up and leaves through the door.
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return pCust->getState() == Customer::ST_SEATED; }));
    serveThrough(RIR::SmartPtr<ActionSpot>(pSeat.get()));
    EXPECT_NE(std::string::npos, lastFly().find(", 120, -1, -1)")) << lastFly();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_STAND_UP));
    EXPECT_EQ(2, pCust->getDrinks());
    EXPECT_TRUE(pSeat->getCustomer().isNull());
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_TRUE(pChair->getCustomer().isNull());
    EXPECT_FALSE(pCust->getChair());
    EXPECT_FALSE(pCust->getCustomerSpot());
    EXPECT_EQ("1 0 0 ", events("incStat")) << "one customer, served twice";
    EXPECT_EQ(Character::ST_GONE, pCust->getState());
    EXPECT_TRUE(m_pScene->getCorridor().isEmpty());
}

TEST_F(CustomerTest, PayDependsOnTheAsksBeforeServing)
{
    // What the customer pays when served at that point of his asking.
    const struct
    {
        const char* pszWhen;
        int nAsks;       // asks behind him
        bool bDuringAsk; // served while asking (else while waiting)
        bool bPatient;
        int nPay;
    } cases[] = {
        {"before asking", 0, false, false, 120},
        {"during the first ask", 0, true, false, 110},
        {"after one ask", 1, false, false, 110},
        {"after two asks", 2, false, false, 100},
        {"during the third ask", 2, true, false, 90},
        {"waiting after the third ask", 3, false, false, 100},
        {"patient, after asking", 0, true, true, 120},
    };
    for (const auto& c : cases)
    {
        RIR::SmartPtr<SyntheticCustomer> pCust = customer();
        pCust->setBool(CP_PATIENT, c.bPatient);
        pCust->start();
        if (c.nAsks < 3)
        {
            ASSERT_TRUE(runUntilWaiting(pCust.get(), c.nAsks)) << c.pszWhen;
        }
        else
        {
            // After three asks the count is held at two while he waits.
            ASSERT_TRUE(runUntil(pCust.get(),
                                 [&] {
                                     return count("play.tutorialEvent(1)") == 3 &&
                                            pCust->getState() == Customer::ST_SEATED;
                                 }))
                << c.pszWhen;
            EXPECT_EQ(2, pCust->getAsks());
        }
        if (c.bDuringAsk)
        {
            ASSERT_TRUE(runUntil(pCust.get(),
                                 [&] {
                                     return pCust->getState() == Customer::ST_ASK &&
                                            pCust->getActivity() == Character::ACT_TO_END;
                                 }))
                << c.pszWhen;
            EXPECT_TRUE(pCust->getBalloon()->isVisible());
        }
        serveThrough(RIR::SmartPtr<ActionSpot>(pCust->getChair()->getTableSpot().get()));
        EXPECT_NE(std::string::npos, lastFly().find(", " + std::to_string(c.nPay) + ", -1, -1)"))
            << c.pszWhen << ": " << lastFly();
        EXPECT_FALSE(pCust->getBalloon()->isVisible()) << c.pszWhen;
        if (c.bDuringAsk)
        {
            // The ask is cut short and the first sip follows the pause.
            EXPECT_TRUE(pCust->isStateQueued(Customer::ST_SERVED)) << c.pszWhen;
            ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_DRINK, 200)) << c.pszWhen;
        }
        pCust.release();
        resetSaloon();
    }
}

TEST_F(CustomerTest, ACustomerWhoAbandonsCountsAsUnhappyAndLeaves)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_LEAVE_ON_ABANDON, true);
    pCust->start();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_GIVE_UP));
    EXPECT_EQ(3, count("play.tutorialEvent(1)")) << "three asks";
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_EQ("1 2 ", events("incStat"));
    EXPECT_TRUE(pCust->getChair().isNull());
}

TEST_F(CustomerTest, ClosingTimeStaggersTheLeaversAndSpeedsThemUp)
{
    // By list index: index + 0.5 +- 0.25 seconds; not in the list: 2 to 6 seconds.
    for (int nIndex : {0, 1, 4, -1})
    {
        RIR::SmartPtr<SyntheticCustomer> pCust = customer();
        pCust->start();
        ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
        m_play.setCharacterIndex(nIndex);
        pCust->requestLeave();
        EXPECT_EQ(Customer::ST_LEAVE_DELAY, pCust->getState());
        const float fLow = nIndex >= 0 ? nIndex + 0.25f : 2.0f;
        const float fHigh = nIndex >= 0 ? nIndex + 0.75f : 6.0f;
        EXPECT_GE(pCust->getLeaveTimer(), fLow) << nIndex;
        EXPECT_LE(pCust->getLeaveTimer(), fHigh) << nIndex;
        int nSX = 0;
        int nSY = 0;
        pCust->getSpeed(&nSX, &nSY);
        EXPECT_EQ(std::make_pair(220, 140), std::make_pair(nSX, nSY));
        EXPECT_TRUE(pCust->isLeaving());
        pCust.release();
        resetSaloon();
    }
}

TEST_F(CustomerTest, ADrinkerToldToLeaveGulpsTheRestThrowsTheBottleAndGoes)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->start();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
    serveThrough(RIR::SmartPtr<ActionSpot>(pCust->getChair()->getTableSpot().get()));
    RIR::SmartPtr<Mug> pMug = pCust->getMug();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_DRINK));
    m_play.setCharacterIndex(0);
    pCust->requestLeave();
    EXPECT_TRUE(pCust->isLeaving());
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return !pCust->getThrownBottle().isNull(); }));
    EXPECT_TRUE(pMug->isEmpty());
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_EQ(1, count("play.incStat(0)"));
}

TEST_F(CustomerTest, TheWantedManCaughtOnHisWayInPaysTheReward)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_IS_WANTED, true);
    pCust->setCharacterClass(CC_WANTED);
    pCust->start();
    ASSERT_TRUE(runUntil(pCust.get(),
                         [&]
                         {
                             return pCust->getState() == Character::ST_WALKING &&
                                    pCust->isStateQueued(Customer::ST_SIT_DOWN);
                         }));
    EXPECT_EQ(1, count("play.showFeatureTip(Wanted"));
    EXPECT_TRUE(pCust->expel());
    EXPECT_EQ(Customer::ST_LEAVE_TABLE, pCust->getState());
    int nX = 0;
    int nY = 0;
    pCust->getPos(&nX, &nY);
    EXPECT_EQ("play.flyImage(text_rew_bucks, " + std::to_string(nX) + ", " +
                  std::to_string(nY - 150) + ", 250, -1, -1)",
              lastFly());
    EXPECT_EQ(1, count("play.addFadeText(text_pay_r250"));
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.replaceWantedPoster"));
    EXPECT_EQ(1, count("play.incStat(8)"));
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_EQ(0, count("play.incStat(1)")) << "he never sat down";
}

TEST_F(CustomerTest, AWantedManWhoReachesHisSeatBecomesAnOrdinaryCustomer)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_IS_WANTED, true);
    pCust->setBool(CP_WANT_CLICKS, true);
    pCust->setCharacterClass(CC_WANTED);
    pCust->start();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
    EXPECT_FALSE(pCust->getBool(CP_IS_WANTED));
    EXPECT_FALSE(pCust->getBool(CP_WANT_CLICKS));
    EXPECT_EQ(CC_CUSTOMER, pCust->getCharacterClass());
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.replaceWantedPoster"));
    EXPECT_FALSE(pCust->expel()) << "seated: no longer caught";
}

TEST_F(CustomerTest, TheChairChoiceEndsWhenNoChairHasAStandSquare)
{
    // Both stand squares of both chairs blocked: every free chair is tried once, none is taken.
    for (int nI : {4, 6})
        for (int nJ : {4, 7})
            m_pScene->getSquare(nI, nJ)->bWalkable = false;
    for (bool bFirst : {false, true})
    {
        RIR::SmartPtr<SyntheticCustomer> pCust = customer();
        pCust->setBool(CP_PICK_FIRST_CHAIR, bFirst);
        EXPECT_FALSE(pCust->chooseChair()) << bFirst;
        EXPECT_TRUE(pCust->getChair().isNull());
        EXPECT_EQ(2, m_pScene->getFreeChairs().getLength());
        pCust->unmarkSquares();
        m_lCustomers.clear();
    }
    // One chair reachable again: the first-chair rule skips the blocked right chair.
    m_pScene->getSquare(4, 7)->bWalkable = true;
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_PICK_FIRST_CHAIR, true);
    ASSERT_TRUE(pCust->chooseChair());
    EXPECT_FALSE(pCust->getChair()->isRight());
}

TEST_F(CustomerTest, ACustomerWithoutAReachableChairTurnsBackAtTheDoor)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->start();
    ASSERT_TRUE(pCust->getChair());
    // While he walks in, every stand square becomes unusable.
    for (int nI : {4, 6})
        for (int nJ : {4, 7})
            m_pScene->getSquare(nI, nJ)->bWalkable = false;
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_EQ(0, count("play.incStat(1)"));
    EXPECT_TRUE(m_pScene->getCorridor().isEmpty());
}

TEST_F(CustomerTest, AnOccupiedStandSquareOnTheWayInIsWaitedForNotWalkedToBlindly)
{
    // Stand squares taken by walkers at (6, 7) and (6, 4): the customer picks the right chair
    // first, finds both taken when he is inside, waits, then heads there and sits once free.
    for (int nI : {4})
        for (int nJ : {4, 7})
            m_pScene->getSquare(nI, nJ)->bWalkable = false;
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->start();
    ASSERT_TRUE(pCust->getChair());
    ASSERT_TRUE(pCust->getChair()->isRight());
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), 6, 7);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), 6, 4);
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_TO_CHAIR));
    for (int n = 0; n < 5; ++n)
        pCust->update(DT);
    EXPECT_EQ(Customer::ST_TO_CHAIR, pCust->getState()) << "no walk to an unknown place";
    EXPECT_FALSE(pCust->isWalking());
    pA->unmarkSquares();
    pB->unmarkSquares();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
}

TEST_F(CustomerTest, TheSeatServesSwapsAndRefusesByTheMugs)
{
    RIR::SmartPtr<TableSpot> pSeat = m_pScene->getChairs().get(0)->getTableSpot();
    // No customer: a mug from the hand is refused, a mug left on the seat is given up.
    m_pDolly->putMugInHand(0, m_play.createMug());
    EXPECT_FALSE(pSeat->canDoAction(m_pDolly.get(), 0));
    pSeat->MugSpot::setMug(m_pDolly->removeHandMug(0));
    EXPECT_TRUE(pSeat->canDoAction(m_pDolly.get(), 0));

    // A customer sitting down there gets the mug that was left and pays for it.
    m_play.setThrowEmptyMug(false);
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_PICK_FIRST_CHAIR, true);
    pCust->start();
    ASSERT_EQ(pSeat, pCust->getChair()->getTableSpot());
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return pCust->hasMug(); }));
    EXPECT_EQ(1, count("play.incStat(0)"));

    // Without throwing, the empty mug stays with him; a partly drunk mug cannot be served, a full
    // one is swapped for his empty one in one action and he pays again.
    ASSERT_TRUE(runUntil(pCust.get(),
                         [&]
                         {
                             return pCust->getState() == Customer::ST_SEATED && pCust->hasMug() &&
                                    pCust->getMug()->isEmpty();
                         }));
    RIR::SmartPtr<Mug> pEmpty = pCust->getMug();
    RIR::SmartPtr<Mug> pHalf = m_play.createMug();
    pHalf->setContents(2);
    m_pDolly->putMugInHand(0, pHalf);
    EXPECT_FALSE(pSeat->canDoAction(m_pDolly.get(), 0));
    m_pDolly->removeHandMug(0);
    serveThrough(RIR::SmartPtr<ActionSpot>(pSeat.get()), true);
    EXPECT_TRUE(pCust->getMug()->isFull());
    EXPECT_EQ(pEmpty, m_pDolly->getHandMug(0));
    EXPECT_EQ(2, count("play.incStat(0)"));
    // The heroine cannot throw a mug at a seat that would have to swap.
    EXPECT_TRUE(pSeat->hasMug());
}

TEST_F(CustomerTest, ALeaverWhoseStandSquaresStayTakenStillGetsOut)
{
    RIR::SmartPtr<SyntheticCustomer> pCust = customer();
    pCust->setBool(CP_PICK_FIRST_CHAIR, true);
    pCust->start();
    ASSERT_TRUE(runUntilState(pCust.get(), Customer::ST_SEATED));
    RIR::SmartPtr<Chair> pChair = pCust->getChair();
    const int nI = pChair->getI();
    const int nJ = pChair->getJ();
    // Walkers that never move stand on both stand squares of his chair.
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), nI, nJ + 2);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), nI, nJ - 1);
    m_play.setCharacterIndex(0);
    pCust->requestLeave();
    ASSERT_TRUE(runUntil(pCust.get(), [&] { return pCust->isWaitingToLeave(); }));
    EXPECT_FALSE(m_pScene->hasCorridorReservation(pCust, Scene::CORRIDOR_OUT))
        << "a waiting leaver keeps nobody else from the door";
    ASSERT_TRUE(runUntilRemoved(pCust.get()));
    EXPECT_TRUE(pChair->getCustomer().isNull());
    EXPECT_TRUE(m_pScene->getCorridor().isEmpty());
    pA->unmarkSquares();
    pB->unmarkSquares();
}
