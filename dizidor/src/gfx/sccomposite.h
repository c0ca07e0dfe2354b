// Composite sprite controllers: a queue runs its controllers one after another, a set side by
// side, a loop one after another without end.
//
// A composite owns the controllers in its list and deletes them; inside a composite the composite
// is the sprite's controller, so its children see the sprite but not its controller list.
//
// Usage (fly in, wait, fade out, then take the sprite off its mode):
//     SCQueue* pScript = new SCQueue();
//     pScript->add(new SCLinearPath(Point(-100, 300), Point(400, 300), 1.0f, 0));
//     pScript->add(new SCDelay(2.0f));
//     pScript->add(new SCLinearFade(1.0f, 0.0f, 0.5f, true));
//     pScript->add(new SCRemove());
//     pSprite->addController(pScript);
#ifndef DIZIDOR_GFX_SCCOMPOSITE_H
#define DIZIDOR_GFX_SCCOMPOSITE_H

#include "gfx/spritecontroller.h"
#include "rir2/list.h"

// Attaches its first controller; each update runs the first one and, when it reports done,
// deletes it and attaches the next (first updated in the next frame). Done in the update after
// the last one finished (an empty queue at its first update). Finishing finishes every controller
// still held, in order, and reports done.
class SCQueue : public SpriteController
{
public:
    SCQueue();
    // Takes over the controllers, in order.
    explicit SCQueue(const RIR::List<SpriteController*>& lControllers);
    // Deletes every controller still held.
    ~SCQueue() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;
    bool finish(RIR::SmartPtr<Sprite> pSprite) override;

    virtual int getCount();
    // A bad index raises the list's "List index out of range" error.
    virtual SpriteController* get(int nIndex);

    // Appends a controller (the queue owns it). It is attached when the queue is attached or when
    // its predecessor finishes.
    void add(SpriteController* pController);

private:
    RIR::List<SpriteController*> m_lControllers;
};

// Attaches all its controllers; each update runs them in order and deletes each that reports
// done. Done when none is left (an empty set at its first update). Finishing finishes all.
class SCSet : public SpriteController
{
public:
    explicit SCSet(const RIR::List<SpriteController*>& lControllers);
    ~SCSet() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;
    bool finish(RIR::SmartPtr<Sprite> pSprite) override;

    virtual int getCount();
    virtual SpriteController* get(int nIndex);

private:
    RIR::List<SpriteController*> m_lControllers;
};

// Runs its controllers one after another for ever: when the running one reports done, the next
// (cyclically) gets its clock set back to 0 and is attached again. Controllers are kept, never
// deleted when they finish; a one-shot controller runs once per round. Never done; finishing
// finishes all and reports done. An empty loop raises the list's "List index out of range" error
// at its first update.
class SCLoop : public SpriteController
{
public:
    SCLoop();
    explicit SCLoop(const RIR::List<SpriteController*>& lControllers);
    ~SCLoop() override;

    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool update(float fDt, RIR::SmartPtr<Sprite> pSprite) override;
    bool finish(RIR::SmartPtr<Sprite> pSprite) override;

    void add(SpriteController* pController);
    // The index of the running controller.
    int getIndex() const { return m_nIndex; }

private:
    RIR::List<SpriteController*> m_lControllers;
    int m_nIndex;
};

#endif
