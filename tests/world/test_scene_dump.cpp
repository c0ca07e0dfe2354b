// The scene dump against its golden text, full-width object identities, and the occupancy rules
// whose breach writes the dump: marks, releases and the teardown of squares and walkers.
#include "world/objectid.h"
#include "world/scene.h"

#include "world/kit/logcapture.h"
#include "world/proxyspot.h"

#include "worldtest.h"

#include <cstdint>
#include <cstdlib>

namespace
{

// The dump of a floor with a walker A on (2, 3), a walker B on the blocked (7, 12), and both in
// the corridor in mode 1; <A> and <B> stand for their identities.
const char kGoldenDump[] = "*** Scene dump ***\n"
                           "[ 2,  3] : W , WO = <A>\n"
                           "[ 7, 12] : NW, WO = <B>\n"
                           "** Corridor reserves **\n"
                           "Mode 1, res : <A> <B> \n"
                           "\n"
                           "*** Scene dump ***\n"
                           "** Corridor reserves **\n"
                           "Corridor not reserved\n"
                           "\n";

std::string replaceAll(std::string s, const std::string& sFrom, const std::string& sTo)
{
    for (size_t n = s.find(sFrom); n != std::string::npos; n = s.find(sFrom, n + sTo.size()))
        s.replace(n, sFrom.size(), sTo);
    return s;
}

} // namespace

TEST(ObjectIdTest, PrintsTheWholeAddress)
{
    EXPECT_EQ(std::string(2 * sizeof(void*), '0'), std::string(objectId(nullptr).c_str()));
    const void* p = reinterpret_cast<const void*>(static_cast<uintptr_t>(0xABCDu));
    EXPECT_EQ(std::string(2 * sizeof(void*) - 4, '0') + "ABCD", std::string(objectId(p).c_str()));
    if (sizeof(void*) == 8)
    {
        // The high half is kept: two objects 4 GiB apart print differently.
        const void* pHigh = reinterpret_cast<const void*>(static_cast<uintptr_t>(0x123456789ABCull));
        EXPECT_EQ("0000123456789ABC", std::string(objectId(pHigh).c_str()));
    }
}

TEST_F(WorldTest, DumpMatchesTheGoldenText)
{
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), 2, 3);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), 7, 12);
    m_pScene->blockSquare(7, 12);
    ASSERT_TRUE(m_pScene->reserveCorridor(pA, 1, false));
    m_pScene->unreserveCorridor(pA, 1); // clears the flag of the new scene
    ASSERT_TRUE(m_pScene->reserveCorridor(pA, 1, false));
    ASSERT_TRUE(m_pScene->reserveCorridor(pB, 1, false));

    LogCapture log;
    m_pScene->dump();
    m_pScene->unreserveCorridor(pA, 1);
    m_pScene->unreserveCorridor(pB, 1);
    pA->unmarkSquares();
    pB->unmarkSquares();
    m_pScene->dump();

    const std::string sA = objectId(pA.get()).c_str();
    const std::string sB = objectId(pB.get()).c_str();
    EXPECT_EQ(replaceAll(replaceAll(kGoldenDump, "<A>", sA), "<B>", sB), log.text());
    // The identities are the walkers' full addresses.
    EXPECT_EQ((uintptr_t)pA.get(), (uintptr_t)std::strtoull(sA.c_str(), nullptr, 16));
    EXPECT_EQ(2 * sizeof(void*), sA.size());
}

TEST_F(WorldTest, ClaimingAHeldSquareWritesBothWalkersAndTheDumps)
{
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), 4, 4);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), 6, 6);
    EXPECT_EQ(pA.get(), m_pScene->getSquare(4, 4)->pWalkObj.get());
    EXPECT_EQ(pA->getSquare().get(), m_pScene->getSquare(4, 4).get());

    LogCapture log;
    EXPECT_EQ("AssertFailException: Assertion failed : isNULL(pSq->pWalkObj)",
              messageOf([&] { pB->markSquare(m_pScene->getSquare(4, 4)); }));
    const std::string sA = objectId(pA.get()).c_str();
    const std::string sB = objectId(pB.get()).c_str();
    EXPECT_EQ("***** Error in markSquare() *****\nthis = " + sB + "\nSquare = 4, 4, occ = " + sA +
                  "\n*** Scene dump ***\n[ 4,  4] : W , WO = " + sA + "\n[ 6,  6] : W , WO = " +
                  sB + "\n** Corridor reserves **\nCorridor not reserved\n\n",
              log.text());
    EXPECT_EQ(1, m_play.getLog()->countCalls("play.dumpCharacters"));
    // Even the holder itself may not claim its square twice.
    EXPECT_EQ("AssertFailException: Assertion failed : isNULL(pSq->pWalkObj)",
              messageOf([&] { pA->markSquare(m_pScene->getSquare(4, 4)); }));
    EXPECT_EQ("AssertFailException: Assertion failed : pSq",
              messageOf([&] { pA->markSquare(RIR::SmartPtr<SquareData>()); }));
    // Nothing changed hands.
    EXPECT_EQ(pA.get(), m_pScene->getSquare(4, 4)->pWalkObj.get());
}

TEST_F(WorldTest, FreeingOnlyWhatTheWalkerHolds)
{
    RIR::SmartPtr<WalkingObject> pA = placeWalker(m_pScene.get(), 4, 4);
    RIR::SmartPtr<WalkingObject> pB = placeWalker(m_pScene.get(), 6, 6);
    EXPECT_EQ("AssertFailException: Assertion failed : pSq->pWalkObj == WalkingObjectPtr(this)",
              messageOf([&] { pB->unmarkSquare(m_pScene->getSquare(4, 4)); }));
    EXPECT_EQ("AssertFailException: Assertion failed : pSq->pWalkObj == WalkingObjectPtr(this)",
              messageOf([&] { pB->unmarkSquare(m_pScene->getSquare(5, 5)); }));
    EXPECT_EQ("AssertFailException: Assertion failed : pSq",
              messageOf([&] { pB->unmarkSquare(RIR::SmartPtr<SquareData>()); }));

    // Moving frees the old square and claims the new one.
    int nX = 0;
    int nY = 0;
    m_pScene->squareToPixel(5, 5, &nX, &nY, 0x24);
    pA->setPos((float)nX, (float)nY);
    EXPECT_TRUE(m_pScene->getSquare(4, 4)->pWalkObj.isNull());
    EXPECT_EQ(pA.get(), m_pScene->getSquare(5, 5)->pWalkObj.get());
    pA->getPos(&nX, &nY);
    EXPECT_EQ(400, nX);
    EXPECT_EQ(325, nY);

    // Off the grid is the invalid-square error.
    EXPECT_EQ("FatalErrorException: Invalid square : 11, 5",
              messageOf([&] { pA->setPos(900.0f, 325.0f); }));

    pA->unmarkSquares();
    EXPECT_TRUE(m_pScene->getSquare(5, 5)->pWalkObj.isNull());
    EXPECT_TRUE(pA->getSquare().isNull());
}

TEST(SceneTeardownTest, DetachesOccupantsAndLetsEveryoneGo)
{
    RecordingPlayMode play;
    RIR::SmartPtr<WalkingObject> pKept;
    {
        RIR::SmartPtr<Scene> pScene = makeFloorScene();
        pKept = placeWalker(pScene.get(), 3, 3);
        placeWalker(pScene.get(), 8, 8); // held by its square alone
        RIR::SmartPtr<ActionSpot> pSpot = new FixedSpot(Rect(0, 0, 10, 10), 6);
        pScene->addSpot(pSpot);
        pScene->addSpot(new ProxyActionSpot(Rect(0, 0, 5, 5), pSpot));
        EXPECT_EQ(2, pKept->getRefCount());
    }
    // The scene is gone; the walker it held was detached, not freed square by square.
    EXPECT_EQ(1, pKept->getRefCount());
    EXPECT_TRUE(pKept->getSquare().isNull());
    RIR::SmartPtr<Scene> pNext = makeFloorScene();
    EXPECT_EQ(pNext.get(), Scene::getScene());
}
