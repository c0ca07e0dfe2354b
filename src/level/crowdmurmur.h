// CrowdMurmur: how loud the crowd's murmur is, following the taken chairs.
//
// Every five seconds the target loudness is chosen again from the number of taken chairs n (at
// most 10): silent for 0 or 1, else n / 10. In between, the loudness moves towards the target by
// at most 0.1 per second, never past it, so silence to full takes ten seconds. The play mode owns
// the looping sample and sets its volume whenever update reports a change.
//
// Usage (every frame):
//     if (m_murmur.update(fDt, m_pScene->getTakenChairs()))
//         m_pMurmurSample->setVolume(m_murmur.getVolume());
#ifndef DBD_LEVEL_CROWDMURMUR_H
#define DBD_LEVEL_CROWDMURMUR_H

class CrowdMurmur
{
public:
    // Silent, target 0, and a new target due at the first update.
    CrowdMurmur();

    // The target loudness for n taken chairs: 0 for n <= 1, else min(n, 10) / 10.
    static float targetFor(int nTakenChairs);

    // One frame: the timer runs down by dt; while it is not below 0 the loudness moves towards
    // the target, else the target is chosen from nTakenChairs and the timer restarts at 5 s.
    // True when the loudness changed.
    bool update(float fDt, int nTakenChairs);

    float getVolume() const { return m_fVolume; }
    float getTarget() const { return m_fTarget; }
    float getTimer() const { return m_fTimer; }

private:
    float m_fTimer;
    float m_fVolume;
    float m_fTarget;
};

#endif
