// PlayKit: a saloon day on the fake platform with the game's packs, for the level's tests.
//
// The kit starts the game's application (DBDApp, no first screens) on the engine's fake platform
// (in-memory pictures decoded from the packs, a recording audio driver, a clock that moves only
// when told) with the built packs of the build's game/ folder, its log and settings file in a
// temporary folder. startDay pushes a PlayMode for a day and runs its loader to the end, one
// update per loader frame; frame and run then advance the day with a fixed step by calling its
// update directly, so a test controls every dt. Settings the day reads at construction
// ("EndLevelTime", "LowResourcesMode") are set before startDay.
//
// Tests that need the packs skip when they were not built, and fail when the application does
// not start on them (PLAYKIT_REQUIRE_PACKS).
//
//     PlayKit kit;
//     PLAYKIT_REQUIRE_PACKS(kit);
//     kit.setSetting("EndLevelTime", "2");
//     PlayMode* pDay = kit.startDay(GT_TIMED, 30, 1, 5);
//     kit.run(31.0f);                       // past closing
//     EXPECT_TRUE(pDay->isEnded());
//     EXPECT_EQ(1, kit.audioLog()->countCalls("audio.stopChannel"));
#ifndef DBD_TESTS_PLAY_KIT_PLAYKIT_H
#define DBD_TESTS_PLAY_KIT_PLAYKIT_H

#include "level/gametype.h"
#include "play/playmode.h"
#include "shell/dbdapp.h"

#include "platform/sdl/sdlttffactory.h"
#include "testkit/recordinglog.h"

#include "rir2/tests/tempfolder.h"

#include <memory>
#include <string>

class FakePlatform;

class PlayKit
{
public:
    // The application started on the packs (when they exist) in a temporary folder.
    PlayKit();
    // Deletes the application (and with it a day still on its stack).
    ~PlayKit();

    PlayKit(const PlayKit&) = delete;
    PlayKit& operator=(const PlayKit&) = delete;

    // The built packs were found and the application started.
    bool hasPacks() const { return m_bPacks; }
    // Why the application failed to start on the packs ("" when it started).
    const std::string& getStartError() const { return m_sError; }
    static std::string gameFolder();

    DBDApp* app() const { return m_pApp.get(); }
    FakePlatform* platform() const;
    // The log the platform and its drivers write to ("audio.playSample(...)", ...).
    RIR::SmartPtr<RecordingLog> audioLog() const;
    void setSetting(const char* pszKey, const char* pszValue);

    // Pushes a new day (seeded with nSeed, also the rules' and the world's generators) and
    // updates it with dt 0.01 until its loader has finished; the number of those updates is
    // getLoadFrames. Then the loading dialog is updated once, so that it ends and uncovers the
    // day (a story day pushes its PreLevelDlg then). The day stays on the application's stack.
    PlayMode* startDay(int nGameType, int nLength, int nDifficulty, int nLevel,
                       unsigned int nSeed = 1);
    // Pushes a new day without loading it.
    PlayMode* pushDay(int nGameType, int nLength, int nDifficulty, int nLevel,
                      unsigned int nSeed = 1);
    int getLoadFrames() const { return m_nLoadFrames; }
    PlayMode* day() const { return m_pDay; }

    // One update of the day.
    void frame(float fDt);
    // Updates of fStep until fSeconds have passed (the last one may be shorter).
    void run(float fSeconds, float fStep = 0.01f);
    // Updates of fStep until the predicate holds or fLimit seconds passed; true when it held.
    template <class Pred> bool runUntil(Pred pred, float fLimit, float fStep = 0.01f)
    {
        for (float fT = 0.0f; fT < fLimit; fT += fStep)
        {
            if (pred())
                return true;
            frame(fStep);
        }
        return pred();
    }

private:
    TempFolder m_folder;
    std::string m_sOldFolder;
    std::string m_sError;
    bool m_bPacks;
    RIR::SmartPtr<SDLTTFFactory> m_pFonts;
    std::unique_ptr<DBDApp> m_pApp;
    PlayMode* m_pDay;
    int m_nLoadFrames;
};

#define PLAYKIT_REQUIRE_PACKS(kit)                                                                 \
    do                                                                                             \
    {                                                                                              \
        if (!(kit).hasPacks())                                                                     \
            GTEST_SKIP() << "the game's packs are not built in " << PlayKit::gameFolder();         \
        ASSERT_EQ("", (kit).getStartError());                                                      \
    } while (0)

#endif
