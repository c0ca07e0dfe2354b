// Sprite: transforms between screen and image, bounds, hit tests and collisions.
#include "gfx/sprite.h"
#include "test_sprite_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

class SpriteHitTest : public SpriteTestBase
{
protected:
    // The worked example: a 20 x 10 picture with its insertion point at (10, 5), at (100, 50).
    RIR::SmartPtr<Sprite> example(float fScale, float fRotation)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(patternImage(20, 10, 10, 5), 100, 50, 0);
        pSprite->setScale(fScale);
        pSprite->setRotation(fRotation);
        return pSprite;
    }

    static void expectNear(const Point& expected, const Point& actual)
    {
        EXPECT_NEAR(expected.x, actual.x, 1e-3f);
        EXPECT_NEAR(expected.y, actual.y, 1e-3f);
    }
};

TEST_F(SpriteHitTest, BoundsOfTheWorkedExample)
{
    struct Case
    {
        const char* pszName;
        Point pos;
        Point scale;
        float fRotation;
        Rect expected;
    };
    const Case cases[] = {
        {"plain", Point(100, 50), Point(1, 1), 0.0f, Rect(90, 45, 110, 55)},
        {"scale 2", Point(100, 50), Point(2, 2), 0.0f, Rect(80, 40, 120, 60)},
        {"turned 90", Point(100, 50), Point(1, 1), 90.0f, Rect(95, 40, 105, 60)},
        {"turned 360", Point(100, 50), Point(1, 1), 360.0f, Rect(90, 45, 110, 55)},
        {"turned -270", Point(100, 50), Point(1, 1), -270.0f, Rect(95, 40, 105, 60)},
        {"turned 180", Point(100, 50), Point(1, 1), 180.0f, Rect(90, 45, 110, 55)},
        {"fractional position", Point(100.7f, 50.2f), Point(1, 1), 0.0f, Rect(90, 45, 110, 55)},
        {"negative truncates up", Point(-0.5f, -0.5f), Point(1, 1), 0.0f, Rect(-10, -5, 9, 4)},
        {"stretched", Point(100, 50), Point(0.5f, 3), 0.0f, Rect(95, 35, 105, 65)},
        {"mirrored", Point(100, 50), Point(-1, 1), 0.0f, Rect(90, 45, 110, 55)},
        {"mirrored turned", Point(100, 50), Point(-1, 1), 90.0f, Rect(95, 40, 105, 60)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<Sprite> pSprite = example(1.0f, c.fRotation);
        pSprite->setPosPoint(c.pos);
        pSprite->setScaleXY(c.scale.x, c.scale.y);
        EXPECT_EQ(c.expected, pSprite->getBounds());
        EXPECT_EQ(c.expected, pSprite->getPhysicalBounds()) << "the picture fills its canvas";
    }
}

TEST_F(SpriteHitTest, NothingShownMeansNoBoundsAndNoHits)
{
    RIR::SmartPtr<Sprite> pHidden = example(1.0f, 0.0f);
    pHidden->setVisible(false);
    RIR::SmartPtr<Sprite> pEmpty = new Sprite(100, 50, 0);
    RIR::SmartPtr<Sprite> pClippedAway = example(1.0f, 0.0f);
    pClippedAway->setClipRect(Rect(0, 0, 10, 10));
    for (Sprite* pSprite : {pHidden.get(), pEmpty.get(), pClippedAway.get()})
    {
        EXPECT_EQ(Rect(), pSprite->getBounds());
        EXPECT_EQ(Rect(), pSprite->getPhysicalBounds());
        for (int nMode : {SHT_PIXELS, SHT_STORED_PIXELS, SHT_BOUNDS})
        {
            pSprite->setHitTestMode(nMode);
            EXPECT_FALSE(pSprite->hitTest(Point(100, 50))) << "mode " << nMode;
        }
        EXPECT_FALSE(pSprite->containsPoint(100, 50));
        EXPECT_FALSE(pSprite->hitTestPixels(Point(100, 50), 0));
    }
}

TEST_F(SpriteHitTest, PointTransforms)
{
    // Scale 2: the bottom-right corner of the bounds is the canvas's far corner.
    RIR::SmartPtr<Sprite> pScaled = example(2.0f, 0.0f);
    EXPECT_EQ(Point(20, 10), pScaled->screenToLocal(Point(120, 60)));
    EXPECT_EQ(Point(0, 0), pScaled->screenToLocal(Point(80, 40)));
    EXPECT_EQ(Point(120, 60), pScaled->localToScreen(Point(20, 10)));

    // Turned 90 degrees clockwise: the canvas's top-left corner lies right of the anchor.
    RIR::SmartPtr<Sprite> pTurned = example(1.0f, 90.0f);
    expectNear(Point(105, 40), pTurned->localToScreen(Point(0, 0)));
    expectNear(Point(0, 0), pTurned->screenToLocal(Point(105, 40)));

    // The transforms are inverse to each other whatever the placement.
    RIR::SmartPtr<Sprite> pAny = example(1.0f, 0.0f);
    pAny->setScaleXY(2.0f, 0.5f);
    pAny->setRotation(-33.0f);
    pAny->setPosFloat(12.25f, -7.5f);
    for (const Point& p : {Point(0, 0), Point(3.5f, 9), Point(-40, 17), Point(20, 10)})
    {
        expectNear(p, pAny->screenToLocal(pAny->localToScreen(p)));
        expectNear(p, pAny->localToScreen(pAny->screenToLocal(p)));
    }

    // Without an image there is no insertion point to add.
    RIR::SmartPtr<Sprite> pBare = new Sprite(10, 20, 0);
    EXPECT_EQ(Point(5, -5), pBare->screenToLocal(Point(15, 15)));
    EXPECT_EQ(Point(15, 15), pBare->localToScreen(Point(5, -5)));
}

TEST_F(SpriteHitTest, FullTurnsGiveTheSameBoundsButTransformsUseTheRawAngle)
{
    RIR::SmartPtr<Sprite> pZero = example(1.0f, 0.0f);
    RIR::SmartPtr<Sprite> pFull = example(1.0f, 360.0f);
    RIR::SmartPtr<Sprite> pTwo = example(1.0f, 720.0f);
    EXPECT_EQ(pZero->getBounds(), pFull->getBounds());
    EXPECT_EQ(pZero->getBounds(), pTwo->getBounds());
    // The point transforms turn by the raw angle, whose float sine is not exactly 0: close to,
    // but not necessarily exactly, the unturned answer.
    expectNear(Point(19, 9), pFull->screenToLocal(Point(109, 54)));
    expectNear(Point(19, 9), pTwo->screenToLocal(Point(109, 54)));
    EXPECT_EQ(Point(19, 9), pZero->screenToLocal(Point(109, 54)));
}

TEST_F(SpriteHitTest, BoundsTestEdges)
{
    RIR::SmartPtr<Sprite> pSprite = example(1.0f, 0.0f);
    struct Case
    {
        Point p;
        bool bHit;
    };
    const Case cases[] = {
        {Point(90, 45), true},     {Point(110, 55), false},    {Point(109.9f, 54.9f), true},
        {Point(89.9f, 45), false}, {Point(90, 44.99f), false}, {Point(110, 50), false},
        {Point(100, 55), false},   {Point(100, 50), true},
    };
    pSprite->setHitTestMode(SHT_BOUNDS);
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.bHit, pSprite->hitTestBounds(c.p)) << testing::PrintToString(c.p);
        EXPECT_EQ(c.bHit, pSprite->hitTest(c.p)) << testing::PrintToString(c.p);
    }
    EXPECT_TRUE(pSprite->containsPoint(90, 45));
    EXPECT_FALSE(pSprite->containsPoint(110, 55));

    RIR::SmartPtr<Sprite> pTurned = example(1.0f, 90.0f);
    EXPECT_TRUE(pTurned->hitTestBounds(Point(96, 41)));
    EXPECT_FALSE(pTurned->hitTestBounds(Point(91, 46))) << "outside once turned";
}

TEST_F(SpriteHitTest, ModesOnATrimmedPictureWithTransparentPixels)
{
    // A 20 x 10 canvas whose stored pixels are 10 x 6 at (5, 2); insertion point (10, 5); at
    // (100, 50) the stored pixels cover (95, 47) - (105, 53) on the screen. Stored pixel (0, 0)
    // is transparent, (1, 0) has alpha 100, the rest is opaque.
    RIR::SmartPtr<Image> pImage = m_factory.createBlank(10, 6, true);
    pImage->fill(Color(200, 100, 50, 255));
    pImage->setVirtualCanvas(5, 2, 20, 10);
    pImage->setInsPoint(10, 5);
    pImage->setPixelAt(5, 2, Color(0, 0, 0, 0));
    pImage->setPixelAt(6, 2, Color(9, 9, 9, 100));
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 0);
    EXPECT_EQ(Rect(90, 45, 110, 55), pSprite->getBounds());
    EXPECT_EQ(Rect(95, 47, 105, 53), pSprite->getPhysicalBounds());

    struct Case
    {
        const char* pszName;
        Point p;
        bool bPixels;
        bool bStored;
        bool bBounds;
    };
    const Case cases[] = {
        {"opaque pixel", Point(100.5f, 50.5f), true, true, true},
        {"transparent pixel", Point(95.5f, 47.5f), false, true, true},
        {"half-transparent pixel", Point(96.5f, 47.5f), true, true, true},
        {"canvas beyond the stored pixels", Point(92, 46), false, false, true},
        {"outside the canvas", Point(111, 50), false, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(c.bPixels, pSprite->hitTestPixels(c.p, 0));
        EXPECT_EQ(c.bStored, pSprite->hitTestStoredPixels(c.p));
        EXPECT_EQ(c.bBounds, pSprite->hitTestBounds(c.p));
        pSprite->setHitTestMode(SHT_PIXELS);
        EXPECT_EQ(c.bPixels, pSprite->hitTest(c.p));
        pSprite->setHitTestMode(7); // any other value tests the pixels
        EXPECT_EQ(c.bPixels, pSprite->hitTest(c.p));
        pSprite->setHitTestMode(SHT_STORED_PIXELS);
        EXPECT_EQ(c.bStored, pSprite->hitTest(c.p));
        pSprite->setHitTestMode(SHT_BOUNDS);
        EXPECT_EQ(c.bBounds, pSprite->hitTest(c.p));
        EXPECT_EQ(c.bBounds, pSprite->containsPoint((int)c.p.x, (int)c.p.y));
    }

    // The threshold: alpha at or below it counts as transparent.
    EXPECT_TRUE(pSprite->hitTestPixels(Point(96.5f, 47.5f), 99));
    EXPECT_FALSE(pSprite->hitTestPixels(Point(96.5f, 47.5f), 100));
}

TEST_F(SpriteHitTest, ClippedSpriteTestsItsClippedImage)
{
    RIR::SmartPtr<Sprite> pSprite = example(1.0f, 0.0f);
    pSprite->setClipRect(Rect(90, 45, 100, 55));
    for (int nMode : {SHT_PIXELS, SHT_STORED_PIXELS, SHT_BOUNDS})
    {
        pSprite->setHitTestMode(nMode);
        EXPECT_TRUE(pSprite->hitTest(Point(95, 50))) << "mode " << nMode;
        EXPECT_FALSE(pSprite->hitTest(Point(105, 50))) << "cut away, mode " << nMode;
    }
    EXPECT_FALSE(pSprite->containsPoint(105, 50));
}

TEST_F(SpriteHitTest, ImageScaleFactorShrinksThePictureOnTheScreen)
{
    // A picture of scale factor 2 is drawn at half its pixel size: bounds, hit tests and both
    // transforms agree on that.
    RIR::SmartPtr<Sprite> pSprite = example(1.0f, 0.0f);
    pSprite->getImage()->setScale(2.0f);
    EXPECT_EQ(Rect(95, 47, 105, 52), pSprite->getBounds());
    EXPECT_EQ(Point(18, 9), pSprite->screenToLocal(Point(104, 52)));
    EXPECT_EQ(Point(104, 52), pSprite->localToScreen(Point(18, 9)));
    pSprite->setHitTestMode(SHT_BOUNDS);
    EXPECT_TRUE(pSprite->hitTest(Point(104.9f, 52.4f)));
    EXPECT_FALSE(pSprite->hitTest(Point(105, 50)));

    pSprite->setScale(2.0f);
    EXPECT_EQ(Rect(90, 45, 110, 55), pSprite->getBounds());
}

TEST_F(SpriteHitTest, NonFiniteRotationCoversNothing)
{
    for (float fAngle :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    {
        RIR::SmartPtr<Sprite> pSprite = example(1.0f, fAngle);
        EXPECT_EQ(Rect(), pSprite->getBounds());
        EXPECT_EQ(Rect(), pSprite->getPhysicalBounds());
        EXPECT_FALSE(pSprite->hitTest(Point(100, 50)));
        EXPECT_FALSE(pSprite->hitTestBounds(Point(100, 50)));
        pSprite->setClipRect(Rect(0, 0, 800, 600));
        EXPECT_FALSE(pSprite->getDisplayImage());
    }
}

TEST_F(SpriteHitTest, Collisions)
{
    RIR::SmartPtr<Sprite> pA = example(1.0f, 0.0f); // (90, 45) - (110, 55)
    struct Case
    {
        const char* pszName;
        Point otherPos;
        float fRotationA;
        bool bCollide;
    };
    const Case cases[] = {
        {"apart", Point(125, 50), 0.0f, false},
        {"overlapping", Point(115, 50), 0.0f, true},
        {"touching edges", Point(120, 50), 0.0f, true},
        {"below", Point(100, 62), 0.0f, false},
        {"below, reached once turned", Point(100, 62), 90.0f, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        pA->setRotation(c.fRotationA);
        RIR::SmartPtr<Sprite> pB = new Sprite(patternImage(20, 10, 10, 5), c.otherPos, 0);
        EXPECT_EQ(c.bCollide, pA->collidesWith(pB));
        EXPECT_EQ(c.bCollide, pB->collidesWith(pA));
        EXPECT_EQ(c.bCollide, pA->collidesWithBounds(pB));
    }

    // A trimmed picture collides by its stored pixels or by its canvas.
    RIR::SmartPtr<Image> pTrimmed = m_factory.createBlank(4, 4, true);
    pTrimmed->setVirtualCanvas(16, 0, 20, 10);
    RIR::SmartPtr<Sprite> pC = new Sprite(pTrimmed, 102, 50, 0); // stored at (118..122)
    pA->setRotation(0.0f);
    EXPECT_FALSE(pA->collidesWith(pC));
    EXPECT_TRUE(pA->collidesWithBounds(pC));

    RIR::SmartPtr<Sprite> pNothing = new Sprite(100, 50, 0);
    EXPECT_FALSE(pA->collidesWith(pNothing));
    EXPECT_FALSE(pNothing->collidesWith(pA));
    EXPECT_FALSE(pA->collidesWith(RIR::SmartPtr<Sprite>()));
}

} // namespace
