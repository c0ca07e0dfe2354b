// SCWipe: a sprite controller that cuts the sprite's picture away step by step.
//
// Without split the visible part shrinks toward one edge of where the picture was (type 0 the
// top, 1 the bottom, 2 the left, 3 the right) while the part that stays keeps its place on the
// screen. With split the picture is cut into two halves at attach (types 0 and 1 into upper and
// lower halves, 2 and 3 into left and right halves); the second half is shown by a second sprite
// added to the sprite's mode at the sprite's z order, and the picture opens from the middle, each
// half shrinking toward its outer edge. Every piece is a sub-image sharing the picture's pixels
// and keeps the picture's insertion point, so a picture anchored anywhere stays in place.
//
// At the end (the timer done) the sprite is taken out of its mode when asked, the second sprite
// always; a wipe removed before its end leaves the second sprite in the mode.
//
// Usage:
//     pCurtain->addController(new SCWipe(SCWipe::WIPE_KEEP_TOP, true, 1.5f, true));
//
// Failures: a type outside 0 .. 3 raises AssertFailException at construction; a sprite without an
// image at attach, and a split wipe of a sprite that is not in a GameMode, raise
// AssertFailException when attached.
#ifndef DIZIDOR_GFX_SCWIPE_H
#define DIZIDOR_GFX_SCWIPE_H

#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/spritecontroller.h"

class SCWipe : public SpriteController
{
public:
    enum WipeType
    {
        WIPE_KEEP_TOP = 0,
        WIPE_KEEP_BOTTOM = 1,
        WIPE_KEEP_LEFT = 2,
        WIPE_KEEP_RIGHT = 3
    };

    SCWipe(int nType, bool bSplit, float fDuration, bool bRemoveWhenDone);
    // Releases the picture and the second sprite (which stays in its mode if it is still there).
    ~SCWipe() override;

    // Keeps the picture, its size and the sprite's position; with split cuts the halves and adds
    // the second sprite.
    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    // Advances the timer and shows the pieces for the rest 1 - p; at the end removes as above.
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;

    // The sprite that shows the second half (split only, from attach on); null otherwise.
    RIR::SmartPtr<Sprite> getSecondSprite() const { return m_pSecondSprite; }

private:
    // The sub-image (left, top, right, bottom) of the kept picture with its insertion point.
    RIR::SmartPtr<Image> cut(int nLeft, int nTop, int nRight, int nBottom);

    int m_nType;
    bool m_bSplit;
    RIR::SmartPtr<Sprite> m_pSecondSprite;
    int m_nHeight;
    int m_nWidth;
    int m_nX;
    int m_nY;
    RIR::SmartPtr<Image> m_pImage;
    bool m_bRemoveWhenDone;
};

#endif
