// SpawnSchedule: the per-class bookkeeping of who came in when.
//
// For each character class 0..7 the level keeps the clock time of its last spawn, the least time
// between two spawns of the class, and for the rarer customers (wanted man, undertaker, patient,
// special) the level time of a guaranteed first appearance. Spawning (the play mode) asks it
// which class is due for its first appearance and whether a drawn class may come in yet.
//
// Classes and their rules:
//     class           minimum gap   first appearance (L = day length, r = 0..20 at random)
//     1 thief         25 s          -
//     2 wanted man    15 s          L / 5 + r       when wanted men are enabled
//     3 undertaker    45 s          L x 0.25 + r    when undertakers are enabled
//     4 patient        0            L / 3 + r       when patient customers are enabled
//     6 cow           60 s          -
//     7 special        0            L x 0.5 + r     when special customers are enabled
//
// A class index outside 0..7 raises "Assertion failed : eClass >= 0 && eClass < CC_COUNT".
#ifndef DBD_LEVEL_SPAWNSCHEDULE_H
#define DBD_LEVEL_SPAWNSCHEDULE_H

#include "world/paramholder.h"

#include <cstdint>

namespace RIR
{
class Random;
}
class DifficultyManager;

class SpawnSchedule
{
public:
    enum
    {
        NEVER_SPAWNED = -3200 // last spawn time of a class that never came
    };
    static constexpr float NO_FIRST_APPEARANCE = 10000.0f;

    // Nobody spawned, the minimum gaps of the table, no first appearances (all done).
    SpawnSchedule();
    // The same, then the first appearances of the enabled classes, each with a fresh
    // random.range(0, 20) in class order; their done flags become false.
    SpawnSchedule(const DifficultyManager& rules, RIR::Random& random);

    // Whether the class came in this level.
    bool hasSpawned(int eClass) const;
    // Whether the class may come in at nTicks (clock milliseconds): it never came, or at least
    // its minimum gap has passed since it last did.
    bool isGapOpen(int eClass, int nTicks) const;
    void markSpawned(int eClass, int nTicks);

    // The first class, in order 0..7, that never came, has a first appearance and whose time
    // has come at fElapsed seconds of level time; CC_NONE when none.
    int getDueFirstAppearance(float fElapsed) const;
    // As getDueFirstAppearance, among the classes whose first appearance still needs help (a
    // seated customer is asked to leave early to free a chair).
    int getFirstAppearanceNeedingHelp(float fElapsed) const;
    void markFirstAppearanceDone(int eClass);

    int getLastSpawnTime(int eClass) const;
    int getMinSpawnGap(int eClass) const;
    float getFirstAppearance(int eClass) const;
    bool isFirstAppearanceDone(int eClass) const;

private:
    static void checkClass(int eClass);

    int32_t m_anLastSpawnTime[CC_COUNT];
    int32_t m_anMinSpawnGap[CC_COUNT]; // seconds
    float m_afFirstAppearance[CC_COUNT];
    bool m_abFirstAppearanceDone[CC_COUNT];
};

#endif
