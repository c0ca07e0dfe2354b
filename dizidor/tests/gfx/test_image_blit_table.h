// Image table: blits, their clipping and the growth of the stored area.
#ifndef DIZIDOR_TESTS_GFX_TEST_IMAGE_BLIT_TABLE_H
#define DIZIDOR_TESTS_GFX_TEST_IMAGE_BLIT_TABLE_H

#include "test_image_fixture.h"

#include <cstdlib>

template <class Backend> class ImageBlit : public ImageTable<Backend>
{
protected:
    static constexpr uint8_t BG = 50;
    static Color background() { return Color(BG, BG, BG, 255); }
};
TYPED_TEST_SUITE_P(ImageBlit);

TYPED_TEST_P(ImageBlit, CopyIsClippedToTheCanvas)
{
    RIR::SmartPtr<Image> pSrc = this->pattern(10, 10, false);
    struct Case
    {
        int x, y;         // where the source's insertion point lands
        int nDstX, nDstY; // the expected destination rectangle
        int nW, nH;
        int nSrcX, nSrcY; // and the source pixel at its top-left
    };
    const Case aCases[] = {
        {95, 95, 95, 95, 5, 5, 0, 0}, {-5, -3, 0, 0, 5, 7, 5, 3}, {40, 0, 40, 0, 10, 10, 0, 0},
        {200, 0, 0, 0, 0, 0, 0, 0},   {-10, 0, 0, 0, 0, 0, 0, 0}, {0, 100, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(testing::Message() << "blit at (" << c.x << ", " << c.y << ")");
        RIR::SmartPtr<Image> pDst = this->filled(100, 100, false, this->background());
        pDst->copyImage(pSrc.get(), c.x, c.y);
        this->expectGeometry(pDst.get(), 100, 100, 0, 0, 100, 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
            {
                const bool bDrawn =
                    x >= c.nDstX && y >= c.nDstY && x < c.nDstX + c.nW && y < c.nDstY + c.nH;
                const Color expected =
                    bDrawn ? patternColor(x - c.nDstX + c.nSrcX, y - c.nDstY + c.nSrcY, false)
                           : this->background();
                ASSERT_COLOR(expected, pDst->getPixelAt(x, y)) << "at (" << x << ", " << y << ")";
            }
    }
}

TYPED_TEST_P(ImageBlit, SourceRectangleInsertionPointAndTrim)
{
    // The insertion point of the source lands at (x, y).
    RIR::SmartPtr<Image> pSrc = this->pattern(6, 6, false);
    pSrc->setInsPoint(2, 3);
    RIR::SmartPtr<Image> pDst = this->filled(20, 20, false, this->background());
    pDst->copyImage(pSrc.get(), 10, 10);
    EXPECT_COLOR(patternColor(0, 0, false), pDst->getPixelAt(8, 7));
    EXPECT_COLOR(patternColor(5, 5, false), pDst->getPixelAt(13, 12));
    EXPECT_COLOR(this->background(), pDst->getPixelAt(14, 13));

    // A source rectangle lands with its top-left corner there; what lies outside the source's
    // stored pixels draws nothing.
    pSrc->setInsPoint(0, 0);
    RIR::SmartPtr<Image> pPart = this->filled(20, 20, false, this->background());
    pPart->copyRect(pSrc.get(), Rect(4, 3, 9, 12), 1, 1);
    this->expectCanvas(pPart.get(), 1, 1, 2, 3,
                       [](int i, int j) { return patternColor(i + 4, j + 3, false); });
    EXPECT_COLOR(this->background(), pPart->getPixelAt(3, 1));
    EXPECT_COLOR(this->background(), pPart->getPixelAt(1, 4));

    RIR::SmartPtr<Image> pMissed = this->filled(20, 20, false, this->background());
    pMissed->copyRect(pSrc.get(), Rect(6, 0, 10, 6), 0, 0);
    this->expectCanvas(pMissed.get(), 0, 0, 20, 20, [&](int, int) { return this->background(); });

    // A trimmed source draws its stored pixels where its canvas has them.
    RIR::SmartPtr<Image> pTrimmed = this->pattern(4, 4, false);
    pTrimmed->setVirtualCanvas(3, 2, 10, 10);
    RIR::SmartPtr<Image> pOut = this->filled(20, 20, false, this->background());
    pOut->copyImage(pTrimmed.get(), 5, 5);
    this->expectCanvas(pOut.get(), 8, 7, 4, 4,
                       [](int i, int j) { return patternColor(i, j, false); });
    EXPECT_COLOR(this->background(), pOut->getPixelAt(5, 5));
    EXPECT_COLOR(this->background(), pOut->getPixelAt(12, 7));
}

TYPED_TEST_P(ImageBlit, DrawingOntoATrimmedImageGrowsItsStoredArea)
{
    RIR::SmartPtr<Image> pSrc = this->pattern(10, 10, true);
    const Color old(1, 2, 3, 255);

    // Stored (10, 10) - (20, 20) of a 100 x 100 canvas, drawn at (30, 30).
    RIR::SmartPtr<Image> pDst = this->filled(10, 10, true, old);
    pDst->setVirtualCanvas(10, 10, 100, 100);
    pDst->copyImage(pSrc.get(), 30, 30);
    this->expectGeometry(pDst.get(), 30, 30, 10, 10, 100, 100);
    this->expectCanvas(pDst.get(), 10, 10, 10, 10, [&](int, int) { return old; });
    this->expectCanvas(pDst.get(), 30, 30, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });
    EXPECT_COLOR(Color(0, 0, 0, 0), pDst->getPixelAt(25, 15));
    EXPECT_TRUE(pDst->isTransparentAt(25, 15, 0));

    // Growing up and to the left, and only as far as the canvas reaches.
    RIR::SmartPtr<Image> pLeft = this->filled(10, 10, true, old);
    pLeft->setVirtualCanvas(50, 50, 100, 100);
    pLeft->copyImage(pSrc.get(), 40, 95);
    this->expectGeometry(pLeft.get(), 20, 50, 40, 50, 100, 100);
    this->expectCanvas(pLeft.get(), 50, 50, 10, 10, [&](int, int) { return old; });
    this->expectCanvas(pLeft.get(), 40, 95, 10, 5,
                       [](int i, int j) { return patternColor(i, j, true); });

    // An image with no stored pixels takes the drawn rectangle as its stored area.
    RIR::SmartPtr<Image> pEmpty = pSrc->createSubImage(50, 50, 100, 100, false);
    this->expectGeometry(pEmpty.get(), 0, 0, -40, -40, 100, 100);
    pEmpty->copyImage(pSrc.get(), 30, 20);
    this->expectGeometry(pEmpty.get(), 10, 10, 30, 20, 100, 100);
    this->expectCanvas(pEmpty.get(), 30, 20, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });

    // Nothing drawn, nothing grown.
    RIR::SmartPtr<Image> pMissed = this->filled(10, 10, true, old);
    pMissed->setVirtualCanvas(10, 10, 100, 100);
    pMissed->copyImage(pSrc.get(), 100, 0);
    pMissed->copyRect(pSrc.get(), Rect(10, 0, 20, 10), 50, 50);
    this->expectGeometry(pMissed.get(), 10, 10, 10, 10, 100, 100);
}

TYPED_TEST_P(ImageBlit, DrawingAnImageIntoItselfReadsTheOldPixels)
{
    RIR::SmartPtr<Image> pImage = this->pattern(10, 10, true);
    pImage->setVirtualCanvas(0, 0, 20, 10);
    pImage->copyImage(pImage.get(), 10, 0);
    this->expectGeometry(pImage.get(), 20, 10, 0, 0, 20, 10);
    this->expectCanvas(pImage.get(), 0, 0, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });
    this->expectCanvas(pImage.get(), 10, 0, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });

    // Growing to the left moves the stored pixels the copy reads from.
    RIR::SmartPtr<Image> pRight = this->pattern(10, 10, true);
    pRight->setVirtualCanvas(10, 0, 20, 10);
    pRight->copyImage(pRight.get(), -10, 0);
    this->expectGeometry(pRight.get(), 20, 10, 0, 0, 20, 10);
    this->expectCanvas(pRight.get(), 0, 0, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });
    this->expectCanvas(pRight.get(), 10, 0, 10, 10,
                       [](int i, int j) { return patternColor(i, j, true); });

    // Overlapping: the copy reads what was there before.
    RIR::SmartPtr<Image> pShift = this->pattern(8, 8, true);
    pShift->copyRect(pShift.get(), Rect(0, 0, 6, 6), 2, 2);
    this->expectCanvas(pShift.get(), 2, 2, 6, 6,
                       [](int i, int j) { return patternColor(i, j, true); });
}

TYPED_TEST_P(ImageBlit, BlitsRespectViewsAndPendingFlips)
{
    // Drawing into a view leaves its parent alone.
    RIR::SmartPtr<Image> pParent = this->filled(8, 8, false, this->background());
    RIR::SmartPtr<Image> pView = pParent->createSubImage(2, 2, 4, 4, false);
    pView->copyImage(this->pattern(4, 4, false).get(), 0, 0);
    this->expectCanvas(pView.get(), 0, 0, 4, 4,
                       [](int i, int j) { return patternColor(i, j, false); });
    this->expectCanvas(pParent.get(), 0, 0, 8, 8, [&](int, int) { return this->background(); });

    // A mirrored source is drawn as it shows, and the destination's pending flip is paid first.
    RIR::SmartPtr<Image> pFlipped = this->pattern(4, 3, false);
    pFlipped->flipHorizontal();
    pFlipped->flipVertical();
    RIR::SmartPtr<Image> pDst = this->filled(4, 3, false, this->background());
    // The insertion point was mirrored to (4 - 0, 3 - 0), so the canvas starts 4, 3 before it.
    pDst->copyImage(pFlipped.get(), 4, 3);
    this->expectCanvas(pDst.get(), 0, 0, 4, 3,
                       [](int i, int j) { return patternColor(3 - i, 2 - j, false); });

    RIR::SmartPtr<Image> pMirroredDst = this->pattern(4, 3, false);
    pMirroredDst->flipHorizontal();
    pMirroredDst->copyRect(this->filled(1, 1, false, Color(9, 9, 9, 255)).get(), Rect(0, 0, 1, 1),
                           0, 0);
    EXPECT_COLOR(Color(9, 9, 9, 255), pMirroredDst->getPixelAt(0, 0));
    this->expectCanvas(pMirroredDst.get(), 1, 0, 3, 3,
                       [](int i, int j) { return patternColor(2 - i, j, false); });
}

TYPED_TEST_P(ImageBlit, BlitComposesAlphaAndBlendsOtherwise)
{
    RIR::SmartPtr<Image> pSrc = this->filled(2, 1, true, Color(255, 0, 0, 128));
    pSrc->setPixelAt(1, 0, Color(0, 255, 0, 0));

    // Both with alpha: per-pixel composition; the destination's alpha grows by the source's.
    RIR::SmartPtr<Image> pBlue = this->filled(2, 1, true, Color(0, 0, 255, 255));
    pBlue->blit(pSrc.get(), 0, 0);
    EXPECT_COLOR(Color(128, 0, 127, 255), pBlue->getPixelAt(0, 0));
    EXPECT_COLOR(Color(0, 0, 255, 255), pBlue->getPixelAt(1, 0));
    RIR::SmartPtr<Image> pClear = this->filled(2, 1, true, Color(0, 0, 0, 0));
    pClear->blitRect(pSrc.get(), Rect(0, 0, 2, 1), 0, 0);
    EXPECT_COLOR(Color(255, 0, 0, 128), pClear->getPixelAt(0, 0));
    EXPECT_COLOR(Color(0, 0, 0, 0), pClear->getPixelAt(1, 0));

    // An opaque destination is blended by the source's alpha.
    RIR::SmartPtr<Image> pOpaque = this->filled(2, 1, false, Color(0, 0, 255, 255));
    pOpaque->blit(pSrc.get(), 0, 0);
    const Color mixed = pOpaque->getPixelAt(0, 0);
    EXPECT_NEAR(128, mixed.r, 2);
    EXPECT_EQ(0, mixed.g);
    EXPECT_NEAR(127, mixed.b, 2);
    EXPECT_COLOR(Color(0, 0, 255, 255), pOpaque->getPixelAt(1, 0));

    // A colour-keyed source leaves its key pixels out; a copy takes alpha verbatim.
    RIR::SmartPtr<Image> pKeyed = this->filled(2, 1, false, Color(255, 0, 255, 255));
    pKeyed->setPixelAt(1, 0, Color(10, 20, 30, 255));
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    RIR::SmartPtr<Image> pUnder = this->filled(2, 1, false, this->background());
    pUnder->blendImage(pKeyed.get(), 0, 0);
    EXPECT_COLOR(this->background(), pUnder->getPixelAt(0, 0));
    EXPECT_COLOR(Color(10, 20, 30, 255), pUnder->getPixelAt(1, 0));
    RIR::SmartPtr<Image> pCopy = this->filled(2, 1, true, Color(1, 1, 1, 255));
    pCopy->copyImage(pSrc.get(), 0, 0);
    EXPECT_COLOR(Color(255, 0, 0, 128), pCopy->getPixelAt(0, 0));
    EXPECT_COLOR(Color(0, 255, 0, 0), pCopy->getPixelAt(1, 0));
}

REGISTER_TYPED_TEST_SUITE_P(ImageBlit, CopyIsClippedToTheCanvas,
                            SourceRectangleInsertionPointAndTrim,
                            DrawingOntoATrimmedImageGrowsItsStoredArea,
                            DrawingAnImageIntoItselfReadsTheOldPixels,
                            BlitsRespectViewsAndPendingFlips, BlitComposesAlphaAndBlendsOtherwise);

#endif
