// The settings file: where everything the program keeps between runs is stored.
//
// Form: one zlib stream (compression level 9) whose content is the object-stream signature byte
// 05, one byte 00, and the String-to-String table in the object streamer's hash form (13, the
// pair count, then key and value strings), in the table's own order:
//     { "A": "B" }  ->  inflates to 05 00 13 01 12 01 41 12 01 42
//
// The file holds the player's profiles, save slots and high scores, so a write never puts the
// old file at risk: the table goes to "<path>.tmp" in the same folder, every write and the close
// are checked, the data is synced to disk, and only then is the temporary file renamed over the
// old one. A write that fails at any point leaves the old file as it was and no temporary file
// behind. A file that cannot be read is moved aside to "<path>.bad" before anything replaces it,
// so a damaged file can still be looked at.
//
// Usage:
//     RIR::Hash<RIR::String, RIR::String> table;
//     SettingsFile::read(sPath.c_str(), table);   // raises when the file is missing or bad
//     SettingsFile::write(sPath.c_str(), table);  // raises when the file could not be replaced
#ifndef DIZIDOR_APP_SETTINGSFILE_H
#define DIZIDOR_APP_SETTINGSFILE_H

#include "rir2/hash.h"
#include "rir2/rirstring.h"

class SettingsFile
{
public:
    typedef RIR::Hash<RIR::String, RIR::String> Table;

    // Reads the file at pszPath into table (emptied first). Raises FileAccessException when the
    // file cannot be opened and the streams' own exceptions (BadStreamFormatException, ...) when
    // its content is not exactly a settings file: a compressed stream that is cut, damaged or
    // fails its check, wrong tags, a value cut short, anything after the table or after the
    // compressed stream. On failure the table may hold part of the file; callers read into a
    // scratch table and keep it only when the read succeeded.
    static void read(const char* pszPath, Table& table);

    // Replaces the file at pszPath by one holding table (see above). Raises FileAccessException
    // when the temporary file cannot be created or written, or cannot be renamed over the old
    // file, and FatalErrorException when compression fails; the old file is then unchanged.
    static void write(const char* pszPath, Table& table);

    // Moves the file at pszPath to getBadPath(pszPath), replacing an older one there. Returns
    // true when it was moved, false when there was nothing to move or the move failed. Never
    // raises.
    static bool keepAside(const char* pszPath);

    // Whether a regular file is at pszPath, readable or not. Never raises.
    static bool isPresent(const char* pszPath);

    // "<path>.tmp": where write puts the new file before it replaces the old one.
    static RIR::String getTempPath(const char* pszPath);
    // "<path>.bad": where keepAside puts a file that could not be read.
    static RIR::String getBadPath(const char* pszPath);
};

#endif
