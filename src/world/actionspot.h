// ActionSpot: a place on the saloon screen where the heroine does something with one hand.
//
// The tap, the sink, a table seat, a seated customer in a fight, a mug standing on a table: each
// is a spot with a screen rectangle that a click must hit, registered with the scene
// (Scene::addSpot) while it exists. The play mode asks the deepest spot under a click
// (Scene::getSpotAt) whether the heroine can act there with hand 0 or 1, she walks to the spot's
// action position, and at the "doaction" marker of her action animation the spot acts.
//
// Every operation takes the acting character (always the heroine) and the hand (0 or 1). The
// order of the virtual operations is shared by every spot class.
//
// A spot lives while some handle holds it: the scene, the heroine's queued action, a mug flight or
// a proxy. Removing it from the scene does not end an action already queued on it.
#ifndef DBD_WORLD_ACTIONSPOT_H
#define DBD_WORLD_ACTIONSPOT_H

#include "gfx/rect.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Dolly;
class Mug;

class ActionSpot : public RIR::RefCountedObject
{
public:
    // The rectangle is copied (screen pixels); not reserved.
    explicit ActionSpot(const Rect& rect);
    ~ActionSpot() override;

    // Whether the character can act here with the hand now.
    virtual bool canDoAction(Dolly* pChar, int nHand) = 0;
    // Acts; called at the "doaction" marker of the action animation, or at once without one.
    virtual void doAction(Dolly* pChar, int nHand) = 0;
    // The pixel where the character must stand and the facing (0 right, 1 left, 2 up, 3 down).
    virtual void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) = 0;
    // The prefix of the action animation for that hand.
    virtual void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) = 0;
    // The sound group of the action; -1 (none) here.
    virtual int getActionSound(Dolly* pChar, int nHand);
    // The deeper spot wins when several contain a click.
    virtual int getDepth() = 0;
    // Whether a mug thrown by telekinesis may land here; false here.
    virtual bool acceptsThrownMug();
    // Set while a thrown mug is on its way here.
    virtual void setReserved(bool bReserved);
    virtual bool isReserved();
    // Hands the spot's mug to a telekinesis flight. Spots that take part in telekinesis override
    // it; here it raises FatalErrorException "ActionSpot::takeMugTK() called, need override".
    virtual void takeMugTK(RIR::SmartPtr<Mug>& pMug);
    // Receives a mug at the end of a flight; here FatalErrorException
    // "ActionSpot::setMugTK() called, need override".
    virtual void setMugTK(const RIR::SmartPtr<Mug>& pMug);
    // Where a mug on the spot is drawn (and flies from or to); (0, 0) here.
    virtual void getMugPos(int* pX, int* pY);
    // Half-open: left <= x < right and top <= y < bottom.
    virtual bool contains(int nX, int nY);
    // Drops what the spot holds that may hold it back (a mug and the proxy over it), without
    // touching the scene; the scene's teardown calls it on every registered spot. Nothing here.
    virtual void detach();

    const Rect& getRect() const { return m_rect; }

protected:
    Rect m_rect;
    bool m_bReserved;

private:
    ActionSpot(const ActionSpot&) = delete;
    ActionSpot& operator=(const ActionSpot&) = delete;
};

#endif
