// Character: the base of every person and animal in the saloon.
//
// A character is a grid walker (WalkingObject) with a body, a behaviour and named parameters:
// - The body: five parts (0 right arm, 1 left arm, 2 torso, 3 legs, 4 head), each a list of
//   animated sprites drawn as layers (clothes, skin, shadow). A state names an animation by a
//   prefix and a suffix; each part plays prefix + its direction code + suffix + its look variants,
//   falling back to fewer variants when the richer sequence is missing. Depths follow the row the
//   character stands on (row depth + 50), moved by a frame's "zdelta" or put on the floor by
//   "isshadow". The facing follows the motion; horizontal motion decides a diagonal step.
// - The behaviour: a state number with a first-in-first-out queue of states to take next, and an
//   activity that decides each frame whether the state machine runs (0 start, 1 state machine,
//   2 a timed animation, 3 an animation played to its end). The base states bring a character
//   in through the door (10 to the door, 5 in, then its class's enter state) and out by a side
//   exit (6 back through the door, 8 out along the street, 9 gone). Walking somewhere and then
//   taking a state is always walkTo followed by queueState.
// - The parameters: a ParamHolder of "CP_" keys set when the character is created; a key read
//   but never set is fatal.
//
// Clicks: a character that "CP_CAN_BE_STOPPED" takes a shot per click and is expelled when its
// "CP_EXPELL_COUNT" runs out; expelling one that is still coming in turns it back at the door.
//
// The play mode (IPlayMode) owns the characters, calls update once per frame and drops a
// character after it reported itself gone (removeCharacter). Body sprites are shown on the play
// screen (IPlayMode::getPlayScreen) and taken off it when the character goes.
//
// Usage:
//     RIR::SmartPtr<Character> pChar = new MyCharacter;        // sets its enter state
//     pChar->addPartAnimation(3, pLegs);                       // ... every part
//     pChar->placeAt(40, 175);                                 // row 0, outside
//     pChar->start();
//     pChar->update(fDt);                                      // every frame
//
// Main thread only.
#ifndef DBD_WORLD_CHARACTER_H
#define DBD_WORLD_CHARACTER_H

#include "world/paramholder.h"
#include "world/walkingobj.h"

#include "gfx/animation.h"
#include "gfx/animsprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Character : public WalkingObject, public ParamHolder
{
public:
    static constexpr int PART_COUNT = 5;
    // Body parts.
    static constexpr int PART_RIGHT_ARM = 0;
    static constexpr int PART_LEFT_ARM = 1;
    static constexpr int PART_TORSO = 2;
    static constexpr int PART_LEGS = 3;
    static constexpr int PART_HEAD = 4;
    // Activities.
    static constexpr int ACT_START = 0;
    static constexpr int ACT_STATES = 1;
    static constexpr int ACT_TIMED = 2;
    static constexpr int ACT_TO_END = 3;
    // Base states.
    static constexpr int ST_NONE = 0;
    static constexpr int ST_WALKING = 2;
    static constexpr int ST_HELD_UP = 3;
    static constexpr int ST_COME_IN = 5;
    static constexpr int ST_TURN_BACK = 6;
    static constexpr int ST_LEAVE = 8;
    static constexpr int ST_GONE = 9;
    static constexpr int ST_GO_TO_DOOR = 10;
    // The shot sound group of a click.
    static constexpr int SHOT_SOUND = 7;

    // A walker of the scene with no body yet, facing left, state 0, activity 0; body offsets
    // (21, 44, 15) and shadow offsets (5, -10, 0).
    Character();
    // Takes every body sprite and the attached sprite off their screen and drops the head
    // animation from the application's cache.
    ~Character() override;

    // ---- operations every kind of character may change ----------------------------------------
    void detach() override;
    // The activity driver, then the animation of the body.
    void update(float fDt) override;
    // The walker's walkTo; when it succeeds the state becomes 2 (walking).
    bool walkTo(int nX, int nY) override;
    // Activity 0: the next update starts the body and the state machine.
    virtual void start();
    // Expelling by clicks (see the file comment).
    virtual void onClick(int nX, int nY);
    // Puts the character on the floor at the pixel and places the body there.
    virtual void placeAt(int nX, int nY);
    // Sends the character away when it can be sent at this point: coming in (state 5) it turns
    // back at the door; already leaving (state 8) there is nothing to do. True when it is (or
    // already was) on its way out.
    virtual bool expel();
    virtual bool isWaitingToLeave();
    // State 8 or 6, or 8, 6 or 9 queued.
    virtual bool isLeaving();
    // The animation the current state or activity wants: true with its prefix and suffix, or
    // false with both left as they were.
    virtual bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix);
    // The base state machine; subclasses handle their own states and call this for the rest.
    virtual void updateState(float fDt);
    // Places the body, then advances every body sprite and the attached sprite.
    virtual void animate(float fDt);
    // Takes state n (activity 1), tells onStateChange and starts its animation.
    virtual void setState(int nState);
    // Takes the first queued state; "Assertion failed : false" when none is queued.
    virtual void nextState();
    virtual void onStateChange(int nOld, int nNew);
    // The row depth of the square under the character + 50.
    virtual int getDepth();
    // Plays the animation getAnimNames names on every part; nothing when it names none.
    virtual void startAnim();

    // ---- states ---------------------------------------------------------------------------------
    int getState() const { return m_nState; }
    int getActivity() const { return m_nActivity; }
    void queueState(int nState);
    void clearQueuedStates();
    bool isStateQueued(int nState) const;
    bool hasNoQueuedState() const { return m_lQueuedStates.isEmpty(); }
    const RIR::List<int>& getQueuedStates() const { return m_lQueuedStates; }
    void setEnterState(int nState) { m_nEnterState = nState; }
    int getEnterState() const { return m_nEnterState; }

    void setCharacterClass(CharacterClass eClass) { m_eClass = eClass; }
    CharacterClass getCharacterClass() const { return m_eClass; }
    void setHeadName(const char* pszName) { m_sHeadName = pszName; }
    void setWaitingToLeave(bool bWaiting) { m_bWaitingToLeave = bWaiting; }
    void setWalkAnimScale(float fScale) { m_fWalkAnimScale = fScale; }
    float getWalkAnimScale() const { return m_fWalkAnimScale; }
    int getDirection() const { return m_nDir; }
    // Faces the direction (0 right, 1 left, 2 up, 3 down), also as the walker's heading, and
    // restarts the body's animation in it.
    void setDirection(int nDir);

    // ---- timed and played-to-end animations ----------------------------------------------------
    // Activity 2.
    bool inWaitingState() const { return m_nActivity == ACT_TIMED; }
    // Both fail "Assertion failed : inWaitingState()" outside a timed wait.
    float getWaitTime() const;
    void setWaitTime(float fSeconds);
    // Changes the time left only while waiting.
    void setWaitTimeIfWaiting(float fSeconds);
    // Plays prefix + code + suffix for that many seconds, then takes the next queued state; the
    // wait ends when the time left drops below 0.
    void playAnimFor(float fSeconds, const char* pszPrefix, const char* pszSuffix);
    // Plays it once; the next queued state follows when the arms and legs have stopped.
    void playAnimOnce(const char* pszPrefix, const char* pszSuffix);
    // Activity 3 only.
    void setPlayToEnd() { m_nActivity = ACT_TO_END; }

    // ---- body -----------------------------------------------------------------------------------
    // A new layer of the part: a sprite of the animation of that name from the application's
    // animation cache.
    void addPartAnim(int nPart, const char* pszAnimFile);
    // The same with an animation built from only the listed sub-parts of a template, cached
    // under the key.
    void addPartAnimParts(int nPart, const char* pszAnimFile, const char* pszCacheKey,
                          const RIR::List<RIR::String>& lParts);
    // The same with an animation given by the caller. The sprite goes on the play screen (when
    // there is one), the part's list and the list of every body sprite; arms and legs also
    // decide when an animation has ended. Returns the sprite.
    RIR::SmartPtr<AnimSprite> addPartAnimation(int nPart, const RIR::SmartPtr<Animation>& pAnim);
    const RIR::List<RIR::SmartPtr<AnimSprite>>& getPartSprites(int nPart) const;
    // The part's first sprite, or null.
    RIR::SmartPtr<AnimSprite> getPartSprite(int nPart) const;
    const RIR::List<RIR::SmartPtr<AnimSprite>>& getSprites() const { return m_lSprites; }
    // True when none of the arm and leg sprites is still playing.
    bool isAnimDone() const;
    // Plays prefix + the part's direction code + suffix (+ variants) on the part's sprites:
    // first with both variants, then without the second, then without either. True when a
    // sprite plays. Walk sequences play at their speed times the walk scale.
    bool setPartAnim(int nPart, const RIR::String& sPrefix, const RIR::String& sSuffix);
    // The look variants of a part, used from its next setPartAnim.
    void setPartVariant(int nPart, const char* pszVariant, const char* pszVariant2);
    // Replays the part's last animation with its current variants, keeping every sprite's frame
    // and time, so a change of look does not restart the movement.
    void refreshPartAnim(int nPart);
    // The direction code of a part for a facing: "r_r".. for the right arm, "l_r".. for the left
    // arm, "r", "l", "u", "d" for the others.
    static const char* getDirectionCode(int nPart, int nDir);

    void setBodyOffsets(int nUp, int nDown, int nSide);
    void setShadowOffsets(int nUp, int nDown, int nSide);
    void setSpriteDx(int nDx);
    // Places the body at the walker's position: after a move, a change of row or a change of
    // facing (or always when forced), which also restarts the animation and the depths.
    void syncSprites(bool bForce);
    // The facing from the walker's heading; nothing while it stands.
    void updateFacing();
    // The depths of the sprites of the list (and of the attached sprite).
    void setSpriteDepths(const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites);
    void updateDepths() { setSpriteDepths(m_lSprites); }

    // ---- clicks and markers ---------------------------------------------------------------------
    // Whether any body sprite covers the screen point.
    bool containsPoint(int nX, int nY);
    // "CP_WANT_CLICKS".
    bool wantsClicks() const;
    // Fails "Assertion failed : pAS" for null and "Assertion failed : !m_pAttachSprite" while one
    // is attached; shows it on the play screen.
    void attachSprite(const RIR::SmartPtr<AnimSprite>& pAS);
    bool hasAttachSprite() const { return !m_pAttachSprite.isNull(); }
    RIR::SmartPtr<AnimSprite> getAttachSprite() const { return m_pAttachSprite; }
    // Fails "Assertion failed : m_pAttachSprite" without one; takes it off the screen.
    void removeAttachSprite();
    // The shot effect at a screen point: bang pictures scattered by up to 30 pixels (one in
    // low-resources mode, else three), then the sound group at x.
    void showShot(int nX, int nY, int nSoundGroup = SHOT_SOUND);

protected:
    RIR::List<RIR::SmartPtr<AnimSprite>> m_lPartSprites[PART_COUNT];
    RIR::String m_sPartPrefix[PART_COUNT];
    RIR::String m_sPartSuffix[PART_COUNT];
    RIR::String m_sPartVariant[PART_COUNT];
    RIR::String m_sPartVariant2[PART_COUNT];
    RIR::List<RIR::SmartPtr<AnimSprite>> m_lSprites;    // every body sprite, in order added
    RIR::List<RIR::SmartPtr<AnimSprite>> m_lEndSprites; // arms and legs
    float m_fWalkAnimScale;
    int m_nDir;
    int m_nVDir;
    bool m_bStepToggle;
    int m_nEnterState;
    int m_nActivity;
    int m_nState;
    RIR::List<int> m_lQueuedStates;
    float m_fWaitTime;
    RIR::String m_sAnimPrefix;
    RIR::String m_sAnimSuffix;
    int m_aBodyDy[4];
    int m_nSpriteDx;
    int m_aShadowDy[4];
    int m_nLastX;
    int m_nLastY;
    RIR::SmartPtr<AnimSprite> m_pAttachSprite;
    CharacterClass m_eClass;
    RIR::String m_sHeadName;
    bool m_bWaitingToLeave;

protected:
    // Reserves the shared way out (corridor mode 2) and heads for the first square inside the
    // door, out through it (state 6) from there. True when on the way; false, holding no way-out
    // reservation, when the way out is taken or the square cannot be walked to.
    bool headForDoor();

private:
    Character(const Character&) = delete;
    Character& operator=(const Character&) = delete;

    // Walks to the pixel of a door square and queues the state after it.
    void walkThroughDoor(bool bAtDoor, int nFlags, int nThenState);
};

#endif
