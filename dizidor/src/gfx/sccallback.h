// Sprite controllers that tie an action to a sprite's script: calling a callback target, and
// taking the sprite out of its mode, each either at once or once it is the sprite's last
// controller ("when done": whichever controller that is).
//
// Usage (notify the mode when the sprite's animations are over, then drop the sprite):
//     pSprite->addController(new SCCallbackWhenDone(pMode, ID_EXPLOSION_OVER, 0));
//     ... or, as the last step of a queue: pQueue->add(new SCRemove());
#ifndef DIZIDOR_GFX_SCCALLBACK_H
#define DIZIDOR_GFX_SCCALLBACK_H

#include "gfx/spritecontroller.h"

class ICallbackTarget;

// Calls target->onCallback (id, param) at its first update; done at once. The target is not
// owned and must outlive the controller; a null target raises AssertFailException.
class SCCallback : public SpriteController
{
public:
    SCCallback(ICallbackTarget* pTarget, int nId, int nParam);
    ~SCCallback() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    ICallbackTarget* m_pTarget;
    int m_nId;
    int m_nParam;
};

// Calls back at the first update in which the sprite holds exactly one controller; done then.
class SCCallbackWhenDone : public SpriteController
{
public:
    SCCallbackWhenDone(ICallbackTarget* pTarget, int nId, int nParam);
    ~SCCallbackWhenDone() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    ICallbackTarget* m_pTarget;
    int m_nId;
    int m_nParam;
};

// Takes the sprite out of its mode at its first update; done at once. A sprite in no mode is
// left as it is.
class SCRemove : public SpriteController
{
public:
    SCRemove();
    ~SCRemove() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;
};

// Takes the sprite out of its mode at the first update in which the sprite holds exactly one
// controller; done then.
class SCRemoveWhenDone : public SpriteController
{
public:
    SCRemoveWhenDone();
    ~SCRemoveWhenDone() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;
};

#endif
