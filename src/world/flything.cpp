// FlyThing: the parabolic flight of one sprite (flything.h).
#include "world/flything.h"

#include "gfx/animsprite.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

FlyThing::FlyThing(const RIR::SmartPtr<Sprite>& pSprite, float fSpeed)
    : m_pSprite(pSprite), m_fT(0.0f), m_fSpeed(fSpeed), m_nCashValue(0), m_fDX(0.0f), m_fA(0.0f),
      m_fB(0.0f), m_nX0(0), m_nY0(0)
{
    RIR_ASSERT(pSprite);
}

FlyThing::~FlyThing()
{
}

void FlyThing::setPath(int nX0, int nY0, int nX1, int nY1, int nControlY)
{
    RIR_TRACE("FlyThing::setPath");
    m_nX0 = nX0;
    m_nY0 = nY0;
    m_fDX = (float)(nX1 - nX0);
    // Very nearly 3 x the rise to the control height; the divisor is kept as it has always been
    // so that flights land where they always did.
    m_fB = (float)((double)(nControlY - nY0) / 0.33333333333333337);
    m_fA = (float)(nY1 - nY0) - m_fB;
}

void FlyThing::update(float fDt)
{
    RIR_TRACE("FlyThing::update");
    m_fT += m_fSpeed * fDt;
    if (m_fT > 1.0f)
        return;
    const float fX = m_fT * m_fDX + (float)m_nX0;
    const float fY = m_fA * m_fT * m_fT + m_fB * m_fT + (float)m_nY0;
    m_pSprite->setPos((int)fX, (int)fY);
    if (AnimSprite* pAnim = dynamic_cast<AnimSprite*>(m_pSprite.get()))
        pAnim->update(fDt);
}
