// The game's main in-process: the log's place and size rule, the start-up lines, "-visit", and
// the report of an exception thrown while the application is made or runs.
#include "shell/gamemain.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "app/weblinks.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

int g_nThrowLine = 0;

GameApp* throwingFactory()
{
    RIR_TRACE("throwingFactory");
    {
        RIR_TRACE("loadEverything");
        RIR::setTraceParams("packs");
        g_nThrowLine = __LINE__ + 1;
        RIR_THROW(FatalErrorException, "Can't open %d% of it");
    }
    return nullptr;
}

GameApp* neverCalled()
{
    ADD_FAILURE() << "the application was made";
    return nullptr;
}

std::vector<std::string> g_lOpened;

void recordOpen(const char* pszText)
{
    g_lOpened.push_back(pszText);
}

class GameMainTest : public ::testing::Test
{
protected:
    GameMainTest()
    {
        char acCwd[4096] = {0};
        if (getcwd(acCwd, sizeof(acCwd)))
            m_sCwd = acCwd;
        const char* pszOld = std::getenv("XDG_DATA_HOME");
        m_bHadData = pszOld != nullptr;
        if (pszOld)
            m_sOldData = pszOld;
        setenv("XDG_DATA_HOME", m_folder.at("").c_str(), 1);
        g_lOpened.clear();
        setURLOpener(&recordOpen);
    }
    ~GameMainTest() override
    {
        setURLOpener(nullptr);
        if (m_bHadData)
            setenv("XDG_DATA_HOME", m_sOldData.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        if (!m_sCwd.empty() && chdir(m_sCwd.c_str()) != 0)
            ADD_FAILURE() << "cannot go back to " << m_sCwd;
        closeLog();
    }

    std::string logPath() const { return m_folder.at("Quillmoor/DustbowlDolly/dbd.log"); }
    std::string logText() const { return TempFolder::readFile(logPath()); }
    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(logText());
        for (std::string s; std::getline(in, s);)
            lines.push_back(s);
        return lines;
    }

    int run(std::vector<std::string> words, AppFactory pfnFactory)
    {
        words.insert(words.begin(), "dbd");
        std::vector<char*> argv;
        for (std::string& s : words)
            argv.push_back(&s[0]);
        argv.push_back(nullptr);
        return gameMain((int)words.size(), argv.data(), pfnFactory);
    }

    TempFolder m_folder;
    std::string m_sCwd;
    std::string m_sOldData;
    bool m_bHadData = false;
};

} // namespace

TEST_F(GameMainTest, VisitOpensThePageLogsItsLinesAndMakesNoApplication)
{
    EXPECT_EQ(0, run({"-visit", "more", "words"}, &neverCalled));
    ASSERT_EQ(1u, g_lOpened.size());
    const std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ("", lines[0]);
    EXPECT_EQ("M: == STARTUP ==", lines[1]);
    EXPECT_EQ(0u, lines[2].find("M: chdir(/"));
    EXPECT_EQ(0u, lines[3].find("M: CWD /"));
    EXPECT_EQ("M: initSignals", lines[4]);
    EXPECT_EQ("M: Have args", lines[5]);
    // The visit link's own lines, then ours.
    const size_t n = lines.size();
    EXPECT_EQ("M: After launch [-visit]", lines[n - 3]);
    EXPECT_EQ("M: == END ==", lines[n - 2]);
    EXPECT_EQ("", lines[n - 1]);
    // The folder logged is the one the game now runs in.
    char acCwd[4096] = {0};
    ASSERT_NE(nullptr, getcwd(acCwd, sizeof(acCwd)));
    EXPECT_EQ("M: CWD " + std::string(acCwd), lines[3]);
    EXPECT_EQ("M: chdir(" + std::string(acCwd) + ")", lines[2]);
}

TEST_F(GameMainTest, VisitCountsOnlyAsTheFirstWordInItsExactSpelling)
{
    EXPECT_EQ(1, run({"-VISIT"}, &throwingFactory));
    EXPECT_EQ(1, run({"--wndclass", "-visit"}, &throwingFactory));
    EXPECT_TRUE(g_lOpened.empty());
    EXPECT_EQ(std::string::npos, logText().find("After launch"));
}

TEST_F(GameMainTest, ExceptionIsReportedBetweenBannersWithItsCallTrace)
{
    EXPECT_EQ(1, run({}, &throwingFactory)) << "a failed run does not exit as a success";
    const std::vector<std::string> lines = logLines();
    // No arguments: no "Have args".
    EXPECT_EQ("M: initSignals", lines[4]);
    const std::string sFile = "tests/shell/test_gamemain.cpp";
    const std::vector<std::string> expected = {
        "",
        "M: ******************** EXCEPTION ********************",
        "M:",
        "M: Error : Can't open %d% of it [" + sFile + ":" + std::to_string(g_nThrowLine) + "]",
        "M:",
        "M: ----- Stack trace -----",
        "M: [01] $throwingFactory [" + sFile + " " + std::to_string(g_nThrowLine - 5) + "]",
        "M: [00] $loadEverything [" + sFile + " " + std::to_string(g_nThrowLine) + "] - packs",
        "M:",
        "M: ***************************************************",
        "M: == END ==",
        ""};
    ASSERT_GE(lines.size(), 5u + expected.size());
    const std::vector<std::string> tail(lines.end() - (long)expected.size(), lines.end());
    EXPECT_EQ(expected, tail);
}

TEST_F(GameMainTest, LogLargerThanTheLimitIsDeletedFirst)
{
    const std::string sFolder = m_folder.at("Quillmoor/DustbowlDolly/");
    const struct
    {
        size_t nSize;
        bool bKept;
    } aCases[] = {{32768, true}, {32769, false}, {0, true}};
    for (const auto& c : aCases)
    {
        ASSERT_EQ(0, system(("mkdir -p '" + sFolder + "'").c_str()));
        {
            std::ofstream out(logPath(), std::ios::binary | std::ios::trunc);
            out << std::string(c.nSize, 'x');
        }
        EXPECT_EQ(0, run({"-visit"}, &neverCalled));
        const std::string sText = logText();
        SCOPED_TRACE(c.nSize);
        if (c.bKept)
            EXPECT_EQ(std::string(c.nSize, 'x') + "\nM: == STARTUP ==\n",
                      sText.substr(0, c.nSize + 18));
        else
            EXPECT_EQ("\nM: == STARTUP ==\n", sText.substr(0, 18));
    }
}

TEST(TrimLogFile, MissingFileIsLeftAlone)
{
    TempFolder folder;
    trimLogFile(folder.at("none.log").c_str(), 0);
    trimLogFile(nullptr, 0);
    SUCCEED();
}
