// Fuzz target: the reply of the online high-score exchange, parseHighScoreReply, over the whole
// input (up to its first zero byte, as a C text) in an application's settings store. An accepted
// reply must have stored a trimmed, non-empty name and a key free of the separator characters
// for every online entry, and left the local entries alone; a rejected one must have written
// nothing.
// Invariant: accepted exactly when the update time was stored; online names trimmed, keys free of
// separators, local entries untouched; a rejected reply writes no entry.
#include "fuzzcheck.h"

#include "shell/highscoreio.h"
#include "shell/highscorereply.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

GameApp* app()
{
    static GameApp* s_pApp = nullptr;
    if (!s_pApp)
    {
        disableLogging();
        disableSaving();
        s_pApp = new GameApp();
        s_pApp->clearSettings();
    }
    return s_pApp;
}

void checkReply(GameApp* pApp, const std::string& sReply)
{
    pApp->setSetting("CachedHighScore_0_1_2_3_Name", "Local");
    try
    {
        // The broken reader says yes to every reply.
        const bool bAccepted = parseHighScoreReply(sReply.c_str()) || fuzzBrokenReader();
        FUZZ_CHECK(pApp->getSetting("CachedHighScore_0_1_2_3_Name") == "Local");
        FUZZ_CHECK(bAccepted == (pApp->getSetting("HighscoreLastUpdate").length() > 0));
        if (!bAccepted)
        {
            FUZZ_CHECK(pApp->getSetting("CachedHighScore_1_0_0_0_Name").length() == 0);
            return;
        }
        HighScoreTable table;
        loadHighScores(table);
        for (int i = highScoreIndex(HS_ONLINE, 0, 0, 0); i < HS_ENTRIES; ++i)
        {
            FUZZ_CHECK(table.sName[i] == table.sName[i].trim());
            FUZZ_CHECK(table.sKey[i].length() > 0);
            FUZZ_CHECK(table.sKey[i].findAnyOf("_!#\n") == -1);
        }
    }
    catch (const RIR::Exception&)
    {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const std::string sReply((const char*)pData, nSize);
    GameApp* pApp = app();
    checkReply(pApp, sReply);
    // Every entry the input stored goes with it: the next input starts from an empty store, and
    // what one input allocates it frees, which keeps libFuzzer's leak check from running after it.
    pApp->clearSettings();
    return 0;
}
