// Timing sprite controllers: waiting a fixed or random time, starting another controller after a
// delay, and adding a follow-up controller once the sprite has nothing else to do.
#ifndef DIZIDOR_GFX_SCTIMING_H
#define DIZIDOR_GFX_SCTIMING_H

#include "gfx/spritecontroller.h"
#include "rir2/random.h"

// Does nothing for the delay; done once the elapsed time reaches it.
class SCDelay : public SpriteController
{
public:
    explicit SCDelay(float fDelay);
    ~SCDelay() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;
};

// Waits a time drawn uniformly from [min, max] every time it is attached (so a loop draws anew
// each round). Its generator is seeded with the time in seconds when it is constructed: delays
// constructed within the same second draw the same sequence.
class SCRandomDelay : public SpriteController
{
public:
    SCRandomDelay(float fMin, float fMax);
    ~SCRandomDelay() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    RIR::Random m_random;
    float m_fMin;
    float m_fMax;
};

// Counts the delay down, then attaches the inner controller and updates it with the overshoot of
// that frame; from then on it reports what the inner controller reports. A one-shot inner
// controller that is done at that first update is deleted and the delay controller is done in
// the same frame, so it acts exactly once. A delay of 0 or less starts the inner controller at the
// first update, attached first. Once the inner controller has finished and been deleted, the delay
// controller reports done at once (run again by a loop it does nothing). Finishing attaches the
// inner controller if it was not yet, and reports its finish.
class SCDelayController : public SpriteController
{
public:
    // Takes ownership of the inner controller (not null: AssertFailException).
    SCDelayController(float fDelay, SpriteController* pInner);
    ~SCDelayController() override;

    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;
    bool finish(RIR::SmartPtr<Sprite> pSprite) override;

    // The inner controller; null once it has finished.
    SpriteController* getInner() const { return m_pInner; }

private:
    // Updates the inner controller; when it is done deletes and forgets it.
    bool runInner(float fDt, RIR::SmartPtr<Sprite> pSprite);

    float m_fDelay;
    SpriteController* m_pInner;
    bool m_bInnerAttached;
};

// When it is the sprite's only controller, hands the follow-up controller to the sprite
// (Sprite::addController, which attaches it) and is done. Inside a composite the composite is the
// sprite's controller, so it waits there for ever. Finishing hands the follow-up over at once.
// Once it has handed it over, it has nothing more to do and reports done.
class SCWhenDone : public SpriteController
{
public:
    // Takes ownership of the follow-up (not null: AssertFailException) until it hands it over.
    explicit SCWhenDone(SpriteController* pNext);
    ~SCWhenDone() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;
    bool finish(RIR::SmartPtr<Sprite> pSprite) override;

private:
    SpriteController* m_pNext;
};

#endif
