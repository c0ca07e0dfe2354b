// The game shell's access to the application's settings store and string table.
//
// Everything the shell keeps between runs (profiles, save slots, campaigns, high scores) is a
// string value under a string key in GameApp's settings store; the screen texts come from its
// string table. These helpers reach both through GameApp::getInstance and fail with
// AssertFailException "Assertion failed : GameApp::getInstance()" when no application exists.
#ifndef DBD_SHELL_APPSTORE_H
#define DBD_SHELL_APPSTORE_H

#include "rir2/rirstring.h"

// The stored value, "" when the key is missing.
RIR::String getStoredValue(const char* pszKey);
// Stores the value in memory; the settings file is written by saveStore or at exit.
void setStoredValue(const char* pszKey, const char* pszValue);
// Writes the settings file now (GameApp::saveSettings); raises when it cannot be written.
void saveStore();
// The text of the key in the string table; the key itself when it is missing.
RIR::String getText(const char* pszKey);

// A stored index read with atoi: values outside 0..nCount-1 (a damaged settings file; the game
// writes only valid ones) give nDefault, as does a missing key.
int getStoredIndex(const char* pszKey, int nCount, int nDefault);

// The player id to use: pszUID, or the current player's ("PlayerUID") when it is null.
RIR::String resolvePlayerUID(const char* pszUID);

#endif
