// GameMode: the free particles of a mode, which the frame step updates after the controllers.
#include "app/gamemode.h"

#include "gfx/particle.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

void GameMode::addParticle(RIR::SmartPtr<Particle> pParticle)
{
    RIR_TRACE("GameMode::addParticle");
    getParticles().append(pParticle);
}

void GameMode::addParticles(const RIR::List<RIR::SmartPtr<Particle>>& lParticles)
{
    RIR_TRACE("GameMode::addParticles");
    getParticles().appendAll(lParticles);
}

RIR::List<RIR::SmartPtr<Particle>>& GameMode::getParticles()
{
    if (!m_plParticles)
        m_plParticles = new RIR::List<RIR::SmartPtr<Particle>>();
    return *m_plParticles;
}

void GameMode::advanceParticles(float fDt)
{
    RIR_TRACE("GameMode::advanceParticles");
    if (m_plParticles)
        updateParticles(*m_plParticles, fDt);
}

void GameMode::clearParticles()
{
    RIR_TRACE("GameMode::clearParticles");
    // The list goes first, so that a particle's sprite leaving the mode meets no half-cleared
    // list.
    RIR::List<RIR::SmartPtr<Particle>>* plParticles = m_plParticles;
    m_plParticles = nullptr;
    delete plParticles;
}
