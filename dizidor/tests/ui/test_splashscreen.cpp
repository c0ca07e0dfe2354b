// SplashScreen: the picture logos' fade timing at 60 updates a second, skipping by click and
// key, the end of the list, the movie extensions, Flash logos through a player double, and the
// cached picture left untouched by the fades.
#include "themefixture.h"

#include "ui/flashlogoplayer.h"
#include "ui/splashscreen.h"

namespace
{

const float DT = 1.0f / 60.0f;

// A Flash player that plays a movie for a fixed number of updates.
class FakeFlashPlayer : public IFlashLogoPlayer
{
public:
    RIR::SmartPtr<Sprite> startMovie(const char* pszFile) override
    {
        m_started.push_back(pszFile);
        m_nLeft = m_nFrames;
        return new Sprite(0, 0, 1);
    }
    bool advance(const RIR::SmartPtr<Sprite>& /*pSprite*/, float /*fDt*/) override
    {
        return --m_nLeft > 0;
    }
    int m_nFrames = 3;
    int m_nLeft = 0;
    std::vector<std::string> m_started;
};

} // namespace

class SplashTest : public ThemeTest
{
protected:
    void SetUp() override
    {
        ThemeTest::SetUp();
        picture("logo_a", 400, 300);
        picture("logo_b", 200, 100);
        m_pSplash = new SplashScreen();
    }
    void TearDown() override
    {
        IFlashLogoPlayer::install(nullptr);
        ThemeTest::TearDown();
    }
    void push() { m_pApp->pushMode(m_pSplash); }
    bool running() const { return m_pApp->getTopMode() == m_pSplash; }
    // Updates until the splash has ended (at most nMax); the number of updates it ran.
    int runToEnd(int nMax)
    {
        int n = 0;
        while (running() && n < nMax)
        {
            m_pSplash->update(DT);
            ++n;
        }
        return n;
    }

    SplashScreen* m_pSplash = nullptr; // owned by the application once pushed
};

TEST_F(SplashTest, StandardLogoReachesFullAlphaAfterHalfASecondAndLastsAboutFourSeconds)
{
    m_pSplash->addStandardLogo("logo_a", 3.0f, "intro");
    push();
    int nFullAt = -1;
    int n = 0;
    while (running() && n < 1000)
    {
        m_pSplash->update(DT);
        ++n;
        if (nFullAt < 0 && m_pSplash->getLogoSprite() &&
            m_pSplash->getLogoSprite()->getAlpha() == 1.0f)
            nFullAt = n;
        if (n == 1)
        {
            EXPECT_EQ("intro", std::string(m_pApp->getCurrentMusic().c_str()));
            // Centred on the 800 x 600 screen.
            EXPECT_EQ(200, (int)m_pSplash->getLogoSprite()->getPosPoint().x);
            EXPECT_EQ(150, (int)m_pSplash->getLogoSprite()->getPosPoint().y);
        }
    }
    EXPECT_NEAR(30, nFullAt, 1);  // 0.5 s
    EXPECT_NEAR(240, n, 3);       // 0.5 + 3 + 0.5 s, plus the update that ends the mode
    EXPECT_FALSE(running());
    EXPECT_TRUE(m_pApp->getConfirmQuit());
}

TEST_F(SplashTest, FadingLeavesTheCachedPictureAlone)
{
    // An opaque picture, whose image-wide alpha would show a change.
    RIR::SmartPtr<Image> pCached = picture("opaque", 100, 100, Color(1, 2, 3, 255), false);
    ASSERT_EQ(255, pCached->getAlpha());
    m_pSplash->addStandardLogo("opaque", 1.0f, "");
    push();
    for (int i = 0; i < 10; ++i)
        m_pSplash->update(DT);
    ASSERT_TRUE(m_pSplash->getLogoSprite());
    EXPECT_NEAR(85.0f / 255.0f, m_pSplash->getLogoSprite()->getAlpha(), 0.01f);
    EXPECT_EQ((int)m_pSplash->getLogoAlpha(),
              (int)(m_pSplash->getLogoSprite()->getAlpha() * 255.0f + 0.5f));
    m_pSplash->skipLogo();
    EXPECT_EQ(255, pCached->getAlpha());
    EXPECT_EQ(255, m_pApp->getImage("opaque")->getAlpha());
}

TEST_F(SplashTest, ZeroFadeTimesShowAndHideWithinOneUpdate)
{
    m_pSplash->addLogo("logo_b", 0.0f, 0.04f, 0.0f, nullptr);
    push();
    m_pSplash->update(DT);
    EXPECT_EQ(SPS_HOLD, m_pSplash->getLogoState());
    EXPECT_EQ(1.0f, m_pSplash->getLogoSprite()->getAlpha());
    for (int i = 0; i < 3; ++i)
        m_pSplash->update(DT);
    EXPECT_EQ(SPS_FADE_OUT, m_pSplash->getLogoState());
    m_pSplash->update(DT);
    EXPECT_FALSE(m_pSplash->getLogoSprite());
    EXPECT_EQ(1, runToEnd(10));
}

TEST_F(SplashTest, ClickSkipsTheLogoAndTheNextUpdateStartsTheNextOne)
{
    m_pSplash->addStandardLogo("logo_a", 3.0f, "");
    m_pSplash->addStandardLogo("logo_b", 3.0f, "");
    push();
    m_pSplash->update(DT);
    RIR::SmartPtr<Sprite> pFirst = m_pSplash->getLogoSprite();
    ASSERT_TRUE(pFirst);
    EXPECT_EQ(SPS_FADE_IN, m_pSplash->getLogoState());
    EXPECT_TRUE(m_pSplash->mouseUp(1, 10, 10));
    EXPECT_FALSE(m_pSplash->getLogoSprite());
    EXPECT_FALSE(GameMode::isAdded(pFirst));
    m_pSplash->update(DT);
    EXPECT_EQ("logo_b", std::string(m_pSplash->getCurrentLogo()->m_sName.c_str()));
    EXPECT_TRUE(m_pSplash->mouseUp(4, 0, 0));
    EXPECT_EQ(1, runToEnd(10));
}

TEST_F(SplashTest, ReturnEscapeAndSpaceSkipOtherKeysDoNotAndNoneIsHandled)
{
    const struct
    {
        int nKey;
        bool bSkips;
    } aCases[] = {{13, true}, {27, true}, {32, true}, {'a', false}, {9, false}};
    for (size_t i = 0; i < sizeof(aCases) / sizeof(aCases[0]); ++i)
        m_pSplash->addStandardLogo("logo_a", 3.0f, "");
    push();
    for (const auto& c : aCases)
    {
        m_pSplash->update(DT);
        ASSERT_TRUE(m_pSplash->getLogoSprite()) << c.nKey;
        EXPECT_FALSE(m_pSplash->keyUp(c.nKey, 0)) << c.nKey;
        EXPECT_EQ(c.bSkips, !m_pSplash->getLogoSprite()) << c.nKey;
        m_pSplash->skipLogo();
    }
}

TEST_F(SplashTest, EmptyListEndsAtTheFirstUpdate)
{
    push();
    EXPECT_FALSE(m_pApp->isCursorShown());
    EXPECT_EQ(12, m_pSplash->getTiles().getLength()); // 4 x 3 tiles of 200 x 200
    m_pSplash->update(DT);
    EXPECT_FALSE(running());
}

TEST_F(SplashTest, MovieExtensionsAreMatchedExactly)
{
    const struct
    {
        const char* pszName;
        int eType; // -1: refused
        const char* pszMessage;
    } aCases[] = {{"intro.ogv", SSLT_VIDEO, ""},
                  {"intro.flv", SSLT_FLASH, ""},
                  {"intro.OGV", -1, "Unsupported file extension: .OGV\n"},
                  {"intro.mpg", -1, "Unsupported file extension: .mpg\n"},
                  {"ogv", -1, "Unsupported file extension: ogv\n"}};
    for (const auto& c : aCases)
    {
        SplashScreen splash;
        EXPECT_EQ(c.pszMessage, failure([&] { splash.addVideoLogo(c.pszName); })) << c.pszName;
        EXPECT_EQ(c.eType < 0 ? 0 : 1, splash.getLogosLeft()) << c.pszName;
    }
    delete m_pSplash;
    m_pSplash = nullptr;
}

TEST_F(SplashTest, FlashLogoPlaysThroughTheInstalledPlayerUntilItStops)
{
    FakeFlashPlayer player;
    m_pSplash->addVideoLogo("logo.flv");
    push();
    EXPECT_EQ("No Flash player for 'logo.flv'", failure([&] { m_pSplash->update(DT); }));

    IFlashLogoPlayer::install(&player);
    m_pSplash->addVideoLogo("logo.flv");
    m_pSplash->update(DT);
    ASSERT_EQ(1u, player.m_started.size());
    EXPECT_EQ(SPS_FLASH, m_pSplash->getLogoState());
    m_pSplash->update(DT);
    EXPECT_TRUE(m_pSplash->getLogoSprite());
    m_pSplash->update(DT);
    EXPECT_FALSE(m_pSplash->getLogoSprite());
    EXPECT_EQ(1, runToEnd(10));
}

TEST_F(SplashTest, VideoLogoThatCannotBeOpenedRaisesTheVideoError)
{
    m_pSplash->addVideoLogo("missing.ogv");
    push();
    EXPECT_NE("", failure([&] { m_pSplash->update(DT); }));
}

TEST_F(SplashTest, ActivationStopsTheAudioAndHidesTheCursor)
{
    m_pApp->showCursor(true);
    m_pApp->playMusicByName("tune", true);
    push();
    EXPECT_FALSE(m_pApp->isCursorShown());
    EXPECT_EQ("", std::string(m_pApp->getCurrentMusic().c_str()));
}
