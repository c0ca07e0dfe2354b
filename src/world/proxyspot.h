// ProxyActionSpot: a spot with a rectangle of its own that forwards everything else to another.
//
// A mug standing on a table seat gets a proxy over its picture, so that a click on the mug acts
// on the seat. The proxy answers every operation with its target's answer, except that it plays
// no action sound (-1) and tests clicks against its own rectangle; reserving a proxy therefore
// reserves the target. The proxy keeps its target alive.
#ifndef DBD_WORLD_PROXYSPOT_H
#define DBD_WORLD_PROXYSPOT_H

#include "world/actionspot.h"

class ProxyActionSpot : public ActionSpot
{
public:
    // pTarget is the spot that does the work; every creator passes one.
    ProxyActionSpot(const Rect& rect, const RIR::SmartPtr<ActionSpot>& pTarget);
    ~ProxyActionSpot() override;

    bool canDoAction(Dolly* pChar, int nHand) override;
    void doAction(Dolly* pChar, int nHand) override;
    void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) override;
    void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) override;
    int getActionSound(Dolly* pChar, int nHand) override;
    int getDepth() override;
    bool acceptsThrownMug() override;
    void setReserved(bool bReserved) override;
    bool isReserved() override;
    void takeMugTK(RIR::SmartPtr<Mug>& pMug) override;
    void setMugTK(const RIR::SmartPtr<Mug>& pMug) override;
    void getMugPos(int* pX, int* pY) override;

    RIR::SmartPtr<ActionSpot> getTarget() const { return m_pTarget; }

private:
    // The target; a proxy made without one fails "Assertion failed : m_pTarget" when used.
    ActionSpot* target() const;

    RIR::SmartPtr<ActionSpot> m_pTarget;
};

#endif
