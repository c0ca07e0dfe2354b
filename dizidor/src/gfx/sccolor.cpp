// Tint, colour pulse and palette controllers.
#include "gfx/sccolor.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>

namespace
{

// x truncated toward zero as an int; nan and values outside the int range (which a colour never
// needs) give 0 instead of undefined behaviour.
int truncToInt(double x)
{
    RIR_TRACE("truncToInt");
    if (!(x > -2147483648.0 && x < 2147483648.0))
        return 0;
    return (int)x;
}

} // namespace

// ---- SCLinearTint ------------------------------------------------------------------------------

SCLinearTint::SCLinearTint(const Color& from, const Color& to, float fDuration)
    : m_from(from), m_to(to), m_fDeltaR(to.r / 255.0f - from.r / 255.0f),
      m_fDeltaG(to.g / 255.0f - from.g / 255.0f), m_fDeltaB(to.b / 255.0f - from.b / 255.0f)
{
    RIR_TRACE("SCLinearTint::SCLinearTint");
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCLinearTint::~SCLinearTint()
{
    RIR_TRACE("SCLinearTint::~SCLinearTint");
}

void SCLinearTint::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearTint::onAttach");
    pSprite->setColor(m_from);
}

bool SCLinearTint::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearTint::apply");
    if (m_pTimer->isDone())
    {
        pSprite->setColor(m_to);
        return true;
    }
    const float p = m_pTimer->getProgress();
    const int r = truncToInt((m_from.r / 255.0f + p * m_fDeltaR) * 255.0f);
    const int g = truncToInt((m_from.g / 255.0f + p * m_fDeltaG) * 255.0f);
    const int b = truncToInt((m_from.b / 255.0f + p * m_fDeltaB) * 255.0f);
    pSprite->setColor(Color(r, g, b, 255));
    return m_pTimer->isDone();
}

// ---- SCPulseColor ------------------------------------------------------------------------------

SCPulseColor::SCPulseColor(const Color& from, const Color& to, float fSpeed)
    : m_from(from), m_nDeltaR(to.r - from.r), m_nDeltaG(to.g - from.g), m_nDeltaB(to.b - from.b),
      m_fSpeed(fSpeed)
{
    RIR_TRACE("SCPulseColor::SCPulseColor");
}

SCPulseColor::~SCPulseColor()
{
    RIR_TRACE("SCPulseColor::~SCPulseColor");
}

bool SCPulseColor::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCPulseColor::apply");
    const float s = (float)std::sin((double)(m_pTimer->getElapsed() * m_fSpeed));
    const int r = truncToInt(m_from.r + m_nDeltaR * s);
    const int g = truncToInt(m_from.g + m_nDeltaG * s);
    const int b = truncToInt(m_from.b + m_nDeltaB * s);
    pSprite->setColor(Color(r, g, b, 255));
    return false;
}

// ---- SCApplyPalette ----------------------------------------------------------------------------

SCApplyPalette::SCApplyPalette(RIR::SmartPtr<Image> pPalette, float fDuration)
    : m_pPalette(pPalette)
{
    RIR_TRACE("SCApplyPalette::SCApplyPalette");
    RIR_ASSERT(pPalette);
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCApplyPalette::~SCApplyPalette()
{
    RIR_TRACE("SCApplyPalette::~SCApplyPalette");
}

bool SCApplyPalette::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCApplyPalette::apply");
    const int nColumn =
        truncToInt(m_pTimer->getProgress() * (float)(m_pPalette->getWidth() - 1));
    pSprite->setColor(m_pPalette->getPixelAt(nColumn, 0));
    return m_pTimer->isDone();
}
