// The null display on SDL's dummy video driver, and the choice of display.
#include "platform/gl/glrenderdisplay.h"
#include "platform/gl/nullrenderdisplay.h"
#include "platform/gl/renderdisplayfactory.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace
{

// Sets an environment variable for its lifetime (null: unset) and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_sName(pszName)
    {
        const char* pszOld = getenv(pszName);
        m_bHadValue = pszOld != nullptr;
        if (pszOld)
            m_sOld = pszOld;
        if (pszValue)
            setenv(pszName, pszValue, 1);
        else
            unsetenv(pszName);
    }
    ~ScopedEnv()
    {
        if (m_bHadValue)
            setenv(m_sName.c_str(), m_sOld.c_str(), 1);
        else
            unsetenv(m_sName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_sName;
    std::string m_sOld;
    bool m_bHadValue;
};

class NullDisplayTest : public ::testing::Test
{
protected:
    NullDisplayTest() : m_driver("SDL_VIDEODRIVER", "dummy"), m_renderer("DBD_RENDERER", nullptr) {}

    void SetUp() override { ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    ScopedEnv m_driver;
    ScopedEnv m_renderer;
};

TEST_F(NullDisplayTest, SetsAnSDLModeAndAcceptsAWholeFrame)
{
    NullRenderDisplay display;
    DisplayMode mode = DisplayMode();
    mode.nWidth = 320;
    mode.nHeight = 200;
    mode.nDepth = 32;
    ASSERT_EQ(RENDER_OK, display.setMode(mode));
    ASSERT_NE(nullptr, SDL_GetVideoSurface());
    EXPECT_EQ(320, SDL_GetVideoSurface()->w);
    EXPECT_EQ(32, display.getBitsPerPixel());
    EXPECT_FALSE(display.getDevice()->hasStencilBuffer());

    RenderDevice* pDevice = display.getDevice();
    RenderTexture* pRaw = nullptr;
    ASSERT_EQ(RENDER_OK, pDevice->createTexture(512, 64, true, &pRaw));
    std::unique_ptr<RenderTexture> pTexture(pRaw);
    TextureLock lock;
    ASSERT_EQ(RENDER_OK, pTexture->lock(&lock));
    ASSERT_NE(nullptr, lock.pPixels);
    EXPECT_EQ(0u, ((const uint32_t*)lock.pPixels)[511]);
    ASSERT_EQ(RENDER_OK, pTexture->unlock());

    RenderVertex aQuad[4] = {{0, 0, 0, 0xFFFFFFFF, 0, 0},
                             {10, 0, 0, 0xFFFFFFFF, 1, 0},
                             {0, 10, 0, 0xFFFFFFFF, 0, 1},
                             {10, 10, 0, 0xFFFFFFFF, 1, 1}};
    EXPECT_EQ(RENDER_OK, display.testCooperativeLevel());
    EXPECT_EQ(RENDER_OK, pDevice->beginScene());
    EXPECT_EQ(RENDER_OK,
              pDevice->clear(RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL, 0, 0.0f, 0));
    EXPECT_EQ(RENDER_OK, pDevice->setRenderState(RS_BLEND, 1));
    EXPECT_EQ(RENDER_OK, pDevice->setTexture(pTexture.get()));
    EXPECT_EQ(RENDER_OK, pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, aQuad, 4));
    EXPECT_EQ(RENDER_OK, pDevice->endScene());
    EXPECT_EQ(RENDER_OK, display.present());

    display.release();
    EXPECT_TRUE(pTexture->isLost());
    EXPECT_EQ(RENDER_ERR_NO_DEVICE, display.present());
}

TEST_F(NullDisplayTest, TheDummyDriverGetsTheNullDisplayUnlessToldOtherwise)
{
    std::unique_ptr<RenderDisplay> pDisplay(createRenderDisplay());
    EXPECT_STREQ("Null", pDisplay->getName());
    {
        ScopedEnv choice("DBD_RENDERER", "gl");
        pDisplay.reset(createRenderDisplay());
        EXPECT_STREQ("OpenGL", pDisplay->getName());
        // The dummy driver has no OpenGL: the mode fails cleanly.
        DisplayMode mode = DisplayMode();
        mode.nWidth = 64;
        mode.nHeight = 64;
        EXPECT_EQ(RENDER_ERR_MODE_FAILED, pDisplay->setMode(mode));
        EXPECT_EQ(nullptr, pDisplay->getDevice());
    }
    ScopedEnv choice("DBD_RENDERER", "null");
    pDisplay.reset(createRenderDisplay());
    EXPECT_STREQ("Null", pDisplay->getName());
}

} // namespace
