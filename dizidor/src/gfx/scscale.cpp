// Scale controllers and growBounceAll.
#include "gfx/scscale.h"

#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <cmath>

namespace
{

const float FULL_TURN = 6.28f;
const float HALF_TURN = 3.14159f;

// asin of the ratio held to -1 .. 1; a peak of 0 counts as ratio 0.
float safeAsin(float fValue, float fPeak)
{
    RIR_TRACE("safeAsin");
    if (fPeak == 0.0f)
        return 0.0f;
    const float fRatio = std::min(1.0f, std::max(-1.0f, fValue / fPeak));
    return (float)std::asin((double)fRatio);
}

} // namespace

// ---- SCScale -----------------------------------------------------------------------------------

SCScale::SCScale(float fFrom, float fTo, float fDuration)
    : m_bSeparate(false), m_fFromX(fFrom), m_fToX(fTo), m_fFromY(fFrom), m_fToY(fTo),
      m_fDeltaX(fTo - fFrom), m_fDeltaY(fTo - fFrom)
{
    RIR_TRACE("SCScale::SCScale");
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCScale::SCScale(float fFromX, float fToX, float fFromY, float fToY, float fDuration)
    : m_bSeparate(true), m_fFromX(fFromX), m_fToX(fToX), m_fFromY(fFromY), m_fToY(fToY),
      m_fDeltaX(fToX - fFromX), m_fDeltaY(fToY - fFromY)
{
    RIR_TRACE("SCScale::SCScale");
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCScale::~SCScale()
{
    RIR_TRACE("SCScale::~SCScale");
}

bool SCScale::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCScale::apply");
    if (m_pTimer->isDone())
    {
        pSprite->setScaleXY(m_fToX, m_fToY);
        return true;
    }
    const float p = m_pTimer->getProgress();
    const float x = m_fFromX + p * m_fDeltaX;
    const float y = m_bSeparate ? m_fFromY + p * m_fDeltaY : x;
    pSprite->setScaleXY(x, y);
    return false;
}

// ---- SCSinusoidScale ---------------------------------------------------------------------------

SCSinusoidScale::SCSinusoidScale(float fLow, float fHigh, float fFrequency, float fPhase)
    : m_fLow(fLow), m_fHigh(fHigh), m_fFrequency(fFrequency), m_fPhase(fPhase)
{
    RIR_TRACE("SCSinusoidScale::SCSinusoidScale");
    m_pTimer->setElapsed(0.0f);
}

SCSinusoidScale::~SCSinusoidScale()
{
    RIR_TRACE("SCSinusoidScale::~SCSinusoidScale");
}

void SCSinusoidScale::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSinusoidScale::onAttach");
    setScale(pSprite.get());
}

bool SCSinusoidScale::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSinusoidScale::apply");
    setScale(pSprite.get());
    return false;
}

void SCSinusoidScale::setScale(Sprite* pSprite)
{
    RIR_TRACE("SCSinusoidScale::setScale");
    const float fAngle = m_pTimer->getElapsed() * FULL_TURN * m_fFrequency + m_fPhase;
    const float fWave = (float)std::sin((double)fAngle);
    pSprite->setScale(m_fLow + (m_fHigh - m_fLow) * (fWave + 1.0f) * 0.5f);
}

// ---- SCGrowBounce ------------------------------------------------------------------------------

SCGrowBounce::SCGrowBounce(float fStart, float fPeak, float fEnd, float fDuration)
    : m_fPeak(fPeak), m_fTheta0(safeAsin(fStart, fPeak)), m_fOmega(0.0f),
      m_fEndAngle(HALF_TURN - safeAsin(fEnd, fPeak)), m_bInstant(!(fDuration > 0.0f))
{
    RIR_TRACE("SCGrowBounce::SCGrowBounce");
    if (!m_bInstant)
        m_fOmega = (m_fEndAngle - m_fTheta0) / fDuration;
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCGrowBounce::~SCGrowBounce()
{
    RIR_TRACE("SCGrowBounce::~SCGrowBounce");
}

void SCGrowBounce::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCGrowBounce::onAttach");
    setScale(pSprite.get());
}

bool SCGrowBounce::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCGrowBounce::apply");
    setScale(pSprite.get());
    return m_pTimer->isDone();
}

void SCGrowBounce::setScale(Sprite* pSprite)
{
    RIR_TRACE("SCGrowBounce::setScale");
    // Without a duration the angular speed would be infinite: the controller shows its end.
    const float fAngle =
        m_bInstant ? m_fEndAngle : m_pTimer->getElapsed() * m_fOmega + m_fTheta0;
    pSprite->setScale(m_fPeak * (float)std::sin((double)fAngle));
}

// ---- growBounceAll -----------------------------------------------------------------------------

void growBounceAll(GameMode* pMode, const Point& centre, float fStart, float fPeak, float fEnd,
                   float fDuration)
{
    RIR_TRACE("growBounceAll");
    if (!pMode)
        return;
    const RIR::List<RIR::SmartPtr<Sprite>> lSprites = pMode->getSprites();
    for (int i = 0; i < lSprites.getLength(); ++i)
    {
        RIR::SmartPtr<Sprite> pSprite = lSprites.get(i);
        RIR::SmartPtr<Image> pImage = pSprite->getImage();
        if (!pImage)
            continue;
        // A private image object: re-anchoring changes its insertion point, which must not move
        // the other sprites that share the picture.
        pSprite->setImage(pImage->clone(false));
        pSprite->setPosPoint(centre, true);
        pSprite->addController(new SCGrowBounce(fStart, fPeak, fEnd, fDuration));
    }
}
