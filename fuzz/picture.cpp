// Fuzz target: loading a picture resource with its side files through the SDL image back-end
// (Surface: PNG through libpng, TGA through our reader, JPEG checked then decoded by SDL_image,
// ".alpha" masks, ".colorkey" markers, conversion to the driver's formats).
//
// Input: byte 0 chooses the picture's name and side files (bits 0-1: "pic.png", "pic.jpg",
// "pic.tga" or "pic" without extension; bit 2: a mask "pic.alpha.*" exists; bit 3: the mask is
// ".png", else ".jpg"; bit 4: the marker "pic.colorkey" exists; bit 5: convert to the driver's
// formats), bytes 1-2 the picture's length (little-endian, cut to what is there); the picture's
// bytes follow, then the mask's bytes.
// Invariant: a picture that loads has a size above 0 with every pixel readable, and a PNG's size
// is the one its IHDR chunk states (read here from the bytes).
#include "fuzzcheck.h"
#include "gfx/image.h"
#include "gfx/imageenv.h"
#include "platform/sdl/sdlimagefactory.h"
#include "platform/sdl/surface.h"
#include "rir2/exception.h"
#include "rir2/refcount.h"
#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimageenv.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

// The size a PNG's header chunk states, when the bytes start with the signature and an IHDR.
bool pngHeaderSize(const uint8_t* pbData, size_t nSize, int* pnWidth, int* pnHeight)
{
    static const uint8_t s_abStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                          0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    if (nSize < 24 || std::memcmp(pbData, s_abStart, sizeof(s_abStart)) != 0)
        return false;
    auto be32 = [&](size_t i) {
        return ((uint32_t)pbData[i] << 24) | ((uint32_t)pbData[i + 1] << 16) |
               ((uint32_t)pbData[i + 2] << 8) | pbData[i + 3];
    };
    *pnWidth = (int)be32(16);
    *pnHeight = (int)be32(20);
    return true;
}

// SDL on its dummy video driver and a fake application whose recording video driver gives the
// display formats, made once for the run.
struct PictureWorld
{
    PictureWorld() : m_platform(true), m_app(&m_platform)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0)
            std::abort();
    }
    FakePlatform m_platform;
    FakeAppServices m_app;
    SDLImageFactory m_factory;
};

PictureWorld& world()
{
    static PictureWorld* s_pWorld = new PictureWorld();
    return *s_pWorld;
}

// One in-memory image environment per choice of names and side files (the low five bits of the
// first byte), made at its first use and kept for the run. An input replaces every resource of
// its environment, so none of an earlier input's bytes is seen.
MemImageEnvironment& environment(uint8_t nFlags)
{
    static MemImageEnvironment* s_apEnvs[32] = {};
    MemImageEnvironment*& pEnv = s_apEnvs[nFlags & 31];
    if (pEnv == nullptr)
        pEnv = new MemImageEnvironment(&world().m_factory);
    setImageEnvironment(pEnv);
    return *pEnv;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 3)
        return 0;
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const uint8_t nFlags = pData[0];
    size_t nPicture = (size_t)pData[1] | ((size_t)pData[2] << 8);
    const uint8_t* pPicture = pData + 3;
    const size_t nRest = nSize - 3;
    if (nPicture > nRest)
        nPicture = nRest;

    static const char* const s_apszNames[4] = {"pic.png", "pic.jpg", "pic.tga", "pic"};
    MemImageEnvironment& env = environment(nFlags);
    env.addResource(s_apszNames[nFlags & 3], pPicture, (int)nPicture);
    if (nFlags & 4)
        env.addResource((nFlags & 8) ? "pic.alpha.png" : "pic.alpha.jpg", pPicture + nPicture,
                        (int)(nRest - nPicture));
    if (nFlags & 16)
        env.addText("pic.colorkey", "");
    try
    {
        RIR::SmartPtr<Surface> pSurface = new Surface("pic", (nFlags & 32) != 0, true);
        int nWidth = -1;
        int nHeight = -1;
        pSurface->getSize(&nWidth, &nHeight);
        FUZZ_CHECK(nWidth > 0 && nHeight > 0);
        int nHeaderWidth = 0;
        int nHeaderHeight = 0;
        if (pngHeaderSize(pPicture, nPicture, &nHeaderWidth, &nHeaderHeight))
        {
            // The broken reader drops the last column.
            if (fuzzBrokenReader())
                --nWidth;
            FUZZ_CHECK(nWidth == nHeaderWidth && nHeight == nHeaderHeight);
        }
        // Every pixel is readable, and the picture goes to the display format and back.
        pSurface->getPixelLocked(0, 0);
        pSurface->getPixelLocked(nWidth - 1, nHeight - 1);
        RIR::SmartPtr<Surface> pDisplay = pSurface->displayFormat();
        FUZZ_CHECK(pDisplay);
        pSurface->purgePixels();
        pSurface->getPixelLocked(nWidth / 2, nHeight / 2);
    }
    catch (const RIR::Exception&)
    {
    }
    env.clearImageCache();
    return 0;
}
