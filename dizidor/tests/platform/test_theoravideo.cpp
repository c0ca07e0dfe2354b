// SDLTheoraVideo decoding the generated test movies headless (no mixer: the movies are silent
// and paced by the update steps): frame counts, the pixels of flat frames in every chroma
// layout, odd picture sizes, the end of the movie, seeking, damaged files.
#include "platform/theora/sdltheoravideo.h"
#include "platform/theora/yuvconvert.h"
#include "test_movie_fixture.h"

#include "rir2/exception.h"

#include <cstring>

#include <ogg/ogg.h>

static_assert(!std::is_copy_constructible_v<SDLTheoraVideo>, "owns its decoder and file");
static_assert(std::is_base_of_v<IVideoSpriteImpl, SDLTheoraVideo>, "the platform's decoder");

namespace
{

struct PlayResult
{
    int nFrames = 0;       // images returned
    int nUpdates = 0;      // updates until finished
    RIR::SmartPtr<Image> pFirst;
    RIR::SmartPtr<Image> pLast;
};

// Updates with fDt until the movie finishes (at most nMaxUpdates).
PlayResult play(SDLTheoraVideo& video, float fDt, int nMaxUpdates = 2000)
{
    PlayResult result;
    while (result.nUpdates < nMaxUpdates && !video.isFinished())
    {
        RIR::SmartPtr<Image> pImage = video.update(fDt);
        ++result.nUpdates;
        if (pImage && !video.isFinished())
        {
            ++result.nFrames;
            if (!result.pFirst)
                result.pFirst = pImage;
            result.pLast = pImage;
        }
    }
    return result;
}

// Within a few levels: the encoder is lossy even at its best quality.
::testing::AssertionResult near(const Color& expected, const Color& actual)
{
    const int nTolerance = 4;
    if (std::abs(expected.r - actual.r) <= nTolerance &&
        std::abs(expected.g - actual.g) <= nTolerance &&
        std::abs(expected.b - actual.b) <= nTolerance && actual.a == 255)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected about (" << (int)expected.r << ", " << (int)expected.g << ", "
           << (int)expected.b << ", 255), got (" << (int)actual.r << ", " << (int)actual.g << ", "
           << (int)actual.b << ", " << (int)actual.a << ")";
}

// The file with the second byte of the first occurrence of sMagic changed, page by page
// through libogg so that the changed page keeps a valid checksum.
std::string damagePacket(const std::string& sFile, const std::string& sMagic)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* pBuffer = ogg_sync_buffer(&sync, (long)sFile.size());
    std::memcpy(pBuffer, sFile.data(), sFile.size());
    ogg_sync_wrote(&sync, (long)sFile.size());
    std::string sOut;
    bool bDone = false;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) > 0)
    {
        std::string sBody((const char*)page.body, (size_t)page.body_len);
        const size_t nAt = sBody.find(sMagic);
        if (!bDone && nAt != std::string::npos)
        {
            page.body[nAt + 1] ^= 0x20;
            ogg_page_checksum_set(&page);
            bDone = true;
        }
        sOut.append((const char*)page.header, (size_t)page.header_len);
        sOut.append((const char*)page.body, (size_t)page.body_len);
    }
    ogg_sync_clear(&sync);
    EXPECT_TRUE(bDone) << "no packet starts with that magic";
    return sOut;
}

Color tableColour(int nY, int nU, int nV)
{
    const uint32_t n = yuvToPixel(nY, nU, nV);
    return Color((uint8_t)n, (uint8_t)(n >> 8), (uint8_t)(n >> 16), 255);
}

class TheoraVideoTest : public MovieAppTest
{
protected:
    void SetUp() override { startApp(); }
};

} // namespace

TEST_F(TheoraVideoTest, FlatFramesInEveryChromaLayout)
{
    struct
    {
        const char* pszMovie;
        int nFrames;
        int nY, nU, nV;
    } const aCases[] = {
        {"flat420", 8, 81, 90, 240},
        {"flat422", 6, 145, 54, 34},
        {"flat444", 6, 41, 240, 110},
    };
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.pszMovie);
        SDLTheoraVideo video;
        ASSERT_TRUE(video.open(testMovie(c.pszMovie).c_str()));
        EXPECT_TRUE(video.hasVideo());
        EXPECT_FALSE(video.hasSound());
        EXPECT_EQ(64, video.getWidth());
        EXPECT_EQ(48, video.getHeight());
        // Four updates per frame: every frame is shown once, none is late.
        const PlayResult result = play(video, 1.0f / 100.0f);
        EXPECT_EQ(c.nFrames, result.nFrames);
        EXPECT_TRUE(video.isFinished());
        ASSERT_TRUE(result.pFirst);
        EXPECT_EQ(64, result.pFirst->getWidth());
        EXPECT_EQ(48, result.pFirst->getHeight());
        result.pFirst->lock();
        const Color expected = tableColour(c.nY, c.nU, c.nV);
        EXPECT_TRUE(near(expected, result.pFirst->getPixel(0, 0)));
        EXPECT_TRUE(near(expected, result.pFirst->getPixel(63, 47)));
        result.pFirst->unlock();
        // The movie lasts its frames: it ends soon after frames / 25 s.
        EXPECT_GE((float)result.nUpdates, (float)c.nFrames * 4.0f);
        EXPECT_LE((float)result.nUpdates, (float)c.nFrames * 4.0f + 8.0f);
    }
}

TEST_F(TheoraVideoTest, OddPictureSizeLeavesNoPixelUnwritten)
{
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("odd420").c_str()));
    EXPECT_EQ(33, video.getWidth());
    EXPECT_EQ(17, video.getHeight());
    const PlayResult result = play(video, 0.01f);
    EXPECT_EQ(3, result.nFrames);
    ASSERT_TRUE(result.pLast);
    result.pLast->lock();
    const Color expected = tableColour(81, 90, 240);
    for (const auto& xy : {std::make_pair(0, 0), std::make_pair(32, 0), std::make_pair(0, 16),
                           std::make_pair(32, 16), std::make_pair(31, 15)})
        EXPECT_TRUE(near(expected, result.pLast->getPixel(xy.first, xy.second)))
            << xy.first << ", " << xy.second;
    result.pLast->unlock();
}

TEST_F(TheoraVideoTest, LateFramesArePassedOverAndLowerPostProcessing)
{
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("flat420").c_str()));
    const int nLevel = video.getPostProcessingLevel();
    // One long step: seven of the eight frames are already late.
    RIR::SmartPtr<Image> pImage = video.update(8.0f / 25.0f - 0.001f);
    EXPECT_TRUE(pImage);
    EXPECT_FALSE(video.isFinished());
    if (nLevel > 0)
    {
        EXPECT_LT(video.getPostProcessingLevel(), nLevel);
    }
    const PlayResult rest = play(video, 0.01f);
    EXPECT_LE(rest.nFrames, 1);
    EXPECT_TRUE(video.isFinished());
}

TEST_F(TheoraVideoTest, SeekingForwardSkipsAndBackwardRaises)
{
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("bars").c_str()));
    EXPECT_EQ(320, video.getWidth());
    EXPECT_EQ(240, video.getHeight());
    video.update(0.5f);
    EXPECT_FLOAT_EQ(0.5f, video.getPosition());
    video.seek(0.5f); // to the current position: no error
    video.seek(1.5f);
    EXPECT_FLOAT_EQ(1.5f, video.getPosition());
    try
    {
        video.seek(1.0f);
        FAIL() << "a backward seek must raise";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Theora : Backwards seek not implemented\n", e.getMessage());
    }
    // What is left after 1.5 s: 0.5 s of 25 frames per second.
    const PlayResult rest = play(video, 0.01f);
    EXPECT_GE(rest.nFrames, 12);
    EXPECT_LE(rest.nFrames, 13);
    EXPECT_TRUE(video.isFinished());
}

TEST_F(TheoraVideoTest, MissingAndDamagedFiles)
{
    {
        SDLTheoraVideo video;
        EXPECT_FALSE(video.open(m_folder.at("none.ogv").c_str()));
        EXPECT_EQ(nullptr, video.update(0.1f).get());
    }
    const std::string sGood = MovieTestFolder::readFile(testMovie("flat420"));
    ASSERT_GT(sGood.size(), 200u);
    struct
    {
        const char* pszName;
        std::string sBytes;
        const char* pszError; // null: opens and ends without a frame
    } aCases[] = {
        // Cut inside the header pages.
        {"cut", sGood.substr(0, 120), "End of file while searching for codec headers"},
        // Not an Ogg file at all: no stream, nothing to play.
        {"text", std::string(5000, 'x'), nullptr},
        {"empty", std::string(), nullptr},
        // The Theora comment header's magic broken (the page's checksum made right again).
        {"theora", damagePacket(sGood, "\x81theora"),
         "Error parsing Theora stream headers; corrupt stream?"},
        {"vorbis", damagePacket(MovieTestFolder::readFile(testMovie("sound22050stereo")),
                                "\x05vorbis"),
         "Error parsing Vorbis stream headers; corrupt stream?"},
    };
    for (auto& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        SDLTheoraVideo video;
        const std::string sPath = m_folder.writeFile(std::string(c.pszName) + ".ogv", c.sBytes);
        if (c.pszError)
        {
            try
            {
                video.open(sPath.c_str());
                ADD_FAILURE() << "no error";
            }
            catch (const RIR::FatalErrorException& e)
            {
                EXPECT_STREQ(c.pszError, e.getMessage());
            }
            continue;
        }
        ASSERT_TRUE(video.open(sPath.c_str()));
        EXPECT_FALSE(video.hasVideo());
        EXPECT_EQ(0, play(video, 0.1f, 50).nFrames);
        EXPECT_TRUE(video.isFinished());
    }
}

TEST_F(TheoraVideoTest, SoundOnlyMovieWithoutMixerEndsAtOnce)
{
    // The recording audio driver counts as working audio, but no mixer is open: the sound is
    // not played, and a movie without video then has nothing left.
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("soundonly").c_str()));
    EXPECT_FALSE(video.hasVideo());
    EXPECT_FALSE(video.hasSound());
    video.update(0.01f);
    EXPECT_TRUE(video.isFinished());
}

TEST_F(TheoraVideoTest, MovieWithSoundButNoMixerIsPacedByUpdates)
{
    SDLTheoraVideo video;
    ASSERT_TRUE(video.open(testMovie("sound22050stereo").c_str()));
    EXPECT_FALSE(video.hasSound());
    video.update(0.25f);
    EXPECT_FLOAT_EQ(0.25f, video.getPosition());
    const PlayResult result = play(video, 0.025f);
    EXPECT_TRUE(video.isFinished());
    EXPECT_GE(result.nFrames, 7);
    // One second of movie in steps of 25 ms: about 30 more steps.
    EXPECT_LE(result.nUpdates, 40);
}

TEST_F(TheoraVideoTest, NotImplementedRaises)
{
    SDLTheoraVideo video;
    EXPECT_THROW(video.notImplemented(), RIR::FatalErrorException);
}
