// Image table: canvas geometry, insertion point, flips, sub-images and clones.
#ifndef DIZIDOR_TESTS_GFX_TEST_IMAGE_GEOMETRY_TABLE_H
#define DIZIDOR_TESTS_GFX_TEST_IMAGE_GEOMETRY_TABLE_H

#include "test_image_fixture.h"

template <class Backend> class ImageGeometry : public ImageTable<Backend>
{
};
TYPED_TEST_SUITE_P(ImageGeometry);

TYPED_TEST_P(ImageGeometry, BlankImageHasItsStoredSizeAsCanvas)
{
    RIR::SmartPtr<Image> pImage = this->blank(10, 8, false);
    this->expectGeometry(pImage.get(), 10, 8, 0, 0, 10, 8);
    EXPECT_EQ(0, pImage->getInsPointX());
    EXPECT_EQ(0, pImage->getInsPointY());
    int nSX = -1;
    int nSY = -1;
    pImage->getSurfaceOffset(&nSX, &nSY);
    EXPECT_EQ(0, nSX);
    EXPECT_EQ(0, nSY);
    bool bH = true;
    bool bV = true;
    pImage->getFlipFlags(&bH, &bV);
    EXPECT_FALSE(bH);
    EXPECT_FALSE(bV);
    EXPECT_FALSE(pImage->isSharingPixels());
    EXPECT_EQ(8, pImage->getSizeAlong(true));
    EXPECT_EQ(10, pImage->getSizeAlong(false));

    // A blank image has at least one pixel; with alpha it is transparent black.
    RIR::SmartPtr<Image> pTiny = this->blank(0, 0, true);
    this->expectGeometry(pTiny.get(), 1, 1, 0, 0, 1, 1);
    EXPECT_TRUE(pTiny->hasAlpha());
    EXPECT_COLOR(Color(0, 0, 0, 0), this->stored(pTiny.get(), 0, 0));
    EXPECT_COLOR(Color(0, 0, 0, 255), this->stored(this->blank(1, 1, false).get(), 0, 0));
}

TYPED_TEST_P(ImageGeometry, InsertionPointByAlignment)
{
    // A 10 x 8 canvas whose stored pixels are the 4 x 2 at (3, 5).
    RIR::SmartPtr<Image> pImage = this->blank(4, 2, false);
    pImage->setVirtualCanvas(3, 5, 10, 8);
    struct Case
    {
        int nFlags;
        int nX;
        int nY;
    };
    const Case aCases[] = {
        {0, 0, 0},           {0x01 | 0x08, 0, 0},        {0x02 | 0x10, 9, 7},
        {0x04 | 0x20, 5, 4}, {0x02 | 0x04, 9, 0},        {0x10 | 0x20, 0, 7},
        {0x40, 3, 5},        {0x40 | 0x02 | 0x10, 6, 6}, {0x40 | 0x04 | 0x20, 5, 6},
    };
    for (const Case& c : aCases)
    {
        pImage->setInsPoint(-1, -1);
        pImage->setInsPointByAlign(c.nFlags);
        EXPECT_EQ(c.nX, pImage->getInsPointX()) << "flags 0x" << std::hex << c.nFlags;
        EXPECT_EQ(c.nY, pImage->getInsPointY()) << "flags 0x" << std::hex << c.nFlags;
    }

    pImage->setInsPoint(Point(2.9f, -1.9f));
    EXPECT_EQ(2, pImage->getInsPointX());
    EXPECT_EQ(-1, pImage->getInsPointY());
}

TYPED_TEST_P(ImageGeometry, RectsAreRelativeToTheInsertionPoint)
{
    RIR::SmartPtr<Image> pImage = this->blank(20, 10, false);
    pImage->setVirtualCanvas(7, 3, 100, 50);
    EXPECT_RECT(Rect(0, 0, 100, 50), pImage->getVirtualRect());
    EXPECT_RECT(Rect(7, 3, 27, 13), pImage->getPhysicalRect());
    pImage->setInsPoint(50, 25);
    EXPECT_RECT(Rect(-50, -25, 50, 25), pImage->getVirtualRect());
    EXPECT_RECT(Rect(-43, -22, -23, -12), pImage->getPhysicalRect());
}

TYPED_TEST_P(ImageGeometry, FlipsMirrorTheGeometryAndDeferThePixels)
{
    // A 10 x 4 canvas holding 6 x 4 stored pixels at its left edge.
    RIR::SmartPtr<Image> pImage = this->pattern(6, 4, false);
    pImage->setVirtualCanvas(0, 0, 10, 4);
    pImage->setInsPoint(3, 1);

    pImage->flipHorizontal();
    EXPECT_EQ(7, pImage->getInsPointX());
    this->expectGeometry(pImage.get(), 6, 4, 4, 0, 10, 4);
    bool bH = false;
    bool bV = true;
    pImage->getFlipFlags(&bH, &bV);
    EXPECT_TRUE(bH);
    EXPECT_FALSE(bV);
    // The stored pixels are still unmirrored: canvas reads see them at the mirrored offset.
    this->expectCanvas(pImage.get(), 4, 0, 6, 4,
                       [](int i, int j) { return patternColor(i, j, false); });

    pImage->flipHorizontal();
    EXPECT_EQ(3, pImage->getInsPointX());
    this->expectGeometry(pImage.get(), 6, 4, 0, 0, 10, 4);
    pImage->getFlipFlags(&bH, &bV);
    EXPECT_FALSE(bH);

    // Paying the pending flips mirrors the pixels once.
    pImage->flipHorizontal();
    pImage->flipVertical();
    EXPECT_EQ(3, pImage->getInsPointY());
    pImage->applyPendingChanges();
    pImage->getFlipFlags(&bH, &bV);
    EXPECT_FALSE(bH);
    EXPECT_FALSE(bV);
    this->expectGeometry(pImage.get(), 6, 4, 4, 0, 10, 4);
    this->expectCanvas(pImage.get(), 4, 0, 6, 4,
                       [](int i, int j) { return patternColor(5 - i, 3 - j, false); });
}

TYPED_TEST_P(ImageGeometry, SubImageIsClampedToTheParentsStoredPixels)
{
    RIR::SmartPtr<Image> pParent = this->pattern(20, 20, true);
    struct Case
    {
        int x, y, w, h;         // request
        int nPhysW, nPhysH;     // stored size
        int nSurfX, nSurfY;     // store offset
        int nCanvasX, nCanvasY; // canvas offset
    };
    const Case aCases[] = {
        {2, 3, 4, 5, 4, 5, 2, 3, 0, 0},       {-5, -5, 10, 10, 5, 5, 0, 0, 5, 5},
        {15, 18, 10, 10, 5, 2, 15, 18, 0, 0}, {30, 30, 5, 5, 0, 0, 20, 20, -10, -10},
        {0, 0, 20, 20, 20, 20, 0, 0, 0, 0},   {-3, 4, 2, 2, 0, 0, 0, 4, 3, 0},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(testing::Message()
                     << "request (" << c.x << ", " << c.y << ", " << c.w << ", " << c.h << ")");
        RIR::SmartPtr<Image> pSub = pParent->createSubImage(c.x, c.y, c.w, c.h, false);
        this->expectGeometry(pSub.get(), c.nPhysW, c.nPhysH, c.nCanvasX, c.nCanvasY, c.w, c.h);
        if (c.nPhysW > 0)
        {
            int nSX = -1;
            int nSY = -1;
            pSub->getSurfaceOffset(&nSX, &nSY);
            EXPECT_EQ(c.nSurfX, nSX);
            EXPECT_EQ(c.nSurfY, nSY);
        }
        EXPECT_EQ(0, pSub->getInsPointX());
        EXPECT_TRUE(pSub->isSharingPixels());
        EXPECT_TRUE(pSub->hasAlpha());
        // Every canvas point of the sub-image shows the parent's pixel there, or nothing.
        for (int j = 0; j < c.h; ++j)
            for (int i = 0; i < c.w; ++i)
            {
                const int nPX = c.x + i;
                const int nPY = c.y + j;
                const bool bInside = nPX >= 0 && nPY >= 0 && nPX < 20 && nPY < 20;
                EXPECT_COLOR(bInside ? patternColor(nPX, nPY, true) : Color(0, 0, 0, 255),
                             pSub->getPixelAt(i, j));
            }
    }
}

TYPED_TEST_P(ImageGeometry, SubImageOfATrimmedParentKeepsTheCanvasPlaces)
{
    RIR::SmartPtr<Image> pParent = this->pattern(4, 4, false);
    pParent->setVirtualCanvas(10, 10, 30, 30);
    RIR::SmartPtr<Image> pSub = pParent->createSubImage(8, 9, 4, 4, false);
    this->expectGeometry(pSub.get(), 2, 3, 2, 1, 4, 4);
    this->expectCanvas(pSub.get(), 2, 1, 2, 3,
                       [](int i, int j) { return patternColor(i, j, false); });
    EXPECT_TRUE(pSub->isTransparentAt(0, 0, 0));
}

TYPED_TEST_P(ImageGeometry, SubImageOfAFlippedParentShowsTheMirroredPixels)
{
    for (int nFlip = 1; nFlip <= 3; ++nFlip)
    {
        SCOPED_TRACE(testing::Message() << "flips " << nFlip);
        const bool bH = (nFlip & 1) != 0;
        const bool bV = (nFlip & 2) != 0;
        // A 10 x 9 canvas with 6 x 5 stored pixels at (1, 2); once mirrored they lie at
        // (3, 2) horizontally and (1, 2) vertically.
        RIR::SmartPtr<Image> pParent = this->pattern(6, 5, true);
        pParent->setVirtualCanvas(1, 2, 10, 9);
        if (bH)
            pParent->flipHorizontal();
        if (bV)
            pParent->flipVertical();
        const int nCX = bH ? 3 : 1;
        const int nCY = 2;
        // What the flipped parent shows at canvas point (x, y).
        auto shown = [&](int x, int y)
        {
            const int i = x - nCX;
            const int j = y - nCY;
            if (i < 0 || j < 0 || i >= 6 || j >= 5)
                return Color(0, 0, 0, 255);
            return patternColor(bH ? 5 - i : i, bV ? 4 - j : j, true);
        };

        const Rect aRequests[] = {Rect(4, 0, 5, 9), Rect(3, 2, 7, 6), Rect(0, 0, 10, 9),
                                  Rect(5, 5, 9, 8), Rect(8, 6, 9, 7)};
        for (const Rect& r : aRequests)
        {
            RIR::SmartPtr<Image> pSub = pParent->createSubImage(r, false);
            // Paid on a private copy, the sub-image's own pending flips must bring the right
            // pixels into place.
            RIR::SmartPtr<Image> pSubShown = pSub->clone(true);
            pSubShown->applyPendingChanges();
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    EXPECT_COLOR(shown(x, y), pSubShown->getPixelAt(x - r.left, y - r.top))
                        << "request " << r.toString().c_str() << " at (" << x << ", " << y << ")";
        }
    }
}

TYPED_TEST_P(ImageGeometry, CloneSharesPixelsUntilItChangesThem)
{
    RIR::SmartPtr<Image> pParent = this->pattern(8, 6, true);
    pParent->setInsPoint(3, 4);
    RIR::SmartPtr<Image> pClone = pParent->clone(false);
    EXPECT_TRUE(pClone->isSharingPixels());
    EXPECT_EQ(3, pClone->getInsPointX());
    EXPECT_EQ(4, pClone->getInsPointY());
    this->expectGeometry(pClone.get(), 8, 6, 0, 0, 8, 6);
    this->expectCanvas(pClone.get(), 0, 0, 8, 6,
                       [](int i, int j) { return patternColor(i, j, true); });

    // Changing the clone's pixels gives it its own copy first.
    pClone->multiplyAlpha(0);
    EXPECT_FALSE(pClone->isSharingPixels());
    this->expectCanvas(pParent.get(), 0, 0, 8, 6,
                       [](int i, int j) { return patternColor(i, j, true); });
    this->expectCanvas(pClone.get(), 0, 0, 8, 6,
                       [](int i, int j)
                       {
                           Color c = patternColor(i, j, true);
                           c.a = 0;
                           return c;
                       });

    // A clone with its own pixels at once; the parent may go before a sharing view.
    RIR::SmartPtr<Image> pOwn = pParent->clone(true);
    EXPECT_FALSE(pOwn->isSharingPixels());
    RIR::SmartPtr<Image> pView = pParent->createSubImage(2, 2, 3, 3, false);
    pParent = nullptr;
    this->expectCanvas(pView.get(), 0, 0, 3, 3,
                       [](int i, int j) { return patternColor(i + 2, j + 2, true); });
    this->expectCanvas(pOwn.get(), 0, 0, 8, 6,
                       [](int i, int j) { return patternColor(i, j, true); });
}

TYPED_TEST_P(ImageGeometry, ColourOperationsOnAViewLeaveTheParentAlone)
{
    RIR::SmartPtr<Image> pParent = this->pattern(6, 6, true);
    const std::function<void(Image*)> aChanges[] = {
        [](Image* p) { p->remapChannels(2, 1, 0); },
        [](Image* p) { p->multiplyColor(Color(10, 10, 10, 255)); },
        [](Image* p) { p->multiplyAlpha(100); },
        [](Image* p) { p->applyAlphaMask(p, 1); },
    };
    for (const auto& change : aChanges)
    {
        RIR::SmartPtr<Image> pView = pParent->createSubImage(1, 1, 4, 4, false);
        change(pView.get());
        EXPECT_FALSE(pView->isSharingPixels());
        EXPECT_NE(imageText(patternColor(1, 1, true)), imageText(pView->getPixelAt(0, 0)));
        this->expectCanvas(pParent.get(), 0, 0, 6, 6,
                           [](int i, int j) { return patternColor(i, j, true); });
    }
}

REGISTER_TYPED_TEST_SUITE_P(ImageGeometry, BlankImageHasItsStoredSizeAsCanvas,
                            InsertionPointByAlignment, RectsAreRelativeToTheInsertionPoint,
                            FlipsMirrorTheGeometryAndDeferThePixels,
                            SubImageIsClampedToTheParentsStoredPixels,
                            SubImageOfATrimmedParentKeepsTheCanvasPlaces,
                            SubImageOfAFlippedParentShowsTheMirroredPixels,
                            CloneSharesPixelsUntilItChangesThem,
                            ColourOperationsOnAViewLeaveTheParentAlone);

#endif
