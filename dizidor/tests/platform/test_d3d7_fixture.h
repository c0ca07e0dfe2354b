// Shared set-up of the Direct3D 7 video driver tests: the driver on a recording display (no
// pixels; every device call written down), a scripted application, and pictures in SDL surfaces.
// SDL runs on its dummy video driver.
#ifndef DIZIDOR_TESTS_PLATFORM_TEST_D3D7_FIXTURE_H
#define DIZIDOR_TESTS_PLATFORM_TEST_D3D7_FIXTURE_H

#include "app/videoflags.h"
#include "platform/d3d7/d3d7texture.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/gl/memorytexture.h"
#include "platform/gl/recordingrenderdisplay.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include "test_video_fixture.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

// The driver with its display seams pointed at a recording display that lives as long as the
// test: every mode set "makes" that same display again, so one log shows the whole story.
class RecordingD3D7Driver : public D3D7VideoDriver
{
public:
    explicit RecordingD3D7Driver(RecordingRenderDisplay* pDisplay) : m_pRecording(pDisplay)
    {
        m_pHost = new FakeVideoHost();
        m_pHost->m_lArguments.append("--hidden");
        setHost(m_pHost);
    }
    // The display seams are this class's: shut down while they still are.
    ~RecordingD3D7Driver() override { shutdown(); }

    FakeVideoHost* host() const { return m_pHost; }

    Point getDesktopSize() override { return m_ptDesktop; }

    Point m_ptDesktop = Point(1920, 1080);
    RIR::List<Point> m_lListedModes;
    int m_nAppState = SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    int m_nDisplaysMade = 0;
    int m_nNoModeReports = 0;
    // False: the real report (message box and program end) runs.
    bool m_bCatchNoMode = true;

protected:
    RenderDisplay* newDisplay() override
    {
        ++m_nDisplaysMade;
        return m_pRecording;
    }
    void deleteDisplay(RenderDisplay* pDisplay) override { pDisplay->release(); }
    int readAppState() const override { return m_nAppState; }
    void reportNoVideoMode() override
    {
        ++m_nNoModeReports;
        if (!m_bCatchNoMode)
            D3D7VideoDriver::reportNoVideoMode();
    }
    void listFullscreenModes(RIR::List<Point>& lModes) override { lModes = m_lListedModes; }

private:
    RecordingRenderDisplay* m_pRecording; // not owned
    FakeVideoHost* m_pHost;               // owned by the driver
};

class D3D7Test : public ::testing::Test
{
protected:
    D3D7Test() { useDummyVideo(); }

    void SetUp() override
    {
        m_pDriver.reset(new RecordingD3D7Driver(&m_display));
        m_pDriver->init(nullptr);
    }
    void TearDown() override
    {
        m_lModes.clear();
        m_pDriver.reset();
        EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO)) << "SDL video left running";
    }

    RecordingRenderLog& log() { return m_display.getLog(); }
    RecordingRenderDevice* device() { return m_display.getRecordingDevice(); }

    // An 800 x 600 window (no letterbox); the log starts empty after it.
    void setWindowMode(int nFlags = 0)
    {
        ASSERT_TRUE(m_pDriver->setVideoMode(800, 600, nFlags));
        log().clear();
    }

    // One screen mode on the host, drawing the sprites given in order, with the flags given.
    FakeDrawnMode* addMode(const std::vector<RIR::SmartPtr<Sprite>>& lSprites, int nFlags = 0x03)
    {
        m_lModes.emplace_back(new FakeDrawnMode(nFlags));
        FakeDrawnMode* pMode = m_lModes.back().get();
        SpriteLayer* pLayer = pMode->addLayer();
        for (const RIR::SmartPtr<Sprite>& pSprite : lSprites)
            pLayer->append(pSprite);
        m_pDriver->host()->m_lModes.insert(m_pDriver->host()->m_lModes.begin(), pMode);
        m_pDriver->host()->m_nFirstDrawn = (int)m_pDriver->host()->m_lModes.size() - 1;
        return pMode;
    }

    // One frame, with the frame counter moving on around it as the application does.
    void renderFrame()
    {
        m_pDriver->host()->m_nFrameCount += 1;
        m_pDriver->renderFrame();
        m_pDriver->host()->m_nFrameCount += 1;
    }

    // The draw records of the log, in order.
    std::vector<const RenderRecord*> draws() const
    {
        return m_display.getLog().find(CALL_DRAW_PRIMITIVE);
    }

    // The names of the calls from record nFirst on, e.g. "beginScene", "present".
    std::vector<std::string> callNames(int nFirst = 0) const
    {
        std::vector<std::string> lNames;
        const std::vector<RenderRecord>& lRecords = m_display.getLog().getRecords();
        for (size_t i = (size_t)nFirst; i < lRecords.size(); ++i)
            lNames.push_back(renderCallName(lRecords[i].eCall));
        return lNames;
    }

    RecordingRenderDisplay m_display;
    std::unique_ptr<RecordingD3D7Driver> m_pDriver;
    std::vector<std::unique_ptr<FakeDrawnMode>> m_lModes;
    LogCapture m_logFile;
};

// An opaque 32-bit picture of one colour (0xRRGGBB) with alpha 255 everywhere.
inline RIR::SmartPtr<SDLImage> makeFilledPicture(int nWidth, int nHeight, uint32_t nRGB)
{
    RIR::SmartPtr<SDLImage> pImage = makePicture(nWidth, nHeight, true);
    SDL_Surface* pSurf = pImage->getSurface()->getSDLSurface();
    SDL_FillRect(
        pSurf, nullptr,
        SDL_MapRGBA(pSurf->format, (Uint8)(nRGB >> 16), (Uint8)(nRGB >> 8), (Uint8)nRGB, 255));
    return pImage;
}

// The device texture of an image's tile nTile.
inline MemoryRenderTexture* tileTexture(SDLImage* pImage, int nTile)
{
    Drv3DImageData* pData = dynamic_cast<Drv3DImageData*>(pImage->getDriverData());
    if (!pData || nTile >= pData->getTiles().getCount())
        return nullptr;
    TextureCell* pCell = pData->getTiles().getCell(nTile);
    D3D7Texture* pTexture = pCell ? dynamic_cast<D3D7Texture*>(pCell->getTexture()) : nullptr;
    return pTexture ? dynamic_cast<MemoryRenderTexture*>(pTexture->getRenderTexture()) : nullptr;
}

#endif
