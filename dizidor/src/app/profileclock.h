// clockReset and clockLog: a stopwatch for finding where start-up spends its time.
//
//     clockReset();
//     loadEverything();
//     clockLog("loading");   // "CLOCK : loading :  1.25 [acc  1.25]"
//     buildScreens();
//     clockLog("screens");   // the lap since the last line, then the total since the reset
//
// Times are wall-clock seconds of a monotonic clock, kept process-wide; both are 0 until the
// first clockReset. Main thread only.
#ifndef DIZIDOR_APP_PROFILECLOCK_H
#define DIZIDOR_APP_PROFILECLOCK_H

// Starts the total and the lap at the current reading.
void clockReset();
// Writes "CLOCK : %s : %5.2lf [acc %5.2lf]\n" with the label, the lap and the total in seconds
// to standard output and to the log (no tag letter), then starts the next lap at a fresh reading,
// so that the writing is not counted in it.
void clockLog(const char* pszLabel);

#endif
