// File: opening modes and their errors, access, positioning, line and whole-file reads, update
// files, write and close failures (a full device), and fileExists / deleteFile.
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/memstream.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace RIR;

namespace
{

// The message of the FileAccessException the call raises; fails the test when it raises nothing
// or something else.
template <class F> std::string fileAccessMessage(F call)
{
    try
    {
        call();
    }
    catch (const FileAccessException& e)
    {
        EXPECT_STREQ(e.getClassName(), "FileAccessException");
        return e.getMessage();
    }
    ADD_FAILURE() << "no FileAccessException";
    return std::string();
}

} // namespace

TEST(File, ConstructionErrorsNamePathModeAndErrno)
{
    TempFolder tmp;
    tmp.makeFolder("sub");
    const std::string sMissing = tmp.at("missing.bin");
    const std::string sInMissingFolder = tmp.at("nowhere/x.bin");
    const std::string sFolder = tmp.at("sub");
    // A link to itself: there, yet no file can be opened through it.
    const std::string sLoop = tmp.at("loop");
    ASSERT_EQ(symlink("loop", sLoop.c_str()), 0);
    const std::string sThroughFile = tmp.writeFile("plain.txt", "x") + "/inside";
    struct Case
    {
        std::string sPath;
        int nMode;
        std::string sMessage;
    } cases[] = {
        {sMissing, FOM_READ, "File::File : '" + sMissing + "' does not exist"},
        // A folder is not a file, though the C runtime would open it for reading.
        {sFolder, FOM_READ, "File::File : '" + sFolder + "' does not exist"},
        {sMissing, 4, "File::File : unknown mode '4'"},
        {sMissing, 0, "File::File : unknown mode '0'"},
        {sInMissingFolder, FOM_WRITE,
         "File::File : can't open file " + sInMissingFolder + " (wb) [2]"},
        {sInMissingFolder, FOM_UPDATE,
         "File::File : can't open file " + sInMissingFolder + " (r+b) [2]"},
        {sFolder, FOM_UPDATE, "File::File : can't open file " + sFolder + " (r+b) [21]"},
        // Something is there but cannot be opened: the system's reason, not "does not exist".
        {sLoop, FOM_READ, "File::File : can't open file " + sLoop + " (rb) [40]"},
        {sThroughFile, FOM_READ, "File::File : '" + sThroughFile + "' does not exist"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sPath + " mode " + std::to_string(c.nMode));
        EXPECT_EQ(fileAccessMessage([&] { File f(c.sPath.c_str(), c.nMode); }), c.sMessage);
    }
    // Nothing was created by the failed attempts.
    EXPECT_FALSE(fileExists(sMissing.c_str()));
}

TEST(File, UnreadableFileIsNotReportedMissing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("locked.bin", "secret");
    ASSERT_EQ(chmod(sPath.c_str(), 0), 0);
    EXPECT_EQ(fileAccessMessage([&] { File f(sPath.c_str(), FOM_READ); }),
              "File::File : can't open file " + sPath + " (rb) [13]");
}

TEST(File, ReadAtLeavesThePositionAlone)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("at.bin", "0123456789");
    File f(sPath.c_str(), FOM_READ);
    char ac[16] = {};
    ASSERT_EQ(f.read(2, ac), 2);
    struct Case
    {
        int nPosition;
        int nCount;
        const char* pszExpected;
    } cases[] = {{4, 3, "456"}, {8, 5, "89"}, {10, 1, ""}, {50, 4, ""}, {-1, 4, ""}, {0, 0, ""}};
    for (const Case& c : cases)
    {
        char acOut[16] = {};
        EXPECT_EQ(f.readAt(c.nPosition, c.nCount, acOut), (int)strlen(c.pszExpected));
        EXPECT_STREQ(acOut, c.pszExpected) << c.nPosition;
    }
    EXPECT_EQ(f.tell(), 2);
    ASSERT_EQ(f.read(3, ac), 3);
    EXPECT_EQ(std::string(ac, 3), "234");
    // Bytes written through an update file are seen at once.
    File u(tmp.at("u.bin").c_str(), FOM_UPDATE);
    u.write(4, "abcd");
    char acU[8] = {};
    EXPECT_EQ(u.readAt(1, 8, acU), 3);
    EXPECT_STREQ(acU, "bcd");
}

TEST(File, ModesOpenCreateOrEmptyTheFile)
{
    TempFolder tmp;
    // Update mode on a missing path creates it empty, readable and writable.
    const std::string sNew = tmp.at("new.bin");
    {
        File f(sNew.c_str(), FOM_UPDATE);
        EXPECT_EQ(f.size(), 0);
        EXPECT_EQ(f.write(3, "xyz"), 3);
        f.seek(0);
        char sz[4] = {};
        EXPECT_EQ(f.read(3, sz), 3);
        EXPECT_STREQ(sz, "xyz");
    }
    EXPECT_EQ(TempFolder::readFile(sNew), "xyz");

    // Update mode keeps what an existing file holds, and starts at 0.
    const std::string sOld = tmp.writeFile("old.bin", "0123456789");
    {
        File f(sOld.c_str(), FOM_UPDATE);
        EXPECT_EQ(f.tell(), 0);
        EXPECT_EQ(f.size(), 10);
        f.seek(8);
        f.write(2, "AB");
    }
    EXPECT_EQ(TempFolder::readFile(sOld), "01234567AB");

    // Write mode empties an existing file.
    {
        File f(sOld.c_str(), FOM_WRITE);
        EXPECT_EQ(f.size(), 0);
        f.printf("%d-%s", 42, "x");
    }
    EXPECT_EQ(TempFolder::readFile(sOld), "42-x");
}

TEST(File, CanFollowsTheMode)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("a.bin", "abc");
    struct Case
    {
        int nMode;
        bool bRead, bWrite, bBoth;
    } cases[] = {
        {FOM_READ, true, false, false},
        {FOM_WRITE, false, true, false},
        {FOM_UPDATE, true, true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nMode);
        File f(sPath.c_str(), c.nMode);
        EXPECT_EQ(f.getMode(), c.nMode);
        EXPECT_EQ(f.can(SA_READ), c.bRead);
        EXPECT_EQ(f.can(SA_WRITE), c.bWrite);
        EXPECT_EQ(f.can(SA_READ | SA_WRITE), c.bBoth);
    }
}

TEST(File, SizeKeepsThePositionAndShortReadsShowInTheCount)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("ten.bin", "0123456789");
    File f(sPath.c_str(), FOM_READ);
    char sz[8] = {};
    EXPECT_EQ(f.read(4, sz), 4);
    EXPECT_EQ(f.size(), 10);
    EXPECT_EQ(f.tell(), 4);
    EXPECT_EQ(f.read(8, sz), 6);
    EXPECT_EQ(std::string(sz, 6), "456789");
    EXPECT_EQ(f.read(8, sz), 0);
    EXPECT_EQ(f.read(-1, sz), 0);
    EXPECT_TRUE(f.eof());
    // A typed read past the end reports nothing and yields 0.
    f.seek(8);
    EXPECT_EQ(f.readInt32(), 0);
}

TEST(File, ReadLineKeepsLineFeedsAndSplitsLongLines)
{
    TempFolder tmp;
    {
        const std::string sPath = tmp.writeFile("lines.txt", "ab\ncd");
        File f(sPath.c_str(), FOM_READ);
        EXPECT_EQ(std::string(f.readLine().c_str()), "ab\n");
        EXPECT_FALSE(f.eof());
        EXPECT_EQ(std::string(f.readLine().c_str()), "cd");
        EXPECT_EQ(std::string(f.readLine().c_str()), "");
        EXPECT_TRUE(f.eof());
    }
    {
        // A line of 5000 bytes arrives as 4095 bytes, then the rest with its line feed.
        const std::string sLong(5000, 'q');
        const std::string sPath = tmp.writeFile("long.txt", sLong + "\nz");
        File f(sPath.c_str(), FOM_READ);
        EXPECT_EQ(f.readLine().length(), 4095);
        EXPECT_EQ(std::string(f.readLine().c_str()), std::string(905, 'q') + "\n");
        EXPECT_EQ(std::string(f.readLine().c_str()), "z");
    }
}

TEST(File, ReadAllReadsFromThePosition)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("all.txt", "hello world");
    File f(sPath.c_str(), FOM_READ);
    EXPECT_EQ(std::string(f.readAll().c_str()), "hello world");
    f.seek(6);
    String sOut("previous contents that are longer");
    EXPECT_EQ(f.readAll(sOut), 5);
    EXPECT_EQ(sOut, "world");
    EXPECT_EQ(f.readAll(sOut), 0);
    EXPECT_EQ(sOut, "");

    // The count covers every byte; the text ends at a zero byte.
    const std::string sBinary = tmp.writeFile("zero.bin", std::string("ab\0cd", 5));
    File g(sBinary.c_str(), FOM_READ);
    EXPECT_EQ(g.readAll(sOut), 5);
    EXPECT_EQ(sOut, "ab");
}

TEST(File, UpdateFileTurnsBetweenReadingAndWriting)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("upd.bin", "abcdef");
    {
        File f(sPath.c_str(), FOM_UPDATE);
        char sz[3] = {};
        EXPECT_EQ(f.read(2, sz), 2);
        EXPECT_STREQ(sz, "ab");
        EXPECT_EQ(f.write(2, "XY"), 2);
        EXPECT_EQ(f.tell(), 4);
        EXPECT_EQ(f.read(1, sz), 1);
        EXPECT_EQ(sz[0], 'e');
        EXPECT_EQ(std::string(f.readLine().c_str()), "f");
    }
    EXPECT_EQ(TempFolder::readFile(sPath), "abXYef");
}

TEST(File, TypedValuesRoundTrip)
{
    TempFolder tmp;
    const std::string sPath = tmp.at("typed.bin");
    {
        File f(sPath.c_str(), FOM_WRITE);
        EXPECT_TRUE(f.writeInt32(-5));
        EXPECT_TRUE(f.writeVarInt(300));
        EXPECT_TRUE(f.writeString("saloon"));
        f.close();
    }
    File f(sPath.c_str(), FOM_READ);
    EXPECT_EQ(f.readInt32(), -5);
    EXPECT_EQ(f.readVarInt(), 300);
    EXPECT_EQ(f.readString(), "saloon");
}

// A full device: nothing written may pass as written.
TEST(File, WriteAndCloseFailuresOnAFullDeviceRaise)
{
    struct stat st;
    if (stat("/dev/full", &st) != 0)
        GTEST_SKIP() << "no /dev/full";

    // A write larger than the C runtime's buffer fails in write itself.
    {
        File f("/dev/full", FOM_WRITE);
        const std::string sBig(100000, 'x');
        const std::string sMessage =
            fileAccessMessage([&] { f.write((int)sBig.size(), sBig.data()); });
        EXPECT_EQ(sMessage.rfind("File::write : wrote ", 0), 0u) << sMessage;
        EXPECT_NE(sMessage.find("of 100000 bytes to /dev/full [28]"), std::string::npos)
            << sMessage;
    }
    // A small write sits in the buffer; the close that flushes it reports the loss.
    {
        File f("/dev/full", FOM_WRITE);
        EXPECT_EQ(f.write(10, "0123456789"), 10);
        EXPECT_EQ(fileAccessMessage([&] { f.close(); }),
                  "File::close : can't write file /dev/full [28]");
        EXPECT_FALSE(f.isOpen());
        f.close(); // already closed: nothing more
    }
    // A File deleted without close cannot throw; the failure goes to the exception log.
    {
        SmartPtr<Stream> pOldLog = getExceptionLog();
        MemStream* pLog = new MemStream();
        setExceptionLog(SmartPtr<Stream>(pLog));
        {
            File f("/dev/full", FOM_WRITE);
            f.writeText("lost");
        }
        const std::string sLog((const char*)pLog->getBuffer(), (size_t)pLog->size());
        setExceptionLog(pOldLog);
        EXPECT_NE(sLog.find("File::close : can't write file /dev/full [28]"), std::string::npos)
            << sLog;
    }
}

TEST(File, WritingAReadOnlyFileRaises)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("ro.bin", "abc");
    File f(sPath.c_str(), FOM_READ);
    const std::string sMessage = fileAccessMessage([&] { f.write(3, "xyz"); });
    EXPECT_EQ(sMessage.rfind("File::write : wrote 0 of 3 bytes to " + sPath, 0), 0u) << sMessage;
    EXPECT_EQ(TempFolder::readFile(sPath), "abc");
}

TEST(File, ClosedFileRefusesWork)
{
    TempFolder tmp;
    const std::string sPath = tmp.writeFile("c.bin", "abc");
    File f(sPath.c_str(), FOM_READ);
    f.close();
    char c = 0;
    EXPECT_THROW(f.read(1, &c), BadStateException);
    EXPECT_THROW(f.write(1, "x"), BadStateException);
    EXPECT_THROW(f.tell(), BadStateException);
    EXPECT_THROW(f.seek(0), BadStateException);
    EXPECT_THROW(f.size(), BadStateException);
    EXPECT_THROW(f.readLine(), BadStateException);
    EXPECT_THROW(f.eof(), BadStateException);
}

TEST(File, FileExistsAndDeleteFile)
{
    TempFolder tmp;
    const std::string sFile = tmp.writeFile("here.txt", "x");
    const std::string sEmpty = tmp.writeFile("empty.txt", "");
    const std::string sFolder = tmp.makeFolder("folder");
    const std::string sGone = tmp.at("gone.txt");
    struct Case
    {
        const char* pszPath;
        bool bExists;
    } cases[] = {
        {nullptr, false},         {"", false},
        {sFile.c_str(), true},    {sEmpty.c_str(), true},
        {sFolder.c_str(), false}, {sGone.c_str(), false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszPath ? c.pszPath : "(null)");
        EXPECT_EQ(fileExists(c.pszPath), c.bExists);
    }

    deleteFile(sFile.c_str());
    EXPECT_FALSE(fileExists(sFile.c_str()));
    // Missing paths, null and folders: silently nothing.
    deleteFile(sFile.c_str());
    deleteFile(nullptr);
    deleteFile("");
    deleteFile(sFolder.c_str());
    EXPECT_TRUE(std::filesystem::is_directory(sFolder));
}
