// Drawing many sprites: the Direct3D 7 video driver on the OpenGL display draws N textured,
// tinted, rotated 64 x 64 sprites per frame for a fixed number of frames; the figure is frames
// per second (wall clock, the frame presented) for N = 100, 1000 and 5000.
//
// It needs an X server with OpenGL: DISPLAY, or DBD_GL_DISPLAY (the Xvfb the test command
// starts, with llvmpipe rendering in software). Without one every case is skipped with a message.
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/gl/glrenderdisplay.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"
#include "platform/sdl/videohost.h"

#include "rir2/list_impl.h"

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

const int FRAMES = 60;

// One screen mode of one layer.
class BenchMode : public IDrawnMode
{
public:
    BenchMode() { m_lLayers.append(new SpriteLayer()); }
    ~BenchMode() override { m_lLayers.clearAndDelete(); }
    bool isActive() override { return true; }
    bool isVisible() override { return true; }
    int getFlags() override { return CLEAR_SCREEN_FLAG | 0x03; }
    SpriteLayerList& getSpriteLayers() override { return m_lLayers; }
    SpriteLayer& layer() { return *m_lLayers.get(0); }

private:
    SpriteLayerList m_lLayers;
};

// The application as the driver sees it: one mode, a frame counter.
class BenchHost : public IVideoHost
{
public:
    explicit BenchHost(BenchMode* pMode) : m_pMode(pMode) {}
    RIR::List<RIR::String> getArguments() override
    {
        RIR::List<RIR::String> lArguments;
        lArguments.append("--hidden");
        return lArguments;
    }
    int getFrameCount() override { return m_nFrameCount; }
    void getMousePosition(int* pnX, int* pnY) override
    {
        if (pnX)
            *pnX = 0;
        if (pnY)
            *pnY = 0;
    }
    int getFirstDrawnModeIndex() override { return 0; }
    IDrawnMode* getDrawnMode(int) override { return m_pMode; }

    int m_nFrameCount = 1;

private:
    BenchMode* m_pMode; // not owned
};

// A 64 x 64 picture with alpha: a soft disc with a stripe, so that turns show.
RIR::SmartPtr<SDLImage> makeSpritePicture()
{
    SDL_Surface* pSurf = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 64, 32, 0x000000FF, 0x0000FF00,
                                              0x00FF0000, 0xFF000000);
    for (int y = 0; y < 64; ++y)
    {
        Uint32* pRow = (Uint32*)((Uint8*)pSurf->pixels + y * pSurf->pitch);
        for (int x = 0; x < 64; ++x)
        {
            const int dx = x - 32;
            const int dy = y - 32;
            const bool bInside = dx * dx + dy * dy < 30 * 30;
            const Uint8 nValue = (y > 28 && y < 36) ? 80 : 230;
            pRow[x] = SDL_MapRGBA(pSurf->format, nValue, nValue, nValue, bInside ? 255 : 0);
        }
    }
    return new SDLImage(pSurf);
}

// The X display to draw on; empty when there is none.
std::string findDisplay()
{
    const char* pszDisplay = std::getenv("DISPLAY");
    if (!pszDisplay || !*pszDisplay)
        pszDisplay = std::getenv("DBD_GL_DISPLAY");
    return pszDisplay && *pszDisplay ? pszDisplay : "";
}

void BM_DrawSprites(benchmark::State& state)
{
    const std::string sDisplay = findDisplay();
    if (sDisplay.empty())
    {
        state.SkipWithError("no X display with OpenGL (DISPLAY and DBD_GL_DISPLAY unset): skipped");
        for (auto _ : state)
        {
        }
        return;
    }
    setenv("DISPLAY", sDisplay.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("DBD_RENDERER", "gl", 1);

    BenchMode mode;
    std::unique_ptr<D3D7VideoDriver> pDriver(new D3D7VideoDriver());
    BenchHost* pHost = new BenchHost(&mode);
    pDriver->setHost(pHost);
    pDriver->init(nullptr);
    if (!pDriver->setVideoMode(800, 600, 0) ||
        !dynamic_cast<GLRenderDisplay*>(pDriver->getDisplay()))
    {
        state.SkipWithError("no OpenGL mode on the X display: skipped");
        for (auto _ : state)
        {
        }
        return;
    }

    const int nSprites = (int)state.range(0);
    RIR::SmartPtr<SDLImage> pPicture = makeSpritePicture();
    pPicture->setInsPoint(32, 32);
    for (int i = 0; i < nSprites; ++i)
    {
        RIR::SmartPtr<Sprite> pSprite =
            new Sprite(pPicture, 32 + (i * 37) % 736, 32 + (i * 53) % 536, 0);
        pSprite->setRotation((float)((i * 29) % 360));
        pSprite->setColor(Color((Uint8)(128 + (i * 7) % 128), (Uint8)(128 + (i * 13) % 128),
                                (Uint8)(128 + (i * 17) % 128), 255));
        mode.layer().append(pSprite);
    }
    // The first frame uploads the texture.
    pDriver->renderFrame();

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
    {
        pHost->m_nFrameCount += 2;
        pDriver->renderFrame();
    }
    const double fSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["fps"] = fSeconds > 0.0 ? (double)state.iterations() / fSeconds : 0.0;
    state.counters["sprites"] = (double)nSprites;
    mode.layer().clear();
    pDriver.reset();
}

BENCHMARK(BM_DrawSprites)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(FRAMES)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
