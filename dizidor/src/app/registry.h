// The per-user registry: named string values filed under keys, kept between runs.
//
// Keys form a tree of paths whose parts are separated by "\" ("Software\Quillmoor\DustbowlDolly");
// runs of "\" and "\" at either end are ignored, and key paths and value names match without
// regard to ASCII case. A key exists once it has been created, and every key above an existing
// key exists too. Every key may hold values, each a text under a name; the name "" (or null) is
// the key's default value.
//
// The store is a small text file, by default "registry.txt" in the per-user data folder
// (getDataFolder("Quillmoor/DustbowlDolly")); setRegistryFile moves it. One key or value per
// line, fields separated by tabs, "#" starting a comment line:
//     Software\Quillmoor\DustbowlDolly
//     Software\Quillmoor\DustbowlDolly<TAB>HomeLink<TAB>https://...
// The bytes "%", tab, line feed, carriage return and "#" inside a field are written as "%25",
// "%09", "%0A", "%0D" and "%23". Lines the store does not understand are kept as they are.
// Every change rewrites the file through a temporary file renamed over it, so a failed write
// leaves the previous contents.
//
// Usage:
//     createRegistryKey(HKEY_CURRENT_USER, "Software\\Quillmoor\\DustbowlDolly");
//     writeRegistryString(HKEY_CURRENT_USER, "Software\\Quillmoor\\DustbowlDolly", "Home", "x");
//     char szBuffer[64] = {0};
//     int nBytes = readRegistryValue(HKEY_CURRENT_USER, "Software\\Quillmoor\\DustbowlDolly",
//                                    "Home", szBuffer, sizeof szBuffer - 1);
//
// None of these functions throws: failures answer false, null or 0. Main thread only.
#ifndef DIZIDOR_APP_REGISTRY_H
#define DIZIDOR_APP_REGISTRY_H

#include "rir2/rirstring.h"

// A key handle: the predefined root HKEY_CURRENT_USER or a key opened with openRegistryKey.
struct RegistryKey;
typedef RegistryKey* HKEY;

// The root of the current user's keys; never closed.
extern const HKEY HKEY_CURRENT_USER;

// Creates the key pszSubKey below hRoot with every missing key above it; true when it exists
// afterwards and the store was written (or the key existed already).
bool createRegistryKey(HKEY hRoot, const char* pszSubKey);

// Opens the existing key pszSubKey below hRoot (null or "" opens hRoot's own key) for setting
// values (bForWrite) or for reading them. The open key, or null when hRoot is not a valid handle
// or the key does not exist. The caller closes it with closeRegistryKey.
HKEY openRegistryKey(HKEY hRoot, const char* pszSubKey, bool bForWrite);

// Releases a key from openRegistryKey. Null and the predefined root are ignored.
void closeRegistryKey(HKEY hKey);

// Stores pszText (null counts as "") as the value pszValueName of the existing key pszSubKey
// below hRoot; a missing key is not created. True when the store was written.
bool writeRegistryString(HKEY hRoot, const char* pszSubKey, const char* pszValueName,
                         const char* pszText);

// Copies the value pszValueName of the key pszSubKey below hRoot into pBuffer: its text with the
// terminating zero, when that fits in nSize bytes. Returns the number of bytes stored; 0, with
// nothing stored, when the key or the value is missing, the value does not fit, or pBuffer is
// null or nSize not positive. The rest of the buffer is left as it was.
int readRegistryValue(HKEY hRoot, const char* pszSubKey, const char* pszValueName, void* pBuffer,
                      int nSize);

// Makes pszPath the store file; null goes back to the default in the data folder.
void setRegistryFile(const char* pszPath);
// The store file in use.
RIR::String getRegistryFile();

#endif
