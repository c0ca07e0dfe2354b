// Cow: the guest that sits down in the saloon doorway.
//
// A cow walks up to the door square and, with "CP_DO_SIT", sits down there; while she sits she
// keeps the entrance corridor reserved (mode 1), so nobody else comes in. From the moment she
// sits, clicks reach her: each click is a shot and counts "CP_EXPELL_COUNT" down (every click
// counts, even once she is leaving); at 0 she pays the level's "LP_COW_REWARD" (once) and gets
// up. After "CP_COW_SIT_TIME" seconds of sitting she gets up by herself, without a reward. Getting
// up she trades the corridor for a shared way-out reservation (mode 2) and leaves by a side exit,
// at 240/150 px/s once expelled. Without "CP_DO_SIT" she turns round at the door at once. She
// moos (sound group 14) when she sits down and when she sets off.
//
// States (besides the base states of Character): 5 at the door (her own), 100 has sat down,
// 101 seated (runs once per cycle of "sitting_", adding 1 s and the frame's time), 102 getting up.
//
// Usage (the play mode):
//     RIR::SmartPtr<Cow> pCow = new Cow;    // dressed and given her "CP_" parameters
//     pCow->placeAt(nStreetX, nStreetY);
//     pCow->start();
//
// Main thread only.
#ifndef DBD_WORLD_COW_H
#define DBD_WORLD_COW_H

#include "world/character.h"

class Cow : public Character
{
public:
    static constexpr int ST_SAT_DOWN = 100;
    static constexpr int ST_SITTING = 101;
    static constexpr int ST_GET_UP = 102;
    // Walking speed once sent away, pixels per second.
    static constexpr int EXPEL_SPEED_X = 240;
    static constexpr int EXPEL_SPEED_Y = 150;

    // Body offsets up 0, down 0, side -5.
    Cow();
    ~Cow() override;

    void start() override;
    void onClick(int nX, int nY) override;
    bool expel() override;
    bool isLeaving() override;
    bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix) override;
    void updateState(float fDt) override;
    void onStateChange(int nOld, int nNew) override;

    float getSitTime() const { return m_fSitTime; }

private:
    float m_fSitTime;
};

#endif
