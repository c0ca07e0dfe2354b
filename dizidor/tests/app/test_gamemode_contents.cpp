// The contents of a mode: the layered lists and their order, hit tests, hover and focus, the
// per-frame controller step, the dimmed background, and what clearing the contents leaves behind.
#include "test_mode_fixture.h"

#include "gfx/spritecontroller.h"
#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <cmath>

namespace
{

// Counts its updates and reports done at the given one; runs an optional action each time.
class CountingController : public SpriteController
{
public:
    explicit CountingController(int nDoneAt, std::function<void()> action = nullptr)
        : m_nDoneAt(nDoneAt), m_action(action)
    {
    }
    bool update(float /*fDt*/, RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        ++m_nUpdates;
        if (m_pnUpdates)
            ++*m_pnUpdates;
        if (m_action)
            m_action();
        return m_nUpdates >= m_nDoneAt;
    }

    int m_nDoneAt;
    std::function<void()> m_action;
    int m_nUpdates = 0;
    int* m_pnUpdates = nullptr;
};

class ContentsTest : public ModeTestBase
{
protected:
    RIR::SmartPtr<Sprite> sprite(const char* pszLabel, int nZ, int nX = 0, int nY = 0)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(picture(10, 10), nX, nY, nZ);
        pSprite->setProperty("label", (void*)pszLabel);
        return pSprite;
    }

    static std::string labelOf(Sprite* pSprite)
    {
        return pSprite->hasProperty("label")
                   ? static_cast<const char*>(pSprite->getProperty("label"))
                   : "?";
    }

    // The layers as "z:[labels] z:[labels]", each layer from its front.
    static std::string layers(SpriteLayerList& lLayers)
    {
        std::string sOut;
        for (int i = 0; i < lLayers.getLength(); ++i)
        {
            SpriteLayer* pLayer = lLayers.get(i);
            sOut += (i ? " " : "") + std::to_string(pLayer->get(0)->getZOrder()) + ":[";
            for (int j = 0; j < pLayer->getLength(); ++j)
                sOut += (j ? "," : "") + labelOf(pLayer->get(j).get());
            sOut += "]";
        }
        return sOut;
    }

    static std::string labels(const RIR::List<RIR::SmartPtr<Sprite>>& lSprites)
    {
        std::string sOut;
        for (int i = 0; i < lSprites.getLength(); ++i)
            sOut += (i ? " " : "") + labelOf(lSprites.get(i).get());
        return sOut;
    }
};

// ---- layered lists -----------------------------------------------------------------------------

TEST_F(ContentsTest, SpritesSortIntoLayersWithTheLatestFirst)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<Sprite> pA = pMode->addSprite(sprite("a", 5));
    RIR::SmartPtr<Sprite> pB = pMode->addSprite(sprite("b", 1));
    RIR::SmartPtr<Sprite> pC = pMode->addSprite(sprite("c", 5));
    EXPECT_EQ("1:[b] 5:[c,a]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ("b c a", labels(pMode->getSprites())) << "c is drawn beneath a";
    EXPECT_EQ(pMode, pA->getMode());
    EXPECT_TRUE(GameMode::isAdded(pA));
    pMode->addSprite(sprite("d", -3));
    pMode->addSprite(sprite("e", 3));
    pMode->addSprite(sprite("f", 9));
    EXPECT_EQ("-3:[d] 1:[b] 3:[e] 5:[c,a] 9:[f]", layers(pMode->getSpriteLayers()));

    // The only sprite of a layer takes the layer with it; the next one of that z makes a new one.
    pMode->removeObject(pB);
    EXPECT_EQ("-3:[d] 3:[e] 5:[c,a] 9:[f]", layers(pMode->getSpriteLayers()));
    EXPECT_FALSE(GameMode::isAdded(pB));
    EXPECT_EQ(nullptr, pB->getMode());
    pMode->addSprite(pB);
    EXPECT_EQ("-3:[d] 1:[b] 3:[e] 5:[c,a] 9:[f]", layers(pMode->getSpriteLayers()));

    pMode->removeObject(nullptr); // ignored
    RIR::List<RIR::SmartPtr<Sprite>> lGone;
    lGone.append(pA);
    lGone.append(pC);
    pMode->removeObjects(lGone);
    lGone.clear();
    EXPECT_EQ("-3:[d] 1:[b] 3:[e] 9:[f]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ(1, pA->getRefCount()) << "the mode let go of it";
}

TEST_F(ContentsTest, ASpriteIsAddedOnceToOneMode)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<Sprite> pSprite = pMode->addSprite(sprite("s", 0));
    EXPECT_EQ("Assertion failed : !isAdded(pSprite)",
              messageOf<RIR::AssertFailException>([&] { pMode->addSprite(pSprite); }));
    std::unique_ptr<RecMode> pOther(mode("other"));
    EXPECT_EQ("Assertion failed : !isAdded(pSprite)",
              messageOf<RIR::AssertFailException>([&] { pOther->addSprite(pSprite); }));
    EXPECT_EQ("Assertion failed : isOwnedHere(pSprite)",
              messageOf<RIR::AssertFailException>([&] { pOther->removeObject(pSprite); }));
    EXPECT_EQ("0:[s]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ(2, pSprite->getRefCount()) << "one entry only";
    EXPECT_EQ("Assertion failed : pSprite",
              messageOf<RIR::AssertFailException>([&] { pMode->addSprite(nullptr); }));
}

TEST_F(ContentsTest, ReorderMovesToTheFrontOfTheNewLayerExceptInTheUpdateList)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<RecControl> pButton = control("button", 300, 300, 2);
    pMode->addSprite(sprite("x", 7));
    RIR::SmartPtr<Sprite> pY = pMode->addSprite(sprite("y", 2));
    pMode->addControl(pButton);
    RIR::SmartPtr<RecControl> pOther = control("other", 300, 300, 7);
    pMode->addControl(pOther);
    pButton->addController(new CountingController(100));
    pY->addController(new CountingController(100));
    EXPECT_EQ("2:[button,y] 7:[other,x]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ("2:[button] 7:[other]", layers(pMode->getControlLayers()));
    EXPECT_EQ("y button", labels(pMode->getUpdatables()));

    pButton->setZOrder(7);
    EXPECT_EQ("2:[y] 7:[button,other,x]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ("7:[button,other]", layers(pMode->getControlLayers()));
    EXPECT_EQ("y button", labels(pMode->getUpdatables())) << "the update list keeps the old place";
    pButton->setZOrder(7); // unchanged: no move
    pOther->setZOrder(7);
    EXPECT_EQ("7:[button,other]", layers(pMode->getControlLayers()));
    pY->setZOrder(-1);
    EXPECT_EQ("-1:[y] 7:[button,other,x]", layers(pMode->getSpriteLayers()));
}

TEST_F(ContentsTest, ControlsAreFoundTopmostFirstAndLatestFirstAtEqualZ)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<RecControl> pFirst = control("first", 100, 100, 0, 50, 50);
    RIR::SmartPtr<RecControl> pSecond = control("second", 120, 120, 0, 50, 50);
    pMode->addControl(pFirst);
    pMode->addControl(pSecond);
    struct Case
    {
        int nX;
        int nY;
        const char* pszFound;
    };
    const Case cases[] = {
        {130, 130, "second"}, // both: the later one, although it is drawn beneath
        {105, 105, "first"},  {165, 165, "second"},
        {170, 170, "-"}, // right and bottom edges are outside
        {99, 130, "-"},       {120, 120, "second"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nX) + "," + std::to_string(c.nY));
        RIR::SmartPtr<Control> pFound = pMode->controlAt(c.nX, c.nY);
        const RecControl* pRec = dynamic_cast<RecControl*>(pFound.get());
        EXPECT_EQ(c.pszFound, pRec ? pRec->m_sName : std::string("-"));
    }
    EXPECT_EQ("first", labelOf(pMode->getSprites().getLast().get())) << "drawn on top";

    // A higher z wins whatever the order; the enabled state is not looked at, visibility is the
    // hit test's business.
    pFirst->setZOrder(1);
    EXPECT_EQ(pFirst.get(), pMode->controlAt(130, 130).get());
    pFirst->setEnabled(false);
    EXPECT_EQ(pFirst.get(), pMode->controlAt(130, 130).get());
    pFirst->setVisible(false);
    EXPECT_EQ(pSecond.get(), pMode->controlAt(130, 130).get());

    // Sprites that are not controls are never found.
    pMode->addSprite(sprite("plain", 50, 130, 130));
    EXPECT_EQ(pSecond.get(), pMode->controlAt(130, 130).get());
}

TEST_F(ContentsTest, SpriteAtTakesTheHighestZAndTheEarlierOfEqualZ)
{
    RIR::List<RIR::SmartPtr<Sprite>> lSprites;
    lSprites.append(sprite("low", 1, 0, 0));
    lSprites.append(sprite("a", 4, 5, 5));
    lSprites.append(sprite("b", 4, 5, 5));
    lSprites.append(nullptr);
    struct Case
    {
        float fX;
        float fY;
        const char* pszFound;
    };
    const Case cases[] = {
        {6, 6, "a"}, {2, 2, "low"}, {14.5f, 14.5f, "a"}, {15, 6, "-"}, {-1, 0, "-"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.fX) + "," + std::to_string(c.fY));
        RIR::SmartPtr<Sprite> pFound = GameMode::spriteAt(Point(c.fX, c.fY), lSprites, false, 0);
        EXPECT_EQ(c.pszFound, pFound ? labelOf(pFound.get()) : std::string("-"));
    }
    // The pixel test: the blank pictures are transparent everywhere.
    EXPECT_FALSE(GameMode::spriteAt(Point(6, 6), lSprites, true, 0));
}

// ---- controls, hover and focus -----------------------------------------------------------------

TEST_F(ContentsTest, ControlsEnterOnceAndLeaveWithTheirHooks)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<RecControl> pField = control("field", 100, 100, 0);
    pMode->addSprite(pField);
    pMode->addControl(pField); // already a sprite: not a second time
    pMode->addControl(pField); // already a control: not a second time
    EXPECT_EQ("0:[field]", layers(pMode->getSpriteLayers()));
    EXPECT_EQ("0:[field]", layers(pMode->getControlLayers()));
    pField->setFocusable(true);
    pField->setFocus();
    moveTo(105, 105);
    EXPECT_EQ(pField.get(), pMode->getHover().get());
    heard();

    pMode->removeControl(pField);
    EXPECT_EQ("field.leave field.focus-", heard());
    EXPECT_FALSE(pMode->getHover());
    EXPECT_FALSE(pMode->getFocus());
    EXPECT_EQ("", layers(pMode->getControlLayers()));
    EXPECT_EQ("0:[field]", layers(pMode->getSpriteLayers())) << "it stays drawn";
    EXPECT_FALSE(pMode->controlAt(105, 105));

    // removeObject takes a control out of everything, with the same hooks.
    pMode->addControl(pField);
    pField->setFocus();
    heard();
    pMode->removeObject(pField);
    EXPECT_EQ("field.leave field.focus-", heard());
    EXPECT_EQ("", layers(pMode->getSpriteLayers()));
    EXPECT_EQ(nullptr, pField->getMode());
    EXPECT_EQ(1, pField->getRefCount());
}

TEST_F(ContentsTest, FocusMovesWithTheNewControlHearingFirst)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<RecControl> pA = control("a", 100, 100, 0);
    RIR::SmartPtr<RecControl> pB = control("b", 200, 100, 0);
    pMode->addControl(pA);
    pMode->addControl(pB);
    heard();
    pMode->setFocus(pA);
    EXPECT_EQ("a.focus+", heard());
    pMode->setFocus(pA);
    EXPECT_EQ("", heard()) << "the control that has it hears nothing";
    pMode->setFocus(pB);
    EXPECT_EQ("b.focus+ a.focus-", heard());
    pMode->setFocus(nullptr);
    EXPECT_EQ("b.focus-", heard());
    pMode->setFocus(nullptr);
    EXPECT_EQ("", heard());
}

// ---- the frame step ----------------------------------------------------------------------------

TEST_F(ContentsTest, ControllerStepRunsOnASnapshotAndDropsFinishedSprites)
{
    RecMode* pMode = push("m");
    RIR::SmartPtr<Sprite> pShort = pMode->addSprite(sprite("short", 0));
    RIR::SmartPtr<Sprite> pLong = pMode->addSprite(sprite("long", 1));
    RIR::SmartPtr<Sprite> pStill = pMode->addSprite(sprite("still", 2));
    int nLongUpdates = 0;
    CountingController* pShortController = new CountingController(2);
    pShort->addController(pShortController);
    CountingController* pLongController = new CountingController(100);
    pLongController->m_pnUpdates = &nLongUpdates;
    pLong->addController(pLongController);
    EXPECT_EQ("short long", labels(pMode->getUpdatables()));

    frame();
    EXPECT_EQ("short long", labels(pMode->getUpdatables()));
    frame();
    EXPECT_EQ("long", labels(pMode->getUpdatables()))
        << "updated in its last frame, gone afterwards";
    EXPECT_EQ(0, pShort->getControllerCount());
    EXPECT_EQ(2, nLongUpdates);

    // A controller that takes its own sprite and another one off the mode: both are still
    // updated in this frame, and nothing is updated twice.
    RIR::SmartPtr<Sprite> pVictim = pMode->addSprite(sprite("victim", 3));
    int nVictimUpdates = 0;
    CountingController* pVictimController = new CountingController(100);
    pVictimController->m_pnUpdates = &nVictimUpdates;
    pVictim->addController(pVictimController);
    pShort->addController(new CountingController(100,
                                                 [&]
                                                 {
                                                     pMode->removeObject(pShort);
                                                     pMode->removeObject(pVictim);
                                                 }));
    EXPECT_EQ("short long victim", labels(pMode->getUpdatables()));
    frame();
    EXPECT_EQ(3, nLongUpdates);
    EXPECT_EQ(1, nVictimUpdates);
    EXPECT_EQ("long", labels(pMode->getUpdatables()));
    EXPECT_EQ("long still", labels(pMode->getSprites()));

    // A sprite that gets a controller while it is in no mode enters the update list with it.
    RIR::SmartPtr<Sprite> pLate = sprite("late", 0);
    pLate->addController(new CountingController(100));
    pMode->addSprite(pLate);
    EXPECT_EQ("late long", labels(pMode->getUpdatables()));
    pMode->removeUpdatable(pLate);
    pMode->removeUpdatable(pLate); // not there: nothing
    EXPECT_EQ("long", labels(pMode->getUpdatables()));
    EXPECT_EQ(pLate, pMode->addUpdatable(pLate));
    pMode->addUpdatable(pLate);
    EXPECT_EQ("late long", labels(pMode->getUpdatables()));
}

TEST_F(ContentsTest, DimmerCoversTheScreenBeneathTheMode)
{
    RecMode* pMode = push("dialog");
    RIR::SmartPtr<Sprite> pLabel = pMode->addSprite(sprite("label", -999));
    RIR::SmartPtr<Sprite> pDimmer = pMode->addDimmer(0.5f);
    pDimmer->setProperty("label", (void*)"dimmer");
    EXPECT_EQ("dimmer label", labels(pMode->getSprites()));
    EXPECT_EQ(-1000, pDimmer->getZOrder());
    EXPECT_FLOAT_EQ(0.5f, pDimmer->getAlpha());
    EXPECT_NEAR(88.89f, pDimmer->getScaleX(), 0.01f);
    EXPECT_NEAR(66.67f, pDimmer->getScaleY(), 0.01f);
    EXPECT_EQ(0.0f, pDimmer->getPosPoint().x);
    RIR::SmartPtr<Image> pImage = pDimmer->getImage();
    ASSERT_TRUE(pImage);
    EXPECT_EQ(10, pImage->getWidth());
    EXPECT_EQ(10, pImage->getHeight());
    EXPECT_FALSE(pImage->hasAlpha());
    const Rect bounds = pDimmer->getBounds();
    EXPECT_EQ(0, bounds.left);
    EXPECT_EQ(0, bounds.top);
    EXPECT_LE(800 + 80, bounds.right) << "the screen and a margin";
    EXPECT_LE(600 + 60, bounds.bottom);
}

// ---- clearing --------------------------------------------------------------------------------

TEST_F(ContentsTest, ClearedSpritesNoLongerReachTheirDeletedMode)
{
    int nDeleted = 0;
    RecMode* pMode = push("level");
    pMode->m_pnDeleted = &nDeleted;
    RIR::SmartPtr<Sprite> pKept = pMode->addSprite(sprite("kept", 1));
    pKept->addController(new CountingController(100));
    pKept->setTooltip("help");
    RIR::SmartPtr<RecControl> pButton = control("button", 100, 100, 2);
    pMode->addControl(pButton);
    pMode->setFocus(pButton);
    moveTo(105, 105);
    heard();

    pMode->endMode(); // the default onEnd clears the contents
    EXPECT_EQ("level.end level.ended", heard()) << "no hook of the dropped controls";
    EXPECT_EQ("", layers(pMode->getSpriteLayers()));
    EXPECT_EQ("", layers(pMode->getControlLayers()));
    EXPECT_EQ("", labels(pMode->getUpdatables()));
    EXPECT_FALSE(pMode->getHover());
    EXPECT_FALSE(pMode->getFocus());
    for (Sprite* pSprite : {pKept.get(), static_cast<Sprite*>(pButton.get())})
    {
        EXPECT_EQ(nullptr, pSprite->getMode());
        EXPECT_FALSE(pSprite->getSpriteLayerRef().isSet());
        EXPECT_FALSE(pSprite->getControlLayerRef().isSet());
        EXPECT_FALSE(pSprite->getUpdateLayerRef().isSet());
    }
    EXPECT_EQ(nullptr, pKept->getTooltipHandle());
    frame();
    ASSERT_EQ(1, nDeleted);

    // Everything that used to call the mode is safe now that it is gone.
    pKept->setZOrder(9);
    pKept->addController(new CountingController(100));
    pKept->setVisible(false);
    pKept->setPos(3, 4);
    pKept->removeTooltip();
    pButton->setFocus();
    pButton->setEnabled(false);
    EXPECT_FALSE(pButton->hasFocus());

    // A cleared sprite can join another mode.
    RecMode* pNext = push("next");
    pNext->addSprite(pKept);
    EXPECT_EQ(pNext, pKept->getMode());
    EXPECT_EQ("kept", labels(pNext->getUpdatables()));
}

} // namespace
