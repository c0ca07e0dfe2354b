// StayingCustomer: a customer who stays where he is whatever he is told, for day tests that
// need someone inside (or on a street square, keeping an entrance taken) without his life going
// on. He takes no clicks: the pointer's hover test asks every character on the day's list.
#ifndef DBD_TESTS_PLAY_KIT_STAYINGCUSTOMER_H
#define DBD_TESTS_PLAY_KIT_STAYINGCUSTOMER_H

#include "world/customer.h"

class StayingCustomer : public Customer
{
public:
    explicit StayingCustomer(CharacterClass eClass = CC_CUSTOMER)
    {
        setCharacterClass(eClass);
        setBool("CP_WANT_CLICKS", false);
    }
    void update(float) override {}
};

#endif
