// ParticleType: one kind of particle an emitter makes.
//
// A plain record owned by its ParticleEmitter: a still picture, an animation (played, or one
// random frame of it per particle), or a nested emitter loaded from a particle definition file.
// An emitter makes one particle of every type it holds per emission, in the order of its types.
#ifndef DIZIDOR_GFX_PARTICLETYPE_H
#define DIZIDOR_GFX_PARTICLETYPE_H

#include "gfx/animation.h"
#include "gfx/image.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

// The kinds of particle.
enum ParticleKind
{
    PK_IMAGE = 0,     // a sprite showing m_pImage
    PK_ANIMATION = 1, // an animated sprite playing m_pAnimation (or one random frame of it)
    PK_EMITTER = 2    // a nested emitter loaded from the definition m_sEmitterName
};

struct ParticleType
{
    int m_nKind = PK_IMAGE;
    // Added to the emitter's z for the particle's sprite or nested emitter.
    int m_nZ = 0;
    RIR::SmartPtr<Animation> m_pAnimation;
    // PK_ANIMATION: each particle shows one random frame picture instead of playing.
    bool m_bRandomFrame = false;
    // With m_bRandomFrame: the animation's distinct pictures, gathered once when the type is
    // added rather than for every particle.
    RIR::List<RIR::SmartPtr<Image>> m_lFrameImages;
    RIR::SmartPtr<Image> m_pImage;
    RIR::String m_sEmitterName;
};

#endif
