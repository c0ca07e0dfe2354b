// The 3-D video driver base through a test driver that records its device hooks: textures are
// counted objects, drawing a sprite builds its tiles as a real driver does and records what it
// drew. Pictures are SDLImages over SDL surfaces; the application is a scripted host with fake
// screen modes. SDL runs on its dummy video driver.
#include "platform/video3d/video3ddriver.h"

#include "app/videoflags.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"
#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimage.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include "test_video_fixture.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

namespace
{

// A device texture: where it came from, and how many are alive.
class FakeTexture : public DeviceTexture
{
public:
    FakeTexture(const Rect& area, int nTexWidth, int nTexHeight, bool bAlpha)
        : m_area(area), m_nTexWidth(nTexWidth), m_nTexHeight(nTexHeight), m_bAlpha(bAlpha)
    {
        ++s_nLive;
    }
    ~FakeTexture() override { --s_nLive; }

    Rect m_area;
    int m_nTexWidth;
    int m_nTexHeight;
    bool m_bAlpha;

    static int s_nLive;
};

int FakeTexture::s_nLive = 0;

struct TextureRequest
{
    Rect area;
    int nTexWidth;
    int nTexHeight;
    bool bAlpha;
    bool bFromPalette; // read from a store with a palette
};

class TestDriver : public SDL3DVideoDriverBase
{
public:
    TestDriver() { setHost(m_pHost = new FakeVideoHost()); }
    ~TestDriver() override { shutdown(); }

    void init(RIR::SmartPtr<Image> pIcon) override { setIcon(pIcon); }
    void shutdown() override
    {
        releaseAllTextures();
        if (SDL_WasInit(SDL_INIT_VIDEO))
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    const char* getName() const override { return "Test 3-D Video Driver"; }
    bool isAccelerated() const override { return true; }
    int getBPP() const override { return 32; }
    void flip() override {}
    void clear(Color color) override
    {
        m_lCalls.push_back("clear(" + std::to_string(color.r) + ", " + std::to_string(color.g) +
                           ", " + std::to_string(color.b) + ", " + std::to_string(color.a) + ")");
    }
    void fillScreen(Color color) override { clear(color); }
    void setViewOrigin(int, int) override {}

    void createDevice() override {}
    bool trySetMode(int nWidth, int nHeight, int nDepth, bool, int, int nSDLFlags) override
    {
        if (m_bRefuseModes)
            return false;
        return SDL_SetVideoMode(nWidth, nHeight, nDepth, (Uint32)nSDLFlags) != nullptr;
    }
    Point getDesktopSize() override { return Point(1920, 1080); }

    bool beginScene() override
    {
        m_lCalls.push_back("begin");
        return m_bSceneOK;
    }
    void present() override { m_lCalls.push_back("present"); }
    // As a real driver: the displayed image's tiles first, then one quad per tile.
    void drawSprite(Sprite* pSprite) override
    {
        std::string sLabel = m_labels.count(pSprite) ? m_labels[pSprite] : std::string("?");
        SDLImage* pImage = dynamic_cast<SDLImage*>(pSprite->getDisplayImage().get());
        if (pImage)
        {
            buildTileVertices(pImage);
            Drv3DImageData* pData = dynamic_cast<Drv3DImageData*>(pImage->getDriverData());
            for (int i = 0; pData && i < pData->getTiles().getCount(); ++i)
            {
                TextureCell* pCell = pData->getTiles().getCell(i);
                if (!pCell || pCell->isEmpty())
                    ++m_nEmptyTileDraws;
            }
        }
        int nX = 0;
        int nY = 0;
        pSprite->getPos(&nX, &nY);
        m_lCalls.push_back("draw " + sLabel + " at " + std::to_string(nX) + "," +
                           std::to_string(nY));
    }
    DeviceTexture* createTexture(Surface& surface, const Rect& area, int nTexWidth, int nTexHeight,
                                 bool bAlpha) override
    {
        TextureRequest request = {area, nTexWidth, nTexHeight, bAlpha, surface.hasPalette()};
        m_lRequests.push_back(request);
        return new FakeTexture(area, nTexWidth, nTexHeight, bAlpha);
    }
    void applyRenderStates() override { setStatesDirty(false); }

    // The sprite drawn under that name.
    RIR::SmartPtr<Sprite> makeSprite(const std::string& sLabel, RIR::SmartPtr<Image> pImage,
                                     int nX = 0, int nY = 0)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, nX, nY, 0);
        m_labels[pSprite.get()] = sLabel;
        return pSprite;
    }
    void nextFrame(int nFrames = 2) { m_pHost->m_nFrameCount += nFrames; }

    FakeVideoHost* m_pHost; // owned by the driver
    bool m_bSceneOK = true;
    bool m_bRefuseModes = false;
    std::vector<std::string> m_lCalls;
    std::vector<TextureRequest> m_lRequests;
    std::map<Sprite*, std::string> m_labels;
    int m_nEmptyTileDraws = 0;
};

class Video3DTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useDummyVideo();
        FakeTexture::s_nLive = 0;
    }
    void TearDown() override { EXPECT_EQ(0, FakeTexture::s_nLive) << "textures left alive"; }

    LogCapture m_log;
};

Drv3DTileData& storeTilesOf(SDLImage* pImage)
{
    Drv3DSurfaceData* pData =
        dynamic_cast<Drv3DSurfaceData*>(pImage->getSurface()->getDriverData());
    if (!pData)
        throw std::runtime_error("no surface data");
    return pData->getTiles();
}

Drv3DTileData& imageTilesOf(SDLImage* pImage)
{
    Drv3DImageData* pData = dynamic_cast<Drv3DImageData*>(pImage->getDriverData());
    if (!pData)
        throw std::runtime_error("no image data");
    return pData->getTiles();
}

// What Surface::markChanged does with an application: the store's data (once the driver made
// it) gets the frame count as its change stamp.
void markPixelsChanged(SDLImage* pImage, int nFrameCount)
{
    DrvSurfaceData* pData = pImage->getSurface()->getDriverData();
    if (pData)
        pData->setChangeStamp(nFrameCount);
}

// One corner as "(x,y u,v)".
std::string cornerText(const Drv3DTileData& tiles, int k)
{
    char szText[96];
    snprintf(szText, sizeof(szText), "(%g,%g %g,%g)", tiles.getX(k), tiles.getY(k), tiles.getU(k),
             tiles.getV(k));
    return szText;
}

// Every tile's four corners, one tile per entry.
std::vector<std::string> tilesText(const Drv3DTileData& tiles)
{
    std::vector<std::string> lTiles;
    for (int i = 0; i < tiles.getCount(); ++i)
    {
        std::string sTile;
        for (int k = 4 * i; k < 4 * i + 4; ++k)
            sTile += (k > 4 * i ? " " : "") + cornerText(tiles, k);
        lTiles.push_back(sTile);
    }
    return lTiles;
}

} // namespace

// ---- textures of a store -----------------------------------------------------------------------

TEST_F(Video3DTest, StoreOf300x100IsUploadedAsFourTiles)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pImage = makePicture(300, 100);
    driver.m_pHost->m_nFrameCount = 5;

    EXPECT_TRUE(driver.uploadTextures(pImage->getSurface().get()));

    ASSERT_EQ(4u, driver.m_lRequests.size());
    const int anAreas[4][6] = {{0, 0, 256, 64, 256, 64},
                               {256, 0, 300, 64, 64, 64},
                               {0, 64, 256, 100, 256, 64},
                               {256, 64, 300, 100, 64, 64}};
    for (int i = 0; i < 4; ++i)
    {
        const TextureRequest& r = driver.m_lRequests[(size_t)i];
        EXPECT_EQ(Rect(anAreas[i][0], anAreas[i][1], anAreas[i][2], anAreas[i][3]), r.area);
        EXPECT_EQ(anAreas[i][4], r.nTexWidth) << "tile " << i;
        EXPECT_EQ(anAreas[i][5], r.nTexHeight) << "tile " << i;
        EXPECT_TRUE(r.bAlpha);
    }
    Drv3DTileData& tiles = storeTilesOf(pImage.get());
    std::vector<std::string> lExpected = {
        "(0,0 0,0) (256,0 1,0) (256,64 1,1) (0,64 0,1)",
        "(256,0 0,0) (300,0 0.6875,0) (300,64 0.6875,1) (256,64 0,1)",
        "(0,64 0,0) (256,64 1,0) (256,100 1,0.5625) (0,100 0,0.5625)",
        "(256,64 0,0) (300,64 0.6875,0) (300,100 0.6875,0.5625) (256,100 0,0.5625)"};
    EXPECT_EQ(lExpected, tilesText(tiles));
    EXPECT_EQ(320, tiles.getPaddedWidth());
    EXPECT_EQ(128, tiles.getPaddedHeight());
    EXPECT_EQ(5, tiles.getGeneration());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(tiles.getCell(i)->isEmpty());
    EXPECT_EQ(4, driver.getRegistry()->getTextureCount());

    // Current: nothing is made again.
    driver.nextFrame();
    EXPECT_FALSE(driver.uploadTextures(pImage->getSurface().get()));
    EXPECT_EQ(4u, driver.m_lRequests.size());
}

TEST_F(Video3DTest, TexturesHaveAlphaForAlphaChannelsAndColourKeys)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pOpaque = makePicture(64, 64, false);
    driver.uploadTextures(pOpaque->getSurface().get());
    ASSERT_EQ(1u, driver.m_lRequests.size());
    EXPECT_FALSE(driver.m_lRequests[0].bAlpha);

    RIR::SmartPtr<SDLImage> pKeyed = makePicture(64, 64, false);
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    driver.uploadTextures(pKeyed->getSurface().get());
    ASSERT_EQ(2u, driver.m_lRequests.size());
    EXPECT_TRUE(driver.m_lRequests[1].bAlpha);
    EXPECT_EQ(Rect(0, 0, 64, 64), driver.m_lRequests[1].area);
}

TEST_F(Video3DTest, PalettedStoresAreReadThroughACopyInTheDriversFormat)
{
    // The copy is made in the application's video driver's opaque format.
    FakePlatform platform;
    FakeAppServices app(&platform);
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pImage =
        new SDLImage(SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 20, 8, 0, 0, 0, 0));
    ASSERT_TRUE(pImage->getSurface()->hasPalette());
    EXPECT_TRUE(driver.uploadTextures(pImage->getSurface().get()));
    ASSERT_EQ(1u, driver.m_lRequests.size());
    EXPECT_FALSE(driver.m_lRequests[0].bFromPalette);
    EXPECT_FALSE(driver.m_lRequests[0].bAlpha);
    EXPECT_EQ(Rect(0, 0, 20, 20), driver.m_lRequests[0].area);
    EXPECT_EQ(32, driver.m_lRequests[0].nTexWidth);
    // The store keeps its own pixels.
    EXPECT_TRUE(pImage->getSurface()->hasPalette());
}

// ---- tiles of an image -------------------------------------------------------------------------

TEST_F(Video3DTest, ImageTilesAreCutFromTheStoreTiles)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pSheet = makePicture(300, 100);
    RIR::SmartPtr<SDLImage> pPart = new SDLImage(pSheet, Rect(200, 40, 280, 90));

    driver.buildTileVertices(pPart.get());

    Drv3DTileData& store = storeTilesOf(pPart.get());
    Drv3DTileData& tiles = imageTilesOf(pPart.get());
    ASSERT_EQ(4, tiles.getCount());
    // Positions in the image's own pixels; texture coordinates interpolated inside each tile.
    std::vector<std::string> lExpected = {
        "(0,0 0.78125,0.625) (56,0 1,0.625) (56,24 1,1) (0,24 0.78125,1)",
        "(56,0 0,0.625) (80,0 0.375,0.625) (80,24 0.375,1) (56,24 0,1)",
        "(0,24 0.78125,0) (56,24 1,0) (56,50 1,0.40625) (0,50 0.78125,0.40625)",
        "(56,24 0,0) (80,24 0.375,0) (80,50 0.375,0.40625) (56,50 0,0.40625)"};
    EXPECT_EQ(lExpected, tilesText(tiles));
    // The image draws with the store's textures: one upload for both.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(store.getCell(i), tiles.getCell(i));
    EXPECT_EQ(4u, driver.m_lRequests.size());
    EXPECT_EQ(store.getBuild(), tiles.getSourceBuild());

    // A second image of the same sheet costs no upload.
    RIR::SmartPtr<SDLImage> pOther = new SDLImage(pSheet, Rect(0, 0, 10, 10));
    driver.buildTileVertices(pOther.get());
    EXPECT_EQ(4u, driver.m_lRequests.size());
    ASSERT_EQ(1, imageTilesOf(pOther.get()).getCount());
    EXPECT_EQ(store.getCell(0), imageTilesOf(pOther.get()).getCell(0));
}

TEST_F(Video3DTest, ImageOnATileEdgeTakesOnlyItsOwnTile)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pSheet = makePicture(300, 100);
    RIR::SmartPtr<SDLImage> pRight = new SDLImage(pSheet, Rect(256, 0, 300, 64));
    driver.buildTileVertices(pRight.get());
    Drv3DTileData& tiles = imageTilesOf(pRight.get());
    ASSERT_EQ(1, tiles.getCount());
    EXPECT_EQ("(0,0 0,0) (44,0 0.6875,0) (44,64 0.6875,1) (0,64 0,1)", tilesText(tiles)[0]);
    EXPECT_EQ(storeTilesOf(pRight.get()).getCell(1), tiles.getCell(0));

    // An empty stored area takes no tile at all.
    RIR::SmartPtr<SDLImage> pEmpty = new SDLImage(pSheet, Rect(10, 10, 10, 10));
    driver.buildTileVertices(pEmpty.get());
    EXPECT_EQ(0, imageTilesOf(pEmpty.get()).getCount());
}

TEST_F(Video3DTest, MirroredImagesMoveTheirCornersAndKeepTheirTextureCoordinates)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pSheet = makePicture(300, 100);
    RIR::SmartPtr<SDLImage> pFlipped = new SDLImage(pSheet, Rect(256, 0, 300, 64));
    pFlipped->flipHorizontal();
    driver.buildTileVertices(pFlipped.get());
    EXPECT_EQ("(44,0 0,0) (0,0 0.6875,0) (0,64 0.6875,1) (44,64 0,1)",
              tilesText(imageTilesOf(pFlipped.get()))[0]);

    RIR::SmartPtr<SDLImage> pBoth = new SDLImage(pSheet, Rect(256, 0, 300, 64));
    pBoth->flipHorizontal();
    pBoth->flipVertical();
    driver.buildTileVertices(pBoth.get());
    EXPECT_EQ("(44,64 0,0) (0,64 0.6875,0) (0,0 0.6875,1) (44,0 0,1)",
              tilesText(imageTilesOf(pBoth.get()))[0]);
}

TEST_F(Video3DTest, ScaledImagesDivideTheirPositions)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pImage = makePicture(64, 64);
    pImage->setScale(2.0f);
    driver.buildTileVertices(pImage.get());
    EXPECT_EQ("(0,0 0,0) (32,0 1,0) (32,32 1,1) (0,32 0,1)",
              tilesText(imageTilesOf(pImage.get()))[0]);
}

// ---- what is rebuilt, and when -----------------------------------------------------------------

TEST_F(Video3DTest, OnlyStaleTilesAreRebuilt)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pImage = makePicture(300, 100);
    driver.m_pHost->m_nFrameCount = 3;
    driver.prepareImage(pImage.get());
    ASSERT_EQ(4u, driver.m_lRequests.size());
    Drv3DTileData& tiles = imageTilesOf(pImage.get());
    EXPECT_EQ(3, tiles.getGeneration());

    // Nothing changed: nothing rebuilt, neither store nor image.
    driver.nextFrame();
    driver.prepareImage(pImage.get());
    EXPECT_EQ(4u, driver.m_lRequests.size());
    EXPECT_EQ(3, tiles.getGeneration());

    // The image's geometry changed: recut without an upload.
    pImage->getDriverData()->setChangeStamp(driver.getFrameCount());
    driver.nextFrame();
    driver.prepareImage(pImage.get());
    EXPECT_EQ(4u, driver.m_lRequests.size());
    EXPECT_EQ(driver.getFrameCount(), tiles.getGeneration());

    // The pixels changed: uploaded again, the old textures released.
    markPixelsChanged(pImage.get(), driver.getFrameCount());
    driver.nextFrame();
    driver.prepareImage(pImage.get());
    EXPECT_EQ(8u, driver.m_lRequests.size());
    EXPECT_EQ(4, FakeTexture::s_nLive);
    EXPECT_EQ(driver.getFrameCount(), tiles.getGeneration());
    EXPECT_EQ(storeTilesOf(pImage.get()).getBuild(), tiles.getSourceBuild());

    // A picture that is not an SDLImage has nothing to prepare.
    MemImage other((PixelFormat()), PixelFormat());
    EXPECT_NO_THROW(driver.prepareImage(&other));
    EXPECT_NO_THROW(driver.prepareImage(nullptr));
}

TEST_F(Video3DTest, AModeSetMakesEveryImageUploadOnceOnFirstUse)
{
    TestDriver driver;
    driver.m_pHost->m_nFrameCount = 10;
    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));
    EXPECT_EQ(10, driver.getTextureGeneration());
    RIR::SmartPtr<SDLImage> pA = makePicture(64, 64);
    RIR::SmartPtr<SDLImage> pB = makePicture(64, 64);
    driver.nextFrame();
    driver.prepareImage(pA.get());
    driver.prepareImage(pB.get());
    EXPECT_EQ(2u, driver.m_lRequests.size());

    // F12 during the events of frame 12: the new mode drops every texture.
    ASSERT_TRUE(driver.setVideoMode(800, 600, VF_FULLSCREEN));
    EXPECT_EQ(12, driver.getTextureGeneration());
    EXPECT_EQ(0, driver.getRegistry()->getTextureCount());
    driver.nextFrame();
    for (int nRound = 0; nRound < 3; ++nRound)
    {
        driver.prepareImage(pA.get());
        driver.prepareImage(pB.get());
        driver.nextFrame();
    }
    EXPECT_EQ(4u, driver.m_lRequests.size());
    EXPECT_EQ(2, driver.getRegistry()->getTextureCount());
}

TEST_F(Video3DTest, AnImageOfAStoreUploadedThroughAnotherImageIsRecut)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pSheet = makePicture(300, 100);
    RIR::SmartPtr<SDLImage> pA = new SDLImage(pSheet, Rect(0, 0, 100, 50));
    RIR::SmartPtr<SDLImage> pB = new SDLImage(pSheet, Rect(150, 30, 300, 100));
    RIR::SmartPtr<Sprite> pSpriteA = driver.makeSprite("A", pA.get());
    RIR::SmartPtr<Sprite> pSpriteB = driver.makeSprite("B", pB.get());
    FakeDrawnMode mode;
    mode.addLayer()->append(pSpriteA);
    mode.addLayer()->append(pSpriteB);
    driver.m_pHost->m_lModes.push_back(&mode);
    driver.m_pHost->m_nFirstDrawn = 0;

    driver.renderFrame();
    ASSERT_EQ(4u, driver.m_lRequests.size());
    EXPECT_EQ(0, driver.m_nEmptyTileDraws);

    // The sheet's pixels change while the modes update; A is drawn first and uploads them again.
    driver.nextFrame(1);
    markPixelsChanged(pSheet.get(), driver.getFrameCount());
    driver.nextFrame(1);
    driver.renderFrame();
    EXPECT_EQ(8u, driver.m_lRequests.size());
    // B, current by its own stamps, still draws from the new textures, not emptied cells.
    EXPECT_EQ(0, driver.m_nEmptyTileDraws);
    Drv3DTileData& store = storeTilesOf(pB.get());
    Drv3DTileData& tilesB = imageTilesOf(pB.get());
    EXPECT_EQ(store.getBuild(), tilesB.getSourceBuild());
    for (int i = 0; i < tilesB.getCount(); ++i)
        EXPECT_FALSE(tilesB.getCell(i)->isEmpty());
    // Only the new textures are alive, and the registry knows only their cells.
    EXPECT_EQ(4, FakeTexture::s_nLive);
    EXPECT_EQ(4, driver.getRegistry()->getCellCount());
}

TEST_F(Video3DTest, ALongRunOfNewPicturesKeepsTheRegistryBounded)
{
    TestDriver driver;
    FakeDrawnMode mode;
    SpriteLayer* pLayer = mode.addLayer();
    driver.m_pHost->m_lModes.push_back(&mode);
    driver.m_pHost->m_nFirstDrawn = 0;
    // One picture re-uploaded every frame, as a movie player's frame image is.
    RIR::SmartPtr<SDLImage> pMovie = makePicture(300, 100);
    pLayer->append(driver.makeSprite("movie", pMovie.get()));

    int nMostCells = 0;
    for (int nFrame = 0; nFrame < 600; ++nFrame)
    {
        // A new picture every frame, as a Flash or text sprite makes; the last one goes.
        RIR::SmartPtr<SDLImage> pFresh = makePicture(130, 70);
        if (pLayer->getLength() > 1)
            pLayer->removeAt(1);
        pLayer->append(driver.makeSprite("fresh", pFresh.get()));
        markPixelsChanged(pMovie.get(), driver.getFrameCount());
        driver.nextFrame(1);
        driver.renderFrame();
        driver.nextFrame(1);
        nMostCells = std::max(nMostCells, driver.getRegistry()->getCellCount());
    }
    // 4 tiles for the movie, 4 for the fresh picture (128 + 2 by 64 + 8).
    EXPECT_EQ(600u * 8u, driver.m_lRequests.size());
    EXPECT_LE(nMostCells, 8);
    EXPECT_EQ(8, driver.getRegistry()->getCellCount());
    EXPECT_EQ(8, FakeTexture::s_nLive);
    EXPECT_EQ(0, driver.m_nEmptyTileDraws);
    mode.getSpriteLayers().get(0)->clear();
    pMovie = nullptr;
    EXPECT_EQ(0, driver.getRegistry()->getCellCount());
}

// ---- the frame
// -----------------------------------------------------------------------------------

TEST_F(Video3DTest, FrameWalksTheVisibleModesBottomUpAndTheirLayersInOrder)
{
    TestDriver driver;
    RIR::SmartPtr<SDLImage> pPicture = makePicture(16, 16);

    // Stack index 3 is not drawn at all: the lowest drawn mode is index 2.
    FakeDrawnMode below(0x03);
    below.addLayer()->append(driver.makeSprite("hidden-by-opaque-mode", pPicture.get()));
    FakeDrawnMode bottom(0x03 | IDrawnMode::CLEAR_SCREEN_FLAG);
    SpriteLayer* pBack = bottom.addLayer();
    pBack->append(driver.makeSprite("b1", pPicture.get(), 1, 1));
    pBack->append(driver.makeSprite("b2", pPicture.get(), 2, 2));
    SpriteLayer* pFront = bottom.addLayer();
    RIR::SmartPtr<Sprite> pInvisible = driver.makeSprite("invisible", pPicture.get());
    pInvisible->setVisible(false);
    pFront->append(pInvisible);
    pFront->append(driver.makeSprite("no-image", nullptr));
    pFront->append(driver.makeSprite("b3", pPicture.get(), 3, 3));
    FakeDrawnMode inactive(0x02);
    inactive.addLayer()->append(driver.makeSprite("inactive", pPicture.get()));
    FakeDrawnMode invisibleMode(0x01);
    invisibleMode.addLayer()->append(driver.makeSprite("invisible-mode", pPicture.get()));
    FakeDrawnMode top(0x03 | 0x04);
    top.addLayer(); // an empty layer
    top.addLayer()->append(driver.makeSprite("t1", pPicture.get(), 4, 4));
    driver.m_pHost->m_lModes = {&top, &invisibleMode, &inactive, &bottom, &below};
    driver.m_pHost->m_nFirstDrawn = 3;

    driver.renderFrame();

    std::vector<std::string> lExpected = {"begin",          "clear(0, 0, 0, 255)", "draw b1 at 1,1",
                                          "draw b2 at 2,2", "draw b3 at 3,3",      "draw t1 at 4,4",
                                          "present"};
    EXPECT_EQ(lExpected, driver.m_lCalls);
    EXPECT_EQ(4, driver.m_pHost->m_nModeQueries);
}

TEST_F(Video3DTest, SkippedSceneDrawsNothing)
{
    TestDriver driver;
    FakeDrawnMode mode(0x03 | IDrawnMode::CLEAR_SCREEN_FLAG);
    mode.addLayer()->append(driver.makeSprite("s", makePicture(8, 8).get()));
    driver.m_pHost->m_lModes = {&mode};
    driver.m_pHost->m_nFirstDrawn = 0;
    driver.setCursorImage(makePicture(8, 8).get());
    driver.m_bSceneOK = false;

    driver.renderFrame();
    EXPECT_EQ(std::vector<std::string>{"begin"}, driver.m_lCalls);
    EXPECT_EQ(0, driver.m_pHost->m_nModeQueries);

    // No modes: the frame still begins, shows the cursor and presents.
    driver.m_bSceneOK = true;
    driver.m_pHost->m_nFirstDrawn = -1;
    driver.m_lCalls.clear();
    driver.m_labels[driver.getCursorSprite().get()] = "cursor";
    driver.renderFrame();
    std::vector<std::string> lExpected = {"begin", "draw cursor at 0,0", "present"};
    EXPECT_EQ(lExpected, driver.m_lCalls);
}

TEST_F(Video3DTest, SoftwareCursorFollowsThePointerOnTop)
{
    TestDriver driver;
    FakeDrawnMode mode;
    mode.addLayer()->append(driver.makeSprite("s", makePicture(8, 8).get()));
    driver.m_pHost->m_lModes = {&mode};
    driver.m_pHost->m_nFirstDrawn = 0;
    driver.m_pHost->m_nMouseX = 120;
    driver.m_pHost->m_nMouseY = 45;
    EXPECT_EQ(nullptr, driver.getCursorSprite().get());

    RIR::SmartPtr<SDLImage> pArrow = makePicture(12, 20);
    driver.setCursorImage(pArrow.get());
    RIR::SmartPtr<Sprite> pCursor = driver.getCursorSprite();
    ASSERT_TRUE(pCursor);
    EXPECT_EQ(pArrow.get(), pCursor->getImage().get());
    EXPECT_EQ(0, pCursor->getZOrder());
    driver.m_labels[pCursor.get()] = "cursor";

    struct Case
    {
        bool bShown;
        bool bSoftware;
        bool bDrawn;
    };
    const Case aCases[] = {
        {true, true, true}, {false, true, false}, {true, false, false}, {false, false, false}};
    for (const Case& c : aCases)
    {
        driver.showCursor(c.bShown);
        driver.setSoftwareCursor(c.bSoftware);
        driver.m_lCalls.clear();
        driver.renderFrame();
        std::vector<std::string> lExpected = {"begin", "draw s at 0,0"};
        if (c.bDrawn)
            lExpected.push_back("draw cursor at 120,45");
        lExpected.push_back("present");
        EXPECT_EQ(lExpected, driver.m_lCalls) << c.bShown << c.bSoftware;
    }

    // A new picture makes a new cursor sprite; no picture leaves no cursor sprite to draw.
    driver.showCursor(true);
    driver.setSoftwareCursor(true);
    driver.setCursorImage(makePicture(4, 4).get());
    EXPECT_NE(pCursor.get(), driver.getCursorSprite().get());
    driver.setCursorImage(nullptr);
    EXPECT_EQ(nullptr, driver.getCursorSprite().get());
    EXPECT_EQ(nullptr, driver.getCursorImage().get());
    driver.m_lCalls.clear();
    driver.renderFrame();
    std::vector<std::string> lExpected = {"begin", "draw s at 0,0", "present"};
    EXPECT_EQ(lExpected, driver.m_lCalls);
}

// ---- states and modes
// ----------------------------------------------------------------------------

TEST_F(Video3DTest, RenderStateCacheMarksOnlyChanges)
{
    TestDriver driver;
    EXPECT_EQ(-1, driver.getBlendMode());
    EXPECT_EQ(-1, driver.getStateBits());
    EXPECT_TRUE(driver.isStencilMasked());

    driver.setStatesDirty(false);
    driver.setBlendMode(-1);
    driver.setStateBits(-1);
    driver.setStencilMasked(true);
    EXPECT_FALSE(driver.areStatesDirty());

    driver.setBlendMode(SDL3DVideoDriverBase::BLEND_ALPHA);
    EXPECT_TRUE(driver.areStatesDirty());
    driver.setStatesDirty(false);
    driver.setStateBits(SDL3DVideoDriverBase::STATE_COLOR);
    EXPECT_TRUE(driver.areStatesDirty());
    driver.setStatesDirty(false);
    driver.setStencilMasked(false);
    EXPECT_TRUE(driver.areStatesDirty());
    driver.setStatesDirty(false);
    driver.setBlendMode(SDL3DVideoDriverBase::BLEND_ALPHA);
    driver.setStateBits(SDL3DVideoDriverBase::STATE_COLOR);
    driver.setStencilMasked(false);
    EXPECT_FALSE(driver.areStatesDirty());
}

TEST_F(Video3DTest, ModeSetGivesTheImageFormatsAndResetsTheStates)
{
    TestDriver driver;
    EXPECT_EQ(-1, driver.getTextureGeneration());
    driver.setStatesDirty(false);
    driver.setStencilUsed(true);
    driver.m_pHost->m_nFrameCount = 40;

    ASSERT_TRUE(driver.setVideoMode(800, 600, 0));

    EXPECT_EQ(PixelFormat(24, 0, 0xFF, 0xFF00, 0xFF0000), driver.getOpaqueFormat());
    EXPECT_EQ(PixelFormat(32, 0xFF000000, 0xFF, 0xFF00, 0xFF0000), driver.getAlphaFormat());
    EXPECT_EQ(40, driver.getTextureGeneration());
    EXPECT_TRUE(driver.areStatesDirty());
    EXPECT_FALSE(driver.isStencilUsed());
    EXPECT_EQ(800, driver.getWidth());

    // A refused mode leaves the generation and the states alone.
    driver.setStatesDirty(false);
    driver.m_pHost->m_nFrameCount = 50;
    driver.m_bRefuseModes = true;
    EXPECT_FALSE(driver.setVideoMode(800, 600, VF_FULLSCREEN));
    EXPECT_EQ(40, driver.getTextureGeneration());
    EXPECT_FALSE(driver.areStatesDirty());
}
