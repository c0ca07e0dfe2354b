// The class draw: which kind of character comes in next.
//
// Every few seconds the level draws a CharacterClass from a weighted list of candidates. Who is
// already inside (SpawnCensus), the level's rules (DifficultyManager) and the due first
// appearances (SpawnSchedule) decide the list; the level's generator draws from it.
//
// Candidates in list order, with n the customers inside and "a customer can be added" meaning a
// free chair and n below the level's maximum:
//     class 0 customer    1.0                  a customer can be added
//     class 3 undertaker  getUndertakerWeight  a customer can be added, none inside, n >= 7
//     class 2 wanted man  getWantedWeight      a customer can be added, no wanted man and no
//                                              sheriff inside, n >= 5
//     class 4 patient     getPatientWeight     a customer can be added, none inside
//     class 7 special     getSpecialWeight     a customer can be added, none inside, not
//                                              low-resource mode
//     class 1 thief       getThiefWeight       no thief and no sheriff inside, n >= 6
//     class 6 cow         getCowWeight         no customer can be added, no cow and no special
//                                              character (sheriff, thief, wanted man,
//                                              undertaker, cow) inside
// When a customer can be added and a class is due for its first appearance, that class alone is
// the list (weight 1.0) and its first appearance is marked done. Weights below 0.001 are
// dropped; r uniform in [0, sum) picks the first class whose running sum exceeds r.
//
// Pure functions over counts: the caller gathers the census from its character list.
#ifndef DBD_LEVEL_SPAWNDRAW_H
#define DBD_LEVEL_SPAWNDRAW_H

#include "world/paramholder.h"

namespace RIR
{
class Random;
}
class DifficultyManager;
class SpawnSchedule;

// Who is inside the saloon, as spawning sees it.
struct SpawnCensus
{
    int nCustomers = 0;                  // characters that are customers (classes 0, 2, 3, 4, 7)
    bool bFreeChair = false;             // some chair is free
    bool abInside[CC_COUNT] = {};        // a character of the class is inside
    bool bUndertakerWantsClicks = false; // an undertaker inside waits to be clicked out
    bool bSomeoneWaitingToLeave = false; // a character waits to leave
};

// The weighted candidates, in list order.
struct SpawnCandidates
{
    int anClass[CC_COUNT];
    float afWeight[CC_COUNT];
    int nCount = 0;

    void add(int eClass, float fWeight);
    // The sum of the weights that are not dropped.
    double getTotalWeight() const;
};

// Nothing spawns while a character waits to leave, a thief or a cow is inside, or an undertaker
// inside waits to be clicked out.
bool isSpawnBlocked(const SpawnCensus& census);
// A free chair and fewer customers than the level's maximum.
bool canAddCustomer(const SpawnCensus& census, const DifficultyManager& rules);
// A sheriff, thief, wanted man, undertaker or cow is inside.
bool isSpecialCharacterPresent(const SpawnCensus& census);
// The candidate table above, without the first-appearance rule and with every weight kept.
SpawnCandidates listSpawnCandidates(const SpawnCensus& census, const DifficultyManager& rules,
                                    int nCash);
// The class picked by r in [0, total weight): weights below 0.001 are skipped, and the first
// class whose running sum exceeds r strictly is the answer; CC_NONE when none does.
int pickSpawnClass(const SpawnCandidates& candidates, double r);
// The whole draw for a spawn attempt with no class given: candidates, the first-appearance
// rule (which marks the class done in the schedule), and a draw from random. CC_NONE when the
// list is empty or the draw picks nothing. The caller still checks the class's minimum gap.
int drawSpawnClass(const SpawnCensus& census, const DifficultyManager& rules, int nCash,
                   float fElapsed, SpawnSchedule& schedule, RIR::Random& random);

#endif
