// Sprite controllers that bring particles to a sprite: an emitter that follows the sprite, and a
// ready particle handed to a mode.
#ifndef DIZIDOR_GFX_SCPARTICLES_H
#define DIZIDOR_GFX_SCPARTICLES_H

#include "gfx/particle.h"
#include "gfx/particleemitter.h"
#include "gfx/spritecontroller.h"

class GameMode;

// Keeps an emitter at the sprite's position and updates it every frame. With a duration, when
// the time is up the emitter's live particles go to the mode's free particles (they live on
// there), the emitter is let go and the controller is done. Without one (duration 0 or less) it
// is done after its first update, and the emitter goes with its particles.
//
// Inside an SCLoop a finished controller runs again: with its emitter gone it only waits out its
// duration again.
class SCAttachEmitter : public SpriteController
{
public:
    // A new emitter for the mode, loaded from the definition of that name (raises what
    // ParticleEmitter::load raises); its z order becomes nZ + 1.
    SCAttachEmitter(const char* pszDefinition, float fDuration, GameMode* pMode, int nZ);
    // Takes the emitter given; its z order becomes nZ + 1.
    SCAttachEmitter(RIR::SmartPtr<ParticleEmitter> pEmitter, float fDuration, GameMode* pMode,
                    int nZ);
    ~SCAttachEmitter() override;

    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;

    // The emitter; null after a timed end.
    virtual RIR::SmartPtr<ParticleEmitter> getEmitter();

private:
    void init(float fDuration, int nZ);

    RIR::SmartPtr<ParticleEmitter> m_pEmitter;
    bool m_bTimed;
    GameMode* m_pMode; // not owned
};

// Shows the particle's sprite and hands the particle to the mode's free particles at its first
// update; done at once. The sprite it is attached to is not touched.
class SCAttachParticle : public SpriteController
{
public:
    SCAttachParticle(RIR::SmartPtr<Particle> pParticle, GameMode* pMode);
    ~SCAttachParticle() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    RIR::SmartPtr<Particle> m_pParticle;
    GameMode* m_pMode; // not owned
};

#endif
