// HeadSitOffsets: where a customer's head goes, frame by frame, while he sits down or stands up.
//
// The sit-down animation moves the legs and body, but the head layers are placed by hand: frame n
// (0..8) of "sitdown_" puts the head at the legs' position plus (dx, dy) of entry n, with dx
// mirrored on a right chair. Standing up plays the same frames backwards. The table is the text
// resource "head_sit_offsets.txt": one line per frame, two integers separated by blanks; empty
// lines are skipped. It is read once per run and shared by every customer.
//
// Exactly 9 entries are needed: a line with fewer than two numbers is the list's error
// "List index out of range : %d (have %d)", a file with fewer than 9 lines raises
// FatalErrorException "head_sit_offsets.txt: %d entries, need 9", and lines after the ninth are
// not stored. Lookups clamp the frame to 0..8, so an animation longer than the table never reads
// outside it.
//
// Usage:
//     HeadSitOffsets::parse(sText);              // or load() from the game's packs
//     HeadSitOffsets::get(nFrame, &nDX, &nDY);
//
// Main thread only.
#ifndef DBD_WORLD_HEADSITOFFSETS_H
#define DBD_WORLD_HEADSITOFFSETS_H

#include "rir2/rirstring.h"

class HeadSitOffsets
{
public:
    static constexpr int COUNT = 9;

    // Reads the table from the text (see the file comment) and keeps it for the run.
    static void parse(const RIR::String& sText);
    // Reads "head_sit_offsets.txt" from the application's resources unless a table is kept.
    static void load();
    static bool isLoaded();
    // Entry nFrame clamped to 0..8; (0, 0) while no table is kept.
    static void get(int nFrame, int* pDX, int* pDY);
    // Forgets the table (tests).
    static void reset();
};

#endif
