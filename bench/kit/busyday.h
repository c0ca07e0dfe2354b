// BusyDay: a saloon day made as busy as the game gets, for the frame and memory benchmarks.
//
// start pushes a timed day (600 s) of the level and difficulty on the bench's application and
// runs frames until it is loaded and uncovered. fill then runs the day: customers are sent in
// at every free entrance until the chairs are taken, and from then on every guest kind the
// level's rules allow (thief, wanted man, undertaker, patient and special customers, the sheriff,
// the cow) is kept inside, and two customers fight: a kind that is missing enters at the next free entrance, past the
// rule that keeps newcomers out while a thief, a cow or an undertaker is inside. keepBusy does
// that once per frame during the measurement, and closes the one-time tips that stop the day;
// census describes who is inside.
//
//     BusyDay day(bench);
//     day.start(45, 2);
//     day.fill(60.0f, 16);
//     for (...) { day.keepBusy(); bench.frame(16); }
#ifndef DBD_BENCH_KIT_BUSYDAY_H
#define DBD_BENCH_KIT_BUSYDAY_H

#include "kit/benchapp.h"

#include <string>

class PlayMode;

class BusyDay
{
public:
    explicit BusyDay(BenchApp& bench) : m_bench(bench), m_pDay(nullptr) {}

    // False when the day did not load within 2000 frames.
    bool start(int nLevel, int nDifficulty);
    // Runs frames of nFrameMs for fSeconds of game time, filling the saloon.
    void fill(float fSeconds, int nFrameMs);
    // Sends in one missing guest kind when an entrance is free.
    void keepBusy();
    PlayMode* day() const { return m_pDay; }
    // "customers 9 (2 fighting), thief 1, ..." and the guard.
    std::string census() const;
    // The guest kinds inside (customers, fighters, and each other class), 0..9.
    int countKinds() const;
    // Characters inside.
    int countInside() const;

private:
    // Lets one character of the class in at a free entrance; false when none is free.
    bool letIn(int eClass);
    bool isKindAllowed(int eClass) const;
    // Closes what covers the day (the one-time tips about a kind's first visit), as a player's
    // click does.
    void closeTips();
    // Two seated customers face each other: one of them picks a fight with the other.
    void startFight();

    BenchApp& m_bench;
    PlayMode* m_pDay; // owned by the application
};

#endif
