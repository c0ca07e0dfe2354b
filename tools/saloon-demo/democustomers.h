// DemoCustomers: customers of saloon-demo: generated guests who come in, take a chair, ask for a
// beer, are served by the heroine's clicks, drink, throw the bottle away, pay and leave.
//
//     saloon-demo --customers K ... [--heroine]
//
// A new customer comes every 4 s of the run while fewer than K are inside, a chair is free and
// the entrance corridor lets him in. Bodies, balloons, the impatience marks and the bottle are
// coloured blocks made here. With the heroine, a scripted player clicks for her: the tap when a
// customer waits and her hands are empty, the waiting customer when she holds a full beer, the
// sink when she holds an empty one. At closing time every customer is told to leave. The world
// (DemoWorld) steps the customers and removes them; the money they pay is the world's cash.
#ifndef DBD_TOOLS_SALOONDEMO_DEMOCUSTOMERS_H
#define DBD_TOOLS_SALOONDEMO_DEMOCUSTOMERS_H

#include "demoworld.h"

#include "world/customer.h"

#include "gfx/imagefactory.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class DemoHeroine;

class DemoCustomers
{
public:
    // pHeroine may be null (nobody serves). The head-sit table is the demo's own, made for the
    // block bodies.
    DemoCustomers(DemoWorld* pWorld, ImageFactory* pFactory, int nMaxCustomers,
                  DemoHeroine* pHeroine);
    ~DemoCustomers();

    // One frame: newcomers, closing time and the player's clicks.
    void update(float fDt);
    int getCameIn() const { return m_nCameIn; }

private:
    DemoCustomers(const DemoCustomers&) = delete;
    DemoCustomers& operator=(const DemoCustomers&) = delete;

    void spawn();
    void play();
    RIR::SmartPtr<Animation> bodyPart(int nPart, int nLook);
    RIR::SmartPtr<Image> block(int nW, int nH, int nR, int nG, int nB, int nInsX, int nInsY);

    DemoWorld* m_pWorld;      // not owned
    ImageFactory* m_pFactory; // not owned
    DemoHeroine* m_pHeroine;  // not owned
    int m_nMaxCustomers;
    float m_fSpawnTimer;
    float m_fClickTimer;
    bool m_bSentOut;
    int m_nCameIn;
    RIR::List<RIR::SmartPtr<Customer>> m_lCustomers; // those still in the world
};

#endif
