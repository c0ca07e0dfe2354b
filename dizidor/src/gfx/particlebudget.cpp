// ParticleBudget and ParticleStep: places of an effect's particles, and steps that bound how many
// it makes at a time.
#include "gfx/particlebudget.h"

namespace
{

int s_nStepDepth = 0;
uint32_t s_nStep = 0;

} // namespace

bool ParticleBudget::isFull() const
{
    return m_nLive >= MAX_LIVE || getMadeInStep() >= MAX_MADE_PER_STEP;
}

bool ParticleBudget::take()
{
    if (m_nStep != s_nStep)
    {
        m_nStep = s_nStep;
        m_nMadeInStep = 0;
    }
    if (isFull())
        return false;
    ++m_nLive;
    ++m_nMadeInStep;
    return true;
}

void ParticleBudget::untake()
{
    --m_nLive;
    if (m_nStep == s_nStep)
        --m_nMadeInStep;
}

int ParticleBudget::getMadeInStep() const
{
    return m_nStep == s_nStep ? m_nMadeInStep : 0;
}

ParticleStep::ParticleStep()
{
    if (s_nStepDepth++ == 0)
        ++s_nStep;
}

ParticleStep::~ParticleStep()
{
    --s_nStepDepth;
}

uint32_t ParticleStep::current()
{
    return s_nStep;
}
