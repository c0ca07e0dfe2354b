// Timer: a countdown and stopwatch advanced by its owner.
//
// A Timer reads no clock. Its owner calls `advance` with the frame time dt in seconds and asks
// whether the period has run out (`isDone`) and how far it has got (`getProgress`). Sprite
// controllers interpolate their effects with it; the audio back-end sweeps its channels with a
// 15-second one. Timers are shared through RIR::SmartPtr<Timer>.
//
// Flags:
// - TIMER_REPEAT: `wrap` keeps the part of the elapsed time beyond the last whole period;
//   without it `wrap` restarts the count at 0.
// - TIMER_CLAMP: `advance` keeps the elapsed time between 0 and the duration.
// Other bits are stored and ignored.
//
// `advance` never wraps by itself: a repeating timer keeps counting past its duration until its
// owner calls `wrap`, which counts the whole periods taken off in `getWraps` (reset by the next
// `advance`).
//
// Usage:
//     RIR::SmartPtr<Timer> pTimer = new Timer(15.0f, 0);
//     if (pTimer->advance(fDt)) // every frame
//     {
//         pTimer->wrap();       // start the next period
//         sweep();
//     }
//
// Nothing here allocates; no operation fails.
#ifndef DIZIDOR_APP_TIMER_H
#define DIZIDOR_APP_TIMER_H

#include "rir2/refcount.h"

#include <cstdint>

enum TimerFlags
{
    TIMER_REPEAT = 0x01,
    TIMER_CLAMP = 0x02
};

class Timer : public RIR::RefCountedObject
{
public:
    // Elapsed time 0, no wraps.
    Timer(float fDuration, int nFlags);
    ~Timer() override;

    // Resets the wrap count, adds dt (which may be negative) to the elapsed time, clamps it to
    // [0, duration] with TIMER_CLAMP, and returns isDone().
    bool advance(float fDt);
    // Whether the elapsed time has reached the duration.
    bool isDone() const { return m_fDuration <= m_fElapsed; }
    // Takes every whole period off the elapsed time and adds their number to the wrap count
    // (which stops at the largest int). Then, unless the timer repeats, the elapsed time becomes
    // 0 whatever was left: a non-repeating timer restarts even when it has not run out. A
    // duration of 0 or less only sets the elapsed time to 0. The periods are counted in one
    // step, so a huge elapsed time or a tiny duration costs no more than any other.
    void wrap();

    // Stores the duration; with bWrapNow, then wraps (which restarts a non-repeating timer).
    void setDuration(float fDuration, bool bWrapNow);
    float getDuration() const { return m_fDuration; }
    float getElapsed() const { return m_fElapsed; }
    // No clamping, whatever the flags.
    void setElapsed(float fElapsed) { m_fElapsed = fElapsed; }
    // duration - elapsed; negative once the timer has run past its duration.
    float getRemaining() const { return m_fDuration - m_fElapsed; }
    // elapsed = duration - r; no clamping.
    void setRemaining(float fRemaining);
    // elapsed / duration, not clamped; with duration 0: 1 when done, else 0.
    float getProgress() const;
    // (duration - elapsed) / duration, not clamped; with duration 0: 0.
    float getRemainingFraction() const;
    int getFlags() const { return m_nFlags; }
    // Stores the flags, then advances by 0 so that a new TIMER_CLAMP holds at once; returns
    // what that advance returns.
    bool setFlags(int nFlags);
    // The whole periods wrap() has taken off since the last advance().
    int getWraps() const { return m_nWraps; }

private:
    float m_fDuration;
    float m_fElapsed;
    int32_t m_nFlags;
    int32_t m_nWraps;
};

#endif
