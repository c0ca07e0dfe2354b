// Sheriff: comes in after a wanted man was caught, pins up the next wanted poster and leaves.
//
// He walks in through the door to the stand pixel below the poster (Scene::getPosterStandPixel),
// faces the wall, has the play mode draw the next wanted man on the poster
// (IPlayMode::newWantedPoster) and stands there for a second. Then he turns towards the middle
// of the room (left on the right half of the screen, x > 400, else right) and walks out through
// the door. While the way out is taken by another leaver he waits "CP_TIME_RETRY_LEAVE" seconds
// in "stand_", marked as waiting to leave, and tries again. He takes no clicks and pays nothing.
//
// States (besides the base states of Character): 100 just inside (his enter state), 101 at the
// poster, 102 leaving.
//
// Usage (the play mode):
//     RIR::SmartPtr<Sheriff> pSheriff = new Sheriff;   // dressed, "CP_" parameters set
//     pSheriff->placeAt(nStreetX, nStreetY);
//     pSheriff->start();
//
// Main thread only.
#ifndef DBD_WORLD_SHERIFF_H
#define DBD_WORLD_SHERIFF_H

#include "world/character.h"

class Sheriff : public Character
{
public:
    static constexpr int ST_TO_POSTER = 100;
    static constexpr int ST_AT_POSTER = 101;
    static constexpr int ST_GO_OUT = 102;

    // Enter state 100.
    Sheriff();
    ~Sheriff() override;

    void start() override;
    bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix) override;
    void updateState(float fDt) override;
    void onStateChange(int nOld, int nNew) override;
};

#endif
