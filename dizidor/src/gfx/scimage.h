// Sprite controllers that change what a sprite shows: a picture revealed from the bottom up like
// a progress bar, and a one-shot swap of the picture.
#ifndef DIZIDOR_GFX_SCIMAGE_H
#define DIZIDOR_GFX_SCIMAGE_H

#include "gfx/image.h"
#include "gfx/spritecontroller.h"
#include "rir2/rirstring.h"

// Reveals the bottom rows of a picture, `rate` rows per second up to `target` rows. Whenever the
// whole number of revealed rows changes, the sprite shows the bottom rows as a sub-image anchored
// so that they lie where they would if the whole picture were shown at the sprite's position with
// insertion point (0, 0): the bar grows upward. Done when the revealed rows equal the target (a
// negative rate never ends). The own timer is not used.
class SCVerticalProgress : public SpriteController
{
public:
    // The picture comes from the image cache; raises what the cache raises for a missing one.
    SCVerticalProgress(int nTarget, float fRate, const char* pszImageName);
    ~SCVerticalProgress() override;

    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;

    virtual void setTarget(int nTarget);
    // The rows revealed so far.
    float getCurrent() const { return m_fCurrent; }

private:
    float m_fCurrent;
    int m_nTarget;
    float m_fRate;
    RIR::SmartPtr<Image> m_pImage;
};

// Gives the sprite the image, or the picture of the name from the image cache, at its first
// update; done at once. A missing picture raises what the cache raises.
class SCReplaceImage : public SpriteController
{
public:
    explicit SCReplaceImage(const char* pszName);
    explicit SCReplaceImage(RIR::SmartPtr<Image> pImage);
    ~SCReplaceImage() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

    // The image given to the constructor; null in the by-name form.
    virtual RIR::SmartPtr<Image> getImage();

private:
    RIR::String m_sName;
    RIR::SmartPtr<Image> m_pImage;
};

#endif
