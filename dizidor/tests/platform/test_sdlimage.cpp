// SDLImage and SDLImageFactory: what the SDL back-end adds to the image table: blank images in
// the driver's formats, the existence rule, composition, trimming, re-laying and copying the
// stored pixels, mirroring in every pixel size, purged pictures, conversions and caller memory.
#include "../gfx/test_image_fixture.h"
#include "gfx/imagelock.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/sdlimagefactory.h"
#include "sdlimagetestenv.h"
#include "testkit/memimagefactory.h"

#include "rir2/exception.h"

#include <cstring>
#include <functional>
#include <type_traits>
#include <vector>

static_assert(std::is_base_of_v<Image, SDLImage>, "the SDL back-end's image");
static_assert(!std::is_copy_constructible_v<SDLImage>, "images are shared, never copied");
static_assert(std::is_base_of_v<ImageFactory, SDLImageFactory>, "the platform's image factory");

namespace
{

const PixelFormat XRGB(32, 0, 0xFF0000u, 0xFF00u, 0xFFu);
const PixelFormat ARGB(32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu);

struct SDLBackend
{
    static ImageFactory* createFactory() { return new TestSDLImageFactory(); }
};

std::string formatText(const PixelFormat& f)
{
    char ac[96];
    std::snprintf(ac, sizeof(ac), "%u bits A %08X R %08X G %08X B %08X",
                  (unsigned)f.m_nBitsPerPixel, (unsigned)f.m_nAlphaMask, (unsigned)f.m_nRedMask,
                  (unsigned)f.m_nGreenMask, (unsigned)f.m_nBlueMask);
    return ac;
}

SDLImage* sdl(const RIR::SmartPtr<Image>& pImage)
{
    return dynamic_cast<SDLImage*>(pImage.get());
}

} // namespace

class SDLImageTest : public ImageTable<SDLBackend>
{
protected:
    RecordingVideoDriver* video() { return static_cast<TestSDLImageFactory*>(factory())->video(); }

    // A new image over a new SDL surface of that depth (8: a palette of the given colours).
    RIR::SmartPtr<Image> ofDepth(int nDepth, int nWidth, int nHeight,
                                 const std::vector<SDL_Color>& lPalette = {})
    {
        const Uint32 nR = nDepth == 16 ? 0xF800u : nDepth == 8 ? 0 : 0xFFu;
        const Uint32 nG = nDepth == 16 ? 0x07E0u : nDepth == 8 ? 0 : 0xFF00u;
        const Uint32 nB = nDepth == 16 ? 0x001Fu : nDepth == 8 ? 0 : 0xFF0000u;
        const Uint32 nA = nDepth == 32 ? 0xFF000000u : 0;
        SDL_Surface* pSurf =
            SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, nDepth, nR, nG, nB, nA);
        if (!lPalette.empty())
            SDL_SetColors(pSurf, const_cast<SDL_Color*>(lPalette.data()), 0, (int)lPalette.size());
        return RIR::SmartPtr<Image>(new SDLImage(pSurf));
    }

    // Sets distinct raw values into every stored pixel and returns what reads back, row by row.
    static std::vector<Color> fillDistinct(Image* pImage, int nValues)
    {
        std::vector<Color> aRead;
        ImageLock lock(pImage);
        SDL_Surface* pSurf = static_cast<SDLImage*>(pImage)->getSDLSurface();
        for (int y = 0; y < pImage->getPhysicalHeight(); ++y)
            for (int x = 0; x < pImage->getPhysicalWidth(); ++x)
            {
                const int n = (x + 7 * y) % nValues;
                Uint8 nR = 0;
                Uint8 nG = 0;
                Uint8 nB = 0;
                Uint8 nA = 0;
                SDL_GetRGBA(pSurf->format->palette ? (Uint32)n : 0u, pSurf->format, &nR, &nG, &nB,
                            &nA);
                const Color c = pSurf->format->palette
                                    ? Color(nR, nG, nB, 255)
                                    : Color(16 * n + 8, 255 - 16 * n, 8 * n, 100 + n);
                pImage->setPixel(x, y, c);
                aRead.push_back(pImage->getPixel(x, y));
            }
        return aRead;
    }
};

TEST_F(SDLImageTest, BlankImagesTakeTheDriversFormats)
{
    video()->setFormats(XRGB, ARGB);
    RIR::SmartPtr<Image> pAlpha = blank(3, 2, true);
    EXPECT_EQ(formatText(ARGB), formatText(pAlpha->getPixelFormat()));
    expectCanvas(pAlpha.get(), 0, 0, 3, 2, [](int, int) { return Color(0, 0, 0, 0); });
    RIR::SmartPtr<Image> pOpaque = blank(-4, 2, false);
    EXPECT_EQ(formatText(XRGB), formatText(pOpaque->getPixelFormat()));
    expectGeometry(pOpaque.get(), 1, 2, 0, 0, 1, 2);
    expectCanvas(pOpaque.get(), 0, 0, 1, 2, [](int, int) { return Color(0, 0, 0, 255); });

    RIR::SmartPtr<Image> pTiny = blank(0, 0, true);
    expectGeometry(pTiny.get(), 1, 1, 0, 0, 1, 1);
    EXPECT_COLOR(Color(0, 0, 0, 0), pTiny->getPixelAt(0, 0));
    EXPECT_TRUE(sdl(pTiny)->getSurface()->isModified());

    // A size SDL refuses is reported with SDL's reason.
    EXPECT_EQ("SDLImage::SDLImage failed for 20000x1 [Width or height is too large]",
              imageMessageOf<RIR::FatalErrorException>([&] { blank(20000, 1, true); }));
}

TEST_F(SDLImageTest, ExistsCountsJpgPngAndSubImageDefinitions)
{
    const std::vector<uint8_t> abAny = {1, 2, 3};
    for (const char* pszName : {"photo.jpg", "door.png", "crate.tga", "glyph.subimage", "bare"})
        m_env.addResource(pszName, abAny.data(), (int)abAny.size());
    struct Case
    {
        const char* pszName;
        bool bExists;
    };
    const Case aCases[] = {{"photo", true}, {"door", true},      {"crate", false},  {"glyph", true},
                           {"bare", false}, {"door.png", false}, {"nothing", false}};
    for (const Case& c : aCases)
        EXPECT_EQ(c.bExists, factory()->exists(c.pszName)) << c.pszName;
    EXPECT_FALSE(factory()->exists(nullptr));
}

TEST_F(SDLImageTest, ComposeMixesColoursByTheirAlphas)
{
    struct Case
    {
        Color src;
        Color dst;
        Color result;
    };
    const Case aCases[] = {
        {Color(255, 0, 0, 128), Color(0, 0, 255, 255), Color(128, 0, 127, 255)},
        {Color(10, 20, 30, 200), Color(0, 0, 0, 0), Color(10, 20, 30, 200)},
        {Color(99, 99, 99, 0), Color(1, 2, 3, 4), Color(1, 2, 3, 4)},
        {Color(0, 255, 0, 255), Color(9, 9, 9, 200), Color(0, 255, 0, 255)},
        {Color(200, 100, 50, 100), Color(0, 0, 0, 100), Color(100, 50, 25, 200)},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(imageText(c.src) + " over " + imageText(c.dst));
        RIR::SmartPtr<Image> pSrc = filled(1, 1, true, c.src);
        RIR::SmartPtr<Image> pDst = filled(1, 1, true, c.dst);
        pDst->composeRect(pSrc.get(), 0, 0, 1, 1, 0, 0);
        EXPECT_COLOR(c.result, pDst->getPixelAt(0, 0));
    }

    // The source's insertion point lands at (x, y), and the rectangle is clipped.
    RIR::SmartPtr<Image> pSrc = pattern(2, 2, true);
    pSrc->setInsPoint(1, 1);
    RIR::SmartPtr<Image> pDst = filled(3, 3, true, Color(0, 0, 0, 0));
    pDst->composeRect(pSrc.get(), 0, 0, 2, 2, 0, 0);
    expectCanvas(pDst.get(), 0, 0, 3, 3,
                 [](int i, int j)
                 { return (i == 0 && j == 0) ? patternColor(1, 1, true) : Color(0, 0, 0, 0); });

    // Composing a picture onto itself one pixel further reads the old pixels.
    RIR::SmartPtr<Image> pSelf = filled(3, 1, true, Color(0, 0, 0, 0));
    pSelf->setPixelAt(0, 0, Color(90, 0, 0, 255));
    pSelf->composeRect(pSelf.get(), 0, 0, 2, 1, 1, 0);
    expectCanvas(pSelf.get(), 0, 0, 3, 1,
                 [](int i, int) { return i == 2 ? Color(0, 0, 0, 0) : Color(90, 0, 0, 255); });
}

TEST_F(SDLImageTest, AutoTrimKeepsTheVisiblePixels)
{
    // Alpha: the only visible pixel is (3, 4).
    RIR::SmartPtr<Image> pSpot = filled(10, 10, true, Color(5, 5, 5, 0));
    pSpot->setPixelAt(3, 4, Color(200, 0, 0, 1));
    pSpot->autoTrim();
    expectGeometry(pSpot.get(), 1, 1, 3, 4, 10, 10);
    EXPECT_COLOR(Color(200, 0, 0, 1), pSpot->getPixelAt(3, 4));

    RIR::SmartPtr<Image> pEmpty = filled(6, 4, true, Color(5, 5, 5, 0));
    pEmpty->autoTrim();
    EXPECT_EQ(0, pEmpty->getPhysicalWidth());
    EXPECT_EQ(0, pEmpty->getPhysicalHeight());
    EXPECT_EQ(6, pEmpty->getWidth());
    EXPECT_EQ(4, pEmpty->getHeight());
    EXPECT_TRUE(pEmpty->isTransparentAt(2, 2, 0));

    // Colour key: the key colour is transparent.
    RIR::SmartPtr<Image> pKeyed = filled(8, 6, false, Color(255, 0, 255, 255));
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    pKeyed->setPixelAt(2, 1, Color(1, 2, 3, 255));
    pKeyed->setPixelAt(5, 3, Color(4, 5, 6, 255));
    pKeyed->autoTrim();
    expectGeometry(pKeyed.get(), 4, 3, 2, 1, 8, 6);
    EXPECT_COLOR(Color(1, 2, 3, 255), pKeyed->getPixelAt(2, 1));
    EXPECT_COLOR(Color(4, 5, 6, 255), pKeyed->getPixelAt(5, 3));

    // Neither alpha nor key: nothing is transparent, nothing is trimmed.
    RIR::SmartPtr<Image> pOpaque = filled(5, 5, false, Color(0, 0, 0, 255));
    pOpaque->autoTrim();
    expectGeometry(pOpaque.get(), 5, 5, 0, 0, 5, 5);
}

TEST_F(SDLImageTest, SetStoredAreaKeepsTheOldPixelsInPlace)
{
    struct Case
    {
        int x, y, w, h;
    };
    const Case aCases[] = {
        {0, 0, 10, 10}, {2, 1, 2, 3}, {-3, -2, 6, 5}, {7, 7, 3, 3}, {4, 4, 0, 0}};
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(testing::Message()
                     << "area (" << c.x << ", " << c.y << ", " << c.w << ", " << c.h << ")");
        RIR::SmartPtr<Image> pImage = pattern(5, 5, true);
        pImage->setVirtualCanvas(0, 0, 10, 10);
        pImage->setInsPoint(6, 7);
        pImage->setStoredArea(c.x, c.y, c.w, c.h);
        expectGeometry(pImage.get(), c.w, c.h, c.x, c.y, 10, 10);
        EXPECT_EQ(6, pImage->getInsPointX());
        EXPECT_EQ(7, pImage->getInsPointY());
        EXPECT_TRUE(pImage->hasAlpha());
        expectCanvas(pImage.get(), c.x, c.y, c.w, c.h,
                     [&](int i, int j)
                     {
                         const int x = c.x + i;
                         const int y = c.y + j;
                         return (x >= 0 && y >= 0 && x < 5 && y < 5) ? patternColor(x, y, true)
                                                                     : Color(0, 0, 0, 0);
                     });
    }

    // The new store is a plain one: the colour key and image-wide alpha stay behind.
    RIR::SmartPtr<Image> pKeyed = filled(3, 3, false, Color(1, 1, 1, 255));
    pKeyed->setColorKey(Color(1, 1, 1, 255));
    pKeyed->setAlpha(50);
    pKeyed->setStoredArea(0, 0, 4, 4);
    EXPECT_FALSE(pKeyed->hasColorKey());
    EXPECT_EQ(255, pKeyed->getAlpha());
    EXPECT_COLOR(Color(0, 0, 0, 255), pKeyed->getPixelAt(3, 3));

    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { pKeyed->setStoredArea(0, 0, -1, 2); }));
}

TEST_F(SDLImageTest, MakePixelsOwnCopiesTheViewWithItsKeyAlphaAndPalette)
{
    RIR::SmartPtr<Image> pParent = pattern(32, 32, true);
    RIR::SmartPtr<Image> pView = pParent->createSubImage(4, 4, 8, 8, false);
    pView->setInsPoint(2, 3);
    pView->setVirtualCanvas(1, 1, 10, 10);
    int nSX = 0;
    int nSY = 0;
    pView->getSurfaceOffset(&nSX, &nSY);
    EXPECT_EQ(4, nSX);
    EXPECT_EQ(4, nSY);

    pView->makePixelsOwn();
    pView->getSurfaceOffset(&nSX, &nSY);
    EXPECT_EQ(0, nSX);
    EXPECT_EQ(0, nSY);
    expectGeometry(pView.get(), 8, 8, 1, 1, 10, 10);
    EXPECT_EQ(2, pView->getInsPointX());
    EXPECT_EQ(3, pView->getInsPointY());
    EXPECT_NE(sdl(pParent)->getSurface(), sdl(pView)->getSurface());
    int nW = 0;
    int nH = 0;
    sdl(pView)->getSurface()->getSize(&nW, &nH);
    EXPECT_EQ(8, nW);
    EXPECT_EQ(8, nH);
    expectCanvas(pView.get(), 1, 1, 8, 8,
                 [](int i, int j) { return patternColor(i + 4, j + 4, true); });
    pView->fill(Color(0, 0, 0, 0));
    expectCanvas(pParent.get(), 0, 0, 32, 32,
                 [](int i, int j) { return patternColor(i, j, true); });

    // A paletted, keyed picture with an image-wide alpha.
    const std::vector<SDL_Color> lPalette = {{10, 20, 30, 0}, {200, 0, 0, 0}, {0, 200, 0, 0}};
    RIR::SmartPtr<Image> pSheet = ofDepth(8, 6, 6, lPalette);
    fillDistinct(pSheet.get(), 3);
    pSheet->setColorKey(Color(200, 0, 0, 255));
    pSheet->setAlpha(120);
    RIR::SmartPtr<Image> pCell = pSheet->createSubImage(1, 2, 4, 3, true);
    EXPECT_FALSE(pCell->isSharingPixels());
    EXPECT_NE(sdl(pSheet)->getSurface(), sdl(pCell)->getSurface());
    EXPECT_TRUE(sdl(pCell)->getSurface()->hasPalette());
    EXPECT_TRUE(pCell->hasColorKey());
    EXPECT_COLOR(Color(200, 0, 0, 255), pCell->getColorKey());
    EXPECT_EQ(120, pCell->getAlpha());
    expectCanvas(pCell.get(), 0, 0, 4, 3,
                 [&](int i, int j) { return pSheet->getPixelAt(i + 1, j + 2); });
}

TEST_F(SDLImageTest, FlipsMirrorPixelsOfEverySize)
{
    const std::vector<SDL_Color> lPalette = {
        {10, 20, 30, 0}, {200, 0, 0, 0}, {0, 200, 0, 0}, {0, 0, 200, 0}, {9, 99, 199, 0}};
    for (int nDepth : {8, 16, 24, 32})
    {
        SCOPED_TRACE(testing::Message() << nDepth << " bits");
        for (int nFlip = 1; nFlip <= 3; ++nFlip)
        {
            const bool bH = (nFlip & 1) != 0;
            const bool bV = (nFlip & 2) != 0;
            const int W = 5;
            const int H = 3;
            RIR::SmartPtr<Image> pImage = ofDepth(nDepth, W, H, lPalette);
            const std::vector<Color> aBefore = fillDistinct(pImage.get(), 5);
            if (bH)
                pImage->flipHorizontal();
            if (bV)
                pImage->flipVertical();
            pImage->applyPendingChanges();
            expectCanvas(pImage.get(), 0, 0, W, H,
                         [&](int i, int j)
                         {
                             const int x = bH ? W - 1 - i : i;
                             const int y = bV ? H - 1 - j : j;
                             return aBefore[(size_t)y * W + x];
                         });
        }
    }
}

TEST_F(SDLImageTest, PurgedPicturesReloadThroughTheirImages)
{
    std::vector<uint8_t> ab;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
        {
            const Color c =
                (x == 0 && y == 3) ? Color(255, 0, 255, 255) : patternColor(x, y, false);
            ab.insert(ab.end(), {c.r, c.g, c.b});
        }
    m_env.addPicture("door", 4, 4, 3, ab.data());
    m_env.addText("door.colorkey", "");
    RIR::SmartPtr<Image> pDoor = load("door");
    RIR::SmartPtr<Image> pHalf = pDoor->createSubImage(0, 2, 4, 2, false);
    pDoor->setAlpha(90);

    RIR::SmartPtr<Surface> pStore = sdl(pDoor)->getSurface();
    pStore->purgePixels();
    ASSERT_FALSE(pStore->hasPixels());
    EXPECT_TRUE(pDoor->hasColorKey());
    EXPECT_FALSE(pDoor->hasAlpha());

    // Any pixel access brings the picture back, key and alpha included; views see it too.
    EXPECT_TRUE(pHalf->isTransparentAt(0, 1, 0));
    EXPECT_TRUE(pStore->hasPixels());
    EXPECT_COLOR(patternColor(3, 3, false), pHalf->getPixelAt(3, 1));
    EXPECT_EQ(90, pDoor->getAlpha());
    EXPECT_TRUE(sdl(pDoor)->getSDLSurface()->flags & SDL_SRCCOLORKEY);

    // Changed pixels are never dropped again.
    pDoor->multiplyColor(Color(255, 255, 255, 255));
    pStore->purgePixels();
    EXPECT_TRUE(pStore->hasPixels());
}

TEST_F(SDLImageTest, ConversionsShowTheSamePixels)
{
    video()->setFormats(XRGB, ARGB);
    RIR::SmartPtr<Image> pParent = pattern(8, 8, true);
    RIR::SmartPtr<Image> pView = pParent->createSubImage(2, 3, 4, 4, false);
    pView->flipHorizontal();
    pView->setInsPoint(1, 2);

    const PixelFormat BGR(24, 0, 0xFF0000u, 0xFF00u, 0xFFu);
    RIR::SmartPtr<Image> pConverted = pView->convertToFormat(BGR);
    EXPECT_EQ(formatText(BGR), formatText(pConverted->getPixelFormat()));
    EXPECT_FALSE(pConverted->hasAlpha());
    EXPECT_EQ(1, pConverted->getInsPointX());
    EXPECT_EQ(2, pConverted->getInsPointY());
    pView->applyPendingChanges();
    pConverted->applyPendingChanges();
    expectCanvas(pConverted.get(), 0, 0, 4, 4,
                 [&](int i, int j)
                 {
                     Color c = pView->getPixelAt(i, j);
                     c.a = 255;
                     return c;
                 });

    // To the display formats: a view gets its own store first, a keyed picture turns its key
    // into transparent pixels.
    RIR::SmartPtr<Image> pKeyed = filled(3, 2, false, Color(255, 0, 255, 255));
    pKeyed->setPixelAt(1, 1, Color(7, 8, 9, 255));
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    RIR::SmartPtr<Image> pKeyedView = pKeyed->createSubImage(0, 0, 3, 2, false);
    pKeyedView->toDisplayFormatAlpha();
    EXPECT_EQ(formatText(ARGB), formatText(pKeyedView->getPixelFormat()));
    EXPECT_FALSE(pKeyed->hasAlpha());
    expectCanvas(pKeyedView.get(), 0, 0, 3, 2,
                 [](int i, int j)
                 { return (i == 1 && j == 1) ? Color(7, 8, 9, 255) : Color(0, 0, 0, 0); });
    pKeyedView->toDisplayFormat();
    EXPECT_EQ(formatText(XRGB), formatText(pKeyedView->getPixelFormat()));
    EXPECT_COLOR(Color(7, 8, 9, 255), pKeyedView->getPixelAt(1, 1));
}

TEST_F(SDLImageTest, ImagesOverCallerMemory)
{
    uint32_t anPixels[2][4] = {{0xFF112233u, 0x80445566u, 0, 0}, {0x00778899u, 0xFFAABBCCu, 0, 0}};
    RIR::SmartPtr<Image> pImage(factory()->createFromPixels(anPixels, 2, 2, 32, 16, 0xFF0000u,
                                                            0xFF00u, 0xFFu, 0xFF000000u));
    EXPECT_TRUE(pImage->hasAlpha());
    EXPECT_COLOR(Color(0x11, 0x22, 0x33, 0xFF), pImage->getPixelAt(0, 0));
    EXPECT_COLOR(Color(0x44, 0x55, 0x66, 0x80), pImage->getPixelAt(1, 0));
    EXPECT_COLOR(Color(0xAA, 0xBB, 0xCC, 0xFF), pImage->getPixelAt(1, 1));
    pImage->setPixelAt(0, 1, Color(1, 2, 3, 4));
    EXPECT_EQ(0x04010203u, anPixels[1][0]);
    EXPECT_EQ(0u, anPixels[0][2]); // the padding of the rows is left alone

    struct Case
    {
        void* pPixels;
        int nWidth, nHeight, nDepth, nPitch;
    };
    const Case aBad[] = {
        {anPixels, 2, 2, 12, 16},
        {anPixels, 2, 2, 32, 7},
        {nullptr, 2, 2, 32, 16},
        {anPixels, -1, 2, 32, 16},
    };
    for (const Case& c : aBad)
        EXPECT_NE("<nothing raised>",
                  imageMessageOf<RIR::BadParmException>(
                      [&]
                      {
                          delete factory()->createFromPixels(c.pPixels, c.nWidth, c.nHeight,
                                                             c.nDepth, c.nPitch, 0, 0, 0, 0);
                      }))
            << c.nWidth << "x" << c.nHeight << ", " << c.nDepth << " bits, pitch " << c.nPitch;
}

TEST_F(SDLImageTest, MisuseIsReportedNotCarriedOut)
{
    RIR::SmartPtr<Image> pImage = pattern(3, 3, true);
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadStateException>([&] { pImage->getPixel(0, 0); }));
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadStateException>([&] { pImage->unlock(); }));
    {
        ImageLock lock(pImage.get());
        EXPECT_NE("<nothing raised>",
                  imageMessageOf<RIR::BadParmException>([&] { pImage->getPixel(3, 0); }));
        EXPECT_NE("<nothing raised>",
                  imageMessageOf<RIR::BadParmException>([&] { pImage->setPixel(0, -1, Color()); }));
        // Locks nest.
        pImage->lock();
        pImage->unlock();
        EXPECT_COLOR(patternColor(2, 2, true), pImage->getPixel(2, 2));
    }

    MemImageFactory memFactory;
    RIR::SmartPtr<Image> pMem(memFactory.createBlank(2, 2, true));
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { pImage->copyImage(pMem.get(), 0, 0); }));
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { pImage->sharePixels(pMem.get()); }));

    EXPECT_EQ("Assertion failed : pSurf",
              imageMessageOf<RIR::AssertFailException>([] { SDLImage i((SDL_Surface*)nullptr); }));
    EXPECT_EQ("Assertion failed : pImage",
              imageMessageOf<RIR::AssertFailException>(
                  [] { SDLImage i(RIR::SmartPtr<SDLImage>(), Rect(0, 0, 1, 1)); }));

    // A view of a rectangle of the store: inside it, or refused.
    RIR::SmartPtr<SDLImage> pSDL = sdl(pImage);
    SDLImage view(pSDL, Rect(1, 1, 3, 2));
    expectGeometry(&view, 2, 1, 0, 0, 2, 1);
    EXPECT_COLOR(patternColor(2, 1, true), view.getPixelAt(1, 0));
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { SDLImage v(pSDL, Rect(1, 1, 4, 2)); }));
}

TEST_F(SDLImageTest, ChangesReachTheDriverData)
{
    RIR::SmartPtr<Image> pImage = pattern(4, 4, true);
    SDLImage* pSDL = sdl(pImage);
    DrvImageData* pImageData = new DrvImageData();
    DrvSurfaceData* pSurfaceData = new DrvSurfaceData();
    pImageData->setChangeStamp(-1);
    pSurfaceData->setChangeStamp(-1);
    pSDL->setDriverData(pImageData);
    pSDL->getSurface()->setDriverData(pSurfaceData);

    // The geometry changed: only the image's tiles are rebuilt.
    pImage->flipHorizontal();
    EXPECT_EQ(getDriverChangeStamp(), pImageData->getChangeStamp());
    EXPECT_EQ(-1, pSurfaceData->getChangeStamp());
    // The pixels changed: the surface's textures are rebuilt.
    pImage->multiplyAlpha(10);
    EXPECT_EQ(getDriverChangeStamp(), pSurfaceData->getChangeStamp());
}
