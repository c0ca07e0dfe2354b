// SDLMutexImpl: the SDL lock behind the application's Mutex.
#include "platform/sdl/sdlmutex.h"
#include "platform/sdl/sdlplatform.h"

#include "testkit/fakeappservices.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <type_traits>

static_assert(!std::is_copy_constructible_v<SDLMutexImpl>, "one SDL mutex per object");
static_assert(std::has_virtual_destructor_v<MutexImpl>, "Mutex deletes it as a MutexImpl");

namespace
{

TEST(SDLMutexTest, LockAndUnlockAnswerZero)
{
    SDLMutexImpl mutex;
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
}

TEST(SDLMutexTest, NeverLockedMutexIsDestroyed)
{
    // The leak checker reports an SDL mutex that the destructor leaves behind.
    for (int i = 0; i < 3; ++i)
        std::unique_ptr<SDLMutexImpl> pMutex(new SDLMutexImpl());
}

TEST(SDLMutexTest, KeepsOtherThreadsOut)
{
    SDLMutexImpl mutex;
    const int nRounds = 100000;
    long nCounter = 0;
    auto work = [&]()
    {
        for (int i = 0; i < nRounds; ++i)
        {
            mutex.lock();
            // A read and a later write: without the lock, the threads lose increments.
            const long nSeen = nCounter;
            nCounter = nSeen + 1;
            mutex.unlock();
        }
    };
    std::thread other(work);
    work();
    other.join();
    EXPECT_EQ(2L * nRounds, nCounter);
}

TEST(SDLMutexTest, ApplicationMutexLocksThroughThePlatform)
{
    SDLPlatform platform;
    FakeAppServices app(&platform);
    Mutex mutex;
    ASSERT_TRUE(mutex.hasImpl());
    EXPECT_EQ(0, mutex.lock());
    EXPECT_EQ(0, mutex.unlock());
}

TEST(SDLMutexTest, PlatformMakesANewLockEachTime)
{
    SDLPlatform platform;
    std::unique_ptr<MutexImpl> pFirst(platform.createMutexImpl());
    std::unique_ptr<MutexImpl> pSecond(platform.createMutexImpl());
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, dynamic_cast<SDLMutexImpl*>(pFirst.get()));
    EXPECT_NE(pFirst, pSecond);
    EXPECT_EQ(0, pFirst->lock());
    // Another thread gets the second lock while the first is held.
    int nOther = -1;
    std::thread(
        [&]()
        {
            nOther = pSecond->lock();
            pSecond->unlock();
        })
        .join();
    EXPECT_EQ(0, nOther);
    EXPECT_EQ(0, pFirst->unlock());
}

} // namespace
