// Folders of the running program: the per-user data folder and a few path queries.
//
// The per-user data folder is where the settings file and the log live. It is the user's data
// home ($XDG_DATA_HOME when that is an absolute path, else $HOME/.local/share), with the
// program's own sub-path below it:
//     RIR::String sFolder = getDataFolder("Quillmoor/DustbowlDolly");
//     // "/home/ann/.local/share/Quillmoor/DustbowlDolly/"
// Folder texts returned here end in "/", so a file name is simply appended. None of these
// functions throws; each failure has its own answer, documented below.
#ifndef DIZIDOR_APP_DATAFOLDER_H
#define DIZIDOR_APP_DATAFOLDER_H

#include "rir2/rirstring.h"

// A writable per-user folder ending in "/", or "" when none was found (file names then stay
// relative to the current folder).
//
// The base is the user's data home, created when missing. When it is writable and pszSubPath is
// given, the sub-path is walked one part at a time (parts separated by "/" or "\", empty parts
// skipped), each folder created when missing; the walk stops at the first part that cannot be
// written. When the whole sub-path is writable it is the answer; a null pszSubPath answers the
// base itself. Otherwise the fall-back is the user's home folder with "/" (without the sub-path),
// when it is writable; failing that, "".
RIR::String getDataFolder(const char* pszSubPath);

// Whether a new file can be made with pszFolder as prefix: a probe file of a random name that
// does not exist yet is created and deleted again. The folder text is used unchanged, so it
// must end in "/" to probe inside the folder; "" (or null) probes the current folder.
bool isFolderWritable(const char* pszFolder);

// The current folder ending in "/"; "" when it cannot be read.
RIR::String getCurrentDir();

// The absolute form of pszPath: a relative path is taken from the current folder, "." parts and
// empty parts are dropped and ".." removes the part before it (never above "/"). The path need
// not exist; symbolic links are not followed. A trailing "/" is kept. "" for a null or empty
// path and when the current folder cannot be read.
RIR::String getFullPath(const char* pszPath);

#endif
