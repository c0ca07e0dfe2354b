// Sprite controllers of a sprite's tint: a linear change of colour, a colour pulse and a walk
// along a palette picture.
#ifndef DIZIDOR_GFX_SCCOLOR_H
#define DIZIDOR_GFX_SCCOLOR_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "gfx/spritecontroller.h"

// On attach the tint becomes `from`; each update interpolates red, green and blue (as fractions
// of 255, truncated back to bytes) with alpha 255; the update in which the timer completes sets
// exactly `to`, all four channels, and reports done.
class SCLinearTint : public SpriteController
{
public:
    SCLinearTint(const Color& from, const Color& to, float fDuration);
    ~SCLinearTint() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    Color m_from;
    Color m_to;
    float m_fDeltaR;
    float m_fDeltaG;
    float m_fDeltaB;
};

// Each channel of red, green and blue = from + (to - from) x sin(e x speed), truncated; its low
// byte is the channel, so values below 0 or above 255 wrap round (-55 gives 201). Alpha 255.
// Never done.
class SCPulseColor : public SpriteController
{
public:
    SCPulseColor(const Color& from, const Color& to, float fSpeed);
    ~SCPulseColor() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    Color m_from;
    int m_nDeltaR;
    int m_nDeltaG;
    int m_nDeltaB;
    float m_fSpeed;
};

// The tint walks along the top row of the palette picture: column p x (width - 1), truncated.
// Done when the timer is. A null palette raises AssertFailException.
class SCApplyPalette : public SpriteController
{
public:
    SCApplyPalette(RIR::SmartPtr<Image> pPalette, float fDuration);
    ~SCApplyPalette() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    RIR::SmartPtr<Image> m_pPalette;
};

#endif
