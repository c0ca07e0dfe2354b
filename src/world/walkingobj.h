// WalkingObject: the part of a person or animal that has a place on the saloon floor.
//
// A walker has a pixel position, the square it holds as its own, a walking speed per axis and,
// while it walks, a path of squares to a target pixel. It walks the path square by square: it
// claims each square before entering it (markSquare) and frees the one it leaves half-way along
// the leg (unmarkSquare), so it never holds a square another walker holds. When the next square is
// taken by someone else the walker stands still for 0.1 s and plans again from where it stands;
// it also plans again after every 2 s of walking, so that it goes round walkers that moved into its
// way. Free steps in a direction (moveStraight) serve the heroine's arrow keys.
//
// Every breach of the occupancy rule is logged with both walkers' identities, the scene dump and
// the characters dump, and fails its assertion.
//
// The scene's teardown calls detach on every occupant before dropping it, which drops the
// walker's squares without freeing them (the squares are being cleared anyway).
//
// Usage:
//     RIR::SmartPtr<WalkingObject> pWalker = new WalkingObject;   // a scene must exist
//     pWalker->setPos(400.0f, 205.0f);                             // claims square (5, 1)
//     pWalker->setSpeed(140, 100);
//     if (pWalker->walkTo(112, 355))
//         while (pWalker->isWalking())
//             pWalker->update(1.0f / 60.0f);
//
// Its owner (a character list, the play mode) holds it through a handle of its own: the squares'
// references alone must not be the last, since freeing a square may then delete the walker in the
// middle of its own call. Main thread only.
#ifndef DBD_WORLD_WALKINGOBJ_H
#define DBD_WORLD_WALKINGOBJ_H

#include "world/squaredata.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class Scene;

class WalkingObject : public RIR::RefCountedObject
{
public:
    // Directions of free steps: right, left, up, down, none.
    static constexpr int DIR_RIGHT = 0;
    static constexpr int DIR_LEFT = 1;
    static constexpr int DIR_UP = 2;
    static constexpr int DIR_DOWN = 3;
    static constexpr int DIR_NONE = 4;
    // The longest step one update takes, in seconds.
    static constexpr float MAX_STEP = 1.0f / 15.0f;
    // Seconds of walking after which the path is planned again.
    static constexpr float REPLAN_TIME = 2.0f;
    // Seconds a walker stands before it plans again after finding its next square taken.
    static constexpr float BLOCKED_DELAY = 0.1f;

    // Requires a scene ("Assertion failed : s_pScene != NULL" without one). Position (0, 0), no
    // squares, not walking, not blocked, speed (0, 0).
    WalkingObject();
    // Frees the squares it still holds.
    ~WalkingObject() override;

    // Drops the held square, the next square and the path, without freeing any square.
    virtual void detach();
    // Frees the held square, moves to (fX, fY) and claims the square under the truncated
    // position. A pixel off the grid raises "Invalid square : %d, %d"; a square held by someone
    // (even this walker) fails markSquare's assertion. The next square is not touched.
    virtual void setPos(float fX, float fY);
    // Walks while a walk is under way (walkStep); nothing otherwise.
    virtual void update(float fDt);
    // Plans a walk to the pixel and starts it. False, with nothing changed, when the pixel is the
    // walker's own (truncated) position or lies off the grid or on a blocked square. A walker
    // standing on a blocked square first steps onto a usable neighbour (leaveBlockedSquare).
    // A goal that cannot be reached over the links fails "Assertion failed : !lBestPath.isEmpty()".
    virtual bool walkTo(int nX, int nY);

    bool isWalking() const { return m_bWalking; }
    bool isBlocked() const { return m_bBlocked; }

    // The position truncated to ints.
    void getPos(int* pX, int* pY) const;
    float getX() const { return m_fX; }
    float getY() const { return m_fY; }
    // Sets the position only, touching no square.
    void setRawPos(float fX, float fY);

    // Pixels per second along x and along y.
    void setSpeed(int nX, int nY);
    void getSpeed(int* pX, int* pY) const;
    // The offset to the waypoint while walking, the direction vector of a free step, (0, 0)
    // while held up by another walker.
    void getHeading(int* pDX, int* pDY) const;
    void setHeading(int nDX, int nDY);
    void getTarget(int* pX, int* pY) const;

    // Ends the walk: frees the squares held, then settles on the square under the walker, or on
    // the nearest usable one when that square is blocked, taken or off the grid.
    void stopWalking();
    // One free step of fDt seconds in direction nDir, drifting at half speed towards nSideDir
    // (DIR_NONE: none). Ends a walk first. False, with nothing moved, when the new pixel lies off
    // the grid, on a blocked square, on another walker's square or on a neighbour square without a
    // link from the current one.
    bool moveStraight(int nDir, int nSideDir, float fDt);

    // Claims pSq. A null square fails "Assertion failed : pSq"; a square with any occupant logs
    // "***** Error in markSquare() *****", both identities, the scene dump and the characters
    // dump, then fails "Assertion failed : isNULL(pSq->pWalkObj)".
    void markSquare(const RIR::SmartPtr<SquareData>& pSq);
    // Frees pSq, which this walker must hold ("Assertion failed : pSq",
    // "Assertion failed : pSq->pWalkObj == WalkingObjectPtr(this)").
    void unmarkSquare(const RIR::SmartPtr<SquareData>& pSq);
    // Frees the held square, then the next square when it is set, differs from it and the
    // walker is not blocked; both are cleared.
    void unmarkSquares();

    // Moves onto the nearest point of the nearest usable neighbour square: valid, walkable and
    // free of other walkers. A square held by another walker is never chosen, whatever
    // bAvoidOthers says, since standing there would break the occupancy rule; the flag is kept
    // for the callers that state they expect others around. When none of the eight neighbours
    // is usable the walker goes to the centre of the nearest usable square of the grid; when
    // there is none at all it stays where it is. True when it moved.
    bool leaveBlockedSquare(bool bAvoidOthers);
    // Fills the path from pSrc to pDst: over free squares when possible, else through as few
    // occupied squares as possible, admitting them from the goal end first. The source itself is
    // not part of the path unless it is the goal.
    void chooseBestPath(const RIR::SmartPtr<SquareData>& pSrc, const RIR::SmartPtr<SquareData>& pDst);
    // One movement step of at most MAX_STEP seconds along the path.
    void walkStep(float fDt);

    RIR::SmartPtr<SquareData> getSquare() const { return m_pSquare; }
    RIR::SmartPtr<SquareData> getNextSquare() const { return m_pNextSquare; }
    const RIR::List<RIR::SmartPtr<SquareData>>& getPath() const { return m_lPath; }
    float getPlanTime() const { return m_fPlanTime; }
    float getDelay() const { return m_fDelay; }

protected:
    bool m_bWalking;
    int m_nTargetX;
    int m_nTargetY;
    int m_nWaypointX;
    int m_nWaypointY;
    RIR::List<RIR::SmartPtr<SquareData>> m_lPath; // squares still to enter, first next
    int m_nLegDX;                                 // waypoint minus position when it was taken
    int m_nLegDY;
    int m_nHeadingX;
    int m_nHeadingY;
    int m_nSpeedX;
    int m_nSpeedY;
    float m_fX;
    float m_fY;
    bool m_bBlocked;                         // the next square is another walker's; re-plans soon
    RIR::SmartPtr<SquareData> m_pSquare;     // the square held as its own
    RIR::SmartPtr<SquareData> m_pNextSquare; // the square being moved into (held once claimed)
    Scene* m_pScene;                         // the scene at construction
    float m_fPlanTime;                       // walking time since the last plan
    float m_fDelay;                          // time left to stand still

private:
    WalkingObject(const WalkingObject&) = delete;
    WalkingObject& operator=(const WalkingObject&) = delete;

    // Whether a walker may stand on (i, j): valid, walkable and free of other walkers.
    bool isUsableSquare(int nI, int nJ) const;
    // The fallback of leaveBlockedSquare: the centre of the usable square nearest to (i, j) in
    // rings of growing distance; false when the grid has none.
    bool findNearestUsableSquare(int nI, int nJ, int* pX, int* pY) const;
    // The end of a walk: the position becomes the target, then stopWalking.
    void endWalk();
};

#endif
