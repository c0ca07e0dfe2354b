// MugSpot: a place where one mug stands, a table seat.
//
// The heroine puts a mug from her hand on an empty spot and takes the mug standing there into an
// empty hand. While a mug stands on the spot, a proxy spot lies over the mug's picture and is
// registered with the scene, so that a click on the mug acts on this spot. Putting a mug down
// plays sound group 2 and reports tutorial event 6. A mug flying in by telekinesis lands as if put
// down; one taken by telekinesis leaves as if taken.
//
// A plain spot refuses a hand with a mug while it holds one, so it never swaps; the table seat
// (its subclass) serves a seated customer and swaps his mug for a full one.
//
// A reserved spot (a mug is flying to it) refuses every action. The proxy holds this spot, so a
// spot with a mug on it stays alive until the mug is taken or detach breaks the link (the scene's
// teardown does).
#ifndef DBD_WORLD_MUGSPOT_H
#define DBD_WORLD_MUGSPOT_H

#include "world/mug.h"
#include "world/mugspotbase.h"
#include "world/proxyspot.h"

class MugSpot : public MugSpotBase
{
public:
    // The spot's rectangle and square; a mug on it is drawn at (nMugX, nMugY) with z order
    // nMugDepth. No mug, no proxy.
    MugSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nMugDepth);
    ~MugSpot() override;

    // False while reserved; with an empty hand true when a mug stands here and may be taken;
    // with a mug in the hand (full or not) true when none stands here.
    bool canDoAction(Dolly* pChar, int nHand) override;
    // Only while canDoAction answers true: swaps a full mug in the hand for a mug here that is not
    // full, or takes the mug into the empty hand, or puts the hand's mug down.
    void doAction(Dolly* pChar, int nHand) override;
    // Group 0 (a mug taken from a seat) for an empty hand, else none.
    int getActionSound(Dolly* pChar, int nHand) override;
    void takeMugTK(RIR::SmartPtr<Mug>& pMug) override;
    void setMugTK(const RIR::SmartPtr<Mug>& pMug) override;
    // Where a mug on the spot is drawn.
    void getMugPos(int* pX, int* pY) override;
    // Drops the mug and its proxy without touching the scene (the scene is going).
    void detach() override;

    virtual bool hasMug();
    // The mug here; "Assertion failed : hasMug()" without one.
    virtual RIR::SmartPtr<Mug> getMug();
    // Takes the mug off the spot and unregisters its proxy; the picture stays where it is for the
    // new holder to move or hide. "Assertion failed : hasMug()" without a mug.
    virtual void takeMug(RIR::SmartPtr<Mug>& pMug);
    // Puts the mug down: its picture goes to the mug position and depth, a proxy over the picture
    // is registered with the scene, sound group 2 plays at the mug's x and tutorial event 6 is
    // reported. "Assertion failed : notNULL(pMug)" for null, "Assertion failed : isNULL(m_pMug)"
    // when a mug stands here already.
    virtual void setMug(const RIR::SmartPtr<Mug>& pMug);
    // Whether the mug here may be taken: always, here. "Assertion failed : hasMug()" without one.
    virtual bool canTakeMug();

    // The proxy over the mug's picture, or null.
    RIR::SmartPtr<ProxyActionSpot> getMugProxy() const { return m_pMugProxy; }

protected:
    RIR::SmartPtr<Mug> m_pMug;
    RIR::SmartPtr<ProxyActionSpot> m_pMugProxy;
    int m_nMugX;
    int m_nMugY;
    int m_nMugDepth;
};

#endif
