// The reply of the online high-score exchange (see highscorereply.h).
#include "shell/highscorereply.h"

#include "shell/appstore.h"

#include "rir2/calltrace.h"
#include "rir2/date.h"
#include "rir2/list.h"

namespace
{

const char* const REPLY_MAGIC = "DustbowlDollyHighScores";
// Every character of this text separates the fields of an entry line.
const char* const FIELD_SEPARATOR = "_!#!_";

} // namespace

bool readHighScoreReply(const char* pszReply, HighScoreTable& table)
{
    RIR_TRACE("readHighScoreReply");
    const RIR::List<RIR::String> lLines = RIR::String(pszReply).split("\n");
    const int nCount = lLines.getLength();
    int nLine = 0;
    // Lines and fields are read in place (ascending, one link per step), not copied.
    if (nCount == 0 || lLines.getNode(nLine++)->m_value != REPLY_MAGIC)
        return false;

    for (int t = 0; t < HS_TIMES; ++t)
    {
        for (int d = 0; d < HS_DIFFICULTIES; ++d)
        {
            for (int r = 0; r < HS_RANKS; ++r)
            {
                if (nLine >= nCount)
                    return false;
                const RIR::List<RIR::String> lFields =
                    lLines.getNode(nLine++)->m_value.split(FIELD_SEPARATOR);
                if (lFields.getLength() != 3)
                    return false;
                const int i = highScoreIndex(HS_ONLINE, t, d, r);
                table.sName[i] = lFields.getNode(0)->m_value.trim();
                table.nScore[i] = RIR::String::toInt(lFields.getNode(1)->m_value.c_str());
                table.sKey[i] = lFields.getNode(2)->m_value;
            }
            if (nLine >= nCount || lLines.getNode(nLine++)->m_value != "---")
                return false;
        }
    }
    return nLine < nCount && lLines.getNode(nLine)->m_value == "===";
}

bool parseHighScoreReply(const char* pszReply)
{
    RIR_TRACE("parseHighScoreReply");
    // The reply is read first: a refused one costs no walk through the store.
    HighScoreTable reply;
    if (!readHighScoreReply(pszReply, reply))
        return false;
    HighScoreTable table;
    loadHighScores(table);
    for (int i = highScoreIndex(HS_ONLINE, 0, 0, 0); i < HS_ENTRIES; ++i)
    {
        table.sName[i] = reply.sName[i];
        table.nScore[i] = reply.nScore[i];
        table.sKey[i] = reply.sKey[i];
    }
    saveHighScores(table);
    setStoredValue("HighscoreLastUpdate",
                   RIR::String::format("%d", (int)RIR::Date().toTimestamp()).c_str());
    return true;
}
