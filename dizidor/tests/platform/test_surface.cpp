// Surface: loading pictures with their ".alpha" masks and ".colorkey" markers, conversion to the
// driver's formats, purging and reloading, raw copies; and pictures written by ImageMagick.
#include "../gfx/test_image_fixture.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"
#include "sdlimagetestenv.h"

#include "rir2/exception.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<Surface>, "a pixel store is shared, never copied");
static_assert(std::is_base_of_v<RIR::RefCountedObject, Surface>, "images share it by reference");

namespace
{

// Display formats with the channels in another order than pictures decode to, so that a
// conversion shows in the format.
const PixelFormat XRGB(32, 0, 0xFF0000u, 0xFF00u, 0xFFu);
const PixelFormat ARGB(32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu);
// What 8-bit RGB and RGBA pictures decode to.
const PixelFormat DECODED_RGB(24, 0, 0xFFu, 0xFF00u, 0xFF0000u);
const PixelFormat DECODED_RGBA(32, 0xFF000000u, 0xFFu, 0xFF00u, 0xFF0000u);

PixelFormat formatOf(const Surface& surface)
{
    const SDL_PixelFormat* p = surface.getFormat();
    return PixelFormat(p->BitsPerPixel, p->Amask, p->Rmask, p->Gmask, p->Bmask);
}

std::string formatText(const PixelFormat& f)
{
    char ac[96];
    std::snprintf(ac, sizeof(ac), "%u bits A %08X R %08X G %08X B %08X",
                  (unsigned)f.m_nBitsPerPixel, (unsigned)f.m_nAlphaMask, (unsigned)f.m_nRedMask,
                  (unsigned)f.m_nGreenMask, (unsigned)f.m_nBlueMask);
    return ac;
}
#define EXPECT_FORMAT(expected, surface)                                                           \
    EXPECT_EQ(formatText(expected), formatText(formatOf(surface)))

typedef std::function<Color(int, int)> PixelFn;

} // namespace

class SurfaceTest : public ::testing::Test
{
protected:
    // Stores a picture of nChannels (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA) as pszName + ".png".
    void addPicture(const char* pszName, int nWidth, int nHeight, int nChannels, const PixelFn& fn)
    {
        std::vector<uint8_t> ab;
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
            {
                const Color c = fn(x, y);
                const uint8_t aAll[4] = {c.r, c.g, c.b, c.a};
                if (nChannels == 1)
                    ab.push_back(c.r);
                else if (nChannels == 2)
                {
                    ab.push_back(c.r);
                    ab.push_back(c.a);
                }
                else
                    ab.insert(ab.end(), aAll, aAll + nChannels);
            }
        m_env.addPicture(pszName, nWidth, nHeight, nChannels, ab.data());
    }

    // Expects every pixel of the surface to be expected(x, y).
    static void expectPixels(Surface* pSurface, const PixelFn& expected)
    {
        int nWidth = 0;
        int nHeight = 0;
        pSurface->getSize(&nWidth, &nHeight);
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                EXPECT_COLOR(expected(x, y), pSurface->getPixelLocked(x, y))
                    << "at (" << x << ", " << y << ")";
    }

    SDLImageTestVideo m_video;
    SDLImageFactory m_factory;
    MemImageEnvironment m_env{&m_factory};
};

// The bottom-left pixel is the one the ".colorkey" marker makes the key.
static Color doorColor(int x, int y)
{
    return (x == 0 && y == 3) ? Color(255, 0, 255, 255) : patternColor(x, y, false);
}

TEST_F(SurfaceTest, PicturesAreFoundByTheirExtensionsAndConverted)
{
    m_video.video()->setFormats(XRGB, ARGB);
    addPicture("plain", 5, 4, 3, [](int x, int y) { return patternColor(x, y, false); });
    addPicture("glass", 5, 4, 4, [](int x, int y) { return patternColor(x, y, true); });
    struct Case
    {
        const char* pszName;
        bool bConvert;
        PixelFormat format;
        bool bAlpha;
    };
    const Case aCases[] = {
        {"plain", true, XRGB, false},     {"plain", false, DECODED_RGB, false},
        {"glass", true, ARGB, true},      {"glass", false, DECODED_RGBA, true},
        {"plain.png", true, XRGB, false}, {"GLASS", true, ARGB, true},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.pszName << (c.bConvert ? " converted" : " as decoded"));
        RIR::SmartPtr<Surface> pSurface = new Surface(c.pszName, c.bConvert, true);
        EXPECT_FORMAT(c.format, *pSurface);
        EXPECT_EQ(c.bAlpha, pSurface->hasAlphaChannel());
        EXPECT_FALSE(pSurface->hasColorKey());
        EXPECT_FALSE(pSurface->hasPalette());
        EXPECT_FALSE(pSurface->isModified());
        EXPECT_EQ(RIR::String(c.pszName), pSurface->getResourcePrefix());
        EXPECT_EQ(1.0f, pSurface->getScale());
        EXPECT_EQ(255, pSurface->getAlpha());
        EXPECT_EQ(5, pSurface->getWidth());
        EXPECT_EQ(4, pSurface->getHeight());
        const bool bAlpha = c.bAlpha;
        expectPixels(pSurface.get(), [bAlpha](int x, int y) { return patternColor(x, y, bAlpha); });
    }
}

TEST_F(SurfaceTest, LoadFailuresNameWhatIsMissing)
{
    EXPECT_EQ("Surface::loadFromFiles : resource nothere not found",
              imageMessageOf<RIR::BadParmException>([] { Surface s("nothere", true, true); }));

    m_env.addText("junk.png", "no picture");
    const std::string sJunk =
        imageMessageOf<RIR::ResourceException>([] { Surface s("junk", true, true); });
    EXPECT_EQ(0u, sJunk.find("Surface::loadFromResource : Can't load junk.png [")) << sJunk;

    // A mask that cannot be decoded fails the picture as well, and nothing is left behind.
    addPicture("door", 4, 4, 3, doorColor);
    m_env.addText("door.alpha.png", "no mask");
    const std::string sMask =
        imageMessageOf<RIR::ResourceException>([] { Surface s("door", true, true); });
    EXPECT_EQ(0u, sMask.find("Surface::loadFromResource : Can't load door.alpha.png [")) << sMask;

    // Pixels outside the surface are refused, not read.
    Surface plain("door", false, false);
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { plain.getPixelLocked(4, 0); }));
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::BadParmException>([&] { plain.setPixelLocked(0, -1, Color()); }));
}

TEST_F(SurfaceTest, ColorKeyMarkerMakesTheBottomLeftPixelTheKey)
{
    m_video.video()->setFormats(XRGB, ARGB);
    addPicture("door", 4, 4, 3, doorColor);
    m_env.addText("door.colorkey", "");
    addPicture("window", 4, 4, 3, doorColor);

    for (const char* pszName : {"door", "door.png"})
    {
        SCOPED_TRACE(pszName);
        Surface door(pszName, true, true);
        EXPECT_TRUE(door.hasColorKey());
        EXPECT_COLOR(Color(255, 0, 255, 255), door.getColorKey());
        EXPECT_TRUE(door.getSDLSurface()->flags & SDL_SRCCOLORKEY);
        // A keyed picture keeps the format it was decoded in.
        EXPECT_FORMAT(DECODED_RGB, door);
        expectPixels(&door, doorColor);
    }
    EXPECT_FALSE(Surface("window", true, true).hasColorKey());

    // The marker's stem is the resolved name without its last four characters; shorter names
    // have an empty stem.
    RIR::SmartPtr<RIR::Resource> pDoor = m_env.getResource("door.png");
    for (const char* pszName : {"ab", "abcd", "abcde"})
        m_env.addResource(pszName, pDoor->getData(), pDoor->getSize());
    EXPECT_FALSE(Surface("ab", true, true).hasColorKey());
    m_env.addText(".colorkey", "");
    EXPECT_TRUE(Surface("ab", true, true).hasColorKey());
    EXPECT_TRUE(Surface("abcd", true, true).hasColorKey());
    EXPECT_FALSE(Surface("abcde", true, true).hasColorKey());
    m_env.addText("a.colorkey", "");
    EXPECT_TRUE(Surface("abcde", true, true).hasColorKey());
}

TEST_F(SurfaceTest, AlphaMaskBecomesTheAlphaChannel)
{
    const PixelFormat ALPHA_LOW(32, 0xFFu, 0xFF000000u, 0xFF0000u, 0xFF00u);
    const PixelFn picture = [](int x, int y) { return patternColor(x, y, false); };
    const PixelFn maskColor = [](int x, int y)
    { return Color(10 * x + 7 * y, 255 - x, 3 * y, 30 + 20 * x + y); };
    struct Case
    {
        const char* pszWhat;
        int nMaskChannels;
        PixelFormat alphaFormat;
        std::function<int(int, int)> expectedAlpha;
    };
    const Case aCases[] = {
        {"mask with alpha", 4, DECODED_RGBA, [&](int x, int y) { return maskColor(x, y).a; }},
        {"24-bit mask, first byte", 3, DECODED_RGBA,
         [&](int x, int y) { return maskColor(x, y).r; }},
        {"grey mask", 1, DECODED_RGBA, [&](int x, int y) { return maskColor(x, y).r; }},
        {"24-bit mask, alpha in the low byte", 3, ALPHA_LOW,
         [&](int x, int y) { return maskColor(x, y).r; }},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszWhat);
        m_video.video()->setFormats(DECODED_RGB, c.alphaFormat);
        addPicture("door", 5, 4, 3, picture);
        addPicture("door.alpha", 5, 4, c.nMaskChannels, maskColor);
        Surface door("door", true, true);
        EXPECT_FORMAT(c.alphaFormat, door);
        expectPixels(&door,
                     [&](int x, int y)
                     {
                         Color expected = picture(x, y);
                         expected.a = (uint8_t)c.expectedAlpha(x, y);
                         return expected;
                     });
    }

    // Without the mask flag, or for a name that is itself a mask, no mask is looked for.
    m_video.video()->setFormats(DECODED_RGB, DECODED_RGBA);
    EXPECT_FALSE(Surface("door", true, false).hasAlphaChannel());
    addPicture("door.alpha.alpha", 5, 4, 1, [](int, int) { return Color(0, 0, 0, 255); });
    Surface mask("door.alpha", true, true);
    EXPECT_FALSE(mask.hasAlphaChannel());
}

TEST_F(SurfaceTest, SmallerMaskChangesTheCommonAreaOnly)
{
    addPicture("door", 4, 4, 3, doorColor);
    addPicture("door.alpha", 2, 3, 1,
               [](int x, int y) { return Color(10 + x + 10 * y, 0, 0, 255); });
    Surface door("door", true, true);
    expectPixels(&door,
                 [](int x, int y)
                 {
                     Color c = doorColor(x, y);
                     if (x < 2 && y < 3)
                         c.a = (uint8_t)(10 + x + 10 * y);
                     return c;
                 });

    // A mask wider but shorter than the picture, with the byte-copying path.
    addPicture("wide", 3, 3, 3, doorColor);
    addPicture("wide.alpha", 6, 2, 3, [](int x, int) { return Color(50 + x, 1, 2, 255); });
    Surface wide("wide", true, true);
    expectPixels(&wide,
                 [](int x, int y)
                 {
                     Color c = doorColor(x, y);
                     if (y < 2)
                         c.a = (uint8_t)(50 + x);
                     return c;
                 });
}

// An uncompressed TGA picture, 24-bit, rows stored bottom-up as the format's default.
static std::vector<uint8_t> makeTga24(int nWidth, int nHeight, const PixelFn& fn)
{
    std::vector<uint8_t> ab = {0,
                               0,
                               2,
                               0,
                               0,
                               0,
                               0,
                               0,
                               0,
                               0,
                               0,
                               0,
                               (uint8_t)nWidth,
                               (uint8_t)(nWidth >> 8),
                               (uint8_t)nHeight,
                               (uint8_t)(nHeight >> 8),
                               24,
                               0};
    for (int y = nHeight - 1; y >= 0; --y)
        for (int x = 0; x < nWidth; ++x)
        {
            const Color c = fn(x, y);
            ab.push_back(c.b);
            ab.push_back(c.g);
            ab.push_back(c.r);
        }
    return ab;
}

TEST_F(SurfaceTest, TgaPicturesLoadThoughTheyHaveNoSignature)
{
    const PixelFn picture = [](int x, int y) { return patternColor(x, y, false); };
    const std::vector<uint8_t> abTga = makeTga24(5, 3, picture);
    m_env.addResource("crate.tga", abTga.data(), (int)abTga.size());
    m_env.addResource("BARREL.TGA", abTga.data(), (int)abTga.size());
    for (const char* pszName : {"crate", "crate.tga", "BARREL.TGA"})
    {
        SCOPED_TRACE(pszName);
        Surface crate(pszName, true, true);
        EXPECT_EQ(5, crate.getWidth());
        EXPECT_EQ(3, crate.getHeight());
        expectPixels(&crate, picture);
    }
    // Named otherwise, the same bytes are not recognised.
    m_env.addResource("crate2.png", abTga.data(), (int)abTga.size());
    EXPECT_NE("<nothing raised>",
              imageMessageOf<RIR::ResourceException>([] { Surface s("crate2", true, true); }));
}

TEST_F(SurfaceTest, PurgedPixelsReloadWithTheirKeyAndAlpha)
{
    addPicture("door", 4, 4, 3, doorColor);
    m_env.addText("door.colorkey", "");
    RIR::SmartPtr<Surface> pDoor = new Surface("door", true, true);
    // Key and alpha set after loading are what a reload restores, not the marker's key.
    const Color newKey = doorColor(1, 1);
    pDoor->setColorKey(newKey);
    pDoor->setAlpha(100);

    pDoor->purgePixels();
    EXPECT_FALSE(pDoor->hasPixels());
    // Format questions are answered without the pixels.
    EXPECT_TRUE(pDoor->hasColorKey());
    EXPECT_COLOR(newKey, pDoor->getColorKey());
    EXPECT_EQ(100, pDoor->getAlpha());
    EXPECT_FORMAT(DECODED_RGB, *pDoor);
    EXPECT_EQ(4, pDoor->getWidth());

    EXPECT_COLOR(doorColor(2, 3), pDoor->getPixelLocked(2, 3));
    ASSERT_TRUE(pDoor->hasPixels());
    SDL_Surface* pSurf = pDoor->getSDLSurface();
    EXPECT_TRUE(pSurf->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(SDL_MapRGB(pSurf->format, newKey.r, newKey.g, newKey.b), pSurf->format->colorkey);
    EXPECT_TRUE(pSurf->flags & SDL_SRCALPHA);
    EXPECT_EQ(100, pSurf->format->alpha);
    EXPECT_COLOR(newKey, pDoor->getColorKey());
    expectPixels(pDoor.get(), doorColor);

    // A masked picture gets its mask again.
    addPicture("glass", 3, 2, 3, doorColor);
    addPicture("glass.alpha", 3, 2, 1, [](int x, int y) { return Color(40 * x + y, 0, 0, 255); });
    RIR::SmartPtr<Surface> pGlass = new Surface("glass", true, true);
    pGlass->purgePixels();
    EXPECT_FALSE(pGlass->hasPixels());
    expectPixels(pGlass.get(),
                 [](int x, int y)
                 {
                     Color c = doorColor(x, y);
                     c.a = (uint8_t)(40 * x + y);
                     return c;
                 });
}

TEST_F(SurfaceTest, ChangedPixelsAreNeverPurged)
{
    addPicture("door", 4, 4, 3, doorColor);
    const std::function<void(Surface*)> aChanges[] = {
        [](Surface* p) { p->markChanged(); },
        [](Surface* p) { p->setScale(2.0f); },
    };
    for (const auto& change : aChanges)
    {
        RIR::SmartPtr<Surface> pDoor = new Surface("door", true, true);
        change(pDoor.get());
        pDoor->purgePixels();
        EXPECT_TRUE(pDoor->isModified());
        EXPECT_TRUE(pDoor->hasPixels());
    }
    RIR::SmartPtr<Surface> pMade =
        new Surface(createSurfaceInFormat(2, 2, getDisplayPixelFormat(true)));
    EXPECT_TRUE(pMade->isModified());
    EXPECT_EQ(RIR::String(), pMade->getResourcePrefix());
    pMade->purgePixels();
    EXPECT_TRUE(pMade->hasPixels());
    EXPECT_EQ("Assertion failed : pSurf",
              imageMessageOf<RIR::AssertFailException>([] { Surface s((SDL_Surface*)nullptr); }));

    // Driver data is stamped when the pixels change, and goes with the surface.
    DrvSurfaceData* pData = new DrvSurfaceData();
    pData->setChangeStamp(-5);
    pMade->setDriverData(pData);
    pMade->markChanged();
    EXPECT_EQ(getDriverChangeStamp(), pData->getChangeStamp());
}

TEST_F(SurfaceTest, DisplayFormatForTextureUpload)
{
    m_video.video()->setFormats(XRGB, ARGB);
    addPicture("door", 4, 4, 3, doorColor);
    m_env.addText("door.colorkey", "");
    RIR::SmartPtr<Surface> pDoor = new Surface("door", true, true);
    pDoor->setScale(1.5f);
    RIR::SmartPtr<Surface> pShown = pDoor->displayFormat();
    // A keyed picture goes to the alpha format, its key pixels transparent.
    EXPECT_FORMAT(ARGB, *pShown);
    EXPECT_TRUE(pShown->isModified());
    EXPECT_TRUE(pShown->hasColorKey());
    EXPECT_EQ(1.5f, pShown->getScale());
    expectPixels(pShown.get(),
                 [](int x, int y)
                 {
                     const Color c = doorColor(x, y);
                     return c == Color(255, 0, 255, 255) ? Color(0, 0, 0, 0) : c;
                 });

    addPicture("plain", 3, 3, 3, doorColor);
    RIR::SmartPtr<Surface> pPlain = new Surface("plain", false, false);
    pPlain->setAlpha(77);
    RIR::SmartPtr<Surface> pPlainShown = pPlain->displayFormat();
    EXPECT_FORMAT(XRGB, *pPlainShown);
    EXPECT_EQ(77, pPlainShown->getAlpha());
    EXPECT_FALSE(pPlainShown->hasColorKey());
    expectPixels(pPlainShown.get(), doorColor);
}

TEST_F(SurfaceTest, CopyPixelsRawCopiesVerbatimAndRestoresTheSource)
{
    RIR::SmartPtr<Surface> pSrc = new Surface(createSurfaceInFormat(3, 2, DECODED_RGBA));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            pSrc->setPixelLocked(x, y, patternColor(x, y, true));
    pSrc->setPixelLocked(2, 1, Color(255, 0, 255, 0));
    pSrc->setColorKey(Color(255, 0, 255, 255));
    pSrc->setAlpha(200);
    SDL_Surface* pSrcSurf = pSrc->getSDLSurface();
    const Uint32 nFlags = pSrcSurf->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY);
    const Uint32 nKey = pSrcSurf->format->colorkey;

    RIR::SmartPtr<Surface> pDst = new Surface(createSurfaceInFormat(5, 4, DECODED_RGBA));
    SDL_FillRect(pDst->getSDLSurface(), nullptr, 0x09090909u);
    copyPixelsRaw(pSrcSurf, pDst->getSDLSurface(), 0, 0, 3, 2, 2, 2);
    expectPixels(pDst.get(),
                 [](int x, int y)
                 {
                     if (x < 2 || y < 2)
                         return Color(9, 9, 9, 9);
                     if (x == 4 && y == 3)
                         return Color(255, 0, 255, 0);
                     return patternColor(x - 2, y - 2, true);
                 });
    EXPECT_EQ(nFlags, pSrcSurf->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY));
    EXPECT_EQ(nKey, pSrcSurf->format->colorkey);
    EXPECT_EQ(200, pSrcSurf->format->alpha);
}

// ---- pictures written by ImageMagick -----------------------------------------------------------

class ForeignPictureTest : public SurfaceTest
{
protected:
    static constexpr int W = 12;
    static constexpr int H = 8;

    // A smooth picture (JPEG keeps it within a small error), with varied alpha.
    static Color source(int x, int y)
    {
        return Color(20 * x + 5, 30 * y + 4, 200 - 10 * x - 5 * y, 30 + 15 * x + 10 * y);
    }
    static Color opaque(int x, int y)
    {
        Color c = source(x, y);
        c.a = 255;
        return c;
    }
    // Few colours and one transparent one, for a palette picture.
    static Color paletted(int x, int y)
    {
        if ((x + y) % 4 == 0)
            return Color(0, 0, 0, 0);
        return Color(x < W / 2 ? 250 : 20, y < H / 2 ? 200 : 60, 90, 255);
    }
    static Color grey(int x, int y) { return Color(20 * x + 10 * y, 0, 0, 255); }

    void SetUp() override
    {
        if (!haveConvert())
            GTEST_SKIP() << "ImageMagick's convert is not installed";
        ASSERT_TRUE(m_folder.isValid());
        m_sRGBA = writePam("rgba.pam", "RGB_ALPHA", source);
        m_sRGB = writePam("rgb.pam", "RGB", source);
        m_sPalette = writePam("pal.pam", "RGB_ALPHA", paletted);
        m_sGrey = writePam("grey.pam", "GRAYSCALE", grey);
    }

    // A PAM file of the picture with the channels of the tuple type.
    std::string writePam(const char* pszFile, const std::string& sType, const PixelFn& fn)
    {
        const int nDepth = sType == "RGB_ALPHA" ? 4 : sType == "RGB" ? 3 : 1;
        const std::string sHeader = "P7\nWIDTH " + std::to_string(W) + "\nHEIGHT " +
                                    std::to_string(H) + "\nDEPTH " + std::to_string(nDepth) +
                                    "\nMAXVAL 255\nTUPLTYPE " + sType + "\nENDHDR\n";
        std::vector<uint8_t> ab(sHeader.begin(), sHeader.end());
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
            {
                const Color c = fn(x, y);
                const uint8_t aAll[4] = {c.r, c.g, c.b, c.a};
                ab.insert(ab.end(), aAll, aAll + nDepth);
            }
        const std::string sPath = m_folder.file(pszFile);
        EXPECT_TRUE(writeFileBytes(sPath, ab));
        return sPath;
    }

    // Converts the source file with the options into sOutput (a format prefix such as "PNG32:"
    // allowed) and stores the result as the resource pszResource.
    void make(const std::string& sSource, const std::vector<std::string>& lOptions,
              const std::string& sOutput, const char* pszResource)
    {
        const size_t nColon = sOutput.find(':');
        const std::string sFile =
            nColon == std::string::npos ? sOutput : sOutput.substr(nColon + 1);
        const std::string sPath = m_folder.file(sFile);
        std::vector<std::string> lArgs = {sSource};
        lArgs.insert(lArgs.end(), lOptions.begin(), lOptions.end());
        lArgs.push_back(sOutput.substr(0, nColon == std::string::npos ? 0 : nColon + 1) + sPath);
        ASSERT_TRUE(runConvert(lArgs)) << "convert " << sSource << " -> " << sOutput;
        const std::vector<uint8_t> ab = readFileBytes(sPath);
        ASSERT_FALSE(ab.empty());
        m_env.addResource(pszResource, ab.data(), (int)ab.size());
    }

    static void expectNear(Surface* pSurface, const PixelFn& expected, int nTolerance)
    {
        ASSERT_EQ(W, pSurface->getWidth());
        ASSERT_EQ(H, pSurface->getHeight());
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
            {
                const Color e = expected(x, y);
                const Color a = pSurface->getPixelLocked(x, y);
                EXPECT_TRUE(std::abs(e.r - a.r) <= nTolerance &&
                            std::abs(e.g - a.g) <= nTolerance &&
                            std::abs(e.b - a.b) <= nTolerance && std::abs(e.a - a.a) <= nTolerance)
                    << "at (" << x << ", " << y << "): expected " << imageText(e) << ", got "
                    << imageText(a);
            }
    }

    TempFolder m_folder;
    std::string m_sRGBA;
    std::string m_sRGB;
    std::string m_sPalette;
    std::string m_sGrey;
};

TEST_F(ForeignPictureTest, PngJpegAndTgaLoadWithTheirPixels)
{
    make(m_sRGBA, {}, "PNG32:a.png", "rgba.png");
    make(m_sRGB, {}, "PNG24:b.png", "rgb.png");
    make(m_sRGB, {"-quality", "100", "-sampling-factor", "1x1"}, "c.jpg", "photo.jpg");
    // convert writes TGA rows in the order it holds them and marks them bottom-up unless told
    // otherwise: the pictures say top-down where the rows are, or are flipped to bottom-up.
    make(m_sRGBA, {"-orient", "TopLeft"}, "d.tga", "rgba.tga");
    make(m_sRGBA, {"-orient", "TopLeft", "-compress", "RLE"}, "e.tga", "rle.tga");
    make(m_sRGB, {"-flip"}, "f.tga", "rgb24.tga");
    struct Case
    {
        const char* pszName;
        bool bAlpha;
        int nTolerance;
    };
    const Case aCases[] = {
        {"rgba", true, 0},     {"rgb", false, 0}, {"photo", false, 6},
        {"rgba.tga", true, 0}, {"rle", true, 0},  {"rgb24", false, 0},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        Surface picture(c.pszName, true, true);
        EXPECT_EQ(c.bAlpha, picture.hasAlphaChannel());
        EXPECT_FORMAT(getDisplayPixelFormat(c.bAlpha), picture);
        expectNear(&picture, c.bAlpha ? source : opaque, c.nTolerance);
    }
}

TEST_F(ForeignPictureTest, JpegPictureWithJpegAndPngMasks)
{
    make(m_sRGB, {"-quality", "100", "-sampling-factor", "1x1"}, "door.jpg", "door.jpg");
    make(m_sGrey, {"-quality", "100"}, "door.alpha.jpg", "door.alpha.jpg");
    make(m_sRGB, {"-quality", "100", "-sampling-factor", "1x1"}, "gate.jpg", "gate.jpg");
    make(m_sGrey, {}, "PNG8:gate.alpha.png", "gate.alpha.png");
    for (const char* pszName : {"door", "gate"})
    {
        SCOPED_TRACE(pszName);
        Surface picture(pszName, true, true);
        EXPECT_FORMAT(getDisplayPixelFormat(true), picture);
        expectNear(
            &picture,
            [](int x, int y)
            {
                Color c = opaque(x, y);
                c.a = grey(x, y).r;
                return c;
            },
            6);
    }
}

TEST_F(ForeignPictureTest, PalettePngWithATransparentIndexIsColourKeyed)
{
    make(m_sPalette, {}, "PNG8:p.png", "sign.png");
    RIR::SmartPtr<Image> pSign = m_env.getImage("sign");
    RIR::SmartPtr<SDLImage> pSDLSign = RIR::dynamicCast<SDLImage>(pSign);
    ASSERT_TRUE(pSDLSign);
    EXPECT_TRUE(pSDLSign->getSurface()->hasPalette());
    EXPECT_TRUE(pSign->hasColorKey());
    EXPECT_FALSE(pSign->hasAlpha());
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            const Color e = paletted(x, y);
            if (e.a == 0)
                EXPECT_TRUE(pSign->isTransparentAt(x, y, 0)) << "at (" << x << ", " << y << ")";
            else
            {
                EXPECT_FALSE(pSign->isTransparentAt(x, y, 0)) << "at (" << x << ", " << y << ")";
                EXPECT_COLOR(e, pSign->getPixelAt(x, y)) << "at (" << x << ", " << y << ")";
            }
        }

    // Drawn onto an opaque picture, the key leaves the background; in the alpha format it is
    // transparent.
    RIR::SmartPtr<Image> pBack(m_factory.createBlank(W, H, false));
    pBack->fill(Color(1, 2, 3, 255));
    pBack->blendImage(pSign.get(), 0, 0);
    pSign->toDisplayFormatAlpha();
    EXPECT_TRUE(pSign->hasAlpha());
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            const Color e = paletted(x, y);
            EXPECT_COLOR(e.a ? e : Color(1, 2, 3, 255), pBack->getPixelAt(x, y));
            EXPECT_COLOR(e, pSign->getPixelAt(x, y));
        }
}
