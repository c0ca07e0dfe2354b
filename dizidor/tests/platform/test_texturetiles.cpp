// Texture tiles: the tile-size choice, the layout of a store in tiles, and the cells that the
// tiles of a store and of its images share.
#include "platform/video3d/texturecell.h"
#include "platform/video3d/texturetiles.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class CountedTexture : public DeviceTexture
{
public:
    explicit CountedTexture(int* pnLive) : m_pnLive(pnLive) { ++*m_pnLive; }
    ~CountedTexture() override { --*m_pnLive; }

private:
    int* m_pnLive;
};

std::string rectsText(const RIR::List<Rect>& lRects)
{
    std::string sText;
    for (int i = 0; i < lRects.getLength(); ++i)
    {
        const Rect r = lRects.get(i);
        if (i > 0)
            sText += " ";
        sText += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
                 std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
    }
    return sText;
}

} // namespace

TEST(TextureTilesTest, PowersOfTwo)
{
    const int anCases[][2] = {{-5, 1},  {0, 1},   {1, 1},    {2, 2},     {3, 4},
                              {44, 64}, {64, 64}, {65, 128}, {512, 512}, {513, 1024}};
    for (const auto& c : anCases)
        EXPECT_EQ(c[1], nextPowerOfTwo(c[0])) << "n = " << c[0];
}

TEST(TextureTilesTest, TileSizeWastesTheFewestTexels)
{
    // Length, chosen size; the costs per size are in the comments.
    const int anCases[][2] = {
        {800, 256},  // 800, 800, 800, 1024: ties go to the larger size
        {600, 64},   // 608, 640, 640, 640
        {1024, 512}, // an exact multiple costs one more, 1025 for every size
        {20, 64},    // no larger size than the length is tried
        {300, 256},  // 320, 320, 320; 512 is above 300
        {100, 64},   // 128; 128 is above 100
        {64, 64},    // 65, nothing larger tried
        {130, 128},  // 130, 130
        {2000, 64},  // 2000, 2048, 2048, 2048
        {2048, 512}, // 2049 for every size
        {0, 64},
    };
    for (const auto& c : anCases)
        EXPECT_EQ(c[1], chooseTileSize(c[0], 64, 512)) << "length " << c[0];
    // The bounds are the caller's.
    EXPECT_EQ(32, chooseTileSize(100, 16, 32));
}

TEST(TextureTilesTest, LayoutOfStores)
{
    struct Case
    {
        int nWidth;
        int nHeight;
        const char* pszTiles;
        int nPaddedWidth;
        int nPaddedHeight;
    };
    const Case aCases[] = {
        // Full tiles, then the last column, the last row, the corner.
        {300, 100, "(0,0)-(256,64) (256,0)-(300,64) (0,64)-(256,100) (256,64)-(300,100)", 320, 128},
        {64, 64, "(0,0)-(64,64)", 64, 64},
        {20, 20, "(0,0)-(20,20)", 32, 32},
        {1024, 20, "(0,0)-(512,20) (512,0)-(1024,20)", 1024, 32},
        {600, 130,
         "(0,0)-(64,128) (64,0)-(128,128) (128,0)-(192,128) (192,0)-(256,128) (256,0)-(320,128) "
         "(320,0)-(384,128) (384,0)-(448,128) (448,0)-(512,128) (512,0)-(576,128) "
         "(576,0)-(600,128) "
         "(0,128)-(64,130) (64,128)-(128,130) (128,128)-(192,130) (192,128)-(256,130) "
         "(256,128)-(320,130) (320,128)-(384,130) (384,128)-(448,130) (448,128)-(512,130) "
         "(512,128)-(576,130) (576,128)-(600,130)",
         608, 130},
        {0, 0, "", 0, 0},
    };
    for (const Case& c : aCases)
    {
        RIR::List<Rect> lTiles;
        int nPaddedWidth = -1;
        int nPaddedHeight = -1;
        layoutTiles(c.nWidth, c.nHeight, lTiles, &nPaddedWidth, &nPaddedHeight);
        EXPECT_EQ(c.pszTiles, rectsText(lTiles)) << c.nWidth << "x" << c.nHeight;
        EXPECT_EQ(c.nPaddedWidth, nPaddedWidth) << c.nWidth << "x" << c.nHeight;
        EXPECT_EQ(c.nPaddedHeight, nPaddedHeight) << c.nWidth << "x" << c.nHeight;
    }
    // An 800 x 600 screen: 256-wide columns (3 and a 32-wide rest), 64-high rows (9 and a
    // 32-high rest).
    RIR::List<Rect> lScreen;
    int nPaddedWidth = 0;
    int nPaddedHeight = 0;
    layoutTiles(800, 600, lScreen, &nPaddedWidth, &nPaddedHeight);
    EXPECT_EQ(40, lScreen.getLength());
    EXPECT_EQ(800, nPaddedWidth);
    EXPECT_EQ(608, nPaddedHeight);
}

TEST(TextureTilesTest, StoreTilesOwnCellsThatImageTilesShare)
{
    int nLive = 0;
    RIR::SmartPtr<TextureRegistry> pRegistry = new TextureRegistry();
    Drv3DTileData* pStore = new Drv3DTileData(pRegistry, true);
    pStore->allocate(2);
    EXPECT_EQ(2, pRegistry->getCellCount());
    pStore->getCell(0)->setTexture(new CountedTexture(&nLive));
    pStore->getCell(1)->setTexture(new CountedTexture(&nLive));
    EXPECT_EQ(2, pRegistry->getTextureCount());

    Drv3DTileData image(pRegistry, false);
    image.allocate(1);
    EXPECT_EQ(nullptr, image.getCell(0));
    EXPECT_EQ(2, pRegistry->getCellCount());
    image.shareTexture(0, *pStore, 1);
    EXPECT_EQ(pStore->getCell(1), image.getCell(0));

    // Store tiles cannot borrow; indices are checked.
    try
    {
        pStore->shareTexture(0, image, 0);
        FAIL() << "store tiles shared a cell";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : !m_bOwnTextures", e.getMessage());
    }
    EXPECT_THROW(image.getCell(5), RIR::FatalErrorException);

    // A new build of the store releases its textures at once; the image keeps its cell, empty,
    // until it lets go.
    pStore->releaseTextures();
    EXPECT_EQ(0, nLive);
    EXPECT_EQ(1, pRegistry->getCellCount());
    EXPECT_TRUE(image.getCell(0)->isEmpty());
    image.releaseTextures();
    EXPECT_EQ(0, pRegistry->getCellCount());
    delete pStore;
}

TEST(TextureTilesTest, CellsGoWithTheirLastHolder)
{
    int nLive = 0;
    RIR::SmartPtr<TextureRegistry> pRegistry = new TextureRegistry();
    {
        Drv3DTileData store(pRegistry, true);
        Drv3DTileData image(pRegistry, false);
        store.allocate(3);
        for (int i = 0; i < 3; ++i)
            store.getCell(i)->setTexture(new CountedTexture(&nLive));
        image.allocate(3);
        for (int i = 0; i < 3; ++i)
            image.shareTexture(i, store, i);
        // Allocating again lets go of the old cells; the image still holds them.
        store.allocate(1);
        EXPECT_EQ(4, pRegistry->getCellCount());
        EXPECT_EQ(3, nLive);
        image.free();
        EXPECT_EQ(0, image.getCount());
        EXPECT_EQ(-1, image.getGeneration());
        EXPECT_EQ(1, pRegistry->getCellCount());
        EXPECT_EQ(0, nLive);
    }
    EXPECT_EQ(0, pRegistry->getCellCount());
}

TEST(TextureTilesTest, ClosedRegistryEmptiesEveryCellAndMakesNoMore)
{
    int nLive = 0;
    RIR::SmartPtr<TextureRegistry> pRegistry = new TextureRegistry();
    Drv3DTileData store(pRegistry, true);
    store.allocate(2);
    store.getCell(0)->setTexture(new CountedTexture(&nLive));
    store.getCell(1)->setTexture(new CountedTexture(&nLive));

    pRegistry->releaseAll();
    EXPECT_EQ(0, nLive);
    EXPECT_EQ(2, pRegistry->getCellCount());
    store.getCell(0)->setTexture(new CountedTexture(&nLive));

    pRegistry->close();
    EXPECT_EQ(0, nLive);
    EXPECT_FALSE(pRegistry->isOpen());
    EXPECT_THROW(store.allocate(1), RIR::AssertFailException);
}

TEST(TextureTilesTest, EachStoreBuildHasItsOwnNumber)
{
    RIR::SmartPtr<TextureRegistry> pRegistry = new TextureRegistry();
    Drv3DTileData store(pRegistry, true);
    Drv3DTileData image(pRegistry, false);
    EXPECT_EQ(0, store.getBuild());
    EXPECT_EQ(-1, store.getGeneration());
    store.setBuilt(7);
    int nFirst = store.getBuild();
    EXPECT_NE(0, nFirst);
    EXPECT_EQ(7, store.getGeneration());
    // Two builds within one frame still differ.
    store.setBuilt(7);
    EXPECT_NE(nFirst, store.getBuild());
    image.setBuilt(7);
    EXPECT_EQ(0, image.getBuild());
}
