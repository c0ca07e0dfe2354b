// The synthetic customer (syntheticcustomer.h).
#include "world/kit/syntheticcustomer.h"

#include "world/headsitoffsets.h"
#include "world/kit/syntheticanimation.h"

#include <cstring>
#include <string>

namespace
{

void addSeq(SyntheticAnimation& anim, const std::string& sName, int nFrames, bool bLoop)
{
    anim.sequence(sName.c_str(), nFrames, bLoop);
}

} // namespace

RIR::SmartPtr<Animation> makeCustomerPartAnimation(int nPart)
{
    SyntheticAnimation anim(10.0f);
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const std::string c = Character::getDirectionCode(nPart, nDir);
        addSeq(anim, "stand_" + c, 2, true);
        addSeq(anim, "walk_" + c + "_1s", 4, false);
        addSeq(anim, "walk_" + c + "_2s", 4, false);
        addSeq(anim, "sit_idle_" + c, 2, true);
        for (const char* pszSit : {"sitdown_", "standup_"})
        {
            const std::string s = pszSit + c;
            addSeq(anim, s, 9, false);
            if (nPart == Character::PART_LEGS)
            {
                const bool bDown = std::strcmp(pszSit, "sitdown_") == 0;
                anim.frameProp(s.c_str(), 3, "chairpos", bDown ? "0.5" : "1.0");
                anim.frameProp(s.c_str(), 6, "chairpos", bDown ? "1.0" : "0.5");
                anim.frameProp(s.c_str(), 4, "playsound", "1");
            }
        }
        for (int nAsk = 0; nAsk < 3; ++nAsk)
        {
            const std::string s = "ask_" + std::to_string(nAsk) + "_" + c;
            addSeq(anim, s, 6, false);
            anim.frameProp(s.c_str(), 4, "endseq", "1");
            anim.frameProp(s.c_str(), 2, "sound", "1");
        }
        const std::string sDrink = "drink_" + c;
        addSeq(anim, sDrink, 6, false);
        anim.frameProp(sDrink.c_str(), 2, "take", "1");
        anim.frameProp(sDrink.c_str(), 4, "leave", "1");
        const std::string sFast = "drink_fast_" + c;
        addSeq(anim, sFast, 4, false);
        anim.frameProp(sFast.c_str(), 1, "take", "1");
        anim.frameProp(sFast.c_str(), 2, "leave", "1");
        addSeq(anim, "fight_" + c, 5, false);
        const std::string sThrow = "throw_" + c;
        addSeq(anim, sThrow, 6, false);
        anim.frameProp(sThrow.c_str(), 1, "take", "1");
        anim.frameProp(sThrow.c_str(), 2, "doaction", "1");
        anim.frameProp(sThrow.c_str(), 2, "mugx", "5");
        anim.frameProp(sThrow.c_str(), 2, "mugy", "-20");
        anim.frameProp(sThrow.c_str(), 2, "landx", "120");
        anim.frameProp(sThrow.c_str(), 2, "landy", "40");
        anim.frameProp(sThrow.c_str(), 2, "miny", "-80");
    }
    return anim.build();
}

RIR::SmartPtr<Animation> makeBalloonAnimation()
{
    SyntheticAnimation anim(10.0f);
    anim.sequence("empty", 1, false);
    for (int nAsk = 0; nAsk < 3; ++nAsk)
        for (const char* pszSide : {"r", "l"})
            anim.sequence(("ask_" + std::to_string(nAsk) + "_" + pszSide).c_str(), 2, true);
    for (int nInsult = 0; nInsult < INSULT_BALLOONS; ++nInsult)
        for (const char* pszSide : {"r", "l"})
            anim.sequence(("insult_" + std::to_string(nInsult) + "_" + pszSide).c_str(), 1, true);
    return anim.build();
}

RIR::SmartPtr<Animation> makeExclamationAnimation()
{
    SyntheticAnimation anim(10.0f);
    for (int n = 0; n < 3; ++n)
    {
        const std::string s = "excl_" + std::to_string(n);
        anim.sequence(s.c_str(), 2, true);
        anim.frameProp(s.c_str(), 1, "ydelta", "-90");
    }
    return anim.build();
}

RIR::SmartPtr<Animation> makeBottleAnimation()
{
    SyntheticAnimation anim(10.0f);
    for (const char* pszSide : {"r", "l"})
    {
        const std::string sThrow = std::string("throw_") + pszSide;
        anim.sequence(sThrow.c_str(), 6, false);
        anim.frameProp(sThrow.c_str(), 2, "playsound", "1");
        anim.sequence((std::string("fade_") + pszSide).c_str(), 3, false);
    }
    return anim.build();
}

const char* syntheticHeadSitOffsetsText()
{
    return "0 0\n1 -1\n2 -2\n\n3 -3\n4 -4\n5 -5\n6 -6\n7 -7\n8 -8\n";
}

void setPlainCustomerParams(ParamHolder* p)
{
    p->setBool(CP_CAN_BE_STOPPED, false);
    p->setFloat(CP_EXPELL_COUNT, 1.0f);
    p->setBool(CP_WANT_CLICKS, false);
    p->setBool(CP_ALWAYS_EXIT_RIGHT, true);
    p->setBool(CP_EXCLUSIVE_ENTER, false);
    p->setBool(CP_IS_WANTED, false);
    p->setFloat(CP_TIME_RETRY_LEAVE, 0.5f);
    p->setFloat(CP_TIME_ASK_0, 1.0f);
    p->setFloat(CP_TIME_ASK_1, 1.0f);
    p->setFloat(CP_TIME_ASK_2, 1.0f);
    p->setFloat(CP_TIME_ASK_3, 1.0f);
    p->setBool(CP_LEAVE_ON_ABANDON, false);
    p->setBool(CP_PATIENT, false);
    p->setFloat(CP_TIME_BETWEEN_DRINK, 0.5f);
    p->setBool(CP_LAST_DRINK_LOCKED, false);
    p->setBool(CP_FAST_DRINK_NEXT, false);
    p->setFloat(CP_FAST_DRINK_PROB, 0.0f);
    p->setFloat(CP_START_FIGHT_PROB, 0.0f);
    p->setFloat(CP_MAX_DRINKS, 2.0f);
    p->setFloat(CP_PAY_0, 120.0f);
    p->setFloat(CP_PAY_1, 110.0f);
    p->setFloat(CP_PAY_2, 100.0f);
    p->setFloat(CP_PAY_3, 90.0f);
    p->setBool(CP_PICK_FIRST_CHAIR, false);
    p->setBool(CP_LEAVE_ON_REMOVE, false);
    p->setBool(CP_ACCEPT_FIGHTS, false);
    p->setBool(CP_CAN_BE_SCARED, true);
    p->setBool(CP_ACCEPT_PARTNERS, true);
    p->setBool(CP_SCARES_PEOPLE, false);
}

SyntheticCustomer::SyntheticCustomer()
{
    setPlainCustomerParams(this);
    for (int nPart = 0; nPart < Character::PART_COUNT; ++nPart)
        addPartAnimation(nPart, makeCustomerPartAnimation(nPart));
    setSpeed(140, 100);
}

RIR::SmartPtr<Animation> SyntheticCustomer::loadAnimation(const char* pszName)
{
    if (std::strcmp(pszName, "balloons.anim") == 0)
        return makeBalloonAnimation();
    if (std::strcmp(pszName, "exclamation.anim") == 0)
        return makeExclamationAnimation();
    return makeBottleAnimation();
}
