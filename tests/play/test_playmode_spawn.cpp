// Spawning on the game's packs: what keeps newcomers out, which entrance they take, the least
// time between two of a class, the first appearances of the rarer classes and their help, the
// sheriff who keeps trying while the entrance is taken, and the character dump.
#include "play/kit/playkit.h"

#include "level/diffmanager.h"
#include "world/cow.h"
#include "world/customer.h"

#include "world/kit/logcapture.h"
#include "testkit/fakeplatform.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace
{

// A customer who stays where he is whatever happens.
class StayingCustomer : public Customer
{
public:
    explicit StayingCustomer(CharacterClass eClass = CC_CUSTOMER) { setCharacterClass(eClass); }
    void update(float) override {}
};

class StayingCow : public Cow
{
public:
    StayingCow() { setCharacterClass(CC_COW); }
    void update(float) override {}
};

// The square of a character, as the scene sees its position.
void squareOf(PlayMode* pDay, Character* pCharacter, int* pI, int* pJ)
{
    int nX = 0;
    int nY = 0;
    pCharacter->getPos(&nX, &nY);
    pDay->getScene()->pixelToSquare(nX, nY, pI, pJ);
}

// Puts a walker that is not on the day's list on a street square, keeping that entrance taken.
RIR::SmartPtr<Character> blockSquare(PlayMode* pDay, int nI)
{
    RIR::SmartPtr<Character> pBlocker = new StayingCustomer;
    int nX = 0;
    int nY = 0;
    pDay->getScene()->squareToPixel(nI, 0, &nX, &nY, 0x24);
    pBlocker->placeAt(nX, nY);
    return pBlocker;
}

// Frees both entrances and the entrance corridor, leaving everybody on the list.
void freeTheDoor(PlayMode* pDay)
{
    Scene* pScene = pDay->getScene();
    const RIR::List<RIR::SmartPtr<Character>>& lChars = pDay->getCharacters();
    for (int n = 0; n < lChars.getLength(); ++n)
    {
        if (pScene->hasCorridorReservation(lChars.get(n), 1))
            pScene->unreserveCorridor(lChars.get(n), 1);
    }
    pScene->getSquare(0, 0)->pWalkObj.release();
    pScene->getSquare(10, 0)->pWalkObj.release();
}

int countOfClass(PlayMode* pDay, int eClass)
{
    int nCount = 0;
    for (int n = 0; n < pDay->getCharacters().getLength(); ++n)
        if ((int)pDay->getCharacters().get(n)->getCharacterClass() == eClass)
            ++nCount;
    return nCount;
}

class PlaySpawnTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

TEST_F(PlaySpawnTest, NewcomersWaitWhileSomeoneBlocksTheSaloon)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    struct Case
    {
        const char* pszWhat;
        int eClass;         // of the character inside
        bool bWantsClicks;  // "CP_WANT_CLICKS" of the character inside
        bool bWaiting;      // it waits to leave
        bool bBlocked;
    };
    const Case aCases[] = {
        {"a plain customer", CC_CUSTOMER, false, false, false},
        {"a customer waiting to leave", CC_CUSTOMER, false, true, true},
        {"a thief", CC_THIEF, true, false, true},
        {"a cow", CC_COW, false, false, true},
        {"an undertaker waiting for clicks", CC_UNDERTAKER, true, false, true},
        {"an undertaker who takes no more clicks", CC_UNDERTAKER, false, false, false},
        {"a wanted man", CC_WANTED, true, false, false},
    };
    RIR::SmartPtr<StayingCustomer> pInside = new StayingCustomer;
    pDay->addCharacter(pInside.get());
    for (const Case& c : aCases)
    {
        pInside->setCharacterClass((CharacterClass)c.eClass);
        pInside->setBool(CP_WANT_CLICKS, c.bWantsClicks);
        pInside->setWaitingToLeave(c.bWaiting);
        freeTheDoor(pDay);
        const int nBefore = pDay->getCharacters().getLength();
        pDay->spawnCharacter(CC_CUSTOMER);
        EXPECT_EQ(c.bBlocked ? nBefore : nBefore + 1, pDay->getCharacters().getLength())
            << c.pszWhat;
    }
}

TEST_F(PlaySpawnTest, EntranceColumnsByClassAndWhatIsFree)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    // The day's first attempt finds both entrances taken; the next one is seconds away, so the
    // short frames below that take the newcomers off the list again spawn nobody.
    {
        RIR::SmartPtr<Character> pLeft = blockSquare(pDay, 0);
        RIR::SmartPtr<Character> pRight = blockSquare(pDay, 10);
        m_kit.frame(0.01f);
        ASSERT_EQ(0, pDay->getCharacters().getLength());
    }
    struct Case
    {
        const char* pszWhat;
        int eClass;
        int nTaken;             // a street square taken beforehand, -1 none
        std::set<int> columns;  // where the newcomers enter; empty: nobody enters
    };
    const Case aCases[] = {
        {"a customer, both free", CC_CUSTOMER, -1, {0, 10}},
        {"a customer, left taken", CC_CUSTOMER, 0, {10}},
        {"a customer, right taken", CC_CUSTOMER, 10, {0}},
        {"the sheriff, both free", CC_SHERIFF, -1, {0, 10}},
        {"a cow, both free", CC_COW, -1, {0}},
        {"a cow, right taken", CC_COW, 10, {0}},
        {"a cow, left taken", CC_COW, 0, {}},
    };
    for (const Case& c : aCases)
    {
        std::set<int> seen;
        for (int nTry = 0; nTry < 16; ++nTry)
        {
            freeTheDoor(pDay);
            RIR::SmartPtr<Character> pBlocker;
            if (c.nTaken >= 0)
                pBlocker = blockSquare(pDay, c.nTaken);
            const int nBefore = pDay->getCharacters().getLength();
            pDay->spawnCharacter(c.eClass);
            if (pDay->getCharacters().getLength() == nBefore)
                continue;
            Character* pNew = pDay->getCharacters().get(nBefore).get();
            EXPECT_EQ(c.eClass, (int)pNew->getCharacterClass()) << c.pszWhat;
            int nI = -1;
            int nJ = -1;
            squareOf(pDay, pNew, &nI, &nJ);
            EXPECT_EQ(0, nJ) << c.pszWhat << ": on the street";
            seen.insert(nI);
            // A cow inside would keep the next one out: every newcomer leaves the list again.
            freeTheDoor(pDay);
            pNew->detach(); // a customer lets go of his chair
            pDay->removeCharacter(pNew);
            m_kit.frame(0.001f);
        }
        EXPECT_EQ(c.columns, seen) << c.pszWhat;
    }
    // Both entrances taken: nobody.
    freeTheDoor(pDay);
    RIR::SmartPtr<Character> pLeft = blockSquare(pDay, 0);
    RIR::SmartPtr<Character> pRight = blockSquare(pDay, 10);
    const int nBefore = pDay->getCharacters().getLength();
    pDay->spawnCharacter(CC_CUSTOMER);
    EXPECT_EQ(nBefore, pDay->getCharacters().getLength());
}

TEST_F(PlaySpawnTest, TutorialCustomerComesStraightToTheDoor)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_STORY, 180, 1, 0);
    pDay->spawnCharacter(CC_CUSTOMER);
    ASSERT_EQ(1, pDay->getCharacters().getLength());
    int nI = -1;
    int nJ = -1;
    squareOf(pDay, pDay->getCharacters().get(0).get(), &nI, &nJ);
    EXPECT_EQ(4, nI);
    EXPECT_EQ(0, nJ);
}

TEST_F(PlaySpawnTest, ClassWithinItsGapLosesTheAttempt)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    // Ten customers (the most five tables take), one of them a wanted man: the thief is the only
    // class that can come (no chair for a customer, no cow beside a wanted man).
    for (int n = 0; n < 10; ++n)
        pDay->addCharacter(new StayingCustomer(n == 0 ? CC_WANTED : CC_CUSTOMER));
    pDay->addCash(1000);
    m_kit.platform()->setTicks(100000);
    m_kit.frame(0.01f); // the first attempt of the day
    ASSERT_EQ(1, countOfClass(pDay, CC_THIEF));
    EXPECT_EQ(100000, pDay->getSpawnSchedule().getLastSpawnTime(CC_THIEF));
    EXPECT_EQ(1, pDay->getStat(5)) << "a thief came";

    struct Step
    {
        unsigned int nTicks; // clock of the next attempt
        bool bComes;
    };
    const Step aSteps[] = {{110000, false}, {124999, false}, {125000, true}};
    for (const Step& step : aSteps)
    {
        // The thief leaves; the next attempt comes with the spawn timer.
        RIR::SmartPtr<Character> pThief = pDay->findCharacterOfClass(CC_THIEF);
        if (pThief)
        {
            freeTheDoor(pDay);
            pDay->removeCharacter(pThief.get());
            m_kit.frame(0.001f);
            ASSERT_EQ(0, countOfClass(pDay, CC_THIEF));
        }
        m_kit.platform()->setTicks(step.nTicks);
        m_kit.run(pDay->getRules()->getSpawnInterval() + 0.05f, 0.05f);
        EXPECT_EQ(step.bComes ? 1 : 0, countOfClass(pDay, CC_THIEF)) << "at " << step.nTicks;
    }
}

TEST_F(PlaySpawnTest, FirstAppearanceIsHelpedAndThenComesFirst)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 60, 1, 40);
    const SpawnSchedule& schedule = pDay->getSpawnSchedule();
    // Nobody comes in while both entrances are taken by walkers of no account.
    RIR::SmartPtr<Character> pLeft = blockSquare(pDay, 0);
    RIR::SmartPtr<Character> pRight = blockSquare(pDay, 10);
    RIR::SmartPtr<StayingCow> pCow = new StayingCow;
    pDay->addCharacter(pCow.get());
    const float fWanted = schedule.getFirstAppearance(CC_WANTED);
    ASSERT_LT(fWanted, 45.0f);
    ASSERT_FALSE(schedule.isFirstAppearanceDone(CC_WANTED));

    // Only a cow inside: twenty tries find no customer to send away, every frame.
    m_kit.runUntil([&] { return pDay->getElapsed() > fWanted + 0.5f; }, 100.0f, 0.05f);
    EXPECT_FALSE(schedule.isFirstAppearanceDone(CC_WANTED));

    // Customers inside: one of them is asked to leave after his drink.
    RIR::SmartPtr<StayingCustomer> apCustomers[3];
    for (auto& pCustomer : apCustomers)
    {
        pCustomer = new StayingCustomer;
        pDay->addCharacter(pCustomer.get());
    }
    m_kit.frame(0.01f);
    EXPECT_TRUE(schedule.isFirstAppearanceDone(CC_WANTED));
    int nAsked = 0;
    for (auto& pCustomer : apCustomers)
    {
        if (pCustomer->has(CP_MAX_DRINKS))
        {
            EXPECT_EQ(1, pCustomer->getInt(CP_MAX_DRINKS));
            ++nAsked;
        }
    }
    EXPECT_EQ(1, nAsked);

    // The door opens: the due class is the only candidate, fewer than five customers or not.
    pDay->removeCharacter(pCow.get());
    m_kit.frame(0.001f);
    freeTheDoor(pDay);
    pLeft = nullptr;
    pRight = nullptr;
    const int eDue = schedule.getDueFirstAppearance(pDay->getElapsed());
    ASSERT_EQ(CC_WANTED, eDue);
    pDay->spawnCharacter(CC_NONE);
    EXPECT_EQ(1, countOfClass(pDay, CC_WANTED));
    EXPECT_TRUE(schedule.hasSpawned(CC_WANTED));
}

TEST_F(PlaySpawnTest, DueFirstAppearanceWithNobodyInsideIsMarkedDoneAtOnce)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 60, 1, 40);
    const SpawnSchedule& schedule = pDay->getSpawnSchedule();
    RIR::SmartPtr<Character> pLeft = blockSquare(pDay, 0);
    RIR::SmartPtr<Character> pRight = blockSquare(pDay, 10);
    const float fWanted = schedule.getFirstAppearance(CC_WANTED);
    m_kit.runUntil([&] { return pDay->getElapsed() >= fWanted; }, 100.0f, 0.05f);
    m_kit.frame(0.01f);
    EXPECT_TRUE(schedule.isFirstAppearanceDone(CC_WANTED));
    EXPECT_FALSE(schedule.hasSpawned(CC_WANTED));
    EXPECT_EQ(0, pDay->getCharacters().getLength());
}

TEST_F(PlaySpawnTest, SheriffKeptOutTriesAgainEverySecond)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    RIR::SmartPtr<Character> pLeft = blockSquare(pDay, 0);
    RIR::SmartPtr<Character> pRight = blockSquare(pDay, 10);
    pDay->replaceWantedPoster(); // a wanted man was caught
    EXPECT_TRUE(pDay->isSheriffDue());
    EXPECT_FLOAT_EQ(1.0f, pDay->getSheriffTimer());

    // Each try finds the entrance taken and sets the timer back to a second.
    int nTries = 0;
    float fLast = pDay->getSheriffTimer();
    for (int n = 0; n < 350; ++n)
    {
        m_kit.frame(0.01f);
        if (pDay->getSheriffTimer() > fLast)
            ++nTries;
        fLast = pDay->getSheriffTimer();
    }
    EXPECT_EQ(3, nTries) << "in 3.5 seconds";
    EXPECT_EQ(0, countOfClass(pDay, CC_SHERIFF));

    freeTheDoor(pDay);
    pLeft = nullptr;
    pRight = nullptr;
    EXPECT_TRUE(m_kit.runUntil([&] { return countOfClass(pDay, CC_SHERIFF) == 1; }, 1.05f));
    EXPECT_TRUE(pDay->isSheriffDue()) << "until he has pinned up the next poster";
}

TEST_F(PlaySpawnTest, LowResourcesPosterChangesAtOnceWithoutSheriff)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("LowResourcesMode", "TRUE");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    ASSERT_NE(nullptr, pDay->getWantedLook());
    const WantedLook before = *pDay->getWantedLook();
    pDay->replaceWantedPoster();
    EXPECT_FALSE(pDay->isSheriffDue());
    ASSERT_NE(nullptr, pDay->getWantedLook());
    EXPECT_FALSE(sameWantedLook(before, *pDay->getWantedLook()));
}

TEST_F(PlaySpawnTest, DumpNamesEveryCharacterByItsFullAddress)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    pDay->spawnCharacter(CC_CUSTOMER);
    pDay->addCharacter(new StayingCow);
    LogCapture log;
    pDay->dumpCharacters();
    const std::string sText = log.text();
    const std::string sDigits = std::to_string(2 * sizeof(void*));
    const std::regex line("([0-9A-F]{" + sDigits + "}) \\((-?\\d+)\\) : (-?\\d+), (-?\\d+) "
                          "\\[(-?\\d+), (-?\\d+)\\] St (-?\\d+)\n");
    EXPECT_EQ(0u, sText.find("*** Character dump ***\n"));
    std::smatch match;
    std::string sRest = sText;
    int nLines = 0;
    while (std::regex_search(sRest, match, line))
    {
        Character* pCharacter = pDay->getCharacters().get(nLines).get();
        char szId[32];
        std::snprintf(szId, sizeof(szId), "%0*llX", (int)(2 * sizeof(void*)),
                      (unsigned long long)(uintptr_t)pCharacter);
        EXPECT_EQ(szId, match[1].str());
        EXPECT_EQ(std::to_string((int)pCharacter->getCharacterClass()), match[2].str());
        ++nLines;
        sRest = match.suffix();
    }
    EXPECT_EQ(2, nLines);
    int nI = -1;
    int nJ = -1;
    squareOf(pDay, pDay->getCharacters().get(0).get(), &nI, &nJ);
    EXPECT_NE(std::string::npos,
              sText.find(RIR::String::format("[%d, %d] St", nI, nJ).c_str()));
}

} // namespace
