// Queries about the user and the machine, for default player names and the log's start-up and
// shutdown lines. None of them throws; each has a neutral answer when the system cannot tell.
#ifndef DIZIDOR_APP_SYSINFO_H
#define DIZIDOR_APP_SYSINFO_H

#include "rir2/rirstring.h"

// The login name of the user running the program: the name of the effective user's account
// entry, else $USER; "" when neither is known.
RIR::String getUserName();

// The user's home folder: $HOME when set and not empty, else the account entry's home folder;
// "" when neither is known. Returned as given (no "/" appended).
RIR::String getHomeFolder();

// The operating system for the log's "G: OS " line: the system name with the major and minor
// number of its release and the whole release text, "Linux 6.1 [6.1.0-18-amd64]"; the system
// name with "Unknown" ("Linux Unknown") when the version cannot be read.
RIR::String getOSVersionText();

// The physical memory in MiB (bytes shifted right by 20): what is available to new work
// (free memory plus reclaimable caches) and the total. Both 0 when it cannot be read. Values
// beyond the range of int are clamped.
void getMemoryStatus(int* pnAvailableMB, int* pnTotalMB);

#endif
