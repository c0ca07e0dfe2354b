// The particle controllers: an emitter following its sprite, a particle handed to a mode.
#include "gfx/scparticles.h"

#include "app/gamemode.h"
#include "gfx/sprite.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

// ---- SCAttachEmitter ---------------------------------------------------------------------------

SCAttachEmitter::SCAttachEmitter(const char* pszDefinition, float fDuration, GameMode* pMode,
                                 int nZ)
    : m_bTimed(false), m_pMode(pMode)
{
    RIR_TRACE("SCAttachEmitter::SCAttachEmitter");
    m_pEmitter = new ParticleEmitter(pMode);
    RIR_TRACE_LINE();
    m_pEmitter->load(pszDefinition);
    init(fDuration, nZ);
}

SCAttachEmitter::SCAttachEmitter(RIR::SmartPtr<ParticleEmitter> pEmitter, float fDuration,
                                 GameMode* pMode, int nZ)
    : m_pEmitter(pEmitter), m_bTimed(false), m_pMode(pMode)
{
    RIR_TRACE("SCAttachEmitter::SCAttachEmitter");
    RIR_ASSERT(pEmitter);
    init(fDuration, nZ);
}

void SCAttachEmitter::init(float fDuration, int nZ)
{
    m_pEmitter->setZ(nZ + 1);
    if (fDuration > 0.0f)
    {
        m_pTimer->setFlags(TIMER_CLAMP);
        m_pTimer->setDuration(fDuration, true);
        m_bTimed = true;
    }
}

SCAttachEmitter::~SCAttachEmitter()
{
    RIR_TRACE("SCAttachEmitter::~SCAttachEmitter");
    m_pEmitter.release();
}

bool SCAttachEmitter::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCAttachEmitter::update");
    if (m_bTimed && m_pTimer->advance(fDt))
    {
        // The emitter is gone after the first end; a loop that runs this controller again finds
        // nothing to hand over.
        if (m_pEmitter)
        {
            RIR::List<RIR::SmartPtr<Particle>> lParticles = m_pEmitter->releaseParticles();
            if (m_pMode)
            {
                RIR_TRACE_LINE();
                m_pMode->addParticles(lParticles);
            }
            m_pEmitter.release();
        }
        return true;
    }
    if (m_pEmitter)
    {
        m_pEmitter->setPosition(pSprite->getPosPoint());
        RIR_TRACE_LINE();
        m_pEmitter->update(fDt);
    }
    return m_pTimer->isDone();
}

RIR::SmartPtr<ParticleEmitter> SCAttachEmitter::getEmitter()
{
    return m_pEmitter;
}

// ---- SCAttachParticle --------------------------------------------------------------------------

SCAttachParticle::SCAttachParticle(RIR::SmartPtr<Particle> pParticle, GameMode* pMode)
    : m_pParticle(pParticle), m_pMode(pMode)
{
    RIR_TRACE("SCAttachParticle::SCAttachParticle");
}

SCAttachParticle::~SCAttachParticle()
{
    RIR_TRACE("SCAttachParticle::~SCAttachParticle");
    m_pParticle.release();
}

bool SCAttachParticle::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SCAttachParticle::apply");
    RIR_ASSERT(m_pParticle);
    RIR_ASSERT(m_pMode);
    if (m_pParticle->getSprite())
        m_pParticle->setVisible(true);
    RIR_TRACE_LINE();
    m_pMode->addParticle(m_pParticle);
    return true;
}
