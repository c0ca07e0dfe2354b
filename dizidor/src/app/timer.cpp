#include "app/timer.h"

#include "rir2/calltrace.h"

#include <cmath>
#include <cstdint>

Timer::Timer(float fDuration, int nFlags)
    : m_fDuration(fDuration), m_fElapsed(0.0f), m_nFlags(nFlags), m_nWraps(0)
{
    RIR_TRACE("Timer::Timer");
}

Timer::~Timer()
{
    RIR_TRACE("Timer::~Timer");
}

bool Timer::advance(float fDt)
{
    RIR_TRACE("Timer::advance");
    m_nWraps = 0;
    m_fElapsed += fDt;
    if (m_nFlags & TIMER_CLAMP)
    {
        if (m_fElapsed < 0.0f)
            m_fElapsed = 0.0f;
        if (m_fElapsed > m_fDuration)
            m_fElapsed = m_fDuration;
    }
    return isDone();
}

void Timer::wrap()
{
    RIR_TRACE("Timer::wrap");
    if (m_fDuration <= 0.0f)
    {
        m_fElapsed = 0.0f;
        return;
    }
    if (m_fDuration <= m_fElapsed)
    {
        // Taking one period off per step would take forever when the elapsed time is many
        // orders of magnitude beyond the duration (or never end once the duration is below the
        // float resolution of the elapsed time). fmod gives the exact rest in one step.
        const double dDuration = m_fDuration;
        const double dElapsed = m_fElapsed;
        double dPeriods = INFINITY;
        float fRest = 0.0f;
        if (std::isfinite(dElapsed))
        {
            const double dRest = std::fmod(dElapsed, dDuration);
            dPeriods = std::nearbyint((dElapsed - dRest) / dDuration);
            fRest = (float)dRest;
            // A rest just below the duration may round up to it as a float: that is one more
            // whole period, not a timer that is done right after wrapping.
            if (fRest >= m_fDuration)
            {
                fRest = 0.0f;
                dPeriods += 1.0;
            }
        }
        const double dRoom = (double)INT32_MAX - (double)m_nWraps;
        m_nWraps = dPeriods >= dRoom ? INT32_MAX : m_nWraps + (int32_t)dPeriods;
        m_fElapsed = fRest;
    }
    if (!(m_nFlags & TIMER_REPEAT))
        m_fElapsed = 0.0f;
}

void Timer::setDuration(float fDuration, bool bWrapNow)
{
    RIR_TRACE("Timer::setDuration");
    m_fDuration = fDuration;
    if (bWrapNow)
        wrap();
}

void Timer::setRemaining(float fRemaining)
{
    RIR_TRACE("Timer::setRemaining");
    m_fElapsed = m_fDuration - fRemaining;
}

float Timer::getProgress() const
{
    RIR_TRACE("Timer::getProgress");
    if (m_fDuration == 0.0f)
        return isDone() ? 1.0f : 0.0f;
    return (float)((double)m_fElapsed / (double)m_fDuration);
}

float Timer::getRemainingFraction() const
{
    RIR_TRACE("Timer::getRemainingFraction");
    if (m_fDuration == 0.0f)
        return 0.0f;
    return (float)((double)(m_fDuration - m_fElapsed) / (double)m_fDuration);
}

bool Timer::setFlags(int nFlags)
{
    RIR_TRACE("Timer::setFlags");
    m_nFlags = nFlags;
    return advance(0.0f);
}
