// The settings store and its file: the stored bytes, the round trip, loading with defaults and
// clamped volumes, a damaged file (logged, kept aside as ".bad", rewritten), saves that fail
// (the previous file stays whole), an unwritable file at start-up, the no-save flag, what the
// exit writes, and the flag words.
#include "app/gameapp.h"

#include "app/log.h"
#include "app/settingsfile.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/tests/raises.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <zlib.h>

namespace
{

typedef std::map<std::string, std::string> Pairs;

// The settings table stored in the file at sPath, read with the file reader itself.
Pairs tableIn(const std::string& sPath)
{
    SettingsFile::Table table;
    SettingsFile::read(sPath.c_str(), table);
    Pairs pairs;
    const RIR::List<RIR::String> keys = table.keys();
    const RIR::List<RIR::String> values = table.values();
    for (int i = 0; i < keys.getLength(); ++i)
        pairs[keys.get(i).c_str()] = values.get(i).c_str();
    return pairs;
}

// zlib's own inflate of a whole file, independent of the library's streams.
std::string inflateFile(const std::string& sPath)
{
    const std::string sPacked = TempFolder::readFile(sPath);
    std::string sOut(1 << 20, '\0');
    uLongf nOut = (uLongf)sOut.size();
    if (uncompress((Bytef*)&sOut[0], &nOut, (const Bytef*)sPacked.data(), (uLong)sPacked.size()) !=
        Z_OK)
        return "<not zlib>";
    sOut.resize(nOut);
    return sOut;
}

// plain as one zlib stream at level 9, written independently of the library's streams.
std::string deflated(const std::string& sPlain)
{
    uLongf nOut = compressBound((uLong)sPlain.size());
    std::string sOut(nOut, '\0');
    compress2((Bytef*)&sOut[0], &nOut, (const Bytef*)sPlain.data(), (uLong)sPlain.size(), 9);
    sOut.resize(nOut);
    return sOut;
}

std::string randomBytes(size_t nCount, unsigned nSeed)
{
    std::mt19937 random(nSeed);
    std::string s(nCount, '\0');
    for (char& c : s)
        c = (char)(random() & 0xFF);
    return s;
}

// Letters at random: text that compresses poorly.
std::string randomText(size_t nCount, unsigned nSeed)
{
    std::mt19937 random(nSeed);
    std::string s(nCount, 'a');
    for (char& c : s)
        c = (char)('A' + random() % 58);
    return s;
}

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sLogPath = m_folder.at("app.log");
        openLog(m_sLogPath.c_str());
        m_sConfig = m_folder.at("dbdconfig.dat");
        GameApp::setConfigPath(m_sConfig.c_str());
    }
    void TearDown() override { closeLog(); }

    // The lines of the log.
    std::vector<std::string> logLines() const
    {
        std::istringstream in(TempFolder::readFile(m_sLogPath));
        std::vector<std::string> lines;
        for (std::string s; std::getline(in, s);)
            lines.push_back(s);
        return lines;
    }

    // The bad-file path was taken for the file at m_sConfig holding sBytes: the bad-config line
    // once, followed by the line naming the file and the reason, and the file kept aside byte
    // for byte.
    void expectBadFilePath(const std::string& sBytes, const std::string& sReason = "") const
    {
        const std::vector<std::string> lines = logLines();
        const auto it =
            std::find(lines.begin(), lines.end(), "G: ** Bad config, using defaults **");
        ASSERT_NE(it, lines.end()) << "no bad-config line";
        EXPECT_EQ(1, std::count(lines.begin(), lines.end(), *it));
        ASSERT_NE(it + 1, lines.end()) << "no line naming the file and the reason";
        const std::string sPrefix = "G: ** Bad config file " + m_sConfig + " : " + sReason;
        EXPECT_EQ(0u, (it + 1)->rfind(sPrefix, 0)) << *(it + 1);
        EXPECT_GT((it + 1)->size(), sPrefix.size() + 3) << "a reason is given";
        EXPECT_EQ(" **", (it + 1)->substr((it + 1)->size() - 3));
        EXPECT_EQ(sBytes, TempFolder::readFile(m_sConfig + ".bad")) << "kept for a look";
    }

    // How often the log holds the line.
    int logCount(const std::string& sLine) const
    {
        std::istringstream in(TempFolder::readFile(m_sLogPath));
        int nCount = 0;
        for (std::string s; std::getline(in, s);)
            nCount += s == sLine ? 1 : 0;
        return nCount;
    }

    // The files of the test folder other than the log.
    std::vector<std::string> folderFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.path()))
            if (entry.path().filename() != "app.log")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_folder;
    std::string m_sLogPath;
    std::string m_sConfig;
};

// ---- the file ----------------------------------------------------------------------------------

TEST_F(SettingsTest, FileInflatesToSignatureZeroAndTheTable)
{
    GameApp app;
    app.setSetting("A", "B");
    app.saveConfig(m_sConfig.c_str());
    EXPECT_EQ(std::string("\x05\x00\x13\x01\x12\x01"
                          "A"
                          "\x12\x01"
                          "B",
                          10),
              inflateFile(m_sConfig));
    const std::string sPacked = TempFolder::readFile(m_sConfig);
    ASSERT_GE(sPacked.size(), 2u);
    EXPECT_EQ(std::string("\x78\xDA"), sPacked.substr(0, 2)) << "zlib at level 9";
    EXPECT_EQ(std::vector<std::string>{"dbdconfig.dat"}, folderFiles()) << "no temporary left";
}

TEST_F(SettingsTest, SavedStoreReadsBackExactly)
{
    const Pairs stored = {
        {"Fullscreen", "FALSE"},
        {"fullscreen", "other key: keys are case-sensitive"},
        {"Empty", ""},
        {"Profile0", std::string(5000, 'p') + "\xC3\xA9\xE2\x82\xAC"},
        {"Slot 3", "campaign=2;gold=120;\n\ttabs and newlines"},
    };
    {
        GameApp app;
        for (const auto& pair : stored)
            app.setSetting(pair.first.c_str(), pair.second.c_str());
        app.saveConfig(m_sConfig.c_str());
    }
    EXPECT_EQ(stored, tableIn(m_sConfig));

    GameApp app;
    app.setSetting("Kept", "yes");
    app.setSetting("Fullscreen", "TRUE");
    app.readConfig(m_sConfig.c_str());
    EXPECT_EQ(1, app.getConfigStatus());
    EXPECT_STREQ("FALSE", app.getSetting("Fullscreen").c_str()) << "the file's value replaces";
    EXPECT_STREQ("yes", app.getSetting("Kept").c_str()) << "keys the file lacks stay";
    EXPECT_STREQ(stored.at("Profile0").c_str(), app.getSetting("Profile0").c_str());
}

// ---- loading at start-up -----------------------------------------------------------------------

TEST_F(SettingsTest, LoadWithoutFileWritesTheDefaults)
{
    GameApp app;
    app.setSetting("Stale", "x");
    app.loadConfig();
    EXPECT_EQ(3, app.getConfigStatus());
    const Pairs defaults = {{"Fullscreen", "TRUE"},
                            {"SoundVolume", "255"},
                            {"MusicVolume", "255"},
                            {"CustomCursor", "YES"}};
    EXPECT_EQ(defaults, tableIn(m_sConfig)) << "the store was cleared first";
    EXPECT_EQ(0, logCount("G: ** Bad config, using defaults **"));
}

TEST_F(SettingsTest, LoadMergesTheFileAndClampsVolumes)
{
    struct Case
    {
        const char* pszMusic;
        const char* pszSound;
        const char* pszMusicLoaded;
        const char* pszSoundLoaded;
    };
    const Case cases[] = {
        {"300", "-5", "255", "0"},
        {"128", "0", "128", "0"},
        {"loud", "255", "0", "255"},
        {"12abc", "256", "12", "255"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszMusic) + "/" + c.pszSound);
        {
            GameApp writer;
            writer.setSetting("MusicVolume", c.pszMusic);
            writer.setSetting("SoundVolume", c.pszSound);
            writer.setSetting("HighScores", "ann:1200");
            writer.saveConfig(m_sConfig.c_str());
        }
        GameApp app;
        app.loadConfig();
        EXPECT_EQ(1, app.getConfigStatus());
        EXPECT_STREQ(c.pszMusicLoaded, app.getSetting("MusicVolume").c_str());
        EXPECT_STREQ(c.pszSoundLoaded, app.getSetting("SoundVolume").c_str());
        EXPECT_STREQ("ann:1200", app.getSetting("HighScores").c_str());
        EXPECT_STREQ("YES", app.getSetting("CustomCursor").c_str()) << "a default the file lacks";
        EXPECT_STREQ(c.pszMusicLoaded, tableIn(m_sConfig).at("MusicVolume").c_str())
            << "the clamped values are saved at once";
    }
}

TEST_F(SettingsTest, DamagedFileIsLoggedKeptAsBadAndRewritten)
{
    // A good file to damage in several ways.
    std::string sGood;
    {
        GameApp writer;
        writer.setSetting("Profile0", "ann");
        writer.setSetting("MusicVolume", "10");
        writer.saveConfig(m_sConfig.c_str());
        sGood = TempFolder::readFile(m_sConfig);
    }
    struct Case
    {
        const char* pszName;
        std::string sBytes;
    };
    // Valid zlib, but a string where the table should be.
    const std::string sWrongContent = deflated(std::string("\x05\x00\x12\x01"
                                                           "A",
                                                           5));
    // One pair: "A" = "B".
    const std::string sTable("\x05\x00\x13\x01\x12\x01"
                             "A"
                             "\x12\x01"
                             "B",
                             10);
    std::string sBadCheck = sGood;
    sBadCheck.back() ^= 0x80;
    std::string sFlipped = sGood;
    sFlipped[sGood.size() / 2] ^= 0x80;
    const Case cases[] = {
        {"random bytes", randomBytes(700, 7)},
        {"cut in half", sGood.substr(0, sGood.size() / 2)},
        {"empty", ""},
        {"wrong content", sWrongContent},
        // The compressed stream: its check fails, it is cut, or the file runs on after it.
        {"check fails", sBadCheck},
        {"bit 7 flipped inside", sFlipped},
        {"only the check missing", sGood.substr(0, sGood.size() - 4)},
        {"one byte missing", sGood.substr(0, sGood.size() - 1)},
        {"bytes after the stream", sGood + "junk"},
        {"a second stream after it", sGood + sGood},
        // A sound stream whose content is short or runs on.
        {"fewer pairs than counted", deflated(std::string("\x05\x00\x13\x02\x12\x01"
                                                           "A"
                                                           "\x12\x01"
                                                           "B",
                                                           10))},
        {"value cut short", deflated(sTable.substr(0, 9))},
        {"value length beyond the data", deflated(sTable.substr(0, 8) + "\x05" + "B")},
        {"key cut short", deflated(sTable.substr(0, 5))},
        {"count missing", deflated(sTable.substr(0, 3))},
        {"more after the table", deflated(sTable + "X")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        std::remove(m_sLogPath.c_str());
        std::remove((m_sConfig + ".bad").c_str());
        m_folder.writeFile("dbdconfig.dat", c.sBytes);

        GameApp app;
        app.loadConfig();
        EXPECT_EQ(2, app.getConfigStatus());
        expectBadFilePath(c.sBytes);
        EXPECT_STREQ("", app.getSetting("Profile0").c_str()) << "nothing of a bad file is used";
        EXPECT_STREQ("", app.getSetting("A").c_str()) << "nothing of a bad file is used";
        EXPECT_STREQ("255", app.getSetting("MusicVolume").c_str());
        EXPECT_EQ(c.sBytes, TempFolder::readFile(m_sConfig + ".bad")) << "kept for a look";
        EXPECT_EQ("255", tableIn(m_sConfig).at("MusicVolume")) << "rewritten with the defaults";
    }
}

// A real settings file cut at every length, and a small one with every bit flipped in turn:
// each either loads exactly the saved values or takes the bad-file path.
TEST_F(SettingsTest, EveryTruncationAndBitFlipLoadsExactlyOrTakesTheBadFilePath)
{
    Pairs real = {{"Fullscreen", "FALSE"}, {"SoundVolume", "200"}, {"MusicVolume", "90"},
                  {"CustomCursor", "YES"},  {"BPP", "32"},          {"Tips", "1,2,5,9"}};
    for (int i = 0; i < 7; ++i)
        real["Profile" + std::to_string(i)] = randomText(190, 40 + (unsigned)i);
    real["HighScores"] = "ann:1200;bob:900;cid:450";
    const Pairs small = {{"A", "B"}, {"Sheriff", "milk"}};

    int nGood = 0;
    int nBad = 0;
    // Writes sBytes as the settings file and reads it into a cleared store.
    auto check = [&](const Pairs& saved, const std::string& sBytes, const std::string& sWhat)
    {
        SCOPED_TRACE(sWhat);
        std::remove(m_sLogPath.c_str());
        std::remove((m_sConfig + ".bad").c_str());
        m_folder.writeFile("dbdconfig.dat", sBytes);
        GameApp app;
        app.readConfig(m_sConfig.c_str());
        if (app.getConfigStatus() == 1)
        {
            ++nGood;
            EXPECT_EQ(saved, tableIn(m_sConfig));
            for (const auto& pair : saved)
                EXPECT_EQ(pair.second, app.getSetting(pair.first.c_str()).c_str());
            EXPECT_EQ(0, logCount("G: ** Bad config, using defaults **"));
            return;
        }
        ++nBad;
        ASSERT_EQ(2, app.getConfigStatus());
        expectBadFilePath(sBytes);
        for (const auto& pair : saved)
            EXPECT_STREQ("", app.getSetting(pair.first.c_str()).c_str());
    };
    auto save = [&](const Pairs& pairs)
    {
        GameApp writer;
        for (const auto& pair : pairs)
            writer.setSetting(pair.first.c_str(), pair.second.c_str());
        writer.saveConfig(m_sConfig.c_str());
        return TempFolder::readFile(m_sConfig);
    };

    const std::string sReal = save(real);
    ASSERT_GT(sReal.size(), 1000u);
    for (size_t nLength = 0; nLength <= sReal.size(); ++nLength)
        check(real, sReal.substr(0, nLength), "cut at " + std::to_string(nLength));
    EXPECT_EQ(1, nGood) << "only the whole file loads";

    const std::string sSmall = save(small);
    nGood = 0;
    nBad = 0;
    for (size_t nBit = 0; nBit < sSmall.size() * 8; ++nBit)
    {
        std::string sFlipped = sSmall;
        sFlipped[nBit / 8] ^= (char)(1 << (nBit % 8));
        check(small, sFlipped, "bit " + std::to_string(nBit));
    }
    EXPECT_EQ((int)sSmall.size() * 8, nGood + nBad);
    EXPECT_GT(nBad, (int)sSmall.size() * 8 - 8) << "flipped bits load as good";
}

TEST_F(SettingsTest, UnwritableFileAtStartUpIsLoggedNotFatal)
{
    // The settings folder is a regular file: nothing can be created in it.
    m_folder.writeFile("notafolder", "x");
    GameApp::setConfigPath(m_folder.at("notafolder/dbdconfig.dat").c_str());
    GameApp app;
    EXPECT_NO_THROW(app.loadConfig());
    EXPECT_STREQ("TRUE", app.getSetting("Fullscreen").c_str());
    std::istringstream in(TempFolder::readFile(m_sLogPath));
    int nLines = 0;
    for (std::string s; std::getline(in, s);)
        nLines += s.find("G: ** Can't save config : ") == 0 ? 1 : 0;
    EXPECT_EQ(1, nLines);
    // Later saves report the failure to their caller.
    EXPECT_THROW(app.saveSettings(), RIR::FileAccessException);
}

// ---- saves that fail ---------------------------------------------------------------------------

// While alive, files cannot grow beyond nBytes, as on a full disk: writes past it fail (with
// EFBIG; the signal that would end the process is ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t nBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_pfnOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = m_old;
        limit.rlim_cur = nBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_pfnOldHandler);
    }

private:
    struct rlimit m_old;
    void (*m_pfnOldHandler)(int);
};

TEST_F(SettingsTest, SaveThatFailsHalfWayKeepsThePreviousFile)
{
    GameApp app;
    app.setSetting("Profile0", "ann");
    app.saveConfig(m_sConfig.c_str());
    const std::string sBefore = TempFolder::readFile(m_sConfig);

    // A store too big for the room left: it fails part-way through the write.
    app.setSetting("Replay", randomText(300000, 3).c_str());
    {
        FileSizeLimit limit(16384);
        // Closing the log keeps its own writes out of the way of the limit.
        closeLog();
        EXPECT_ANY_THROW(app.saveConfig(m_sConfig.c_str()));
        openLog(m_sLogPath.c_str());
    }
    EXPECT_EQ(sBefore, TempFolder::readFile(m_sConfig));
    EXPECT_EQ(std::vector<std::string>{"dbdconfig.dat"}, folderFiles()) << "no temporary left";
    EXPECT_EQ("ann", tableIn(m_sConfig).at("Profile0"));

    // With room again the same save goes through.
    app.saveConfig(m_sConfig.c_str());
    EXPECT_EQ(300000u, tableIn(m_sConfig).at("Replay").size());
}

TEST_F(SettingsTest, SaveIntoAMissingFolderRaisesAndLeavesNothing)
{
    GameApp app;
    const std::string sPath = m_folder.at("gone/dbdconfig.dat");
    EXPECT_THROW(app.saveConfig(sPath.c_str()), RIR::FileAccessException);
    EXPECT_TRUE(folderFiles().empty());
}

TEST_F(SettingsTest, NoSaveFlagLeavesTheFileUntouched)
{
    {
        GameApp writer;
        writer.setSetting("Profile0", "ann");
        writer.saveConfig(m_sConfig.c_str());
    }
    const std::string sBefore = TempFolder::readFile(m_sConfig);
    // The flag cannot be cleared again, so it is set in a child process.
    auto child = [&]
    {
        disableSaving();
        {
            GameApp app;
            app.setSetting("Profile0", "bob");
            app.saveSettings();
            app.loadConfig();
        }
        std::exit(TempFolder::readFile(m_sConfig) == sBefore ? 0 : 1);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(sBefore, TempFolder::readFile(m_sConfig));
}

// ---- what the exit writes ----------------------------------------------------------------------

TEST_F(SettingsTest, ExitWritesScreenModeAndVolumesWhenAudioWorks)
{
    struct Case
    {
        const char* pszName;
        int nFlags;
        const char* pszFullscreen;
        const char* pszSound; // expected after the exit
    };
    const Case cases[] = {
        {"windowed with audio", 0, "FALSE", "100"},
        {"full screen with audio", VF_FULLSCREEN, "TRUE", "100"},
        {"audio off", VF_NO_AUDIO, "FALSE", "42"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        GameApp app;
        app.setSetting("SoundVolume", "42");
        app.setSetting("MusicVolume", "42");
        app.setSetting("Fullscreen", c.nFlags & VF_FULLSCREEN ? "FALSE" : "TRUE");
        app.setPlatform(new FakePlatform());
        app.init(800, 600, c.nFlags, RIR::SmartPtr<Image>());
        app.setSoundVolume(100);
        app.setMusicVolume(90);
        app.onExit();
        const Pairs saved = tableIn(m_sConfig);
        EXPECT_EQ(c.pszFullscreen, saved.at("Fullscreen"));
        EXPECT_EQ(c.pszSound, saved.at("SoundVolume"));
        EXPECT_EQ(c.nFlags & VF_NO_AUDIO ? "42" : "90", saved.at("MusicVolume"));
    }
}

// ---- flag words and the path -------------------------------------------------------------------

TEST_F(SettingsTest, FlagWords)
{
    struct Case
    {
        const char* pszKey;
        const char* pszValue; // null: no setting
        bool bOn;
    };
    const Case cases[] = {
        {"Fullscreen", "TRUE", true},    {"Fullscreen", "true", true},
        {"Fullscreen", "YES", false},    {"Fullscreen", nullptr, false},
        {"CustomCursor", "NO", false},   {"CustomCursor", "no", true},
        {"CustomCursor", "FALSE", true}, {"CustomCursor", nullptr, true},
    };
    GameApp app;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszKey) + "=" + (c.pszValue ? c.pszValue : "-"));
        app.clearSettings();
        if (c.pszValue)
            app.setSetting(c.pszKey, c.pszValue);
        const bool bOn = std::string(c.pszKey) == "Fullscreen" ? app.isFullscreenSetting()
                                                               : app.isCustomCursorSetting();
        EXPECT_EQ(c.bOn, bOn);
    }
}

TEST_F(SettingsTest, ConfigPathIsInTheUsersDataFolder)
{
    const char* pszOld = std::getenv("XDG_DATA_HOME");
    const std::string sOld = pszOld ? pszOld : "";
    ::setenv("XDG_DATA_HOME", m_folder.path().c_str(), 1);
    initConfigPath("dbd", "Quillmoor/DustbowlDolly");
    EXPECT_EQ(m_folder.path() + "/Quillmoor/DustbowlDolly/dbdconfig.dat",
              GameApp::getConfigPath().c_str());
    if (pszOld)
        ::setenv("XDG_DATA_HOME", sOld.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

} // namespace
