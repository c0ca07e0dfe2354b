// Sprite controllers that scale a sprite: linearly to an end scale, swinging between two scales,
// or growing past a peak and settling back (grow and bounce); and growBounceAll, which gives a
// whole screen a grow-and-bounce about one centre.
#ifndef DIZIDOR_GFX_SCSCALE_H
#define DIZIDOR_GFX_SCSCALE_H

#include "gfx/point.h"
#include "gfx/spritecontroller.h"

class GameMode;

// scale = from + p x (to - from), per axis in the separate form (the same on both axes in the
// uniform form); the update in which the timer completes sets exactly the end scale and reports
// done.
class SCScale : public SpriteController
{
public:
    SCScale(float fFrom, float fTo, float fDuration);
    SCScale(float fFromX, float fToX, float fFromY, float fToY, float fDuration);
    ~SCScale() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    bool m_bSeparate;
    float m_fFromX;
    float m_fToX;
    float m_fFromY;
    float m_fToY;
    float m_fDeltaX;
    float m_fDeltaY;
};

// scale = low + (high - low) x (sin(e x 6.28 x frequency + phase) + 1) / 2, on attach and at
// every update; never done.
class SCSinusoidScale : public SpriteController
{
public:
    SCSinusoidScale(float fLow, float fHigh, float fFrequency, float fPhase);
    ~SCSinusoidScale() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    void setScale(Sprite* pSprite);

    float m_fLow;
    float m_fHigh;
    float m_fFrequency;
    float m_fPhase;
};

// scale = peak x sin(e x w + t0), t0 = asin(start / peak), w = ((3.14159 - asin(end / peak)) -
// t0) / duration: starts at `start`, passes `peak` and comes down to `end` at the end of the
// duration. Applied on attach and at every update; done when the timer is. The ratios are held to
// -1 .. 1 (a start or end beyond the peak starts or ends at the peak; a peak of 0 keeps the scale
// at 0); a duration of 0 or less ends at once on the end scale.
class SCGrowBounce : public SpriteController
{
public:
    SCGrowBounce(float fStart, float fPeak, float fEnd, float fDuration);
    ~SCGrowBounce() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    void setScale(Sprite* pSprite);

    float m_fPeak;
    float m_fTheta0;
    float m_fOmega;
    float m_fEndAngle;
    bool m_bInstant;
};

// For every sprite of the mode's layers that has an image: the image is replaced by a private
// copy (sharing pixels), the sprite is re-anchored at the centre with its picture kept in place,
// and a new SCGrowBounce (start, peak, end, duration) is added, so that the whole screen grows and
// bounces about the centre. Sprites without an image are skipped. A null mode does nothing.
void growBounceAll(GameMode* pMode, const Point& centre, float fStart, float fPeak, float fEnd,
                   float fDuration);

#endif
