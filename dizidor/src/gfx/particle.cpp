// Particle: the life of one particle, and the free-particle step of a mode. The emitter that makes
// particles is in particleemitter.cpp.
#include "gfx/particle.h"

#include "app/gamemode.h"
#include "gfx/particleemitter.h"
#include "gfx/particlemath.h"
#include "gfx/spriteowner.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cmath>

namespace
{

const float DEFAULT_LIFETIME = 86400.0f;
const float DEFAULT_MAX_SPEED = 100000.0f;

float clampAbs(float f, float fLimit)
{
    if (f > fLimit)
        return fLimit;
    if (f < -fLimit)
        return -fLimit;
    return f;
}

} // namespace

// ---- construction ------------------------------------------------------------------------------

void Particle::initDefaults()
{
    m_bKillOnLeaving = false;
    m_bScaleOn = false;
    m_fStartScale = 1.0f;
    m_fEndScale = 1.0f;
    m_fStartAngle = 0.0f;
    m_fEndAngle = 0.0f;
    m_bDieWithAnimation = true;
    m_bBounce = false;
    m_fLifetime = DEFAULT_LIFETIME;
    m_fAge = 0.0f;
    m_fMaxAlpha = 1.0f;
    m_bFadeOn = false;
    m_fFadeInEnd = 0.0f;
    m_fFadeOutStart = DEFAULT_LIFETIME;
    m_pParentEmitter = nullptr;
    m_fDelay = -1.0f;
    m_bRemoveSpriteOnDestroy = true;
    m_pMode = nullptr;
    m_fX = 0.0f;
    m_fY = 0.0f;
    m_fVX = 0.0f;
    m_fVY = 0.0f;
    m_fAX = 0.0f;
    m_fAY = 0.0f;
    m_fMaxSpeedX = DEFAULT_MAX_SPEED;
    m_fMaxSpeedY = DEFAULT_MAX_SPEED;
    m_bDead = false;
    m_nTag = 0;
    m_bShown = true;
}

Particle::Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<Animation> pAnimation, int nZ)
{
    RIR_TRACE("Particle::Particle");
    initDefaults();
    RIR_ASSERT(pMode);
    m_pMode = pMode;
    m_fX = (float)nX;
    m_fY = (float)nY;
    m_pAnimSprite = new AnimSprite(pAnimation, nX, nY, nZ);
    m_pSprite = m_pAnimSprite;
    m_pAnimSprite->play("default", 0.0f, -1);
    RIR_TRACE_LINE();
    pMode->addSprite(m_pSprite);
}

Particle::Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<Image> pImage, int nZ)
{
    RIR_TRACE("Particle::Particle");
    initDefaults();
    RIR_ASSERT(pMode);
    m_pMode = pMode;
    m_fX = (float)nX;
    m_fY = (float)nY;
    m_pSprite = new Sprite(pImage, nX, nY, nZ);
    RIR_TRACE_LINE();
    pMode->addSprite(m_pSprite);
}

Particle::Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<ParticleEmitter> pEmitter)
{
    RIR_TRACE("Particle::Particle");
    initDefaults();
    RIR_ASSERT(pEmitter);
    m_pMode = pMode;
    m_fX = (float)nX;
    m_fY = (float)nY;
    m_pSubEmitter = pEmitter;
    m_pSubEmitter->setPosition(nX, nY);
}

Particle::Particle(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("Particle::Particle");
    initDefaults();
    RIR_ASSERT(pSprite);
    m_pSprite = pSprite;
    m_pAnimSprite = RIR::dynamicCast<AnimSprite>(pSprite);
    m_pMode = pSprite->getMode();
    pSprite->getPosFloat(&m_fX, &m_fY);
}

Particle::~Particle()
{
    RIR_TRACE("Particle::~Particle");
    // A destructor must not raise: a sprite whose mode is gone (or was never set) has nothing to
    // leave.
    if (m_bRemoveSpriteOnDestroy && m_pSprite && m_pMode && m_pSprite->getMode() == m_pMode)
    {
        RIR_TRACE_LINE();
        m_pMode->removeObject(m_pSprite);
    }
    m_pSubEmitter.release();
    m_pAnimSprite.release();
    m_pSprite.release();
    m_pPalette.release();
}

// ---- settings ----------------------------------------------------------------------------------

void Particle::setPosition(const Point& pos)
{
    m_fX = pos.x;
    m_fY = pos.y;
}

void Particle::setPosition(float fX, float fY)
{
    m_fX = fX;
    m_fY = fY;
}

void Particle::getPosition(float* pfX, float* pfY)
{
    RIR_TRACE("Particle::getPosition");
    if (m_pSprite)
    {
        m_pSprite->getPosFloat(pfX, pfY);
        return;
    }
    const Point pos = m_pSubEmitter ? m_pSubEmitter->getPosition() : Point(m_fX, m_fY);
    *pfX = pos.x;
    *pfY = pos.y;
}

void Particle::setRotationRange(float fStart, float fEnd)
{
    m_fStartAngle = fStart;
    m_fEndAngle = fEnd;
}

void Particle::setScaleRange(float fStart, float fEnd)
{
    m_bScaleOn = true;
    m_fStartScale = fStart;
    m_fEndScale = fEnd;
}

void Particle::setKillRect(const Rect& rect)
{
    m_bKillOnLeaving = true;
    m_killRect = rect;
}

void Particle::setBounceRect(const Rect& rect)
{
    m_bBounce = true;
    m_bounceRect = rect;
}

void Particle::setMaxSpeed(float fX, float fY)
{
    m_fMaxSpeedX = fX;
    m_fMaxSpeedY = fY;
}

void Particle::setAcceleration(float fX, float fY)
{
    m_fAX = fX;
    m_fAY = fY;
}

void Particle::setVelocity(float fX, float fY)
{
    m_fVX = fX;
    m_fVY = fY;
}

void Particle::setDelay(float fDelay)
{
    RIR_TRACE("Particle::setDelay");
    m_fDelay = fDelay;
    // A waiting particle is not seen until it starts.
    if (m_pSprite && m_fDelay > 0.0f)
        m_pSprite->setVisible(false);
}

void Particle::setVisible(bool bVisible)
{
    RIR_TRACE("Particle::setVisible");
    m_bShown = bVisible;
    if (m_pSprite && !isWaiting())
        m_pSprite->setVisible(bVisible);
}

void Particle::setLifetime(float fLifetime)
{
    // "!(a >= b)" also catches a value that is not a number.
    m_fLifetime = !(fLifetime >= MIN_LIFETIME) ? MIN_LIFETIME : fLifetime;
}

void Particle::setFade(float fInEnd, float fOutStart)
{
    m_bFadeOn = true;
    m_fFadeInEnd = fInEnd;
    m_fFadeOutStart = fOutStart;
}

void Particle::setPalette(RIR::SmartPtr<Image> pPalette)
{
    m_pPalette = pPalette;
}

void Particle::setBlendMode(int nMode)
{
    RIR_TRACE("Particle::setBlendMode");
    if (m_pSprite)
        m_pSprite->setBlendMode(nMode);
    if (m_pSubEmitter)
        m_pSubEmitter->setBlendMode(nMode);
}

void Particle::setParentEmitter(ParticleEmitter* pEmitter)
{
    RIR_TRACE("Particle::setParentEmitter");
    if (m_pParentEmitter && !pEmitter)
    {
        m_fX += (float)m_pParentEmitter->getX();
        m_fY += (float)m_pParentEmitter->getY();
    }
    else if (pEmitter)
    {
        m_fX -= (float)pEmitter->getX();
        m_fY -= (float)pEmitter->getY();
    }
    m_pParentEmitter = pEmitter;
}

void Particle::getBounds(Rect& bounds)
{
    RIR_TRACE("Particle::getBounds");
    if (m_pSprite)
    {
        bounds = m_pSprite->getPhysicalBounds();
        return;
    }
    if (!m_pSubEmitter)
        RIR_ASSERT(false);
    const int nX = m_pSubEmitter->getX();
    const int nY = m_pSubEmitter->getY();
    bounds.set(nX - 1, nY - 1, nX + 1, nY + 1);
}

ParticleEmitter* Particle::getSubEmitter() const
{
    return m_pSubEmitter.get();
}

// ---- the step ----------------------------------------------------------------------------------

void Particle::update(float fDt)
{
    RIR_TRACE("Particle::update");
    if (m_bDead)
        return;
    if (m_fDelay > 0.0f)
    {
        m_fDelay -= fDt;
        if (m_fDelay > 0.0f)
            return;
        // Started: shown unless its emitter hides its particles; the step goes on with the whole
        // dt.
        if (m_pSprite)
            m_pSprite->setVisible(m_bShown);
    }

    const float fAgeBefore = m_fAge;
    m_fAge += fDt;
    if (m_fAge >= m_fLifetime)
    {
        m_bDead = true;
        m_fAge = m_fLifetime;
        fDt = m_fLifetime - fAgeBefore;
    }

    if (m_pAnimSprite)
    {
        RIR_TRACE_LINE();
        m_pAnimSprite->update(fDt);
        if (!m_pAnimSprite->isPlaying() && m_bDieWithAnimation)
            m_bDead = true;
    }
    if (m_pSubEmitter)
    {
        RIR_TRACE_LINE();
        m_pSubEmitter->update(fDt);
    }

    m_fVX = clampAbs(m_fVX + m_fAX * fDt, m_fMaxSpeedX);
    m_fVY = clampAbs(m_fVY + m_fAY * fDt, m_fMaxSpeedY);
    m_fX += m_fVX * fDt;
    m_fY += m_fVY * fDt;

    RIR_TRACE_LINE();
    place();
    RIR_TRACE_LINE();
    applyLook();
}

void Particle::place()
{
    RIR_TRACE("Particle::place");
    float fParentX = 0.0f;
    float fParentY = 0.0f;
    if (m_pParentEmitter)
    {
        fParentX = (float)m_pParentEmitter->getX();
        fParentY = (float)m_pParentEmitter->getY();
    }
    m_fX += fParentX;
    m_fY += fParentY;

    // Each side is corrected at most once per step: a particle larger than its bounce rectangle
    // would otherwise be pushed to and fro for ever.
    bool bLeftDone = false;
    bool bRightDone = false;
    bool bTopDone = false;
    bool bBottomDone = false;
    Rect bounds;
    bool bHaveBounds = false;
    for (;;)
    {
        if (m_pSprite)
            m_pSprite->setPosFloat(m_fX, m_fY);
        if (m_pSubEmitter)
            m_pSubEmitter->setPosition(Point(m_fX, m_fY));
        if (!m_bBounce && !m_bKillOnLeaving)
            break;
        getBounds(bounds);
        bHaveBounds = true;
        if (!m_bBounce)
            break;
        if (!bLeftDone && bounds.left < m_bounceRect.left)
        {
            bLeftDone = true;
            m_fX += (float)(m_bounceRect.left - bounds.left + 1);
            m_fVX = -m_fVX;
        }
        else if (!bRightDone && bounds.right > m_bounceRect.right)
        {
            bRightDone = true;
            m_fX += (float)(m_bounceRect.right - bounds.right - 1);
            m_fVX = -m_fVX;
        }
        else if (!bTopDone && bounds.top < m_bounceRect.top)
        {
            bTopDone = true;
            m_fY += (float)(m_bounceRect.top - bounds.top + 1);
            m_fVY = -m_fVY;
        }
        else if (!bBottomDone && bounds.bottom > m_bounceRect.bottom)
        {
            bBottomDone = true;
            m_fY += (float)(m_bounceRect.bottom - bounds.bottom - 1);
            m_fVY = -m_fVY;
        }
        else
            break;
    }
    if (m_bKillOnLeaving && bHaveBounds && !bounds.overlaps(m_killRect))
        m_bDead = true;

    m_fX -= fParentX;
    m_fY -= fParentY;
}

void Particle::applyLook()
{
    RIR_TRACE("Particle::applyLook");
    if (!m_pSprite)
        return;
    // The lifetime is at least MIN_LIFETIME (setLifetime), so t stays defined.
    const float fT = m_fAge / m_fLifetime;
    if (m_bScaleOn)
        m_pSprite->setScale((1.0f - fT) * m_fStartScale + fT * m_fEndScale);
    if (m_bFadeOn)
    {
        float fAlpha = m_fMaxAlpha;
        if (m_fFadeInEnd > m_fAge)
            fAlpha = m_fMaxAlpha * m_fAge / m_fFadeInEnd;
        else if (m_fAge > m_fFadeOutStart)
            fAlpha = m_fMaxAlpha *
                     (1.0f - (m_fAge - m_fFadeOutStart) / (m_fLifetime - m_fFadeOutStart));
        m_pSprite->setAlpha(fAlpha);
    }
    if (m_pPalette && m_pPalette->getWidth() > 0)
    {
        const int nWidth = m_pPalette->getWidth();
        int nColumn = truncToInt((float)nWidth * m_fAge / m_fLifetime);
        if (nColumn > nWidth - 1)
            nColumn = nWidth - 1;
        if (nColumn < 0)
            nColumn = 0;
        m_pSprite->setColor(m_pPalette->getPixelAt(nColumn, 0));
    }
    m_pSprite->setRotation(m_fStartAngle + (m_fEndAngle - m_fStartAngle) * fT);
}

// ---- the free-particle step --------------------------------------------------------------------

void updateParticles(RIR::List<RIR::SmartPtr<Particle>>& lParticles, float fDt)
{
    RIR_TRACE("updateParticles");
    // The whole pass is one step of the effects whose emitters run in it.
    const ParticleStep step;
    // Particles appended during the pass (a dead nested emitter's) are updated in it as well.
    for (int i = 0; i < lParticles.getLength();)
    {
        RIR::SmartPtr<Particle> pParticle = lParticles.get(i);
        RIR_TRACE_LINE();
        pParticle->update(fDt);
        if (!pParticle->isDead())
        {
            ++i;
            continue;
        }
        ParticleEmitter* pNested = pParticle->getSubEmitter();
        if (pNested)
        {
            RIR::List<RIR::SmartPtr<Particle>> lOrphans = pNested->releaseParticles();
            for (int j = 0; j < lOrphans.getLength(); ++j)
                lParticles.append(lOrphans.get(j));
        }
        lParticles.removeAt(i);
    }
}
