// The application log: nothing before it is opened, pieces making one line, the 4095-character
// cut, a fresh open-append-close for every write, and the log report with its upload text.
#include "app/log.h"

#include "app/linkencoder.h"
#include "app/weblinks.h"

#include "rir2/exception.h"
#include "rir2/logfile.h"
#include "rir2/memstream.h"
#include "rir2/tests/tempfolder.h"
#include "rir2/zstream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

// Every address the log report opened, instead of a browser.
std::string g_sOpened;
int g_nOpened = 0;

void recordOpen(const char* pszUrl)
{
    g_sOpened = pszUrl;
    ++g_nOpened;
}

// The report text carried by the "rpt=" part of a report address.
std::string reportText(const std::string& sUrl)
{
    const size_t nAt = sUrl.find("rpt=");
    if (nAt == std::string::npos)
        return "<no rpt>";
    std::unique_ptr<RIR::MemStream> pPacked(decode64(sUrl.c_str() + nAt + 4));
    RIR::MemStream view(pPacked->getBuffer(), pPacked->size());
    std::unique_ptr<RIR::ZStream> pZip(new RIR::ZStream(&view, -1));
    return pZip->readString().c_str();
}

// Runs in a temporary folder that is also the current folder, with no log open and the report
// disarmed and recorded.
class LogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        closeLog();
        setLogReport(false, nullptr);
        setURLOpener(&recordOpen);
        g_sOpened.clear();
        g_nOpened = 0;
        char szCwd[4096];
        ASSERT_NE(nullptr, getcwd(szCwd, sizeof szCwd));
        m_sOldCwd = szCwd;
        ASSERT_EQ(0, chdir(m_tmp.path().c_str()));
    }
    void TearDown() override
    {
        closeLog();
        setLogReport(false, nullptr);
        setURLOpener(nullptr);
        EXPECT_EQ(0, chdir(m_sOldCwd.c_str()));
    }

    std::string read(const std::string& sPath) const { return TempFolder::readFile(sPath); }

    TempFolder m_tmp;
    std::string m_sOldCwd;
};

} // namespace

TEST_F(LogTest, NothingHappensBeforeTheLogIsOpened)
{
    EXPECT_EQ(nullptr, getLogFile());
    EXPECT_STREQ("dummy.log", getLogFileName().c_str());
    EXPECT_NO_THROW(logPrintf("G: lost %d\n", 1));
    EXPECT_NO_THROW(logPrintf("\n"));
    // Not even the stand-in name is created.
    EXPECT_TRUE(std::filesystem::is_empty(m_tmp.path()));
}

TEST_F(LogTest, PiecesMakeOneLineAndTextIsNeverAFormat)
{
    const std::string sPath = m_tmp.at("dbd.log");
    openLog(sPath.c_str());
    ASSERT_NE(nullptr, getLogFile());
    EXPECT_EQ(sPath, getLogFileName().c_str());
    // Opening touches nothing.
    EXPECT_FALSE(std::filesystem::exists(sPath));

    logPrintf("G: Init platform : ");
    logPrintf("%s", "SDL Platform v1.0");
    logPrintf("\n");
    EXPECT_EQ("G: Init platform : SDL Platform v1.0\n", read(sPath));

    // A message with format characters passed as an argument arrives byte for byte.
    logPrintf("U: %s\n", "100% %s %n done");
    logPrintf("G: RAM %d/%d\n", 512, 2048);
    EXPECT_EQ("G: Init platform : SDL Platform v1.0\nU: 100% %s %n done\nG: RAM 512/2048\n",
              read(sPath));
}

TEST_F(LogTest, OneCallWritesAtMost4095Characters)
{
    const std::string sPath = m_tmp.at("dbd.log");
    openLog(sPath.c_str());
    const std::string sLong(5000, 'x');
    logPrintf("W: %s\n", sLong.c_str());
    const std::string sWritten = read(sPath);
    ASSERT_EQ(4095u, sWritten.size());
    EXPECT_EQ("W: " + std::string(4092, 'x'), sWritten);

    // Exactly 4095 is whole; the next call starts afresh.
    std::remove(sPath.c_str());
    const std::string sFits(4094, 'y');
    logPrintf("%s\n", sFits.c_str());
    logPrintf("G: after\n");
    EXPECT_EQ(sFits + "\nG: after\n", read(sPath));
}

TEST_F(LogTest, EveryWriteReopensTheFileForAppending)
{
    const std::string sPath = m_tmp.writeFile("dbd.log", "M: earlier run\n");
    openLog(sPath.c_str());
    logPrintf("M: == STARTUP ==\n");
    // What is already there is kept.
    EXPECT_EQ("M: earlier run\nM: == STARTUP ==\n", read(sPath));

    // Text another writer appends in between stays, and ours goes after it.
    {
        std::FILE* pFile = std::fopen(sPath.c_str(), "ab");
        ASSERT_NE(nullptr, pFile);
        std::fputs("other\n", pFile);
        std::fclose(pFile);
    }
    logPrintf("G: one\n");
    EXPECT_EQ("M: earlier run\nM: == STARTUP ==\nother\nG: one\n", read(sPath));

    // The file is not held open: once removed, the next line starts a new file at the path.
    ASSERT_TRUE(std::filesystem::remove(sPath));
    logPrintf("G: two\n");
    EXPECT_EQ("G: two\n", read(sPath));
}

TEST_F(LogTest, ReopeningAndClosing)
{
    const std::string sFirst = m_tmp.at("first.log");
    const std::string sSecond = m_tmp.at("second.log");
    openLog(sFirst.c_str());
    logPrintf("G: a\n");
    openLog(sSecond.c_str());
    EXPECT_EQ(sSecond, getLogFileName().c_str());
    logPrintf("G: b\n");
    EXPECT_EQ("G: a\n", read(sFirst));
    EXPECT_EQ("G: b\n", read(sSecond));

    closeLog();
    EXPECT_EQ(nullptr, getLogFile());
    EXPECT_STREQ("dummy.log", getLogFileName().c_str());
    logPrintf("G: lost\n");
    EXPECT_EQ("G: b\n", read(sSecond));
    closeLog(); // closing twice is fine

    // A log that cannot be written loses its lines quietly.
    openLog(m_tmp.at("no/such/folder/dbd.log").c_str());
    EXPECT_NO_THROW(logPrintf("G: nowhere\n"));
}

TEST_F(LogTest, InitLogFileNamesTheLogInTheDataFolder)
{
    const std::string sHome = m_tmp.makeFolder("data");
    const char* pszOld = std::getenv("XDG_DATA_HOME");
    const std::string sOld = pszOld ? pszOld : "";
    setenv("XDG_DATA_HOME", sHome.c_str(), 1);

    initLogFile("dbd", "Quillmoor/DustbowlDolly");
    const std::string sName = getLogFileName().c_str();
    logPrintf("M: == STARTUP ==\n");

    if (pszOld)
        setenv("XDG_DATA_HOME", sOld.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");

    ASSERT_GE(sName.size(), 7u);
    EXPECT_EQ("dbd.log", sName.substr(sName.size() - 7));
    EXPECT_EQ(0u, sName.find(sHome)) << sName;
    EXPECT_NE(std::string::npos, sName.find("Quillmoor")) << sName;
    EXPECT_EQ("M: == STARTUP ==\n", read(sName));
}

TEST_F(LogTest, DisabledLoggingOpensNothing)
{
    // The flag cannot be cleared again, so it is set in a child process.
    const std::string sOpen = m_tmp.at("open.log");
    const std::string sLater = m_tmp.at("later.log");
    EXPECT_EXIT(
        {
            openLog(sOpen.c_str());
            disableLogging();
            openLog(sLater.c_str());
            // The log that was open stays open; the later one is never made.
            logPrintf("G: still\n");
            std::exit(getLogFileName() == sOpen.c_str() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ("G: still\n", read(sOpen));
    EXPECT_FALSE(std::filesystem::exists(sLater));
}

TEST_F(LogTest, MessageBoxGoesToStandardErrorAndTheLog)
{
    const std::string sPath = m_tmp.at("dbd.log");
    openLog(sPath.c_str());
    ::testing::internal::CaptureStderr();
    const int nResult = showMessageBox("Video", "No mode 100%s");
    const std::string sErr = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(1, nResult);
    EXPECT_NE(std::string::npos, sErr.find("Video"));
    EXPECT_NE(std::string::npos, sErr.find("No mode 100%s"));
    const std::string sLog = read(sPath);
    EXPECT_NE(std::string::npos, sLog.find("No mode 100%s")) << sLog;
    EXPECT_EQ('\n', sLog.back());
}

TEST_F(LogTest, ReportArming)
{
    // Disarmed (the game's state): nothing is written or opened.
    const std::string sPath = m_tmp.writeFile("dbd.log", "M: == STARTUP ==\nG: x\n");
    openLog(sPath.c_str());
    EXPECT_FALSE(sendLogReport());
    EXPECT_EQ("M: == STARTUP ==\nG: x\n", read(sPath));
    EXPECT_EQ(0, g_nOpened);

    EXPECT_NO_THROW(setLogReport(false, nullptr));
    try
    {
        setLogReport(true, nullptr);
        FAIL() << "arming without an address was accepted";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : sURL", e.getMessage());
    }
    // The refused call armed nothing.
    EXPECT_FALSE(sendLogReport());
    EXPECT_EQ(0, g_nOpened);
}

TEST_F(LogTest, ReportSendsTheCurrentRunOnce)
{
    // Two runs; the last marker is line 7.
    const std::string sOld = "\nM: == STARTUP ==\nG: Init done\nM: == END ==\n";
    const std::string sRun = "M: == STARTUP ==\nM: chdir(x)\nG: Init done\n";
    const std::string sPath = m_tmp.writeFile("dbd.log", sOld + "W: a\nW: b\nW: c\n" + sRun);
    openLog(sPath.c_str());
    setLogReport(true, "http://scores.example.invalid/report.php");

    EXPECT_TRUE(sendLogReport());
    ASSERT_EQ(1, g_nOpened);
    const std::string sPrefix = "http://scores.example.invalid/report.php?rpt=";
    ASSERT_EQ(0u, g_sOpened.find(sPrefix)) << g_sOpened;
    EXPECT_EQ(std::string::npos, g_sOpened.find_first_not_of(LINK_TEXT_ALPHABET, sPrefix.size()));
    EXPECT_EQ("<7>\n" + sRun + "U: Collecting log\n", reportText(g_sOpened));

    // The log was reset: only the report's own later lines are in it.
    EXPECT_EQ("U: Log reset\nU: URL size " + std::to_string(g_sOpened.size()) + "\nU: Log sent\n",
              read(sPath));

    // One report per run.
    EXPECT_FALSE(sendLogReport());
    EXPECT_EQ(1, g_nOpened);
}

TEST_F(LogTest, ReportWithoutMarkerOrLog)
{
    // No marker: the whole log from line 0; an address with a query gets "&".
    const std::string sPath = m_tmp.writeFile("dbd.log", "G: one\nG: two\n");
    openLog(sPath.c_str());
    setLogReport(true, "http://example.invalid/r?id=5");
    EXPECT_TRUE(sendLogReport());
    ASSERT_EQ(0u, g_sOpened.find("http://example.invalid/r?id=5&rpt=")) << g_sOpened;
    EXPECT_EQ("<0>\nG: one\nG: two\nU: Collecting log\n", reportText(g_sOpened));

    // No log open: the report still goes out with the stand-in text, and a "dummy.log" in the
    // current folder, which is not ours, is neither read nor deleted.
    closeLog();
    const std::string sDummy = m_tmp.writeFile("dummy.log", "someone else's\n");
    setLogReport(true, "http://example.invalid/r");
    EXPECT_TRUE(sendLogReport());
    EXPECT_EQ(2, g_nOpened);
    EXPECT_EQ(0u, g_sOpened.find("http://example.invalid/r?rpt="));
    EXPECT_EQ("(unable to read log)", reportText(g_sOpened));
    EXPECT_EQ("someone else's\n", read(sDummy));
}
