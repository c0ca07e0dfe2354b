// Campaign storage: ten campaign slots per player, each one settings value.
//
// Key "CampaignData_<slot>_<uid>"; a null player id means the current player ("PlayerUID"). The
// value is "" for a free slot, else 82 integers each written "%d " (so it ends with a blank):
// nTurn, nOpponent, then for town 0..19, for side 0 then 1, that side's stars and money.
//
// Reading repairs what a damaged settings file can hold, each repair with a warning line in the
// log, so that no stored value can break the rules later:
// - a turn below 1 becomes 1 ("W: CIO::rC Turn %d, fixing");
// - an opponent outside 0..4 is clamped into it ("W: CIO::rC Opponent %d, fixing");
// - a negative stars or money value clears both ("W: CIO::rC (%d) Money %d, Stars %d - fixing");
//   so does stars with no money behind them, which would make a star cost nothing; more than
//   5 stars become 5 ("W: CIO::rC (%d) Stars %d, fixing");
// - a town where both sides have stars: the side with fewer loses them, equal counts both
//   ("W: CIO::rC Stars (%d) %d %d, fixing"); a town where both sides have money: a side without
//   stars loses its money, and when both or neither hold stars the lesser amount goes, equal
//   amounts both ("W: CIO::rC Money (%d) %d %d, fixing"). The side that keeps its stars keeps its
//   money.
// A value with any other number of tokens than 82 cannot be repaired; it stays stored as it is,
// so the slot can still be overwritten or deleted.
#ifndef DBD_SHELL_CAMPAIGNIO_H
#define DBD_SHELL_CAMPAIGNIO_H

#include "shell/campaignstate.h"

#include "rir2/rirstring.h"

enum
{
    CAMPAIGN_SLOTS = 10,
    CAMPAIGN_TOKENS = 2 + CITY_COUNT * 2 * 2 // 82
};

RIR::String campaignSlotKey(int nSlot, const char* pszUID = nullptr);

// The stored form of the state (82 values, each "%d ").
RIR::String formatCampaignValue(const CampaignState& cs);
// Reads a stored value into *pCS with the repairs above (logged when bLog) and the totals. False,
// with *pnTokens the count, when the value does not hold exactly 82 tokens; *pCS is then
// unchanged. pnTokens may be null.
bool parseCampaignValue(const char* pszValue, CampaignState* pCS, bool bLog, int* pnTokens);

// Stores the state under the slot's key and saves the settings file.
void writeCampaign(const CampaignState* pCS, int nSlot, const char* pszUID = nullptr);
// Reads, repairs and rewrites the slot in normal form (saving the settings file); returns true.
// A value that does not hold 82 tokens raises FatalErrorException "Invalid token count %d\n" and
// stays stored unchanged; a screen that lists slots uses peekCampaign instead.
bool readCampaign(CampaignState* pCS, int nSlot, const char* pszUID = nullptr);
// Reads the slot for showing it, writing nothing: true with *pCS repaired (silently) and its
// totals; false for a free slot, and for a damaged one after the log line
// "W: CIO::rC Invalid token count %d" (isCampaignSlotUsed still answers true for it).
bool peekCampaign(CampaignState* pCS, int nSlot, const char* pszUID = nullptr);
// The stored value is not empty.
bool isCampaignSlotUsed(int nSlot, const char* pszUID = nullptr);
// Stores "" under the key; the settings file is not saved.
void deleteCampaignSlot(int nSlot, const char* pszUID = nullptr);
// The number of used slots among 0..9.
int countCampaignSlots(const char* pszUID = nullptr);
// Recomputes the totals; sums beyond the int range stay at its largest value.
void computeCampaignTotals(CampaignState* pCS);

#endif
