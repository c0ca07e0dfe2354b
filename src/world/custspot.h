// CustomerSpot: the clickable place over a seated customer's body.
//
// While a customer sits, a click on him acts on his seat (the table spot of his chair): he is
// served, or his mug is taken or swapped, as if the table had been clicked. While he is in a
// fight that nobody is stopping yet, a click on him stops the fight instead: the heroine runs
// the "stopfight_" animation, the reward for the fight's rounds ("LP_STOPFIGHT_REWARD_0".."_2")
// flies to the cash bag with its fade texts, and sound group 9 plays.
//
// The customer makes the spot when he sits down (over the union of his body sprites' screen
// rectangles at that moment) and registers it with the scene; he removes it when he stands up.
// Reservations go to the table spot, so a mug flying to the seat blocks both.
#ifndef DBD_WORLD_CUSTSPOT_H
#define DBD_WORLD_CUSTSPOT_H

#include "world/proxyspot.h"

class Customer;
class TableSpot;

class CustomerSpot : public ProxyActionSpot
{
public:
    // "Assertion failed : notNULL(m_pCustomer)" for a null customer.
    CustomerSpot(const Rect& rect, const RIR::SmartPtr<Customer>& pCustomer,
                 const RIR::SmartPtr<TableSpot>& pTableSpot);
    ~CustomerSpot() override;

    // False while the seat is reserved; true for either hand while his fight is not being
    // stopped; otherwise the seat's answer.
    bool canDoAction(Dolly* pChar, int nHand) override;
    // Stops an unstopped fight (see the file comment); otherwise the seat's action.
    void doAction(Dolly* pChar, int nHand) override;
    // Always the seat's position.
    void getActionPos(Dolly* pChar, int nHand, int* pX, int* pY, int* pDir) override;
    // During an unstopped fight "stopfight_fast_" (both hands empty), "stopfight_wait_" (this hand
    // empty, the other full) or "stopfight_swap_" (this hand holds a mug); else the seat's.
    void getActionAnim(RIR::String& sName, Dolly* pChar, int nHand) override;
    int getActionSound(Dolly* pChar, int nHand) override;
    // False while he fights; else the seat's answer.
    bool acceptsThrownMug() override;
    bool contains(int nX, int nY) override;
    void detach() override;

    RIR::SmartPtr<Customer> getCustomer() const;

private:
    // Fighting, and nobody stops the fight yet.
    bool isUnstoppedFight() const;

    RIR::SmartPtr<Customer> m_pCustomer;
};

#endif
