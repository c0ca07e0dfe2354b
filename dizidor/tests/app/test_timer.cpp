// Timer: advancing, clamping, wrapping (including elapsed times far beyond the period) and the
// derived readings.
#include "app/timer.h"

#include "rir2/refcount.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <type_traits>

static_assert(std::has_virtual_destructor_v<Timer>, "Timer is destroyed through its base");
static_assert(std::is_base_of_v<RIR::RefCountedObject, Timer>, "Timer is reference counted");

namespace
{

// One advance, optionally followed by a wrap, on a fresh timer.
struct WrapCase
{
    const char* pszName;
    float fDuration;
    int nFlags;
    float fDt;
    bool bWrap;
    bool bExpectDone; // what advance returns
    float fExpectElapsed;
    int nExpectWraps;
};

const WrapCase g_aWrapCases[] = {
    {"plain run past the end", 2.0f, 0, 5.0f, false, true, 5.0f, 0},
    {"plain wrap restarts at 0", 2.0f, 0, 5.0f, true, true, 0.0f, 2},
    {"plain wrap before the end restarts too", 2.0f, 0, 1.5f, true, false, 0.0f, 0},
    {"repeat keeps the rest", 2.0f, TIMER_REPEAT, 5.0f, true, true, 1.0f, 2},
    {"repeat before the end keeps all", 2.0f, TIMER_REPEAT, 1.5f, true, false, 1.5f, 0},
    {"exactly the duration wraps once", 2.0f, TIMER_REPEAT, 2.0f, true, true, 0.0f, 1},
    {"exact multiple leaves no rest", 0.5f, TIMER_REPEAT, 3.0f, true, true, 0.0f, 6},
    {"negative duration only resets", -1.0f, TIMER_REPEAT, 3.0f, true, true, 0.0f, 0},
    {"zero duration only resets", 0.0f, TIMER_REPEAT, 3.0f, true, true, 0.0f, 0},
    {"clamp stops at the duration", 2.0f, TIMER_CLAMP, 3.0f, false, true, 2.0f, 0},
    {"clamp stops at 0", 2.0f, TIMER_CLAMP, -3.0f, false, false, 0.0f, 0},
    {"unknown bits are ignored", 2.0f, 0x7C | TIMER_REPEAT, 5.0f, true, true, 1.0f, 2},
};

} // namespace

TEST(Timer, AdvanceAndWrapTable)
{
    for (const WrapCase& c : g_aWrapCases)
    {
        SCOPED_TRACE(c.pszName);
        Timer timer(c.fDuration, c.nFlags);
        EXPECT_EQ(c.bExpectDone, timer.advance(c.fDt));
        if (c.bWrap)
            timer.wrap();
        EXPECT_FLOAT_EQ(c.fExpectElapsed, timer.getElapsed());
        EXPECT_EQ(c.nExpectWraps, timer.getWraps());
        EXPECT_EQ(c.nFlags, timer.getFlags());
    }
}

TEST(Timer, NewTimerStartsAtZero)
{
    Timer timer(2.0f, TIMER_REPEAT);
    EXPECT_EQ(2.0f, timer.getDuration());
    EXPECT_EQ(0.0f, timer.getElapsed());
    EXPECT_EQ(0, timer.getWraps());
    EXPECT_FALSE(timer.isDone());
    EXPECT_EQ(2.0f, timer.getRemaining());
    EXPECT_EQ(0.0f, timer.getProgress());
    EXPECT_EQ(1.0f, timer.getRemainingFraction());

    // A zero-length timer is done at once.
    Timer zero(0.0f, 0);
    EXPECT_TRUE(zero.isDone());
    EXPECT_EQ(1.0f, zero.getProgress());
    EXPECT_EQ(0.0f, zero.getRemainingFraction());
    // Before its zero point it is neither done nor progressed.
    zero.setElapsed(-1.0f);
    EXPECT_FALSE(zero.isDone());
    EXPECT_EQ(0.0f, zero.getProgress());
}

TEST(Timer, ClampHoldsInBothDirections)
{
    Timer timer(2.0f, TIMER_CLAMP);
    EXPECT_TRUE(timer.advance(3.0f));
    EXPECT_EQ(2.0f, timer.getElapsed());
    EXPECT_FALSE(timer.advance(-5.0f));
    EXPECT_EQ(0.0f, timer.getElapsed());

    // Setting the elapsed or remaining time directly is never clamped.
    timer.setElapsed(7.0f);
    EXPECT_EQ(7.0f, timer.getElapsed());
    timer.setRemaining(3.0f);
    EXPECT_EQ(-1.0f, timer.getElapsed());
    // ... until the next advance.
    EXPECT_FALSE(timer.advance(0.0f));
    EXPECT_EQ(0.0f, timer.getElapsed());
}

TEST(Timer, SetFlagsAppliesClampAtOnce)
{
    Timer timer(2.0f, 0);
    timer.advance(5.0f);
    EXPECT_TRUE(timer.setFlags(TIMER_CLAMP));
    EXPECT_EQ(2.0f, timer.getElapsed());
    EXPECT_EQ(TIMER_CLAMP, timer.getFlags());

    timer.setElapsed(-1.0f);
    EXPECT_FALSE(timer.setFlags(TIMER_CLAMP | TIMER_REPEAT));
    EXPECT_EQ(0.0f, timer.getElapsed());

    // Without clamping, setFlags only reports.
    timer.setElapsed(-1.0f);
    EXPECT_FALSE(timer.setFlags(0));
    EXPECT_EQ(-1.0f, timer.getElapsed());
}

TEST(Timer, WrapsAddUpUntilTheNextAdvance)
{
    Timer timer(2.0f, TIMER_REPEAT);
    timer.advance(5.0f);
    timer.wrap();
    EXPECT_EQ(2, timer.getWraps());
    timer.setElapsed(4.5f);
    timer.wrap();
    EXPECT_EQ(4, timer.getWraps());
    EXPECT_FLOAT_EQ(0.5f, timer.getElapsed());
    // A wrap with nothing to take off adds nothing.
    timer.wrap();
    EXPECT_EQ(4, timer.getWraps());
    EXPECT_FALSE(timer.advance(0.25f));
    EXPECT_EQ(0, timer.getWraps());
    EXPECT_FLOAT_EQ(0.75f, timer.getElapsed());
}

TEST(Timer, SetDurationRestartsUnlessRepeating)
{
    // The sprite controllers' pattern: a zero timer given its length later.
    Timer timer(0.0f, 0);
    timer.advance(0.3f);
    timer.setDuration(1.5f, true);
    EXPECT_EQ(1.5f, timer.getDuration());
    EXPECT_EQ(0.0f, timer.getElapsed());
    EXPECT_FALSE(timer.setFlags(TIMER_CLAMP));
    timer.advance(0.75f);
    EXPECT_FLOAT_EQ(0.5f, timer.getProgress());
    EXPECT_FLOAT_EQ(0.5f, timer.getRemainingFraction());

    // Without wrapNow the elapsed time stays.
    timer.setDuration(3.0f, false);
    EXPECT_EQ(0.75f, timer.getElapsed());
    EXPECT_FLOAT_EQ(0.25f, timer.getProgress());

    // A repeating timer keeps its rest.
    Timer repeat(2.0f, TIMER_REPEAT);
    repeat.advance(1.5f);
    repeat.setDuration(1.0f, true);
    EXPECT_EQ(1, repeat.getWraps());
    EXPECT_FLOAT_EQ(0.5f, repeat.getElapsed());
}

TEST(Timer, ReadingsAreNotClamped)
{
    Timer timer(2.0f, 0);
    timer.advance(5.0f);
    EXPECT_FLOAT_EQ(2.5f, timer.getProgress());
    EXPECT_FLOAT_EQ(-3.0f, timer.getRemaining());
    EXPECT_FLOAT_EQ(-1.5f, timer.getRemainingFraction());
    timer.setRemaining(0.5f);
    EXPECT_FLOAT_EQ(1.5f, timer.getElapsed());
    EXPECT_FLOAT_EQ(0.75f, timer.getProgress());
}

TEST(Timer, WrapOfHugeElapsedOrTinyDurationEnds)
{
    // Far more periods than an int counts: the count stops at the largest int.
    Timer tiny(1e-30f, TIMER_REPEAT);
    tiny.advance(1.0f);
    tiny.wrap();
    EXPECT_EQ(INT_MAX, tiny.getWraps());
    EXPECT_GE(tiny.getElapsed(), 0.0f);
    EXPECT_LT(tiny.getElapsed(), 1e-30f);
    // Saturated counts stay saturated.
    tiny.setElapsed(1.0f);
    tiny.wrap();
    EXPECT_EQ(INT_MAX, tiny.getWraps());

    // A duration below the float step of the elapsed time: one period per step would never
    // change the elapsed time at all.
    Timer step(1.0f, TIMER_REPEAT);
    step.advance(1e30f);
    step.wrap();
    EXPECT_EQ(INT_MAX, step.getWraps());
    EXPECT_GE(step.getElapsed(), 0.0f);
    EXPECT_LT(step.getElapsed(), 1.0f);

    // Many but countable periods are counted exactly.
    Timer many(0.5f, TIMER_REPEAT);
    many.advance(3000000.25f);
    many.wrap();
    EXPECT_EQ(6000000, many.getWraps());
    EXPECT_FLOAT_EQ(0.25f, many.getElapsed());

    // An infinite elapsed time restarts; without TIMER_REPEAT the count is the same.
    Timer endless(2.0f, TIMER_REPEAT);
    endless.advance(INFINITY);
    endless.wrap();
    EXPECT_EQ(INT_MAX, endless.getWraps());
    EXPECT_EQ(0.0f, endless.getElapsed());
    EXPECT_FALSE(endless.isDone());

    Timer plain(1e-30f, 0);
    plain.advance(1e30f);
    plain.wrap();
    EXPECT_EQ(INT_MAX, plain.getWraps());
    EXPECT_EQ(0.0f, plain.getElapsed());
}

TEST(Timer, RestNeverReachesTheDuration)
{
    // Over many awkward pairs the rest after a repeating wrap is in [0, duration).
    const float afDuration[] = {0.1f, 0.3f, 1.0f / 3.0f, 0.016f, 15.0f, 7.77f};
    const float afElapsed[] = {0.3f, 0.9f, 1.0f, 100.0f, 16777215.0f, 12345.678f, 0.1f};
    for (float fDuration : afDuration)
        for (float fElapsed : afElapsed)
        {
            Timer timer(fDuration, TIMER_REPEAT);
            timer.setElapsed(fElapsed);
            timer.wrap();
            SCOPED_TRACE(testing::Message() << fElapsed << " mod " << fDuration);
            EXPECT_GE(timer.getElapsed(), 0.0f);
            EXPECT_LT(timer.getElapsed(), fDuration);
            EXPECT_FALSE(timer.isDone());
            EXPECT_NEAR((double)fElapsed, timer.getWraps() * (double)fDuration + timer.getElapsed(),
                        (double)fDuration * 1.0001);
        }
}

TEST(Timer, SharedThroughSmartPtr)
{
    RIR::SmartPtr<Timer> pTimer = new Timer(15.0f, 0);
    RIR::SmartPtr<Timer> pOther = pTimer;
    pOther->advance(16.0f);
    EXPECT_TRUE(pTimer->isDone());
    pTimer->wrap();
    EXPECT_EQ(1, pOther->getWraps());
    EXPECT_EQ(0.0f, pOther->getElapsed());
}
