// SDLTheoraVideo's sound through SDL_mixer on SDL's disk audio driver: the mixed output goes to
// a file, read back after the movie. Replacing against mixing over a sample that plays, the
// resampler (mono at half the mixer's rate, stereo at the mixer's rate and at half of it), and
// the sound clock as the position.
#include "platform/theora/sdltheoravideo.h"
#include "platform/sdl/sdlsample.h"
#include "test_movie_fixture.h"

#include "rir2/resource.h"

#include <SDL_mixer.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{

// Stereo frames of the raw 16-bit output.
struct Frames
{
    std::vector<int> l;
    std::vector<int> r;
};

Frames frames(const std::string& sRaw)
{
    Frames f;
    for (size_t i = 0; i + 3 < sRaw.size(); i += 4)
    {
        f.l.push_back((int16_t)((uint8_t)sRaw[i] | ((uint8_t)sRaw[i + 1] << 8)));
        f.r.push_back((int16_t)((uint8_t)sRaw[i + 2] | ((uint8_t)sRaw[i + 3] << 8)));
    }
    return f;
}

int countAbove(const std::vector<int>& v, int nLevel)
{
    int n = 0;
    for (int x : v)
        n += std::abs(x) > nLevel ? 1 : 0;
    return n;
}

// A mono 16-bit WAV of a 440 Hz sine, amplitude 12000, at 22050 Hz.
RIR::SmartPtr<RIR::Resource> sineWav(double dSeconds)
{
    const unsigned nFrames = (unsigned)(dSeconds * 22050);
    std::vector<uint8_t> v;
    auto put = [&v](unsigned n, int nBytes) {
        for (int i = 0; i < nBytes; ++i)
            v.push_back((uint8_t)(n >> (8 * i)));
    };
    v.insert(v.end(), {'R', 'I', 'F', 'F'});
    put(36 + nFrames * 2, 4);
    v.insert(v.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(22050, 4);
    put(44100, 4);
    put(2, 2);
    put(16, 2);
    v.insert(v.end(), {'d', 'a', 't', 'a'});
    put(nFrames * 2, 4);
    for (unsigned i = 0; i < nFrames; ++i)
        put((unsigned)(uint16_t)(int16_t)std::lround(12000.0 *
                                                      std::sin(2.0 * M_PI * 440.0 * i / 22050)),
            2);
    uint8_t* pData = new uint8_t[v.size()];
    std::memcpy(pData, v.data(), v.size());
    return new RIR::Resource((int)v.size(), pData, true);
}

class TheoraSoundTest : public MovieAppTest
{
protected:
    // Plays the movie to its end (at most 20 s), updating every few milliseconds while the disk
    // writer consumes the sound a little faster than real time.
    void playToEnd(SDLTheoraVideo& video)
    {
        for (int i = 0; i < 10000 && !video.isFinished(); ++i)
        {
            video.update(0.002f);
            SDL_Delay(2);
        }
        EXPECT_TRUE(video.isFinished());
        // The movie ends once its sound is decoded; the mixer still plays the queued rest.
        for (int i = 0; i < 1000 && video.getAudioQueue().getCount() > 0; ++i)
            SDL_Delay(2);
    }
};

} // namespace

TEST_F(TheoraSoundTest, ReplaceSilencesTheMixerAndMixKeepsIt)
{
    // The disk writer paces itself on the wall clock, so a machine busy with other work can
    // starve one run of its sound; a mode is judged by the best of three runs, which a real fault
    // (the sine lost under mixing, or kept under replacing) fails every time.
    auto quietFrames = [this](bool bReplace) {
        // About real time: the decoder keeps ahead even on a busy machine.
        setenv("SDL_DISKAUDIODELAY", "80", 1);
        startApp(true, 22050);
        EXPECT_TRUE(m_pApp->isAudioOK());
        m_pApp->setSoundVolume(255);
        RIR::SmartPtr<Sample> pSine = new SDLSample("sine", sineWav(0.5));
        EXPECT_GE(m_pApp->playSample(pSine, true, -1), 0);
        {
            SDLTheoraVideo video;
            EXPECT_TRUE(video.open(testMovie("silent22050").c_str()));
            EXPECT_TRUE(video.hasSound());
            EXPECT_FALSE(video.getAudioQueue().isConverting());
            video.setReplaceMixerOutput(bReplace);
            video.play();
            playToEnd(video);
            // The position is the sound the mixer consumed: the movie's second.
            EXPECT_GE(video.getPosition(), 0.9f);
        }
        const Frames out = frames(closeMixer());
        TearDown();
        return (int)out.l.size() - countAbove(out.l, 300);
    };
    for (bool bReplace : {true, false})
    {
        SCOPED_TRACE(bReplace ? "replace" : "mix");
        int nQuiet = 0;
        bool bMet = false;
        for (int nTry = 0; nTry < 3 && !bMet; ++nTry)
        {
            nQuiet = quietFrames(bReplace);
            bMet = bReplace ? nQuiet >= 22050 * 6 / 10 : nQuiet < 22050 * 3 / 10;
        }
        EXPECT_TRUE(bMet) << (bReplace ? "the movie's silence did not replace the sine"
                                       : "the sine did not go on under the movie")
                          << " (" << nQuiet << " quiet frames)";
    }
}

TEST_F(TheoraSoundTest, ResamplesToTheMixer)
{
    struct
    {
        const char* pszMovie;
        int nMixerRate;
        bool bConverting;
        bool bRightSilent; // the movie's right channel is silent, else mono copied to both
    } const aCases[] = {
        {"sound22050stereo", 22050, false, true},
        {"sound11025mono", 22050, true, false},
        {"sound22050stereo", 44100, true, true},
    };
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(std::string(c.pszMovie) + " at " + std::to_string(c.nMixerRate));
        setenv("SDL_DISKAUDIODELAY", "80", 1);
        startApp(true, c.nMixerRate);
        {
            SDLTheoraVideo video;
            ASSERT_TRUE(video.open(testMovie(c.pszMovie).c_str()));
            ASSERT_TRUE(video.hasSound());
            EXPECT_EQ(c.bConverting, video.getAudioQueue().isConverting());
            video.setReplaceMixerOutput(true);
            video.play();
            playToEnd(video);
        }
        const Frames out = frames(closeMixer());
        // One second of tone, at the mixer's rate.
        const int nTone = countAbove(out.l, 500);
        EXPECT_GE(nTone, c.nMixerRate * 85 / 100);
        EXPECT_LE(nTone, c.nMixerRate * 105 / 100);
        if (c.bRightSilent)
            EXPECT_EQ(0, countAbove(out.r, 300)) << "the channels stay apart";
        else
            EXPECT_EQ(out.l, out.r) << "mono is written to both channels";
        TearDown();
    }
}

TEST_F(TheoraSoundTest, StoppedMovieLeavesTheOutputAndClockAlone)
{
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    startApp(true, 22050);
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("sound22050stereo").c_str()));
    video.setReplaceMixerOutput(true);
    // Never played: the hook leaves everything as it is.
    video.update(0.01f);
    SDL_Delay(100);
    EXPECT_EQ(0.0f, video.getPosition());
    EXPECT_GT(video.getAudioQueue().getCount(), 0) << "sound is decoded ahead all the same";
    video.seek(0.0f);
    EXPECT_EQ(0, video.getAudioQueue().getCount()) << "a seek empties the queue";
}
