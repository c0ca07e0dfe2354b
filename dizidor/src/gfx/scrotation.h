// Sprite controllers that turn a sprite: at a constant speed, from one angle to another along the
// shorter way, or swinging about a centre angle.
//
// Angles are in degrees, positive clockwise on the screen, never brought back into 0 .. 360.
#ifndef DIZIDOR_GFX_SCROTATION_H
#define DIZIDOR_GFX_SCROTATION_H

#include "gfx/spritecontroller.h"

// Speed form: rotation += speed x dt every update, for ever (finishing turns by 0).
// From/to form: on attach the rotation becomes `from`; each update sets from + p x d, d the turn
// from `from` to `to` along the shorter way (-180 .. 180): 350 -> 10 ends at 370. Done when the
// timer is.
class SCRotate : public SpriteController
{
public:
    // Degrees per second.
    explicit SCRotate(float fSpeed);
    SCRotate(float fFrom, float fTo, float fDuration);
    ~SCRotate() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;

private:
    bool m_bSpeedForm;
    float m_fSpeed;
    float m_fFrom;
    float m_fTo;
};

// rotation = centre + amplitude x sin(e x 6.28 / period), applied on attach and at every update.
// With a duration above 0 it ends after that time; with 0 or less after its first update. A
// period of 0 has no swing: the rotation stays at the centre.
class SCSinusoidRotate : public SpriteController
{
public:
    SCSinusoidRotate(float fCentre, float fAmplitude, float fPeriod, float fDuration);
    ~SCSinusoidRotate() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    void setRotation(Sprite* pSprite);

    float m_fCentre;
    float m_fAmplitude;
    float m_fPeriod;
};

#endif
