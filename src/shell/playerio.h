// Player profiles: ten slots of name, id and default-name flag in the settings store, and the
// current player.
//
// Keys, slot n in decimal (0..9): "SavedPlayerName_<n>" (empty = free slot), "SavedPlayerUID_<n>",
// "SavedPlayerNameDefault_<n>" (true only for exactly "TRUE"); the current player is "PlayerName"
// and "PlayerUID" ("" = none). "PlayerName" is a copy taken by selectPlayer; a rename does not
// update it until the player is selected again.
//
// Every operation loads a fresh PlayerList; changes write all ten slots back to the store. None
// of them writes the settings file: the store's own save does (at the latest at exit).
//
// Ids are 16 upper-case hexadecimal digits, "%08X%08X" of the low and then the high 32 bits of the
// time in seconds (makeTimeId). A new player's id is also unique among the stored players: when
// the time gives an id some slot already holds (two players made in the same second), the
// value counts up by one until it is free. Everything keyed per player (story slots, campaigns)
// hangs on the id, so two players must never share one.
//
// Slot arguments must lie in 0..PLAYER_SLOTS-1, else AssertFailException
// "Assertion failed : nIdx >= 0 && nIdx < PLAYER_SLOTS".
#ifndef DBD_SHELL_PLAYERIO_H
#define DBD_SHELL_PLAYERIO_H

#include "rir2/rirstring.h"

#include <cstdint>

enum
{
    PLAYER_SLOTS = 10
};

struct PlayerList
{
    RIR::String sName[PLAYER_SLOTS];
    RIR::String uid[PLAYER_SLOTS];
    bool defaultName[PLAYER_SLOTS] = {};
};

// Fills pData from the store; missing keys read as "" and false.
void loadPlayerList(PlayerList& pData);
// Writes the three keys of all ten slots ("TRUE"/"FALSE" for the flag).
void savePlayerList(const PlayerList& pData);

// Makes the slot the current player ("PlayerName", "PlayerUID"). A free slot raises
// AssertFailException "Assertion failed : pData.sName[nIdx].getLength() > 0".
void selectPlayer(int nIdx);
// Stores a new player (name, new unique id; the slot's flag stays as it was) in nIdx, or with -1
// in the lowest free slot; returns the slot, or -1 with nothing written when all are used. Does
// not select the player.
int addPlayer(const char* pszName, int nIdx);
// Sets the name and clears the default-name flag; the id stays.
void renamePlayer(int nIdx, const char* pszName);
// Removes the slot's player: later slots move up one, slot 9 becomes free. The player's saves
// and the current-player keys are the caller's business.
void deletePlayer(int nIdx);
bool isPlayerSlotUsed(int nIdx);
bool isDefaultPlayerName(int nIdx);
void setDefaultPlayerName(int nIdx, bool bDefault);
// The lowest slot whose id equals pszUID exactly, or -1; "" finds the lowest free slot.
int findPlayerByUID(const char* pszUID);

// The clock of new ids: seconds since 1970. Tests install their own; null restores the system
// clock.
typedef int64_t (*IdClock)();
void setIdClock(IdClock pClock);
// "%08X%08X" of the low and the high 32 bits of the clock's time: the form of player ids and
// high-score entry keys.
RIR::String makeTimeId();
// The same form for a given time.
RIR::String formatTimeId(int64_t nTime);

// The name of the first, automatic player made from the login name: the text of
// "DefaultPlayerName" when the name is empty or, lower-cased byte by byte, contains "usu",
// "admin" or "user"; otherwise the login name itself.
RIR::String chooseDefaultPlayerName(const char* pszLoginName);
// Makes sure a player is selected when there is none: selects the lowest used slot, or else adds
// a player named by chooseDefaultPlayerName (slot 0), flags the name as default and selects it.
// Returns the selected slot.
int ensureDefaultPlayer(const char* pszLoginName);

#endif
