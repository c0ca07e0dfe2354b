// The entrance corridor: reservation sequences with the exclusive flag a new scene starts with,
// holders, releases, and the fatal release in the wrong mode.
#include "world/scene.h"

#include "world/kit/logcapture.h"
#include "world/objectid.h"

#include "worldtest.h"

namespace
{

class CorridorTest : public WorldTest
{
protected:
    CorridorTest() : m_pA(new WalkingObject), m_pB(new WalkingObject), m_pC(new WalkingObject) {}

    RIR::SmartPtr<WalkingObject> m_pA;
    RIR::SmartPtr<WalkingObject> m_pB;
    RIR::SmartPtr<WalkingObject> m_pC;
};

} // namespace

TEST_F(CorridorTest, TheFirstReservationKeepsEverybodyOutUntilReleased)
{
    EXPECT_TRUE(m_pScene->isCorridorFree(1));
    EXPECT_TRUE(m_pScene->isCorridorFree(2));
    EXPECT_TRUE(m_pScene->isCorridorExclusive());

    EXPECT_TRUE(m_pScene->reserveCorridor(m_pA, 1, false));
    EXPECT_FALSE(m_pScene->isCorridorFree(1));
    EXPECT_FALSE(m_pScene->reserveCorridor(m_pB, 1, false));
    EXPECT_EQ(1, m_pScene->getCorridor().getLength());

    m_pScene->unreserveCorridor(m_pA, 1);
    EXPECT_TRUE(m_pScene->getCorridor().isEmpty());
    EXPECT_FALSE(m_pScene->isCorridorExclusive());
    EXPECT_EQ(1, m_pScene->getCorridorMode()); // the mode stays

    EXPECT_TRUE(m_pScene->reserveCorridor(m_pA, 1, false));
    EXPECT_TRUE(m_pScene->reserveCorridor(m_pB, 1, false));
    EXPECT_TRUE(m_pScene->hasCorridorReservation(m_pA, 1));
    EXPECT_FALSE(m_pScene->hasCorridorReservation(m_pA, 2));
    EXPECT_FALSE(m_pScene->hasCorridorReservation(m_pC, 1));

    // The other direction waits; the same direction may join.
    EXPECT_FALSE(m_pScene->reserveCorridor(m_pC, 2, false));
    EXPECT_FALSE(m_pScene->isCorridorFree(2));
    EXPECT_TRUE(m_pScene->isCorridorFree(1));
}

TEST_F(CorridorTest, ReservationSequences)
{
    struct Step
    {
        char cWho; // 'A', 'B', 'C'
        char cOp;  // 'r' reserve, 'u' release
        int nMode;
        bool bExclusive;
        bool bResult; // of a reservation
        int nHolders; // after the step
        int nMode1Free, nMode2Free; // isCorridorFree (1), (2) after the step
    } const steps[] = {
        {'A', 'r', 2, false, true, 1, 0, 1},
        {'A', 'r', 2, false, true, 1, 0, 1}, // reserving twice lists once
        {'A', 'u', 2, false, false, 0, 1, 1},
        {'B', 'u', 1, false, false, 0, 1, 1}, // releasing nothing does nothing, whatever the mode
        {'A', 'r', 2, false, true, 1, 0, 1},
        {'B', 'r', 2, true, true, 2, 0, 0}, // an exclusive wish shuts the corridor
        {'C', 'r', 2, false, false, 2, 0, 0},
        {'A', 'u', 2, false, false, 1, 0, 0}, // ... until the list is empty
        {'B', 'u', 2, false, false, 0, 1, 1},
        {'C', 'r', 1, false, true, 1, 1, 0},
        {'A', 'r', 1, false, true, 2, 1, 0},
        {'B', 'r', 2, false, false, 2, 1, 0},
    };
    // Empty the corridor once so that the flag of the new scene is gone.
    ASSERT_TRUE(m_pScene->reserveCorridor(m_pA, 2, false));
    m_pScene->unreserveCorridor(m_pA, 2);

    int nStep = 0;
    for (const Step& s : steps)
    {
        RIR::SmartPtr<WalkingObject> pWho = s.cWho == 'A' ? m_pA : s.cWho == 'B' ? m_pB : m_pC;
        if (s.cOp == 'r')
            EXPECT_EQ(s.bResult, m_pScene->reserveCorridor(pWho, s.nMode, s.bExclusive)) << nStep;
        else
            m_pScene->unreserveCorridor(pWho, s.nMode);
        EXPECT_EQ(s.nHolders, m_pScene->getCorridor().getLength()) << nStep;
        EXPECT_EQ(s.nMode1Free != 0, m_pScene->isCorridorFree(1)) << nStep;
        EXPECT_EQ(s.nMode2Free != 0, m_pScene->isCorridorFree(2)) << nStep;
        ++nStep;
    }
}

TEST_F(CorridorTest, ReleasingInTheWrongModeIsFatalAfterTheLogAndTheDump)
{
    LogCapture log;
    ASSERT_TRUE(m_pScene->reserveCorridor(m_pA, 1, false));
    EXPECT_EQ("FatalErrorException: Wrong corridor unreserve",
              messageOf([&] { m_pScene->unreserveCorridor(m_pA, 2); }));
    const std::string sId = objectId(m_pA.get()).c_str();
    EXPECT_EQ("W: Wrong unreserve! Un 2, Res 1 by " + sId +
                  "\n*** Scene dump ***\n** Corridor reserves **\nMode 1, res : " + sId +
                  " \n\n",
              log.text());
    // Nothing changed.
    EXPECT_TRUE(m_pScene->hasCorridorReservation(m_pA, 1));
}
