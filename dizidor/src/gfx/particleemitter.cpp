// ParticleEmitter: settings, emission, the emitter's step, visibility and hand-over. Definition
// files and their cache are in particledefinition.cpp; the particle itself in particle.cpp.
#include "gfx/particleemitter.h"

#include "app/gamemode.h"
#include "gfx/particlemath.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cmath>

namespace
{

const double PI = 3.14159265358979323846;

float drawReal(float fMin, float fMax)
{
    return (float)ParticleEmitter::getRandom().rangeReal(fMin, fMax);
}

} // namespace

RIR::Random& ParticleEmitter::getRandom()
{
    static RIR::Random s_random;
    return s_random;
}

// ---- life --------------------------------------------------------------------------------------

ParticleEmitter::ParticleEmitter(GameMode* pMode)
    : m_pMode(pMode), m_fEmissionRate(1.0f), m_fEmissionCredit(0.0f), m_nMinParticles(0),
      m_nMaxParticles(100), m_nShape(PS_RADIAL), m_fMinRadius(0.0f), m_fMaxRadius(0.0f),
      m_bScaleOn(false), m_fScaleStartMin(1.0f), m_fScaleStartMax(1.0f), m_fScaleEndMin(1.0f),
      m_fScaleEndMax(1.0f), m_fAngleMin(0.0f), m_fAngleMax(6.2831855f), m_nSpeedType(PMT_NONE),
      m_fSpeedXMin(0.0f), m_fSpeedXMax(0.0f), m_fSpeedYMin(0.0f), m_fSpeedYMax(0.0f),
      m_nAccelType(PMT_NONE), m_fAccelXMin(0.0f), m_fAccelXMax(0.0f), m_fAccelYMin(0.0f),
      m_fAccelYMax(0.0f), m_fStartAngleMin(0.0f), m_fStartAngleMax(0.0f), m_fEndAngleMin(0.0f),
      m_fEndAngleMax(0.0f), m_fMinDelay(0.0f), m_fMaxDelay(0.0f), m_nX(0), m_nY(0), m_nZ(0),
      m_fLifetimeMin(10000.0f), m_fLifetimeMax(10000.0f), m_fMaxAlpha(1.0f), m_bFadeOn(false),
      m_fFadeInFraction(0.0f), m_fFadeOutFraction(1.0f), m_bRelativePosition(false),
      m_fEffectScale(1.0f), m_nColorMode(PCM_PALETTE), m_nBlendMode(0), m_bVisible(true),
      m_nDepth(0), m_pBudget(new ParticleBudget())
{
    RIR_TRACE("ParticleEmitter::ParticleEmitter");
}

ParticleEmitter::~ParticleEmitter()
{
    RIR_TRACE("ParticleEmitter::~ParticleEmitter");
    // Particles nobody else holds go now, and their sprites leave the mode.
    releaseParticles();
    m_lTypes.clearAndDelete();
    m_pColorImage.release();
}

// ---- visibility and the step -------------------------------------------------------------------

bool ParticleEmitter::isVisible()
{
    return m_bVisible;
}

void ParticleEmitter::setVisible(bool bVisible)
{
    RIR_TRACE("ParticleEmitter::setVisible");
    m_bVisible = bVisible;
    for (int i = 0; i < m_lParticles.getLength(); ++i)
    {
        const RIR::SmartPtr<Particle>& pParticle = m_lParticles.get(i);
        pParticle->setVisible(bVisible);
        // A nested emitter's particles belong to the same effect: they follow the flag too.
        if (pParticle->getSubEmitter())
            pParticle->getSubEmitter()->setVisible(bVisible);
    }
}

void ParticleEmitter::update(float fDt)
{
    RIR_TRACE("ParticleEmitter::update");
    const ParticleStep step;
    m_fEmissionCredit += m_fEmissionRate * fDt;
    // An emission that makes nothing (no types, nesting too deep, the effect full) ends each
    // loop, so that neither waits for a count it cannot reach.
    while (m_lParticles.getLength() < m_nMinParticles)
    {
        RIR_TRACE_LINE();
        if (emit(1) == 0)
            break;
    }
    while (m_fEmissionCredit >= 1.0f && m_lParticles.getLength() < m_nMaxParticles)
    {
        m_fEmissionCredit -= 1.0f;
        RIR_TRACE_LINE();
        if (emit(1) == 0)
            break;
    }

    typedef RIR::List<RIR::SmartPtr<Particle>>::Node Node;
    Node* pNode = m_lParticles.isEmpty() ? nullptr : m_lParticles.nodeAt(0);
    while (pNode)
    {
        Node* pNext = pNode->m_pNext;
        RIR::SmartPtr<Particle> pParticle = pNode->m_value;
        RIR_TRACE_LINE();
        pParticle->update(fDt);
        if (pParticle->isDead())
        {
            m_lParticles.removeNode(pNode);
            m_pBudget->release();
        }
        pNode = pNext;
    }
}

RIR::List<RIR::SmartPtr<Particle>> ParticleEmitter::releaseParticles()
{
    RIR_TRACE("ParticleEmitter::releaseParticles");
    RIR::List<RIR::SmartPtr<Particle>> lReleased;
    while (!m_lParticles.isEmpty())
    {
        RIR::SmartPtr<Particle> pParticle = m_lParticles.takeFirst();
        m_pBudget->release();
        if (pParticle->getParentEmitter())
            pParticle->setParentEmitter(nullptr);
        lReleased.append(pParticle);
    }
    return lReleased;
}

// ---- types -------------------------------------------------------------------------------------

void ParticleEmitter::addImageType(RIR::SmartPtr<Image> pImage, int nZ)
{
    RIR_TRACE("ParticleEmitter::addImageType");
    ParticleType* pType = new ParticleType();
    pType->m_nKind = PK_IMAGE;
    pType->m_pImage = pImage;
    pType->m_nZ = nZ;
    m_lTypes.append(pType);
}

void ParticleEmitter::addAnimationType(RIR::SmartPtr<Animation> pAnimation, bool bRandomFrame,
                                       int nZ)
{
    RIR_TRACE("ParticleEmitter::addAnimationType");
    ParticleType* pType = new ParticleType();
    pType->m_nKind = PK_ANIMATION;
    pType->m_pAnimation = pAnimation;
    pType->m_bRandomFrame = bRandomFrame;
    if (pAnimation && bRandomFrame)
        pType->m_lFrameImages = pAnimation->getAllImages();
    pType->m_nZ = nZ;
    m_lTypes.append(pType);
}

void ParticleEmitter::addEmitterType(const char* pszDefinition, int nZ)
{
    RIR_TRACE("ParticleEmitter::addEmitterType");
    RIR_ASSERT(pszDefinition);
    ParticleType* pType = new ParticleType();
    pType->m_nKind = PK_EMITTER;
    pType->m_sEmitterName = pszDefinition;
    pType->m_nZ = nZ;
    m_lTypes.append(pType);
}

void ParticleEmitter::removeType(int nIndex)
{
    RIR_TRACE("ParticleEmitter::removeType");
    delete m_lTypes.removeAt(nIndex);
}

RIR::List<ParticleType*> ParticleEmitter::getTypes() const
{
    return m_lTypes;
}

// ---- emission ----------------------------------------------------------------------------------

int ParticleEmitter::emit(int nCount)
{
    RIR_TRACE("ParticleEmitter::emit");
    const ParticleStep step;
    if (nCount == -1)
        nCount = m_nMaxParticles;
    int nMade = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (m_pBudget->isFull())
            break;
        RIR_TRACE_LINE();
        nMade += emitOnce();
    }
    return nMade;
}

RIR::SmartPtr<ParticleEmitter> ParticleEmitter::makeNested(const ParticleType& type)
{
    RIR_TRACE("ParticleEmitter::makeNested");
    RIR::SmartPtr<ParticleEmitter> pNested = new ParticleEmitter(m_pMode);
    pNested->m_nDepth = m_nDepth + 1;
    pNested->m_pBudget = m_pBudget;
    pNested->m_bVisible = m_bVisible;
    RIR_TRACE_LINE();
    pNested->load(type.m_sEmitterName.c_str());
    pNested->setZ(type.m_nZ + m_nZ);
    return pNested;
}

int ParticleEmitter::emitOnce()
{
    RIR_TRACE("ParticleEmitter::emitOnce");
    const float fScale = m_fEffectScale;
    float fX;
    float fY;
    float fAngle;
    if (m_nShape == PS_RECT)
    {
        fX = drawReal(-m_fMinRadius / 2.0f, m_fMinRadius / 2.0f) * fScale + (float)m_nX;
        fY = drawReal(-m_fMaxRadius / 2.0f, m_fMaxRadius / 2.0f) * fScale + (float)m_nY;
        fAngle = 0.0f;
    }
    else
    {
        fAngle = drawReal(m_fAngleMin, m_fAngleMax);
        const float fDistance = drawReal(m_fMinRadius, m_fMaxRadius) * fScale;
        fX = std::cos(fAngle) * fDistance + (float)m_nX;
        fY = std::sin(fAngle) * fDistance + (float)m_nY;
    }
    const float fLife = drawReal(m_fLifetimeMin, m_fLifetimeMax);
    float fFadeInEnd = 0.0f;
    float fFadeOutStart = 0.0f;
    if (m_bFadeOn)
    {
        fFadeInEnd = fLife * m_fFadeInFraction;
        fFadeOutStart = fLife * m_fFadeOutFraction;
    }
    float fStartScale = 1.0f;
    float fEndScale = 1.0f;
    if (m_bScaleOn)
    {
        fStartScale = drawReal(m_fScaleStartMin, m_fScaleStartMax) * fScale;
        fEndScale = drawReal(m_fScaleEndMin, m_fScaleEndMax) * fScale;
    }
    float fVX = 0.0f;
    float fVY = 0.0f;
    if (m_nSpeedType == PMT_RADIAL)
    {
        fVX = drawReal(m_fSpeedXMin, m_fSpeedXMax) * std::cos(fAngle) * fScale;
        fVY = drawReal(m_fSpeedYMin, m_fSpeedYMax) * std::sin(fAngle) * fScale;
    }
    else if (m_nSpeedType == PMT_ABSOLUTE)
    {
        fVX = drawReal(m_fSpeedXMin, m_fSpeedXMax) * fScale;
        fVY = drawReal(m_fSpeedYMin, m_fSpeedYMax) * fScale;
    }
    float fAX = 0.0f;
    float fAY = 0.0f;
    if (m_nAccelType == PMT_ABSOLUTE)
    {
        fAX = drawReal(m_fAccelXMin, m_fAccelXMax) * fScale;
        fAY = drawReal(m_fAccelYMin, m_fAccelYMax) * fScale;
    }
    const float fDelay = drawReal(m_fMinDelay, m_fMaxDelay);
    const float fStartAngle = drawReal(m_fStartAngleMin, m_fStartAngleMax);
    const float fEndAngle = drawReal(m_fEndAngleMin, m_fEndAngleMax);

    const int nX = truncToInt(fX);
    const int nY = truncToInt(fY);
    int nMade = 0;
    for (int i = 0; i < m_lTypes.getLength(); ++i)
    {
        const ParticleType& type = *m_lTypes.get(i);
        // The deepest level of an effect makes no nested emitters: a definition that names
        // itself, directly or through others, ends there.
        if (type.m_nKind == PK_EMITTER && m_nDepth + 1 >= MAX_NESTING_DEPTH)
            continue;
        // The place in the effect's budget is taken before the particle is made: a nested
        // emitter fills its own particles while it is being made.
        if (!m_pBudget->take())
            break;
        try
        {
            makeParticle(type, nX, nY, fLife, fFadeInEnd, fFadeOutStart, fStartScale, fEndScale,
                         fVX, fVY, fAX, fAY, fDelay, fStartAngle, fEndAngle);
        }
        catch (...)
        {
            m_pBudget->untake();
            throw;
        }
        ++nMade;
    }
    return nMade;
}

void ParticleEmitter::makeParticle(const ParticleType& type, int nX, int nY, float fLife,
                                   float fFadeInEnd, float fFadeOutStart, float fStartScale,
                                   float fEndScale, float fVX, float fVY, float fAX, float fAY,
                                   float fDelay, float fStartAngle, float fEndAngle)
{
    RIR_TRACE("ParticleEmitter::makeParticle");
    {
        RIR::SmartPtr<Particle> pParticle;
        if (type.m_nKind == PK_EMITTER)
        {
            RIR_ASSERT(m_pMode);
            RIR_TRACE_LINE();
            pParticle = new Particle(m_pMode, nX, nY, makeNested(type));
        }
        else
        {
            RIR_ASSERT(m_pMode);
            RIR::SmartPtr<Image> pImage;
            if (type.m_nKind == PK_ANIMATION && type.m_pAnimation && type.m_bRandomFrame)
                pImage = RIR::randomElement(type.m_lFrameImages);
            else if (type.m_nKind == PK_IMAGE)
                pImage = type.m_pImage;
            RIR_TRACE_LINE();
            if (pImage)
                pParticle = new Particle(m_pMode, nX, nY, pImage, type.m_nZ + m_nZ);
            else
                pParticle = new Particle(m_pMode, nX, nY, type.m_pAnimation, type.m_nZ + m_nZ);
            pParticle->setBlendMode(m_nBlendMode);
        }
        if (m_bRelativePosition)
            pParticle->setParentEmitter(this);
        pParticle->setLifetime(fLife);
        pParticle->setMaxAlpha(m_fMaxAlpha);
        if (m_bFadeOn)
            pParticle->setFade(fFadeInEnd, fFadeOutStart);
        if (m_bScaleOn)
            pParticle->setScaleRange(fStartScale, fEndScale);
        if (m_nSpeedType != PMT_NONE)
            pParticle->setVelocity(fVX, fVY);
        if (m_nAccelType != PMT_NONE)
            pParticle->setAcceleration(fAX, fAY);
        RIR::SmartPtr<Sprite> pSprite = pParticle->getSprite();
        if (m_pColorImage && pSprite)
        {
            if (m_nColorMode == PCM_PALETTE)
                pParticle->setPalette(m_pColorImage);
            else if (m_pColorImage->getWidth() > 0 && m_pColorImage->getHeight() > 0)
            {
                const int nRow = getRandom().range(0, m_pColorImage->getHeight() - 1);
                const int nColumn = getRandom().range(0, m_pColorImage->getWidth() - 1);
                pSprite->setColor(m_pColorImage->getPixelAt(nColumn, nRow));
            }
        }
        pParticle->setRotationRange(fStartAngle, fEndAngle);
        pParticle->setDelay(fDelay);
        RIR_TRACE_LINE();
        pParticle->update(0.0f);
        m_lParticles.append(pParticle);
        pParticle->setVisible(m_bVisible);
    }
}

// ---- settings with checks ----------------------------------------------------------------------

void ParticleEmitter::setRadiusRange(float fMin, float fMax)
{
    RIR_TRACE("ParticleEmitter::setRadiusRange");
    m_fMinRadius = fMin;
    m_fMaxRadius = fMax;
    if (m_nShape == PS_RADIAL)
        RIR_ASSERT(m_fMinRadius <= m_fMaxRadius);
}

void ParticleEmitter::setLifetimeRange(float fMin, float fMax)
{
    RIR_TRACE("ParticleEmitter::setLifetimeRange");
    m_fLifetimeMin = fMin;
    m_fLifetimeMax = fMax;
    RIR_ASSERT(m_fLifetimeMin <= m_fLifetimeMax);
}

void ParticleEmitter::setFadeFractions(float fIn, float fOut)
{
    RIR_TRACE("ParticleEmitter::setFadeFractions");
    m_fFadeInFraction = fIn;
    m_fFadeOutFraction = fOut;
    m_bFadeOn = true;
    if (!(fIn >= 0.0f && fIn <= 1.0f && fOut >= 0.0f && fOut <= 1.0f))
        RIR_THROW(FatalErrorException, "Expecting fractions");
}

void ParticleEmitter::setStartScaleRange(float fMin, float fMax)
{
    RIR_TRACE("ParticleEmitter::setStartScaleRange");
    m_fScaleStartMin = fMin;
    m_fScaleStartMax = fMax;
    m_bScaleOn = true;
    RIR_ASSERT(m_fScaleStartMin <= m_fScaleStartMax);
}

void ParticleEmitter::setEndScaleRange(float fMin, float fMax)
{
    RIR_TRACE("ParticleEmitter::setEndScaleRange");
    m_fScaleEndMin = fMin;
    m_fScaleEndMax = fMax;
    m_bScaleOn = true;
    RIR_ASSERT(m_fScaleEndMin <= m_fScaleEndMax);
}

void ParticleEmitter::setEmitAngleRange(int nMin, int nMax)
{
    RIR_TRACE("ParticleEmitter::setEmitAngleRange");
    m_fAngleMin = (float)((double)nMin * PI / 180.0);
    m_fAngleMax = (float)((double)nMax * PI / 180.0);
    RIR_ASSERT(m_fAngleMin <= m_fAngleMax);
}

int ParticleEmitter::getEmitAngleMinDegrees() const
{
    return truncToInt((float)((double)m_fAngleMin * 180.0 / PI));
}

int ParticleEmitter::getEmitAngleMaxDegrees() const
{
    return truncToInt((float)((double)m_fAngleMax * 180.0 / PI));
}

void ParticleEmitter::setStartAngleRange(float fMin, float fMax)
{
    m_fStartAngleMin = fMin;
    m_fStartAngleMax = fMax;
}

void ParticleEmitter::setEndAngleRange(float fMin, float fMax)
{
    m_fEndAngleMin = fMin;
    m_fEndAngleMax = fMax;
}

void ParticleEmitter::setDelayRange(float fMin, float fMax)
{
    RIR_TRACE("ParticleEmitter::setDelayRange");
    m_fMinDelay = fMin;
    m_fMaxDelay = fMax;
    RIR_ASSERT(m_fMinDelay <= m_fMaxDelay);
}

void ParticleEmitter::setSpeedRange(float fXMin, float fXMax, float fYMin, float fYMax)
{
    RIR_TRACE("ParticleEmitter::setSpeedRange");
    if (m_nSpeedType == PMT_NONE)
        m_nSpeedType = PMT_ABSOLUTE;
    m_fSpeedXMin = fXMin;
    m_fSpeedXMax = fXMax;
    m_fSpeedYMin = fYMin;
    m_fSpeedYMax = fYMax;
    RIR_ASSERT(m_fSpeedXMin <= m_fSpeedXMax);
    RIR_ASSERT(m_fSpeedYMin <= m_fSpeedYMax);
}

void ParticleEmitter::setAccelRange(float fXMin, float fXMax, float fYMin, float fYMax)
{
    RIR_TRACE("ParticleEmitter::setAccelRange");
    if (m_nAccelType == PMT_NONE)
        m_nAccelType = PMT_ABSOLUTE;
    m_fAccelXMin = fXMin;
    m_fAccelXMax = fXMax;
    m_fAccelYMin = fYMin;
    m_fAccelYMax = fYMax;
    RIR_ASSERT(m_fAccelXMin <= m_fAccelXMax);
    RIR_ASSERT(m_fAccelYMin <= m_fAccelYMax);
}

void ParticleEmitter::setPalette(RIR::SmartPtr<Image> pImage)
{
    m_pColorImage = pImage;
    m_nColorMode = PCM_PALETTE;
}

void ParticleEmitter::setRandomTint(RIR::SmartPtr<Image> pImage)
{
    m_pColorImage = pImage;
    m_nColorMode = PCM_RANDOM_TINT;
}

void ParticleEmitter::setPosition(int nX, int nY)
{
    m_nX = nX;
    m_nY = nY;
}

void ParticleEmitter::setPosition(const Point& pos)
{
    m_nX = truncToInt(pos.x);
    m_nY = truncToInt(pos.y);
}

Point ParticleEmitter::getPosition() const
{
    return Point((float)m_nX, (float)m_nY);
}
