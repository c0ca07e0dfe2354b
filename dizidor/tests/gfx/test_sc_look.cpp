// Rotation, scale, alpha, blink and tint controllers over their course.
#include "gfx/scalpha.h"
#include "gfx/sccolor.h"
#include "gfx/scrotation.h"
#include "gfx/scscale.h"

#include "test_sc_fixture.h"

#include <cmath>
#include <string>

namespace
{

class LookTest : public ScTestBase
{
};

} // namespace

// ---- rotation ----------------------------------------------------------------------------------

TEST_F(LookTest, RotateAtASpeedNeverEnds)
{
    m_pSprite->setRotation(10.0f);
    m_pSprite->addController(new SCRotate(90.0f));
    EXPECT_FLOAT_EQ(10.0f, m_pSprite->getRotation()) << "attach leaves the angle";
    run(0.5f);
    EXPECT_FLOAT_EQ(55.0f, m_pSprite->getRotation());
    run(0.5f, 10);
    EXPECT_FLOAT_EQ(505.0f, m_pSprite->getRotation()) << "not normalised";
    m_pSprite->finishControllers();
    EXPECT_FLOAT_EQ(505.0f, m_pSprite->getRotation()) << "finishing turns by 0";
    EXPECT_EQ(1, m_pSprite->getControllerCount());
}

TEST_F(LookTest, RotateFromToTakesTheShorterWay)
{
    struct Case
    {
        float fFrom;
        float fTo;
        float fHalfway;
        float fEnd;
    };
    const Case aCases[] = {{350, 10, 360, 370}, {10, 350, 0, -10}, {0, 90, 45, 90},
                           {0, 540, 90, 180},   {720, 0, 720, 720}};
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(std::to_string(c.fFrom) + " -> " + std::to_string(c.fTo));
        m_pSprite->setRotation(-1000.0f);
        m_pSprite->addController(new SCRotate(c.fFrom, c.fTo, 2.0f));
        EXPECT_FLOAT_EQ(c.fFrom, m_pSprite->getRotation());
        run(1.0f);
        EXPECT_FLOAT_EQ(c.fHalfway, m_pSprite->getRotation());
        EXPECT_EQ(1, m_pSprite->getControllerCount());
        run(1.0f);
        EXPECT_FLOAT_EQ(c.fEnd, m_pSprite->getRotation());
        EXPECT_EQ(0, m_pSprite->getControllerCount());
    }
}

TEST_F(LookTest, SinusoidRotate)
{
    // centre 30, amplitude 10, period 4: a quarter period after 1 s.
    m_pSprite->addController(new SCSinusoidRotate(30.0f, 10.0f, 4.0f, 2.0f));
    EXPECT_FLOAT_EQ(30.0f, m_pSprite->getRotation()) << "applied on attach";
    run(1.0f);
    EXPECT_NEAR(40.0f, m_pSprite->getRotation(), 1e-3f);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    run(1.0f);
    EXPECT_NEAR(30.0f, m_pSprite->getRotation(), 0.05f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Without a duration it applies one rotation and ends.
    m_pSprite->addController(new SCSinusoidRotate(30.0f, 10.0f, 4.0f, 0.0f));
    run(1.0f);
    EXPECT_NEAR(40.0f, m_pSprite->getRotation(), 1e-3f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // A period of 0 has no swing: the centre, never nan.
    m_pSprite->addController(new SCSinusoidRotate(30.0f, 10.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(30.0f, m_pSprite->getRotation());
    run(0.5f);
    EXPECT_FLOAT_EQ(30.0f, m_pSprite->getRotation());
}

// ---- scale -------------------------------------------------------------------------------------

TEST_F(LookTest, ScaleReachesExactlyItsEnd)
{
    m_pSprite->addController(new SCScale(1.0f, 3.0f, 2.0f));
    run(0.5f);
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleX());
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleY());
    run(0.7f);
    EXPECT_FLOAT_EQ(2.2f, m_pSprite->getScaleX());
    run(0.8f);
    EXPECT_EQ(3.0f, m_pSprite->getScaleX());
    EXPECT_EQ(3.0f, m_pSprite->getScaleY());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    m_pSprite->addController(new SCScale(1.0f, 2.0f, 1.0f, 0.5f, 1.0f));
    run(0.5f);
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleX());
    EXPECT_FLOAT_EQ(0.75f, m_pSprite->getScaleY());
    m_pSprite->finishControllers();
    EXPECT_EQ(2.0f, m_pSprite->getScaleX());
    EXPECT_EQ(0.5f, m_pSprite->getScaleY());
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(LookTest, SinusoidScaleSwingsForEver)
{
    // low 1, high 2, a quarter turn per second.
    m_pSprite->addController(new SCSinusoidScale(1.0f, 2.0f, 0.25f, 0.0f));
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleX()) << "applied on attach";
    run(1.0f);
    EXPECT_NEAR(2.0f, m_pSprite->getScaleX(), 1e-4f);
    run(2.0f);
    EXPECT_NEAR(1.0f, m_pSprite->getScaleX(), 1e-4f);
    run(1.0f, 100);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    // Finishing takes its clock back to 0: the state at time 0, still running.
    m_pSprite->finishControllers();
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleX());
    EXPECT_EQ(1, m_pSprite->getControllerCount());
}

TEST_F(LookTest, GrowBounceRisesToThePeakAndSettles)
{
    m_pSprite->addController(new SCGrowBounce(0.5f, 1.5f, 1.0f, 1.0f));
    EXPECT_NEAR(0.5f, m_pSprite->getScaleX(), 1e-5f) << "starts at start";
    float fMax = 0.0f;
    for (int i = 0; i < 128; ++i)
    {
        run(1.0f / 128.0f); // exact in binary: the clock lands on 1 s
        fMax = std::max(fMax, m_pSprite->getScaleX());
    }
    EXPECT_NEAR(1.5f, fMax, 1e-3f);
    EXPECT_NEAR(1.0f, m_pSprite->getScaleX(), 1e-4f) << "ends at end";
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Outside the peak, or without a duration: defined scales, never nan.
    struct Case
    {
        float fStart;
        float fPeak;
        float fEnd;
        float fDuration;
        float fFirst;
        float fLast;
    };
    const Case aCases[] = {{3.0f, 1.0f, 0.5f, 1.0f, 1.0f, 0.5f},
                           {0.5f, 0.0f, 0.5f, 1.0f, 0.0f, 0.0f},
                           {0.5f, 1.5f, 1.0f, 0.0f, 1.0f, 1.0f}};
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(std::to_string(c.fStart) + " " + std::to_string(c.fPeak));
        m_pSprite->addController(new SCGrowBounce(c.fStart, c.fPeak, c.fEnd, c.fDuration));
        EXPECT_NEAR(c.fFirst, m_pSprite->getScaleX(), 1e-4f);
        run(0.5f, 2);
        EXPECT_NEAR(c.fLast, m_pSprite->getScaleX(), 1e-4f);
        EXPECT_EQ(0, m_pSprite->getControllerCount());
    }
}

TEST_F(LookTest, GrowBounceAllScalesAScreenAboutOneCentre)
{
    RIR::SmartPtr<Image> pShared = m_pSprite->getImage();
    RIR::SmartPtr<Sprite> pTwin = new Sprite(pShared, 30, 20, 0);
    RIR::SmartPtr<Sprite> pBare = new Sprite(5, 5, 0);
    m_mode.addSprite(pTwin);
    m_mode.addSprite(pBare);

    growBounceAll(&m_mode, Point(12, 23), 0.5f, 1.5f, 1.0f, 1.0f);
    for (Sprite* pSprite : {m_pSprite.get(), pTwin.get()})
    {
        EXPECT_NE(pShared.get(), pSprite->getImage().get()) << "a private image";
        EXPECT_EQ(Point(12, 23), pSprite->getPosPoint());
        EXPECT_EQ(1, pSprite->getControllerCount());
        EXPECT_NEAR(0.5f, pSprite->getScaleX(), 1e-5f);
    }
    EXPECT_EQ(Point(0, 0), pShared->getInsPoint()) << "the shared picture is untouched";
    EXPECT_EQ(Point(2, 3), m_pSprite->getImage()->getInsPoint());
    EXPECT_EQ(Point(-18, 3), pTwin->getImage()->getInsPoint());
    EXPECT_EQ(0, pBare->getControllerCount()) << "no image, skipped";

    // At scale 1 the pictures are where they were.
    m_pSprite->setScale(1.0f);
    EXPECT_EQ(patternColor(0, 0).getPackedValue(), shownAt(m_pSprite.get(), 10, 20));
    m_pSprite->removeAllControllers();
    pTwin->removeAllControllers();
    growBounceAll(nullptr, Point(0, 0), 0.5f, 1.5f, 1.0f, 1.0f);
}

// ---- alpha and blink ---------------------------------------------------------------------------

TEST_F(LookTest, LinearFades)
{
    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 2.0f, true));
    EXPECT_FLOAT_EQ(1.0f, m_pSprite->getAlpha());
    run(0.5f);
    EXPECT_FLOAT_EQ(0.75f, m_pSprite->getAlpha());
    run(1.0f);
    EXPECT_FLOAT_EQ(0.25f, m_pSprite->getAlpha());
    run(0.5f);
    EXPECT_FLOAT_EQ(0.0f, m_pSprite->getAlpha());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Relative: the factors multiply, so it fades faster than linearly.
    m_pSprite->setAlpha(0.8f);
    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 1.0f, false));
    EXPECT_FLOAT_EQ(0.8f, m_pSprite->getAlpha());
    run(0.25f);
    EXPECT_FLOAT_EQ(0.6f, m_pSprite->getAlpha());
    run(0.25f);
    EXPECT_FLOAT_EQ(0.3f, m_pSprite->getAlpha()) << "0.8 x 0.75 x 0.5";
    run(0.5f);
    EXPECT_FLOAT_EQ(0.0f, m_pSprite->getAlpha());
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(LookTest, SinusoidAlpha)
{
    m_pSprite->setAlpha(0.3f);
    m_pSprite->addController(new SCSinusoidAlpha(0.25f, 0.0f));
    EXPECT_FLOAT_EQ(0.3f, m_pSprite->getAlpha()) << "nothing on attach";
    run(1.0f);
    EXPECT_NEAR(1.0f, m_pSprite->getAlpha(), 1e-4f);
    m_pSprite->removeAllControllers();

    m_pSprite->addController(new SCSinusoidAlpha(0.2f, 0.6f, 0.25f, 0.0f));
    run(0.0f);
    EXPECT_NEAR(0.4f, m_pSprite->getAlpha(), 1e-5f);
    run(3.0f);
    EXPECT_NEAR(0.2f, m_pSprite->getAlpha(), 1e-4f);
    run(1.0f, 50);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
}

TEST_F(LookTest, BlinkShowsTheFirstPartOfEveryCycle)
{
    m_pSprite->addController(new SCBlink(0.5f, 0.5f, 3.0f));
    const bool abVisible[] = {true, false, true, false, true, false};
    run(0.25f);
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE("at " + std::to_string(0.25f + 0.5f * i));
        EXPECT_EQ(abVisible[i], m_pSprite->isVisible());
        EXPECT_EQ(1, m_pSprite->getControllerCount());
        run(0.5f);
    }
    // 3.25 s: past the total time, shown once more and done.
    EXPECT_TRUE(m_pSprite->isVisible());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Without a total time it never ends; a long run with a short cycle stays exact.
    m_pSprite->addController(new SCBlink(0.001f, 0.001f, 0.0f));
    run(1000.0f, 20);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    m_pSprite->removeAllControllers();

    // A cycle without length is refused.
    for (float fOff : {0.0f, -1.0f})
        EXPECT_THROW(SCBlink(0.0f, fOff, 1.0f), RIR::AssertFailException);
}

// ---- tint --------------------------------------------------------------------------------------

TEST_F(LookTest, LinearTint)
{
    const Color from(0, 100, 200, 10);
    const Color to(255, 0, 100, 20);
    m_pSprite->addController(new SCLinearTint(from, to, 1.0f));
    EXPECT_EQ(from, m_pSprite->getColor()) << "attach sets from, alpha included";
    run(0.5f);
    const Color half = m_pSprite->getColor();
    EXPECT_NEAR(127, half.r, 1);
    EXPECT_NEAR(50, half.g, 1);
    EXPECT_NEAR(150, half.b, 1);
    EXPECT_EQ(255, half.a);
    run(0.5f);
    EXPECT_EQ(to, m_pSprite->getColor()) << "exactly to at the end";
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(LookTest, PulseColorWrapsBelowZero)
{
    m_pSprite->addController(new SCPulseColor(Color(100, 100, 100, 7), Color(255, 255, 255, 7),
                                              1.0f));
    run(1.5707964f); // sin = 1
    EXPECT_EQ(Color(255, 255, 255, 255), m_pSprite->getColor());
    run(3.1415927f); // sin = -1: 100 - 155 = -55, whose low byte is 201
    EXPECT_EQ(Color(201, 201, 201, 255), m_pSprite->getColor());
    run(1.0f, 100);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
}

TEST_F(LookTest, PaletteWalksAlongTheTopRow)
{
    RIR::SmartPtr<Image> pPalette = patternImage(5, 2, 0, 0);
    m_pSprite->addController(new SCApplyPalette(pPalette, 1.0f));
    const int aColumns[] = {0, 1, 2, 3, 4};
    run(0.0f);
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(patternColor(aColumns[i], 0), m_pSprite->getColor());
        EXPECT_EQ(i < 4 ? 1 : 0, m_pSprite->getControllerCount());
        if (i < 4)
            run(0.25f);
    }
    EXPECT_THROW(SCApplyPalette(RIR::SmartPtr<Image>(), 1.0f), RIR::AssertFailException);
}
