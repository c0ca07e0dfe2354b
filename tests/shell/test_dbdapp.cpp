// DBDApp: the default settings, the full-screen guard across starts, video and audio choices,
// the start-up log lines and the results slot.
#include "shell/kit/fakelevel.h"
#include "shell/kit/shellapp.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"

#include "app/gamemode.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingvideodriver.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

FirstModes noModes()
{
    FirstModes modes;
    modes.pfnMenu = nullptr;
    modes.pfnIntro = nullptr;
    modes.pfnSplash = nullptr;
    return modes;
}

class DBDAppTest : public ::testing::Test
{
protected:
    DBDAppTest()
    {
        m_fx.addText("CaptionLoading", "Loading");
        m_fx.addText("Caption", "Dustbowl Dolly");
    }

    std::string saved(const char* pszKey)
    {
        const auto pairs = m_fx.savedSettings();
        const auto it = pairs.find(pszKey);
        return it == pairs.end() ? "<missing>" : it->second;
    }

    ShellAppFixture m_fx;
};

} // namespace

TEST_F(DBDAppTest, FirstStartWritesTheGameDefaultsNotTheLibraryOnes)
{
    ShellApp* pApp = m_fx.start(noModes());
    const struct
    {
        const char* pszKey;
        const char* pszValue;
    } aDefaults[] = {{"SoundVolume", "255"},       {"MusicVolume", "36"},
                     {"LastInterlevel", "0"},      {"StoryDiff", "1"},
                     {"TimedDifficulty", "1"},     {"HighscoreDifficulty", "1"},
                     {"Fullscreen", "TRUE"},       {"FullScreenFailed", "FALSE"}};
    for (const auto& entry : aDefaults)
        EXPECT_EQ(entry.pszValue, saved(entry.pszKey)) << entry.pszKey;
    EXPECT_EQ("<missing>", saved("LowResourcesMode"));
    // Variant and end-of-day time agree: A waits 10 s, B 2 s.
    const std::string sB = saved("ABTestingVersionB");
    ASSERT_TRUE(sB == "TRUE" || sB == "FALSE") << sB;
    EXPECT_EQ(sB == "TRUE" ? "2" : "10", saved("EndLevelTime"));
    EXPECT_EQ(sB != "TRUE", pApp->isVersionA());
}

TEST_F(DBDAppTest, DefaultsAreExactlyTheGameKeys)
{
    ShellApp* pApp = m_fx.create(noModes());
    pApp->clearSettings();
    pApp->setDefaultSettings();
    pApp->saveSettings();
    std::vector<std::string> keys;
    for (const auto& pair : m_fx.savedSettings())
        keys.push_back(pair.first);
    // None of the library's defaults ("CustomCursor") among them.
    EXPECT_EQ((std::vector<std::string>{"ABTestingVersionB", "EndLevelTime", "Fullscreen",
                                        "HighscoreDifficulty", "LastInterlevel", "MusicVolume",
                                        "SoundVolume", "StoryDiff", "TimedDifficulty"}),
              keys);
}

TEST_F(DBDAppTest, StoredValuesWinOverDefaults)
{
    m_fx.writeSettings({{"MusicVolume", "100"}, {"ABTestingVersionB", "maybe"},
                        {"EndLevelTime", "7"}});
    ShellApp* pApp = m_fx.start(noModes());
    EXPECT_EQ("100", saved("MusicVolume"));
    EXPECT_EQ(100, pApp->getMusicVolume());
    EXPECT_EQ("7", saved("EndLevelTime"));
    // Anything but exactly "TRUE" is variant A.
    EXPECT_TRUE(pApp->isVersionA());
}

// The full-screen guard: "FullScreenFailed" is "TRUE" on disk only while a switch is tried.
TEST_F(DBDAppTest, FullScreenGuardAcrossStarts)
{
    const struct
    {
        const char* pszFullscreen;
        const char* pszFailedBefore; // nullptr: not in the file
        bool bExpectFullscreen;
        const char* pszFailedAfter;
    } aCases[] = {
        {"TRUE", nullptr, true, "FALSE"},   {"true", "FALSE", true, "FALSE"},
        {"TRUE", "TRUE", false, "TRUE"},    {"TRUE", "true", true, "FALSE"},
        {"FALSE", "TRUE", false, "TRUE"},   {"FALSE", nullptr, false, "<missing>"},
    };
    for (const auto& c : aCases)
    {
        std::map<std::string, std::string> file = {{"Fullscreen", c.pszFullscreen}};
        if (c.pszFailedBefore)
            file["FullScreenFailed"] = c.pszFailedBefore;
        m_fx.writeSettings(file);
        ShellApp* pApp = m_fx.start(noModes());
        SCOPED_TRACE(std::string(c.pszFullscreen) + " / " +
                     (c.pszFailedBefore ? c.pszFailedBefore : "none"));
        EXPECT_EQ(c.bExpectFullscreen, pApp->isFullscreen());
        EXPECT_EQ(c.pszFailedAfter, saved("FullScreenFailed"));
        m_fx.stop();
    }
}

TEST_F(DBDAppTest, AStartThatDiesDuringTheSwitchOpensWindowedNextTime)
{
    ShellApp::failNextVideoInit(true);
    EXPECT_THROW(m_fx.start(noModes()), RIR::Exception);
    EXPECT_EQ("TRUE", saved("FullScreenFailed"));
    m_fx.stop();

    ShellApp* pApp = m_fx.start(noModes());
    EXPECT_FALSE(pApp->isFullscreen());
    EXPECT_EQ("TRUE", saved("FullScreenFailed"));

    // A clean exit from full screen writes "FALSE".
    pApp->setFullscreen(true);
    pApp->onExit();
    EXPECT_EQ("FALSE", saved("FullScreenFailed"));
}

TEST_F(DBDAppTest, AudioRateFollowsTheLowResourcesSettingExactly)
{
    const struct
    {
        const char* pszValue;
        int nRate;
    } aCases[] = {{"TRUE", 22050}, {"true", 44100}, {"FALSE", 44100}, {"", 44100}};
    for (const auto& c : aCases)
    {
        m_fx.writeSettings({{"LowResourcesMode", c.pszValue}});
        ShellApp* pApp = m_fx.start(noModes());
        EXPECT_EQ(c.nRate, ShellApp::lastAudioFrequency()) << c.pszValue;
        EXPECT_EQ(c.nRate == 22050, pApp->isLowResourcesMode()) << c.pszValue;
        m_fx.stop();
    }
}

TEST_F(DBDAppTest, StartUpLogsItsStepsAndSetsCaptionAndCursor)
{
    m_fx.writeSettings({{"ABTestingVersionB", "TRUE"}, {"Fullscreen", "FALSE"}});
    ShellApp* pApp = m_fx.start(noModes());
    std::vector<std::string> lines;
    for (const std::string& s : m_fx.logLines())
        if (s.compare(0, 3, "W: ") == 0)
            lines.push_back(s);
    const std::vector<std::string> expected = {"W: >oIA", "W: DBD 1.0.28  [QUIL/WIN]",
                                               "W: CFG OK", "W: Init FULL", "W: ABTest 'B'",
                                               "W: <oIA"};
    EXPECT_EQ(expected, lines);
    EXPECT_TRUE(pApp->isCursorShown());
    EXPECT_FALSE(pApp->hasLastResults());
}

TEST_F(DBDAppTest, FirstModesArePushedMenuIntroSplash)
{
    static std::vector<std::string> s_pushed;
    s_pushed.clear();
    struct Named : public GameMode
    {
        explicit Named(const char* pszName) : m_sName(pszName) {}
        void onStart() override { s_pushed.push_back(m_sName); }
        std::string m_sName;
    };
    FirstModes modes;
    modes.pfnMenu = []() -> GameMode* { return new Named("menu"); };
    modes.pfnIntro = []() -> GameMode* { return new Named("intro"); };
    modes.pfnSplash = [](bool bThirdParty) -> GameMode* {
        return new Named(bThirdParty ? "splash+3p" : "splash");
    };
    ShellApp* pApp = m_fx.start(modes);
    EXPECT_EQ((std::vector<std::string>{"menu", "intro", "splash"}), s_pushed);
    EXPECT_EQ(3, pApp->getModeCount());
}

TEST_F(DBDAppTest, ResultsSlotHoldsOneRecordAndAssertsOtherwise)
{
    ShellApp* pApp = m_fx.start(noModes());
    auto message = [](const std::function<void()>& fn) {
        try
        {
            fn();
        }
        catch (const RIR::Exception& e)
        {
            return std::string(e.getMessage());
        }
        return std::string("<no exception>");
    };
    EXPECT_EQ("Assertion failed : m_pGameResults != NULL", message([&] { pApp->takeLastResults(); }));
    EXPECT_EQ("Assertion failed : m_pGameResults != NULL", message([&] { pApp->getLastResults(); }));
    EXPECT_EQ("Assertion failed : m_pGameResults != NULL",
              message([&] { pApp->setLastResults(nullptr); }));

    GameResults* pFirst = new GameResults();
    pFirst->nCash = 120;
    pApp->setLastResults(pFirst);
    GameResults second;
    EXPECT_EQ("Assertion failed : m_pGameResults == NULL",
              message([&] { pApp->setLastResults(&second); }));
    EXPECT_EQ(pFirst, pApp->getLastResults());
    EXPECT_TRUE(pApp->hasLastResults());
    GameResults* pTaken = pApp->takeLastResults();
    EXPECT_EQ(pFirst, pTaken);
    EXPECT_FALSE(pApp->hasLastResults());
    delete pTaken;

    // A record still pending when the application goes is freed with it (ASan checks).
    pApp->setLastResults(new GameResults());
}

TEST_F(DBDAppTest, LevelsComeFromTheInstalledFactoryAndPostTheirResults)
{
    ShellApp* pApp = m_fx.start(noModes());
    // Without a factory the day's rules are freed and the failure is an assertion (ASan checks
    // that nothing leaks).
    try
    {
        pApp->createLevel(new DifficultyManager(GT_TIMED, 180, 1, 5), 0);
        ADD_FAILURE() << "no exception";
    }
    catch (const RIR::Exception& e)
    {
        EXPECT_STREQ("Assertion failed : m_pLevelFactory != NULL", e.getMessage());
    }

    FakeLevelFactory levels;
    pApp->setLevelFactory(&levels);
    GameResults won;
    won.nGameType = GT_STORY;
    won.nCash = 900;
    won.bWon = true;
    levels.queueResult(won);
    pApp->pushMode(pApp->createLevel(new DifficultyManager(GT_STORY, 600, 2, 7), 1234));
    ASSERT_EQ(1u, levels.started().size());
    EXPECT_EQ(GT_STORY, levels.started()[0].nGameType);
    EXPECT_EQ(600, levels.started()[0].nLevelLength);
    EXPECT_EQ(2, levels.started()[0].nDifficulty);
    EXPECT_EQ(7, levels.started()[0].nLevel);
    EXPECT_EQ(1234, levels.started()[0].nScoreTotal);
    pApp->updateModes(0.1f);
    pApp->updateModes(0.1f);
    ASSERT_TRUE(pApp->hasLastResults());
    GameResults* pResult = pApp->takeLastResults();
    EXPECT_EQ(900, pResult->nCash);
    EXPECT_TRUE(pResult->bWon);
    delete pResult;
    EXPECT_EQ(0, pApp->getModeCount());
}

TEST_F(DBDAppTest, LowResourcesSwitchWritesTrueOrFalse)
{
    ShellApp* pApp = m_fx.start(noModes());
    pApp->setLowResourcesMode(true);
    EXPECT_EQ("TRUE", pApp->getSetting("LowResourcesMode"));
    EXPECT_TRUE(pApp->isLowResourcesMode());
    pApp->setLowResourcesMode(false);
    EXPECT_EQ("FALSE", pApp->getSetting("LowResourcesMode"));
    EXPECT_FALSE(pApp->isLowResourcesMode());
}
