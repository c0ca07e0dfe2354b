// The Direct3D 7 video driver on the OpenGL display: a known frame drawn and read back.
//
// These tests need an X server with OpenGL: the test command starts Xvfb (software rendering by
// llvmpipe) and names it in DBD_GL_DISPLAY; a DISPLAY of the user's works too. Without one they
// are skipped, unless DBD_REQUIRE_GL is set, in which case they fail.
#include "testkit/savedvariable.h"
#include "platform/gl/glrenderdisplay.h"

#include "test_d3d7_fixture.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace
{

const int WIDTH = 200;
const int HEIGHT = 150;

// The driver as the game makes it, with a scripted application.
class HostedD3D7Driver : public D3D7VideoDriver
{
public:
    HostedD3D7Driver()
    {
        m_pHost = new FakeVideoHost();
        m_pHost->m_lArguments.append("--hidden");
        setHost(m_pHost);
    }
    FakeVideoHost* m_pHost; // owned by the driver
};

::testing::AssertionResult colourNear(uint32_t nActual, uint32_t nExpected, int nTolerance = 3)
{
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        int nDiff = (int)((nActual >> nShift) & 0xFF) - (int)((nExpected >> nShift) & 0xFF);
        if (nDiff > nTolerance || nDiff < -nTolerance)
            return ::testing::AssertionFailure() << std::hex << "0x" << (nActual & 0xFFFFFF)
                                                 << " instead of 0x" << (nExpected & 0xFFFFFF);
    }
    return ::testing::AssertionSuccess();
}

} // namespace

class D3D7GLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* pszDisplay = getenv("DISPLAY");
        if (!pszDisplay || !*pszDisplay)
            pszDisplay = getenv("DBD_GL_DISPLAY");
        if (!pszDisplay || !*pszDisplay)
        {
            if (getenv("DBD_REQUIRE_GL"))
                FAIL() << "no X display for the OpenGL tests";
            GTEST_SKIP() << "no X display for the OpenGL tests (DISPLAY and DBD_GL_DISPLAY "
                            "unset; scripts/test.sh starts Xvfb)";
        }
        m_lEnv.emplace_back(new EnvSetting("DISPLAY", pszDisplay));
        m_lEnv.emplace_back(new EnvSetting("SDL_VIDEODRIVER", "x11"));
        m_lEnv.emplace_back(new EnvSetting("LIBGL_ALWAYS_SOFTWARE", "1"));
        m_lEnv.emplace_back(new EnvSetting("DBD_RENDERER", "gl"));
        m_pDriver.reset(new HostedD3D7Driver());
        m_pDriver->init(nullptr);
        if (!m_pDriver->setVideoMode(WIDTH, HEIGHT, 0) ||
            !dynamic_cast<GLRenderDisplay*>(m_pDriver->getDisplay()))
        {
            m_pDriver.reset();
            if (getenv("DBD_REQUIRE_GL"))
                FAIL() << "no OpenGL mode on display " << pszDisplay;
            GTEST_SKIP() << "no OpenGL mode on display " << pszDisplay;
        }
    }
    void TearDown() override
    {
        m_pDriver.reset();
        m_lModes.clear();
    }

    FakeDrawnMode* addMode(const std::vector<RIR::SmartPtr<Sprite>>& lSprites, int nFlags)
    {
        m_lModes.emplace_back(new FakeDrawnMode(nFlags));
        FakeDrawnMode* pMode = m_lModes.back().get();
        SpriteLayer* pLayer = pMode->addLayer();
        for (const RIR::SmartPtr<Sprite>& pSprite : lSprites)
            pLayer->append(pSprite);
        m_pDriver->m_pHost->m_lModes.insert(m_pDriver->m_pHost->m_lModes.begin(), pMode);
        m_pDriver->m_pHost->m_nFirstDrawn = (int)m_pDriver->m_pHost->m_lModes.size() - 1;
        return pMode;
    }

    // Draws one frame and reads it back.
    FrameCapture drawFrame()
    {
        m_pDriver->m_pHost->m_nFrameCount += 1;
        m_pDriver->requestFrameCapture();
        m_pDriver->renderFrame();
        m_pDriver->m_pHost->m_nFrameCount += 1;
        FrameCapture capture;
        EXPECT_TRUE(m_pDriver->takeFrameCapture(&capture));
        return capture;
    }

    static uint32_t pixel(const FrameCapture& capture, int nX, int nY)
    {
        return capture.lPixels[(size_t)(nY * capture.nWidth + nX)];
    }

    std::vector<std::unique_ptr<EnvSetting>> m_lEnv;
    std::unique_ptr<HostedD3D7Driver> m_pDriver;
    std::vector<std::unique_ptr<FakeDrawnMode>> m_lModes;
    LogCapture m_logFile;
};

// Opaque, faded, additive, tinted and colour-keyed sprites over a blue backdrop, each exactly on
// its pixels: the picture's first and last pixels are drawn, their neighbours outside are not.
TEST_F(D3D7GLTest, SpritesLandOnTheirPixelsWithTheirColours)
{
    RIR::SmartPtr<Sprite> pBackdrop =
        new Sprite(makeFilledPicture(WIDTH, HEIGHT, 0x0000FF), 0, 0, 0);
    RIR::SmartPtr<Sprite> pRed = new Sprite(makeFilledPicture(16, 16, 0xFF0000), 10, 10, 0);
    RIR::SmartPtr<Sprite> pFaded = new Sprite(makeFilledPicture(16, 16, 0xFFFFFF), 40, 10, 0);
    pFaded->setAlpha(0.5f);
    RIR::SmartPtr<Sprite> pAdded = new Sprite(makeFilledPicture(16, 16, 0x00FF00), 70, 10, 0);
    pAdded->setBlendMode(SBM_ADDITIVE);
    RIR::SmartPtr<Sprite> pTinted = new Sprite(makeFilledPicture(16, 16, 0xFFFFFF), 100, 10, 0);
    pTinted->setColor(Color(255, 255, 0, 255));
    RIR::SmartPtr<SDLImage> pKeyedImage = makePicture(16, 16, false);
    {
        SDL_Surface* pSurf = pKeyedImage->getSurface()->getSDLSurface();
        SDL_FillRect(pSurf, nullptr, SDL_MapRGB(pSurf->format, 255, 0, 255));
        SDL_Rect inner = {4, 4, 8, 8};
        SDL_FillRect(pSurf, &inner, SDL_MapRGB(pSurf->format, 255, 255, 255));
    }
    pKeyedImage->setColorKey(Color(255, 0, 255, 255));
    RIR::SmartPtr<Sprite> pKeyed = new Sprite(pKeyedImage, 130, 10, 0);
    addMode({pBackdrop, pRed, pFaded, pAdded, pTinted, pKeyed}, 0x23);

    FrameCapture capture = drawFrame();
    ASSERT_EQ(WIDTH, capture.nWidth);
    ASSERT_EQ(HEIGHT, capture.nHeight);
    const struct
    {
        int nX;
        int nY;
        uint32_t nColour;
    } aChecks[] = {
        {0, 0, 0x0000FF},    {199, 149, 0x0000FF}, // the backdrop fills the window
        {10, 10, 0xFF0000},  {25, 25, 0xFF0000},   {9, 10, 0x0000FF},
        {26, 25, 0x0000FF},  {10, 9, 0x0000FF},    {25, 26, 0x0000FF}, // exactly 16 x 16 pixels
        {47, 17, 0x8080FF},                                            // half white over blue
        {77, 17, 0x00FFFF},                                            // green added to blue
        {107, 17, 0xFFFF00},                                           // white tinted yellow
        {131, 11, 0x0000FF}, {138, 18, 0xFFFFFF}, // key pixels show the backdrop
    };
    for (const auto& c : aChecks)
        EXPECT_TRUE(colourNear(pixel(capture, c.nX, c.nY), c.nColour, 4))
            << "pixel " << c.nX << "," << c.nY;
}

// Turned clockwise by 90 degrees about its insertion point, the picture's left (red) half ends up
// on top; mirrored, the halves swap sides.
TEST_F(D3D7GLTest, RotationAndMirroringTurnThePicture)
{
    RIR::SmartPtr<SDLImage> pHalves = makeFilledPicture(32, 16, 0x00FF00);
    {
        SDL_Surface* pSurf = pHalves->getSurface()->getSDLSurface();
        SDL_Rect left = {0, 0, 16, 16};
        SDL_FillRect(pSurf, &left, SDL_MapRGBA(pSurf->format, 255, 0, 0, 255));
    }
    // Turned clockwise about its bottom-left corner, which stays on (50, 50): the picture covers
    // x 50..66, y 50..82, its left half on top.
    pHalves->setInsPoint(0, 16);
    RIR::SmartPtr<Sprite> pTurned = new Sprite(pHalves, 50, 50, 0);
    pTurned->setRotation(90.0f);
    RIR::SmartPtr<SDLImage> pMirrorImage = new SDLImage(pHalves, Rect(0, 0, 32, 16));
    pMirrorImage->setInsPoint(0, 0);
    pMirrorImage->flipHorizontal();
    RIR::SmartPtr<Sprite> pMirrored = new Sprite(pMirrorImage, 150, 100, 0);
    addMode({pTurned, pMirrored}, 0x23);

    FrameCapture capture = drawFrame();
    EXPECT_TRUE(colourNear(pixel(capture, 58, 58), 0xFF0000)) << "upper half of the turned one";
    EXPECT_TRUE(colourNear(pixel(capture, 58, 74), 0x00FF00)) << "lower half of the turned one";
    EXPECT_TRUE(colourNear(pixel(capture, 45, 58), 0x000000)) << "left of the turned one";
    EXPECT_TRUE(colourNear(pixel(capture, 58, 45), 0x000000)) << "above the turned one";
    // The mirrored picture hangs to the left of its position (its insertion point went right).
    EXPECT_TRUE(colourNear(pixel(capture, 126, 108), 0x00FF00)) << "left half, mirrored";
    EXPECT_TRUE(colourNear(pixel(capture, 142, 108), 0xFF0000)) << "right half, mirrored";
}

// A sprite that writes the stencil leaves the colour alone; a masked sprite then shows only where
// it wrote; the next frame starts with a cleared stencil.
TEST_F(D3D7GLTest, StencilMaskLimitsMaskedSprites)
{
    ASSERT_TRUE(m_pDriver->setVideoMode(WIDTH, HEIGHT, VF_ZBUFFER));
    ASSERT_TRUE(m_pDriver->getDevice()->hasStencilBuffer());
    RIR::SmartPtr<Sprite> pBackdrop =
        new Sprite(makeFilledPicture(WIDTH, HEIGHT, 0x0000FF), 0, 0, 0);
    RIR::SmartPtr<Sprite> pMask = new Sprite(makeFilledPicture(16, 16, 0xFFFFFF), 20, 20, 0);
    pMask->setRenderFlags(SRF_WRITE_STENCIL);
    RIR::SmartPtr<Sprite> pMasked = new Sprite(makeFilledPicture(40, 40, 0xFF0000), 28, 28, 0);
    pMasked->setStencilMasked(true);
    addMode({pBackdrop, pMask, pMasked}, 0x23);

    FrameCapture capture = drawFrame();
    EXPECT_TRUE(colourNear(pixel(capture, 22, 22), 0x0000FF)) << "the mask draws no colour";
    EXPECT_TRUE(colourNear(pixel(capture, 30, 30), 0xFF0000)) << "masked, inside the mask";
    EXPECT_TRUE(colourNear(pixel(capture, 35, 35), 0xFF0000)) << "masked, last mask pixel";
    EXPECT_TRUE(colourNear(pixel(capture, 36, 36), 0x0000FF)) << "masked, outside the mask";
    EXPECT_TRUE(colourNear(pixel(capture, 60, 60), 0x0000FF)) << "masked, outside the mask";

    pMask->setVisible(false);
    capture = drawFrame();
    EXPECT_TRUE(colourNear(pixel(capture, 30, 30), 0x0000FF)) << "the stencil was cleared";
}
