// TableSpot: the seat place on a table in front of one chair, where a mug stands and where the
// heroine serves the customer sitting there.
//
// The table builder (Scene::placeTables) makes one per chair: the rectangle a click must hit over
// the table's half on that side, the table's centre square, the pixel where a mug on this seat is
// drawn, the depth and the side (0 left seat, 1 right seat). The heroine approaches it from the
// left, the right, below, or two rows above.
//
// While a customer sits on the chair the seat is bound to him (setCustomer) and its mug slots are
// his: putting a full mug down serves him (and he pays), taking the mug takes his, and a full mug
// in the hand is swapped for his empty one in one action. A mug that is not full is never served.
// Without a customer the seat only gives up a mug left on it; it accepts none from the heroine.
// A mug thrown by telekinesis is refused wherever a swap would be needed (Dolly::canThrowTo reads
// hasMug, which counts the customer's mug).
#ifndef DBD_WORLD_TABLESPOT_H
#define DBD_WORLD_TABLESPOT_H

#include "world/mugspot.h"

class Customer;

class TableSpot : public MugSpot
{
public:
    // The mug on this seat is drawn at (nMugX, nMugY) with z order nDepth, which is also the
    // spot's depth among the clickable spots. Approach sides (-1, 0), (+1, 0), (0, +1), (0, -2).
    TableSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nDepth, int nSide);
    ~TableSpot() override;

    // False while reserved. With a customer: an empty hand when his mug may be taken; a full mug
    // when his mug may be taken (swap) or he has none (served); a mug that is not full never.
    // Without one: an empty hand takes a mug left here; a hand with a mug is refused.
    bool canDoAction(Dolly* pChar, int nHand) override;
    // The seat's depth given at construction.
    int getDepth() override { return m_nDepth; }
    // Drops the customer, the mug and its proxy without touching the scene.
    void detach() override;

    // The customer's mug when one is bound, else the mug standing here.
    bool hasMug() override;
    RIR::SmartPtr<Mug> getMug() override;
    // With a customer, Customer::takeMug (he reacts to losing it); else the plain seat's.
    void takeMug(RIR::SmartPtr<Mug>& pMug) override;
    // With a customer who can be served, serves him and plays sound group 2 at the mug's x; else
    // the mug is put down on the table.
    void setMug(const RIR::SmartPtr<Mug>& pMug) override;
    bool canTakeMug() override;

    // Binding requires an unbound seat and unbinding a bound one, else
    // "Assertion failed : isNULL(pCust) != isNULL(m_pCustomer)".
    void setCustomer(const RIR::SmartPtr<Customer>& pCust);
    RIR::SmartPtr<Customer> getCustomer() const;

    int getI() const { return m_nSquareI; }
    int getJ() const { return m_nSquareJ; }
    int getSide() const { return m_nSide; }

private:
    RIR::SmartPtr<Customer> m_pCustomer;
    int m_nDepth;
    int m_nSide;
};

#endif
