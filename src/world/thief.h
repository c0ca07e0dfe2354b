// Thief: comes in, robs the cash register again and again until he is clicked out.
//
// He walks in through the door to the stand square in front of the register, faces it and takes
// "CP_THIEF_STEAL_AMOUNT" from the day's cash per round of "steal_" (fade texts "text_rob_robbery"
// and "text_rob_<amount>", sound group 15) for as long as the cash holds a whole amount; then he
// gives up and leaves. Each click on him (or shot of the level's guard) is a shot effect and
// counts "CP_EXPELL_COUNT" down; from 0 on every click gives back "CP_THIEF_RETURN_AMOUNT" of
// what he took (all of it when that is 0, and never more than he still holds), flying to the cash
// bag; the first such click also sends him out (statistic 6) and pays "LP_STOPTHIEF_REWARD".
// When nothing is left to give back he stops taking clicks. While he stands at the register the
// level's ThiefGuard (IPlayMode::getThiefGuard) has him as target.
//
// States (besides the base states of Character): 100 just inside (enter state), 104 at the
// register, 102 stealing animation, 103 takes the money, 105 gives up stealing, 101 leaving
// (retried every "CP_TIME_RETRY_LEAVE" seconds while the way out is taken).
//
// Usage (the play mode):
//     RIR::SmartPtr<Thief> pThief = new Thief;   // dressed, "CP_" parameters set
//     pThief->placeAt(nStreetX, nStreetY);
//     pThief->start();
//
// Main thread only.
#ifndef DBD_WORLD_THIEF_H
#define DBD_WORLD_THIEF_H

#include "world/character.h"

class Thief : public Character
{
public:
    static constexpr int ST_INSIDE = 100;
    static constexpr int ST_LEAVE_ROOM = 101;
    static constexpr int ST_STEAL = 102;
    static constexpr int ST_TAKE = 103;
    static constexpr int ST_AT_REGISTER = 104;
    static constexpr int ST_GIVE_UP = 105;
    // Walking speed once sent away, pixels per second.
    static constexpr int EXPEL_SPEED_X = 240;
    static constexpr int EXPEL_SPEED_Y = 150;
    // His sprites are drawn this far right of his position at the register.
    static constexpr int REGISTER_DX = 32;

    // Enter state 100, nothing stolen, shot sound 7.
    Thief();
    ~Thief() override;

    void start() override;
    // A click of the player or a shot of the guard at the screen point.
    void onClick(int nX, int nY) override;
    bool expel() override;
    bool isLeaving() override;
    bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix) override;
    void updateState(float fDt) override;
    void onStateChange(int nOld, int nNew) override;
    // The sound group of the next hit effect (-1: none, the guard has played his shot); back to
    // 7 after each hit.
    virtual void setShotSound(int nGroup);

    int getStolen() const { return m_nStolen; }
    bool isAtRegister() const { return m_bAtRegister; }

private:
    // State 103.
    void takeMoney();
    // State 101.
    void leaveRoom();
    // Gives back a portion of the money at the clicked point.
    void giveBack(int nX, int nY);

    int m_nStolen;
    bool m_bAtRegister;
    int m_nShotSound;
};

#endif
