// Pixels through the OpenGL device: a known scene drawn and read back.
//
// These tests need an X server with OpenGL: the test command starts Xvfb (software rendering by
// llvmpipe) and names it in DBD_GL_DISPLAY; a DISPLAY of the user's works too. Without one they
// are skipped, unless DBD_REQUIRE_GL is set (as the test command does when it started Xvfb), in
// which case they fail.
#include "platform/gl/glrenderdisplay.h"
#include "platform/gl/texturecopy.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// The X and OpenGL libraries keep a few allocations until the process ends (visual lists,
// driver tables); they are theirs, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libX11.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libGLX.so\n"
           "leak:libGLdispatch.so\n"
           "leak:swrast_dri.so\n"
           "leak:libLLVM\n";
}

namespace
{

const int SIZE = 64;

// Sets an environment variable for its lifetime and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_sName(pszName)
    {
        const char* pszOld = getenv(pszName);
        m_bHadValue = pszOld != nullptr;
        if (pszOld)
            m_sOld = pszOld;
        setenv(pszName, pszValue, 1);
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

struct SurfaceDeleter
{
    void operator()(SDL_Surface* pSurface) const { SDL_FreeSurface(pSurface); }
};

::testing::AssertionResult colourNear(uint32_t nActual, uint32_t nExpected, int nTolerance = 2)
{
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        int nDiff = (int)((nActual >> nShift) & 0xFF) - (int)((nExpected >> nShift) & 0xFF);
        if (nDiff > nTolerance || nDiff < -nTolerance)
        {
            char szText[64];
            snprintf(szText, sizeof(szText), "0x%06X instead of 0x%06X",
                     (unsigned)(nActual & 0xFFFFFF), (unsigned)(nExpected & 0xFFFFFF));
            return ::testing::AssertionFailure() << szText;
        }
    }
    return ::testing::AssertionSuccess();
}

class GLPixelTest : public ::testing::Test
{
protected:
    virtual bool wantsStencil() const { return false; }

    void SetUp() override
    {
        std::string sWhy = openDisplay();
        if (!sWhy.empty())
        {
            if (getenv("DBD_REQUIRE_GL"))
                FAIL() << sWhy;
            GTEST_SKIP() << sWhy;
        }
        m_pDevice = m_display.getGLDevice();
        // The 3-D driver's projection: logical pixels, y downward, depth -1 to 1.
        ASSERT_EQ(RENDER_OK,
                  m_pDevice->setTransform(TRANSFORM_PROJECTION,
                                          RenderMatrix::orthoOffCenter(
                                              0.0f, (float)SIZE, (float)SIZE, 0.0f, -1.0f, 1.0f)));
    }

    void TearDown() override
    {
        m_lTextures.clear();
        m_display.release();
        if (m_bVideoStarted)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // An empty text when the display is open; else why not.
    std::string openDisplay()
    {
        const char* pszDisplay = getenv("DISPLAY");
        if (!pszDisplay || !*pszDisplay)
            pszDisplay = getenv("DBD_GL_DISPLAY");
        if (!pszDisplay || !*pszDisplay)
            return "no X display for the OpenGL tests (DISPLAY and DBD_GL_DISPLAY unset; "
                   "scripts/test.sh starts Xvfb)";
        m_lEnv.emplace_back(new ScopedEnv("DISPLAY", pszDisplay));
        m_lEnv.emplace_back(new ScopedEnv("SDL_VIDEODRIVER", "x11"));
        m_lEnv.emplace_back(new ScopedEnv("LIBGL_ALWAYS_SOFTWARE", "1"));
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
            return std::string("SDL video on display ") + pszDisplay + " : " + SDL_GetError();
        m_bVideoStarted = true;
        DisplayMode mode = DisplayMode();
        mode.nWidth = SIZE;
        mode.nHeight = SIZE;
        mode.bStencil = wantsStencil();
        RenderResult eResult = m_display.setMode(mode);
        if (eResult != RENDER_OK)
            return std::string("OpenGL mode on display ") + pszDisplay + " : " +
                   renderResultName(eResult) + " " + SDL_GetError();
        return std::string();
    }

    // A texture of w x h texels (powers of two) with the colours given row by row as
    // 0xAARRGGBB, owned by the fixture.
    RenderTexture* makeTexture(int nWidth, int nHeight, bool bAlpha,
                               const std::vector<uint32_t>& lTexels)
    {
        RenderTexture* pTexture = nullptr;
        EXPECT_EQ(RENDER_OK, m_pDevice->createTexture(nWidth, nHeight, bAlpha, &pTexture));
        if (!pTexture)
            return nullptr;
        m_lTextures.emplace_back(pTexture);
        if (!lTexels.empty())
            writeTexels(pTexture, lTexels);
        return pTexture;
    }

    static void writeTexels(RenderTexture* pTexture, const std::vector<uint32_t>& lTexels)
    {
        TextureLock lock;
        ASSERT_EQ(RENDER_OK, pTexture->lock(&lock));
        for (int y = 0; y < lock.nHeight; ++y)
        {
            uint8_t* pRow = (uint8_t*)lock.pPixels + y * lock.nPitch;
            for (int x = 0; x < lock.nWidth; ++x)
            {
                uint32_t c = lTexels[(size_t)(y * lock.nWidth + x)];
                pRow[x * 4 + 0] = (uint8_t)(c >> 16);
                pRow[x * 4 + 1] = (uint8_t)(c >> 8);
                pRow[x * 4 + 2] = (uint8_t)c;
                pRow[x * 4 + 3] = (uint8_t)(c >> 24);
            }
        }
        ASSERT_EQ(RENDER_OK, pTexture->unlock());
    }

    // A sprite's quad as the 3-D driver draws it: corners top-left, top-right, bottom-left,
    // bottom-right, moved half a pixel up and left.
    void drawQuad(float fX, float fY, float fWidth, float fHeight, uint32_t nColor,
                  float fU0 = 0.0f, float fU1 = 1.0f)
    {
        const float x0 = fX - 0.5f;
        const float y0 = fY - 0.5f;
        const float x1 = x0 + fWidth;
        const float y1 = y0 + fHeight;
        RenderVertex aQuad[4] = {{x0, y0, 0.0f, nColor, fU0, 0.0f},
                                 {x1, y0, 0.0f, nColor, fU1, 0.0f},
                                 {x0, y1, 0.0f, nColor, fU0, 1.0f},
                                 {x1, y1, 0.0f, nColor, fU1, 1.0f}};
        ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, aQuad, 4));
    }

    void setBlend(uint32_t nSrc, uint32_t nDest)
    {
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND, 1));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND_SRC, nSrc));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND_DEST, nDest));
    }

    void clearTo(uint32_t nColor)
    {
        ASSERT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_COLOR, nColor, 0.0f, 0));
    }

    // The whole picture, 0x00RRGGBB row by row.
    std::vector<uint32_t> grab()
    {
        std::vector<uint32_t> lPixels((size_t)SIZE * SIZE);
        EXPECT_EQ(RENDER_OK, m_pDevice->readPixels(0, 0, SIZE, SIZE, lPixels.data()));
        return lPixels;
    }

    uint32_t pixel(int nX, int nY)
    {
        uint32_t nPixel = 0;
        EXPECT_EQ(RENDER_OK, m_pDevice->readPixels(nX, nY, 1, 1, &nPixel));
        return nPixel;
    }

    std::vector<std::unique_ptr<ScopedEnv>> m_lEnv;
    bool m_bVideoStarted = false;
    GLRenderDisplay m_display;
    GLRenderDevice* m_pDevice = nullptr;
    std::vector<std::unique_ptr<RenderTexture>> m_lTextures;
};

class GLStencilPixelTest : public GLPixelTest
{
protected:
    bool wantsStencil() const override { return true; }
};

TEST_F(GLPixelTest, ClearFillsTheColourWithoutAStencilBuffer)
{
    ASSERT_FALSE(m_pDevice->hasStencilBuffer());
    ASSERT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL,
                                          0x00FF0000, 0.0f, 0));
    std::vector<uint32_t> lPixels = grab();
    for (size_t i = 0; i < lPixels.size(); ++i)
        ASSERT_TRUE(colourNear(lPixels[i], 0xFF0000, 0)) << "pixel " << i;

    // A clear covers the viewport only.
    ASSERT_EQ(RENDER_OK, m_pDevice->setViewport(RenderViewport{16, 8, 32, 40, 0.0f, 1.0f}));
    clearTo(0x0000FF00);
    EXPECT_TRUE(colourNear(pixel(16, 8), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(47, 47), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(15, 8), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(16, 7), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(48, 20), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(20, 48), 0xFF0000, 0));
}

TEST_F(GLPixelTest, TexelsLandOnPixelsOneToOne)
{
    // Every texel its own colour: bilinear filtering sampled anywhere but at texel centres would
    // mix neighbours.
    std::vector<uint32_t> lTexels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            lTexels.push_back(0xFF000000u | (uint32_t)(40 + 60 * x) << 16 |
                              (uint32_t)(40 + 60 * y) << 8 | 0x80u);
    RenderTexture* pTexture = makeTexture(4, 4, true, lTexels);
    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    drawQuad(10.0f, 20.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());

    for (int y = -1; y <= 4; ++y)
    {
        for (int x = -1; x <= 4; ++x)
        {
            bool bInside = x >= 0 && x < 4 && y >= 0 && y < 4;
            uint32_t nExpected = bInside ? (lTexels[(size_t)(y * 4 + x)] & 0xFFFFFF) : 0;
            EXPECT_TRUE(colourNear(pixel(10 + x, 20 + y), nExpected)) << x << ", " << y;
        }
    }
}

TEST_F(GLPixelTest, VertexColourTintsTheTextureAndStandsAloneWithoutOne)
{
    RenderTexture* pTexture = makeTexture(4, 4, true, std::vector<uint32_t>(16, 0xFFC86432));
    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    drawQuad(4.0f, 4.0f, 4.0f, 4.0f, 0xFF80FF40);
    // Without a texture the vertex colour is drawn as it is.
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(nullptr));
    drawQuad(20.0f, 4.0f, 4.0f, 4.0f, 0xFF1060A0);
    // The stage told to take the texture alone, then to modulate again.
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    ASSERT_EQ(RENDER_OK, m_pDevice->setStageState(TS_COLOR_OP, TEXOP_SELECT_ARG1));
    drawQuad(36.0f, 4.0f, 4.0f, 4.0f, 0xFF80FF40);
    ASSERT_EQ(RENDER_OK, m_pDevice->setStageState(TS_COLOR_OP, TEXOP_MODULATE));
    drawQuad(52.0f, 4.0f, 4.0f, 4.0f, 0xFF80FF40);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    // (200, 100, 50) x (128, 255, 64) / 255.
    EXPECT_TRUE(colourNear(pixel(5, 5), 0x64640D));
    EXPECT_TRUE(colourNear(pixel(21, 6), 0x1060A0));
    EXPECT_TRUE(colourNear(pixel(37, 6), 0xC86432));
    EXPECT_TRUE(colourNear(pixel(53, 6), 0x64640D));
}

TEST_F(GLPixelTest, BlendModesCombineUnpremultipliedColour)
{
    const struct
    {
        const char* pszWhat;
        uint32_t nBackground;
        uint32_t nTexel;
        uint32_t nVertex;
        uint32_t nSrc;
        uint32_t nDest;
        uint32_t nExpected;
    } aCases[] = {
        {"alpha blend", 0x0000FF, 0x80FF0000, 0xFFFFFFFF, BF_SRC_ALPHA, BF_INV_SRC_ALPHA, 0x80007F},
        {"alpha from the vertex", 0x000000, 0xFFFFFFFF, 0x80FF0000, BF_SRC_ALPHA, BF_INV_SRC_ALPHA,
         0x800000},
        {"additive", 0x640000, 0x8000FF00, 0xFFFFFFFF, BF_SRC_ALPHA, BF_ONE, 0x648000},
        {"colour left unchanged", 0x0A141E, 0xFFFFFFFF, 0xFFFFFFFF, BF_ZERO, BF_ONE, 0x0A141E},
        {"transparent texel", 0x203040, 0x00FFFFFF, 0xFFFFFFFF, BF_SRC_ALPHA, BF_INV_SRC_ALPHA,
         0x203040},
    };
    for (const auto& c : aCases)
    {
        RenderTexture* pTexture = makeTexture(4, 4, true, std::vector<uint32_t>(16, c.nTexel));
        clearTo(c.nBackground);
        ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
        setBlend(c.nSrc, c.nDest);
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
        drawQuad(8.0f, 8.0f, 4.0f, 4.0f, c.nVertex);
        ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
        EXPECT_TRUE(colourNear(pixel(9, 10), c.nExpected)) << c.pszWhat;
        EXPECT_TRUE(colourNear(pixel(7, 10), c.nBackground, 0)) << c.pszWhat;
    }
}

TEST_F(GLPixelTest, NewTexturesAreTransparentBlack)
{
    RenderTexture* pAlpha = makeTexture(4, 4, true, {});
    RenderTexture* pOpaque = makeTexture(4, 4, false, {});
    clearTo(0x0000FF);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    setBlend(BF_SRC_ALPHA, BF_INV_SRC_ALPHA);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pAlpha));
    drawQuad(4.0f, 4.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pOpaque));
    drawQuad(20.0f, 4.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_TRUE(colourNear(pixel(5, 5), 0x0000FF, 0));
    // A texture without alpha is opaque: black covers the background.
    EXPECT_TRUE(colourNear(pixel(21, 5), 0x000000, 0));
}

TEST_F(GLPixelTest, ColourKeyedPictureShowsTheBackgroundWhereTheKeyWas)
{
    std::unique_ptr<SDL_Surface, SurfaceDeleter> pSource(
        SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0));
    SDL_FillRect(pSource.get(), nullptr, SDL_MapRGB(pSource->format, 0xE0, 0x80, 0x20));
    SDL_Rect key1 = {1, 1, 1, 1};
    SDL_Rect key2 = {2, 3, 1, 1};
    const Uint32 nKey = SDL_MapRGB(pSource->format, 255, 0, 255);
    SDL_FillRect(pSource.get(), &key1, nKey);
    SDL_FillRect(pSource.get(), &key2, nKey);
    SDL_SetColorKey(pSource.get(), SDL_SRCCOLORKEY, nKey);
    RenderTexture* pTexture = makeTexture(4, 4, true, {});
    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(0, 0, 4, 4), *pTexture));

    clearTo(0x0000FF);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    setBlend(BF_SRC_ALPHA, BF_INV_SRC_ALPHA);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    drawQuad(30.0f, 30.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    for (int y = 0; y < 4; ++y)
    {
        for (int x = 0; x < 4; ++x)
        {
            bool bKey = (x == 1 && y == 1) || (x == 2 && y == 3);
            EXPECT_TRUE(colourNear(pixel(30 + x, 30 + y), bKey ? 0x0000FF : 0xE08020))
                << x << ", " << y;
        }
    }
}

TEST_F(GLPixelTest, RelockedTextureKeepsItsTexels)
{
    std::vector<uint32_t> lTexels(16, 0xFF102030);
    RenderTexture* pTexture = makeTexture(4, 4, true, lTexels);
    // Change one texel only: the lock lends the texels as they are.
    TextureLock lock;
    ASSERT_EQ(RENDER_OK, pTexture->lock(&lock));
    const uint8_t* pFirst = (const uint8_t*)lock.pPixels;
    EXPECT_EQ(0x10, pFirst[0]);
    EXPECT_EQ(0xFF, pFirst[3]);
    uint8_t* pTexel = (uint8_t*)lock.pPixels + 2 * lock.nPitch + 3 * 4;
    pTexel[0] = 0xF0;
    pTexel[1] = 0x00;
    pTexel[2] = 0x00;
    ASSERT_EQ(RENDER_OK, pTexture->unlock());

    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    drawQuad(0.0f, 0.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_TRUE(colourNear(pixel(0, 0), 0x102030));
    EXPECT_TRUE(colourNear(pixel(3, 2), 0xF00000));
}

TEST_F(GLPixelTest, MirroredQuadsAreDrawnAndCullingFollowsTheScreenWinding)
{
    RenderTexture* pTexture = makeTexture(4, 4, true, std::vector<uint32_t>(16, 0xFF00FF00));
    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
    drawQuad(4.0f, 4.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    // Mirrored: right edge first, the winding reversed.
    drawQuad(24.0f, 4.0f, -4.0f, 4.0f, 0xFFFFFFFF);
    // A sprite's quad runs clockwise on the screen; the mirrored one counter-clockwise.
    ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_CULL, CULL_CLOCKWISE));
    drawQuad(4.0f, 40.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    drawQuad(24.0f, 40.0f, -4.0f, 4.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_TRUE(colourNear(pixel(5, 5), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(21, 5), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(5, 41), 0x000000, 0));
    EXPECT_TRUE(colourNear(pixel(21, 41), 0x00FF00, 0));
}

TEST_F(GLPixelTest, TransformsTurnAndPlaceSprites)
{
    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    // A bar of 8 x 2 turned a quarter clockwise about its corner, which sits at (32, 32).
    ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(
                             TRANSFORM_VIEW, RenderMatrix::rotationZ(1.5707964f) *
                                                 RenderMatrix::translation(31.5f, 31.5f, 0.0f)));
    RenderVertex aBar[4] = {{0, 0, 0, 0xFFFF0000, 0, 0},
                            {8, 0, 0, 0xFFFF0000, 0, 0},
                            {8, 2, 0, 0xFFFF0000, 0, 0},
                            {0, 2, 0, 0xFFFF0000, 0, 0}};
    ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aBar, 4));

    // A letterbox: logical x 0 sits 8 pixels in from the left edge.
    ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(TRANSFORM_VIEW, RenderMatrix()));
    ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(
                             TRANSFORM_PROJECTION,
                             RenderMatrix::orthoOffCenter(-8.0f, 56.0f, 64.0f, 0.0f, -1.0f, 1.0f)));
    drawQuad(0.0f, 0.0f, 2.0f, 2.0f, 0xFF00FF00);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());

    // The bar now covers x 30..31, y 32..39.
    EXPECT_TRUE(colourNear(pixel(30, 32), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(31, 39), 0xFF0000, 0));
    for (const auto& outside : {std::make_pair(29, 35), std::make_pair(32, 35),
                                std::make_pair(30, 31), std::make_pair(30, 40)})
        EXPECT_TRUE(colourNear(pixel(outside.first, outside.second), 0, 0))
            << outside.first << ", " << outside.second;
    EXPECT_TRUE(colourNear(pixel(8, 0), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(9, 1), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(7, 0), 0, 0));
    EXPECT_TRUE(colourNear(pixel(0, 0), 0, 0));
}

TEST_F(GLStencilPixelTest, SpriteWritesTheStencilAndALaterOneDrawsOnlyThere)
{
    ASSERT_TRUE(m_pDevice->hasStencilBuffer());
    // Left half opaque, right half transparent.
    std::vector<uint32_t> lTexels;
    for (int i = 0; i < 16; ++i)
        lTexels.push_back(i % 4 < 2 ? 0xFFFFFFFF : 0x00FFFFFF);
    RenderTexture* pMask = makeTexture(4, 4, true, lTexels);
    ASSERT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL,
                                          0, 0.0f, 0));

    auto writeMask = [&]()
    {
        // The colour buffer stays; every pixel with alpha above 0 writes 1 into the stencil.
        setBlend(BF_ZERO, BF_ONE);
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_ALPHA_TEST, 1));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_ALPHA_TEST_REF, 0));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_ALPHA_TEST_FUNC, CMP_GREATER));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_TEST, 1));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_READ_MASK, 1));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_REF, 1));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_FUNC, CMP_ALWAYS));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_FAIL, SOP_REPLACE));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_DEPTH_FAIL, SOP_REPLACE));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_PASS, SOP_REPLACE));
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pMask));
        drawQuad(8.0f, 8.0f, 4.0f, 4.0f, 0xFFFFFFFF);
    };
    auto drawMasked = [&]()
    {
        setBlend(BF_SRC_ALPHA, BF_INV_SRC_ALPHA);
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_ALPHA_TEST, 0));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_FUNC, CMP_EQUAL));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_FAIL, SOP_KEEP));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_DEPTH_FAIL, SOP_KEEP));
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_STENCIL_OP_PASS, SOP_KEEP));
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(nullptr));
        drawQuad(0.0f, 0.0f, (float)SIZE, (float)SIZE, 0xFFFF0000);
    };

    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    writeMask();
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_TRUE(colourNear(pixel(8, 8), 0, 0)) << "the colour buffer stays";

    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    drawMasked();
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    std::vector<uint32_t> lPixels = grab();
    for (int y = 0; y < SIZE; ++y)
    {
        for (int x = 0; x < SIZE; ++x)
        {
            bool bMasked = x >= 8 && x < 10 && y >= 8 && y < 12;
            ASSERT_TRUE(colourNear(lPixels[(size_t)(y * SIZE + x)], bMasked ? 0xFF0000 : 0, 0))
                << x << ", " << y;
        }
    }

    // A colour-and-stencil clear empties the stencil too: the masked sprite shows nowhere.
    ASSERT_EQ(RENDER_OK, m_pDevice->clear(RenderDevice::CLEAR_COLOR | RenderDevice::CLEAR_STENCIL,
                                          0, 0.0f, 0));
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    drawMasked();
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    EXPECT_TRUE(colourNear(pixel(8, 8), 0, 0));
    EXPECT_TRUE(colourNear(pixel(9, 11), 0, 0));
}

// ---- batching: draws gathered while nothing changes ---------------------------------------------

// Sprites turned, placed, tinted and blended each by their own view, as the 3-D driver draws
// them: gathered into one batch they give exactly the pixels of the same draws sent one by one
// (a read-back after each draw sends it on its own).
TEST_F(GLPixelTest, BatchedSpritesGiveThePixelsOfSpritesSentOneByOne)
{
    std::vector<uint32_t> lTexels;
    for (int i = 0; i < 64; ++i)
        lTexels.push_back(i % 8 < 4 ? 0xFFF0C080 : 0x80406080 + (uint32_t)(i * 3));
    RenderTexture* pTexture = makeTexture(8, 8, true, lTexels);
    auto drawScene = [&](bool bOneByOne)
    {
        clearTo(0xFF102030);
        ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
        setBlend(BF_SRC_ALPHA, BF_INV_SRC_ALPHA);
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
        for (int i = 0; i < 40; ++i)
        {
            const RenderMatrix view =
                RenderMatrix::rotationZ((float)(i * 37 % 360) * 0.017453292f) *
                RenderMatrix::translation((float)(i * 13 % 56) + 3.5f, (float)(i * 29 % 56) + 3.5f,
                                          0.0f);
            ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(TRANSFORM_VIEW, view));
            const uint32_t nColor = 0xC0000000u | ((uint32_t)(100 + i * 3) << 16) |
                                    ((uint32_t)(255 - i * 4) << 8) | (uint32_t)(60 + i * 5);
            drawQuad(-6.0f, -4.0f, 12.0f, 8.0f, nColor);
            if (bOneByOne)
                pixel(0, 0);
        }
        ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    };
    drawScene(false);
    const std::vector<uint32_t> lBatched = grab();
    drawScene(true);
    const std::vector<uint32_t> lOneByOne = grab();
    int nDiffering = 0;
    for (size_t i = 0; i < lBatched.size(); ++i)
        nDiffering += lBatched[i] != lOneByOne[i] ? 1 : 0;
    EXPECT_EQ(0, nDiffering);
    EXPECT_FALSE(colourNear(lBatched[32 * SIZE + 32], 0x102030, 0)) << "the sprites were drawn";
}

// Sprites of a picture with wide transparent borders, turned, scaled and mirrored, under alpha
// and additive blending: the quads the device cuts to the texels that can show give the pixels
// that the whole quads give (drawn as triangle lists, which it never cuts). A texture whose
// texels are all transparent draws nothing, and neither does a quad over only its transparent
// part, yet one without blending still overwrites the picture.
TEST_F(GLPixelTest, QuadsCutToTheirVisibleTexelsGiveThePixelsOfWholeQuads)
{
    std::vector<uint32_t> lTexels(16 * 16, 0x00FFFFFF);
    for (int y = 5; y < 11; ++y)
        for (int x = 4; x < 13; ++x)
            lTexels[(size_t)(y * 16 + x)] =
                ((uint32_t)(0x60 + 0x10 * ((x + y) % 10)) << 24) | (0x2080F0u + (uint32_t)(x * 9));
    RenderTexture* pTexture = makeTexture(16, 16, true, lTexels);
    RenderTexture* pEmpty = makeTexture(16, 16, true, {});
    auto drawScene = [&](bool bWhole)
    {
        clearTo(0xFF302010);
        ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
        for (int i = 0; i < 24; ++i)
        {
            setBlend(BF_SRC_ALPHA, i % 3 == 2 ? BF_ONE : BF_INV_SRC_ALPHA);
            const float fScale = 0.6f + 0.15f * (float)(i % 7);
            const RenderMatrix view =
                RenderMatrix::scaling(i % 4 == 1 ? -fScale : fScale, fScale, 1.0f) *
                RenderMatrix::rotationZ((float)(i * 53 % 360) * 0.017453292f) *
                RenderMatrix::translation((float)(i * 17 % 52) + 6.0f, (float)(i * 31 % 52) + 6.0f,
                                          0.0f);
            ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(TRANSFORM_VIEW, view));
            const uint32_t nColor = 0xE0000000u | ((uint32_t)(120 + i * 5) << 16) |
                                    ((uint32_t)(250 - i * 6) << 8) | (uint32_t)(90 + i * 4);
            // The right half of the texture mirrored, or all of it.
            const float fU0 = i % 5 == 3 ? 1.0f : 0.0f;
            const float fU1 = i % 5 == 3 ? 0.5f : 1.0f;
            const float x0 = -8.5f;
            const float y0 = -8.5f;
            const float x1 = i % 5 == 3 ? -0.5f : 7.5f;
            const float y1 = 7.5f;
            RenderVertex aQuad[4] = {{x0, y0, 0.0f, nColor, fU0, 0.0f},
                                     {x1, y0, 0.0f, nColor, fU1, 0.0f},
                                     {x0, y1, 0.0f, nColor, fU0, 1.0f},
                                     {x1, y1, 0.0f, nColor, fU1, 1.0f}};
            if (bWhole)
            {
                RenderVertex aList[6] = {aQuad[0], aQuad[1], aQuad[2], aQuad[2], aQuad[1], aQuad[3]};
                ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_LIST, aList, 6));
            }
            else
                ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, aQuad, 4));
        }
        ASSERT_EQ(RENDER_OK, m_pDevice->setTransform(TRANSFORM_VIEW, RenderMatrix()));
        ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    };
    drawScene(true);
    const std::vector<uint32_t> lWhole = grab();
    drawScene(false);
    const std::vector<uint32_t> lCut = grab();
    // The texture coordinates of a pixel come from the corners of its triangle, so a cut
    // triangle may round one of them differently in the last bit: a filtered channel may then
    // differ by one step, nothing more.
    int nDiffering = 0;
    for (size_t i = 0; i < lWhole.size(); ++i)
    {
        nDiffering += lWhole[i] != lCut[i] ? 1 : 0;
        EXPECT_TRUE(colourNear(lCut[i], lWhole[i], 1)) << "pixel " << i;
    }
    EXPECT_LE(nDiffering, 8);
    int nDrawn = 0;
    for (uint32_t nPixel : lCut)
        nDrawn += nPixel != 0x302010 ? 1 : 0;
    EXPECT_GT(nDrawn, 400) << "the sprites were drawn";

    // All-transparent textures and the transparent columns of one draw nothing under blending;
    // without blending their texels are drawn as they are.
    for (bool bBlend : {true, false})
    {
        clearTo(0xFF302010);
        ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
        ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND, bBlend ? 1 : 0));
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pEmpty));
        drawQuad(0.0f, 0.0f, 16.0f, 16.0f, 0xFFFFFFFF);
        ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pTexture));
        drawQuad(32.0f, 0.0f, 4.0f, 16.0f, 0xFFFFFFFF, 0.0f, 0.125f);
        ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
        const uint32_t nExpected = bBlend ? 0x302010 : 0x000000;
        EXPECT_TRUE(colourNear(pixel(8, 8), nExpected, 0)) << "blending " << bBlend;
        EXPECT_TRUE(colourNear(pixel(33, 8), bBlend ? 0x302010 : 0xFFFFFF, 0))
            << "blending " << bBlend;
    }
}

// Every change between two draws sends the earlier one with the states it was made under: later
// draws cover earlier ones, a texture filled again between two draws shows its old texels in
// the first, and a read-back in the scene sees what was drawn before it.
TEST_F(GLPixelTest, DrawsKeepTheirOrderAndStatesAcrossChanges)
{
    RenderTexture* pRed = makeTexture(1, 1, false, {0xFFFF0000});
    RenderTexture* pGreen = makeTexture(1, 1, false, {0xFF00FF00});
    clearTo(0);
    ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pRed));
    drawQuad(0.0f, 0.0f, 16.0f, 16.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pGreen));
    drawQuad(8.0f, 0.0f, 16.0f, 16.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pRed));
    drawQuad(16.0f, 0.0f, 16.0f, 16.0f, 0xFFFFFFFF);
    // Setting what is set already changes nothing.
    ASSERT_EQ(RENDER_OK, m_pDevice->setTexture(pRed));
    ASSERT_EQ(RENDER_OK, m_pDevice->setRenderState(RS_BLEND, 0));
    EXPECT_TRUE(colourNear(pixel(12, 4), 0x00FF00, 0)) << "read-back inside the scene";
    EXPECT_TRUE(colourNear(pixel(20, 4), 0xFF0000, 0));

    // Added onto the picture: a state change between two draws of the same texture.
    drawQuad(0.0f, 20.0f, 8.0f, 8.0f, 0xFF808080);
    setBlend(BF_ONE, BF_ONE);
    drawQuad(4.0f, 20.0f, 8.0f, 8.0f, 0xFF808080);

    // The texture filled again between two draws that use it.
    drawQuad(0.0f, 40.0f, 8.0f, 8.0f, 0xFFFFFFFF);
    writeTexels(pRed, {0xFF0000FF});
    drawQuad(16.0f, 40.0f, 8.0f, 8.0f, 0xFFFFFFFF);
    ASSERT_EQ(RENDER_OK, m_pDevice->endScene());

    EXPECT_TRUE(colourNear(pixel(4, 4), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(12, 4), 0x00FF00, 0));
    EXPECT_TRUE(colourNear(pixel(28, 4), 0xFF0000, 0));
    EXPECT_TRUE(colourNear(pixel(2, 24), 0x800000));
    EXPECT_TRUE(colourNear(pixel(6, 24), 0xFF0000));
    EXPECT_TRUE(colourNear(pixel(10, 24), 0x800000));
    EXPECT_TRUE(colourNear(pixel(4, 44), 0xFF0000, 0)) << "drawn before the texture changed";
    EXPECT_TRUE(colourNear(pixel(20, 44), 0x0000FF, 0));
}

// A primitive with more vertices than one batch holds is drawn whole, after what was gathered
// before it, and pixel for pixel as the same shape sent in small pieces.
TEST_F(GLPixelTest, PrimitivesLargerThanABatchDrawWhole)
{
    const int FAN = 40000;
    const float PI2 = 6.2831853f;
    std::vector<RenderVertex> aFan;
    aFan.push_back({32.0f, 32.0f, 0.0f, 0xFF20C040, 0.0f, 0.0f});
    for (int i = 0; i < FAN - 1; ++i)
    {
        const float fAngle = PI2 * (float)i / (float)(FAN - 2);
        aFan.push_back({32.0f + 20.0f * std::cos(fAngle), 32.0f + 20.0f * std::sin(fAngle), 0.0f,
                        0xFF20C040, 0.0f, 0.0f});
    }
    auto drawScene = [&](bool bWhole)
    {
        clearTo(0xFF000000);
        ASSERT_EQ(RENDER_OK, m_pDevice->beginScene());
        drawQuad(0.0f, 0.0f, 8.0f, 8.0f, 0xFFFF0000); // gathered first, below the disc
        if (bWhole)
            ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aFan.data(), FAN));
        else
            for (int i = 1; i + 1 < FAN; ++i)
            {
                RenderVertex aPiece[3] = {aFan[0], aFan[(size_t)i], aFan[(size_t)i + 1]};
                ASSERT_EQ(RENDER_OK, m_pDevice->drawPrimitive(PRIM_TRIANGLE_LIST, aPiece, 3));
            }
        ASSERT_EQ(RENDER_OK, m_pDevice->endScene());
    };
    drawScene(true);
    const std::vector<uint32_t> lWhole = grab();
    drawScene(false);
    const std::vector<uint32_t> lPieces = grab();
    int nDiffering = 0;
    for (size_t i = 0; i < lWhole.size(); ++i)
        nDiffering += lWhole[i] != lPieces[i] ? 1 : 0;
    EXPECT_EQ(0, nDiffering);
    EXPECT_TRUE(colourNear(lWhole[32 * SIZE + 32], 0x20C040, 0)) << "the disc was drawn";
    EXPECT_TRUE(colourNear(lWhole[2 * SIZE + 2], 0xFF0000, 0)) << "the quad before it stays";
    EXPECT_TRUE(colourNear(lWhole[60 * SIZE + 2], 0x000000, 0)) << "nothing outside the disc";
}

} // namespace
