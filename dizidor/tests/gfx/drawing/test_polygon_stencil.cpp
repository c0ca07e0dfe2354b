// A prepared Polygon as a stencil mask: a polygon sprite writes the stencil without drawing colour,
// and a masked sprite then shows only inside the polygon. Checked on the recording device (the
// states and the fan the driver sends) and, with an X display, in pixels through OpenGL.
//
// The pixel test needs an X server with OpenGL: the test command starts Xvfb and names it in
// DBD_GL_DISPLAY (a DISPLAY of the user's works too). Without one it is skipped, unless
// DBD_REQUIRE_GL is set, in which case it fails.
#include "testkit/savedvariable.h"
#include "gfx/polygon.h"
#include "platform/gl/glrenderdisplay.h"

#include "../../platform/test_d3d7_fixture.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace
{

// A diamond around (30, 30), listed counter-clockwise on the screen: preparation turns it round.
Polygon diamond()
{
    RIR::List<Point> lCorners;
    lCorners.append(Point(30, 10));
    lCorners.append(Point(10, 30));
    lCorners.append(Point(30, 50));
    lCorners.append(Point(50, 30));
    return Polygon(lCorners);
}

// The mask: a polygon sprite at the origin that writes the stencil only. A polygon sprite is
// placed like its image, so it gets a 1 x 1 picture anchored at its corner.
RIR::SmartPtr<Sprite> maskSprite(Polygon& polygon)
{
    RIR::SmartPtr<Sprite> pMask = new Sprite(makeFilledPicture(1, 1, 0xFFFFFF), 0, 0, 0);
    pMask->setPolygon(polygon.getPoints());
    pMask->setColor(Color(255, 255, 255, 255));
    pMask->setRenderFlags(SRF_WRITE_STENCIL);
    return pMask;
}

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

::testing::AssertionResult colourNear(uint32_t nActual, uint32_t nExpected)
{
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        const int nDiff = (int)((nActual >> nShift) & 0xFF) - (int)((nExpected >> nShift) & 0xFF);
        if (nDiff > 3 || nDiff < -3)
            return ::testing::AssertionFailure() << std::hex << "0x" << (nActual & 0xFFFFFF)
                                                 << " instead of 0x" << (nExpected & 0xFFFFFF);
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// ---- the recording device ----------------------------------------------------------------------

class PolygonStencilTest : public D3D7Test
{
};

TEST_F(PolygonStencilTest, PolygonMaskWritesTheStencilAndMasksTheNextSprite)
{
    setWindowMode(VF_ZBUFFER);
    Polygon polygon = diamond();
    RIR::SmartPtr<Sprite> pMask = maskSprite(polygon);
    RIR::SmartPtr<Sprite> pMasked = new Sprite(makeFilledPicture(60, 60, 0xFF0000), 0, 0, 0);
    pMasked->setStencilMasked(true);
    addMode({pMask, pMasked});
    renderFrame();

    const std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(2u, lDraws.size());
    const RenderRecord& fan = *lDraws[0];
    EXPECT_EQ(PRIM_TRIANGLE_FAN, fan.ePrimitive);
    EXPECT_EQ(0, fan.nTexture);
    // The corner list reversed to clockwise and closed: (50,30) (30,50) (10,30) (30,10) (50,30).
    ASSERT_EQ(5u, fan.lVertices.size());
    EXPECT_FLOAT_EQ(30.0f, fan.lVertices[1].x);
    EXPECT_FLOAT_EQ(50.0f, fan.lVertices[1].y);
    EXPECT_FLOAT_EQ(fan.lVertices[0].x, fan.lVertices[4].x);
    // Stencil written wherever alpha is drawn; the colour left as it is.
    EXPECT_EQ(1u, fan.state.anRenderState[RS_STENCIL_TEST]);
    EXPECT_EQ((uint32_t)CMP_ALWAYS, fan.state.anRenderState[RS_STENCIL_FUNC]);
    EXPECT_EQ((uint32_t)SOP_REPLACE, fan.state.anRenderState[RS_STENCIL_OP_PASS]);
    EXPECT_EQ((uint32_t)BF_ZERO, fan.state.anRenderState[RS_BLEND_SRC]);
    EXPECT_EQ((uint32_t)BF_ONE, fan.state.anRenderState[RS_BLEND_DEST]);

    const RenderRecord& masked = *lDraws[1];
    EXPECT_NE(0, masked.nTexture);
    EXPECT_EQ(1u, masked.state.anRenderState[RS_STENCIL_TEST]);
    EXPECT_EQ((uint32_t)CMP_EQUAL, masked.state.anRenderState[RS_STENCIL_FUNC]);
    EXPECT_EQ((uint32_t)SOP_KEEP, masked.state.anRenderState[RS_STENCIL_OP_PASS]);
    EXPECT_EQ(1u, masked.state.anRenderState[RS_STENCIL_REF]);
    EXPECT_TRUE(m_pDriver->isStencilUsed()) << "the next frame clears the stencil first";
}

// ---- pixels through OpenGL ---------------------------------------------------------------------

TEST(PolygonStencilGLTest, MaskedSpriteShowsOnlyInsideThePolygon)
{
    const char* pszDisplay = getenv("DISPLAY");
    if (!pszDisplay || !*pszDisplay)
        pszDisplay = getenv("DBD_GL_DISPLAY");
    if (!pszDisplay || !*pszDisplay)
    {
        if (getenv("DBD_REQUIRE_GL"))
            FAIL() << "no X display for the OpenGL tests";
        GTEST_SKIP() << "no X display for the OpenGL tests (scripts/test.sh starts Xvfb)";
    }
    LogCapture logFile;
    EnvSetting display("DISPLAY", pszDisplay);
    EnvSetting video("SDL_VIDEODRIVER", "x11");
    EnvSetting software("LIBGL_ALWAYS_SOFTWARE", "1");
    EnvSetting renderer("DBD_RENDERER", "gl");
    std::unique_ptr<HostedD3D7Driver> pDriver(new HostedD3D7Driver());
    pDriver->init(nullptr);
    if (!pDriver->setVideoMode(200, 150, VF_ZBUFFER) ||
        !dynamic_cast<GLRenderDisplay*>(pDriver->getDisplay()))
    {
        pDriver.reset();
        if (getenv("DBD_REQUIRE_GL"))
            FAIL() << "no OpenGL mode on display " << pszDisplay;
        GTEST_SKIP() << "no OpenGL mode on display " << pszDisplay;
    }
    ASSERT_TRUE(pDriver->getDevice()->hasStencilBuffer());

    Polygon polygon = diamond();
    RIR::SmartPtr<Sprite> pBackdrop = new Sprite(makeFilledPicture(200, 150, 0x0000FF), 0, 0, 0);
    RIR::SmartPtr<Sprite> pMask = maskSprite(polygon);
    RIR::SmartPtr<Sprite> pMasked = new Sprite(makeFilledPicture(60, 60, 0xFF0000), 0, 0, 0);
    pMasked->setStencilMasked(true);
    FakeDrawnMode mode(0x23);
    SpriteLayer* pLayer = mode.addLayer();
    pLayer->append(pBackdrop);
    pLayer->append(pMask);
    pLayer->append(pMasked);
    pDriver->m_pHost->m_lModes.insert(pDriver->m_pHost->m_lModes.begin(), &mode);
    pDriver->m_pHost->m_nFirstDrawn = 0;

    auto drawFrame = [&]() {
        pDriver->m_pHost->m_nFrameCount += 1;
        pDriver->requestFrameCapture();
        pDriver->renderFrame();
        pDriver->m_pHost->m_nFrameCount += 1;
        FrameCapture capture;
        EXPECT_TRUE(pDriver->takeFrameCapture(&capture));
        return capture;
    };
    auto pixel = [](const FrameCapture& capture, int x, int y) {
        return capture.lPixels[(size_t)(y * capture.nWidth + x)];
    };

    FrameCapture capture = drawFrame();
    struct Probe
    {
        int x;
        int y;
        uint32_t nColour;
        const char* pszWhere;
    };
    const Probe aProbes[] = {
        {30, 30, 0xFF0000, "centre of the diamond"},
        {30, 13, 0xFF0000, "near its top corner"},
        {46, 30, 0xFF0000, "near its right corner"},
        {12, 12, 0x0000FF, "inside the red square, outside the diamond"},
        {48, 48, 0x0000FF, "inside the red square, outside the diamond"},
        {80, 80, 0x0000FF, "outside both"},
    };
    for (const Probe& probe : aProbes)
        EXPECT_TRUE(colourNear(pixel(capture, probe.x, probe.y), probe.nColour)) << probe.pszWhere;

    // Without the mask the stencil starts cleared: nothing of the masked sprite shows.
    pMask->setVisible(false);
    capture = drawFrame();
    EXPECT_TRUE(colourNear(pixel(capture, 30, 30), 0x0000FF)) << "the stencil was cleared";
    pDriver.reset();
}
