// The recording display and device: what tests of the 3-D video driver rely on.
#include "platform/gl/recordingrenderdisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<RecordingRenderDisplay>, "one log per display");
static_assert(std::has_virtual_destructor_v<RenderDisplay>, "drivers delete displays as such");
static_assert(std::has_virtual_destructor_v<RenderTexture>, "texture cells delete textures");

namespace
{

DisplayMode windowMode(int nWidth, int nHeight, int nDepth = 0, bool bStencil = false)
{
    DisplayMode mode = DisplayMode();
    mode.nWidth = nWidth;
    mode.nHeight = nHeight;
    mode.nDepth = nDepth;
    mode.bStencil = bStencil;
    return mode;
}

RenderVertex vertex(float fX, float fY, uint32_t nColor, float fU = 0.0f, float fV = 0.0f)
{
    return RenderVertex{fX, fY, 0.0f, nColor, fU, fV};
}

class RecordingDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(800, 600)));
        m_pDevice = m_display.getRecordingDevice();
        ASSERT_NE(nullptr, m_pDevice);
        m_display.getLog().clear();
    }

    // A new texture, owned by the test.
    std::unique_ptr<RenderTexture> makeTexture(int nWidth, int nHeight, bool bAlpha)
    {
        RenderTexture* pTexture = nullptr;
        EXPECT_EQ(RENDER_OK, m_pDevice->createTexture(nWidth, nHeight, bAlpha, &pTexture));
        return std::unique_ptr<RenderTexture>(pTexture);
    }

    std::vector<std::string> lines() const { return m_display.getLog().getLines(); }

    RecordingRenderDisplay m_display;
    RecordingRenderDevice* m_pDevice = nullptr;
};

TEST_F(RecordingDeviceTest, ModeGrantsTheDisplayDepthAndStartsWithTheDefaults)
{
    EXPECT_EQ(32, m_display.getBitsPerPixel());
    m_display.setDisplayBpp(16);
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(640, 480)));
    EXPECT_EQ(16, m_display.getBitsPerPixel());
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(640, 480, 24)));
    EXPECT_EQ(24, m_display.getBitsPerPixel());

    RenderDevice* pDevice = m_display.getDevice();
    EXPECT_EQ(640, pDevice->getWidth());
    EXPECT_FALSE(pDevice->hasStencilBuffer());
    EXPECT_TRUE((RenderViewport{0, 0, 640, 480, 0.0f, 1.0f}) == pDevice->getViewport());
    EXPECT_EQ((uint32_t)CULL_NONE, pDevice->getRenderState(RS_CULL));
    EXPECT_EQ(0u, pDevice->getRenderState(RS_DEPTH_TEST));
    EXPECT_EQ(0u, pDevice->getRenderState(RS_BLEND));
    EXPECT_EQ((uint32_t)TEXOP_MODULATE, pDevice->getStageState(TS_COLOR_OP));
    EXPECT_EQ((uint32_t)TEXOP_MODULATE, pDevice->getStageState(TS_ALPHA_OP));
    EXPECT_EQ((uint32_t)TEXFILTER_LINEAR, pDevice->getStageState(TS_MIN_FILTER));
    EXPECT_EQ((uint32_t)TEXADDR_CLAMP, pDevice->getStageState(TS_ADDRESS_U));
    EXPECT_TRUE(pDevice->getTransform(TRANSFORM_VIEW).isIdentity());
    EXPECT_EQ(nullptr, pDevice->getTexture());
    EXPECT_EQ((std::vector<std::string>{"setMode 640x480x0 window", "setMode 640x480x24 window"}),
              lines());
}

TEST_F(RecordingDeviceTest, StencilIsGrantedOnlyWhenAvailable)
{
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(800, 600, 32, true)));
    EXPECT_TRUE(m_display.getDevice()->hasStencilBuffer());

    m_display.setStencilAvailable(false);
    EXPECT_EQ(RENDER_ERR_NO_STENCIL, m_display.setMode(windowMode(800, 600, 32, true)));
    EXPECT_FALSE(m_display.hasMode());
    EXPECT_EQ(nullptr, m_display.getDevice());
    EXPECT_EQ(RENDER_ERR_NO_DEVICE, m_display.present());
    EXPECT_EQ("setMode 800x600x32 window stencil -> NO_STENCIL", lines()[1]);
}

TEST_F(RecordingDeviceTest, FrameIsRecordedInOrderWithItsDrawStates)
{
    std::unique_ptr<RenderTexture> pTexture = makeTexture(256, 64, true);
    RenderVertex aQuad[4] = {vertex(0, 0, 0xFF102030, 0, 0), vertex(256, 0, 0xFF102030, 1, 0),
                             vertex(0, 64, 0xFF102030, 0, 1), vertex(256, 64, 0xFF102030, 1, 1)};
    RenderVertex aFan[3] = {vertex(0, 0, 0xFF000000), vertex(10, 0, 0xFF000000),
                            vertex(10, 10, 0xFF000000)};
    RenderMatrix view = RenderMatrix::translation(5.0f, 6.0f, 0.0f);

    EXPECT_EQ(RENDER_OK, m_display.testCooperativeLevel());
    EXPECT_EQ(RENDER_OK, m_pDevice->beginScene());
    EXPECT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND_SRC, BF_SRC_ALPHA));
    EXPECT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND_DEST, BF_INV_SRC_ALPHA));
    EXPECT_EQ(RENDER_OK, m_pDevice->setTransform(TRANSFORM_VIEW, view));
    EXPECT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture.get()));
    EXPECT_EQ(RENDER_OK, m_pDevice->setStageState(TS_MAG_FILTER, TEXFILTER_LINEAR));
    EXPECT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, aQuad, 4));
    EXPECT_EQ(RENDER_OK, m_pDevice->setTexture(nullptr));
    EXPECT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND_DEST, BF_ONE));
    EXPECT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aFan, 3));
    EXPECT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_EQ(RENDER_OK, m_display.present());

    EXPECT_EQ((std::vector<std::string>{
                  "createTexture 256x64 alpha id 1",
                  "testCooperativeLevel",
                  "beginScene",
                  "setRenderState BLEND_SRC SRC_ALPHA",
                  "setRenderState BLEND_DEST INV_SRC_ALPHA",
                  "setTransform VIEW [1 0 0 0; 0 1 0 0; 0 0 1 0; 5 6 0 1]",
                  "setTexture 1",
                  "setStageState MAG_FILTER LINEAR",
                  "drawPrimitive TRIANGLE_STRIP 4 texture 1",
                  "setTexture none",
                  "setRenderState BLEND_DEST ONE",
                  "drawPrimitive TRIANGLE_FAN 3 texture none",
                  "endScene",
                  "present",
              }),
              lines());

    // Each draw keeps its vertices and the states of its moment.
    std::vector<const RenderRecord*> lDraws = m_display.getLog().find(CALL_DRAW_PRIMITIVE);
    ASSERT_EQ(2u, lDraws.size());
    const RenderRecord& quad = *lDraws[0];
    ASSERT_EQ(4u, quad.lVertices.size());
    EXPECT_EQ(256.0f, quad.lVertices[3].x);
    EXPECT_EQ(1.0f, quad.lVertices[3].v);
    EXPECT_EQ(0xFF102030u, quad.lVertices[1].nColor);
    EXPECT_EQ(1, quad.state.nTextureId);
    EXPECT_EQ((uint32_t)BF_INV_SRC_ALPHA, quad.state.anRenderState[RS_BLEND_DEST]);
    EXPECT_TRUE(quad.state.aTransform[TRANSFORM_VIEW] == view);
    EXPECT_TRUE(quad.state.bInScene);
    const RenderRecord& fan = *lDraws[1];
    EXPECT_EQ(0, fan.state.nTextureId);
    EXPECT_EQ((uint32_t)BF_ONE, fan.state.anRenderState[RS_BLEND_DEST]);
    EXPECT_EQ(fan.state.anRenderState[RS_BLEND_DEST], m_pDevice->getRenderState(RS_BLEND_DEST));
}

TEST_F(RecordingDeviceTest, RefusedCallsChangeNothingAndAreRecorded)
{
    RecordingRenderDisplay other;
    ASSERT_EQ(RENDER_OK, other.setMode(windowMode(64, 64)));
    RenderTexture* pForeign = nullptr;
    ASSERT_EQ(RENDER_OK, other.getDevice()->createTexture(4, 4, true, &pForeign));
    std::unique_ptr<RenderTexture> pForeignOwner(pForeign);
    RenderVertex aTwo[2] = {vertex(0, 0, 0), vertex(1, 1, 0)};
    RenderVertex aThree[3] = {vertex(0, 0, 0), vertex(1, 0, 0), vertex(1, 1, 0)};
    RenderVertex aFour[4] = {vertex(0, 0, 0), vertex(1, 0, 0), vertex(1, 1, 0), vertex(0, 1, 0)};
    RenderTexture* pTexture = reinterpret_cast<RenderTexture*>(1);

    const struct
    {
        const char* pszWhat;
        RenderResult eExpected;
        RenderResult eResult;
    } aCases[] = {
        {"unknown blend factor", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->setRenderState(RS_BLEND_SRC, BLEND_FACTOR_COUNT)},
        {"boolean out of range", RENDER_ERR_BAD_ARGUMENT, m_pDevice->setRenderState(RS_BLEND, 2)},
        {"alpha reference above 255", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->setRenderState(RS_ALPHA_TEST_REF, 256)},
        {"unknown stage op", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->setStageState(TS_COLOR_OP, TEXTURE_OP_COUNT)},
        {"texture of another device", RENDER_ERR_BAD_ARGUMENT, m_pDevice->setTexture(pForeign)},
        {"draw outside a scene", RENDER_ERR_BAD_STATE,
         m_pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aThree, 3)},
        {"end without begin", RENDER_ERR_BAD_STATE, m_pDevice->endScene()},
        {"viewport beyond the picture", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->setViewport(RenderViewport{700, 0, 101, 600, 0.0f, 1.0f})},
        {"texture not a power of two", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->createTexture(300, 64, true, &pTexture)},
        {"texture above the largest size", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->createTexture(4096, 64, true, &pTexture)},
        {"clear of nothing", RENDER_ERR_BAD_ARGUMENT, m_pDevice->clear(0, 0, 0.0f, 0)},
        {"begin", RENDER_OK, m_pDevice->beginScene()},
        {"begin twice", RENDER_ERR_BAD_STATE, m_pDevice->beginScene()},
        {"two vertices", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, aTwo, 2)},
        {"list of four", RENDER_ERR_BAD_ARGUMENT,
         m_pDevice->drawPrimitive(PRIM_TRIANGLE_LIST, aFour, 4)},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.eExpected, c.eResult) << c.pszWhat;

    EXPECT_EQ(nullptr, pTexture);
    EXPECT_EQ((uint32_t)BF_ONE, m_pDevice->getRenderState(RS_BLEND_SRC));
    EXPECT_EQ(0u, m_pDevice->getRenderState(RS_ALPHA_TEST_REF));
    EXPECT_EQ(nullptr, m_pDevice->getTexture());
    EXPECT_EQ(800, m_pDevice->getViewport().nWidth);
    EXPECT_EQ(15, m_display.getLog().getCount());
    EXPECT_EQ("setRenderState BLEND_SRC 8 -> BAD_ARGUMENT", lines()[0]);
    EXPECT_EQ("drawPrimitive TRIANGLE_FAN 3 texture none -> BAD_STATE", lines()[5]);
}

TEST_F(RecordingDeviceTest, ScheduledFailuresAnswerInPlaceOfTheCall)
{
    RecordingRenderLog& log = m_display.getLog();
    // Once, after one normal call.
    log.failCall(CALL_BEGIN_SCENE, RENDER_ERR_FAILED, 1, 1);
    EXPECT_EQ(RENDER_OK, m_pDevice->beginScene());
    EXPECT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_EQ(RENDER_ERR_FAILED, m_pDevice->beginScene());
    EXPECT_FALSE(m_pDevice->isInScene());
    EXPECT_EQ(RENDER_OK, m_pDevice->beginScene());
    EXPECT_EQ(RENDER_OK, m_pDevice->endScene());

    // Every call from now on until cleared; the state stays.
    log.failCall(CALL_SET_RENDER_STATE, RENDER_ERR_OUT_OF_MEMORY, -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RENDER_ERR_OUT_OF_MEMORY, m_pDevice->setRenderState(RS_BLEND, 1));
    EXPECT_EQ(0u, m_pDevice->getRenderState(RS_BLEND));
    log.clearFailures();
    EXPECT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND, 1));

    // Textures and the display too.
    log.failCall(CALL_CREATE_TEXTURE, RENDER_ERR_OUT_OF_MEMORY);
    RenderTexture* pTexture = reinterpret_cast<RenderTexture*>(1);
    EXPECT_EQ(RENDER_ERR_OUT_OF_MEMORY, m_pDevice->createTexture(64, 64, true, &pTexture));
    EXPECT_EQ(nullptr, pTexture);
    log.failCall(CALL_PRESENT, RENDER_ERR_STILL_DRAWING, 2);
    EXPECT_EQ(RENDER_ERR_STILL_DRAWING, m_display.present());
    EXPECT_EQ(RENDER_ERR_STILL_DRAWING, m_display.present());
    EXPECT_EQ(RENDER_OK, m_display.present());
    EXPECT_EQ("createTexture 64x64 alpha -> OUT_OF_MEMORY",
              log.findLast(CALL_CREATE_TEXTURE)->toString());
    EXPECT_EQ(3, log.count(CALL_PRESENT));
}

TEST_F(RecordingDeviceTest, LostAndChangedDisplaysAreReportedUntilTheModeIsSetAgain)
{
    m_display.setDisplayLost(true);
    EXPECT_EQ(RENDER_ERR_DISPLAY_LOST, m_display.testCooperativeLevel());
    EXPECT_EQ(RENDER_ERR_DISPLAY_LOST, m_pDevice->beginScene());
    EXPECT_FALSE(m_pDevice->isInScene());
    EXPECT_EQ(RENDER_ERR_SURFACE_LOST, m_display.present());
    EXPECT_EQ(RENDER_OK, m_display.restore());
    EXPECT_EQ(RENDER_ERR_DISPLAY_LOST, m_display.testCooperativeLevel());
    m_display.setDisplayLost(false);
    EXPECT_EQ(RENDER_OK, m_display.testCooperativeLevel());

    m_display.setWrongMode(true);
    EXPECT_EQ(RENDER_ERR_WRONG_MODE, m_display.testCooperativeLevel());
    EXPECT_EQ(RENDER_ERR_WRONG_MODE, m_display.testCooperativeLevel());
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(800, 600)));
    EXPECT_EQ(RENDER_OK, m_display.testCooperativeLevel());

    m_display.setDisplayLost(true);
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(800, 600)));
    EXPECT_FALSE(m_display.isDisplayLost());
    EXPECT_EQ(RENDER_OK, m_display.getDevice()->beginScene());

    m_display.release();
    EXPECT_EQ("release", m_display.getLog().getLines().back());
    EXPECT_EQ(RENDER_ERR_NO_DEVICE, m_display.testCooperativeLevel());
}

TEST_F(RecordingDeviceTest, ClearTakesTheColourEvenWithoutAStencilBuffer)
{
    // No stencil buffer in this mode: a colour-and-stencil clear is still a success.
    EXPECT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL,
                                          0x00FF0000, 0.0f, 0));
    EXPECT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_STENCIL, 0, 0.0f, 0));
    EXPECT_EQ((std::vector<std::string>{"clear COLOR|STENCIL 0x00FF0000 depth 0 stencil 0",
                                        "clear STENCIL 0x00000000 depth 0 stencil 0"}),
              lines());
}

TEST_F(RecordingDeviceTest, TexturesStartZeroAndKeepWhatIsUploaded)
{
    std::unique_ptr<RenderTexture> pAlpha = makeTexture(4, 2, true);
    std::unique_ptr<RenderTexture> pOpaque = makeTexture(2, 2, false);
    EXPECT_EQ(1, pAlpha->getId());
    EXPECT_EQ(2, pOpaque->getId());
    auto* pMemory = static_cast<MemoryRenderTexture*>(pAlpha.get());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(0u, pMemory->getTexel(x, y));
    // A texture without alpha reads alpha 1.
    EXPECT_EQ(0xFF000000u, static_cast<MemoryRenderTexture*>(pOpaque.get())->getTexel(1, 1));

    TextureLock lock;
    ASSERT_EQ(RENDER_OK, pAlpha->lock(&lock));
    EXPECT_EQ(32, lock.nBitsPerPixel);
    EXPECT_EQ(4, lock.nWidth);
    EXPECT_GE(lock.nPitch, 16);
    EXPECT_EQ(RenderTexture::alphaMask(), lock.nAlphaMask);
    EXPECT_EQ(RENDER_ERR_BAD_STATE, pAlpha->lock(&lock)) << "locked twice";
    // Bytes R, G, B, A in memory.
    uint8_t* pTexel = (uint8_t*)lock.pPixels + lock.nPitch + 2 * 4;
    pTexel[0] = 0x11;
    pTexel[1] = 0x22;
    pTexel[2] = 0x33;
    pTexel[3] = 0x80;
    ASSERT_EQ(RENDER_OK, pAlpha->unlock());
    EXPECT_EQ(RENDER_ERR_BAD_STATE, pAlpha->unlock());
    EXPECT_EQ(0x80112233u, pMemory->getTexel(2, 1));
    EXPECT_EQ(1, pMemory->getUploadCount());

    TextureLock opaqueLock;
    ASSERT_EQ(RENDER_OK, pOpaque->lock(&opaqueLock));
    EXPECT_EQ(0u, opaqueLock.nAlphaMask);
    ASSERT_EQ(RENDER_OK, pOpaque->unlock());
    pOpaque.reset();
    EXPECT_EQ((std::vector<std::string>{
                  "createTexture 4x2 alpha id 1", "createTexture 2x2 opaque id 2", "lockTexture 1",
                  "lockTexture 1 -> BAD_STATE", "unlockTexture 1", "unlockTexture 1 -> BAD_STATE",
                  "lockTexture 2", "unlockTexture 2", "deleteTexture 2"}),
              lines());
}

TEST_F(RecordingDeviceTest, DeletedTextureIsTakenOffTheDevice)
{
    std::unique_ptr<RenderTexture> pTexture = makeTexture(64, 64, true);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture.get()));
    EXPECT_EQ(1, m_pDevice->getLiveTextureCount());
    pTexture.reset();
    EXPECT_EQ(nullptr, m_pDevice->getTexture());
    EXPECT_EQ(0, m_pDevice->getState().nTextureId);
    EXPECT_EQ(0, m_pDevice->getLiveTextureCount());
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    RenderVertex aThree[3] = {vertex(0, 0, 0), vertex(1, 0, 0), vertex(1, 1, 0)};
    EXPECT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aThree, 3));
    EXPECT_EQ("drawPrimitive TRIANGLE_FAN 3 texture none", lines().back());
}

TEST_F(RecordingDeviceTest, TexturesOutlivingTheirModeAreLost)
{
    std::unique_ptr<RenderTexture> pOld = makeTexture(64, 64, true);
    TextureLock lock;
    ASSERT_EQ(RENDER_OK, pOld->lock(&lock));
    ASSERT_EQ(RENDER_OK, m_display.setMode(windowMode(800, 600)));
    m_pDevice = m_display.getRecordingDevice();
    m_display.getLog().clear();

    EXPECT_TRUE(pOld->isLost());
    EXPECT_EQ(nullptr, pOld->getDevice());
    EXPECT_EQ(RENDER_ERR_NO_DEVICE, pOld->unlock()) << "the lock ends all the same";
    EXPECT_FALSE(pOld->isLocked());
    EXPECT_EQ(RENDER_ERR_NO_DEVICE, pOld->lock(&lock));
    // The new device refuses it and it goes without a trace.
    EXPECT_EQ(RENDER_ERR_BAD_ARGUMENT, m_display.getDevice()->setTexture(pOld.get()));
    pOld.reset();
    std::unique_ptr<RenderTexture> pNew = makeTexture(64, 64, true);
    EXPECT_EQ(1, pNew->getId());

    // A texture may even outlive the display.
    std::unique_ptr<RecordingRenderDisplay> pDisplay(new RecordingRenderDisplay());
    ASSERT_EQ(RENDER_OK, pDisplay->setMode(windowMode(32, 32)));
    RenderTexture* pOrphan = nullptr;
    ASSERT_EQ(RENDER_OK, pDisplay->getDevice()->createTexture(8, 8, false, &pOrphan));
    pDisplay.reset();
    EXPECT_TRUE(pOrphan->isLost());
    delete pOrphan;
}

} // namespace
