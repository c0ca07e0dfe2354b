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
//
// SCPlayAnimation plays an AnimSprite's animation from its sprite's controller list, so that the
// animation runs while the sprite's mode is on screen without an update routine of its owner, and
// plays the sample named by the "sound" property of every frame it enters. A table gives one to
// each animated sprite it holds:
//
//     pAnimSprite->addController(new SCPlayAnimation(false, false));
#ifndef DIZIDOR_GFX_SPRITECONTROLLER_H
#define DIZIDOR_GFX_SPRITECONTROLLER_H

#include "app/timer.h"
#include "rir2/refcount.h"

class Animation;
class Sample;
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

// Advances an AnimSprite every frame and plays the "sound" samples of the frames it enters. Done
// when the animation has stopped (a non-looping sequence ended, or it was stopped); a looping one
// never ends. The sprite must be an AnimSprite: any other raises AssertFailException
// "Assertion failed : pAS" at its first update (and at once when it is to restart on attach).
class SCPlayAnimation : public SpriteController
{
public:
    // bRemoveSpriteWhenDone: when the animation has stopped, the sprite is taken out of its mode.
    // bRestartOnAttach: when attached, the animation restarts at frame 0 with its full time.
    // Speed 1.
    SCPlayAnimation(bool bRemoveSpriteWhenDone, bool bRestartOnAttach);
    ~SCPlayAnimation() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    // Advances the animation by speed x dt; plays the sample named by the "sound" property (its
    // own, its sequence's or the animation's) of each frame entered during the update, the
    // frames passed over included, through the application on any free channel, without repeats.
    // A sample that cannot be found raises what the application's sample cache raises. Without an
    // application nothing is played.
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;

    // The factor applied to dt; 0 freezes the animation.
    virtual void setSpeed(float fSpeed);
    virtual float getSpeed();

    // Where the samples named by "sound" properties come from: the application's sample cache
    // (GameApp::getSample) by default. A program without that cache, or a test, installs its own
    // source; null restores the default. Whatever the source, the sample is played through
    // GameApp::playSample.
    typedef RIR::SmartPtr<Sample> (*SampleSource)(const char* pszName);
    static void setSampleSource(SampleSource pfnSource);

private:
    // Plays the "sound" sample of the frame, when it has one.
    void playFrameSound(Animation* pAnimation, const char* pszSequence, int nFrame);

    static SampleSource s_pfnSampleSource;

    bool m_bRemoveSpriteWhenDone;
    bool m_bRestartOnAttach;
    float m_fSpeed;
};

#endif
