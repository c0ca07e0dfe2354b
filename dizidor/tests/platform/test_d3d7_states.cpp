// The Direct3D 7 video driver's mode set, render states and clears, on a recording display.
#include "platform/sdl/sdlplatform.h"

#include "test_d3d7_fixture.h"

#include <memory>

namespace
{

struct StateCase
{
    const char* pszName;
    int nBlend;
    int nBits;
    bool bMasked;
    // Expected afterwards (-1: left as set before the case).
    int nStencilTest;
    int nSrc;
    int nDest;
    int nAlphaTest;
    int nStencilFunc;
    int nStencilPass;
    bool bStencilCleared;
    bool bStencilUsed;
};

} // namespace

// Every combination the table distinguishes: blending, additive, an unknown blend mode, the
// colour left unchanged, stencil writing (with its alpha test), stencil masking and the stencil
// clear bit.
TEST_F(D3D7Test, RenderStateTable)
{
    const StateCase aCases[] = {
        {"alpha blend", 0, 1, false, 0, BF_SRC_ALPHA, BF_INV_SRC_ALPHA, 0, -1, -1, false, false},
        {"additive", 1, 1, false, 0, BF_SRC_ALPHA, BF_ONE, 0, -1, -1, false, false},
        {"unknown blend keeps the factors", 7, 1, false, 0, BF_DEST_COLOR, BF_SRC_COLOR, 0, -1, -1,
         false, false},
        {"no colour", 0, 0, false, 0, BF_ZERO, BF_ONE, 0, -1, -1, false, false},
        {"write stencil", 0, 2, false, 1, BF_ZERO, BF_ONE, 1, CMP_ALWAYS, SOP_REPLACE, false, true},
        {"write stencil over colour", 1, 3, true, 1, BF_SRC_ALPHA, BF_ONE, 1, CMP_ALWAYS,
         SOP_REPLACE, false, true},
        {"masked", 0, 1, true, 1, BF_SRC_ALPHA, BF_INV_SRC_ALPHA, 0, CMP_EQUAL, SOP_KEEP, false,
         false},
        {"clear stencil first", 0, 5, false, 0, BF_SRC_ALPHA, BF_INV_SRC_ALPHA, 0, -1, -1, true,
         false},
    };
    setWindowMode(VF_ZBUFFER);
    RecordingRenderDevice* pDevice = device();
    ASSERT_NE(nullptr, pDevice);
    for (const StateCase& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        // Distinct values to see what the case leaves alone.
        ASSERT_EQ(RENDER_OK, pDevice->setRenderState(RS_BLEND_SRC, BF_DEST_COLOR));
        ASSERT_EQ(RENDER_OK, pDevice->setRenderState(RS_BLEND_DEST, BF_SRC_COLOR));
        ASSERT_EQ(RENDER_OK, pDevice->setRenderState(RS_STENCIL_FUNC, CMP_NEVER));
        ASSERT_EQ(RENDER_OK, pDevice->setRenderState(RS_STENCIL_OP_PASS, SOP_INVERT));
        m_pDriver->setStencilUsed(false);
        m_pDriver->setBlendMode(c.nBlend);
        m_pDriver->setStateBits(c.nBits);
        m_pDriver->setStencilMasked(c.bMasked);
        m_pDriver->setStatesDirty(true);
        log().clear();

        m_pDriver->applyRenderStates();

        EXPECT_EQ((uint32_t)c.nStencilTest, pDevice->getRenderState(RS_STENCIL_TEST));
        EXPECT_EQ((uint32_t)c.nSrc, pDevice->getRenderState(RS_BLEND_SRC));
        EXPECT_EQ((uint32_t)c.nDest, pDevice->getRenderState(RS_BLEND_DEST));
        EXPECT_EQ((uint32_t)c.nAlphaTest, pDevice->getRenderState(RS_ALPHA_TEST));
        EXPECT_EQ(c.nStencilFunc < 0 ? (uint32_t)CMP_NEVER : (uint32_t)c.nStencilFunc,
                  pDevice->getRenderState(RS_STENCIL_FUNC));
        EXPECT_EQ(c.nStencilPass < 0 ? (uint32_t)SOP_INVERT : (uint32_t)c.nStencilPass,
                  pDevice->getRenderState(RS_STENCIL_OP_PASS));
        if (c.nStencilFunc >= 0)
        {
            EXPECT_EQ(1u, pDevice->getRenderState(RS_STENCIL_READ_MASK));
            EXPECT_EQ(1u, pDevice->getRenderState(RS_STENCIL_REF));
            EXPECT_EQ(pDevice->getRenderState(RS_STENCIL_OP_PASS),
                      pDevice->getRenderState(RS_STENCIL_OP_FAIL));
            EXPECT_EQ(pDevice->getRenderState(RS_STENCIL_OP_PASS),
                      pDevice->getRenderState(RS_STENCIL_OP_DEPTH_FAIL));
        }
        if (c.nAlphaTest)
        {
            EXPECT_EQ((uint32_t)CMP_GREATER, pDevice->getRenderState(RS_ALPHA_TEST_FUNC));
            EXPECT_EQ(0u, pDevice->getRenderState(RS_ALPHA_TEST_REF));
        }
        const RenderRecord* pClear = log().findLast(CALL_CLEAR);
        EXPECT_EQ(c.bStencilCleared, pClear != nullptr);
        if (pClear)
        {
            EXPECT_EQ((uint32_t)RenderDevice::CLEAR_STENCIL, pClear->nClearFlags);
        }
        EXPECT_EQ(c.bStencilUsed, m_pDriver->isStencilUsed());
        EXPECT_FALSE(m_pDriver->areStatesDirty());

        // Clean states are not sent again.
        log().clear();
        m_pDriver->applyRenderStates();
        EXPECT_EQ(0, log().getCount());
    }
}

// The same sprite states twice in a row reach the device once.
TEST_F(D3D7Test, StatesAreSentOnlyWhenASpriteChangesThem)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(8, 8, 0xFFFFFF);
    RIR::SmartPtr<Sprite> pFirst = new Sprite(pImage, 0, 0, 0);
    RIR::SmartPtr<Sprite> pSecond = new Sprite(pImage, 20, 0, 0);
    RIR::SmartPtr<Sprite> pAdditive = new Sprite(pImage, 40, 0, 0);
    pAdditive->setBlendMode(SBM_ADDITIVE);
    addMode({pFirst, pSecond, pAdditive});
    renderFrame();

    int nBlendSets = 0;
    for (const RenderRecord* pRecord : log().find(CALL_SET_RENDER_STATE))
        nBlendSets += pRecord->nState == RS_BLEND_DEST ? 1 : 0;
    // First sprite, additive sprite, and the borders' states are not needed in a window.
    EXPECT_EQ(2, nBlendSets);
    ASSERT_EQ(3u, draws().size());
    EXPECT_EQ((uint32_t)BF_INV_SRC_ALPHA, draws()[1]->state.anRenderState[RS_BLEND_DEST]);
    EXPECT_EQ((uint32_t)BF_ONE, draws()[2]->state.anRenderState[RS_BLEND_DEST]);
}

// After a mode set the device draws sprites: no depth test, culling or lighting, texture times
// vertex colour, blending on, identity view; the viewport is the whole picture and the platform
// maps the pointer for the new mode.
TEST_F(D3D7Test, ModeSetGivesTheSpriteStatesAndTellsThePlatform)
{
    // The platform owns the driver from here on; the fixture's pointer is handed over.
    std::unique_ptr<SDLPlatform> pPlatform(new SDLPlatform());
    RecordingD3D7Driver* pDriver = m_pDriver.release();
    pPlatform->setVideoDriver(pDriver);
    pDriver->m_ptDesktop = Point(1280, 800);
    pDriver->m_lListedModes.append(Point(1280, 800));

    ASSERT_TRUE(pDriver->setVideoMode(800, 600, VF_FULLSCREEN));
    RecordingRenderDevice* pDevice = device();
    ASSERT_NE(nullptr, pDevice);
    const RenderRecord* pMode = log().findLast(CALL_SET_MODE);
    ASSERT_NE(nullptr, pMode);
    EXPECT_EQ(1280, pMode->mode.nWidth);
    EXPECT_EQ(800, pMode->mode.nHeight);
    EXPECT_TRUE(pMode->mode.bFullscreen);
    EXPECT_FALSE(pMode->mode.bStencil);

    const struct
    {
        RenderState eState;
        uint32_t nValue;
    } aRender[] = {{RS_DEPTH_TEST, 0},
                   {RS_CULL, CULL_NONE},
                   {RS_LIGHTING, 0},
                   {RS_PERSPECTIVE_TEXTURES, 0},
                   {RS_BLEND, 1}};
    for (const auto& s : aRender)
        EXPECT_EQ(s.nValue, pDevice->getRenderState(s.eState)) << renderStateName(s.eState);
    const struct
    {
        StageState eState;
        uint32_t nValue;
    } aStage[] = {{TS_COLOR_OP, TEXOP_MODULATE},   {TS_COLOR_ARG1, TEXARG_TEXTURE},
                  {TS_COLOR_ARG2, TEXARG_DIFFUSE}, {TS_ALPHA_OP, TEXOP_MODULATE},
                  {TS_ALPHA_ARG1, TEXARG_TEXTURE}, {TS_ALPHA_ARG2, TEXARG_DIFFUSE}};
    for (const auto& s : aStage)
        EXPECT_EQ(s.nValue, pDevice->getStageState(s.eState)) << stageStateName(s.eState);
    EXPECT_TRUE(pDevice->getTransform(TRANSFORM_VIEW).isIdentity());
    EXPECT_TRUE(pDriver->getSpriteMatrix().isIdentity());
    const RenderViewport whole = {0, 0, 1280, 800, 0.0f, 1.0f};
    EXPECT_EQ(whole, pDevice->getViewport());
    EXPECT_EQ(32, pDriver->getBPP());

    // The picture starts (1280 - 1066) / 2 pixels in, at 800 / 600 physical pixels per pixel.
    EXPECT_EQ(Point(107, 0), pPlatform->getMouseOffset());
    EXPECT_FLOAT_EQ(800.0f / 600.0f, pPlatform->getMouseScale().x);
    pPlatform.reset();
}

// A clear always clears the colour (its alpha unused); the stencil only when the mode has one,
// so that a clear without a stencil buffer is never refused.
TEST_F(D3D7Test, ClearTakesTheStencilOnlyWhenThereIsOne)
{
    const struct
    {
        int nFlags;
        uint32_t nExpected;
    } aCases[] = {{0, RenderDevice::CLEAR_COLOR},
                  {VF_ZBUFFER, RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL}};
    for (const auto& c : aCases)
    {
        setWindowMode(c.nFlags);
        m_pDriver->clear(Color(255, 0, 0, 0));
        m_pDriver->fillScreen(Color(1, 2, 3, 255));
        std::vector<const RenderRecord*> lClears = log().find(CALL_CLEAR);
        ASSERT_EQ(2u, lClears.size());
        EXPECT_EQ(c.nExpected, lClears[0]->nClearFlags);
        EXPECT_EQ(0x00FF0000u, lClears[0]->nColor);
        EXPECT_EQ(0u, lClears[0]->nStencil);
        EXPECT_EQ(RENDER_OK, lClears[0]->eResult);
        EXPECT_EQ(0x00010203u, lClears[1]->nColor);
    }
}

// A screen mode with the clear flag is drawn on black.
TEST_F(D3D7Test, ClearScreenModesClearToOpaqueBlackFirst)
{
    setWindowMode();
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
    addMode({pSprite}, 0x23);
    renderFrame();
    const std::vector<std::string> lNames = callNames();
    ASSERT_LE(3u, lNames.size());
    EXPECT_EQ((std::vector<std::string>{"testCooperativeLevel", "beginScene", "clear"}),
              std::vector<std::string>(lNames.begin(), lNames.begin() + 3));
    EXPECT_EQ(0u, log().findLast(CALL_CLEAR)->nColor);
}

// Without a stencil buffer on offer a mode that asks for one is refused, and the attempt says so.
TEST_F(D3D7Test, StencilThatCannotBeHadFailsTheMode)
{
    m_display.setStencilAvailable(false);
    EXPECT_FALSE(m_pDriver->setVideoMode(800, 600, VF_ZBUFFER));
    EXPECT_EQ(1, m_pDriver->m_nNoModeReports);
    EXPECT_NE(std::string::npos, m_logFile.text().find("D: Attach failed : 0x80DD0011\n"));
    EXPECT_EQ(nullptr, m_pDriver->getDevice());
}

// With no mode at all the user is told and the program ends with status 1.
TEST_F(D3D7Test, NoModeAtAllEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    m_pDriver->m_bCatchNoMode = false;
    log().failCall(CALL_SET_MODE, RENDER_ERR_MODE_FAILED, -1);
    EXPECT_EXIT(m_pDriver->setVideoMode(800, 600, 0), ::testing::ExitedWithCode(1),
                "Initialization error.*Can't set your video mode to the appropriate resolution.*"
                "Please update your video drivers and/or video card.");
}

// "--pw" names a parent window that cannot be used here: read, logged, ignored, even with its
// words missing.
TEST_F(D3D7Test, ParentWindowWordsAreIgnored)
{
    for (const char* pszTail : {"--pw 1 2", "--pw 7", "--pw"})
    {
        m_pDriver->host()->m_lArguments = RIR::String(pszTail).split(" ");
        m_pDriver->host()->m_lArguments.append("--hidden");
        EXPECT_TRUE(m_pDriver->setVideoMode(800, 600, 0)) << pszTail;
        EXPECT_NE(nullptr, m_pDriver->getDevice());
    }
    EXPECT_NE(std::string::npos, m_logFile.text().find("D: Parent window 1 2 ignored"));
    EXPECT_NE(std::string::npos, m_logFile.text().find("D: Parent window 7 0 ignored"));
}

// Shutdown releases every texture while the device still runs, then the display, then SDL video;
// the names and the plain operations.
TEST_F(D3D7Test, ShutdownReleasesTexturesBeforeTheDevice)
{
    setWindowMode();
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(300, 100, 0x808080), 0, 0, 0);
    addMode({pSprite});
    renderFrame();
    EXPECT_EQ(4, device()->getLiveTextureCount());
    log().clear();

    m_pDriver->shutdown();
    EXPECT_EQ((std::vector<std::string>{"deleteTexture", "deleteTexture", "deleteTexture",
                                        "deleteTexture", "release"}),
              callNames());
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO));
    EXPECT_EQ(nullptr, m_pDriver->getDisplay());
    EXPECT_EQ(0, m_pDriver->getBPP());
    m_pDriver->shutdown();

    EXPECT_STREQ("Direct3D 7 Video Driver v1.0", m_pDriver->getName());
    EXPECT_TRUE(m_pDriver->isAccelerated());
}
