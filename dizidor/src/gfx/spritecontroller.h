// SpriteController: a small behaviour attached to one sprite.
//
// Every frame the sprite's mode runs the controllers of its sprites (Sprite::updateControllers);
// each changes something on its sprite and reports whether it is done, and the sprite deletes a
// controller as soon as it reports done. A controller is a plain heap object with exactly one
// owner (a sprite's controller list, or a composite controller), not reference-counted, deleted
// through its virtual destructor. It keeps no reference to its sprite between calls: the sprite
// is passed to each call.
//
// Every controller has its own clock, a Timer of duration 0 and flags 0 until the subclass sets
// them; a controller with a fixed duration sets it with Timer::setDuration (d, true) and
// TIMER_CLAMP, so that finish lands exactly on its end state.
//
// The order of the virtual operations is part of the interface; subclasses add theirs after them.
#ifndef DIZIDOR_GFX_SPRITECONTROLLER_H
#define DIZIDOR_GFX_SPRITECONTROLLER_H

#include "app/timer.h"
#include "rir2/refcount.h"

class Sprite;

class SpriteController
{
public:
    SpriteController();
    virtual ~SpriteController();

    SpriteController(const SpriteController&) = delete;
    SpriteController& operator=(const SpriteController&) = delete;

    // Called once by Sprite::addController after the controller joined the sprite's list.
    // Does nothing here.
    virtual void onAttach(RIR::SmartPtr<Sprite> pSprite);
    // Applies the controller's effect for the current time; true when done. Never done here.
    virtual bool apply(RIR::SmartPtr<Sprite> pSprite);
    // Advances the own timer by dt (its result is not looked at), then apply.
    virtual bool update(float fDt, RIR::SmartPtr<Sprite> pSprite);
    // update by the remaining time of the own timer.
    virtual bool finish(RIR::SmartPtr<Sprite> pSprite);

    RIR::SmartPtr<Timer> getTimer() const { return m_pTimer; }

protected:
    RIR::SmartPtr<Timer> m_pTimer;
};

#endif
