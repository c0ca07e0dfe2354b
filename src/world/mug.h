// Mug: the drink of the saloon, a glass with a number of sips left.
//
// Mugs come from the tap full, travel in the heroine's hands, stand on table seats, are drunk by
// customers sip by sip and end in the sink. A mug is shared by reference (a hand, a spot, a
// customer, a telekinesis flight); when the last reference goes, its picture leaves the screen.
// Every new mug is made by the play mode (IPlayMode::createMug), which makes it full.
//
// The picture is an animated sprite of "mug.anim", whose sequences are named "0".."3" after the
// sips left; each carries the frame property "suffix" (the look of the heroine's hand holding
// it) and "uiimage" (the hand's picture on the screen's border).
//
// Usage:
//     RIR::SmartPtr<Mug> pMug = IPlayMode::getPlayMode()->createMug();   // full, shows "3"
//     pMug->setContents(pMug->getContents() - 1);                        // a sip: shows "2"
//
// Main thread only.
#ifndef DBD_WORLD_MUG_H
#define DBD_WORLD_MUG_H

#include "gfx/animation.h"
#include "gfx/animsprite.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class GameMode;

class Mug : public RIR::RefCountedObject
{
public:
    // Sips of a full mug as the play mode makes them.
    static constexpr int FULL_SIPS = 3;

    // An empty mug (0 sips) of the kind and capacity, shown on pMode (may be null: shown
    // nowhere) by pSprite (not null; "Assertion failed : pSprite" otherwise).
    Mug(int nKind, int nCapacity, GameMode* pMode, const RIR::SmartPtr<AnimSprite>& pSprite);
    // Takes the picture off the screen it is on.
    ~Mug() override;

    // A full mug of kind 0 and 3 sips with a sprite of pAnim added to pMode (when not null):
    // what the play mode's createMug makes.
    static RIR::SmartPtr<Mug> create(GameMode* pMode, const RIR::SmartPtr<Animation>& pAnim);

    int getKind() const { return m_nKind; }
    int getContents() const { return m_nContents; }
    int getCapacity() const { return m_nCapacity; }
    // No sip left.
    bool isEmpty() const { return m_nContents == 0; }
    // As many sips as the capacity.
    bool isFull() const { return m_nContents == m_nCapacity; }
    // Sets the sips left and shows them. Fails "Assertion failed : nCont >= 0" and
    // "Assertion failed : nCont <= getCapacity()" outside 0..capacity, changing nothing.
    void setContents(int nCont);
    // Plays the sequence named after the sips left ("%d").
    void showContents();

    const RIR::SmartPtr<AnimSprite>& getSprite() const { return m_pSprite; }
    GameMode* getMode() const { return m_pMode; }
    // The frame property of the picture: "suffix" gives the hand's look, "uiimage" the border
    // picture; "" when the frame has none.
    RIR::String getSpriteProp(const char* pszKey) const;

private:
    Mug(const Mug&) = delete;
    Mug& operator=(const Mug&) = delete;

    int m_nKind;
    int m_nContents;
    int m_nCapacity;
    GameMode* m_pMode; // not owned
    RIR::SmartPtr<AnimSprite> m_pSprite;
};

#endif
