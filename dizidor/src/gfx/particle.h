// Particle: one short-lived thing that flies, fades, scales, turns and changes colour.
//
// A particle drives one sprite (a still picture, an animated sprite, or a sprite it was given) or
// carries a nested emitter. Its owner updates it every frame with the frame time: an emitter
// updates its own particles, a mode its free particles (updateParticles). It may first wait out a
// delay (hidden), then lives until its age reaches its lifetime, its animation stops (when it dies
// with its animation), it leaves its kill rectangle, or it is killed; the owner then drops it.
// Destroying it takes its sprite out of the mode and deletes its nested emitter.
//
// Position: x, y in mode coordinates, or relative to a parent emitter when it has one (the
// particle then moves with the emitter). Velocity is integrated with the new velocity after the
// acceleration is applied, and limited per axis.
//
// Usage:
//     RIR::SmartPtr<Particle> p = new Particle(pMode, 100, 200, pSparkImage, 5);
//     p->setVelocity(0, -40);
//     p->setLifetime(1.5f);
//     p->setFade(0.2f, 1.0f);
//     pMode->addParticle(p);             // the mode updates it and drops it when it dies
//
// Main thread only.
#ifndef DIZIDOR_GFX_PARTICLE_H
#define DIZIDOR_GFX_PARTICLE_H

#include "gfx/animation.h"
#include "gfx/animsprite.h"
#include "gfx/image.h"
#include "gfx/point.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <cstdint>

class GameMode;
class ParticleEmitter;
class SpriteOwner;

class Particle : public RIR::RefCountedObject
{
public:
    // The shortest lifetime a particle keeps: shorter ones (0 and below included) are raised to
    // it, so that its colour, fading and scaling over the life stay defined.
    static constexpr float MIN_LIFETIME = 0.001f;

    // An animated sprite of the animation at (x, y) with z order z, added to the mode, playing
    // the sequence "default" at its own speed and loop setting.
    Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<Animation> pAnimation, int nZ);
    // A sprite of the picture at (x, y) with z order z, added to the mode.
    Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<Image> pImage, int nZ);
    // Carries the emitter (owned from now on), placed at (x, y).
    Particle(GameMode* pMode, int nX, int nY, RIR::SmartPtr<ParticleEmitter> pEmitter);
    // Drives a sprite that exists already: the mode and position are the sprite's.
    explicit Particle(RIR::SmartPtr<Sprite> pSprite);
    // With remove-sprite-on-destroy set (the default), the sprite leaves the mode it is in; the
    // nested emitter goes (with its own particles).
    ~Particle() override;

    Particle(const Particle&) = delete;
    Particle& operator=(const Particle&) = delete;

    // One step of dt seconds (see the file comment); nothing for a dead particle.
    virtual void update(float fDt);

    // ---- settings ------------------------------------------------------------------------------

    void setPosition(const Point& pos);
    void setPosition(float fX, float fY);
    // The sprite's position, else the nested emitter's.
    void getPosition(float* pfX, float* pfY);
    // The particle's own x, y (relative to its parent emitter when it has one).
    float getX() const { return m_fX; }
    float getY() const { return m_fY; }
    void setDieWithAnimation(bool bDie) { m_bDieWithAnimation = bDie; }
    void setRotationRange(float fStart, float fEnd);
    // Turns scaling on.
    void setScaleRange(float fStart, float fEnd);
    // The particle dies when its bounds no longer overlap the rectangle.
    void setKillRect(const Rect& rect);
    // The particle bounces off the inside of the rectangle.
    void setBounceRect(const Rect& rect);
    void setRemoveSpriteOnDestroy(bool bRemove) { m_bRemoveSpriteOnDestroy = bRemove; }
    // Velocity limits per axis (absolute values).
    void setMaxSpeed(float fX, float fY);
    void setAcceleration(float fX, float fY);
    void setVelocity(float fX, float fY);
    float getVelocityX() const { return m_fVX; }
    float getVelocityY() const { return m_fVY; }
    // Seconds before the particle starts; 0 or less: none. A waiting particle's sprite is hidden.
    void setDelay(float fDelay);
    float getDelay() const { return m_fDelay; }
    // Whether the particle still waits out its delay.
    bool isWaiting() const { return m_fDelay > 0.0f; }
    // Shows or hides the sprite; a waiting particle stays hidden and takes the flag when it
    // starts.
    void setVisible(bool bVisible);
    // Seconds; below MIN_LIFETIME (or not a number) it becomes MIN_LIFETIME.
    void setLifetime(float fLifetime);
    float getLifetime() const { return m_fLifetime; }
    float getAge() const { return m_fAge; }
    void setMaxAlpha(float fAlpha) { m_fMaxAlpha = fAlpha; }
    // Fading in ends at the age fInEnd, fading out starts at the age fOutStart (seconds); turns
    // fading on.
    void setFade(float fInEnd, float fOutStart);
    // The colour over the life: the picture's top row, left (birth) to right (death).
    void setPalette(RIR::SmartPtr<Image> pPalette);
    // The sprite's blend mode and the nested emitter's, whichever exists.
    void setBlendMode(int nMode);
    // Null makes the particle absolute (the old parent's position is added); an emitter makes it
    // relative to that emitter (its position is subtracted).
    void setParentEmitter(ParticleEmitter* pEmitter);
    ParticleEmitter* getParentEmitter() const { return m_pParentEmitter; }
    // The sprite's physical bounds; for a nested-emitter particle the 2 x 2 pixels around the
    // emitter's position. A particle with neither raises "Assertion failed : false".
    void getBounds(Rect& bounds);

    bool isDead() const { return m_bDead; }
    void kill() { m_bDead = true; }
    RIR::SmartPtr<Sprite> getSprite() const { return m_pSprite; }
    ParticleEmitter* getSubEmitter() const;
    void setTag(int nTag) { m_nTag = nTag; }
    int getTag() const { return m_nTag; }

private:
    void initDefaults();
    // Places the sprite or nested emitter at the particle's position; applies bouncing and the
    // kill rectangle.
    void place();
    // Scale, fade, palette colour and rotation for the current age.
    void applyLook();

    bool m_bKillOnLeaving;
    Rect m_killRect;
    bool m_bScaleOn;
    float m_fStartScale, m_fEndScale;
    float m_fStartAngle, m_fEndAngle;
    bool m_bDieWithAnimation;
    bool m_bBounce;
    Rect m_bounceRect;
    float m_fLifetime, m_fAge;
    float m_fMaxAlpha;
    bool m_bFadeOn;
    float m_fFadeInEnd, m_fFadeOutStart;
    RIR::SmartPtr<Image> m_pPalette;
    ParticleEmitter* m_pParentEmitter; // not owned
    float m_fDelay;
    RIR::SmartPtr<Sprite> m_pSprite;
    RIR::SmartPtr<AnimSprite> m_pAnimSprite;
    RIR::SmartPtr<ParticleEmitter> m_pSubEmitter; // owned: nothing else keeps it
    bool m_bRemoveSpriteOnDestroy;
    SpriteOwner* m_pMode; // not owned
    float m_fX, m_fY;
    float m_fVX, m_fVY;
    float m_fAX, m_fAY;
    float m_fMaxSpeedX, m_fMaxSpeedY;
    bool m_bDead;
    int32_t m_nTag;
    bool m_bShown; // the sprite's visibility once the delay is over
};

// The free-particle step of a mode: updates every particle of the list with dt; a dead particle
// that carries a nested emitter first hands that emitter's particles over to the end of the same
// list (they are updated later in the same pass); dead particles leave the list.
void updateParticles(RIR::List<RIR::SmartPtr<Particle>>& lParticles, float fDt);

#endif
