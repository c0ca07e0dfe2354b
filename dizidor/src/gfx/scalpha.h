// Sprite controllers of a sprite's opacity and visibility: a linear fade, a swinging alpha and a
// blink.
//
// Alpha is 0.0 .. 1.0 and written without clamping.
#ifndef DIZIDOR_GFX_SCALPHA_H
#define DIZIDOR_GFX_SCALPHA_H

#include "gfx/spritecontroller.h"

// f = from + p x (to - from). Absolute: on attach alpha = from, at each update alpha = f.
// Relative: on attach alpha x= from, at each update alpha x= f, so the factors of successive
// frames multiply (a relative fade from 1 to 0 reaches 0 sooner than linearly). Done when the
// timer is.
class SCLinearFade : public SpriteController
{
public:
    SCLinearFade(float fFrom, float fTo, float fDuration, bool bAbsolute);
    ~SCLinearFade() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    float m_fFrom;
    float m_fTo;
    bool m_bAbsolute;
};

// alpha = low + (high - low) x (sin(e x 6.28 x frequency + phase) + 1) / 2 at every update (not on
// attach); never done.
class SCSinusoidAlpha : public SpriteController
{
public:
    // low 0, high 1.
    SCSinusoidAlpha(float fFrequency, float fPhase);
    SCSinusoidAlpha(float fLow, float fHigh, float fFrequency, float fPhase);
    ~SCSinusoidAlpha() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    float m_fLow;
    float m_fHigh;
    float m_fFrequency;
    float m_fPhase;
};

// Visible during the first onTime of every onTime + offTime. With a total time above 0 it shows
// the sprite and ends once more than that time has elapsed; otherwise it blinks until removed.
// A cycle that does not last (onTime + offTime not above 0) has no phase: the constructor raises
// AssertFailException "Assertion failed : fOnTime + fOffTime > 0.0f".
class SCBlink : public SpriteController
{
public:
    SCBlink(float fOnTime, float fOffTime, float fTotalTime);
    ~SCBlink() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    float m_fOnTime;
    float m_fOffTime;
    float m_fTotalTime;
};

#endif
