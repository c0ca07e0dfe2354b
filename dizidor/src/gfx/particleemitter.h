// ParticleEmitter: the description of a particle effect and the particles it has made.
//
// An emitter says where particles appear (a ring around its position or a rectangle centred on
// it), how many (a rate per second, a minimum kept alive, a maximum), and how each one lives:
// lifetime, fading in and out, scaling, turning, speed and acceleration, a delay before it
// starts, a colour over its life (palette) or a random tint. Every emission draws one set of
// values and makes one particle of each of its types with them (ParticleType). The emitter
// updates its particles and drops the dead ones; releaseParticles hands the live ones over (to a
// mode's free-particle list, see GameMode::addParticles) so that they outlive the emitter.
//
// Effects are written in particle definition files and loaded by name (load, in
// particledefinition.cpp). Each file is read once: its definition is kept in a process-wide cache
// until the application shuts down (destroyDefinitionCache).
//
// Nested emitters: a type of kind PK_EMITTER makes particles that are themselves emitters. An
// effect keeps at most MAX_NESTING_DEPTH levels of emitters (deeper types make nothing, so a
// definition that names itself cannot recurse without end), at most MAX_EFFECT_PARTICLES live
// particles over all its levels together, and makes at most that many in one step (see
// ParticleBudget).
//
// Usage:
//     RIR::SmartPtr<ParticleEmitter> pSmoke = new ParticleEmitter(pMode);
//     pSmoke->load("smoke.particles");   // raises on a bad or missing file
//     pSmoke->setPosition(400, 300);
//     pSmoke->update(fDt);               // every frame
//
// Random values come from one generator of the particle system (getRandom), seeded from the clock
// at start; tests seed it for repeatable runs. Main thread only.
#ifndef DIZIDOR_GFX_PARTICLEEMITTER_H
#define DIZIDOR_GFX_PARTICLEEMITTER_H

#include "gfx/animation.h"
#include "gfx/image.h"
#include "gfx/particlebudget.h"
#include "gfx/particle.h"
#include "gfx/particletype.h"
#include "gfx/point.h"

#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class GameMode;

// Where emitter shapes, speed and acceleration types and colour modes come from.
enum ParticleShape
{
    PS_RADIAL = 0,
    PS_RECT = 1
};

enum ParticleMotionType
{
    PMT_NONE = 0,
    PMT_RADIAL = 1,  // speed only: along the emission angle
    PMT_ABSOLUTE = 2
};

enum ParticleColorMode
{
    PCM_RANDOM_TINT = 0,
    PCM_PALETTE = 1
};

class ParticleEmitter : public RIR::RefCountedObject
{
public:
    // Levels of emitters in one effect: the emitter the program made is level 0; particles of a
    // level below this limit may carry nested emitters.
    static constexpr int MAX_NESTING_DEPTH = 4;
    // The live particles of one effect over all its levels.
    static constexpr int MAX_EFFECT_PARTICLES = ParticleBudget::MAX_LIVE;

    // An emitter with the defaults (rate 1 per second, at most 100 particles, a radial shape of
    // radius 0, lifetime 10000 s, nothing else). pMode receives the particles' sprites; a
    // definition emitter has none and must never emit.
    explicit ParticleEmitter(GameMode* pMode);
    // Releases the particles (those nobody else holds leave the mode), deletes the types.
    ~ParticleEmitter() override;

    ParticleEmitter(const ParticleEmitter&) = delete;
    ParticleEmitter& operator=(const ParticleEmitter&) = delete;

    virtual bool isVisible();
    // Stores the flag and shows or hides the sprite of every current particle. A particle still
    // waiting out its delay stays hidden until it starts, and then follows the flag.
    virtual void setVisible(bool bVisible);
    // Adds rate x dt to the emission credit, tops the particles up to the minimum, emits one
    // emission per whole credit while below the maximum, then updates every particle and drops
    // the dead ones.
    virtual void update(float fDt);

    // ---- types -----------------------------------------------------------------------------------

    void addImageType(RIR::SmartPtr<Image> pImage, int nZ);
    void addAnimationType(RIR::SmartPtr<Animation> pAnimation, bool bRandomFrame, int nZ);
    // Each particle of this type is a nested emitter loaded from the definition of that name.
    void addEmitterType(const char* pszDefinition, int nZ);
    // Deletes the type; a bad index raises the list's index error.
    void removeType(int nIndex);
    // A copy of the list; the records stay the emitter's.
    RIR::List<ParticleType*> getTypes() const;

    // ---- emission ----------------------------------------------------------------------------------

    // nCount emissions (-1: max particles), each making one particle per type with one set of
    // drawn values. An emitter without a mode raises AssertFailException "Assertion failed :
    // m_pMode" when it would make a particle. Returns how many particles were made.
    int emit(int nCount);
    // Hands over all particles, made absolute (a particle relative to this emitter gets its
    // position added and loses its parent); the emitter's list is emptied.
    RIR::List<RIR::SmartPtr<Particle>> releaseParticles();
    const RIR::List<RIR::SmartPtr<Particle>>& getParticles() const { return m_lParticles; }
    int getParticleCount() const { return m_lParticles.getLength(); }

    // ---- definition files (particledefinition.cpp) ---------------------------------------------

    // Fills this emitter from the definition file of that name. The first load of a name reads
    // the resource and applies its commands on top of what this emitter already holds, then
    // keeps a copy in the cache; every load (the first included) then copies the cached
    // definition (copyDefinition). Raises on a missing resource, picture or animation and on a
    // bad line (FatalErrorException or AssertFailException, with the file name and line number in
    // the message); nothing is cached for a file that fails.
    void load(const char* pszName);
    // Copies every field of the definition (position and z included) and a copy of each type;
    // not the mode, the particles or the visible flag. Null raises "Assertion failed : pSrc".
    void copyDefinition(ParticleEmitter* pSrc);
    // Deletes every cached definition and the cache. The application calls it when it shuts
    // down, before the drivers that made the cached pictures go; a later load starts a new cache.
    static void destroyDefinitionCache();
    // Whether the cache holds a definition of that name.
    static bool isDefinitionCached(const char* pszName);

    // Where the animations of "animation" and "randomframe" lines come from: the application's
    // animation cache (GameApp::getAnimationByName) by default. Tests and tools without an
    // application install their own; null restores the default.
    typedef RIR::SmartPtr<Animation> (*AnimationSource)(const char* pszName);
    static void setAnimationSource(AnimationSource pfnSource);

    // The particle system's random generator.
    static RIR::Random& getRandom();

    // ---- settings ----------------------------------------------------------------------------------

    void setEmissionRate(float fRate) { m_fEmissionRate = fRate; }
    float getEmissionRate() const { return m_fEmissionRate; }
    float getEmissionCredit() const { return m_fEmissionCredit; }
    void setMinParticles(int nCount) { m_nMinParticles = nCount; }
    int getMinParticles() const { return m_nMinParticles; }
    void setMaxParticles(int nCount) { m_nMaxParticles = nCount; }
    int getMaxParticles() const { return m_nMaxParticles; }
    void setShape(int nShape) { m_nShape = nShape; }
    int getShape() const { return m_nShape; }
    // Radial: the distance range, min <= max ("Assertion failed : m_fMinRadius <= m_fMaxRadius").
    // Rectangle: width and height, not compared. The values are stored before the check.
    void setRadiusRange(float fMin, float fMax);
    float getMinRadius() const { return m_fMinRadius; }
    float getMaxRadius() const { return m_fMaxRadius; }
    // Seconds; min <= max ("Assertion failed : m_fLifetimeMin <= m_fLifetimeMax").
    void setLifetimeRange(float fMin, float fMax);
    float getLifetimeMin() const { return m_fLifetimeMin; }
    float getLifetimeMax() const { return m_fLifetimeMax; }
    void setMaxAlpha(float fAlpha) { m_fMaxAlpha = fAlpha; }
    float getMaxAlpha() const { return m_fMaxAlpha; }
    // Fading in ends at the fraction fIn of the lifetime, fading out starts at fOut; both within
    // 0..1 (FatalErrorException "Expecting fractions"). Turns fading on.
    void setFadeFractions(float fIn, float fOut);
    bool isFadeOn() const { return m_bFadeOn; }
    float getFadeInFraction() const { return m_fFadeInFraction; }
    float getFadeOutFraction() const { return m_fFadeOutFraction; }
    // min <= max; each turns scaling on.
    void setStartScaleRange(float fMin, float fMax);
    void setEndScaleRange(float fMin, float fMax);
    bool isScaleOn() const { return m_bScaleOn; }
    // Whole degrees, stored as radians; min <= max.
    void setEmitAngleRange(int nMin, int nMax);
    float getEmitAngleMin() const { return m_fAngleMin; }
    float getEmitAngleMax() const { return m_fAngleMax; }
    // The emission angle range in whole degrees (truncated).
    int getEmitAngleMinDegrees() const;
    int getEmitAngleMaxDegrees() const;
    void setStartAngleRange(float fMin, float fMax);
    void setEndAngleRange(float fMin, float fMax);
    // Seconds before a particle starts; min <= max.
    void setDelayRange(float fMin, float fMax);
    float getMinDelay() const { return m_fMinDelay; }
    float getMaxDelay() const { return m_fMaxDelay; }
    void setSpeedType(int nType) { m_nSpeedType = nType; }
    int getSpeedType() const { return m_nSpeedType; }
    // Pixels per second; a speed type of none becomes absolute; min <= max on each axis.
    void setSpeedRange(float fXMin, float fXMax, float fYMin, float fYMax);
    void setAccelType(int nType) { m_nAccelType = nType; }
    int getAccelType() const { return m_nAccelType; }
    // Pixels per second squared; a type of none becomes absolute; min <= max on each axis.
    void setAccelRange(float fXMin, float fXMax, float fYMin, float fYMax);
    void setBlendMode(int nMode) { m_nBlendMode = nMode; }
    int getBlendMode() const { return m_nBlendMode; }
    // Live particles move with the emitter.
    void setRelativePosition(bool bRelative) { m_bRelativePosition = bRelative; }
    bool isRelativePosition() const { return m_bRelativePosition; }
    // Multiplies distances, sizes, speeds and accelerations at emission.
    void setEffectScale(float fScale) { m_fEffectScale = fScale; }
    float getEffectScale() const { return m_fEffectScale; }
    // The particles' colour runs along the picture's top row over their life.
    void setPalette(RIR::SmartPtr<Image> pImage);
    // Each particle gets the colour of a random pixel of the picture.
    void setRandomTint(RIR::SmartPtr<Image> pImage);
    RIR::SmartPtr<Image> getColorImage() const { return m_pColorImage; }
    int getColorMode() const { return m_nColorMode; }
    void setPosition(int nX, int nY);
    // Truncated toward zero (held within the int range).
    void setPosition(const Point& pos);
    Point getPosition() const;
    int getX() const { return m_nX; }
    int getY() const { return m_nY; }
    void setZ(int nZ) { m_nZ = nZ; }
    int getZ() const { return m_nZ; }
    GameMode* getMode() const { return m_pMode; }

    // The level of this emitter in its effect (0: made by the program).
    int getDepth() const { return m_nDepth; }
    // The limits of the effect, shared by every emitter nested in it.
    const ParticleBudget& getBudget() const { return *m_pBudget; }

private:
    // The nested emitter of a particle of this emitter: one level deeper, same effect.
    RIR::SmartPtr<ParticleEmitter> makeNested(const ParticleType& type);
    // One emission: returns how many particles it made.
    int emitOnce();
    // One particle of the type with the drawn values, appended to the particles.
    void makeParticle(const ParticleType& type, int nX, int nY, float fLife, float fFadeInEnd,
                      float fFadeOutStart, float fStartScale, float fEndScale, float fVX,
                      float fVY, float fAX, float fAY, float fDelay, float fStartAngle,
                      float fEndAngle);
    // Applies one line of a definition file.
    void applyDefinitionLine(RIR::List<RIR::String>& lTokens);

    RIR::List<ParticleType*> m_lTypes; // owned
    GameMode* m_pMode;                  // not owned
    RIR::List<RIR::SmartPtr<Particle>> m_lParticles;
    float m_fEmissionRate;
    float m_fEmissionCredit;
    int32_t m_nMinParticles;
    int32_t m_nMaxParticles;
    int32_t m_nShape;
    float m_fMinRadius, m_fMaxRadius;
    bool m_bScaleOn;
    float m_fScaleStartMin, m_fScaleStartMax;
    float m_fScaleEndMin, m_fScaleEndMax;
    float m_fAngleMin, m_fAngleMax;
    int32_t m_nSpeedType;
    float m_fSpeedXMin, m_fSpeedXMax, m_fSpeedYMin, m_fSpeedYMax;
    int32_t m_nAccelType;
    float m_fAccelXMin, m_fAccelXMax, m_fAccelYMin, m_fAccelYMax;
    float m_fStartAngleMin, m_fStartAngleMax;
    float m_fEndAngleMin, m_fEndAngleMax;
    float m_fMinDelay, m_fMaxDelay;
    int32_t m_nX, m_nY;
    int32_t m_nZ;
    float m_fLifetimeMin, m_fLifetimeMax;
    float m_fMaxAlpha;
    bool m_bFadeOn;
    float m_fFadeInFraction, m_fFadeOutFraction;
    bool m_bRelativePosition;
    float m_fEffectScale;
    int32_t m_nColorMode;
    RIR::SmartPtr<Image> m_pColorImage;
    int32_t m_nBlendMode;
    bool m_bVisible;
    int32_t m_nDepth;
    RIR::SmartPtr<ParticleBudget> m_pBudget;

    static AnimationSource s_pfnAnimationSource;
};

#endif
