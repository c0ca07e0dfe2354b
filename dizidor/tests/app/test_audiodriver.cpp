// The music layer every audio driver shares (current music, playlist, update) and the lifetime
// rule of samples and music: once their driver has shut down they touch nothing of it.
#include "app/iaudiodriver.h"
#include "app/resourceloaderimpl.h"

#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

RIR::List<RIR::String> names(std::initializer_list<const char*> items)
{
    RIR::List<RIR::String> lNames;
    for (const char* psz : items)
        lNames.append(RIR::String(psz));
    return lNames;
}

// A platform with a recording audio driver and an application that fetches music through it.
class MusicLayerTest : public ::testing::Test
{
protected:
    MusicLayerTest() : m_app(&m_platform), m_driver(*m_platform.getRecordingAudioDriver()) {}

    int playMusicCount() const { return m_platform.getLog()->countCalls("audio.playMusic"); }

    FakePlatform m_platform;
    FakeAppServices m_app;
    RecordingAudioDriver& m_driver;
};

TEST_F(MusicLayerTest, PlayByNameLeavesThePlayingMusicAndItsPlaylistAlone)
{
    m_driver.playPlaylist(names({"a", "b"}));
    ASSERT_EQ(1, playMusicCount());
    const RIR::String sFirst = m_driver.getCurrentMusic();

    m_driver.playMusicByName(sFirst.c_str(), true);
    EXPECT_EQ(1, playMusicCount());
    EXPECT_EQ(2, m_driver.getPlaylist().getLength());

    // Once it has ended, the same name starts it again and ends the playlist.
    m_driver.finishMusic();
    m_driver.playMusicByName(sFirst.c_str(), true);
    EXPECT_EQ(2, playMusicCount());
    EXPECT_TRUE(m_driver.isMusicLooping());
    EXPECT_EQ(0, m_driver.getPlaylist().getLength());
    EXPECT_STREQ(sFirst.c_str(), m_driver.getPlayingMusicName().c_str());
}

TEST_F(MusicLayerTest, UpdateWithoutPlaylistStartsNothing)
{
    m_driver.update(0.016f);
    m_driver.playMusicByName("theme", false);
    m_driver.finishMusic();
    m_driver.update(0.016f);
    EXPECT_EQ(1, playMusicCount());
    EXPECT_STREQ("theme", m_driver.getCurrentMusic().c_str());
}

TEST_F(MusicLayerTest, OneEntryPlaylistReplaysItsTrack)
{
    m_driver.playPlaylist(names({"saloon"}));
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_STREQ("saloon", m_driver.getPlayingMusicName().c_str());
        EXPECT_FALSE(m_driver.isMusicLooping()); // the playlist restarts it, not the device
        m_driver.update(0.016f);                 // still playing: nothing new
        m_driver.finishMusic();
        m_driver.update(0.016f);
    }
    EXPECT_EQ(4, playMusicCount());
    EXPECT_EQ(1, m_driver.getPlaylist().getLength());
}

TEST_F(MusicLayerTest, ConsecutivePlaylistTracksDiffer)
{
    m_driver.playPlaylist(names({"a", "b", "c"}));
    RIR::String sPrevious = m_driver.getPlayingMusicName();
    int nChanges = 0;
    for (int i = 0; i < 60; ++i)
    {
        m_driver.finishMusic();
        m_driver.update(0.016f);
        const RIR::String sNow = m_driver.getPlayingMusicName();
        EXPECT_STRNE(sPrevious.c_str(), sNow.c_str());
        EXPECT_STREQ(sNow.c_str(), m_driver.getCurrentMusic().c_str());
        nChanges += sNow != sPrevious ? 1 : 0;
        sPrevious = sNow;
    }
    EXPECT_EQ(60, nChanges);
    EXPECT_EQ(3, m_driver.getPlaylist().getLength());
}

TEST_F(MusicLayerTest, PlaylistOfOnlyTheCurrentTrackTakesItAgain)
{
    // Every entry equals the track that just played: the draw for a different one would never
    // end, so the current track is taken again.
    m_driver.playPlaylist(names({"a", "a", "a"}));
    ASSERT_STREQ("a", m_driver.getPlayingMusicName().c_str());
    m_driver.finishMusic();
    m_driver.update(0.016f);
    EXPECT_STREQ("a", m_driver.getPlayingMusicName().c_str());
    EXPECT_TRUE(m_driver.isMusicPlaying());
    EXPECT_EQ(2, playMusicCount());
}

TEST_F(MusicLayerTest, StopMusicForgetsNameAndPlaylist)
{
    m_driver.playPlaylist(names({"a", "b"}));
    m_driver.stopMusic();
    EXPECT_STREQ("", m_driver.getCurrentMusic().c_str());
    EXPECT_EQ(0, m_driver.getPlaylist().getLength());
    EXPECT_FALSE(m_driver.isMusicPlaying());
    EXPECT_EQ(2, m_platform.getLog()->countCalls("audio.fadeOutMusic(0)"));
    m_driver.update(0.016f);
    EXPECT_EQ(1, playMusicCount());
}

TEST_F(MusicLayerTest, PlayPlaylistAcceptsItsOwnPlaylist)
{
    m_driver.playPlaylist(names({"a", "b"}));
    m_driver.playPlaylist(m_driver.getPlaylist());
    EXPECT_EQ(2, m_driver.getPlaylist().getLength());
    EXPECT_TRUE(m_driver.isMusicPlaying());
}

TEST_F(MusicLayerTest, MusicIsFetchedThroughTheApplicationCache)
{
    m_driver.playMusicByName("theme", true);
    m_driver.finishMusic();
    m_driver.playMusicByName("theme", true);
    EXPECT_EQ(1, m_platform.getLog()->countCalls("audio.loadMusic"));
    EXPECT_EQ(2, playMusicCount());
}

TEST_F(MusicLayerTest, MissingMusicRaisesTheLoaderError)
{
    m_driver.markMissing("nothing");
    EXPECT_THROW(m_driver.playMusicByName("nothing", false), RIR::ResourceException);
    EXPECT_THROW(m_driver.playPlaylist(names({"nothing"})), RIR::ResourceException);
    EXPECT_EQ(0, playMusicCount());
}

TEST(AudioLifetimeTest, ReleasesReachTheDriverOnlyWhileItRuns)
{
    RIR::SmartPtr<Sample> pHeld;
    RIR::SmartPtr<Music> pMusic;
    RIR::SmartPtr<RecordingLog> pLog;
    {
        FakePlatform platform;
        pLog = platform.getLog();
        RecordingAudioDriver* pDriver = platform.getRecordingAudioDriver();
        pHeld = pDriver->getSampleLoader()->load("held");
        pMusic = pDriver->getMusicLoader()->load("theme");
        RIR::SmartPtr<Sample> pPlaying = pDriver->getSampleLoader()->load("playing");
        RIR::SmartPtr<Sample> pBrief = pDriver->getSampleLoader()->load("brief");
        ASSERT_EQ(0, pDriver->playSample(pPlaying, true, -1));
        pDriver->playMusic(pMusic, true);
        pPlaying.release(); // now held only by the driver's channel

        pBrief.release(); // released while the driver runs: it is told
        EXPECT_EQ(1, pLog->countCalls("audio.release(brief)"));
        EXPECT_EQ(3, pDriver->getLiveObjectCount());
    } // platform gone: its audio driver shut down and deleted, the channel's sample released

    EXPECT_TRUE(pHeld && pMusic);
    EXPECT_FALSE(pHeld->isDriverAlive());
    EXPECT_FALSE(pMusic->isDriverAlive());
    pHeld.release();
    pMusic.release();
    const int nShutdown = pLog->indexOf("audio.shutdown");
    ASSERT_GE(nShutdown, 0);
    EXPECT_EQ(-1, pLog->indexOf("audio.release", nShutdown)) << pLog->toString().c_str();
}

// A driver-made sample that counts its releases of driver data.
struct CountingSample : public Sample
{
    explicit CountingSample(const char* pszName) { m_sName = pszName; }
    ~CountingSample() override
    {
        if (isDriverAlive())
            ++s_nFreed;
    }
    float getVolume() const override { return 1.0f; }
    void setVolume(float) override {}
    static int s_nFreed;
};
int CountingSample::s_nFreed = 0;

TEST(AudioLifetimeTest, ResourceLoaderImplTiesObjectsToTheDriverRun)
{
    static const char* const s_apszExt[] = {".ogg", ".wav", nullptr};
    CountingSample::s_nFreed = 0;
    RIR::SmartPtr<Sample> pOld;
    {
        RecordingAudioDriver driver;
        ResourceLoaderImpl<Sample, CountingSample> loader(s_apszExt, &driver);
        EXPECT_EQ(s_apszExt, loader.getExtensions());

        RIR::SmartPtr<Sample> pNow = loader.load("door");
        EXPECT_STREQ("door", pNow->getName().c_str());
        pNow.release();
        EXPECT_EQ(1, CountingSample::s_nFreed);

        pOld = loader.load("door");
        driver.shutdown();
        RIR::SmartPtr<Sample> pNext = loader.load("door"); // the next run's
        EXPECT_TRUE(pNext->isDriverAlive());
        pNext.release();
        EXPECT_EQ(2, CountingSample::s_nFreed);
    }
    pOld.release();
    EXPECT_EQ(2, CountingSample::s_nFreed);

    // Without a driver the objects follow none.
    ResourceLoaderImpl<Sample, CountingSample> loose;
    RIR::SmartPtr<Sample> pLoose = loose.load("x");
    EXPECT_FALSE(pLoose->isDriverAlive());
}

TEST(ResourceLoaderImplTest, ExistsTriesEachExtensionThroughTheApplication)
{
    static const char* const s_apszExt[] = {".ogg", ".wav", nullptr};
    ResourceLoaderImpl<Sample, CountingSample> loader(s_apszExt);
    EXPECT_FALSE(loader.exists("door"));
    FakeAppServices app;
    app.addResource("door.wav");
    app.addResource("bell");
    EXPECT_TRUE(loader.exists("door"));
    EXPECT_FALSE(loader.exists("bell")); // the bare name is not in this list
    EXPECT_FALSE(loader.exists("gong"));
}

} // namespace
