// Choosing the physical display mode: the candidate and depth orders of ModeChoice, and
// SDLVideoDriverBase::setVideoMode on SDL's dummy video driver with the display's answers (the
// desktop size, the listed modes, which modes it accepts, the window's place) scripted.
#include "platform/sdl/modechoice.h"
#include "platform/sdl/sdlvideodriver.h"

#include "app/videoflags.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordinglog.h"
#include "testkit/savedvariable.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include "test_video_fixture.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <dlfcn.h>
#include <functional>
#include <string>
#include <vector>

namespace
{

std::string sizesText(const RIR::List<Point>& lSizes)
{
    std::string sText;
    for (int i = 0; i < lSizes.getLength(); ++i)
    {
        if (i > 0)
            sText += ",";
        sText += std::to_string((int)lSizes.get(i).x) + "x" + std::to_string((int)lSizes.get(i).y);
    }
    return sText;
}

// "W:800x600;F:1280x720,..." for the passes of a choice.
std::string passesText(const ModeChoice& choice)
{
    std::string sText;
    for (int nPass = 0; nPass < choice.getPassCount(); ++nPass)
    {
        if (nPass > 0)
            sText += ";";
        sText += choice.isFullscreenPass(nPass) ? "F:" : "W:";
        sText += sizesText(choice.getPassCandidates(nPass));
    }
    return sText;
}

RIR::List<Point> listedModes()
{
    RIR::List<Point> lModes;
    lModes.append(Point(1920, 1080));
    lModes.append(Point(1280, 720));
    lModes.append(Point(1024, 768));
    lModes.append(Point(640, 480));
    return lModes;
}

struct TryCall
{
    int nWidth;
    int nHeight;
    int nDepth;
    bool bFullscreen;
    int nFlags;
    int nSDLFlags;

    std::string text() const
    {
        return std::string(bFullscreen ? "F " : "W ") + std::to_string(nWidth) + "x" +
               std::to_string(nHeight) + "@" + std::to_string(nDepth);
    }
};

// The SDL video driver base with the display scripted: what the desktop is, which full-screen
// modes exist, which modes are accepted (those really open on SDL's dummy driver), where the
// window is and which depth the mode got.
class ScriptedVideoDriver : public SDLVideoDriverBase
{
public:
    ScriptedVideoDriver() { setHost(m_pHost = new FakeVideoHost()); }
    ~ScriptedVideoDriver() override { shutdown(); }

    void init(RIR::SmartPtr<Image> pIcon) override { setIcon(pIcon); }
    void shutdown() override
    {
        m_lCalls.push_back("shutdown");
        if (SDL_WasInit(SDL_INIT_VIDEO))
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    const char* getName() const override { return "Scripted Video Driver"; }
    bool isAccelerated() const override { return false; }
    int getBPP() const override
    {
        if (m_nBpp > 0)
            return m_nBpp;
        SDL_Surface* pScreen = SDL_GetVideoSurface();
        return pScreen ? pScreen->format->BitsPerPixel : 0;
    }
    void renderFrame() override {}
    void flip() override {}
    void clear(Color) override {}
    void fillScreen(Color) override {}
    void setParameter(int) override {}
    void invalidate() override {}
    RIR::SmartPtr<Sprite> getCursorSprite() const override { return nullptr; }
    void setViewOrigin(int nX, int nY) override
    {
        m_lCalls.push_back("setViewOrigin(" + std::to_string(nX) + ", " + std::to_string(nY) + ")");
    }
    void prepareImage(Image*) override {}

    void createDevice() override { m_lCalls.push_back("createDevice"); }
    bool trySetMode(int nWidth, int nHeight, int nDepth, bool bFullscreen, int nFlags,
                    int nSDLFlags) override
    {
        TryCall call = {nWidth, nHeight, nDepth, bFullscreen, nFlags, nSDLFlags};
        m_lTries.push_back(call);
        if (!m_fnAccept(call))
            return false;
        return SDL_SetVideoMode(nWidth, nHeight, nDepth, (Uint32)nSDLFlags) != nullptr;
    }
    Point getDesktopSize() override { return m_ptDesktop; }

    std::vector<std::string> tryTexts() const
    {
        std::vector<std::string> lTexts;
        for (const TryCall& call : m_lTries)
            lTexts.push_back(call.text());
        return lTexts;
    }

    FakeVideoHost* m_pHost; // owned by the driver
    Point m_ptDesktop = Point(1920, 1080);
    RIR::List<Point> m_lListed;
    std::function<bool(const TryCall&)> m_fnAccept = [](const TryCall&) { return true; };
    int m_nBpp = 32;
    bool m_bRectReadable = true;
    Rect m_windowRect = Rect(100, 100, 900, 700);
    int m_nScreenWidth = 1920;
    int m_nScreenHeight = 1080;
    std::vector<TryCall> m_lTries;
    std::vector<std::string> m_lCalls;

protected:
    void listFullscreenModes(RIR::List<Point>& lModes) override { lModes = m_lListed; }
    bool readWindowRect(Rect* pRect) override
    {
        if (m_bRealWindow)
            return SDLVideoDriverBase::readWindowRect(pRect);
        *pRect = m_windowRect;
        return m_bRectReadable;
    }
    bool readScreenSize(int* pnWidth, int* pnHeight) override
    {
        if (m_bRealWindow)
            return SDLVideoDriverBase::readScreenSize(pnWidth, pnHeight);
        *pnWidth = m_nScreenWidth;
        *pnHeight = m_nScreenHeight;
        return true;
    }
    void moveWindow(int nX, int nY) override
    {
        m_lCalls.push_back("moveWindow(" + std::to_string(nX) + ", " + std::to_string(nY) + ")");
        if (m_bRealWindow)
            SDLVideoDriverBase::moveWindow(nX, nY);
    }

public:
    // The window's place through the window system, as in the game.
    bool m_bRealWindow = false;
    bool readRealWindowRect(Rect* pRect) { return SDLVideoDriverBase::readWindowRect(pRect); }
    void setVideoStartWait(int nMs) { SDLVideoDriverBase::setVideoStartWait(nMs); }
    void moveRealWindow(int nX, int nY) { SDLVideoDriverBase::moveWindow(nX, nY); }
};

class SDLVideoDriverTest : public ::testing::Test
{
protected:
    void SetUp() override { useDummyVideo(); }

    LogCapture m_log;
};

int countOf(const std::vector<std::string>& lItems, const std::string& sItem)
{
    int nCount = 0;
    for (const std::string& s : lItems)
        nCount += s == sItem ? 1 : 0;
    return nCount;
}

} // namespace

// ---- ModeChoice ------------------------------------------------------------------------------

TEST(ModeChoiceTest, FullScreenCandidatesOnAWideDesktop)
{
    ModeChoice choice(800, 600, VF_FULLSCREEN, 1.0f);
    choice.setDesktop(Point(1920, 1080));
    choice.setListedModes(listedModes());
    EXPECT_TRUE(choice.isWide());
    EXPECT_FLOAT_EQ(1920.0f / 1080.0f, choice.getAspect());
    // Equal distances to 1.777 put the lower mode first; 640 x 480 is too low.
    EXPECT_EQ("1280x720,1920x1080,800x600,1024x768", sizesText(choice.getFullscreenCandidates()));
    EXPECT_EQ("F:1280x720,1920x1080,800x600,1024x768;W:800x600", passesText(choice));
}

TEST(ModeChoiceTest, PassesFollowTheRequestAndTheDesktop)
{
    struct Case
    {
        int nFlags;
        Point ptDesktop;
        const char* pszPasses;
    };
    const Case aCases[] = {
        // A window first when it fits strictly inside the desktop.
        {0, Point(1920, 1080), "W:800x600;F:1280x720,1920x1080,800x600,1024x768"},
        {VF_FULLSCREEN, Point(1024, 768), "F:800x600;W:800x600"},
        // Not strictly smaller: no window; 4:3 is not wide, so only the asked size.
        {0, Point(800, 600), "F:800x600"},
        {VF_FULLSCREEN, Point(800, 600), "F:800x600"},
        {0, Point(800, 1080), "F:800x600"},
        {0, Point(801, 601), "W:800x600;F:800x600"},
        // Unknown desktop: twice the logical size, a window always fits, never wide.
        {0, Point(0, 0), "W:800x600;F:800x600"},
        {VF_FULLSCREEN, Point(1920, 0), "F:800x600;W:800x600"},
    };
    for (const Case& c : aCases)
    {
        ModeChoice choice(800, 600, c.nFlags, 1.0f);
        choice.setDesktop(c.ptDesktop);
        choice.setListedModes(listedModes());
        EXPECT_EQ(c.pszPasses, passesText(choice))
            << "flags " << c.nFlags << ", desktop " << c.ptDesktop.x << "x" << c.ptDesktop.y;
    }
    ModeChoice unknown(800, 600, 0, 1.0f);
    unknown.setDesktop(Point(0, 0));
    EXPECT_EQ(1600.0f, unknown.getDesktop().x);
    EXPECT_EQ(1200.0f, unknown.getDesktop().y);
    EXPECT_FALSE(unknown.isWide());
}

TEST(ModeChoiceTest, DepthOrderFromTheRequestedDepth)
{
    struct Case
    {
        int nFlags;
        int nDepth;
        int anOrder[4];
    };
    const Case aCases[] = {
        {0x04, 16, {16, 24, 32, 0}},
        {0x08, 24, {24, 32, 16, 0}},
        {0x0C, 32, {32, 24, 16, 0}},
        {0x00, 0, {32, 24, 16, 0}},
    };
    for (const Case& c : aCases)
    {
        ModeChoice choice(800, 600, c.nFlags | VF_FULLSCREEN, 1.0f);
        EXPECT_EQ(c.nDepth, choice.getDepth());
        int anOrder[ModeChoice::DEPTH_COUNT];
        ModeChoice::getDepthOrder(choice.getDepth(), anOrder);
        for (int i = 0; i < ModeChoice::DEPTH_COUNT; ++i)
            EXPECT_EQ(c.anOrder[i], anOrder[i]) << "depth " << c.nDepth << ", entry " << i;
    }
}

TEST(ModeChoiceTest, WindowScaleMakesThePhysicalSize)
{
    ModeChoice scaled(800, 600, 0, 1.5f);
    EXPECT_EQ(1200, scaled.getPhysicalWidth());
    EXPECT_EQ(900, scaled.getPhysicalHeight());
    ModeChoice truncated(800, 600, 0, 0.999f);
    EXPECT_EQ(799, truncated.getPhysicalWidth());
    EXPECT_EQ(599, truncated.getPhysicalHeight());
}

TEST(ModeChoiceTest, LetterboxOfPhysicalModes)
{
    struct Case
    {
        int nPhysWidth;
        int nPhysHeight;
        float fScaleY;
        int nScaledWidth;
        int nOffsetX;
    };
    const Case aCases[] = {
        {1280, 800, 0.75f, 960, 80},
        {800, 600, 1.0f, 800, 0},
        {1920, 1080, 600.0f / 1080.0f, 1066, 133},
        // Narrower than 4:3: the picture is cut at the sides (no borders are made for it).
        {1280, 1024, 600.0f / 1024.0f, 750, -25},
    };
    for (const Case& c : aCases)
    {
        float fScaleY = 0.0f;
        int nScaledWidth = 0;
        int nOffsetX = 0;
        ModeChoice::getLetterbox(800, 600, c.nPhysWidth, c.nPhysHeight, &fScaleY, &nScaledWidth,
                                 &nOffsetX);
        EXPECT_FLOAT_EQ(c.fScaleY, fScaleY) << c.nPhysWidth << "x" << c.nPhysHeight;
        EXPECT_EQ(c.nScaledWidth, nScaledWidth) << c.nPhysWidth << "x" << c.nPhysHeight;
        EXPECT_EQ(c.nOffsetX, nOffsetX) << c.nPhysWidth << "x" << c.nPhysHeight;
    }
}

// ---- SDLVideoDriverBase::setVideoMode ----------------------------------------------------------

TEST_F(SDLVideoDriverTest, EveryCandidateAndDepthIsTriedAndLoggedBeforeGivingUp)
{
    ScriptedVideoDriver driver;
    driver.m_fnAccept = [](const TryCall&) { return false; };

    EXPECT_FALSE(driver.setVideoMode(800, 600, 0));

    std::vector<std::string> lExpected = {"W 800x600@32", "W 800x600@24", "W 800x600@16",
                                          "W 800x600@0",  "F 800x600@32", "F 800x600@24",
                                          "F 800x600@16", "F 800x600@0"};
    EXPECT_EQ(lExpected, driver.tryTexts());
    // Nothing of the refused request is stored.
    EXPECT_EQ(0, driver.getWidth());
    EXPECT_EQ(0, driver.getFlags());
    EXPECT_EQ(0, driver.getPhysicalWidth());
    // The device was shut down, then made anew, before the attempts.
    ASSERT_GE(driver.m_lCalls.size(), 2u);
    EXPECT_EQ("shutdown", driver.m_lCalls[0]);
    EXPECT_EQ("createDevice", driver.m_lCalls[1]);

    std::vector<std::string> lLines = m_log.lines();
    ASSERT_EQ(10u, lLines.size());
    EXPECT_EQ("D: Set 800x600 Wnd, 0 BPP [log 800x600]", lLines[0]);
    EXPECT_EQ("V: Desktop res 1920 x 1080, aspect 1.778, wide = 1", lLines[1]);
    for (size_t i = 2; i < lLines.size(); ++i)
        EXPECT_EQ("V: Trying 800 x 600...FAILED", lLines[i]);
}

TEST_F(SDLVideoDriverTest, FullScreenOnAWideDesktopTakesTheFirstAcceptedCandidate)
{
    ScriptedVideoDriver driver;
    driver.m_lListed = listedModes();
    driver.m_fnAccept = [](const TryCall& call)
    { return call.nWidth == 1920 && call.nDepth == 32 && call.bFullscreen; };

    ASSERT_TRUE(driver.setVideoMode(800, 600, VF_FULLSCREEN | 0x08));

    std::vector<std::string> lExpected = {"F 1280x720@24", "F 1280x720@32",  "F 1280x720@16",
                                          "F 1280x720@0",  "F 1920x1080@24", "F 1920x1080@32"};
    EXPECT_EQ(lExpected, driver.tryTexts());
    for (const TryCall& call : driver.m_lTries)
    {
        EXPECT_EQ(VF_FULLSCREEN | 0x08, call.nFlags);
        EXPECT_EQ(SDL_NOFRAME, call.nSDLFlags);
    }
    // Full screen is added to the flags stored before (0); the depth asked for is not kept.
    EXPECT_TRUE(driver.isFullscreen());
    EXPECT_EQ(VF_FULLSCREEN, driver.getFlags());
    EXPECT_EQ(800, driver.getWidth());
    EXPECT_EQ(600, driver.getHeight());
    EXPECT_EQ(1920, driver.getPhysicalWidth());
    EXPECT_EQ(1080, driver.getPhysicalHeight());
    EXPECT_EQ(1066, driver.getPhysScaledWidth());
    EXPECT_EQ(133, driver.getLetterboxOffset());
    ASSERT_EQ(2, driver.getBorders().getLength());
    EXPECT_EQ(Rect(-133, 0, 0, 600), *driver.getBorders().get(0));
    EXPECT_EQ(Rect(799, 0, 933, 600), *driver.getBorders().get(1));

    std::vector<std::string> lLines = m_log.lines();
    std::vector<std::string> lExpectedLines = {
        "D: Set 800x600 Full, 24 BPP [log 800x600]",
        "V: Desktop res 1920 x 1080, aspect 1.778, wide = 1",
        "V: Trying 1280 x 720...FAILED",
        "V: Trying 1280 x 720...FAILED",
        "V: Trying 1280 x 720...FAILED",
        "V: Trying 1280 x 720...FAILED",
        "V: Trying 1920 x 1080...FAILED",
        "V: Trying 1920 x 1080...SUCCESS!",
        "V: ScaleY = 0.556; Phys Scaled Width = 1066; Phys Offset X = 133",
        "V: Letterbox borders : (-133, 0 - 0, 600); (799, 0 - 933, 600); ",
        "D: Got 1920x1080 Full, 32 BPP"};
    EXPECT_EQ(lExpectedLines, lLines);
    // The projection starts at the origin again after every mode set.
    EXPECT_EQ(1, countOf(driver.m_lCalls, "setViewOrigin(0, 0)"));
}

TEST_F(SDLVideoDriverTest, ToggleAfterAFullScreenPassAsksForAWindowOfAnyDepth)
{
    ScriptedVideoDriver driver;
    driver.m_ptDesktop = Point(800, 600);
    ASSERT_TRUE(driver.setVideoMode(800, 600, VF_FULLSCREEN | 0x0C));
    EXPECT_EQ(VF_FULLSCREEN, driver.getFlags());
    EXPECT_EQ("F 800x600@32", driver.tryTexts().back());

    driver.m_ptDesktop = Point(1920, 1080);
    driver.m_lTries.clear();
    driver.toggleFullscreen();
    ASSERT_FALSE(driver.m_lTries.empty());
    EXPECT_EQ("W 800x600@32", driver.m_lTries[0].text());
    EXPECT_EQ(0, driver.m_lTries[0].nFlags);
    EXPECT_FALSE(driver.isFullscreen());
    EXPECT_EQ(0, driver.getFlags());
}

TEST_F(SDLVideoDriverTest, StoredFlagsOfEachKindOfPass)
{
    ScriptedVideoDriver driver;
    // A windowed pass stores the request without full screen.
    ASSERT_TRUE(driver.setVideoMode(800, 600, VF_NO_FRAME | 0x08));
    EXPECT_EQ(VF_NO_FRAME | 0x08, driver.getFlags());
    EXPECT_EQ(SDL_NOFRAME, driver.m_lTries.back().nSDLFlags);

    // A full-screen pass adds full screen to what was stored, whatever else was asked.
    driver.m_fnAccept = [](const TryCall& call) { return call.bFullscreen; };
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0x04));
    EXPECT_EQ(VF_NO_FRAME | 0x08 | VF_FULLSCREEN, driver.getFlags());

    // setBPP asks for the stored flags with the new depth code.
    driver.m_lTries.clear();
    driver.m_fnAccept = [](const TryCall&) { return false; };
    driver.setBPP(16);
    ASSERT_FALSE(driver.m_lTries.empty());
    EXPECT_EQ(VF_NO_FRAME | VF_FULLSCREEN | 0x04, driver.m_lTries[0].nFlags);
    EXPECT_EQ(16, driver.m_lTries[0].nDepth);
    // Refused: the previous mode's numbers stay.
    EXPECT_EQ(VF_NO_FRAME | 0x08 | VF_FULLSCREEN, driver.getFlags());
    EXPECT_EQ(800, driver.getWidth());
}

TEST_F(SDLVideoDriverTest, FramelessWindowsAndHiddenRuns)
{
    struct Case
    {
        int nFlags;
        bool bHidden;
        int nSDLFlags;
        bool bMoved;
    };
    const Case aCases[] = {
        {0, false, 0, true},
        {VF_NO_FRAME, false, SDL_NOFRAME, true},
        {0, true, SDL_NOFRAME, false},
        {VF_FULLSCREEN, false, SDL_NOFRAME, false},
    };
    for (const Case& c : aCases)
    {
        ScriptedVideoDriver driver;
        driver.m_bRectReadable = false;
        if (c.bHidden)
            driver.m_pHost->m_lArguments.append("--hidden");
        driver.m_fnAccept = [&c](const TryCall& call)
        { return call.bFullscreen == ((c.nFlags & VF_FULLSCREEN) != 0); };
        ASSERT_TRUE(driver.setVideoMode(800, 600, c.nFlags));
        EXPECT_EQ(c.nSDLFlags, driver.m_lTries.back().nSDLFlags) << "flags " << c.nFlags;
        // A window whose place cannot be read is centred on the logical size.
        EXPECT_EQ(c.bMoved ? 1 : 0, countOf(driver.m_lCalls, "moveWindow(560, 240)"))
            << "flags " << c.nFlags << (c.bHidden ? ", hidden" : "");
    }
}

TEST_F(SDLVideoDriverTest, ADepthWithoutDirectColourIsFatal)
{
    ScriptedVideoDriver driver;
    driver.m_nBpp = 8;
    try
    {
        driver.setVideoMode(800, 600, 0);
        FAIL() << "an 8-bit mode was accepted";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Couldn't get a direct color video mode [actual BPP = 8]", e.getMessage());
    }
    EXPECT_EQ(1u, m_log.linesStartingWith("D: Got 800x600 Wnd, 8 BPP").size());
}

TEST_F(SDLVideoDriverTest, PointerMappingOfALetterboxedMode)
{
    ScriptedVideoDriver driver;
    // Before any mode: a neutral mapping.
    EXPECT_EQ(1.0f, driver.getMouseScale().x);
    EXPECT_EQ(0.0f, driver.getPictureOrigin().x);

    driver.m_ptDesktop = Point(1280, 800);
    driver.m_lListed.append(Point(1280, 800));
    driver.m_fnAccept = [](const TryCall& call) { return call.nWidth == 1280; };
    ASSERT_TRUE(driver.setVideoMode(800, 600, VF_FULLSCREEN));

    EXPECT_EQ(80, driver.getLetterboxOffset());
    EXPECT_EQ(960, driver.getPhysScaledWidth());
    EXPECT_FLOAT_EQ(800.0f / 600.0f, driver.getMouseScale().x);
    EXPECT_FLOAT_EQ(800.0f / 600.0f, driver.getMouseScale().y);
    EXPECT_EQ(107.0f, driver.getPictureOrigin().x);
    EXPECT_EQ(0.0f, driver.getPictureOrigin().y);
    ASSERT_EQ(2, driver.getBorders().getLength());
    EXPECT_EQ(Rect(-80, 0, 0, 600), *driver.getBorders().get(0));
    EXPECT_EQ(Rect(799, 0, 880, 600), *driver.getBorders().get(1));
    EXPECT_EQ(1u, m_log
                      .linesStartingWith("V: ScaleY = 0.750; Phys Scaled Width = 960; "
                                         "Phys Offset X = 80")
                      .size());

    // A mode of the logical aspect has no borders.
    driver.m_fnAccept = [](const TryCall&) { return true; };
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    EXPECT_EQ(0, driver.getBorders().getLength());
    std::vector<std::string> lBorderLines = m_log.linesStartingWith("V: Letterbox borders");
    ASSERT_EQ(2u, lBorderLines.size());
    EXPECT_EQ("V: Letterbox borders : ", lBorderLines[1]);
}

TEST_F(SDLVideoDriverTest, WindowPlacement)
{
    struct Case
    {
        bool bReadable;
        Rect window;
        const char* pszMove; // null: stays
    };
    const Case aCases[] = {
        {false, Rect(), "moveWindow(560, 240)"},
        {true, Rect(-5, 20, 795, 620), "moveWindow(560, 240)"},
        {true, Rect(-5, 300, 795, 900), "moveWindow(560, 240)"},
        {true, Rect(20, -1, 820, 599), "moveWindow(560, 240)"},
        {true, Rect(480, 424, 1280, 1024), nullptr},
        {true, Rect(481, 424, 1281, 1024), "moveWindow(560, 240)"},
        {true, Rect(0, 0, 800, 600), nullptr},
    };
    for (const Case& c : aCases)
    {
        ScriptedVideoDriver driver;
        driver.m_bRectReadable = c.bReadable;
        driver.m_windowRect = c.window;
        ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
        int nMoves = 0;
        std::string sMove;
        for (const std::string& sCall : driver.m_lCalls)
        {
            if (sCall.compare(0, 10, "moveWindow") == 0)
            {
                ++nMoves;
                sMove = sCall;
            }
        }
        if (c.pszMove)
        {
            EXPECT_EQ(1, nMoves);
            EXPECT_EQ(c.pszMove, sMove);
        }
        else
        {
            EXPECT_EQ(0, nMoves) << sMove;
        }
    }
}

TEST_F(SDLVideoDriverTest, CursorSettingsReachSDL)
{
    FakePlatform platform;
    ScriptedVideoDriver driver;
    driver.setPlatform(&platform);
    platform.setMousePos(30, 40);
    RIR::SmartPtr<RecordingLog> pLog = platform.getLog();
    pLog->clear();

    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    EXPECT_TRUE(driver.isSoftwareCursor());
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY));
    // Windowed: the pointer stays where it is.
    EXPECT_EQ(0, pLog->countCalls("platform.setMousePos"));

    driver.setSoftwareCursor(false);
    EXPECT_EQ(1, SDL_ShowCursor(SDL_QUERY));
    driver.showCursor(false);
    EXPECT_FALSE(driver.isCursorShown());
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY));
    driver.showCursor(true);
    EXPECT_EQ(1, SDL_ShowCursor(SDL_QUERY));
    driver.setSoftwareCursor(true);
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY));
    driver.showCursor(true);
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY));

    // In full screen every software-cursor change puts the pointer back where the platform
    // says it is.
    driver.setFullscreen(true);
    ASSERT_TRUE(driver.isFullscreen());
    EXPECT_GE(pLog->countCalls("platform.setMousePos"), 1);
    int nBefore = pLog->countCalls("platform.setMousePos");
    driver.setSoftwareCursor(false);
    EXPECT_EQ(nBefore + 1, pLog->countCalls("platform.setMousePos"));
    EXPECT_EQ("platform.setMousePos(30, 40)", pLog->get(pLog->getLength() - 1));
    driver.setPlatform(nullptr);
}

TEST_F(SDLVideoDriverTest, SetFullscreenChangesTheModeOnlyWhenItDiffers)
{
    ScriptedVideoDriver driver;
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    size_t nTries = driver.m_lTries.size();
    driver.setFullscreen(false);
    EXPECT_EQ(nTries, driver.m_lTries.size());
    driver.setFullscreen(true);
    EXPECT_GT(driver.m_lTries.size(), nTries);
    EXPECT_TRUE(driver.isFullscreen());
}

TEST_F(SDLVideoDriverTest, CaptionSurvivesModeChanges)
{
    ScriptedVideoDriver driver;
    driver.setCaption("Dustbowl \xC3\xA9t\xC3\xA9");
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    char* pszTitle = nullptr;
    char* pszIcon = nullptr;
    SDL_WM_GetCaption(&pszTitle, &pszIcon);
    ASSERT_NE(nullptr, pszTitle);
    EXPECT_STREQ("Dustbowl \xC3\xA9t\xC3\xA9", pszTitle);
    EXPECT_STREQ("Dustbowl \xC3\xA9t\xC3\xA9", driver.getCaption().c_str());
}

// SDL 1.2's window-manager calls (the icon first) read its video device without checking that one
// runs: when video does not start again, the mode set stops before them, answers false and keeps
// the previous mode's numbers; a later mode set on a display that answers works as ever.
TEST_F(SDLVideoDriverTest, VideoThatDoesNotStartFailsTheModeBeforeTheIcon)
{
    ScriptedVideoDriver driver;
    driver.init(makePicture(33, 7));
    driver.setCaption("Dustbowl");
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    driver.m_lCalls.clear();
    driver.m_lTries.clear();
    driver.setVideoStartWait(200);
    {
        EnvSetting video("SDL_VIDEODRIVER", "no-such-driver");
        EXPECT_FALSE(driver.setVideoMode(640, 480, 0));
    }
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    EXPECT_TRUE(driver.m_lTries.empty());
    EXPECT_EQ(0, countOf(driver.m_lCalls, "createDevice"));
    EXPECT_EQ(800, driver.getWidth());
    EXPECT_EQ(600, driver.getHeight());
    // Tried again for the wait: at once, then every 100 ms.
    std::vector<std::string> lFailures = m_log.linesStartingWith("D: SDL video did not start");
    ASSERT_EQ(3u, lFailures.size());
    EXPECT_NE(std::string::npos, lFailures.back().find("No available video device"));

    ASSERT_TRUE(driver.setVideoMode(640, 480, 0));
    EXPECT_EQ(640, driver.getWidth());
}

namespace
{

// Whether an X display is at hand (DISPLAY, or the test command's own X server named in
// DBD_GL_DISPLAY, which then becomes DISPLAY).
bool haveXDisplay()
{
    const char* pszDisplay = getenv("DISPLAY");
    if (pszDisplay && *pszDisplay)
        return true;
    pszDisplay = getenv("DBD_GL_DISPLAY");
    if (!pszDisplay || !*pszDisplay)
        return false;
    setenv("DISPLAY", pszDisplay, 1);
    return true;
}

// A picture whose left half is opaque (red growing with x, green with y, blue 0x40) and whose
// right half is fully transparent.
RIR::SmartPtr<SDLImage> makeIconPicture(int nWidth, int nHeight)
{
    RIR::SmartPtr<SDLImage> pPicture = makePicture(nWidth, nHeight);
    pPicture->lock();
    for (int y = 0; y < nHeight; ++y)
    {
        for (int x = 0; x < nWidth; ++x)
        {
            bool bOpaque = x < (nWidth + 1) / 2;
            pPicture->setPixel(x, y,
                               Color((x * 7) & 0xFF, (y * 5) & 0xFF, 0x40, bOpaque ? 255 : 0));
        }
    }
    pPicture->unlock();
    return pPicture;
}

// The value of the channel of a pixel that the visual's mask selects, as 0 .. 255.
int channelOf(unsigned long nPixel, unsigned long nMask)
{
    int nShift = 0;
    while (nMask != 0 && (nMask & 1) == 0)
    {
        nMask >>= 1;
        ++nShift;
    }
    return (int)((nPixel >> nShift) & nMask);
}

} // namespace

// The icon through SDL's X11 driver for pictures whose rows are no whole number of mask bytes,
// whose pitch is not their width and whose sides are 1 pixel: the window's hints carry an icon
// pixmap with the picture's colours and a mask that hides its transparent half.
TEST(SDLVideoDriverOnX11Test, IconsOfOddSizesReachTheWindow)
{
    if (!haveXDisplay())
        GTEST_SKIP() << "no X display";
    using GetWMHintsFn = XWMHints* (*)(Display*, Window);
    using GetImageFn =
        XImage* (*)(Display*, Drawable, int, int, unsigned int, unsigned int, unsigned long, int);
    using FreeFn = int (*)(void*);
    EnvSetting video("SDL_VIDEODRIVER", "x11");
    LogCapture log;
    const struct
    {
        int nWidth;
        int nHeight;
    } aSizes[] = {{1, 1}, {33, 7}, {7, 33}, {48, 48}, {257, 3}};
    for (const auto& size : aSizes)
    {
        SCOPED_TRACE(std::to_string(size.nWidth) + "x" + std::to_string(size.nHeight));
        ScriptedVideoDriver driver;
        driver.m_bRealWindow = true;
        driver.init(makeIconPicture(size.nWidth, size.nHeight));
        if (!driver.setVideoMode(400, 300, 0))
            GTEST_SKIP() << "the X display refused a window";
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_GT(SDL_GetWMInfo(&info), 0);
        ASSERT_EQ(SDL_SYSWM_X11, info.subsystem);
        // Xlib is there through SDL; its calls are looked up as the driver does.
        auto pfnGetWMHints = (GetWMHintsFn)dlsym(RTLD_DEFAULT, "XGetWMHints");
        auto pfnGetImage = (GetImageFn)dlsym(RTLD_DEFAULT, "XGetImage");
        auto pfnFree = (FreeFn)dlsym(RTLD_DEFAULT, "XFree");
        ASSERT_TRUE(pfnGetWMHints && pfnGetImage && pfnFree);
        Display* pDisplay = info.info.x11.display;
        info.info.x11.lock_func();
        XWMHints* pHints = pfnGetWMHints(pDisplay, info.info.x11.wmwindow);
        ASSERT_NE(nullptr, pHints);
        ASSERT_TRUE((pHints->flags & IconPixmapHint) && (pHints->flags & IconMaskHint));
        XImage* pPixels = pfnGetImage(pDisplay, pHints->icon_pixmap, 0, 0, (unsigned)size.nWidth,
                                      (unsigned)size.nHeight, AllPlanes, ZPixmap);
        XImage* pMask = pfnGetImage(pDisplay, pHints->icon_mask, 0, 0, (unsigned)size.nWidth,
                                    (unsigned)size.nHeight, 1, ZPixmap);
        pfnFree(pHints);
        info.info.x11.unlock_func();
        ASSERT_NE(nullptr, pPixels);
        ASSERT_NE(nullptr, pMask);
        Visual* pVisual = DefaultVisual(pDisplay, DefaultScreen(pDisplay));
        for (int y = 0; y < size.nHeight; ++y)
        {
            for (int x = 0; x < size.nWidth; ++x)
            {
                bool bOpaque = x < (size.nWidth + 1) / 2;
                ASSERT_EQ(bOpaque ? 1ul : 0ul, XGetPixel(pMask, x, y)) << x << "," << y;
                if (!bOpaque)
                    continue;
                unsigned long nPixel = XGetPixel(pPixels, x, y);
                ASSERT_EQ((x * 7) & 0xFF, channelOf(nPixel, pVisual->red_mask)) << x << "," << y;
                ASSERT_EQ((y * 5) & 0xFF, channelOf(nPixel, pVisual->green_mask)) << x << "," << y;
                ASSERT_EQ(0x40, channelOf(nPixel, pVisual->blue_mask)) << x << "," << y;
            }
        }
        XDestroyImage(pPixels);
        XDestroyImage(pMask);
    }
}

// The window's place through the real window system: only with an X display (DISPLAY, or the
// test command's own X server named in DBD_GL_DISPLAY).
TEST(SDLVideoDriverOnX11Test, AWindowOutsideTheKeptAreaIsCentredOnTheScreen)
{
    const char* pszDisplay = getenv("DISPLAY");
    if (!pszDisplay || !*pszDisplay)
    {
        pszDisplay = getenv("DBD_GL_DISPLAY");
        if (!pszDisplay || !*pszDisplay)
            GTEST_SKIP() << "no X display";
        setenv("DISPLAY", pszDisplay, 1);
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    LogCapture log;
    ScriptedVideoDriver driver;
    driver.m_bRealWindow = true;
    // The desktop as SDL reports it before the mode is set.
    driver.m_ptDesktop = Point(0, 0);
    if (!driver.setVideoMode(400, 300, 0))
        GTEST_SKIP() << "the X display refused a window";
    Point ptDesktop = driver.SDLVideoDriverBase::getDesktopSize();
    EXPECT_GT(ptDesktop.x, 400.0f);
    EXPECT_GT(ptDesktop.y, 300.0f);

    Rect window;
    ASSERT_TRUE(driver.readRealWindowRect(&window));
    EXPECT_EQ(400, window.right - window.left);
    EXPECT_EQ(300, window.bottom - window.top);

    driver.moveRealWindow(-50, 20);
    driver.centreWindow();
    ASSERT_TRUE(driver.readRealWindowRect(&window));
    EXPECT_EQ(((int)ptDesktop.x - 400) / 2, window.left);
    EXPECT_EQ(((int)ptDesktop.y - 300) / 2, window.top);
}
