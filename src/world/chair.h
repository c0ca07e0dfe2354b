// Chair: one of the two chairs of a saloon table, on its own floor square.
//
// The table builder (Scene::placeTables) makes two chairs per table, one each side, and tells each
// about its partner across the table. A chair keeps its pictures (front, back and, when given, the
// shadow) and slides them sideways away from the table as it is pulled out: a right chair up to
// 23 pixels right, a left chair up to 23 pixels left. It knows the seat spot in front of it and
// the character sitting on it, if any.
//
// A customer who takes the chair first walks to its stand position (a free square two rows below
// or one row above the chair), then sits at its sit position; the sit-down animation pulls the
// chair out through setPullOut. The play mode asks the scene for free chairs when it spawns.
//
// Chairs and their partners, occupants and seat spots refer to each other; detach breaks those
// links (the scene does it at teardown). Main thread only.
#ifndef DBD_WORLD_CHAIR_H
#define DBD_WORLD_CHAIR_H

#include "world/character.h"
#include "world/tablespot.h"

#include "gfx/sprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class Chair : public RIR::RefCountedObject
{
public:
    // "Assertion failed : validSquare(nI, nJ)" on an invalid square. The sprites are kept in the
    // order front, back, shadow (a null shadow is left out); the base x is the front sprite's x.
    // Pull-out 0, the sprites placed accordingly.
    Chair(int nI, int nJ, int nDepth, bool bRight, const RIR::SmartPtr<Sprite>& pFront,
          const RIR::SmartPtr<Sprite>& pBack, const RIR::SmartPtr<Sprite>& pShadow,
          const RIR::SmartPtr<TableSpot>& pTableSpot);
    ~Chair() override;

    int getI() const { return m_nI; }
    int getJ() const { return m_nJ; }
    bool isRight() const { return m_bRight; }
    int getDepth() const { return m_nDepth; }
    int getBaseX() const { return m_nBaseX; }
    const RIR::List<RIR::SmartPtr<Sprite>>& getSprites() const { return m_lSprites; }
    RIR::SmartPtr<TableSpot> getTableSpot() const { return m_pTableSpot; }

    void setOpposite(const RIR::SmartPtr<Chair>& pOpposite) { m_pOpposite = pOpposite; }
    RIR::SmartPtr<Chair> getOpposite() const { return m_pOpposite; }
    void setCustomer(const RIR::SmartPtr<Character>& pCustomer) { m_pCustomer = pCustomer; }
    RIR::SmartPtr<Character> getCustomer() const { return m_pCustomer; }

    // Clamps to 0..1, stores it and moves the sprites: x = base x -+ pull-out * 23, truncated
    // toward zero (a right chair moves right, a left chair left).
    void setPullOut(float fPullOut);
    float getPullOut() const { return m_fPullOut; }

    // Where a seated customer is placed: the top-left pixel of the chair's square moved one square
    // down; x is 25 px right of the square's left edge on a right chair, 25 px left of its right
    // edge on a left chair.
    void getSitPos(int* pX, int* pY) const;

    // A square next to the chair to stand on before sitting (and after standing up): (i, j + 2)
    // or (i, j - 1), tried in an order drawn with rand() (even: +2 first). A square qualifies
    // when it is valid, walkable and, unless bAllowOccupied, free of walkers. The pixel is the
    // square's top-left corner, moved to its right edge for a left chair and, for the row above,
    // to its bottom edge. False, with the outputs untouched, when neither square qualifies.
    bool findStandPos(int* pX, int* pY, bool bAllowOccupied) const;

    // False while occupied, and while the partner's occupant does not accept partners
    // ("CP_ACCEPT_PARTNERS"); true otherwise.
    bool isFreeForNewcomer() const;

    // Drops the partner, the occupant and the seat spot.
    void detach();

private:
    Chair(const Chair&) = delete;
    Chair& operator=(const Chair&) = delete;

    void updateSprites();

    int m_nI;
    int m_nJ;
    bool m_bRight;
    RIR::SmartPtr<Chair> m_pOpposite;
    RIR::List<RIR::SmartPtr<Sprite>> m_lSprites;
    RIR::SmartPtr<Character> m_pCustomer;
    int m_nBaseX;
    int m_nDepth;
    float m_fPullOut;
    RIR::SmartPtr<TableSpot> m_pTableSpot;
};

#endif
