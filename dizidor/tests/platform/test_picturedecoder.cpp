// Decoding picture resources: damaged or cut PNG, JPEG and TGA data is refused (never a hang,
// never a part of a picture), and TGA pictures honour their origin bits. Every picture is made
// here in memory (JPEG pictures by ImageMagick in a temporary folder).
#include "../gfx/test_image_fixture.h"
#include "app/pngwriter.h"
#include "platform/sdl/picturedecoder.h"
#include "platform/sdl/surface.h"
#include "sdlimagetestenv.h"

#include "rir2/exception.h"

#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

typedef std::function<Color(int, int)> PixelFn;

// Frees a decoded surface on every way out.
struct SurfaceHolder
{
    explicit SurfaceHolder(SDL_Surface* p) : m_p(p) {}
    ~SurfaceHolder()
    {
        if (m_p)
            SDL_FreeSurface(m_p);
    }
    SurfaceHolder(const SurfaceHolder&) = delete;
    SurfaceHolder& operator=(const SurfaceHolder&) = delete;
    SDL_Surface* m_p;
};

Color pixelOf(SDL_Surface* pSurface, int x, int y)
{
    const int nBytes = pSurface->format->BytesPerPixel;
    const Uint8* p = (const Uint8*)pSurface->pixels + (size_t)y * pSurface->pitch + x * nBytes;
    Uint32 n = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        n = (n << 8) | p[i];
    Color c;
    SDL_GetRGBA(n, pSurface->format, &c.r, &c.g, &c.b, &c.a);
    if ((pSurface->flags & SDL_SRCCOLORKEY) && n == pSurface->format->colorkey)
        c.a = 0;
    return c;
}

// Every pixel of the surface as "r g b a" texts, row by row; "" for no surface.
std::string picture(SDL_Surface* pSurface)
{
    if (!pSurface)
        return "";
    std::string s = std::to_string(pSurface->w) + "x" + std::to_string(pSurface->h) + ":";
    for (int y = 0; y < pSurface->h; ++y)
        for (int x = 0; x < pSurface->w; ++x)
            s += " " + imageText(pixelOf(pSurface, x, y));
    return s;
}

std::string expectedPicture(int nWidth, int nHeight, const PixelFn& fn)
{
    std::string s = std::to_string(nWidth) + "x" + std::to_string(nHeight) + ":";
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            s += " " + imageText(fn(x, y));
    return s;
}

void putBigEndian32(std::vector<uint8_t>& ab, uint32_t n)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        ab.push_back((uint8_t)(n >> nShift));
}

// Inserts a chunk with a correct CRC at byte nAt of the PNG.
void insertChunk(std::vector<uint8_t>& abPng, size_t nAt, const char* pszType,
                 const std::vector<uint8_t>& abData)
{
    std::vector<uint8_t> ab;
    putBigEndian32(ab, (uint32_t)abData.size());
    ab.insert(ab.end(), pszType, pszType + 4);
    ab.insert(ab.end(), abData.begin(), abData.end());
    putBigEndian32(ab, (uint32_t)crc32(0L, ab.data() + 4, (uInt)(ab.size() - 4)));
    abPng.insert(abPng.begin() + (long)nAt, ab.begin(), ab.end());
}

// A 1 x 1 picture with the ancillary chunks picture tools write (chromaticities, a text) between
// its header and its pixels, as pictures in packs have them.
std::vector<uint8_t> onePixelPng()
{
    const uint8_t abPixel[4] = {200, 100, 50, 255};
    std::vector<uint8_t> abPng = encodePng(1, 1, 4, abPixel);
    const size_t nAfterHeader = 8 + 12 + 13;
    insertChunk(abPng, nAfterHeader, "tEXt", std::vector<uint8_t>({'a', 0, 'b'}));
    insertChunk(abPng, nAfterHeader, "cHRM", std::vector<uint8_t>(32, 7));
    return abPng;
}

SDL_Surface* decode(const std::vector<uint8_t>& ab, bool bTga, RIR::String* psError = nullptr)
{
    return decodePicture(ab.data(), ab.size(), bTga, psError);
}

// A TGA picture of the kind given by nType (1 colour-mapped, 2 true colour, 3 grey; +8 run-length)
// and nDepth bits per pixel (per colour-map entry for type 1), rows and columns stored in the
// order the descriptor bits say (0x20 top-down, 0x10 right to left).
std::vector<uint8_t> makeTga(int nType, int nDepth, uint8_t nDescriptor, int nWidth, int nHeight,
                             const PixelFn& fn)
{
    const bool bMapped = (nType & 7) == 1;
    const bool bGrey = (nType & 7) == 3;
    std::vector<Color> lColours; // the colour map
    std::vector<std::vector<uint8_t>> lStored;
    auto storeColour = [nDepth](const Color& c)
    {
        if (nDepth == 16 || nDepth == 15)
        {
            const unsigned n =
                ((unsigned)(c.r >> 3) << 10) | ((unsigned)(c.g >> 3) << 5) | (unsigned)(c.b >> 3);
            return std::vector<uint8_t>({(uint8_t)n, (uint8_t)(n >> 8)});
        }
        std::vector<uint8_t> ab = {c.b, c.g, c.r};
        if (nDepth == 32)
            ab.push_back(c.a);
        return ab;
    };
    for (int nRow = 0; nRow < nHeight; ++nRow)
        for (int nColumn = 0; nColumn < nWidth; ++nColumn)
        {
            const int y = (nDescriptor & 0x20) ? nRow : nHeight - 1 - nRow;
            const int x = (nDescriptor & 0x10) ? nWidth - 1 - nColumn : nColumn;
            const Color c = fn(x, y);
            if (bGrey)
                lStored.push_back({c.r});
            else if (bMapped)
            {
                lColours.push_back(c);
                lStored.push_back({(uint8_t)(lColours.size() - 1 + 3)}); // map starts at 3
            }
            else
                lStored.push_back(storeColour(c));
        }
    const int nMapDepth = bMapped ? nDepth : 0;
    std::vector<uint8_t> ab = {2, // an identification field of 2 bytes
                               (uint8_t)(bMapped ? 1 : 0),
                               (uint8_t)nType,
                               3,
                               0,
                               (uint8_t)lColours.size(),
                               0,
                               (uint8_t)nMapDepth,
                               0,
                               0,
                               0,
                               0,
                               (uint8_t)nWidth,
                               (uint8_t)(nWidth >> 8),
                               (uint8_t)nHeight,
                               (uint8_t)(nHeight >> 8),
                               (uint8_t)(bMapped || bGrey ? 8 : nDepth),
                               nDescriptor};
    ab.push_back('i');
    ab.push_back('d');
    for (const Color& c : lColours)
    {
        const std::vector<uint8_t> abEntry = storeColour(c);
        ab.insert(ab.end(), abEntry.begin(), abEntry.end());
    }
    if (nType & 8)
    {
        // Runs of equal stored pixels as repeat packets, the rest as raw packets of one; packets
        // cross row ends.
        for (size_t i = 0; i < lStored.size();)
        {
            size_t n = 1;
            while (i + n < lStored.size() && n < 128 && lStored[i + n] == lStored[i])
                ++n;
            ab.push_back((uint8_t)(n > 1 ? 0x80 | (n - 1) : 0));
            ab.insert(ab.end(), lStored[i].begin(), lStored[i].end());
            i += n;
        }
    }
    else
        for (const std::vector<uint8_t>& abPixel : lStored)
            ab.insert(ab.end(), abPixel.begin(), abPixel.end());
    return ab;
}

// Colours that survive 5 bits per channel, with runs of equal pixels along the rows.
Color tgaColour(int x, int y)
{
    static const uint8_t s_an[4] = {0, 132, 255, 66};
    return Color(s_an[(x / 2) % 4], s_an[y % 4], s_an[(x + y) % 4], 255);
}

} // namespace

class PictureDecoderTest : public ::testing::Test
{
protected:
    SDLImageTestVideo m_video;
};

TEST_F(PictureDecoderTest, CutOrDamagedPngIsRefusedAndNeverHangs)
{
    const std::vector<uint8_t> abPng = onePixelPng();
    ASSERT_GT(abPng.size(), 76u);
    const std::string sWhole = "1x1: " + imageText(Color(200, 100, 50, 255));
    {
        SurfaceHolder whole(decode(abPng, false));
        ASSERT_EQ(sWhole, picture(whole.m_p));
    }

    // Every cut, the first 76 bytes among them (they end inside the chromaticities).
    for (size_t nLength = 0; nLength < abPng.size(); ++nLength)
    {
        const std::vector<uint8_t> ab(abPng.begin(), abPng.begin() + (long)nLength);
        RIR::String sError;
        SurfaceHolder cut(decode(ab, false, &sError));
        EXPECT_EQ("", picture(cut.m_p)) << "cut to " << nLength << " bytes";
        EXPECT_NE(0, sError.length()) << "cut to " << nLength << " bytes";
    }

    // Every flipped bit: refused, or (in the signature, which another decoder then looks at)
    // never a wrong picture.
    for (size_t nByte = 0; nByte < abPng.size(); ++nByte)
        for (int nBit = 0; nBit < 8; ++nBit)
        {
            std::vector<uint8_t> ab = abPng;
            ab[nByte] ^= (uint8_t)(1 << nBit);
            SurfaceHolder flipped(decode(ab, false));
            if (flipped.m_p)
            {
                EXPECT_EQ(sWhole, picture(flipped.m_p)) << "byte " << nByte << " bit " << nBit;
            }
        }

    // Through the picture loading: the loader's error with the decoder's reason.
    SDLImageFactory factory;
    MemImageEnvironment env(&factory);
    env.addResource("cut.png", abPng.data(), 76);
    EXPECT_EQ("Surface::loadFromResource : Can't load cut.png [the picture data ends early]",
              imageMessageOf<RIR::ResourceException>([] { Surface s("cut", true, true); }));
}

TEST_F(PictureDecoderTest, TgaPicturesHonourTheirOriginBits)
{
    struct Case
    {
        const char* pszKind;
        int nType;
        int nDepth;
    };
    const Case aCases[] = {
        {"true colour 24", 2, 24},           {"true colour 32", 2, 32},
        {"true colour 16", 2, 16},           {"run-length 24", 10, 24},
        {"run-length 32", 10, 32},           {"colour-mapped 24", 1, 24},
        {"run-length colour-mapped", 9, 32}, {"grey", 3, 8},
        {"run-length grey", 11, 8},
    };
    const struct
    {
        const char* pszOrigin;
        uint8_t nDescriptor;
    } aOrigins[] = {
        {"bottom-left", 0x00}, {"top-left", 0x20}, {"bottom-right", 0x10}, {"top-right", 0x30}};
    for (const Case& c : aCases)
        for (const auto& origin : aOrigins)
        {
            SCOPED_TRACE(std::string(c.pszKind) + ", " + origin.pszOrigin);
            const bool bGrey = (c.nType & 7) == 3;
            const PixelFn fn = [bGrey](int x, int y)
            {
                Color col = tgaColour(x, y);
                if (bGrey)
                    col.g = col.b = col.r;
                return col;
            };
            const std::vector<uint8_t> abTga =
                makeTga(c.nType, c.nDepth, origin.nDescriptor, 5, 3, fn);
            RIR::String sError;
            SurfaceHolder tga(decode(abTga, true, &sError));
            EXPECT_EQ(expectedPicture(5, 3, fn), picture(tga.m_p)) << sError.c_str();
        }
}

TEST_F(PictureDecoderTest, CutTgaIsRefused)
{
    for (int nType : {2, 10, 1, 9})
    {
        SCOPED_TRACE(nType);
        const std::vector<uint8_t> abTga = makeTga(nType, 24, 0, 5, 3, tgaColour);
        {
            SurfaceHolder whole(decode(abTga, true));
            ASSERT_EQ(expectedPicture(5, 3, tgaColour), picture(whole.m_p));
        }
        for (size_t nLength = 0; nLength < abTga.size(); ++nLength)
        {
            const std::vector<uint8_t> ab(abTga.begin(), abTga.begin() + (long)nLength);
            RIR::String sError;
            SurfaceHolder cut(decode(ab, true, &sError));
            EXPECT_EQ("", picture(cut.m_p)) << "cut to " << nLength << " bytes";
            EXPECT_NE(0, sError.length());
        }
    }

    // A run past the last pixel and a colour index outside the map are damage too.
    std::vector<uint8_t> abRun = makeTga(10, 24, 0, 2, 1, tgaColour);
    abRun.insert(abRun.end() - 4, {0x85, 1, 2, 3});
    abRun.resize(abRun.size() - 4);
    RIR::String sError;
    SurfaceHolder run(decode(abRun, true, &sError));
    EXPECT_EQ(nullptr, run.m_p);
    EXPECT_STREQ("a TGA run goes past the last pixel", sError.c_str());

    std::vector<uint8_t> abIndex = makeTga(1, 24, 0, 2, 1, tgaColour);
    abIndex.back() = 200;
    SurfaceHolder index(decode(abIndex, true, &sError));
    EXPECT_EQ(nullptr, index.m_p);
    EXPECT_STREQ("a TGA colour index is outside the colour map", sError.c_str());
}

TEST_F(PictureDecoderTest, CutJpegIsRefused)
{
    if (!haveConvert())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempFolder folder;
    ASSERT_TRUE(folder.isValid());
    std::string sPpm = "P6\n6 4\n255\n";
    for (int i = 0; i < 6 * 4; ++i)
        sPpm += std::string({(char)(i * 10), (char)(200 - i * 5), (char)(i * 3)});
    const std::string sSource = folder.file("p.ppm");
    ASSERT_TRUE(writeFileBytes(sSource, std::vector<uint8_t>(sPpm.begin(), sPpm.end())));
    for (const char* pszOptions : {"-quality", "-interlace"})
    {
        SCOPED_TRACE(pszOptions);
        const std::string sJpeg = folder.file(std::string(pszOptions + 1) + ".jpg");
        const std::string sValue = pszOptions[1] == 'q' ? "90" : "JPEG";
        ASSERT_TRUE(runConvert({sSource, pszOptions, sValue, sJpeg}));
        const std::vector<uint8_t> abJpeg = readFileBytes(sJpeg);
        ASSERT_GT(abJpeg.size(), 100u);
        {
            SurfaceHolder whole(decode(abJpeg, false));
            ASSERT_TRUE(whole.m_p);
            EXPECT_EQ(6, whole.m_p->w);
            // Bytes after the end-of-image mark are not looked at.
            std::vector<uint8_t> abTail = abJpeg;
            abTail.insert(abTail.end(), {0, 1, 2, 0xFF});
            SurfaceHolder tail(decode(abTail, false));
            EXPECT_TRUE(tail.m_p);
        }
        for (size_t nLength = 3; nLength < abJpeg.size(); ++nLength)
        {
            const std::vector<uint8_t> ab(abJpeg.begin(), abJpeg.begin() + (long)nLength);
            RIR::String sError;
            SurfaceHolder cut(decode(ab, false, &sError));
            EXPECT_EQ(nullptr, cut.m_p) << "cut to " << nLength << " bytes";
            EXPECT_NE(0, sError.length());
        }
    }
}
