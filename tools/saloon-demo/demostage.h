// DemoStage: one scene of saloon-demo played out on a real saloon, for a look at it:
//
//     saloon-demo --window --scene N --stage fight|cow|sheriff|thief [--screenshot FILE]
//
// - fight: two customers take the chairs of one table; the first is served, and after his first
//   sip he picks a fight with the other: they stand and trade insults in their balloons.
// - cow: a cow walks to the door and sits down in the doorway.
// - sheriff: the sheriff comes in and pins up the next wanted poster.
// - thief: a thief comes in and robs the register while the mariachi guard at the lower left
//   shoots at him.
// The guests are the game's own, dressed from the packs (DemoCast); the world (DemoWorld) steps
// and removes them. isReady tells when the staged moment is on screen (the screenshot is taken
// then).
#ifndef DBD_TOOLS_SALOONDEMO_DEMOSTAGE_H
#define DBD_TOOLS_SALOONDEMO_DEMOSTAGE_H

#include "demoworld.h"

#include "world/customer.h"
#include "world/thiefguard.h"

#include "rir2/refcount.h"

#include <string>

class DemoStage
{
public:
    // False for a name that is none of the stages.
    static bool isStage(const std::string& sName);

    // Needs the packs open (the world's cast).
    DemoStage(DemoWorld* pWorld, const std::string& sStage);
    ~DemoStage();

    // One frame.
    void update(float fDt);
    // The thief's moment waits for the guard's muzzle flash.
    bool isReady() const
    {
        return m_fReadyTime >= READY_DELAY && (!m_pGuard || m_pGuard->isFlashShown());
    }

private:
    DemoStage(const DemoStage&) = delete;
    DemoStage& operator=(const DemoStage&) = delete;

    static constexpr float READY_DELAY = 0.6f;

    RIR::SmartPtr<Customer> addCustomer();
    void bringIn(const RIR::SmartPtr<Character>& pGuest, int nColumn);
    // Whether the staged moment is showing now.
    bool showing() const;

    DemoWorld* m_pWorld; // not owned
    std::string m_sStage;
    RIR::SmartPtr<Customer> m_pStarter;
    RIR::SmartPtr<Customer> m_pOpponent;
    RIR::SmartPtr<Character> m_pGuest;
    RIR::SmartPtr<ThiefGuard> m_pGuard;
    bool m_bServed;
    float m_fReadyTime;
};

#endif
