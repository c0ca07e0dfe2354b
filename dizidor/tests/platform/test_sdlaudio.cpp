// SDLAudioDriver, SDLSample and SDLMusic on SDL_mixer with SDL's disk audio driver: the mixed
// sound goes to a file of raw samples, which the tests read back.
#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/sdlmusic.h"
#include "platform/sdl/sdlsample.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "testkit/recordingaudiodriver.h"

#include "rir2/exception.h"
#include "rir2/resource.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

static_assert(!std::is_copy_constructible_v<SDLAudioDriver>, "the platform owns one driver");
static_assert(std::is_base_of_v<IAudioDriver, SDLAudioDriver>, "installed as the IAudioDriver");

namespace
{

const int SAMPLE_RATE = 22050;

void put16(std::vector<uint8_t>& v, unsigned n)
{
    v.push_back((uint8_t)(n & 0xFF));
    v.push_back((uint8_t)((n >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& v, unsigned n)
{
    put16(v, n & 0xFFFF);
    put16(v, n >> 16);
}

// A mono 16-bit PCM WAV file of a 440 Hz sine.
std::vector<uint8_t> makeSineWav(double dSeconds, int nAmplitude = 12000)
{
    const unsigned nFrames = (unsigned)(dSeconds * SAMPLE_RATE);
    std::vector<uint8_t> v;
    const char* pszRiff = "RIFF";
    v.insert(v.end(), pszRiff, pszRiff + 4);
    put32(v, 36 + nFrames * 2);
    const char* pszWaveFmt = "WAVEfmt ";
    v.insert(v.end(), pszWaveFmt, pszWaveFmt + 8);
    put32(v, 16);
    put16(v, 1); // PCM
    put16(v, 1); // mono
    put32(v, SAMPLE_RATE);
    put32(v, SAMPLE_RATE * 2);
    put16(v, 2);
    put16(v, 16);
    const char* pszData = "data";
    v.insert(v.end(), pszData, pszData + 4);
    put32(v, nFrames * 2);
    for (unsigned i = 0; i < nFrames; ++i)
    {
        const double dValue = nAmplitude * std::sin(2.0 * M_PI * 440.0 * i / SAMPLE_RATE);
        put16(v, (unsigned)(int16_t)std::lround(dValue));
    }
    return v;
}

RIR::SmartPtr<RIR::Resource> makeResource(const std::vector<uint8_t>& vBytes)
{
    uint8_t* pData = new uint8_t[vBytes.size()];
    std::memcpy(pData, vBytes.data(), vBytes.size());
    return new RIR::Resource((int)vBytes.size(), pData, true);
}

std::string readFile(const std::string& sPath)
{
    std::ifstream in(sPath.c_str(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

long fileSize(const std::string& sPath)
{
    std::ifstream in(sPath.c_str(), std::ios::binary | std::ios::ate);
    return in ? (long)in.tellg() : -1;
}

// The largest absolute value among the 16-bit samples of the raw output.
int peakLevel(const std::string& sRaw)
{
    int nPeak = 0;
    for (size_t i = 0; i + 1 < sRaw.size(); i += 2)
    {
        const int16_t nValue = (int16_t)((uint8_t)sRaw[i] | ((uint8_t)sRaw[i + 1] << 8));
        nPeak = std::max(nPeak, std::abs((int)nValue));
    }
    return nPeak;
}

// Waits for the mixer thread (never more than 20 s); false when the condition never came.
bool waitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 4000; ++i)
    {
        if (condition())
            return true;
        SDL_Delay(5);
    }
    return condition();
}

// Each test gets SDL's disk writer with its own output file. SDL reads these settings whenever
// it opens the audio device, and closing the mixer stops SDL's audio, so every test starts clean.
class SDLAudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szDir[] = "/tmp/dbd-sdlaudio-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(szDir));
        m_sDir = szDir;
        m_sOutput = m_sDir + "/mix.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_sOutput.c_str(), 1);
        // Milliseconds between two buffers: faster than real time, slow enough to stay small.
        setenv("SDL_DISKAUDIODELAY", "10", 1);
        m_pDriver = new SDLAudioDriver();
    }

    void TearDown() override
    {
        m_pSine = nullptr;
        m_pMusic = nullptr;
        if (m_pDriver)
            m_pDriver->shutdown();
        delete m_pDriver;
        SDL_Quit();
        std::remove(m_sOutput.c_str());
        rmdir(m_sDir.c_str());
    }

    void open()
    {
        ASSERT_TRUE(m_pDriver->init()) << SDL_GetError();
        m_pSine = new SDLSample("sine", makeResource(makeSineWav(0.2)));
    }

    // A music of 2 seconds, as SDL_mixer streams it from memory.
    RIR::SmartPtr<SDLMusic> makeMusic(const char* pszName = "tune")
    {
        return new SDLMusic(pszName, makeResource(makeSineWav(2.0)));
    }

    // Closes the mixer (which flushes the disk writer) and reads what it wrote.
    std::string closeAndReadOutput()
    {
        m_pDriver->shutdown();
        return readFile(m_sOutput);
    }

    std::string m_sDir;
    std::string m_sOutput;
    SDLAudioDriver* m_pDriver = nullptr;
    RIR::SmartPtr<Sample> m_pSine;
    RIR::SmartPtr<SDLMusic> m_pMusic;
};

// ---- opening ----------------------------------------------------------------------------------

TEST_F(SDLAudioTest, ChunkSizeFollowsTheFrequency)
{
    struct
    {
        int nFrequency;
        int nChunkSize;
        int nChosen;
    } const aCases[] = {
        {22050, -1, 2048},   {44100, -1, 4096},   {48000, 0, 4096},
        {22050, 1024, 1024}, {44100, 1024, 1024},
    };
    for (const auto& c : aCases)
    {
        SDLAudioDriver driver;
        driver.setFrequency(c.nFrequency);
        driver.setChunkSize(c.nChunkSize);
        EXPECT_EQ(c.nChosen, driver.chooseChunkSize()) << c.nFrequency << " Hz, " << c.nChunkSize;
    }
    EXPECT_EQ(22050, SDLAudioDriver().getFrequency());
}

TEST_F(SDLAudioTest, OpensTheMixerAtTheAskedRate)
{
    for (int nFrequency : {22050, 44100})
    {
        m_pDriver->setFrequency(nFrequency);
        ASSERT_TRUE(m_pDriver->init()) << SDL_GetError();
        int nOpened = 0;
        Uint16 nFormat = 0;
        int nChannels = 0;
        ASSERT_NE(0, Mix_QuerySpec(&nOpened, &nFormat, &nChannels));
        EXPECT_EQ(nFrequency, nOpened);
        EXPECT_EQ(AUDIO_S16LSB, nFormat);
        EXPECT_EQ(2, nChannels);
        EXPECT_EQ(16, Mix_AllocateChannels(-1));
        EXPECT_EQ(1.0f, m_pDriver->getSoundVolume());
        EXPECT_EQ(1.0f, m_pDriver->getMusicVolume());
        EXPECT_TRUE(m_pDriver->init()) << "a second init keeps the open mixer";
        m_pDriver->shutdown();
        EXPECT_FALSE(SDLAudioDriver::isMixerOpen());
    }
}

TEST_F(SDLAudioTest, FailedOpenIsLoggedAndLeavesAudioOff)
{
    const std::string sLog = m_sDir + "/test.log";
    openLog(sLog.c_str());
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(m_pDriver->init());
    closeLog();
    const std::string sText = readFile(sLog);
    EXPECT_EQ(0u, sText.find("A: Audio init failed : ")) << sText;
    EXPECT_EQ('\n', sText.back());
    EXPECT_GT(sText.size(), std::strlen("A: Audio init failed : \n")) << "with SDL's reason";
    std::remove(sLog.c_str());

    // Nothing reaches the closed mixer.
    RIR::SmartPtr<Sample> pSample = new SDLSample();
    EXPECT_EQ(-1, m_pDriver->playSample(pSample, false, -1));
    m_pDriver->playMusic(new SDLMusic(), true);
    EXPECT_EQ(nullptr, m_pDriver->getPlayingMusic().get());
    EXPECT_FALSE(m_pDriver->isMusicPlaying());
    EXPECT_FALSE(m_pDriver->isChannelPlaying(0));
}

// ---- samples ----------------------------------------------------------------------------------

TEST_F(SDLAudioTest, PlayedSineReachesTheOutput)
{
    open();
    const int nChannel = m_pDriver->playSample(m_pSine, false, -1);
    ASSERT_GE(nChannel, 0);
    ASSERT_LT(nChannel, SDLAudioDriver::CHANNEL_COUNT);
    EXPECT_EQ(RIR::String("sine"), m_pDriver->getChannelSampleName(nChannel));
    ASSERT_TRUE(waitFor([&]() { return !m_pDriver->isChannelPlaying(nChannel); }));
    const std::string sRaw = closeAndReadOutput();
    ASSERT_FALSE(sRaw.empty());
    // 12000 at full volume; the mixer's conversion may shave a little off.
    EXPECT_GT(peakLevel(sRaw), 10000);
}

TEST_F(SDLAudioTest, MutedPlayIsIgnoredAndSilent)
{
    open();
    m_pMusic = makeMusic();
    m_pDriver->playMusic(m_pMusic, true);
    m_pDriver->setMuted(true);
    EXPECT_TRUE(m_pDriver->isMuted());
    m_pDriver->fadeOutMusic(0.0f);
    ASSERT_EQ(nullptr, m_pDriver->getPlayingMusic().get());

    EXPECT_EQ(-1, m_pDriver->playSample(m_pSine, false, -1));
    EXPECT_EQ(-1, m_pDriver->playSample(m_pSine, true, 3));
    m_pDriver->playMusic(makeMusic("other"), true);
    EXPECT_EQ(nullptr, m_pDriver->getPlayingMusic().get()) << "the current music is unchanged";
    EXPECT_FALSE(m_pDriver->isMusicLooping());
    EXPECT_EQ(RIR::String(""), m_pDriver->getChannelSampleName(3));

    // Let the mixer write several buffers after the requests: all silence.
    const long nStart = fileSize(m_sOutput);
    ASSERT_TRUE(waitFor([&]() { return fileSize(m_sOutput) > nStart + 8 * 8192; }));
    const std::string sRaw = closeAndReadOutput();
    // The buffer being mixed when the music stopped may still hold some of it.
    EXPECT_EQ(0, peakLevel(sRaw.substr(std::min<size_t>(sRaw.size(), (size_t)nStart + 2 * 8192))));
}

TEST_F(SDLAudioTest, SampleStartedWhilePausedWaitsForTheResume)
{
    open();
    const int nLooping = m_pDriver->playSample(m_pSine, true, 5);
    ASSERT_EQ(5, nLooping);
    m_pDriver->setPaused(true);
    EXPECT_TRUE(m_pDriver->isPaused());
    EXPECT_EQ(1, Mix_Paused(5));
    const int nChannel = m_pDriver->playSample(m_pSine, false, -1);
    ASSERT_GE(nChannel, 0);
    EXPECT_EQ(1, Mix_Paused(nChannel));
    m_pDriver->setPaused(false);
    EXPECT_EQ(0, Mix_Paused(nChannel));
    EXPECT_EQ(0, Mix_Paused(5));
    EXPECT_TRUE(m_pDriver->isChannelPlaying(5));

    // A channel paused on its own is resumed by the next play while not paused.
    m_pDriver->pauseChannel(5);
    EXPECT_EQ(1, Mix_Paused(5));
    m_pDriver->playSample(m_pSine, false, -1);
    EXPECT_EQ(0, Mix_Paused(5));
    m_pDriver->resumeChannel(5);
}

TEST_F(SDLAudioTest, LoopingSampleRunsUntilStopped)
{
    open();
    const int nChannel = m_pDriver->playSample(m_pSine, true, -1);
    ASSERT_GE(nChannel, 0);
    // Ten times the sample's length in output, and it still plays.
    const long nStart = fileSize(m_sOutput);
    const long nSampleBytes = (long)(0.2 * SAMPLE_RATE) * 4;
    ASSERT_TRUE(waitFor([&]() { return fileSize(m_sOutput) > nStart + 10 * nSampleBytes; }));
    EXPECT_TRUE(m_pDriver->isChannelPlaying(nChannel));
    m_pDriver->stopChannel(nChannel, 0.0f);
    EXPECT_FALSE(m_pDriver->isChannelPlaying(nChannel));
    EXPECT_EQ(RIR::String(""), m_pDriver->getChannelSampleName(nChannel));
}

TEST_F(SDLAudioTest, FinishedChannelsAreSweptEvery15Seconds)
{
    open();
    RIR::SmartPtr<Sample> pShort = new SDLSample("short", makeResource(makeSineWav(0.05)));
    const int nOneShot = m_pDriver->playSample(pShort, false, 1);
    const int nLooping = m_pDriver->playSample(m_pSine, true, 2);
    ASSERT_EQ(1, nOneShot);
    ASSERT_EQ(2, nLooping);
    // The table keeps the sample alive while it plays, even with no other holder.
    EXPECT_EQ(2, pShort->getRefCount());
    ASSERT_TRUE(waitFor([&]() { return !m_pDriver->isChannelPlaying(nOneShot); }));

    // Ended, but still named until the sweep.
    m_pDriver->update(7.0f);
    m_pDriver->update(7.9f);
    EXPECT_EQ(RIR::String("short"), m_pDriver->getChannelSampleName(nOneShot));
    EXPECT_EQ(2, pShort->getRefCount());

    m_pDriver->update(0.2f);
    EXPECT_EQ(RIR::String(""), m_pDriver->getChannelSampleName(nOneShot));
    EXPECT_EQ(1, pShort->getRefCount());
    EXPECT_EQ(RIR::String("sine"), m_pDriver->getChannelSampleName(nLooping)) << "still playing";

    // The timer started again from 0.
    m_pDriver->stopChannel(nLooping, 0.0f);
    m_pDriver->playSample(pShort, false, 1);
    ASSERT_TRUE(waitFor([&]() { return !m_pDriver->isChannelPlaying(1); }));
    m_pDriver->update(14.0f);
    EXPECT_EQ(RIR::String("short"), m_pDriver->getChannelSampleName(1));
    m_pDriver->update(1.0f);
    EXPECT_EQ(RIR::String(""), m_pDriver->getChannelSampleName(1));
}

TEST_F(SDLAudioTest, VolumesReachTheMixer)
{
    open();
    m_pDriver->setSoundVolume(0.5f);
    EXPECT_EQ(0.5f, m_pDriver->getSoundVolume());
    for (int nChannel = 0; nChannel < SDLAudioDriver::CHANNEL_COUNT; ++nChannel)
        EXPECT_EQ(64, Mix_Volume(nChannel, -1));

    m_pSine->setVolume(0.25f);
    EXPECT_EQ(32, Mix_VolumeChunk(static_cast<SDLSample*>(m_pSine.get())->getChunk(), -1));
    EXPECT_FLOAT_EQ(0.25f, m_pSine->getVolume());

    // The music volume times the music's own volume, which counts from the next start.
    m_pMusic = makeMusic();
    m_pMusic->setVolume(0.5f);
    m_pDriver->setMusicVolume(0.5f);
    EXPECT_EQ(64, Mix_VolumeMusic(-1));
    m_pDriver->playMusic(m_pMusic, false);
    EXPECT_EQ(32, Mix_VolumeMusic(-1));
    m_pMusic->setVolume(1.0f);
    EXPECT_EQ(32, Mix_VolumeMusic(-1));
    m_pDriver->setMusicVolume(0.5f);
    EXPECT_EQ(32, Mix_VolumeMusic(-1)) << "own volume of the music as it was started";
}

TEST_F(SDLAudioTest, ChannelNumbersOutsideTheMixerNeverReachIt)
{
    open();
    // SDL_mixer answers "playing on 99" without playing, and indexes its tables with negative
    // numbers; the driver refuses both.
    EXPECT_EQ(-1, m_pDriver->playSample(m_pSine, false, 99));
    EXPECT_EQ(-1, m_pDriver->playSample(m_pSine, false, -5));
    EXPECT_EQ(RIR::String(""), m_pDriver->getChannelSampleName(99));
    m_pDriver->setPanning(-1, 255, 255); // what a failed play hands on
    m_pDriver->setChannelPosition(-1, 30.0f, 0.5f);
    m_pDriver->stopChannel(-3, 0.0f);
    m_pDriver->pauseChannel(-2);
    m_pDriver->resumeChannel(16);
    EXPECT_FALSE(m_pDriver->isChannelPlaying(-4));

    const int nChannel = m_pDriver->playSample(m_pSine, true, 15);
    EXPECT_EQ(15, nChannel);
    m_pDriver->setPanning(15, 300, -20);
    m_pDriver->setChannelPosition(15, 90.0f, 0.5f);
    m_pDriver->setChannelPosition(15, 30.0f, 0.0f);
    EXPECT_TRUE(m_pDriver->isChannelPlaying(15));
}

TEST_F(SDLAudioTest, ClosedMixerIsNeverTouched)
{
    open();
    m_pDriver->playSample(m_pSine, true, 0);
    m_pDriver->shutdown();
    // SDL_mixer frees its channel table when it closes; walking it then would crash.
    m_pDriver->resumeChannel(-1);
    m_pDriver->pauseChannel(-1);
    m_pDriver->setSoundVolume(0.3f);
    m_pDriver->setMusicVolume(0.3f);
    m_pDriver->setPanning(0, 10, 20);
    m_pDriver->setChannelPosition(0, 10.0f, 0.5f);
    m_pDriver->stopChannel(-1, 0.0f);
    m_pDriver->setPaused(true);
    m_pDriver->update(20.0f);
    EXPECT_FALSE(m_pDriver->isChannelPlaying(0));
    EXPECT_FALSE(m_pDriver->isMusicPlaying());
    EXPECT_EQ(0.3f, m_pDriver->getSoundVolume()) << "stored all the same";
    EXPECT_TRUE(m_pDriver->isPaused());
}

// ---- music ------------------------------------------------------------------------------------

TEST_F(SDLAudioTest, LoopingMusicRestartsAtTheNextUpdate)
{
    open();
    m_pMusic = makeMusic();
    m_pDriver->playMusic(m_pMusic, true);
    EXPECT_TRUE(m_pDriver->isMusicPlaying());
    EXPECT_TRUE(m_pDriver->isMusicLooping());

    // The music ran out; SDL_mixer played it once only.
    Mix_HaltMusic();
    ASSERT_FALSE(m_pDriver->isMusicPlaying());
    m_pDriver->update(0.016f);
    EXPECT_TRUE(m_pDriver->isMusicPlaying());
    EXPECT_EQ(m_pMusic.get(), m_pDriver->getPlayingMusic().get());

    // A music that does not loop stays ended.
    m_pDriver->playMusic(m_pMusic, false);
    Mix_HaltMusic();
    m_pDriver->update(0.016f);
    EXPECT_FALSE(m_pDriver->isMusicPlaying());
}

TEST_F(SDLAudioTest, FadedOutMusicIsNotRestarted)
{
    open();
    m_pMusic = makeMusic();
    for (float fFade : {0.0f, 0.05f})
    {
        m_pDriver->playMusic(m_pMusic, true);
        m_pDriver->fadeOutMusic(fFade);
        EXPECT_FALSE(m_pDriver->isMusicLooping());
        EXPECT_EQ(nullptr, m_pDriver->getPlayingMusic().get());
        ASSERT_TRUE(waitFor([&]() { return !m_pDriver->isMusicPlaying(); })) << fFade;
        m_pDriver->update(0.016f);
        EXPECT_FALSE(m_pDriver->isMusicPlaying()) << fFade;
    }
}

TEST_F(SDLAudioTest, MusicIsHeard)
{
    open();
    m_pMusic = makeMusic();
    m_pDriver->playMusic(m_pMusic, false);
    const long nStart = fileSize(m_sOutput);
    ASSERT_TRUE(waitFor([&]() { return fileSize(m_sOutput) > nStart + 4 * 8192; }));
    EXPECT_TRUE(m_pDriver->isMusicPlaying());
    EXPECT_GT(peakLevel(closeAndReadOutput()), 10000);
}

TEST_F(SDLAudioTest, FadingMusicReleasedWhilePausedDoesNotHang)
{
    open();
    m_pMusic = makeMusic();
    m_pDriver->playMusic(m_pMusic, false);
    m_pDriver->setPaused(true);
    // A paused mixer never ends the fade that SDL_mixer would wait for when freeing the music.
    m_pDriver->fadeOutMusic(5.0f);
    ASSERT_EQ(MIX_FADING_OUT, Mix_FadingMusic());
    // Released on a helper thread, so that a hang shows as a failure.
    std::promise<void> released;
    std::future<void> done = released.get_future();
    std::thread releaser(
        [&]()
        {
            m_pMusic = nullptr;
            released.set_value();
        });
    const bool bReleased = done.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    if (!bReleased)
        Mix_HaltMusic(); // ends SDL_mixer's wait
    releaser.join();
    EXPECT_TRUE(bReleased) << "freeing the fading music hung";
    EXPECT_FALSE(m_pDriver->isMusicPlaying());
    m_pDriver->setPaused(false);
}

// ---- loading ----------------------------------------------------------------------------------

std::string messageOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const RIR::Exception& e)
    {
        return std::string(e.getClassName()) + ": " + e.getMessage();
    }
    return "(nothing raised)";
}

TEST_F(SDLAudioTest, LoadingErrors)
{
    open();
    const std::vector<uint8_t> vGarbage = {'n', 'o', 't', ' ', 's', 'o', 'u', 'n', 'd'};
    struct
    {
        std::function<void()> action;
        const char* pszPrefix;
    } const aCases[] = {
        {[]() { SDLSample s(nullptr); }, "AssertFailException: Assertion failed : sName"},
        {[]() { SDLMusic m(nullptr); }, "AssertFailException: Assertion failed : sName"},
        {[]() { SDLSample s("missing"); },
         "ResourceException: SDLSample::Sample : Resource missing not found ["},
        {[]() { SDLMusic m("missing"); },
         "ResourceException: SDLMusic::Music : Resource missing not found"},
        {[&]() { SDLSample s("bad", makeResource(vGarbage)); },
         "ResourceException: SDLSample::Sample : Can't load bad ["},
        {[&]() { SDLMusic m("bad", makeResource(vGarbage)); },
         "ResourceException: SDLMusic::Music : Can't load bad ["},
        {[]() { SDLSample s("none", RIR::SmartPtr<RIR::Resource>()); },
         "AssertFailException: Assertion failed : pResource"},
        {[&]() { m_pDriver->playSample(RIR::SmartPtr<Sample>(), false, -1); },
         "AssertFailException: Assertion failed : notNULL(pSample)"},
        {[&]() { m_pDriver->playMusic(RIR::SmartPtr<Music>(), false); },
         "AssertFailException: Assertion failed : notNULL(pMusic)"},
    };
    for (const auto& c : aCases)
    {
        const std::string sMessage = messageOf(c.action);
        EXPECT_EQ(0u, sMessage.find(c.pszPrefix)) << sMessage;
    }
    EXPECT_EQ("ResourceException: SDLMusic::Music : Resource missing not found",
              messageOf([]() { SDLMusic m("missing"); }));
    // The loaders look names up in the application; without one nothing exists.
    EXPECT_FALSE(m_pDriver->getSampleLoader()->exists("sine"));
    EXPECT_FALSE(m_pDriver->getMusicLoader()->exists("tune"));
}

// A sample named without its extension is found through the application's providers and played.
TEST_F(SDLAudioTest, SamplesLoadByNameThroughTheApplication)
{
    const std::string sLog = m_sDir + "/app.log";
    const std::string sWav = m_sDir + "/bang.wav";
    const std::vector<uint8_t> vWav = makeSineWav(0.2);
    std::ofstream(sWav, std::ios::binary).write((const char*)vWav.data(), vWav.size());
    openLog(sLog.c_str());
    {
        GameApp app;
        app.addResourceFolder((m_sDir + "/").c_str(), false);
        open();
        ASSERT_TRUE(m_pDriver->getSampleLoader()->exists("bang"));
        RIR::SmartPtr<Sample> pBang = new SDLSample("bang");
        const int nChannel = m_pDriver->playSample(pBang, false, -1);
        ASSERT_GE(nChannel, 0);
        ASSERT_TRUE(waitFor([&]() { return !m_pDriver->isChannelPlaying(nChannel); }));
        EXPECT_GT(peakLevel(closeAndReadOutput()), 10000);
    }
    closeLog();
    std::remove(sWav.c_str());
    std::remove(sLog.c_str());
}

TEST_F(SDLAudioTest, SoundsMadeWhileAudioIsOffAreEmpty)
{
    SDLSample sample("sine", makeResource(makeSineWav(0.1)));
    EXPECT_EQ(nullptr, sample.getChunk());
    EXPECT_EQ(RIR::String(""), sample.getName());
    EXPECT_EQ(0.0f, sample.getVolume());
    sample.setVolume(0.5f);
    SDLMusic music("tune", makeResource(makeSineWav(0.1)));
    EXPECT_EQ(nullptr, music.getMixMusic());
    EXPECT_EQ(1.0f, music.getVolume());
    // Even a missing name is no error then.
    SDLSample missing("missing");
    EXPECT_EQ(nullptr, missing.getChunk());
}

TEST_F(SDLAudioTest, SoundsOutliveTheirDriver)
{
    open();
    m_pMusic = makeMusic();
    m_pDriver->playMusic(m_pMusic, true);
    m_pDriver->playSample(m_pSine, true, 0);
    RIR::SmartPtr<Sample> pSample = m_pSine;
    m_pDriver->shutdown();
    delete m_pDriver;
    m_pDriver = nullptr;
    // Freed after the mixer closed: no crash, no leak.
    EXPECT_EQ(1.0f, pSample->getVolume());
    pSample = nullptr;
    m_pSine = nullptr;
    m_pMusic = nullptr;
}

TEST_F(SDLAudioTest, PlaysOnlyItsOwnKindOfSample)
{
    open();
    RecordingAudioDriver other;
    RIR::SmartPtr<Sample> pForeign = other.getSampleLoader()->load("foreign");
    EXPECT_EQ(-1, m_pDriver->playSample(pForeign, false, -1));
    RIR::SmartPtr<Music> pForeignMusic = other.getMusicLoader()->load("foreign");
    m_pDriver->playMusic(pForeignMusic, true);
    EXPECT_FALSE(m_pDriver->isMusicPlaying());
}

} // namespace
