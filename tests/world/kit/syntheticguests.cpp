// The synthetic special guests (syntheticguests.h).
#include "world/kit/syntheticguests.h"

#include "world/kit/scenefilekit.h"
#include "world/kit/syntheticanimation.h"

#include <string>

namespace
{

void dress(Character* pGuest)
{
    for (int nPart = 0; nPart < Character::PART_COUNT; ++nPart)
        pGuest->addPartAnimation(nPart, makeGuestPartAnimation(nPart));
    pGuest->setSpeed(140, 100);
    pGuest->setBool(CP_ALWAYS_EXIT_RIGHT, true);
    pGuest->setBool(CP_EXCLUSIVE_ENTER, false);
    pGuest->setFloat(CP_TIME_RETRY_LEAVE, 0.5f);
    pGuest->setBool(CP_WANT_CLICKS, false);
    pGuest->setBool(CP_CAN_BE_STOPPED, false);
}

// One guard animation: each layer prefix with the guard's sequences.
std::string guardScript(const std::initializer_list<const char*>& lPrefixes, bool bGun)
{
    std::string s = "fps 10\nload guard_0\nload guard_1\n";
    for (const char* pszPrefix : lPrefixes)
    {
        const std::string p = pszPrefix;
        s += "seq " + p + "idle loop\nadd guard_0\nadd guard_1\n";
        s += "seq " + p + "sleep\nadd guard_0\nadd guard_1\nadd guard_0\n";
        s += "seq " + p + "sleeping loop\nadd guard_0\nadd guard_1\n";
        s += "seq " + p + "wakeup\nadd guard_0\nadd guard_1\nadd guard_0\n";
        s += "seq " + p + "start\nadd guard_0\nadd guard_1\n";
        if (bGun)
            s += "prop showweapon 1\n";
        s += "add guard_0\n";
        s += "seq " + p + "fire\nadd guard_0\nadd guard_1\nprop playsound 1\nadd guard_0\n"
             "prop bang 1\nadd guard_1\nprop doaction 1\nadd guard_0\nadd guard_1\n";
        s += "seq " + p + "end\nadd guard_0\nadd guard_1\n";
        if (bGun)
            s += "prop hideweapon 1\n";
        s += "add guard_0\n";
    }
    return s;
}

} // namespace

RIR::SmartPtr<Animation> makeGuestPartAnimation(int nPart)
{
    SyntheticAnimation anim(10.0f);
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const std::string c = Character::getDirectionCode(nPart, nDir);
        anim.sequence(("stand_" + c).c_str(), 2, true);
        anim.sequence(("walk_" + c + "_1s").c_str(), 4, false);
        anim.sequence(("walk_" + c + "_2s").c_str(), 4, false);
        for (const char* pszName : {"sitdown_", "standup_", "startsteal_", "steal_", "endsteal_"})
            anim.sequence((pszName + c).c_str(), 4, false);
        anim.sequence(("sitting_" + c).c_str(), 5, false);
    }
    return anim.build();
}

void addGuardAnimations(SceneFileKit& kit)
{
    kit.addPicture("guard_0", 60, 120);
    kit.addPicture("guard_1", 60, 120);
    kit.addPicture("bang_hor", 40, 20);
    kit.addPicture("perro_gun", 50, 20);
    kit.addText("mariachi.anim", guardScript({"torso_", "canana_", "lh_", "rh_", "ra_"}, false));
    kit.addText("dog.anim", guardScript({""}, true));
}

SyntheticCow::SyntheticCow()
{
    dress(this);
    setFloat(CP_EXPELL_COUNT, 3.0f);
    setBool(CP_DO_SIT, true);
    setFloat(CP_COW_SIT_TIME, 10.0f);
}

SyntheticSheriff::SyntheticSheriff()
{
    dress(this);
}

SyntheticThief::SyntheticThief()
{
    dress(this);
    setFloat(CP_EXPELL_COUNT, 3.0f);
    setBool(CP_WANT_CLICKS, true);
    setFloat(CP_THIEF_STEAL_AMOUNT, 100.0f);
    setFloat(CP_THIEF_RETURN_AMOUNT, 0.0f);
}
