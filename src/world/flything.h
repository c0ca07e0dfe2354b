// FlyThing: one sprite flown from a start point to an end point along a vertical parabola.
//
// The play mode flies money and reward pictures to the cash bag with it (the cash value is added
// on landing) and customers throw their bottles with it. setPath fixes the curve: x moves evenly
// from the start to the end, y follows a t^2 + b t + y0 with b three times the rise to the
// control height, so the curve leaves the start towards the control point and ends at the end
// point. update advances t by speed x dt; while t <= 1 the sprite is moved (to truncated pixels)
// and, when it is animated, its animation advances too; after t passed 1 the flight is done and
// the sprite stays where the last step put it. The owner calls update every frame and, when
// isDone, takes the cash value, removes the sprite and drops the flight.
//
// Usage:
//     RIR::SmartPtr<FlyThing> pFly = new FlyThing(pSprite, 1.5f);
//     pFly->setPath(x0, y0, x1, y1, y0 - 150);
//     pFly->update(fDt);          // every frame, until pFly->isDone()
//
// Main thread only.
#ifndef DBD_WORLD_FLYTHING_H
#define DBD_WORLD_FLYTHING_H

#include "gfx/sprite.h"

#include "rir2/refcount.h"

class FlyThing : public RIR::RefCountedObject
{
public:
    // fSpeed: flights per second. t 0, no cash.
    FlyThing(const RIR::SmartPtr<Sprite>& pSprite, float fSpeed);
    ~FlyThing() override;

    // Starts at (nX0, nY0) (the thing's position) and ends at (nX1, nY1), heading first for the
    // height nControlY.
    void setPath(int nX0, int nY0, int nX1, int nY1, int nControlY);
    void update(float fDt);
    // t > 1.
    bool isDone() const { return m_fT > 1.0f; }
    void setCashValue(int nCash) { m_nCashValue = nCash; }
    int getCashValue() const { return m_nCashValue; }
    RIR::SmartPtr<Sprite> getSprite() const { return m_pSprite; }
    float getT() const { return m_fT; }
    float getA() const { return m_fA; }
    float getB() const { return m_fB; }

private:
    FlyThing(const FlyThing&) = delete;
    FlyThing& operator=(const FlyThing&) = delete;

    RIR::SmartPtr<Sprite> m_pSprite;
    float m_fT;
    float m_fSpeed;
    int m_nCashValue;
    float m_fDX;
    float m_fA;
    float m_fB;
    int m_nX0;
    int m_nY0;
};

#endif
