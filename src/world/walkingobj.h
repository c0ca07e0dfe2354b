// WalkingObject: the part of a person or animal that has a place on the saloon floor.
//
// This is the walker's placing and occupancy: a pixel position, the square it holds as its own
// and the square it is moving into. A walker claims a square before standing on it
// (markSquare), frees it when it leaves (unmarkSquare) and never holds a square another walker
// holds; every breach of that rule is logged with both walkers' identities, the scene dump and the
// characters dump, and fails its assertion. Walking along paths builds on this class.
//
// The scene's teardown calls detach on every occupant before dropping it, which drops the
// walker's squares without freeing them (the squares are being cleared anyway).
//
// Usage:
//     RIR::SmartPtr<WalkingObject> pWalker = new WalkingObject;   // a scene must exist
//     pWalker->setPos(400.0f, 205.0f);                             // claims square (5, 1)
//
// Its owner (a character list, the play mode) holds it through a handle of its own: the squares'
// references alone must not be the last, since freeing a square may then delete the walker in the
// middle of its own call. Main thread only.
#ifndef DBD_WORLD_WALKINGOBJ_H
#define DBD_WORLD_WALKINGOBJ_H

#include "world/squaredata.h"

#include "rir2/refcount.h"

class Scene;

class WalkingObject : public RIR::RefCountedObject
{
public:
    // Requires a scene ("Assertion failed : s_pScene != NULL" without one). Position (0, 0), no
    // squares, not blocked.
    WalkingObject();
    // Frees the squares it still holds (unmarkSquares).
    ~WalkingObject() override;

    // Drops the held square, the next square and nothing else, without freeing them.
    virtual void detach();
    // Frees the held square, moves to (fX, fY) and claims the square under the truncated
    // position. A pixel off the grid raises "Invalid square : %d, %d"; a square held by someone
    // (even this walker) fails markSquare's assertion. The next square is not touched.
    virtual void setPos(float fX, float fY);

    // The position truncated to ints.
    void getPos(int* pX, int* pY) const;
    float getX() const { return m_fX; }
    float getY() const { return m_fY; }
    // Sets the position only, touching no square.
    void setRawPos(float fX, float fY);

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

    bool isBlocked() const { return m_bBlocked; }
    RIR::SmartPtr<SquareData> getSquare() const { return m_pSquare; }
    RIR::SmartPtr<SquareData> getNextSquare() const { return m_pNextSquare; }

protected:
    float m_fX;
    float m_fY;
    bool m_bBlocked;
    RIR::SmartPtr<SquareData> m_pSquare;     // the square held as its own
    RIR::SmartPtr<SquareData> m_pNextSquare; // the square being moved into (held once claimed)
    Scene* m_pScene;                         // the scene at construction

private:
    WalkingObject(const WalkingObject&) = delete;
    WalkingObject& operator=(const WalkingObject&) = delete;
};

#endif
