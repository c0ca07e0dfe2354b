// Image table: transparency tests, colour operations and alpha masks.
#ifndef DIZIDOR_TESTS_GFX_TEST_IMAGE_PIXELS_TABLE_H
#define DIZIDOR_TESTS_GFX_TEST_IMAGE_PIXELS_TABLE_H

#include "test_image_fixture.h"

template <class Backend> class ImagePixels : public ImageTable<Backend>
{
};
TYPED_TEST_SUITE_P(ImagePixels);

TYPED_TEST_P(ImagePixels, TransparencyDependsOnTheKindOfImage)
{
    // Alpha: judged by alpha against the threshold.
    RIR::SmartPtr<Image> pAlpha = this->filled(4, 3, true, Color(9, 9, 9, 0));
    pAlpha->setPixelAt(1, 1, Color(1, 2, 3, 10));
    pAlpha->setPixelAt(2, 1, Color(1, 2, 3, 200));
    pAlpha->lock();
    EXPECT_TRUE(pAlpha->isPixelTransparent(0, 0, 0));
    EXPECT_FALSE(pAlpha->isPixelTransparent(1, 1, 9));
    EXPECT_TRUE(pAlpha->isPixelTransparent(1, 1, 10));
    EXPECT_FALSE(pAlpha->isPixelTransparent(2, 1, 199));
    EXPECT_TRUE(pAlpha->isRowSpanTransparent(1, 3, 10));
    EXPECT_FALSE(pAlpha->isRowSpanTransparent(1, -5, 2));
    EXPECT_TRUE(pAlpha->isColumnSpanTransparent(1, 2, 3));
    pAlpha->unlock();
    EXPECT_TRUE(pAlpha->isRowTransparent(0, 0));
    EXPECT_FALSE(pAlpha->isRowTransparent(1, 10));
    EXPECT_TRUE(pAlpha->isRowTransparent(1, 200));
    EXPECT_FALSE(pAlpha->isColumnTransparent(2, 0));
    EXPECT_TRUE(pAlpha->isColumnTransparent(3, 0));
    EXPECT_TRUE(pAlpha->isTransparentAt(1, 1, 10));
    EXPECT_FALSE(pAlpha->isTransparentAt(Point(2.9f, 1.5f), 10));

    // Colour key: judged by equality with the key.
    RIR::SmartPtr<Image> pKeyed = this->filled(4, 3, false, Color(255, 0, 255, 255));
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    pKeyed->setPixelAt(3, 2, Color(10, 20, 30, 255));
    EXPECT_TRUE(pKeyed->hasColorKey());
    EXPECT_COLOR(Color(255, 0, 255, 255), pKeyed->getColorKey());
    EXPECT_TRUE(pKeyed->isTransparentAt(0, 0, 0));
    EXPECT_FALSE(pKeyed->isTransparentAt(3, 2, 255));
    EXPECT_TRUE(pKeyed->isRowTransparent(1, 0));
    EXPECT_FALSE(pKeyed->isColumnTransparent(3, 0));
    pKeyed->lock();
    EXPECT_TRUE(pKeyed->isColumnSpanTransparent(3, 0, 2));
    EXPECT_FALSE(pKeyed->isColumnSpanTransparent(3, 0, 3));
    pKeyed->unlock();

    // Neither: no pixel is transparent, whatever the threshold.
    RIR::SmartPtr<Image> pOpaque = this->filled(4, 3, false, Color(0, 0, 0, 255));
    EXPECT_FALSE(pOpaque->isTransparentAt(0, 0, 255));
    EXPECT_FALSE(pOpaque->isRowTransparent(0, 255));
    EXPECT_FALSE(pOpaque->isColumnTransparent(0, 255));
    // Rows and columns beyond the stored pixels hold nothing.
    EXPECT_TRUE(pOpaque->isRowTransparent(3, 0));
    EXPECT_TRUE(pOpaque->isColumnTransparent(-1, 0));
}

TYPED_TEST_P(ImagePixels, CanvasReadsOutsideTheStoredPixels)
{
    RIR::SmartPtr<Image> pImage = this->pattern(4, 4, false);
    pImage->setVirtualCanvas(3, 3, 10, 10);
    EXPECT_COLOR(Color(0, 0, 0, 255), pImage->getPixelAt(2, 3));
    EXPECT_COLOR(Color(0, 0, 0, 255), pImage->getPixelAt(7, 3));
    EXPECT_COLOR(patternColor(0, 0, false), pImage->getPixelAt(3, 3));
    EXPECT_TRUE(pImage->isTransparentAt(0, 0, 0));
    EXPECT_FALSE(pImage->isTransparentAt(6, 6, 255));

    pImage->setPixelAt(0, 0, Color(1, 1, 1, 255)); // outside: nothing
    pImage->setPixelAt(4, 5, Color(1, 2, 3, 255));
    this->expectGeometry(pImage.get(), 4, 4, 3, 3, 10, 10);
    EXPECT_COLOR(Color(1, 2, 3, 255), this->stored(pImage.get(), 1, 2));
}

TYPED_TEST_P(ImagePixels, ColourOperations)
{
    RIR::SmartPtr<Image> pImage = this->filled(3, 2, true, Color(10, 20, 255, 77));
    pImage->remapChannels(2, 1, 0);
    EXPECT_COLOR(Color(255, 20, 10, 77), pImage->getPixelAt(2, 1));
    pImage->remapChannels(1, 1, 1);
    EXPECT_COLOR(Color(20, 20, 20, 77), pImage->getPixelAt(0, 0));
    EXPECT_EQ("Image::remapChannels : channel index out of range (0, 3, 1)",
              imageMessageOf<RIR::BadParmException>([&] { pImage->remapChannels(0, 3, 1); }));
    EXPECT_COLOR(Color(20, 20, 20, 77), pImage->getPixelAt(0, 0));

    RIR::SmartPtr<Image> pTinted = this->filled(2, 2, true, Color(255, 128, 0, 200));
    pTinted->multiplyColor(Color(255, 128, 7, 0));
    EXPECT_COLOR(Color(254, 64, 0, 200), pTinted->getPixelAt(1, 1));

    RIR::SmartPtr<Image> pFaded = this->filled(3, 1, true, Color(1, 2, 3, 255));
    pFaded->setPixelAt(1, 0, Color(1, 2, 3, 0));
    pFaded->setPixelAt(2, 0, Color(1, 2, 3, 100));
    pFaded->multiplyAlpha(255);
    EXPECT_COLOR(Color(1, 2, 3, 100), pFaded->getPixelAt(2, 0));
    pFaded->multiplyAlpha(128);
    EXPECT_COLOR(Color(1, 2, 3, 127), pFaded->getPixelAt(0, 0));
    EXPECT_COLOR(Color(1, 2, 3, 0), pFaded->getPixelAt(1, 0));
    EXPECT_COLOR(Color(1, 2, 3, 50), pFaded->getPixelAt(2, 0));
    // Factors beyond the byte range are held within it instead of wrapping.
    pFaded->multiplyAlpha(1024);
    EXPECT_COLOR(Color(1, 2, 3, 255), pFaded->getPixelAt(0, 0));
    EXPECT_COLOR(Color(1, 2, 3, 200), pFaded->getPixelAt(2, 0));
    pFaded->multiplyAlpha(-3);
    EXPECT_COLOR(Color(1, 2, 3, 0), pFaded->getPixelAt(0, 0));

    RIR::SmartPtr<Image> pAlpha = this->pattern(3, 2, true)->createAlphaImage();
    this->expectGeometry(pAlpha.get(), 3, 2, 0, 0, 3, 2);
    this->expectCanvas(pAlpha.get(), 0, 0, 3, 2,
                       [](int i, int j)
                       {
                           const uint8_t a = patternColor(i, j, true).a;
                           return Color(a, a, a, 255);
                       });
}

TYPED_TEST_P(ImagePixels, AlphaMaskModes)
{
    RIR::SmartPtr<Image> pMask = this->pattern(4, 4, true);
    RIR::SmartPtr<Image> pGreyMask = this->pattern(4, 4, false);

    RIR::SmartPtr<Image> pSet = this->filled(4, 4, true, Color(7, 8, 9, 200));
    pSet->applyAlphaMask(pMask.get(), 0);
    this->expectCanvas(pSet.get(), 0, 0, 4, 4,
                       [](int i, int j) { return Color(7, 8, 9, patternColor(i, j, true).a); });

    // Without an alpha channel the mask's red stands in; an opaque target gains alpha first.
    RIR::SmartPtr<Image> pOpaque = this->filled(4, 4, false, Color(7, 8, 9, 255));
    pOpaque->applyAlphaMask(pGreyMask.get(), 0);
    EXPECT_TRUE(pOpaque->hasAlpha());
    this->expectCanvas(pOpaque.get(), 0, 0, 4, 4,
                       [](int i, int j) { return Color(7, 8, 9, patternColor(i, j, false).r); });

    RIR::SmartPtr<Image> pMul = this->filled(4, 4, true, Color(7, 8, 9, 200));
    pMul->applyAlphaMask(pMask.get(), 1);
    this->expectCanvas(pMul.get(), 0, 0, 4, 4,
                       [](int i, int j)
                       { return Color(7, 8, 9, 200 * patternColor(i, j, true).a >> 8); });

    RIR::SmartPtr<Image> pOther = this->filled(4, 4, true, Color(7, 8, 9, 200));
    pOther->applyAlphaMask(pMask.get(), 2);
    this->expectCanvas(pOther.get(), 0, 0, 4, 4, [](int, int) { return Color(7, 8, 9, 200); });
}

TYPED_TEST_P(ImagePixels, AlphaMaskOnTrimmedImagesWorksWhereBothHavePixels)
{
    // The target stores 4 x 4 pixels at (3, 3) of a 10 x 10 canvas; the mask is a full 10 x 10.
    RIR::SmartPtr<Image> pMask = this->pattern(10, 10, true);
    RIR::SmartPtr<Image> pTrimmed = this->filled(4, 4, true, Color(1, 2, 3, 255));
    pTrimmed->setVirtualCanvas(3, 3, 10, 10);
    pTrimmed->applyAlphaMask(pMask.get(), 0);
    this->expectGeometry(pTrimmed.get(), 4, 4, 3, 3, 10, 10);
    this->expectCanvas(pTrimmed.get(), 3, 3, 4, 4,
                       [](int i, int j)
                       { return Color(1, 2, 3, patternColor(i + 3, j + 3, true).a); });

    // A mask smaller than the target changes only what it covers.
    RIR::SmartPtr<Image> pSmallMask = this->filled(2, 2, true, Color(0, 0, 0, 9));
    pSmallMask->setVirtualCanvas(5, 1, 10, 10);
    RIR::SmartPtr<Image> pTarget = this->filled(10, 10, true, Color(1, 2, 3, 255));
    pTarget->applyAlphaMask(pSmallMask.get(), 0);
    this->expectCanvas(pTarget.get(), 0, 0, 10, 10,
                       [](int i, int j)
                       {
                           const bool bCovered = i >= 5 && i < 7 && j >= 1 && j < 3;
                           return Color(1, 2, 3, bCovered ? 9 : 255);
                       });

    // A view changes its own copy, and a mirrored mask is read as it shows.
    RIR::SmartPtr<Image> pParent = this->filled(6, 6, true, Color(1, 2, 3, 255));
    RIR::SmartPtr<Image> pView = pParent->createSubImage(0, 0, 4, 4, false);
    RIR::SmartPtr<Image> pFlippedMask = this->pattern(4, 4, true);
    pFlippedMask->flipHorizontal();
    pView->applyAlphaMask(pFlippedMask.get(), 0);
    this->expectCanvas(pView.get(), 0, 0, 4, 4,
                       [](int i, int j) { return Color(1, 2, 3, patternColor(3 - i, j, true).a); });
    this->expectCanvas(pParent.get(), 0, 0, 6, 6, [](int, int) { return Color(1, 2, 3, 255); });
}

REGISTER_TYPED_TEST_SUITE_P(ImagePixels, TransparencyDependsOnTheKindOfImage,
                            CanvasReadsOutsideTheStoredPixels, ColourOperations, AlphaMaskModes,
                            AlphaMaskOnTrimmedImagesWorksWhereBothHavePixels);

#endif
