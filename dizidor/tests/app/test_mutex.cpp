// Mutex: where it takes its implementation from (construction or first lock), and the answer -1
// instead of a crash when there is no application, platform or implementation.
#include "app/mutex.h"

#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"

#include <gtest/gtest.h>

#include <ostream>
#include <type_traits>

static_assert(!std::is_copy_constructible_v<Mutex>, "a Mutex owns its implementation");
static_assert(!std::is_copy_assignable_v<Mutex>, "a Mutex owns its implementation");
static_assert(std::is_abstract_v<MutexImpl>, "platforms provide the implementation");
static_assert(std::has_virtual_destructor_v<MutexImpl>, "deleted through the base");

namespace
{

enum Setup
{
    NO_APPLICATION,
    APPLICATION_WITHOUT_PLATFORM,
    PLATFORM_WITHOUT_MUTEXES
};

struct MissingCase
{
    const char* pszName;
    Setup eSetup;
};

void PrintTo(const MissingCase& c, std::ostream* pOut)
{
    *pOut << c.pszName;
}

class MutexMissingTest : public ::testing::TestWithParam<MissingCase>
{
};

TEST_P(MutexMissingTest, LockAndUnlockAnswerMinusOne)
{
    FakePlatform platform(false);
    platform.setMutexSupport(false);
    FakeAppServices* pApp = nullptr;
    if (GetParam().eSetup == APPLICATION_WITHOUT_PLATFORM)
        pApp = new FakeAppServices(nullptr);
    else if (GetParam().eSetup == PLATFORM_WITHOUT_MUTEXES)
        pApp = new FakeAppServices(&platform);

    Mutex mutex;
    EXPECT_FALSE(mutex.hasImpl());
    EXPECT_EQ(-1, mutex.unlock());
    EXPECT_EQ(-1, mutex.lock());
    EXPECT_EQ(-1, mutex.lock()); // a failed lock leaves nothing behind to trip over
    EXPECT_EQ(-1, mutex.unlock());
    EXPECT_FALSE(mutex.hasImpl());
    delete pApp;
}

INSTANTIATE_TEST_SUITE_P(
    Missing, MutexMissingTest,
    ::testing::Values(MissingCase{"NoApplication", NO_APPLICATION},
                      MissingCase{"ApplicationWithoutPlatform", APPLICATION_WITHOUT_PLATFORM},
                      MissingCase{"PlatformWithoutMutexes", PLATFORM_WITHOUT_MUTEXES}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return info.param.pszName; });

TEST(MutexTest, MadeBeforeTheApplicationLocksOnceItExists)
{
    FakePlatform platform(false);
    Mutex mutex;
    EXPECT_FALSE(mutex.hasImpl());
    {
        FakeAppServices app(&platform);
        EXPECT_EQ(0, mutex.lock());
        EXPECT_TRUE(mutex.hasImpl());
        EXPECT_EQ(0, mutex.lock());
        EXPECT_EQ(0, mutex.unlock());
        EXPECT_EQ(0, mutex.unlock());
        EXPECT_EQ(-1, mutex.unlock()); // the fake implementation refuses an unlocked unlock
    }
    // The implementation stays with the mutex when the application is gone.
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
    EXPECT_EQ(1, platform.getMutexImplCount());
}

TEST(MutexTest, MadeWithAnApplicationTakesTheImplementationAtOnce)
{
    FakePlatform platform(false);
    FakeAppServices app(&platform);
    Mutex mutex;
    EXPECT_TRUE(mutex.hasImpl());
    EXPECT_EQ(1, platform.getMutexImplCount());
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
    EXPECT_EQ(1, platform.getMutexImplCount());
}

TEST(MutexTest, LaterLockRetriesAfterAFailedOne)
{
    FakePlatform platform(false);
    FakeAppServices app(&platform);
    platform.setMutexSupport(false);
    Mutex mutex;
    EXPECT_EQ(-1, mutex.lock());
    platform.setMutexSupport(true);
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
}

TEST(MutexTest, GlobalMutexStartsWithoutImplementation)
{
    // Constructed before main, when no application existed.
    EXPECT_FALSE(g_globalMutex.hasImpl());
}

} // namespace
