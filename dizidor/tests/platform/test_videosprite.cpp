// VideoSprite over a scripted decoder handed out by the fake platform, and over the real Theora
// decoder of a generated movie: start-up state, the volume chain, frames shown, the end of the
// movie, stop, and the open failure.
#include "gfx/videosprite.h"
#include "gfx/ivideospriteimpl.h"
#include "platform/theora/sdltheoravideo.h"
#include "test_movie_fixture.h"

#include "rir2/exception.h"

#include <vector>

static_assert(std::is_base_of_v<Sprite, VideoSprite>, "a sprite of a mode");

namespace
{

// Answers from a script: frames to return per update, the update that finishes the movie.
struct FakeDecoderLog
{
    std::vector<std::string> lCalls;
    float fVolume = -1.0f;
    bool bReplace = false;
};

class FakeDecoder : public IVideoSpriteImpl
{
public:
    FakeDecoder(FakeDecoderLog& log, bool bOpens, RIR::SmartPtr<Image> pFrame, int nFinishAt)
        : m_log(log), m_bOpens(bOpens), m_pFrame(pFrame), m_nFinishAt(nFinishAt)
    {
    }
    bool open(const char* pszPath) override
    {
        m_log.lCalls.push_back(std::string("open ") + pszPath);
        return m_bOpens;
    }
    RIR::SmartPtr<Image> update(float) override
    {
        ++m_nUpdates;
        m_log.lCalls.push_back("update");
        return m_pFrame;
    }
    void play() override { m_log.lCalls.push_back("play"); }
    void stop() override { m_log.lCalls.push_back("stop"); }
    void notImplemented() override {}
    bool isFinished() override { return m_nUpdates >= m_nFinishAt; }
    int getWidth() override { return 40; }
    int getHeight() override { return 30; }
    void setVolume(float f) override { m_log.fVolume = f; }
    void setReplaceMixerOutput(bool b) override { m_log.bReplace = b; }
    bool getReplaceMixerOutput() override { return m_log.bReplace; }
    float getPosition() override { return 0.0f; }
    void seek(float) override {}

private:
    FakeDecoderLog& m_log;
    bool m_bOpens;
    RIR::SmartPtr<Image> m_pFrame;
    int m_nFinishAt;
    int m_nUpdates = 0;
};

class VideoSpriteTest : public MovieAppTest
{
protected:
    void SetUp() override { startApp(); }

    void useFakeDecoder(bool bOpens, int nFinishAt)
    {
        m_pFrame = m_pPlatform->getImageFactory()->createBlank(40, 30, false);
        m_pPlatform->setVideoSpriteFactory([this, bOpens, nFinishAt]() -> IVideoSpriteImpl* {
            return new FakeDecoder(m_log, bOpens, m_pFrame, nFinishAt);
        });
    }

    FakeDecoderLog m_log;
    RIR::SmartPtr<Image> m_pFrame;
};

} // namespace

TEST_F(VideoSpriteTest, StartsPlayingWithFullVolumeAndReplacedOutput)
{
    useFakeDecoder(true, 3);
    m_pApp->setSoundVolume(128);
    RIR::SmartPtr<VideoSprite> pVideo = new VideoSprite("movies/logo.ogv");
    EXPECT_EQ((std::vector<std::string>{"open movies/logo.ogv", "play"}), m_log.lCalls);
    EXPECT_TRUE(pVideo->isPlaying());
    EXPECT_FALSE(pVideo->isFinished());
    EXPECT_EQ(1.0f, pVideo->getVolume());
    EXPECT_TRUE(pVideo->getReplaceMixerOutput());
    EXPECT_FLOAT_EQ(128.0f / 255.0f, m_log.fVolume);
    EXPECT_EQ(40, pVideo->getWidth());
    EXPECT_EQ(30, pVideo->getHeight());
    EXPECT_EQ(nullptr, pVideo->getImage().get()) << "nothing before the first frame";

    pVideo->setVolume(0.5f);
    EXPECT_FLOAT_EQ(0.5f * 128.0f / 255.0f, m_log.fVolume);
    // A change of the game's volume reaches the decoder at the next update.
    m_pApp->setSoundVolume(255);
    pVideo->update(0.1f);
    EXPECT_FLOAT_EQ(0.5f, m_log.fVolume);
    EXPECT_EQ(m_pFrame.get(), pVideo->getImage().get());
}

TEST_F(VideoSpriteTest, EndAndStopKeepTheLastFrame)
{
    useFakeDecoder(true, 2);
    RIR::SmartPtr<VideoSprite> pVideo = new VideoSprite("logo.ogv");
    pVideo->update(0.1f);
    EXPECT_EQ(m_pFrame.get(), pVideo->getImage().get());
    pVideo->setImage(RIR::SmartPtr<Image>(m_pPlatform->getImageFactory()->createBlank(2, 2, false)));
    RIR::SmartPtr<Image> pShown = pVideo->getImage();
    pVideo->update(0.1f); // the decoder finishes: its image is not shown
    EXPECT_TRUE(pVideo->isFinished());
    EXPECT_FALSE(pVideo->isPlaying());
    EXPECT_EQ(pShown.get(), pVideo->getImage().get());
    const size_t nCalls = m_log.lCalls.size();
    pVideo->update(0.1f);
    EXPECT_EQ(nCalls, m_log.lCalls.size()) << "a finished sprite does nothing";

    RIR::SmartPtr<VideoSprite> pOther = new VideoSprite("other.ogv");
    pOther->stop();
    pOther->update(0.1f);
    EXPECT_EQ("stop", m_log.lCalls.back());
    EXPECT_EQ(nullptr, pOther->getImage().get());
}

TEST_F(VideoSpriteTest, OpenFailureRaises)
{
    useFakeDecoder(false, 1);
    try
    {
        RIR::SmartPtr<VideoSprite> pVideo = new VideoSprite("missing.ogv");
        FAIL() << "no error";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Can't open 'missing.ogv'", e.getMessage());
    }
}

TEST_F(VideoSpriteTest, PlaysAGeneratedMovieToTheEnd)
{
    m_pPlatform->setVideoSpriteFactory([]() -> IVideoSpriteImpl* { return new SDLTheoraVideo(); });
    RIR::SmartPtr<VideoSprite> pVideo = new VideoSprite(testMovie("flat420").c_str());
    int nUpdates = 0;
    while (!pVideo->isFinished() && nUpdates < 1000)
    {
        pVideo->update(0.01f);
        ++nUpdates;
    }
    EXPECT_TRUE(pVideo->isFinished());
    ASSERT_TRUE(pVideo->getImage());
    EXPECT_EQ(64, pVideo->getImage()->getWidth());
    EXPECT_TRUE(pVideo->isVisible());
}
