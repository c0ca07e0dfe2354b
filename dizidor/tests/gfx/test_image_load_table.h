// Image table: loading named pictures with their ".spec" and ".subimage" side files.
#ifndef DIZIDOR_TESTS_GFX_TEST_IMAGE_LOAD_TABLE_H
#define DIZIDOR_TESTS_GFX_TEST_IMAGE_LOAD_TABLE_H

#include "gfx/imagesidefiles.h"
#include "test_image_fixture.h"

template <class Backend> class ImageLoad : public ImageTable<Backend>
{
protected:
    void SetUp() override
    {
        this->addPatternPicture("sheet", 20, 20, true);
        this->addPatternPicture("plain", 20, 10, false);
    }
};
TYPED_TEST_SUITE_P(ImageLoad);

TYPED_TEST_P(ImageLoad, PictureWithoutSideFiles)
{
    RIR::SmartPtr<Image> pImage = this->load("plain");
    this->expectGeometry(pImage.get(), 20, 10, 0, 0, 20, 10);
    EXPECT_EQ(0, pImage->getInsPointX());
    EXPECT_EQ(0, pImage->getInsPointY());
    EXPECT_EQ(RIR::String("plain"), pImage->getName());
    EXPECT_FALSE(pImage->hasAlpha());
    this->expectCanvas(pImage.get(), 0, 0, 20, 10,
                       [](int i, int j) { return patternColor(i, j, false); });
    EXPECT_TRUE(this->load("sheet")->hasAlpha());
    // The cache hands out one shared object per lower-cased name.
    EXPECT_EQ(pImage, this->load("PLAIN"));
}

TYPED_TEST_P(ImageLoad, SpecPutsTheStoredPixelsIntoTheirCanvas)
{
    this->m_env.addText("plain.spec", "vcanvas 100 50 7 3\n");
    RIR::SmartPtr<Image> pImage = this->load("plain");
    this->expectGeometry(pImage.get(), 20, 10, 7, 3, 100, 50);
    EXPECT_RECT(Rect(7, 3, 27, 13), pImage->getPhysicalRect());
    this->expectCanvas(pImage.get(), 7, 3, 20, 10,
                       [](int i, int j) { return patternColor(i, j, false); });
    // Outside the stored pixels the canvas is transparent, even in an opaque picture.
    EXPECT_TRUE(pImage->isTransparentAt(0, 0, 0));
    EXPECT_TRUE(pImage->isTransparentAt(27, 13, 0));
    EXPECT_FALSE(pImage->isTransparentAt(7, 3, 0));
    EXPECT_COLOR(Color(0, 0, 0, 255), pImage->getPixelAt(99, 49));
}

TYPED_TEST_P(ImageLoad, SpecLinesCommentsAndNumbers)
{
    struct Case
    {
        const char* pszSpec;
        int nWidth, nHeight, nX, nY;
    };
    const Case aCases[] = {
        {"# trimmed\nvcanvas 1 1 0 0\n\tvcanvas\t30 20 1 2  # the last line wins\n", 30, 20, 1, 2},
        {"vcanvas 64x 32 -4 abc\r\n", 64, 32, -4, 0},
        {"vcanvas 99999999999 -99999999999 0 0", INT32_MAX, INT32_MIN, 0, 0},
        {"", 20, 10, 0, 0},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszSpec);
        this->m_env.clearImageCache();
        this->m_env.addText("plain.spec", c.pszSpec);
        RIR::SmartPtr<Image> pImage = this->load("plain");
        this->expectGeometry(pImage.get(), 20, 10, c.nX, c.nY, c.nWidth, c.nHeight);
    }
}

TYPED_TEST_P(ImageLoad, BadSpecRaisesAndKeepsEarlierLines)
{
    this->m_env.addText("plain.spec", "vcanvas 1 2 3");
    EXPECT_EQ("Assertion failed : lToks.getLength() == 5",
              imageMessageOf<RIR::AssertFailException>([&] { this->load("plain"); }));
    this->m_env.addText("plain.spec", "vcanvas 1 2 3 4 5");
    EXPECT_EQ("Assertion failed : lToks.getLength() == 5",
              imageMessageOf<RIR::AssertFailException>([&] { this->load("plain"); }));
    this->m_env.addText("plain.spec", "canvas 1 2 3 4");
    EXPECT_EQ("Unknown token canvas at plain.spec, line 0",
              imageMessageOf<RIR::FatalErrorException>([&] { this->load("plain"); }));
    EXPECT_FALSE(this->m_env.isImageCached("plain"));

    // The reader applies line by line: what came before the bad line stays.
    RIR::SmartPtr<Image> pImage = this->blank(4, 4, false);
    EXPECT_EQ("Unknown token bogus at x.spec, line 2",
              imageMessageOf<RIR::FatalErrorException>(
                  [&]
                  {
                      readCanvasSpec("vcanvas 40 30 1 2\n# note\nbogus 1\nvcanvas 5 5 0 0",
                                     "x.spec", pImage.get());
                  }));
    this->expectGeometry(pImage.get(), 4, 4, 1, 2, 40, 30);
}

TYPED_TEST_P(ImageLoad, SubImageFileSharesTheCachedParent)
{
    this->m_env.addText("glyph.subimage", "sheet 2 3 8 6\n");
    this->m_env.addText("glyph2.subimage", "sheet   4 4 2 2 extra tokens");
    RIR::SmartPtr<Image> pGlyph = this->load("glyph");
    this->expectGeometry(pGlyph.get(), 8, 6, 0, 0, 8, 6);
    EXPECT_TRUE(pGlyph->isSharingPixels());
    EXPECT_EQ(RIR::String("glyph"), pGlyph->getName());
    this->expectCanvas(pGlyph.get(), 0, 0, 8, 6,
                       [](int i, int j) { return patternColor(i + 2, j + 3, true); });
    EXPECT_TRUE(this->m_env.isImageCached("sheet"));
    EXPECT_EQ(2, this->m_env.getImageLoads());

    RIR::SmartPtr<Image> pGlyph2 = this->load("glyph2");
    EXPECT_EQ(3, this->m_env.getImageLoads()); // the parent came from the cache
    this->expectCanvas(pGlyph2.get(), 0, 0, 2, 2,
                       [](int i, int j) { return patternColor(i + 4, j + 4, true); });
}

TYPED_TEST_P(ImageLoad, SubImageFileIsClampedAndCombinesWithSpec)
{
    this->m_env.addText("corner.subimage", "sheet -5 -5 10 10");
    RIR::SmartPtr<Image> pCorner = this->load("corner");
    this->expectGeometry(pCorner.get(), 5, 5, 5, 5, 10, 10);
    this->expectCanvas(pCorner.get(), 5, 5, 5, 5,
                       [](int i, int j) { return patternColor(i, j, true); });

    this->m_env.addText("edge.subimage", "sheet 15 18 10 10");
    this->expectGeometry(this->load("edge").get(), 5, 2, 0, 0, 10, 10);

    this->m_env.addText("away.subimage", "sheet 40 40 3 3");
    this->expectGeometry(this->load("away").get(), 0, 0, -20, -20, 3, 3);

    // The ".spec" comes after the sub-image and sets the canvas again.
    this->m_env.addText("framed.subimage", "sheet 1 1 4 4");
    this->m_env.addText("framed.spec", "vcanvas 12 12 4 4");
    RIR::SmartPtr<Image> pFramed = this->load("framed");
    this->expectGeometry(pFramed.get(), 4, 4, 4, 4, 12, 12);
    this->expectCanvas(pFramed.get(), 4, 4, 4, 4,
                       [](int i, int j) { return patternColor(i + 1, j + 1, true); });
}

TYPED_TEST_P(ImageLoad, SubImageFileErrors)
{
    this->m_env.addText("short.subimage", "sheet 1 2 3");
    EXPECT_EQ("List index out of range : 4 (have 4)",
              imageMessageOf<RIR::FatalErrorException>([&] { this->load("short"); }));
    // A line end is no separator: the definition must stay on one line.
    this->m_env.addText("broken.subimage", "sheet\n1 2 3 4");
    EXPECT_EQ("List index out of range : 4 (have 4)",
              imageMessageOf<RIR::FatalErrorException>([&] { this->load("broken"); }));

    this->m_env.addText("orphan.subimage", "nothere 0 0 1 1");
    bool bRaised = false;
    try
    {
        this->load("orphan");
    }
    catch (const RIR::Exception& e)
    {
        bRaised = true;
        EXPECT_NE(std::string::npos, std::string(e.getMessage()).find("nothere")) << e.getMessage();
    }
    EXPECT_TRUE(bRaised);
    EXPECT_FALSE(this->m_env.isImageCached("orphan"));
}

TYPED_TEST_P(ImageLoad, SubImageChainThatReturnsToItselfRaises)
{
    this->m_env.addText("self.subimage", "self 0 0 1 1");
    this->m_env.addText("ping.subimage", "pong 0 0 1 1");
    this->m_env.addText("pong.subimage", "PING 0 0 1 1");
    EXPECT_NE(std::string::npos,
              imageMessageOf<RIR::FatalErrorException>([&] { this->load("self"); })
                  .find("sub-image chain of self"));
    EXPECT_NE(std::string::npos,
              imageMessageOf<RIR::FatalErrorException>([&] { this->load("ping"); })
                  .find("sub-image chain of ping"));

    // A chain that ends in a picture loads, also after the failures above.
    this->m_env.addText("glyph.subimage", "sheet 2 2 8 8");
    this->m_env.addText("dot.subimage", "glyph 1 1 2 2");
    RIR::SmartPtr<Image> pDot = this->load("dot");
    this->expectCanvas(pDot.get(), 0, 0, 2, 2,
                       [](int i, int j) { return patternColor(i + 3, j + 3, true); });
}

TYPED_TEST_P(ImageLoad, AutoTrimOnlyWhenSwitchedOnAndWithoutSpec)
{
    // A 10 x 10 picture whose only visible pixel is (3, 4).
    std::vector<uint8_t> ab(10 * 10 * 4, 0);
    ab[(4 * 10 + 3) * 4 + 0] = 200;
    ab[(4 * 10 + 3) * 4 + 3] = 255;
    this->m_env.addPicture("spot", 10, 10, 4, ab.data());
    this->m_env.addPicture("framedspot", 10, 10, 4, ab.data());
    this->m_env.addText("framedspot.spec", "vcanvas 10 10 0 0");

    EXPECT_FALSE(Image::getAutoTrim());
    this->expectGeometry(this->load("spot").get(), 10, 10, 0, 0, 10, 10);
    this->m_env.clearImageCache();

    Image::setAutoTrim(true);
    RIR::SmartPtr<Image> pSpot = this->load("spot");
    RIR::SmartPtr<Image> pFramed = this->load("framedspot");
    RIR::SmartPtr<Image> pRaw(this->factory()->loadWithFlags("spot", false));
    Image::setAutoTrim(false);
    this->expectGeometry(pSpot.get(), 1, 1, 3, 4, 10, 10);
    EXPECT_COLOR(Color(200, 0, 0, 255), pSpot->getPixelAt(3, 4));
    this->expectGeometry(pFramed.get(), 10, 10, 0, 0, 10, 10);
    this->expectGeometry(pRaw.get(), 10, 10, 0, 0, 10, 10);
}

REGISTER_TYPED_TEST_SUITE_P(ImageLoad, PictureWithoutSideFiles,
                            SpecPutsTheStoredPixelsIntoTheirCanvas, SpecLinesCommentsAndNumbers,
                            BadSpecRaisesAndKeepsEarlierLines, SubImageFileSharesTheCachedParent,
                            SubImageFileIsClampedAndCombinesWithSpec, SubImageFileErrors,
                            SubImageChainThatReturnsToItselfRaises,
                            AutoTrimOnlyWhenSwitchedOnAndWithoutSpec);

#endif
