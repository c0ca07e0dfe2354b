// The in-memory image back-end of the test kit beyond the shared image table: its change
// notifications, its strictness, its PNG reader and the picture side files it reads itself.
#include "gfx/imagefactory.h"
#include "test_image_fixture.h"
#include "testkit/memimage.h"
#include "testkit/memimagefactory.h"
#include "testkit/testpng.h"

#include <zlib.h>

#include <cstdlib>

namespace
{

class MemImageKit : public ImageTable<MemImageKit>
{
public:
    static ImageFactory* createFactory() { return new MemImageFactory(); }

protected:
    static MemImage* mem(const RIR::SmartPtr<Image>& p) { return dynamic_cast<MemImage*>(p.get()); }
};

// PNG bytes whose row y uses filter y % 5, so that every filter is read back.
std::vector<uint8_t> pngWithAllFilters(int nWidth, int nHeight, const std::vector<uint8_t>& abRGBA)
{
    const size_t nRow = (size_t)nWidth * 4;
    std::vector<uint8_t> abRaw;
    for (int y = 0; y < nHeight; ++y)
    {
        const int nFilter = y % 5;
        abRaw.push_back((uint8_t)nFilter);
        for (size_t i = 0; i < nRow; ++i)
        {
            const int x = abRGBA[y * nRow + i];
            const int a = i >= 4 ? abRGBA[y * nRow + i - 4] : 0;
            const int b = y > 0 ? abRGBA[(y - 1) * nRow + i] : 0;
            const int c = (y > 0 && i >= 4) ? abRGBA[(y - 1) * nRow + i - 4] : 0;
            const int p = a + b - c;
            const int nPaeth =
                (std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c))
                    ? a
                    : (std::abs(p - b) <= std::abs(p - c) ? b : c);
            const int anPredicted[5] = {0, a, b, (a + b) >> 1, nPaeth};
            abRaw.push_back((uint8_t)(x - anPredicted[nFilter]));
        }
    }
    uLongf nPacked = compressBound((uLong)abRaw.size());
    std::vector<uint8_t> abPacked(nPacked);
    compress(abPacked.data(), &nPacked, abRaw.data(), (uLong)abRaw.size());
    abPacked.resize(nPacked);

    std::vector<uint8_t> ab = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* pszType, const std::vector<uint8_t>& abData)
    {
        const uint32_t n = (uint32_t)abData.size();
        const uint8_t abLength[4] = {(uint8_t)(n >> 24), (uint8_t)(n >> 16), (uint8_t)(n >> 8),
                                     (uint8_t)n};
        ab.insert(ab.end(), abLength, abLength + 4);
        const size_t nTypeAt = ab.size();
        ab.insert(ab.end(), pszType, pszType + 4);
        ab.insert(ab.end(), abData.begin(), abData.end());
        const uint32_t nCrc = (uint32_t)crc32(0L, ab.data() + nTypeAt, (uInt)(4 + n));
        const uint8_t abCrc[4] = {(uint8_t)(nCrc >> 24), (uint8_t)(nCrc >> 16),
                                  (uint8_t)(nCrc >> 8), (uint8_t)nCrc};
        ab.insert(ab.end(), abCrc, abCrc + 4);
    };
    chunk("IHDR", {0, 0, 0, (uint8_t)nWidth, 0, 0, 0, (uint8_t)nHeight, 8, 6, 0, 0, 0});
    chunk("IDAT", abPacked);
    chunk("IEND", {});
    return ab;
}

} // namespace

TEST_F(MemImageKit, ChangeNotificationsAreCounted)
{
    RIR::SmartPtr<Image> pImage = this->pattern(4, 4, true);
    MemImage* pMem = mem(pImage);
    const int nPixels = pMem->getStore()->getChangeCount();
    const int nGeometry = pMem->getGeometryChanges();

    pImage->multiplyAlpha(255);
    EXPECT_EQ(nPixels, pMem->getStore()->getChangeCount());
    pImage->multiplyAlpha(128);
    EXPECT_EQ(nPixels + 1, pMem->getStore()->getChangeCount());

    pImage->flipHorizontal();
    EXPECT_EQ(nGeometry + 1, pMem->getGeometryChanges());

    // The alpha mask reports both: the geometry hook and the changed pixels.
    const int nBefore = pMem->getStore()->getChangeCount();
    pImage->applyAlphaMask(this->pattern(4, 4, false).get(), 1);
    EXPECT_EQ(nGeometry + 2, pMem->getGeometryChanges());
    EXPECT_LT(nBefore, pMem->getStore()->getChangeCount());
    EXPECT_EQ(0, pMem->getLockDepth());
}

TEST_F(MemImageKit, PixelAccessNeedsALockAndAStoredPixel)
{
    RIR::SmartPtr<Image> pImage = this->blank(3, 2, true);
    EXPECT_EQ("MemImage::getPixel : image not locked",
              imageMessageOf<RIR::BadStateException>([&] { pImage->getPixel(0, 0); }));
    pImage->lock();
    EXPECT_EQ("MemImage::setPixel : (3, 0) outside the stored 3 x 2 pixels",
              imageMessageOf<RIR::BadParmException>([&] { pImage->setPixel(3, 0, Color()); }));
    pImage->unlock();
    EXPECT_EQ("MemImage::unlock : image not locked",
              imageMessageOf<RIR::BadStateException>([&] { pImage->unlock(); }));
    EXPECT_EQ("MemPixelStore : bad size -1 x 5",
              imageMessageOf<RIR::BadParmException>([&] { pImage->setStoredArea(0, 0, -1, 5); }));
}

TEST_F(MemImageKit, PngReaderTakesEveryFilterAndRefusesDamage)
{
    std::vector<uint8_t> abRGBA;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x)
        {
            const Color c = patternColor(x * 7, y * 3, true);
            abRGBA.insert(abRGBA.end(), {c.r, c.g, c.b, c.a});
        }
    const std::vector<uint8_t> abPng = pngWithAllFilters(5, 7, abRGBA);
    DecodedPng png;
    RIR::String sError;
    ASSERT_TRUE(decodeTestPng(abPng.data(), abPng.size(), &png, &sError)) << sError.c_str();
    EXPECT_EQ(5, png.m_nWidth);
    EXPECT_EQ(7, png.m_nHeight);
    EXPECT_TRUE(png.m_bAlpha);
    EXPECT_EQ(abRGBA, png.m_abRGBA);

    // Grey pictures with and without alpha come back as RGBA.
    const uint8_t abGrey[4] = {10, 200, 30, 40};
    const std::vector<uint8_t> abGreyPng = encodeTestPng(2, 1, 2, abGrey);
    ASSERT_TRUE(decodeTestPng(abGreyPng.data(), abGreyPng.size(), &png, nullptr));
    EXPECT_EQ(std::vector<uint8_t>({10, 10, 10, 200, 30, 30, 30, 40}), png.m_abRGBA);
    const std::vector<uint8_t> abPlainPng = encodeTestPng(2, 2, 1, abGrey);
    ASSERT_TRUE(decodeTestPng(abPlainPng.data(), abPlainPng.size(), &png, nullptr));
    EXPECT_FALSE(png.m_bAlpha);
    EXPECT_EQ(255, png.m_abRGBA[15]);

    struct Damage
    {
        size_t nAt; // byte changed, or the new size when nValue < 0
        int nValue;
        const char* pszReason;
    };
    const Damage aDamages[] = {
        {0, 'X', "not a PNG picture"},
        {20, 0x55, "IHDR: CRC error"},
        {abPng.size() - 20, -1, "the picture data ends early"},
        {8, -1, "the picture data ends early"},
    };
    for (const Damage& d : aDamages)
    {
        std::vector<uint8_t> ab = abPng;
        if (d.nValue < 0)
            ab.resize(d.nAt);
        else
            ab[d.nAt] = (uint8_t)d.nValue;
        EXPECT_FALSE(decodeTestPng(ab.data(), ab.size(), &png, &sError));
        EXPECT_STREQ(d.pszReason, sError.c_str());
    }
}

TEST_F(MemImageKit, PicturesOverCallerMemoryUseTheirMasks)
{
    // 16-bit 5-6-5 pixels, blue in the low bits, with a padded pitch.
    uint16_t anPixels[2 * 4] = {0xF800, 0x07E0, 0x001F, 0, 0xFFFF, 0, 0, 0};
    RIR::SmartPtr<Image> pImage =
        this->factory()->createFromPixels(anPixels, 3, 2, 16, 8, 0xF800, 0x07E0, 0x001F, 0);
    this->expectGeometry(pImage.get(), 3, 2, 0, 0, 3, 2);
    EXPECT_FALSE(pImage->hasAlpha());
    EXPECT_COLOR(Color(255, 0, 0, 255), pImage->getPixelAt(0, 0));
    EXPECT_COLOR(Color(0, 255, 0, 255), pImage->getPixelAt(1, 0));
    EXPECT_COLOR(Color(0, 0, 255, 255), pImage->getPixelAt(2, 0));
    EXPECT_COLOR(Color(255, 255, 255, 255), pImage->getPixelAt(0, 1));
    pImage->setPixelAt(1, 1, Color(255, 0, 255, 255));
    EXPECT_EQ(0xF81F, anPixels[5]);

    EXPECT_EQ("MemPixelStore : unsupported depth 12",
              imageMessageOf<RIR::BadParmException>(
                  [&] { this->factory()->createFromPixels(anPixels, 3, 2, 12, 8, 0, 0, 0, 0); }));
    EXPECT_EQ("MemPixelStore : bad pixel memory 3 x 2, pitch 4",
              imageMessageOf<RIR::BadParmException>(
                  [&] { this->factory()->createFromPixels(anPixels, 3, 2, 16, 4, 0, 0, 0, 0); }));
}

TEST_F(MemImageKit, ColourKeyMarkerAndAlphaMaskPictures)
{
    // "door.colorkey": the bottom-left pixel is the key; a keyed picture keeps its format.
    this->addPatternPicture("door", 3, 3, false);
    this->m_env.addText("door.colorkey", "ignored");
    RIR::SmartPtr<Image> pDoor = this->load("door");
    EXPECT_TRUE(pDoor->hasColorKey());
    EXPECT_COLOR(patternColor(0, 2, false), pDoor->getColorKey());
    EXPECT_TRUE(pDoor->isTransparentAt(0, 2, 0));
    EXPECT_FALSE(pDoor->isTransparentAt(1, 2, 0));
    // Converted to an alpha format, the key becomes transparent pixels.
    pDoor->toDisplayFormatAlpha();
    EXPECT_FALSE(pDoor->hasColorKey());
    EXPECT_EQ(0, pDoor->getPixelAt(0, 2).a);
    EXPECT_EQ(255, pDoor->getPixelAt(1, 2).a);

    // "wall.alpha.png": its red (it has no alpha) becomes the picture's alpha, as far as it
    // reaches.
    this->addPatternPicture("wall", 3, 2, false);
    this->addPatternPicture("wall.alpha", 2, 2, false);
    RIR::SmartPtr<Image> pWall = this->load("wall");
    EXPECT_TRUE(pWall->hasAlpha());
    EXPECT_EQ(patternColor(1, 1, false).r, pWall->getPixelAt(1, 1).a);
    EXPECT_EQ(255, pWall->getPixelAt(2, 0).a);

    EXPECT_EQ("MemImage::loadFromFile : resource nowhere not found",
              imageMessageOf<RIR::BadParmException>([&] { this->load("nowhere"); }));
    this->m_env.addText("junk.png", "no picture");
    EXPECT_EQ("MemImage::loadFromFile : Can't load junk.png [not a PNG picture]",
              imageMessageOf<RIR::ResourceException>([&] { this->load("junk"); }));
    // A picture counts as existing with ".jpg", ".png" or ".subimage", not ".tga".
    EXPECT_TRUE(this->factory()->exists("wall"));
    this->m_env.addText("old.tga", "x");
    EXPECT_FALSE(this->factory()->exists("old"));
    this->m_env.addText("cut.subimage", "wall 0 0 1 1");
    EXPECT_TRUE(this->factory()->exists("cut"));
}

TEST_F(MemImageKit, CopiesBlendsAndFillsGiveWhatPixelByPixelWritesGive)
{
    // Stores whose bits copy verbatim (8-bit channels filling the pixel, red first or blue
    // first) and stores that must be converted: 5-6-5 channels, and a 32-bit pixel with a byte
    // of no channel.
    struct Format
    {
        int nDepth;
        unsigned nR, nG, nB, nA;
    };
    const Format aFormats[] = {{32, 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u},
                               {24, 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0},
                               {16, 0xF800u, 0x07E0u, 0x001Fu, 0},
                               {32, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0},
                               {32, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u},
                               {24, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0}};
    const int W = 5;
    const int H = 4;
    for (const Format& from : aFormats)
        for (const Format& to : aFormats)
        {
            std::vector<uint32_t> anFrom(W * H);
            std::vector<uint32_t> anTo(W * H);
            std::vector<uint32_t> anExpected(W * H);
            for (int i = 0; i < W * H; ++i)
                anFrom[i] = 0x9E3779B9u * (uint32_t)(i + 1);
            RIR::SmartPtr<Image> pFrom = this->factory()->createFromPixels(
                anFrom.data(), W, H, from.nDepth, W * 4, from.nR, from.nG, from.nB, from.nA);
            RIR::SmartPtr<Image> pTo = this->factory()->createFromPixels(
                anTo.data(), W, H, to.nDepth, W * 4, to.nR, to.nG, to.nB, to.nA);
            RIR::SmartPtr<Image> pExpected = this->factory()->createFromPixels(
                anExpected.data(), W, H, to.nDepth, W * 4, to.nR, to.nG, to.nB, to.nA);
            pTo->fill(Color(10, 20, 30, 40));
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    pExpected->setPixelAt(x, y, Color(10, 20, 30, 40));
            EXPECT_EQ(anExpected, anTo) << from.nDepth << " -> " << to.nDepth << ", fill";

            pTo->copyImage(pFrom.get(), 1, 1);
            for (int y = 1; y < H; ++y)
                for (int x = 1; x < W; ++x)
                    pExpected->setPixelAt(x, y, pFrom->getPixelAt(x - 1, y - 1));
            EXPECT_EQ(anExpected, anTo) << from.nDepth << " -> " << to.nDepth << ", copy";

            // Into itself, overlapping: the old pixels are read before any is written.
            pTo->copyImage(pTo.get(), -1, -1);
            for (int y = 0; y < H - 1; ++y)
                for (int x = 0; x < W - 1; ++x)
                    pExpected->setPixelAt(x, y, pExpected->getPixelAt(x + 1, y + 1));
            EXPECT_EQ(anExpected, anTo) << to.nDepth << ", copy into itself";

            // Blending: by the source's alpha, the target keeping its own; by the image-wide
            // alpha when the source has none, the pixels drawn becoming opaque. Pixels of the
            // source's colour key are left out.
            pFrom->setAlpha(100);
            pFrom->setColorKey(pFrom->getPixelAt(2, 1));
            const Color key = pFrom->getColorKey();
            pTo->blendImage(pFrom.get(), 1, 0);
            auto mix = [](int nSrc, int nDst, int nAlpha)
            { return (uint8_t)((nSrc * nAlpha + nDst * (255 - nAlpha) + 127) / 255); };
            for (int y = 0; y < H; ++y)
                for (int x = 1; x < W; ++x)
                {
                    const Color c = pFrom->getPixelAt(x - 1, y);
                    const Color d = pExpected->getPixelAt(x, y);
                    if (Color(c.r, c.g, c.b, 255) == key)
                        continue;
                    const int nBy = pFrom->hasAlpha() ? c.a : 100;
                    pExpected->setPixelAt(x, y,
                                          Color(mix(c.r, d.r, nBy), mix(c.g, d.g, nBy),
                                                mix(c.b, d.b, nBy), pFrom->hasAlpha() ? d.a : 255));
                }
            EXPECT_EQ(anExpected, anTo) << from.nDepth << " -> " << to.nDepth << ", blend";
        }
}
