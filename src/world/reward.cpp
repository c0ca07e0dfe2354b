// Reward pictures (reward.h).
#include "world/reward.h"

#include "world/iplaymode.h"

#include "rir2/rirstring.h"

void showReward(int nReward, int nX, int nY, int nAmountY, int nDepth)
{
    IPlayMode* pPlay = IPlayMode::getPlayMode();
    pPlay->flyImage("text_rew_bucks", nX, nY, nReward, -1, -1);
    pPlay->addFadeText("text_pay_r", nX, nY, nDepth, 50.0f, 2.0f);
    pPlay->addFadeText(RIR::String::format("text_pay_r%d", nReward).c_str(), nX, nAmountY, nDepth,
                       50.0f, 2.0f);
}
