// Sprite: construction, image and visibility, placement, z order, clipping, controllers, the
// mode's back calls and tooltips.
#include "gfx/drvspritedata.h"
#include "gfx/sprite.h"
#include "gfx/spritecontroller.h"
#include "test_sprite_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible<Sprite>::value, "sprites are shared, never copied");
static_assert(std::is_base_of<IVisualObject, Sprite>::value, "a sprite is a visual object");

namespace
{

class SpriteTest : public SpriteTestBase
{
};

// ---- construction and defaults ------------------------------------------------------------------

TEST_F(SpriteTest, DefaultsOfEveryConstructor)
{
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 10, 5);
    struct Case
    {
        const char* pszName;
        std::function<Sprite*()> make;
        bool bVisible;
        Point pos;
        int nZ;
        bool bImage;
    };
    const std::vector<Case> cases = {
        {"default", [] { return new Sprite(); }, true, Point(0, 0), 0, false},
        {"image xyz", [&] { return new Sprite(pImage, 10, 20, 5); }, true, Point(10, 20), 5, true},
        {"image point", [&] { return new Sprite(pImage, Point(1.5f, 2.5f), -3); }, true,
         Point(1.5f, 2.5f), -3, true},
        {"null image", [] { return new Sprite(RIR::SmartPtr<Image>(), 10, 20, 5); }, false,
         Point(10, 20), 5, false},
        {"no image xyz", [] { return new Sprite(7, 8, 9); }, true, Point(7, 8), 9, false},
        {"no image point", [] { return new Sprite(Point(7.25f, 8.5f), 2); }, true,
         Point(7.25f, 8.5f), 2, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<Sprite> pSprite = c.make();
        EXPECT_EQ(c.bVisible, pSprite->isVisible());
        EXPECT_EQ(c.pos, pSprite->getPosPoint());
        EXPECT_EQ(c.nZ, pSprite->getZOrder());
        EXPECT_EQ(c.bImage, pSprite->getImage() == pImage);
        EXPECT_EQ(pSprite->getImage(), pSprite->getDisplayImage());
        EXPECT_FALSE(pSprite->isClipped());
        EXPECT_EQ(1.0f, pSprite->getAlpha());
        EXPECT_EQ(0.0f, pSprite->getRotation());
        EXPECT_EQ(Color(255, 255, 255, 255).getPackedValue(), pSprite->getColor().getPackedValue());
        EXPECT_EQ(1.0f, pSprite->getScaleX());
        EXPECT_EQ(1.0f, pSprite->getScaleY());
        EXPECT_FALSE(pSprite->isScaled());
        EXPECT_EQ(SRF_DRAW, pSprite->getRenderFlags());
        EXPECT_EQ(SBM_NORMAL, pSprite->getBlendMode());
        EXPECT_FALSE(pSprite->isStencilMasked());
        EXPECT_EQ(-1, pSprite->getPolygonStamp());
        EXPECT_TRUE(pSprite->getPolygon().isEmpty());
        EXPECT_EQ(SHT_PIXELS, pSprite->getHitTestMode());
        EXPECT_FALSE(pSprite->hasClipRect());
        EXPECT_EQ(Rect(), pSprite->getClipRect());
        EXPECT_EQ(nullptr, pSprite->getMode());
        EXPECT_EQ(nullptr, pSprite->getTooltipHandle());
        EXPECT_EQ(nullptr, pSprite->getDriverData());
        EXPECT_EQ(0, pSprite->getControllerCount());
        EXPECT_FALSE(pSprite->getSpriteLayerRef().isSet());
        EXPECT_FALSE(pSprite->getControlLayerRef().isSet());
        EXPECT_FALSE(pSprite->getUpdateLayerRef().isSet());
        // The size is the image's while shown, else nothing.
        const int nExpectedWidth = c.bImage ? 20 : 0;
        const int nExpectedHeight = c.bImage ? 10 : 0;
        EXPECT_EQ(nExpectedWidth, pSprite->getWidth());
        EXPECT_EQ(nExpectedHeight, pSprite->getHeight());
        EXPECT_EQ(Point((float)nExpectedWidth, (float)nExpectedHeight), pSprite->getSizePoint());
    }
}

TEST_F(SpriteTest, ConstructsFromImageNameThroughTheImageCache)
{
    const uint8_t abPixels[4 * 3 * 2] = {};
    m_env.addPicture("door", 3, 2, 4, abPixels);
    RIR::SmartPtr<Sprite> pSprite = new Sprite("door", 4, 5, 1);
    ASSERT_TRUE(pSprite->getImage());
    EXPECT_EQ(m_env.getImage("door"), pSprite->getImage());
    EXPECT_TRUE(pSprite->isVisible());
    EXPECT_EQ(3, pSprite->getWidth());

    RIR::SmartPtr<Sprite> pOther = new Sprite("door", Point(1, 2), 0);
    EXPECT_EQ(pSprite->getImage(), pOther->getImage()) << "the cached picture is shared";

    EXPECT_THROW(new Sprite("missing", 0, 0, 0), RIR::Exception);
    EXPECT_THROW(pSprite->setImage((const char*)nullptr), RIR::AssertFailException);
}

TEST_F(SpriteTest, SizeSettersDoNothing)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(patternImage(20, 10, 0, 0), 0, 0, 0);
    pSprite->setSize(100, 100);
    pSprite->setSizePoint(Point(50, 50));
    int nWidth = -1;
    int nHeight = -1;
    pSprite->getSize(&nWidth, &nHeight);
    EXPECT_EQ(20, nWidth);
    EXPECT_EQ(10, nHeight);
    pSprite->getSize(nullptr, nullptr);
}

// ---- image and visibility -----------------------------------------------------------------------

TEST_F(SpriteTest, SettingAnImageShowsAndNullHides)
{
    RIR::SmartPtr<Image> pImage = patternImage(4, 4, 0, 0);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 0, 0, 0);
    pSprite->setVisible(false);
    EXPECT_FALSE(pSprite->isVisible());
    EXPECT_EQ(0, pSprite->getWidth()) << "a hidden sprite has no size";
    EXPECT_EQ(pImage, pSprite->getDisplayImage()) << "hiding alone keeps the image to draw";

    pSprite->setImage(pImage);
    EXPECT_TRUE(pSprite->isVisible()) << "giving an image shows a hidden sprite";

    pSprite->setImage(RIR::SmartPtr<Image>());
    EXPECT_FALSE(pSprite->isVisible());
    EXPECT_FALSE(pSprite->getImage());
    EXPECT_FALSE(pSprite->getDisplayImage());
    EXPECT_EQ(Rect(), pSprite->getBounds());

    RIR::SmartPtr<Image> pOther = patternImage(6, 2, 0, 0);
    pSprite->setImage(pOther);
    EXPECT_TRUE(pSprite->isVisible());
    EXPECT_EQ(pOther, pSprite->getImage());
    EXPECT_EQ(pOther, pSprite->getDisplayImage());
    EXPECT_EQ(1, pImage->getRefCount()) << "the old image was released";
}

// ---- placement ----------------------------------------------------------------------------------

// Records the placement hooks with the position the sprite had when each ran.
class HookedSprite : public Sprite
{
public:
    HookedSprite(RIR::SmartPtr<Image> pImage) : Sprite(pImage, 0, 0, 0) {}

    void onPositionChanging(int nNewX, int nNewY) override
    {
        m_lLog.push_back("changing " + std::to_string(nNewX) + "," + std::to_string(nNewY) +
                         " at " + std::to_string(getX()) + "," + std::to_string(getY()));
    }
    void onPositionChanged() override
    {
        m_lLog.push_back("changed at " + std::to_string(getX()) + "," + std::to_string(getY()));
        Sprite::onPositionChanged();
    }

    std::vector<std::string> m_lLog;
};

TEST_F(SpriteTest, MovesStoreFloatsAndReportTruncatedPositions)
{
    RIR::SmartPtr<HookedSprite> pSprite = new HookedSprite(patternImage(4, 4, 0, 0));
    pSprite->setPosFloat(3.9f, -2.7f);
    float fX = 0;
    float fY = 0;
    pSprite->getPosFloat(&fX, &fY);
    EXPECT_EQ(3.9f, fX);
    EXPECT_EQ(-2.7f, fY);
    int nX = 0;
    int nY = 0;
    pSprite->getPos(&nX, &nY);
    EXPECT_EQ(3, nX);
    EXPECT_EQ(-2, nY);
    EXPECT_EQ(3, pSprite->getX());
    EXPECT_EQ(-2, pSprite->getY());
    EXPECT_EQ((std::vector<std::string>{"changing 3,-2 at 0,0", "changed at 3,-2"}),
              pSprite->m_lLog);

    pSprite->m_lLog.clear();
    pSprite->setPos(5, 6);
    pSprite->setPosPoint(Point(-0.5f, 7.99f));
    EXPECT_EQ((std::vector<std::string>{"changing 5,6 at 3,-2", "changed at 5,6",
                                        "changing 0,7 at 5,6", "changed at 0,7"}),
              pSprite->m_lLog);
}

TEST_F(SpriteTest, MoveKeepingTheImageInPlaceMovesTheInsertionPoint)
{
    // Unturned at scale 2 the insertion point moves by the move divided by the scale; turned by
    // 90 degrees the move is turned back first. Either way the pixels stay where they were.
    struct Case
    {
        float fRotation;
        Point to;
        Point expectedIns;
        bool bWholePixels;
    };
    const Case cases[] = {
        {0.0f, Point(104, 52), Point(12, 6), true},
        {90.0f, Point(104, 52), Point(11, 3), true},
        {0.0f, Point(101, 51), Point(10, 5), false}, // (10.5, 5.5) truncates
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fRotation);
        RIR::SmartPtr<Image> pImage = patternImage(20, 10, 10, 5);
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 0);
        pSprite->setScale(2.0f);
        pSprite->setRotation(c.fRotation);
        const Rect before = pSprite->getBounds();
        pSprite->setPosPoint(c.to, true);
        EXPECT_EQ(c.to, pSprite->getPosPoint());
        EXPECT_EQ(c.expectedIns, pImage->getInsPoint());
        if (c.bWholePixels)
        {
            EXPECT_EQ(before, pSprite->getBounds());
        }
    }

    // Without keepImageInPlace the image moves with the anchor.
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 10, 5);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 0);
    pSprite->setPosPoint(Point(104, 52), false);
    EXPECT_EQ(Point(10, 5), pImage->getInsPoint());
}

TEST_F(SpriteTest, MoveKeepingTheImageInPlaceWhileClipped)
{
    // The new insertion point is a point of the source image's canvas, not of the clipped view's
    // (whose canvas starts 5 pixels further right here).
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 10, 5);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 0);
    pSprite->setClipRect(Rect(95, 40, 200, 100));
    ASSERT_TRUE(pSprite->isClipped());
    const uint32_t nBefore = shownAt(pSprite.get(), 97, 46);
    pSprite->setPosPoint(Point(103, 52), true);
    EXPECT_EQ(Point(13, 7), pImage->getInsPoint());
    EXPECT_EQ(Rect(95, 45, 110, 55), pSprite->getPhysicalBounds());
    EXPECT_EQ(nBefore, shownAt(pSprite.get(), 97, 46));
    pSprite->clearClipRect();
    EXPECT_EQ(Rect(90, 45, 110, 55), pSprite->getBounds());
}

// ---- z order ------------------------------------------------------------------------------------

TEST_F(SpriteTest, ZOrderReSortsOnlyOnChangeInAMode)
{
    FakeOwner owner;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(patternImage(2, 2, 0, 0), 0, 0, 5);
    pSprite->setZOrder(7);
    EXPECT_EQ(7, pSprite->getZOrder()) << "stored outside a mode";

    pSprite->setMode(&owner);
    EXPECT_EQ(&owner, pSprite->getMode());
    pSprite->setZOrder(7);
    EXPECT_TRUE(owner.m_lCalls.empty()) << "the same value does not re-sort";
    pSprite->setZOrder(-2);
    pSprite->setZOrder(-2);
    pSprite->setZOrder(3);
    EXPECT_EQ((std::vector<std::string>{"reorder z=-2", "reorder z=3"}), owner.m_lCalls);
    EXPECT_EQ(1, pSprite->getRefCount()) << "the mode's call held no reference";

    pSprite->removeFromMode();
    pSprite->setZOrder(4);
    EXPECT_EQ(2u, owner.m_lCalls.size());
}

class AddedHookSprite : public Sprite
{
public:
    AddedHookSprite() : Sprite(0, 0, 0) {}
    void onAddedToMode() override { m_pModeAtHook = getMode(); }
    SpriteOwner* m_pModeAtHook = nullptr;
};

TEST_F(SpriteTest, SetModeCallsTheHookAfterStoringTheMode)
{
    FakeOwner owner;
    RIR::SmartPtr<AddedHookSprite> pSprite = new AddedHookSprite();
    pSprite->setMode(&owner);
    EXPECT_EQ(&owner, pSprite->m_pModeAtHook);
    pSprite->dropMode();
    EXPECT_EQ(nullptr, pSprite->getMode());
    EXPECT_TRUE(owner.m_lCalls.empty());
}

// ---- clipping -----------------------------------------------------------------------------------

TEST_F(SpriteTest, ClipRebuildsTheDisplayedImage)
{
    // A 20 x 10 picture with its insertion point at (10, 5), at (100, 50): it covers
    // (90, 45) - (110, 55) on the screen.
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 10, 5);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 0);
    struct Case
    {
        const char* pszName;
        Rect clip;
        bool bShown;
        bool bSource;
        Rect shownBounds;
    };
    const Case cases[] = {
        {"miss", Rect(0, 0, 50, 50), false, false, Rect()},
        {"touching edge", Rect(110, 45, 120, 55), false, false, Rect()},
        {"full", Rect(0, 0, 800, 600), true, true, Rect(90, 45, 110, 55)},
        {"exact", Rect(90, 45, 110, 55), true, true, Rect(90, 45, 110, 55)},
        {"left part", Rect(0, 0, 95, 600), true, false, Rect(90, 45, 95, 55)},
        {"inner exact", Rect(95, 47, 105, 52), true, false, Rect(95, 47, 105, 52)},
        {"one pixel", Rect(109, 54, 110, 55), true, false, Rect(109, 54, 110, 55)},
        {"bottom right", Rect(100, 50, 300, 300), true, false, Rect(100, 50, 110, 55)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        pSprite->setClipRect(c.clip);
        EXPECT_TRUE(pSprite->hasClipRect());
        EXPECT_EQ(c.clip, pSprite->getClipRect());
        RIR::SmartPtr<Image> pShown = pSprite->getDisplayImage();
        EXPECT_EQ(c.bShown, (bool)pShown);
        EXPECT_EQ(c.bSource, pShown == pImage);
        EXPECT_EQ(!c.bSource, pSprite->isClipped());
        // The displayed part covers exactly the clipped area, and shows there what the whole
        // picture showed.
        EXPECT_EQ(c.shownBounds, pSprite->getPhysicalBounds());
        EXPECT_EQ(c.shownBounds, pSprite->getBounds());
        if (pShown && pShown != pImage)
        {
            EXPECT_TRUE(pShown->isSharingPixels()) << "the clipped view shares the pixels";
        }
        for (int y = 44; y <= 55; ++y)
            for (int x = 89; x <= 110; ++x)
            {
                const bool bInside = x >= c.shownBounds.left && x < c.shownBounds.right &&
                                     y >= c.shownBounds.top && y < c.shownBounds.bottom;
                const uint32_t nExpected =
                    bInside ? patternColor(x - 90, y - 45).getPackedValue() : 0u;
                ASSERT_EQ(nExpected, shownAt(pSprite.get(), x, y))
                    << "at screen (" << x << ", " << y << ")";
            }
    }
    pSprite->clearClipRect();
    EXPECT_FALSE(pSprite->hasClipRect());
    EXPECT_EQ(pImage, pSprite->getDisplayImage());
}

TEST_F(SpriteTest, ClipNeverShowsAnythingOutsideItWhenPixelsDoNotLineUp)
{
    // At scale 2 a picture pixel covers two screen pixels, and at a half-pixel position the
    // pixels straddle screen pixels: the clipped view keeps only the pixels wholly inside.
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 0, 0);
    struct Case
    {
        Point pos;
        float fScale;
        Rect clip;
        Rect expected;
    };
    const Case cases[] = {
        {Point(0, 0), 2.0f, Rect(0, 0, 11, 9), Rect(0, 0, 10, 8)},
        {Point(0, 0), 2.0f, Rect(1, 1, 40, 20), Rect(2, 2, 40, 20)},
        {Point(0.5f, 0.5f), 1.0f, Rect(5, 5, 10, 8), Rect(5, 5, 9, 7)},
        {Point(0, 0), 2.0f, Rect(3, 3, 4, 4), Rect()},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.clip));
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, c.pos, 0);
        pSprite->setScale(c.fScale);
        pSprite->setClipRect(c.clip);
        EXPECT_EQ(c.expected, pSprite->getPhysicalBounds());
    }
}

TEST_F(SpriteTest, ClippedViewFollowsMovesScaleVisibilityAndImage)
{
    RIR::SmartPtr<Image> pImage = patternImage(20, 10, 0, 0);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 0, 0, 0);
    pSprite->setClipRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Rect(0, 0, 10, 10), pSprite->getPhysicalBounds());

    pSprite->setPos(5, 0);
    EXPECT_EQ(Rect(5, 0, 10, 10), pSprite->getPhysicalBounds()) << "rebuilt after a move";

    pSprite->setScale(0.5f);
    EXPECT_EQ(Rect(5, 0, 10, 5), pSprite->getPhysicalBounds()) << "rebuilt after a scale change";

    pSprite->setScale(1.0f);
    pSprite->setVisible(false);
    EXPECT_FALSE(pSprite->getDisplayImage()) << "a hidden clipped sprite shows nothing";
    pSprite->setVisible(true);
    EXPECT_EQ(Rect(5, 0, 10, 10), pSprite->getPhysicalBounds());

    RIR::SmartPtr<Image> pView = pSprite->getDisplayImage();
    pSprite->setRotation(180.0f);
    EXPECT_EQ(pView, pSprite->getDisplayImage()) << "a rotation alone does not rebuild the view";

    pSprite->setRotation(0.0f);
    pSprite->setImage(patternImage(3, 3, 0, 0));
    EXPECT_EQ(pSprite->getImage(), pSprite->getDisplayImage());
    pSprite->setImage(RIR::SmartPtr<Image>());
    EXPECT_FALSE(pSprite->getDisplayImage());
}

// ---- controllers --------------------------------------------------------------------------------

// Logs its calls into a shared log; done after a given number of updates (0: never).
class LoggingController : public SpriteController
{
public:
    LoggingController(std::vector<std::string>& lLog, const char* pszName, int nDoneAfter)
        : m_lLog(lLog), m_sName(pszName), m_nDoneAfter(nDoneAfter)
    {
    }
    ~LoggingController() override { m_lLog.push_back(m_sName + " deleted"); }

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override
    {
        m_lLog.push_back(m_sName + " attached to " + std::to_string(pSprite->getZOrder()));
    }
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override
    {
        ++m_nUpdates;
        m_lLog.push_back(m_sName + " update " + std::to_string((int)(fDt * 1000)));
        if (m_onUpdate)
            m_onUpdate(pSprite.get());
        return m_nDoneAfter > 0 && m_nUpdates >= m_nDoneAfter;
    }
    bool finish(RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_lLog.push_back(m_sName + " finish");
        return m_nDoneAfter > 0;
    }

    std::vector<std::string>& m_lLog;
    std::string m_sName;
    int m_nDoneAfter;
    int m_nUpdates = 0;
    std::function<void(Sprite*)> m_onUpdate;
};

TEST_F(SpriteTest, ControllersRunInOrderAndGoWhenDone)
{
    std::vector<std::string> lLog;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(4, 4, 3);
    pSprite->addController(new LoggingController(lLog, "a", 1));
    pSprite->addController(new LoggingController(lLog, "b", 2));
    pSprite->addController(new LoggingController(lLog, "c", 0));
    EXPECT_EQ(3, pSprite->getControllerCount());

    pSprite->updateControllers(0.016f);
    EXPECT_EQ(2, pSprite->getControllerCount());
    pSprite->updateControllers(0.02f);
    EXPECT_EQ(1, pSprite->getControllerCount());
    EXPECT_EQ((std::vector<std::string>{"a attached to 3", "b attached to 3", "c attached to 3",
                                        "a update 16", "a deleted", "b update 16", "c update 16",
                                        "b update 20", "b deleted", "c update 20"}),
              lLog);
    EXPECT_EQ("c", static_cast<LoggingController*>(pSprite->getController(0))->m_sName);
    EXPECT_THROW(pSprite->getController(1), RIR::FatalErrorException);

    lLog.clear();
    pSprite.release();
    EXPECT_EQ((std::vector<std::string>{"c deleted"}), lLog) << "the sprite owns its controllers";
}

TEST_F(SpriteTest, ControllerAddedDuringThePassRunsInIt)
{
    std::vector<std::string> lLog;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    LoggingController* pFirst = new LoggingController(lLog, "first", 1);
    pFirst->m_onUpdate = [&](Sprite* p)
    { p->addController(new LoggingController(lLog, "next", 1)); };
    pSprite->addController(pFirst);
    pSprite->updateControllers(0.01f);
    EXPECT_EQ(
        (std::vector<std::string>{"first attached to 0", "first update 10", "next attached to 0",
                                  "first deleted", "next update 10", "next deleted"}),
        lLog);
    EXPECT_EQ(0, pSprite->getControllerCount());
}

TEST_F(SpriteTest, ControllerThatRemovesOthersDuringThePass)
{
    // A done controller that removed itself (and its neighbour) in its update is not deleted a
    // second time, and the pass goes on with what is left.
    std::vector<std::string> lLog;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    LoggingController* pA = new LoggingController(lLog, "a", 0);
    LoggingController* pB = new LoggingController(lLog, "b", 1);
    LoggingController* pC = new LoggingController(lLog, "c", 0);
    pB->m_onUpdate = [&](Sprite* p) { p->removeController(pA); };
    pSprite->addController(pA);
    pSprite->addController(pB);
    pSprite->addController(pC);
    lLog.clear();
    pSprite->updateControllers(0.0f);
    EXPECT_EQ((std::vector<std::string>{"a update 0", "b update 0", "a deleted", "b deleted",
                                        "c update 0"}),
              lLog);
    EXPECT_EQ(1, pSprite->getControllerCount());
}

TEST_F(SpriteTest, RemoveFinishAndClearControllers)
{
    std::vector<std::string> lLog;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    LoggingController* pA = new LoggingController(lLog, "a", 0);
    pSprite->addController(pA);
    pSprite->addController(new LoggingController(lLog, "b", 5));
    pSprite->addController(new LoggingController(lLog, "c", 0));
    lLog.clear();

    LoggingController stranger(lLog, "stranger", 0);
    pSprite->removeController(&stranger);
    EXPECT_EQ(3, pSprite->getControllerCount()) << "a controller of no sprite is left alone";

    pSprite->finishControllers();
    EXPECT_EQ((std::vector<std::string>{"a finish", "b finish", "b deleted", "c finish"}), lLog);

    lLog.clear();
    pSprite->removeController(pA);
    EXPECT_EQ((std::vector<std::string>{"a deleted"}), lLog) << "removed without finishing";
    lLog.clear();
    pSprite->removeAllControllers();
    EXPECT_EQ((std::vector<std::string>{"c deleted"}), lLog);
    EXPECT_EQ(0, pSprite->getControllerCount());
}

TEST_F(SpriteTest, FirstControllerEntersTheModesUpdateList)
{
    std::vector<std::string> lLog;
    FakeOwner owner;
    RIR::SmartPtr<Sprite> pLoose = new Sprite(0, 0, 0);
    pLoose->addController(new LoggingController(lLog, "loose", 0));
    EXPECT_FALSE(pLoose->getUpdateLayerRef().isSet()) << "no mode: the mode enters it later";

    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    pSprite->setMode(&owner);
    pSprite->addController(new LoggingController(lLog, "a", 0));
    pSprite->addController(new LoggingController(lLog, "b", 0));
    EXPECT_EQ((std::vector<std::string>{"addUpdatable"}), owner.m_lCalls)
        << "entered once, while not in the list yet";
    EXPECT_TRUE(pSprite->getUpdateLayerRef().isSet());
}

TEST_F(SpriteTest, ControllerMayTakeItsSpriteOffTheMode)
{
    // The last reference goes during the pass (the mode releases the sprite); the sprite lives
    // until the pass ends.
    std::vector<std::string> lLog;
    FakeOwner owner;
    Sprite* pRaw = new Sprite(0, 0, 0);
    {
        RIR::SmartPtr<Sprite> pSprite = pRaw;
        pSprite->setMode(&owner);
        pSprite->addController(new LoggingController(lLog, "a", 1));
    }
    LoggingController* pLast = new LoggingController(lLog, "b", 0);
    pRaw->addController(pLast);
    ASSERT_EQ(1, owner.m_lUpdatables.getLength());
    pLast->m_onUpdate = [&](Sprite* p)
    {
        owner.removeObject(p);
        p->getUpdateLayerRef().clear();
        owner.m_lUpdatables.clear();
    };
    lLog.clear();
    pRaw->updateControllers(0.0f);
    EXPECT_EQ((std::vector<std::string>{"a update 0", "a deleted", "b update 0", "b deleted"}),
              lLog);
}

// ---- tooltips -----------------------------------------------------------------------------------

TEST_F(SpriteTest, TooltipFollowsVisibilityAndPosition)
{
    FakeOwner owner;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(patternImage(20, 10, 10, 5), 100, 50, 0);
    EXPECT_THROW(pSprite->setTooltip("Hello"), RIR::BadStateException);

    pSprite->setMode(&owner);
    pSprite->setVisible(false);
    pSprite->setPos(10, 10);
    EXPECT_TRUE(owner.m_lCalls.empty()) << "no tooltip, nothing to update";
    pSprite->setVisible(true);
    pSprite->setPos(100, 50);

    pSprite->setTooltip("Hello");
    pSprite->setTooltip("World");
    ASSERT_NE(nullptr, pSprite->getTooltipHandle());
    pSprite->setVisible(false);
    pSprite->setVisible(true);
    pSprite->setPosFloat(110.5f, 60.0f);
    // Alpha, scale, rotation and image changes leave the tooltip alone.
    pSprite->setAlpha(0.5f);
    pSprite->setScale(2.0f);
    pSprite->setRotation(45.0f);
    EXPECT_EQ((std::vector<std::string>{"addTooltip 90,45,110,55 Hello", "setTooltipText World",
                                        "setTooltipEnabled 0", "setTooltipRect 0,0,0,0",
                                        "setTooltipEnabled 1", "setTooltipRect 90,45,110,55",
                                        "setTooltipEnabled 1", "setTooltipRect 100,55,120,65"}),
              owner.m_lCalls);

    owner.m_lCalls.clear();
    pSprite->removeFromMode();
    EXPECT_EQ((std::vector<std::string>{"removeTooltip"}), owner.m_lCalls);
    EXPECT_EQ(nullptr, pSprite->getMode());
    EXPECT_EQ(nullptr, pSprite->getTooltipHandle());
    EXPECT_TRUE(owner.m_tooltips.empty());

    pSprite->setMode(&owner);
    pSprite->setTooltip("Again");
    pSprite->removeTooltip();
    pSprite->removeTooltip();
    EXPECT_EQ(nullptr, pSprite->getTooltipHandle());
    EXPECT_TRUE(owner.m_tooltips.empty());
}

// ---- everything else ----------------------------------------------------------------------------

TEST_F(SpriteTest, InputHooksHandleNothing)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite();
    pSprite->onMouseEnter();
    pSprite->onMouseLeave();
    pSprite->onMouseMove(1, 2);
    pSprite->onFocusGained();
    pSprite->onFocusLost();
    EXPECT_FALSE(pSprite->onMouseDown(1));
    EXPECT_FALSE(pSprite->onMouseUp(4));
    EXPECT_FALSE(pSprite->onKeyDown(13, 0));
    EXPECT_FALSE(pSprite->onKeyUp(13, 0));
    EXPECT_FALSE(pSprite->onChar('a'));
}

TEST_F(SpriteTest, PropertiesPolygonAndLookSetters)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite();
    int nValue = 0;
    EXPECT_FALSE(pSprite->hasProperty("speed"));
    pSprite->setProperty("speed", &nValue);
    EXPECT_TRUE(pSprite->hasProperty("speed"));
    EXPECT_EQ(&nValue, pSprite->getProperty("speed"));
    try
    {
        pSprite->getProperty("missing");
        ADD_FAILURE() << "nothing raised";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_EQ(std::string("Hash key not found : \"missing\""), e.getMessage());
    }

    RIR::List<Point> lPoints;
    lPoints.append(Point(0, 0));
    lPoints.append(Point(10, 0));
    lPoints.append(Point(0, 10));
    pSprite->setPolygon(lPoints);
    lPoints.clear();
    EXPECT_EQ(3, pSprite->getPolygon().getLength()) << "the sprite keeps its own copy";
    EXPECT_EQ(0, pSprite->getPolygonStamp()) << "frame 0 while there is no application";

    pSprite->setColor(Color(1, 2, 3, 4));
    pSprite->setBlendMode(SBM_ADDITIVE);
    pSprite->setRenderFlags(SRF_DRAW | SRF_WRITE_STENCIL);
    pSprite->setStencilMasked(true);
    pSprite->setScaleXY(2.0f, 3.0f);
    pSprite->setAlpha(1.5f);
    EXPECT_EQ(Color(1, 2, 3, 4).getPackedValue(), pSprite->getColor().getPackedValue());
    EXPECT_EQ(SBM_ADDITIVE, pSprite->getBlendMode());
    EXPECT_EQ(3, pSprite->getRenderFlags());
    EXPECT_TRUE(pSprite->isStencilMasked());
    float fX = 0;
    float fY = 0;
    pSprite->getScale(&fX, &fY);
    EXPECT_EQ(Point(2, 3), Point(fX, fY));
    EXPECT_EQ(Point(2, 3), pSprite->getScalePoint());
    EXPECT_TRUE(pSprite->isScaled());
    EXPECT_EQ(1.5f, pSprite->getAlpha()) << "alpha is not clamped";
}

class CountedDriverData : public DrvSpriteData
{
public:
    explicit CountedDriverData(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CountedDriverData() override { ++m_nDeleted; }
    int& m_nDeleted;
};

TEST_F(SpriteTest, OwnsItsDriverData)
{
    int nDeleted = 0;
    RIR::SmartPtr<Sprite> pSprite = new Sprite();
    CountedDriverData* pFirst = new CountedDriverData(nDeleted);
    pSprite->setDriverData(pFirst);
    pSprite->setDriverData(pFirst);
    EXPECT_EQ(0, nDeleted);
    pSprite->setDriverData(new CountedDriverData(nDeleted));
    EXPECT_EQ(1, nDeleted);
    pSprite.release();
    EXPECT_EQ(2, nDeleted);
}

} // namespace
