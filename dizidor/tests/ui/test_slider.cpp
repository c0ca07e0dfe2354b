// Sliders driven through the application's input dispatch: value and thumb position both ways,
// clamping, the grip of a drag, the two looks, the thumb scale, degenerate ranges and tracks, and
// a slider that leaves its mode.
#include "widgetkit.h"

#include "ui/hslider.h"
#include "ui/sliderthumb.h"
#include "ui/vslider.h"

#include <climits>

namespace
{

const Color EMPTY(10, 20, 30, 255);
const Color FULL(200, 100, 50, 255);

} // namespace

class SliderTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        picture("s_empty", 100, 20, EMPTY);
        picture("s_full", 100, 20, FULL);
        picture("s_thumb", 20, 28, Color(1, 1, 1, 255));
        // A strip of four columns: red, green, blue, white.
        RIR::SmartPtr<Image> pStrip = picture("s_strip", 4, 1);
        const Color aColumns[] = {Color(255, 0, 0, 255), Color(0, 255, 0, 255),
                                  Color(0, 0, 255, 255), Color(255, 255, 255, 255)};
        for (int x = 0; x < 4; ++x)
            pStrip->setPixelAt(x, 0, aColumns[x]);
        theme("");
    }
    void theme(const std::string& sLines)
    {
        loadWidgetTheme("sliderimages s_empty s_full s_thumb\nsliderrange 0 100\n" + sLines);
    }
    // A slider of 0 .. 255 with id 2 at (50, 200) in the mode: the thumb (20 wide, 28 high) is
    // centred at x = 50 + track position + 10, y = 210.
    RIR::SmartPtr<HSlider> add(int nValue, int nMin = 0, int nMax = 255)
    {
        RIR::SmartPtr<HSlider> p = new HSlider(2, nMin, nMax, nValue);
        p->setPos(50, 200);
        m_pMode->addControl(p.get());
        m_pMode->fired();
        return p;
    }
    Point thumbAt(SliderBase& slider) { return slider.getThumb()->getPosPoint(); }
};

TEST_F(SliderTest, ValueAndThumbPositionBothWaysThroughDispatch)
{
    RIR::SmartPtr<HSlider> pSlider = add(128);
    EXPECT_EQ(Point(50 + 50 + 10, 210), thumbAt(*pSlider)) << "128 of 255 over 100 pixels";
    EXPECT_EQ(pSlider->getZOrder() + 1, pSlider->getThumb()->getZOrder())
        << "just above the slider";

    // A press on the thumb's centre keeps the value: the round trip is exact.
    press(110, 210);
    release(110, 210);
    EXPECT_EQ(128, pSlider->getValue());
    EXPECT_EQ("", m_pMode->fired());

    struct Case
    {
        int from; // value before the press
        int x;    // press on the body at (x, 205)
        int value;
    } const cases[] = {
        {0, 110, 128}, // the body: the thumb's centre jumps to the pointer
        {0, 160, 255}, // right of the track end: clamped
        {0, 169, 255},
        {128, 55, 0}, // left of the track start
        {128, 59, 0},
        {128, 61, 3}, // one pixel right of the start: trunc((1 + 0.196) x 2.55 + 0.5)
        {0, 120, 154},
    };
    for (const Case& c : cases)
    {
        pSlider->setValue(c.from);
        m_pMode->fired();
        press(c.x, 205);
        release(c.x, 205);
        EXPECT_EQ(c.value, pSlider->getValue()) << c.from << " " << c.x;
        EXPECT_EQ(c.value == c.from ? "" : "2/0", m_pMode->fired()) << c.from << " " << c.x;
    }
}

TEST_F(SliderTest, ThumbClickAtTheMinimumGivesMinimumPlusOne)
{
    RIR::SmartPtr<HSlider> pSlider = add(0);
    EXPECT_EQ(Point(60, 210), thumbAt(*pSlider));
    // On the thumb's centre, and off it: the grip makes both the thumb's own position.
    for (int x : {60, 66, 52})
    {
        pSlider->setValue(0);
        press(x, 210);
        release(x, 210);
        EXPECT_EQ(1, pSlider->getValue()) << x;
    }
}

TEST_F(SliderTest, DragKeepsTheGripAndEndsOnRelease)
{
    RIR::SmartPtr<HSlider> pSlider = add(128);
    press(115, 210); // 5 right of the thumb's centre
    EXPECT_TRUE(pSlider->isDragging());
    EXPECT_TRUE(pSlider->getThumb()->hasFocus());
    EXPECT_EQ(128, pSlider->getValue()) << "the thumb does not jump";
    EXPECT_EQ("", m_pMode->fired());

    moveTo(135, 210); // the thumb's centre to 130: track position 70
    EXPECT_EQ(179, pSlider->getValue());
    EXPECT_EQ(Point(130, 210), thumbAt(*pSlider)) << "the thumb moved with the pointer";
    EXPECT_EQ("2/0", m_pMode->fired()) << "once per change";
    moveTo(135, 400); // off the slider: the focus thumb still hears the moves
    EXPECT_EQ(179, pSlider->getValue());
    moveTo(900, 400);
    EXPECT_EQ(255, pSlider->getValue());
    moveTo(-300, 400);
    EXPECT_EQ(0, pSlider->getValue());

    release(-300, 400);
    EXPECT_FALSE(pSlider->isDragging());
    EXPECT_FALSE(pSlider->getThumb()->hasFocus());
    EXPECT_FALSE(pSlider->getThumb()->isFocusable());
    m_pMode->fired();
    moveTo(110, 205);
    EXPECT_EQ(0, pSlider->getValue()) << "no drag after the release";
    EXPECT_EQ("", m_pMode->fired());
}

TEST_F(SliderTest, SetValueFiresOnlyOnAChangeAndOnlyInAMode)
{
    RIR::SmartPtr<HSlider> pAlone = new HSlider(4, 0, 10, 3);
    pAlone->setValue(7);
    EXPECT_EQ(7, pAlone->getValue());
    EXPECT_EQ("", m_pMode->fired());

    RIR::SmartPtr<HSlider> pSlider = add(3);
    pSlider->setValue(3);
    EXPECT_EQ("", m_pMode->fired());
    pSlider->setValue(300);
    EXPECT_EQ(300, pSlider->getValue()) << "stored as given";
    EXPECT_EQ("2/0", m_pMode->fired());
    pSlider->setValue(INT_MIN);
    pSlider->setValue(INT_MAX);
    EXPECT_EQ("2/0 2/0", m_pMode->fired());
}

TEST_F(SliderTest, EmptyFullRevealsTheFullPictureUpToTheValue)
{
    theme("sliderrange 10 90\n");
    RIR::SmartPtr<HSlider> pSlider = add(0);
    RIR::SmartPtr<Image> pBody = pSlider->getImage();
    ASSERT_TRUE(pBody);
    EXPECT_EQ(100 + 20, pBody->getWidth()) << "room for half a thumb each side";
    EXPECT_EQ(20, pBody->getHeight());
    // The empty picture starts at half the thumb's width; the full one shows up to the fill.
    struct Case
    {
        int value;
        int fill; // first column (of the pictures) still empty
    } const cases[] = {{0, 10}, {255, 90}, {128, 50}, {51, 26}};
    for (const Case& c : cases)
    {
        pSlider->setValue(c.value);
        pBody = pSlider->getImage();
        EXPECT_EQ(FULL, pBody->getPixelAt(10 + c.fill - 1, 5)) << c.value;
        EXPECT_EQ(EMPTY, pBody->getPixelAt(10 + c.fill, 5)) << c.value;
        EXPECT_EQ(0, pBody->getPixelAt(5, 5).a) << "left of the pictures: clear";
    }
}

TEST_F(SliderTest, FrontBackTintsWithTheStripColumnOfTheValue)
{
    theme("sliderstyle frontback s_strip\n");
    RIR::SmartPtr<HSlider> pSlider = add(0);
    EXPECT_EQ(SS_FRONTBACK, pSlider->getStyle());
    EXPECT_EQ(100, pSlider->getImage()->getWidth()) << "the full picture as it is";
    struct Case
    {
        int value;
        Color tint;
    } const cases[] = {
        {0, Color(255, 0, 0, 255)},
        {64, Color(0, 255, 0, 255)},     // 4 x 64 / 255 = 1.004
        {128, Color(0, 0, 255, 255)},    // 2.008
        {255, Color(255, 255, 255, 255)} // 4, but never beyond the last column
    };
    for (const Case& c : cases)
    {
        pSlider->setValue(c.value);
        EXPECT_EQ(c.tint, pSlider->getColor()) << c.value;
    }
}

TEST_F(SliderTest, ThumbScaleFollowsTheValue)
{
    theme("sliderscale 0.5 1.5\n");
    RIR::SmartPtr<HSlider> pSlider = add(0, 0, 200);
    EXPECT_FLOAT_EQ(0.5f, pSlider->getThumb()->getScaleX());
    pSlider->setValue(100);
    EXPECT_FLOAT_EQ(1.0f, pSlider->getThumb()->getScaleX()) << "the mean at the middle";
    pSlider->setValue(200);
    EXPECT_FLOAT_EQ(1.5f, pSlider->getThumb()->getScaleY());
}

TEST_F(SliderTest, MovingTheSliderMovesItsThumb)
{
    RIR::SmartPtr<HSlider> pSlider = add(128);
    pSlider->setPos(70, 300);
    EXPECT_EQ(Point(130, 310), thumbAt(*pSlider));
}

TEST_F(SliderTest, EmptyRangeOrTrackPinsTheMinimum)
{
    // Maximum equal to or below the minimum: one value, whatever is asked.
    for (int nMax : {5, 2})
    {
        RIR::SmartPtr<HSlider> pSlider = add(9, 5, nMax);
        EXPECT_EQ(5, pSlider->getValue());
        EXPECT_EQ(Point(60, 210), thumbAt(*pSlider));
        pSlider->setValue(7);
        EXPECT_EQ(5, pSlider->getValue());
        press(150, 205);
        release(150, 205);
        EXPECT_EQ(5, pSlider->getValue());
        EXPECT_EQ("", m_pMode->fired());
        m_pMode->removeObject(RIR::SmartPtr<Sprite>(pSlider.get()));
    }

    // A track without length: every point means the minimum.
    theme("sliderrange 40 40\n");
    RIR::SmartPtr<HSlider> pFlat = add(100);
    EXPECT_EQ(Point(50 + 40 + 10, 210), thumbAt(*pFlat));
    press(150, 205);
    release(150, 205);
    EXPECT_EQ(0, pFlat->getValue());
    EXPECT_EQ("2/0", m_pMode->fired());
}

TEST_F(SliderTest, RemovedSliderForgetsItsModeAndTarget)
{
    RIR::SmartPtr<HSlider> pSlider = add(10);
    EXPECT_EQ(static_cast<ICallbackTarget*>(m_pMode), pSlider->getTarget());
    EXPECT_EQ(m_pMode, pSlider->getThumb()->getMode());

    m_pMode->removeObject(RIR::SmartPtr<Sprite>(pSlider.get()));
    EXPECT_EQ(nullptr, pSlider->getMode());
    EXPECT_EQ(nullptr, pSlider->getThumb()->getMode()) << "the thumb leaves too";
    EXPECT_EQ(nullptr, pSlider->getTarget());
    pSlider->setValue(20);
    EXPECT_EQ("", m_pMode->fired());

    // A target of the caller's own stays when the slider leaves.
    RecordingMode other;
    pSlider->setTarget(&other);
    m_pMode->addControl(pSlider.get());
    EXPECT_EQ(static_cast<ICallbackTarget*>(m_pMode), pSlider->getTarget())
        << "joining a mode makes it the target";
    pSlider->setTarget(&other);
    m_pMode->removeObject(RIR::SmartPtr<Sprite>(pSlider.get()));
    EXPECT_EQ(static_cast<ICallbackTarget*>(&other), pSlider->getTarget());
}

TEST_F(SliderTest, VerticalSliderWorksAlongY)
{
    RIR::SmartPtr<VSlider> pSlider =
        new VSlider(blank(20, 100), blank(20, 100), blank(28, 20), 5, 0, 255, 128);
    pSlider->setPos(50, 200);
    m_pMode->addControl(pSlider.get());
    EXPECT_EQ(20, pSlider->getImage()->getWidth());
    EXPECT_EQ(120, pSlider->getImage()->getHeight());
    EXPECT_EQ(Point(60, 200 + 50 + 10), thumbAt(*pSlider));
    press(55, 310); // the body, 100 below the top: track position 100
    release(55, 310);
    EXPECT_EQ(255, pSlider->getValue());
    EXPECT_EQ("5/0", m_pMode->fired());
}
