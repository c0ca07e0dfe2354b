// Dolly: the heroine, the player's character.
//
// A character with two hands, each holding at most one mug. For a click the play mode picks a
// spot and a hand and calls startAction: she walks to the spot's action position, turns to it,
// plays the spot's action animation on that hand's arm (hand h works on body part h) and, at the
// "doaction" marker of that animation, the spot does its work (a mug enters or leaves the hand).
// In telekinesis mode a far spot that accepts thrown mugs is served without walking: the mug flies
// between her hand and the spot, and the spot stays reserved until it lands. While she is busy
// (isDoingAction) the play mode queues further clicks.
//
// Animation data: the action animations ("take_", "leave_", "stopfight_...") carry "doaction" on
// a frame after the first (markers are read from the frame after the previous one up to the
// current one, so frame 0 is never seen) and may carry "actionsound". An action whose animation
// ends without the marker acts when it ends, so she never stays busy for ever. Her arms show the
// mug they hold by look variants: ("", suffix) for the movement under way when the mug arrives,
// then ("_carry", suffix), the suffix being the mug picture's "suffix" property.
//
// The arrow keys (setHeldArrows) move her freely in state 1. During a walk to a spot they cancel
// the walk; during the action itself they wait until it is done.
//
// States: 100 walking to the action position (the action starts on arrival), 102 standing
// (idle or acting), 1 moved by the arrow keys, and the walker states 2 and 3 of Character.
//
// Usage (the level loader and the play mode):
//     RIR::SmartPtr<Dolly> pDolly = new Dolly;
//     pDolly->startLevel(nLevel / 5);            // dresses her (needs the application's packs)
//     pDolly->setSpeed(260, 160);
//     pDolly->placeAt(nX, nY);
//     if (!pDolly->isDoingAction() && pSpot->canDoAction(pDolly.get(), 0))
//         pDolly->startAction(pSpot, 0);
//     pDolly->update(fDt);                       // every frame
//
// Main thread only.
#ifndef DBD_WORLD_DOLLY_H
#define DBD_WORLD_DOLLY_H

#include "world/actionspot.h"
#include "world/character.h"
#include "world/mug.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

// A mug flying by telekinesis for one hand.
struct FlyMug
{
    RIR::SmartPtr<Mug> pMug;
    RIR::SmartPtr<ActionSpot> pTarget; // null: the mug flies to the hand
    bool bWaiting = false;             // not launched yet (waits for the arm's "doaction")
    float fT = 0.0f;                   // 0 at the start, 1 at the end
    int nStartX = 0;
    int nStartY = 0;
};

class Dolly : public Character
{
public:
    static constexpr int HAND_COUNT = 2;
    // Her own states.
    static constexpr int ST_FREE_STEP = 1;
    static constexpr int ST_GO_TO_ACTION = 100;
    static constexpr int ST_STAND = 102;
    // Telekinesis: the part of the flight done per second, the sound group of a throw, and the
    // sum of the x and y distances from which a spot counts as far.
    static constexpr float FLIGHT_SPEED = 3.5f;
    static constexpr int TK_SOUND = 18;
    static constexpr int TK_MIN_DISTANCE = 100;
    // A mug entering a hand is tutorial event 2.
    static constexpr int TUTORIAL_MUG_IN_HAND = 2;

    // Empty hands, no action, no flight, no arrows, telekinesis off.
    Dolly();
    // Drops her flights (their mugs leave the screen).
    ~Dolly() override;

    // ---- level ------------------------------------------------------------------------------
    // State 102, started; body offsets (16, 23, 8), shadow offsets (10, 13, 5); dressed in the
    // outfit (0..8, the level / 5); plain arms, no arrows, telekinesis off.
    virtual void startLevel(int nOutfit);
    // Adds the outfit's layers (dollyoutfit.h) to her body parts through the application's
    // animation cache. An outfit outside 0..8 fails "Assertion failed : nOutfit >= 0 && ...".
    // Virtual so that a heroine can be dressed without the game's packs (tests, demos).
    virtual void dressUp(int nOutfit);

    // ---- control by the play mode --------------------------------------------------------------
    // Starts an action of the hand on the spot. True when it is a telekinesis flight (the play
    // mode spends one use of telekinesis). Fails "Assertion failed : !isDoingAction()" while busy
    // and "Assertion failed : pSpot->canDoAction(this, eHand)" when the spot refuses.
    bool startAction(const RIR::SmartPtr<ActionSpot>& pSpot, int eHand);
    // An action is under way or a mug is flying for either hand.
    bool isDoingAction() const;
    // Ends a walk to a spot: true when nothing is under way any more (also when nothing was),
    // false, changing nothing, while the action is past its walk (acting or throwing).
    bool cancelWalk();
    // Held arrow keys, read every frame.
    void setHeldArrows(bool bUp, bool bDown, bool bLeft, bool bRight);
    void setTelekinesisMode(bool bOn) { m_bTelekinesis = bOn; }
    bool isTelekinesisMode() const { return m_bTelekinesis; }

    // ---- hands ------------------------------------------------------------------------------
    bool isHandEmpty(int nHand) const;
    RIR::SmartPtr<Mug> getHandMug(int nHand) const;
    // The mug goes into the hand: its picture is hidden, the arm takes the mug's look at once and
    // its "_carry" look from the next animation; the play mode shows it at the border and hears
    // tutorial event 2. Fails "Assertion failed : pMug" for null.
    void putMugInHand(int nHand, const RIR::SmartPtr<Mug>& pMug);
    // The hand's mug (null when empty) leaves it: its picture is shown again where it was, the arm
    // loses the look, the border picture is hidden.
    RIR::SmartPtr<Mug> removeHandMug(int nHand);

    // ---- what tests and the play mode may look at ---------------------------------------------
    const FlyMug* getFlyMug(int nHand) const;
    RIR::SmartPtr<ActionSpot> getQueuedSpot() const { return m_pQueuedSpot; }
    int getActionDir() const { return m_eActionDir; }
    // Where a mug flying to or from her hand is: the left arm's sprite position, 35 px to the side
    // she faces and 80 px up.
    void getHandPoint(int* pX, int* pY) const;

    // ---- Character ----------------------------------------------------------------------------
    void detach() override;
    // The Character's names; "walk_" while stepping by the arrows; "stand_" in state 102.
    bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix) override;
    void updateState(float fDt) override;
    void animate(float fDt) override;
    void setState(int nState) override;
    // Queues 102 when nothing is queued, then takes the first queued state.
    void nextState() override;
    // Reads the markers of the acting arm's frames since the last update.
    virtual void onAnimEvent(AnimSprite* pSprite);

private:
    // Arrival at the action position (state 100); false when the spot refused.
    bool arriveAtAction();
    // Starts the action animation on a part and remembers it; true when it plays.
    bool startActionAnim(int nPart, const RIR::String& sPrefix, const RIR::String& sSuffix);
    // The spot does its work, or the thrown mug is launched or enters the hand.
    void performAction();
    // Moves the flights on and lands them.
    void updateFlyMugs(float fDt);
    // The free steps of the arrow keys; false when no arrow is held or she is busy acting.
    bool stepByArrows(float fDt);
    // Whether a sprite of the parts the action animation plays on is still playing.
    bool isActionAnimPlaying() const;
    // Whether a mug thrown from the hand could land on the spot as it is now: a spot that would
    // have to swap mugs takes the mug by hand instead.
    bool canThrowTo(ActionSpot* pSpot, int nHand) const;
    void dropAction();

    bool m_abArrows[4];                       // up, down, left, right
    bool m_bDoingAction;
    RIR::SmartPtr<Mug> m_pHandMug[HAND_COUNT];
    FlyMug* m_pFlyMug[HAND_COUNT];            // owned
    int m_eActionDir;
    RIR::SmartPtr<ActionSpot> m_pQueuedSpot;
    int m_eQueuedHand;
    RIR::SmartPtr<Mug> m_pTKMug;
    bool m_bTKToHand;
    AnimSprite* m_pActionSprite;              // the acting arm's first sprite (held by the body)
    AnimSprite* m_pHandSprite[HAND_COUNT];    // the arms' first sprites (held by the body)
    bool m_bTelekinesis;
    // The parts the action animation was started on (bit per part), 0 when none runs, and the
    // prefix each plays.
    int m_nActionParts;
    RIR::String m_asActionPrefix[PART_COUNT];
};

#endif
