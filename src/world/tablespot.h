// TableSpot: the seat place on a table in front of one chair, where a mug is put down for the
// customer sitting there.
//
// The table builder (Scene::placeTables) makes one per chair: the rectangle a click must hit over
// the table's half on that side, the table's centre square, the pixel where a mug on this seat is
// drawn, the depth and the side (0 left seat, 1 right seat). Here the spot carries that place;
// serving through it belongs to the customers' rules, and until those are built it offers the
// heroine no action.
#ifndef DBD_WORLD_TABLESPOT_H
#define DBD_WORLD_TABLESPOT_H

#include "world/actionspot.h"

class TableSpot : public ActionSpot
{
public:
    TableSpot(const Rect& rect, int nI, int nJ, int nMugX, int nMugY, int nDepth, int nSide);
    ~TableSpot() override;

    // No action is offered here.
    bool canDoAction(Dolly* pChar, int nHand) override;
    void doAction(Dolly* pChar, int nHand) override;
    // The centre of the seat's rectangle, facing down.
    void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) override;
    // "take_" or "leave_" by the hand's contents; "take_" here.
    void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) override;
    int getDepth() override { return m_nDepth; }
    void getMugPos(int* pX, int* pY) override;

    int getI() const { return m_nI; }
    int getJ() const { return m_nJ; }
    int getSide() const { return m_nSide; }

private:
    int m_nI;
    int m_nJ;
    int m_nMugX;
    int m_nMugY;
    int m_nDepth;
    int m_nSide;
};

#endif
