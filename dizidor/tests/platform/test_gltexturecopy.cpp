// Copying SDL pixels into textures: alpha copied, colour keys kept.
#include "platform/gl/recordingrenderdisplay.h"
#include "platform/gl/texturecopy.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

struct SurfaceDeleter
{
    void operator()(SDL_Surface* pSurface) const { SDL_FreeSurface(pSurface); }
};
typedef std::unique_ptr<SDL_Surface, SurfaceDeleter> SurfacePtr;

// A 24-bit surface (bytes R, G, B) filled with one colour.
SurfacePtr makeOpaque(int nWidth, int nHeight, uint32_t nRGB)
{
    SDL_Surface* pSurface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_FillRect(
        pSurface, nullptr,
        SDL_MapRGB(pSurface->format, (nRGB >> 16) & 0xFF, (nRGB >> 8) & 0xFF, nRGB & 0xFF));
    return SurfacePtr(pSurface);
}

// A 32-bit surface with alpha, every pixel (r, g, b, a), SDL_SRCALPHA on.
SurfacePtr makeAlpha(int nWidth, int nHeight, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    SDL_Surface* pSurface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, nWidth, nHeight, 32,
                                                 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    SDL_FillRect(pSurface, nullptr, SDL_MapRGBA(pSurface->format, r, g, b, a));
    return SurfacePtr(pSurface);
}

void setPixel(SDL_Surface* pSurface, int nX, int nY, uint32_t nRGB)
{
    SDL_Rect rect = {(Sint16)nX, (Sint16)nY, 1, 1};
    SDL_FillRect(
        pSurface, &rect,
        SDL_MapRGB(pSurface->format, (nRGB >> 16) & 0xFF, (nRGB >> 8) & 0xFF, nRGB & 0xFF));
}

class TextureCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DisplayMode mode = DisplayMode();
        mode.nWidth = 64;
        mode.nHeight = 64;
        ASSERT_EQ(RENDER_OK, m_display.setMode(mode));
        m_display.getLog().clear();
    }

    MemoryRenderTexture* makeTexture(int nWidth, int nHeight, bool bAlpha)
    {
        RenderTexture* pTexture = nullptr;
        EXPECT_EQ(RENDER_OK,
                  m_display.getDevice()->createTexture(nWidth, nHeight, bAlpha, &pTexture));
        m_lOwned.emplace_back(pTexture);
        return static_cast<MemoryRenderTexture*>(pTexture);
    }

    RecordingRenderDisplay m_display;
    std::vector<std::unique_ptr<RenderTexture>> m_lOwned;
};

TEST_F(TextureCopyTest, AlphaIsCopiedNotBlended)
{
    SurfacePtr pSource = makeAlpha(3, 2, 200, 100, 50, 0x40);
    MemoryRenderTexture* pTexture = makeTexture(4, 2, true);
    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(0, 0, 3, 2), *pTexture));
    EXPECT_EQ(0x40C86432u, pTexture->getTexel(0, 0));
    EXPECT_EQ(0x40C86432u, pTexture->getTexel(2, 1));
    // The padding column keeps the new texture's zeros.
    EXPECT_EQ(0u, pTexture->getTexel(3, 0));
    EXPECT_FALSE(pTexture->isLocked());
    // The source's blending flag is back.
    EXPECT_NE(0u, pSource->flags & SDL_SRCALPHA);
}

TEST_F(TextureCopyTest, OpaqueSourceGivesOpaqueTexels)
{
    SurfacePtr pSource = makeOpaque(2, 2, 0x123456);
    MemoryRenderTexture* pAlpha = makeTexture(2, 2, true);
    MemoryRenderTexture* pOpaque = makeTexture(2, 2, false);
    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(0, 0, 2, 2), *pAlpha));
    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(0, 0, 2, 2), *pOpaque));
    EXPECT_EQ(0xFF123456u, pAlpha->getTexel(1, 1));
    EXPECT_EQ(0xFF123456u, pOpaque->getTexel(1, 1));
}

TEST_F(TextureCopyTest, ColourKeyStaysTransparentThroughTheCopy)
{
    // A 24-bit picture with a magenta key, as a ".colorkey" picture is kept.
    SurfacePtr pSource = makeOpaque(4, 4, 0x20A040);
    setPixel(pSource.get(), 1, 1, 0xFF00FF);
    setPixel(pSource.get(), 3, 2, 0xFF00FF);
    SDL_SetColorKey(pSource.get(), SDL_SRCCOLORKEY, SDL_MapRGB(pSource->format, 255, 0, 255));

    MemoryRenderTexture* pTexture = makeTexture(4, 4, true);
    // Whatever the texture held before, key pixels end up transparent black.
    TextureLock lock;
    ASSERT_EQ(RENDER_OK, pTexture->lock(&lock));
    memset(lock.pPixels, 0xFF, (size_t)lock.nPitch * 4);
    ASSERT_EQ(RENDER_OK, pTexture->unlock());

    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(0, 0, 4, 4), *pTexture));
    EXPECT_EQ(0u, pTexture->getTexel(1, 1));
    EXPECT_EQ(0u, pTexture->getTexel(3, 2));
    EXPECT_EQ(0xFF20A040u, pTexture->getTexel(0, 0));
    EXPECT_EQ(0xFF20A040u, pTexture->getTexel(2, 1));
    EXPECT_NE(0u, pSource->flags & SDL_SRCCOLORKEY);
}

TEST_F(TextureCopyTest, AreaLandsAtTheTopLeftCorner)
{
    SurfacePtr pSource = makeOpaque(6, 5, 0x000000);
    setPixel(pSource.get(), 2, 1, 0xAA0000);
    setPixel(pSource.get(), 4, 3, 0x00BB00);
    MemoryRenderTexture* pTexture = makeTexture(4, 4, true);
    ASSERT_EQ(RENDER_OK, copySurfaceToTexture(pSource.get(), Rect(2, 1, 5, 4), *pTexture));
    EXPECT_EQ(0xFFAA0000u, pTexture->getTexel(0, 0));
    EXPECT_EQ(0xFF00BB00u, pTexture->getTexel(2, 2));
    EXPECT_EQ(0u, pTexture->getTexel(3, 3));
}

TEST_F(TextureCopyTest, BadAreasAndFailedLocksCopyNothing)
{
    SurfacePtr pSource = makeOpaque(8, 8, 0xFFFFFF);
    MemoryRenderTexture* pTexture = makeTexture(4, 4, true);
    const struct
    {
        const char* pszWhat;
        Rect area;
    } aCases[] = {
        {"empty", Rect(2, 2, 2, 4)},
        {"past the source", Rect(6, 0, 9, 3)},
        {"before the source", Rect(-1, 0, 3, 3)},
        {"larger than the texture", Rect(0, 0, 5, 4)},
    };
    for (const auto& c : aCases)
    {
        EXPECT_EQ(RENDER_ERR_BAD_ARGUMENT, copySurfaceToTexture(pSource.get(), c.area, *pTexture))
            << c.pszWhat;
        EXPECT_FALSE(pTexture->isLocked()) << c.pszWhat;
    }
    EXPECT_EQ(RENDER_ERR_BAD_ARGUMENT, copySurfaceToTexture(nullptr, Rect(0, 0, 1, 1), *pTexture));

    m_display.getLog().failCall(CALL_LOCK_TEXTURE, RENDER_ERR_OUT_OF_MEMORY);
    EXPECT_EQ(RENDER_ERR_OUT_OF_MEMORY,
              copySurfaceToTexture(pSource.get(), Rect(0, 0, 4, 4), *pTexture));
    EXPECT_EQ(0u, pTexture->getTexel(0, 0));
    // Bad arguments never lock; the failed lock is not followed by an unlock.
    EXPECT_EQ((std::vector<std::string>{"createTexture 4x4 alpha id 1",
                                        "lockTexture 1 -> OUT_OF_MEMORY"}),
              m_display.getLog().getLines());
}

} // namespace
