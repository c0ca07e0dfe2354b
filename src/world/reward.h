// Reward pictures: the money a player earns for dealing with a guest.
//
// showReward flies "text_rew_bucks" from the point to the cash bag (the amount is paid when it
// lands) and raises the fade texts "text_pay_r" at the point and "text_pay_r<amount>" at
// (x, nAmountY), both at the depth, rising 50 px/s for 2 s. The cow, the thief, the wanted man
// and a stopped fight pay this way.
//
// Usage:
//     showReward(nReward, nX, nY, nY - 35, nDepth);
//
// Main thread only; needs a registered IPlayMode.
#ifndef DBD_WORLD_REWARD_H
#define DBD_WORLD_REWARD_H

void showReward(int nReward, int nX, int nY, int nAmountY, int nDepth);

#endif
