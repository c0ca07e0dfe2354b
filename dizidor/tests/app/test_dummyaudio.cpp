// DummyAudioDriver: silent answers, stored volumes, loaders that exist only between init and
// shutdown, and dummy objects that never reach the driver once it has shut down.
#include "app/dummyaudiodriver.h"

#include "testkit/fakeappservices.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(std::is_base_of_v<IAudioDriver, DummyAudioDriver>, "a stand-in driver");
static_assert(std::has_virtual_destructor_v<IAudioDriver>, "deleted through the interface");
static_assert(std::is_base_of_v<RIR::RefCountedObject, Sample>, "samples are shared");
static_assert(std::is_base_of_v<RIR::RefCountedObject, Music>, "music is shared");
static_assert(!std::is_copy_constructible_v<DummyAudioDriver>, "a driver is not copied");

namespace
{

TEST(DummyAudioDriverTest, PlaysNothingAndLetsGoOfWhatItIsGiven)
{
    DummyAudioDriver driver;
    ASSERT_TRUE(driver.init());
    RIR::SmartPtr<Sample> pSample = new DummySample();
    RIR::SmartPtr<Music> pMusic = new DummyMusic();

    EXPECT_EQ(-1, driver.playSample(pSample, true, -1));
    EXPECT_EQ(-1, driver.playSample(pSample, false, 3));
    driver.playMusic(pMusic, true);
    EXPECT_EQ(1, pSample->getRefCount());
    EXPECT_EQ(1, pMusic->getRefCount());

    EXPECT_FALSE(driver.isMusicPlaying());
    EXPECT_FALSE(driver.isChannelPlaying(0));
    EXPECT_FALSE(driver.isChannelPlaying(-1));
    EXPECT_STREQ("", driver.getChannelSampleName(0).c_str());

    // The remaining requests are accepted and change nothing that can be asked.
    driver.setMuted(true);
    driver.setMusicPosition(3.0f);
    driver.setPanning(0, 255, 0);
    driver.setChannelPosition(0, 90.0f, 0.5f);
    driver.stopChannel(-1, 1.0f);
    driver.pauseChannel(-1);
    driver.resumeChannel(-1);
    driver.fadeOutMusic(2.0f);
    driver.pauseMusic();
    driver.resumeMusic();
    driver.setPaused(true);
    EXPECT_FALSE(driver.isMusicPlaying());
}

TEST(DummyAudioDriverTest, StoresVolumes)
{
    DummyAudioDriver driver;
    EXPECT_FLOAT_EQ(1.0f, driver.getSoundVolume());
    EXPECT_FLOAT_EQ(1.0f, driver.getMusicVolume());
    driver.setSoundVolume(0.5f);
    driver.setMusicVolume(0.25f);
    EXPECT_FLOAT_EQ(0.5f, driver.getSoundVolume());
    EXPECT_FLOAT_EQ(0.25f, driver.getMusicVolume());
}

TEST(DummyAudioDriverTest, LoadersExistBetweenInitAndShutdown)
{
    DummyAudioDriver driver;
    EXPECT_EQ(nullptr, driver.getSampleLoader());
    EXPECT_EQ(nullptr, driver.getMusicLoader());

    ASSERT_TRUE(driver.init());
    IResourceLoader<Sample>* pSamples = driver.getSampleLoader();
    IResourceLoader<Music>* pMusic = driver.getMusicLoader();
    ASSERT_NE(nullptr, pSamples);
    ASSERT_NE(nullptr, pMusic);
    ASSERT_TRUE(driver.init());
    EXPECT_EQ(pSamples, driver.getSampleLoader()); // a second init keeps them
    EXPECT_EQ(pMusic, driver.getMusicLoader());

    driver.shutdown();
    EXPECT_EQ(nullptr, driver.getSampleLoader());
    EXPECT_EQ(nullptr, driver.getMusicLoader());
}

TEST(DummyAudioDriverTest, LoadersMakeFreshSilentObjectsWhateverTheName)
{
    DummyAudioDriver driver;
    driver.init();
    RIR::SmartPtr<Sample> pA = driver.getSampleLoader()->load("door");
    RIR::SmartPtr<Sample> pB = driver.getSampleLoader()->load("door");
    RIR::SmartPtr<Music> pM = driver.getMusicLoader()->load("intro");
    ASSERT_TRUE(pA && pB && pM);
    EXPECT_NE(pA.get(), pB.get());
    EXPECT_STREQ("", pA->getName().c_str());
    pA->setVolume(0.1f);
    pM->setVolume(0.1f);
    EXPECT_FLOAT_EQ(1.0f, pA->getVolume());
    EXPECT_FLOAT_EQ(1.0f, pM->getVolume());
}

TEST(DummyAudioDriverTest, LoaderExistsAsksTheApplicationForTheBareName)
{
    DummyAudioDriver driver;
    driver.init();
    EXPECT_FALSE(driver.getMusicLoader()->exists("intro")); // no application yet

    FakeAppServices app;
    app.addResource("intro");
    app.addResource("door.ogg");
    EXPECT_TRUE(driver.getMusicLoader()->exists("intro"));
    EXPECT_TRUE(driver.getSampleLoader()->exists("intro"));
    // Without an extension list only the bare name is tried.
    EXPECT_FALSE(driver.getSampleLoader()->exists("door"));
    EXPECT_TRUE(driver.getSampleLoader()->exists("door.ogg"));
}

TEST(DummyAudioDriverTest, ObjectsOutliveTheDriver)
{
    RIR::SmartPtr<Sample> pOld;
    RIR::SmartPtr<Sample> pNew;
    {
        DummyAudioDriver driver;
        driver.init();
        pOld = driver.getSampleLoader()->load("a");
        EXPECT_TRUE(pOld->isDriverAlive());
        driver.shutdown();
        EXPECT_FALSE(pOld->isDriverAlive());

        // A new run hands out a new lifetime; the old objects stay cut off.
        driver.init();
        pNew = driver.getSampleLoader()->load("b");
        EXPECT_TRUE(pNew->isDriverAlive());
        EXPECT_FALSE(pOld->isDriverAlive());
    }
    EXPECT_FALSE(pNew->isDriverAlive());
    pOld.release();
    pNew.release();
}

TEST(DummyAudioDriverTest, MusicLayerFetchesThroughTheApplication)
{
    DummyAudioDriver driver;
    driver.init();
    EXPECT_THROW(driver.playMusicByName("intro", true), RIR::BadStateException);

    FakeAppServices app;
    app.setAudioDriver(&driver);
    driver.playMusicByName("intro", true);
    EXPECT_STREQ("intro", driver.getCurrentMusic().c_str());
    EXPECT_EQ(1, app.getCachedMusicCount());
    driver.stopMusic();
    EXPECT_STREQ("", driver.getCurrentMusic().c_str());
}

} // namespace
