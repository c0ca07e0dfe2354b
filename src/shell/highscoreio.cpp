// High-score tables in the settings store (see highscoreio.h).
#include "shell/highscoreio.h"

#include "shell/appstore.h"
#include "shell/playerio.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>

namespace
{

// The store key of one field of an entry, written into a buffer of its own: a walk through the
// table's 360 keys allocates none of them.
class EntryKey
{
public:
    EntryKey(int nList, int nTime, int nDifficulty, int nRank, const char* pszField)
    {
        std::snprintf(m_szKey, sizeof(m_szKey), "CachedHighScore_%d_%d_%d_%d_%s", nList, nTime,
                      nDifficulty, nRank, pszField);
    }
    const char* c_str() const { return m_szKey; }

private:
    char m_szKey[96]; // room for four full-width ints and the longest field name
};

} // namespace

int highScoreIndex(int nList, int nTime, int nDifficulty, int nRank)
{
    RIR_ASSERT(nList >= 0 && nList < HS_LISTS);
    RIR_ASSERT(nTime >= 0 && nTime < HS_TIMES);
    RIR_ASSERT(nDifficulty >= 0 && nDifficulty < HS_DIFFICULTIES);
    RIR_ASSERT(nRank >= 0 && nRank < HS_RANKS);
    return ((nList * HS_TIMES + nTime) * HS_DIFFICULTIES + nDifficulty) * HS_RANKS + nRank;
}

void loadHighScores(HighScoreTable& table)
{
    RIR_TRACE("loadHighScores");
    for (int l = 0; l < HS_LISTS; ++l)
        for (int t = 0; t < HS_TIMES; ++t)
            for (int d = 0; d < HS_DIFFICULTIES; ++d)
                for (int r = 0; r < HS_RANKS; ++r)
                {
                    const int i = highScoreIndex(l, t, d, r);
                    table.sName[i] = getStoredValue(EntryKey(l, t, d, r, "Name").c_str());
                    table.nScore[i] = RIR::String::toInt(
                        getStoredValue(EntryKey(l, t, d, r, "Score").c_str()).c_str());
                    table.sKey[i] = getStoredValue(EntryKey(l, t, d, r, "Key").c_str());
                }
}

void saveHighScores(const HighScoreTable& table)
{
    RIR_TRACE("saveHighScores");
    for (int l = 0; l < HS_LISTS; ++l)
        for (int t = 0; t < HS_TIMES; ++t)
            for (int d = 0; d < HS_DIFFICULTIES; ++d)
                for (int r = 0; r < HS_RANKS; ++r)
                {
                    const int i = highScoreIndex(l, t, d, r);
                    setStoredValue(EntryKey(l, t, d, r, "Name").c_str(), table.sName[i].c_str());
                    char szScore[16];
                    std::snprintf(szScore, sizeof(szScore), "%d", (int)table.nScore[i]);
                    setStoredValue(EntryKey(l, t, d, r, "Score").c_str(), szScore);
                    setStoredValue(EntryKey(l, t, d, r, "Key").c_str(), table.sKey[i].c_str());
                }
}

void clearLocalHighScores()
{
    RIR_TRACE("clearLocalHighScores");
    for (int t = 0; t < HS_TIMES; ++t)
        for (int d = 0; d < HS_DIFFICULTIES; ++d)
            for (int r = 0; r < HS_RANKS; ++r)
            {
                setStoredValue(EntryKey(HS_LOCAL, t, d, r, "Name").c_str(), "");
                setStoredValue(EntryKey(HS_LOCAL, t, d, r, "Score").c_str(), "");
                setStoredValue(EntryKey(HS_LOCAL, t, d, r, "Key").c_str(), "");
            }
}

int insertHighScore(RIR::String sName, int nTime, int nDifficulty, int nScore)
{
    RIR_TRACE("insertHighScore");
    nTime = nTime != 0 ? 1 : 0;
    if (nDifficulty < 0)
        nDifficulty = 0;
    if (nDifficulty >= HS_DIFFICULTIES)
        nDifficulty = HS_DIFFICULTIES - 1;

    HighScoreTable table;
    loadHighScores(table);
    const int nBase = highScoreIndex(HS_LOCAL, nTime, nDifficulty, 0);
    int nRank = -1;
    for (int r = 0; r < HS_RANKS && nRank == -1; ++r)
        if (table.nScore[nBase + r] < nScore)
            nRank = r;
    if (nRank == -1)
        return -1;

    for (int r = HS_RANKS - 1; r > nRank; --r)
    {
        table.sName[nBase + r] = table.sName[nBase + r - 1];
        table.nScore[nBase + r] = table.nScore[nBase + r - 1];
        table.sKey[nBase + r] = table.sKey[nBase + r - 1];
    }
    table.sName[nBase + nRank] = sName;
    table.nScore[nBase + nRank] = nScore;
    table.sKey[nBase + nRank] = makeTimeId();
    saveHighScores(table);
    return nRank;
}
