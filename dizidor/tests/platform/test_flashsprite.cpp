// The Flash-control stand-in and FlashSprite: SWF headers ("FWS" and "CWS" alike, the RECT
// examples), labels, background colour, the timeline on an injected clock (loop counting, also
// by gotoFrame, the Stop action), refused signatures, and the sprite over movies of the
// "3rdparty" folder with the fake platform's clock, and the splash screen playing Flash logos.
#include "platform/flash/flashlogoplayer.h"
#include "platform/flash/flashsprite.h"
#include "platform/flash/olecontainerwnd.h"
#include "platform/flash/swfmovie.h"
#include "platform/flash/swfplayer.h"
#include "test_movie_fixture.h"

#include "rir2/exception.h"
#include "ui/splashscreen.h"

#include <zlib.h>

#include <vector>

namespace
{

typedef std::vector<uint8_t> Bytes;

// Bits written most significant first.
struct BitWriter
{
    Bytes b;
    int nBit = 0;
    void put(uint32_t nValue, int nCount)
    {
        for (int i = nCount - 1; i >= 0; --i, ++nBit)
        {
            if (nBit % 8 == 0)
                b.push_back(0);
            if ((nValue >> i) & 1u)
                b.back() |= (uint8_t)(0x80 >> (nBit % 8));
        }
    }
};

Bytes rect(int nBits, int nXMin, int nXMax, int nYMin, int nYMax)
{
    BitWriter w;
    w.put((uint32_t)nBits, 5);
    for (int n : {nXMin, nXMax, nYMin, nYMax})
        w.put((uint32_t)n & ((1u << nBits) - 1u), nBits);
    return w.b;
}

void tag(Bytes& out, int nCode, const Bytes& body, bool bLong = false)
{
    const uint32_t nLength = bLong || body.size() >= 0x3F ? 0x3F : (uint32_t)body.size();
    const uint32_t nHeader = ((uint32_t)nCode << 6) | nLength;
    out.push_back((uint8_t)nHeader);
    out.push_back((uint8_t)(nHeader >> 8));
    if (nLength == 0x3F)
        for (int i = 0; i < 4; ++i)
            out.push_back((uint8_t)(body.size() >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
}

struct MovieShape
{
    int nWidthTwips = 800 * 20;
    int nHeightTwips = 600 * 20;
    int nFrames = 4;
    int nRate = 10; // frames per second
    int nStopFrame = -1;
    uint32_t nBackground = 0x336699;
};

// An SWF movie: background, label "intro" on frame 0 and "outro" on frame 2, ShowFrames, an
// optional top-level Stop on one frame (in a long-form tag), End.
Bytes swf(const MovieShape& shape, bool bCompressed)
{
    Bytes body = rect(15, 0, shape.nWidthTwips, 0, shape.nHeightTwips);
    body.push_back(0);
    body.push_back((uint8_t)shape.nRate);
    body.push_back((uint8_t)shape.nFrames);
    body.push_back((uint8_t)(shape.nFrames >> 8));
    tag(body, 9, {(uint8_t)(shape.nBackground >> 16), (uint8_t)(shape.nBackground >> 8),
                  (uint8_t)shape.nBackground});
    for (int i = 0; i < shape.nFrames; ++i)
    {
        if (i == 0)
            tag(body, 43, {'i', 'n', 't', 'r', 'o', 0});
        if (i == 2)
            tag(body, 43, {'o', 'u', 't', 'r', 'o', 0});
        if (i == shape.nStopFrame)
            tag(body, 12, {0x96, 0x02, 0x00, 0x08, 0x00, 0x07, 0x00}, true); // push, stop, end
        tag(body, 1, {});
    }
    tag(body, 0, {});
    const uint32_t nLength = (uint32_t)body.size() + 8;
    Bytes out = {(uint8_t)(bCompressed ? 'C' : 'F'), 'W', 'S', 9};
    for (int i = 0; i < 4; ++i)
        out.push_back((uint8_t)(nLength >> (8 * i)));
    if (!bCompressed)
    {
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }
    uLongf nPacked = compressBound((uLong)body.size());
    Bytes packed(nPacked);
    compress(packed.data(), &nPacked, body.data(), (uLong)body.size());
    out.insert(out.end(), packed.begin(), packed.begin() + (long)nPacked);
    return out;
}

std::string text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

class FlashTest : public MovieAppTest
{
protected:
    void SetUp() override
    {
        startApp();
        m_sFolder = m_folder.at("3rdparty");
        std::filesystem::create_directories(m_sFolder);
        m_pApp->addResourceFolder(m_sFolder.c_str(), false);
    }
    std::string put(const std::string& sName, const Bytes& b)
    {
        return m_folder.writeFile("3rdparty/" + sName, text(b));
    }

    std::string m_sFolder;
};

} // namespace

TEST(SwfMovieTest, RectExamples)
{
    struct
    {
        int nXMin, nXMax, nYMin, nYMax, nWidth, nHeight;
    } const aCases[] = {
        {0, 16000, 0, 12000, 800, 600},
        {-20, 15980, 0, 12000, 800, 600}, // -20 / 20 = -1
        {-19, 15999, -1, 11999, 799, 599}, // quotients truncate toward zero
    };
    for (const auto& c : aCases)
    {
        const Bytes b = rect(15, c.nXMin, c.nXMax, c.nYMin, c.nYMax);
        int nWidth = 0, nHeight = 0;
        readSwfRectSize(b.data(), b.size(), &nWidth, &nHeight);
        EXPECT_EQ(c.nWidth, nWidth) << c.nXMin << ".." << c.nXMax;
        EXPECT_EQ(c.nHeight, nHeight);
    }
    EXPECT_EQ(2u + 7u, swfRectBytes(rect(15, 0, 1, 0, 1).data(), 9)); // 5 + 60 bits
}

TEST(SwfMovieTest, PlainAndCompressedGiveTheSameMovie)
{
    MovieShape shape;
    shape.nStopFrame = 3;
    SwfMovie plain, packed;
    const Bytes aPlain = swf(shape, false), aPacked = swf(shape, true);
    ASSERT_TRUE(parseSwf(aPlain.data(), aPlain.size(), &plain)) << plain.m_sError.c_str();
    ASSERT_TRUE(parseSwf(aPacked.data(), aPacked.size(), &packed)) << packed.m_sError.c_str();
    for (const SwfMovie* p : {&plain, &packed})
    {
        EXPECT_EQ(800, p->m_nWidth);
        EXPECT_EQ(600, p->m_nHeight);
        EXPECT_FLOAT_EQ(10.0f, p->m_fFrameRate);
        EXPECT_EQ(4, p->getTotalFrames());
        EXPECT_EQ(4, p->m_nShownFrames);
        EXPECT_EQ(0x336699u, p->m_nBackground);
        EXPECT_EQ(3, p->m_nStopFrame);
        ASSERT_EQ(2u, p->m_lLabels.size());
        EXPECT_EQ(2, p->m_lLabels[1].m_nFrame);
        EXPECT_EQ(RIR::String("outro"), p->m_lLabels[1].m_sLabel);
    }
    EXPECT_TRUE(packed.m_bCompressed);
}

TEST(SwfMovieTest, RefusesOtherFilesAndBrokenOnes)
{
    Bytes good = swf(MovieShape(), false);
    Bytes zws = good, flv = {'F', 'L', 'V', 1, 5, 0, 0, 0, 9, 0, 0, 0, 0};
    zws[0] = 'Z';
    Bytes cut(good.begin(), good.begin() + 20);
    Bytes longTag = good;
    longTag.resize(longTag.size() - 2); // no End tag
    Bytes huge = good;
    Bytes bigRect = rect(31, 0, 0x3FFFFFFF, 0, 0x3FFFFFFF);
    huge.erase(huge.begin() + 8, huge.begin() + 8 + 9);
    huge.insert(huge.begin() + 8, bigRect.begin(), bigRect.end());
    for (const Bytes* p : {&zws, &flv, &cut, &longTag, &huge})
    {
        SwfMovie movie;
        EXPECT_FALSE(parseSwf(p->data(), p->size(), &movie));
        EXPECT_GT(movie.m_sError.length(), 0);
    }
}

TEST(SwfPlayerTest, LoopsOnTheClockAndStopsOnTheStopAction)
{
    char szDir[] = "/tmp/dbd-swf-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(szDir));
    const std::string sLoop = std::string(szDir) + "/loop.flv";
    const std::string sStop = std::string(szDir) + "/stop.flv";
    MovieShape shape;
    { std::ofstream(sLoop, std::ios::binary) << text(swf(shape, true)); }
    shape.nStopFrame = 2;
    { std::ofstream(sStop, std::ios::binary) << text(swf(shape, false)); }

    uint32_t nNow = 1000;
    SwfPlayer player([&nNow]() { return nNow; });
    ASSERT_TRUE(player.loadMovie(0, sLoop.c_str()));
    EXPECT_FALSE(player.isPlaying());
    player.play();
    EXPECT_EQ(0, player.currentFrame("/"));
    EXPECT_EQ(4.0, player.getPropertyAsNumber("/", FlashControl::PROPERTY_TOTAL_FRAMES));
    nNow += 250; // 10 frames per second
    EXPECT_EQ(2, player.currentFrame("/"));
    EXPECT_EQ(RIR::String("outro"), player.currentLabel("/"));
    nNow += 200;
    EXPECT_EQ(0, player.currentFrame("/")) << "wraps after the last frame";
    EXPECT_TRUE(player.isPlaying());
    player.gotoLabel("/", "outro");
    EXPECT_EQ(2, player.currentFrame("/"));
    player.stopPlay();
    nNow += 1000;
    EXPECT_EQ(2, player.currentFrame("/"));

    SwfPlayer stopper([&nNow]() { return nNow; });
    ASSERT_TRUE(stopper.loadMovie(0, sStop.c_str()));
    stopper.play();
    nNow += 150;
    EXPECT_EQ(1, stopper.currentFrame("/"));
    nNow += 1000;
    EXPECT_EQ(2, stopper.currentFrame("/")) << "the Stop action holds its frame";
    EXPECT_FALSE(stopper.isPlaying());
    stopper.play(); // moves on past the stop frame, and stops there again a round later
    nNow += 250;
    EXPECT_EQ(0, stopper.currentFrame("/"));
    EXPECT_TRUE(stopper.isPlaying());
    nNow += 5000;
    EXPECT_EQ(2, stopper.currentFrame("/"));
    EXPECT_FALSE(stopper.isPlaying());

    SwfPlayer refused([&nNow]() { return nNow; });
    EXPECT_FALSE(refused.loadMovie(0, (std::string(szDir) + "/none.flv").c_str()));
    std::filesystem::remove_all(szDir);
}

TEST(OleContainerTest, TwoPassAlpha)
{
    EXPECT_EQ(0, COleContainerWnd::twoPassAlpha(0x000000, 0xFFFFFF));
    EXPECT_EQ(255, COleContainerWnd::twoPassAlpha(0x123456, 0x123456));
    EXPECT_EQ(255 - 0x80, COleContainerWnd::twoPassAlpha(0x000000, 0x808080));
}

TEST_F(FlashTest, SpriteShowsTheBackgroundAndCountsLoops)
{
    put("logo.flv", swf(MovieShape(), true));
    put("plain.flv", swf(MovieShape(), false));
    RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite("logo.flv", 0, 0, 1, false);
    ASSERT_TRUE(pFlash->hasControl());
    RIR::SmartPtr<FlashSprite> pPlain = new FlashSprite("plain.flv", 0, 0, 1, false);
    EXPECT_EQ(pPlain->getMovieSize().x, pFlash->getMovieSize().x);
    EXPECT_EQ(800.0f, pFlash->getMovieSize().x);
    EXPECT_EQ(600.0f, pFlash->getMovieSize().y);
    EXPECT_TRUE(pFlash->isPlaying());
    EXPECT_EQ(4, pFlash->getTotalFrames());

    pFlash->update(0.0f);
    ASSERT_TRUE(pFlash->getImage());
    EXPECT_EQ(800, pFlash->getImage()->getWidth());
    EXPECT_EQ(600, pFlash->getImage()->getHeight());
    pFlash->getImage()->lock();
    const Color c = pFlash->getImage()->getPixel(10, 10);
    pFlash->getImage()->unlock();
    EXPECT_EQ(0x33, c.r);
    EXPECT_EQ(0x66, c.g);
    EXPECT_EQ(0x99, c.b);
    EXPECT_EQ(255, c.a);

    // The fake platform's clock drives the movie: 4 frames at 10 per second.
    for (int i = 0; i < 5; ++i)
    {
        m_pPlatform->advance(100);
        pFlash->update(0.1f);
    }
    EXPECT_EQ(1, pFlash->getLoopCount());
    pFlash->gotoFrame(3);
    pFlash->update(0.0f);
    pFlash->gotoFrame(0);
    pFlash->update(0.0f);
    EXPECT_EQ(2, pFlash->getLoopCount()) << "winding back counts too";
    EXPECT_TRUE(pFlash->gotoLabel("outro"));
    EXPECT_EQ(RIR::String("outro"), pFlash->getCurrentLabel());
    EXPECT_FALSE(pFlash->gotoLabel("nowhere"));

    pFlash->setScale(0.5f);
    pFlash->update(0.0f);
    EXPECT_EQ(400, pFlash->getImage()->getWidth());
}

TEST_F(FlashTest, RefusedFilesLeaveASpriteWithoutControl)
{
    Bytes flv = {'F', 'L', 'V', 1, 5, 0, 0, 0, 9, 0, 0, 0, 0};
    Bytes zws = swf(MovieShape(), false);
    zws[0] = 'Z';
    put("video.flv", flv);
    put("zws.flv", zws);
    put("short.flv", {'C', 'W', 'S'});
    for (const char* pszName : {"video.flv", "zws.flv", "short.flv"})
    {
        SCOPED_TRACE(pszName);
        RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite(pszName, 0, 0, 1, false);
        EXPECT_FALSE(pFlash->hasControl());
        pFlash->update(0.1f);
        EXPECT_EQ(nullptr, pFlash->getImage().get());
        EXPECT_FALSE(pFlash->isPlaying());
        EXPECT_EQ(0, pFlash->getCurrentFrame());
        EXPECT_EQ(0, pFlash->getTotalFrames());
        EXPECT_EQ(0.0f, pFlash->getMovieSize().x);
        EXPECT_EQ(RIR::String(""), pFlash->getCurrentLabel());
        EXPECT_FALSE(pFlash->gotoLabel("intro"));
    }
    try
    {
        RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite("absent.flv", 0, 0, 1, false);
        FAIL() << "no error";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Resource absent.flv not found", e.getMessage());
    }
}

TEST_F(FlashTest, TransparentSpriteHasAlpha)
{
    put("logo.flv", swf(MovieShape(), false));
    RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite("logo.flv", 0, 0, 1, true);
    pFlash->update(0.0f);
    ASSERT_TRUE(pFlash->getImage());
    EXPECT_NE(0u, pFlash->getImage()->getPixelFormat().m_nAlphaMask);
}

TEST_F(FlashTest, SplashPlaysAFlashLogoUntilItLoopsThenEnds)
{
    put("logo.flv", swf(MovieShape(), true));
    put("video.flv", {'F', 'L', 'V', 1, 5, 0, 0, 0, 9, 0, 0, 0, 0});
    FlashLogoPlayer player;
    IFlashLogoPlayer* pPrevious = IFlashLogoPlayer::install(&player);
    SplashScreen* pSplash = new SplashScreen();
    pSplash->addVideoLogo("logo.flv");
    pSplash->addVideoLogo("video.flv");
    m_pApp->pushMode(pSplash);

    pSplash->update(0.1f);
    ASSERT_TRUE(pSplash->getLogoSprite());
    EXPECT_EQ(SPS_FLASH, pSplash->getLogoState());
    FlashSprite* pFlash = dynamic_cast<FlashSprite*>(pSplash->getLogoSprite().get());
    ASSERT_TRUE(pFlash);
    EXPECT_EQ(1, pFlash->getZOrder());
    // 4 frames at 10 a second: the movie wraps after 0.4 s and the logo ends.
    int nUpdates = 1;
    while (pSplash->getLogoSprite() && nUpdates < 20)
    {
        m_pPlatform->advance(100);
        pSplash->update(0.1f);
        ++nUpdates;
    }
    EXPECT_GE(nUpdates, 4);
    EXPECT_LT(nUpdates, 8);

    // A file the player refuses is a sprite without a control, over at its first update.
    pSplash->update(0.1f);
    EXPECT_EQ("video.flv", std::string(pSplash->getCurrentLogo()->m_sName.c_str()));
    EXPECT_FALSE(pSplash->getLogoSprite());
    pSplash->update(0.1f);
    EXPECT_NE(pSplash, m_pApp->getTopMode());
    IFlashLogoPlayer::install(pPrevious);
}
