// LogFile: appending without keeping the file open, access, size and the refused operations.
#include "rir2/exception.h"
#include "rir2/logfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace RIR;

TEST(LogFile, EveryWriteAppendsAndClosesTheFile)
{
    TempFolder tmp;
    const std::string sPath = tmp.at("dbd.log");
    LogFile log(sPath.c_str());
    EXPECT_EQ(log.getPath(), sPath.c_str());
    // Nothing is opened before the first write.
    EXPECT_FALSE(std::filesystem::exists(sPath));
    EXPECT_EQ(log.size(), 0);

    EXPECT_EQ(log.write(9, "M: first\n"), 9);
    // Already on disk: the file is not held open between writes.
    EXPECT_EQ(TempFolder::readFile(sPath), "M: first\n");
    EXPECT_TRUE(log.writeText("G: second\n"));
    EXPECT_EQ(TempFolder::readFile(sPath), "M: first\nG: second\n");
    EXPECT_EQ(log.size(), 19);

    // A second LogFile on the same path appends to what is there.
    LogFile again(sPath.c_str());
    EXPECT_EQ(again.write(2, "x\n"), 2);
    EXPECT_EQ(TempFolder::readFile(sPath), "M: first\nG: second\nx\n");
}

TEST(LogFile, UnwritablePathsGiveZero)
{
    TempFolder tmp;
    LogFile missingFolder(tmp.at("nowhere/dbd.log").c_str());
    EXPECT_EQ(missingFolder.write(4, "text"), 0);
    EXPECT_EQ(missingFolder.size(), 0);
    EXPECT_FALSE(missingFolder.writeInt32(1));

    // A folder has no length and takes no text.
    LogFile folder(tmp.path().c_str());
    EXPECT_EQ(folder.size(), 0);
    EXPECT_EQ(folder.write(4, "text"), 0);

    // A full device takes the bytes into the buffer but the close cannot flush them.
    if (std::filesystem::exists("/dev/full"))
    {
        LogFile full("/dev/full");
        EXPECT_EQ(full.write(4, "text"), 0);
    }
}

TEST(LogFile, OnlyWriteAccessAndNoReadingOrPositioning)
{
    LogFile log("unused.log");
    EXPECT_TRUE(log.can(SA_WRITE));
    EXPECT_FALSE(log.can(SA_READ));
    EXPECT_FALSE(log.can(SA_READ | SA_WRITE));

    struct Case
    {
        const char* pszWhat;
        std::function<void()> call;
        const char* pszMessage;
    } cases[] = {
        {"read",
         [&]
         {
             char c;
             log.read(1, &c);
         },
         "RIR::LogFile::read : LogFiles can't be read"},
        {"tell", [&] { log.tell(); }, "RIR::LogFile::read : LogFiles can't be seeked"},
        {"seek", [&] { log.seek(0); }, "RIR::LogFile::read : LogFiles can't be seeked"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        try
        {
            c.call();
            ADD_FAILURE() << "no exception";
        }
        catch (const BadStateException& e)
        {
            EXPECT_STREQ(e.getMessage(), c.pszMessage);
        }
    }
    EXPECT_FALSE(std::filesystem::exists("unused.log"));
}
