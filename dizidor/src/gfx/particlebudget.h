// ParticleBudget and ParticleStep: the limits one particle effect keeps over all its levels of
// nested emitters.
//
// An effect (an emitter the program made, with every emitter nested in its particles, handed over
// or not) shares one budget. A particle takes a place in it when it is made and gives it back when
// it dies or is handed over. Two limits hold:
// - at most MAX_LIVE particles live at once;
// - at most MAX_MADE_PER_STEP particles made in one step. Live particles alone do not bound the
//   work: a nested emitter whose particles live shorter than the step makes and loses them within
//   that step, one level below makes as many for each of those, and so on, so that the work would
//   grow as the emission rate to the power of the nesting depth while few particles stay alive.
//
// A step is the outermost of nested ParticleStep scopes: the emitter's update and emission, and
// the pass over a mode's free particles, each open one, so that everything an effect does within
// one of those calls counts as one step, however deep the emitters that run inside it.
//
// Main thread only (the step counter is process-wide).
#ifndef DIZIDOR_GFX_PARTICLEBUDGET_H
#define DIZIDOR_GFX_PARTICLEBUDGET_H

#include "rir2/refcount.h"

#include <cstdint>

class ParticleBudget : public RIR::RefCountedObject
{
public:
    static constexpr int MAX_LIVE = 10000;
    static constexpr int MAX_MADE_PER_STEP = 10000;

    // Whether take would fail now.
    bool isFull() const;
    // Takes a place for a particle about to be made; false, taking nothing, when the effect is at
    // either limit.
    bool take();
    // Gives back the place of a particle that was not made after all (take, then a failure): it
    // counts neither as live nor as made.
    void untake();
    // A live particle died or was handed over.
    void release() { --m_nLive; }

    int getLive() const { return m_nLive; }
    int getMadeInStep() const;

private:
    int32_t m_nLive = 0;
    int32_t m_nMadeInStep = 0;
    // The step m_nMadeInStep counts (ParticleStep::current() when it was last counted).
    uint32_t m_nStep = 0;
};

class ParticleStep
{
public:
    // The outermost scope begins a new step.
    ParticleStep();
    ~ParticleStep();

    ParticleStep(const ParticleStep&) = delete;
    ParticleStep& operator=(const ParticleStep&) = delete;

    // The number of the current (or last) step; 0 before the first.
    static uint32_t current();
};

#endif
