// A settings and profile save: GameApp::saveSettings of a full settings table (the defaults,
// ten player profiles, each with ten story save slots, all 120 high-score entries), timed over
// many saves; each replaces the settings file as the game does. A plain program that prints
// ms per save and the file's size.
//
//     bench_settingssave_bench [--saves N]
#include "kit/benchapp.h"

#include "shell/highscoreio.h"
#include "shell/playerio.h"
#include "shell/savegameio.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    int nSaves = 200;
    if (argc == 3 && std::strcmp(argv[1], "--saves") == 0)
        nSaves = std::max(1, std::atoi(argv[2]));
    else if (argc != 1)
    {
        std::fprintf(stderr, "usage: %s [--saves N]\n", argv[0]);
        return 2;
    }
    const FirstModes noModes = {nullptr, nullptr, nullptr};
    BenchApp bench(BenchApp::DEVICE_RECORDING, noModes);
    if (!bench.start())
    {
        std::fprintf(stderr, "the game did not start: %s\n", bench.error().c_str());
        return 1;
    }
    DBDApp* pApp = bench.app();
    // Ten profiles, each with ten story slots.
    for (int nPlayer = 0; nPlayer < PLAYER_SLOTS; ++nPlayer)
    {
        const std::string sName = "Player number " + std::to_string(nPlayer + 1);
        addPlayer(sName.c_str(), nPlayer);
        PlayerList players;
        loadPlayerList(players);
        SaveSlots slots;
        for (int nSlot = 0; nSlot < SAVE_SLOTS; ++nSlot)
        {
            slots.anLevel[nSlot] = (nPlayer * 7 + nSlot * 3) % 45;
            slots.anTime[nSlot] = nSlot % 2;
            slots.anDifficulty[nSlot] = nSlot % 3;
            slots.anScore[nSlot] = 1000 * (nSlot + 1) + nPlayer;
        }
        writeSaveSlots(slots, players.uid[nPlayer].c_str());
    }
    selectPlayer(0);
    // Every high-score entry, local and online.
    HighScoreTable table;
    loadHighScores(table);
    for (int nList = 0; nList < HS_LISTS; ++nList)
        for (int nTime = 0; nTime < HS_TIMES; ++nTime)
            for (int nDifficulty = 0; nDifficulty < HS_DIFFICULTIES; ++nDifficulty)
                for (int nRank = 0; nRank < HS_RANKS; ++nRank)
                {
                    const int nIndex = highScoreIndex(nList, nTime, nDifficulty, nRank);
                    table.sName[nIndex] = RIR::String::format("Gunslinger %d", nIndex);
                    table.nScore[nIndex] = 100000 - nIndex * 100;
                    table.sKey[nIndex] = makeTimeId();
                }
    saveHighScores(table);
    pApp->saveSettings();

    const auto t0 = std::chrono::steady_clock::now();
    for (int n = 0; n < nSaves; ++n)
    {
        pApp->setSetting("KillTestCounter", std::to_string(n).c_str());
        pApp->saveSettings();
    }
    const double fMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    struct stat st;
    const long nBytes =
        stat(GameApp::getConfigPath().c_str(), &st) == 0 ? (long)st.st_size : -1L;
    std::printf("settings and profile save (10 profiles x 10 slots, 120 high scores, %ld bytes): "
                "%.3f ms per save over %d saves\n",
                nBytes, fMs / nSaves, nSaves);
    return 0;
}
