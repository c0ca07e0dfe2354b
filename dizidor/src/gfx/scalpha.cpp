// Fade, swinging alpha and blink controllers.
#include "gfx/scalpha.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>

namespace
{

const float FULL_TURN = 6.28f;

} // namespace

// ---- SCLinearFade ------------------------------------------------------------------------------

SCLinearFade::SCLinearFade(float fFrom, float fTo, float fDuration, bool bAbsolute)
    : m_fFrom(fFrom), m_fTo(fTo), m_bAbsolute(bAbsolute)
{
    RIR_TRACE("SCLinearFade::SCLinearFade");
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCLinearFade::~SCLinearFade()
{
    RIR_TRACE("SCLinearFade::~SCLinearFade");
}

void SCLinearFade::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearFade::onAttach");
    pSprite->setAlpha(m_bAbsolute ? m_fFrom : pSprite->getAlpha() * m_fFrom);
}

bool SCLinearFade::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearFade::apply");
    const float f = m_fFrom + m_pTimer->getProgress() * (m_fTo - m_fFrom);
    pSprite->setAlpha(m_bAbsolute ? f : pSprite->getAlpha() * f);
    return m_pTimer->isDone();
}

// ---- SCSinusoidAlpha ---------------------------------------------------------------------------

SCSinusoidAlpha::SCSinusoidAlpha(float fFrequency, float fPhase)
    : m_fLow(0.0f), m_fHigh(1.0f), m_fFrequency(fFrequency), m_fPhase(fPhase)
{
    RIR_TRACE("SCSinusoidAlpha::SCSinusoidAlpha");
}

SCSinusoidAlpha::SCSinusoidAlpha(float fLow, float fHigh, float fFrequency, float fPhase)
    : m_fLow(fLow), m_fHigh(fHigh), m_fFrequency(fFrequency), m_fPhase(fPhase)
{
    RIR_TRACE("SCSinusoidAlpha::SCSinusoidAlpha");
}

SCSinusoidAlpha::~SCSinusoidAlpha()
{
    RIR_TRACE("SCSinusoidAlpha::~SCSinusoidAlpha");
}

bool SCSinusoidAlpha::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSinusoidAlpha::apply");
    const float fAngle = m_pTimer->getElapsed() * FULL_TURN * m_fFrequency + m_fPhase;
    const float fWave = (float)std::sin((double)fAngle);
    pSprite->setAlpha(m_fLow + (m_fHigh - m_fLow) * (fWave + 1.0f) * 0.5f);
    return false;
}

// ---- SCBlink -----------------------------------------------------------------------------------

SCBlink::SCBlink(float fOnTime, float fOffTime, float fTotalTime)
    : m_fOnTime(fOnTime), m_fOffTime(fOffTime), m_fTotalTime(fTotalTime)
{
    RIR_TRACE("SCBlink::SCBlink");
    // The phase divides by the cycle; a cycle of 0 would turn inf or nan into a count.
    RIR_ASSERT(fOnTime + fOffTime > 0.0f);
}

SCBlink::~SCBlink()
{
    RIR_TRACE("SCBlink::~SCBlink");
}

bool SCBlink::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCBlink::apply");
    const float e = m_pTimer->getElapsed();
    if (m_fTotalTime > 0.0f && e > m_fTotalTime)
    {
        pSprite->setVisible(true);
        return true;
    }
    // The whole cycles are counted in double precision and never as an int: the raw clock grows
    // without bound and a short cycle would soon overflow an int count.
    const double dCycle = (double)(m_fOnTime + m_fOffTime);
    const double dCycles = std::trunc((double)e / dCycle);
    const float fPhase = (float)((double)e - dCycle * dCycles);
    pSprite->setVisible(m_fOnTime > fPhase);
    return false;
}
