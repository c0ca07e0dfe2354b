// The Direct3D 7 video driver when the display goes wrong, on a recording display: frames skipped,
// modes rebuilt, pictures restored, and the stencil of the previous frame cleared.
#include "test_d3d7_fixture.h"

namespace
{

enum Outcome
{
    DRAWN,   // the frame was drawn on the display as it was
    SKIPPED, // nothing drawn, nothing presented
    REBUILT  // the mode was set again, then the frame was drawn
};

} // namespace

// beginScene's decisions. A windowed display whose display mode changed is rebuilt at once; a
// full-screen display that is not ours, or a changed mode in full screen, skips the frame; a
// scene that cannot begin rebuilds the mode only while the application is fully active.
TEST_F(D3D7Test, LostDisplaysSkipOrRebuild)
{
    const int FULL = SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    const struct
    {
        const char* pszName;
        bool bFullscreen;
        bool bWrongMode;
        bool bDisplayLost;
        bool bBeginFails;
        int nAppState;
        Outcome eOutcome;
    } aCases[] = {
        {"all well", false, false, false, false, FULL, DRAWN},
        {"window, display mode changed", false, true, false, false, FULL, REBUILT},
        {"full screen, display mode changed", true, true, false, false, FULL, SKIPPED},
        {"full screen not ours", true, false, true, false, FULL, SKIPPED},
        {"scene refused, fully active", false, false, false, true, FULL, REBUILT},
        {"scene refused, no input focus", false, false, false, true,
         SDL_APPMOUSEFOCUS | SDL_APPACTIVE, SKIPPED},
        {"scene refused, iconified", true, false, false, true,
         SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS, SKIPPED},
    };
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
    addMode({pSprite});
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        // Full screen on an 800 x 600 desktop (no letterbox); windows on a larger one.
        m_pDriver->m_ptDesktop = c.bFullscreen ? Point(800, 600) : Point(1920, 1080);
        ASSERT_TRUE(m_pDriver->setVideoMode(800, 600, c.bFullscreen ? VF_FULLSCREEN : 0));
        ASSERT_EQ(c.bFullscreen, m_pDriver->isFullscreen());
        renderFrame(); // the picture's texture exists now
        const int nDisplays = m_pDriver->m_nDisplaysMade;
        const int nGeneration = m_pDriver->getTextureGeneration();
        m_display.setWrongMode(c.bWrongMode);
        m_display.setDisplayLost(c.bDisplayLost);
        if (c.bBeginFails)
            log().failCall(CALL_BEGIN_SCENE, RENDER_ERR_FAILED);
        m_pDriver->m_nAppState = c.nAppState;
        log().clear();

        renderFrame();

        const int nDraws = log().count(CALL_DRAW_PRIMITIVE);
        const int nPresents = log().count(CALL_PRESENT);
        const int nModes = log().count(CALL_SET_MODE);
        switch (c.eOutcome)
        {
        case DRAWN:
            EXPECT_EQ(1, nDraws);
            EXPECT_EQ(1, nPresents);
            EXPECT_EQ(0, nModes);
            break;
        case SKIPPED:
            EXPECT_EQ(0, nDraws);
            EXPECT_EQ(0, nPresents);
            EXPECT_EQ(0, nModes);
            EXPECT_EQ(nDisplays, m_pDriver->m_nDisplaysMade);
            break;
        case REBUILT:
            EXPECT_EQ(1, nDraws);
            EXPECT_EQ(1, nPresents);
            EXPECT_EQ(1, nModes);
            EXPECT_EQ(nDisplays + 1, m_pDriver->m_nDisplaysMade);
            // Every texture went with the old device and is uploaded again on use.
            EXPECT_GT(m_pDriver->getTextureGeneration(), nGeneration);
            EXPECT_EQ(1, log().count(CALL_CREATE_TEXTURE));
            EXPECT_EQ(c.bFullscreen, m_pDriver->isFullscreen());
            break;
        }
        log().clearFailures();
        m_display.setDisplayLost(false);
        m_display.setWrongMode(false);
    }
}

// A rebuilt mode that cannot begin a scene either is the end.
TEST_F(D3D7Test, RebuildThatCannotBeginRaises)
{
    setWindowMode();
    log().failCall(CALL_BEGIN_SCENE, RENDER_ERR_FAILED, 2);
    try
    {
        m_pDriver->renderFrame();
        ADD_FAILURE() << "nothing raised";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Couldn't reset video mode", e.getMessage());
    }
    EXPECT_EQ(1, log().count(CALL_SET_MODE));
}

// Presenting: asked again while the previous frame is still being drawn; a lost picture is
// restored and the frame dropped, and the next frame is drawn as usual.
TEST_F(D3D7Test, PresentRetriesAndRestores)
{
    setWindowMode();
    log().failCall(CALL_PRESENT, RENDER_ERR_STILL_DRAWING, 2);
    m_pDriver->renderFrame();
    EXPECT_EQ(3, log().count(CALL_PRESENT));
    EXPECT_EQ(0, log().count(CALL_RESTORE));

    log().clear();
    log().failCall(CALL_PRESENT, RENDER_ERR_SURFACE_LOST);
    m_pDriver->renderFrame();
    EXPECT_EQ((std::vector<std::string>{"testCooperativeLevel", "beginScene", "endScene", "present",
                                        "restore"}),
              callNames());

    log().clear();
    m_pDriver->renderFrame();
    EXPECT_EQ(
        (std::vector<std::string>{"testCooperativeLevel", "beginScene", "endScene", "present"}),
        callNames());
}

// A device that never stops "still drawing" drops the frame instead of hanging.
TEST_F(D3D7Test, PresentGivesUpOnADeviceThatNeverFinishes)
{
    setWindowMode();
    log().failCall(CALL_PRESENT, RENDER_ERR_STILL_DRAWING, -1);
    m_pDriver->renderFrame();
    EXPECT_EQ(1000, log().count(CALL_PRESENT));
}

// A frame that wrote the stencil makes the next one start with a cleared stencil, once.
TEST_F(D3D7Test, StencilWrittenInOneFrameIsClearedAtTheNext)
{
    setWindowMode(VF_ZBUFFER);
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(8, 8, 0xFFFFFF);
    RIR::SmartPtr<Sprite> pMask = new Sprite(pImage, 0, 0, 0);
    pMask->setRenderFlags(SRF_WRITE_STENCIL);
    RIR::SmartPtr<Sprite> pMasked = new Sprite(pImage, 0, 0, 0);
    pMasked->setStencilMasked(true);
    addMode({pMask, pMasked});
    renderFrame();
    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(2u, lDraws.size());
    EXPECT_EQ((uint32_t)CMP_ALWAYS, lDraws[0]->state.anRenderState[RS_STENCIL_FUNC]);
    EXPECT_EQ((uint32_t)BF_ZERO, lDraws[0]->state.anRenderState[RS_BLEND_SRC]);
    EXPECT_EQ((uint32_t)CMP_EQUAL, lDraws[1]->state.anRenderState[RS_STENCIL_FUNC]);
    EXPECT_EQ(1u, lDraws[1]->state.anRenderState[RS_STENCIL_TEST]);
    EXPECT_EQ(0, log().count(CALL_CLEAR));

    pMask->setVisible(false);
    log().clear();
    renderFrame();
    const std::vector<std::string> lNames = callNames();
    ASSERT_LE(3u, lNames.size());
    EXPECT_EQ("clear", lNames[2]);
    EXPECT_EQ((uint32_t)RenderDevice::CLEAR_STENCIL, log().findLast(CALL_CLEAR)->nClearFlags);

    log().clear();
    renderFrame();
    EXPECT_EQ(0, log().count(CALL_CLEAR));
}

// suspend, resume and a mode change drop every texture; they come back on use.
TEST_F(D3D7Test, SuspendAndResumeDropTextures)
{
    setWindowMode();
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
    addMode({pSprite});
    renderFrame();
    for (int i = 0; i < 3; ++i)
    {
        if (i == 0)
            m_pDriver->suspend();
        else if (i == 1)
            m_pDriver->resume();
        else
            m_pDriver->onModeChanged();
        EXPECT_EQ(0, device()->getLiveTextureCount()) << "step " << i;
        log().clear();
        renderFrame();
        EXPECT_EQ(1, log().count(CALL_CREATE_TEXTURE)) << "step " << i;
    }
}
