// The crowd murmur's loudness (level/crowdmurmur.h).
#include "level/crowdmurmur.h"

namespace
{
const float RAMP_PER_SECOND = 0.1f;
const float RETARGET_SECONDS = 5.0f;
} // namespace

CrowdMurmur::CrowdMurmur() : m_fTimer(-1.0f), m_fVolume(0.0f), m_fTarget(0.0f) {}

float CrowdMurmur::targetFor(int nTakenChairs)
{
    if (nTakenChairs <= 1)
        return 0.0f;
    if (nTakenChairs > 10)
        nTakenChairs = 10;
    return (float)nTakenChairs / 10.0f;
}

bool CrowdMurmur::update(float fDt, int nTakenChairs)
{
    m_fTimer -= fDt;
    if (m_fTimer < 0.0f)
    {
        m_fTarget = targetFor(nTakenChairs);
        m_fTimer = RETARGET_SECONDS;
        return false;
    }
    const float fStep = RAMP_PER_SECOND * fDt;
    const float fOld = m_fVolume;
    if (m_fVolume < m_fTarget)
        m_fVolume = m_fVolume + fStep < m_fTarget ? m_fVolume + fStep : m_fTarget;
    else if (m_fVolume > m_fTarget)
        m_fVolume = m_fVolume - fStep > m_fTarget ? m_fVolume - fStep : m_fTarget;
    return m_fVolume != fOld;
}
