// Rotation controllers.
#include "gfx/scrotation.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"

#include <cmath>

namespace
{

// The program's full turn in radians.
const float FULL_TURN = 6.28f;

// The turn from fFrom to fTo along the shorter way, -180 .. 180. By remainder rather than by
// repeated steps of 360, so that an infinite or huge angle cannot hang the update.
float shortestTurn(float fFrom, float fTo)
{
    RIR_TRACE("shortestTurn");
    float d = std::fmod(fTo - fFrom, 360.0f);
    if (d > 180.0f)
        d -= 360.0f;
    else if (d < -180.0f)
        d += 360.0f;
    return d;
}

} // namespace

// ---- SCRotate ----------------------------------------------------------------------------------

SCRotate::SCRotate(float fSpeed) : m_bSpeedForm(true), m_fSpeed(fSpeed), m_fFrom(0.0f), m_fTo(0.0f)
{
    RIR_TRACE("SCRotate::SCRotate");
}

SCRotate::SCRotate(float fFrom, float fTo, float fDuration)
    : m_bSpeedForm(false), m_fSpeed(0.0f), m_fFrom(fFrom), m_fTo(fTo)
{
    RIR_TRACE("SCRotate::SCRotate");
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCRotate::~SCRotate()
{
    RIR_TRACE("SCRotate::~SCRotate");
}

void SCRotate::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCRotate::onAttach");
    if (!m_bSpeedForm)
        pSprite->setRotation(m_fFrom);
}

bool SCRotate::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCRotate::update");
    if (m_bSpeedForm)
    {
        // The own clock stays at 0, so finishing (an update by the remaining time 0) turns by 0.
        pSprite->setRotation(pSprite->getRotation() + m_fSpeed * fDt);
        return false;
    }
    m_pTimer->advance(fDt);
    pSprite->setRotation(m_fFrom + m_pTimer->getProgress() * shortestTurn(m_fFrom, m_fTo));
    return m_pTimer->isDone();
}

// ---- SCSinusoidRotate --------------------------------------------------------------------------

SCSinusoidRotate::SCSinusoidRotate(float fCentre, float fAmplitude, float fPeriod,
                                   float fDuration)
    : m_fCentre(fCentre), m_fAmplitude(fAmplitude), m_fPeriod(fPeriod)
{
    RIR_TRACE("SCSinusoidRotate::SCSinusoidRotate");
    m_pTimer->setElapsed(0.0f);
    if (fDuration > 0.0f)
    {
        m_pTimer->setDuration(fDuration, true);
        m_pTimer->setFlags(TIMER_CLAMP);
    }
}

SCSinusoidRotate::~SCSinusoidRotate()
{
    RIR_TRACE("SCSinusoidRotate::~SCSinusoidRotate");
}

void SCSinusoidRotate::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSinusoidRotate::onAttach");
    setRotation(pSprite.get());
}

bool SCSinusoidRotate::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSinusoidRotate::apply");
    setRotation(pSprite.get());
    return m_pTimer->isDone();
}

void SCSinusoidRotate::setRotation(Sprite* pSprite)
{
    RIR_TRACE("SCSinusoidRotate::setRotation");
    // A period of 0 would make the angle nan (0 / 0 at the start), which no sprite can draw.
    const float fSwing =
        m_fPeriod == 0.0f
            ? 0.0f
            : (float)std::sin((double)(m_pTimer->getElapsed() * FULL_TURN / m_fPeriod));
    pSprite->setRotation(m_fCentre + m_fAmplitude * fSwing);
}
